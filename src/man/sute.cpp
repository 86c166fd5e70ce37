// The discard phase of the user's turn: throwing, riichi, kans and the tsumo win.
#include <algorithm>

#include "engine/driver.h"
#include "engine/game.h"
#include "engine/settlement.h"
#include "engine/setup.h"
#include "engine/table_events.h"
#include "engine/waits.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "lan/lan.h"
#include "man/man.h"
#include "screen/draw.h"

namespace sekiba {

namespace {

constexpr int kNone = 0;  // no tile chosen yet

int s17(const Game& g) { return g.s.settei[17]; }

// Takes the tile out of its slot and clears the slot on the table.
Tile take_from_slot(Game& g, int slot) {
  Tile& cell = g.t.man_hai[std::size_t(slot)];
  const Tile tile = cell;
  cell = kEmpty;
  hai_put(g, kEmpty, 4 * slot - 1, 43, 0);
  return tile;
}

bool hand_complete(Game& g) {
  man_work_set(g);
  return man_agari_check(g) == kAgari;
}

int phase_mode(const Game& g, int inflg) {
  if (g.t.man_rechi != 0) return 5;
  if (inflg == kPon || inflg == kChi) return 6;
  if (inflg == kOpenKan) return 7;
  return 1;
}

void redraw_after_kan(Game& g, int& p) {
  sousa_window(g, 0, 1);
  p = kasol_idou(g, 13, 0);
  sute_kasol(g, p);
}

// The hand cursor from a click on the hand: slot 1..14 to position 0..13.
int cursor_of_click(const Game& g) { return std::clamp<int>(g.man.mouse_item - 1, 0, 13); }

// Discard-phase code of the highlighted item.
int item_code(const Game& g, int p) {
  const int item = g.man.sousa_cursor, mode = g.man.sousa_mode;
  switch (item) {
    case 0: return p + 1;
    case 1: return mode == 5 ? 19 : 17;
    case 2: return mode == 7 ? 19 : 18;
    case 3: return 19;
    default: return 25;
  }
}

}  // namespace

void sute_kasol(Game& g, int p) {
  for (int i = 0; i < 14; ++i) font_bar(g, 4 * i + 3, 50, 0);
  font_bar(g, 4 * std::clamp(p, 0, 13) + 3, 50, 1);
}

void rechi_jidou_check(Game& g) {
  if (g.s.settei[0] != 1 || g.t.jidou != 0 || g.t.man_rechi == 0) return;
  g.man.rechi_jidou_off = g.man.key_no == kKeySpace ? 1 : 0;
}

void man_tumo(Game& g) {
  const Tile tile = hai_rnd(g);
  g.t.man_hai[14] = tile;
  hai_put(g, tile, 55, 43, 0);
  pasi_play(g);
  tell_table(g, {TableEventKind::Draw, kMan, tile});
}

int man_ron(Game& g, Tile tile) {
  Table& t = g.t;
  if (Tile f = man_furiten_hai(g); f != 0) {
    furiten_pr(g, f);
    return 0;
  }
  t.man_hai[14] = tile;
  if (hand_complete(g)) {
    hai_put(g, tile, 55, 43, 2 * s17(g));
    man_naki_tuika(g);
    t.agari_hai = tile;
    t.agari_kind = 2;
    t.agari_pl = 1;
    return 1;
  }
  t.man_hai[14] = kEmpty;
  return 0;
}

void man_rechi_pr(Game& g) {
  Table& t = g.t;
  font_sub(g, 42, 46, 32);
  wave_play(g, "\\sekiba_wave_rechi");
  t.man_rechi = 1;
  ++t.rechi_bou;
  add_score(t, -10);
  pr_score(g);
  pr_bou(g);  // the new stick joins the others on the table at once
  tell_table(g, {TableEventKind::Riichi, kMan});
}

void man_rechi_mk(Game& g) {
  const Table& t = g.t;
  if (t.man_rechi != 1) return;
  font_moji(g, t.man_sute_x, t.man_sute_y + (s17(g) == 1 ? 5 : 1), 1);
  g.scr.man_sute_rechi = std::clamp<int>(t.man_junme, 1, 20);
}

void rechi_ng(Game& g) {
  gvram_push(g, 10, 15);
  font_ron(g, 5, 29, 21);
  wave_play(g, "\\sekiba_wave_fusoku");
  gvram_pop(g, 10, 15);
  pr_yugi(g);
}

void rechi_test(Game& g) {
  Table& t = g.t;
  if (Tile f = man_furiten_hai(g); f != 0) {
    say_refusal(g, N_("フリテンのためリーチできません"));
    furiten_pr(g, f);
    return;
  }
  if (man_tenpai_check(g) != kAgari) {
    say_refusal(g, N_("聴牌していないのでリーチできません"));
    return;
  }
  t.man_rechi = 1;
  man_rechi_pr(g);
  t.man_daburi = t.man_junme == 1 ? 1 : 0;
}

Tile man_rechi_sub(Game& g, int& p) {
  ManState& m = g.man;
  sousa_window(g, 0, 2);
  sute_kasol(g, p);
  disp_gr(g, 67, 13, g.os.tr("リーチ"), 13, 0);
  for (;;) {
    int c = key_input(g, 1);
    if (c == kKeyUp || c == kKeyDown) sousa_window(g, 1 - m.sousa_cursor, 2);
    else if (c == kKeyLeft || c == kKeyRight) {
      p = kasol_idou(g, p, c == kKeyLeft ? -1 : 1);
      sute_kasol(g, p);
    } else if (c == kClick) {
      if (m.mouse_area == 1) {
        p = cursor_of_click(g);
        sute_kasol(g, p);
        c = kKeyEnter;
      } else if (m.mouse_area == 2) {
        sousa_window(g, m.mouse_item, 2);
        c = kKeyEnter;
      } else if (m.mouse_area == 3) {
        c = 80 + m.mouse_item;
      }
    }
    if (c == kKeyEnter) c = m.sousa_cursor == 0 ? p + 1 : 18;
    if (c >= 1 && c <= 14) {
      if (g.t.man_hai[std::size_t(c)] == kEmpty) continue;
      const Tile tile = take_from_slot(g, c);
      rechi_test(g);
      return tile;
    }
    if (c == 18) {
      sousa_window(g, 2, 1);
      return kEmpty;
    }
    if (c >= 80 && c <= 84) ivent_stick_command(g, c - 80);
  }
}

int man_sute_sub(Game& g, int ichi, int inflg) {
  Table& t = g.t;
  ManState& m = g.man;
  int p = kasol_idou(g, 13, 0);
  sousa_window(g, 0, phase_mode(g, inflg));
  sute_kasol(g, p);
  rechi_jidou_check(g);

  Tile chosen = kNone;
  bool won = false;

  bool restart = true;
  while (restart && chosen == kNone && !won) {
    restart = false;
    // The choices the program makes for the user.
    if (t.jidou == 1) {
      // In riichi the drawn tile either goes or wins: a proposal that puts an
      // aim first must not throw a winning tile.
      if ((ichi == kAgari || t.man_rechi != 0) && hand_complete(g)) {
        won = true;
      } else if (ichi >= 21 && ichi <= 34 && t.man_rechi == 0) {
        chosen = take_from_slot(g, ichi - 20);
        // An open hand never declares riichi, whoever plays it.
        if (man_naki_kazu(g) == 0) rechi_test(g);
      } else {
        // A proposal the completeness test does not confirm falls back to the
        // drawn tile, so automatic play never stops to wait for a key.
        int slot = 14;
        if (t.man_rechi == 0 && ichi >= 1 && ichi <= 14) slot = ichi;
        if (t.man_hai[std::size_t(slot)] == kEmpty) slot = kasol_idou(g, 13, 0) + 1;
        jidou_pause(g);
        chosen = take_from_slot(g, slot);
      }
    } else if (g.s.settei[0] == 1 && t.lan_mode == 0 && t.man_rechi != 0 &&
               m.rechi_jidou_off == 0 && !(t.man_junme == 20 && t.ivent_bou[1] != 0)) {
      if (hand_complete(g)) {
        won = true;
      } else {
        jidou_pause(g);
        chosen = take_from_slot(g, 14);
      }
    }
    if (chosen != kNone || won) break;

    g.yaku.rinshan_flag = 0;
    while (chosen == kNone && !won) {
      int c = key_input(g, 1);
      if (c == kClick && t.jidou == 1) {
        restart = true;  // automatic play was switched on during the wait
        break;
      }
      if (c == kKeyUp || c == kKeyDown) {
        const int last = sousa_last_item(g, m.sousa_mode);
        int cur = m.sousa_cursor + (c == kKeyUp ? -1 : 1);
        if (cur < 0) cur = last;
        if (cur > last) cur = 0;
        sousa_window(g, cur, m.sousa_mode);
      } else if (c == kKeyLeft || c == kKeyRight) {
        p = kasol_idou(g, p, c == kKeyLeft ? -1 : 1);
        sute_kasol(g, p);
      } else if (c == kClick) {
        if (m.mouse_area == 1) {
          p = cursor_of_click(g);
          sute_kasol(g, p);
          c = kKeyEnter;
        } else if (m.mouse_area == 2) {
          sousa_window(g, m.mouse_item, m.sousa_mode);
          c = kKeyEnter;
        } else if (m.mouse_area == 3) {
          c = 80 + m.mouse_item;
        }
      }
      if (c == kKeyEnter) c = item_code(g, p);

      if (c == 17) {
        if (t.man_rechi == 0) {
          if (man_unkan(g) == 0) say_refusal(g, N_("カンできる牌がありません"));
          redraw_after_kan(g, p);
        } else {
          say_refusal(g, N_("リーチ中はカンできません"));
        }
      } else if (c == 18) {
        if (t.man_ten >= 10 || t.lan_mode == 1) {
          if (man_naki_kazu(g) == 0 && t.man_rechi == 0 && rechi_junme_check(g) == 1) {
            const Tile tile = man_rechi_sub(g, p);
            if (tile != kEmpty) chosen = tile;
          } else if (man_naki_kazu(g) != 0) {
            say_refusal(g, N_("鳴いた手ではリーチできません"));
          } else if (t.man_rechi == 0) {
            say_refusal(g, N_("残りの牌が少ないのでリーチできません"));
          }
        } else {
          say_refusal(g, N_("リーチには1,000点必要です"));
          rechi_ng(g);
        }
      } else if (c == 19) {
        // After a pon or chi the turn holds no win, a kan's replacement tile included.
        bool complete = false;
        if (inflg == kNoDecision || inflg == kDrew || inflg == kOpenKan) {
          if ((complete = hand_complete(g))) won = true;
          else g.yaku.rinshan_flag = 0;
        }
        if (!complete) say_refusal(g, N_("まだ上がれません"));
      } else if (c == 25) {
        if (t.man_rechi == 0 && man_unkan_p(g) != 0) {
          redraw_after_kan(g, p);
          kan_dora_pr(g);
        } else {
          say_refusal(g, N_("ﾎﾟﾝﾂﾞｹできる牌がありません"));
        }
      } else if (c >= 80 && c <= 84) {
        // The last-draw chance only makes sense on a tile just drawn.
        if (c != 81 || inflg == kDrew) ivent_stick_command(g, c - 80);
      } else if (c >= 1 && c <= 14) {
        if (t.man_rechi != 0 && c != 14) continue;
        if (t.man_hai[std::size_t(c)] != kEmpty) chosen = take_from_slot(g, c);
      }
    }
  }

  if (won) {
    man_naki_tuika(g);
    t.agari_hai = t.man_hai[14];
    t.agari_pl = 1;
    t.agari_kind = 1;
    if (inflg == kOpenKan) g.yaku.rinshan_flag = 1;
    return 1;
  }

  // Laying the discard.
  g.yaku.rinshan_flag = 0;
  hai_put(g, chosen, t.man_sute_x, t.man_sute_y, 2 * s17(g));
  man_rechi_mk(g);
  pasi_play(g);
  t.man_sute[std::size_t(std::clamp<int>(t.man_junme, 1, 20))] = chosen;
  tell_table(g, {TableEventKind::Discard, kMan, chosen});
  if (t.lan_mode == 1) lan_send_sute(g, chosen, t.man_rechi);
  t.man_sute_x = std::int16_t(t.man_sute_x + 4);
  if (t.man_junme == 10) {
    t.man_sute_x = 3;
    t.man_sute_y = std::int16_t(t.man_sute_y + 7);
  }
  ++t.man_junme;
  if (t.man_rechi != 0) ++t.man_rechi;
  man_hai_sort(g);
  man_disp(g);
  dora_asist_pr(g);
  if (g.s.settei[3] == 1 && t.man_rechi == 2 && t.lan_mode == 0) help_mode(g);
  return 0;
}

}  // namespace sekiba
