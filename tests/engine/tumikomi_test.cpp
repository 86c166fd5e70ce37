// Stacking patterns: the two files, the five-copy check, the editor's clicks and
// buttons, and the default patterns we ship.
#include "engine/tumikomi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "engine/startup.h"
#include "engine/tumikomi_editor.h"
#include "platform/fileio.h"
#include "test_game.h"

namespace sekiba {
namespace {

void write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A full table in file form where every number is distinct from the defaults:
// trigger 100 + p, tiles all 5.
std::string all_fives_file() {
  std::string s;
  for (int p = 0; p < 15; ++p) {
    s += std::to_string(100 + p) + "\r\n";
    for (int v = 0; v < 3; ++v) s += "5,5,5,5,38,38,38,38,38,38,38,38,38,38\r\n";
  }
  return s;
}

int at(const Game& g, int p, int v, int j) { return g.tumikomi_data[std::size_t(tumikomi_index(p, v, j))]; }

TEST(TumikomiFiles, SaveWritesSixtyCrLfLinesAndReadsBackTheSameTable) {
  test::TestGame tg;
  Game& g = tg.g;
  tumikomi_clear(g.tumikomi_data);
  g.tumikomi_data[0] = 7;
  g.tumikomi_data[43] = -3;  // kept and written back as it came
  for (int j = 0; j < 13; ++j) g.tumikomi_data[std::size_t(tumikomi_index(0, 1, j))] = std::int16_t(31 + j % 7);
  ASSERT_TRUE(tumikomi_save(g));
  auto text = read_file(tg.dir.file("sekiba_tum.txt"));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->rfind("7\r\n38,38,38,38,38,38,38,38,38,38,38,38,38,38\r\n31,32,", 0), 0u);
  EXPECT_EQ(std::count(text->begin(), text->end(), '\n'), 60);
  EXPECT_EQ(std::count(text->begin(), text->end(), '\r'), 60);
  EXPECT_EQ(text->find(' '), std::string::npos);
  EXPECT_NE(text->find("\r\n-3\r\n"), std::string::npos);

