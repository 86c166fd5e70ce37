#include <algorithm>

#include "engine/game.h"

namespace sekiba {

namespace {
void copy_slots(const Hand& from, Hand& to) {
  std::copy(from.begin() + 1, from.begin() + 15, to.begin() + 1);
}
}  // namespace

void work_bak1_save(Game& g) { copy_slots(g.a.work_hai, g.a.hai_bak1); }
void work_bak1_load(Game& g) { copy_slots(g.a.hai_bak1, g.a.work_hai); }
void work_bak2_save(Game& g) { copy_slots(g.a.work_hai, g.a.hai_bak2); }
void work_bak2_load(Game& g) { copy_slots(g.a.hai_bak2, g.a.work_hai); }
void com_bak3_save(Game& g) { copy_slots(g.t.com_hai, g.a.hai_bak3); }
void com_bak3_load(Game& g) { copy_slots(g.a.hai_bak3, g.t.com_hai); }
void com_bak4_save(Game& g) { copy_slots(g.t.com_hai, g.a.hai_bak4); }
void com_bak4_load(Game& g) { copy_slots(g.a.hai_bak4, g.t.com_hai); }
void man_bak3_save(Game& g) { copy_slots(g.t.man_hai, g.a.hai_bak3); }
void man_bak3_load(Game& g) { copy_slots(g.a.hai_bak3, g.t.man_hai); }
void man_bak4_save(Game& g) { copy_slots(g.t.man_hai, g.a.hai_bak4); }
void man_bak4_load(Game& g) { copy_slots(g.a.hai_bak4, g.t.man_hai); }

}  // namespace sekiba
