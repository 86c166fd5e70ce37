// The main window under the offscreen platform: start-up, menus, input mapping,
// pointer and the settings dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QLineEdit>
#include <QTimer>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <stdexcept>
#include <vector>

#include "engine/game.h"
#include "engine/menus.h"
#include "engine/startup.h"
#include "platform/fileio.h"
#include "qt/frm_sekiba.h"
#include "qt/frmname.h"
#include "qt/qt_language.h"
#include "records/hiscore.h"
#include "qt/frmsettei.h"
#include "qt/qt_platform.h"
#include "qt/table_view.h"
#include "records/settings.h"
#include "screen/screen.h"

#include "qt_app.h"

namespace sekiba {
namespace {

// A started game: the window shown, start-up run.
struct Started {
  QtPlatform os;
  Game g{os};
  FrmSekiba w{os, g};
  QTemporaryDir data;
  bool loaded = false;
  std::vector<InputEvent> input;

  Started() {
    os.attach(&w, &g);
    w.show();
    loaded = Form_Load(g);
    g.t.app_path = data.path().toStdString();  // saves go to a scratch folder
    os.on_input = [this](const InputEvent& ev) { input.push_back(ev); };
  }
  ~Started() { os.attach(nullptr, nullptr); }

  // Makes the table area exactly w x h pixels.
  void size_view(int vw, int vh) {
    TableView* v = w.table_view();
    w.resize(w.width() + vw - v->width(), w.height() + vh - v->height());
    QCoreApplication::processEvents();
  }
  void press(QPoint view_pos, Qt::MouseButton b = Qt::LeftButton) {
    QMouseEvent ev(QEvent::MouseButtonPress, QPointF(view_pos), QPointF(view_pos), b, b,
                   Qt::NoModifier);
    QApplication::sendEvent(w.table_view(), &ev);
  }
};

class MainWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::ensure_qt_app(); }
};

