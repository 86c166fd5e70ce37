#include "bunkai_fixture.h"

#include "eval/hand.h"

namespace sekiba {
namespace {

using test::hand_of;
using test::kOrphanCodes;
using Machi = test::BunkaiFixture;
using V = std::vector<int>;

TEST_F(Machi, NineGatesWaitsOnEveryNumber) {
  man({1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9});
  const Hand before = g.t.man_hai;
  EXPECT_EQ(help_kazu(g), 9);
  EXPECT_EQ(waits(), V({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(g.a.machi_hai[10], 0);
  EXPECT_EQ(g.t.man_hai, before);
}

TEST_F(Machi, AWaitIsListedEvenWhenTheHandHoldsAllFourCopies) {
  man({1, 1, 1, 1, 14, 15, 16, 17, 18, 19, 21, 22, 23});
  EXPECT_EQ(help_kazu(g), 1);
  EXPECT_EQ(waits(), V({1}));
  EXPECT_EQ(man_tenpai_check(g), 38);
}

TEST_F(Machi, ThirteenOrphansWaitsOnAllThirteen) {
  Hand h = hand_of({});
  for (int i = 0; i < 13; ++i) h[std::size_t(i + 1)] = Tile(kOrphanCodes[i]);
  g.t.man_hai = h;
  g.t.man_junme = 5;
  EXPECT_EQ(help_kazu(g), 13);
  EXPECT_EQ(waits(), V(std::begin(kOrphanCodes), std::end(kOrphanCodes)));
  EXPECT_EQ(g.a.machi_hai[14], 0);
}

TEST_F(Machi, HelpIgnoresATileAlreadyInTheFourteenthSlot) {
  man({2, 3, 11, 12, 13, 14, 15, 16, 27, 28, 29, 35, 35, 31});
  EXPECT_EQ(help_kazu(g), 2);
  EXPECT_EQ(waits(), V({1, 4}));
}

TEST_F(Machi, AClosedKanLendsNoTileToTheWaits) {
  // With the kan of 7 bamboo as loose tiles, 8 would read 7-8-9 plus a pair
  // of 7s; the kan is a fixed set, so only the single 9 waits.
  man({2, 3, 4, 11, 12, 13, 14, 15, 16, 29});
  meld(1, 27, 4);
  EXPECT_EQ(help_kazu(g), 1);
  EXPECT_EQ(waits(), V({29}));
  EXPECT_EQ(man_tenpai_check(g), 38);
  // The wait shown is one the win test accepts.
  g.t.man_hai[11] = 29;
  man_work_set(g);
  EXPECT_EQ(man_agari_check(g), 38);
  g.t.man_hai[11] = 28;
  man_work_set(g);
  EXPECT_EQ(man_agari_check(g), 0);
}

TEST_F(Machi, NotReadyHasNoWaits) {
  man({1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 35});
  g.t.man_junme = 3;
  EXPECT_EQ(help_kazu(g), 0);
  EXPECT_EQ(g.a.machi_hai[1], 0);
  EXPECT_EQ(man_tenpai_check(g), 0);
}

TEST_F(Machi, ComputerWaitsLeaveItsFourteenthSlotEmpty) {
  com({2, 3, 11, 12, 13, 14, 15, 16, 27, 28, 29, 35, 35, 36});
  EXPECT_EQ(com_machi_kazu(g), 2);
  EXPECT_EQ(waits(), V({1, 4}));
  EXPECT_EQ(g.t.com_hai[14], 38);
  EXPECT_EQ(g.t.com_hai[1], 2);
}

TEST_F(Machi, FuritenOnTheUsersOwnEarlierDiscard) {
  // Waiting on 1 and 4; the user threw a 4 on the second turn.
  man({35, 2, 12, 3, 11, 13, 14, 15, 16, 27, 28, 29, 35});
  g.t.man_hai[14] = kEmpty;
  const Hand before = g.t.man_hai;
  g.t.man_sute[1] = 31;
  g.t.man_sute[2] = 4;
  g.t.man_sute[3] = 37;
  g.t.man_junme = 4;
  EXPECT_EQ(man_furiten_hai(g), 4);
  EXPECT_EQ(g.t.man_hai, before);  // order included

  g.t.man_sute[2] = 33;
  g.t.man_sute[4] = 1;  // not thrown yet
  EXPECT_EQ(man_furiten_hai(g), 0);
  EXPECT_EQ(g.t.man_hai, before);
}

TEST_F(Machi, TheOpponentsDiscardsNeverMakeTheUserFuriten) {
  man({2, 3, 11, 12, 13, 14, 15, 16, 27, 28, 29, 35, 35});
  g.t.com_sute[1] = 1;
  g.t.com_sute[2] = 4;
  g.t.com_junme = 3;
  g.t.man_sute[1] = 31;
  g.t.man_junme = 2;
  EXPECT_EQ(man_furiten_hai(g), 0);
}

// --- Exhaustive draw -------------------------------------------------------

TEST_F(Machi, DrawTenpaiOnASingleAndOnTwoLeftShapes) {
  com({1, 2, 3, 14, 15, 16, 17, 18, 19, 21, 21, 21, 31});  // single
  EXPECT_EQ(com_nagare_tenpai(g), 38);
  com({1, 2, 3, 14, 15, 16, 17, 18, 19, 25, 25, 8, 9});  // edge
  EXPECT_EQ(com_nagare_tenpai(g), 38);
  com({1, 2, 3, 14, 15, 16, 17, 18, 19, 25, 25, 27, 29});  // closed
  EXPECT_EQ(com_nagare_tenpai(g), 38);
  com({1, 2, 3, 14, 15, 16, 17, 18, 19, 25, 25, 33, 33});  // two pairs
  EXPECT_EQ(com_nagare_tenpai(g), 38);
  com({1, 2, 3, 14, 15, 16, 17, 18, 19, 25, 25, 23, 27});
  EXPECT_EQ(com_nagare_tenpai(g), 0);
}

TEST_F(Machi, DrawShapesNeverSpanTwoSuits) {
  // 9 + 2 is the code 11 and 29 + 2 the code 31: neither is a closed wait.
  com({2, 3, 4, 14, 15, 16, 17, 18, 19, 25, 25, 9, 11});
  EXPECT_EQ(com_nagare_tenpai(g), 0);
  com({2, 3, 4, 14, 15, 16, 17, 18, 19, 5, 5, 29, 31});
  EXPECT_EQ(com_nagare_tenpai(g), 0);
  com({2, 3, 4, 14, 15, 16, 11, 12, 13, 5, 5, 31, 32});  // honours do not run
  EXPECT_EQ(com_nagare_tenpai(g), 0);
}

TEST_F(Machi, DrawSevenPairsNeedsTheLoneTileHeldOnce) {
  com({31, 31, 32, 32, 33, 33, 34, 34, 35, 35, 36, 36, 36});
  EXPECT_EQ(com_nagare_tenpai(g), 0);
  man({31, 31, 32, 32, 33, 33, 34, 34, 35, 35, 36, 36, 36});
  EXPECT_EQ(man_nagare_tenpai(g), 0);
  com({31, 31, 32, 32, 33, 33, 34, 34, 35, 35, 36, 36, 37});
  EXPECT_EQ(com_nagare_tenpai(g), 38);
  man({31, 31, 32, 32, 33, 33, 34, 34, 35, 35, 36, 36, 37});
  EXPECT_EQ(man_nagare_tenpai(g), 38);
}

TEST_F(Machi, DrawThirteenOrphansIsTenpaiForBothSides) {
  Hand h = hand_of({});
  for (int i = 0; i < 13; ++i) h[std::size_t(i + 1)] = Tile(kOrphanCodes[i]);
  // The computer wins on any of the thirteen, so it is not noten either.
  g.t.com_hai = h;
  EXPECT_EQ(com_nagare_tenpai(g), 38);
  g.t.man_hai = h;
  EXPECT_EQ(man_nagare_tenpai(g), 38);
  // Twelve codes and a pair wait on the missing code.
  h[13] = 1;
  g.t.man_hai = h;
  EXPECT_EQ(man_nagare_tenpai(g), 38);
}

TEST_F(Machi, DrawTenpaiWithMelds) {
  // Pon of East and chi 4-5-6: concealed 7-8-9, 2-3 and a pair.
  meld(1, 31, 2);
  meld(2, 4, 1);
  man({17, 18, 19, 22, 23, 25, 25});
  EXPECT_EQ(man_nagare_tenpai(g), 38);
  man({17, 18, 19, 22, 24, 25, 29});
  EXPECT_EQ(man_nagare_tenpai(g), 0);
}

TEST_F(Machi, DrawMeldTilesDoNotJoinTheConcealedHand) {
  // 3-4 and 6-7 beside two sets have no head: noten, although the pon's 5s
  // would make 3-4-5, 5-6-7 and a single 5 out of them.
  meld(1, 5, 2);
  man({3, 4, 6, 7, 11, 12, 13, 14, 15, 16});
  EXPECT_EQ(man_nagare_tenpai(g), 0);
}

TEST_F(Machi, DrawTenpaiOfAMeldedHandSkipsSevenPairs) {
  meld(1, 5, 3);  // open kan of 5: six pairs and a single would need 13 tiles
  man({31, 31, 32, 32, 33, 33, 34, 34, 35, 36});
  EXPECT_EQ(man_nagare_tenpai(g), 0);
}

TEST_F(Machi, RiichiIsTenpaiWithoutLooking) {
  man({1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 35});
  com({1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 35});
  g.t.man_rechi = 1;
  g.t.com_rechi = 1;
  EXPECT_EQ(man_nagare_tenpai(g), 38);
  EXPECT_EQ(com_nagare_tenpai(g), 38);
}

}  // namespace
}  // namespace sekiba
