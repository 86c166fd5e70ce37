// The stacking editor, the yaku pages and the version box under the offscreen
// platform. With SEKIBA_SHOTS_DIR set, pictures of the three go to that folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QTemporaryDir>

#include "engine/game.h"
#include "engine/startup.h"
#include "engine/tumikomi.h"
#include "qt/frm_sekiba.h"
#include "qt/frmabout.h"
#include "qt/frmhelp.h"
#include "qt/frmtumikomi.h"
#include "qt/frmyakuhelp.h"
#include "qt/qt_platform.h"
#include "qt/table_view.h"
#include "screen/screen.h"

#include "qt_app.h"

namespace sekiba {
namespace {

struct Started : test::AppFirst {
  QtPlatform os;
  Game g{os};
  FrmSekiba w{os, g};
  QTemporaryDir data;
  Started() {
    os.attach(&w, &g);
    w.show();
    Form_Load(g);
    g.t.app_path = data.path().toStdString();
    g.s.settei[12] = 1;  // no sound files in the test
    // The default patterns the build puts beside the game.
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/../sekiba_tin.txt"),
                data.filePath("sekiba_tin.txt"));
    tumikomi_load_tin(g);
  }
  ~Started() { os.attach(nullptr, nullptr); }
  template <class T>
  QList<T*> open() {
    QCoreApplication::processEvents();
    QList<T*> out;
    for (T* d : w.findChildren<T*>())
      if (d->isVisible()) out << d;
    return out;
  }
};

void click(TableView* v, int x, int y, Qt::MouseButton b) {
  const Letterbox lb = v->letterbox();
  QPointF p(lb.x + (x + 0.5) * lb.scale, lb.y + (y + 0.5) * lb.scale);
  QMouseEvent ev(QEvent::MouseButtonPress, p, v->mapToGlobal(p), b, b, Qt::NoModifier);
  QApplication::sendEvent(v, &ev);
}

QPushButton* button(QWidget* d, const char* name) {
  return d->findChild<QPushButton*>(QString::fromLatin1(name));
}

void shot(QWidget* d, const char* file) {
  QByteArray dir = qgetenv("SEKIBA_SHOTS_DIR");
  if (dir.isEmpty()) return;
  QCoreApplication::processEvents();
  d->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(file));
}

TEST(HelpWindows, YakuPagesOpenFromTheMenuAndAnotherItemTurnsTheOpenWindow) {
  Started s;
  s.g.s.settei[7] = 1;
  menu_command(s.g, "mnuyaku4");
  auto open = s.open<FrmYakuHelp>();
  ASSERT_EQ(open.size(), 1);
  FrmYakuHelp* d = open.front();
  EXPECT_EQ(d->windowTitle(), QStringLiteral("翠嶺牌戯の上がり役図解説明"));
  EXPECT_FALSE(d->isModal());
  EXPECT_EQ(d->view()->width() % kHelpW, 0);
  EXPECT_EQ(d->view()->mapTo(d, QPoint(0, 0)), QPoint(0, 0));  // no frame around the page
  button(d, "cmdNEXT")->click();
  EXPECT_EQ(s.g.help_page, 5);
  menu_command(s.g, "mnuyaku30");
  ASSERT_EQ(s.open<FrmYakuHelp>().size(), 1);
  EXPECT_EQ(s.g.help_page, 30);
  button(d, "cmdNEXT")->click();
  EXPECT_EQ(s.g.help_page, 0);
  button(d, "cmdBACK")->click();
  menu_command(s.g, "mnuyaku8");
  shot(d, "yakuhelp.png");
  button(d, "cmdexit")->click();
  EXPECT_TRUE(s.open<FrmYakuHelp>().empty());
}

