// The user's melds: pon, chi and open kan on the opponent's discard, closed and
// added kans in the discard phase.
#include <algorithm>
#include <vector>

#include "com/com_turn.h"
#include "engine/game.h"
#include "engine/settlement.h"
#include "engine/table_events.h"
#include "engine/waits.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "lan/lan.h"
#include "man/man.h"
#include "screen/draw.h"

namespace sekiba {

namespace {

bool same_suit(Tile a, Tile b) { return is_tile(a) && is_tile(b) && a / 10 == b / 10 && a < 31; }

int copies_in_hand(const Game& g, Tile tile, int last_slot) {
  int n = 0;
  for (int i = 1; i <= last_slot; ++i) n += g.t.man_hai[std::size_t(i)] == tile ? 1 : 0;
  return n;
}

// The tile d steps from `tile` in its own suit is in slots 1..13.
bool suited_in_hand(const Game& g, Tile tile, int d) {
  const Tile x = Tile(tile + d);
  return same_suit(x, tile) && copies_in_hand(g, x, 13) > 0;
}

int first_slot(const Game& g, Tile tile, int first, int last) {
  for (int i = first; i <= last; ++i)
    if (g.t.man_hai[std::size_t(i)] == tile) return i;
  return 0;
}

// Clears the first `count` copies within slots 1..last_slot.
void remove_copies(Game& g, Tile tile, int count, int last_slot) {
  for (int i = 1; i <= last_slot && count > 0; ++i) {
    if (g.t.man_hai[std::size_t(i)] != tile) continue;
    g.t.man_hai[std::size_t(i)] = kEmpty;
    --count;
  }
}

void add_meld(Game& g, Tile tile, int kind) {
  Table& t = g.t;
  // Thirteen tiles hold at most four melds; a fifth has no slot to go to.
  if (t.man_naki_cnt < 1 || t.man_naki_cnt > 4) return;
  t.man_naki_hai[std::size_t(t.man_naki_cnt)] = tile;
  t.man_naki_kind[std::size_t(t.man_naki_cnt)] = std::int16_t(kind);
  ++t.man_naki_cnt;
}

void redraw_hand_and_melds(Game& g) {
  man_hai_sort(g);
  man_disp(g);
  dora_asist_pr(g);
  pr_naki_hai(g);
}

// The candidate choice shared by the run, closed-kan and added-kan choices: a
// slot whose tile `accept` takes ends it; there is no way back.
template <typename Accept>
int choose_slot(Game& g, bool sticks, Accept accept) {
  ManState& m = g.man;
  struct Choosing {
    ManState& m;
    explicit Choosing(ManState& state) : m(state) { m.naki_sel = 1; }
    ~Choosing() { m.naki_sel = 0; }
  } choosing(m);
  sousa_window(g, 0, 3);
  int p = kasol_idou(g, 13, 0);
  sute_kasol(g, p);
  for (;;) {
    int c = key_input(g, 1);
    if (c == kKeyLeft || c == kKeyRight) {
      p = kasol_idou(g, p, c == kKeyLeft ? -1 : 1);
      sute_kasol(g, p);
    } else if (c == kClick) {
      if (m.mouse_area == 1) {
        p = std::clamp<int>(m.mouse_item - 1, 0, 13);
        sute_kasol(g, p);
        c = kKeyEnter;
      } else if (m.mouse_area == 2) {
        sousa_window(g, 0, 3);
        c = kKeyEnter;
      } else if (m.mouse_area == 3) {
        c = 80 + m.mouse_item;
      }
    }
    if (c == kKeyEnter) c = p + 1;
    if (c >= 1 && c <= 14) {
      if (int r = accept(g.t.man_hai[std::size_t(c)]); r != 0) return r;
    } else if (c >= 80 && c <= 84 && sticks) {
      ivent_stick_command(g, c - 80);
    }
  }
}

// The replacement tile after any kan of the discard phase.
void replacement_draw(Game& g) {
  kan_dora_pr(g);
  man_tumo(g);
  if (g.t.lan_mode == 1) lan_send_tumo(g, g.t.man_hai[14]);
  g.yaku.rinshan_flag = 1;
}

void finish_added_kan(Game& g, Tile tile) {
  redraw_hand_and_melds(g);
  wave_play(g, "\\sekiba_wave_kan");
  if (g.t.lan_mode == 1) lan_send_pkn(g, tile);
  replacement_draw(g);
}

}  // namespace

void pr_chi_mk(Game& g, int slot) { font_moji(g, 4 * slot - 1, 44, 5); }

void man_pon_hai_kesu(Game& g, Tile tile) { remove_copies(g, tile, 2, 13); }
void man_kan_hai_kesu(Game& g, Tile tile) { remove_copies(g, tile, 3, 13); }
void man_unkan_hai_kesu(Game& g, Tile tile) { remove_copies(g, tile, 4, 14); }

void man_chi_hai_kesu(Game& g, Tile tile, int method) {
  Tile a = 0, b = 0;
  if (method == 1) a = Tile(tile + 1), b = Tile(tile + 2);
  else if (method == 2) a = Tile(tile - 1), b = Tile(tile + 1);
  else a = Tile(tile - 2), b = Tile(tile - 1);
  auto& h = g.t.man_hai;
  int i = 1;
  while (i <= 13 && !(h[std::size_t(i)] == a && same_suit(a, tile))) ++i;
  if (i > 13) return;
  h[std::size_t(i)] = kEmpty;
  for (int j = i + 1; j <= 13; ++j) {
    if (h[std::size_t(j)] == b && same_suit(b, tile)) {
      h[std::size_t(j)] = kEmpty;
      return;
    }
  }
}

void pon_hai_move(Game& g, Tile tile) {
  add_meld(g, tile, 2);
  tell_table(g, {TableEventKind::Call, kMan, tile, 2});
  com_sute_ichi_kesu(g, 1);
}

void chi_hai_move(Game& g, Tile tile, int method) {
  const Tile low = Tile(method == 1 ? tile : method == 2 ? tile - 1 : tile - 2);
  add_meld(g, low, 1);
  tell_table(g, {TableEventKind::Call, kMan, low, 1, method});
  com_sute_ichi_kesu(g, 2);
}

void kan_hai_move(Game& g, Tile tile) {
  add_meld(g, tile, 3);
  tell_table(g, {TableEventKind::Call, kMan, tile, 3});
  com_sute_ichi_kesu(g, 3);
}

void unkan_hai_move(Game& g, Tile tile) {
  add_meld(g, tile, 4);
  tell_table(g, {TableEventKind::Kan, kMan, tile, 4});
}

bool pon_possible(const Game& g, Tile tile) { return is_tile(tile) && copies_in_hand(g, tile, 13) >= 2; }

bool kan_possible(const Game& g, Tile tile) { return is_tile(tile) && copies_in_hand(g, tile, 13) == 3; }

ChiRuns chi_runs(const Game& g, Tile tile) {
  ChiRuns r;
  if (!is_tile(tile) || tile >= 31) return r;
  auto present = [&](int d) { return suited_in_hand(g, tile, d); };
  r.low = present(1) && present(2);
  r.middle = present(-1) && present(1);
  r.high = present(-2) && present(-1);
  return r;
}

int man_pon(Game& g, Tile tile) {
  if (!pon_possible(g, tile)) return 0;
  man_pon_hai_kesu(g, tile);
  pon_hai_move(g, tile);
  redraw_hand_and_melds(g);
  wave_play(g, "\\sekiba_wave_pon");
  return 1;
}

int man_chi(Game& g, Tile tile) {
  const ChiRuns runs = chi_runs(g, tile);
  const bool m1 = runs.low, m2 = runs.middle, m3 = runs.high;
  const int possible = int(m1) + int(m2) + int(m3);
  if (possible == 0) return 0;
  auto present = [&](int d) { return suited_in_hand(g, tile, d); };
  int method;
  if (possible == 1) {
    method = m1 ? 1 : m2 ? 2 : 3;
  } else {
    // Several runs always include the middle one, so t - 1 and t + 1 are held
    // and every marked tile names a run that can be made.
    for (int d : {-2, -1, 2})
      if (present(d)) pr_chi_mk(g, first_slot(g, Tile(tile + d), 1, 13));
    method = man_chi_sel(g, tile);
  }
  man_chi_hai_kesu(g, tile, method);
  chi_hai_move(g, tile, method);
  g.man.chi_houhou = std::int16_t(method);
  redraw_hand_and_melds(g);
  sousa_window(g, 0, 1);
  sute_kasol(g, kasol_idou(g, 13, 0));
  wave_play(g, "\\sekiba_wave_chi");
  return 1;
}

int man_chi_sel(Game& g, Tile tile) {
  return choose_slot(g, true, [&](Tile f) {
    if (!same_suit(f, tile)) return 0;
    if (f == tile + 2) return 1;
    if (f == tile + 1 || f == tile - 1) return 2;
    if (f == tile - 2) return 3;
    return 0;
  });
}

int man_kan(Game& g, Tile tile) {
  if (!kan_possible(g, tile)) return 0;
  man_kan_hai_kesu(g, tile);
  kan_hai_move(g, tile);
  redraw_hand_and_melds(g);
  wave_play(g, "\\sekiba_wave_kan");
  return 1;
}

int man_unkan(Game& g) {
  man_work_set(g);
  work_hai_sort(g);
  const auto& w = g.a.work_hai;
  std::vector<Tile> candidates;
  for (int i = 1; i <= 11; ++i) {
    const Tile x = w[std::size_t(i)];
    // Empty slots sort together at the end; four of them are not a kan.
    if (!is_tile(x) || w[std::size_t(i + 3)] != x) continue;
    if (std::find(candidates.begin(), candidates.end(), x) == candidates.end())
      candidates.push_back(x);
  }
  if (candidates.empty()) {
    const Tile added = pon_tuke(g);
    if (added == 0) return 0;
    finish_added_kan(g, added);
    return 1;
  }
  Tile tile = candidates.front();
  if (candidates.size() > 1) {
    for (Tile c : candidates) pr_chi_mk(g, first_slot(g, c, 1, 14));
    tile = Tile(choose_slot(g, true, [&](Tile f) {
      return std::find(candidates.begin(), candidates.end(), f) != candidates.end() ? int(f) : 0;
    }));
  }
  man_unkan_hai_kesu(g, tile);
  unkan_hai_move(g, tile);
  redraw_hand_and_melds(g);
  wave_play(g, "\\sekiba_wave_ankan");
  if (g.t.lan_mode == 1) lan_send_ukn(g, tile);
  replacement_draw(g);
  return 1;
}

int man_unkan_p(Game& g) {
  man_work_set(g);
  work_hai_sort(g);
  const Tile added = pon_tuke(g);
  if (added == 0) return 0;
  finish_added_kan(g, added);
  return 1;
}

Tile pon_tuke(Game& g) {
  const Table& t = g.t;
  std::vector<Tile> candidates;
  for (int i = 1; i < std::min<int>(t.man_naki_cnt, 5); ++i) {
    const Tile x = t.man_naki_hai[std::size_t(i)];
    if (t.man_naki_kind[std::size_t(i)] == 2 && man_hai_kazu(g, x) == 1) candidates.push_back(x);
  }
  if (candidates.empty()) return 0;
  Tile tile = candidates.front();
  if (candidates.size() > 1) {
    for (Tile c : candidates) pr_chi_mk(g, first_slot(g, c, 1, 14));
    // Clicks on the hand choose too: without them a player using only the
    // mouse could never leave this choice.
    tile = Tile(choose_slot(g, false, [&](Tile f) {
      return std::find(candidates.begin(), candidates.end(), f) != candidates.end() ? int(f) : 0;
    }));
  }
  man_pon_minkan(g, tile);
  return tile;
}

void man_pon_minkan(Game& g, Tile tile) {
  Table& t = g.t;
  for (int i = 1; i <= 4; ++i)
    if (t.man_naki_hai[std::size_t(i)] == tile && t.man_naki_kind[std::size_t(i)] == 2)
      t.man_naki_kind[std::size_t(i)] = 3;
  if (int s = first_slot(g, tile, 1, 14); s != 0) t.man_hai[std::size_t(s)] = kEmpty;
  tell_table(g, {TableEventKind::Kan, kMan, tile, 3});
}

}  // namespace sekiba
