// The thinking settings: file bytes, damaged files, the dialog's option mapping,
// and the per-hand weight table they steer.
#include "com/think.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/setup.h"
#include "engine/startup.h"
#include "platform/fileio.h"
#include "test_game.h"

namespace sekiba {
namespace {

struct ShikouFileTest : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;
  std::string file() const { return tg.dir.file("sekiba_shi.txt"); }
  void write(const std::string& bytes) { std::ofstream(file(), std::ios::binary) << bytes; }
};

TEST_F(ShikouFileTest, DefaultsWriteEightPrintedNumbers) {
  shikou_defaults(g.s);
  EXPECT_EQ(format_shikou(g.s), " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 8 \r\n 11 \r\n 0 \r\n 0 \r\n");
}

TEST_F(ShikouFileTest, SaveWritesTheValuesInTableOrderAndLoadReadsThemBack) {
  g.s.shikou_dora = 1;
  g.s.shikou_hyouka = 1;
  g.s.shikou_chinitu = 1;
  g.s.shikou_honitu = 0;
  g.s.shikou_chinitu_su = 10;
  g.s.shikou_honitu_su = 9;
  g.s.shikou_chinro = 1;
  g.s.shikou_rechi = 1;
  ASSERT_TRUE(shikou_save(g));
  EXPECT_EQ(*read_file(file()), " 1 \r\n 1 \r\n 1 \r\n 0 \r\n 10 \r\n 9 \r\n 1 \r\n 1 \r\n");
  Settings fresh;
  test::TestGame other;
  other.g.t.app_path = tg.dir.str();
  load_shikou(other.g);
  EXPECT_EQ(other.g.s.shikou_chinitu_su, 10);
  EXPECT_EQ(other.g.s.shikou_honitu_su, 9);
  EXPECT_EQ(other.g.s.shikou_rechi, 1);
  EXPECT_EQ(other.g.s.shikou_dora, 1);
}

TEST_F(ShikouFileTest, ShortFileKeepsTheDefaultsOfTheMissingValues) {
  write(" 1 \r\n 1 \r\n 1 \r\n");
  g.s.shikou_honitu_su = 3;  // not a default: load starts from the defaults
  load_shikou(g);
  EXPECT_EQ(g.s.shikou_dora, 1);
  EXPECT_EQ(g.s.shikou_hyouka, 1);
  EXPECT_EQ(g.s.shikou_chinitu, 1);
  EXPECT_EQ(g.s.shikou_honitu, 0);
  EXPECT_EQ(g.s.shikou_chinitu_su, 8);
  EXPECT_EQ(g.s.shikou_honitu_su, 11);
}

TEST_F(ShikouFileTest, DamagedFileStopsAtTheFirstBadValue) {
  write("1\n\n  0\r\n9\nxyz\n 1\n 1\n 1\n 1\n");
  load_shikou(g);
  EXPECT_EQ(g.s.shikou_dora, 1);
  EXPECT_EQ(g.s.shikou_hyouka, 0);
  EXPECT_EQ(g.s.shikou_chinitu, 9);
  EXPECT_EQ(g.s.shikou_honitu, 0);  // from here on the defaults
  EXPECT_EQ(g.s.shikou_rechi, 0);

  write(std::string("\0\xff\x01 1 \r\n", 8));
  load_shikou(g);
  EXPECT_EQ(g.s.shikou_dora, 0);
  EXPECT_EQ(g.s.shikou_honitu_su, 11);

  write(" 1 \r\n 99999999999999999999 \r\n 1 \r\n");
  load_shikou(g);
  EXPECT_EQ(g.s.shikou_dora, 1);
  EXPECT_EQ(g.s.shikou_hyouka, 0);
  EXPECT_EQ(g.s.shikou_chinitu, 0);
}

TEST_F(ShikouFileTest, MissingFileLeavesTheDefaults) {
  load_shikou(g);
  EXPECT_EQ(g.s.shikou_chinitu_su, 8);
  EXPECT_TRUE(tg.os.messages.empty());
}

TEST_F(ShikouFileTest, StartUpReadsTheFile) {
  write(" 0 \r\n 0 \r\n 1 \r\n 1 \r\n 9 \r\n 10 \r\n 1 \r\n 1 \r\n");
  game_init(g);
  EXPECT_EQ(g.s.shikou_chinitu_su, 9);
  EXPECT_EQ(g.s.shikou_honitu_su, 10);
  EXPECT_EQ(g.s.shikou_rechi, 1);
}

TEST_F(ShikouFileTest, WriteFailureShowsTheMessageAndKeepsTheValues) {
  g.t.app_path = tg.dir.file("no/such/folder");
  g.s.shikou_rechi = 1;
  EXPECT_FALSE(shikou_save(g));
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].text, "思考法ﾌｧｲﾙを書き込めませんでした");
  EXPECT_EQ(tg.os.messages[0].title, "ﾌｧｲﾙの書き込み");
  EXPECT_EQ(tg.os.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(g.s.shikou_rechi, 1);
}

