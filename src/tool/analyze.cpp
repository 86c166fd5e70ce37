#include "tool/analyze.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <vector>

#include "com/shikou.h"
#include "com/weights.h"
#include "engine/game.h"
#include "engine/settlement.h"
#include "engine/setup.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "eval/yaku.h"
#include "gamerec/record_judge.h"
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

// The numbered values of an object such as {"6": 1}, each index lo..hi.
template <typename Store>
void read_numbered(const json& req, const char* key, int lo, int hi, Store store) {
  if (!req.contains(key)) return;
  const auto& s = req[key];
  const std::string name(key);
  if (!s.is_object()) throw BadRequest(name + " must be an object of index to value");
  for (auto it = s.begin(); it != s.end(); ++it) {
    int index = -1;
    try {
      std::size_t used = 0;
      index = std::stoi(it.key(), &used);
      if (used != it.key().size()) index = -1;
    } catch (const std::exception&) {
    }
    if (index < lo || index > hi) throw BadRequest(name + " index out of range: " + it.key());
    if (!it.value().is_number_integer()) throw BadRequest(name + " values must be whole numbers");
    const long long v = it.value().get<long long>();
    if (v < -32768 || v > 32767) throw BadRequest(name + " value out of range");
    store(index, std::int16_t(v));
  }
}

void read_settei(Game& g, const json& req) {
  g.s.set_defaults();
  g.s.settei[12] = 1;  // no sound
  read_numbered(req, "settei", 0, 24, [&](int i, std::int16_t v) { g.s.settei[std::size_t(i)] = v; });
}

void set_up(Game& g, const json& req, Request& r) {
  Table& t = g.t;
  read_settei(g, req);
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
  // Melds are always the user's: with the opponent winning they still open the
  // kan dora, and the opponent's own hand stays 13 concealed tiles.
  const std::size_t want = r.winner == 1 ? 13 - 3 * r.melds.size() : 13;
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
    const bool complete = declare_win(g, 1, w);
    out["complete"] = complete;
    if (kind == 2) out["furiten"] = furiten;
    if (furiten != 0 || !complete) return out;
  } else {
    const bool complete = declare_win(g, 2, w);
    out["complete"] = complete;
    if (!complete) return out;
  }
  const std::int32_t before = t.man_ten;
  settle_win(g, r.winner, w, kind);
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

// The discard the evaluation proposes for one side's 14 tiles, as the computer
// chooses outside riichi and the hint chooses for the user.
json discard(Game& g, const json& req) {
  Table& t = g.t;
  read_settei(g, req);
  const int side = side_of(req, "side");
  t.teban = std::int16_t(side);
  read_numbered(req, "shikou", 1, 8, [&](int i, std::int16_t v) {
    Settings& s = g.s;
    std::int16_t* const values[] = {&s.shikou_dora,    &s.shikou_hyouka,     &s.shikou_chinitu,
                                    &s.shikou_honitu,  &s.shikou_chinitu_su, &s.shikou_honitu_su,
                                    &s.shikou_chinro,  &s.shikou_rechi};
    *values[i - 1] = v;
  });
  if (req.contains("melds")) throw BadRequest("discard takes a concealed hand without melds");
  if (!req.contains("hand") || !req["hand"].is_array() || req["hand"].size() != 14)
    throw BadRequest("hand must be a list of 14 tile codes, the drawn tile last");
  Hand& h = side == 1 ? t.man_hai : t.com_hai;
  h.fill(kEmpty);
  std::array<int, 39> copies{};
  for (std::size_t i = 0; i < 14; ++i) {
    const Tile tile = tile_of(req["hand"][i], "a hand tile");
    if (++copies[std::size_t(tile)] > 4) throw BadRequest("a hand holds at most four copies of a tile");
    h[i + 1] = tile;
  }
  (side == 1 ? t.man_rechi : t.com_rechi) = std::int16_t(int_field(req, "riichi", 0, 0, 30));
  t.man_junme = std::int16_t(int_field(req, "man_junme", 10, 1, 21));
  t.com_junme = std::int16_t(int_field(req, "com_junme", 10, 1, 21));
  if (req.contains("discards")) {
    const auto& d = req["discards"];
    if (!d.is_array() || d.size() > 20) throw BadRequest("discards must be a list of at most 20 tiles");
    auto& row = side == 1 ? t.man_sute : t.com_sute;
    auto& junme = side == 1 ? t.man_junme : t.com_junme;
    for (std::size_t i = 0; i < d.size(); ++i) row[i + 1] = tile_of(d[i], "a discard");
    if (junme < int(d.size()) + 1) junme = std::int16_t(d.size() + 1);
  }

  // The weights of a hand's set-up: the preset, the dora lowered when asked.
  fill_weight_presets(g.com);
  const Weights& preset = g.s.shikou_hyouka != 0 ? g.com.hai_hyouka_b : g.com.hai_hyouka_a;
  g.com.hai_hyouka = preset;
  t.dora = indicator(req, "dora");
  if (t.dora != 0 && g.s.shikou_dora != 0) {
    auto& w = g.com.hai_hyouka[std::size_t(out_dora(g, t.dora))];
    w = std::int16_t(std::max(w - 20, 1));
  }

  std::int16_t chinitu = 4, honitu = 4, chinro = 4;
  if (req.contains("aims")) {
    const auto& a = req["aims"];
    if (!a.is_object()) throw BadRequest("aims must be an object");
    for (auto it = a.begin(); it != a.end(); ++it) {
      const bool is_chinro = it.key() == "chinro";
      if (!is_chinro && it.key() != "chinitu" && it.key() != "honitu")
        throw BadRequest("aims are chinitu, honitu and chinro");
      const auto& v = it.value();
      const long long n = v.is_number_integer() ? v.get<long long>() : -1;
      if (is_chinro ? !(n == 1 || n == 4) : !(n == 0 || n == 1 || n == 2 || n == 4))
        throw BadRequest(is_chinro ? "the chinro aim is 1 or 4" : "a suit aim is 0, 1, 2 or 4");
      (is_chinro ? chinro : it.key() == "chinitu" ? chinitu : honitu) = std::int16_t(n);
    }
    (side == 1 ? g.com.man_nerai_chinitu : g.com.com_nerai_chinitu) = chinitu;
    (side == 1 ? g.com.man_nerai_honitu : g.com.com_nerai_honitu) = honitu;
    (side == 1 ? g.com.man_nerai_chinro : g.com.com_nerai_chinro) = chinro;
  } else if (side == 1) {
    man_nerai_kime(g);
  } else {
    com_nerai_kime(g);
  }

  g.a.bunkai_no = std::int16_t(int_field(req, "bunkai_no", 1, 1, 8));
  g.a.shuntsu_jun = 1;
  g.a.atama_jun = 1;
  if (side == 1) man_work_set(g);
  else com_work_set(g);
  com_bunkai_kime(g);
  const Tile tile = com_man_shikou_sub(g, g.a.bunkai_no);
  return json{{"tile", tile},
              {"tenpai_flg", g.com.tenpai_flg},
              {"osekai_machi", g.com.osekai_machi},
              {"bunkai_no", g.a.bunkai_no}};
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
    if (r.op != "agari" && r.op != "waits" && r.op != "tenpai" && r.op != "discard")
      throw BadRequest("op must be agari, waits, tenpai or discard");
    HeadlessPlatform os;
    Game g(os);
    if (r.op == "discard") return one_line(discard(g, req));
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
