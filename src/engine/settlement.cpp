#include "engine/settlement.h"

#include <algorithm>
#include <cstdlib>

#include "engine/game.h"
#include "engine/table_events.h"
#include "engine/waits.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "eval/yaku.h"
#include "ivent/ivent.h"
#include "lan/lan.h"
#include "lan/lan_wire.h"
#include "screen/draw.h"

namespace sekiba {

int oya_ko(const Game& g) {
  const bool winner_deals = (g.t.agari_pl == 1 && g.t.oya == 1) || (g.t.agari_pl == 2 && g.t.oya == 2);
  return winner_deals ? 1 : 2;
}

int yaochu_kind(int tile) {
  if (tile >= 31 && tile <= 37) return 2;
  if (!is_tile(tile)) return 0;
  const int n = tile % 10;
  return (n == 1 || n == 9) ? 2 : 1;
}

int penchan_kanchan(const Game& g, int s) {
  const int w = g.t.agari_hai;
  if (w == s + 2 && s % 10 == 1) return 1;
  if (w == s && s % 10 == 7) return 1;
  return w == s + 1 ? 1 : 0;
}

namespace {

// Units of 100 points by band and han; each pair: winner deals / does not.
constexpr int kTable[7][4][2] = {
    {{0, 0}, {20, 13}, {39, 26}, {77, 52}},        // 20 fu or less
    {{15, 10}, {29, 20}, {58, 39}, {116, 77}},     // 21..30
    {{20, 13}, {39, 26}, {77, 52}, {120, 80}},     // 31..40
    {{24, 16}, {48, 32}, {96, 64}, {120, 80}},     // 41..50
    {{29, 20}, {58, 39}, {116, 77}, {120, 80}},    // 51..60
    {{34, 23}, {68, 45}, {120, 80}, {120, 80}},    // over 60
    {{0, 0}, {24, 16}, {48, 32}, {96, 64}},        // seven pairs
};

int band_of(int fu) {
  if (fu == 25) return 6;
  if (fu > 60) return 5;
  if (fu > 50) return 4;
  if (fu > 40) return 3;
  if (fu > 30) return 2;
  if (fu <= 20) return 0;
  return 1;
}

int sign(const Game& g) { return g.t.agari_pl == 2 ? -1 : 1; }

// A complete hand may read several ways, and the complete-hand test keeps the
// first. When that one has no yaku, the first later reading in the test's own
// order that has one is judged instead: only a win no reading gives a yaku is
// punished. A first reading with a yaku stays as it is.
void yaku_bunkai_erabi(Game& g) {
  if (yaku_shiken(g) != 0) return;
  const Analysis first = g.a;
  const bool man = g.t.agari_pl == 1;
  if (man) man_work_set(g);
  else com_work_set(g);
  const int found = agari_bunkai_each(g, [&g, man] {
    // As the win left it: the melds join the sets, the whole hand is judged.
    if (man) {
      man_naki_tuika(g);
      man_work_set(g);
      man_naki_tenkai(g);
    } else {
      com_work_set(g);
    }
    work_hai_sort(g);
    return yaku_shiken(g) != 0;
  });
  if (found != kAgari) g.a = first;
}

}  // namespace

int fu_hyou(const Game& g, int han, int fu) {
  han = std::clamp(han, 1, 4);
  return sign(g) * kTable[band_of(fu)][han - 1][oya_ko(g) - 1];
}

int mangan_keisan(const Game& g, int han) {
  const int base = oya_ko(g) == 1 ? 60 : 40;
  int factor = 2;
  if (han >= 13) factor = 8;
  else if (han >= 11) factor = 6;
  else if (han >= 8) factor = 4;
  else if (han >= 6) factor = 3;
  if (g.s.settei[4] == 1) {
    if (han >= 65) factor = 40;
    else if (han >= 52) factor = 32;
    else if (han >= 39) factor = 24;
    else if (han >= 26) factor = 16;
  }
  return sign(g) * base * factor;
}

int fu_keisan(Game& g, int han) {
  const Table& t = g.t;
  const Analysis& a = g.a;
  int fu;
  if (a.toitsu_cnt == 7) {
    fu = 25;
  } else {
    fu = 20;
    if (t.agari_kind == 2 && t.agari_pl == 1 && t.man_naki_cnt == 1) fu = 30;
    if (t.agari_kind == 2 && t.agari_pl == 2) fu += 10;
    if (t.agari_kind == 1) fu += 2;
    const Tile head = a.atama_hai;
    if (head == 31 || head == 32) fu += 2;
    if (head >= 35 && head <= 37) fu += 2;
    if (t.agari_pl == 1) {
      if (head == 31 && t.oya == 1) fu += 2;
      if (head == 32 && t.oya == 2) fu += 2;
    }
    for (int i = 1; i < std::min<int>(a.mentsu_cnt, 5); ++i) {
      if (a.mentsu_kind[std::size_t(i)] != 2) continue;
      const int k = yaochu_kind(a.mentsu_hai[std::size_t(i)]);
      if (k == 1) fu += 4;
      else if (k == 2) fu += 8;
    }
    if (t.agari_pl == 1) {
      for (int m = 1; m < std::min<int>(t.man_naki_cnt, 5); ++m) {
        const int k = yaochu_kind(t.man_naki_hai[std::size_t(m)]);
        switch (t.man_naki_kind[std::size_t(m)]) {
          case 2: fu -= 2 * k; break;
          case 3: fu += 4 * k; break;
          case 4: fu += 12 * k; break;
          default: break;
        }
      }
    }
    if (head != 0 && head == t.agari_hai) fu += 2;
    if (a.pinfu_flag == 0) {
      for (int i = 1; i < std::min<int>(a.mentsu_cnt, 5); ++i) {
        if (a.mentsu_kind[std::size_t(i)] != 1) continue;
        if (penchan_kanchan(g, a.mentsu_hai[std::size_t(i)]) == 1) {
          fu += 2;
          break;
        }
      }
    }
  }
  g.a.last_fu = std::int16_t(fu);
  return fu_hyou(g, han, fu);
}

int last_fu(const Game& g) { return g.a.last_fu; }

void pr_yobina(Game& g, int han) {
  static constexpr const char* kVoices[] = {"\\sekiba_1han",    "\\sekiba_2han",   "\\sekiba_3han",
                                            "\\sekiba_4han",    "\\sekiba_mangan", "\\sekiba_haneman",
                                            "\\sekiba_baiman",  "\\sekiba_3baiman", "\\sekiba_yakuman"};
  int row;
  if (han <= 4) row = std::max(han, 1) - 1;
  else if (han == 5) row = 4;
  else if (han <= 7) row = 5;
  else if (han <= 10) row = 6;
  else if (han <= 12) row = 7;
  else row = 8;
  font_hansu(g, row, 49, 28);
  wave_play(g, kVoices[row]);
}

int score_input(Game& g, int han) {
  Table& t = g.t;
  int p = han < 5 ? fu_keisan(g, han) : mangan_keisan(g, han);
  // The partner is sent the value before the multiplier; each copy applies its own.
  if (t.lan_mode == 1) lan_send_ack(g, lan::with_number(han < 5 ? "man_sc " : "man_sd ", p));
  p *= t.bairitu;
  gbox_r(g, 44, 27, 62, 38, 7, 0, 1);
  if (t.bairitu == 2) font_hanh(g, 2, 50, 32);
  pr_yobina(g, han);
  pr_dai_suji(g, std::abs(p), 45, 35, 1);
  if (han > 3) ivent_bou_add(g, 2, 1);
  if (t.honba > 4) ivent_bou_add(g, 3, 1);
  if (han > 3 && t.agari_pl == 2) t.ivent_bou[3] = t.ivent_bou[4] = 0;
  add_score(t, p);
  pr_score(g);
  return p;
}

void bou_toku(Game& g) {
  Table& t = g.t;
  for (int i = 0; i < t.rechi_bou; ++i) {
    add_score(t, t.agari_pl == 1 ? 10 : -10);
    pr_score(g);
  }
  t.rechi_bou = 0;
  pr_bou(g);
}

int chonbo(Game& g) {
  font_yakunasi(g, 0, g.scr.yaku_x, g.scr.yaku_y + 3);
  const int penalty = oya_ko(g) == 1 ? 120 : 80;
  const int p = g.t.agari_pl == 1 ? -penalty : penalty;
  add_score(g.t, p);
  pr_score(g);
  return p;
}

void tell_agari(Game& g) {
  const Table& t = g.t;
  tell_table(g, {TableEventKind::Agari, t.agari_pl, t.agari_hai, t.agari_kind});
  if (t.com_rechi != 0 || t.man_rechi != 0) {
    hai_put(g, t.ura_dora, 5, 22, 2 * g.s.settei[17]);
    tell_table(g, {TableEventKind::Indicator, 0, t.ura_dora, 2});
  }
}

void yaku_main(Game& g) {
  Table& t = g.t;
  tell_agari(g);
  waku_pr(g);
  // A LAN match sends each result text to the partner and awaits its answer.
  g.yaku.yaku_str = "yakuman ";
  int han = yakuman_hantei(g);
  if (t.lan_mode == 1) lan_send_ack(g, g.yaku.yaku_str);
  if (han == 0) {
    yaku_bunkai_erabi(g);
    g.yaku.yaku_str = "yakusuu ";
    han = yaku_hantei(g);
    if (t.lan_mode == 1) lan_send_ack(g, g.yaku.yaku_str);
  }
  int points;
  if (han != 0) {
    points = score_input(g, han);
    bou_toku(g);
  } else {
    points = chonbo(g);
  }
  tell_table(g, {TableEventKind::Settled, t.agari_pl, t.agari_hai, t.agari_kind, points});
}

void waku_pr(Game& g) { gbox_r(g, 10, 22, 41, 26, 7, 0, 0); }

void kan_dora_pr(Game& g) {
  if (g.s.settei[9] != 1) return;
  bool kan = false;
  for (int m = 1; m < std::min<int>(g.t.man_naki_cnt, 5); ++m) {
    const int kind = g.t.man_naki_kind[std::size_t(m)];
    kan = kan || kind == 3 || kind == 4;
  }
  if (!kan) return;
  gbox_r(g, 7, 7, 12, 17, 7, 2, 1);
  hai_put(g, g.t.kan_dora, 8, 10, 2 * g.s.settei[17]);
  disp_gr(g, 8, 8, g.os.tr("カン"), 0, 0);
  tell_table(g, {TableEventKind::Indicator, 0, g.t.kan_dora, 3});
}

}  // namespace sekiba