TEST(HelpWindows, EditorStepsTilesPagesAndRefusesAFifthCopy) {
  Started s;
  menu_command(s.g, "mnutumikomi");
  auto open = s.open<FrmTumikomi>();
  ASSERT_EQ(open.size(), 1);
  FrmTumikomi* d = open.front();
  EXPECT_EQ(d->windowTitle(), QStringLiteral("積み込みエディタ"));
  EXPECT_EQ(d->pattern_label()->text(), QStringLiteral("0"));
  shot(d, "editor.png");

  const int first = s.g.tumikomi_data[std::size_t(tumikomi_index(0, 0, 0))];
  click(d->view(), 20, 30, Qt::RightButton);
  EXPECT_EQ(s.g.tumikomi_data[std::size_t(tumikomi_index(0, 0, 0))], tumikomi_step(first, true));
  click(d->view(), 20, 30, Qt::LeftButton);
  EXPECT_EQ(s.g.tumikomi_data[std::size_t(tumikomi_index(0, 0, 0))], first);

  button(d, "cmdBACK")->click();
  EXPECT_EQ(d->pattern_label()->text(), QStringLiteral("14"));
  button(d, "cmdNEXT")->click();
  button(d, "cmdNEXT")->click();
  EXPECT_EQ(d->pattern_label()->text(), QStringLiteral("1"));

  // Pattern 1, first row: five 1-bamboo.
  for (int j = 0; j < 5; ++j) s.g.tumikomi_data[std::size_t(tumikomi_index(1, 0, j))] = 1;
  button(d, "cmdNEXT")->click();
  button(d, "cmdOK")->click();
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(d->pattern_label()->text(), QStringLiteral("1"));
  EXPECT_FALSE(QFile::exists(s.data.filePath("sekiba_tum.txt")));

  s.g.tumikomi_data[std::size_t(tumikomi_index(1, 0, 4))] = 2;
  button(d, "cmdOK")->click();
  EXPECT_TRUE(s.open<FrmTumikomi>().empty());
  EXPECT_TRUE(QFile::exists(s.data.filePath("sekiba_tum.txt")));
}

TEST(HelpWindows, ClosingTheEditorWithoutSavingReadsTheSavedPatternsBack) {
  Started s;
  ASSERT_TRUE(tumikomi_save(s.g));
  const auto saved = s.g.tumikomi_data;
  menu_command(s.g, "mnutumikomi");
  FrmTumikomi* d = s.open<FrmTumikomi>().value(0);
  ASSERT_NE(d, nullptr);
  click(d->view(), 20, 30, Qt::RightButton);
  EXPECT_NE(s.g.tumikomi_data, saved);
  d->close();  // the window's close button
  EXPECT_EQ(s.g.tumikomi_data, saved);
  EXPECT_TRUE(s.open<FrmTumikomi>().empty());
}

