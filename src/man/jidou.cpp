// Automatic play, the meddling hint and the dora assistant.
#include "com/shikou.h"
#include "engine/game.h"
#include "engine/setup.h"
#include "engine/waits.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "man/man.h"
#include "screen/draw.h"

namespace sekiba {

namespace {

void refuse_jidou(Game& g) {
  gvram_push(g, 9, 15);
  gbox_r(g, 10, 20, 71, 27, 12, 0, 1);
  disp_gr2(g, 14, 22, g.os.tr("今このモードには入れません｡"), 2, 1);
  wait_ms(g, 1000);
  gvram_pop(g, 9, 15);
}

void jidou_prompt(Game& g, bool start) {
  gbox_r(g, 19, 17, 60, 30, start ? 1 : 2, 0, 1);
  if (start) {
    disp_gr(g, 22, 18, g.os.tr("★★★★華麗なる自動モード!★★★★"), 7, 1);
    disp_gr(g, 22, 22, g.os.tr("あなたに代わり自動でゲームを行います｡"), 13, 1);
    disp_gr(g, 22, 24, g.os.tr("ひまつぶしの鑑賞用にご利用下さいませ｡"), 13, 1);
    disp_gr(g, 44, 28, g.os.tr("する　　やめる"), 6, 1);
    font_mk(g, 42, 28, 39);
  } else {
    disp_gr(g, 22, 18, g.os.tr("☆☆☆☆華麗なる自動モード!☆☆☆☆"), 7, 1);
    disp_gr(g, 22, 22, g.os.tr("自動モードを終了します｡"), 6, 1);
    disp_gr(g, 40, 28, g.os.tr("終了する　　続ける"), 6, 1);
    font_mk(g, 38, 28, 39);
  }
  font_mk(g, 48, 28, 40);
}

}  // namespace

void jidou_mode(Game& g) {
  Table& t = g.t;
  if (t.shori_chu == 1 || t.lan_mode == 1) return;
  t.shori_chu = 1;
  // Automatic play never takes over an open hand, nor one being opened.
  if (t.jidou == 0 && (t.man_naki_cnt != 1 || g.man.naki_sel != 0)) {
    refuse_jidou(g);
    t.shori_chu = 0;
    return;
  }
  const bool start = t.jidou == 0;
  gvram_push(g, 8, 16);
  jidou_prompt(g, start);
  const int c = key_input(g, 2);
  if (c == kKeyEnter || (c == kClick && g.man.mouse_button == 1)) t.jidou = start ? 1 : 0;
  t.shori_chu = 0;
  gvram_pop(g, 8, 16);
}

void mnuauto_Click(Game& g) { jidou_mode(g); }
void mnuautospeed_Click(Game& g) { g.os.open_dialog("frmspeed"); }

int man_osekai_main(Game& g) {
  Table& t = g.t;
  if (t.jidou == 0 && !(g.man.osekai_flag == 1 && t.man_naki_cnt == 1)) return 0;
  const bool labels = t.jidou == 0;
  man_work_set(g);
  com_bunkai_kime(g);
  const Tile r = com_man_shikou_sub(g, g.a.bunkai_no);
  if (r == kAgari) {
    if (labels) font_moji(g, 55, 43, 6);
    return kAgari;
  }
  int slot = 0;
  for (int i = 14; i >= 1 && slot == 0; --i)
    if (t.man_hai[std::size_t(i)] == r) slot = i;
  if (slot == 0) return 0;

  const OsekaiProposal prop = osekai_proposal(slot, g.com.osekai_machi, g.a.bunkai_no, t.man_junme);
  if (labels && prop.label != 0) font_moji(g, 4 * slot - 1, 44, prop.label);
  return prop.p;
}

OsekaiProposal osekai_proposal(int slot, int osekai_machi, int bunkai_no, int man_junme) {
  int p = slot, label = 0;
  switch (osekai_machi) {
    case 0: label = 7; break;  // これ
    case 1:  // T: a single wait is worth riichi only in seven pairs
      label = 8;
      if (bunkai_no == 8) p += 20;
      break;
    case 2:  // K: a closed wait only late in the hand
      label = 9;
      if (man_junme > 13) p += 20;
      break;
    case 3: label = 10; p += 20; break;  // S
    case 4: label = 11; p += 20; break;  // R
    default: p = 14; break;
  }
  if (p > 20 && man_junme > 17) p -= 20;
  return {p, label};
}

void osekai_hen(Game& g) {
  g.man.osekai_flag = g.man.osekai_flag == 1 ? 0 : 1;
  g.os.menu_checked("mnuosekai", g.man.osekai_flag == 1);
  remember_hints(g);
}
void mnuosekai_Click(Game& g) { osekai_hen(g); }

void asist_kun(Game& g) {
  g.man.asist_flag = g.man.asist_flag == 1 ? 0 : 1;
  g.os.menu_checked("mnuasist", g.man.asist_flag == 1);
  remember_hints(g);
}
void mnuasist_Click(Game& g) { asist_kun(g); }

void dora_asist_pr(Game& g) {
  const Table& t = g.t;
  if (g.man.asist_flag != 1) return;
  const Tile dora = out_dora(g, t.dora);
  bool kan = false;
  for (int m = 1; m < std::min<int>(t.man_naki_cnt, 5); ++m)
    kan = kan || t.man_naki_kind[std::size_t(m)] == 3 || t.man_naki_kind[std::size_t(m)] == 4;
  const bool kan_dora = g.s.settei[9] == 1 && kan;
  const Tile kdora = out_dora(g, t.kan_dora);
  for (int i = 1; i <= 14; ++i) {
    const Tile x = t.man_hai[std::size_t(i)];
    if (x == kEmpty) continue;
    if (x == dora || (kan_dora && x == kdora)) font_moji(g, 4 * i - 1, 44, 12);
  }
}

int speed_option_for(int value) {
  switch (value) {
    case 1: return 0;
    case 5: return 1;
    case 10: return 2;
    default: return 3;
  }
}

int speed_value_for(int option) {
  static constexpr int kValues[4] = {1, 5, 10, 15};
  return (option >= 0 && option < 4) ? kValues[option] : 15;
}

}  // namespace sekiba
