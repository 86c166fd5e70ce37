// The window on the desktop: its place kept between runs, full screen, the keys
// beside the menu items, a resize that waits for the new scale's pictures, the
// page of conveniences, and the sound's loudness.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QSlider>
#include <QTabWidget>
#include <cstdlib>

#include "engine/game.h"
#include "engine/startup.h"
#include "platform/folders.h"
#include "qt/frm_sekiba.h"
#include "qt/frmsettei.h"
#include "qt/frmsettei_extras.h"
#include "qt/qt_platform.h"
#include "qt/table_view.h"
#include "screen/screen.h"

#include "qt_app.h"

namespace sekiba {
namespace {

struct Window : test::AppFirst {
  QtPlatform os;
  Game g{os};
  FrmSekiba w{os, g};
  Window() { os.attach(&w, &g); }
  ~Window() { os.attach(nullptr, nullptr); }
};

void wait_ms(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(Desktop, TheWindowComesBackWhereAndAsLargeAsItWasLeft) {
  test::ensure_qt_app();
  QFile::remove(QString::fromStdString(user_config_folder()) + "/window.ini");
  {
    Window a;
    EXPECT_FALSE(a.w.restore_geometry());  // the first run: nothing kept
    a.w.show();
    a.w.setGeometry(40, 50, 600, 450);
    QCoreApplication::processEvents();
    a.w.save_geometry();
  }
  {
    Window b;
    ASSERT_TRUE(b.w.restore_geometry());
    b.w.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(b.w.geometry().size(), QSize(600, 450));
    EXPECT_EQ(b.w.geometry().topLeft(), QPoint(40, 50));

    // Full screen and back, by the menu item F11 stands for; a window left in
    // full screen comes back as it was before it.
    QAction* full = b.w.full_screen_action();
    EXPECT_EQ(full->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_TRUE(b.w.menu_action("mnuset")->menu()->actions().contains(full));
    full->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(b.w.isFullScreen());
    EXPECT_TRUE(full->isChecked());
    b.w.save_geometry();
    full->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(b.w.isFullScreen());
    EXPECT_FALSE(full->isChecked());
  }
  Window c;
  ASSERT_TRUE(c.w.restore_geometry());
  EXPECT_FALSE(c.w.isFullScreen());
  EXPECT_EQ(c.w.geometry().size(), QSize(600, 450));
}

TEST(Desktop, MenuItemsShowTheFunctionKeysTheTableAnswers) {
  Window a;
  struct Case {
    const char* menu;
    const char* key;
  } cases[] = {{"mnugame", "F2"},   {"mnuauto", "F4"},   {"mnudora", "F5"},
               {"mnurasu", "F6"},   {"mnuhaipai", "F7"}, {"mnudouble", "F8"},
               {"mnuopen", "F9"},   {"mnucap", "F12"}};
  for (const auto& c : cases) {
    const QString text = a.w.menu_action(c.menu)->text();
    EXPECT_TRUE(text.endsWith(QLatin1Char('\t') + QLatin1String(c.key))) << c.menu;
    // Shown only: the game hears the key itself, so Qt must not take it.
    EXPECT_TRUE(a.w.menu_action(c.menu)->shortcut().isEmpty()) << c.menu;
  }
  EXPECT_FALSE(a.w.menu_action("mnusettei")->text().contains(QLatin1Char('\t')));
}

TEST(Desktop, ANewScaleWaitsForTheSizeToSettleAKeptOneDoesNot) {
  test::ensure_qt_app();
  Surface surface(kScreenW, kScreenH, 1.0, kBlack);
  TableView v;
  std::vector<double> asked;
  bool ready = false;
  v.set_surface(&surface);
  v.on_scale = [&](double k) {
    asked.push_back(k);
    surface = Surface(kScreenW, kScreenH, k, kBlack);
  };
  v.scale_ready = [&](double) { return ready; };
  v.resize(1280, 960);
  v.show();
  v.repaint();
  EXPECT_TRUE(asked.empty());  // the table at 1 fills the window for now
  v.resize(1300, 975);
  v.repaint();
  EXPECT_TRUE(asked.empty());
  wait_ms(TableView::kSettleMs + 150);
  ASSERT_EQ(asked.size(), 1u);  // once, at the size the window settled at
  EXPECT_NEAR(asked.back(), 1300.0 / 640 * v.devicePixelRatioF(), 1e-9);

  ready = true;  // a scale whose pictures are kept is drawn before the paint
  v.resize(1280, 960);
  v.repaint();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_NEAR(asked.back(), 2.0 * v.devicePixelRatioF(), 1e-9);
}

TEST(Desktop, ConveniencesPageKeepsItsSwitchesAndTheVolume) {
  Window a;
  const std::string folder = user_config_folder();
  QFile::remove(QString::fromStdString(folder) + "/extras.conf");
  load_extras(a.g);
  {
    FrmSettei d(a.g, &a.w);
    ASSERT_EQ(d.pages()->count(), 2);
    ExtrasPage* p = d.extras();
    // Everything off and full volume as long as nothing was chosen.
    EXPECT_FALSE(p->calls()->isChecked() || p->refusals()->isChecked() || p->hints()->isChecked());
    EXPECT_EQ(p->volume()->value(), 100);
    EXPECT_FALSE(p->mute()->isChecked());
    p->calls()->setChecked(true);
    p->hints()->setChecked(true);
    p->volume()->setValue(40);
    p->mute()->setChecked(true);
    EXPECT_FALSE(p->volume()->isEnabled());
    d.cmdOK_Click();
  }
  EXPECT_TRUE(a.g.ext.calls_when_possible);
  EXPECT_FALSE(a.g.ext.say_refusals);
  EXPECT_TRUE(a.g.ext.keep_hints);
  Window b;
  load_extras(b.g);
  EXPECT_TRUE(b.g.ext.calls_when_possible);
  EXPECT_EQ(b.g.ext.volume, 40);
  EXPECT_TRUE(b.g.ext.muted);
  {
    FrmSettei d(b.g, &b.w);
    EXPECT_TRUE(d.extras()->mute()->isChecked());
    d.extras()->calls()->setChecked(false);
    d.cmdNG_Click();  // cancelled: nothing changes
  }
  EXPECT_TRUE(b.g.ext.calls_when_possible);
}

TEST(Desktop, SoundIsAGamesAndFollowsTheVolume) {
  // The role is the game's unless the user's environment chose another.
  ::unsetenv("PULSE_PROP_media.role");
  declare_sound_role();
  EXPECT_STREQ(std::getenv("PULSE_PROP_media.role"), "game");
  ::setenv("PULSE_PROP_media.role", "music", 1);
  declare_sound_role();
  EXPECT_STREQ(std::getenv("PULSE_PROP_media.role"), "music");

  EXPECT_DOUBLE_EQ(QtPlatform::sound_gain(100, false), 1.0);
  EXPECT_DOUBLE_EQ(QtPlatform::sound_gain(0, false), 0.0);
  EXPECT_DOUBLE_EQ(QtPlatform::sound_gain(80, true), 0.0);
  // Even steps to the ear: half the slider is well under half the amplitude,
  // and every step up is louder.
  EXPECT_LT(QtPlatform::sound_gain(50, false), 0.5);
  double last = 0;
  for (int v = 10; v <= 100; v += 10) {
    EXPECT_GT(QtPlatform::sound_gain(v, false), last) << v;
    last = QtPlatform::sound_gain(v, false);
  }
}

}  // namespace
}  // namespace sekiba
