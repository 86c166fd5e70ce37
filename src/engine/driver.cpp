#include "engine/driver.h"

#include <algorithm>

#include "com/com_turn.h"
#include "com/shikou.h"
#include "engine/contine.h"
#include "engine/dice.h"
#include "engine/game.h"
#include "engine/menus.h"
#include "engine/setup.h"
#include "engine/startup.h"
#include "engine/waits.h"
#include "engine/settlement.h"
#include "engine/table_events.h"
#include "eval/bunkai.h"
#include "eval/yaku.h"
#include "eval/hand.h"
#include "lan/lan.h"
#include "man/input.h"
#include "records/chart.h"
#include "records/hiscore.h"
#include "man/man.h"
#include "screen/draw.h"

namespace sekiba {

int series_length(const Game& g) {
  const int mode = g.t.game_mode;
  return (mode >= 1 && mode <= 7) ? kSeriesLength[mode] : 0;
}

void ura_set(Game& g) {
  clock_get(g);
  g.scr.ura_no = (g.t.clock_min + g.t.clock_sec) % 8;
}

void man_next(Game& g) {
  if (g.t.oya == 2) {
    g.t.oya = 1;
    if (g.t.game_mode == 0) ++g.t.kyoku;
    g.t.honba = 1;
  } else {
    ++g.t.honba;
  }
}

void com_next(Game& g) {
  if (g.t.oya == 1) {
    g.t.oya = 2;
    if (g.t.game_mode == 0) ++g.t.kyoku;
    g.t.honba = 1;
  } else {
    ++g.t.honba;
  }
}

void pr_nagare(Game& g) { font_ron(g, 3, 29, 21); }

void title_sub2(Game& g) {
  gbox_r(g, 41, 49, 63, 52, 7, 0, 1);
  // Two parts in two colours: a language puts its own words in each part.
  disp_gr(g, 43, 50, g.os.tr_in("press", "キー"), 1, 0);
  disp_gr(g, 48, 50, g.os.tr_in("press", "を押して下さい"), 14, 0);
}

void key_machi(Game& g) {
  // In a LAN match the host's key sets the pace and the two copies exchange
  // acknowledgements here.
  if (g.t.lan_mode == 1) lan_key_machi(g);
  else key_input(g, 0);
}

void jidou_pause(Game& g) {
  const int n = g.s.settei[11];
  if (n == 1) return;
  // A long pause (a settings file may ask for a hundred steps) must not outlast
  // the automatic play it belongs to: switching it off ends the pause at once.
  // Quitting unwinds from inside the wait itself.
  const bool automatic = g.t.jidou == 1;
  for (int i = 0; i < n; ++i) {
    if (automatic && g.t.jidou != 1) return;
    wait_ms(g, 100);
  }
}

void score_rireki_add(Game& g) {
  Table& t = g.t;
  t.score_rireki[std::size_t(std::clamp<int>(t.game_no, 0, 500))] = t.man_ten;
  ++t.game_no;
  const int len = series_length(g);
  if (len > 0 && t.game_no > len) t.series_done = 1;
  if (t.game_no >= 500) t.game_no = 499;
}

namespace {

void pr_ron(Game& g) {
  font_ron(g, 1, 31, 15);
  wave_play(g, "\\sekiba_wave_ron");
}

void pr_tumo(Game& g) {
  font_ron(g, 0, 31, 15);
  wave_play(g, "\\sekiba_wave_tumo");
}

void man_win(Game& g) {
  if (g.s.settei[17] != 0) man_disp_a(g);
  else man_disp(g);
  man_work_set(g);
  man_naki_tenkai(g);
  work_hai_sort(g);
  yaku_main(g);
}

void com_win(Game& g) {
  if (g.s.settei[17] != 0) com_disp_a(g);
  else com_disp(g);
  com_work_set(g);
  work_hai_sort(g);
  // A LAN match settles the remote user's win from the partner's messages.
  if (g.t.lan_mode == 1) yaku_main_lan(g);
  else yaku_main(g);
}

int play_turn(Game& g) {
  if (g.t.teban == 1) return g.players.man ? g.players.man(g) : man_main(g);
  return g.players.com ? g.players.com(g) : com_main(g);
}

}  // namespace

void man_ron_sub(Game& g) { pr_ron(g); man_win(g); }
void man_tumo_sub(Game& g) { pr_tumo(g); man_win(g); }
void com_ron_sub(Game& g) { pr_ron(g); com_win(g); }
void com_tumo_sub(Game& g) { pr_tumo(g); com_win(g); }

void nagare_settle(Game& g) {
  Table& t = g.t;
  ++t.honba;
  int man_tenpai = 0, com_tenpai = 0;
  pr_nagare(g);
  t.man_hai[14] = kEmpty;
  if (man_nagare_tenpai(g) == 38) {
    font_ron(g, 2, 50, 32);
    if (g.s.settei[17] != 0) man_disp_b(g);
    else man_disp(g);
    wave_play(g, "\\sekiba_wave_tenpai");
    man_tenpai = 1;
  }
  t.com_hai[14] = kEmpty;
  if (t.lan_mode == 1) {
    // The partner judges its own hand; its answer shows its tenpai here.
    com_tenpai = lan_nagare_exchange(g, man_tenpai);
  } else if (com_nagare_tenpai(g) == 38) {
    font_ron(g, 2, 9, 9);
    com_disp(g);
    wave_play(g, "\\sekiba_wave_tenpai");
    com_tenpai = 1;
    if (g.s.settei[2] == 1) atari_pr(g);
  }
  int payment = 0;
  if (man_tenpai == 1 && com_tenpai == 0) payment = 15;
  else if (com_tenpai == 1 && man_tenpai == 0) payment = -15;
  if (payment != 0) {
    add_score(t, payment);
    pr_score(g);
  }
  tell_table(g, {TableEventKind::Exhaustive, 0, 0, man_tenpai | com_tenpai << 1, payment});
}

bool game_goes_on(const Table& t) {
  return ((t.lan_mode == 0 && t.man_ten > 0) || t.lan_mode == 1) && t.kyoku < 9 && t.series_done == 0;
}

void play_hand(Game& g) {
  Table& t = g.t;
  t.kyoku_flag = 1;
  set_shoki2(g);
  set_dora(g);
  g.os.yield();
  if (t.oya == 1) haipai_ton(g);
  else haipai_nan(g);
  tell_table(g, {TableEventKind::HandStart});
  shoki_gamen(g);
  if (t.oya == 1) {
    man_com_pr(g);
    t.teban = 1;
  } else {
    com_man_pr(g);
    t.teban = 2;
  }
  com_kotsu_kime(g);
  com_nerai_kime(g);
  man_nerai_kime(g);
  man_hai_sort(g);
  man_disp(g);
  dora_asist_pr(g);
  com_hai_sort(g);
  com_ura_disp(g);

  int result = 0;  // 0 exhaustive draw, 1 the opponent won, 2 the user won
  while (result == 0 && !(t.man_junme == 21 && t.com_junme == 21)) {
    g.os.yield();
    int r = play_turn(g);
    if (t.man_junme > 1) g.show_menu("mnugame", false);
    if (t.man_junme == 21 && t.com_junme == 21) r = saigo_furi_check(g);
    if (r == 1 || r == 2) {
      const bool man = t.teban == 1;
      if (r == 1) man ? man_ron_sub(g) : com_ron_sub(g);
      else man ? man_tumo_sub(g) : com_tumo_sub(g);
      man ? man_next(g) : com_next(g);
      result = man ? 2 : 1;
    } else {
      t.teban = std::int16_t(3 - t.teban);
    }
  }
  if (result == 0) nagare_settle(g);
  t.shoki_flag = 0;
  if (g.s.settei[18] == 1) com_disp(g);
  score_rireki_add(g);
  save_yaku_cnt(g);
  // A hand that ended the game leaves nothing to continue: were the program
  // stopped at the end-of-game screens, the next start must not offer a game
  // that is already over.
  save_contine(g, t.lan_mode == 1 || !game_goes_on(t) ? 0 : 1);
  title_sub2(g);
  if (t.jidou == 1) jidou_pause(g);
  else key_machi(g);
  // After the last hand the table stays as it is under the end-of-game
  // messages; the box would cover the first line of the yaku list there, and
  // the next game draws it anew.
  if (game_goes_on(t)) pr_ivent_bou(g);
}

void pr_100_over(Game& g) {
  if (g.t.game_mode == 0 || g.t.series_void != 0) return;
  static constexpr struct {
    int length;
    const char* text;
  } kMessages[] = {{400, N_("４００連戦無事達成おめでとう！")}, {300, N_("３００連戦無事達成おめでとう！")},
                   {200, N_("２００連戦無事達成おめでとう！")}, {100, N_("１００連戦無事達成おめでとう！")},
                   {75, N_("　７５連戦無事達成おめでとう！")},  {50, N_("　５０連戦無事達成おめでとう！")},
                   {25, N_("　２５連戦無事達成おめでとう！")}};
  const int len = series_length(g);
  for (const auto& m : kMessages) {
    if (m.length != len || g.t.game_no <= len) continue;
    gbox_r(g, 8, 20, 72, 30, 7, 14, 1);
    disp_gr2(g, 10, 23, g.os.tr(m.text), 10, 0);
    title_sub2(g);
    if (g.s.settei[8] == 1 && g.t.jidou == 1) jidou_pause(g);
    else key_input(g, 0);
    return;
  }
}

void pr_game_over(Game& g) {
  if (g.t.man_ten == 0) {
    font_ron(g, 6, 29, 21);
    wave_play(g, "\\sekiba_pyon");
  }
  gbox_r(g, 19, 8, 58, 13, 13, 9, 1);
  disp_gr2(g, 24, 9, g.os.tr("１ゲーム終了です"), 7, 0);
}

void lan_kekka(Game& g) {
  // The result box of a LAN match; nothing against the computer.
  if (g.t.lan_mode != 1) return;
  const long long aite = lan_tensu_exchange(g);
  const long long man = g.t.man_ten;
  gbox_r(g, 17, 21, 59, 30, 7, 0, 1);
  font_ba(g, 2, 30, 22);
  font_ba(g, 3, 30, 26);
  // The colour tells a score below 1; no minus sign is drawn.
  pr_dai_suji(g, man < 0 ? -man : man, 42, 23, man < 1 ? 1 : 0);
  pr_dai_suji(g, aite < 0 ? -aite : aite, 42, 27, aite < 1 ? 1 : 0);
  if (man > aite) font_ba(g, 4, 19, 22);
  else if (aite > man) font_ba(g, 4, 19, 26);
}

namespace {

void play_games(Game& g) {
  Table& t = g.t;
  PicHAIKEI_Paint(g);
  load_background(g, "\\sekiba_back_0.jpg");
  ura_set(g);
  // A LAN match neither offers the saved game against the computer nor
  // touches it.
  if (t.lan_mode == 1) {
    t.contine_flag = 0;
    g.rec.game_started = false;
  } else {
    contine_sel(g);
  }
  t.jidou = 0;
  for (;;) {
    t.kyoku_flag = 0;
    set_shoki1(g);
    // Both copies of a LAN match play the normal game: no series mode.
    g.show_menu("mnumode", t.lan_mode == 0);
    g.show_menu("mnugame", true);
    g.show_menu("mnulan", t.lan_mode == 1);
    g.show_menu("mnus", t.lan_mode == 1);
    if (t.contine_flag == 0) oya_kime(g);
    t.series_done = 0;
    tell_table(g, {TableEventKind::GameStart});
    g.show_menu("mnukinou", true);
    g.show_menu("mnumode", false);
    while (game_goes_on(t))
      play_hand(g);
    tell_table(g, {TableEventKind::GameEnd});
    t.kyoku_flag = 0;
    g.show_menu("mnukinou", false);
    pr_100_over(g);
    pr_game_over(g);
    lan_kekka(g);
    title_sub2(g);
    if (g.s.settei[8] == 1 && t.jidou == 1) {
      jidou_pause(g);
    } else {
      key_machi(g);
      t.jidou = 0;
    }
    hi_score_new(g);
    const int rank = hi_score_rank(g);
    pr_hi_score(g, rank);
    name_input(g, rank);
    if (rank >= 0 && rank <= 9) save_hi_score(g);
    if (rank == 0) top_set(g);
    save_contine(g, 0);
    t.contine_flag = 0;
    if (g.s.settei[8] == 1 && t.jidou == 1) {
      jidou_pause(g);
    } else {
      key_machi(g);
      score_time_pr(g);
    }
  }
}

}  // namespace

void mnugame_Click(Game& g) {
  // A match in progress is never restarted from inside itself: the partner
  // would be left in the middle of the protocol.
  if (g.t.shori_chu != 0 || g.lan.in_match) return;
  g.lan.in_match = g.t.lan_mode == 1;
  g.lan.abandon = false;
  try {
    play_games(g);
  } catch (const LanAbandoned&) {
    lan_back_to_title(g);
  } catch (const QuitRequested&) {
    if (g.lan.in_match) lan_tell_bye(g);
    throw;
  }
}

}  // namespace sekiba
