#pragma once
// Small helpers of the discard evaluation: tile classes, weights and the side
// whose hand is evaluated (teban 2 the computer, else the user).
#include "engine/game.h"
#include "eval/bunkai.h"
#include "eval/hand.h"

namespace sekiba::shikou_util {

inline bool is_number(Tile c) { return c >= 1 && c <= 29 && c % 10 != 0; }
inline bool is_honour(Tile c) { return c >= 31 && c <= 37; }
inline int suit(Tile c) { return c / 10; }
inline int rank(Tile c) { return c % 10; }

inline int weight(const Game& g, Tile c) {
  return (c >= 0 && c <= 38) ? g.com.hai_hyouka[std::size_t(c)] : 0;
}

inline bool com_side(const Game& g) { return g.t.teban == 2; }

inline const std::array<Tile, 16>& side_hand(const Game& g) {
  return com_side(g) ? g.t.com_hai : g.t.man_hai;
}

inline void side_work_set(Game& g) {
  if (com_side(g)) com_work_set(g);
  else man_work_set(g);
  work_hai_sort(g);
}

inline int side_hand_kazu(Game& g, Tile t) {
  return com_side(g) ? com_hai_kazu(g, t) : man_hai_kazu(g, t);
}

inline int side_sute_kazu(Game& g, Tile t) {
  return com_side(g) ? com_sute_kazu(g, t) : man_sute_kazu(g, t);
}

}  // namespace sekiba::shikou_util