  TumikomiTable saved = g.tumikomi_data;
  tumikomi_clear(g.tumikomi_data);
  tumikomi_load_tum(g);
  EXPECT_EQ(g.tumikomi_data, saved);
}

TEST(TumikomiFiles, DefaultsAreReadOverAnEmptyTableAndTheUsersOverThem) {
  test::TestGame tg;
  Game& g = tg.g;
  g.tumikomi_data.fill(9);
  tumikomi_load_tin(g);  // no file: nothing but the empty table
  for (int p = 0; p < 15; ++p) {
    EXPECT_EQ(g.tumikomi_data[std::size_t(43 * p)], 0);
    for (int v = 0; v < 3; ++v)
      for (int j = 0; j < 14; ++j) EXPECT_EQ(at(g, p, v, j), 38);
  }
  EXPECT_EQ(g.tumikomi_data[645], 0);

  write(tg.dir.file("sekiba_tin.txt"), all_fives_file());
  tumikomi_load_tin(g);
  EXPECT_EQ(g.tumikomi_data[43 * 14], 114);
  EXPECT_EQ(at(g, 14, 2, 3), 5);
  EXPECT_EQ(g.tumikomi_data[645], 0);

  // The user's file holds only its first pattern and a half: the rest stays.
  write(tg.dir.file("sekiba_tum.txt"), "9\n1,2,3,4,5,6,7,8,9,11,12,13,14,38\n1,1,1,1,2,2,2,2,3,3,3,3,4,4\n"
                                       "21,22,23,24,25,26,27,28,29,31,32,33,34,38\n60\n37,37");
  tumikomi_load_tum(g);
  EXPECT_EQ(g.tumikomi_data[0], 9);
  EXPECT_EQ(at(g, 0, 0, 12), 14);
  EXPECT_EQ(g.tumikomi_data[43], 60);
  EXPECT_EQ(at(g, 1, 0, 1), 37);
  EXPECT_EQ(at(g, 1, 0, 2), 5);  // from the defaults
  EXPECT_EQ(g.tumikomi_data[43 * 2], 102);
}

TEST(TumikomiFiles, ReadingStopsAtTheFirstFieldThatIsNoNumber) {
  EXPECT_EQ(read_list_numbers("7, 1 ,2\r\n\r\n3", 100), (std::vector<std::int16_t>{7, 1, 2, 3}));
  EXPECT_EQ(read_list_numbers("7,1,x,3", 100), (std::vector<std::int16_t>{7, 1}));
  EXPECT_EQ(read_list_numbers("7,1,2.5,3", 100), (std::vector<std::int16_t>{7, 1}));
  EXPECT_EQ(read_list_numbers("1,40000,2", 100), (std::vector<std::int16_t>{1}));
  EXPECT_EQ(read_list_numbers("\xEF\xBB\xBF" "4,-32768", 100), (std::vector<std::int16_t>{4, -32768}));
  EXPECT_EQ(read_list_numbers("1,2,3,4", 2), (std::vector<std::int16_t>{1, 2}));
}

TEST(TumikomiFiles, ATileValueThatIsNoTileBecomesTheEmptySlot) {
  // The deal copies values up to the first 38 straight into the hand; 0, 10 or
  // 99 there would put a tile into the hand that does not exist.
  TumikomiTable t;
  tumikomi_clear(t);
  tumikomi_apply(t, {250, 1, 0, 10, 99, -5, 37, 38});
  EXPECT_EQ(t[0], 250);  // a trigger out of range simply never fires
  EXPECT_EQ(t[1], 1);
  EXPECT_EQ(t[2], 38);
  EXPECT_EQ(t[3], 38);
  EXPECT_EQ(t[4], 38);
  EXPECT_EQ(t[5], 38);
  EXPECT_EQ(t[6], 37);
}

TEST(TumikomiFiles, StartUpLoadsDefaultsThenTheUsersPatterns) {
  test::TestGame tg;
  write(tg.dir.file("sekiba_tin.txt"), all_fives_file());
  write(tg.dir.file("sekiba_tum.txt"), "55\n");
  game_init(tg.g);
  EXPECT_EQ(tg.g.tumikomi_data[0], 55);
  EXPECT_EQ(tg.g.tumikomi_data[43], 101);
}

TEST(TumikomiFiles, TheShippedDefaultsAreAFullValidTable) {
  auto text = read_file(std::string(SEKIBA_SOURCE_DIR) + "/data/sekiba_tin.txt");
  ASSERT_TRUE(text);
  EXPECT_EQ(read_list_numbers(*text, 10000).size(), 645u);
  TumikomiTable t;
  tumikomi_clear(t);
  tumikomi_apply(t, read_list_numbers(*text, 645));
  EXPECT_EQ(check_maisu(t), 99);
  EXPECT_EQ(tumikomi_format(t), *text);  // in the same form the editor saves
  std::set<int> triggers;
  for (int p = 0; p < 15; ++p) {
    const int trig = t[std::size_t(43 * p)];
    EXPECT_TRUE(trig >= 1 && trig <= 100) << p;
    triggers.insert(trig);
    for (int v = 0; v < 3; ++v) {
      EXPECT_EQ(t[std::size_t(tumikomi_index(p, v, 13))], 38) << p << "," << v;
      EXPECT_TRUE(is_tile(t[std::size_t(tumikomi_index(p, v, 0))])) << p << "," << v;
    }
  }
  EXPECT_EQ(triggers.size(), 15u);
}

TEST(TumikomiCheck, FiveCopiesNameTheFirstPatternFourAreFine) {
  TumikomiTable t;
  tumikomi_clear(t);
  EXPECT_EQ(check_maisu(t), 99);  // fourteen 38s are not copies
  for (int j = 0; j < 4; ++j) t[std::size_t(tumikomi_index(3, 1, j))] = 1;
  t[std::size_t(43 * 3)] = 1;  // the trigger is no tile
  EXPECT_EQ(check_maisu(t), 99);
  t[std::size_t(tumikomi_index(3, 1, 13))] = 1;  // the fourteenth value counts too
  EXPECT_EQ(check_maisu(t), 3);
  for (int j = 0; j < 5; ++j) t[std::size_t(tumikomi_index(9, 2, j))] = 37;
  EXPECT_EQ(check_maisu(t), 3);
  // Copies spread over two variants are two hands, not one.
  tumikomi_clear(t);
  for (int j = 0; j < 3; ++j) {
    t[std::size_t(tumikomi_index(5, 0, j))] = 22;
    t[std::size_t(tumikomi_index(5, 1, j))] = 22;
  }
  EXPECT_EQ(check_maisu(t), 99);
}

TEST(TumikomiCheck, StepCycleTurnsAtTheSuitEdges) {
  EXPECT_EQ(tumikomi_step(1, false), 38);
  EXPECT_EQ(tumikomi_step(38, true), 1);
  EXPECT_EQ(tumikomi_step(38, false), 37);
  EXPECT_EQ(tumikomi_step(37, true), 38);
  EXPECT_EQ(tumikomi_step(9, true), 11);
  EXPECT_EQ(tumikomi_step(11, false), 9);
  EXPECT_EQ(tumikomi_step(19, true), 21);
  EXPECT_EQ(tumikomi_step(29, true), 31);
  EXPECT_EQ(tumikomi_step(31, false), 29);
  // A full turn forward meets each tile once and the empty slot once.
  std::set<int> seen;
  int c = 38;
  for (int i = 0; i < 35; ++i) seen.insert(c = tumikomi_step(c, true));
  EXPECT_EQ(c, 38);
  EXPECT_EQ(seen.size(), 35u);
  for (int s : seen) EXPECT_TRUE(is_tile(s) || s == 38);
  // Anything outside the cycle counts as empty.
  EXPECT_EQ(tumikomi_step(0, true), 1);
  EXPECT_EQ(tumikomi_step(10, false), 37);
  EXPECT_EQ(tumikomi_step(-7, true), 1);
}

class TumikomiEditorTest : public ::testing::Test {
 protected:
  test::TestGame tg;
  Game& g = tg.g;
  TumikomiEditor e;
  void SetUp() override {
    write(tg.dir.file("sekiba_tin.txt"), all_fives_file());
    tumikomi_load_tin(g);
    tumikomi_Form_Load(g, e);
  }
  bool tum_exists() { return std::filesystem::exists(tg.dir.file("sekiba_tum.txt")); }
};

TEST_F(TumikomiEditorTest, ButtonsStepTheTileUnderThePointer) {
  EXPECT_EQ(e.pattern, 0);
  // Right: forward; left: back; the row is (y - 16) div 54, the column (x - 8) div 32.
  EXPECT_TRUE(tumikomi_MouseDown(g, e, 2, 9, 17));
  EXPECT_EQ(at(g, 0, 0, 0), 6);
  EXPECT_TRUE(tumikomi_MouseDown(g, e, 1, 8 + 32 * 4 + 5, 16 + 54 * 2 + 1));
  EXPECT_EQ(at(g, 0, 2, 4), 37);
  EXPECT_TRUE(tumikomi_MouseDown(g, e, 1, 8 + 32 * 12 + 31, 177));  // last row, last free column
  EXPECT_EQ(at(g, 0, 2, 12), 37);
  ASSERT_FALSE(tg.os.sounds.empty());
  EXPECT_NE(tg.os.sounds.back().find("sekiba_wave_pasi"), std::string::npos);
}

TEST_F(TumikomiEditorTest, TheFourteenthTileOtherButtonsAndTheEdgesDoNothing) {
  // 455 is still column 13: (455 - 8) div 32 = 13.
  const TumikomiTable before = g.tumikomi_data;
  EXPECT_FALSE(tumikomi_MouseDown(g, e, 2, 8 + 32 * 13 + 1, 20));
  EXPECT_FALSE(tumikomi_MouseDown(g, e, 4, 20, 20));
  EXPECT_FALSE(tumikomi_MouseDown(g, e, 1, 8, 20));
  EXPECT_FALSE(tumikomi_MouseDown(g, e, 1, 20, 16));
  EXPECT_FALSE(tumikomi_MouseDown(g, e, 1, 456, 20));
  EXPECT_FALSE(tumikomi_MouseDown(g, e, 1, 20, 178));
  EXPECT_EQ(g.tumikomi_data, before);
  EXPECT_TRUE(tg.os.sounds.empty());
}

TEST_F(TumikomiEditorTest, PatternsWrapBothWays) {
  tumikomi_cmdBACK(g, e);
  EXPECT_EQ(e.pattern, 14);
  tumikomi_cmdNEXT(g, e);
  EXPECT_EQ(e.pattern, 0);
  for (int i = 0; i < 14; ++i) tumikomi_cmdNEXT(g, e);
  EXPECT_EQ(e.pattern, 14);
  // Clicks edit the pattern shown.
  tumikomi_MouseDown(g, e, 1, 9, 17);
  EXPECT_EQ(at(g, 14, 0, 0), 4);
  EXPECT_EQ(at(g, 0, 0, 0), 5);
}

TEST_F(TumikomiEditorTest, FiveCopiesJumpToThePatternSoundTheErrorAndSaveNothing) {
  tumikomi_cmdNEXT(g, e);
  tumikomi_cmdNEXT(g, e);
  tumikomi_cmdNEXT(g, e);
  // Pattern 3, middle row: 5 5 5 5 then a fifth 5 where the 38 stood.
  for (int i = 0; i < 5; ++i) tumikomi_MouseDown(g, e, 2, 8 + 32 * 4 + 1, 16 + 54 + 1);
  EXPECT_EQ(at(g, 3, 1, 4), 5);
  tumikomi_cmdNEXT(g, e);
  tumikomi_cmdNEXT(g, e);
  EXPECT_FALSE(tumikomi_cmdOK(g, e));
  EXPECT_EQ(e.pattern, 3);
  EXPECT_NE(tg.os.sounds.back().find("sekiba_error"), std::string::npos);
  EXPECT_FALSE(tum_exists());

  tumikomi_MouseDown(g, e, 1, 8 + 32 * 4 + 1, 16 + 54 + 1);
  EXPECT_TRUE(tumikomi_cmdOK(g, e));
  EXPECT_TRUE(tum_exists());
  EXPECT_TRUE(tg.os.messages.empty());
}

TEST_F(TumikomiEditorTest, CancelReadsTheSavedPatternsBackOverTheEdits) {
  tumikomi_MouseDown(g, e, 2, 9, 17);
  tumikomi_cmdNG(g);  // nothing saved yet: the edit stays for this run
  EXPECT_EQ(at(g, 0, 0, 0), 6);
  ASSERT_TRUE(tumikomi_cmdOK(g, e));
  tumikomi_MouseDown(g, e, 2, 9, 17);
  EXPECT_EQ(at(g, 0, 0, 0), 7);
  tumikomi_cmdNG(g);
  EXPECT_EQ(at(g, 0, 0, 0), 6);
}

TEST_F(TumikomiEditorTest, DefaultsReturnAtOnceAndAFailedSaveStillCloses) {
  tumikomi_MouseDown(g, e, 2, 9, 17);
  tumikomi_cmdSHOKI(g, e);
  EXPECT_EQ(at(g, 0, 0, 0), 5);

  g.t.app_path = tg.dir.file("no/such/folder");
  EXPECT_TRUE(tumikomi_cmdOK(g, e));
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].text, "積み込みﾃﾞｰﾀﾌｧｲﾙを書き込めませんでした");
  EXPECT_EQ(tg.os.messages[0].title, "ﾌｧｲﾙの書き込み");
  EXPECT_EQ(tg.os.messages[0].buttons, MessageButtons::Ok);
}

}  // namespace
}  // namespace sekiba
