#pragma once
// The user's turn: the operation window, the discard phase with riichi, calls and
// kans, furiten and the waits display, automatic play and the hints.
#include "engine/table.h"

namespace sekiba {

struct Game;

// Action of the decision phase, handed on to the discard phase.
enum Inflg : int { kNoDecision = 0, kDrew = 1, kPon = 2, kChi = 3, kRon = 4, kOpenKan = 5 };

// ---- turn.cpp: the turn and the operation window ----
// One turn of the user: 0 discarded, 1 won by ron, 2 won by tsumo.
int man_main(Game& g);
// Draws the window in mode 0..7 with item `cursor` highlighted, and remembers both.
void sousa_window(Game& g, int cursor, int mode);
// Index of the last item the window shows in a mode.
int sousa_last_item(const Game& g, int mode);
// Runs the event-stick command 0..4 from a stick click or its function key.
void ivent_stick_command(Game& g, int stick);

// ---- sute.cpp: the discard phase ----
// 1 when the user won by tsumo, else 0 (a tile was thrown).
int man_sute_sub(Game& g, int ichi, int inflg);
void man_tumo(Game& g);
// 1 when the user wins on the tile (agari fields set), else 0.
int man_ron(Game& g, Tile tile);
// The tile thrown with riichi, or 38 when the choice was cancelled.
Tile man_rechi_sub(Game& g, int& p);
// Declares riichi when the hand (a tile already out of it) is ready and not furiten.
void rechi_test(Game& g);
void man_rechi_pr(Game& g);
void man_rechi_mk(Game& g);
void rechi_ng(Game& g);
void sute_kasol(Game& g, int p);
void rechi_jidou_check(Game& g);

// ---- naki.cpp: calls and kans ----
// Whether the call on the opponent's discard can be made with the hand.
bool pon_possible(const Game& g, Tile tile);
bool kan_possible(const Game& g, Tile tile);
// The runs a chi can make: the called tile lowest, in the middle, highest.
struct ChiRuns {
  bool low = false, middle = false, high = false;
  bool any() const { return low || middle || high; }
};
ChiRuns chi_runs(const Game& g, Tile tile);
int man_pon(Game& g, Tile tile);
int man_chi(Game& g, Tile tile);
// The run the user picks: 1 the called tile lowest, 2 middle, 3 highest.
int man_chi_sel(Game& g, Tile tile);
int man_kan(Game& g, Tile tile);
// Closed kan, else an added kan; 1 when a kan was made.
int man_unkan(Game& g);
int man_unkan_p(Game& g);
Tile pon_tuke(Game& g);
void man_pon_minkan(Game& g, Tile tile);
void man_pon_hai_kesu(Game& g, Tile tile);
void man_chi_hai_kesu(Game& g, Tile tile, int method);
void man_kan_hai_kesu(Game& g, Tile tile);
void man_unkan_hai_kesu(Game& g, Tile tile);
void pon_hai_move(Game& g, Tile tile);
void chi_hai_move(Game& g, Tile tile, int method);
void kan_hai_move(Game& g, Tile tile);
void unkan_hai_move(Game& g, Tile tile);
void pr_chi_mk(Game& g, int slot);

// ---- furiten.cpp: furiten, waits and the last discard ----
void furiten_pr(Game& g, Tile& tile);
void help_mode(Game& g);
void atari_pr(Game& g);
// 1 when the dealer wins by ron on the last discard of the wall (teban names the
// winner), else 0.
int saigo_furi_check(Game& g);

// ---- offer.cpp: what the decision on a discard can do, and why not ----
struct CallOffer {
  bool pon = false, chi = false, kan = false, ron = false;
  bool any() const { return pon || chi || kan || ron; }
};
// What the user could do with the opponent's discard: calls only outside
// riichi, a ron only on a winning tile that furiten does not forbid. The hand
// is left as it was.
CallOffer call_offer(Game& g, Tile tile);
// Whether an item of the operation window can be taken (the calls the player
// asked to see only when they are possible).
bool sousa_item_on(const Game& g, int mode, int item);
// A refused action explained in a line over the table for a second, when the
// player asked for it; never in automatic play.
void say_refusal(Game& g, const char* ja);

// ---- jidou.cpp: automatic play and the helps ----
void jidou_mode(Game& g);
void mnuauto_Click(Game& g);
void mnuautospeed_Click(Game& g);
// The proposal: 0 none, 1..14 the slot to throw, 21..34 the same with riichi,
// 38 the hand is complete.
int man_osekai_main(Game& g);
// The proposal for the tile in `slot` by the wait the evaluation reported, and
// the hint label shown over it (0 none).
struct OsekaiProposal {
  int p;
  int label;
};
OsekaiProposal osekai_proposal(int slot, int osekai_machi, int bunkai_no, int man_junme);
void osekai_hen(Game& g);
void mnuosekai_Click(Game& g);
void asist_kun(Game& g);
void mnuasist_Click(Game& g);
void dora_asist_pr(Game& g);

// The speed dialog: the option shown for a stored pause (1, 5, 10, anything else)
// and the pause each option stores.
int speed_option_for(int value);
int speed_value_for(int option);

}  // namespace sekiba
