#include "records/chart.h"

#include <algorithm>

#include "engine/driver.h"
#include "engine/game.h"
#include "platform/text_args.h"
#include "man/input.h"
#include "screen/draw.h"

namespace sekiba {

ChartPlan score_chart_plan(Game& g, int no) {
  Table& t = g.t;
  t.score_rireki[0] = 300;
  // game_no is kept in 1..499 by the game, but a value from elsewhere must not
  // read outside the history.
  const int n = std::clamp<int>(t.game_no, 1, int(t.score_rireki.size()));
  ChartPlan c;
  c.three_d = no == 1;
  c.title = g.os.tr("今回のゲームの得点推移表");
  c.footnote = fill_in(g.os.tr("得点＝%1  ゲーム数＝%2"),
                       {std::to_string(std::int64_t(t.score_rireki[std::size_t(n - 1)]) * 100),
                        std::to_string(t.game_no)});
  c.width = 500;
  c.height = 400;
  c.left = (640 - c.width) / 2;
  c.top = 20;
  for (int i = 0; i < n; ++i) c.rows.push_back(double(t.score_rireki[std::size_t(i)]));
  return c;
}

void score_chart(Game& g, int no) {
  g.os.chart_show(score_chart_plan(g, no));
  title_sub2(g);
  try {
    key_input(g, 0);
  } catch (...) {
    g.os.chart_hide();
    throw;
  }
  g.os.chart_hide();
}

void score_time_pr(Game& g) { score_chart(g, 1); }

void mnurireki3_Click(Game& g) {
  Table& t = g.t;
  if (t.shori_chu == 1) return;
  t.shori_chu = 1;
  gvram_push(g, 1, 27);
  try {
    score_chart(g, 1);
  } catch (...) {
    t.shori_chu = 0;
    throw;
  }
  gvram_pop(g, 1, 27);
  t.shori_chu = 0;
}

}  // namespace sekiba
