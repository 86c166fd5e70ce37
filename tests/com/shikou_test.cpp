// The discard evaluation on model hands, one group per branch of the chain.
#include "com/shikou.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "com/weights.h"
#include "eval/bunkai.h"
#include "test_game.h"

namespace sekiba {
namespace {

struct ShikouTest : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;

  ShikouTest() {
    fill_weight_presets(g.com);
    g.com.hai_hyouka = g.com.hai_hyouka_a;
    g.t.teban = 2;
    g.a.shuntsu_jun = 1;
    g.a.atama_jun = 1;
  }

  static void fill(std::array<Tile, 16>& hand, std::initializer_list<int> tiles) {
    hand.fill(kEmpty);
    hand[0] = 0;
    int i = 1;
    for (int t : tiles) hand[std::size_t(i++)] = Tile(t);
  }
  void com_hand(std::initializer_list<int> tiles) { fill(g.t.com_hai, tiles); }
  void man_hand(std::initializer_list<int> tiles) { fill(g.t.man_hai, tiles); }
  void discarded(std::initializer_list<int> tiles) {
    g.t.com_junme = 1;
    for (int t : tiles) g.t.com_sute[std::size_t(g.t.com_junme++)] = Tile(t);
  }
  Tile eval(int bunkai_no) { return com_man_shikou_sub(g, bunkai_no); }
};

// ---- weights and ties ---------------------------------------------------------

TEST_F(ShikouTest, PresetsRankEveryKindOnceAndLeaveGapsAtZero) {
  for (const Weights* w : {&g.com.hai_hyouka_a, &g.com.hai_hyouka_b}) {
    std::array<int, 35> seen{};
    for (int c = 0; c <= 38; ++c) {
      if (!is_tile(c)) {
        EXPECT_EQ((*w)[std::size_t(c)], 0) << c;
        continue;
      }
      const int v = (*w)[std::size_t(c)];
      ASSERT_GE(v, 1);
      ASSERT_LE(v, 34);
      ++seen[std::size_t(v)];
    }
    for (int v = 1; v <= 34; ++v) EXPECT_EQ(seen[std::size_t(v)], 1) << v;
  }
  EXPECT_EQ(g.com.hai_hyouka_a[34], 34);  // preset A throws the north first
  EXPECT_EQ(g.com.hai_hyouka_b[25], 30);  // preset B throws a five before the dragons
}

TEST_F(ShikouTest, EqualWeightsGoToTheLowerSlot) {
  // The dora lowering can give two tiles weight 1: 2 (20 - 20) beside 15.
  g.com.hai_hyouka[2] = 1;
  g.a.work_hai.fill(kEmpty);
  g.a.work_hai[1] = 2;
  g.a.work_hai[2] = 15;
  EXPECT_EQ(sute_hyouka(g), 2);
  g.a.work_hai[1] = 15;
  g.a.work_hai[2] = 2;
  EXPECT_EQ(sute_hyouka(g), 15);
}

TEST_F(ShikouTest, NoPositiveWeightAnswersSlotOne) {
  g.com.hai_hyouka.fill(0);
  g.a.work_hai.fill(kEmpty);
  g.a.work_hai[1] = 7;
  g.a.work_hai[2] = 33;
  EXPECT_EQ(sute_hyouka(g), 7);
}

// ---- aims -----------------------------------------------------------------------

TEST_F(ShikouTest, NineOfOneSuitAimsAtChinitsuAndThrowsOffSuitByWeight) {
  com_hand({11, 12, 13, 14, 15, 16, 17, 18, 19, 8, 9, 5, 25});
  com_nerai_kime(g);
  EXPECT_EQ(g.com.com_nerai_chinitu, 1);
  EXPECT_EQ(g.com.com_nerai_honitu, 4);  // no honours: 9 is not more than 11
  g.t.com_hai[14] = 24;
  EXPECT_EQ(eval(1), 9);  // the heaviest of 8 9 5 25 24, shape or not
  EXPECT_EQ(g.com.tenpai_flg, 0);

  g.s.shikou_chinitu = 1;  // switched off: 8-9 and 24-25 are shapes to keep
  EXPECT_EQ(eval(1), 5);
}

TEST_F(ShikouTest, EightOfOneSuitIsNoAim) {
  com_hand({11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 5, 25, 29});
  com_nerai_kime(g);
  EXPECT_EQ(g.com.com_nerai_chinitu, 4);
}

TEST_F(ShikouTest, ChinitsuAimComesBeforeHonitsuOnTheSameSuit) {
  com_hand({11, 11, 12, 13, 14, 15, 16, 17, 18, 19, 34, 35, 1, 2});
  com_nerai_kime(g);
  EXPECT_EQ(g.com.com_nerai_chinitu, 1);
  EXPECT_EQ(g.com.com_nerai_honitu, 1);
  EXPECT_EQ(eval(1), 34);  // every non-pin goes, the north heaviest
  g.s.shikou_chinitu = 1;
  EXPECT_EQ(eval(1), 1);  // honours stay for the honitsu
}

TEST_F(ShikouTest, LaterSuitOverridesWithLowThresholds) {
  g.s.shikou_chinitu_su = 3;
  com_hand({1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 21, 31, 32});
  com_nerai_kime(g);
  EXPECT_EQ(g.com.com_nerai_chinitu, 1);
}

TEST_F(ShikouTest, TerminalAimThrowsHonoursAndMiddleTiles) {
  com_hand({1, 1, 9, 9, 11, 11, 19, 19, 21, 21, 29, 29, 31, 5});
  com_nerai_kime(g);
  EXPECT_EQ(g.com.com_nerai_chinro, 1);
  EXPECT_EQ(eval(1), 31);
  com_hand({1, 1, 9, 9, 11, 11, 19, 19, 21, 21, 29, 29, 4, 5});
  com_nerai_kime(g);
  EXPECT_EQ(eval(1), 4);
  g.s.shikou_chinro = 1;  // without the aim the 4-5 shape is kept and a pair goes
  EXPECT_EQ(eval(1), 11);
}

TEST_F(ShikouTest, AimsOfTheUserComeFromTheUsersHand) {
  man_hand({21, 22, 23, 24, 25, 26, 27, 28, 29, 21, 1, 2, 3});
  com_hand({1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 21, 31, 32});
  man_nerai_kime(g);
  EXPECT_EQ(g.com.man_nerai_chinitu, 2);
  EXPECT_EQ(g.com.com_nerai_chinitu, 4);  // untouched
}

TEST_F(ShikouTest, AimFullyReachedFallsThroughToTheDecomposition) {
  com_hand({11, 12, 13, 14, 15, 16, 17, 18, 19, 11, 12, 13, 19, 19});
  com_nerai_kime(g);
  ASSERT_EQ(g.com.com_nerai_chinitu, 1);
  g.a.shuntsu_jun = 3;
  EXPECT_EQ(eval(4), kEmpty);  // complete, not 0
}

// ---- riichi and complete ----------------------------------------------------------

TEST_F(ShikouTest, RiichiThrowsTheDrawnTile) {
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 15, 5, 6});
  EXPECT_EQ(eval(1), 15);
  g.t.com_rechi = 2;
  EXPECT_EQ(eval(1), 6);
  EXPECT_EQ(g.com.tenpai_flg, 0);
}

