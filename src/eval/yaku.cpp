#include "eval/yaku.h"

#include <cstdio>

#include "engine/setup.h"
#include "eval/bunkai.h"
#include "eval/yaku_internal.h"
#include "ivent/ivent.h"

namespace sekiba {

using namespace yaku_detail;

namespace yaku_detail {

std::string yaku_group(int code, int han, bool variable_han) {
  char buf[16];
  std::snprintf(buf, sizeof buf, variable_han ? "%02d%2d" : "%02d%02d", code % 100, han % 100);
  return buf;
}

void add_yaku(Game& g, int code, int han, bool variable_han) {
  YakuState& y = g.yaku;
  y.han_total = std::int16_t(y.han_total + han);
  if (y.quiet) return;
  std::int16_t image = std::int16_t(code - 4), c = std::int16_t(code);
  yaku_mei(g, image, c);
  if (code == 48) pr_han_2(g, std::int16_t(han));
  else pr_han(g, std::int16_t(han));
  yakumei_out(g, c);
  // The group keeps the code as found: the receiving copy tells the red fives
  // from the dora by it, even though both are counted under the dora.
  y.yaku_str += yaku_group(code, han, variable_han);
  y.found.push_back(YakuFound{std::int16_t(code), std::int16_t(han)});
}

}  // namespace yaku_detail

int winner_open(Game& g) { return g.t.agari_pl == 1 && man_naki_kazu(g) != 0 ? 1 : 0; }

namespace {

bool winner_is_man(const Game& g) { return g.t.agari_pl == 1; }

void rebuild_shuntsu_tbl(Game& g) {
  auto& tbl = g.yaku.shuntsu_tbl;
  for (auto& row : tbl) row.fill(0);
  for (int i = 1; i <= set_count(g); ++i) {
    const int t = set_tile(g, i);
    if (set_kind(g, i) == 1 && is_number(t)) ++tbl[std::size_t(suit_of(t))][std::size_t(number_of(t))];
  }
}

bool chinitu(const Game& g) {
  const int s = suit_of(hand_tile(g, 1));
  return whole_hand(g, [s](int t) { return is_tile(t) && suit_of(t) == s; });
}

bool honitu(const Game& g) {
  const int s = suit_of(hand_tile(g, 1));
  int same = 0, honours = 0;
  for (int i = 1; i <= 14; ++i) {
    const int t = hand_tile(g, i);
    if (is_honour(t)) ++honours;
    else if (is_number(t) && suit_of(t) == s) ++same;
  }
  return same + honours == 14 && honours > 0;
}

bool ryanpeikou(const Game& g) {
  return g.a.shuntsu_cnt == 4 && set_tile(g, 1) == set_tile(g, 2) && set_tile(g, 3) == set_tile(g, 4);
}

// Hits of the outside-hand tests: each set and the head that holds a terminal
// (or, when honours count, an honour). Hits from honours are counted apart.
struct OutsideHits {
  int hits = 0, honour_hits = 0;
};
OutsideHits outside_hits(const Game& g, bool honours_count) {
  OutsideHits h;
  auto score = [&](bool terminal, bool honour) {
    if (terminal) ++h.hits;
    else if (honour && honours_count) ++h.hits, ++h.honour_hits;
  };
  for (int i = 1; i <= set_count(g); ++i) {
    const int t = set_tile(g, i);
    if (set_kind(g, i) == 1) score(is_number(t) && (number_of(t) == 1 || number_of(t) == 7), false);
    else if (set_kind(g, i) == 2) score(is_terminal(t), is_honour(t));
  }
  const int head = g.a.atama_hai;
  score(is_terminal(head), is_honour(head));
  return h;
}

bool ittsu(const Game& g) {
  if (g.a.shuntsu_cnt < 3) return false;
  for (const auto& row : g.yaku.shuntsu_tbl)
    if (row[1] > 0 && row[4] > 0 && row[7] > 0) return true;
  return false;
}

bool sanshoku(const Game& g) {
  if (g.a.shuntsu_cnt < 3) return false;
  const auto& tbl = g.yaku.shuntsu_tbl;
  for (int n = 1; n <= 9; ++n)
    if (tbl[0][std::size_t(n)] > 0 && tbl[1][std::size_t(n)] > 0 && tbl[2][std::size_t(n)] > 0) return true;
  return false;
}

bool iipeikou(const Game& g) {
  if (g.a.shuntsu_cnt < 2) return false;
  for (int s = 0; s < 3; ++s)
    for (int n = 1; n <= 9; ++n)
      if (g.yaku.shuntsu_tbl[std::size_t(s)][std::size_t(n)] >= 2) return true;
  return false;
}

// The user dealing makes East the wind of value; the opponent dealing, South.
// The side that wins it on its own seat counts it twice.
int ton_han(const Game& g) {
  if (g.t.oya != 1 || !has_triplet_of(g, 31)) return 0;
  return winner_is_man(g) ? 2 : 1;
}
int nan_han(const Game& g) {
  if (g.t.oya != 2 || !has_triplet_of(g, 32)) return 0;
  return winner_is_man(g) ? 2 : 1;
}

bool haitei_furikomi(const Game& g) {
  const Table& t = g.t;
  return t.agari_kind == 2 && t.agari_pl == t.oya && t.man_junme == 21 && t.com_junme == 21;
}

bool haitei_tsumo(const Game& g) {
  const Table& t = g.t;
  if (t.agari_kind != 1) return false;
  if (t.agari_pl == 1) return t.oya == 2 && t.man_junme == 20 && t.com_junme == 21;
  return t.oya == 1 && t.man_junme == 21 && t.com_junme == 20;
}

int copies_in_winner(Game& g, Tile tile) {
  if (winner_is_man(g)) return man_hai_kazu(g, tile) + man_naki_hai_kazu(g, tile);
  return com_hai_kazu(g, tile);
}

}  // namespace

int pinfu_shape(const Game& g) {
  const Analysis& a = g.a;
  const Table& t = g.t;
  if (a.shuntsu_cnt != 4) return 0;
  const int head = a.atama_hai;
  if (is_dragon(head)) return 0;
  const bool com_wins = t.agari_pl != 1;
  if (t.oya == 1 && (head == 31 || (head == 32 && com_wins))) return 0;
  if (t.oya == 2 && (head == 32 || (head == 31 && com_wins))) return 0;
  if (hand_count(g, t.agari_hai) == 2 && head == t.agari_hai) return 0;
  for (int i = 1; i <= set_count(g); ++i) {
    const int s = set_tile(g, i);
    if (t.agari_hai == s && number_of(s) != 7) return 1;
    if (t.agari_hai == s + 2 && number_of(s) != 1) return 1;
  }
  return 0;
}

int dora_kazu(Game& g) {
  const Table& t = g.t;
  auto copies_of_dora = [&](Tile indicator) {
    // An indicator that was never drawn names no dora.
    if (!is_tile(indicator)) return 0;
    return copies_in_winner(g, out_dora(g, indicator));
  };
  int n = copies_of_dora(t.dora);
  const int rechi = winner_is_man(g) ? t.man_rechi : t.com_rechi;
  if (rechi != 0) n += copies_of_dora(t.ura_dora);
  if (g.s.settei[9] == 1 && man_kan_kazu(g) > 0) n += copies_of_dora(t.kan_dora);
  return n;
}

int aka_kazu(Game& g) { return copies_in_winner(g, 25); }

int yaku_hantei(Game& g) {
  YakuState& y = g.yaku;
  const Table& t = g.t;
  const bool man_wins = winner_is_man(g);
  y.han_total = 0;
  y.found.clear();
  rebuild_shuntsu_tbl(g);
  const int open = winner_open(g);
  y.naki_flag = std::int16_t(open);
  y.yaku_str += open ? " 1" : " 0";

  if (chinitu(g)) add_yaku(g, 20, 6 - open, true);
  if (honitu(g)) add_yaku(g, 21, 3 - open, true);
  const bool ryanpei = open == 0 && ryanpeikou(g);
  if (ryanpei) add_yaku(g, 22, 3, true);
  if (outside_hits(g, false).hits == 5) add_yaku(g, 23, 3 - open, true);

  // The 2-han yaku add themselves to the total.
  yaku_hantei_2han(g);

  const OutsideHits chanta = outside_hits(g, true);
  if (chanta.hits == 5 && chanta.honour_hits > 0) add_yaku(g, 31, 2 - open, true);
  if (ittsu(g)) add_yaku(g, 32, 2 - open, true);
  if (sanshoku(g)) add_yaku(g, 33, 2 - open, true);
  if (open == 0 && !ryanpei && iipeikou(g)) add_yaku(g, 34, 1, false);
  if (whole_hand(g, [](int c) { return is_simple(c); })) add_yaku(g, 35, 1, false);
  g.a.pinfu_flag = std::int16_t(pinfu_shape(g));
  if (g.a.pinfu_flag == 1 && open == 0 && t.agari_kind == 2) add_yaku(g, 36, 1, false);

  if (const int h = ton_han(g)) add_yaku(g, 37, h, true);
  if (const int h = nan_han(g)) add_yaku(g, 38, h, true);
  if (has_triplet_of(g, 35)) add_yaku(g, 39, 1, false);
  if (has_triplet_of(g, 36)) add_yaku(g, 40, 1, false);
  if (has_triplet_of(g, 37)) add_yaku(g, 41, 1, false);

  const int rechi = man_wins ? t.man_rechi : t.com_rechi;
  const int daburi = man_wins ? t.man_daburi : t.com_daburi;
  if (daburi == 1) {
    add_yaku(g, 42, 2, false);
    ivent_bou_add(g, 4, 2);
  } else if (rechi != 0) {
    add_yaku(g, 43, 1, false);
    ivent_bou_add(g, 4, 1);
  }
  if (rechi == 2) add_yaku(g, 44, 1, false);
  if (haitei_furikomi(g)) add_yaku(g, 45, 1, false);
  if (haitei_tsumo(g)) add_yaku(g, 46, 1, false);
  if (t.agari_kind == 1 && open == 0) {
    add_yaku(g, 47, 1, false);
    ivent_bou_add(g, 1, 1);
  }

  // Dora never make a hand without yaku.
  if (const int d = dora_kazu(g); d != 0 && y.han_total > 0) {
    add_yaku(g, 48, d, true);
    ivent_bou_add(g, 0, d);
  }
  if (y.rinshan_flag == 1) add_yaku(g, 49, 1, false);
  y.rinshan_flag = 0;
  // Tested after the replacement-tile win, so that win alone lets the red fives
  // count though it came too late for the dora.
  if (g.s.settei[7] == 1 && y.han_total > 0)
    if (const int r = aka_kazu(g)) add_yaku(g, 50, r, true);

  return y.han_total;
}

int yaku_shiken(Game& g) {
  YakuState& y = g.yaku;
  const YakuState before = y;
  const auto sticks = g.t.ivent_bou;
  const std::int16_t pinfu = g.a.pinfu_flag;
  y.quiet = true;
  const int han = yaku_hantei(g);
  y = before;
  g.t.ivent_bou = sticks;
  g.a.pinfu_flag = pinfu;
  return han;
}

void man_rechi_susumu(Game& g) {
  if (g.t.man_rechi != 0) ++g.t.man_rechi;
}

void com_rechi_susumu(Game& g) {
  if (g.t.com_rechi != 0) ++g.t.com_rechi;
}

}  // namespace sekiba
