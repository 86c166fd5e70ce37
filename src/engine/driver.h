#pragma once
// The game driver: the Start command runs game after game, hand after hand.
#include <functional>

namespace sekiba {

struct Game;

// Runs for as long as the program runs (it leaves only by QuitRequested).
void mnugame_Click(Game& g);

// One hand from its reset to the end-of-hand wait.
void play_hand(Game& g);
// The exhaustive-draw settlement.
void nagare_settle(Game& g);

void man_ron_sub(Game& g);
void com_ron_sub(Game& g);
void man_tumo_sub(Game& g);
void com_tumo_sub(Game& g);
void man_next(Game& g);
void com_next(Game& g);
void pr_nagare(Game& g);
void pr_100_over(Game& g);
void pr_game_over(Game& g);
void title_sub2(Game& g);
void key_machi(Game& g);
void jidou_pause(Game& g);
void lan_kekka(Game& g);
void ura_set(Game& g);
void score_rireki_add(Game& g);
// Hands in the current series; 0 in the normal game.
int series_length(const Game& g);

}  // namespace sekiba