TEST_F(ShikouTest, RiichiWithACompleteDecompositionAnswers38) {
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 5, 6, 7});
  g.t.com_rechi = 3;
  EXPECT_EQ(eval(1), kEmpty);
}

TEST_F(ShikouTest, EvaluationLeavesTheHandsAlone) {
  com_hand({1, 9, 11, 19, 21, 29, 31, 32, 33, 34, 35, 36, 37, 5});
  const auto before = g.t.com_hai;
  eval(1);
  EXPECT_EQ(g.t.com_hai, before);
}

// ---- two tiles left ------------------------------------------------------------------

TEST_F(ShikouTest, FourTripletsThrowTheHeavierSingleAndAreReady) {
  com_hand({1, 1, 1, 12, 12, 12, 25, 25, 25, 33, 33, 33, 7, 31});
  EXPECT_EQ(eval(1), 31);
  EXPECT_EQ(g.com.tenpai_flg, 1);
  EXPECT_EQ(g.com.osekai_machi, 1);
}

TEST_F(ShikouTest, ThreeTripletsAndAnOpenShapeBreakTheFirstTriplet) {
  com_hand({1, 1, 1, 12, 12, 12, 33, 33, 33, 21, 22, 23, 5, 6});
  EXPECT_EQ(eval(1), 1);
  EXPECT_EQ(g.com.tenpai_flg, 0);
  EXPECT_EQ(g.com.osekai_machi, 0);
}

