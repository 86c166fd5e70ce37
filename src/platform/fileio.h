#pragma once
#include <optional>
#include <string>

namespace sekiba {

enum class ReadStatus { Ok, Missing, Unreadable };

struct FileRead {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;
};

// Reads the start of a file, at most max_bytes: what the game reads of each file
// has a size of its own, and whatever follows it in a longer file is left alone.
FileRead read_file_start(const std::string& path, std::size_t max_bytes);

// The start of a file (as above); nothing when it is missing or unreadable.
std::optional<std::string> read_file(const std::string& path, std::size_t max_bytes = 16u << 20);

// Replaces the file with the bytes, whole or not at all: they go to a temporary
// file in the same folder, which is flushed to disk and then renamed over the
// old file, and the folder is flushed too, so a crash or a power cut at any
// moment leaves either the old or the new file. A file the user made read-only
// is not replaced (false). A symbolic link stays and the file it names is
// replaced.
bool write_file_atomic(const std::string& path, const std::string& bytes);

// The same for the files that are written from their start without being cut:
// when the old file was longer, its bytes after the new ones stay.
bool write_file_keeping_tail(const std::string& path, const std::string& bytes);

// Whether the two writes above can put a file at path: nothing but a file the
// user may write stands in its place, and its folder takes new files.
bool can_replace(const std::string& path);

// Removes the temporary files that saves interrupted by a crash left in the
// folder (those of programs no longer running).
void remove_stale_temp_files(const std::string& folder);

bool file_exists(const std::string& path);

}  // namespace sekiba
