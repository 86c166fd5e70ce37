#include "eval/yaku.h"

#include <gtest/gtest.h>

#include "eval/yaku_test_hand.h"
#include "test_game.h"

namespace sekiba {
namespace {

using test::Meld;
using test::Set;
using test::WinHand;

class YakuJudge : public ::testing::Test {
 protected:
  test::TestGame tg;
  Game& g = tg.g;

  void SetUp() override {
    g.s.settei[6] = 1;  // the tile after the indicator is the dora
    g.t.oya = 1;
    g.t.man_junme = g.t.com_junme = 8;
  }
  int judge(const WinHand& w) {
    test::put_win(g, w);
    g.yaku.yaku_str = "yakusuu ";
    return yaku_hantei(g);
  }
  // Han of a code found by the last judgement, -1 when it was not found.
  int han(int code) const {
    for (const auto& f : g.yaku.found)
      if (f.code == code) return f.han;
    return -1;
  }
  std::string voice(const char* name) const { return g.path(std::string(name) + ".wav"); }
};

TEST_F(YakuJudge, TanyaoPinfuAndOneDoraMakeTheTwentyTwoCharacterText) {
  g.t.dora = 12;  // dora 13
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 4, .sets = {{2, 1}, {13, 1}, {24, 1}, {26, 1}}, .head = 18}), 3);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  03501360148 1");
  EXPECT_EQ(g.yaku.yaku_str.size(), 22u);
  EXPECT_EQ(g.a.pinfu_flag, 1);
  EXPECT_EQ(g.t.ivent_bou[0], 1);
  EXPECT_EQ(g.yaku.yaku_cnt[0][35], 1);
  EXPECT_EQ(g.yaku.yaku_cnt[0][48], 1);
  EXPECT_EQ(g.scr.yaku_y, 29);
  EXPECT_EQ(tg.os.sounds, (std::vector<std::string>{voice("\\sekiba_yaku_tanyao"), voice("\\sekiba_yaku_pinfu"),
                                                     voice("\\sekiba_yaku_dora")}));
}

TEST_F(YakuJudge, DoraAloneMakeNoHandAndNothingIsAnnounced) {
  g.t.dora = 9;  // dora 1
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{1, 1}, {13, 1}, {26, 1}, {29, 2}}, .head = 11}), 0);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  0");
  EXPECT_TRUE(tg.os.sounds.empty());
  EXPECT_EQ(g.scr.yaku_y, 20);
  EXPECT_EQ(g.t.ivent_bou[0], 0);
  EXPECT_EQ(g.yaku.yaku_cnt[0][48], 0);
}

TEST_F(YakuJudge, ReplacementTileWinLetsRedFivesCountButNotDora) {
  g.s.settei[7] = 1;
  g.t.dora = 24;  // dora 25, held once
  g.yaku.rinshan_flag = 1;
  EXPECT_EQ(judge({.pl = 1, .kind = 1, .agari = 3, .sets = {{1, 1}, {13, 1}, {25, 1}}, .head = 11,
                   .melds = {{7, 3}}}),
            2);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  1490150 1");
  EXPECT_EQ(g.yaku.rinshan_flag, 0);
  EXPECT_EQ(g.yaku.yaku_cnt[0][48], 1);  // the red five, counted as dora
  EXPECT_EQ(g.yaku.yaku_cnt[0][50], 0);
  EXPECT_EQ(g.t.ivent_bou[0], 0);
}

TEST_F(YakuJudge, PinfuShapeOnTsumoGivesTsumoOnlyButSetsTheFlag) {
  EXPECT_EQ(judge({.pl = 1, .kind = 1, .agari = 22, .sets = {{1, 1}, {14, 1}, {22, 1}, {26, 1}}, .head = 19}), 1);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  04701");
  EXPECT_EQ(g.a.pinfu_flag, 1);
  EXPECT_EQ(g.t.ivent_bou[1], 1);
}

TEST_F(YakuJudge, OpenChiGetsNoPinfuAndAOneHanStraight) {
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 23, .sets = {{4, 1}, {7, 1}, {23, 1}}, .head = 33,
                   .melds = {{1, 1}}}),
            1);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  132 1");
  EXPECT_EQ(g.a.pinfu_flag, 1);
}

