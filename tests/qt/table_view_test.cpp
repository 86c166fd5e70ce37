// Fitting the surface into the window and naming keys the Windows way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <vector>

#include "qt/table_view.h"

namespace sekiba {
namespace {

TEST(Letterbox, FitsTheLimitingSideAndCentresTheOther) {
  Letterbox wide = Letterbox::fit(1400, 960, 640, 480);
  EXPECT_DOUBLE_EQ(wide.scale, 2.0);
  EXPECT_DOUBLE_EQ(wide.x, 60);
  EXPECT_DOUBLE_EQ(wide.y, 0);

  Letterbox tall = Letterbox::fit(640, 600, 640, 480);
  EXPECT_DOUBLE_EQ(tall.scale, 1.0);
  EXPECT_DOUBLE_EQ(tall.y, 60);

  // An odd border is split on a whole pixel so an integer scale stays sharp.
  Letterbox odd = Letterbox::fit(641, 480, 640, 480);
  EXPECT_DOUBLE_EQ(odd.x, 0);

  Letterbox small = Letterbox::fit(320, 300, 640, 480);
  EXPECT_DOUBLE_EQ(small.scale, 0.5);
  EXPECT_DOUBLE_EQ(small.y, 30);
}

TEST(Letterbox, MapsBackWithFloorAndRejectsTheBorder) {
  Letterbox lb = Letterbox::fit(1400, 960, 640, 480);
  EXPECT_EQ(lb.to_surface(QPointF(60, 0)), QPoint(0, 0));
  EXPECT_EQ(lb.to_surface(QPointF(61.9, 1.9)), QPoint(0, 0));
  EXPECT_EQ(lb.to_surface(QPointF(62, 2)), QPoint(1, 1));
  EXPECT_EQ(lb.to_surface(QPointF(1339.9, 959.9)), QPoint(639, 479));
  EXPECT_FALSE(lb.to_surface(QPointF(59.9, 10)));
  EXPECT_FALSE(lb.to_surface(QPointF(1340, 10)));
  EXPECT_FALSE(lb.to_surface(QPointF(100, 960)));
  EXPECT_FALSE(lb.to_surface(QPointF(100, -0.1)));

  // Shrunk: every surface pixel is reachable from some window pixel near it.
  Letterbox half = Letterbox::fit(320, 240, 640, 480);
  EXPECT_EQ(half.to_surface(QPointF(319, 239)), QPoint(638, 478));

  EXPECT_FALSE(Letterbox::fit(0, 0, 640, 480).to_surface(QPointF(0, 0)));
}

TEST(DefaultScale, LargestWholeScaleThatFitsWithItsMargin) {
  QSize extra(32, 120);
  EXPECT_EQ(default_scale(QSize(1600, 1200), 640, 480, extra), 2);
  EXPECT_EQ(default_scale(QSize(1920, 1080), 640, 480, extra), 2);  // exactly fits
  EXPECT_EQ(default_scale(QSize(1920, 1079), 640, 480, extra), 1);
  EXPECT_EQ(default_scale(QSize(2560, 1560), 640, 480, extra), 3);
  EXPECT_EQ(default_scale(QSize(2560, 1559), 640, 480, extra), 2);
  EXPECT_EQ(default_scale(QSize(3840, 2160), 640, 480, extra), 4);
  EXPECT_EQ(default_scale(QSize(800, 600), 640, 480, extra), 1);
  EXPECT_EQ(default_scale(QSize(100, 100), 640, 480, extra), 1);  // never below 1
}

TEST(WindowsVk, LettersDigitsAndTheKeypadAreApart) {
  EXPECT_EQ(windows_vk(Qt::Key_A, Qt::NoModifier), 0x41);
  EXPECT_EQ(windows_vk(Qt::Key_N, Qt::ShiftModifier), 0x4E);
  EXPECT_EQ(windows_vk(Qt::Key_Z, Qt::NoModifier), 0x5A);
  EXPECT_EQ(windows_vk(Qt::Key_0, Qt::NoModifier), 0x30);
  EXPECT_EQ(windows_vk(Qt::Key_6, Qt::NoModifier), 0x36);
  EXPECT_EQ(windows_vk(Qt::Key_0, Qt::KeypadModifier), 0x60);
  EXPECT_EQ(windows_vk(Qt::Key_9, Qt::KeypadModifier), 0x69);
  EXPECT_EQ(windows_vk(Qt::Key_Asterisk, Qt::KeypadModifier), 0x6A);
  EXPECT_EQ(windows_vk(Qt::Key_Plus, Qt::KeypadModifier), 0x6B);
  EXPECT_EQ(windows_vk(Qt::Key_Comma, Qt::KeypadModifier), 0x6C);
  EXPECT_EQ(windows_vk(Qt::Key_Minus, Qt::KeypadModifier), 0x6D);
  EXPECT_EQ(windows_vk(Qt::Key_Period, Qt::KeypadModifier), 0x6E);
  // Keypad with Num Lock off moves like the arrow block.
  EXPECT_EQ(windows_vk(Qt::Key_Up, Qt::KeypadModifier), 0x26);
  // The same symbols off the keypad are no key of the game.
  EXPECT_EQ(windows_vk(Qt::Key_Plus, Qt::NoModifier), 0);
  EXPECT_EQ(windows_vk(Qt::Key_Asterisk, Qt::ShiftModifier), 0);
}

TEST(WindowsVk, ControlAndFunctionKeys) {
  EXPECT_EQ(windows_vk(Qt::Key_Return, Qt::NoModifier), 0x0D);
  EXPECT_EQ(windows_vk(Qt::Key_Enter, Qt::KeypadModifier), 0x0D);
  EXPECT_EQ(windows_vk(Qt::Key_Space, Qt::NoModifier), 0x20);
  EXPECT_EQ(windows_vk(Qt::Key_Escape, Qt::NoModifier), 0x1B);
  EXPECT_EQ(windows_vk(Qt::Key_Left, Qt::NoModifier), 0x25);
  EXPECT_EQ(windows_vk(Qt::Key_Up, Qt::NoModifier), 0x26);
  EXPECT_EQ(windows_vk(Qt::Key_Right, Qt::NoModifier), 0x27);
  EXPECT_EQ(windows_vk(Qt::Key_Down, Qt::NoModifier), 0x28);
  EXPECT_EQ(windows_vk(Qt::Key_F1, Qt::NoModifier), 0x70);
  EXPECT_EQ(windows_vk(Qt::Key_F2, Qt::NoModifier), 113);
  EXPECT_EQ(windows_vk(Qt::Key_F9, Qt::NoModifier), 120);
  EXPECT_EQ(windows_vk(Qt::Key_F12, Qt::NoModifier), 123);
  EXPECT_EQ(windows_vk(Qt::Key_Shift, Qt::ShiftModifier), 0x10);
}

TEST(WindowsVk, KeyCapRecoveredWhenTheLayoutGivesAnotherSymbol) {
  // Shift+1 on a US layout, Shift+0 on a Japanese one, a Cyrillic letter.
  EXPECT_EQ(windows_vk(Qt::Key_Exclam, Qt::ShiftModifier, 10), '1');
  EXPECT_EQ(windows_vk(Qt::Key_AsciiTilde, Qt::ShiftModifier, 19), '0');
  EXPECT_EQ(windows_vk(0x0444, Qt::NoModifier, 38), 'A');
  EXPECT_EQ(windows_vk(0x0442, Qt::NoModifier, 57), 'N');
  EXPECT_EQ(windows_vk(0x0449, Qt::NoModifier, 33), 'P');
  EXPECT_EQ(windows_vk(Qt::Key_Exclam, Qt::ShiftModifier, 0), 0);  // no key code known
  EXPECT_EQ(windows_vk(Qt::Key_Semicolon, Qt::NoModifier, 47), 0);  // not a letter key
}

TEST(TableView, KeysWithoutAWindowsCodeStillReachTheGame) {
  // The game clears its last key on any key it has no code for: "-" after Space
  // must end Space's hold on the automatic discard.
  if (!QApplication::instance()) {
    static int argc = 1;
    static char name[] = "table_view_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
  TableView view;
  std::vector<InputEvent> got;
  view.on_input = [&](const InputEvent& ev) { got.push_back(ev); };
  for (int key : {int(Qt::Key_Space), int(Qt::Key_Minus)}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Minus ? "-" : " ");
    QCoreApplication::sendEvent(&view, &press);
  }
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].vk, 0x20);
  EXPECT_EQ(got[1].kind, InputEvent::Kind::KeyDown);
  EXPECT_EQ(got[1].vk, 0);
}

}  // namespace
}  // namespace sekiba
