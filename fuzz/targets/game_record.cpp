// A game record file: read, laid out step by step and judged again.
#include <string>

#include "gamerec/record_reader.h"
#include "harness.h"
#include "targets.h"
#include "tool/replay.h"

namespace sekiba::fuzz {

int fuzz_game_record(const std::uint8_t* data, std::size_t size) {
  const GameRecord rec = parse_record(text(data, size));
  // A refusal names its line and says what is wrong; the good lines before it stay.
  if (!rec.error.empty()) {
    FUZZ_CHECK(rec.error.rfind("line ", 0) == 0 && rec.error_line >= 1);
    for (const RecordLine& l : rec.events) FUZZ_CHECK(l.line < rec.error_line);
  }
  const Replay r = replay_record(rec);
  FUZZ_CHECK(!r.steps.empty() && r.steps.size() <= rec.events.size() + 1);
  if (!r.error.empty()) FUZZ_CHECK(r.error.rfind("line ", 0) == 0);
  bool agreed = true;
  for (const auto& line : rejudge_record(rec, agreed)) FUZZ_CHECK(line.contains("agree"));
  return 0;
}

}  // namespace sekiba::fuzz
