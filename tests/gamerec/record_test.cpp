// Game records: what the table did, written as it happened, read back and laid
// out again step by step.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/game.h"
#include "gamerec/record_reader.h"
#include "gamerec/record_writer.h"
#include "test_game.h"
#include "tool/replay.h"
#include "tool/sim.h"

namespace sekiba {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> records_in(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().string());
  std::sort(out.begin(), out.end());
  return out;
}

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// What a step of the table is compared by: hands as sets of tiles (their order
// on the table is a matter of drawing), melds, both discard rows, the score,
// the sticks and the indicators.
std::string table_key(const Table& t, bool hands = true) {
  std::ostringstream s;
  for (const auto* h : {&t.man_hai, &t.com_hai}) {
    if (!hands) break;
    std::vector<int> tiles;
    for (int i = 1; i <= 14; ++i)
      if (is_tile((*h)[std::size_t(i)])) tiles.push_back((*h)[std::size_t(i)]);
    std::sort(tiles.begin(), tiles.end());
    for (int x : tiles) s << x << ',';
    s << '|';
  }
  for (int m = 1; m < t.man_naki_cnt; ++m) s << t.man_naki_kind[std::size_t(m)] << ':' << t.man_naki_hai[std::size_t(m)] << ',';
  s << '|';
  for (int m = 1; m < t.com_naki_cnt; ++m) s << t.com_naki_kind[std::size_t(m)] << ':' << t.com_naki_hai[std::size_t(m)] << ',';
  s << '|';
  for (int i = 1; i <= 20; ++i) s << t.man_sute[std::size_t(i)] << ',';
  s << '|';
  for (int i = 1; i <= 20; ++i) s << t.com_sute[std::size_t(i)] << ',';
  s << "|score " << t.man_ten << " sticks " << t.rechi_bou << " dora " << t.dora << " riichi "
    << (t.man_rechi != 0) << (t.com_rechi != 0) << " double " << t.bairitu;
  return s.str();
}

// The live table after every event that makes a line of the record. The user
// takes the riichi discard from the hand before declaring, the computer after,
// and the ura indicator turns up with the ron tile already in the winner's
// hand, which the record's next line brings: at these the hands are left out.
void watch(Game& g, std::vector<std::string>& keys) {
  g.table_listeners.push_back([&keys](Game& game, const TableEvent& e) {
    if (e.kind == TableEventKind::GameStart) keys.clear();
    if (e.kind != TableEventKind::GameStart && e.kind != TableEventKind::Agari)
      keys.push_back(table_key(game.t, e.kind != TableEventKind::Riichi && e.kind != TableEventKind::Indicator));
  });
}

TEST(GameRecord, AutomaticPlayReplaysToTheSameTableAtEveryStepAndJudgesAlike) {
  test::TempDir dir;
  std::vector<std::vector<std::string>> live;
  std::vector<std::string> keys;
  SimOptions opt;
  opt.games = 6;
  opt.seed = 41;
  opt.record = dir.str();
  opt.prepare = [&](Game& g) {
    watch(g, keys);
    g.table_listeners.push_back([&](Game&, const TableEvent& e) {
      if (e.kind == TableEventKind::GameEnd) live.push_back(keys);
    });
  };
  run_sim(opt);
  const auto files = records_in(dir.str());
  ASSERT_EQ(files.size(), 6u);
  ASSERT_EQ(live.size(), 6u);
  int wins = 0;
  for (std::size_t n = 0; n < files.size(); ++n) {
    const GameRecord rec = parse_record(slurp(files[n]));
    ASSERT_TRUE(rec.error.empty()) << rec.error;
    EXPECT_TRUE(rec.finished);
    const Replay r = replay_record(rec);
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.steps.size(), live[n].size() + 1) << files[n];
    for (std::size_t k = 1; k < r.steps.size(); ++k)
      ASSERT_EQ(table_key(r.steps[k].t, rec.events[k - 1].ev != "riichi" && rec.events[k - 1].ev != "indicator"),
                live[n][k - 1])
          << files[n] << " line " << rec.events[k - 1].line;
    bool agreed = false;
    for (const auto& line : rejudge_record(rec, agreed)) {
      EXPECT_TRUE(line["agree"].get<bool>()) << line.dump();
      wins += line["result"] == "win";
    }
  }
  EXPECT_GT(wins, 20);
}


// The lines a record holds for these events (the game's start is its header,
// a declared win is written once settled).
bool makes_a_line(TableEventKind k) { return k != TableEventKind::GameStart && k != TableEventKind::Agari; }

