#pragma once
// Hand setup: the random draw, the hand reset, the indicators and the deal.
#include "engine/table.h"

namespace sekiba {

struct Game;

// A whole number 1..n, each equally likely.
int rnd_n(Game& g, int n);
// Draws k values and forgets them.
void rnd_discard(Game& g, long long k);
// Draws a tile among the codes that still have a copy left and counts it.
Tile hai_rnd(Game& g);
void set_shoki2(Game& g);
void set_dora(Game& g);
// The dora named by an indicator (the indicator itself with setting 6 at 0).
Tile out_dora(const Game& g, Tile t);
void haipai_ton(Game& g);
void haipai_nan(Game& g);
// The computer's thinking pause.
void think_wait(Game& g);

}  // namespace sekiba
