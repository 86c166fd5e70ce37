#pragma once
// The drawing routines of the table: tiles, labels, digits, boxes and texts on the
// 8-pixel grid of the 640 x 480 window surface, and the composite routines that
// redraw one part of the table. Erasing copies the clean background back.
#include <string>

#include "platform/surface.h"

namespace sekiba {

struct Game;

void fill_iro(Game& g);

// Tiles.
void hai_put(Game& g, int no, int disp_x, int disp_y, int mode);
void ura_put(Game& g, int disp_x, int disp_y, int mode);

// Boxes and texts.
void gbox_r(Game& g, int sx, int sy, int ex, int ey, int fcol, int lcol, int fl);
void gbox_r_end(Game& g, int sx, int ex, int ey, int fcol, int lcol, int fl);
void disp_gr(Game& g, int sx, int sy, const std::string& moji, int col, int fl);
void disp_gr2(Game& g, int sx, int sy, const std::string& moji, int col, int fl);
// disp_gr2 for a text that has to end by column end_col: its grid is narrowed
// to fit.
void disp_gr2_fit(Game& g, int sx, int sy, const std::string& moji, int col, int fl, int end_col);
void disp_gr_big(Game& g, int sx, int sy, const std::string& moji, int col, int fl);
// Numbers as text in the window font (14, 14 and 15 point), top-left at the grid place.
void suji(Game& g, int nn, int sx, int sy, int col);
void pr_suji_ss(Game& g, int nn, int sx, int sy, int col);
void pr_suji(Game& g, int nn, int sx, int sy, int col);

// Numbers from the digit sheet.
void pr_suji_1(Game& g, int nn, int sx, int sy, int cc);
void pr_suji_2(Game& g, int nn, int sx, int sy, int cc);
void pr_suji_3(Game& g, int nn, int sx, int sy, int cc);
void pr_dai_suji(Game& g, long long nn, int sx, int sy, int cc);
void pr_suji_date(Game& g, const std::string& moji_date, int sx, int sy, int cc);
// The same in at most max_w pixels: the separators close up first, then a
// four-digit year gives up its century; what still does not fit is left out.
void pr_suji_date_fit(Game& g, const std::string& moji_date, int sx, int sy, int cc, int max_w);

// Plain labels (copied opaque): no, column, row.
void font_ron(Game& g, int no, int xx, int yy);
void font_hansu(Game& g, int no, int xx, int yy);
void font_ba(Game& g, int no, int xx, int yy);
void font_hanh(Game& g, int no, int xx, int yy);
void font_yakunasi(Game& g, int no, int xx, int yy);
void font_yakumei(Game& g, int no, int xx, int yy);
void font_sujih(Game& g, int no, int xx, int yy);
void font_bai(Game& g, int no, int xx, int yy);
void font_mai(Game& g, int no, int xx, int yy);
// Masked labels: column, row, image (0 erases).
void font_moji(Game& g, int xx, int yy, int no);
void font_mk(Game& g, int xx, int yy, int no);
void font_bar(Game& g, int xx, int yy, int no);
void font_nagai(Game& g, int xx, int yy, int no);
// Sticks and markers (masked): glyph 41..44 point sticks, 45 erase, 46..50 event
// sticks; markers 1 white, 2 pink, 0 erase.
void font_sub(Game& g, int no, int xx, int yy);
void font_sub_mini(Game& g, int no, int xx, int yy);
void font_score(Game& g, int xx, int yy);

// Screen bands of 16 pixel rows.
void gvram_push(Game& g, int yt, int ye);
void gvram_pop(Game& g, int yt, int ye);
// A line (flg 0) or a filled box (flg 1) in pixels, colour iro[fcol].
void g_line(Game& g, int a, int y1, int b, int y2, int fcol, int flg);
void tenmetu(Game& g, int kk, int f);

// Grid places (column, row) of discard number i (1..20) of the user's and of the
// opponent's discard rows.
struct GridPlace {
  int x, y;
};
GridPlace man_sute_place(int i);
GridPlace com_sute_place(int i);
// Marks a discard at a grid place as taken by a call: the called-tile image
// and the label of the call (kind 1 pon, 2 chi, 3 kan; other kinds no label).
void naki_mark(Game& g, GridPlace at, int kind);
void PicHAIKEI_Paint(Game& g);

// Composite routines.
void man_disp(Game& g);
void man_disp_a(Game& g);
void man_disp_b(Game& g);
void com_disp(Game& g);
void com_disp_a(Game& g);
void com_ura_disp(Game& g);
void pr_naki_hai(Game& g);
void pr_score(Game& g);
void pr_bou(Game& g);
void pr_yugi(Game& g);
void pr_kyoku(Game& g);
void pr_honba(Game& g);
void gamen_sub(Game& g);
void shoki_gamen(Game& g);
void kigou(Game& g);
void man_com_pr(Game& g);
void com_man_pr(Game& g);
// The event-stick box (its events come later; the box and counts are drawn now).
void pr_ivent_bou(Game& g);

// Copies the whole clean background to the window.
void haikei_to_window(Game& g);

}  // namespace sekiba
