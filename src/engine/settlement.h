#pragma once
// Settling a declared win: points by fu and han, riichi sticks, the no-yaku penalty.

namespace sekiba {

struct Game;

void yaku_main(Game& g);
// Both return the points the hand moved (negative when the opponent won).
int score_input(Game& g, int han);
int fu_keisan(Game& g, int han);
// Points below the limit from the table (negated when the opponent won).
int fu_hyou(const Game& g, int han, int fu);
int mangan_keisan(const Game& g, int han);
// 1 when the winner deals, else 2.
int oya_ko(const Game& g);
// 2 terminal or honour, 1 simple, 0 not a tile of a suit or honour.
int yaochu_kind(int tile);
int penchan_kanchan(const Game& g, int s);
void bou_toku(Game& g);
int chonbo(Game& g);
// Tells the table of the win being settled and turns the ura indicator up in riichi.
void tell_agari(Game& g);
void pr_yobina(Game& g, int han);
void waku_pr(Game& g);
void kan_dora_pr(Game& g);
// The fu of the last fu_keisan (kept for the command-line tool and the tests).
int last_fu(const Game& g);

}  // namespace sekiba
