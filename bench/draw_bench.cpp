// How long the table takes to draw: the hand-start screen is the largest redraw.
#include <benchmark/benchmark.h>

#include "engine/game.h"
#include "headless/headless_platform.h"
#include "screen/draw.h"

namespace {

struct BenchGame {
  sekiba::HeadlessPlatform os;
  sekiba::Game g{os};
  BenchGame() {
    sekiba::fill_iro(g);
    sekiba::build_sheets(os, g.scr);
    g.s.settei[12] = 1;  // no sound
    for (int i = 1; i <= 14; ++i) g.t.man_hai[i] = sekiba::Tile(i < 10 ? i : i + 2);
    g.t.dora = 31;
  }
};

void BM_ShokiGamen(benchmark::State& state) {
  BenchGame b;
  for (auto _ : state) {
    sekiba::shoki_gamen(b.g);
    sekiba::man_disp(b.g);
    benchmark::DoNotOptimize(b.g.scr.win.px.data());
  }
}
BENCHMARK(BM_ShokiGamen);

void BM_HaiPut(benchmark::State& state) {
  BenchGame b;
  int mode = int(state.range(0));
  for (auto _ : state) {
    for (int c = 1; c <= 37; ++c)
      if (sekiba::is_tile(c)) sekiba::hai_put(b.g, c, 4 * (c % 10), 8 * (c / 10), mode);
    benchmark::DoNotOptimize(b.g.scr.win.px.data());
  }
}
BENCHMARK(BM_HaiPut)->Arg(0)->Arg(1)->Arg(2);

}  // namespace
