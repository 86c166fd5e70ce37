#pragma once
#include <optional>
#include <string>

namespace sekiba {

// Writes the whole file or nothing: the bytes go to a temporary file in the same
// folder, which is flushed and then renamed over the old file, so a crash never
// leaves a half-written file behind.
bool write_file_atomic(const std::string& path, const std::string& bytes);

// Reads a whole file; nothing when it is missing, unreadable or larger than
// max_bytes (no file of the game is anywhere near that).
std::optional<std::string> read_file(const std::string& path, std::size_t max_bytes = 16u << 20);

bool file_exists(const std::string& path);

}  // namespace sekiba
