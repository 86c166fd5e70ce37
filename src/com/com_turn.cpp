#include "com/com_turn.h"

#include <algorithm>

#include "com/shikou.h"
#include "engine/game.h"
#include "engine/setup.h"
#include "engine/table_events.h"
#include "engine/waits.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "lan/lan.h"
#include "screen/draw.h"

namespace sekiba {

namespace {

bool hand_open(const Game& g) { return g.s.settei[5] == 1 && g.t.jidou == 1; }

// Lays the chosen tile on the discard row and moves the row cursor on.
void lay_discard(Game& g, Tile tile) {
  Table& t = g.t;
  sute_kesu(g, tile);
  hai_put(g, tile, t.com_sute_x, t.com_sute_y, g.s.settei[17]);
  com_rechi_mk(g);
  pasi_play(g);
  t.com_sute[std::size_t(std::clamp<int>(t.com_junme, 1, 20))] = tile;
  tell_table(g, {TableEventKind::Discard, kCom, tile});
  t.com_sute_x = std::int16_t(t.com_sute_x - 4);
  if (t.com_junme == 10) {
    t.com_sute_x = 61;
    t.com_sute_y = std::int16_t(t.com_sute_y - 7);
  }
  ++t.com_junme;
  if (t.com_rechi != 0) ++t.com_rechi;
  com_hai_sort(g);
}

}  // namespace

int com_main(Game& g) {
  Table& t = g.t;
  // A LAN match replays the remote user's turn from its messages instead of
  // thinking; the discard it reports is laid like the computer's own.
  if (t.lan_mode == 1) {
    Tile tile = kEmpty;
    bool rechi = false;
    if (const int r = lan_com_main(g, tile, rechi); r != 0) return r;
    // The pause stands for the remote user's thinking: the riichi is declared
    // with the discard that follows it. The remote side decided, so nothing is
    // tested here.
    think_wait(g);
    if (rechi) {
      com_rechi_pr(g);
      t.com_daburi = t.com_junme == 1 ? 1 : 0;
    }
    lay_discard(g, tile);
    com_ura_disp(g);
    return 0;
  }

  if (t.man_junme != 1) {
    if (t.com_rechi != 0) {
      const Tile last = t.man_sute[std::size_t(std::clamp<int>(t.man_junme - 1, 1, 20))];
      t.com_hai[14] = last;
      if (com_agari_check(g) == kAgari) {
        t.agari_hai = last;
        t.agari_pl = 2;
        t.agari_kind = 2;
        return 1;
      }
    }
    com_tumo(g);
  }
  if (com_agari_check(g) == kAgari) {
    t.agari_hai = t.com_hai[14];
    t.agari_pl = 2;
    t.agari_kind = 1;
    return 2;
  }
  // In riichi the decomposition chosen before the declaration stays.
  if (t.com_rechi == 0) {
    com_work_set(g);
    com_bunkai_kime(g);
  }
  Tile tile = com_man_shikou_sub(g, g.a.bunkai_no);
  // A riichi hand never changes, whatever an aim switched on since would throw.
  if (t.com_rechi != 0) tile = t.com_hai[14];
  // The hint and automatic play evaluate the user's hand through the same flag;
  // the last-discard check needs the computer's own.
  g.com.com_tenpai_flg = g.com.tenpai_flg;
  think_wait(g);
  if (tile == kEmpty) {
    // The complete-hand test above tries this decomposition too, so this is
    // never reached; should it be, the win is recorded like any tsumo.
    t.agari_hai = t.com_hai[14];
    t.agari_pl = 2;
    t.agari_kind = 1;
    return 2;
  }
  if (com_furi_check(g, tile) == 0) {
    if (g.s.shikou_rechi == 0) com_rechi_check(g);
    else if (rnd_n(g, 3) == 1) com_rechi_check(g);
  }
  lay_discard(g, tile);
  if (hand_open(g)) com_disp(g);
  else com_ura_disp(g);
  return 0;
}

void com_tumo(Game& g) {
  const Tile tile = hai_rnd(g);
  g.t.com_hai[14] = tile;
  if (hand_open(g)) hai_put(g, tile, 9, 0, g.s.settei[17]);
  else ura_put(g, 9, 0, g.s.settei[17]);
  pasi_play(g);
  tell_table(g, {TableEventKind::Draw, kCom, tile});
}

void com_rechi_check(Game& g) {
  Table& t = g.t;
  if (g.com.tenpai_flg != 1 || t.com_rechi != 0 || t.com_junme > 18) return;
  t.com_rechi = 1;
  com_rechi_pr(g);
  t.com_daburi = t.com_junme == 1 ? 1 : 0;
}

void com_rechi_pr(Game& g) {
  Table& t = g.t;
  font_sub(g, 42, 20, 10);
  wave_play(g, "\\sekiba_wave_rechi");
  t.com_rechi = 1;
  ++t.rechi_bou;
  add_score(t, 10);
  pr_score(g);
  tell_table(g, {TableEventKind::Riichi, kCom});
}

void com_rechi_mk(Game& g) {
  const Table& t = g.t;
  if (t.com_rechi != 1) return;
  font_moji(g, t.com_sute_x, t.com_sute_y + (g.s.settei[17] == 1 ? 5 : 1), 1);
}

void sute_kesu(Game& g, Tile tile) {
  Table& t = g.t;
  int slot = 0;
  if (t.com_rechi == 0) {
    for (int i = 1; i <= 14 && slot == 0; ++i)
      if (t.com_hai[std::size_t(i)] == tile) slot = i;
  } else {
    for (int i = 14; i >= 1 && slot == 0; --i)
      if (t.com_hai[std::size_t(i)] == tile) slot = i;
  }
  if (slot == 0) return;
  t.com_hai[std::size_t(slot)] = kEmpty;
  const int column = t.lan_mode == 1 ? 9 + 12 * (t.com_naki_cnt - 1) : 65 - 4 * slot;
  hai_put(g, kEmpty, column, 0, g.s.settei[17]);
}

void com_sute_ichi_kesu(Game& g, int kind) {
  const Table& t = g.t;
  if (t.com_junme <= 1) return;
  naki_mark(g, com_sute_place(std::min<int>(t.com_junme - 1, 20)), kind);
}

int com_furi_check(Game& g, Tile tile) {
  if (g.com.tenpai_flg == 0) return 0;
  Table& t = g.t;
  const auto before = t.com_hai;
  for (int i = 1; i <= 14; ++i) {
    if (t.com_hai[std::size_t(i)] != tile) continue;
    t.com_hai[std::size_t(i)] = kEmpty;
    break;
  }
  com_hai_sort(g);
  const auto thrown = t.com_hai;
  int answer = 0;
  for (int i = 1; i <= std::min<int>(t.com_junme - 1, 20) && answer == 0; ++i) {
    t.com_hai = thrown;
    t.com_hai[14] = t.com_sute[std::size_t(i)];
    if (com_agari_check(g) == kAgari) answer = kAgari;
  }
  t.com_hai = before;
  return answer;
}

}  // namespace sekiba
