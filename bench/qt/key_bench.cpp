// From a key to the changed table on screen, for the steps of the user's turn
// that have no pause of their own: the hand cursor moved, the riichi item taken
// (and taken back), a tile thrown. The game runs its discard phase on the main
// thread as it does in play, in a window whose table is at scale 2; the
// benchmark thread posts each key as the window system would and waits until
// the window has painted after the game took the key. Run with
// QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "engine/game.h"
#include "engine/startup.h"
#include "eval/hand.h"
#include "man/man.h"
#include "qt/frm_sekiba.h"
#include "qt/qt_platform.h"
#include "qt/table_view.h"
#include "screen/draw.h"
#include "screen/screen.h"

namespace {

struct Window {
  sekiba::QtPlatform os;
  sekiba::Game g{os};
  sekiba::FrmSekiba w{os, g};
  sekiba::TableView* view = nullptr;

  std::mutex mu;
  std::condition_variable cv;
  long keys_taken = 0, painted_after = 0;

  Window() {
    os.attach(&w, &g);
    sekiba::Form_Load(g);
    g.s.settei[12] = 1;  // no sound: nothing to wait for but the drawing
    view = w.table_view();
    w.resize(w.width() + 1280 - view->width(), w.height() + 960 - view->height());
    QCoreApplication::processEvents();
    sekiba::set_screen_scale(os, g.scr, 2);
    auto take = view->on_input;
    view->on_input = [this, take](const sekiba::InputEvent& ev) {
      {
        std::lock_guard<std::mutex> l(mu);
        ++keys_taken;
      }
      take(ev);
    };
    view->on_painted = [this] {
      std::lock_guard<std::mutex> l(mu);
      if (painted_after < keys_taken) {
        painted_after = keys_taken;
        cv.notify_all();
      }
    };
  }

  // A closed ready hand in the middle of a hand, 25,000 points, the tile drawn.
  void deal() {
    using namespace sekiba;
    Table& t = g.t;
    t.oya = 2;
    t.teban = 1;
    t.man_ten = 250;
    t.man_rechi = 0;
    t.man_naki_cnt = 1;
    t.man_junme = 5;
    t.com_junme = 5;
    t.man_sute_x = 3;
    t.man_sute_y = 29;
    const int tiles[14] = {2, 3, 4, 15, 16, 17, 27, 28, 29, 31, 31, 24, 25, 33};
    for (int i = 0; i < 14; ++i) t.man_hai[std::size_t(i + 1)] = Tile(tiles[i]);
    PicHAIKEI_Paint(g);
    shoki_gamen(g);
    man_disp(g);
    com_ura_disp(g);
    pr_score(g);
  }

  // Runs on the main thread until the benchmarks are done.
  void play() {
    try {
      for (;;) {
        deal();
        sekiba::man_sute_sub(g, 0, sekiba::kDrew);
      }
    } catch (const sekiba::QuitRequested&) {
    }
  }

  // On the benchmark thread: one key, and the wait for its paint.
  void key_to_screen(int qt_key) {
    long want;
    {
      std::lock_guard<std::mutex> l(mu);
      want = keys_taken + 1;
    }
    QCoreApplication::postEvent(view, new QKeyEvent(QEvent::KeyPress, qt_key, Qt::NoModifier));
    std::unique_lock<std::mutex> l(mu);
    cv.wait(l, [&] { return painted_after >= want; });
  }
};

Window* window = nullptr;

void BM_KeyToScreen_HandCursor(benchmark::State& state) {
  bool left = false;
  for (auto _ : state) {
    left = !left;
    window->key_to_screen(left ? Qt::Key_Left : Qt::Key_Right);
  }
}
BENCHMARK(BM_KeyToScreen_HandCursor)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KeyToScreen_RiichiItem(benchmark::State& state) {
  // 4 takes リーチ (the riichi choice opens), 4 again takes 取消し.
  for (auto _ : state) window->key_to_screen(Qt::Key_4);
}
BENCHMARK(BM_KeyToScreen_RiichiItem)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KeyToScreen_TileThrown(benchmark::State& state) {
  // N throws the drawn tile; the next turn is dealt again at once.
  for (auto _ : state) window->key_to_screen(Qt::Key_N);
}
BENCHMARK(BM_KeyToScreen_TileThrown)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  sekiba::declare_sound_role();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Window w;
  window = &w;
  w.w.show();
  std::atomic<bool> done{false};
  // The game's waits end once the benchmarks are through.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done) w.os.quit();
  });
  poll.start(50);
  std::thread bench([&done] {
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    done = true;
  });
  w.play();
  bench.join();
  std::fprintf(stderr, "table at scale %.2f in a %d x %d view\n", w.g.scr.k, w.view->width(),
               w.view->height());
  return 0;
}
