#pragma once

namespace sekiba {

struct Game;

// Decides the first dealer of a new game by two dice.
void oya_kime(Game& g);
void saikoro(Game& g, int face, int x, int y);
void sai_a(Game& g, int x, int y);
void sai_b(Game& g, int x, int y);
void sai_c(Game& g, int x, int y);
void sai_d(Game& g, int x, int y);
// The dealer for a pair of dice: 1 (the user) when the sum is odd.
int oya_for_dice(int first, int second);

}  // namespace sekiba
