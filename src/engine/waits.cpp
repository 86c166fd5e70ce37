#include "engine/waits.h"

#include "engine/game.h"
#include "platform/fileio.h"
#include "screen/wave_synth.h"

namespace sekiba {

void wave_play(Game& g, const std::string& name) {
  g.os.yield();
  if (g.s.settei[12] != 0) return;
  const std::string file = g.path(name + ".wav");
  const std::int64_t start = g.os.now_ms();
  const bool played = g.os.play_wave(file);
  g.os.stop_sound();
  if (played) return;
  // Banners and flashing are paced by their sounds: a machine that cannot play
  // one waits as long as it would have played, so they are seen all the same.
  const auto bytes = read_file(file);
  const int length = bytes ? wav_length_ms(*bytes) : 0;
  const std::int64_t left = length - (g.os.now_ms() - start);
  if (left > 0) wait_ms(g, int(left));
}

void pasi_play(Game& g) {
  wave_play(g, g.s.settei[13] != 0 ? "\\sekiba_wave_pasi2" : "\\sekiba_wave_pasi");
}

void wait_ms(Game& g, int ms) {
  const std::int64_t start = g.os.now_ms();
  for (;;) {
    const std::int64_t passed = g.os.now_ms() - start;
    if (passed > ms) break;
    g.os.sleep_until_event(int(ms - passed + 1));
  }
}

void yield_n(Game& g, int n) {
  for (int i = 0; i < n; ++i) g.os.yield();
}

void clock_get(Game& g) {
  LocalTime now = g.os.local_time();
  g.t.clock_sec = std::int16_t(now.second);
  g.t.clock_min = std::int16_t(now.minute);
}

}  // namespace sekiba