TEST_F(YakuJudge, ClosedAndOpenValuesOfTheVariableYaku) {
  // Pure outside hand closed, then the same with a chi.
  judge({.pl = 1, .kind = 2, .agari = 21, .sets = {{1, 1}, {17, 1}, {21, 2}, {9, 2}}, .head = 29});
  EXPECT_EQ(han(23), 3);
  EXPECT_EQ(han(31), -1);
  judge({.pl = 1, .kind = 2, .agari = 21, .sets = {{17, 1}, {21, 2}, {9, 2}}, .head = 29, .melds = {{1, 1}}});
  EXPECT_EQ(han(23), 2);
  // With an honour triplet it is the mixed outside hand.
  judge({.pl = 1, .kind = 2, .agari = 21, .sets = {{1, 1}, {17, 1}, {21, 2}, {33, 2}}, .head = 29});
  EXPECT_EQ(han(23), -1);
  EXPECT_EQ(han(31), 2);
  // Full flush 6 closed; half flush 3 closed, 2 open.
  judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{2, 1}, {2, 1}, {4, 1}, {6, 2}}, .head = 9});
  EXPECT_EQ(han(20), 6);
  judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{2, 1}, {4, 1}, {6, 2}}, .head = 31, .melds = {{2, 1}}});
  EXPECT_EQ(han(21), 2);
  EXPECT_EQ(han(20), -1);
  EXPECT_EQ(g.yaku.yaku_str.substr(0, 14), "yakusuu  121 2");
}

TEST_F(YakuJudge, RoundWindsDependOnDealerAndWinner) {
  g.t.oya = 2;
  judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{31, 2}, {2, 1}, {13, 1}, {26, 1}}, .head = 18});
  EXPECT_EQ(han(37), -1);
  judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{32, 2}, {2, 1}, {13, 1}, {26, 1}}, .head = 18});
  EXPECT_EQ(han(38), 2);
  EXPECT_NE(g.yaku.yaku_str.find("38 2"), std::string::npos);
  judge({.pl = 2, .kind = 2, .agari = 2, .sets = {{32, 2}, {2, 1}, {13, 1}, {26, 1}}, .head = 18});
  EXPECT_EQ(han(38), 1);
  g.t.oya = 1;
  judge({.pl = 2, .kind = 2, .agari = 2, .sets = {{32, 2}, {2, 1}, {13, 1}, {26, 1}}, .head = 18});
  EXPECT_EQ(han(38), -1);
  judge({.pl = 2, .kind = 2, .agari = 2, .sets = {{31, 2}, {2, 1}, {13, 1}, {26, 1}}, .head = 18});
  EXPECT_EQ(han(37), 1);
  judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{31, 2}, {2, 1}, {13, 1}, {26, 1}}, .head = 18});
  EXPECT_EQ(han(37), 2);
}

TEST_F(YakuJudge, SouthHeadBlocksPinfuForTheOpponentAlwaysAndTheUserWhenTheOpponentDeals) {
  const WinHand user{.pl = 1, .kind = 2, .agari = 22, .sets = {{1, 1}, {14, 1}, {22, 1}, {26, 1}}, .head = 32};
  WinHand com = user;
  com.pl = 2;
  for (int oya : {1, 2}) {
    g.t.oya = std::int16_t(oya);
    test::put_win(g, com);
    EXPECT_EQ(pinfu_shape(g), 0) << oya;
  }
  g.t.oya = 1;
  test::put_win(g, user);
  EXPECT_EQ(pinfu_shape(g), 1);
  g.t.oya = 2;
  EXPECT_EQ(pinfu_shape(g), 0);
}

