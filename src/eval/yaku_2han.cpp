// The seven 2-han yaku, judged as one block between 純チャン and チャンタ.
#include "eval/bunkai.h"
#include "eval/yaku.h"
#include "eval/yaku_internal.h"

namespace sekiba {

using namespace yaku_detail;

namespace {

bool shousangen(const Game& g) {
  return g.a.kotsu_cnt >= 2 && count_sets(g, [](int kind, int t) { return kind == 2 && is_dragon(t); }) == 2 &&
         is_dragon(g.a.atama_hai);
}

bool sankantsu(Game& g) { return g.t.agari_pl == 1 && g.a.kotsu_cnt >= 3 && man_kan_kazu(g) == 3; }

// A triplet completed by a ron is open, and a pon or open kan is open; the
// concealed ones must still make three.
bool sanankou(Game& g) {
  const Table& t = g.t;
  const int kotsu = g.a.kotsu_cnt;
  const bool man = t.agari_pl == 1;
  const int open = man ? man_pon_kazu(g) : 0;
  if (t.agari_kind == 1) {
    if (!man) return kotsu == 3 || kotsu == 4;
    return (kotsu == 4 && open <= 1) || (kotsu == 3 && open == 0);
  }
  const bool ron_triplet = has_triplet_of(g, t.agari_hai);
  if (!man) return kotsu == 4 || (kotsu == 3 && !ron_triplet);
  if (kotsu == 4) return open == 0 || (open == 1 && !ron_triplet);
  return kotsu == 3 && open == 0 && !ron_triplet;
}

bool honroutou(const Game& g) {
  return whole_hand(g, [](int t) { return is_terminal(t) || is_honour(t); });
}

bool sanshoku_doukou(const Game& g) {
  if (g.a.kotsu_cnt < 3) return false;
  for (int n = 1; n <= 9; ++n) {
    const int same = count_sets(g, [n](int kind, int t) { return kind == 2 && is_number(t) && number_of(t) == n; });
    if (same >= 3) return true;
  }
  return false;
}

}  // namespace

int yaku_hantei_2han(Game& g) {
  const int before = g.yaku.han_total;
  if (g.a.toitsu_cnt == 7) add_yaku(g, 24, 2, false);
  if (shousangen(g)) add_yaku(g, 25, 2, false);
  if (sankantsu(g)) add_yaku(g, 26, 2, false);
  if (sanankou(g)) add_yaku(g, 27, 2, false);
  if (honroutou(g)) add_yaku(g, 28, 2, false);
  if (sanshoku_doukou(g)) add_yaku(g, 29, 2, false);
  if (g.a.kotsu_cnt == 4) add_yaku(g, 30, 2, false);
  return g.yaku.han_total - before;
}

}  // namespace sekiba
