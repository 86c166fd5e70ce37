// The game itself in automatic play, game after game, for long runs:
//   sekiba-soak GAMES [N...]
// plays GAMES games at the highest speed without sound and prints one JSON line
// with the games and hands played and the resident size after each game N.
// A test and measurement program: it is not installed with the game.
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/driver.h"
#include "engine/game.h"
#include "engine/startup.h"
#include "man/man.h"
#include "qt/frm_sekiba.h"
#include "qt/qt_platform.h"

namespace {

// The game's files go to a scratch folder, so that a soak leaves neither a best
// ten nor a saved game behind; pictures and sounds still come from beside it.
class SoakPlatform : public sekiba::QtPlatform {
 public:
  std::string app_path() override { return scratch_.path().toStdString(); }
  std::vector<std::string> read_folders() override {
    return {app_path(), QCoreApplication::applicationDirPath().toStdString()};
  }

 private:
  QTemporaryDir scratch_;
};

long resident_kib() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int games = argc > 1 ? std::atoi(argv[1]) : 200;
  std::map<int, long> rss_at;
  for (int i = 2; i < argc; ++i) rss_at[std::atoi(argv[i])] = 0;
  if (games < 1) {
    std::fprintf(stderr, "usage: sekiba-soak GAMES [N...]\n");
    return 2;
  }

  SoakPlatform os;
  sekiba::Game g(os);
  sekiba::FrmSekiba w(os, g);
  os.attach(&w, &g);
  w.show();
  if (!sekiba::Form_Load(g)) return 1;
  g.s.settei[8] = 1;   // games follow one another
  g.s.settei[11] = 1;  // no pause before automatic steps
  g.s.settei[12] = 1;  // no sound
  g.s.settei[16] = 1;  // no thinking pause

  // Until automatic play takes over, the user's Enter answers every prompt (the
  // offer to continue, the dealer decision).
  QTimer enter;
  QObject::connect(&enter, &QTimer::timeout, [&] {
    if (g.t.jidou == 0 && os.on_input) os.on_input(sekiba::InputEvent{sekiba::InputEvent::Kind::KeyDown, 13});
  });
  enter.start(50);

  // The user's turns switch automatic play on and count hands and games.
  // game_no counts the hands of the game under way (1 in its first hand).
  int started = 0, hands = 0;
  g.players.man = [&](sekiba::Game& game) {
    sekiba::Table& t = game.t;
    if (t.man_junme == 1) {
      if (t.game_no == 1) {
        const int finished = started++;
        if (auto it = rss_at.find(finished); it != rss_at.end()) it->second = resident_kib();
        if (finished >= games) game.os.quit();
      }
      ++hands;
    }
    t.jidou = 1;
    return sekiba::man_main(game);
  };

  int rc = 0;
  try {
    sekiba::mnugame_Click(g);
  } catch (const sekiba::QuitRequested&) {
  } catch (const std::exception& e) {
    std::fprintf(stderr, "sekiba-soak: %s\n", e.what());
    rc = 1;
  }
  std::string rss;
  for (const auto& [n, kib] : rss_at)
    rss += (rss.empty() ? "" : ",") + ("\"" + std::to_string(n) + "\":" + std::to_string(kib));
  const int played = std::max(started - 1, 0);
  std::printf("{\"games\":%d,\"hands\":%d,\"rss_kib\":{%s}}\n", played, hands - 1, rss.c_str());
  return played >= games ? rc : 1;
}
