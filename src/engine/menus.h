#pragma once
// The menu bar of the main window as data: the window builds its menus from this
// table, and the game shows, hides and checks items by these names.
#include <string>
#include <vector>

namespace sekiba {

struct MenuItem {
  const char* name;     // form name, "mnugame"
  const char* parent;   // form name of the menu it sits in; "" for the menu bar
  const char* caption;  // "-" is a separator line; others pass through tr when shown
};

// In display order; a parent always comes before its children.
const std::vector<MenuItem>& menu_table();

// Game-mode items mnumode1..mnumode8: the game_mode each one sets.
inline constexpr int kModeOfItem[9] = {0, 0, 4, 3, 2, 1, 5, 6, 7};
// Hands in a series for game_mode 1..7 (0: the normal eight-turn game).
inline constexpr int kSeriesLength[8] = {0, 100, 75, 50, 25, 200, 300, 400};

}  // namespace sekiba
