// Where texts land at the window font's real glyphs, and which window a second
// copy of the program shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "engine/game.h"
#include "engine/startup.h"
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
