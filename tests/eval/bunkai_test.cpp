#include "bunkai_fixture.h"

#include "eval/hand.h"

namespace sekiba {
namespace {

using test::hand_of;
using test::slots;
using Bunkai = test::BunkaiFixture;
using V = std::vector<int>;

TEST_F(Bunkai, FourEqualTilesGiveOneTripletAndLeaveTheFourth) {
  work({5, 5, 5, 5, 7});
  kotsu_nuki(g);
  EXPECT_EQ(g.a.kotsu_cnt, 1);
  EXPECT_EQ(sets(), V({5}));
  EXPECT_EQ(nokori_kazu(g), 2);
  EXPECT_EQ(slots(g.a.work_hai, 1, 3), V({5, 7, 38}));
}

TEST_F(Bunkai, HonoursAndGapCodesNeverMakeSequences) {
  // 31-32-33 are consecutive codes but honours; 8-9 and 18-19 have nothing after 9.
  work({8, 9, 11, 18, 19, 21, 31, 32, 33});
  g.a.shuntsu_jun = 3;
  shuntsu_nuki(g);
  EXPECT_EQ(g.a.shuntsu_cnt, 0);
  EXPECT_EQ(nokori_kazu(g), 9);
}

TEST_F(Bunkai, StartOrderDecidesWhichSequencesAreTaken) {
  // 1..5 holds either 1-2-3 or 3-4-5; the start order picks.
  for (int jun : {1, 2, 3, 4}) {
    work({1, 2, 3, 4, 5});
    g.a.shuntsu_jun = std::int16_t(jun);
    bunkai_clear(g);
    shuntsu_nuki(g);
    // 4,7,1.. / 5,2.. / 1.. / 7,6,5,4,3..
    const int expected = jun == 2 ? 2 : jun == 4 ? 3 : 1;
    EXPECT_EQ(sets(), V({expected})) << "shuntsu_jun " << jun;
  }
}

TEST_F(Bunkai, HeadComesFromTheLowOrHighEnd) {
  work({2, 2, 5, 5, 9});
  g.a.atama_jun = 1;
  atama_nuki(g);
  EXPECT_EQ(g.a.atama_hai, 2);
  EXPECT_EQ(g.a.toitsu_cnt, 1);
  EXPECT_EQ(nokori_kazu(g), 3);

  work({2, 2, 5, 5, 9});
  bunkai_clear(g);
  g.a.atama_jun = 2;
  atama_nuki(g);
  EXPECT_EQ(g.a.atama_hai, 5);
  EXPECT_EQ(nokori_kazu(g), 3);
  EXPECT_EQ(slots(g.a.work_hai, 1, 4), V({2, 2, 9, 38}));
}

TEST_F(Bunkai, SevenPairsCountFourEqualTilesOnce) {
  work({1, 1, 1, 1, 3, 3, 5, 5, 7, 7, 9, 9, 31, 31});
  EXPECT_EQ(mentsu_bunkai(g, 8), 2);
  EXPECT_EQ(g.a.toitsu_cnt, 6);
  EXPECT_EQ(slots(g.a.toitsu_hai, 1, 7), V({1, 3, 5, 7, 9, 31, 0}));
  EXPECT_EQ(slots(g.a.work_hai, 1, 3), V({1, 1, 38}));
}

TEST_F(Bunkai, EveryCaseClearsThePreviousResult) {
  work({1, 1, 1, 2, 2, 2, 3, 3, 3, 14, 15, 16, 19, 19});
  ASSERT_EQ(mentsu_bunkai(g, 1), 0);
  work({31, 32});
  EXPECT_EQ(mentsu_bunkai(g, 1), 2);
  EXPECT_EQ(g.a.kotsu_cnt, 0);
  EXPECT_EQ(g.a.shuntsu_cnt, 0);
  EXPECT_EQ(g.a.mentsu_cnt, 1);
  EXPECT_EQ(g.a.atama_hai, 0);
  EXPECT_EQ(slots(g.a.mentsu_hai, 1, 4), V({0, 0, 0, 0}));
}

TEST_F(Bunkai, CaseSevenTakesNoSequencesAndAnyOtherCaseIsSevenPairs) {
  work({1, 1, 1, 2, 3, 4, 9, 9});
  EXPECT_EQ(mentsu_bunkai(g, 7), 3);
  EXPECT_EQ(g.a.shuntsu_cnt, 0);
  work({1, 1, 1, 2, 3, 4, 9, 9});
  EXPECT_EQ(mentsu_bunkai(g, 42), 4);  // pairs 1 1 and 9 9 only
  EXPECT_EQ(g.a.toitsu_cnt, 2);
}

TEST_F(Bunkai, TheHeadMayComeOutOfATriplet) {
  // Triplets first strand 2-3; the head first leaves 1-2-3.
  const auto h = {1, 1, 1, 2, 3};
  work(h);
  g.a.atama_jun = 1;
  EXPECT_EQ(mentsu_bunkai(g, 1), 2);
  work(h);
  EXPECT_EQ(mentsu_bunkai(g, 5), 0);
  EXPECT_EQ(g.a.atama_hai, 1);
  EXPECT_EQ(sets(), V({1}));
}

TEST_F(Bunkai, HandStartPlaysATripletHandAsTriplets) {
  g.a.bunkai_no = 3;
  com({1, 1, 1, 2, 2, 2, 3, 3, 4, 4, 5, 6, 7, 8});  // 111 222 33 leave six
  com_kotsu_kime(g);
  EXPECT_EQ(g.a.bunkai_no, 7);

  g.a.bunkai_no = 3;
  com({1, 1, 1, 2, 2, 2, 3, 4, 5, 6, 7, 8, 9, 31});  // 111 222 and no pair: eight left
  com_kotsu_kime(g);
  EXPECT_EQ(g.a.bunkai_no, 3);
}

TEST_F(Bunkai, ComputerPlansSevenPairsWhenAtMostTwoTilesRemain) {
  g.t.com_hai = hand_of({1, 1, 4, 4, 7, 7, 12, 12, 15, 15, 21, 21, 31, 35});
  com_work_set(g);
  com_bunkai_kime(g);
  EXPECT_EQ(g.a.bunkai_no, 8);
  EXPECT_EQ(g.a.shuntsu_jun, 1);
  EXPECT_EQ(g.a.atama_jun, 1);
}

TEST_F(Bunkai, ComputerStopsAtAnOpenShapeWithOneTileOver) {
  // Three sets, head 1p, then 2s-3s and a lone East. The first attempt leaves
  // three tiles; the second confirms an open shape and ends the search.
  g.t.com_hai = hand_of({1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 11, 22, 23, 31});
  g.a.bunkai_no = 5;
  com_work_set(g);
  com_bunkai_kime(g);
  EXPECT_EQ(g.a.bunkai_no, 2);
  EXPECT_EQ(g.a.shuntsu_jun, 1);
  EXPECT_EQ(g.a.atama_jun, 1);
}

TEST_F(Bunkai, ComputerTakesTheFirstTieThatShrinksTheLeftovers) {
  // Triplets first leave five loose tiles, the head first six. The first
  // attempt sets the best count; the first tie after it is taken too because
  // no tie has been measured yet, later ties are not.
  g.t.com_hai = hand_of({1, 1, 1, 5, 5, 5, 13, 13, 13, 17, 24, 27, 31, 34});
  com_work_set(g);
  com_bunkai_kime(g);
  EXPECT_EQ(g.a.bunkai_no, 2);
  EXPECT_EQ(g.a.shuntsu_jun, 1);
  EXPECT_EQ(g.a.atama_jun, 1);
}

}  // namespace
}  // namespace sekiba
