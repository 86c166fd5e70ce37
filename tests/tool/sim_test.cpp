// sekiba-tool sim: arguments, determinism and a soak of automatic games.
#include "tool/sim.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "engine/game.h"
#include "headless/headless_platform.h"
#include "records/settings.h"
#include "screen/screen.h"

namespace sekiba {
namespace {

TEST(SimArgs, ParsesEveryOptionAndRefusesNonsense) {
  SimOptions opt;
  std::string error;
  ASSERT_TRUE(parse_sim_args({"--games", "3", "--seed", "9", "--mode", "4", "--settei", "0=1", "3=1",
                              "--shikou", "7=1"},
                             opt, error))
      << error;
  EXPECT_EQ(opt.games, 3);
  EXPECT_EQ(opt.seed, 9u);
  EXPECT_EQ(opt.mode, 4);
  ASSERT_EQ(opt.settei.size(), 2u);
  EXPECT_EQ(opt.settei[1], std::make_pair(3, 1));
  ASSERT_EQ(opt.shikou.size(), 1u);
  ASSERT_TRUE(parse_sim_args({"--rss-at", "1000,10000"}, opt, error)) << error;
  EXPECT_EQ(opt.rss_at, (std::vector<int>{1000, 10000}));
  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"--mode", "8"}, {"--games"}, {"--settei", "25=1"}, {"--settei"}, {"--shikou", "x"}, {"--what"},
           {"--rss-at", "0"}, {"--rss-at", "5,"}, {"--rss-at"}}) {
    SimOptions o;
    EXPECT_FALSE(parse_sim_args(bad, o, error)) << bad.front();
  }
  std::ostringstream out, err;
  EXPECT_EQ(sim_main({"--mode", "9"}, out, err), 2);
  EXPECT_NE(err.str().find("usage"), std::string::npos);
}

// The thinking settings are numbered 1..8 as in their dialog: 1 the dora
// setting, 8 the riichi style.
TEST(SimArgs, ThinkingSettingsAreNumberedFromOne) {
  SimOptions opt;
  std::string error;
  ASSERT_TRUE(parse_sim_args({"--shikou", "1=1", "8=1", "5=10"}, opt, error)) << error;
  Settings s;
  apply_sim_settings(opt, s);
  EXPECT_EQ(s.shikou_dora, 1);
  EXPECT_EQ(s.shikou_hyouka, 0);
  EXPECT_EQ(s.shikou_chinitu_su, 10);
  EXPECT_EQ(s.shikou_honitu_su, 11);
  EXPECT_EQ(s.shikou_rechi, 1);
  for (const char* bad : {"0=1", "9=1"}) {
    SimOptions o;
    EXPECT_FALSE(parse_sim_args({"--shikou", bad}, o, error)) << bad;
  }
}

nlohmann::json without_speed(nlohmann::json j) {
  j.erase("hands_per_second");
  return j;
}

TEST(Sim, SameSeedSameGames) {
  SimOptions opt;
  opt.games = 2;
  opt.seed = 11;
  const auto a = run_sim(opt), b = run_sim(opt);
  EXPECT_EQ(without_speed(a), without_speed(b));
  EXPECT_EQ(a["games"], 2);
  const long hands = a["hands"];
  EXPECT_GE(hands, 16);  // eight dealer turns each, at least one hand per turn
  EXPECT_GT(long(a["exhaustive_draws"]), 0);
  // What the rules allow each side's tallies to hold.
  for (const char* side : {"man", "com"}) {
    const auto& s = a[side];
    const long wins = long(s["tsumo"]) + long(s["ron"]);
    EXPECT_GT(wins, 0) << side;
    auto count = [&](const char* yaku) { return s["yaku"].contains(yaku) ? long(s["yaku"][yaku]) : 0L; };
    long found = 0;
    for (const auto& [name, n] : s["yaku"].items()) found += long(n);
    EXPECT_GE(found, wins - long(s["wins_without_yaku"])) << side << ": a win with yaku names one";
    EXPECT_LE(count("ツモ"), long(s["tsumo"])) << side;
    EXPECT_LE(count("リーチ"), wins) << side;
    EXPECT_LE(count("イッパツ"), count("リーチ")) << side;
  }
  // The opponent never calls: each of its tsumo wins is a closed tsumo.
  EXPECT_EQ(long(a["com"]["yaku"]["ツモ"]), long(a["com"]["tsumo"]));
  EXPECT_EQ(double(a["mean_final_score"]), std::floor(double(a["mean_final_score"]) / 50) * 50);
}

// The tool neither draws its table nor writes the files only a later run
// reads; the same games drawn on a real table, with every file written, must
// come out alike.
TEST(Sim, GamesPlayAlikeUndrawnAndUnsavedAsDrawnAndSaved) {
  SimOptions opt;
  opt.games = 4;
  opt.seed = 17;
  opt.first_kyoku = 6;
  const auto undrawn = run_sim(opt);
  int drawn = 0;
  opt.prepare = [&drawn](Game& g) {
    g.scr.shown = true;
    g.saves_for_later = true;
    set_screen_scale(g.os, g.scr, 2);  // pictures of their own again
    g.table_listeners.push_back([&drawn](Game& game, const TableEvent& e) {
      if (e.kind == TableEventKind::GameEnd) drawn = dynamic_cast<HeadlessPlatform&>(game.os).window_changes;
    });
  };
  EXPECT_EQ(without_speed(run_sim(opt)), without_speed(undrawn));
  EXPECT_GT(drawn, 1000);
}

TEST(Sim, SeriesModeCountsItsHands) {
  SimOptions opt;
  opt.mode = 4;  // 25 hands, unless the score runs out first
  opt.seed = 3;
  const auto r = run_sim(opt);
  // One game: unless the score ran out, exactly the 25 hands of the series.
  if (double(r["mean_final_score"]) > 0) {
    EXPECT_EQ(long(r["hands"]), 25);
  } else {
    EXPECT_LT(long(r["hands"]), 25);
  }
}

// Automatic play must finish every game by itself: a wait for a key, a crash or
// a sanitizer report fails it. The games start at their last dealer turn so
// that two hundred of them stay quick under the sanitizers.
TEST(SimSoak, TwoHundredAutomaticGamesEndByThemselves) {
  SimOptions opt;
  opt.games = 200;
  opt.seed = 2026;
  opt.first_kyoku = 8;
  opt.settei = {{3, 1}, {1, 1}, {2, 1}, {9, 1}, {7, 1}};
  nlohmann::json r;
  ASSERT_NO_THROW(r = run_sim(opt));
  EXPECT_EQ(r["games"], 200);
  EXPECT_GE(long(r["hands"]), 200);
  EXPECT_GT(long(r["man"]["tsumo"]) + long(r["man"]["ron"]), 0);
}

}  // namespace
}  // namespace sekiba
