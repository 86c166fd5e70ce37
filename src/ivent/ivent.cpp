#include "ivent/ivent.h"

#include <algorithm>

#include "engine/game.h"

namespace sekiba {

void ivent_bou_add(Game& g, int kind, int count) {
  if (g.t.agari_pl != 1 || kind < 0 || kind > 5) return;
  auto& n = g.t.ivent_bou[std::size_t(kind)];
  n = std::int16_t(std::clamp(n + count, 0, 10));
}

}  // namespace sekiba
