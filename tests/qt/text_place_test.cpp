// Where texts land at the window font's real glyphs, and which window a second
// copy of the program shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>

#include "engine/game.h"
#include "engine/startup.h"
#include "eval/yakuhelp.h"
#include "eval/yakuhelp_draw.h"
#include "qt/frm_sekiba.h"
#include "qt/qt_platform.h"
#include "records/hiscore.h"
#include "screen/draw.h"
#include "screen/screen.h"

#include "qt_app.h"

namespace sekiba {
namespace {

struct Drawn : ::testing::Test {
  QtPlatform os;
  Game g{os};
  static void SetUpTestSuite() { test::ensure_qt_app(); }
  Drawn() {
    fill_iro(g);
    g.scr.win.fill(kWhite);
    g.scr.PicHAIKEI.fill(kWhite);
  }
  static int ink(const Surface& s, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, s.h); ++y)
      for (int x = std::max(x0, 0); x < std::min(x1, s.w); ++x) n += s.at(x, y) != kWhite;
    return n;
  }
};

TEST_F(Drawn, TextsStayOnTheirGridAndInTheirBoxes) {
  // A yaku page header on row 0 is drawn whole, as it is on row 2.
  Surface top(470, 200, kWhite), lower(470, 200, kWhite);
  help_disp_gr(g, top, 1, 0, "（チートイツ）", 1, 1);
  help_disp_gr(g, lower, 1, 2, "（チートイツ）", 1, 1);
  EXPECT_GT(ink(top, 0, 0, 470, 200), 100);
  EXPECT_EQ(ink(top, 0, 0, 470, 200), ink(lower, 0, 0, 470, 200));

  // Half-width blanks take a column each: the key mark placed in them meets no
  // letter of the word after them.
  disp_gr(g, 33, 30, "実行    やめる。", 2, 1);
  EXPECT_EQ(ink(g.scr.win, 8 * 37 + 2, 8 * 30, 8 * 41 - 1, 8 * 32 + 4), 0);  // past the shadow of 行
  EXPECT_GT(ink(g.scr.win, 8 * 41, 8 * 30, 8 * 43, 8 * 32 + 4), 10);

  // The best-ten congratulation keeps inside its box.
  g.scr.win.fill(kWhite);
  gbox_r(g, 4, 42, 73, 47, 6, 0, 0);
  const Surface box = g.scr.win;
  rank_mes(g, 0);
  for (int y = 8 * 42; y < 8 * 48; ++y)
    for (int x = 8 * 72; x < kScreenW; ++x) ASSERT_EQ(g.scr.win.at(x, y), box.at(x, y)) << x << "," << y;
}

// Contrast ratio of two colours (relative luminance of sRGB).
double contrast(Pixel a, Pixel b) {
  auto lum = [](Pixel p) {
    auto lin = [](int c) {
      const double v = c / 255.0;
      return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(red_of(p)) + 0.7152 * lin(green_of(p)) + 0.0722 * lin(blue_of(p));
  };
  const double la = lum(a), lb = lum(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(Drawn, YakuPageHeadersReadOnEveryGradient) {
  // The header texts (row 0) of pages in every header colour and the two lines
  // of page 0, each on each of the eighteen gradients: right outside every
  // stroke of a letter, the
  // pixels must stand apart from the letter's colour (contrast 2.5 : 1 or more;
  // they are partly the letter's own, smoothed edge), whatever colour the
  // gradient has there.
  Surface gradient[kHelpGradients];
  for (int s = 0; s < kHelpGradients; ++s) {
    gradient[s] = Surface(kHelpW, kHelpH);
    help_gradient(gradient[s], s);
  }
  int checked = 0;
  for (int page : {0, 12, 13, 16, 28})
    for (const HelpItem& it : help_page_data(page).items) {
      if (it.kind != HelpItem::Kind::Text || (it.row != 0 && page != 0)) continue;
      // Where the letters are: the text in white on black, its shadow unseen.
      const Pixel colour = g.scr.iro[std::size_t(it.colour)];
      Surface glyphs(kHelpW, kHelpH, kBlack);
      g.scr.iro[std::size_t(it.colour)] = kWhite;
      help_disp_gr(g, glyphs, it.column, it.row, it.text, it.colour, 0);
      g.scr.iro[std::size_t(it.colour)] = colour;
      for (int s = 0; s < kHelpGradients; ++s) {
        Surface page_pic = gradient[s];
        help_disp_gr(g, page_pic, it.column, it.row, it.text, it.colour, 1);
        int edge = 0, apart = 0;
        for (int y = 1; y < kHelpH - 1; ++y)
          for (int x = 1; x < kHelpW - 1; ++x) {
            if (red_of(glyphs.at(x, y)) >= 48) continue;
            bool beside = false;
            for (int dy = -1; dy <= 1; ++dy)
              for (int dx = -1; dx <= 1; ++dx) beside |= red_of(glyphs.at(x + dx, y + dy)) >= 200;
            if (!beside) continue;
            ++edge;
            apart += contrast(page_pic.at(x, y), colour) >= 2.5;
          }
        ASSERT_GT(edge, 20) << it.text;
        EXPECT_GE(apart * 100, edge * 90)
            << "page " << page << " \"" << it.text << "\" on gradient " << s << ": " << apart
            << " of " << edge << " pixels around the letters stand apart";
        ++checked;
      }
    }
  EXPECT_GE(checked, 18 * 16);
}

TEST(SecondCopy, ShowsItsRefusalWithoutAnEmptyWindowBehindIt) {
  test::ensure_qt_app();
  {
    QtPlatform os;
    Game g{os};
    FrmSekiba w{os, g};
    os.attach(&w, &g);
    ASSERT_TRUE(Form_Load(g));
    EXPECT_TRUE(w.isVisible());  // the only copy shows its window

    QtPlatform os2;
    Game g2{os2};
    FrmSekiba w2{os2, g2};
    os2.attach(&w2, &g2);
    bool asked = false, window_seen = true;
    std::function<void()> answer = [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        asked = true;
        window_seen = w2.isVisible();
        box->done(QMessageBox::Ok);
      } else {
        QTimer::singleShot(20, answer);
      }
    };
    QTimer::singleShot(20, answer);
    EXPECT_FALSE(Form_Load(g2));
    EXPECT_TRUE(asked);
    EXPECT_FALSE(window_seen);
    EXPECT_FALSE(w2.isVisible());
    os2.attach(nullptr, nullptr);
    os.attach(nullptr, nullptr);
  }
}

}  // namespace
}  // namespace sekiba
