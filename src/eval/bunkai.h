#pragma once
// The decomposition engine: greedy removal of sets and pairs from work_hai in an
// order picked by a case number and two selectors, and everything built on it
// (complete-hand tests, waits, furiten, exhaustive-draw tenpai, meld helpers).
//
// The first decomposition that leaves nothing is the one the yaku judgement
// reads (a later one only when the first has no yaku), so every search order
// below is part of the behaviour.
// Tests answer 38 for complete / tenpai and 0 for not.
#include <functional>

#include "engine/table.h"
#include "eval/analysis.h"

namespace sekiba {

struct Game;

inline constexpr int kAgari = 38;

// --- Removal steps (bunkai.cpp) ---------------------------------------------
// Cases 1..6 are the six orders of triplets / sequences / head, 7 is triplets
// and head only, anything else seven pairs. Returns the tiles left over.
int mentsu_bunkai(Game& g, int case_no);
void bunkai_clear(Game& g);
// Writes a set (kind 1 a sequence, 2 a triplet) into the next place of the set list.
void record_set(Analysis& a, Tile code, std::int16_t kind);
void kotsu_nuki(Game& g);
void shuntsu_nuki(Game& g);
void shuntsu_nuki_sub(Game& g, int start);
void atama_nuki(Game& g);
void toitsu_nuki(Game& g);
// Sorts work_hai and counts the tiles before the first empty slot.
int nokori_kazu(Game& g);

// --- Partial-shape removals on work_hai (bunkai_shapes.cpp) -------------------
// Only their effect on work_hai is needed here; the computer player's own
// versions also keep counters.
// Any number tile t with a later t + 1 (open or edge shape).
void remove_neighbours(Game& g);
// Number tile t of rank 2..7 with a later t + 1 (open shape only).
void remove_open_shapes(Game& g);
// Number tile t with a later t + 2 of the same suit (closed shape).
void remove_closed_shapes(Game& g);
// Sorts, then every pair of equal neighbours.
void remove_pairs(Game& g);

// --- Complete-hand tests (agari.cpp) -----------------------------------------
int com_agari_check(Game& g);
int man_agari_check(Game& g);
// man_agari_check for a hand whose turn has thrown its tile: 十三不塔, a shape
// of the first turn's fourteen tiles only, no longer counts.
int man_agari_check_sute(Game& g);
// Each decomposition the complete-hand test can end with, in its own order, on
// work_hai as the caller filled it, until `take` accepts one (38; the result
// globals then hold it), else 0. work_hai is restored before every attempt, so
// `take` may refill it. Thirteen orphans and 十三不塔 are not decompositions.
int agari_bunkai_each(Game& g, const std::function<bool()>& take);
// 0 no, 1 thirteen orphans, 2 thirteen orphans paired on agari_hai.
int kokushi_check(Game& g);
// 1 for the thirteen-unconnected shape on the user's first turn, else 0.
int sisan_check(Game& g);
// True when slots 1..14 of `h` split into sets and one head in any order (the
// greedy orders can miss such a split).
bool mentsu_kansei(const Hand& h);

// --- Waits, furiten and tenpai (machi.cpp, machi_nagare.cpp) -----------------
int man_tenpai_check(Game& g);
int help_kazu(Game& g);
int com_machi_kazu(Game& g);
Tile man_furiten_hai(Game& g);
int man_nagare_tenpai(Game& g);
int com_nagare_tenpai(Game& g);

// --- The computer's choice of decomposition (bunkai_kime.cpp) ----------------
void com_bunkai_kime(Game& g);
// At hand start: a hand of mostly triplets and pairs is played as such.
void com_kotsu_kime(Game& g);

// --- Melds and counts (bunkai_naki.cpp) ---------------------------------------
void man_naki_tuika(Game& g);
void naki_hai_tenkai(Game& g, int& slot);
void man_naki_tenkai(Game& g);
void man_ankan_tuika(Game& g);
int man_naki_kazu(Game& g);
int man_kan_kazu(Game& g);
int man_pon_kazu(Game& g);
int man_hai_kazu(Game& g, Tile tile);
int com_hai_kazu(Game& g, Tile tile);
int man_naki_hai_kazu(Game& g, Tile tile);
int man_sute_kazu(Game& g, Tile tile);
int com_sute_kazu(Game& g, Tile tile);

// --- The user's turn (bunkai_naki.cpp) ---------------------------------------
// Cursor position 0..13 over man_hai slot position + 1; direction -1, 0 or 1.
int kasol_idou(Game& g, int position, int direction);
int rechi_junme_check(Game& g);

}  // namespace sekiba
