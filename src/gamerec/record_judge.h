#pragma once
// A recorded win settled again by the game's own evaluation.
#include <nlohmann/json.hpp>

#include "engine/table.h"

namespace sekiba {

struct Game;
struct Settings;

// A win declared as the turns declare it: w into the winner's draw slot (1 the
// user, 2 the opponent) and the complete-hand test; false when w completes nothing.
bool declare_win(Game& g, int winner, Tile w);
// Settles a declared win (kind 1 tsumo, 2 ron) as the table does.
void settle_win(Game& g, int winner, Tile w, int kind);

// The table as the other copy of a LAN match saw it: its user is ours.
Table mirrored(const Table& t);
// The settings a record's game line holds, silent.
void load_record_settings(Settings& s, const nlohmann::json& header);

// Puts the table before a recorded win and the state its line recorded into g.
// A LAN partner settles its own win: its table is mirrored and the side that
// judges is returned (1 or 2); `partner` tells which.
int prepare_win(Game& g, const Table& before, const nlohmann::json& win, bool& partner);

}  // namespace sekiba
