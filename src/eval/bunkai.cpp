#include "eval/bunkai.h"

#include <array>

#include "engine/game.h"
#include "eval/bunkai_order.h"
#include "eval/hand.h"

namespace sekiba {

// Set-list and pair-list writes stay inside their arrays even if a caller
// hands over more tiles than a hand can hold; the counters still count.
void record_set(Analysis& a, Tile code, std::int16_t kind) {
  if (a.mentsu_cnt >= 1 && std::size_t(a.mentsu_cnt) < a.mentsu_hai.size()) {
    a.mentsu_hai[std::size_t(a.mentsu_cnt)] = code;
    a.mentsu_kind[std::size_t(a.mentsu_cnt)] = kind;
  }
  ++a.mentsu_cnt;
  if (kind == 1) ++a.shuntsu_cnt;
  else ++a.kotsu_cnt;
}

void bunkai_clear(Game& g) {
  Analysis& a = g.a;
  a.kotsu_cnt = 0;
  a.shuntsu_cnt = 0;
  a.toitsu_cnt = 0;
  a.atama_hai = 0;
  a.mentsu_cnt = 1;
  for (int i = 1; i <= 4; ++i) {
    a.mentsu_hai[i] = 0;
    a.mentsu_kind[i] = 0;
  }
  for (int i = 1; i <= 7; ++i) a.toitsu_hai[i] = 0;
}

void kotsu_nuki(Game& g) {
  work_hai_sort(g);
  Hand& w = g.a.work_hai;
  for (int i = 1; i <= 12; ++i) {
    const Tile c = w[i];
    if (c == kEmpty || w[i + 1] != c || w[i + 2] != c) continue;
    record_set(g.a, c, 2);
    w[i] = w[i + 1] = w[i + 2] = kEmpty;
  }
}

void shuntsu_nuki_sub(Game& g, int start) {
  Hand& w = g.a.work_hai;
  for (int i = 1; i <= 12; ++i) {
    const Tile c = w[i];
    // Honours never start a sequence; 38 is not start + 30 for any start 1..7.
    if (c != start && c != start + 10 && c != start + 20) continue;
    for (int j = i + 1; j <= 13; ++j) {
      if (w[j] != c + 1) continue;
      int k = j + 1;
      while (k <= 14 && w[k] != c + 2) ++k;
      if (k > 14) continue;  // a later copy of c + 1 may still have a c + 2 after it
      record_set(g.a, c, 1);
      w[i] = w[j] = w[k] = kEmpty;
      break;
    }
  }
}

namespace {

// The same removals as running shuntsu_nuki_sub for each start in turn, for a
// hand whose tiles are in order (empty slots anywhere). Then every copy of
// c + 1 lies after every copy of c, so each pass takes the earliest remaining
// copies of c, c + 1 and c + 2 as often as all three remain: found from the
// slot lists of one scan instead of a nested search per tile. The searches run
// this tens of thousands of times a hand.
bool shuntsu_nuki_in_order(Analysis& a, const int (&order)[7]) {
  Hand& w = a.work_hai;
  std::array<std::array<std::int8_t, 4>, 30> slots{};  // slots of each number tile
  std::array<std::int8_t, 30> count{}, used{};
  Tile prev = 0;
  for (int i = 1; i <= 14; ++i) {
    const Tile c = w[std::size_t(i)];
    if (c == kEmpty) continue;
    if (c < prev || c < 0) return false;  // not in order: the plain search decides
    prev = c;
    if (c >= 30) continue;
    auto& n = count[std::size_t(c)];
    if (n >= 4) return false;
    slots[std::size_t(c)][std::size_t(n++)] = std::int8_t(i);
  }
  for (int start : order) {
    for (int base = start; base < 30; base += 10) {
      const std::size_t c0 = std::size_t(base), c1 = c0 + 1, c2 = c0 + 2;
      while (used[c0] < count[c0] && used[c1] < count[c1] && used[c2] < count[c2]) {
        record_set(a, Tile(base), 1);
        w[std::size_t(slots[c0][std::size_t(used[c0]++)])] = kEmpty;
        w[std::size_t(slots[c1][std::size_t(used[c1]++)])] = kEmpty;
        w[std::size_t(slots[c2][std::size_t(used[c2]++)])] = kEmpty;
      }
    }
  }
  return true;
}

}  // namespace

void shuntsu_nuki(Game& g) {
  const int jun = g.a.shuntsu_jun;
  const int row = (jun >= 1 && jun <= 3) ? jun - 1 : 3;
  if (shuntsu_nuki_in_order(g.a, kShuntsuOrder[row])) return;
  for (int start : kShuntsuOrder[row]) shuntsu_nuki_sub(g, start);
}

void atama_nuki(Game& g) {
  work_hai_sort(g);
  Analysis& a = g.a;
  Hand& w = a.work_hai;
  int lo = 0;  // the pair is slots lo and lo + 1
  if (a.atama_jun == 1) {
    for (int i = 1; i <= 13 && lo == 0; ++i)
      if (w[i] != kEmpty && w[i] == w[i + 1]) lo = i;
  } else {
    for (int i = 14; i >= 2 && lo == 0; --i)
      if (w[i] != kEmpty && w[i] == w[i - 1]) lo = i - 1;
  }
  if (lo == 0) return;
  a.atama_hai = w[lo];
  ++a.toitsu_cnt;
  w[lo] = w[lo + 1] = kEmpty;
}

void toitsu_nuki(Game& g) {
  work_hai_sort(g);
  Analysis& a = g.a;
  Hand& w = a.work_hai;
  Tile previous = 0;
  for (int i = 1; i <= 13; ++i) {
    const Tile c = w[i];
    if (c == kEmpty || w[i + 1] != c) continue;
    // Four equal tiles are one pair and two tiles over, never two of the seven.
    if (c != previous) {
      ++a.toitsu_cnt;
      if (std::size_t(a.toitsu_cnt) < a.toitsu_hai.size()) a.toitsu_hai[std::size_t(a.toitsu_cnt)] = c;
      w[i] = w[i + 1] = kEmpty;
    }
    previous = c;
  }
}

int nokori_kazu(Game& g) {
  work_hai_sort(g);
  int n = 0;
  while (n < 14 && g.a.work_hai[n + 1] != kEmpty) ++n;
  return n;
}

int mentsu_bunkai(Game& g, int case_no) {
  bunkai_clear(g);
  switch (case_no) {
    case 1: kotsu_nuki(g); shuntsu_nuki(g); atama_nuki(g); break;
    case 2: kotsu_nuki(g); atama_nuki(g); shuntsu_nuki(g); break;
    case 3: shuntsu_nuki(g); atama_nuki(g); kotsu_nuki(g); break;
    case 4: shuntsu_nuki(g); kotsu_nuki(g); atama_nuki(g); break;
    case 5: atama_nuki(g); kotsu_nuki(g); shuntsu_nuki(g); break;
    case 6: atama_nuki(g); shuntsu_nuki(g); kotsu_nuki(g); break;
    case 7: kotsu_nuki(g); atama_nuki(g); break;
    default: toitsu_nuki(g); break;
  }
  return nokori_kazu(g);
}

}  // namespace sekiba