TEST(GameRecord, AKilledGameLeavesARecordReadableUpToItsLastEvent) {
  test::TempDir dir;
  int pipe_fd[2];
  ASSERT_EQ(::pipe(pipe_fd), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SimOptions opt;
    opt.games = 3;
    opt.seed = 5;
    opt.record = dir.str();
    int lines = 1;  // the header
    opt.prepare = [&](Game& g) {
      g.table_listeners.push_back([&](Game&, const TableEvent& e) {
        if (!makes_a_line(e.kind)) return;
        // Killed in the middle of the second game's play, as a power cut would.
        if (++lines == 900) {
          (void)!::write(pipe_fd[1], &lines, sizeof lines);
          ::kill(::getpid(), SIGKILL);
        }
      });
    };
    run_sim(opt);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  int lines = 0;
  ASSERT_EQ(::read(pipe_fd[0], &lines, sizeof lines), ssize_t(sizeof lines));
  const auto files = records_in(dir.str());
  ASSERT_FALSE(files.empty());
  std::size_t total = 0;
  for (const auto& f : files) {
    const GameRecord rec = parse_record(slurp(f));
    EXPECT_TRUE(rec.error.empty()) << rec.error;
    EXPECT_TRUE(replay_record(rec).error.empty());
    total += rec.events.size() + 1;
    if (f != files.back()) {
      EXPECT_TRUE(rec.finished);
    }
  }
  EXPECT_EQ(total, std::size_t(lines));
  const GameRecord last = parse_record(slurp(files.back()));
  EXPECT_FALSE(last.finished);
  // A line the crash cut in two is left out; the record still reads.
  std::ofstream(files.back(), std::ios::app) << R"({"ev":"draw","side":1,"ti)";
  const GameRecord torn = parse_record(slurp(files.back()));
  EXPECT_TRUE(torn.error.empty()) << torn.error;
  EXPECT_EQ(torn.events.size(), last.events.size());
}