TEST(HelpWindows, VersionBoxShowsTheHiddenPictureOnlyWithShiftAndCtrl) {
  Started s;
  menu_command(s.g, "mnuabout");
  auto open = s.open<FrmAbout>();
  ASSERT_EQ(open.size(), 1);
  FrmAbout* d = open.front();
  EXPECT_EQ(d->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
  EXPECT_TRUE(d->isModal());
  EXPECT_EQ(d->label("lblheading")->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.00"));
  EXPECT_EQ(d->label("lblapplication")->text(), QStringLiteral("翠嶺牌戯"));
  // The box names the game's licence.
  QLabel* licence = d->label("lbllicence");
  ASSERT_NE(licence, nullptr);
  EXPECT_TRUE(licence->text().contains(QStringLiteral("GPL-3.0-or-later")));
  EXPECT_TRUE(licence->isVisibleTo(d));
  shot(d, "about.png");

  QLabel* c = d->label("lblcopyright");
  auto press = [&](Qt::KeyboardModifiers mods) {
    QMouseEvent ev(QEvent::MouseButtonPress, QPointF(5, 5), c->mapToGlobal(QPointF(5, 5)),
                   Qt::LeftButton, Qt::LeftButton, mods);
    QApplication::sendEvent(c, &ev);
  };
  press(Qt::NoModifier);
  press(Qt::ShiftModifier);
  press(Qt::ControlModifier | Qt::AltModifier);
  EXPECT_FALSE(d->hidden_picture_shown());
  press(Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_TRUE(d->hidden_picture_shown());
  button(d, "cmdOK")->click();
  EXPECT_TRUE(s.open<FrmAbout>().empty());
}

TEST(HelpWindows, HelpPagesShowInTheGamesOwnWindowWithTheirLinks) {
  Started s;
  // The page the build puts beside the game.
  s.g.t.read_folders = {(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).toStdString()};
  menu_command(s.g, "mnusousa");
  FrmHelp* shipped = s.open<FrmHelp>().value(0);
  ASSERT_NE(shipped, nullptr);
  EXPECT_TRUE(shipped->browser()->toPlainText().contains(QStringLiteral("翠嶺牌戯 ヘルプ")));
  shot(shipped, "help.png");
  shipped->close();
  // No desktop program is needed: the pages show in the game's window.
  auto write = [&](const char* name, const QByteArray& html) {
    QFile f(s.data.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(html);
  };
  write("sekiba_html_help_mokuji.htm",
        "<html><head><meta charset=\"utf-8\"><title>目次</title></head><body>"
        "<p>目次のページ</p><p><a href=\"keys.htm\">操作方法</a></p></body></html>");
  write("keys.htm", "<html><head><meta charset=\"utf-8\"></head><body><p>キーの説明</p></body></html>");
  s.g.t.read_folders = {s.data.path().toStdString()};
  EXPECT_FALSE(s.w.menu_action("mnuhome")->isVisible());  // no address in this build
  menu_command(s.g, "mnusousa");
  FrmHelp* d = s.open<FrmHelp>().value(0);
  ASSERT_NE(d, nullptr);
  QTextBrowser* b = d->browser();
  EXPECT_TRUE(b->toPlainText().contains(QStringLiteral("目次のページ")));
  // The link, reached with Tab and followed with Enter, opens inside the window.
  for (int key : {int(Qt::Key_Tab), int(Qt::Key_Return)}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(b, &press);
  }
  EXPECT_EQ(b->source().fileName(), QStringLiteral("keys.htm"));
  EXPECT_TRUE(b->toPlainText().contains(QStringLiteral("キーの説明")));
  // ﾍﾙﾌﾟ again brings the same window back to the contents.
  menu_command(s.g, "mnusousa");
  ASSERT_EQ(s.open<FrmHelp>().size(), 1);
  EXPECT_TRUE(b->toPlainText().contains(QStringLiteral("目次のページ")));
  d->close();
  // Without the file the window still opens and says what is missing.
  QFile::remove(s.data.filePath(QStringLiteral("sekiba_html_help_mokuji.htm")));
  menu_command(s.g, "mnusousa");
  d = s.open<FrmHelp>().value(0);
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(d->browser()->toPlainText().contains(QStringLiteral("sekiba_html_help_mokuji.htm")));
}

TEST(HelpWindows, VersionBoxGrowsWithTheTable) {
  Started s;
  TableView* v = s.w.table_view();
  s.w.resize(s.w.width() + 2 * kScreenW - v->width(), s.w.height() + 2 * kScreenH - v->height());
  QCoreApplication::processEvents();
  ASSERT_EQ(v->letterbox().scale, 2.0);
  menu_command(s.g, "mnuabout");
  FrmAbout* d = s.open<FrmAbout>().value(0);
  ASSERT_NE(d, nullptr);
  // 440 x 214 with its 80 x 80 picture at (20, 20), at twice the size.
  EXPECT_EQ(d->size(), QSize(880, 428));
  auto* image1 = d->findChild<QLabel*>(QStringLiteral("Image1"));
  ASSERT_NE(image1, nullptr);
  EXPECT_EQ(image1->geometry(), QRect(40, 40, 160, 160));
  EXPECT_EQ(image1->pixmap().size(), QSize(160, 160) * d->devicePixelRatioF());
  EXPECT_EQ(d->label("lblapplication")->font().pointSize(), 36);
  EXPECT_EQ(d->findChild<QPushButton*>(QStringLiteral("cmdOK"))->geometry(), QRect(640, 332, 200, 60));
}

}  // namespace
}  // namespace sekiba
