#include "tool/analyze.h"

#include <iostream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <vector>

#include "engine/game.h"
#include "engine/settlement.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "eval/yaku.h"
#include "headless/headless_platform.h"

namespace sekiba {

namespace {

using json = nlohmann::ordered_json;

struct BadRequest : std::runtime_error {
  using std::runtime_error::runtime_error;
};

int side_of(const json& req, const char* key) {
  if (!req.contains(key)) return 1;
  const auto& v = req[key];
  if (v == "man") return 1;
  if (v == "com") return 2;
  throw BadRequest(std::string(key) + " must be \"man\" or \"com\"");
}

int int_field(const json& req, const char* key, int def, int lo, int hi) {
  if (!req.contains(key)) return def;
  const auto& v = req[key];
  if (!v.is_number_integer()) throw BadRequest(std::string(key) + " must be a whole number");
  const long long n = v.get<long long>();
  if (n < lo || n > hi) throw BadRequest(std::string(key) + " out of range");
  return int(n);
}

Tile tile_of(const json& v, const char* what) {
  if (!v.is_number_integer() || !is_tile(v.get<long long>()))
    throw BadRequest(std::string(what) + " is not a tile code");
  return Tile(v.get<int>());
}

Tile indicator(const json& req, const char* key) {
  if (!req.contains(key) || req[key] == 0) return 0;
  return tile_of(req[key], key);
}

struct Request {
  std::string op;
  int winner = 1;
  std::vector<Tile> hand;
  std::vector<std::pair<int, Tile>> melds;  // kind 1 chi, 2 pon, 3 kan, 4 closed kan
};

void set_up(Game& g, const json& req, Request& r) {
  Table& t = g.t;
  g.s.set_defaults();
  g.s.settei[12] = 1;  // no sound
  if (req.contains("settei")) {
    const auto& s = req["settei"];
    if (!s.is_object()) throw BadRequest("settei must be an object of index to value");
    for (auto it = s.begin(); it != s.end(); ++it) {
      int index = -1;
      try {
        std::size_t used = 0;
        index = std::stoi(it.key(), &used);
        if (used != it.key().size()) index = -1;
      } catch (const std::exception&) {
      }
      if (index < 0 || index > 24) throw BadRequest("settei index out of range: " + it.key());
      if (!it.value().is_number_integer()) throw BadRequest("settei values must be whole numbers");
      const long long v = it.value().get<long long>();
      if (v < -32768 || v > 32767) throw BadRequest("settei value out of range");
      g.s.settei[std::size_t(index)] = std::int16_t(v);
    }
  }
  r.winner = side_of(req, "winner");
  t.oya = std::int16_t(side_of(req, "oya"));
  if (!req.contains("hand") || !req["hand"].is_array()) throw BadRequest("hand must be a list of tile codes");
  for (const auto& v : req["hand"]) r.hand.push_back(tile_of(v, "a hand tile"));
  if (req.contains("melds")) {
    if (!req["melds"].is_array()) throw BadRequest("melds must be a list");
    for (const auto& m : req["melds"]) {
      if (!m.is_object() || !m.contains("kind") || !m.contains("tile")) throw BadRequest("a meld needs kind and tile");
      const std::string kind = m["kind"].is_string() ? m["kind"].get<std::string>() : "";
      int k = kind == "chi" ? 1 : kind == "pon" ? 2 : kind == "kan" ? 3 : kind == "ankan" ? 4 : 0;
      if (k == 0) throw BadRequest("meld kind must be chi, pon, kan or ankan");
      const Tile tile = tile_of(m["tile"], "a meld tile");
      if (k == 1 && (tile >= 31 || tile % 10 > 7)) throw BadRequest("a chi starts at a number tile 1..7");
      r.melds.emplace_back(k, tile);
    }
  }
  if (r.melds.size() > 4) throw BadRequest("at most four melds");
  if (r.winner == 2 && !r.melds.empty()) throw BadRequest("only the user has melds");
  const std::size_t want = 13 - 3 * r.melds.size();
  if (r.hand.size() != want)
    throw BadRequest("the hand holds " + std::to_string(r.hand.size()) + " tiles; its melds leave room for " +
                     std::to_string(want));

  t.dora = indicator(req, "dora");
  t.ura_dora = indicator(req, "ura_dora");
  t.kan_dora = indicator(req, "kan_dora");
  const int riichi = int_field(req, "riichi", 0, 0, 30);
  const int daburi = int_field(req, "daburi", 0, 0, 1);
  (r.winner == 1 ? t.man_rechi : t.com_rechi) = std::int16_t(riichi);
  (r.winner == 1 ? t.man_daburi : t.com_daburi) = std::int16_t(daburi);
  t.man_junme = std::int16_t(int_field(req, "man_junme", 10, 1, 21));
  t.com_junme = std::int16_t(int_field(req, "com_junme", 10, 1, 21));
  g.yaku.rinshan_flag = std::int16_t(int_field(req, "rinshan", 0, 0, 1));
  t.honba = std::int16_t(int_field(req, "honba", 1, 0, 999));
  t.bairitu = std::int16_t(int_field(req, "bairitu", 1, 1, 2));
  t.ivent_bou.fill(0);
  for (int i = 0; i < 5; ++i) t.ivent_bou[std::size_t(i)] = 1;
  if (req.contains("ivent_bou")) {
    const auto& iv = req["ivent_bou"];
    if (!iv.is_array() || iv.size() != 5) throw BadRequest("ivent_bou must be five counts");
    for (std::size_t i = 0; i < 5; ++i) {
      if (!iv[i].is_number_integer() || iv[i].get<long long>() < 0 || iv[i].get<long long>() > 10)
        throw BadRequest("ivent_bou counts are 0..10");
      t.ivent_bou[i] = std::int16_t(iv[i].get<int>());
    }
  }
  if (req.contains("discards")) {
    const auto& d = req["discards"];
    if (!d.is_array() || d.size() > 20) throw BadRequest("discards must be a list of at most 20 tiles");
    for (std::size_t i = 0; i < d.size(); ++i) t.man_sute[i + 1] = tile_of(d[i], "a discard");
    if (t.man_junme < int(d.size()) + 1) t.man_junme = std::int16_t(d.size() + 1);
  }

  // The hands: concealed tiles from slot 1, the rest empty.
  Hand& h = r.winner == 1 ? t.man_hai : t.com_hai;
  h.fill(kEmpty);
  for (std::size_t i = 0; i < r.hand.size(); ++i) h[i + 1] = r.hand[i];
  t.man_naki_cnt = 1;
  for (auto [kind, tile] : r.melds) {
    t.man_naki_kind[std::size_t(t.man_naki_cnt)] = std::int16_t(kind);
    t.man_naki_hai[std::size_t(t.man_naki_cnt)] = tile;
    ++t.man_naki_cnt;
  }
  // Nothing is clamped at 0 and the riichi sticks stay out of the points.
  t.man_ten = 1000000;
  t.rechi_bou = 0;
}

json agari(Game& g, const json& req, const Request& r) {
  Table& t = g.t;
  if (!req.contains("agari")) throw BadRequest("agari needs the winning tile");
  if (!req.contains("kind") || !(req["kind"] == "tsumo" || req["kind"] == "ron"))
    throw BadRequest("kind must be \"tsumo\" or \"ron\"");
  const Tile w = tile_of(req["agari"], "agari");
  const int kind = req["kind"] == "tsumo" ? 1 : 2;
  json out;
  if (r.winner == 1) {
    Tile furiten = 0;
    if (kind == 2) {
      man_hai_sort(g);
      furiten = man_furiten_hai(g);
    }
    t.man_hai[14] = w;
    man_work_set(g);
    const bool complete = man_agari_check(g) == kAgari;
    out["complete"] = complete;
    if (kind == 2) out["furiten"] = furiten;
    if (furiten != 0 || !complete) return out;
    man_naki_tuika(g);
  } else {
    t.com_hai[14] = w;
    const bool complete = com_agari_check(g) == kAgari;
    out["complete"] = complete;
    if (!complete) return out;
  }
  t.agari_hai = w;
  t.agari_pl = std::int16_t(r.winner);
  t.agari_kind = std::int16_t(kind);
  if (r.winner == 1) {
    man_work_set(g);
    man_naki_tenkai(g);
  } else {
    com_work_set(g);
  }
  work_hai_sort(g);

  g.a.last_fu = 0;
  const std::int32_t before = t.man_ten;
  yaku_main(g);
  const std::int32_t change = t.man_ten - before;
  const bool yakuman = g.yaku.yaku_str.rfind("yakuman ", 0) == 0;
  const int han = g.yaku.han_total;
  const bool chonbo = han == 0;
  out["yakuman"] = yakuman ? han : 0;
  out["han"] = han;
  json yaku = json::array();
  for (const auto& f : g.yaku.found) yaku.push_back({f.code, f.han});
  out["yaku"] = yaku;
  out["yaku_str"] = g.yaku.yaku_str;
  if (!yakuman && han >= 1 && han <= 4) out["fu"] = g.a.last_fu;
  else out["fu"] = nullptr;
  out["points"] = chonbo ? change : change / t.bairitu;
  out["chonbo"] = chonbo;
  out["ivent_bou"] = json::array();
  for (int i = 0; i < 5; ++i) out["ivent_bou"].push_back(t.ivent_bou[std::size_t(i)]);
  return out;
}

json waits(Game& g, const Request& r) {
  json list = json::array();
  const int n = r.winner == 1 ? help_kazu(g) : com_machi_kazu(g);
  for (int i = 1; i <= n && i < int(g.a.machi_hai.size()) && g.a.machi_hai[std::size_t(i)] != 0; ++i)
    list.push_back(g.a.machi_hai[std::size_t(i)]);
  return json{{"waits", list}};
}

json tenpai(Game& g, const Request& r) {
  const int v = r.winner == 1 ? man_nagare_tenpai(g) : com_nagare_tenpai(g);
  return json{{"tenpai", v == kAgari}};
}

}  // namespace

namespace {

// A parser's message quotes the bytes it stopped at, which need not be UTF-8:
// they are written as replacement characters rather than thrown over.
std::string one_line(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::replace); }

}  // namespace

std::string analyze_line(const std::string& line) {
  try {
    const json req = json::parse(line);
    if (!req.is_object()) throw BadRequest("a request is a JSON object");
    if (!req.contains("op") || !req["op"].is_string()) throw BadRequest("op is missing");
    Request r;
    r.op = req["op"].get<std::string>();
    if (r.op != "agari" && r.op != "waits" && r.op != "tenpai")
      throw BadRequest("op must be agari, waits or tenpai");
    HeadlessPlatform os;
    Game g(os);
    set_up(g, req, r);
    json out;
    if (r.op == "agari") out = agari(g, req, r);
    else if (r.op == "waits") out = waits(g, r);
    else out = tenpai(g, r);
    return one_line(out);
  } catch (const json::exception& e) {
    return one_line(json{{"error", std::string("malformed JSON: ") + e.what()}});
  } catch (const std::exception& e) {
    return one_line(json{{"error", e.what()}});
  }
}

int analyze_main(std::istream& in, std::ostream& out) {
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    out << analyze_line(line) << '\n' << std::flush;
  }
  return 0;
}

}  // namespace sekiba
