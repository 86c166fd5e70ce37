// Pixel tests of the drawing routines against sheets whose cells have known colours.
#include "screen/draw.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "com/com_turn.h"
#include "engine/settlement.h"
#include "engine/setup.h"
#include "eval/yaku.h"
#include "lan/lan.h"
#include "man/man.h"
#include "screen/raster.h"
#include "test_game.h"

namespace sekiba {
namespace {

using namespace sheet;

Pixel face_colour(int code, bool reversed) { return rgb(code * 5, reversed ? 200 : 100, 30); }
Pixel back_colour(int d, bool reversed) { return rgb(7 + d, reversed ? 222 : 111, 60); }
Pixel digit_colour(int k, int row) { return rgb(10 * k + 1, 20 * row + 1, 7); }
Pixel marker_colour(int k) { return rgb(200, 10 * k + 3, 50); }
Pixel stick_colour(int c) { return rgb(20 * c, 3, 3); }
Pixel key_colour(int k) { return rgb(4 * k + 2, 60, 120); }
Pixel label_colour(int r) { return rgb(150, 8 * r + 4, 9); }
constexpr Pixel kRedFive = rgb(250, 1, 1);
constexpr Pixel kChecker = rgb(0x5A, 0xA5, 0x3C);

void cells(Surface& s, int w, int h, int nx, int ny, Pixel (*colour)(int, int)) {
  s = Surface(w * nx, h * ny, kWhite);
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) fill_rect(s, w * i, h * j, w, h, colour(i, j));
}

struct DrawTest : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;

  DrawTest() {
    fill_iro(g);
    build_sheets(g.os, g.scr);
    // Tile sheets of plain colours: a solid black mask and strips, one colour per face.
    for (Surface* s : {&g.scr.PicHAI, &g.scr.picHAI2}) {
      const bool rev = s == &g.scr.picHAI2;
      *s = Surface(kHaiW, kHaiH, kWhite);
      fill_rect(*s, 0, 0, kTileW, kTileH, kBlack);
      fill_rect(*s, 0, kStripY, kTileW, 8 * kStripH + 2, kBlack);
      for (int c = 1; c <= 37; ++c)
        if (is_tile(c)) fill_rect(*s, kTileW * (c % 10), kFaceH * (c / 10), kTileW, kFaceH, face_colour(c, rev));
      fill_rect(*s, kRedFiveX, kRedFiveY, kTileW, kFaceH, kRedFive);
      for (int d = 0; d < 8; ++d) fill_rect(*s, kTileW * d, kBackY, kTileW, kTileH, back_colour(d, rev));
      fill_rect(*s, kCheckerX, kBackY, kTileW, kTileH, kChecker);
    }
    // Digit cells, markers, sticks, key caps and small labels of known colours;
    // cell 0 of a masked sheet is its black mask.
    cells(g.scr.picSUJIS, kSujiW, kSujiH, 12, kSujiRows, digit_colour);
    cells(g.scr.Pic100, k100W, k100H, 3, 1, [](int k, int) { return k ? marker_colour(k) : kBlack; });
    cells(g.scr.PicBOU, kBouW, kBouH, kBouCells, 1, [](int k, int) { return k ? stick_colour(k) : kBlack; });
    cells(g.scr.PicMK, kMkW, kMkH, kMkCells, 1, [](int k, int) { return k ? key_colour(k) : kBlack; });
    cells(g.scr.PicMOJI, kMojiW, kMojiH, 1, kMojiRows, [](int, int r) { return r ? label_colour(r) : kBlack; });
    cells(g.scr.PicGAME, kGameW, kGameH, 1, 2, [](int, int v) { return rgb(90, 91, 92 + v); });
    // A background that differs at every pixel.
    for (int y = 0; y < kScreenH; ++y)
      for (int x = 0; x < kScreenW; ++x) g.scr.PicHAIKEI.at(x, y) = rgb(x % 256, y % 256, (x + y) % 256);
    g.scr.win.fill(kBlack);
  }

  Pixel at_grid(int col, int row, int dx, int dy) { return g.scr.win.at(8 * col + dx, 8 * row + dy); }

  // Frame piece `piece` of colour row `row` at grid cell (cx, cy): every pixel
  // the piece holds shows in the window.
  bool piece_at(int row, WakuPiece piece, int cx, int cy) {
    int held = 0;
    for (int y = 0; y < kWakuPiece; ++y)
      for (int x = 0; x < kWakuPiece; ++x) {
        const Pixel p = g.scr.PicWAKU.at(kWakuPiece * int(piece) + x, kWakuPiece * row + y);
        if (p == kPointerTransparent) continue;
        ++held;
        if (g.scr.win.at(8 * cx + x, 8 * cy + y) != p) return false;
      }
    return held > 0;
  }
  // A whole frame: four corners, the top and bottom edges, both sides.
  void expect_frame(int sx, int sy, int ex, int ey, int row) {
    EXPECT_TRUE(piece_at(row, kTL, sx, sy));
    EXPECT_TRUE(piece_at(row, kTR, ex, sy));
    EXPECT_TRUE(piece_at(row, kBL, sx, ey));
    EXPECT_TRUE(piece_at(row, kBR, ex, ey));
    for (int cx = sx + 1; cx < ex; ++cx) {
      EXPECT_TRUE(piece_at(row, kHorz, cx, sy)) << "top " << cx;
      EXPECT_TRUE(piece_at(row, kHorz, cx, ey)) << "bottom " << cx;
    }
    for (int cy = sy + 1; cy < ey; ++cy) {
      EXPECT_TRUE(piece_at(row, kVert, sx, cy)) << "left " << cy;
      EXPECT_TRUE(piece_at(row, kVert, ex, cy)) << "right " << cy;
    }
  }
  // The digit-sheet cell at pixel (x, y): its colour tells digit and colour row.
  Pixel cell_at(int col, int row, int i) { return g.scr.win.at(8 * col + kSujiStep * i + 1, 8 * row + 5); }

  bool shows_background(int x, int y, int w, int h) {
    for (int yy = y; yy < y + h; ++yy)
      for (int xx = x; xx < x + w; ++xx)
        if (g.scr.win.at(xx, yy) != g.scr.PicHAIKEI.at(xx, yy)) return false;
    return true;
  }
};