TEST_F(YakuJudge, PinfuShapeNeedsATwoSidedWait) {
  auto shape = [&](Tile agari, std::vector<Set> sets, Tile head) {
    test::put_win(g, {.pl = 1, .kind = 2, .agari = agari, .sets = std::move(sets), .head = head});
    return pinfu_shape(g);
  };
  EXPECT_EQ(shape(3, {{1, 1}, {14, 1}, {22, 1}, {26, 1}}, 19), 0);  // edge 12 waiting on 3
  EXPECT_EQ(shape(7, {{7, 1}, {14, 1}, {22, 1}, {26, 1}}, 19), 0);  // edge 89 waiting on 7
  EXPECT_EQ(shape(2, {{1, 1}, {14, 1}, {22, 1}, {26, 1}}, 19), 0);  // closed wait
  EXPECT_EQ(shape(19, {{1, 1}, {14, 1}, {22, 1}, {26, 1}}, 19), 0);  // single wait on the head
  EXPECT_EQ(shape(9, {{7, 1}, {14, 1}, {22, 1}, {26, 1}}, 19), 1);
  EXPECT_EQ(shape(22, {{1, 1}, {14, 1}, {22, 1}, {26, 1}}, 36), 0);  // dragon head
}

TEST_F(YakuJudge, TerminalsAndHonoursTriplesAllCount) {
  EXPECT_EQ(judge({.pl = 1, .kind = 1, .agari = 33, .sets = {{33, 2}, {34, 2}}, .head = 19,
                   .melds = {{1, 2}, {9, 2}}}),
            5);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  12802300231 1");
}

TEST_F(YakuJudge, TwoEqualSequencePairsAreNotSevenPairs) {
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 9, .sets = {{1, 1}, {1, 1}, {5, 1}, {5, 1}}, .head = 9}), 9);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  020 622 3");
  EXPECT_EQ(han(34), -1);
  EXPECT_EQ(han(24), -1);
  EXPECT_EQ(g.a.pinfu_flag, 0);
}

TEST_F(YakuJudge, SevenPairsCombineWithWholeHandTests) {
  EXPECT_EQ(judge({.pl = 1, .kind = 1, .agari = 31, .pairs = {1, 3, 5, 7, 9, 31, 37}}), 6);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  021 324024701");
}

TEST_F(YakuJudge, DoubleRiichiWithIppatsuAndTheStickLimit) {
  g.t.man_daburi = 1;
  g.t.man_rechi = 2;
  g.t.ivent_bou[4] = 9;
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{1, 1}, {13, 1}, {26, 1}, {29, 2}}, .head = 11}), 3);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  042024401");
  EXPECT_EQ(g.t.ivent_bou[4], 10);
  // Plain riichi later in the hand: one stick.
  g.t.man_daburi = 0;
  g.t.man_rechi = 5;
  g.t.ivent_bou[4] = 3;
  judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{1, 1}, {13, 1}, {26, 1}, {29, 2}}, .head = 11});
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  04301");
  EXPECT_EQ(g.t.ivent_bou[4], 4);
  // The opponent's riichi earns the user nothing.
  g.t.com_rechi = 2;
  judge({.pl = 2, .kind = 2, .agari = 2, .sets = {{1, 1}, {13, 1}, {26, 1}, {29, 2}}, .head = 11});
  EXPECT_EQ(han(43), 1);
  EXPECT_EQ(han(44), 1);
  EXPECT_EQ(g.t.ivent_bou[4], 4);
  EXPECT_EQ(g.yaku.yaku_cnt[1][43], 1);
}

TEST_F(YakuJudge, LastTileWins) {
  const std::vector<Set> sets = {{1, 1}, {13, 1}, {26, 1}, {29, 2}};
  g.t.man_junme = g.t.com_junme = 21;
  judge({.pl = 1, .kind = 2, .agari = 2, .sets = sets, .head = 11});
  EXPECT_EQ(han(45), 1);
  // The dealer's tsumo on its 20th draw: the other side still draws after it.
  g.t.man_junme = 20;
  judge({.pl = 1, .kind = 1, .agari = 2, .sets = sets, .head = 11});
  EXPECT_EQ(han(46), -1);
  g.t.oya = 2;
  judge({.pl = 1, .kind = 1, .agari = 2, .sets = sets, .head = 11});
  EXPECT_EQ(han(46), 1);
  g.t.oya = 1;
  g.t.man_junme = 21;
  g.t.com_junme = 20;
  judge({.pl = 2, .kind = 1, .agari = 2, .sets = sets, .head = 11});
  EXPECT_EQ(han(46), 1);
}

