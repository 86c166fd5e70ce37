#include "engine/table_events.h"

#include "engine/game.h"

namespace sekiba {

void tell_table(Game& g, const TableEvent& e) {
  // A listener may add another (a record writer opening at a game's start):
  // the loop goes by index and sees only those there when it began.
  const std::size_t n = g.table_listeners.size();
  for (std::size_t i = 0; i < n; ++i) g.table_listeners[i](g, e);
}

}  // namespace sekiba
