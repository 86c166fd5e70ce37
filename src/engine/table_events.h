#pragma once
// What happens at the table, told once at the place where the game decides it,
// to every listener hanging off the Game (the game record writer, the tests).
// A listener reads whatever else it needs from the Game it is handed; it never
// changes the game.
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/table.h"

namespace sekiba {

struct Game;

enum class TableEventKind : std::uint8_t {
  GameStart,   // a game (or a continued one) begins: the settings are in place
  HandStart,   // both hands dealt, the indicators drawn
  Draw,        // side drew tile (a kan's replacement too)
  Discard,     // side laid tile on its row
  Riichi,      // side declared riichi (its discard follows)
  Call,        // side called the opponent's last discard: detail 1 chi, 2 pon, 3 kan;
               // tile the meld's lowest tile for a chi (value: the called tile is
               // its 1st, 2nd or 3rd), else the called tile
  Kan,         // side made a kan of its own tile: detail 4 closed, 3 added to a pon
  Indicator,   // an indicator was turned face up: detail 2 ura, 3 kan
  Stick,       // the user spent event stick `detail` (0..4); its effect is on the table
  Agari,       // side declared a win on tile, detail 1 tsumo, 2 ron; settling follows
  Settled,     // the win is settled: value the points of the hand (not the sticks)
  Exhaustive,  // the hand ran out: detail bit 1 the user tenpai, bit 2 the opponent; value the payment
  GameEnd,     // the game is over
};

struct TableEvent {
  TableEventKind kind{};
  int side = 0;  // 1 the user, 2 the opponent, 0 neither
  Tile tile = 0;
  int detail = 0;
  int value = 0;
};

using TableListener = std::function<void(Game&, const TableEvent&)>;

// Tells every listener of g.
void tell_table(Game& g, const TableEvent& e);

}  // namespace sekiba
