// The win statistics window shows the counts as they were when it opened.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "engine/game.h"
#include "headless/headless_platform.h"
#include "qt/frmyakurireki.h"

namespace sekiba {
namespace {

QApplication& app() {
  static int argc = 1;
  static char name[] = "frmyakurireki_test";
  static char* argv[] = {name, nullptr};
  static QApplication* a = new QApplication(argc, argv);
  return *a;
}

TEST(FrmYakuRireki, ShowsBothSidesCountsAndTheNames) {
  app();
  HeadlessPlatform os;
  Game g(os);
  g.yaku.yaku_cnt[0][1] = 3;    // 国士無双 won by the user
  g.yaku.yaku_cnt[1][36] = 12;  // 平和 won by the opponent
  g.yaku.yaku_cnt[0][49] = 1;   // 嶺山開花
  auto* w = new FrmYakuRireki(g, nullptr);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("上がり役累積回数一覧表"));
  EXPECT_EQ(w->count_text(1, 0), "3");
  EXPECT_EQ(w->count_text(1, 1), "0");
  EXPECT_EQ(w->count_text(36, 1), "12");
  EXPECT_EQ(w->count_text(49, 0), "1");
  g.yaku.yaku_cnt[0][1] = 4;  // later wins do not change an open window
  EXPECT_EQ(w->count_text(1, 0), "3");

  QStringList texts;
  for (auto* l : w->findChildren<QLabel*>()) texts << l->text();
  for (const char* t : {"あなた", "ＣＯＭ", "十三不塔", "国士１３面", "ドラ(赤ｳｰﾋﾟﾝ)", "嶺山開花"})
    EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
  auto buttons = w->findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 1);
  EXPECT_EQ(buttons[0]->text(), QStringLiteral("戻る(&R)"));
  delete w;
}

}  // namespace
}  // namespace sekiba