TEST_F(DrawTest, TileModesTakeFaceAndStripFromTheRightSheet) {
  hai_put(g, 12, 10, 20, 0);
  EXPECT_EQ(at_grid(10, 20, 5, 13 + 20), face_colour(12, false));
  EXPECT_EQ(at_grid(10, 20, 5, 5), kBlack);  // strip on top
  hai_put(g, 12, 20, 20, 1);
  EXPECT_EQ(at_grid(20, 20, 5, 20), face_colour(12, true));
  EXPECT_EQ(at_grid(20, 20, 5, 47), kBlack);  // strip at the bottom
  hai_put(g, 12, 30, 20, 2);
  EXPECT_EQ(at_grid(30, 20, 5, 1), face_colour(12, true));    // border band from the turned sheet
  EXPECT_EQ(at_grid(30, 20, 5, 20), face_colour(12, false));  // picture upright
  EXPECT_EQ(at_grid(30, 20, 5, 39), face_colour(12, true));
}

TEST_F(DrawTest, EmptyCodeErasesToTheBackground) {
  hai_put(g, 31, 7, 43, 0);
  ASSERT_FALSE(shows_background(56, 344, kTileW, kTileH));
  hai_put(g, kEmpty, 7, 43, 0);
  EXPECT_TRUE(shows_background(56, 344, kTileW, kTileH));
  EXPECT_EQ(g.scr.win.at(56 + kTileW, 344), kBlack);  // nothing beside the place
}

TEST_F(DrawTest, RedFiveOnlyForFiveOfCirclesWithTheSetting) {
  g.s.settei[7] = 1;
  hai_put(g, 25, 3, 43, 0);
  EXPECT_EQ(at_grid(3, 43, 10, 30), kRedFive);
  for (int code : {5, 15, 24, 26}) {
    hai_put(g, code, 3, 43, 0);
    EXPECT_EQ(at_grid(3, 43, 10, 30), face_colour(code, false)) << code;
  }
  g.s.settei[7] = 0;
  hai_put(g, 25, 3, 43, 0);
  EXPECT_EQ(at_grid(3, 43, 10, 30), face_colour(25, false));
  g.s.settei[7] = 1;
  hai_put(g, 25, 3, 43, 1);
  EXPECT_EQ(at_grid(3, 43, 10, 20), kRedFive);
}

TEST_F(DrawTest, CalledMarkDarkensWithoutErasing) {
  // The checkered picture is ANDed over the tile's place, 8 pixels lower when
  // setting 17 is 1; nothing around the place changes.
  for (int s17 : {0, 1}) {
    g.s.settei[17] = s17;
    g.scr.win.fill(kWhite);
    hai_put(g, 7, 3, 29, 2 * s17);
    const Surface before = g.scr.win;
    hai_put(g, kCalledMark, 3, 29, 0);
    const int top = 8 * 29 + 8 * s17;
    for (int y = top - 3; y < top + kTileH + 3; ++y)
      for (int x = 24 - 3; x < 24 + kTileW + 3; ++x) {
        const bool inside = x >= 24 && x < 24 + kTileW && y >= top && y < top + kTileH;
        ASSERT_EQ(g.scr.win.at(x, y), inside ? (before.at(x, y) & kChecker) : before.at(x, y))
            << "setting 17 " << s17 << " at " << x << "," << y;
      }
  }
}

TEST_F(DrawTest, NegativeScoreIsDrawnWithoutSignInTheBlueRow) {
  auto cell = [&](int i) { return g.scr.win.at(8 * 42 + kSujiStep * i + 1, 8 * 24 + 5); };

  g.t.man_ten = -15;
  pr_score(g);
  EXPECT_EQ(cell(5), digit_colour(11, 1));  // the minus sign is a blank cell
  EXPECT_EQ(cell(6), digit_colour(1, 1));
  EXPECT_EQ(cell(7), digit_colour(5, 1));
  EXPECT_EQ(cell(8), digit_colour(0, 1));
  EXPECT_EQ(cell(9), digit_colour(0, 1));

  g.t.man_ten = 0;  // below 1 is blue too
  pr_score(g);
  EXPECT_EQ(cell(9), digit_colour(0, 1));
  EXPECT_EQ(cell(8), digit_colour(11, 1));

  g.t.man_ten = 12345;
  pr_score(g);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(cell(i), digit_colour(11, 0)) << i;
  EXPECT_EQ(cell(3), digit_colour(1, 0));
  EXPECT_EQ(cell(7), digit_colour(5, 0));
}

TEST_F(DrawTest, SmallNumbersAreRightAligned) {
  for (int k = 0; k < 12; ++k) fill_rect(g.scr.picSUJIS, kSujiW * k, kSujiH * 2, kSujiW, kSujiH, digit_colour(k, 2));
  pr_suji_3(g, 7, 10, 10, 2);
  EXPECT_EQ(g.scr.win.at(80 + 1, 85), digit_colour(11, 2));
  EXPECT_EQ(g.scr.win.at(80 + 2 * kSujiStep + 1, 85), digit_colour(7, 2));
  pr_suji_1(g, 12, 10, 20, 2);  // too wide: the last digit shows
  EXPECT_EQ(g.scr.win.at(81, 165), digit_colour(2, 2));
}

TEST_F(DrawTest, RiichiSticksAreGroupedByValue) {
  for (int c = 1; c < kBouCells; ++c)
    fill_rect(g.scr.PicBOU, kBouW * c, 0, kBouW, kBouH, rgb(20 * c, 3, 3));
  fill_rect(g.scr.PicBOU, 0, 0, kBouW, kBouH, kBlack);
  auto stick = [&](int n) { return g.scr.win.at(8 * (61 + n) + 1, 8 * 22 + 20); };

  g.t.rechi_bou = 11;
  pr_bou(g);
  EXPECT_EQ(stick(0), rgb(20 * 9, 3, 3));  // one 10,000 stick
  EXPECT_EQ(stick(1), rgb(20 * 7, 3, 3));  // one 1,000 stick
  EXPECT_TRUE(shows_background(8 * 63 + 2, 8 * 22, 8, kBouH));

  g.t.rechi_bou = 99;  // at most 50 count: five 10,000 sticks
  pr_bou(g);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(stick(i), rgb(20 * 9, 3, 3)) << i;
  EXPECT_TRUE(shows_background(8 * 66 + 2, 8 * 22, 8, kBouH));

  // Just under, at and over the fifty counted.
  for (int n : {49, 50, 51}) {
    g.t.rechi_bou = std::int16_t(n);
    pr_bou(g);
    const int tens = n >= 50 ? 5 : 4;
    for (int i = 0; i < tens; ++i) EXPECT_EQ(stick(i), rgb(20 * 9, 3, 3)) << n << " " << i;
    if (n == 49) {
      EXPECT_EQ(stick(4), rgb(20 * 8, 3, 3));
      for (int i = 5; i < 9; ++i) EXPECT_EQ(stick(i), rgb(20 * 7, 3, 3)) << i;
    }
    const int used = n == 49 ? 9 : 5;
    EXPECT_TRUE(shows_background(8 * (61 + used) + 2, 8 * 22, 8, kBouH)) << n;
  }

  g.t.rechi_bou = 7;
  pr_bou(g);
  EXPECT_EQ(stick(0), rgb(20 * 8, 3, 3));  // 5,000
  EXPECT_EQ(stick(1), rgb(20 * 7, 3, 3));
  EXPECT_EQ(stick(2), rgb(20 * 7, 3, 3));
  EXPECT_TRUE(shows_background(8 * 64 + 2, 8 * 22, 8, kBouH));
}

