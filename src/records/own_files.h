#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace sekiba {

struct Game;

// Reads the start of one of the files the game writes itself (name as
// "\sekiba_set.txt"), at most max_bytes, for its loader. A file that is there
// but cannot be read is reported to the user, once a run: the loader goes on
// with its defaults, and the message says what the next save will do with the
// file. kind names the file in the message, as the write-failure messages do
// (marked with N_: it is translated here).
std::optional<std::string> read_own_file(Game& g, const std::string& name, const std::string& kind,
                                         std::size_t max_bytes);

// Tells the user, once a run, that the file was read only up to a damaged part
// and the loader goes on with what came before it; kept names the copy that
// the next save makes of the file before replacing it.
void report_damaged_own_file(Game& g, const std::string& name, const std::string& kind,
                             const std::string& kept);

}  // namespace sekiba
