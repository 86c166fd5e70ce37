// Tenpai at an exhaustive draw: the concealed tiles are decomposed in every
// order and what is left over is judged as a wait, without trying the winning
// tiles. The user's melds stay out: as loose tiles they could join the hand
// (a pon of 5 makes 3-4 and 6-7 read as 3-4-5, 5-6-7 and a single 5, a
// tenpai the hand does not have).
#include "eval/bunkai.h"

#include "engine/game.h"
#include "eval/hand.h"

namespace sekiba {

namespace {

constexpr Tile kOrphans[13] = {1, 9, 11, 19, 21, 29, 31, 32, 33, 34, 35, 36, 37};

// Three sets and a head leave two tiles: ready when they are an open or edge
// shape, a closed shape, or a second pair.
bool two_left_wait(Game& g) {
  work_bak2_save(g);
  remove_neighbours(g);
  if (nokori_kazu(g) == 0) return true;
  work_bak2_load(g);
  remove_closed_shapes(g);
  if (nokori_kazu(g) == 0) return true;
  work_bak2_load(g);
  remove_pairs(g);
  return nokori_kazu(g) == 0;
}

bool sets_and_wait(Game& g) {
  Analysis& a = g.a;
  for (int atama = 1; atama <= 2; ++atama) {
    for (int jun = 1; jun <= 4; ++jun) {
      for (int case_no = 1; case_no <= 6; ++case_no) {
        a.atama_jun = std::int16_t(atama);
        a.shuntsu_jun = std::int16_t(jun);
        work_bak1_load(g);
        const int r = mentsu_bunkai(g, case_no);
        if (r == 1) return true;  // the single tile waits for its pair
        if (r == 2 && two_left_wait(g)) return true;
      }
    }
  }
  return false;
}

// Six pairs and one tile held once. A tile held three times leaves one over
// too, but it cannot become a seventh distinct pair.
bool seven_pairs_wait(Game& g, int (*held)(Game&, Tile)) {
  work_bak1_load(g);
  g.a.atama_jun = 1;
  g.a.shuntsu_jun = 1;
  if (mentsu_bunkai(g, 8) != 1) return false;
  return held(g, g.a.work_hai[1]) == 1;
}

// A wait every greedy order misses (11 12 12 13 14 15 15 16 17 17 18 18 19
// waits on 13 as 11-12-13, 12-13-14, 16-17-18, 17-18-19 and 15 15): some tile
// completes a split into sets and a head. Without this the hand would pay as
// noten while its winning tile is shown.
bool split_wait(Game& g) {
  for (int c = 1; c <= 37; ++c) {
    if (!is_tile(c)) continue;
    work_bak1_load(g);
    g.a.work_hai[14] = Tile(c);
    if (mentsu_kansei(g.a.work_hai)) return true;
  }
  return false;
}

// The computer wins on thirteen orphans as the user does, so its orphan wait
// is a winning tile at the draw too.
bool orphans_wait(Game& g) {
  for (Tile code : kOrphans) {
    work_bak1_load(g);
    g.a.work_hai[14] = code;
    work_hai_sort(g);
    if (kokushi_check(g) != 0) return true;
  }
  return false;
}

bool has_any_meld(const Table& t) {
  for (int i = 1; i <= 4 && i < t.man_naki_cnt; ++i)
    if (t.man_naki_kind[i] != 0) return true;
  return false;
}

}  // namespace

int com_nagare_tenpai(Game& g) {
  if (g.t.com_rechi != 0) return kAgari;
  com_work_set(g);
  work_hai_sort(g);
  work_bak1_save(g);
  if (sets_and_wait(g)) return kAgari;
  if (seven_pairs_wait(g, com_hai_kazu)) return kAgari;
  if (orphans_wait(g)) return kAgari;
  if (split_wait(g)) return kAgari;
  return 0;
}

int man_nagare_tenpai(Game& g) {
  if (g.t.man_rechi != 0) return kAgari;
  man_work_set(g);
  work_hai_sort(g);
  work_bak1_save(g);
  if (sets_and_wait(g)) return kAgari;
  const bool closed = !has_any_meld(g.t);
  if (closed && seven_pairs_wait(g, man_hai_kazu)) return kAgari;
  if (closed && orphans_wait(g)) return kAgari;
  if (split_wait(g)) return kAgari;
  return 0;
}

}  // namespace sekiba
