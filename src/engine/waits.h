#pragma once
// Sounds and waits shared by every part of the game.
#include <string>

namespace sekiba {

struct Game;

// Plays app_path + name + ".wav" to its end (name as "\sekiba_wave_pon"); silent
// when sound is switched off or the file is missing.
void wave_play(Game& g, const std::string& name);
// The tile click.
void pasi_play(Game& g);
// Waits until more than ms milliseconds have passed, handling events meanwhile.
void wait_ms(Game& g, int ms);
void yield_n(Game& g, int n);
// Reads the clock's seconds and minutes into clock_sec and clock_min.
void clock_get(Game& g);

}  // namespace sekiba
