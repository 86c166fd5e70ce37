#include "gamerec/record_writer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#include "engine/game.h"
#include "platform/fileio.h"

namespace sekiba {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;

namespace {

json tiles(const std::array<Tile, 16>& hand) {
  json a = json::array();
  for (int i = 1; i <= 14; ++i) a.push_back(hand[std::size_t(i)]);
  return a;
}

json numbers(const auto& values, std::size_t first, std::size_t count) {
  json a = json::array();
  for (std::size_t i = first; i < first + count; ++i) a.push_back(values[i]);
  return a;
}

// A record's name: its stem (YYYYMMDD-HHMMSS, then -NN for a second game of
// the same second) sorts by start time. Other files are the user's.
bool record_stem(const fs::path& p, std::string& stem) {
  if (p.extension() != ".jsonl") return false;
  stem = p.stem().string();
  if (stem.size() < 15 || stem[8] != '-') return false;
  for (std::size_t i = 0; i < stem.size(); ++i) {
    const bool digit = stem[i] >= '0' && stem[i] <= '9';
    if (i == 8 || (i == 15 && stem.size() > 15)) {
      if (stem[i] != '-') return false;
    } else if (!digit) {
      return false;
    }
  }
  return true;
}

class Recorder {
 public:
  explicit Recorder(RecordOptions opt) : opt_(std::move(opt)) {}
  ~Recorder() { close(); }
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  void on(Game& g, const TableEvent& e);

 private:
  RecordOptions opt_;
  std::FILE* file_ = nullptr;
  bool off_ = false;
  int hands_ = 0, games_ = 0;
  json settling_;

  bool open(Game& g);
  void close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
  }
  void write(Game& g, const json& j);
  void fail(Game& g);
};

void Recorder::fail(Game& g) {
  close();
  if (off_) return;
  off_ = true;
  if (opt_.tell_failure)
    g.os.message_box(g.os.tr("棋譜を保存できないため、記録を止めます。") + "\n" + opt_.folder,
                     g.os.tr("棋譜"), MessageButtons::Ok, MessageIcon::Warning);
}

bool Recorder::open(Game& g) {
  close();
  std::error_code ec;
  fs::create_directories(opt_.folder, ec);
  std::string base;
  if (opt_.name_prefix.empty()) {
    const LocalTime lt = g.os.local_time();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d%02d", lt.year, lt.month, lt.day, lt.hour,
                  lt.minute, lt.second);
    base = buf;
  } else {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06d", games_ + 1);
    base = opt_.name_prefix + buf;
  }
  ++games_;
  fs::path path = fs::path(opt_.folder) / (base + ".jsonl");
  for (int n = 1; fs::exists(path, ec) && n < 1000; ++n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "-%02d", n);
    path = fs::path(opt_.folder) / (base + buf + ".jsonl");
  }
  // "x": an existing file is never appended to or overwritten.
  file_ = std::fopen(path.c_str(), "wxb");
  if (!file_) return false;
  if (opt_.keep > 0) prune_records(opt_.folder, opt_.keep);
  return true;
}

void Recorder::write(Game& g, const json& j) {
  if (!file_) return;
  const std::string line = j.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
  // Every line reaches the system as it is written: a crash of the program
  // loses nothing that was written before it.
  if (std::fputs(line.c_str(), file_) < 0 || std::fflush(file_) != 0) fail(g);
}

