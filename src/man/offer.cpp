// What the decision on the opponent's discard can do, and the line that says
// why an action was refused. Both only act for a player who switched them on.
#include "engine/game.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "man/man.h"

namespace sekiba {

CallOffer call_offer(Game& g, Tile tile) {
  CallOffer o;
  if (!is_tile(tile)) return o;
  Table& t = g.t;
  if (t.man_rechi == 0) {
    o.pon = pon_possible(g, tile);
    o.chi = chi_runs(g, tile).any();
    o.kan = kan_possible(g, tile);
  }
  if (man_furiten_hai(g) == 0) {
    const Tile held = t.man_hai[14];
    t.man_hai[14] = tile;
    man_work_set(g);
    o.ron = man_agari_check(g) == kAgari;
    t.man_hai[14] = held;
  }
  return o;
}

bool sousa_item_on(const Game& g, int mode, int item) {
  if (mode != 0 || item < 1 || item > 3) return true;
  return g.man.sousa_off[std::size_t(item)] == 0;
}

void say_refusal(Game& g, const char* ja) {
  if (!g.ext.say_refusals || g.t.jidou == 1) return;
  g.os.show_notice_for(g.os.tr(ja), 1000);
}

}  // namespace sekiba
