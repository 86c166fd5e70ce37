// How long the whole table takes to draw at the window's scale, with the real
// fonts and tileset: the hand-start screen, both hands, a full set of discards,
// a box with text and the score; and what a new window size costs. Run with
// QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "engine/game.h"
#include "qt/qt_platform.h"
#include "qt/table_view.h"
#include "screen/draw.h"
#include "screen/screen.h"

namespace {

struct ScaledTable {
  sekiba::QtPlatform os;
  sekiba::Game g{os};
  explicit ScaledTable(double k) {
    sekiba::fill_iro(g);
    sekiba::build_sheets(os, g.scr);
    sekiba::set_screen_scale(os, g.scr, k);
    g.s.settei[12] = 1;  // no sound
    for (int i = 1; i <= 14; ++i) {
      g.t.man_hai[std::size_t(i)] = sekiba::Tile(i < 10 ? i : i + 2);
      g.t.com_hai[std::size_t(i)] = sekiba::Tile(20 + (i % 9) + 1);
    }
    g.t.dora = 31;
    sekiba::PicHAIKEI_Paint(g);
  }
  void draw() {
    using namespace sekiba;
    shoki_gamen(g);
    man_disp(g);
    com_ura_disp(g);
    for (int i = 0; i < 20; ++i) {
      hai_put(g, 1 + i % 9, 3 + 4 * (i % 10), 29 + 7 * (i / 10), 2);
      hai_put(g, 11 + i % 9, 61 - 4 * (i % 10), 14 - 7 * (i / 10), 1);
    }
    gbox_r(g, 44, 27, 62, 38, 7, 0, 1);
    disp_gr(g, 46, 28, "リーチ 一発 ツモ", 0, 0);
    disp_gr2(g, 46, 31, "満貫 8000", 2, 1);
    pr_score(g);
  }
};

void BM_WholeTable(benchmark::State& state) {
  ScaledTable t(double(state.range(0)) / 2);
  for (auto _ : state) {
    t.draw();
    benchmark::DoNotOptimize(t.g.scr.win.px.data());
  }
  state.counters["device_px"] = double(t.g.scr.win.w) * t.g.scr.win.h;
}
// Scales 1, 1.5, 2 and 3 (the argument is twice the scale).
BENCHMARK(BM_WholeTable)->Arg(2)->Arg(3)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond);

// A new window size: the sheets built at the new scale and the table drawn again
// (the sheets kept of earlier scales are forgotten first, as when each size is new).
void BM_Rescale(benchmark::State& state) {
  ScaledTable t(1);
  t.draw();
  bool big = false;
  for (auto _ : state) {
    big = !big;
    sekiba::drop_sheet_cache(t.g.scr);
    sekiba::set_screen_scale(t.os, t.g.scr, big ? 3 : 2);
    benchmark::DoNotOptimize(t.g.scr.win.px.data());
  }
}
BENCHMARK(BM_Rescale)->Unit(benchmark::kMillisecond);

// Back to a scale shown before: its sheets are kept, only the table is drawn again.
void BM_RescaleToAKeptScale(benchmark::State& state) {
  ScaledTable t(1);
  t.draw();
  sekiba::set_screen_scale(t.os, t.g.scr, 3);
  bool big = false;
  for (auto _ : state) {
    big = !big;
    sekiba::set_screen_scale(t.os, t.g.scr, big ? 2 : 3);
    benchmark::DoNotOptimize(t.g.scr.win.px.data());
  }
}
BENCHMARK(BM_RescaleToAKeptScale)->Unit(benchmark::kMillisecond);

// A window edge dragged: every paint is at a size (and scale) not seen before,
// from about scale 2 upwards, and the paint itself is timed. Argument 0: every
// new scale drawn before its paint; 1: the table already drawn is shown at the
// new size until the size settles.
void BM_DragAnEdge(benchmark::State& state) {
  ScaledTable t(2);
  t.draw();
  sekiba::TableView view;
  view.set_surface(&t.g.scr.win);
  view.on_scale = [&t](double k) { sekiba::set_screen_scale(t.os, t.g.scr, k); };
  if (state.range(0) == 1) view.scale_ready = [&t](double k) { return sekiba::sheets_ready(t.g.scr, k); };
  view.resize(1280, 960);
  view.show();
  QCoreApplication::processEvents();
  int step = 0;
  for (auto _ : state) {
    // Widths 1282, 1284, ... and back: each one a new scale.
    step = (step + 1) % 200;
    const int w = 1280 + 2 * (step < 100 ? step : 200 - step) + 2;
    view.resize(w, w * 3 / 4);
    view.repaint();
  }
  state.counters["surface_k"] = t.g.scr.k;
}
BENCHMARK(BM_DragAnEdge)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