void Recorder::on(Game& g, const TableEvent& e) {
  if (off_) return;
  const Table& t = g.t;
  switch (e.kind) {
    case TableEventKind::GameStart: {
      if (!open(g)) return fail(g);
      hands_ = 0;
      const LocalTime lt = g.os.local_time();
      char start[32];
      std::snprintf(start, sizeof start, "%04d-%02d-%02dT%02d:%02d:%02d", lt.year, lt.month, lt.day,
                    lt.hour, lt.minute, lt.second);
      const Settings& s = g.s;
      write(g, {{"ev", "game"}, {"version", kRecordVersion}, {"start", start}, {"mode", t.game_mode},
                {"lan", t.lan_mode}, {"host", t.lan_host}, {"settei", numbers(s.settei, 0, kSettingsCount)},
                {"shikou", {s.shikou_dora, s.shikou_hyouka, s.shikou_chinitu, s.shikou_honitu,
                            s.shikou_chinitu_su, s.shikou_honitu_su, s.shikou_chinro, s.shikou_rechi}},
                {"score", t.man_ten}, {"game_no", t.game_no}});
      return;
    }
    case TableEventKind::HandStart:
      // A record opens with its game; a hand seen before (a game continued
      // without a start) opens one too.
      if (!file_) on(g, {TableEventKind::GameStart});
      ++hands_;
      write(g, {{"ev", "hand"}, {"no", t.game_no}, {"kyoku", t.kyoku}, {"oya", t.oya}, {"honba", t.honba},
                {"riichi_sticks", t.rechi_bou}, {"event_sticks", numbers(t.ivent_bou, 0, 5)},
                {"score", t.man_ten}, {"dora", t.dora}, {"ura", t.ura_dora}, {"kan_dora", t.kan_dora},
                {"man", tiles(t.man_hai)}, {"com", tiles(t.com_hai)}});
      return;
    case TableEventKind::Draw:
    case TableEventKind::Discard:
      write(g, {{"ev", e.kind == TableEventKind::Draw ? "draw" : "discard"}, {"side", e.side}, {"tile", e.tile}});
      return;
    case TableEventKind::Riichi:
      write(g, {{"ev", "riichi"}, {"side", e.side}, {"score", t.man_ten}});
      return;
    case TableEventKind::Call: {
      json j = {{"ev", "call"}, {"side", e.side}, {"kind", e.detail == 1 ? "chi" : e.detail == 2 ? "pon" : "kan"}};
      if (e.detail == 1) {
        j["tile"] = e.tile + e.value - 1;  // the discard taken
        j["meld"] = e.tile;
      } else {
        j["tile"] = e.tile;
      }
      write(g, j);
      return;
    }
    case TableEventKind::Kan:
      write(g, {{"ev", "kan"}, {"side", e.side}, {"kind", e.detail == 4 ? "closed" : "added"}, {"tile", e.tile}});
      return;
    case TableEventKind::Indicator:
      write(g, {{"ev", "indicator"}, {"kind", e.detail == 2 ? "ura" : "kan"}, {"tile", e.tile}});
      return;
    case TableEventKind::Stick: {
      json j = {{"ev", "stick"}, {"stick", e.detail}};
      if (e.detail == 0) j["dora"] = t.dora;
      else if (e.detail == 1) j["tile"] = t.man_hai[14];
      else if (e.detail == 2) j["man"] = tiles(t.man_hai);
      else if (e.detail == 3) j["double"] = t.bairitu;
      write(g, j);
      return;
    }
    case TableEventKind::Agari:
      // What the judgement reads besides the tiles, as it stood when the win
      // was declared.
      settling_ = {{"rinshan", g.yaku.rinshan_flag}, {"man_riichi", t.man_rechi}, {"com_riichi", t.com_rechi},
                   {"man_daburi", t.man_daburi}, {"com_daburi", t.com_daburi}, {"man_junme", t.man_junme},
                   {"com_junme", t.com_junme}, {"double", t.bairitu}, {"honba", t.honba},
                   {"event_sticks", numbers(t.ivent_bou, 0, 5)}};
      return;
    case TableEventKind::Settled: {
      json yaku = json::array();
      bool yakuman = false;
      for (const YakuFound& y : g.yaku.found) {
        yaku.push_back({y.code, y.han});
        yakuman = yakuman || y.code < 16;
      }
      const int han = g.yaku.han_total;
      json fu = nullptr;
      // The partner of a LAN match counts its own fu and does not send them.
      const bool partner = t.lan_mode == 1 && e.side == kCom;
      if (han >= 1 && han <= 4 && !yakuman && !partner) fu = g.a.last_fu;
      write(g, {{"ev", "win"}, {"side", e.side}, {"tile", e.tile}, {"kind", e.detail == 1 ? "tsumo" : "ron"},
                {"yaku", yaku}, {"han", han}, {"fu", fu}, {"points", e.value}, {"score", t.man_ten},
                {"state", settling_}});
      return;
    }
    case TableEventKind::Exhaustive:
      write(g, {{"ev", "ryukyoku"}, {"tenpai", {e.detail & 1, (e.detail >> 1) & 1}}, {"payment", e.value},
                {"score", t.man_ten}});
      return;
    case TableEventKind::GameEnd:
      write(g, {{"ev", "end"}, {"score", t.man_ten}, {"hands", hands_}});
      close();
      return;
  }
}

}  // namespace

std::string records_folder(const Game& g) { return join_app_path(g.t.app_path, "records"); }

bool recording_switched_on(const Game& g) {
  const auto text = read_file(g.path(kRecordSwitchFile), 16);
  return !(text && !text->empty() && (*text)[0] == '0');
}

bool save_recording_switch(Game& g, bool on) {
  return write_file_atomic(g.save_path(kRecordSwitchFile), on ? "1\r\n" : "0\r\n");
}

void attach_recorder(Game& g, const RecordOptions& opt) {
  auto rec = std::make_shared<Recorder>(opt);
  g.table_listeners.push_back([rec](Game& game, const TableEvent& e) { rec->on(game, e); });
}

void attach_game_recorder(Game& g) {
  RecordOptions opt;
  opt.folder = records_folder(g);
  auto rec = std::make_shared<Recorder>(opt);
  // The switch is read at every game's start: the settings dialog may have
  // turned it since.
  g.table_listeners.push_back([rec, on = true](Game& game, const TableEvent& e) mutable {
    if (e.kind == TableEventKind::GameStart) on = recording_switched_on(game);
    if (on) rec->on(game, e);
  });
}

void prune_records(const std::string& folder, int keep) {
  std::error_code ec;
  std::vector<std::pair<std::string, fs::path>> found;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string stem;
    if (it->is_regular_file(ec) && record_stem(it->path(), stem)) found.emplace_back(stem, it->path());
  }
  if (int(found.size()) <= keep) return;
  std::sort(found.begin(), found.end());
  for (std::size_t i = 0; i + std::size_t(keep) < found.size(); ++i) fs::remove(found[i].second, ec);
}

}  // namespace sekiba