TEST(GameRecord, DamagedRecordsAreRefusedAtTheirLineAndKeepWhatCameBefore) {
  const std::string header =
      R"({"ev":"game","version":1,"start":"2026-01-02T03:04:05","mode":0,"lan":0,"host":0,)"
      R"("settei":[0,0,0,0,1,0,0,0,0,0,0,1,0,0,0,0,0,1,0,0,0,0,0,0,0],"shikou":[0,0,0,0,0,0,0,0],"score":300,"game_no":1})";
  const std::string hand =
      R"({"ev":"hand","no":1,"kyoku":1,"oya":1,"honba":1,"riichi_sticks":0,"event_sticks":[1,1,1,1,1],"score":300,)"
      R"("dora":1,"ura":2,"kan_dora":3,"man":[1,2,3,4,5,6,7,8,9,11,12,13,14,15],"com":[21,22,23,24,25,26,27,28,29,31,31,31,32,38]})";
  struct Case {
    std::string text;
    int line;        // 0: read whole
    const char* says;
    std::size_t kept;
  };
  const std::vector<Case> cases = {
      {header + "\n" + hand + "\n" + R"({"ev":"discard","side":1,"tile":15})" + "\n", 0, "", 2},
      {header + "\n" + hand + "\nnot json\n" + R"({"ev":"end","score":1,"hands":1})" + "\n", 3, "not a JSON object", 1},
      {header + "\n" + hand + "\n" + R"({"ev":"discard","side":1,"tile":40})" + "\n", 3, "tile 40 is not a tile code", 1},
      {header + "\n" + hand + "\n" + R"({"ev":"discard","side":3,"tile":5})" + "\n", 3, "side 3 is out of range", 1},
      {header + "\n" + hand + "\n" + R"({"ev":"teleport"})" + "\n", 3, "unknown event", 1},
      {header + "\n" + R"({"ev":"draw","side":1,"tile":5})" + "\n", 2, "before the first hand", 0},
      {hand + "\n", 1, "starts with its game line", 0},
      {R"({"ev":"game","version":2})" "\n", 1, "version 2 is newer", 0},
      {header + "\n" + hand + "\n" + R"({"ev":"end","score":1,"hands":1})" "\n" + hand + "\n", 4, "after the game's end", 2},
      {"", 1, "starts with its game line", 0},
  };
  for (const Case& c : cases) {
    const GameRecord rec = parse_record(c.text);
    EXPECT_EQ(rec.error_line, c.line) << c.text;
    EXPECT_NE(rec.error.find(c.says), std::string::npos) << rec.error;
    if (c.line != 0) {
      EXPECT_EQ(rec.error.rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << rec.error;
    }
    EXPECT_EQ(rec.events.size(), c.kept) << c.text;
  }
  // Well-formed lines that do not fit the table: the replay stops at the first
  // and keeps every step before it.
  const GameRecord rec = parse_record(header + "\n" + hand + "\n" + R"({"ev":"discard","side":1,"tile":15})" "\n" +
                                      R"({"ev":"discard","side":2,"tile":9})" "\n" +
                                      R"({"ev":"call","side":1,"kind":"pon","tile":9})" "\n");
  ASSERT_TRUE(rec.error.empty()) << rec.error;
  const Replay r = replay_record(rec);
  EXPECT_EQ(r.error_line, 4);
  EXPECT_NE(r.error.find("does not hold"), std::string::npos) << r.error;
  ASSERT_EQ(r.steps.size(), 3u);
  EXPECT_EQ(r.steps[2].t.man_sute[1], 15);
}

TEST(GameRecord, TheFolderKeepsTheNewest500AndAFolderThatCannotBeWrittenStopsRecordingOnce) {
  test::TestGame tg;
  const std::string folder = tg.dir.file("records");
  fs::create_directories(folder);
  for (int i = 0; i < 500; ++i) {
    char name[40];
    std::snprintf(name, sizeof name, "2020%04d-000000.jsonl", 101 + i);
    std::ofstream(fs::path(folder) / name) << "x\n";
  }
  std::ofstream(fs::path(folder) / "notes.txt") << "mine\n";
  std::ofstream(fs::path(folder) / "19990101-mine.jsonl") << "mine\n";
  tg.os.time_of_day = {2026, 12, 10, 21, 5, 9};
  attach_recorder(tg.g, {.folder = folder, .keep = kRecordsKept, .name_prefix = ""});
  tell_table(tg.g, {TableEventKind::GameStart});
  tell_table(tg.g, {TableEventKind::GameStart});  // a second game in the same second
  const auto files = records_in(folder);
  EXPECT_EQ(files.size(), 502u);  // 500 records and the user's own files
  EXPECT_FALSE(fs::exists(fs::path(folder) / "20200101-000000.jsonl"));
  EXPECT_FALSE(fs::exists(fs::path(folder) / "20200102-000000.jsonl"));
  EXPECT_TRUE(fs::exists(fs::path(folder) / "20200103-000000.jsonl"));
  EXPECT_TRUE(fs::exists(fs::path(folder) / "20261210-210509.jsonl"));
  EXPECT_TRUE(fs::exists(fs::path(folder) / "20261210-210509-01.jsonl"));
  EXPECT_TRUE(fs::exists(fs::path(folder) / "notes.txt"));
  prune_records(folder, 2);
  EXPECT_EQ(records_in(folder).size(), 4u);
  EXPECT_TRUE(fs::exists(fs::path(folder) / "19990101-mine.jsonl"));
  EXPECT_TRUE(fs::exists(fs::path(folder) / "20261210-210509-01.jsonl"));

  // A file where the folder should be: one message, then silence.
  const std::string blocked = tg.dir.file("blocked");
  std::ofstream(blocked) << "in the way\n";
  test::TestGame other;
  attach_recorder(other.g, {.folder = blocked, .keep = kRecordsKept, .name_prefix = ""});
  for (int i = 0; i < 3; ++i) {
    tell_table(other.g, {TableEventKind::GameStart});
    tell_table(other.g, {TableEventKind::HandStart});
  }
  ASSERT_EQ(other.os.messages.size(), 1u);
  EXPECT_NE(other.os.messages[0].text.find(blocked), std::string::npos);

  // The switch lives in a file of its own and is on without it.
  EXPECT_TRUE(recording_switched_on(tg.g));
  ASSERT_TRUE(save_recording_switch(tg.g, false));
  EXPECT_FALSE(recording_switched_on(tg.g));
  ASSERT_TRUE(save_recording_switch(tg.g, true));
  EXPECT_TRUE(recording_switched_on(tg.g));
}

// SEKIBA_FULL_TESTS=1: 1,000 whole games; otherwise 1,000 games from their
// last dealer turn.
TEST(GameRecord, ReplayToolAgreesOnAThousandSimulatedGames) {
  test::TempDir dir;
  SimOptions opt;
  opt.games = 1000;
  opt.seed = 2027;
  opt.record = dir.str();
  const char* full = std::getenv("SEKIBA_FULL_TESTS");
  if (!(full && std::string(full) == "1")) opt.first_kyoku = 8;
  run_sim(opt);
  const auto files = records_in(dir.str());
  ASSERT_EQ(files.size(), 1000u);
  int hands = 0, disagreements = 0;
  for (const auto& f : files) {
    std::ostringstream out, err;
    const int rc = replay_main({f}, out, err);
    EXPECT_EQ(rc, 0) << f << "\n" << out.str() << err.str();
    disagreements += rc != 0;
    std::istringstream lines(out.str());
    for (std::string l; std::getline(lines, l);) ++hands;
    if (disagreements > 3) break;
  }
  EXPECT_GE(hands, 1000);  // every game has a hand at least
}

}  // namespace
}  // namespace sekiba
