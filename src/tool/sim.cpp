#include "tool/sim.h"

#include <array>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>

#include <unistd.h>

#include "com/think.h"
#include "engine/contine.h"
#include "engine/dice.h"
#include "engine/driver.h"
#include "engine/game.h"
#include "engine/startup.h"
#include "eval/yaku.h"
#include "gamerec/record_writer.h"
#include "headless/headless_platform.h"

namespace sekiba {

namespace {

// The game writes its records into its folder; the tool keeps them out of the
// caller's way in a folder of its own, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    // Memory-backed when the system has it: the records are synced to disk
    // after every hand, which would otherwise set the pace of the whole run.
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "sekiba_sim_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch folder");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& str() const { return path_; }

 private:
  std::string path_;
};

struct SideTally {
  long tsumo = 0, ron = 0, no_yaku = 0;
  std::array<long, kYakuCodes> yaku{};
};

nlohmann::json side_json(const SideTally& s) {
  nlohmann::json yaku = nlohmann::json::object();
  for (int c = 0; c < kYakuCodes; ++c) {
    if (s.yaku[std::size_t(c)] == 0) continue;
    const char* name = yaku_name(c);
    yaku[(name && *name) ? std::string(name) : "code " + std::to_string(c)] = s.yaku[std::size_t(c)];
  }
  return {{"tsumo", s.tsumo}, {"ron", s.ron}, {"wins_without_yaku", s.no_yaku}, {"yaku", yaku}};
}

bool parse_int(const std::string& s, long long lo, long long hi, long long& v) {
  try {
    std::size_t used = 0;
    v = std::stoll(s, &used);
    return used == s.size() && v >= lo && v <= hi;
  } catch (const std::exception&) {
    return false;
  }
}

bool parse_pair(const std::string& s, int min_index, int max_index, std::pair<int, int>& out) {
  const auto eq = s.find('=');
  long long i = 0, v = 0;
  if (eq == std::string::npos || !parse_int(s.substr(0, eq), min_index, max_index, i) ||
      !parse_int(s.substr(eq + 1), -32768, 32767, v))
    return false;
  out = {int(i), int(v)};
  return true;
}

// The process's resident size in KiB (0 where the system does not tell).
long resident_kib() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

bool parse_sim_args(const std::vector<std::string>& args, SimOptions& opt, std::string& error) {
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    auto value = [&]() -> const std::string* {
      if (k + 1 >= args.size()) {
        error = a + " needs a value";
        return nullptr;
      }
      return &args[++k];
    };
    long long v = 0;
    if (a == "--games") {
      const std::string* s = value();
      if (!s) return false;
      if (!parse_int(*s, 0, 1000000, v)) return error = "--games: 0..1000000", false;
      opt.games = int(v);
    } else if (a == "--seed") {
      const std::string* s = value();
      if (!s) return false;
      if (!parse_int(*s, 0, 0xFFFFFFFFLL, v)) return error = "--seed: 0..4294967295", false;
      opt.seed = std::uint32_t(v);
    } else if (a == "--mode") {
      const std::string* s = value();
      if (!s) return false;
      if (!parse_int(*s, 0, 7, v)) return error = "--mode: 0..7", false;
      opt.mode = int(v);
    } else if (a == "--rss-at") {
      // One or more game counts, separated by commas.
      const std::string* s = value();
      if (!s) return false;
      std::size_t pos = 0;
      while (pos <= s->size()) {
        const std::size_t comma = std::min(s->find(',', pos), s->size());
        if (!parse_int(s->substr(pos, comma - pos), 1, 1000000, v))
          return error = "--rss-at: game counts 1..1000000, separated by commas", false;
        opt.rss_at.push_back(int(v));
        pos = comma + 1;
      }
    } else if (a == "--record") {
      const std::string* s = value();
      if (!s) return false;
      opt.record = *s;
    } else if (a == "--settei" || a == "--shikou") {
      const bool settei = a == "--settei";
      // One or more i=v after the option. The settings are numbered from 0 as in
      // their file, the thinking settings from 1 as in their dialog.
      bool any = false;
      while (k + 1 < args.size() && args[k + 1].rfind("--", 0) != 0) {
        std::pair<int, int> p;
        if (!parse_pair(args[++k], settei ? 0 : 1, settei ? kSettingsCount - 1 : kShikouCount, p))
          return error = a + ": expected i=v, got " + args[k], false;
        (settei ? opt.settei : opt.shikou).push_back(p);
        any = true;
      }
      if (!any) return error = a + " needs i=v", false;
    } else {
      error = "unknown option " + a;
      return false;
    }
  }
  return true;
}

