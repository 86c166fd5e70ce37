// The game protocol: the host's deal, the watcher's replay of the remote turn,
// the loser's side of a win, and the exchanges at the end of a hand and game.
#include <algorithm>
#include <optional>
#include <vector>

#include "com/com_turn.h"
#include "engine/game.h"
#include "engine/settlement.h"
#include "engine/table_events.h"
#include "engine/waits.h"
#include "eval/hand.h"
#include "eval/yaku.h"
#include "lan/lan.h"
#include "lan/lan_wire.h"
#include "man/input.h"
#include "screen/draw.h"

namespace sekiba {

namespace {

bool last2_tile(const std::string& m) {
  const auto v = lan::value_last2(m);
  return v && lan::tile_code(*v);
}

Tile last2(const std::string& m) { return Tile(*lan::value_last2(m)); }

void count_tile(Game& g, int code) {
  if (code >= 0 && code < int(g.t.hai_cnt.size())) ++g.t.hai_cnt[std::size_t(code)];
}

std::string hand_fields(const std::array<Tile, 16>& hand) {
  std::string s;
  for (int i = 1; i <= 14; ++i) s += lan::field2(hand[std::size_t(i)]);
  return s;
}

bool hand_message(const std::string& m) {
  for (int i = 1; i <= 14; ++i) {
    const auto v = lan::value_at(m, std::size_t(2 * i + 13), 2);
    if (!v || !lan::hand_code(*v)) return false;
  }
  return true;
}

void receive_hand(Game& g, const char* keyword, std::array<Tile, 16>& hand) {
  // A deal that makes a fifth copy of a code is taken as it comes: refusing it
  // would leave the host waiting, and a count above four only keeps the code
  // out of this copy's draws.
  const std::string m = keyword_wait(g, keyword, hand_message);
  for (int i = 1; i <= 14; ++i) {
    const Tile c = Tile(*lan::value_at(m, std::size_t(2 * i + 13), 2));
    hand[std::size_t(i)] = c;
    count_tile(g, c);
  }
  send_ok(g);
}

int s17(const Game& g) { return g.s.settei[17]; }

// The remote user's drawn tile, face down at the draw place.
void lan_draw(Game& g, Tile tile) {
  Table& t = g.t;
  t.com_hai[14] = tile;
  count_tile(g, tile);
  ura_put(g, 12 * (t.com_naki_cnt - 1) + 9, 0, s17(g));
  pasi_play(g);
  tell_table(g, {TableEventKind::Draw, kCom, tile});
}

// Sets the first `count` copies of `tile` among slots 1..last to 38.
void take_copies(Game& g, int tile, int count, int last) {
  for (int i = 1; i <= last && count > 0; ++i) {
    if (g.t.com_hai[std::size_t(i)] != tile) continue;
    g.t.com_hai[std::size_t(i)] = kEmpty;
    --count;
  }
}

void add_meld(Game& g, int tile, int kind) {
  Table& t = g.t;
  // A fifth meld cannot happen in a real hand; a confused partner must not
  // write past the four places.
  if (t.com_naki_cnt < 1 || t.com_naki_cnt > 4) return;
  t.com_naki_hai[std::size_t(t.com_naki_cnt)] = Tile(tile);
  t.com_naki_kind[std::size_t(t.com_naki_cnt)] = std::int16_t(kind);
  ++t.com_naki_cnt;
}

// A call on the local user's discard ends the local user's one-turn riichi
// bonus, as the partner's own table records on its side.
void call_ends_ippatsu(Game& g) {
  if (g.t.man_rechi != 0) ++g.t.man_rechi;
}

void finish_call(Game& g, const char* sound) {
  Table& t = g.t;
  com_hai_sort(g);
  // The row shrinks by three for each meld: the places it gives up would
  // otherwise keep their face-down tiles and the hand would look bigger.
  const int shown = 13 - 3 * (std::clamp<int>(t.com_naki_cnt, 1, 5) - 1);
  for (int i = std::max(shown + 1, 1); i <= 13; ++i) hai_put(g, kEmpty, 65 - 4 * i, 0, 0);
  com_ura_disp(g);
  lan_pr_naki_hai(g);
  wave_play(g, sound);
}

}  // namespace

// ---- hand setup ----

void lan_set_dora(Game& g) {
  Table& t = g.t;
  if (t.lan_host == 1) {
    lan_send_ack(g, lan::with_number("dora ", t.dora));
    lan_send_ack(g, lan::with_number("ura_dora ", t.ura_dora));
    lan_send_ack(g, lan::with_number("kan_dora ", t.kan_dora));
    return;
  }
  // The first hand's indicators follow the host user's key at the dice.
  const LanState::UserWait user(g.lan);
  for (auto [keyword, slot] : {std::pair{"dora", &t.dora}, std::pair{"ura_dora", &t.ura_dora},
                               std::pair{"kan_dora", &t.kan_dora}}) {
    *slot = last2(keyword_wait(g, keyword, last2_tile));
    count_tile(g, *slot);
    send_ok(g);
  }
}

void lan_haipai_send(Game& g) {
  Table& t = g.t;
  if (g.lan.after_deal) g.lan.after_deal(g);
  const bool host_deals = t.oya == 1;
  lan_send_ack(g, (host_deals ? "com_haipai_nan " : "com_haipai_ton ") + hand_fields(t.com_hai));
  lan_send_ack(g, (host_deals ? "man_haipai_ton " : "man_haipai_nan ") + hand_fields(t.man_hai));
}

void lan_haipai_receive(Game& g) {
  Table& t = g.t;
  const bool guest_deals = t.oya == 1;
  receive_hand(g, guest_deals ? "com_haipai_ton" : "com_haipai_nan", t.man_hai);
  receive_hand(g, guest_deals ? "man_haipai_nan" : "man_haipai_ton", t.com_hai);
}

// ---- the watcher's turn ----

int lan_com_main(Game& g, std::int16_t& discard, bool& rechi) {
  Table& t = g.t;
  LanState& l = g.lan;
  constexpr unsigned kCalls = lan_code_bit(6) | lan_code_bit(7) | lan_code_bit(8);
  constexpr unsigned kDiscardLoop = lan_code_bit(4) | lan_code_bit(9) | lan_code_bit(10);
  if (t.man_junme != 1) {
    switch (aite_matsu(g, kCalls)) {
      case 1: {
        const Tile last = t.man_sute[std::size_t(std::clamp<int>(t.man_junme - 1, 1, 20))];
        t.com_hai[14] = last;
        t.agari_hai = last;
        t.agari_pl = 2;
        t.agari_kind = 2;
        return 1;
      }
      case 2: lan_draw(g, l.aite_hai); break;
      case 6: lan_pon_sub(g, l.aite_hai); break;
      case 7: lan_chi_sub(g, l.aite_hai, l.aite_houhou); break;
      case 8:
        lan_kan_sub(g, l.aite_hai);
        if (aite_matsu(g) == 2) lan_draw(g, l.aite_hai);
        break;
      default: break;
    }
  }
  for (;;) {
    const int c = aite_matsu(g, kDiscardLoop);
    if (c == 3) {
      t.agari_hai = t.com_hai[14];
      t.agari_pl = 2;
      t.agari_kind = 1;
      return 2;
    }
    if (c == 4) break;
    if (c == 9 || c == 10) {
      if (c == 9) lan_unkan_sub(g, l.aite_hai);
      else lan_pon_minkan_sub(g, l.aite_hai);
      if (aite_matsu(g) == 2) lan_draw(g, l.aite_hai);
    }
  }
  discard = l.aite_hai;
  g.com.tenpai_flg = 0;
  g.com.osekai_machi = 0;
  rechi = aite_matsu(g) == 5 && l.aite_hai == 1;
  return 0;
}

// ---- replaying the remote user's calls ----

void lan_pon_sub(Game& g, int hai) {
  take_copies(g, hai, 2, 13);
  add_meld(g, hai, 2);
  tell_table(g, {TableEventKind::Call, kCom, Tile(hai), 2});
  lan_sute_ichi_kesu(g, 1);
  call_ends_ippatsu(g);
  finish_call(g, "\\sekiba_wave_pon");
}

void lan_chi_sub(Game& g, int hai, int houhou) {
  int near = 0, far = 0, low = hai;
  switch (houhou) {
    case 1: near = hai + 1; far = hai + 2; break;
    case 2: near = hai - 1; far = hai + 1; low = hai - 1; break;
    case 3: far = hai - 2; near = hai - 1; low = hai - 2; break;
    default: return;
  }
  // Removed in the order the method names them.
  const int first = houhou == 3 ? far : near, second = houhou == 3 ? near : far;
  take_copies(g, first, 1, 13);
  take_copies(g, second, 1, 13);
  add_meld(g, low, 1);
  tell_table(g, {TableEventKind::Call, kCom, Tile(low), 1, houhou});
  lan_sute_ichi_kesu(g, 2);
  call_ends_ippatsu(g);
  finish_call(g, "\\sekiba_wave_chi");
}

void lan_kan_sub(Game& g, int hai) {
  take_copies(g, hai, 3, 13);
  add_meld(g, hai, 3);
  tell_table(g, {TableEventKind::Call, kCom, Tile(hai), 3});
  lan_sute_ichi_kesu(g, 3);
  call_ends_ippatsu(g);
  finish_call(g, "\\sekiba_wave_kan");
}

void lan_unkan_sub(Game& g, int hai) {
  take_copies(g, hai, 4, 14);
  add_meld(g, hai, 4);
  tell_table(g, {TableEventKind::Kan, kCom, Tile(hai), 4});
  finish_call(g, "\\sekiba_wave_ankan");
}

void lan_pon_minkan_sub(Game& g, int hai) {
  Table& t = g.t;
  take_copies(g, hai, 1, 14);
  for (int k = 1; k <= 4; ++k)
    if (t.com_naki_hai[std::size_t(k)] == hai && t.com_naki_kind[std::size_t(k)] == 2)
      t.com_naki_kind[std::size_t(k)] = 3;
  tell_table(g, {TableEventKind::Kan, kCom, Tile(hai), 3});
  finish_call(g, "\\sekiba_wave_kan");
}

void lan_sute_ichi_kesu(Game& g, int flg) {
  const Table& t = g.t;
  if (t.man_junme <= 1) return;
  const int i = std::min<int>(t.man_junme - 1, 20);
  naki_mark(g, man_sute_place(i), flg);
  g.scr.man_sute_naki[std::size_t(i)] = std::int16_t(flg);
}

void lan_pr_naki_hai(Game& g) {
  const Table& t = g.t;
  const int mode = s17(g);
  for (int k = 1; k < std::min<int>(t.com_naki_cnt, 5); ++k) {
    const int x = 1 + 12 * (k - 1);
    const int tile = t.com_naki_hai[std::size_t(k)];
    const int kind = t.com_naki_kind[std::size_t(k)];
    if (!is_tile(tile)) continue;
    int glyph = 3;
    if (kind == 1) {
      for (int j = 0; j < 3; ++j) hai_put(g, tile + j, x + 4 * j, 0, mode);
      glyph = 2;
    } else if (kind == 4) {
      ura_put(g, x, 0, mode);
      hai_put(g, tile, x + 4, 0, mode);
      ura_put(g, x + 8, 0, mode);
    } else {
      for (int j = 0; j < 3; ++j) hai_put(g, tile, x + 4 * j, 0, mode);
      if (kind == 2) glyph = 1;
    }
    font_nagai(g, x, 5, glyph);
  }
}

// ---- the loser's side of a win ----

namespace {

// Groups of four characters from the 11th: (id, value) pairs; empty on any
// group that is not well formed or out of the given ranges.
std::optional<std::vector<std::pair<int, int>>> groups(const std::string& m, int id_lo, int id_hi,
                                                       int v_lo, int v_hi) {
  if (m.size() < 10 || (m.size() - 10) % 4 != 0 || !lan::value_at(m, 8, 2)) return std::nullopt;
  std::vector<std::pair<int, int>> out;
  for (std::size_t p = 10; p + 4 <= m.size(); p += 4) {
    const auto id = lan::value_at(m, p, 2), v = lan::value_at(m, p + 2, 2);
    if (!id || !v || *id < id_lo || *id > id_hi || *v < v_lo || *v > v_hi) return std::nullopt;
    out.emplace_back(int(*id), int(*v));
  }
  return out;
}

}  // namespace

int yakuman_hantei_lan(Game& g) {
  const std::string m = keyword_wait(g, "yakuman", [](const std::string& s) {
    return groups(s, 0, 15, 1, 2).has_value();
  });
  int total = 0;
  const auto found = groups(m, 0, 15, 1, 2);
  // What the partner's judgement found stands as this copy's last judgement.
  g.yaku.found.clear();
  for (auto [id, mult] : *found) {
    total += 13 * mult;
    g.yaku.found.push_back({std::int16_t(id), std::int16_t(13 * mult)});
    std::int16_t image = std::int16_t(id), code = std::int16_t(id);
    yaku_mei(g, image, code);
    yakuman_sub(g, id);
  }
  send_ok(g);
  g.yaku.han_total = std::int16_t(total);
  return total;
}

int yaku_hantei_lan(Game& g) {
  const std::string m = keyword_wait(g, "yakusuu", [](const std::string& s) {
    return groups(s, 20, 50, 1, 99).has_value();
  });
  int total = 0;
  const auto found = groups(m, 20, 50, 1, 99);
  g.yaku.found.clear();
  for (auto [id, han] : *found) {
    total += han;
    g.yaku.found.push_back({std::int16_t(id), std::int16_t(han)});
    std::int16_t image = std::int16_t(id - 4), code = std::int16_t(id);
    yaku_mei(g, image, code);
    if (id == 48) pr_han_2(g, std::int16_t(han));
    else pr_han(g, std::int16_t(han));
    yakumei_out(g, code);
  }
  send_ok(g);
  g.yaku.han_total = std::int16_t(total);
  return total;
}

int lan_score_input(Game& g, int han) {
  Table& t = g.t;
  const std::string m = keyword_wait(g, han <= 4 ? "man_sc" : "man_sd", [](const std::string& s) {
    const auto v = s.size() > 7 ? lan::value_of(std::string_view(s).substr(7)) : std::nullopt;
    // Far beyond any hand's value, and small enough that no sum overflows.
    return v && *v >= 0 && *v <= 1000000;
  });
  const long long points = *lan::value_of(std::string_view(m).substr(7)) * t.bairitu;
  send_ok(g);
  gbox_r(g, 44, 27, 62, 38, 7, 0, 1);
  if (t.bairitu == 2) font_hanh(g, 2, 50, 32);
  pr_yobina(g, han);
  pr_dai_suji(g, points, 45, 35, 1);
  if (han > 3) t.ivent_bou[3] = t.ivent_bou[4] = 0;
  add_score(t, -points);
  pr_score(g);
  return int(-points);
}

void yaku_main_lan(Game& g) {
  Table& t = g.t;
  tell_agari(g);
  waku_pr(g);
  int han = yakuman_hantei_lan(g);
  if (han == 0) han = yaku_hantei_lan(g);
  int points;
  if (han != 0) {
    points = lan_score_input(g, han);
    bou_toku(g);
  } else {
    points = chonbo(g);
  }
  tell_table(g, {TableEventKind::Settled, t.agari_pl, t.agari_hai, t.agari_kind, points});
}

// ---- end of hand and game ----

int lan_nagare_exchange(Game& g, int man_tenpai) {
  lan_send(g, lan::with_number("man_ten ", man_tenpai));
  const std::string m = keyword_wait(g, "man_ten", [](const std::string& s) {
    const auto v = lan::value_last2(s);
    return s.rfind("man_tensu", 0) != 0 && v && (*v == 0 || *v == 1);
  });
  const int com_tenpai = int(*lan::value_last2(m));
  if (com_tenpai == 1) {
    font_ron(g, 2, 9, 9);
    com_disp(g);
    wave_play(g, "\\sekiba_wave_tenpai");
  }
  send_ok(g);
  check_ok(g);
  return com_tenpai;
}

void lan_key_machi(Game& g) {
  if (g.lan.on_key_machi) g.lan.on_key_machi(g);
  // Both copies wait on a user here: the host's, and at the end of a game the
  // other's name entry.
  const LanState::UserWait user(g.lan);
  if (g.t.lan_host == 1) {
    key_input(g, 0);
    send_ok(g);
    check_ok(g);
  } else {
    check_ok(g);
    send_ok(g);
  }
}

long long lan_tensu_exchange(Game& g) {
  lan_send(g, lan::with_number("man_tensu ", g.t.man_ten));
  const std::string m = keyword_wait(g, "man_tensu", [](const std::string& s) {
    const auto v = s.size() > 9 ? lan::value_of(std::string_view(s).substr(9)) : std::nullopt;
    // Far beyond any game's score.
    return v && *v >= -10000000 && *v <= 10000000;
  });
  send_ok(g);
  check_ok(g);
  return *lan::value_of(std::string_view(m).substr(9));
}

int lan_haitei_receive(Game& g) {
  const std::string m = keyword_wait(g, "man_haitei", [](const std::string& s) {
    return s.size() > 10 && (s.back() == '0' || s.back() == '1');
  });
  send_ok(g);
  return m.back() == '1' ? 1 : 0;
}

void lan_haitei_send(Game& g, int result) {
  lan_send_ack(g, lan::with_number("man_haitei ", result));
}

}  // namespace sekiba
