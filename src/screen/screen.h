#pragma once
// The pictures of the table: the window surface, the clean background, the work
// surface and every picture sheet the drawing routines copy from.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/surface.h"
#include "screen/draw_log.h"

namespace sekiba {

inline constexpr int kScreenW = 640;
inline constexpr int kScreenH = 480;

// Pixels that are transparent in a pointer image.
inline constexpr Pixel kPointerTransparent = rgb(255, 0, 255);

// Sheet geometry. Every sheet that is drawn masked holds its mask in cell 0: black
// where the picture is, white around it, so AND with the mask and XOR with the
// picture lays the picture over whatever is below.
namespace sheet {
// PicHAI / picHAI2
inline constexpr int kTileW = 32, kTileH = 54, kFaceH = 41, kStripH = 13;
inline constexpr int kHaiW = 320, kHaiH = 218;
inline constexpr int kStripY = 54;       // PicHAI: strip d at y = 54 + 13 d
inline constexpr int kStripY2 = 55;      // picHAI2: strip d at y = 55 + 13 d
inline constexpr int kBackY = 164;       // back d at x = 32 d
inline constexpr int kCheckerX = 256;    // called-tile shade at (256, 164)
inline constexpr int kRedFiveX = 288, kRedFiveY = 123;
// picRON: 100 x 40 labels, rows 0..6
inline constexpr int kRonW = 100, kRonH = 40;
// picHANSU: 80 x 32 labels, rows 0..8
inline constexpr int kHansuW = 80, kHansuH = 32;
// PicBA: 80 x 32 labels, rows 0..4
inline constexpr int kBaW = 80, kBaH = 32;
// picHANH: 48 x 24 words, columns 0..2
inline constexpr int kHanhW = 48, kHanhH = 24;
// picYAKUNASI 180 x 24; picYAKUMEI 180 x 24 names, image k at y = 24 k
inline constexpr int kYakuW = 180, kYakuH = 24, kYakuCount = 47;
// picSUJIS: 16 x 18 cells, digits 0..9 then T, colour row cc at y = 18 cc
inline constexpr int kSujiW = 16, kSujiH = 18, kSujiStep = 13, kSujiRows = 7;
inline constexpr int kSujiT = 10;
// picSUJIH: 24 x 24 digits
inline constexpr int kSujihW = 24, kSujihH = 24;
// PicMOJI: 30 x 15 small labels, rows 0..16 (row 0 the mask)
inline constexpr int kMojiW = 30, kMojiH = 15, kMojiRows = 17;
// PicBOU: 10 x 40 sticks; cell 0 the mask, 1..5 the event sticks D T C X O,
// 6..9 the 100, 1,000, 5,000 and 10,000 point sticks
inline constexpr int kBouW = 10, kBouH = 40, kBouCells = 13;
// PicWAKU: 8 x 8 frame pieces; colour row r (0 plain, 1..16 the colour table)
// holds: top-left, top-right, bottom-left, bottom-right, top/bottom edge, side edge
inline constexpr int kWakuPiece = 8, kWakuRows = 17;
enum WakuPiece { kTL, kTR, kBL, kBR, kHorz, kVert };
// PicMK: 16 x 14 key caps; cell 0 the mask, 1..26 A..Z, 27 and 28 the pair A N,
// 29..38 digits 0..9, 39 Enter, 40 Space, 41 spare
inline constexpr int kMkW = 16, kMkH = 14, kMkCells = 42;
// PicSCORE: four 110 x 18 variants; PicGAME: two 119 x 34 logos
inline constexpr int kScoreW = 110, kScoreH = 18;
inline constexpr int kGameW = 119, kGameH = 34;
// Pic100: 10 x 19 markers: mask, white, pink
inline constexpr int k100W = 10, k100H = 19;
// picMAI: date separators 8 x 18 ("/", ":", "-") in the seven colour rows of picSUJIS
inline constexpr int kMaiW = 8, kMaiH = 18, kMaiCells = 3;
// picBAI: the double-score mark 48 x 16: it sits on the two rows above the score
// digits and must not reach them
inline constexpr int kBaiW = 48, kBaiH = 16;
// PicBAR: 32 x 5 discard cursor bar: mask, bar
inline constexpr int kBarW = 32, kBarH = 5;
// PicNAGAI: 32 x 15 labels of the opponent's melds: mask, ポン, チー, カン
inline constexpr int kNagaiW = 32, kNagaiH = 15, kNagaiCells = 4;
// Pointers: 32 x 32, transparent kPointerTransparent
inline constexpr int kPointerSize = 32;
}  // namespace sheet

// The picture sheets of one scale, kept so that a window going back to a size
// it had does not wait for them to be built again.
struct SheetSet {
  double k = 0;
  Surface PicHAI, picHAI2;
  Surface picRON, picHANSU, PicBA, picHANH, picYAKUNASI, picYAKUMEI;
  Surface picSUJIS, picSUJIH, PicMOJI, PicBOU, PicWAKU, PicMK;
  Surface PicSCORE, PicGAME, Pic100, picMAI, picBAI, PicBAR, PicNAGAI;
  std::array<Surface, 4> picICON;
};

struct Screen {
  Screen() { win.log = PicHAIKEI.log = PicWORK.log = &log; }
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // Device pixels per logical pixel of every picture below.
  double k = 1;
  // What was drawn on win, PicHAIKEI and PicWORK, to draw it again at another k.
  DrawLog log;