TEST_F(YakuJudge, DoraGroupHasTwoCharactersOfCount) {
  // A closed kan of 2s named by all three indicators: 4 x 3 = 12 dora.
  g.s.settei[6] = 0;
  g.s.settei[9] = 1;
  g.t.dora = g.t.ura_dora = g.t.kan_dora = 2;
  g.t.man_rechi = 3;
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 15, .sets = {{13, 1}, {22, 1}, {26, 1}}, .head = 35,
                   .melds = {{2, 4}}}),
            13);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  043014812");
  EXPECT_EQ(g.t.ivent_bou[0], 10);
  // Two dora: 13 in both 12-13-14 and 13-14-15; the other indicators name 9s.
  g.t.kan_dora = 9;
  g.t.ura_dora = 9;
  g.t.dora = 13;
  judge({.pl = 1, .kind = 2, .agari = 15, .sets = {{13, 1}, {12, 1}, {26, 1}}, .head = 35, .melds = {{2, 4}}});
  EXPECT_EQ(g.yaku.yaku_str.substr(14), "48 2");
}

TEST_F(YakuJudge, OpponentNeverGetsThreeKans) {
  test::put_win(g, {});
  WinHand w{.pl = 2, .kind = 1, .agari = 5, .sets = {{1, 2}, {11, 2}, {21, 2}, {5, 1}}, .head = 33};
  judge(w);
  g.t.man_naki_hai = {0, 3, 13, 23, 0, 0};
  g.t.man_naki_kind = {0, 3, 3, 4, 0, 0};
  g.t.man_naki_cnt = 4;
  g.yaku.yaku_str = "yakusuu ";
  yaku_hantei(g);
  EXPECT_EQ(han(26), -1);
  EXPECT_EQ(han(29), 2);
  EXPECT_EQ(han(27), 2);
  EXPECT_EQ(han(47), 1);
  EXPECT_EQ(g.yaku.yaku_str.substr(8, 2), " 0");  // the opponent is always closed
}

TEST_F(YakuJudge, ThreeKansExactlyForTheUser) {
  struct Case {
    std::vector<Meld> melds;
    std::vector<Set> sets;
    int han;
  } cases[] = {
      {{{5, 3}, {14, 4}}, {{21, 2}, {7, 1}}, -1},              // two kans and a triplet
      {{{5, 3}, {14, 4}, {27, 3}}, {{7, 1}}, 2},               // three, open and closed
      {{{5, 4}, {14, 4}, {27, 4}}, {{33, 2}}, 2},              // three closed
      {{{5, 3}, {14, 4}, {27, 3}, {31, 4}}, {}, -1},           // four: the yakuman instead
  };
  for (const Case& c : cases) {
    judge({.pl = 1, .kind = 1, .agari = 35, .sets = c.sets, .head = 35, .melds = c.melds});
    EXPECT_EQ(han(26), c.han) << c.melds.size() << " kans";
    EXPECT_EQ(sukan_check(g), c.melds.size() == 4 ? 1 : 0) << c.melds.size() << " kans";
  }
}

TEST_F(YakuJudge, ThreeConcealedTripletsByWinAndOpenTriplets) {
  const std::vector<Set> four = {{2, 2}, {14, 2}, {27, 2}, {33, 2}};
  judge({.pl = 1, .kind = 2, .agari = 33, .sets = four, .head = 35});
  EXPECT_EQ(han(27), 2);
  EXPECT_EQ(han(30), 2);
  judge({.pl = 2, .kind = 2, .agari = 2, .sets = {{2, 2}, {14, 2}, {27, 2}, {3, 1}}, .head = 35});
  EXPECT_EQ(han(27), -1);
  judge({.pl = 2, .kind = 2, .agari = 3, .sets = {{2, 2}, {14, 2}, {27, 2}, {3, 1}}, .head = 35});
  EXPECT_EQ(han(27), 2);
  judge({.pl = 1, .kind = 1, .agari = 2, .sets = {{2, 2}, {14, 2}, {27, 2}}, .head = 35, .melds = {{33, 2}}});
  EXPECT_EQ(han(27), 2);
  judge({.pl = 1, .kind = 2, .agari = 2, .sets = {{2, 2}, {14, 2}, {27, 2}}, .head = 35, .melds = {{33, 2}}});
  EXPECT_EQ(han(27), -1);
  judge({.pl = 1, .kind = 2, .agari = 35, .sets = {{2, 2}, {14, 2}, {27, 2}}, .head = 35, .melds = {{33, 3}}});
  EXPECT_EQ(han(27), 2);
}

