// Complete-hand tests: 48 greedy orders, then triplets-and-head, seven pairs,
// thirteen orphans and (for the user) the thirteen-unconnected shape. The first
// order that leaves nothing wins, and its decomposition stays in the results.
#include "eval/bunkai.h"

#include <algorithm>
#include <cstdlib>

#include "engine/game.h"
#include "eval/hand.h"

namespace sekiba {

namespace {

constexpr Tile kOrphans[13] = {1, 9, 11, 19, 21, 29, 31, 32, 33, 34, 35, 36, 37};

void restore(Game& g, const Hand& from) {
  std::copy(from.begin() + 1, from.begin() + 15, g.a.work_hai.begin() + 1);
}

// The attempts shared by both sides, each on a fresh copy of `bak`.
int try_all_orders(Game& g, const Hand& bak, bool user) {
  Analysis& a = g.a;
  for (int atama = 1; atama <= 2; ++atama) {
    for (int jun = 1; jun <= 4; ++jun) {
      for (int case_no = 1; case_no <= 6; ++case_no) {
        a.atama_jun = std::int16_t(atama);
        a.shuntsu_jun = std::int16_t(jun);
        restore(g, bak);
        if (mentsu_bunkai(g, case_no) == 0) return kAgari;
      }
    }
  }
  restore(g, bak);
  if (mentsu_bunkai(g, 7) == 0) return kAgari;
  restore(g, bak);
  if (mentsu_bunkai(g, 8) == 0) return kAgari;
  restore(g, bak);
  if (kokushi_check(g) != 0) return kAgari;
  if (user && sisan_check(g) == 1) return kAgari;
  return 0;
}

bool is_honour(Tile c) { return c >= 31 && c <= 37; }

}  // namespace

int com_agari_check(Game& g) {
  com_work_set(g);
  work_hai_sort(g);
  work_bak1_save(g);
  return try_all_orders(g, g.a.hai_bak1, false);
}

int man_agari_check(Game& g) {
  work_hai_sort(g);
  work_bak2_save(g);
  return try_all_orders(g, g.a.hai_bak2, true);
}

int kokushi_check(Game& g) {
  const Hand& w = g.a.work_hai;
  int singles = 0, doubles = 0;
  Tile doubled = 0;
  for (Tile code : kOrphans) {
    const auto n = std::count(w.begin() + 1, w.begin() + 15, code);
    if (n == 1) ++singles;
    if (n == 2) {
      ++doubles;
      doubled = code;
    }
  }
  if (singles != 12 || doubles != 1) return 0;
  return doubled == g.t.agari_hai ? 2 : 1;
}

int sisan_check(Game& g) {
  if (man_naki_kazu(g) != 0 || g.t.man_junme != 1) return 0;
  const Hand& w = g.a.work_hai;
  int equal = 0, unconnected = 0;
  for (int i = 1; i <= 13; ++i) {
    const Tile x = w[i], y = w[i + 1];
    // An empty slot is no tile: such a hand is short and never this shape.
    if (x == kEmpty || y == kEmpty) continue;
    if (x == y) {
      ++equal;
    } else if (x / 10 != y / 10) {
      ++unconnected;
    } else if (is_honour(x)) {
      ++unconnected;  // two different honours
    } else if (std::abs(x - y) >= 3) {
      ++unconnected;
    }
  }
  return equal == 1 && unconnected == 12 ? 1 : 0;
}

}  // namespace sekiba
