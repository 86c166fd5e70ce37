#pragma once
// The score history of a game as a line chart.
#include "platform/platform.h"

namespace sekiba {

struct Game;

// What the chart shows for style no (1: 3-D line, 0: 2-D line). Sets entry 0 of
// the history to the starting 300.
ChartPlan score_chart_plan(Game& g, int no);
// Shows the chart until a key or click.
void score_chart(Game& g, int no);
// The chart at the end of a game.
void score_time_pr(Game& g);
void mnurireki3_Click(Game& g);

}  // namespace sekiba
