#pragma once
// Everything one game holds. There are no globals: two Games can run side by side.
#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "com/weights.h"
#include "engine/rng.h"
#include "engine/table_events.h"
#include "engine/table.h"
#include "eval/analysis.h"
#include "eval/suit_memo.h"
#include "eval/yaku.h"
#include "lan/lan_state.h"
#include "man/input.h"
#include "platform/folders.h"
#include "platform/platform.h"
#include "records/extras.h"
#include "records/records.h"
#include "records/settings.h"
#include "screen/screen.h"

namespace sekiba {

struct Game {
  Platform& os;
  Table t;
  Analysis a;
  Settings s;
  Extras ext;  // the player's conveniences, all off unless switched on
  ComState com;
  ManState man;
  LanState lan;
  Records rec;  // best ten and the name dialog
  Screen scr;
  YakuState yaku;  // result text, rinshan flag, win statistics
  Rng rng;
  // Stacking patterns: 15 x (trigger + 3 variants of 14 codes), then a closing 0.
  std::array<std::int16_t, 651> tumikomi_data{};
  // The yaku reference page shown last (0..30).
  std::int16_t help_page = 0;
  // A test or the command-line tool may play a side's turns itself; empty: the
  // program's own turn procedures play.
  struct Players {
    std::function<int(Game&)> man, com;
  } players;
  // What the decomposition orders leave of the suits planned lately.
  SuitMemo suit_memo;
  // Who hears what happens at the table (tell_table).
  std::vector<TableListener> table_listeners;
  // The tool's simulations play thousands of games nobody continues: the files
  // only a later run reads (the game to continue, the win statistics) are then
  // not written after every hand.
  bool saves_for_later = true;
  // Menu items currently hidden (the window is told too).
  std::set<std::string> hidden_menus;

  explicit Game(Platform& platform) : os(platform) {}
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Where a file of the game is read from (an asset, or a file of the user's).
  std::string path(const std::string& name) const {
    return find_in_folders(t.read_folders, t.app_path, name);
  }
  // Where a file of the game is written.
  std::string save_path(const std::string& name) const { return join_app_path(t.app_path, name); }

  void show_menu(const std::string& name, bool visible) {
    if (visible) hidden_menus.erase(name);
    else hidden_menus.insert(name);
    os.menu_visible(name, visible);
  }
  bool menu_shown(const std::string& name) const { return hidden_menus.count(name) == 0; }
};

}  // namespace sekiba
