#include "bunkai_fixture.h"

namespace sekiba {
namespace {

using test::hand_of;
using test::kOrphanCodes;
using Agari = test::BunkaiFixture;
using V = std::vector<int>;

TEST_F(Agari, TripletsAreFoundBeforeThreeEqualSequences) {
  work({1, 1, 1, 2, 2, 2, 3, 3, 3, 14, 15, 16, 19, 19});
  ASSERT_EQ(man_agari_check(g), 38);
  EXPECT_EQ(g.a.kotsu_cnt, 3);
  EXPECT_EQ(g.a.shuntsu_cnt, 1);
  EXPECT_EQ(sets(), V({1, 2, 3, 14}));
  EXPECT_EQ(kinds(), V({2, 2, 2, 1}));
  EXPECT_EQ(g.a.atama_hai, 19);
  EXPECT_EQ(g.a.atama_jun, 1);
  EXPECT_EQ(g.a.shuntsu_jun, 1);
  EXPECT_EQ(test::slots(g.a.work_hai), V(14, 38));
}

TEST_F(Agari, StartSevenIsTriedBeforeTwoAndSix) {
  work({2, 2, 3, 3, 4, 4, 6, 6, 7, 7, 8, 8, 9, 9});
  ASSERT_EQ(man_agari_check(g), 38);
  EXPECT_EQ(sets(), V({7, 7, 2, 2}));
  EXPECT_EQ(kinds(), V({1, 1, 1, 1}));
  EXPECT_EQ(g.a.atama_hai, 6);
  EXPECT_EQ(g.a.atama_jun, 1);
  EXPECT_EQ(g.a.shuntsu_jun, 1);
}

TEST_F(Agari, SetListFollowsTheOrderOfRemoval) {
  // The set list follows removal order: the triplet, then the sequences by
  // start number 1, 3 (13-14-15), 5, not by position in the hand.
  work({1, 2, 3, 13, 14, 15, 31, 31, 31, 5, 6, 7, 25, 25});
  ASSERT_EQ(man_agari_check(g), 38);
  EXPECT_EQ(sets(), V({31, 1, 13, 5}));
  EXPECT_EQ(kinds(), V({2, 1, 1, 1}));
  EXPECT_EQ(g.a.atama_hai, 25);
}

TEST_F(Agari, SomeHandsNeedALaterStartOrder) {
  // Starts 4,7,1.. and 5,2,6.. strand tiles whatever the case; ascending
  // starts after the low head finish it.
  work({1, 2, 2, 2, 3, 3, 4, 5, 6, 7, 7, 8, 8, 9});
  ASSERT_EQ(man_agari_check(g), 38);
  EXPECT_EQ(g.a.atama_jun, 1);
  EXPECT_EQ(g.a.shuntsu_jun, 3);
  EXPECT_EQ(sets(), V({1, 3, 6, 7}));
  EXPECT_EQ(g.a.atama_hai, 2);
}

TEST_F(Agari, SomeHandsNeedTheHeadFromTheHighEnd) {
  work({2, 3, 3, 4, 4, 5, 6, 6, 7, 8, 9, 13, 14, 15});
  ASSERT_EQ(man_agari_check(g), 38);
  EXPECT_EQ(g.a.atama_jun, 2);
  EXPECT_EQ(g.a.shuntsu_jun, 1);
  EXPECT_EQ(sets(), V({7, 3, 13, 2}));
  EXPECT_EQ(g.a.atama_hai, 6);
}

TEST_F(Agari, SevenPairsOnlyByTheLastCase) {
  work({1, 1, 2, 2, 3, 3, 11, 11, 15, 15, 31, 31, 35, 35});
  ASSERT_EQ(man_agari_check(g), 38);
  EXPECT_EQ(g.a.toitsu_cnt, 7);
  EXPECT_EQ(test::slots(g.a.toitsu_hai, 1, 7), V({1, 2, 3, 11, 15, 31, 35}));
  EXPECT_EQ(g.a.mentsu_cnt, 1);
  EXPECT_EQ(g.a.shuntsu_jun, 4);
  EXPECT_EQ(g.a.atama_jun, 2);
}

TEST_F(Agari, FourEqualTilesAmongPairsAreNotComplete) {
  work({1, 1, 1, 1, 3, 3, 5, 5, 7, 7, 9, 9, 31, 31});
  EXPECT_EQ(man_agari_check(g), 0);
}

TEST_F(Agari, ThirteenOrphansWithEveryPair) {
  for (int pair : kOrphanCodes) {
    Hand h = hand_of({});
    int s = 1;
    for (int c : kOrphanCodes) h[std::size_t(s++)] = Tile(c);
    h[14] = Tile(pair);
    g.a.work_hai = h;
    g.t.agari_hai = 0;
    EXPECT_EQ(man_agari_check(g), 38) << pair;
    EXPECT_EQ(kokushi_check(g), 1) << pair;
    // The pair on the winning tile (even the tile of an earlier win) is marked.
    g.t.agari_hai = Tile(pair);
    EXPECT_EQ(kokushi_check(g), 2) << pair;
    g.t.com_hai = h;
    EXPECT_EQ(com_agari_check(g), 38) << pair;
    // What is left in the results is the seven-pairs attempt: one pair.
    EXPECT_EQ(g.a.toitsu_cnt, 1) << pair;
  }
}

TEST_F(Agari, ThirteenOrphansNeedsEveryCodeAndNoThirdCopy) {
  work({1, 9, 11, 19, 21, 29, 31, 32, 33, 34, 35, 36, 2, 1});  // a simple instead of red
  EXPECT_EQ(kokushi_check(g), 0);
  work({1, 1, 1, 11, 19, 21, 29, 31, 32, 33, 34, 35, 36, 37});  // three 1s, no 9
  EXPECT_EQ(kokushi_check(g), 0);
}

TEST_F(Agari, ThirteenUnconnectedOnlyForTheUsersFirstTurn) {
  const auto h = {1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 34, 34};
  g.t.man_junme = 1;
  work(h);
  EXPECT_EQ(man_agari_check(g), 38);
  g.t.com_hai = hand_of(h);
  EXPECT_EQ(com_agari_check(g), 0);

  g.t.man_junme = 2;
  work(h);
  EXPECT_EQ(man_agari_check(g), 0);

  g.t.man_junme = 1;
  meld(1, 35, 2);
  work(h);
  EXPECT_EQ(sisan_check(g), 0);
}

TEST_F(Agari, ThirteenUnconnectedNeedsGapsOfThree) {
  g.t.man_junme = 1;
  work({1, 3, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 34, 34});  // 1-3 connect
  EXPECT_EQ(sisan_check(g), 0);
  work({1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 33, 34});
  EXPECT_EQ(sisan_check(g), 1);
  work({1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 34, 34, 34});  // two equal neighbours
  EXPECT_EQ(sisan_check(g), 0);
  // A short hand: empty slots are not unconnected tiles.
  work({1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32});
  EXPECT_EQ(sisan_check(g), 0);
}

TEST_F(Agari, ShortHandsWithMeldsAreCompleteWhenNothingIsLeft) {
  work({2, 3, 4, 31, 31});
  EXPECT_EQ(man_agari_check(g), 38);
  work({31, 31});
  EXPECT_EQ(man_agari_check(g), 38);
  work({31, 32});
  EXPECT_EQ(man_agari_check(g), 0);
}

TEST_F(Agari, ComputerTestReadsItsOwnHand) {
  g.t.com_hai = hand_of({9, 8, 7, 33, 33, 33, 12, 12, 12, 24, 25, 26, 37, 37});
  work({31, 32});
  EXPECT_EQ(com_agari_check(g), 38);
  EXPECT_EQ(test::slots(g.a.hai_bak1, 1, 3), V({7, 8, 9}));
}

}  // namespace
}  // namespace sekiba
