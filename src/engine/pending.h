#pragma once
// Procedures the driver calls whose features are built in later steps of the
// project. Each answers what "nothing found" means until then: no win, noten,
// no continue file, nothing to record.

namespace sekiba {

struct Game;

// One turn of each side: the scaffold draws a tile and throws it.
int man_main(Game& g);
int com_main(Game& g);
// The side that did not make the last discard may still win on it: not yet.
int saigo_furi_check(Game& g);
// Exhaustive-draw tenpai tests: 38 tenpai, 0 noten.
int man_nagare_tenpai(Game& g);
int com_nagare_tenpai(Game& g);
void atari_pr(Game& g);
// Settlement of a win.
void yaku_main(Game& g);
void man_naki_tenkai(Game& g);
// Hand-start judgements of the computer player.
void com_kotsu_kime(Game& g);
void com_nerai_kime(Game& g);
void man_nerai_kime(Game& g);
void dora_asist_pr(Game& g);
// Records.
void save_yaku_cnt(Game& g);
void contine_sel(Game& g);
void set_shoki1(Game& g);
void clear_shoki_data(Game& g);
void save_contine(Game& g, int flag);
void game_save(Game& g);
void end_of_game_records(Game& g);
void score_time_pr(Game& g);

}  // namespace sekiba
