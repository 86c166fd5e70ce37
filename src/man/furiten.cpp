// Furiten on the table, the winning-tile displays and the last discard of the wall.
#include <algorithm>

#include "com/com_turn.h"
#include "engine/driver.h"
#include "engine/game.h"
#include "engine/waits.h"
#include "eval/bunkai.h"
#include "lan/lan.h"
#include "man/man.h"
#include "screen/draw.h"

namespace sekiba {

void furiten_pr(Game& g, Tile& tile) {
  if (g.t.jidou == 1) return;
  gvram_push(g, 10, 15);
  font_ron(g, 4, 29, 21);
  if (g.s.settei[1] != 0) {
    // The click sound paces the flashing; with the sound switched off a short
    // wait keeps the flashes visible.
    auto beat = [&g] {
      pasi_play(g);
      if (g.s.settei[12] != 0) wait_ms(g, 60);
    };
    for (int i = 0; i < 8; ++i) {
      tenmetu(g, tile, 0);
      beat();
      tenmetu(g, tile, 1);
      beat();
    }
  } else {
    // Without the flashing the banner would go in the instant it came: the
    // refusal stays as long as the game's other refusals do.
    wait_ms(g, 1000);
  }
  gvram_pop(g, 10, 15);
}

void help_mode(Game& g) {
  const int n = help_kazu(g);
  if (n == 0) return;
  gvram_push(g, 13, 27);
  const int w = n == 1 ? 2 : n;
  gbox_r(g, 59 - 4 * w, 28, 66 - 4 * w, 31, 10, 2, 0);
  disp_gr(g, 60 - 4 * w, 29, g.os.tr("待ち牌"), 7, 0);
  for (int i = 1; i <= n; ++i) hai_put(g, g.a.machi_hai[std::size_t(i)], 59 - 4 * i, 32, 0);
  title_sub2(g);
  if (g.t.jidou == 1) jidou_pause(g);
  else key_input(g, 0);
  gvram_pop(g, 13, 27);
}

void atari_pr(Game& g) {
  if (g.t.lan_mode == 1) return;
  const int n = com_machi_kazu(g);
  if (n == 0) return;
  gbox_r(g, 22, 7, 31, 10, 2, 4, 0);
  disp_gr(g, 23, 8, g.os.tr("あたり牌"), 6, 0);
  for (int i = 1; i <= n; ++i)
    hai_put(g, g.a.machi_hai[std::size_t(i)], 4 * i + 19, 11, g.s.settei[17]);
}

int saigo_furi_check(Game& g) {
  Table& t = g.t;
  if (t.oya == 2) {
    t.teban = 2;
    const Tile last = t.man_sute[std::size_t(std::clamp<int>(t.man_junme - 1, 1, 20))];
    t.com_hai[14] = last;
    if (t.lan_mode == 0) g.com.tenpai_flg = g.com.com_tenpai_flg;
    // In a LAN match the partner judges its own user's win and sends the answer.
    const bool won = t.lan_mode == 1 ? lan_haitei_receive(g) == 1
                                     : com_agari_check(g) == kAgari && com_furi_check(g, last) == 0;
    if (won) {
      // The furiten trials decomposed other hands; the yaku are judged on the
      // decomposition of the winning hand itself.
      if (t.lan_mode == 0) com_agari_check(g);
      t.agari_hai = last;
      t.agari_pl = 2;
      t.agari_kind = 2;
      return 1;
    }
    t.com_hai[14] = kEmpty;
    return 0;
  }
  t.teban = 1;
  const Tile last = t.com_sute[std::size_t(std::clamp<int>(t.com_junme - 1, 1, 20))];
  const int r = man_ron(g, last);
  if (t.lan_mode == 1) lan_haitei_send(g, r);
  return r;
}

}  // namespace sekiba
