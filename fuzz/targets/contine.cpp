// The continue file, read the way a new game reads it.
#include <algorithm>

#include "engine/contine.h"
#include "harness.h"
#include "records/chart.h"
#include "screen/draw.h"
#include "targets.h"

namespace sekiba::fuzz {

int fuzz_contine(const std::uint8_t* data, std::size_t size) {
  Harness& h = harness();
  Game& g = h.g;
  h.fresh();
  std::string bytes = text(data, size);
  // The checks guard the values behind them; the last byte's low bit asks for
  // them to be made right, so that the values are reached too.
  if (size >= kContineSize && (data[size - 1] & 1)) {
    if (auto d = parse_contine(bytes)) {
      const auto c = contine_checks(*d);
      d->check1 = c[0], d->check2 = c[1], d->check3 = c[2];
      bytes.replace(0, kContineSize, format_contine(*d));
    }
  }
  h.put(kContineFile, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  g.t = Table{};
  g.rec.contine_refused = false;  // each input as in a run of its own
  g.t.app_path = h.dir;
  g.t.oya = 0;
  set_shoki1(g);
  const Table& t = g.t;
  // Whatever was read, the game starts from values it can play: a continued
  // game, or a new one (whose dealer is decided afresh).
  if (t.oya != 0) {
    FUZZ_CHECK(t.oya == 1 || t.oya == 2);
    FUZZ_CHECK(t.game_mode >= 0 && t.game_mode <= 7);
    FUZZ_CHECK(t.game_no >= 1 && t.game_no <= 499);
    FUZZ_CHECK(t.kyoku >= 1 && t.honba >= 0 && t.rechi_bou >= 0);
  } else {
    FUZZ_CHECK(t.man_ten == 300 && t.kyoku == 1 && t.game_no == 1);
  }
  // The table shows the score and the event sticks read.
  pr_score(g);
  pr_ivent_bou(g);
  // The score history the chart draws from.
  const ChartPlan plan = score_chart_plan(g, 0);
  (void)plan;
  return 0;
}

}  // namespace sekiba::fuzz
