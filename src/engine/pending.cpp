#include "engine/pending.h"

#include "engine/game.h"
#include "engine/setup.h"
#include "engine/waits.h"
#include "eval/hand.h"
#include "screen/draw.h"

namespace sekiba {

namespace {

// Draws into slot 14 unless the dealer's first turn already holds 14 tiles, then
// throws that tile onto the side's discard row.
Tile scaffold_draw(Game& g, std::array<Tile, 16>& hand) {
  if (hand[14] == kEmpty) hand[14] = hai_rnd(g);
  const Tile t = hand[14];
  hand[14] = kEmpty;
  return t;
}

}  // namespace

int man_main(Game& g) {
  Table& t = g.t;
  const Tile tile = scaffold_draw(g, t.man_hai);
  hai_put(g, kEmpty, 55, 43, 0);
  hai_put(g, tile, t.man_sute_x, t.man_sute_y, 2 * g.s.settei[17]);
  pasi_play(g);
  t.man_sute[std::size_t(t.man_junme)] = tile;
  t.man_sute_x = std::int16_t(t.man_sute_x + 4);
  if (t.man_junme == 10) {
    t.man_sute_x = 3;
    t.man_sute_y = std::int16_t(t.man_sute_y + 7);
  }
  ++t.man_junme;
  man_hai_sort(g);
  return 0;
}

int saigo_furi_check(Game&) { return 0; }
void atari_pr(Game&) {}
void dora_asist_pr(Game&) {}

}  // namespace sekiba
