// Partial shapes taken out of what a decomposition left over. Slots are scanned
// in ascending order and a removed tile is not looked at again.
#include "eval/bunkai.h"

#include "engine/game.h"
#include "eval/hand.h"

namespace sekiba {

namespace {

bool is_number(Tile c) { return c >= 1 && c <= 29 && c % 10 != 0; }

// For each slot holding a tile that `starts` accepts, removes it together with
// the first later slot holding its partner (when there is one).
template <typename Starts, typename Partner>
void remove_two(Hand& w, Starts starts, Partner partner) {
  for (int i = 1; i <= 13; ++i) {
    const Tile t = w[i];
    if (t == kEmpty || !starts(t)) continue;
    const Tile want = partner(t);
    if (want == 0) continue;
    for (int j = i + 1; j <= 14; ++j) {
      if (w[j] != want) continue;
      w[i] = w[j] = kEmpty;
      break;
    }
  }
}

}  // namespace

void remove_neighbours(Game& g) {
  // 9 + 1 is a gap code that no slot holds, so a 9 never pairs across suits.
  remove_two(g.a.work_hai, is_number, [](Tile t) { return Tile(t + 1); });
}

void remove_open_shapes(Game& g) {
  remove_two(
      g.a.work_hai, [](Tile t) { return is_number(t) && t % 10 >= 2 && t % 10 <= 7; },
      [](Tile t) { return Tile(t + 1); });
}

void remove_closed_shapes(Game& g) {
  // t + 2 of a 9 or an 8 lies in the next suit (or in the honours): not a shape.
  remove_two(g.a.work_hai, is_number, [](Tile t) { return t % 10 <= 7 ? Tile(t + 2) : Tile(0); });
}

void remove_pairs(Game& g) {
  work_hai_sort(g);
  Hand& w = g.a.work_hai;
  for (int i = 1; i <= 13; ++i) {
    if (w[i] == kEmpty || w[i] != w[i + 1]) continue;
    w[i] = w[i + 1] = kEmpty;
  }
}

}  // namespace sekiba
