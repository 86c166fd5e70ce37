// Complete-hand tests: 48 greedy orders, then triplets-and-head, seven pairs,
// thirteen orphans and (for the user) the thirteen-unconnected shape. The first
// order that leaves nothing wins, and its decomposition stays in the results.
#include "eval/bunkai.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "engine/game.h"
#include "eval/agari_plan.h"
#include "eval/bunkai_order.h"
#include "eval/hand.h"

namespace sekiba {

namespace {

constexpr Tile kOrphans[13] = {1, 9, 11, 19, 21, 29, 31, 32, 33, 34, 35, 36, 37};

void restore(Game& g, const Hand& from) {
  std::copy(from.begin() + 1, from.begin() + 15, g.a.work_hai.begin() + 1);
}

// An exact search over tile counts: can the hand be split into sets and one
// head? Heads are tried in ascending order of tile; then from the lowest tile
// left a triplet before a sequence. It finds what the greedy orders can miss,
// and tells at once when none of them can succeed.
struct Exact {
  std::array<std::int8_t, 40> cnt{};
  Tile head = 0;
  Tile set_tile[4]{};
  std::int16_t set_kind[4]{};
  int sets = 0;

  bool take_sets() {
    int x = 1;
    while (x < 38 && cnt[std::size_t(x)] == 0) ++x;
    if (x >= 38) return true;
    if (sets >= 4) return false;
    auto& c = cnt;
    if (c[std::size_t(x)] >= 3) {
      c[std::size_t(x)] = std::int8_t(c[std::size_t(x)] - 3);
      set_tile[sets] = Tile(x);
      set_kind[sets++] = 2;
      if (take_sets()) return true;
      --sets;
      c[std::size_t(x)] = std::int8_t(c[std::size_t(x)] + 3);
    }
    if (x < 30 && x % 10 <= 7 && c[std::size_t(x + 1)] > 0 && c[std::size_t(x + 2)] > 0) {
      --c[std::size_t(x)];
      --c[std::size_t(x + 1)];
      --c[std::size_t(x + 2)];
      set_tile[sets] = Tile(x);
      set_kind[sets++] = 1;
      if (take_sets()) return true;
      --sets;
      ++c[std::size_t(x)];
      ++c[std::size_t(x + 1)];
      ++c[std::size_t(x + 2)];
    }
    return false;
  }

