// Saves survive a crash at any moment. A child process that saves every file the
// game writes is killed with SIGKILL at a random moment; every file is then
// byte for byte the whole old or the whole new version, and the game starts
// from them as usual. SEKIBA_KILL_RUNS sets the number of kills (a few by
// default; 1000 for the full run).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <thread>

#include "com/think.h"
#include "engine/contine.h"
#include "engine/startup.h"
#include "engine/tumikomi.h"
#include "eval/yaku.h"
#include "lan/lan.h"
#include "platform/fileio.h"
#include "records/hiscore.h"
#include "records/settings.h"
#include "screen/capture.h"
#include "test_game.h"

namespace sekiba {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// Every saved value differs between versions 1 and 2; version 2's best ten is
// shorter, so the tail the best-ten file keeps is covered as well.
void set_version(Game& g, int v) {
  g.s.set_defaults();
  g.s.settei[0] = std::int16_t(v);
  g.s.settei[11] = std::int16_t(5 * v);
  g.s.shikou_chinitu_su = std::int16_t(8 + v);
  hi_score_defaults(g.rec);
  for (int i = 0; i < 10; ++i) {
    g.rec.hi_score[std::size_t(i)] = 1000 * v - i;
    g.rec.hi_name[std::size_t(i)] = std::string(std::size_t(v == 1 ? 40 : 3), char('a' + i));
  }
  for (auto& side : g.yaku.yaku_cnt) side.fill(std::int16_t(v));
  for (std::size_t i = 0; i < 10; ++i) g.lan.aite_list[i] = "host" + std::to_string(v * 10 + int(i));
  tumikomi_clear(g.tumikomi_data);
  g.tumikomi_data[1] = std::int16_t(v);
  g.t.man_ten = 300 + v;
  g.t.kyoku = std::int16_t(v);
  g.t.oya = 1;
  g.t.game_no = std::int16_t(1 + v);
}

// A screen picture of the version.
Surface picture_of(int v) {
  Surface s(640, 480);
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < s.w; ++x) s.at(x, y) = rgb(x & 255, y & 255, (x * v) & 255);
  return s;
}

void save_everything(Game& g, const Surface& picture) {
  settei_save(g);
  shikou_save(g);
  save_hi_score(g);
  top_set(g);
  save_yaku_cnt(g);
  lan_aite_save(g);
  tumikomi_save(g);
  save_contine(g, 1);
  save_capactive(g, picture);
}

Files files_in(const std::string& folder) {
  Files out;
  for (const auto& e : fs::directory_iterator(folder))
    out[e.path().filename().string()] = read_file(e.path().string()).value_or("<unreadable>");
  return out;
}

void copy_into(const Files& files, const std::string& folder) {
  for (const auto& [name, bytes] : files) ASSERT_TRUE(write_file_atomic(folder + "/" + name, bytes));
}

int runs_wanted() {
  const char* v = std::getenv("SEKIBA_KILL_RUNS");
  return v && std::atoi(v) > 0 ? std::atoi(v) : 12;
}

TEST(CrashSafeSaves, EveryFileIsOldOrNewAfterAKillAndTheGameStarts) {
  test::TestGame tg;
  Game& g = tg.g;
  // The two versions as complete saves, the second written over the first.
  set_version(g, 1);
  save_everything(g, picture_of(1));
  const Files old_files = files_in(tg.dir.str());
  set_version(g, 2);
  const Surface picture = picture_of(2);
  save_everything(g, picture);
  const Files new_files = files_in(tg.dir.str());
  ASSERT_EQ(old_files.size(), 9u);
  ASSERT_EQ(new_files.size(), 9u);
  for (const auto& [name, bytes] : old_files) ASSERT_TRUE(bytes != new_files.at(name)) << name;
  ASSERT_TRUE(tg.os.messages.empty());

  const unsigned seed = std::random_device{}();
  std::mt19937 rng(seed);
  std::chrono::microseconds span{0};
  int runs = 0, old_count = 0, new_count = 0, torn = 0;
  const int wanted = runs_wanted();
  for (int run = 0; run <= wanted && !::testing::Test::HasFailure(); ++run) {
    SCOPED_TRACE("run " + std::to_string(run) + " of seed " + std::to_string(seed));
    test::TempDir work;
    copy_into(old_files, work.str());
    g.t.app_path = work.str();
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      const char go = 1;
      if (::write(ready[1], &go, 1) != 1) ::_exit(2);
      save_everything(g, picture);
      ::_exit(tg.os.messages.empty() ? 0 : 3);
    }
    ::close(ready[1]);
    char go = 0;
    ASSERT_EQ(::read(ready[0], &go, 1), 1);
    ::close(ready[0]);
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    if (run == 0) {
      // The first run saves to the end: how long a whole save takes.
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      span = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    } else {
      std::uniform_int_distribution<long> when(0, long(span.count()) * 11 / 10);
      std::this_thread::sleep_for(std::chrono::microseconds(when(rng)));
      ::kill(child, SIGKILL);
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ++runs;
    }

    Files left = files_in(work.str());
    for (auto it = left.begin(); it != left.end();) {
      if (it->first.find(".tmp-") != std::string::npos) it = left.erase(it);  // a save cut short
      else ++it;
    }
    ASSERT_EQ(left.size(), old_files.size());
    for (const auto& [name, bytes] : left) {
      const bool is_old = bytes == old_files.at(name), is_new = bytes == new_files.at(name);
      EXPECT_TRUE(is_old || is_new) << name << " is torn";  // not printed: up to 900 KB
      if (run > 0) ++(is_old ? old_count : is_new ? new_count : torn);
    }

    // The next start: no stale temporary file stays, every file loads.
    test::TestGame next;
    next.g.t.app_path = work.str();
    remove_stale_temp_files(work.str());
    EXPECT_EQ(files_in(work.str()).size(), old_files.size());
    game_init(next.g);
    set_shoki1(next.g);
    EXPECT_TRUE(next.os.messages.empty());
    EXPECT_TRUE(next.g.s.settei[0] == 1 || next.g.s.settei[0] == 2);
    EXPECT_TRUE(next.g.t.man_ten == 301 || next.g.t.man_ten == 302);
  }
  std::cout << "kill runs " << runs << ", files " << old_count + new_count + torn << ": old "
            << old_count << ", new " << new_count << ", torn " << torn << " (a whole save takes "
            << span.count() << " us)\n";
}

}  // namespace
}  // namespace sekiba