TEST_F(DrawTest, ScreenBandPushAndPopRestoreExactly) {
  for (std::size_t i = 0; i < g.scr.win.px.size(); ++i) g.scr.win.px[i] = rgb(int(i * 7), int(i * 13), int(i));
  const Surface before = g.scr.win;
  gvram_push(g, 3, 10);
  gbox_r(g, 2, 4, 70, 25, 12, 15, 1);
  disp_gr2(g, 10, 10, "テスト", 3, 1);
  g.scr.win.at(0, 200) = kWhite;  // outside the band: stays changed
  gvram_pop(g, 3, 10);
  for (int y = 48; y < 160; ++y)
    for (int x = 0; x < kScreenW; ++x) ASSERT_EQ(g.scr.win.at(x, y), before.at(x, y)) << x << "," << y;
  EXPECT_EQ(g.scr.win.at(0, 200), kWhite);
}

TEST_F(DrawTest, BlinkingHidesAndShowsEveryCopy) {
  for (int i = 1; i <= 12; ++i) g.t.man_sute[i] = Tile(i == 2 || i == 12 ? 5 : 11 + i % 9);
  g.t.man_junme = 13;
  g.s.settei[17] = 0;
  const int places[][2] = {{7, 29}, {7, 36}};  // discard 2 and discard 12 (second row)
  tenmetu(g, 5, 1);
  for (auto& p : places) EXPECT_EQ(at_grid(p[0], p[1], 10, 30), face_colour(5, false));
  EXPECT_EQ(at_grid(3, 29, 10, 30), kBlack);  // other discards untouched
  tenmetu(g, 5, 0);
  for (auto& p : places) EXPECT_TRUE(shows_background(8 * p[0], 8 * p[1], kTileW, kTileH));
}

TEST_F(DrawTest, BlinkingGivesTheDiscardsTheirMarksBack) {
  for (int s17 = 0; s17 <= 1; ++s17) {
    g.scr.win.fill(kBlack);
    g.s.settei[17] = s17;
    set_shoki2(g);
    // Discard 3 (column 11, row 29) declares riichi; discard 12 (column 7,
    // row 36) is called with pon by the partner. Both are the tile 5.
    for (int i = 1; i <= 12; ++i) {
      const Tile tile = Tile(i == 3 || i == 12 ? 5 : 11 + i % 9);
      g.t.man_junme = std::int16_t(i);
      g.t.man_sute_x = std::int16_t(3 + 4 * ((i - 1) % 10));
      g.t.man_sute_y = std::int16_t(29 + 7 * ((i - 1) / 10));
      g.t.man_rechi = i == 3 ? 1 : 0;
      hai_put(g, tile, g.t.man_sute_x, g.t.man_sute_y, 2 * s17);
      man_rechi_mk(g);
      g.t.man_sute[std::size_t(i)] = tile;
    }
    g.t.man_junme = 13;
    g.t.man_rechi = 11;
    if (s17 == 0) lan_sute_ichi_kesu(g, 1);
    // The riichi label: one row below the tile's top, or five with the strip
    // at the bottom, where its last line lies just below the tile.
    const int mark_row = 29 + (s17 == 1 ? 5 : 1);
    ASSERT_EQ(at_grid(11, mark_row, 2, 2), label_colour(1));
    ASSERT_EQ(at_grid(11, mark_row, 29, 14), label_colour(1));
    for (int blink = 0; blink < 2; ++blink) {
      tenmetu(g, 5, 0);
      EXPECT_TRUE(shows_background(88, 232, kTileW, kTileH)) << s17;
      EXPECT_TRUE(shows_background(88, 8 * mark_row, kMojiW, kMojiH)) << s17;
      EXPECT_TRUE(shows_background(56, 288, kTileW, kTileH)) << s17;
      tenmetu(g, 5, 1);
      EXPECT_EQ(at_grid(11, mark_row, 2, 2), label_colour(1)) << s17;
      EXPECT_EQ(at_grid(11, mark_row, 29, 14), label_colour(1)) << s17;
      EXPECT_EQ(at_grid(11, 29, 10, s17 == 1 ? 30 : 40), face_colour(5, false)) << s17;
    }
    if (s17 == 0) {
      // The called discard: darkened, with ポン (label 2) over it.
      const Pixel f = face_colour(5, false);
      EXPECT_EQ(at_grid(7, 36, 10, 40), f & kChecker);
      EXPECT_EQ(at_grid(7, 37, 2, 2), label_colour(2));
    }
  }
}

TEST_F(DrawTest, BoxFillsItsInsideAndDropsAShadow) {
  gbox_r(g, 10, 10, 20, 15, 13, 0, 1);
  EXPECT_EQ(g.scr.win.at(8 * 15, 8 * 12), g.scr.iro[13]);
  expect_frame(10, 10, 20, 15, 0);
  gbox_r(g, 10, 10, 20, 15, 13, 5, 0);  // the frame in colour row 5
  expect_frame(10, 10, 20, 15, 5);
  EXPECT_FALSE(piece_at(0, kVert, 10, 12));
  // The shadow lies two pixels right of and below the frame line.
  g.scr.win.fill(kWhite);
  gbox_r(g, 10, 10, 20, 15, 7, 0, 1);
  EXPECT_LT(red_of(g.scr.win.at(8 * 20 + 7, 8 * 13)), 255);
  EXPECT_LT(red_of(g.scr.win.at(8 * 15, 8 * 15 + 7)), 255);
  EXPECT_EQ(g.scr.win.at(8 * 21 + 1, 8 * 13), kWhite);
  EXPECT_EQ(g.scr.win.at(8 * 20 + 7, 8 * 10), kWhite);  // not beside the top corner
  g.scr.win.fill(kWhite);
  gbox_r(g, 10, 10, 20, 15, 7, 0, 0);
  EXPECT_EQ(g.scr.win.at(8 * 20 + 7, 8 * 13), kWhite);
}

