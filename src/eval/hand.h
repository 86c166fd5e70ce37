#pragma once
// Copying hands into the analysis hand and sorting them.

namespace sekiba {

struct Game;

void man_work_set(Game& g);
void com_work_set(Game& g);
void work_hai_sort(Game& g);
void man_hai_sort(Game& g);
void com_hai_sort(Game& g);

}  // namespace sekiba
