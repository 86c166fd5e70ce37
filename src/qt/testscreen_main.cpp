// The artwork check: a 640 x 480 table drawn with the game's own drawing routines
// on a generated background: every tile face in the three drawing modes, both
// kinds of back in all eight designs, a label of each sheet and framed boxes.
// Saved as a PNG at argv[1] (default testscreen.png); with a second argument the
// raw sheets are saved there as well.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/game.h"
#include "qt/qt_platform.h"
#include "screen/draw.h"
#include "screen/raster.h"

namespace {

using namespace sekiba;

const std::vector<int>& all_tiles() {
  static const std::vector<int> codes = [] {
    std::vector<int> v;
    for (int c = 1; c <= 37; ++c)
      if (c % 10 != 0) v.push_back(c);
    return v;
  }();
  return codes;
}

// Two rows of 17 tiles, 7 grid rows apart.
void tiles_in_mode(Game& g, int row, int mode) {
  const auto& codes = all_tiles();
  for (std::size_t i = 0; i < codes.size(); ++i)
    hai_put(g, codes[i], 4 * int(i % 17), row + 7 * int(i / 17), mode);
}

void side_panel(Game& g) {
  // Sticks: the five event sticks and the four point sticks.
  for (int k = 0; k < 5; ++k) font_sub(g, 46 + k, 69 + 2 * k, 0);
  for (int k = 0; k < 4; ++k) font_sub(g, 41 + k, 70 + 2 * k, 6);
  for (int k = 0; k < 10; ++k) font_sub_mini(g, 1 + k % 2, 69 + k, 12);
  for (int k = 1; k < 17; ++k) font_moji(g, 69 + 5 * ((k - 1) / 8), 15 + 2 * ((k - 1) % 8), k);
  font_nagai(g, 69, 32, 1);
  font_nagai(g, 74, 32, 2);
  font_nagai(g, 69, 34, 3);
  font_bar(g, 74, 35, 1);
  // The red five, and a discard shaded as called.
  g.s.settei[7] = 1;
  hai_put(g, 25, 69, 37, 0);
  g.s.settei[7] = 0;
  hai_put(g, 13, 74, 37, 2);
  hai_put(g, 48, 74, 37, 2);
  g.scr.ura_no = 3;
  ura_put(g, 69, 44, 0);
  ura_put(g, 74, 44, 1);
}

void bottom_box(Game& g) {
  gbox_r(g, 0, 49, 79, 59, 7, 9, 1);
  font_ron(g, 0, 1, 50);
  font_hansu(g, 4, 14, 50);
  font_ba(g, 0, 25, 50);
  blit(g.scr.win, 8 * 36, 8 * 50, g.scr.PicGAME, 0, 0, sheet::kGameW, sheet::kGameH);
  font_yakumei(g, 41, 53, 50);
  font_sujih(g, 3, 53, 53);
  font_hanh(g, 0, 56, 53);
  font_bai(g, 0, 63, 53);
  font_hanh(g, 1, 70, 53);
  g.scr.ura_no = 0;
  font_score(g, 14, 55);
  pr_dai_suji(g, 250, 27, 55, 0);
  pr_suji_date(g, "05/06 12:30", 58, 56, 6);
  int col = 1;
  for (int k : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 27, 28, 29, 30, 31, 32, 33, 34, 35,
                36, 37, 38, 39, 40}) {
    font_mk(g, col, 57, k);
    col += 2;
  }
}

void save(Surface& s, const char* path) {
  if (!wrap_surface(s).save(path)) std::fprintf(stderr, "cannot write %s\n", path);
}

void save_sheets(Game& g, const char* path) {
  auto& s = g.scr;
  std::vector<Surface*> sheets = {
      &s.PicHAI,  &s.picHAI2,  &s.picRON,  &s.picHANSU, &s.PicBA,   &s.picHANH,
      &s.picYAKUNASI, &s.picSUJIS, &s.picSUJIH, &s.PicMOJI, &s.PicBOU, &s.PicWAKU,
      &s.PicMK,   &s.PicSCORE, &s.PicGAME, &s.Pic100,   &s.picMAI,  &s.picBAI,
      &s.PicBAR,  &s.PicNAGAI, &s.picYAKUMEI, &s.picICON[0], &s.picICON[1], &s.picICON[2],
      &s.picICON[3]};
  QImage out(1100, 1200, QImage::Format_RGB32);
  out.fill(QColor(60, 120, 90));
  QPainter p(&out);
  int x = 4, y = 4, row_h = 0;
  for (Surface* sh : sheets) {
    if (x + sh->w > out.width()) {
      x = 4;
      y += row_h + 6;
      row_h = 0;
    }
    p.drawImage(x, y, wrap_surface(*sh));
    x += sh->w + 6;
    row_h = std::max(row_h, sh->h);
  }
  p.end();
  if (!out.save(path)) std::fprintf(stderr, "cannot write %s\n", path);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QtPlatform os;
  Game g(os);
  fill_iro(g);

  QElapsedTimer timer;
  timer.start();
  build_sheets(os, g.scr);
  std::printf("sheets built in %lld ms\n", static_cast<long long>(timer.elapsed()));

  PicHAIKEI_Paint(g);
  haikei_to_window(g);
  g.s.settei[7] = 0;
  g.s.settei[17] = 0;
  tiles_in_mode(g, 0, 0);
  tiles_in_mode(g, 14, 1);
  tiles_in_mode(g, 28, 2);
  for (int d = 0; d < 8; ++d) {
    g.scr.ura_no = d;
    ura_put(g, 4 * d, 42, 0);
    ura_put(g, 32 + 4 * d, 42, 1);
  }
  side_panel(g);
  bottom_box(g);

  save(g.scr.win, argc > 1 ? argv[1] : "testscreen.png");
  if (argc > 2) save_sheets(g, argv[2]);
  return 0;
}
