#pragma once
// Conveniences a player may switch on, beyond the game's own options. Each is
// off by default, so a player who never touches them plays the game as it
// always was. They live in a small file of their own in the user's
// configuration folder; the settings file is never touched by them.
#include <string>

namespace sekiba {

struct Game;

struct Extras {
  // ポン, チー and カン offered only when they can be made, and no decision on
  // a discard that nothing can be done with.
  bool calls_when_possible = false;
  // A refused action says why in a line over the table.
  bool say_refusals = false;
  // The hint and dora-label switches stay as the player left them, from one
  // game (and one run of the program) to the next.
  bool keep_hints = false;
  bool osekai = false, asist = false;  // as last left, while keep_hints is on
  // Loudness of the game's sounds, 0..100, and a mute that keeps the pace.
  int volume = 100;
  bool muted = false;
  // Where the file is kept; empty: nowhere (nothing is read or written).
  std::string path;
};

inline constexpr const char* kExtrasFile = "extras.conf";

// "key=value" lines. Unknown keys, broken lines and values out of range are
// passed over: each key keeps its default.
Extras parse_extras(const std::string& text);
std::string format_extras(const Extras& e);

// Reads the file of the platform's configuration folder into g.ext and tells
// the platform the sound volume.
void load_extras(Game& g);
// Writes g.ext back; false when it could not be written (nothing is lost in
// memory, and the game goes on).
bool save_extras(const Game& g);

// The hint switches as the player leaves them: kept when keep_hints is on.
void remember_hints(Game& g);

}  // namespace sekiba
