#include <gtest/gtest.h>

#include "eval/yaku.h"
#include "eval/yaku_test_hand.h"
#include "test_game.h"

namespace sekiba {
namespace {

using test::WinHand;

class YakumanJudge : public ::testing::Test {
 protected:
  test::TestGame tg;
  Game& g = tg.g;

  void SetUp() override {
    g.t.oya = 1;
    g.t.man_junme = g.t.com_junme = 8;
  }
  int judge(const WinHand& w) {
    test::put_win(g, w);
    return judge_as_is();
  }
  int judge_as_is() {
    g.yaku.yaku_str = "yakuman ";
    return yakuman_hantei(g);
  }
  // A hand without sets: work_hai as given, the decomposition empty.
  void put_tiles(int pl, int kind, Tile agari, std::vector<Tile> tiles) {
    test::put_win(g, {.pl = pl, .kind = kind, .agari = agari});
    std::sort(tiles.begin(), tiles.end());
    for (std::size_t i = 0; i < 14; ++i) g.a.work_hai[i + 1] = tiles[i];
    (pl == 1 ? g.t.man_hai : g.t.com_hai) = g.a.work_hai;
  }
};

TEST_F(YakumanJudge, ThirteenOrphansDoubleOnlyWhenThePairWasTheLastTile) {
  const std::vector<Tile> orphans = {1, 1, 9, 11, 19, 21, 29, 31, 32, 33, 34, 35, 36, 37};
  put_tiles(1, 2, 1, orphans);
  EXPECT_EQ(judge_as_is(), 26);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  01402");
  EXPECT_EQ(g.yaku.yaku_cnt[0][14], 1);
  put_tiles(1, 2, 9, orphans);
  EXPECT_EQ(judge_as_is(), 13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  00101");
}

TEST_F(YakumanJudge, FourConcealedTripletsByHowTheyWereWon) {
  const std::vector<test::Set> four = {{2, 2}, {14, 2}, {27, 2}, {33, 2}};
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 33, .sets = four, .head = 35}), 0);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  0");
  EXPECT_TRUE(tg.os.sounds.empty());
  EXPECT_EQ(g.scr.yaku_y, 20);
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 35, .sets = four, .head = 35}), 26);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  01502");
  EXPECT_EQ(judge({.pl = 2, .kind = 1, .agari = 33, .sets = four, .head = 35}), 13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  00301");
  // A closed kan keeps the triplets concealed; a pon does not.
  EXPECT_EQ(judge({.pl = 1, .kind = 1, .agari = 2, .sets = {{2, 2}, {14, 2}, {27, 2}}, .head = 35,
                   .melds = {{33, 4}}}),
            13);
  EXPECT_EQ(judge({.pl = 1, .kind = 1, .agari = 2, .sets = {{2, 2}, {14, 2}, {27, 2}}, .head = 35,
                   .melds = {{33, 2}}}),
            0);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  1");
}

TEST_F(YakumanJudge, HonourHandsAddUp) {
  put_tiles(1, 2, 37, {31, 31, 32, 32, 33, 33, 34, 34, 35, 35, 36, 36, 37, 37});
  g.a.toitsu_cnt = 7;
  EXPECT_EQ(judge_as_is(), 13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  00501");
  // Example of the result text: four concealed triplets and all honours.
  EXPECT_EQ(judge({.pl = 1, .kind = 1, .agari = 31, .sets = {{31, 2}, {32, 2}, {35, 2}, {36, 2}}, .head = 33}), 26);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  003010501");
  const std::vector<test::Set> winds = {{31, 2}, {32, 2}, {33, 2}, {34, 2}};
  EXPECT_EQ(judge({.pl = 1, .kind = 1, .agari = 31, .sets = winds, .head = 35}), 39);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  0030105010701");
  EXPECT_EQ(judge({.pl = 1, .kind = 1, .agari = 35, .sets = winds, .head = 35}), 52);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  0150205010701");
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 4, .sets = {{31, 2}, {32, 2}, {33, 2}, {2, 1}}, .head = 34}), 13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  00801");
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 4, .sets = {{35, 2}, {36, 2}, {2, 1}}, .head = 9,
                   .melds = {{37, 2}}}),
            13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  10401");
}

TEST_F(YakumanJudge, FirstDrawWins) {
  const WinHand plain{.pl = 1, .kind = 1, .agari = 2, .sets = {{2, 1}, {13, 1}, {24, 1}, {26, 1}}, .head = 18};
  g.t.man_junme = 1;
  EXPECT_EQ(judge(plain), 13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  01001");
  g.t.oya = 2;
  EXPECT_EQ(judge(plain), 13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  01101");
  WinHand ron = plain;
  ron.kind = 2;
  EXPECT_EQ(judge(ron), 0);
  g.t.oya = 1;
  g.t.man_junme = 5;
  g.t.com_junme = 1;
  WinHand com = plain;
  com.pl = 2;
  EXPECT_EQ(judge(com), 13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  01101");
  EXPECT_EQ(g.yaku.yaku_cnt[1][11], 1);
}

TEST_F(YakumanJudge, UnconnectedTilesAreTheUsersOnly) {
  const std::vector<Tile> shape = {1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 34, 34};
  g.t.oya = 2;
  g.t.man_junme = 1;
  put_tiles(1, 1, 34, shape);
  // A first-draw win is also the non-dealer's first-draw yakuman.
  EXPECT_EQ(judge_as_is(), 26);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  000011101");
  g.t.com_junme = 5;
  put_tiles(2, 1, 34, shape);
  EXPECT_EQ(judge_as_is(), 0);
}

TEST_F(YakumanJudge, FourKansForTheUserOnly) {
  const WinHand kans{.pl = 1, .kind = 1, .agari = 35, .head = 35,
                     .melds = {{2, 3}, {14, 3}, {27, 3}, {33, 3}}};
  EXPECT_EQ(judge(kans), 13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  10201");
  test::put_win(g, {.pl = 2, .kind = 1, .agari = 35, .sets = {{2, 2}, {14, 2}, {27, 2}, {33, 2}}, .head = 35});
  g.t.man_naki_kind = {0, 3, 3, 3, 3, 0};
  g.t.man_naki_cnt = 5;
  EXPECT_EQ(sukan_check(g), 0);
}

TEST_F(YakumanJudge, NineGatesAndBigWheelsNeedAClosedHand) {
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{1, 2}, {3, 1}, {6, 1}, {9, 2}}, .head = 2}), 13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  01201");
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{1, 2}, {6, 1}, {9, 2}}, .head = 2,
                   .melds = {{3, 1}}}),
            0);
  EXPECT_EQ(judge({.pl = 2, .kind = 2, .agari = 28, .pairs = {22, 23, 24, 25, 26, 27, 28}}), 13);
  EXPECT_EQ(g.yaku.yaku_str, "yakuman  01301");
  EXPECT_EQ(tg.os.sounds.back(), g.path("\\sekiba_yaku_daisha.wav"));
}

}  // namespace
}  // namespace sekiba
