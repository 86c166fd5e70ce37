#include <gtest/gtest.h>

#include "eval/yaku.h"
#include "platform/fileio.h"
#include "test_game.h"

namespace sekiba {
namespace {

std::string lines(int from, int to, const std::string& line) {
  std::string s;
  for (int c = from; c <= to; ++c) s += line;
  return s;
}

class YakuCntFile : public ::testing::Test {
 protected:
  test::TestGame tg;
  Game& g = tg.g;
  std::string file() const { return tg.dir.file("sekiba_cnt.txt"); }
  void put_file(const std::string& bytes) { ASSERT_TRUE(write_file_atomic(file(), bytes)); }
};

TEST_F(YakuCntFile, SaveWritesFiftyLinesOfTwoNumbers) {
  g.yaku.yaku_cnt[0][0] = 3;
  g.yaku.yaku_cnt[1][14] = 1;
  g.yaku.yaku_cnt[0][35] = 120;
  g.yaku.yaku_cnt[1][35] = 7;
  g.yaku.yaku_cnt[0][49] = 32767;
  g.yaku.yaku_cnt[0][50] = 9;  // never written: the red fives count as dora
  save_yaku_cnt(g);
  const std::string expected = "3,0\r\n" + lines(1, 13, "0,0\r\n") + "0,1\r\n" + lines(15, 34, "0,0\r\n") +
                               "120,7\r\n" + lines(36, 48, "0,0\r\n") + "32767,0\r\n";
  EXPECT_EQ(read_file(file()).value_or(""), expected);
  EXPECT_TRUE(tg.os.messages.empty());
}

TEST_F(YakuCntFile, LoadReadsEveryCodeAndForgetsEarlierCounts) {
  std::string bytes;
  for (int c = 0; c < 50; ++c) bytes += std::to_string(c) + "," + std::to_string(100 + c) + "\r\n";
  put_file(bytes);
  g.yaku.yaku_cnt[0][50] = 5;
  load_yaku_cnt(g);
  EXPECT_EQ(g.yaku.yaku_cnt[0][17], 17);
  EXPECT_EQ(g.yaku.yaku_cnt[1][49], 149);
  EXPECT_EQ(g.yaku.yaku_cnt[0][50], 0);
  save_yaku_cnt(g);
  EXPECT_EQ(read_file(file()).value_or(""), bytes);
}

TEST_F(YakuCntFile, AShortFileKeepsWhatItHolds) {
  put_file(lines(0, 29, "2,3\r\n"));
  load_yaku_cnt(g);
  EXPECT_EQ(g.yaku.yaku_cnt[0][29], 2);
  EXPECT_EQ(g.yaku.yaku_cnt[1][29], 3);
  EXPECT_EQ(g.yaku.yaku_cnt[0][30], 0);
  save_yaku_cnt(g);
  EXPECT_EQ(read_file(file()).value_or(""), lines(0, 29, "2,3\r\n") + lines(30, 49, "0,0\r\n"));
}

TEST_F(YakuCntFile, ADamagedFileStopsReadingAtTheDamage) {
  put_file("5,7\r\n4,x\r\n6,6\r\n");
  load_yaku_cnt(g);
  EXPECT_EQ(g.yaku.yaku_cnt[0][0], 5);
  EXPECT_EQ(g.yaku.yaku_cnt[1][0], 7);
  EXPECT_EQ(g.yaku.yaku_cnt[0][1], 4);  // the number before the damage
  EXPECT_EQ(g.yaku.yaku_cnt[1][1], 0);
  EXPECT_EQ(g.yaku.yaku_cnt[0][2], 0);
  // A number past 16 bits, a bare line end and binary garbage end it as well.
  for (const std::string& bad : std::vector<std::string>{"1,1\r\n99999,1\r\n", "1,1\r\n\r\n2,2\r\n",
                                                         std::string("1,1\r\n\0\xff,2", 9)}) {
    put_file(bad);
    load_yaku_cnt(g);
    EXPECT_EQ(g.yaku.yaku_cnt[0][0], 1);
    EXPECT_EQ(g.yaku.yaku_cnt[0][1], 0);
    EXPECT_EQ(g.yaku.yaku_cnt[1][1], 0);
  }
  EXPECT_TRUE(tg.os.messages.empty());
}

TEST_F(YakuCntFile, AMissingFileMeansNoWinsYet) {
  g.yaku.yaku_cnt[0][3] = 4;
  load_yaku_cnt(g);
  EXPECT_EQ(g.yaku.yaku_cnt[0][3], 0);
  EXPECT_TRUE(tg.os.messages.empty());
}

TEST_F(YakuCntFile, AFailedWriteIsReportedAndTheCountsStay) {
  put_file("x");
  g.t.app_path = file();  // a file, not a folder: nothing can be written under it
  g.yaku.yaku_cnt[1][20] = 2;
  save_yaku_cnt(g);
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].text, "上がり役累積ﾌｧｲﾙを書き込めませんでした");
  EXPECT_EQ(tg.os.messages[0].title, "ﾌｧｲﾙの書き込み");
  EXPECT_EQ(tg.os.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(g.yaku.yaku_cnt[1][20], 2);
}

TEST(YakuRireki, ThreeBlocksInTheWindowsOrder) {
  test::TestGame tg;
  Game& g = tg.g;
  g.yaku.yaku_cnt[0][14] = 2;
  g.yaku.yaku_cnt[1][48] = 12;
  const auto blocks = yakurireki_rows(g);
  ASSERT_EQ(blocks[0].size(), 16u);
  ASSERT_EQ(blocks[1].size(), 14u);
  ASSERT_EQ(blocks[2].size(), 16u);
  EXPECT_EQ(blocks[0][0].name, "十三不塔");
  EXPECT_EQ(blocks[0][14].name, "国士１３面");
  EXPECT_EQ(blocks[0][14].man_count, "2");
  EXPECT_EQ(blocks[0][14].com_count, "0");
  EXPECT_EQ(blocks[1][0].name, "清一色");
  EXPECT_EQ(blocks[1][0].code, 20);
  EXPECT_EQ(blocks[1][13].name, "三色同順");
  EXPECT_EQ(blocks[2][0].name, "一盃口");
  EXPECT_EQ(blocks[2][11].name, "ﾊｲﾃｲﾌﾘｺﾐ");
  EXPECT_EQ(blocks[2][14].name, "ドラ(赤ｳｰﾋﾟﾝ)");
  EXPECT_EQ(blocks[2][14].com_count, "12");
  EXPECT_EQ(blocks[2][15].name, "嶺山開花");
  EXPECT_EQ(blocks[2][15].code, 49);
}

}  // namespace
}  // namespace sekiba