TEST_F(DrawTest, BoxesLookTheSameHoweverTheyAreBuilt) {
  auto fresh = [&] { g.scr.win = g.scr.PicHAIKEI; };
  // A box drawn twice: its shadow does not get darker.
  fresh();
  gbox_r(g, 10, 10, 20, 15, 7, 9, 1);
  const Surface once = g.scr.win;
  gbox_r(g, 10, 10, 20, 15, 7, 9, 1);
  EXPECT_TRUE(g.scr.win.px == once.px);

  // The yaku list grows line by line from a box without shadow; it ends up as
  // one box down to its last bottom, with nothing left of the old corners.
  fresh();
  gbox_r(g, 10, 22, 41, 35, 7, 0, 1);
  const Surface whole = g.scr.win;
  fresh();
  gbox_r(g, 10, 22, 41, 26, 7, 0, 0);
  for (int bottom : {26, 29, 32, 35}) gbox_r_end(g, 10, 41, bottom, 7, 0, 1);
  for (int y = 8 * 22; y < 8 * 36; ++y)
    for (int x = 8 * 10; x < 8 * 41 + 6; ++x)
      ASSERT_EQ(g.scr.win.at(x, y), whole.at(x, y)) << x << "," << y;
  // The shadow runs down the right side of every added line.
  for (int y = 8 * 26; y < 8 * 35 + 8; y += 4) EXPECT_NE(g.scr.win.at(8 * 41 + 7, y), g.scr.PicHAIKEI.at(8 * 41 + 7, y)) << y;
}

TEST_F(DrawTest, AShadowDarkensWhatLiesUnderItOnce) {
  // Colours as the eye sees them (a shadowed pixel carries a mark in its alpha byte).
  auto seen = [&](int x, int y) { return g.scr.win.at(x, y) | 0xFF000000u; };
  // The window shows another table than the clean background (the dice screen
  // before the hand), with the user's first meld at column 63, row 47.
  fill_rect(g.scr.win, 0, 0, kScreenW, kScreenH, rgb(200, 150, 100));
  hai_put(g, 7, 63, 47, 0);
  // The key prompt, column 41 row 49 to column 63 row 52: its right shadow runs
  // at x = 8 * 63 + 6 .. + 7 through the meld's face, its bottom one at
  // y = 8 * 52 + 6 .. + 7 over the table.
  const int rx = 8 * 63 + 6, ry = 8 * 50, bx = 8 * 50, by = 8 * 52 + 7;
  for (int pass = 0; pass < 3; ++pass) {
    gbox_r(g, 41, 49, 63, 52, 7, 0, 1);
    EXPECT_EQ(seen(rx, ry), rgb(14, 40, 12)) << pass;  // face (35, 100, 30) x 2/5
    EXPECT_EQ(seen(rx + 1, ry + 20), rgb(14, 40, 12)) << pass;
    EXPECT_EQ(seen(bx, by), rgb(80, 60, 40)) << pass;  // the table (200, 150, 100) x 2/5
  }
  // Saved and restored, then drawn over: still darkened once.
  gvram_push(g, 24, 27);
  gvram_pop(g, 24, 27);
  gbox_r(g, 41, 49, 63, 52, 7, 0, 1);
  EXPECT_EQ(seen(rx, ry), rgb(14, 40, 12));
  // Black parts of a masked picture leave the shadow as it is.
  Surface black(8, 8, kBlack);
  blit(g.scr.win, rx - 4, ry - 4, black, 0, 0, 8, 8, Rop::Xor);
  gbox_r(g, 41, 49, 63, 52, 7, 0, 1);
  EXPECT_EQ(seen(rx, ry), rgb(14, 40, 12));
  // The tile drawn again under the shadow is shaded again; erased, the clean
  // table there (254, 144, 142) is.
  hai_put(g, 7, 63, 47, 0);
  EXPECT_EQ(seen(rx, ry), rgb(35, 100, 30));
  gbox_r(g, 41, 49, 63, 52, 7, 0, 1);
  EXPECT_EQ(seen(rx, ry), rgb(14, 40, 12));
  hai_put(g, kEmpty, 63, 47, 0);
  gbox_r(g, 41, 49, 63, 52, 7, 0, 1);
  EXPECT_EQ(seen(rx, ry), rgb(101, 57, 56));
  // The yaku list growing line by line over a tile (column 38, row 27, its face
  // from y = 229): two lines' shadows overlap at y = 232 .. 239 and shade once.
  hai_put(g, 7, 38, 27, 0);
  gbox_r(g, 10, 22, 38, 26, 7, 0, 0);
  for (int bottom : {26, 29, 32}) gbox_r_end(g, 10, 38, bottom, 7, 0, 1);
  EXPECT_EQ(seen(8 * 38 + 6, 235), rgb(14, 40, 12));
  EXPECT_EQ(seen(8 * 38 + 7, 250), rgb(14, 40, 12));
}

