// The composite routines that redraw one part of the table, and the generated
// background.
#include <algorithm>
#include <utility>

#include "engine/game.h"
#include "engine/menus.h"
#include "engine/waits.h"
#include "screen/draw.h"
#include "screen/raster.h"

namespace sekiba {

namespace {

int s17(const Game& g) { return g.s.settei[17]; }

// The user's hand in one drawing mode, optionally with a click after each tile.
void man_hand(Game& g, int mode, bool clicks) {
  for (int i = 1; i <= 14; ++i) {
    hai_put(g, g.t.man_hai[std::size_t(i)], 4 * i - 1, 43, mode);
    if (clicks) pasi_play(g);
  }
}

// Column of the opponent's slot i. A LAN opponent's melds take the left of the
// row: only the slots beside them are shown, and slot 14 sits just after them.
int com_column(const Game& g, int i) {
  if (g.t.lan_mode == 1 && i == 14) return 9 + 12 * (g.t.com_naki_cnt - 1);
  return 65 - 4 * i;
}

bool com_slot_shown(const Game& g, int i) {
  if (g.t.lan_mode != 1 || i == 14) return true;
  return i <= 13 - 3 * (std::clamp<int>(g.t.com_naki_cnt, 1, 5) - 1);
}

void com_hand(Game& g, bool clicks) {
  for (int i = 1; i <= 14; ++i) {
    if (!com_slot_shown(g, i)) continue;
    hai_put(g, g.t.com_hai[std::size_t(i)], com_column(g, i), 0, s17(g));
    if (clicks) pasi_play(g);
  }
}

// Colour component of the background gradient for one of the four ramps.
int ramp(int kind, int i, int h) {
  switch (kind) {
    case 'A': return 255 - 255 * i / h;  // falling full
    case 'B': return 255 * i / h;        // rising full
    case 'C': return 127 * i / h;        // rising half
    case 'D': return 255 - 127 * i / h;  // falling half
    case 'z': return 0;
    case 'm': return 200;
    default: return 255;                 // 'f'
  }
}

// Red, green and blue of the 23 table backgrounds: a letter names a ramp of the
// row, 'z' 0, 'm' 200, 'f' 255.
constexpr char kSchemes[23][4] = {
    "zAD", "AzD", "ADz", "DAz", "DzA", "zDA", "mBz", "zBm", "zmB", "mzB", "Bmz", "Bzm",
    "BzA", "BAz", "AzB", "zAB", "zBA", "ABz", "fDz", "zfD", "DzC", "CDm", "mCD"};

// The mark between the two numbers of the hand counter box.
void separator(Game& g, int cc) {
  blit(g.scr.win, 8 * 17, 8 * 16, g.scr.picMAI, sheet::kMaiW * 2, sheet::kMaiH * cc, sheet::kMaiW,
       sheet::kMaiH, Rop::Copy);
}

}  // namespace

void PicHAIKEI_Paint(Game& g) {
  clock_get(g);
  const int s = (g.t.clock_min + g.t.clock_sec) % 23;
  const char* sc = kSchemes[s];
  paint_rows(g.scr.PicHAIKEI, [sc](int i, int h) {
    return rgb(ramp(sc[0], i, h), ramp(sc[1], i, h), ramp(sc[2], i, h));
  });
}

void man_disp(Game& g) { man_hand(g, 0, false); }
void man_disp_a(Game& g) { man_hand(g, 2 * s17(g), true); }
void man_disp_b(Game& g) { man_hand(g, 2 * s17(g), false); }
void com_disp(Game& g) { com_hand(g, false); }
void com_disp_a(Game& g) { com_hand(g, true); }

void com_ura_disp(Game& g) {
  for (int i = 1; i <= 14; ++i) {
    if (!com_slot_shown(g, i)) continue;
    if (g.t.com_hai[std::size_t(i)] == kEmpty) hai_put(g, kEmpty, com_column(g, i), 0, 0);
    else ura_put(g, com_column(g, i), 0, s17(g));
  }
}

void pr_naki_hai(Game& g) {
  const int mode = 2 * s17(g);
  for (int k = 1; k <= 4; ++k) {
    const int kind = g.t.man_naki_kind[std::size_t(k)];
    const Tile t = g.t.man_naki_hai[std::size_t(k)];
    const int y = 47 - 7 * (k - 1);
    if (kind < 1 || kind > 4 || !is_tile(t)) continue;
    if (kind == 1) {
      for (int j = 0; j < 3; ++j) hai_put(g, t + j, 63 + 4 * j, y, mode);
    } else if (kind == 2) {
      for (int j = 0; j < 3; ++j) hai_put(g, t, 63 + 4 * j, y, mode);
    } else if (kind == 3) {
      for (int j = 0; j < 4; ++j) hai_put(g, t, 63 + 4 * j, y, mode);
    } else {
      ura_put(g, 63, y, mode);
      hai_put(g, t, 67, y, mode);
      hai_put(g, t, 71, y, mode);
      ura_put(g, 75, y, mode);
    }
  }
}

void pr_score(Game& g) { pr_dai_suji(g, g.t.man_ten, 42, 24, g.t.man_ten < 1 ? 1 : 0); }

void pr_bou(Game& g) {
  blit(g.scr.win, 8 * 61, 8 * 22, g.scr.PicHAIKEI, 8 * 61, 8 * 22, 8 * 11, sheet::kBouH, Rop::Copy);
  const int n = std::clamp<int>(g.t.rechi_bou, 0, 50);
  int x = 61;
  for (int i = 0; i < n / 10; ++i) font_sub(g, 44, x++, 22);
  for (int i = 0; i < (n % 10) / 5; ++i) font_sub(g, 43, x++, 22);
  for (int i = 0; i < n % 5; ++i) font_sub(g, 42, x++, 22);
  g.os.window_changed();
}

void pr_yugi(Game& g) {
  const int variant = g.os.local_time().second % 2;
  blit(g.scr.win, 208, 175, g.scr.PicGAME, 0, sheet::kGameH * variant, sheet::kGameW,
       sheet::kGameH, Rop::Copy);
  g.os.window_changed();
}

void pr_kyoku(Game& g) {
  gbox_r(g, 11, 15, 23, 18, 7, 9, 0);
  const int mode = g.t.game_mode;
  if (mode >= 1 && mode <= 7) {
    pr_suji_3(g, kSeriesLength[mode], 12, 16, 1);
    separator(g, 1);
    pr_suji_3(g, g.t.game_no, 18, 16, 4);
  } else {
    pr_suji_2(g, g.t.kyoku, 13, 16, 6);
    separator(g, 6);
    pr_suji_3(g, g.t.honba, 18, 16, 5);
  }
  pr_honba(g);
}

void pr_honba(Game& g) {
  blit(g.scr.win, 8, 8 * 53, g.scr.PicHAIKEI, 8, 8 * 53, 8 * 50 + sheet::k100W, sheet::k100H,
       Rop::Copy);
  const int n = std::clamp<int>(g.t.honba, 0, 50);
  const int marker = g.t.oya == 1 ? 1 : 2;
  for (int k = 0; k < n; ++k) font_sub_mini(g, marker, 1 + k, 53);
  g.os.window_changed();
}

namespace {
// Columns of a digit cell of the digit sheet that hold ink (not the white
// around the glyph): first and one past the last.
std::pair<int, int> digit_ink(const Surface& sheet, int digit, int cc) {
  using namespace sheet;
  int first = kSujiW, last = 0;
  for (int x = 0; x < kSujiW; ++x)
    for (int y = 0; y < kSujiH; ++y) {
      const int px = kSujiW * digit + x, py = kSujiH * cc + y;
      if (!sheet.contains(sheet.dev(px), sheet.dev(py)) ||
          sheet.at(sheet.dev(px), sheet.dev(py)) == kWhite)
        continue;
      first = std::min(first, x);
      last = std::max(last, x + 1);
    }
  return first < last ? std::pair{first, last} : std::pair{0, 0};
}

// A stick count of two digits in the field of one digit (13 pixels, so a gap
// stays before the next count): the glyphs close up, and are narrowed when
// even so they would not fit.
void two_digit_count(Game& g, int n, int sx, int sy, int cc) {
  using namespace sheet;
  const int width = kSujiStep;
  const int d[2] = {n / 10 % 10, n % 10};
  const auto a = digit_ink(g.scr.picSUJIS, d[0], cc), b = digit_ink(g.scr.picSUJIS, d[1], cc);
  const int wa = a.second - a.first, wb = b.second - b.first;
  const int gap = 1, total = wa + gap + wb;
  const int x0 = 8 * sx, y0 = 8 * sy;
  fill_rect(g.scr.win, x0, y0, width, kSujiH, kWhite);
  if (total <= width) {
    const int x = x0 + (width - total) / 2;
    blit(g.scr.win, x, y0, g.scr.picSUJIS, kSujiW * d[0] + a.first, kSujiH * cc, wa, kSujiH, Rop::Copy);
    blit(g.scr.win, x + wa + gap, y0, g.scr.picSUJIS, kSujiW * d[1] + b.first, kSujiH * cc, wb, kSujiH,
         Rop::Copy);
  } else {
    const int na = std::max(1, wa * width / total), nb = std::max(1, width - gap - na);
    stretch_blit(g.scr.win, x0, y0, na, kSujiH, g.scr.picSUJIS, kSujiW * d[0] + a.first, kSujiH * cc,
                 wa, kSujiH);
    stretch_blit(g.scr.win, x0 + na + gap, y0, nb, kSujiH, g.scr.picSUJIS, kSujiW * d[1] + b.first,
                 kSujiH * cc, wb, kSujiH);
  }
  g.os.window_changed();
}
}  // namespace

void pr_ivent_bou(Game& g) {
  if (g.t.lan_mode == 1) return;
  gbox_r(g, 11, 18, 23, 26, 7, 10, 1);
  for (int i = 0; i < 5; ++i) {
    font_sub(g, 46 + i, 13 + 2 * i, 19);
    const int n = g.t.ivent_bou[std::size_t(i)];
    if (n >= 10) two_digit_count(g, n, 13 + 2 * i, 24, 2);
    else pr_suji_1(g, n, 13 + 2 * i, 24, 2);
  }
}

void gamen_sub(Game& g) {
  gbox_r(g, 25, 21, 59, 26, 7, 0, 1);
  pr_yugi(g);
  font_score(g, 42, 22);
  pr_score(g);
  pr_ivent_bou(g);
}

void kigou(Game& g) {
  for (int i = 1; i <= 14; ++i) font_mk(g, 4 * i, 51, i);
}

void shoki_gamen(Game& g) {
  haikei_to_window(g);
  font_ba(g, g.t.oya == 1 ? 0 : 1, 68, 0);
  pr_kyoku(g);
  gamen_sub(g);
  pr_bou(g);
  font_moji(g, 1, 20, 14);
  hai_put(g, g.t.dora, 1, 22, 2 * s17(g));
  kigou(g);
  ura_put(g, 5, 22, 2 * s17(g));
}

namespace {
// The deal, tile by tile, the dealer first.
void deal_animation(Game& g, bool man_deals) {
  for (int j = 1; j <= 13; ++j) {
    for (int side = 0; side < 2; ++side) {
      const bool man = (side == 0) == man_deals;
      if (man) hai_put(g, g.t.man_hai[std::size_t(j)], 4 * j - 1, 43, 0);
      else ura_put(g, 65 - 4 * j, 0, s17(g));
      pasi_play(g);
    }
  }
  if (man_deals) hai_put(g, g.t.man_hai[14], 55, 43, 0);
  else ura_put(g, 65 - 4 * 14, 0, s17(g));
  pasi_play(g);
}
}  // namespace

void man_com_pr(Game& g) { deal_animation(g, true); }
void com_man_pr(Game& g) { deal_animation(g, false); }

}  // namespace sekiba

namespace sekiba {

void drop_pictures(Screen& scr) {
  for (Surface* s : {&scr.win, &scr.PicHAIKEI, &scr.PicWORK, &scr.PicHAI, &scr.picHAI2, &scr.picRON,
                     &scr.picHANSU, &scr.PicBA, &scr.picHANH, &scr.picYAKUNASI, &scr.picYAKUMEI,
                     &scr.picSUJIS, &scr.picSUJIH, &scr.PicMOJI, &scr.PicBOU, &scr.PicWAKU, &scr.PicMK,
                     &scr.PicSCORE, &scr.PicGAME, &scr.Pic100, &scr.picMAI, &scr.picBAI, &scr.PicBAR,
                     &scr.PicNAGAI})
    *s = Surface();
  for (Surface& icon : scr.picICON) icon = Surface();
  drop_sheet_cache(scr);
}

}  // namespace sekiba
