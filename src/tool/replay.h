#pragma once
// `sekiba-tool replay FILE`: every win and draw of a game record judged again
// by the game's own evaluation, one JSON line per hand.
#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace sekiba {

struct GameRecord;

// One line per settled hand; `agreed` false when any hand disagrees.
std::vector<nlohmann::ordered_json> rejudge_record(const GameRecord& rec, bool& agreed);

// 0 every hand agrees, 1 a disagreement, 2 the file cannot be read or is damaged.
int replay_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace sekiba