TEST_F(DrawTest, CountsAndMarksStayInTheirPlaces) {
  // Digit glyphs nine pixels wide in the first thirteen columns of their cells.
  for (int k = 0; k < 11; ++k) {
    fill_rect(g.scr.picSUJIS, kSujiW * k, 0, kSujiW, kSujiH * kSujiRows, kWhite);
    for (int row = 0; row < kSujiRows; ++row)
      fill_rect(g.scr.picSUJIS, kSujiW * k + 2, kSujiH * row, 9, kSujiH, digit_colour(k, row));
  }
  auto shows = [&](Pixel c, int x0, int x1, int y) {
    for (int x = x0; x < x1; ++x)
      if (g.scr.win.at(x, y) == c) return true;
    return false;
  };

  // An event-stick count of ten shows both digits in the field of one.
  g.t.ivent_bou = {9, 10, 1, 0, 10, 0};
  pr_ivent_bou(g);
  const int y = 8 * 24 + 9;
  EXPECT_TRUE(shows(digit_colour(1, 2), 8 * 15, 8 * 15 + kSujiStep, y));
  EXPECT_TRUE(shows(digit_colour(0, 2), 8 * 15, 8 * 15 + kSujiStep, y));
  EXPECT_FALSE(shows(digit_colour(0, 2), 8 * 17, 8 * 19, y));  // the next count is 1
  EXPECT_TRUE(shows(digit_colour(1, 2), 8 * 21, 8 * 21 + kSujiStep, y));
  EXPECT_TRUE(shows(digit_colour(0, 2), 8 * 21, 8 * 21 + kSujiStep, y));
  EXPECT_TRUE(shows(digit_colour(9, 2), 8 * 13, 8 * 15, y));

  // The double-score mark leaves the score digits below it whole.
  g.t.man_ten = 99999;
  pr_score(g);
  const Surface digits = g.scr.win;
  font_bai(g, 0, 55, 22);
  for (int yy = 8 * 24; yy < 8 * 24 + kSujiH; ++yy)
    for (int x = 8 * 42; x < 8 * 42 + 10 * kSujiStep + 3; ++x)
      ASSERT_EQ(g.scr.win.at(x, yy), digits.at(x, yy)) << x << "," << yy;
}

TEST_F(DrawTest, CalledMarkOnTheTwentiethDiscardOfEitherRow) {
  fill_rect(g.scr.PicHAI, kCheckerX, kBackY, kTileW, kTileH, kBlack);
  struct Case {
    bool lan;
    int junme, x, y;
  } cases[] = {{false, 21, 25, 7}, {true, 21, 39, 36}};
  for (int s17 : {0, 1})
    for (const Case& c : cases) {
      g.scr.win.fill(kWhite);
      g.s.settei[17] = s17;
      g.t.lan_mode = c.lan ? 1 : 0;
      if (c.lan) {
        g.t.man_junme = c.junme;
        lan_sute_ichi_kesu(g, 0);
      } else {
        g.t.com_junme = c.junme;
        com_sute_ichi_kesu(g, 0);
      }
      const int top = 8 * c.y;  // the mark sits on the tile in either look of the table
      EXPECT_EQ(g.scr.win.at(8 * c.x + 1, top), kBlack) << c.lan << " " << c.junme << " " << s17;
      EXPECT_EQ(g.scr.win.at(8 * c.x + 1, top + kTileH - 1), kBlack) << c.lan << " " << c.junme;
      EXPECT_EQ(g.scr.win.at(8 * c.x + 1, top + kTileH), kWhite) << c.lan << " " << c.junme;
      EXPECT_EQ(g.scr.win.at(8 * c.x + 1, top - 1), kWhite) << c.lan << " " << c.junme;
    }
}

TEST_F(DrawTest, HandCounterShowsSeriesOrTurn) {
  constexpr int kBlank = 11;
  // The normal game: dealer turn in row 6, the repeat count in row 5.
  g.t.game_mode = 0;
  g.t.kyoku = 3;
  g.t.honba = 12;
  g.t.oya = 2;
  pr_kyoku(g);
  expect_frame(11, 15, 23, 18, 9);
  EXPECT_EQ(g.scr.win.at(98, 140), g.scr.iro[7]);  // the fill, left of the numbers
  EXPECT_EQ(cell_at(13, 16, 0), digit_colour(kBlank, 6));
  EXPECT_EQ(cell_at(13, 16, 1), digit_colour(3, 6));
  EXPECT_EQ(cell_at(18, 16, 0), digit_colour(kBlank, 5));
  EXPECT_EQ(cell_at(18, 16, 1), digit_colour(1, 5));
  EXPECT_EQ(cell_at(18, 16, 2), digit_colour(2, 5));
  EXPECT_EQ(g.scr.win.at(8 * 12 + 5, 8 * 53 + 9), marker_colour(2));  // markers drawn too

  // A 25-hand series: its length in row 1, the hand number in row 4.
  g.scr.win.fill(kBlack);
  g.t.game_mode = 4;
  g.t.game_no = 7;
  pr_kyoku(g);
  expect_frame(11, 15, 23, 18, 9);
  EXPECT_EQ(cell_at(12, 16, 0), digit_colour(kBlank, 1));
  EXPECT_EQ(cell_at(12, 16, 1), digit_colour(2, 1));
  EXPECT_EQ(cell_at(12, 16, 2), digit_colour(5, 1));
  EXPECT_EQ(cell_at(18, 16, 1), digit_colour(kBlank, 4));
  EXPECT_EQ(cell_at(18, 16, 2), digit_colour(7, 4));
}

TEST_F(DrawTest, RepeatMarkersCountToFiftyInTheDealersColour) {
  auto marker = [&](int col) { return g.scr.win.at(8 * col + 5, 8 * 53 + 9); };
  struct Case {
    int honba, oya, shown;
  } cases[] = {{0, 1, 0}, {1, 1, 1}, {3, 2, 3}, {49, 1, 49}, {50, 2, 50}, {51, 1, 50}, {999, 2, 50}};
  for (const Case& c : cases) {
    g.t.honba = 50;  // a full row first: a shorter one must erase the rest
    g.t.oya = 1;
    pr_honba(g);
    g.t.honba = std::int16_t(c.honba);
    g.t.oya = std::int16_t(c.oya);
    pr_honba(g);
    const Pixel want = marker_colour(c.oya == 1 ? 1 : 2);  // white while the user deals, pink otherwise
    for (int col = 1; col <= c.shown; ++col) ASSERT_EQ(marker(col), want) << c.honba << " col " << col;
    // Markers are 10 pixels wide on an 8-pixel grid: the last one overhangs by 2.
    const int clear_from = 8 * (1 + c.shown) + (c.shown ? 2 : 0);
    EXPECT_TRUE(shows_background(clear_from, 8 * 53, 8 * 51 + 2 - clear_from, k100H)) << c.honba;
    EXPECT_EQ(marker(52), kBlack) << c.honba;  // nothing beyond the fiftieth place
  }
}

