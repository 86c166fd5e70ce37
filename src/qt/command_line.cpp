#include "qt/command_line.h"

#include <string_view>

#include "version.h"

namespace sekiba {

int command_line(int argc, const char* const* argv, std::ostream& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--help" || a == "-h") {
      out << "Usage: sekiba [--help | --version]\n"
             "Suirei Paigi (翠嶺牌戯), two-player Japanese mahjong. Without options the\n"
             "game opens its window; Qt's own options (-platform, -style ...) pass to Qt.\n"
             "\n"
             "  -h, --help     print this help and exit\n"
             "  -v, --version  print the version and exit\n"
             "\n"
             "Settings, records and the saved game are kept in $XDG_DATA_HOME/sekiba\n"
             "(~/.local/share/sekiba). See sekiba(6).\n";
      return 0;
    }
    if (a == "--version" || a == "-v") {
      out << "sekiba " << kVersionString << "\n"
          << "Copyright (C) 2026 the Suirei Paigi developers\n"
             "License GPL-3.0-or-later <https://www.gnu.org/licenses/gpl-3.0.html>.\n"
             "This is free software: you are free to change and redistribute it.\n"
             "There is NO WARRANTY, to the extent permitted by law.\n";
      return 0;
    }
  }
  return -1;
}

}  // namespace sekiba
