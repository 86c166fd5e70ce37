#pragma once
// Procedures the driver calls whose features are built in later steps of the
// project. Each answers what "nothing found" means until then: no win, noten,
// no continue file, nothing to record.

namespace sekiba {

struct Game;

// The user's turn: the scaffold draws a tile and throws it.
int man_main(Game& g);
// The side that did not make the last discard may still win on it: not yet.
int saigo_furi_check(Game& g);
void atari_pr(Game& g);
void dora_asist_pr(Game& g);

}  // namespace sekiba