TEST_F(ShikouFileTest, MenuOpensTheDialog) {
  menu_command(g, "mnuthink");
  ASSERT_EQ(tg.os.dialogs_opened.size(), 1u);
  EXPECT_EQ(tg.os.dialogs_opened[0], "frmthink");
}

TEST(ShikouGroups, OptionsMapToTheStoredValues) {
  // する is 1 for the dora emphasis but 0 for the aims; counts are caption - 1.
  EXPECT_EQ(shikou_value_for(0, 0), 1);
  EXPECT_EQ(shikou_value_for(1, 0), 1);  // 特殊 = preset B
  EXPECT_EQ(shikou_value_for(2, 0), 0);
  EXPECT_EQ(shikou_value_for(4, 0), 10);
  EXPECT_EQ(shikou_value_for(4, 2), 8);
  EXPECT_EQ(shikou_value_for(5, 0), 11);
  EXPECT_EQ(shikou_value_for(5, 2), 9);
  EXPECT_EQ(shikou_value_for(7, 1), 1);  // 弱気
  EXPECT_EQ(shikou_option_for(4, 9), 1);
  EXPECT_EQ(shikou_option_for(5, 11), 0);
  EXPECT_EQ(shikou_option_for(0, 0), 1);
  // Nothing selected: the counts keep 8 and 11, the others their defaults.
  EXPECT_EQ(shikou_option_for(4, 12), -1);
  EXPECT_EQ(shikou_value_for(4, -1), 8);
  EXPECT_EQ(shikou_value_for(5, -1), 11);
  EXPECT_EQ(shikou_value_for(0, -1), 0);
  EXPECT_EQ(shikou_value_for(99, 0), 0);
}

TEST(ShikouGroups, EveryDefaultIsShownByAnOption) {
  Settings s;
  shikou_defaults(s);
  const auto values = shikou_values(s);
  for (int i = 0; i < kShikouCount; ++i) {
    const int opt = shikou_option_for(i, *values[std::size_t(i)]);
    ASSERT_GE(opt, 0) << i;
    EXPECT_EQ(shikou_value_for(i, opt), *values[std::size_t(i)]);
  }
}

// The table of the hand: the chosen preset, and the dora lowered by 20 (at
// least to 1) when the dora emphasis is on. Weights read off the two presets.
TEST_F(ShikouFileTest, HandWeightsFollowThePresetAndLowerTheDora) {
  struct Case {
    int preset_b, next_is_dora, lower, indicator, dora, dora_weight, other, other_weight;
  } cases[] = {
      {0, 1, 1, 9, 1, 4, 9, 25},      // A: 24 - 20; the indicator itself keeps 25
      {0, 1, 1, 34, 31, 11, 34, 34},  // North shows East: 31 - 20
      {0, 0, 1, 34, 34, 14, 31, 31},  // the indicator is the dora
      {0, 1, 1, 37, 35, 10, 37, 28},  // red shows white: 30 - 20
      {0, 1, 1, 14, 15, 1, 14, 4},    // 1 - 20, raised to 1
      {0, 1, 1, 21, 22, 1, 21, 23},   // exactly 21: 1
      {0, 1, 1, 8, 9, 5, 8, 18},      // 25 - 20
      {0, 1, 0, 8, 9, 25, 8, 18},     // no emphasis: the preset as it is
      {1, 1, 1, 24, 25, 10, 24, 15},  // B: 30 - 20
      {1, 1, 1, 36, 37, 7, 36, 26},   // 27 - 20
      {1, 0, 1, 21, 21, 1, 22, 8},    // 20 - 20 = 0, raised to 1
      {1, 1, 1, 19, 11, 3, 19, 16},   // 19 shows 11: 23 - 20
  };
  fill_weight_presets(g.com);
  for (const Case& c : cases) {
    g.s.shikou_hyouka = std::int16_t(c.preset_b);
    g.s.shikou_dora = std::int16_t(c.lower);
    g.s.settei[6] = std::int16_t(c.next_is_dora);
    // Only the indicator is left to draw: it becomes dora, ura-dora and kan-dora.
    g.t.hai_cnt.fill(4);
    g.t.hai_cnt[std::size_t(c.indicator)] = 1;
    set_dora(g);
    ASSERT_EQ(g.t.dora, c.indicator);
    EXPECT_EQ(g.com.hai_hyouka[std::size_t(c.dora)], c.dora_weight) << "indicator " << c.indicator;
    EXPECT_EQ(g.com.hai_hyouka[std::size_t(c.other)], c.other_weight) << "indicator " << c.indicator;
  }
}

}  // namespace
}  // namespace sekiba