  Surface win{kScreenW, kScreenH};
  Surface PicHAIKEI{kScreenW, kScreenH};
  Surface PicWORK{kScreenW, kScreenH};

  Surface PicHAI, picHAI2;
  Surface picRON, picHANSU, PicBA, picHANH, picYAKUNASI, picYAKUMEI;
  Surface picSUJIS, picSUJIH, PicMOJI, PicBOU, PicWAKU, PicMK;
  Surface PicSCORE, PicGAME, Pic100, picMAI, picBAI, PicBAR, PicNAGAI;
  // Pointers: 0 a hand pointing right, 1 a hand pointing up, 2 HIT, 3 SEL.
  std::array<Surface, 4> picICON;

  // False when nobody will ever look at this table (the tool's simulations):
  // the tiles, labels, texts and boxes of the table are then not drawn. (The
  // tool also drops every picture, so what little else draws, draws on
  // nothing.)
  bool shown = true;

  std::array<Pixel, 17> iro{};
  int ura_no = 0;  // tile-back design 0..7
  // Grid place of the next line of the yaku list.
  std::int16_t yaku_x = 11, yaku_y = 20;
  // Marks laid over the user's discards this hand, so that a discard drawn
  // again (the furiten flash) gets its mark back: the index of the riichi
  // discard (0: none) and the call kind on each discard (0: not called).
  int man_sute_rechi = 0;
  std::array<std::int16_t, 21> man_sute_naki{};
  // Tile sheets loaded from the user's picture files (at their own size), laid
  // over the built ones at every scale.
  Surface user_hai, user_hai2;
  // Sheets of the scales shown before, the latest last.
  std::vector<SheetSet> sheet_cache;
  static constexpr std::size_t kSheetCacheSize = 3;
};

class Platform;

// Builds every picture sheet of the table with our own artwork (the tile faces
// from the desktop's mahjong tileset when it is installed).
void build_sheets(Platform& os, Screen& scr);

// Draws the whole table again at k device pixels per logical pixel: the sheets
// are built anew at that scale and everything the game drew since the table was
// last painted over is drawn again. Nothing changes for the game.
void set_screen_scale(Platform& os, Screen& scr, double k);

// Whether the sheets for scale k are at hand, so that set_screen_scale only
// draws the table again.
bool sheets_ready(const Screen& scr, double k);
// Forgets the kept sheets of other scales (their pictures changed).
void drop_sheet_cache(Screen& scr);

// Lays a tile sheet the user supplied (at its own size, scale 1) into a sheet of
// scale k; nothing when there is none.
void lay_user_sheet(const Surface& user, Surface& sheet, double k);

// Empties every picture: drawing then costs nothing. For headless runs whose
// table nobody looks at (the simulation tool).
void drop_pictures(Screen& scr);

// The tileset the faces come from.
inline constexpr const char* kTilesetPath = "/usr/share/kmahjongglib/tilesets/default.svgz";

}  // namespace sekiba
