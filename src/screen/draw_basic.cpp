// Tiles, labels, digits, boxes and texts on the grid of the window surface.
#include <algorithm>
#include <limits>
#include <string>

#include "engine/game.h"
#include "engine/waits.h"
#include "screen/draw.h"
#include "screen/raster.h"

namespace sekiba {

using namespace sheet;

namespace {

Surface& win(Game& g) { return g.scr.win; }

// A table nobody looks at is not drawn.
bool unseen(const Game& g) { return !g.scr.shown; }

void changed(Game& g) { g.os.window_changed(); }

int back_design(const Game& g) { return std::clamp(g.scr.ura_no, 0, 7); }

// Erases a rectangle of the window by copying the clean background back.
void restore(Game& g, int x, int y, int w, int h) {
  if (unseen(g)) return;
  blit(win(g), x, y, g.scr.PicHAIKEI, x, y, w, h, Rop::Copy);
}

// A masked picture: the mask in cell (mx, my) cuts the shape, the image is laid in.
void masked(Game& g, const Surface& sheet, int mx, int my, int ix, int iy, int w, int h, int x,
            int y) {
  if (unseen(g)) return;
  blit(win(g), x, y, sheet, mx, my, w, h, Rop::And);
  blit(win(g), x, y, sheet, ix, iy, w, h, Rop::Xor);
}

// Frame pieces are copied except where they hold the transparent key colour,
// so the fill of the box shows through the inner part of each piece.
void keyed(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h) {
  blit(dst, dx, dy, src, sx, sy, w, h, Rop::Key);
}

// The drop shadow of a box darkens whatever lies under it on the window, once:
// a box drawn again over its own shadow leaves the shadow as it was.
void shade(Game& g, int x, int y, int w, int h) {
  if (!unseen(g)) darken_rect(g.scr.win, x, y, w, h);
}

Pixel iro(const Game& g, int col) {
  return (col >= 0 && col < int(g.scr.iro.size())) ? g.scr.iro[std::size_t(col)] : kBlack;
}

// The rightmost n characters of nn written with leading blanks, as a fixed-width
// field of digits.
std::string right_field(long long nn, int n) {
  std::string s = std::to_string(nn);
  if (int(s.size()) < n) s = std::string(std::size_t(n) - s.size(), ' ') + s;
  return s.substr(s.size() - std::size_t(n));
}

// One character cell of the digit sheet; anything but a digit or T is a blank cell.
void suji_cell(Game& g, char c, int x, int y, int cc) {
  cc = std::clamp(cc, 0, kSujiRows - 1);
  int k = kSujiT + 1;  // the blank cell after T
  if (c >= '0' && c <= '9') k = c - '0';
  else if (c == 'T') k = kSujiT;
  blit(win(g), x, y, g.scr.picSUJIS, kSujiW * k, kSujiH * cc, kSujiW, kSujiH, Rop::Copy);
}

void suji_text(Game& g, const std::string& s, int sx, int sy, int cc) {
  if (unseen(g)) return;
  for (std::size_t i = 0; i < s.size(); ++i)
    suji_cell(g, s[i], 8 * sx + kSujiStep * int(i), 8 * sy, cc);
  changed(g);
}

void text_at(Game& g, int sx, int sy, const std::string& moji, int col, int fl, int point,
             int cell = 0) {
  if (unseen(g)) return;
  TextStyle st{point, true, iro(g, 0), cell};
  if (fl == 1) put_text(g.os, win(g), 8 * sx + 1, 8 * sy + 1, moji, st);
  st.color = iro(g, col);
  put_text(g.os, win(g), 8 * sx, 8 * sy, moji, st);
  changed(g);
}

void plain_label(Game& g, const Surface& sheet, int sx, int sy, int w, int h, int xx, int yy) {
  if (unseen(g)) return;
  blit(win(g), 8 * xx, 8 * yy, sheet, sx, sy, w, h, Rop::Copy);
  changed(g);
}

void masked_label(Game& g, const Surface& sheet, int cell_x, int cell_y, int w, int h, int xx,
                  int yy, bool erase) {
  if (unseen(g)) return;
  if (erase) restore(g, 8 * xx, 8 * yy, w, h);
  else masked(g, sheet, 0, 0, cell_x, cell_y, w, h, 8 * xx, 8 * yy);
  changed(g);
}

}  // namespace

void fill_iro(Game& g) {
  static constexpr Pixel table[17] = {
      rgb(0, 0, 0),      rgb(0, 0, 255),    rgb(255, 0, 0),    rgb(255, 0, 255),
      rgb(0, 255, 0),    rgb(0, 255, 255),  rgb(255, 255, 0),  rgb(255, 255, 255),
      rgb(128, 128, 128), rgb(39, 103, 247), rgb(246, 44, 92), rgb(249, 63, 239),
      rgb(34, 172, 15),  rgb(148, 204, 28), rgb(247, 128, 39), rgb(198, 204, 29),
      rgb(0, 0, 0)};
  std::copy(std::begin(table), std::end(table), g.scr.iro.begin());
}

namespace {
// The strip below a face lying flat starts on the face's last row (pixel row 40
// of the tile). That first row goes on its own, so the rest begins exactly
// where the face ends at every scale: at a fractional one the two rectangles
// would otherwise round to different device rows and leave the mask's black, or
// both pieces, on the row between them.
void bottom_strip(Surface& w, int x, int y, const Surface& rev, int d) {
  const int sy = kStripY2 + kStripH * d;
  blit(w, x, y + kFaceH - 1, rev, 0, sy, kTileW, 1, Rop::Xor);
  blit(w, x, y + kFaceH, rev, 0, sy + 1, kTileW, kStripH - 1, Rop::Xor);
}
}  // namespace

void hai_put(Game& g, int no, int disp_x, int disp_y, int mode) {
  if (unseen(g)) return;
  const int x = 8 * disp_x, y = 8 * disp_y;
  const int s17 = g.s.settei[17];
  if (no == kEmpty) {
    restore(g, x, y, kTileW, kTileH);
  } else if (no == kCalledMark) {
    blit(win(g), x, y + (s17 == 1 ? 8 : 0), g.scr.PicHAI, kCheckerX, kBackY, kTileW, kTileH,
         Rop::And);
  } else if (no >= 0 && no < 40) {
    int fx = kTileW * (no % 10), fy = kFaceH * (no / 10);
    if (g.s.settei[7] == 1 && no == 25) {
      fx = kRedFiveX;
      fy = kRedFiveY;
    }
    const int d = back_design(g);
    const Surface& up = g.scr.PicHAI;
    const Surface& rev = g.scr.picHAI2;
    Surface& w = win(g);
    if (mode == 0) {
      blit(w, x, y, up, 0, 0, kTileW, kTileH, Rop::And);
      blit(w, x, y, up, 0, kStripY + kStripH * d, kTileW, kStripH, Rop::Xor);
      blit(w, x, y + kStripH, up, fx, fy, kTileW, kFaceH, Rop::Xor);
    } else if (mode == 1) {
      blit(w, x, y, rev, 0, 0, kTileW, kTileH, Rop::And);
      blit(w, x, y, rev, fx, fy, kTileW, kFaceH, Rop::Xor);
      bottom_strip(w, x, y, rev, d);
    } else {
      // An upright face sitting on the strip: the face's border bands come from
      // the turned sheet, its picture from the upright one.
      blit(w, x, y, rev, 0, 0, kTileW, kTileH, Rop::And);
      bottom_strip(w, x, y, rev, d);
      blit(w, x, y, rev, fx, fy, kTileW, 3, Rop::Xor);
      blit(w, x, y + 3, up, fx, fy + 3, kTileW, 35, Rop::Xor);
      blit(w, x, y + 38, rev, fx, fy + 38, kTileW, 3, Rop::Xor);
      blit(w, x + 2, y + 2, up, fx + 2, fy + 2, 28, 1, Rop::Copy);
    }
  } else {
    return;  // not a tile code: nothing to draw
  }
  changed(g);
}

void ura_put(Game& g, int disp_x, int disp_y, int mode) {
  if (unseen(g)) return;
  const Surface& sh = mode != 0 ? g.scr.picHAI2 : g.scr.PicHAI;
  masked(g, sh, 0, 0, kTileW * back_design(g), kBackY, kTileW, kTileH, 8 * disp_x, 8 * disp_y);
  changed(g);
}

namespace {
void frame_piece(Game& g, int row, WakuPiece piece, int cx, int cy) {
  keyed(win(g), 8 * cx, 8 * cy, g.scr.PicWAKU, kWakuPiece * int(piece), kWakuPiece * row,
        kWakuPiece, kWakuPiece);
}

void frame_sides(Game& g, int row, int sx, int ex, int sy, int ey) {
  for (int cy = sy + 1; cy < ey; ++cy) {
    frame_piece(g, row, kVert, sx, cy);
    frame_piece(g, row, kVert, ex, cy);
  }
}
}  // namespace

void gbox_r(Game& g, int sx, int sy, int ex, int ey, int fcol, int lcol, int fl) {
  if (unseen(g)) return;
  // The frame line runs along pixels 2..5 of its pieces; the shadow falls two
  // pixels beyond it on the right and below.
  if (fl == 1) {
    shade(g, 8 * ex + 6, 8 * sy + 4, 2, 8 * (ey - sy) + 4);
    shade(g, 8 * sx + 4, 8 * ey + 6, 8 * (ex - sx) + 2, 2);
  }
  fill_rect(win(g), 8 * sx + 5, 8 * sy + 5, 8 * ex + 3 - (8 * sx + 5) + 1, 8 * ey + 3 - (8 * sy + 5) + 1,
            iro(g, fcol));
  const int row = (lcol > 0 && lcol < kWakuRows) ? lcol : 0;
  frame_piece(g, row, kTL, sx, sy);
  frame_piece(g, row, kTR, ex, sy);
  frame_piece(g, row, kBL, sx, ey);
  frame_piece(g, row, kBR, ex, ey);
  for (int cx = sx + 1; cx < ex; ++cx) {
    frame_piece(g, row, kHorz, cx, sy);
    frame_piece(g, row, kHorz, cx, ey);
  }
  frame_sides(g, row, sx, ex, sy, ey);
  changed(g);
}

void gbox_r_end(Game& g, int sx, int ex, int ey, int fcol, int lcol, int fl) {
  if (unseen(g)) return;
  // The box grows by one line of the list (three rows): its old bottom row
  // becomes part of the sides, so the old corners and edge are painted over
  // with the inside, and the sides and shadow run down to the new bottom.
  const int sy = ey - 3;
  if (fl == 1) {
    shade(g, 8 * ex + 6, 8 * sy, 2, 8 * (ey - sy) + 8);
    shade(g, 8 * sx + 4, 8 * ey + 6, 8 * (ex - sx) + 2, 2);
  }
  fill_rect(win(g), 8 * sx + 2, 8 * sy, 8 * (ex - sx) + 4, 8 * (ey - sy) + 4, iro(g, fcol));
  const int row = (lcol > 0 && lcol < kWakuRows) ? lcol : 0;
  for (int cy = sy; cy < ey; ++cy) {
    frame_piece(g, row, kVert, sx, cy);
    frame_piece(g, row, kVert, ex, cy);
  }
  frame_piece(g, row, kBL, sx, ey);
  frame_piece(g, row, kBR, ex, ey);
  for (int cx = sx + 1; cx < ex; ++cx) frame_piece(g, row, kHorz, cx, ey);
  changed(g);
}

namespace {
// Texts are laid on the column grid, a half-width character taking one column
// (two at 24 point, four at 48), so that marks and boxes placed by column meet
// the characters they belong to. A text that would run past end_col is set on
// a narrower grid instead.
void grid_text(Game& g, int sx, int sy, const std::string& moji, int col, int fl, int point,
               int end_col) {
  int cell = 8 * point / 12;
  const int cols = grid_columns(moji);
  if (cols > 0) cell = std::max(1, std::min(cell, 8 * (end_col - sx) / cols));
  text_at(g, sx, sy, moji, col, fl, point, cell);
}
}  // namespace

void disp_gr(Game& g, int sx, int sy, const std::string& moji, int col, int fl) {
  grid_text(g, sx, sy, moji, col, fl, 12, kScreenW / 8);
}
void disp_gr2(Game& g, int sx, int sy, const std::string& moji, int col, int fl) {
  grid_text(g, sx, sy, moji, col, fl, 24, kScreenW / 8);
}
void disp_gr2_fit(Game& g, int sx, int sy, const std::string& moji, int col, int fl, int end_col) {
  grid_text(g, sx, sy, moji, col, fl, 24, end_col);
}
void disp_gr_big(Game& g, int sx, int sy, const std::string& moji, int col, int fl) {
  grid_text(g, sx, sy, moji, col, fl, 48, kScreenW / 8);
}
void suji(Game& g, int nn, int sx, int sy, int col) {
  text_at(g, sx, sy, std::to_string(nn), col, 0, 14);
}
void pr_suji_ss(Game& g, int nn, int sx, int sy, int col) {
  text_at(g, sx, sy, std::to_string(nn), col, 0, 14);
}
void pr_suji(Game& g, int nn, int sx, int sy, int col) {
  text_at(g, sx, sy, std::to_string(nn), col, 0, 15);
}

void pr_suji_1(Game& g, int nn, int sx, int sy, int cc) { suji_text(g, right_field(nn, 1), sx, sy, cc); }
void pr_suji_2(Game& g, int nn, int sx, int sy, int cc) { suji_text(g, right_field(nn, 2), sx, sy, cc); }
void pr_suji_3(Game& g, int nn, int sx, int sy, int cc) { suji_text(g, right_field(nn, 3), sx, sy, cc); }

void pr_dai_suji(Game& g, long long nn, int sx, int sy, int cc) {
  suji_text(g, right_field(nn * 100, 10), sx, sy, cc);
}

namespace {

int date_separator(char c) { return c == '/' ? 0 : c == ':' ? 1 : c == '-' ? 2 : -1; }

// Pixels the date covers when a separator takes sep_step.
int date_width(const std::string& s, int sep_step) {
  int w = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const bool sep = date_separator(s[i]) >= 0;
    if (i + 1 == s.size()) w += sep ? kMaiW : kSujiW;
    else w += sep ? sep_step : kSujiStep;
  }
  return w;
}

void date_cells(Game& g, const std::string& s, int x, int y, int cc, int sep_step, int max_x) {
  cc = std::clamp(cc, 0, kSujiRows - 1);
  for (char c : s) {
    const int sep = date_separator(c);
    if (x + (sep >= 0 ? kMaiW : kSujiW) > max_x) break;
    if (sep >= 0)
      blit(win(g), x + (sep_step - kMaiW) / 2, y, g.scr.picMAI, kMaiW * sep, kMaiH * cc, kMaiW,
           kMaiH, Rop::Copy);
    else
      suji_cell(g, c, x, y, cc);
    x += sep >= 0 ? sep_step : kSujiStep;
  }
  changed(g);
}

}  // namespace