TEST_F(MainWindow, StartUpSetsCaptionMenusAndMode) {
  Started s;
  ASSERT_TRUE(s.loaded);
  EXPECT_EQ(s.w.windowTitle(),
            QStringLiteral("翠嶺牌戯 for Windows (ＬＡＮ対戦機能付き) Ver.1.00"));

  QStringList tops;
  for (QAction* a : s.w.menuBar()->actions()) tops << a->text();
  EXPECT_EQ(tops, (QStringList{QStringLiteral("ｹﾞｰﾑ(&G)"), QStringLiteral("設定(&S)"),
                               QStringLiteral("機能(&F)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
  ASSERT_NE(s.w.menu_action("mnukinou"), nullptr);
  EXPECT_FALSE(s.w.menu_action("mnukinou")->isVisible());
  EXPECT_TRUE(s.w.menu_action("mnujan")->isVisible());

  for (int i = 1; i <= 8; ++i) {
    QAction* a = s.w.menu_action("mnumode" + std::to_string(i));
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isCheckable());
    EXPECT_EQ(a->isChecked(), i == 1) << i;
  }
  // Sub-menus sit under their parents with their captions.
  ASSERT_NE(s.w.menu_action("mnuyaku30"), nullptr);
  EXPECT_EQ(s.w.menu_action("mnuyaku30")->text(), QStringLiteral("大車輪(&M)"));
  EXPECT_EQ(s.w.menu_action("mnuyakuy")->menu()->actions().size(), 13);
  EXPECT_TRUE(s.w.menu_action("mnus9")->isSeparator());
  EXPECT_EQ(s.w.menu_action("nosuchmenu"), nullptr);
}

TEST_F(MainWindow, ModeMenuMovesTheCheckMarkThroughTheGame) {
  Started s;
  ASSERT_TRUE(s.loaded);
  s.w.menu_action("mnumode3")->trigger();
  // Until the game has run the command the mark stays where the game put it.
  EXPECT_TRUE(s.w.menu_action("mnumode1")->isChecked());
  EXPECT_FALSE(s.w.menu_action("mnumode3")->isChecked());
  QCoreApplication::processEvents();
  EXPECT_FALSE(s.w.menu_action("mnumode1")->isChecked());
  EXPECT_TRUE(s.w.menu_action("mnumode3")->isChecked());
  EXPECT_EQ(s.g.t.game_mode, kModeOfItem[3]);

  // Choosing the checked item again keeps it checked.
  s.w.menu_action("mnumode3")->trigger();
  QCoreApplication::processEvents();
  EXPECT_TRUE(s.w.menu_action("mnumode3")->isChecked());
}

TEST_F(MainWindow, HidingASubMenuAndAnItem) {
  Started s;
  s.w.set_menu_visible("mnulan", false);
  s.w.set_menu_visible("mnus", false);
  EXPECT_FALSE(s.w.menu_action("mnulan")->isVisible());
  EXPECT_FALSE(s.w.menu_action("mnus")->isVisible());
  s.w.set_menu_visible("mnugame", false);
  EXPECT_FALSE(s.w.menu_action("mnugame")->isVisible());
  s.w.set_menu_visible("mnukinou", true);
  EXPECT_TRUE(s.w.menu_action("mnukinou")->isVisible());
  s.w.set_menu_visible("nosuchmenu", false);  // ignored
}

TEST_F(MainWindow, ClicksMapToSurfacePixelsAtScaleTwo) {
  Started s;
  s.size_view(2 * kScreenW, 2 * kScreenH);
  TableView* v = s.w.table_view();
  ASSERT_EQ(v->size(), QSize(1280, 960));
  EXPECT_DOUBLE_EQ(v->letterbox().scale, 2.0);

  // A point given in window coordinates, as the user clicks it.
  QPoint in_window = v->mapTo(&s.w, QPoint(201, 101));
  s.press(v->mapFrom(&s.w, in_window));
  s.press(QPoint(199, 99), Qt::RightButton);
  s.press(QPoint(1279, 959), Qt::MiddleButton);
  s.press(QPoint(0, 0), Qt::BackButton);  // not a button of the game
  ASSERT_EQ(s.input.size(), 3u);
  EXPECT_EQ(s.input[0].kind, InputEvent::Kind::MouseDown);
  EXPECT_EQ(s.input[0].button, 1);
  EXPECT_EQ(s.input[0].x, 100);
  EXPECT_EQ(s.input[0].y, 50);
  EXPECT_EQ(s.input[1].button, 2);
  EXPECT_EQ(s.input[1].x, 99);
  EXPECT_EQ(s.input[1].y, 49);
  EXPECT_EQ(s.input[2].button, 4);
  EXPECT_EQ(s.input[2].x, 639);
  EXPECT_EQ(s.input[2].y, 479);
}

TEST_F(MainWindow, LetterboxBordersTakeNoClicks) {
  Started s;
  s.size_view(1400, 960);  // 60 pixels of black at either side
  TableView* v = s.w.table_view();
  ASSERT_EQ(v->size(), QSize(1400, 960));
  s.press(QPoint(59, 500));
  s.press(QPoint(1340, 500));
  EXPECT_TRUE(s.input.empty());
  s.press(QPoint(60, 0));
  s.press(QPoint(1339, 959));
  ASSERT_EQ(s.input.size(), 2u);
  EXPECT_EQ(s.input[0].x, 0);
  EXPECT_EQ(s.input[1].x, 639);
  EXPECT_EQ(s.input[1].y, 479);

  QMouseEvent move(QEvent::MouseMove, QPointF(70.5, 10), QPointF(70.5, 10), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(v, &move);
  ASSERT_EQ(s.input.size(), 3u);
  EXPECT_EQ(s.input[2].kind, InputEvent::Kind::MouseMove);
  EXPECT_EQ(s.input[2].x, 5);
  EXPECT_EQ(s.input[2].y, 5);
}

TEST_F(MainWindow, KeysReachTheGameWithWindowsCodes) {
  Started s;
  auto key = [&](int k, Qt::KeyboardModifiers m) {
    QKeyEvent ev(QEvent::KeyPress, k, m);
    QApplication::sendEvent(s.w.table_view(), &ev);
  };
  key(Qt::Key_F2, Qt::NoModifier);
  key(Qt::Key_5, Qt::KeypadModifier);
  key(Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
  key(Qt::Key_Eacute, Qt::NoModifier);  // no key of the game: code 0, which clears the last key
  ASSERT_EQ(s.input.size(), 4u);
  EXPECT_EQ(s.input[3].vk, 0);
  EXPECT_EQ(s.input[0].vk, 0x71);
  EXPECT_EQ(s.input[1].vk, 0x65);
  EXPECT_EQ(s.input[2].vk, 0x41);
  EXPECT_TRUE(s.input[2].shift);
  EXPECT_TRUE(s.input[2].ctrl);
}

TEST_F(MainWindow, EscClosingAMenuGivesTheKeysBackToTheTable) {
  Started s;
  s.w.activateWindow();
  QCoreApplication::processEvents();
  s.w.table_view()->setFocus();
  QMenuBar* bar = s.w.menuBar();
  for (const char* menu : {"mnujan", "mnuhelp"}) {
    // The menu opened from the bar, as a click on its title opens it.
    bar->setActiveAction(s.w.menu_action(menu));
    QCoreApplication::processEvents();
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr) << menu;
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(popup, &esc);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << menu;
    EXPECT_EQ(QApplication::focusWidget(), s.w.table_view()) << menu;
    EXPECT_EQ(bar->activeAction(), nullptr) << menu;

    // The next key, sent where the keyboard goes, is the game's.
    s.input.clear();
    QKeyEvent n(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : &s.w, &n);
    ASSERT_EQ(s.input.size(), 1u) << menu;
    EXPECT_EQ(s.input[0].vk, 'N');
  }
}

TEST_F(MainWindow, NoticeShowsOverTheTableForAMomentAndLeavesItAsItWas) {
  Started s;
  s.size_view(kScreenW, kScreenH);
  TableView* v = s.w.table_view();
  const std::vector<Pixel> surface = s.g.scr.win.px;
  const QImage plain = v->grab().toImage();
  s.os.show_notice("保存しました: /tmp/sekiba_capture.bmp");
  EXPECT_EQ(v->notice_text(), QStringLiteral("保存しました: /tmp/sekiba_capture.bmp"));
  v->show_notice(QStringLiteral("保存しました: /tmp/sekiba_capture.bmp"), 150);
  EXPECT_NE(v->grab().toImage(), plain);
  EXPECT_TRUE(s.g.scr.win.px == surface);  // drawn over the table, never into it
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 400) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(v->notice_text().isEmpty());
  EXPECT_EQ(v->grab().toImage(), plain);
}

TEST_F(MainWindow, FailuresInsideTheGameStayOutOfQt) {
  Started s;
  s.os.on_input = [](const InputEvent&) { throw QuitRequested(); };
  s.press(QPoint(10, 10));
  s.os.on_input = [](const InputEvent&) { throw std::runtime_error("broken command"); };
  s.press(QPoint(10, 10));
  s.os.on_menu = [](const std::string&) { throw std::runtime_error("broken menu"); };
  s.w.menu_action("mnuend")->trigger();
  QCoreApplication::processEvents();
  EXPECT_FALSE(s.os.quit_requested());
}

TEST_F(MainWindow, PointerImageKeepsItsTransparentColourClear) {
  Started s;
  TableView* v = s.w.table_view();
  Surface img(32, 32, kPointerTransparent);
  img.at(3, 4) = rgb(10, 20, 30);
  s.w.set_table_pointer(&img, 3, 4);
  ASSERT_EQ(v->cursor().shape(), Qt::BitmapCursor);
  QImage shown = v->cursor().pixmap().toImage();
  int k = shown.width() / 32;
  ASSERT_GE(k, 1);
  EXPECT_EQ(v->cursor().hotSpot(), QPoint(3 * k, 4 * k));
  EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
  EXPECT_EQ(shown.pixel(3 * k, 4 * k), qRgb(10, 20, 30));
  s.w.set_table_pointer(nullptr, 0, 0);
  EXPECT_FALSE(v->testAttribute(Qt::WA_SetCursor));
}

TEST_F(MainWindow, SettingsDialogOpensOnceFromTheMenu) {
  Started s;
  ASSERT_TRUE(s.loaded);
  s.w.menu_action("mnusettei")->trigger();
  QCoreApplication::processEvents();
  s.w.menu_action("mnusettei")->trigger();
  QCoreApplication::processEvents();
  QList<FrmSettei*> open = s.w.findChildren<FrmSettei*>();
  ASSERT_EQ(open.size(), 1);
  FrmSettei* d = open.front();
  EXPECT_EQ(d->windowTitle(), QStringLiteral("設定モード"));
  EXPECT_TRUE(d->isVisible());
  EXPECT_FALSE(d->isModal());
  EXPECT_EQ(d->findChildren<QGroupBox*>().size(), 18);
  EXPECT_EQ(d->findChildren<QRadioButton*>().size(), 36);
  EXPECT_EQ(d->option(17, 1)->text(), QStringLiteral("しない(&R)"));
}

TEST_F(MainWindow, SettingsDialogStoresByEachGroupsRule) {
  Started s;
  // A value of 2 reads as "on" under rule A and as "off" under rule B.
  s.g.s.settei[0] = 2;   // group 0, rule A
  s.g.s.settei[12] = 2;  // group 10, rule B
  s.g.s.settei[17] = 1;  // group 15, rule B
  s.g.s.settei[21] = 7;  // no control: untouched
  {
    FrmSettei d(s.g, &s.w);
    EXPECT_TRUE(d.option(0, 0)->isChecked());
    EXPECT_TRUE(d.option(10, 0)->isChecked());
    EXPECT_TRUE(d.option(15, 1)->isChecked());
    d.option(15, 0)->setChecked(true);
    d.cmdOK_Click();
  }
  EXPECT_EQ(s.g.s.settei[0], 1);
  EXPECT_EQ(s.g.s.settei[12], 0);
  EXPECT_EQ(s.g.s.settei[17], 0);
  EXPECT_EQ(s.g.s.settei[21], 7);
  EXPECT_TRUE(QFile::exists(s.data.filePath(QStringLiteral("sekiba_set.txt"))));

  FrmSettei d(s.g, &s.w);
  d.option(0, 1)->setChecked(true);
  d.cmdNG_Click();
  EXPECT_EQ(s.g.s.settei[0], 1);
}

TEST_F(MainWindow, NameDialogLeavesTheBestTenAndItsLineInSight) {
  Started s;
  s.size_view(kScreenW, kScreenH);
  // Centred on the screen, as the game puts its window.
  const QRect avail = s.w.screen()->availableGeometry();
  s.w.move(avail.center() - QPoint(s.w.frameGeometry().width() / 2, s.w.frameGeometry().height() / 2));
  QCoreApplication::processEvents();
  TableView* v = s.w.table_view();
  // The best-ten box (column 6, row 5 to column 72, row 36) and the line under
  // it (column 4, row 42 to column 73, row 47), frames and shadow included.
  auto on_screen = [&](int sx, int sy, int ex, int ey) {
    const Letterbox lb = v->letterbox();
    const QPoint a(int(lb.x + 8 * sx * lb.scale), int(lb.y + 8 * sy * lb.scale));
    const QPoint b(int(lb.x + (8 * ex + 10) * lb.scale), int(lb.y + (8 * ey + 10) * lb.scale));
    return QRect(v->mapToGlobal(a), v->mapToGlobal(b));
  };
  s.w.open_dialog("frmname");
  QList<FrmName*> open = s.w.findChildren<FrmName*>();
  ASSERT_EQ(open.size(), 1);
  const QRect d = open.front()->frameGeometry();
  EXPECT_FALSE(d.intersects(on_screen(6, 5, 72, 36))) << d.x() << "," << d.y();
  EXPECT_FALSE(d.intersects(on_screen(4, 42, 73, 47))) << d.x() << "," << d.y();
  open.front()->cmdOK_Click();
}

TEST_F(MainWindow, ClosingTheWindowRunsTheGamesCloseHandler) {
  QtPlatform os;
  Game g(os);
  FrmSekiba w(os, g);
  os.attach(&w, &g);
  int closes = 0;
  os.on_close = [&] { ++closes; };
  w.show();
  w.open_dialog("frmsettei");
  w.open_dialog("frmunknown");  // forms not built yet are ignored
  w.close();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(os.quit_requested());
  for (FrmSettei* d : w.findChildren<FrmSettei*>()) EXPECT_FALSE(d->isVisible());
  os.attach(nullptr, nullptr);
}

TEST_F(MainWindow, QuittingFromTheNameDialogKeepsTheNameTyped) {
  for (bool by_menu : {true, false}) {
    Started s;
    ASSERT_TRUE(s.loaded);
    s.g.t.man_ten = 500;
    s.g.t.game_no = 9;
    hi_score_new(s.g);
    ASSERT_EQ(hi_score_rank(s.g), 0);
    QTimer::singleShot(0, &s.w, [&] {
      QList<FrmName*> open = s.w.findChildren<FrmName*>();
      ASSERT_EQ(open.size(), 1);
      open.front()->txtname()->setText(QStringLiteral("翠嶺"));
      if (by_menu) s.w.menu_action("mnuend")->trigger();
      else s.w.close();
    });
    EXPECT_THROW(name_input(s.g, 0), QuitRequested);
    Records saved;
    parse_hi_score(read_file(s.data.filePath(QStringLiteral("sekiba_his.bin")).toStdString()).value_or(""),
                   saved);
    EXPECT_EQ(saved.hi_score[0], 500) << by_menu;
    EXPECT_EQ(saved.hi_name[0], "翠嶺") << by_menu;
    EXPECT_TRUE(QFile::exists(s.data.filePath(QStringLiteral("sekiba_top.jan")))) << by_menu;
  }
}

TEST_F(MainWindow, MessageBoxButtonsSpeakJapanese) {
  ASSERT_TRUE(install_qt_translation());
  Started s;
  QStringList seen;
  // Reads the buttons of the box about to open, then answers with the first.
  auto read_then_answer = [&seen] {
    QTimer::singleShot(0, [&seen] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || !box->isVisible()) continue;
        QStringList texts;
        for (QAbstractButton* b : box->buttons()) texts << b->text().remove(QLatin1Char('&'));
        texts.sort();
        seen << texts.join(QLatin1Char(' '));
        box->buttons().front()->click();
      }
    });
  };
  read_then_answer();
  s.os.message_box("セーブしますか？", "データのセーブ", MessageButtons::YesNo, MessageIcon::Information);
  read_then_answer();
  s.os.message_box("書き込めませんでした", "ﾌｧｲﾙの書き込み", MessageButtons::Ok, MessageIcon::None);
  read_then_answer();
  s.os.ask_while_waiting("あきらめますか？", "LAN対戦", [] { return false; });
  ASSERT_EQ(seen.size(), 3);
  // Qt's Japanese texts carry their access keys in brackets: はい(Y), いいえ(N).
  EXPECT_TRUE(seen[0].startsWith(QStringLiteral("いいえ")) && seen[0].contains(QStringLiteral(" はい")))
      << seen[0].toStdString();
  EXPECT_EQ(seen[1], QStringLiteral("OK"));
  EXPECT_EQ(seen[2], seen[0]);
}

}  // namespace
}  // namespace sekiba
