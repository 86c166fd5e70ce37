#include "bunkai_fixture.h"

namespace sekiba {
namespace {

using test::slots;
using Naki = test::BunkaiFixture;
using V = std::vector<int>;

TEST_F(Naki, MeldsJoinTheSetListAfterTheConcealedSets) {
  work({2, 3, 4, 9, 9});
  ASSERT_EQ(man_agari_check(g), 38);
  meld(1, 15, 1);
  meld(2, 0, 0);  // an emptied slot adds nothing
  meld(3, 33, 4);
  meld(4, 21, 3);
  man_naki_tuika(g);
  EXPECT_EQ(sets(), V({2, 15, 33, 21}));
  EXPECT_EQ(kinds(), V({1, 1, 2, 2}));
  EXPECT_EQ(g.a.shuntsu_cnt, 2);
  EXPECT_EQ(g.a.kotsu_cnt, 2);
  EXPECT_EQ(g.a.mentsu_cnt, 5);
}

TEST_F(Naki, MeldsAreWrittenAfterTheLastTileAsThreeTilesEach) {
  meld(1, 31, 3);  // open kan: three tiles here
  meld(2, 6, 1);
  work({25, 25, 11, 12, 13});
  man_naki_tenkai(g);
  EXPECT_EQ(slots(g.a.work_hai), V({11, 12, 13, 25, 25, 31, 31, 31, 6, 7, 8, 38, 38, 38}));
}

TEST_F(Naki, WritingMeldsNeverPassesTheFourteenthSlot) {
  meld(1, 31, 2);
  meld(2, 32, 2);
  work({1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12});
  man_naki_tenkai(g);
  EXPECT_EQ(slots(g.a.work_hai, 12, 15), V({31, 31, 31, 38}));  // slot 15 untouched
}

TEST_F(Naki, OnlyClosedKansAreAddedForTheTrial) {
  meld(1, 5, 2);
  meld(2, 36, 4);
  work({1, 2, 3, 9});
  man_ankan_tuika(g);
  EXPECT_EQ(slots(g.a.work_hai, 1, 8), V({1, 2, 3, 9, 36, 36, 36, 38}));
}

TEST_F(Naki, MeldCounts) {
  meld(1, 3, 1);
  meld(2, 7, 2);
  meld(3, 12, 3);
  meld(4, 12, 4);
  EXPECT_EQ(man_naki_kazu(g), 3);  // a closed kan keeps the hand closed
  EXPECT_EQ(man_kan_kazu(g), 2);
  EXPECT_EQ(man_pon_kazu(g), 2);
  EXPECT_EQ(man_naki_hai_kazu(g, 4), 1);
  EXPECT_EQ(man_naki_hai_kazu(g, 6), 0);
  EXPECT_EQ(man_naki_hai_kazu(g, 7), 3);
  EXPECT_EQ(man_naki_hai_kazu(g, 12), 8);
}

TEST_F(Naki, TileCountsInHandsAndDiscards) {
  man({5, 5, 6, 5});
  com({31, 31});
  EXPECT_EQ(man_hai_kazu(g, 5), 3);
  EXPECT_EQ(com_hai_kazu(g, 31), 2);
  g.t.man_sute[1] = 9;
  g.t.man_sute[2] = 9;
  g.t.man_sute[3] = 9;  // the next discard's slot: not counted yet
  g.t.man_junme = 3;
  EXPECT_EQ(man_sute_kazu(g, 9), 2);
  g.t.com_sute[1] = 9;
  g.t.com_junme = 1;
  EXPECT_EQ(com_sute_kazu(g, 9), 0);
  g.t.com_sute[20] = 9;
  g.t.com_junme = 21;
  EXPECT_EQ(com_sute_kazu(g, 9), 2);
}

TEST_F(Naki, CursorWrapsAroundOverEmptySlots) {
  man({1, 2, 3, 4, 5});  // positions 0..4 hold tiles
  EXPECT_EQ(kasol_idou(g, 13, 1), 0);
  EXPECT_EQ(kasol_idou(g, 0, -1), 4);
  EXPECT_EQ(kasol_idou(g, 13, 0), 4);
  EXPECT_EQ(kasol_idou(g, 2, 0), 2);
  EXPECT_EQ(kasol_idou(g, 4, 1), 0);
  g.t.man_hai[14] = 9;
  EXPECT_EQ(kasol_idou(g, 13, 0), 13);
  EXPECT_EQ(kasol_idou(g, 0, -1), 13);
  EXPECT_EQ(kasol_idou(g, 4, 1), 13);
}

TEST_F(Naki, CursorOverAnEmptyHandStays) {
  man({});
  EXPECT_EQ(kasol_idou(g, 6, 1), 6);
  EXPECT_EQ(kasol_idou(g, 6, 0), 6);
}

TEST_F(Naki, RiichiTurnLimitDependsOnTheDealer) {
  g.t.man_junme = 20;
  g.t.oya = 1;
  EXPECT_EQ(rechi_junme_check(g), 1);
  g.t.oya = 2;
  EXPECT_EQ(rechi_junme_check(g), 0);
  g.t.man_junme = 19;
  EXPECT_EQ(rechi_junme_check(g), 1);
  g.t.oya = 1;
  g.t.man_junme = 21;
  EXPECT_EQ(rechi_junme_check(g), 0);
}

}  // namespace
}  // namespace sekiba
