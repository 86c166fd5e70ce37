// The start of every game: its values from the defaults.
#include <algorithm>

#include "engine/game.h"
#include "engine/pending.h"
#include "engine/setup.h"
#include "engine/waits.h"

namespace sekiba {

void clear_shoki_data(Game& g) {
  Table& t = g.t;
  t.man_ten = 300;
  t.kyoku = 1;
  t.honba = 1;
  t.rechi_bou = 0;
  for (int i = 0; i < 5; ++i) t.ivent_bou[std::size_t(i)] = 1;
  t.game_no = 1;
  t.series_void = 0;
  std::fill(t.score_rireki.begin(), t.score_rireki.begin() + 500, 300);
}

void set_shoki1(Game& g) {
  // The saved game is offered by the continue file once that exists; until then
  // every game starts from the defaults.
  clear_shoki_data(g);
  g.os.menu_checked("mnuosekai", false);
  g.os.menu_checked("mnuasist", false);
  g.t.shoki_flag = 1;
  clock_get(g);
  rnd_discard(g, (long long)g.t.clock_sec + g.t.clock_min + 1);
}

}  // namespace sekiba
