// Complete-hand tests: a hand found by the first order, one found by a later
// start order, seven pairs (after all 48 orders fail), and a hand that is not
// complete (every attempt runs). Plus the nine-gates wait list (34 tests).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <random>
#include <vector>
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

namespace {

// Random hands drawn the way a game draws them: at most four copies of a code.
struct RandomHands {
  std::vector<sekiba::Hand> any, complete, tenpai;
  RandomHands() {
    std::mt19937 gen(11);
    std::vector<int> codes;
    for (int c = 1; c <= 37; ++c)
      if (sekiba::is_tile(c)) codes.push_back(c);
    auto pick = [&] { return codes[gen() % codes.size()]; };
    while (any.size() < 1000) {
      std::array<int, 40> cnt{};
      std::vector<int> h;
      while (h.size() < 14) {
        int c = pick();
        if (cnt[c] < 4) ++cnt[c], h.push_back(c);
      }
      any.push_back(to_hand(h));
    }
    while (complete.size() < 1000) {
      std::array<int, 40> cnt{};
      std::vector<int> h;
      int head = pick();
      h = {head, head};
      cnt[head] += 2;
      for (int s = 0; s < 4; ++s) {
        int c = pick();
        if (gen() % 2 == 0 && c < 30 && c % 10 <= 7) {
          for (int k = 0; k < 3; ++k) h.push_back(c + k), ++cnt[c + k];
        } else {
          for (int k = 0; k < 3; ++k) h.push_back(c), ++cnt[c];
        }
      }
      bool ok = true;
      for (int n : cnt) ok = ok && n <= 4;
      if (!ok) continue;
      complete.push_back(to_hand(h));
      // Dropping one tile of a complete hand leaves a ready hand.
      h.erase(h.begin() + long(gen() % 14));
      tenpai.push_back(to_hand(h));
    }
  }
  static sekiba::Hand to_hand(std::vector<int> h) {
    std::sort(h.begin(), h.end());
    sekiba::Hand out{};
    out.fill(sekiba::kEmpty);
    for (std::size_t i = 0; i < h.size(); ++i) out[i + 1] = sekiba::Tile(h[i]);
    return out;
  }
};

const RandomHands& random_hands() {
  static const RandomHands r;
  return r;
}

void BM_AgariRandomHands(benchmark::State& state) {
  auto b = std::make_unique<BenchGame>();
  b->g.t.man_junme = 5;
  const auto& hands = random_hands().any;
  std::size_t i = 0;
  for (auto _ : state) {
    b->g.a.work_hai = hands[i++ % hands.size()];
    benchmark::DoNotOptimize(sekiba::man_agari_check(b->g));
  }
}
BENCHMARK(BM_AgariRandomHands);

void BM_AgariRandomCompleteHands(benchmark::State& state) {
  auto b = std::make_unique<BenchGame>();
  b->g.t.man_junme = 5;
  const auto& hands = random_hands().complete;
  std::size_t i = 0;
  for (auto _ : state) {
    b->g.a.work_hai = hands[i++ % hands.size()];
    benchmark::DoNotOptimize(sekiba::man_agari_check(b->g));
  }
}
BENCHMARK(BM_AgariRandomCompleteHands);

void BM_HelpKazuRandomTenpai(benchmark::State& state) {
  auto b = std::make_unique<BenchGame>();
  b->g.t.man_junme = 5;
  const auto& hands = random_hands().tenpai;
  std::size_t i = 0;
  for (auto _ : state) {
    b->g.t.man_hai = hands[i++ % hands.size()];
    benchmark::DoNotOptimize(sekiba::help_kazu(b->g));
  }
}
BENCHMARK(BM_HelpKazuRandomTenpai);

}  // namespace
