// The automatic-play speed dialog under the offscreen platform.
#include "qt/frmspeed.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>
#include <QTemporaryDir>

#include "engine/game.h"
#include "engine/startup.h"
#include "qt/frm_sekiba.h"
#include "qt/qt_platform.h"

namespace sekiba {
namespace {

struct App {
  App() {
    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    static int argc = 1;
    static char name[] = "frmspeed_test";
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
  }
  ~Window() { os.attach(nullptr, nullptr); }
};

TEST(FrmSpeed, OpensOnceFromTheMenuModeless) {
  Window s;
  menu_command(s.g, "mnuautospeed");
  menu_command(s.g, "mnuautospeed");
  QList<FrmSpeed*> open = s.w.findChildren<FrmSpeed*>();
  ASSERT_EQ(open.size(), 1);
  EXPECT_EQ(open.front()->windowTitle(), QStringLiteral("全自動ﾓｰﾄﾞの時間調整"));
  EXPECT_FALSE(open.front()->isModal());
}

TEST(FrmSpeed, AValueWrittenByHandShowsSlowAndSurvivesSet) {
  Window s;
  s.g.s.settei[11] = 7;
  FrmSpeed d(s.g, &s.w);
  EXPECT_TRUE(d.option(3)->isChecked());
  d.cmdset_Click();
  EXPECT_EQ(s.g.s.settei[11], 7);
}

TEST(FrmSpeed, AChoiceIsStoredOnlyBySet) {
  Window s;
  s.g.s.settei[11] = 1;
  {
    FrmSpeed d(s.g, &s.w);
    d.option(2)->click();
    d.cmdret_Click();
    EXPECT_EQ(s.g.s.settei[11], 1);
  }
  FrmSpeed d(s.g, &s.w);
  d.option(2)->click();
  d.cmdset_Click();
  EXPECT_EQ(s.g.s.settei[11], 10);
}

}  // namespace
}  // namespace sekiba