  bool find(const Hand& h) {
    int n = 0;
    for (int i = 1; i <= 14; ++i) {
      const Tile t = h[i];
      if (t == kEmpty) continue;
      if (!is_tile(t)) return false;
      ++cnt[std::size_t(t)];
      ++n;
    }
    if (n % 3 != 2) return false;
    for (int x = 1; x < 38; ++x) {
      if (cnt[std::size_t(x)] < 2) continue;
      cnt[std::size_t(x)] = std::int8_t(cnt[std::size_t(x)] - 2);
      sets = 0;
      if (take_sets()) {
        head = Tile(x);
        return true;
      }
      cnt[std::size_t(x)] = std::int8_t(cnt[std::size_t(x)] + 2);
    }
    return false;
  }
};

// Work on the plan's suit keys (four bits a number): a bit at the foot of
// each place that holds at least two tiles, at least three.
constexpr std::uint64_t kFeet = 0x111111111ULL;
constexpr std::uint64_t pairs_in(std::uint64_t k) { return (k >> 1 | k >> 2 | k >> 3) & kFeet; }
constexpr std::uint64_t triplets_in(std::uint64_t k) {  // counts of at most four
  return ((k + 5 * kFeet) >> 3) & kFeet;
}
constexpr Tile code_at(int suit, int bit) { return Tile(10 * suit + 1 + bit / 4); }

// What a decomposition that takes the whole hand leaves, written from the
// suit keys: the same removals in the same order (triplets by ascending code,
// each start number's sequences suit by suit, the lowest or highest pair as
// head), with the hand left empty.
void write_whole_order(Game& g, std::array<std::uint64_t, 4> k, int case_no) {
  Analysis& a = g.a;
  bunkai_clear(g);
  auto triplets = [&] {
    for (int s = 0; s < 4; ++s) {
      const std::uint64_t t = triplets_in(k[std::size_t(s)]);
      k[std::size_t(s)] -= 3 * t;
      for (std::uint64_t m = t; m != 0; m &= m - 1) record_set(a, code_at(s, std::countr_zero(m)), 2);
    }
  };
  auto sequences = [&] {
    const int jun = a.shuntsu_jun;
    const int row = (jun >= 1 && jun <= 3) ? jun - 1 : 3;
    // Where all three tiles of a sequence are held before the step; the step
    // only ever takes tiles away.
    std::array<std::uint64_t, 3> starts{};
    for (int s = 0; s < 3; ++s) {
      const std::uint64_t held = (k[std::size_t(s)] | k[std::size_t(s)] >> 1 | k[std::size_t(s)] >> 2 | k[std::size_t(s)] >> 3) & kFeet;
      starts[std::size_t(s)] = held & held >> 4 & held >> 8;
    }
    if ((starts[0] | starts[1] | starts[2]) == 0) return;
    for (int start : kShuntsuOrder[row])
      for (int s = 0; s < 3; ++s) {
        const int at = 4 * (start - 1);
        if ((starts[std::size_t(s)] >> at & 1) == 0) continue;
        std::uint64_t& key = k[std::size_t(s)];
        const int n = int(std::min({key >> at & 0xF, key >> (at + 4) & 0xF, key >> (at + 8) & 0xF}));
        key -= std::uint64_t(n) * (std::uint64_t(0x111) << at);
        for (int i = 0; i < n; ++i) record_set(a, code_at(s, at), 1);
      }
  };
  auto head = [&] {
    int suit = -1, bit = 0;
    for (int s = 0; s < 4; ++s) {
      const std::uint64_t p = pairs_in(k[std::size_t(s)]);
      if (p == 0) continue;
      if (a.atama_jun == 1) {
        if (suit < 0) suit = s, bit = std::countr_zero(p);
      } else {
        suit = s, bit = 63 - std::countl_zero(p);
      }
    }
    if (suit < 0) return;
    k[std::size_t(suit)] -= std::uint64_t(2) << bit;
    a.atama_hai = code_at(suit, bit);
    ++a.toitsu_cnt;
  };
  switch (case_no) {
    case 1: triplets(); sequences(); head(); break;
    case 2: triplets(); head(); sequences(); break;
    case 3: sequences(); head(); triplets(); break;
    case 4: sequences(); triplets(); head(); break;
    case 5: head(); triplets(); sequences(); break;
    case 6: head(); sequences(); triplets(); break;
    default: triplets(); head(); break;
  }
  std::fill(a.work_hai.begin() + 1, a.work_hai.begin() + 15, kEmpty);
}

// Seven pairs as toitsu_nuki takes them, on the suit keys: every code held
// twice or more gives one pair (four alike are one pair and two tiles over).
// The number of tiles it leaves.
int seven_pairs_on_counts(Game& g, const AgariPlan& plan) {
  Analysis& a = g.a;
  bunkai_clear(g);
  int pairs = 0;
  for (int s = 0; s < 4; ++s)
    for (std::uint64_t p = pairs_in(plan.keys[std::size_t(s)]); p != 0; p &= p - 1) {
      ++pairs;
      if (std::size_t(pairs) < a.toitsu_hai.size()) a.toitsu_hai[std::size_t(pairs)] = code_at(s, std::countr_zero(p));
    }
  a.toitsu_cnt = std::int16_t(pairs);
  return plan.tiles - 2 * pairs;
}

// Fourteen tiles, each a terminal or an honour, all thirteen of them there.
bool thirteen_orphans_on_counts(const AgariPlan& plan) {
  constexpr std::uint64_t kMiddle = 0x0FFFFFFF0ULL;  // numbers 2..8
  if (plan.tiles != 14) return false;
  for (int s = 0; s < 3; ++s) {
    const std::uint64_t k = plan.keys[std::size_t(s)];
    if ((k & kMiddle) != 0 || (k & 0xF) == 0 || (k >> 32 & 0xF) == 0) return false;
  }
  for (int r = 0; r < 7; ++r)
    if ((plan.keys[3] >> (4 * r) & 0xF) == 0) return false;
  return true;
}

// What follows the 48 orders and case 7: seven pairs, the shapes that are no
// decomposition, and the split every greedy order missed. With the plan's
// counts (and nobody to accept or refuse a decomposition) the first two are
// read from the counts.
int after_orders(Game& g, const Hand& bak, bool user, const std::function<bool()>* take, bool standard,
                 const AgariPlan* counted = nullptr) {
  Analysis& a = g.a;
  if (counted && !take) {
    if (seven_pairs_on_counts(g, *counted) == 0) {
      std::fill(a.work_hai.begin() + 1, a.work_hai.begin() + 15, kEmpty);
      return kAgari;
    }
    restore(g, bak);
    if (thirteen_orphans_on_counts(*counted)) return kAgari;
  } else {
    restore(g, bak);
    if (mentsu_bunkai(g, 8) == 0 && (!take || (*take)())) return kAgari;
    restore(g, bak);
    if (!take && kokushi_check(g) != 0) return kAgari;
  }
  if (!take && user && sisan_check(g) == 1) return kAgari;
  if (!standard) return 0;
  // A complete hand every greedy order missed: take the exact split.
  Exact exact;
  exact.find(bak);
  bunkai_clear(g);
  for (int i = 0; i < exact.sets; ++i) {
    a.mentsu_hai[std::size_t(a.mentsu_cnt)] = exact.set_tile[i];
    a.mentsu_kind[std::size_t(a.mentsu_cnt)] = exact.set_kind[i];
    ++a.mentsu_cnt;
    if (exact.set_kind[i] == 1) ++a.shuntsu_cnt;
    else ++a.kotsu_cnt;
  }
  a.atama_hai = exact.head;
  a.toitsu_cnt = 1;
  std::fill(a.work_hai.begin() + 1, a.work_hai.begin() + 15, kEmpty);
  return !take || (*take)() ? kAgari : 0;
}

// Every attempt in turn, each on a fresh copy of `bak`. With `take`, a
// decomposition that leaves nothing ends the search only when `take` accepts
// it; the shapes that are no decomposition are then not tried.
int try_every_order(Game& g, const Hand& bak, bool user, const std::function<bool()>* take) {
  Analysis& a = g.a;
  Exact exact;
  const bool standard = exact.find(bak);
  // Without any split into sets and a head, none of the greedy orders can end
  // with nothing left; skipping them leaves the same state they would.
  if (standard) {
    for (int atama = 1; atama <= 2; ++atama) {
      for (int jun = 1; jun <= 4; ++jun) {
        for (int case_no = 1; case_no <= 6; ++case_no) {
          a.atama_jun = std::int16_t(atama);
          a.shuntsu_jun = std::int16_t(jun);
          restore(g, bak);
          if (mentsu_bunkai(g, case_no) == 0 && (!take || (*take)())) return kAgari;
        }
      }
    }
    restore(g, bak);
    if (mentsu_bunkai(g, 7) == 0 && (!take || (*take)())) return kAgari;
  } else {
    a.atama_jun = 2;
    a.shuntsu_jun = 4;
  }
  return after_orders(g, bak, user, take, standard);
}

// The same search on the tables: the orders they say leave something would
// only be overwritten by the next attempt. Without `take` the first order
// that leaves nothing is written from the counts; with it, the orders that
// leave nothing run in turn until one is accepted.
int try_planned_orders(Game& g, const Hand& bak, bool user, const std::function<bool()>* take) {
  const AgariPlan plan = agari_plan(bak);
  if (!plan.covered) return try_every_order(g, bak, user, take);
  Analysis& a = g.a;
  if (!take) {
    // Nobody refuses a decomposition: the first order the plan names wins, and
    // what it leaves is written from the counts.
    if (plan.orders != 0) {
      const int i = std::countr_zero(plan.orders);
      a.atama_jun = std::int16_t(i / 24 + 1);
      a.shuntsu_jun = std::int16_t(i % 24 / 6 + 1);
      write_whole_order(g, plan.keys, i % 6 + 1);
      return kAgari;
    }
    a.atama_jun = 2;
    a.shuntsu_jun = 4;
    if (plan.case7) {
      write_whole_order(g, plan.keys, 7);
      return kAgari;
    }
    return after_orders(g, bak, user, take, plan.standard, &plan);
  }
  for (std::uint64_t m = plan.orders; m != 0; m &= m - 1) {
    const int i = std::countr_zero(m);
    a.atama_jun = std::int16_t(i / 24 + 1);
    a.shuntsu_jun = std::int16_t(i % 24 / 6 + 1);
    restore(g, bak);
    if (mentsu_bunkai(g, i % 6 + 1) != 0) return try_every_order(g, bak, user, take);
    if (!take || (*take)()) return kAgari;
  }
  a.atama_jun = 2;
  a.shuntsu_jun = 4;
  if (plan.case7) {
    restore(g, bak);
    if (mentsu_bunkai(g, 7) != 0) return try_every_order(g, bak, user, take);
    if (!take || (*take)()) return kAgari;
  }
  return after_orders(g, bak, user, take, plan.standard);
}

#ifndef NDEBUG
bool same_state(const Analysis& x, const Analysis& y) {
  return x.work_hai == y.work_hai && x.hai_bak1 == y.hai_bak1 && x.hai_bak2 == y.hai_bak2 &&
         x.hai_bak3 == y.hai_bak3 && x.hai_bak4 == y.hai_bak4 && x.bunkai_no == y.bunkai_no &&
         x.shuntsu_jun == y.shuntsu_jun && x.atama_jun == y.atama_jun && x.pinfu_flag == y.pinfu_flag &&
         x.last_fu == y.last_fu && x.kotsu_cnt == y.kotsu_cnt && x.shuntsu_cnt == y.shuntsu_cnt &&
         x.toitsu_cnt == y.toitsu_cnt && x.mentsu_cnt == y.mentsu_cnt && x.mentsu_hai == y.mentsu_hai &&
         x.mentsu_kind == y.mentsu_kind && x.toitsu_hai == y.toitsu_hai && x.atama_hai == y.atama_hai &&
         x.machi_hai == y.machi_hai;
}
#endif

int try_all_orders(Game& g, const Hand& bak, bool user, const std::function<bool()>* take = nullptr) {
#ifdef NDEBUG
  return try_planned_orders(g, bak, user, take);
#else
  // Checked builds compare every test with the full search, state included.
  if (take) return try_planned_orders(g, bak, user, take);
  const Analysis before = g.a;
  const int planned = try_planned_orders(g, bak, user, take);
  const Analysis fast = g.a;
  g.a = before;
  const int full = try_every_order(g, bak, user, take);
  if (planned != full || !same_state(fast, g.a)) {
    std::fprintf(stderr, "complete-hand test: the planned search differs from the full one\n");
    std::abort();
  }
  return full;
#endif
}

bool is_honour(Tile c) { return c >= 31 && c <= 37; }

}  // namespace

bool mentsu_kansei(const Hand& h) {
  Exact exact;
  return exact.find(h);
}

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

int man_agari_check_sute(Game& g) {
  work_hai_sort(g);
  work_bak2_save(g);
  return try_all_orders(g, g.a.hai_bak2, false);
}

int agari_bunkai_each(Game& g, const std::function<bool()>& take) {
  work_hai_sort(g);
  work_bak2_save(g);
  return try_all_orders(g, g.a.hai_bak2, false, &take);
}

int kokushi_check(Game& g) {
  const Hand& w = g.a.work_hai;
  // The shape is fourteen such tiles: anything else in a slot rules it out.
  for (int i = 1; i <= 14; ++i)
    if (std::find(std::begin(kOrphans), std::end(kOrphans), w[i]) == std::end(kOrphans)) return 0;
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
  if (g.t.man_junme != 1 || man_naki_kazu(g) != 0) return 0;
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
