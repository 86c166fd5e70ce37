#include "engine/startup.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/menus.h"
#include "test_game.h"

namespace sekiba {
namespace {

TEST(Startup, SecondCopyShowsTheWarningAndEnds) {
  test::TestGame tg;
  tg.os.other_instance = true;
  EXPECT_FALSE(Form_Load(tg.g));
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].text, "翠嶺牌戯はすでに起動しています");
  EXPECT_EQ(tg.os.messages[0].title, "ｱﾌﾟﾘｹｰｼｮﾝの起動");
  EXPECT_EQ(tg.os.messages[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(tg.os.caption.empty());
}

TEST(Startup, CaptionMenusAndDefaults) {
  test::TestGame tg;
  ASSERT_TRUE(Form_Load(tg.g));
  EXPECT_EQ(tg.os.caption, "翠嶺牌戯 for Windows (ＬＡＮ対戦機能付き) Ver.1.00");
  EXPECT_FALSE(tg.os.menu_is_visible("mnukinou"));
  EXPECT_TRUE(tg.os.menu_check["mnumode1"]);
  for (int i = 2; i <= 8; ++i) EXPECT_FALSE(tg.os.menu_check["mnumode" + std::to_string(i)]);
  EXPECT_EQ(tg.g.t.game_mode, 0);
  EXPECT_EQ(tg.g.s.settei[17], 1);
  EXPECT_TRUE(tg.os.centered);
  EXPECT_EQ(tg.os.window_surface, &tg.g.scr.win);
  EXPECT_EQ(tg.g.t.app_path, tg.dir.str());
}

TEST(Startup, ModeItemsSetTheModeAndMoveTheCheck) {
  test::TestGame tg;
  ASSERT_TRUE(Form_Load(tg.g));
  const int expected[9] = {0, 0, 4, 3, 2, 1, 5, 6, 7};
  for (int item = 8; item >= 1; --item) {
    tg.os.on_menu("mnumode" + std::to_string(item));
    EXPECT_EQ(tg.g.t.game_mode, expected[item]);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(tg.os.menu_check["mnumode" + std::to_string(i)], i == item);
  }
}

TEST(Startup, TileSheetFilesReplaceTheBuiltInOnes) {
  test::TestGame tg;
  Surface sheet(320, 218, rgb(1, 2, 3));
  ASSERT_TRUE(tg.os.save_bmp(sheet, tg.dir.file("haiall_x.bmp")));
  Surface small(100, 100, rgb(9, 9, 9));  // cannot hold the layout: ignored
  ASSERT_TRUE(tg.os.save_bmp(small, tg.dir.file("haiall_rv_x.bmp")));
  ASSERT_TRUE(Form_Load(tg.g));
  EXPECT_EQ(tg.g.scr.PicHAI.at(100, 100), rgb(1, 2, 3));
  EXPECT_EQ(tg.g.scr.picHAI2.w, 320);
  EXPECT_NE(tg.g.scr.picHAI2.at(0, 0), rgb(9, 9, 9));
}

TEST(Startup, TitlePictureIsShownWhenPresent) {
  test::TestGame tg;
  Surface title(640, 480, rgb(10, 20, 30));
  ASSERT_TRUE(tg.os.save_bmp(title, tg.dir.file("sekiba_title_0.jpg")));  // read by content
  ASSERT_TRUE(Form_Load(tg.g));
  EXPECT_EQ(tg.g.scr.win.at(5, 5), rgb(10, 20, 30));
}

TEST(Startup, QuitFromTheMenuUnwindsWaits) {
  test::TestGame tg;
  ASSERT_TRUE(Form_Load(tg.g));
  tg.os.on_menu("mnuend");
  EXPECT_TRUE(tg.os.quit_requested());
  EXPECT_THROW(tg.os.yield(), QuitRequested);
  EXPECT_THROW(tg.os.sleep_until_event(100), QuitRequested);
}

TEST(Startup, SettingsMenuOpensTheDialog) {
  test::TestGame tg;
  ASSERT_TRUE(Form_Load(tg.g));
  tg.os.on_menu("mnusettei");
  ASSERT_EQ(tg.os.dialogs_opened.size(), 1u);
  EXPECT_EQ(tg.os.dialogs_opened[0], "frmsettei");
}

TEST(Menus, EveryParentPrecedesItsChildren) {
  std::set<std::string> seen;
  int separators = 0;
  for (const auto& m : menu_table()) {
    if (*m.parent) EXPECT_TRUE(seen.count(m.parent)) << m.name;
    EXPECT_TRUE(seen.insert(m.name).second) << "duplicate " << m.name;
    separators += std::string(m.caption) == "-";
  }
  EXPECT_EQ(separators, 6);
  for (int i = 1; i <= 30; ++i) EXPECT_TRUE(seen.count("mnuyaku" + std::to_string(i)));
}

}  // namespace
}  // namespace sekiba