void pr_suji_date(Game& g, const std::string& moji_date, int sx, int sy, int cc) {
  date_cells(g, moji_date, 8 * sx, 8 * sy, cc, kSujiStep, std::numeric_limits<int>::max());
}

void pr_suji_date_fit(Game& g, const std::string& moji_date, int sx, int sy, int cc, int max_w) {
  std::string s = moji_date;
  for (int round = 0; round < 2; ++round) {
    for (int sep_step : {kSujiStep, 10, kMaiW}) {
      if (date_width(s, sep_step) <= max_w) return date_cells(g, s, 8 * sx, 8 * sy, cc, sep_step, 8 * sx + max_w);
    }
    const std::size_t first = s.find_first_of("/-");
    const bool long_year = first == 4 && std::all_of(s.begin(), s.begin() + 4, [](char c) { return c >= '0' && c <= '9'; });
    if (!long_year) break;
    s.erase(0, 2);
  }
  date_cells(g, s, 8 * sx, 8 * sy, cc, kMaiW, 8 * sx + max_w);
}

void font_ron(Game& g, int no, int xx, int yy) { plain_label(g, g.scr.picRON, 0, kRonH * no, kRonW, kRonH, xx, yy); }
void font_hansu(Game& g, int no, int xx, int yy) { plain_label(g, g.scr.picHANSU, 0, kHansuH * no, kHansuW, kHansuH, xx, yy); }
void font_ba(Game& g, int no, int xx, int yy) { plain_label(g, g.scr.PicBA, 0, kBaH * no, kBaW, kBaH, xx, yy); }
void font_hanh(Game& g, int no, int xx, int yy) { plain_label(g, g.scr.picHANH, kHanhW * no, 0, kHanhW, kHanhH, xx, yy); }
void font_yakunasi(Game& g, int, int xx, int yy) { plain_label(g, g.scr.picYAKUNASI, 0, 0, kYakuW, kYakuH, xx, yy); }
void font_yakumei(Game& g, int no, int xx, int yy) { plain_label(g, g.scr.picYAKUMEI, 0, kYakuH * no, kYakuW, kYakuH, xx, yy); }
void font_sujih(Game& g, int no, int xx, int yy) { plain_label(g, g.scr.picSUJIH, kSujihW * no, 0, kSujihW, kSujihH, xx, yy); }
void font_bai(Game& g, int, int xx, int yy) { plain_label(g, g.scr.picBAI, 0, 0, kBaiW, kBaiH, xx, yy); }
void font_mai(Game& g, int no, int xx, int yy) { plain_label(g, g.scr.picMAI, kMaiW * no, 0, kMaiW, kMaiH, xx, yy); }