TEST_F(ShikouTest, SingleWaitKeepsTheTileNextToASet) {
  // 4 lies beside the sequence 1-2-3; 35 beside nothing.
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 31, 31, 31, 4, 35});
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.tenpai_flg, 1);
}

TEST_F(ShikouTest, SingleWaitTheHigherTileWinsWhenBothLieNextToSets) {
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 31, 31, 31, 4, 24});
  EXPECT_EQ(eval(1), 4);
  EXPECT_EQ(g.com.tenpai_flg, 1);
}

TEST_F(ShikouTest, SingleWaitOnAFourthCopyIsNotReady) {
  com_hand({1, 2, 3, 4, 4, 4, 4, 11, 12, 13, 21, 22, 23, 35});
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.tenpai_flg, 0);
}

TEST_F(ShikouTest, SingleWaitWithNothingNextToASetThrowsByWeight) {
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 31, 31, 31, 7, 35});
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.tenpai_flg, 0);
}

TEST_F(ShikouTest, SevenPairsThrowTheSingleAlreadyDiscarded) {
  com_hand({1, 1, 5, 5, 12, 12, 17, 17, 23, 23, 33, 33, 7, 29});
  EXPECT_EQ(eval(8), 29);  // neither discarded: the higher code
  EXPECT_EQ(g.com.tenpai_flg, 1);
  discarded({7});
  EXPECT_EQ(eval(8), 7);
  discarded({29});
  EXPECT_EQ(eval(8), 29);
}

TEST_F(ShikouTest, SevenPairsWithATripleThrowTheThirdCopy) {
  com_hand({1, 1, 5, 5, 12, 12, 17, 17, 23, 23, 29, 29, 29, 7});
  EXPECT_EQ(eval(8), 29);
  EXPECT_EQ(g.com.tenpai_flg, 1);
  com_hand({1, 1, 1, 5, 5, 12, 12, 17, 17, 23, 23, 29, 29, 37});
  EXPECT_EQ(eval(8), 1);
  EXPECT_EQ(g.com.tenpai_flg, 1);
}

TEST_F(ShikouTest, SevenPairsWithFourCopiesIsNoWait) {
  com_hand({1, 1, 5, 5, 12, 12, 17, 17, 23, 23, 29, 29, 29, 29});
  EXPECT_EQ(eval(8), 29);
  EXPECT_EQ(g.com.tenpai_flg, 0);
}

// ---- three tiles left ------------------------------------------------------------------

TEST_F(ShikouTest, ThreeLeftOpenShapeIsReadyAtOnce) {
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 5, 6, 35});
  g.t.com_junme = 1;
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.tenpai_flg, 1);
  EXPECT_EQ(g.com.osekai_machi, 0);  // wait kinds are the user's
}

TEST_F(ShikouTest, ThreeLeftPairWaitIsReadyFromTheTenthDiscard) {
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 5, 5, 35});
  g.t.com_junme = 9;
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.tenpai_flg, 0);
  g.t.com_junme = 10;
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.tenpai_flg, 1);
}

TEST_F(ShikouTest, ThreeLeftClosedWaitIsReadyFromTheFourteenthDiscard) {
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 5, 7, 35});
  g.t.com_junme = 13;
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.tenpai_flg, 0);
  g.t.com_junme = 14;
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.tenpai_flg, 1);
}

TEST_F(ShikouTest, ThreeLeftSecondPairOfTheHeadBreaksIt) {
  // Sequences, then the head from below, then triplets: 33 33 | 33 33 35.
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 33, 33, 35});
  g.t.com_junme = 15;
  EXPECT_EQ(eval(3), 33);
  EXPECT_EQ(g.com.tenpai_flg, 0);
}

