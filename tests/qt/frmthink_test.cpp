// The thinking settings dialog under the offscreen platform.
#include "qt/frmthink.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QRadioButton>
#include <QTemporaryDir>

#include "com/think.h"
#include "engine/game.h"
#include "engine/startup.h"
#include "qt/frm_sekiba.h"
#include "qt/qt_platform.h"

namespace sekiba {
namespace {

// The application exists before any widget of a test.
struct App {
  App() {
    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    static int argc = 1;
    static char name[] = "frmthink_test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
  }
};

struct Window : App {
  QtPlatform os;
  Game g{os};
  FrmSekiba w{os, g};
  QTemporaryDir data;

  Window() {
    os.attach(&w, &g);
    g.t.app_path = data.path().toStdString();
    shikou_defaults(g.s);
  }
  ~Window() { os.attach(nullptr, nullptr); }
};

TEST(FrmThink, OpensOnceFromTheMenuModelessWithEightGroups) {
  Window s;
  s.w.menu_action("mnuthink")->trigger();
  s.w.menu_action("mnuthink")->trigger();
  QCoreApplication::processEvents();
  // The menu reaches the game, which asks the window for the dialog.
  menu_command(s.g, "mnuthink");
  menu_command(s.g, "mnuthink");
  QList<FrmThink*> open = s.w.findChildren<FrmThink*>();
  ASSERT_EQ(open.size(), 1);
  FrmThink* d = open.front();
  EXPECT_EQ(d->windowTitle(), QStringLiteral("思考法詳細設定"));
  EXPECT_FALSE(d->isModal());
  EXPECT_EQ(d->findChildren<QGroupBox*>().size(), 8);
  EXPECT_EQ(d->findChildren<QRadioButton*>().size(), 18);
  EXPECT_EQ(d->option(4, 2)->text(), QStringLiteral("９枚(&L)"));
}

TEST(FrmThink, CountGroupsFollowTheirAim) {
  Window s;
  s.g.s.shikou_chinitu = 1;  // しない
  FrmThink d(s.g, &s.w);
  d.show();
  EXPECT_FALSE(d.group(4)->isVisible());
  EXPECT_TRUE(d.group(5)->isVisible());
  d.option(2, 0)->setChecked(true);
  EXPECT_TRUE(d.group(4)->isVisible());
  d.option(3, 1)->setChecked(true);
  EXPECT_FALSE(d.group(5)->isVisible());
}

TEST(FrmThink, SetStoresAndWritesCancelLeavesAlone) {
  Window s;
  s.g.s.shikou_chinitu_su = 9;
  {
    FrmThink d(s.g, &s.w);
    EXPECT_TRUE(d.option(4, 1)->isChecked());
    EXPECT_TRUE(d.option(5, 0)->isChecked());
    d.option(0, 0)->setChecked(true);  // dora: する = 1
    d.option(7, 1)->setChecked(true);  // 弱気
    d.option(5, 2)->setChecked(true);  // １０枚 = 9
    d.cmdOK_Click();
  }
  EXPECT_EQ(s.g.s.shikou_dora, 1);
  EXPECT_EQ(s.g.s.shikou_rechi, 1);
  EXPECT_EQ(s.g.s.shikou_honitu_su, 9);
  QFile f(s.data.filePath(QStringLiteral("sekiba_shi.txt")));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().toStdString(), " 1 \r\n 0 \r\n 0 \r\n 0 \r\n 9 \r\n 9 \r\n 0 \r\n 1 \r\n");

  FrmThink d(s.g, &s.w);
  d.option(7, 0)->setChecked(true);
  d.cmdNG_Click();
  EXPECT_EQ(s.g.s.shikou_rechi, 1);
}

TEST(FrmThink, ACountNoOptionShowsKeepsItsDefaultOnSet) {
  Window s;
  s.g.s.shikou_chinitu_su = 12;
  FrmThink d(s.g, &s.w);
  for (int k = 0; k < 3; ++k) EXPECT_FALSE(d.option(4, k)->isChecked());
  d.cmdOK_Click();
  EXPECT_EQ(s.g.s.shikou_chinitu_su, 8);
}

}  // namespace
}  // namespace sekiba
