#pragma once
// The options of the game program, answered on the terminal.
#include <ostream>

namespace sekiba {

// --help (-h) prints a short usage, --version (-v) the version, and the program
// then ends with the result, 0, before any display is needed. -1: none of them was
// given and the game starts (Qt takes its own options, such as -platform).
int command_line(int argc, const char* const* argv, std::ostream& out);

}  // namespace sekiba
