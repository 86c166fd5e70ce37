#pragma once
// Everything one game holds. There are no globals: two Games can run side by side.
#include "engine/table.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "screen/screen.h"

namespace sekiba {

struct Game {
  Platform& os;
  Table t;
  Settings s;
  Screen scr;

  explicit Game(Platform& platform) : os(platform) {}
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  std::string path(const std::string& name) const { return join_app_path(t.app_path, name); }
};

}  // namespace sekiba