TEST_F(DrawTest, ScoreBoxWithLogoCaptionScoreAndStickBox) {
  for (int c = 0; c < 4; ++c) fill_rect(g.scr.PicSCORE, 0, kScoreH * c, kScoreW, kScoreH, rgb(70, 71, c));
  g.t.man_ten = 300;
  g.t.ivent_bou = {1, 0, 3, 9, 2, 0};
  tg.os.time_of_day.second = 7;  // odd seconds: the second logo
  haikei_to_window(g);
  const Pixel under_shadow = g.scr.win.at(8 * 59 + 7, 8 * 24);
  gamen_sub(g);
  expect_frame(25, 21, 59, 26, 0);
  EXPECT_EQ(g.scr.win.at(330, 200), g.scr.iro[7]);
  const Pixel shadow = g.scr.win.at(8 * 59 + 7, 8 * 24);
  EXPECT_LT(red_of(shadow), red_of(under_shadow));
  EXPECT_LT(green_of(shadow), green_of(under_shadow));
  EXPECT_EQ(g.scr.win.at(208 + 3, 175 + 3), rgb(90, 91, 93));
  EXPECT_EQ(g.scr.win.at(208 + kGameW - 1, 175 + kGameH - 1), rgb(90, 91, 93));
  const Pixel caption = g.scr.win.at(8 * 42 + 3, 8 * 22 + 3);
  EXPECT_EQ(red_of(caption), 70);
  EXPECT_EQ(green_of(caption), 71);
  EXPECT_EQ(cell_at(42, 24, 4), digit_colour(11, 0));  // "     30000" in red
  EXPECT_EQ(cell_at(42, 24, 5), digit_colour(3, 0));
  EXPECT_EQ(cell_at(42, 24, 9), digit_colour(0, 0));
  // The event sticks: framed in colour 10, each icon above its count.
  expect_frame(11, 18, 23, 26, 10);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(g.scr.win.at(8 * (13 + 2 * i) + 5, 8 * 19 + 20), stick_colour(1 + i)) << i;
    EXPECT_EQ(cell_at(13 + 2 * i, 24, 0), digit_colour(g.t.ivent_bou[std::size_t(i)], 2)) << i;
  }
  tg.os.time_of_day.second = 8;
  pr_yugi(g);
  EXPECT_EQ(g.scr.win.at(208 + 3, 175 + 3), rgb(90, 91, 92));

  // No stick box in a LAN match.
  g.scr.win.fill(kBlack);
  g.t.lan_mode = 1;
  gamen_sub(g);
  EXPECT_EQ(g.scr.win.at(8 * 15, 8 * 22), kBlack);
  EXPECT_EQ(g.scr.win.at(8 * 13 + 5, 8 * 19 + 20), kBlack);
}

TEST_F(DrawTest, MeldsOfEachKindAtTheirPlaces) {
  g.scr.ura_no = 3;
  g.s.settei[7] = 0;
  g.t.man_naki_hai = {0, 3, 31, 19, 25, 0};
  g.t.man_naki_kind = {0, 1, 2, 3, 4, 0};
  g.t.man_naki_cnt = 5;
  // Meld k at row 47 - 7 (k - 1), tiles at columns 63, 67, 71, 75; 0 = face down.
  const int want[5][4] = {{}, {3, 4, 5, -1}, {31, 31, 31, -1}, {19, 19, 19, 19}, {0, 25, 25, 0}};
  for (int s17 : {0, 1}) {
    g.s.settei[17] = s17;
    g.scr.win.fill(kBlack);
    pr_naki_hai(g);
    const int face_y = s17 ? 20 : 30;  // upright face above the strip, or below it
    for (int k = 1; k <= 4; ++k)
      for (int j = 0; j < 4; ++j) {
        const Pixel p = at_grid(63 + 4 * j, 47 - 7 * (k - 1), 10, face_y);
        const int t = want[k][j];
        const Pixel expected = t < 0 ? kBlack : t == 0 ? back_colour(3, s17 == 1) : face_colour(t, false);
        EXPECT_EQ(p, expected) << "setting 17 " << s17 << " meld " << k << " tile " << j;
      }
  }
}

TEST_F(DrawTest, OperationWindowOfEveryMode) {
  struct Case {
    int mode, cursor, frame;
    std::vector<std::string> items;
    std::vector<int> glyphs;  // 0: the pair A, N
  } cases[] = {
      {0, 0, 2, {"ツモ", "ポン", "チー", "カン", "上がり"}, {14, 30, 31, 32, 34}},
      {1, 3, 1, {"捨てる", "カン", "リーチ", "上がり"}, {0, 32, 33, 34}},
      {2, 1, 3, {"捨てる", "取消し"}, {0, 33}},
      {3, 0, 10, {"選択"}, {0}},
      {4, 1, 11, {"ツモ", "上がり"}, {14, 34}},
      {5, 0, 12, {"捨てる", "上がり"}, {14, 34}},
      {6, 1, 13, {"捨てる", "カン"}, {0, 32}},
      {7, 2, 14, {"捨てる", "カン", "上がり"}, {0, 32, 34}},
      {1, 4, 1, {"捨てる", "カン", "リーチ", "上がり", "ﾎﾟﾝﾂﾞｹ"}, {0, 32, 33, 34, 35}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode));
    g.t.man_naki_cnt = c.items.size() == 5 && c.mode == 1 ? 2 : 1;  // ﾎﾟﾝﾂﾞｹ only with a meld
    g.scr.win.fill(kBlack);
    tg.os.texts.clear();
    sousa_window(g, c.cursor, c.mode);
    expect_frame(66, 4, 78, 17, 0);
    std::vector<std::string> texts = {"操　作"};
    texts.insert(texts.end(), c.items.begin(), c.items.end());
    EXPECT_EQ(tg.os.texts, texts);
    for (int i = 0; i < 5; ++i) {
      const int row = 7 + 2 * i;
      const bool shown = i < int(c.items.size());
      if (shown && c.glyphs[std::size_t(i)] == 0) {
        EXPECT_EQ(at_grid(67, row, 5, 5), key_colour(27)) << i;
        EXPECT_EQ(at_grid(69, row, 5, 5), key_colour(28)) << i;
      } else if (shown) {
        EXPECT_EQ(at_grid(68, row, 5, 5), key_colour(c.glyphs[std::size_t(i)])) << i;
      } else {
        EXPECT_EQ(at_grid(68, row, 5, 5), g.scr.iro[7]) << i;
      }
      // The item under the cursor is framed in the mode's colour.
      EXPECT_EQ(g.scr.win.at(8 * 67 - 2, 8 * row + 8) == g.scr.iro[std::size_t(c.frame)], i == c.cursor) << i;
    }
  }
}