TEST_F(YakuJudge, LittleDragonsWithTheirTriplets) {
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 4, .sets = {{35, 2}, {36, 2}, {2, 1}, {14, 1}}, .head = 37}), 4);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  0250239014001");
}

TEST_F(YakuJudge, SequenceTablesForTripleAndDoubleSequences) {
  EXPECT_EQ(judge({.pl = 1, .kind = 2, .agari = 12, .sets = {{2, 1}, {2, 1}, {12, 1}, {22, 1}}, .head = 29}), 4);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  033 234013601");
  EXPECT_EQ(g.yaku.shuntsu_tbl[0][2], 2);
  EXPECT_EQ(g.yaku.shuntsu_tbl[1][2], 1);
  // Three equal numbers of triplets.
  judge({.pl = 1, .kind = 2, .agari = 4, .sets = {{5, 2}, {15, 2}, {25, 2}, {2, 1}}, .head = 33});
  EXPECT_EQ(han(29), 2);
}

TEST_F(YakuJudge, DoraCountByIndicatorRule) {
  test::put_win(g, {.pl = 1, .kind = 2, .agari = 2, .sets = {{1, 2}, {31, 2}, {35, 2}, {11, 1}}, .head = 19});
  g.t.dora = 9;  // wraps to 1
  EXPECT_EQ(dora_kazu(g), 3);
  g.t.dora = 34;  // North names East
  EXPECT_EQ(dora_kazu(g), 3);
  g.t.dora = 37;  // red dragon names white
  EXPECT_EQ(dora_kazu(g), 3);
  g.t.dora = 18;
  EXPECT_EQ(dora_kazu(g), 2);
  g.t.ura_dora = 34;
  EXPECT_EQ(dora_kazu(g), 2);  // no riichi, no ura
  g.t.man_rechi = 3;
  EXPECT_EQ(dora_kazu(g), 5);
  g.s.settei[9] = 1;
  g.t.kan_dora = 9;
  EXPECT_EQ(dora_kazu(g), 5);  // the user holds no kan
  g.t.man_naki_hai[1] = 21;
  g.t.man_naki_kind[1] = 4;
  g.t.man_naki_cnt = 2;
  EXPECT_EQ(dora_kazu(g), 8);
  // The kan indicator opens for the opponent as well.
  const auto melds = g.t.man_naki_hai;
  const auto kinds = g.t.man_naki_kind;
  test::put_win(g, {.pl = 2, .kind = 2, .agari = 2, .sets = {{1, 2}, {31, 2}, {35, 2}, {11, 1}}, .head = 19});
  g.t.man_naki_hai = melds;
  g.t.man_naki_kind = kinds;
  g.t.man_naki_cnt = 2;
  g.t.com_rechi = 0;
  EXPECT_EQ(dora_kazu(g), 2 + 3);
  // An indicator never drawn names nothing.
  g.t.dora = 0;
  g.t.kan_dora = 0;
  EXPECT_EQ(dora_kazu(g), 0);
}

TEST_F(YakuJudge, RedFivesCountInHandAndChi) {
  test::put_win(g, {.pl = 1, .kind = 2, .agari = 2, .sets = {{25, 1}, {25, 2}, {11, 1}}, .head = 19,
                    .melds = {{23, 1}}});
  EXPECT_EQ(aka_kazu(g), 1 + 3 + 1);
  test::put_win(g, {.pl = 2, .kind = 2, .agari = 2, .sets = {{25, 1}, {25, 2}, {11, 1}, {3, 1}}, .head = 19});
  EXPECT_EQ(aka_kazu(g), 4);
}

}  // namespace
}  // namespace sekiba
