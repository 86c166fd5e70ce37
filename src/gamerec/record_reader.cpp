#include "gamerec/record_reader.h"

#include <algorithm>
#include <stdexcept>

#include "gamerec/record_writer.h"
#include "platform/fileio.h"

namespace sekiba {

using json = nlohmann::json;

namespace {

constexpr long long kScore = 100'000'000;

struct Bad : std::runtime_error {
  using std::runtime_error::runtime_error;
};

const json& field(const json& j, const char* key) {
  const auto it = j.find(key);
  if (it == j.end()) throw Bad(std::string(key) + " is missing");
  return *it;
}

long long number(const json& j, const char* key, long long lo, long long hi) {
  const json& v = field(j, key);
  if (!v.is_number_integer()) throw Bad(std::string(key) + " is not a whole number");
  const long long n = v.get<long long>();
  if (n < lo || n > hi) throw Bad(std::string(key) + " " + std::to_string(n) + " is out of range");
  return n;
}

void tile(const json& j, const char* key, bool empty_ok = false) {
  const long long n = number(j, key, -kScore, kScore);
  if (!is_tile(int(n)) && !(empty_ok && n == kEmpty))
    throw Bad(std::string(key) + " " + std::to_string(n) + " is not a tile code");
}

void hand(const json& j, const char* key) {
  const json& v = field(j, key);
  if (!v.is_array() || v.size() != 14) throw Bad(std::string(key) + " is not a list of 14 slots");
  for (const json& x : v) {
    if (!x.is_number_integer() || !(is_tile(x.get<int>()) || x.get<int>() == kEmpty))
      throw Bad(std::string(key) + " holds something that is not a tile code");
  }
}

void counts(const json& j, const char* key, std::size_t n, long long lo, long long hi) {
  const json& v = field(j, key);
  if (!v.is_array() || v.size() != n) throw Bad(std::string(key) + " is not a list of " + std::to_string(n));
  for (const json& x : v)
    if (!x.is_number_integer() || x.get<long long>() < lo || x.get<long long>() > hi)
      throw Bad(std::string(key) + " holds a value out of range");
}

void one_of(const json& j, const char* key, std::initializer_list<const char*> names) {
  const json& v = field(j, key);
  if (v.is_string())
    for (const char* n : names)
      if (v == n) return;
  throw Bad(std::string(key) + " is not one of the known kinds");
}

void check_header(const json& j) {
  const long long version = number(j, "version", 1, 1'000'000);
  if (version > kRecordVersion)
    throw Bad("version " + std::to_string(version) + " is newer than this program reads");
  if (!field(j, "start").is_string()) throw Bad("start is not a text");
  number(j, "mode", 0, 7);
  number(j, "lan", 0, 1);
  number(j, "host", 0, 1);
  counts(j, "settei", 25, -32768, 32767);
  counts(j, "shikou", 8, -32768, 32767);
  number(j, "score", -kScore, kScore);
}

void check_fields(const std::string& ev, const json& j);

// Checks one line after the header; its kind is returned.
std::string check_event(const json& j) {
  const json& evv = field(j, "ev");
  if (!evv.is_string()) throw Bad("ev is not a text");
  const std::string ev = evv.get<std::string>();
  if (ev == "game") throw Bad("a second game line");
  try {
    check_fields(ev, j);
  } catch (const Bad& e) {
    throw Bad(ev + ": " + e.what());
  }
  return ev;
}

void check_fields(const std::string& ev, const json& j) {
  auto side = [&] { number(j, "side", 1, 2); };
  if (ev == "hand") {
    number(j, "no", 0, 500);
    number(j, "kyoku", 0, 99);
    number(j, "oya", 1, 2);
    number(j, "honba", 0, 9999);
    number(j, "riichi_sticks", 0, 9999);
    counts(j, "event_sticks", 5, -99, 99);
    number(j, "score", -kScore, kScore);
    tile(j, "dora");
    tile(j, "ura");
    tile(j, "kan_dora");
    hand(j, "man");
    hand(j, "com");
  } else if (ev == "draw" || ev == "discard") {
    side();
    tile(j, "tile");
  } else if (ev == "riichi") {
    side();
    number(j, "score", -kScore, kScore);
  } else if (ev == "call") {
    side();
    one_of(j, "kind", {"chi", "pon", "kan"});
    tile(j, "tile");
    if (j["kind"] == "chi") {
      tile(j, "meld");
      const int d = j["tile"].get<int>() - j["meld"].get<int>();
      if (j["tile"].get<int>() >= 30 || d < 0 || d > 2 || j["meld"].get<int>() % 10 > 7)
        throw Bad("a chi's run does not hold its tile");
    }
  } else if (ev == "kan") {
    side();
    one_of(j, "kind", {"closed", "added"});
    tile(j, "tile");
  } else if (ev == "indicator") {
    one_of(j, "kind", {"ura", "kan"});
    tile(j, "tile");
  } else if (ev == "stick") {
    const long long k = number(j, "stick", 0, 4);
    if (k == 0) tile(j, "dora");
    if (k == 1) tile(j, "tile");
    if (k == 2) hand(j, "man");
    if (k == 3) number(j, "double", 1, 2);
  } else if (ev == "win") {
    side();
    tile(j, "tile");
    one_of(j, "kind", {"tsumo", "ron"});
    const json& y = field(j, "yaku");
    if (!y.is_array()) throw Bad("yaku is not a list");
    for (const json& p : y)
      if (!p.is_array() || p.size() != 2 || !p[0].is_number_integer() || !p[1].is_number_integer() ||
          p[0].get<long long>() < 0 || p[0].get<long long>() >= 51 || p[1].get<long long>() < 0 ||
          p[1].get<long long>() > 999)
        throw Bad("yaku holds something that is not a code and its han");
    number(j, "han", 0, 9999);
    const json& fu = field(j, "fu");
    if (!fu.is_null()) number(j, "fu", 0, 999);
    number(j, "points", -kScore, kScore);
    number(j, "score", -kScore, kScore);
    const json& s = field(j, "state");
    if (!s.is_object()) throw Bad("state is not an object");
    for (const char* k : {"rinshan", "man_riichi", "com_riichi", "man_daburi", "com_daburi", "man_junme",
                          "com_junme", "double", "honba"})
      number(s, k, -32768, 32767);
    counts(s, "event_sticks", 5, -99, 99);
  } else if (ev == "ryukyoku") {
    counts(j, "tenpai", 2, 0, 1);
    number(j, "payment", -15, 15);
    number(j, "score", -kScore, kScore);
  } else if (ev == "end") {
    number(j, "score", -kScore, kScore);
    number(j, "hands", 0, 100000);
  } else {
    throw Bad("unknown event");
  }
}

}  // namespace

GameRecord parse_record(const std::string& text) {
  GameRecord rec;
  std::size_t pos = 0;
  int line_no = 0;
  bool have_header = false, in_hand = false;
  while (pos < text.size()) {
    const std::size_t nl = text.find('\n', pos);
    const bool torn = nl == std::string::npos;
    std::string line = text.substr(pos, torn ? std::string::npos : nl - pos);
    pos = torn ? text.size() : nl + 1;
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    json j;
    try {
      j = json::parse(line);
    } catch (const json::exception&) {
      // The line a crash cut off is the last and has no end: it is not an error.
      if (torn) break;
      rec.error = "line " + std::to_string(line_no) + ": not a JSON object";
      rec.error_line = line_no;
      return rec;
    }
    try {
      if (!j.is_object()) throw Bad("not a JSON object");
      if (rec.finished) throw Bad("a line after the game's end");
      if (!have_header) {
        if (!j.contains("ev") || j["ev"] != "game") throw Bad("a record starts with its game line");
        check_header(j);
        rec.header = j;
        have_header = true;
        continue;
      }
      const std::string ev = check_event(j);
      if (ev == "hand") in_hand = true;
      else if (ev != "end" && !in_hand) throw Bad(ev + " before the first hand");
      if (ev == "end") rec.finished = true;
      rec.events.push_back({line_no, ev, std::move(j)});
    } catch (const std::exception& e) {
      rec.error = "line " + std::to_string(line_no) + ": " + e.what();
      rec.error_line = line_no;
      return rec;
    }
  }
  if (!have_header && rec.error.empty()) {
    rec.error = "line 1: a record starts with its game line";
    rec.error_line = 1;
  }
  return rec;
}

std::optional<GameRecord> load_record(const std::string& path) {
  const auto text = read_file(path, 64u << 20);
  if (!text) return std::nullopt;
  return parse_record(*text);
}

namespace {

struct Side {
  std::array<Tile, 16>& hand;
  std::array<Tile, 6>& naki_hai;
  std::array<std::int16_t, 6>& naki_kind;
  std::int16_t& naki_cnt;
  std::array<Tile, 22>& sute;
  std::int16_t& junme;
  std::int16_t& rechi;
  std::int16_t& daburi;
  std::array<bool, 22>& called;
};

Side side_of(ReplayStep& s, int side) {
  Table& t = s.t;
  if (side == kMan)
    return {t.man_hai, t.man_naki_hai, t.man_naki_kind, t.man_naki_cnt, t.man_sute, t.man_junme, t.man_rechi,
            t.man_daburi, s.man_called};
  return {t.com_hai, t.com_naki_hai, t.com_naki_kind, t.com_naki_cnt, t.com_sute, t.com_junme, t.com_rechi,
          t.com_daburi, s.com_called};
}

void sort_hand(std::array<Tile, 16>& h) { std::sort(h.begin() + 1, h.begin() + 15); }

void load_hand(std::array<Tile, 16>& h, const json& v) {
  for (int i = 1; i <= 14; ++i) h[std::size_t(i)] = v[std::size_t(i - 1)].get<Tile>();
}

// Takes n copies of tile out of the hand; false when it holds fewer.
bool take(std::array<Tile, 16>& h, Tile tile, int n) {
  if (std::count(h.begin() + 1, h.begin() + 15, tile) < n) return false;
  for (int i = 14; i >= 1 && n > 0; --i)
    if (h[std::size_t(i)] == tile) h[std::size_t(i)] = kEmpty, --n;
  return true;
}

void add_meld(Side& s, Tile tile, int kind) {
  if (s.naki_cnt < 1 || s.naki_cnt > 4) throw Bad("a fifth meld");
  s.naki_hai[std::size_t(s.naki_cnt)] = tile;
  s.naki_kind[std::size_t(s.naki_cnt)] = std::int16_t(kind);
  ++s.naki_cnt;
}

void apply(ReplayStep& st, const RecordLine& line) {
  Table& t = st.t;
  const json& j = line.j;
  const std::string& ev = line.ev;
  st.settled = false;
  if (ev == "hand") {
    const std::int16_t lan = t.lan_mode;
    t = Table{};
    t.lan_mode = lan;
    t.game_no = j["no"].get<std::int16_t>();
    t.kyoku = j["kyoku"].get<std::int16_t>();
    t.oya = j["oya"].get<std::int16_t>();
    t.honba = j["honba"].get<std::int16_t>();
    t.rechi_bou = j["riichi_sticks"].get<std::int16_t>();
    for (std::size_t i = 0; i < 5; ++i) t.ivent_bou[i] = j["event_sticks"][i].get<std::int16_t>();
    t.man_ten = j["score"].get<std::int32_t>();
    t.dora = j["dora"].get<Tile>();
    t.ura_dora = j["ura"].get<Tile>();
    t.kan_dora = j["kan_dora"].get<Tile>();
    load_hand(t.man_hai, j["man"]);
    load_hand(t.com_hai, j["com"]);
    st.man_called.fill(false);
    st.com_called.fill(false);
    st.ura_open = st.kan_open = false;
    ++st.hand;
    return;
  }
  const int who = j.contains("side") ? j["side"].get<int>() : 0;
  if (ev == "draw") {
    Side s = side_of(st, who);
    s.hand[14] = j["tile"].get<Tile>();
  } else if (ev == "discard") {
    Side s = side_of(st, who);
    const Tile tile = j["tile"].get<Tile>();
    if (!take(s.hand, tile, 1)) throw Bad("discards a tile its hand does not hold");
    if (s.junme > 20) throw Bad("a 21st discard");
    s.sute[std::size_t(s.junme)] = tile;
    ++s.junme;
    if (s.rechi != 0) ++s.rechi;
    sort_hand(s.hand);
  } else if (ev == "riichi") {
    Side s = side_of(st, who);
    s.rechi = 1;
    s.daburi = s.junme == 1 ? 1 : 0;
    ++t.rechi_bou;
    t.man_ten = j["score"].get<std::int32_t>();
  } else if (ev == "call") {
    Side s = side_of(st, who), o = side_of(st, 3 - who);
    const Tile tile = j["tile"].get<Tile>();
    if (o.junme <= 1 || o.sute[std::size_t(o.junme - 1)] != tile) throw Bad("calls a tile that was not just discarded");
    const std::string kind = j["kind"];
    bool ok;
    if (kind == "chi") {
      const Tile low = j["meld"].get<Tile>();
      ok = true;
      for (Tile x = low; x < low + 3; ++x) ok = ok && (x == tile || take(s.hand, x, 1));
      if (ok) add_meld(s, low, 1);
    } else {
      ok = take(s.hand, tile, kind == "pon" ? 2 : 3);
      if (ok) add_meld(s, tile, kind == "pon" ? 2 : 3);
    }
    if (!ok) throw Bad("calls with tiles its hand does not hold");
    o.called[std::size_t(o.junme - 1)] = true;
    if (o.rechi != 0) ++o.rechi;
    sort_hand(s.hand);
  } else if (ev == "kan") {
    Side s = side_of(st, who);
    const Tile tile = j["tile"].get<Tile>();
    if (j["kind"] == "closed") {
      if (!take(s.hand, tile, 4)) throw Bad("a closed kan of tiles its hand does not hold");
      add_meld(s, tile, 4);
    } else {
      int m = 1;
      while (m < std::min<int>(s.naki_cnt, 5) && !(s.naki_hai[std::size_t(m)] == tile && s.naki_kind[std::size_t(m)] == 2))
        ++m;
      if (m >= std::min<int>(s.naki_cnt, 5) || !take(s.hand, tile, 1)) throw Bad("adds to a pon it does not have");
      s.naki_kind[std::size_t(m)] = 3;
    }
    sort_hand(s.hand);
  } else if (ev == "indicator") {
    (j["kind"] == "ura" ? st.ura_open : st.kan_open) = true;
  } else if (ev == "stick") {
    const int k = j["stick"].get<int>();
    --t.ivent_bou[std::size_t(k)];
    if (k == 0) t.dora = j["dora"].get<Tile>();
    if (k == 1) t.man_hai[14] = j["tile"].get<Tile>();
    if (k == 2) load_hand(t.man_hai, j["man"]);
    if (k == 3) t.bairitu = j["double"].get<std::int16_t>();
  } else if (ev == "win") {
    Side s = side_of(st, who);
    const Tile tile = j["tile"].get<Tile>();
    if (j["kind"] == "ron") {
      Side o = side_of(st, 3 - who);
      if (o.junme <= 1 || o.sute[std::size_t(o.junme - 1)] != tile) throw Bad("a ron on a tile that was not just discarded");
      s.hand[14] = tile;
    } else if (s.hand[14] != tile) {
      throw Bad("a tsumo on a tile that was not drawn");
    }
    t.agari_pl = std::int16_t(who);
    t.agari_hai = tile;
    t.agari_kind = std::int16_t(j["kind"] == "tsumo" ? 1 : 2);
    t.man_ten = j["score"].get<std::int32_t>();
    t.rechi_bou = 0;
    st.settled = true;
  } else if (ev == "ryukyoku") {
    t.man_ten = j["score"].get<std::int32_t>();
    st.settled = true;
  } else if (ev == "end") {
    t.man_ten = j["score"].get<std::int32_t>();
  }
}

}  // namespace

Replay replay_record(const GameRecord& rec) {
  Replay r;
  ReplayStep st;
  if (rec.header.is_object()) {
    st.t.man_ten = rec.header.value("score", 0);
    st.t.lan_mode = std::int16_t(rec.header.value("lan", 0));
    st.t.game_mode = std::int16_t(rec.header.value("mode", 0));
  }
  r.steps.push_back(st);
  for (std::size_t i = 0; i < rec.events.size(); ++i) {
    try {
      apply(st, rec.events[i]);
    } catch (const std::exception& e) {
      r.error = "line " + std::to_string(rec.events[i].line) + ": " + rec.events[i].ev + ": " + e.what();
      r.error_line = rec.events[i].line;
      break;
    }
    st.event = int(i);
    r.steps.push_back(st);
  }
  return r;
}

RecordSummary summarize(const GameRecord& rec) {
  RecordSummary s;
  if (rec.header.is_object()) {
    s.start = rec.header.value("start", "");
    s.mode = rec.header.value("mode", 0);
    s.lan = rec.header.value("lan", 0);
    s.score = rec.header.value("score", 0LL);
  }
  for (const RecordLine& l : rec.events) {
    if (l.ev == "hand") ++s.hands;
    if (l.j.contains("score")) s.score = l.j["score"].get<long long>();
  }
  s.damaged = !rec.error.empty();
  return s;
}

}  // namespace sekiba
