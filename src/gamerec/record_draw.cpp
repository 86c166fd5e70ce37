#include "gamerec/record_draw.h"

#include <algorithm>

#include "engine/driver.h"
#include "engine/game.h"
#include "engine/settlement.h"
#include "gamerec/record_judge.h"
#include "gamerec/record_reader.h"
#include "lan/lan.h"
#include "screen/draw.h"

namespace sekiba {

namespace {

void discard_row(Game& g, const std::array<Tile, 22>& row, int count, const std::array<bool, 22>& called, bool man) {
  const int mode = 2 * g.s.settei[17];
  for (int i = 1; i <= std::min(count, 20); ++i) {
    const GridPlace p = man ? man_sute_place(i) : com_sute_place(i);
    hai_put(g, row[std::size_t(i)], p.x, p.y, mode);
    if (called[std::size_t(i)]) naki_mark(g, p, 0);
  }
}

}  // namespace

void draw_replay_step(Game& g, const GameRecord& rec, const Replay& r, std::size_t k) {
  if (k >= r.steps.size()) return;
  const ReplayStep& st = r.steps[k];
  load_record_settings(g.s, rec.header);
  if (st.event < 0 || st.hand == 0) {
    haikei_to_window(g);
    return;
  }
  const RecordLine& line = rec.events[std::size_t(st.event)];
  g.t = st.t;
  Table& t = g.t;
  shoki_gamen(g);
  man_disp(g);
  com_disp(g);
  pr_naki_hai(g);
  if (t.com_naki_cnt > 1) lan_pr_naki_hai(g);
  discard_row(g, t.man_sute, t.man_junme - 1, st.man_called, true);
  discard_row(g, t.com_sute, t.com_junme - 1, st.com_called, false);
  if (st.ura_open) hai_put(g, t.ura_dora, 5, 22, 2 * g.s.settei[17]);
  if (st.kan_open) kan_dora_pr(g);
  pr_score(g);
  pr_ivent_bou(g);
  if (line.ev == "ryukyoku") pr_nagare(g);
  if (line.ev != "win" || k == 0) return;
  // The settlement of the table itself, on the table before the win.
  bool partner = false;
  const int winner = prepare_win(g, r.steps[k - 1].t, line.j, partner);
  const Tile w = line.j["tile"].get<Tile>();
  if (declare_win(g, winner, w)) settle_win(g, winner, w, line.j["kind"] == "tsumo" ? 1 : 2);
  g.t.man_ten = st.t.man_ten;
  pr_score(g);
}

std::string describe_replay_step(Game& g, const GameRecord& rec, const Replay& r, std::size_t k) {
  if (k >= r.steps.size() || r.steps[k].event < 0) return g.os.tr("対局開始");
  const RecordLine& l = rec.events[std::size_t(r.steps[k].event)];
  const bool lan = rec.header.value("lan", 0) == 1;
  std::string who;
  if (l.j.contains("side"))
    who = (l.j["side"] == 1 ? g.os.tr("あなた") : lan ? g.os.tr("相手") : g.os.tr("ＣＯＭ")) + g.os.tr("：");
  const std::string& ev = l.ev;
  std::string what;
  if (ev == "hand") what = g.os.tr("配牌");
  else if (ev == "draw") what = g.os.tr("ツモ");
  else if (ev == "discard") what = g.os.tr("打牌");
  else if (ev == "riichi") what = g.os.tr("リーチ");
  else if (ev == "call") what = l.j["kind"] == "chi" ? g.os.tr("チー") : l.j["kind"] == "pon" ? g.os.tr("ポン") : g.os.tr("カン");
  else if (ev == "kan") what = l.j["kind"] == "closed" ? g.os.tr("暗カン") : g.os.tr("加カン");
  else if (ev == "indicator") what = l.j["kind"] == "ura" ? g.os.tr("裏ドラ表示") : g.os.tr("カンドラ表示");
  else if (ev == "stick") what = g.os.tr("イベント棒");
  else if (ev == "win") what = l.j["kind"] == "tsumo" ? g.os.tr("ツモ上がり") : g.os.tr("ロン上がり");
  else if (ev == "ryukyoku") what = g.os.tr("流局");
  else if (ev == "end") what = g.os.tr("ゲーム終了");
  return who + what;
}

}  // namespace sekiba
