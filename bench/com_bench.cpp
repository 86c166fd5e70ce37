// The discard evaluation on a spread of hands: the decomposition choice it
// relies on, then the evaluation itself.
#include <benchmark/benchmark.h>

#include <vector>

#include "com/shikou.h"
#include "com/weights.h"
#include "engine/game.h"
#include "engine/setup.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "headless/headless_platform.h"

namespace sekiba {
namespace {

// Random 14-tile hands dealt the game's way.
std::vector<std::array<Tile, 16>> deal_hands(Game& g, int n) {
  std::vector<std::array<Tile, 16>> hands;
  for (int i = 0; i < n; ++i) {
    set_shoki2(g);
    std::array<Tile, 16> h{};
    for (int s = 1; s <= 14; ++s) h[std::size_t(s)] = hai_rnd(g);
    h[15] = kEmpty;
    hands.push_back(h);
  }
  return hands;
}

void BM_ComManShikouSub(benchmark::State& state) {
  HeadlessPlatform os;
  Game g(os);
  g.rng.seed(7);
  fill_weight_presets(g.com);
  g.com.hai_hyouka = g.com.hai_hyouka_a;
  const auto hands = deal_hands(g, 256);
  g.t.teban = 2;
  std::size_t i = 0;
  for (auto _ : state) {
    g.t.com_hai = hands[i++ % hands.size()];
    com_work_set(g);
    com_bunkai_kime(g);
    benchmark::DoNotOptimize(com_man_shikou_sub(g, g.a.bunkai_no));
  }
}
BENCHMARK(BM_ComManShikouSub);

// The evaluation alone, with the decomposition already chosen.
void BM_ShikouOnly(benchmark::State& state) {
  HeadlessPlatform os;
  Game g(os);
  g.rng.seed(7);
  fill_weight_presets(g.com);
  g.com.hai_hyouka = g.com.hai_hyouka_a;
  const auto hands = deal_hands(g, 256);
  g.t.teban = 2;
  std::vector<Analysis> chosen;
  for (const auto& h : hands) {
    g.t.com_hai = h;
    com_work_set(g);
    com_bunkai_kime(g);
    chosen.push_back(g.a);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t k = i++ % hands.size();
    g.t.com_hai = hands[k];
    g.a = chosen[k];
    benchmark::DoNotOptimize(com_man_shikou_sub(g, g.a.bunkai_no));
  }
}
BENCHMARK(BM_ShikouOnly);

}  // namespace
}  // namespace sekiba
