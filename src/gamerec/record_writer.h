#pragma once
// The game record: every game written as it is played, one JSON object a line,
// into a folder of its own (README "Game records" describes the lines).
#include <string>

namespace sekiba {

struct Game;

inline constexpr int kRecordVersion = 1;
// The game's own folder keeps this many records, the newest.
inline constexpr int kRecordsKept = 500;
// Beside the program's other files; "0" switches recording off.
inline constexpr const char* kRecordSwitchFile = "\\sekiba_records.txt";

struct RecordOptions {
  std::string folder;
  int keep = kRecordsKept;  // 0: no limit
  // The file name of a game: its start time when empty, else this and a number.
  std::string name_prefix;
  // A folder that cannot be written is told once in a message box.
  bool tell_failure = true;
};

// The game's records folder: records/ in the folder the game writes to.
std::string records_folder(const Game& g);
bool recording_switched_on(const Game& g);
bool save_recording_switch(Game& g, bool on);

// From now on g's games are written into opt.folder.
void attach_recorder(Game& g, const RecordOptions& opt);
// The recorder the game attaches at start-up: records_folder, when switched on.
void attach_game_recorder(Game& g);

// Removes the oldest of the folder's records beyond `keep`.
void prune_records(const std::string& folder, int keep);

}  // namespace sekiba