TEST_F(ShikouTest, ThreeLeftOnTheUsersHandReportsTheWaitKind) {
  g.t.teban = 1;
  man_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 5, 6, 35});
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.osekai_machi, 4);
  EXPECT_EQ(g.com.tenpai_flg, 0);
  man_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 5, 5, 35});
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.osekai_machi, 3);
  man_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 5, 7, 35});
  EXPECT_EQ(eval(1), 35);
  EXPECT_EQ(g.com.osekai_machi, 2);
  // Four copies of the head: the user's reading still names the lone tile.
  man_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 33, 33, 35});
  EXPECT_EQ(eval(3), 35);
  EXPECT_EQ(g.com.osekai_machi, 3);
}

TEST_F(ShikouTest, ThreeLeftWithoutAShapeKeepsTheOneTileAwayFromTheSets) {
  // 4 and 24 lie next to sequences; 15 (the lightest tile) is the one to go.
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 4, 15, 24});
  EXPECT_EQ(eval(1), 15);
  EXPECT_EQ(g.com.tenpai_flg, 0);
}

TEST_F(ShikouTest, ThreeLeftWithTwoAwayFromTheSetsThrowsByWeight) {
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 4, 17, 35});
  EXPECT_EQ(eval(1), 35);
}

TEST_F(ShikouTest, ThreeLeftTripletsOnlyReadsAsAPairWaitWhateverTheOldCounters) {
  com_hand({1, 1, 1, 12, 12, 12, 25, 25, 25, 33, 33, 5, 5, 35});
  g.com.ryanmen_cnt = 1;  // left over from an earlier evaluation
  g.com.kanchan_cnt = 1;
  g.t.com_junme = 5;
  EXPECT_EQ(eval(7), 35);
  EXPECT_EQ(g.com.tenpai_flg, 0);
  g.t.com_junme = 12;
  EXPECT_EQ(eval(7), 35);
  EXPECT_EQ(g.com.tenpai_flg, 1);
  g.t.teban = 1;
  man_hand({1, 1, 1, 12, 12, 12, 25, 25, 25, 33, 33, 5, 5, 35});
  EXPECT_EQ(eval(7), 35);
  EXPECT_EQ(g.com.osekai_machi, 3);
}

// ---- reduction chain ------------------------------------------------------------------

TEST_F(ShikouTest, ReductionThrowsTheHeaviestIsolatedTile) {
  // 9 (weight 25) is the heaviest tile but sits in 8-9; 5 and 25 are alone.
  com_hand({1, 2, 3, 11, 12, 13, 31, 31, 8, 9, 18, 19, 5, 25});
  EXPECT_EQ(eval(1), 5);
  EXPECT_EQ(g.com.tenpai_flg, 0);
}

TEST_F(ShikouTest, ReductionBreaksEdgeAndClosedShapesBeforeOpenOnes) {
  com_hand({1, 2, 3, 11, 12, 13, 31, 31, 5, 6, 27, 29, 8, 9});
  EXPECT_EQ(eval(1), 29);
}

TEST_F(ShikouTest, ReductionBreaksPlainPairsNext) {
  com_hand({1, 2, 3, 11, 12, 13, 31, 31, 5, 6, 17, 17, 24, 25});
  g.a.atama_jun = 2;  // the head from the top: 31 31
  EXPECT_EQ(eval(1), 17);
}

TEST_F(ShikouTest, ReductionThenTilesNextToSetsAndHonourPairs) {
  com_hand({1, 2, 3, 4, 11, 12, 13, 14, 31, 31, 24, 25, 35, 35});
  EXPECT_EQ(eval(1), 35);
}

TEST_F(ShikouTest, ReductionBreaksOpenShapesLast) {
  com_hand({1, 2, 3, 11, 12, 13, 31, 31, 5, 6, 24, 25, 16, 17});
  EXPECT_EQ(eval(1), 17);
}

TEST_F(ShikouTest, SevenPairsReductionKeepsSinglesAlreadyDiscarded) {
  com_hand({1, 1, 5, 5, 12, 12, 17, 17, 9, 23, 33, 19, 26, 35});
  discarded({9});
  EXPECT_EQ(eval(8), 9);
}

// ---- removal steps -------------------------------------------------------------------