void apply_sim_settings(const SimOptions& opt, Settings& s) {
  for (auto [i, v] : opt.settei) s.settei[std::size_t(i)] = std::int16_t(v);
  const auto shikou = shikou_values(s);
  for (auto [i, v] : opt.shikou) *shikou[std::size_t(i - 1)] = std::int16_t(v);
}

nlohmann::json run_sim(const SimOptions& opt) {
  ScratchFolder folder;
  HeadlessPlatform os;
  os.data_folder = folder.str();
  // Nothing in automatic play waits for a key; a wait that does is a fault and
  // should end the run quickly rather than spin.
  os.max_idle_waits = 100;
  auto game = std::make_unique<Game>(os);
  Game& g = *game;
  if (!Form_Load(g)) throw std::runtime_error("start-up failed");
  // Nobody looks at the table, nobody continues these games.
  drop_pictures(g.scr);
  g.scr.shown = false;
  g.saves_for_later = false;
  apply_sim_settings(opt, g.s);
  g.s.settei[8] = 1;   // games follow one another
  g.s.settei[11] = 1;  // no pause before automatic steps
  g.s.settei[12] = 1;  // no sound
  g.s.settei[16] = 1;  // no thinking pause
  g.rng.seed(opt.seed);
  g.t.game_mode = std::int16_t(opt.mode);
  if (!opt.record.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(opt.record, ec);
    if (!std::filesystem::is_directory(opt.record, ec) || !may_write(opt.record))
      throw std::runtime_error("--record: " + opt.record + " is not a folder that can be written");
    RecordOptions rec;
    rec.folder = opt.record;
    rec.keep = 0;
    rec.name_prefix = "sim-" + std::to_string(opt.seed) + "-";
    rec.tell_failure = false;
    attach_recorder(g, rec);
  }
  if (opt.prepare) opt.prepare(g);

  nlohmann::json rss = nlohmann::json::object();
  SideTally man, com;
  long hands = 0, draws = 0;
  double score_sum = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int n = 0; n < opt.games; ++n) {
    Table& t = g.t;
    t.jidou = 1;
    t.kyoku_flag = 0;
    set_shoki1(g);
    oya_kime(g);
    t.kyoku = std::int16_t(opt.first_kyoku);
    t.series_done = 0;
    tell_table(g, {TableEventKind::GameStart});
    while (t.man_ten > 0 && t.kyoku < 9 && t.series_done == 0) {
      t.jidou = 1;
      t.agari_pl = 0;
      g.yaku.found.clear();
      g.yaku.han_total = 0;
      os.texts.clear();
      play_hand(g);
      ++hands;
      if (t.agari_pl != 1 && t.agari_pl != 2) {
        ++draws;
        continue;
      }
      SideTally& side = t.agari_pl == 1 ? man : com;
      ++(t.agari_kind == 1 ? side.tsumo : side.ron);
      if (g.yaku.han_total == 0) ++side.no_yaku;
      for (const YakuFound& y : g.yaku.found)
        if (y.code >= 0 && y.code < kYakuCodes) ++side.yaku[std::size_t(y.code)];
    }
    tell_table(g, {TableEventKind::GameEnd});
    score_sum += double(t.man_ten) * 100.0;
    // As at the end of every game: nothing is left to continue.
    save_contine(g, 0);
    t.contine_flag = 0;
    if (std::find(opt.rss_at.begin(), opt.rss_at.end(), n + 1) != opt.rss_at.end())
      rss[std::to_string(n + 1)] = resident_kib();
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  nlohmann::json out = {{"games", opt.games},
          {"hands", hands},
          {"man", side_json(man)},
          {"com", side_json(com)},
          {"exhaustive_draws", draws},
          {"mean_final_score", opt.games > 0 ? score_sum / opt.games : 0.0},
          {"hands_per_second", seconds > 0 ? double(hands) / seconds : 0.0}};
  if (!opt.rss_at.empty()) out["rss_kib"] = rss;
  return out;
}

int sim_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  SimOptions opt;
  std::string error;
  if (!parse_sim_args(args, opt, error)) {
    err << "sekiba-tool sim: " << error << "\n"
        << "usage: sekiba-tool sim --games N --seed S [--mode 0..7] [--settei i=v ...] "
           "[--shikou i=v ...] [--rss-at N,N...] [--record DIR]\n";
    return 2;
  }
  try {
    out << run_sim(opt).dump() << "\n";
  } catch (const std::exception& e) {
    err << "sekiba-tool sim: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace sekiba
