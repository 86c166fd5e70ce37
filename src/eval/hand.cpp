#include "eval/hand.h"

#include <algorithm>

#include "engine/game.h"

namespace sekiba {

namespace {
// Slots 1..14 ascending; 38 (empty) sorts last. Slot 15 is left alone.
void sort_slots(Hand& h) { std::sort(h.begin() + 1, h.begin() + 15); }
}  // namespace

void man_work_set(Game& g) { std::copy(g.t.man_hai.begin() + 1, g.t.man_hai.begin() + 15, g.a.work_hai.begin() + 1); }
void com_work_set(Game& g) { std::copy(g.t.com_hai.begin() + 1, g.t.com_hai.begin() + 15, g.a.work_hai.begin() + 1); }
void work_hai_sort(Game& g) { sort_slots(g.a.work_hai); }
void man_hai_sort(Game& g) { sort_slots(g.t.man_hai); }
void com_hai_sort(Game& g) { sort_slots(g.t.com_hai); }

}  // namespace sekiba