void font_moji(Game& g, int xx, int yy, int no) {
  if (no < 0 || no >= kMojiRows) return;
  masked_label(g, g.scr.PicMOJI, 0, kMojiH * no, kMojiW, kMojiH, xx, yy, no == 0);
}
void font_mk(Game& g, int xx, int yy, int no) {
  if (no < 0 || no >= kMkCells) return;
  masked_label(g, g.scr.PicMK, kMkW * no, 0, kMkW, kMkH, xx, yy, no == 0);
}
void font_bar(Game& g, int xx, int yy, int no) {
  if (no < 0 || no > 1) return;
  masked_label(g, g.scr.PicBAR, kBarW * no, 0, kBarW, kBarH, xx, yy, no == 0);
}
void font_nagai(Game& g, int xx, int yy, int no) {
  if (no < 0 || no >= kNagaiCells) return;
  masked_label(g, g.scr.PicNAGAI, kNagaiW * no, 0, kNagaiW, kNagaiH, xx, yy, no == 0);
}

void font_sub(Game& g, int no, int xx, int yy) {
  int cell;
  if (no >= 41 && no <= 44) cell = 6 + (no - 41);       // 100 .. 10,000 point sticks
  else if (no >= 46 && no <= 50) cell = 1 + (no - 46);  // the five event sticks
  else if (no == 45) cell = 0;                          // erase
  else return;
  masked_label(g, g.scr.PicBOU, kBouW * cell, 0, kBouW, kBouH, xx, yy, cell == 0);
}

