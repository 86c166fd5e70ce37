#pragma once
// The computer's turn against the computer: ron only in riichi, the random draw,
// tsumo, the discard evaluation, riichi by style and the discard rows. It never
// calls and never makes a kan.
#include "engine/table.h"

namespace sekiba {

struct Game;

// One turn of the opponent side: 0 a discard was laid, 1 ron, 2 tsumo.
int com_main(Game& g);
// A random tile into com_hai slot 14, shown face down (face up in automatic
// play with the computer's hand open).
void com_tumo(Game& g);
// Declares riichi when the last evaluation left a ready hand in time.
void com_rechi_check(Game& g);
// Banner, sound, stick and the 1000 points of a declaration.
void com_rechi_pr(Game& g);
// The riichi mark at the declaring discard.
void com_rechi_mk(Game& g);
// Takes one copy of the tile out of com_hai (the drawn tile first in riichi).
void sute_kesu(Game& g, Tile tile);
// Marks the latest discard as taken by a user call: 1 pon, 2 chi, 3 kan.
void com_sute_ichi_kesu(Game& g, int kind);
// 38 when one of the computer's own earlier discards would complete its hand
// after throwing `tile`; 0 otherwise or when the evaluation saw no ready hand.
int com_furi_check(Game& g, Tile tile);

}  // namespace sekiba
