// The game-record window lists the records and steps through the chosen one.
#include <gtest/gtest.h>

#include <QListWidget>
#include <filesystem>
#include <fstream>

#include "engine/game.h"
#include "headless/headless_platform.h"
#include "qt/frmkiroku.h"
#include "qt_app.h"
#include "../test_game.h"

namespace sekiba {
namespace {

constexpr const char* kHeader =
    R"({"ev":"game","version":1,"start":"2026-01-02T03:04:05","mode":0,"lan":0,"host":0,)"
    R"("settei":[0,0,0,0,1,0,0,0,0,0,0,1,0,0,0,0,0,1,0,0,0,0,0,0,0],"shikou":[0,0,0,0,0,0,0,0],"score":300,"game_no":1})";

std::string hand_line(int no) {
  return R"({"ev":"hand","no":)" + std::to_string(no) +
         R"(,"kyoku":1,"oya":1,"honba":1,"riichi_sticks":0,"event_sticks":[1,1,1,1,1],"score":300,)"
         R"("dora":1,"ura":2,"kan_dora":3,"man":[1,2,3,4,5,6,7,8,9,11,12,13,14,15],"com":[21,22,23,24,25,26,27,28,29,31,31,31,32,38]})";
}

TEST(FrmKiroku, ListsRecordsStepsAndHandsAndStopsAtADamagedLine) {
  test::ensure_qt_app();
  test::TestGame tg;
  const auto folder = std::filesystem::path(tg.dir.str()) / "records";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "20260102-030405.jsonl")
      << kHeader << "\n" << hand_line(1) << "\n" << R"({"ev":"discard","side":1,"tile":15})" "\n"
      << R"({"ev":"ryukyoku","tenpai":[0,0],"payment":0,"score":300})" "\n" << hand_line(2) << "\n"
      << R"({"ev":"discard","side":1,"tile":99})" "\n";
  FrmKiroku w(tg.g, nullptr);
  auto* list = w.findChild<QListWidget*>(QStringLiteral("lstkiroku"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 1);
  EXPECT_TRUE(list->item(0)->text().contains(QStringLiteral("2026-01-02 03:04:05")));
  EXPECT_TRUE(list->item(0)->text().contains(QStringLiteral("(破損)")));
  ASSERT_TRUE(w.open_record(QString::fromStdString((folder / "20260102-030405.jsonl").string())));
  // The start, both hands' deals, the discard and the draw: up to line 5.
  EXPECT_EQ(w.steps(), 5);
  EXPECT_EQ(w.position(), 1);
  w.step(1);
  EXPECT_TRUE(w.status().contains(QStringLiteral("あなた：打牌")));
  w.hand(1);
  EXPECT_EQ(w.position(), 4);
  EXPECT_TRUE(w.status().contains(QStringLiteral("line 6")));
  w.hand(-1);
  EXPECT_EQ(w.position(), 1);
  w.step(100);
  EXPECT_EQ(w.position(), 4);
}

}  // namespace
}  // namespace sekiba
