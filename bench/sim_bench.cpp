// Whole hands of automatic play against the computer, as `sekiba-tool sim`
// plays them: no sound, no pauses, records in a memory-backed folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "engine/contine.h"
#include "engine/dice.h"
#include "engine/driver.h"
#include "engine/game.h"
#include "engine/startup.h"
#include "headless/headless_platform.h"

namespace {

struct SimTable {
  std::string folder;
  sekiba::HeadlessPlatform os;
  sekiba::Game g{os};

  SimTable() {
    std::string pattern = (std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp");
    pattern += "/sekiba_bench_XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    os.data_folder = folder;
    os.max_idle_waits = 100;
    sekiba::Form_Load(g);
    sekiba::drop_pictures(g.scr);  // as the tool runs: nobody looks at the table
    g.s.settei[8] = g.s.settei[11] = g.s.settei[12] = g.s.settei[16] = 1;
    g.rng.seed(1);
  }
  ~SimTable() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  void new_game() {
    g.t.jidou = 1;
    sekiba::set_shoki1(g);
    sekiba::oya_kime(g);
    g.t.series_done = 0;
  }
  bool game_over() const { return g.t.man_ten <= 0 || g.t.kyoku >= 9; }
};

void BM_AutomaticHand(benchmark::State& state) {
  SimTable table;
  table.new_game();
  for (auto _ : state) {
    if (table.game_over()) {
      state.PauseTiming();
      table.new_game();
      state.ResumeTiming();
    }
    table.g.t.jidou = 1;
    table.os.texts.clear();
    sekiba::play_hand(table.g);
  }
  state.counters["hands_per_second"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AutomaticHand)->Unit(benchmark::kMicrosecond);

}  // namespace
