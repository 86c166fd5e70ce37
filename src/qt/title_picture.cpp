#include "qt/title_picture.h"

#include "engine/game.h"
#include "qt/qt_platform.h"
#include "screen/draw.h"
#include "screen/raster.h"
#include "screen/screen.h"

namespace sekiba {

Surface paint_title_picture(QtPlatform& os, double k) {
  Game g(os);
  fill_iro(g);
  build_sheets(os, g.scr);
  set_screen_scale(os, g.scr, k);
  g.s.settei[12] = 1;
  g.scr.ura_no = 1;

  Surface& bg = g.scr.PicHAIKEI;
  os.fill_gradient(bg, {0, 0, 640, 480}, rgb(22, 92, 58), rgb(6, 40, 26));
  // A faint felt grain, one table pixel a grain at any size.
  for (int y = 0; y < bg.h; ++y)
    for (int x = 0; x < bg.w; ++x) {
      const int gx = int(x / bg.k), gy = int(y / bg.k);
      if (gy % 2 != 0 || gx % 2 != (gy / 2) % 2) continue;
      const Pixel p = bg.at(x, y);
      bg.at(x, y) = rgb(red_of(p) * 15 / 16, green_of(p) * 15 / 16, blue_of(p) * 15 / 16);
    }
  // A wide band behind the name.
  os.fill_round_rect(bg, {60, 52, 520, 126}, 18, rgb(250, 246, 232), rgb(184, 140, 48), 4);
  os.fill_round_rect(bg, {72, 64, 496, 102}, 12, rgb(250, 246, 232), rgb(210, 180, 100), 1.5);
  haikei_to_window(g);

  const TextStyle shadow{54, true, rgb(150, 120, 60)};
  const TextStyle title{54, true, rgb(20, 70, 44)};
  os.draw_text_centered(g.scr.win, {63, 60, 520, 84}, "翠嶺牌戯", shadow);
  os.draw_text_centered(g.scr.win, {60, 57, 520, 84}, "翠嶺牌戯", title);
  os.draw_text_centered(g.scr.win, {60, 138, 520, 30}, "二人打ち麻雀  ＬＡＮ対戦機能付き",
                        TextStyle{13, true, rgb(120, 84, 30)});

  // The seven honours face up between two backs on each side.
  const int honours[7] = {31, 32, 33, 34, 35, 36, 37};
  ura_put(g, 18, 26, 0);
  ura_put(g, 22, 26, 0);
  for (int i = 0; i < 7; ++i) hai_put(g, honours[i], 26 + 4 * i, 26, 0);
  ura_put(g, 54, 26, 0);
  ura_put(g, 58, 26, 0);

  os.draw_text_centered(g.scr.win, {0, 400, 640, 24}, "ｹﾞｰﾑ(G) → ｽﾀｰﾄ(S)  または  F2 キーで始めます",
                        TextStyle{12, true, rgb(236, 226, 190)});
  return g.scr.win;
}

}  // namespace sekiba
