#pragma once
// Tile classes and set-list walks shared by the yaku and yakuman judgements.
#include "engine/game.h"
#include "eval/yaku.h"

namespace sekiba::yaku_detail {

inline int suit_of(int t) { return t / 10; }  // 0..2 number suits, 3 honours
inline int number_of(int t) { return t % 10; }
inline bool is_honour(int t) { return t >= 31 && t <= 37; }
inline bool is_dragon(int t) { return t >= 35 && t <= 37; }
inline bool is_wind(int t) { return t >= 31 && t <= 34; }
inline bool is_number(int t) { return t >= 1 && t <= 29 && number_of(t) != 0; }
inline bool is_terminal(int t) { return is_number(t) && (number_of(t) == 1 || number_of(t) == 9); }
inline bool is_simple(int t) { return is_number(t) && number_of(t) >= 2 && number_of(t) <= 8; }

// The 14 tiles of the whole hand.
inline Tile hand_tile(const Game& g, int i) { return g.a.work_hai[std::size_t(i)]; }
template <class Pred>
bool whole_hand(const Game& g, Pred p) {
  for (int i = 1; i <= 14; ++i)
    if (!p(int(hand_tile(g, i)))) return false;
  return true;
}
inline int hand_count(const Game& g, int tile) {
  int n = 0;
  for (int i = 1; i <= 14; ++i) n += hand_tile(g, i) == tile;
  return n;
}

// Number of sets in the list; a damaged counter never walks past the array.
inline int set_count(const Game& g) {
  const int n = g.a.mentsu_cnt - 1;
  return n < 0 ? 0 : (n > 5 ? 5 : n);
}
inline Tile set_tile(const Game& g, int i) { return g.a.mentsu_hai[std::size_t(i)]; }
inline int set_kind(const Game& g, int i) { return g.a.mentsu_kind[std::size_t(i)]; }
template <class Pred>
int count_sets(const Game& g, Pred p) {
  int n = 0;
  for (int i = 1; i <= set_count(g); ++i) n += p(int(set_kind(g, i)), int(set_tile(g, i))) ? 1 : 0;
  return n;
}
inline bool has_triplet_of(const Game& g, int tile) {
  return count_sets(g, [tile](int kind, int t) { return kind == 2 && t == tile; }) > 0;
}

// Adds one yaku: announced, appended to the result text, remembered. A variable
// han is written right-aligned in two characters, a fixed one with two digits.
void add_yaku(Game& g, int code, int han, bool variable_han);
// The four-character group of the result text.
std::string yaku_group(int code, int han, bool variable_han);

}  // namespace sekiba::yaku_detail
