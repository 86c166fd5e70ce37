#pragma once
// Shared between the event frame and the event actions.
namespace sekiba {

struct Game;

namespace ivent {

// One event's offer window and the places of its texts.
struct Offer {
  int kind;
  int strip_top, strip_end;  // the screen bands saved while the window is open
  int bx0, by0, bx1, by1, fcol, lcol;  // the offer box
  const char* text;
  int tx, tcol;               // the offer text at (tx, 28)
  const char* run_text;       // "実行", or both words in one text
  int run_x, stop_x;          // on row 30; stop_x < 0: run_text holds both
  int run_mark, stop_mark;    // key marks 39 and 40 on row 30
  int tri_x, tri_col;         // "▲" under the stick icon, row 26
};

const Offer& offer(int kind);
void draw_offer_box(Game& g, const Offer& o);

// The actions after the user agreed; each returns true when it has already
// restored the saved screen strip itself.
bool dora_action(Game& g);
bool rasu_action(Game& g);
bool koukan_action(Game& g);
bool double_action(Game& g);
bool open_action(Game& g);

}  // namespace ivent
}  // namespace sekiba
