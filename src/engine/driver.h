#pragma once
// The game driver: the Start command runs game after game, hand after hand.
#include <functional>

namespace sekiba {

struct Game;
struct Table;

// Runs for as long as the program runs (it leaves only by QuitRequested).
void mnugame_Click(Game& g);

// Whether another hand follows: the score lasts (outside a LAN match), the
// eighth dealer turn is not over and a series has not reached its length.
bool game_goes_on(const Table& t);
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
