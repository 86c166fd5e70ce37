#include "engine/settlement.h"

#include <gtest/gtest.h>

#include "engine/driver.h"
#include "engine/game.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "screen/draw.h"
#include "test_game.h"

namespace sekiba {
namespace {

struct SettlementTest : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;
  SettlementTest() {
    fill_iro(g);
    build_sheets(g.os, g.scr);
    g.s.settei[12] = 1;
    g.t.man_ten = 1000;
  }

  // The decomposition of a won hand, set by hand: sets and head.
  void sets(std::initializer_list<std::pair<int, int>> kind_tile, int head) {
    g.a.mentsu_cnt = 1;
    for (auto [kind, tile] : kind_tile) {
      g.a.mentsu_kind[g.a.mentsu_cnt] = std::int16_t(kind);
      g.a.mentsu_hai[g.a.mentsu_cnt] = Tile(tile);
      ++g.a.mentsu_cnt;
    }
    g.a.atama_hai = Tile(head);
    g.a.toitsu_cnt = 1;
  }

  // A whole win of the user through the real tests and the settlement.
  void user_wins(std::vector<int> hand, int agari, int kind) {
    for (int i = 1; i <= 14; ++i) g.t.man_hai[i] = kEmpty;
    for (std::size_t i = 0; i < hand.size(); ++i) g.t.man_hai[i + 1] = Tile(hand[i]);
    g.t.man_hai[14] = Tile(agari);
    g.t.agari_hai = Tile(agari);
    g.t.agari_pl = 1;
    g.t.agari_kind = std::int16_t(kind);
    man_work_set(g);
    ASSERT_EQ(man_agari_check(g), 38);
    man_naki_tuika(g);
    man_work_set(g);
    man_naki_tenkai(g);
    work_hai_sort(g);
    yaku_main(g);
  }
};

TEST_F(SettlementTest, PointsTableCellByCell) {
  // fu band -> han 1..4 -> {winner deals, winner does not}
  struct Row {
    int fu;
    int cells[4][2];
  };
  const Row rows[] = {
      {20, {{0, 0}, {20, 13}, {39, 26}, {77, 52}}},        {22, {{15, 10}, {29, 20}, {58, 39}, {116, 77}}},
      {30, {{15, 10}, {29, 20}, {58, 39}, {116, 77}}},     {32, {{20, 13}, {39, 26}, {77, 52}, {120, 80}}},
      {40, {{20, 13}, {39, 26}, {77, 52}, {120, 80}}},     {42, {{24, 16}, {48, 32}, {96, 64}, {120, 80}}},
      {50, {{24, 16}, {48, 32}, {96, 64}, {120, 80}}},     {52, {{29, 20}, {58, 39}, {116, 77}, {120, 80}}},
      {60, {{29, 20}, {58, 39}, {116, 77}, {120, 80}}},    {62, {{34, 23}, {68, 45}, {120, 80}, {120, 80}}},
      {110, {{34, 23}, {68, 45}, {120, 80}, {120, 80}}},   {25, {{0, 0}, {24, 16}, {48, 32}, {96, 64}}},
      {18, {{0, 0}, {20, 13}, {39, 26}, {77, 52}}},
  };
  for (const auto& r : rows)
    for (int han = 1; han <= 4; ++han)
      for (int winner : {1, 2})
        for (int oya : {1, 2}) {
          g.t.agari_pl = std::int16_t(winner);
          g.t.oya = std::int16_t(oya);
          const int col = winner == oya ? 0 : 1;
          const int expected = (winner == 1 ? 1 : -1) * r.cells[han - 1][col];
          EXPECT_EQ(fu_hyou(g, han, r.fu), expected)
              << "fu " << r.fu << " han " << han << " winner " << winner << " oya " << oya;
        }
}

TEST_F(SettlementTest, LimitHands) {
  g.t.agari_pl = 1;
  g.t.oya = 2;  // the user wins and does not deal: base 40
  g.s.settei[4] = 0;
  const std::pair<int, int> capped[] = {{5, 80}, {6, 120}, {7, 120}, {8, 160}, {10, 160},
                                        {11, 240}, {12, 240}, {13, 320}, {26, 320}, {65, 320}};
  for (auto [han, pts] : capped) EXPECT_EQ(mangan_keisan(g, han), pts) << han;
  g.s.settei[4] = 1;
  const std::pair<int, int> open[] = {{13, 320}, {25, 320}, {26, 640}, {38, 640},
                                      {39, 960}, {52, 1280}, {64, 1280}, {65, 1600}};
  for (auto [han, pts] : open) EXPECT_EQ(mangan_keisan(g, han), pts) << han;
  g.t.agari_pl = 2;
  g.t.oya = 1;  // the opponent wins, the user deals: base -40
  EXPECT_EQ(mangan_keisan(g, 5), -80);
  g.t.oya = 2;  // the opponent deals and wins: base -60
  EXPECT_EQ(mangan_keisan(g, 5), -120);
}

TEST_F(SettlementTest, FuCount) {
  g.t.agari_pl = 1;
  g.t.oya = 2;
  g.t.man_naki_cnt = 1;
  // Closed ron, all sequences, plain pair, two-sided wait: 30 fu.
  sets({{1, 1}, {1, 14}, {1, 27}, {1, 22}}, 5);
  g.a.pinfu_flag = 1;
  g.t.agari_kind = 2;
  g.t.agari_hai = 24;
  EXPECT_EQ(fu_keisan(g, 1), 10);
  EXPECT_EQ(last_fu(g), 30);
  // The same by tsumo: 22 fu, paid from the 21..30 band.
  g.t.agari_kind = 1;
  EXPECT_EQ(fu_keisan(g, 1), 10);
  EXPECT_EQ(last_fu(g), 22);
  // An open hand by ron: 20 fu scores nothing at 1 han.
  g.t.agari_kind = 2;
  g.t.man_naki_cnt = 2;
  g.t.man_naki_kind[1] = 1;
  g.t.man_naki_hai[1] = 1;
  EXPECT_EQ(fu_keisan(g, 1), 0);
  EXPECT_EQ(last_fu(g), 20);
  // Seven pairs: 25 fu.
  g.a.toitsu_cnt = 7;
  g.t.oya = 1;
  EXPECT_EQ(fu_keisan(g, 2), 24);
  g.t.oya = 2;
  EXPECT_EQ(fu_keisan(g, 2), 16);
}

TEST_F(SettlementTest, FuOfPairsSetsMeldsAndWaits) {
  g.t.agari_pl = 1;
  g.t.oya = 1;  // the user is East
  g.t.agari_kind = 1;
  g.t.man_naki_cnt = 1;
  g.a.pinfu_flag = 0;
  // East pair for the dealing user: 2 + 2; a triplet of 9s: 8; of 5s: 4; tsumo 2.
  sets({{2, 9}, {2, 5}, {1, 11}, {1, 21}}, 31);
  g.t.agari_hai = 12;  // middle of 11-12-13: +2
  fu_keisan(g, 1);
  EXPECT_EQ(last_fu(g), 20 + 2 + 4 + 8 + 4 + 2);
  // Single wait on the pair: +2 instead of the middle-wait bonus.
  g.t.agari_hai = 31;
  fu_keisan(g, 1);
  EXPECT_EQ(last_fu(g), 20 + 2 + 4 + 8 + 4 + 2);
  // The opponent never gets the seat-wind fu; its ron adds 10.
  g.t.agari_pl = 2;
  g.t.agari_kind = 2;
  g.t.agari_hai = 9;
  fu_keisan(g, 1);
  EXPECT_EQ(last_fu(g), 20 + 10 + 2 + 8 + 4);
  // Melds of the user: pon of a terminal -4 (it is also in the sets: 8), a closed
  // kan of a simple +12, an open kan of an honour +8.
  g.t.agari_pl = 1;
  g.t.agari_kind = 2;
  g.t.agari_hai = 22;
  g.t.man_naki_cnt = 4;
  g.t.man_naki_kind[1] = 2;
  g.t.man_naki_hai[1] = 9;
  g.t.man_naki_kind[2] = 4;
  g.t.man_naki_hai[2] = 5;
  g.t.man_naki_kind[3] = 3;
  g.t.man_naki_hai[3] = 35;
  sets({{2, 9}, {2, 5}, {2, 35}, {1, 21}}, 23);
  fu_keisan(g, 1);
  EXPECT_EQ(last_fu(g), 20 + 8 + 4 + 8 - 4 + 12 + 8 + 2);
}

TEST_F(SettlementTest, TripletAndPairFuOfEveryTerminalAndHonour) {
  g.t.oya = 2;
  g.a.pinfu_flag = 1;  // no wait fu
  g.t.agari_hai = 12;
  // Closed triplet by tsumo: 20 + 2 + 8 (4 for a simple). Pon by ron: 20 + 8 - 4
  // (4 - 2 for a simple).
  struct Triplet {
    int tile, closed, pon;
  } triplets[] = {
      {1, 30, 24},  {9, 30, 24},  {11, 30, 24}, {19, 30, 24}, {21, 30, 24}, {29, 30, 24}, {31, 30, 24},
      {32, 30, 24}, {33, 30, 24}, {34, 30, 24}, {35, 30, 24}, {36, 30, 24}, {37, 30, 24}, {2, 26, 22},
      {8, 26, 22},  {12, 26, 22}, {18, 26, 22}, {22, 26, 22}, {28, 26, 22}, {5, 26, 22},
  };
  for (const Triplet& c : triplets) {
    sets({{2, c.tile}, {1, 12}, {1, 23}, {1, 3}}, 5);
    g.t.agari_pl = 1;
    g.t.agari_kind = 1;
    g.t.man_naki_cnt = 1;
    fu_keisan(g, 1);
    EXPECT_EQ(last_fu(g), c.closed) << "closed triplet of " << c.tile;
    g.t.agari_kind = 2;
    g.t.man_naki_cnt = 2;
    g.t.man_naki_kind[1] = 2;
    g.t.man_naki_hai[1] = Tile(c.tile);
    fu_keisan(g, 1);
    EXPECT_EQ(last_fu(g), c.pon) << "pon of " << c.tile;
  }
  // The pair, won by tsumo with sequences only: 22 + the pair's fu. The user's
  // own seat wind counts twice; the opponent never gets it.
  struct Pair {
    int head, winner, oya, fu;
  } pairs[] = {
      {31, 1, 1, 26}, {31, 1, 2, 24}, {32, 1, 1, 24}, {32, 1, 2, 26}, {31, 2, 2, 24}, {32, 2, 1, 24},
      {33, 1, 1, 22}, {34, 1, 2, 22}, {35, 1, 1, 24}, {36, 2, 2, 24}, {37, 1, 2, 24}, {37, 2, 1, 24},
      {1, 1, 1, 22},  {19, 2, 2, 22}, {29, 1, 2, 22},
  };
  g.t.man_naki_cnt = 1;
  for (const Pair& c : pairs) {
    sets({{1, 2}, {1, 12}, {1, 23}, {1, 3}}, c.head);
    g.t.agari_pl = std::int16_t(c.winner);
    g.t.oya = std::int16_t(c.oya);
    g.t.agari_kind = 1;
    fu_keisan(g, 1);
    EXPECT_EQ(last_fu(g), c.fu) << "pair of " << c.head << " winner " << c.winner << " dealer " << c.oya;
  }
}

TEST_F(SettlementTest, EdgeWaitNeedsTheSameSuit) {
  g.t.agari_pl = 1;
  g.t.oya = 2;
  g.t.agari_kind = 2;
  g.t.man_naki_cnt = 2;  // open: no closed-ron 30
  g.a.pinfu_flag = 0;
  sets({{1, 1}, {1, 17}, {1, 24}, {1, 25}}, 27);
  g.t.agari_hai = 13;  // the 3 of characters: not the 1-2-3 of bamboo
  fu_keisan(g, 1);
  EXPECT_EQ(last_fu(g), 20);
  g.t.agari_hai = 3;  // 1-2-3 completed on the 3: edge
  fu_keisan(g, 1);
  EXPECT_EQ(last_fu(g), 22);
  g.t.agari_hai = 17;  // 7-8-9 completed on the 7: edge
  fu_keisan(g, 1);
  EXPECT_EQ(last_fu(g), 22);
  g.t.agari_hai = 25;  // middle of 24-25-26 counts once only
  fu_keisan(g, 1);
  EXPECT_EQ(last_fu(g), 22);
}

TEST_F(SettlementTest, ScoreMovesClampsAndDoubles) {
  g.t.agari_pl = 2;
  g.t.oya = 1;
  g.t.agari_kind = 2;
  g.a.toitsu_cnt = 1;
  sets({{2, 1}, {1, 12}, {1, 22}, {1, 2}}, 5);
  g.a.pinfu_flag = 1;
  g.t.agari_hai = 3;
  g.t.man_ten = 10;
  score_input(g, 2);  // 38 fu, 2 han, non-dealer winner: 2,600
  EXPECT_EQ(g.t.man_ten, 0);

  g.t.agari_pl = 1;
  g.t.oya = 2;
  g.t.bairitu = 2;
  g.t.man_ten = 300;
  score_input(g, 5);
  EXPECT_EQ(g.t.man_ten, 460);
}

TEST_F(SettlementTest, EventSticksFromBigHandsAndRepeats) {
  g.t.agari_pl = 1;
  g.t.oya = 2;
  g.t.honba = 5;
  g.t.ivent_bou = {1, 1, 10, 1, 1, 0};
  score_input(g, 5);
  EXPECT_EQ(g.t.ivent_bou[2], 10);  // never above 10
  EXPECT_EQ(g.t.ivent_bou[3], 2);
  g.t.agari_pl = 2;
  g.t.honba = 1;
  score_input(g, 4);
  EXPECT_EQ(g.t.ivent_bou[3], 0);
  EXPECT_EQ(g.t.ivent_bou[4], 0);
  EXPECT_EQ(g.t.ivent_bou[0], 1);
}

TEST_F(SettlementTest, RiichiSticksAndPenalty) {
  g.t.agari_pl = 2;
  g.t.rechi_bou = 2;
  g.t.man_ten = 15;
  bou_toku(g);
  EXPECT_EQ(g.t.man_ten, 0);
  EXPECT_EQ(g.t.rechi_bou, 0);
  g.t.agari_pl = 1;
  g.t.rechi_bou = 3;
  bou_toku(g);
  EXPECT_EQ(g.t.man_ten, 30);

  g.t.oya = 1;
  g.t.man_ten = 100;
  chonbo(g);  // the dealing user declared a void win
  EXPECT_EQ(g.t.man_ten, 0);
  g.t.agari_pl = 2;
  chonbo(g);  // the non-dealing opponent
  EXPECT_EQ(g.t.man_ten, 80);
}

TEST_F(SettlementTest, WholeWinOfAClosedPinfuHand) {
  const std::vector<int> hand = {1, 2, 3, 5, 5, 14, 15, 16, 22, 23, 27, 28, 29};
  g.t.dora = 37;
  g.t.oya = 2;
  g.t.man_ten = 300;
  user_wins(hand, 24, 2);
  EXPECT_EQ(last_fu(g), 30);
  EXPECT_EQ(g.t.man_ten, 310);
  g.t.oya = 1;
  g.t.man_ten = 300;
  user_wins(hand, 24, 2);
  EXPECT_EQ(g.t.man_ten, 315);
}

}  // namespace
}  // namespace sekiba