void font_sub_mini(Game& g, int no, int xx, int yy) {
  if (no < 0 || no > 2) return;
  masked_label(g, g.scr.Pic100, k100W * no, 0, k100W, k100H, xx, yy, no == 0);
}

void font_score(Game& g, int xx, int yy) {
  plain_label(g, g.scr.PicSCORE, 0, kScoreH * (back_design(g) % 4), kScoreW, kScoreH, xx, yy);
}

void gvram_push(Game& g, int yt, int ye) {
  if (unseen(g)) return;
  const int y0 = std::clamp(16 * yt, 0, kScreenH), y1 = std::clamp(16 * ye, 0, kScreenH);
  blit(g.scr.PicWORK, 0, y0, win(g), 0, y0, kScreenW, y1 - y0, Rop::Copy);
}

void gvram_pop(Game& g, int yt, int ye) {
  if (unseen(g)) return;
  const int y0 = std::clamp(16 * yt, 0, kScreenH), y1 = std::clamp(16 * ye, 0, kScreenH);
  blit(win(g), 0, y0, g.scr.PicWORK, 0, y0, kScreenW, y1 - y0, Rop::Copy);
  changed(g);
}

void g_line(Game& g, int a, int y1, int b, int y2, int fcol, int flg) {
  if (unseen(g)) return;
  const Pixel c = iro(g, fcol);
  if (flg == 1) {
    fill_rect(win(g), std::min(a, b), std::min(y1, y2), std::abs(b - a) + 1, std::abs(y2 - y1) + 1, c);
  } else if (flg == 2) {
    draw_line(win(g), a, y1, b, y1, c);
    draw_line(win(g), a, y2, b, y2, c);
    draw_line(win(g), a, y1, a, y2, c);
    draw_line(win(g), b, y1, b, y2, c);
  } else {
    draw_line(win(g), a, y1, b, y2, c);
  }
  changed(g);
}