struct ShikouKesuTest : ShikouTest {
  void work(std::initializer_list<int> tiles) { fill(g.a.work_hai, tiles); }
  std::vector<int> left() {
    std::vector<int> v;
    for (int i = 1; i <= 14; ++i)
      if (g.a.work_hai[std::size_t(i)] != kEmpty) v.push_back(g.a.work_hai[std::size_t(i)]);
    std::sort(v.begin(), v.end());
    return v;
  }
};

TEST_F(ShikouKesuTest, OpenShapesStartAtRankTwoToSeven) {
  work({1, 2, 8, 9, 3, 4, 17, 18});
  ryanmen_kesu(g);
  EXPECT_EQ(left(), (std::vector<int>{1, 4, 8, 9}));  // 2 took the 3 first
  EXPECT_EQ(g.com.ryanmen_cnt, 2);
  ryanmen_kesu(g);
  EXPECT_EQ(g.com.ryanmen_cnt, 0);  // each run recounts
}

TEST_F(ShikouKesuTest, NeighboursNeverCrossASuit) {
  work({9, 11, 19, 21, 1, 2});
  renzoku_kesu(g);
  EXPECT_EQ(left(), (std::vector<int>{9, 11, 19, 21}));
}

TEST_F(ShikouKesuTest, ClosedShapesStayInTheirSuit) {
  work({8, 9, 19, 21, 3, 5, 5});
  kanchan_kesu(g);
  EXPECT_EQ(left(), (std::vector<int>{5, 8, 9, 19, 21}));
  EXPECT_EQ(g.com.kanchan_cnt, 1);
}

TEST_F(ShikouKesuTest, SpacedShapeNeedsAllThree) {
  work({2, 4, 6, 13, 15, 26});
  tobi_kesu(g);
  EXPECT_EQ(left(), (std::vector<int>{13, 15, 26}));
}

TEST_F(ShikouKesuTest, PairsOfThreeAndFourCopies) {
  work({5, 5, 5, 33, 33, 33, 33});
  toitsu_kesu(g);
  EXPECT_EQ(left(), (std::vector<int>{5}));
  EXPECT_EQ(g.com.toitsu_kesu_cnt, 3);
  EXPECT_EQ(g.com.toitsu_kesu_hai, 33);
  work({1, 4, 7});
  toitsu_kesu(g);
  EXPECT_EQ(g.com.toitsu_kesu_cnt, 0);
  EXPECT_EQ(g.com.toitsu_kesu_hai, 0);
}

TEST_F(ShikouKesuTest, ValuePairsAreEastSouthAndDragonsOnly) {
  work({31, 31, 32, 32, 33, 33, 34, 34, 35, 35, 36, 36, 37, 37});
  yakuhai_toitsu_kesu(g);
  EXPECT_EQ(left(), (std::vector<int>{33, 33, 34, 34}));
}

TEST_F(ShikouKesuTest, TilesNextToSetsAndTheHead) {
  bunkai_clear(g);
  g.a.mentsu_cnt = 3;
  g.a.mentsu_hai[1] = 12;  // sequence 12-13-14: 11..15 of pins
  g.a.mentsu_kind[1] = 1;
  g.a.mentsu_hai[2] = 25;  // triplet of 25: 24 and 26
  g.a.mentsu_kind[2] = 2;
  g.a.atama_hai = 7;  // head 7: 6..8
  work({2, 11, 15, 16, 24, 26, 27, 6, 8, 9, 5});
  mentsu_soba_kesu(g);
  EXPECT_EQ(left(), (std::vector<int>{2, 5, 9, 16, 27}));
}

TEST_F(ShikouKesuTest, NoSetsRecordedProtectsNothing) {
  bunkai_clear(g);
  g.a.atama_hai = 7;
  work({6, 7, 8});
  mentsu_soba_kesu(g);
  EXPECT_EQ(left(), (std::vector<int>{6, 7, 8}));
}

TEST_F(ShikouKesuTest, HonourTripletAndHonourHeadProtectNothing) {
  bunkai_clear(g);
  g.a.mentsu_cnt = 2;
  g.a.mentsu_hai[1] = 32;
  g.a.mentsu_kind[1] = 2;
  g.a.atama_hai = 35;
  work({31, 33, 34, 36});
  mentsu_soba_kesu(g);
  EXPECT_EQ(left(), (std::vector<int>{31, 33, 34, 36}));
}

}  // namespace
}  // namespace sekiba
