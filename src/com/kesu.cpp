// Shape removals over what a decomposition left in work_hai. Each empties the
// tiles it takes (38) in place, scanning slots upwards; a removed tile is never
// looked at again. Three keep counters that the three-left choice reads.
#include <algorithm>

#include "com/shikou.h"
#include "com/shikou_util.h"

namespace sekiba {

using namespace shikou_util;

namespace {

// Removes the tile of slot i with the first later slot (up to `last`) holding
// `want`; answers whether a partner was found.
bool take_pair_after(Hand& w, int i, Tile want, int last = 14) {
  for (int j = i + 1; j <= last; ++j) {
    if (w[std::size_t(j)] != want) continue;
    w[std::size_t(i)] = w[std::size_t(j)] = kEmpty;
    return true;
  }
  return false;
}

bool is_yakuhai(Tile t) { return t == 31 || t == 32 || t == 35 || t == 36 || t == 37; }

}  // namespace

void ryanmen_kesu(Game& g) {
  Hand& w = g.a.work_hai;
  int n = 0;
  for (int i = 1; i <= 13; ++i) {
    const Tile t = w[std::size_t(i)];
    if (!is_number(t) || rank(t) < 2 || rank(t) > 7) continue;
    if (take_pair_after(w, i, Tile(t + 1))) ++n;
  }
  g.com.ryanmen_cnt = std::int16_t(n);
}

void renzoku_kesu(Game& g) {
  Hand& w = g.a.work_hai;
  for (int i = 1; i <= 13; ++i) {
    const Tile t = w[std::size_t(i)];
    // A 9 looks for the gap code 10, 20 or 30, which no slot holds.
    if (is_number(t)) take_pair_after(w, i, Tile(t + 1));
  }
}

void kanchan_kesu(Game& g) {
  Hand& w = g.a.work_hai;
  int n = 0;
  for (int i = 1; i <= 13; ++i) {
    const Tile t = w[std::size_t(i)];
    if (!is_number(t) || rank(t) > 7) continue;  // t + 2 of an 8 or 9 is another suit
    if (take_pair_after(w, i, Tile(t + 2))) ++n;
  }
  g.com.kanchan_cnt = std::int16_t(n);
}

void tobi_kesu(Game& g) {
  Hand& w = g.a.work_hai;
  for (int i = 1; i <= 12; ++i) {
    const Tile t = w[std::size_t(i)];
    if (!is_number(t) || (rank(t) != 2 && rank(t) != 3)) continue;
    int j = i + 1;
    while (j <= 13 && w[std::size_t(j)] != t + 2) ++j;
    if (j > 13) continue;
    int k = j + 1;
    while (k <= 14 && w[std::size_t(k)] != t + 4) ++k;
    if (k > 14) continue;
    w[std::size_t(i)] = w[std::size_t(j)] = w[std::size_t(k)] = kEmpty;
  }
}

void toitsu_kesu(Game& g) {
  work_hai_sort(g);
  Hand& w = g.a.work_hai;
  int n = 0;
  Tile last = 0;
  for (int i = 1; i <= 13; ++i) {
    const Tile t = w[std::size_t(i)];
    if (t == kEmpty || w[std::size_t(i + 1)] != t) continue;
    w[std::size_t(i)] = w[std::size_t(i + 1)] = kEmpty;
    ++n;
    last = t;
  }
  g.com.toitsu_kesu_cnt = std::int16_t(n);
  g.com.toitsu_kesu_hai = last;
}

void yakuhai_toitsu_kesu(Game& g) {
  work_hai_sort(g);
  Hand& w = g.a.work_hai;
  for (int i = 1; i <= 13; ++i) {
    const Tile t = w[std::size_t(i)];
    if (!is_yakuhai(t) || w[std::size_t(i + 1)] != t) continue;
    w[std::size_t(i)] = w[std::size_t(i + 1)] = kEmpty;
  }
}

void mentsu_soba_kesu(Game& g) {
  const Analysis& a = g.a;
  if (a.mentsu_cnt <= 1) return;
  const int n = nokori_kazu(g);
  const int sets = std::min(a.mentsu_cnt - 1, 4);
  Hand& w = g.a.work_hai;
  for (int i = 1; i <= n; ++i) {
    const Tile t = w[std::size_t(i)];
    bool near = false;
    for (int s = 1; s <= sets && !near; ++s) {
      const Tile m = a.mentsu_hai[std::size_t(s)];
      if (suit(m) != suit(t)) continue;
      if (a.mentsu_kind[std::size_t(s)] == 1) near = t >= m - 1 && t <= m + 3;
      else if (a.mentsu_kind[std::size_t(s)] == 2 && is_number(m)) near = t == m - 1 || t == m + 1;
    }
    const Tile h = a.atama_hai;
    if (!near && is_number(h) && t >= h - 1 && t <= h + 1) near = true;
    if (near) w[std::size_t(i)] = kEmpty;
  }
}

void chitoi_tanki_kesu(Game& g) {
  Hand& w = g.a.work_hai;
  for (int i = 1; i <= 14; ++i) {
    const Tile t = w[std::size_t(i)];
    if (t == kEmpty) continue;
    if (side_hand_kazu(g, t) == 1 && side_sute_kazu(g, t) == 0) w[std::size_t(i)] = kEmpty;
  }
}

}  // namespace sekiba
