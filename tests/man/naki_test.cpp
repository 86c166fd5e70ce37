// Pon, chi, open kan, closed and added kans.
#include "eval/bunkai.h"
#include "man/man_fixture.h"

namespace sekiba {
namespace {

using namespace test;

TEST_F(ManTest, PonWithThreeCopiesTakesTwoAndAnyTileMayFollow) {
  com_discards({31});
  hand({31, 31, 31, 2, 3, 4, 15, 16, 17, 27, 28, 29, 9});
  g.t.com_rechi = 2;
  g.s.settei[12] = 0;
  // Throw the third East right after the pon.
  press({key(vk_digit(1)), key(vk_slot(11))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(g.t.man_naki_kind[1], 2);
  EXPECT_EQ(g.t.man_naki_hai[1], 31);
  EXPECT_EQ(last_discard(), 31);
  EXPECT_EQ(g.t.com_rechi, 3);  // the opponent's one-turn bonus is gone
  EXPECT_EQ(count_sounds("sekiba_wave_pon"), 1);
  EXPECT_EQ(g.man.sousa_mode, 6);
}

TEST_F(ManTest, ImpossibleCallsLeaveTheDecisionOpen) {
  com_discards({35});
  hand(kRyanmen);
  next_draw(9);
  press({key(vk_digit(1)), key(vk_digit(2)), key(vk_digit(3)), key(vk_slot(14)), key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(g.t.man_naki_cnt, 1);
}

TEST_F(ManTest, ChiOnFiveBetweenThreeFourAndSixSevenOffersThreeRuns) {
  struct Case {
    int pick;  // slot key
    int lowest;
  };
  // Sorted hand: 3 4 6 7 11 12 13 21 22 23 31 31 37.
  for (const Case& c : {Case{2, 4}, Case{3, 4}, Case{1, 3}, Case{4, 5}}) {
    g.t.man_naki_cnt = 1;
    com_discards({5});
    hand({3, 4, 6, 7, 11, 12, 13, 21, 22, 23, 31, 31, 37});
    press({key(vk_digit(2)), key(vk_slot(11)), key(vk_slot(c.pick)), key(vk_slot(1))});
    ASSERT_EQ(man_main(g), 0);
    EXPECT_EQ(g.t.man_naki_kind[1], 1);
    EXPECT_EQ(g.t.man_naki_hai[1], c.lowest) << c.pick;
    EXPECT_EQ(g.man.chi_houhou, c.lowest == 5 ? 1 : c.lowest == 4 ? 2 : 3);
    EXPECT_EQ(man_hai_kazu(g, 5), 0);
  }
}

TEST_F(ManTest, ChiAtTheEndsOfASuitAndNeverOnHonours) {
  hand({2, 3, 7, 8, 19, 21, 22, 31, 32, 33, 34, 35, 35});
  EXPECT_EQ(man_chi(g, 31), 0);
  EXPECT_EQ(man_chi(g, 21), 0);  // 19 and 21 are not neighbours
  com_discards({1});
  EXPECT_EQ(man_chi(g, 1), 1);
  EXPECT_EQ(g.t.man_naki_hai[1], 1);
  com_discards({9});
  EXPECT_EQ(man_chi(g, 9), 1);
  EXPECT_EQ(g.t.man_naki_hai[2], 7);
}

TEST_F(ManTest, OpenKanNeedsExactlyThreeAndDrawsTheReplacement) {
  com_discards({37});
  hand({37, 37, 2, 3, 4, 15, 16, 17, 27, 28, 29, 9, 9});
  next_draw(21);
  press({key(vk_digit(3)), key(vk_slot(14)), key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(g.t.man_naki_cnt, 1);

  com_discards({37});
  hand({37, 37, 37, 2, 3, 4, 15, 16, 17, 27, 28, 9, 9});
  next_draw(29);  // completes the hand: a win on the replacement tile
  press({key(vk_digit(3)), key(vk_digit(5))});
  EXPECT_EQ(man_main(g), 2);
  EXPECT_EQ(g.t.man_naki_kind[1], 3);
  EXPECT_EQ(g.yaku.rinshan_flag, 1);
  EXPECT_EQ(g.man.sousa_mode, 7);
}

TEST_F(ManTest, ClosedKanWithTheDrawnTileAndAWinOnItsReplacement) {
  hand({5, 5, 5, 2, 3, 4, 15, 16, 17, 27, 28, 9, 9}, 5);
  next_draw(29);
  press({key(vk_digit(3)), key(vk_digit(5))});
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 1);
  EXPECT_EQ(g.t.man_naki_kind[1], 4);
  EXPECT_EQ(g.t.man_naki_hai[1], 5);
  EXPECT_EQ(g.yaku.rinshan_flag, 1);
  EXPECT_EQ(g.t.agari_hai, 29);
}

TEST_F(ManTest, KanAfterAPonCannotWinOnTheReplacement) {
  // A closed kan (3), and an added kan on the pon just made (6): the replacement
  // completes the hand, yet 上がり, by key or by the window, does nothing.
  struct Case {
    int kan_key;
    std::initializer_list<int> tiles;
  } cases[] = {{3, {5, 5, 5, 5, 15, 16, 17, 27, 28, 9, 9}}, {6, {15, 16, 17, 27, 28, 9, 9, 2, 3, 4, 35}}};
  for (const auto& c : cases) {
    g.t.man_naki_cnt = 1;
    add_meld(35, 2);
    hand(c.tiles);
    next_draw(29);
    press({key(vk_digit(c.kan_key)), key(vk_digit(5)), key(kVkDown), key(kVkDown), key(kVkDown), key(kVkEnter),
           key(vk_slot(14))});
    EXPECT_EQ(man_sute_sub(g, 0, kPon), 0) << c.kan_key;
    EXPECT_EQ(last_discard(), 29) << c.kan_key;
    EXPECT_EQ(g.yaku.rinshan_flag, 0) << c.kan_key;
    EXPECT_TRUE(script.empty());
  }
}

TEST_F(ManTest, SeveralClosedKansAreChosenWithoutCancel) {
  hand({5, 5, 5, 5, 7, 7, 7, 7, 15, 16, 17, 9, 9}, 21);
  next_draw(22);
  // Esc and a tile that fits neither kan are ignored; the 7 is taken.
  press({key(vk_digit(3)), key(27), key(vk_slot(12)), key(vk_slot(6)), key(vk_slot(14))});
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 0);
  EXPECT_EQ(g.t.man_naki_hai[1], 7);
  EXPECT_EQ(man_hai_kazu(g, 5), 4);
  EXPECT_EQ(last_discard(), 22);
}

TEST_F(ManTest, KanFallsBackToTheAddedKanAndOtherwiseDoesNothing) {
  add_meld(31, 2);
  hand({2, 3, 4, 15, 16, 17, 27, 28, 9, 9}, 31);
  next_draw(29);
  press({key(vk_digit(3)), key(vk_digit(5))});
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 1);
  EXPECT_EQ(g.t.man_naki_kind[1], 3);
  EXPECT_EQ(man_hai_kazu(g, 31), 0);
  EXPECT_EQ(g.yaku.rinshan_flag, 1);

  // Neither a closed nor an added kan: 3 and 6 change nothing.
  hand({2, 3, 4, 15, 16, 17, 27, 28, 9, 9}, 35);
  press({key(vk_digit(3)), key(vk_digit(6)), key(vk_slot(14))});
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 0);
  EXPECT_EQ(g.t.man_naki_cnt, 2);
  EXPECT_EQ(last_discard(), 35);
}

TEST_F(ManTest, EmptySlotsAfterCallsAreNeverAKan) {
  add_meld(31, 2);
  add_meld(32, 2);
  add_meld(33, 2);
  hand({2, 3, 4, 9}, 35);
  EXPECT_EQ(man_unkan(g), 0);
  EXPECT_EQ(g.t.man_naki_cnt, 4);
}

TEST_F(ManTest, AddedKanChoiceTakesAClickToo) {
  add_meld(31, 2);
  add_meld(32, 2);
  hand({31, 2, 3, 4, 15, 16, 9}, 32);
  next_draw(9);
  press({click_slot(1), click_slot(7)});  // the 2 is no candidate, the East is
  EXPECT_EQ(man_unkan_p(g), 1);
  EXPECT_EQ(g.t.man_naki_kind[1], 3);
  EXPECT_EQ(g.t.man_naki_kind[2], 2);
}

}  // namespace
}  // namespace sekiba