GridPlace man_sute_place(int i) { return {3 + 4 * ((i - 1) % 10), 29 + 7 * ((i - 1) / 10)}; }
GridPlace com_sute_place(int i) { return {61 - 4 * ((i - 1) % 10), 14 - 7 * ((i - 1) / 10)}; }

void naki_mark(Game& g, GridPlace at, int kind) {
  const bool s17 = g.s.settei[17] == 1;
  hai_put(g, kCalledMark, at.x, s17 ? at.y - 1 : at.y, 0);
  static constexpr int kLabel[4] = {0, 2, 3, 4};  // ポン, チー, カン
  if (kind >= 1 && kind <= 3) font_moji(g, at.x, at.y + (s17 ? 5 : 1), kLabel[kind]);
}

void tenmetu(Game& g, int kk, int f) {
  const int last = std::min<int>(g.t.man_junme - 1, 20);
  for (int i = 1; i <= last; ++i) {
    if (g.t.man_sute[std::size_t(i)] != kk) continue;
    const GridPlace p = man_sute_place(i);
    const bool rechi = g.scr.man_sute_rechi == i;
    const int naki = g.scr.man_sute_naki[std::size_t(i)];
    const int mark_y = p.y + (g.s.settei[17] == 1 ? 5 : 1);
    if (f != 0) {
      // The marks come back with their tile, in the order they were laid.
      hai_put(g, kk, p.x, p.y, 2 * g.s.settei[17]);
      if (rechi) font_moji(g, p.x, mark_y, 1);
      if (naki != 0) naki_mark(g, p, naki);
    } else {
      hai_put(g, kEmpty, p.x, p.y, 0);
      // A mark may reach past the tile's place (below it when the strip is at
      // the bottom): nothing of it stays behind.
      if (rechi || naki != 0) font_moji(g, p.x, mark_y, 0);
    }
  }
}

void haikei_to_window(Game& g) {
  if (unseen(g)) return;
  blit(win(g), 0, 0, g.scr.PicHAIKEI, 0, 0, kScreenW, kScreenH, Rop::Copy);
  changed(g);
}

}  // namespace sekiba
