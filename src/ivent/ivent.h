#pragma once
// Event sticks: the user earns them by certain wins and spends one to trigger
// the matching event. None of this exists in a LAN match.
#include <array>
#include <vector>

namespace sekiba {

struct Game;

// Adds count sticks of a kind (0..5) when the user is the winner of the hand
// being settled, one at a time, each skipped once the count is 10 or more.
void ivent_bou_add(Game& g, int kind, int count);

// The refusal box and sound (the caller keeps the screen and the busy flag).
void not_ivent(Game& g);

// Whether the event of a kind may be entered now (its condition and a stick).
bool ivent_allowed(const Game& g, int kind);

// The five events, each behind its offer window.
void dora_rulet(Game& g);
void rasu_tumo_ch(Game& g);
void hai_koukan(Game& g);
void nibai_kake(Game& g);
void com_open_sub(Game& g);

// man_ten (units of 100 points) as sticks of 10000, 5000, 1000 and 100 points,
// truncating toward zero.
std::array<int, 4> tenbou_split(int man_ten);
struct StickPlace {
  int glyph, x, y;
};
// Where each point stick is drawn, largest kind first; only as many as fit on
// the screen.
std::vector<StickPlace> tenbou_layout(int man_ten);
void tenbou_score(Game& g);

// Menu commands, F5..F9 and the stick icons.
void mnudora_Click(Game& g);
void mnurasu_Click(Game& g);
void mnuhaipai_Click(Game& g);
void mnudouble_Click(Game& g);
void mnuopen_Click(Game& g);
void mnutenbou_Click(Game& g);

}  // namespace sekiba
