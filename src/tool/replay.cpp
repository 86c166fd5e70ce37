#include "tool/replay.h"

#include <iostream>
#include <utility>
#include <vector>

#include "engine/game.h"
#include "eval/bunkai.h"
#include "gamerec/record_reader.h"
#include "headless/headless_platform.h"
#include "gamerec/record_judge.h"

namespace sekiba {

using ojson = nlohmann::ordered_json;

namespace {

struct Judged {
  ojson yaku = ojson::array();
  int han = 0;
  ojson fu = nullptr;
  long long points = 0;
};

ojson as_json(const Judged& j) { return {{"yaku", j.yaku}, {"han", j.han}, {"fu", j.fu}, {"points", j.points}}; }

// The win judged again from the table before it and the state it recorded.
Judged judge_win(const nlohmann::json& header, const Table& before, const nlohmann::json& win) {
  HeadlessPlatform os;
  Game g(os);
  load_record_settings(g.s, header);
  bool partner = false;
  const int winner = prepare_win(g, before, win, partner);
  g.t.man_ten = 1'000'000;  // nothing clamped
  g.t.rechi_bou = 0;
  const Tile w = win["tile"].get<Tile>();
  const int kind = win["kind"] == "tsumo" ? 1 : 2;
  Judged out;
  int points = 0;
  g.table_listeners.push_back([&points](Game&, const TableEvent& e) {
    if (e.kind == TableEventKind::Settled) points = e.value;
  });
  if (!declare_win(g, winner, w)) {
    out.points = 0;
    out.han = -1;  // not a complete hand
    return out;
  }
  settle_win(g, winner, w, kind);
  bool yakuman = false;
  for (const YakuFound& y : g.yaku.found) {
    out.yaku.push_back({y.code, y.han});
    yakuman = yakuman || y.code < 16;
  }
  out.han = g.yaku.han_total;
  if (out.han >= 1 && out.han <= 4 && !yakuman && !partner) out.fu = g.a.last_fu;
  out.points = partner ? -points : points;
  return out;
}

int tenpai_of(const nlohmann::json& header, const Table& before, int side) {
  HeadlessPlatform os;
  Game g(os);
  load_record_settings(g.s, header);
  g.t = before;
  if (before.lan_mode == 1 && side == 2) {
    g.t = mirrored(before);
    side = 1;
  }
  g.t.man_hai[14] = g.t.com_hai[14] = kEmpty;
  return (side == 1 ? man_nagare_tenpai(g) : com_nagare_tenpai(g)) == kAgari ? 1 : 0;
}

}  // namespace

std::vector<ojson> rejudge_record(const GameRecord& rec, bool& agreed) {
  agreed = true;
  std::vector<ojson> lines;
  const Replay r = replay_record(rec);
  for (std::size_t k = 1; k < r.steps.size(); ++k) {
    const ReplayStep& step = r.steps[k];
    if (!step.settled) continue;
    const RecordLine& l = rec.events[std::size_t(step.event)];
    const Table& before = r.steps[k - 1].t;
    ojson line = {{"hand", step.hand}, {"line", l.line}};
    bool agree;
    if (l.ev == "win") {
      Judged recorded;
      for (const auto& y : l.j["yaku"]) recorded.yaku.push_back({y[0].get<int>(), y[1].get<int>()});
      recorded.han = l.j["han"].get<int>();
      if (!l.j["fu"].is_null()) recorded.fu = l.j["fu"].get<int>();
      recorded.points = l.j["points"].get<long long>();
      const Judged again = judge_win(rec.header, before, l.j);
      line["result"] = "win";
      line["recorded"] = as_json(recorded);
      line["recomputed"] = as_json(again);
      agree = line["recorded"] == line["recomputed"];
    } else {
      const int man = tenpai_of(rec.header, before, 1), com = tenpai_of(rec.header, before, 2);
      const int payment = man == com ? 0 : man == 1 ? 15 : -15;
      line["result"] = "ryukyoku";
      line["recorded"] = {{"tenpai", l.j["tenpai"].get<std::vector<int>>()}, {"payment", l.j["payment"].get<int>()}};
      line["recomputed"] = {{"tenpai", {man, com}}, {"payment", payment}};
      agree = line["recorded"] == line["recomputed"];
    }
    line["agree"] = agree;
    agreed = agreed && agree;
    lines.push_back(std::move(line));
  }
  return lines;
}

int replay_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: sekiba-tool replay FILE\n";
    return 2;
  }
  const auto rec = load_record(args[0]);
  if (!rec) {
    err << "sekiba-tool replay: " << args[0] << ": cannot be read\n";
    return 2;
  }
  bool agreed = true;
  for (const ojson& line : rejudge_record(*rec, agreed)) out << line.dump() << "\n";
  const Replay r = replay_record(*rec);
  const std::string& error = !rec->error.empty() ? rec->error : r.error;
  if (!error.empty()) {
    err << "sekiba-tool replay: " << args[0] << ": " << error << "\n";
    return 2;
  }
  return agreed ? 0 : 1;
}

}  // namespace sekiba
