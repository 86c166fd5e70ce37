#include "engine/dice.h"

#include "engine/driver.h"
#include "engine/game.h"
#include "engine/setup.h"
#include "engine/waits.h"
#include "lan/lan.h"
#include "man/input.h"
#include "screen/draw.h"

namespace sekiba {

void sai_a(Game& g, int x, int y) { disp_gr(g, x + 4, y + 4, "●", 2, 0); }
void sai_b(Game& g, int x, int y) {
  disp_gr(g, x + 2, y + 2, "●", 2, 0);
  disp_gr(g, x + 6, y + 6, "●", 2, 0);
}
void sai_c(Game& g, int x, int y) {
  disp_gr(g, x + 2, y + 6, "●", 2, 0);
  disp_gr(g, x + 6, y + 2, "●", 2, 0);
}
void sai_d(Game& g, int x, int y) {
  disp_gr(g, x + 2, y + 4, "●", 2, 0);
  disp_gr(g, x + 6, y + 4, "●", 2, 0);
}

void saikoro(Game& g, int face, int x, int y) {
  gbox_r(g, x, y, x + 9, y + 9, 7, 0, 0);
  switch (face) {
    case 1: sai_a(g, x, y); break;
    case 2: sai_b(g, x, y); break;
    case 3: sai_a(g, x, y); sai_b(g, x, y); break;
    case 4: sai_b(g, x, y); sai_c(g, x, y); break;
    case 5: sai_a(g, x, y); sai_b(g, x, y); sai_c(g, x, y); break;
    case 6: sai_b(g, x, y); sai_c(g, x, y); sai_d(g, x, y); break;
    default: break;
  }
}

int oya_for_dice(int first, int second) { return (first + second) % 2 == 1 ? 1 : 2; }

void oya_kime(Game& g) {
  gbox_r(g, 20, 7, 60, 40, 12, 0, 1);
  disp_gr(g, 21, 8, g.os.tr("親を決めます"), 2, 0);
  font_ba(g, 2, 25, 31);
  font_ba(g, 3, 25, 13);
  g.t.series_void = 0;
  // A LAN guest takes the dealer and the settings from the host instead of
  // rolling; the host connects before it rolls.
  const bool lan = g.t.lan_mode == 1;
  if (lan && g.t.lan_host == 0) {
    lan_oya_kime_guest(g);
    return;
  }
  if (lan) lan_oya_kime_host_connect(g);
  int first = 1, second = 1;
  for (int roll = 0; roll < 10; ++roll) {
    first = rnd_n(g, 6);
    second = rnd_n(g, 6);
    saikoro(g, first, 30, 20);
    pasi_play(g);
    saikoro(g, second, 40, 20);
    pasi_play(g);
  }
  g.t.oya = std::int16_t(oya_for_dice(first, second));
  font_ba(g, g.t.oya == 1 ? 0 : 1, 38, 31);
  font_ba(g, g.t.oya == 1 ? 1 : 0, 38, 13);
  if (lan) lan_oya_kime_host_send(g);
  title_sub2(g);
  if (g.s.settei[8] == 1 && g.t.jidou == 1) jidou_pause(g);
  else key_input(g, 0);
}

}  // namespace sekiba
