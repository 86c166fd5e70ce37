#pragma once
// Reading a game record back and laying its table out again, event by event.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/table.h"

namespace sekiba {

struct RecordLine {
  int line = 0;  // 1-based line number in the file
  std::string ev;
  nlohmann::json j;
};

struct GameRecord {
  nlohmann::json header;  // the "game" line
  std::vector<RecordLine> events;  // every good line after it
  // Empty when every line was good; else where reading stopped and why
  // ("line 12: discard: tile 40 is not a tile code"). The events before it stay.
  std::string error;
  int error_line = 0;
  bool finished = false;  // the "end" line was read
};

// Reads a record; never throws. A last line cut off by a crash (no line end)
// is left out without complaint.
GameRecord parse_record(const std::string& text);
// The file at path; nothing when it cannot be read.
std::optional<GameRecord> load_record(const std::string& path);

// The table after each event of a record.
struct ReplayStep {
  int event = -1;  // index into GameRecord::events; -1 before the first hand
  int hand = 0;    // 1-based number of the hand in the record
  Table t;
  // Discards taken by a call, by slot 1..20.
  std::array<bool, 22> man_called{}, com_called{};
  bool ura_open = false, kan_open = false;
  // The win or draw that ended the hand, when this step is one.
  bool settled = false;
};

struct Replay {
  std::vector<ReplayStep> steps;
  // Where the record stopped making sense (a tile not in the hand): the steps
  // before it are kept.
  std::string error;
  int error_line = 0;
};

Replay replay_record(const GameRecord& rec);

// The record's summary for a list: start, mode, final score, hands.
struct RecordSummary {
  std::string start;
  int mode = 0, lan = 0;
  long long score = 0;
  int hands = 0;
  bool damaged = false;
};
RecordSummary summarize(const GameRecord& rec);

}  // namespace sekiba