TEST_F(DrawTest, HandStartScreenAndBothHands) {
  cells(g.scr.PicBA, kBaW, kBaH, 1, 5, [](int, int r) { return rgb(33, 44, 10 + r); });
  g.scr.ura_no = 2;
  g.s.settei[7] = 0;
  for (int i = 1; i <= 14; ++i) {
    g.t.man_hai[std::size_t(i)] = Tile(i <= 9 ? i : i + 2);
    g.t.com_hai[std::size_t(i)] = Tile(20 + (i <= 9 ? i : i - 8));
  }
  g.t.com_hai[5] = kEmpty;
  g.t.dora = 33;
  for (int oya : {1, 2})
    for (int s17 : {0, 1}) {
      SCOPED_TRACE("dealer " + std::to_string(oya) + " setting 17 " + std::to_string(s17));
      g.t.oya = std::int16_t(oya);
      g.s.settei[17] = s17;
      g.scr.win.fill(kBlack);
      shoki_gamen(g);
      EXPECT_EQ(at_grid(68, 0, 5, 5), rgb(33, 44, oya == 1 ? 10 : 11));  // 東 or 南
      EXPECT_TRUE(piece_at(9, kTL, 11, 15));  // the hand counter, its foot under the stick box
      expect_frame(11, 18, 23, 26, 10);
      expect_frame(25, 21, 59, 26, 0);
      EXPECT_EQ(at_grid(1, 20, 5, 5), label_colour(14));  // ドラ
      EXPECT_EQ(at_grid(1, 22, 10, s17 ? 20 : 30), face_colour(33, false));
      EXPECT_EQ(at_grid(5, 22, 10, 30), back_colour(2, s17 == 1));
      for (int i = 1; i <= 14; ++i) EXPECT_EQ(at_grid(4 * i, 51, 5, 5), key_colour(i)) << i;  // A..N
      // The user's hand upright, the opponent's from its side, face up or down.
      man_disp(g);
      com_disp(g);
      for (int i = 1; i <= 14; ++i) {
        EXPECT_EQ(at_grid(4 * i - 1, 43, 10, 30), face_colour(g.t.man_hai[std::size_t(i)], false)) << i;
        if (i != 5)
          EXPECT_EQ(at_grid(65 - 4 * i, 0, 10, 20), face_colour(g.t.com_hai[std::size_t(i)], s17 == 1)) << i;
      }
      EXPECT_TRUE(shows_background(8 * 45, 0, kTileW, kTileH));  // the empty slot 5
      com_ura_disp(g);
      for (int i = 1; i <= 14; ++i)
        if (i != 5) EXPECT_EQ(at_grid(65 - 4 * i, 0, 10, 20), back_colour(2, s17 == 1)) << i;
      EXPECT_TRUE(shows_background(8 * 45, 0, kTileW, kTileH));
    }
}

TEST_F(DrawTest, PointsBoxAndKanDoraBox) {
  cells(g.scr.picHANSU, kHansuW, kHansuH, 1, 9, [](int, int r) { return rgb(60, 61, r); });
  cells(g.scr.picHANH, kHanhW, kHanhH, 3, 1, [](int w, int) { return rgb(62, 63, w); });
  g.s.settei[12] = 1;
  g.t.agari_pl = 1;
  g.t.oya = 2;
  g.t.man_ten = 300;
  for (int bairitu : {1, 2}) {
    g.t.bairitu = std::int16_t(bairitu);
    haikei_to_window(g);
    score_input(g, 5);  // a mangan: 8,000, twice that with the double-score event
    expect_frame(44, 27, 62, 38, 0);
    EXPECT_EQ(at_grid(49, 28, 3, 3), rgb(60, 61, 4));  // 満貫
    EXPECT_EQ(at_grid(50, 32, 3, 3), bairitu == 2 ? rgb(62, 63, 2) : g.scr.iro[7]);
    const char* digits = bairitu == 2 ? "     16000" : "      8000";
    for (int i = 0; i < 10; ++i)
      EXPECT_EQ(cell_at(45, 35, i), digit_colour(digits[i] == ' ' ? 11 : digits[i] - '0', 1)) << i;
  }
  // The kan-dora box: only with the setting and a kan of the user's.
  g.s.settei[9] = 1;
  g.s.settei[17] = 0;
  g.t.kan_dora = 14;
  g.t.man_naki_cnt = 2;
  g.t.man_naki_hai[1] = 7;
  g.t.man_naki_kind[1] = 2;
  haikei_to_window(g);
  kan_dora_pr(g);  // a pon is not a kan
  EXPECT_TRUE(shows_background(8 * 7, 8 * 7, 8 * 6, 8 * 11));
  g.t.man_naki_kind[1] = 4;
  tg.os.texts.clear();
  kan_dora_pr(g);
  expect_frame(7, 7, 12, 17, 2);
  EXPECT_EQ(at_grid(8, 10, 10, 30), face_colour(14, false));
  EXPECT_EQ(tg.os.texts, std::vector<std::string>{"カン"});
}

TEST_F(DrawTest, YakuListBoxGrowsWithItsSides) {
  cells(g.scr.picYAKUMEI, kYakuW, kYakuH, 1, kYakuCount, [](int, int k) { return rgb(120, 121, k); });
  g.t.agari_pl = 1;
  g.scr.yaku_x = 11;
  g.scr.yaku_y = 20;
  haikei_to_window(g);
  waku_pr(g);
  expect_frame(10, 22, 41, 26, 0);
  const std::int16_t images[] = {31, 39, 44};
  for (int line = 0; line < 3; ++line) {
    std::int16_t image = images[line], code = std::int16_t(images[line] + 4);
    yaku_mei(g, image, code);
    const int bottom = 26 + 3 * line;
    SCOPED_TRACE("line " + std::to_string(line + 1));
    expect_frame(10, 22, 41, bottom, 0);
    EXPECT_EQ(at_grid(11, 23 + 3 * line, 3, 3), rgb(120, 121, images[line]));
    EXPECT_EQ(at_grid(40, bottom - 1, 3, 3), g.scr.iro[7]);  // filled beside the name
    const Pixel shadow = g.scr.win.at(8 * 20, 8 * bottom + 7), under = g.scr.PicHAIKEI.at(8 * 20, 8 * bottom + 7);
    EXPECT_LT(red_of(shadow), red_of(under));
  }
}

