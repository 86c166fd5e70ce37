#pragma once
// A replay step on the game's own table drawing.
#include <cstddef>
#include <string>

namespace sekiba {

struct Game;
struct GameRecord;
struct Replay;

// Lays step k of the replay on g's window surface, both hands face up; at a
// win the settlement shows its yaku list and points as the table showed them.
// g is a game of the replay's own: nothing of it is ever saved.
void draw_replay_step(Game& g, const GameRecord& rec, const Replay& r, std::size_t k);

// What happened at step k in a few words ("あなた：ポン"), through g's texts.
std::string describe_replay_step(Game& g, const GameRecord& rec, const Replay& r, std::size_t k);

}  // namespace sekiba
