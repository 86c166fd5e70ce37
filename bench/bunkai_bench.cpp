// Complete-hand tests: a hand found by the first order, one found by a later
// start order, seven pairs (after all 48 orders fail), and a hand that is not
// complete (every attempt runs). Plus the nine-gates wait list (34 tests).
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <memory>

#include "engine/game.h"
#include "eval/bunkai.h"
#include "headless/headless_platform.h"

namespace {

struct BenchGame {
  sekiba::HeadlessPlatform os;
  sekiba::Game g{os};
};

sekiba::Hand hand_of(std::initializer_list<int> tiles) {
  sekiba::Hand h{};
  h.fill(sekiba::kEmpty);
  int s = 1;
  for (int c : tiles) h[std::size_t(s++)] = sekiba::Tile(c);
  return h;
}

void run_agari(benchmark::State& state, const sekiba::Hand& h) {
  auto b = std::make_unique<BenchGame>();
  for (auto _ : state) {
    b->g.a.work_hai = h;
    benchmark::DoNotOptimize(sekiba::man_agari_check(b->g));
  }
}

void BM_AgariFirstOrder(benchmark::State& state) {
  run_agari(state, hand_of({1, 1, 1, 2, 2, 2, 3, 3, 3, 14, 15, 16, 19, 19}));
}
void BM_AgariLaterOrder(benchmark::State& state) {
  run_agari(state, hand_of({1, 2, 2, 2, 3, 3, 4, 5, 6, 7, 7, 8, 8, 9}));
}
void BM_AgariSevenPairs(benchmark::State& state) {
  run_agari(state, hand_of({1, 1, 2, 2, 3, 3, 11, 11, 15, 15, 31, 31, 35, 35}));
}
void BM_AgariNotComplete(benchmark::State& state) {
  run_agari(state, hand_of({1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 35, 36}));
}
BENCHMARK(BM_AgariFirstOrder);
BENCHMARK(BM_AgariLaterOrder);
BENCHMARK(BM_AgariSevenPairs);
BENCHMARK(BM_AgariNotComplete);

void BM_HelpKazuNineGates(benchmark::State& state) {
  auto b = std::make_unique<BenchGame>();
  b->g.t.man_hai = hand_of({1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9});
  for (auto _ : state) benchmark::DoNotOptimize(sekiba::help_kazu(b->g));
}
BENCHMARK(BM_HelpKazuNineGates);

}  // namespace
