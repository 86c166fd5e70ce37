#pragma once
// `sekiba-tool sim`: whole games on a headless table, automatic play on the
// user's side against the computer, summarised as one JSON object.
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace sekiba {

struct Game;

struct SimOptions {
  int games = 1;
  std::uint32_t seed = 1;
  int mode = 0;  // game_mode: 0 the eight-turn game, 1..7 the series
  // Dealer turn each game starts from (1 a whole game; later only its end).
  int first_kyoku = 1;
  std::vector<std::pair<int, int>> settei;  // index, value
  std::vector<std::pair<int, int>> shikou;  // number 1..8 in file order, value
  // Game counts after which the resident size is reported (long runs: flat memory).
  std::vector<int> rss_at;
  // A folder the games' records are written to; empty: none.
  std::string record;
  // Called with the game before its first hand (a test attaches listeners).
  std::function<void(Game&)> prepare;
};

struct Settings;

// The --settei and --shikou values, written into the settings.
void apply_sim_settings(const SimOptions& opt, Settings& s);

// Plays the games; throws std::runtime_error when a game stalls.
nlohmann::json run_sim(const SimOptions& opt);

// Parses the arguments after "sim"; false with a message in `error`.
bool parse_sim_args(const std::vector<std::string>& args, SimOptions& opt, std::string& error);

int sim_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace sekiba
