// Paints the title picture shown at start-up (sekiba_title_0.jpg) with the game's
// own artwork: a felt table, the name, a row of honour tiles and a few backs.
#include <QApplication>
#include <QImage>
#include <cstdio>

#include "engine/game.h"
#include "qt/qt_platform.h"
#include "screen/draw.h"
#include "screen/raster.h"

using namespace sekiba;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.jpg\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QtPlatform os;
  Game g(os);
  fill_iro(g);
  build_sheets(os, g.scr);
  g.s.settei[12] = 1;
  g.scr.ura_no = 1;

  Surface& bg = g.scr.PicHAIKEI;
  os.fill_gradient(bg, {0, 0, 640, 480}, rgb(22, 92, 58), rgb(6, 40, 26));
  // A faint felt grain.
  for (int y = 0; y < 480; y += 2)
    for (int x = (y / 2) % 2; x < 640; x += 2) {
      Pixel p = bg.at(x, y);
      bg.at(x, y) = rgb(red_of(p) * 15 / 16, green_of(p) * 15 / 16, blue_of(p) * 15 / 16);
    }
  // A wide band behind the name.
  os.fill_round_rect(bg, {60, 52, 520, 126}, 18, rgb(250, 246, 232), rgb(184, 140, 48), 4);
  os.fill_round_rect(bg, {72, 64, 496, 102}, 12, rgb(250, 246, 232), rgb(210, 180, 100), 1.5);
  haikei_to_window(g);

  TextStyle shadow{54, true, rgb(150, 120, 60)};
  TextStyle title{54, true, rgb(20, 70, 44)};
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

  QImage img(reinterpret_cast<const uchar*>(g.scr.win.px.data()), 640, 480, 640 * 4, QImage::Format_RGB32);
  if (!img.save(QString::fromLocal8Bit(argv[1]), "JPG", 92)) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
