// The user's melds as sets or as tiles, tile counts, and two helpers of the
// user's turn.
#include "eval/bunkai.h"

#include "engine/game.h"
#include "eval/hand.h"

namespace sekiba {

namespace {

// Meld slots 1 .. man_naki_cnt - 1, clamped to the four the table has.
int meld_end(const Table& t) {
  const int last = t.man_naki_cnt - 1;
  return last < 0 ? 0 : (last > 4 ? 4 : last);
}

template <typename Pred>
int count_melds(const Table& t, Pred pred) {
  int n = 0;
  for (int i = 1; i <= meld_end(t); ++i)
    if (pred(t.man_naki_kind[i])) ++n;
  return n;
}

template <typename Array>
int count_in(const Array& arr, int first, int last, Tile tile) {
  int n = 0;
  for (int i = first; i <= last; ++i)
    if (arr[std::size_t(i)] == tile) ++n;
  return n;
}

int discard_end(std::int16_t junme) {
  const int last = junme - 1;
  return last > 20 ? 20 : last;
}

}  // namespace

void man_naki_tuika(Game& g) {
  const Table& t = g.t;
  Analysis& a = g.a;
  for (int i = 1; i <= meld_end(t); ++i) {
    const int kind = t.man_naki_kind[i];
    if (kind < 1 || kind > 4) continue;
    const std::int16_t set_kind = kind == 1 ? 1 : 2;
    if (std::size_t(a.mentsu_cnt) < a.mentsu_hai.size()) {
      a.mentsu_hai[std::size_t(a.mentsu_cnt)] = t.man_naki_hai[i];
      a.mentsu_kind[std::size_t(a.mentsu_cnt)] = set_kind;
    }
    ++a.mentsu_cnt;
    if (set_kind == 1) ++a.shuntsu_cnt;
    else ++a.kotsu_cnt;
  }
}

void naki_hai_tenkai(Game& g, int& slot) {
  const Table& t = g.t;
  Hand& w = g.a.work_hai;
  for (int i = 1; i <= meld_end(t); ++i) {
    const int kind = t.man_naki_kind[i];
    if (kind < 1 || kind > 4) continue;
    // A hand never has room for more; stop rather than write past slot 14.
    if (slot < 1 || slot + 2 > 14) return;
    const Tile m = t.man_naki_hai[i];
    w[slot] = m;
    w[slot + 1] = kind == 1 ? Tile(m + 1) : m;
    w[slot + 2] = kind == 1 ? Tile(m + 2) : m;
    slot += 3;
  }
}

void man_naki_tenkai(Game& g) {
  work_hai_sort(g);
  for (int s = 1; s <= 14; ++s) {
    if (g.a.work_hai[s] != kEmpty) continue;
    naki_hai_tenkai(g, s);
    return;
  }
}

void man_ankan_tuika(Game& g) {
  const Table& t = g.t;
  if (t.man_naki_cnt <= 1) return;
  Hand& w = g.a.work_hai;
  int s = 1;
  while (s <= 13 && w[s] != kEmpty) ++s;
  if (s <= 13) {
    for (int i = 1; i <= meld_end(t); ++i) {
      if (t.man_naki_kind[i] != 4) continue;
      if (s + 2 > 14) break;
      w[s] = w[s + 1] = w[s + 2] = t.man_naki_hai[i];
      s += 3;
    }
  }
  work_hai_sort(g);
}

int man_naki_kazu(Game& g) { return count_melds(g.t, [](int k) { return k >= 1 && k <= 3; }); }
int man_kan_kazu(Game& g) { return count_melds(g.t, [](int k) { return k == 3 || k == 4; }); }
int man_pon_kazu(Game& g) { return count_melds(g.t, [](int k) { return k == 2 || k == 3; }); }

int man_hai_kazu(Game& g, Tile tile) { return count_in(g.t.man_hai, 1, 14, tile); }
int com_hai_kazu(Game& g, Tile tile) { return count_in(g.t.com_hai, 1, 14, tile); }

int man_naki_hai_kazu(Game& g, Tile tile) {
  const Table& t = g.t;
  int n = 0;
  for (int i = 1; i <= meld_end(t); ++i) {
    const Tile m = t.man_naki_hai[i];
    switch (t.man_naki_kind[i]) {
      case 1: n += (tile == m || tile == m + 1 || tile == m + 2) ? 1 : 0; break;
      case 2: n += tile == m ? 3 : 0; break;
      case 3:
      case 4: n += tile == m ? 4 : 0; break;
      default: break;
    }
  }
  return n;
}

int man_sute_kazu(Game& g, Tile tile) { return count_in(g.t.man_sute, 1, discard_end(g.t.man_junme), tile); }
int com_sute_kazu(Game& g, Tile tile) { return count_in(g.t.com_sute, 1, discard_end(g.t.com_junme), tile); }

int kasol_idou(Game& g, int position, int direction) {
  const auto& h = g.t.man_hai;
  int p = ((position % 14) + 14) % 14;
  bool any = false;
  for (int s = 1; s <= 14; ++s) any = any || h[s] != kEmpty;
  // With no tile in hand there is nothing to land on: stay put.
  if (!any) return p;
  if (direction == 0) {
    if (h[p + 1] != kEmpty) return p;
    direction = -1;
  }
  const int step = direction < 0 ? 13 : 1;  // 13 == -1 modulo 14
  do p = (p + step) % 14;
  while (h[p + 1] == kEmpty);
  return p;
}

int rechi_junme_check(Game& g) {
  const Table& t = g.t;
  if (t.oya == 1) return t.man_junme <= 20 ? 1 : 0;
  if (t.oya == 2) return t.man_junme < 20 ? 1 : 0;
  return 0;
}

}  // namespace sekiba
