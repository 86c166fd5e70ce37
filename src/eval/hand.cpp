#include "eval/hand.h"

#include <algorithm>

#include "engine/game.h"

namespace sekiba {

namespace {
// Slots 1..14 ascending; 38 (empty) sorts last. Slot 15 is left alone. The
// searches sort thousands of times per hand, mostly hands whose tiles are still
// in order with empty slots (38) left where sets were taken out: such a hand
// only needs its tiles moved up, which one pass does.
void sort_slots(Hand& h) {
  Tile* a = h.data() + 1;
  // Most often the hand is in order already, its empty slots (38, above every
  // tile) last: a look without a write. (A code above 38 is no tile and would
  // be moved before the empty slots.)
  bool in_order = a[13] <= kEmpty;
  for (int i = 0; i < 13; ++i) in_order &= a[i] <= a[i + 1];
  if (in_order) return;
  int n = 0;
  bool ordered = true;
  for (int i = 0; i < 14; ++i) {
    const Tile v = a[i];
    if (v == kEmpty) continue;
    if (n > 0 && a[n - 1] > v) ordered = false;
    a[n++] = v;
  }
  for (int i = n; i < 14; ++i) a[i] = kEmpty;
  if (ordered) return;
  for (int i = 1; i < n; ++i) {
    const Tile v = a[i];
    int j = i;
    while (j > 0 && a[j - 1] > v) {
      a[j] = a[j - 1];
      --j;
    }
    a[j] = v;
  }
}

}  // namespace

void man_work_set(Game& g) { std::copy(g.t.man_hai.begin() + 1, g.t.man_hai.begin() + 15, g.a.work_hai.begin() + 1); }
void com_work_set(Game& g) { std::copy(g.t.com_hai.begin() + 1, g.t.com_hai.begin() + 15, g.a.work_hai.begin() + 1); }
void work_hai_sort(Game& g) { sort_slots(g.a.work_hai); }
void man_hai_sort(Game& g) { sort_slots(g.t.man_hai); }
void com_hai_sort(Game& g) { sort_slots(g.t.com_hai); }

}  // namespace sekiba
