// The name and send dialogs answer the game however they close; the chart's
// value axis always holds the history.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include "engine/game.h"
#include "headless/headless_platform.h"
#include "qt/frmchart.h"
#include "qt/frmname.h"
#include "qt/frmsousin.h"

namespace sekiba {
namespace {

QApplication& app() {
  static int argc = 1;
  static char name[] = "frmname_test";
  static char* argv[] = {name, nullptr};
  static QApplication* a = new QApplication(argc, argv);
  return *a;
}

TEST(FrmName, ClosingAnyWayGivesTheTextTyped) {
  app();
  HeadlessPlatform os;
  Game g(os);
  {
    FrmName d(g, nullptr);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("名前を入力出来ます"));
    EXPECT_TRUE(d.txtname()->text().isEmpty());
    d.txtname()->setText(QStringLiteral("消す"));
    d.cmdCLEAR_Click();
    EXPECT_TRUE(d.txtname()->text().isEmpty());
    d.txtname()->setText(QStringLiteral("翠嶺"));
    d.close();  // the title bar's close
    EXPECT_EQ(g.rec.name_flag, 1);
    EXPECT_EQ(g.rec.name_str, "翠嶺");
  }
  g.rec.name_flag = 0;
  FrmName d(g, nullptr);
  d.cmdOK_Click();  // empty is a name too
  EXPECT_EQ(g.rec.name_flag, 1);
  EXPECT_EQ(g.rec.name_str, "");
}

TEST(FrmSousin, StaysOpenWhenThereIsNothingToSend) {
  app();
  HeadlessPlatform os;
  os.data_folder = "/nonexistent-sekiba-folder";
  Game g(os);
  g.t.app_path = os.data_folder;
  FrmSousin d(g, nullptr);
  d.show();
  d.Command1_Click();
  EXPECT_TRUE(d.isVisible());
  ASSERT_EQ(os.messages.size(), 1u);
  d.Command2_Click();
  EXPECT_FALSE(d.isVisible());
}

TEST(FrmChart, AxisHoldsEveryValue) {
  for (const std::vector<double>& v : {std::vector<double>{300, 250, 612}, std::vector<double>{-40, 10},
                                       std::vector<double>{300}, std::vector<double>{}}) {
    const AxisRange r = nice_range(v);
    EXPECT_LE(r.lo, 0);
    for (double x : v) {
      EXPECT_LE(r.lo, x);
      EXPECT_GE(r.hi, x);
    }
    EXPECT_GT(r.step, 0);
    EXPECT_LE((r.hi - r.lo) / r.step, 12);
  }
}

}  // namespace
}  // namespace sekiba
