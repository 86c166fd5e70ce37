// The table drawn at two and three times (and fractional times) its size: texts,
// tiles and boxes drawn anew at that resolution, not enlarged; saved bands and
// mouse positions still on the 640 x 480 grid.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cmath>

#include "engine/game.h"
#include "man/input.h"
#include "qt/qt_platform.h"
#include "qt/table_view.h"
#include "qt/title_picture.h"
#include "engine/startup.h"
#include "screen/draw.h"
#include "screen/raster.h"
#include "screen/screen.h"

#include "qt_app.h"

namespace sekiba {
namespace {

struct Table : test::AppFirst {
  QtPlatform os;
  Game g{os};
  explicit Table(double k) {
    fill_iro(g);
    build_sheets(os, g.scr);
    set_screen_scale(os, g.scr, k);
    fill_rect(g.scr.win, 0, 0, kScreenW, kScreenH, kWhite);
  }
  const Surface& win() const { return g.scr.win; }
};

bool pure(Pixel p) { return p == kWhite || p == kBlack; }

TEST(Hidpi, TextIsSetAtTheDeviceSizeNotEnlarged) {
  for (int k : {2, 3}) {
    SCOPED_TRACE(k);
    Table t(k);
    disp_gr2(t.g, 10, 10, "永東", 0, 0);
    const Surface& w = t.win();
    // Aligned k x k blocks that hold an anti-aliased pixel: an enlarged picture
    // has every such block of one colour, a text set at this size almost none.
    int soft = 0, blocks = 0, uniform = 0;
    for (int by = 80 * k; by < 120 * k; by += k)
      for (int bx = 80 * k; bx < 160 * k; bx += k) {
        bool has_soft = false, same = true;
        for (int y = by; y < by + k; ++y)
          for (int x = bx; x < bx + k; ++x) {
            has_soft |= !pure(w.at(x, y));
            same &= w.at(x, y) == w.at(bx, by);
          }
        if (!has_soft) continue;
        ++blocks;
        uniform += same;
      }
    for (int y = 80 * k; y < 120 * k; ++y)
      for (int x = 80 * k; x < 160 * k; ++x) soft += !pure(w.at(x, y));
    EXPECT_GT(soft, 40 * k);
    ASSERT_GT(blocks, 20);
    EXPECT_LT(uniform * 10, blocks) << uniform << " of " << blocks << " edge blocks are flat";
  }
}

// Dark pixels in a row of the window, from x0 on, before the first light one
// after them.
int dark_run(const Surface& w, int x0, int y) {
  int x = x0;
  while (x < w.w && red_of(w.at(x, y)) > 160) ++x;
  int n = 0;
  while (x < w.w && red_of(w.at(x, y)) <= 160) ++x, ++n;
  return n;
}

TEST(Hidpi, ATileOutlineAtThreeIsOneLine) {
  Table t(3);
  hai_put(t.g, 5, 10, 10, 0);
  // Across the left side of the face, half-way down the tile.
  const int y = 3 * (80 + 35), x0 = 3 * 80 - 3;
  const int run = dark_run(t.win(), x0, y);
  EXPECT_GE(run, 1);
  EXPECT_LT(run, 3);
  // And the same across the top of the tile, in the middle of its width.
  const Surface& w = t.win();
  int n = 0, yy = 3 * 80 - 3;
  while (yy < w.h && red_of(w.at(3 * 96, yy)) > 160) ++yy;
  while (yy < w.h && red_of(w.at(3 * 96, yy)) <= 100) ++yy, ++n;
  EXPECT_LT(n, 3);
}

TEST(Hidpi, ABoxFrameLandsOnTwiceItsGridPlace) {
  Table one(1), two(2);
  gbox_r(one.g, 10, 12, 30, 20, 7, 0, 0);
  gbox_r(two.g, 10, 12, 30, 20, 7, 0, 0);
  const Surface &a = one.win(), &b = two.win();
  // Every frame pixel of the box at scale 1 is a 2 x 2 place of frame at scale 2
  // whose outer edge starts on twice its coordinates.
  auto first_change = [](const Surface& s, int y, int from, int step) {
    int x = from;
    while (s.at(x, y) == kWhite) x += step;
    return x;
  };
  const int left1 = first_change(a, 8 * 16, 0, 1), left2 = first_change(b, 2 * 8 * 16, 0, 1);
  const int right1 = first_change(a, 8 * 16, 639, -1), right2 = first_change(b, 2 * 8 * 16, 1279, -1);
  EXPECT_EQ(left1, 8 * 10 + 2);
  EXPECT_EQ(left2, 2 * left1);
  EXPECT_EQ(right2, 2 * right1 + 1);
  int top1 = 0, top2 = 0;
  while (a.at(8 * 20, top1) == kWhite) ++top1;
  while (b.at(2 * 8 * 20, top2) == kWhite) ++top2;
  EXPECT_EQ(top1, 8 * 12 + 2);
  EXPECT_EQ(top2, 2 * top1);
}

TEST(Hidpi, SavedBandsComeBackExactlyAtTwo) {
  Table t(2);
  t.g.s.settei[12] = 1;
  PicHAIKEI_Paint(t.g);
  shoki_gamen(t.g);
  disp_gr(t.g, 20, 20, "持ち点", 2, 1);
  const Surface before = t.win();
  gvram_push(t.g, 9, 15);
  gbox_r(t.g, 2, 19, 70, 27, 12, 0, 1);
  disp_gr2(t.g, 14, 22, "今このモードには入れません｡", 2, 1);
  ASSERT_NE(t.win().px, before.px);
  gvram_pop(t.g, 9, 15);
  EXPECT_EQ(t.win().px, before.px);
}

TEST(Hidpi, TheTableDrawnAgainAtAnotherScaleIsTheSame) {
  Table t(1);
  t.g.s.settei[12] = 1;
  PicHAIKEI_Paint(t.g);
  shoki_gamen(t.g);
  for (int i = 1; i <= 14; ++i) t.g.t.man_hai[std::size_t(i)] = Tile(i < 10 ? i : i + 2);
  man_disp(t.g);
  gvram_push(t.g, 20, 25);
  gbox_r(t.g, 10, 40, 40, 50, 12, 0, 1);
  disp_gr(t.g, 12, 42, "テスト", 7, 1);
  gvram_pop(t.g, 20, 25);
  const Surface at_one = t.win();
  set_screen_scale(t.os, t.g.scr, 2.5);
  EXPECT_EQ(t.win().w, 1600);
  EXPECT_EQ(t.win().h, 1200);
  set_screen_scale(t.os, t.g.scr, 1);
  EXPECT_EQ(t.win().px, at_one.px);
}

// Squared differences between neighbouring device pixels: what a blurred picture
// loses most of.
double edge_energy(const Surface& s) {
  double e = 0;
  for (int y = 0; y + 1 < s.h; ++y)
    for (int x = 0; x + 1 < s.w; ++x) {
      const Pixel p = s.at(x, y), r = s.at(x + 1, y), d = s.at(x, y + 1);
      for (int sh : {16, 8, 0}) {
        const int c = int(p >> sh & 0xFF), cr = int(r >> sh & 0xFF), cd = int(d >> sh & 0xFF);
        e += double(c - cr) * (c - cr) + double(c - cd) * (c - cd);
      }
    }
  return e;
}

TEST(Hidpi, TheShippedTitlePictureIsAsSharpAsTheTableAtTwoAndThree) {
  test::ensure_qt_app();
  const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
  const QImage shipped(dir + QStringLiteral("/sekiba_title_0.jpg"));
  ASSERT_FALSE(shipped.isNull());
  EXPECT_GE(shipped.width(), 3 * kScreenW);
  EXPECT_EQ(shipped.width() * kScreenH, shipped.height() * kScreenW);
  for (int k : {2, 3}) {
    SCOPED_TRACE(k);
    Table t(k);
    t.g.t.read_folders = {dir.toStdString()};
    ASSERT_TRUE(load_background(t.g, "\\sekiba_title_0.jpg"));
    // The picture as the window shows it keeps (but for the JPEG's own loss)
    // the edges of the same picture painted directly at that scale.
    const double shown = edge_energy(t.g.scr.PicHAIKEI);
    const double painted = edge_energy(paint_title_picture(t.os, k));
    EXPECT_GT(shown, 0.75 * painted) << shown / painted;
  }
}

TEST(Hidpi, AClickAtAFractionalScaleFindsItsHandSlot) {
  test::ensure_qt_app();
  QtPlatform os;
  Game g{os};
  TableView view;
  view.on_input = [&](const InputEvent& ev) { handle_input(g, ev); };
  view.resize(int(640 * 1.37), int(480 * 1.37));
  const Letterbox lb = view.letterbox();
  for (int slot : {1, 7, 13, 14}) {
    // Near the left and right edges of the slot's tile (column 4 slot - 1, row 43).
    for (double dx : {1.0, 30.0}) {
      const QPointF at(lb.x + (8 * (4 * slot - 1) + dx) * lb.scale, lb.y + (8 * 43 + 20) * lb.scale);
      QMouseEvent press(QEvent::MouseButtonPress, at, view.mapToGlobal(at), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&view, &press);
      EXPECT_EQ(g.man.mouse_area, 1) << slot << " " << dx;
      EXPECT_EQ(g.man.mouse_item, slot) << slot << " " << dx;
    }
  }
}

}  // namespace
}  // namespace sekiba