TEST_F(DrawTest, CalledTileMarkSitsOnTheLatestDiscard) {
  // Cursor of the row after the latest discard -> that discard's place.
  struct Case {
    bool user_row;
    int junme, cur_x, cur_y, col, row;
  } cases[] = {
      {false, 2, 57, 14, 61, 14}, {false, 10, 25, 14, 29, 14}, {false, 11, 61, 7, 25, 14},
      {false, 12, 57, 7, 61, 7},  {true, 2, 7, 29, 3, 29},     {true, 10, 39, 29, 35, 29},
      {true, 11, 3, 36, 39, 29},  {true, 12, 7, 36, 3, 36},
  };
  for (const Case& c : cases)
    for (int s17 : {0, 1})
      for (int kind : {1, 2, 3}) {
        SCOPED_TRACE(std::string(c.user_row ? "user" : "opponent") + " discard " + std::to_string(c.junme - 1) +
                     " setting 17 " + std::to_string(s17) + " kind " + std::to_string(kind));
        g.s.settei[17] = s17;
        g.scr.win.fill(kWhite);
        if (c.user_row) {
          g.t.man_junme = std::int16_t(c.junme);
          g.t.man_sute_x = std::int16_t(c.cur_x);
          g.t.man_sute_y = std::int16_t(c.cur_y);
          lan_sute_ichi_kesu(g, kind);
        } else {
          g.t.com_junme = std::int16_t(c.junme);
          g.t.com_sute_x = std::int16_t(c.cur_x);
          g.t.com_sute_y = std::int16_t(c.cur_y);
          com_sute_ichi_kesu(g, kind);
        }
        for (int dy : {-1, 2, 30, kTileH})
          EXPECT_EQ(at_grid(c.col, c.row, 31, dy), dy < 0 || dy >= kTileH ? kWhite : kChecker) << dy;
        EXPECT_EQ(at_grid(c.col - 1, c.row, 7, 30), kWhite);
        EXPECT_EQ(at_grid(c.col + 4, c.row, 0, 30), kWhite);
        // ポン, チー or カン under the mark's top, or in its lower half with setting 17.
        EXPECT_EQ(at_grid(c.col, c.row + (s17 ? 5 : 1), 5, 5), label_colour(kind + 1));
      }
}

// Drawing that reaches past the table's edge is forgotten like any other once
// the whole table is painted over: a long game must not pile it up.
TEST(DrawRecord, DrawingPastTheEdgeIsForgottenUnderAWholePaint) {
  Surface win(kScreenW, kScreenH);
  DrawLog log;
  for (int i = 0; i < 50; ++i) log.record({&win, IRect{552, 40 + i, 96, 48}, false, nullptr, {}, [] {}});
  log.record({&win, IRect{-8, -8, 20, 20}, false, nullptr, {}, [] {}});
  ASSERT_EQ(log.size(), 51u);
  log.record({&win, IRect{0, 0, kScreenW, kScreenH}, true, nullptr, {}, [] {}});
  EXPECT_EQ(log.size(), 1u);
}

}  // namespace
}  // namespace sekiba

namespace sekiba {
namespace {

// At a fractional scale the pieces of a tile meet on device rows of their own:
// inside the outline every device pixel comes from one of the tile's pieces,
// never the black of the mask between them nor two pieces XOR-ed together.
TEST(TileSeams, EveryModeIsWholeAtFractionalScales) {
  using namespace sheet;
  test::TestGame tg;
  Game& g = tg.g;
  fill_iro(g);
  g.scr.ura_no = 3;
  const Pixel table = rgb(20, 110, 70);
  const int code = 22;
  const int fx = kTileW * (code % 10), fy = kFaceH * (code / 10);
  for (double k : {1.25, 1.5, 1.5625, 1.75, 2.0}) {
    set_screen_scale(tg.os, g.scr, k);
    const Surface &up = g.scr.PicHAI, &rev = g.scr.picHAI2;
    auto colours_of = [](const Surface& s, int x, int y, int w, int h, std::set<Pixel>& out) {
      for (int yy = s.dev(y); yy < s.dev(y + h); ++yy)
        for (int xx = s.dev(x); xx < s.dev(x + w); ++xx) out.insert(s.at(xx, yy));
    };
    std::set<Pixel> pieces[3];
    colours_of(up, fx, fy, kTileW, kFaceH, pieces[0]);
    colours_of(up, 0, kStripY + kStripH * 3, kTileW, kStripH, pieces[0]);
    colours_of(rev, fx, fy, kTileW, kFaceH, pieces[1]);
    colours_of(rev, 0, kStripY2 + kStripH * 3, kTileW, kStripH, pieces[1]);
    pieces[2] = pieces[1];
    colours_of(up, fx, fy, kTileW, kFaceH, pieces[2]);
    for (int mode : {0, 1, 2}) {
      fill_rect(g.scr.win, 0, 0, kScreenW, kScreenH, table);
      // The opponent's two discard rows, the user's two and the user's hand.
      std::vector<GridPlace> places;
      for (int i = 1; i <= 20; ++i) places.push_back(com_sute_place(i));
      for (int i = 1; i <= 20; ++i) places.push_back(man_sute_place(i));
      for (int i = 1; i <= 14; ++i) places.push_back({4 * i - 1, 43});
      for (const GridPlace& p : places) hai_put(g, code, p.x, p.y, mode);
      const Surface& w = g.scr.win;
      int bad = 0;
      for (const GridPlace& p : places) {
        const int x = 8 * p.x, y = 8 * p.y;
        for (int yy = w.dev(y + 2); yy < w.dev(y + 51); ++yy)
          for (int xx = w.dev(x + 2); xx < w.dev(x + 30); ++xx) {
            const Pixel px = w.at(xx, yy);
            if (px != kBlack && pieces[mode].count(px)) continue;
            if (++bad <= 3)
              ADD_FAILURE() << "scale " << k << " mode " << mode << " tile at column " << p.x
                            << " row " << p.y << ": device pixel " << xx << "," << yy
                            << " (row " << yy - w.dev(y) << " of the tile) is "
                            << (px == kBlack ? "black" : "no piece's colour");
          }
      }
      EXPECT_EQ(bad, 0) << "scale " << k << " mode " << mode;
    }
  }
}

}  // namespace
}  // namespace sekiba
