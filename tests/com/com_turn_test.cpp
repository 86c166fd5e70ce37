// The computer's turn: draw, ron only in riichi, tsumo, riichi by style and
// furiten, the discard rows, and whole games played by the real computer.
#include "com/com_turn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <numeric>

#include "com/shikou.h"
#include "engine/driver.h"
#include "engine/setup.h"
#include "engine/startup.h"
#include "man/man.h"
#include "test_game.h"

namespace sekiba {
namespace {

// A ready hand: sequences, a head of 33 and the open shape 5-6; 35 goes.
constexpr std::initializer_list<int> kReady = {1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 5, 6, 35};
// The same hand after throwing 35.
constexpr std::initializer_list<int> kWaiting = {1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 5, 6};

const std::vector<int> kWaitingSorted = {1, 2, 3, 5, 6, 11, 12, 13, 21, 22, 23, 33, 33};

struct ComTurnTest : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;

  ComTurnTest() {
    EXPECT_TRUE(Form_Load(g));
    g.s.settei[12] = 1;  // silent
    new_hand(2024);
  }

  void new_hand(std::uint32_t seed) {
    g.rng.seed(seed);
    set_shoki2(g);
    g.com.hai_hyouka = g.com.hai_hyouka_a;
    g.com.com_nerai_chinitu = g.com.com_nerai_honitu = g.com.com_nerai_chinro = 4;
    g.t.teban = 2;
  }

  void com_hand(std::initializer_list<int> tiles) {
    g.t.com_hai.fill(kEmpty);
    g.t.com_hai[0] = 0;
    int i = 1;
    for (int t : tiles) {
      g.t.com_hai[std::size_t(i++)] = Tile(t);
      ++g.t.hai_cnt[std::size_t(t)];
    }
  }
  void com_discards(std::initializer_list<int> tiles) {
    for (int t : tiles) {
      g.t.com_sute[std::size_t(g.t.com_junme++)] = Tile(t);
      g.t.com_sute_x = std::int16_t(g.t.com_sute_x - 4);
    }
  }
  void user_discards(std::initializer_list<int> tiles) {
    for (int t : tiles) g.t.man_sute[std::size_t(g.t.man_junme++)] = Tile(t);
  }
  int drawn_count() const { return std::accumulate(g.t.hai_cnt.begin() + 1, g.t.hai_cnt.begin() + 38, 0); }
  std::vector<int> hand() const {
    std::vector<int> v;
    for (int i = 1; i <= 14; ++i)
      if (g.t.com_hai[std::size_t(i)] != kEmpty) v.push_back(g.t.com_hai[std::size_t(i)]);
    std::sort(v.begin(), v.end());
    return v;
  }
};

// ---- the draw and the wins -------------------------------------------------------

TEST_F(ComTurnTest, DealerFirstDiscardWithoutDrawingDeclaresDoubleRiichi) {
  com_hand(kReady);
  const int before = drawn_count();
  const int ten = g.t.man_ten;
  EXPECT_EQ(com_main(g), 0);
  EXPECT_EQ(drawn_count(), before);
  EXPECT_EQ(g.t.com_sute[1], 35);
  EXPECT_EQ(hand(), kWaitingSorted);
  EXPECT_EQ(g.t.com_hai[14], kEmpty);
  EXPECT_EQ(g.t.com_junme, 2);
  EXPECT_EQ(g.t.com_rechi, 2);  // 1 by the declaration, +1 by its discard
  EXPECT_EQ(g.t.com_daburi, 1);
  EXPECT_EQ(g.t.rechi_bou, 1);
  EXPECT_EQ(g.t.man_ten, ten + 10);
}

TEST_F(ComTurnTest, CompleteDealtHandWinsByTsumo) {
  com_hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 33, 33, 5, 6, 7});
  EXPECT_EQ(com_main(g), 2);
  EXPECT_EQ(g.t.agari_pl, 2);
  EXPECT_EQ(g.t.agari_kind, 1);
  EXPECT_EQ(g.t.agari_hai, 7);
  EXPECT_EQ(g.t.com_junme, 1);  // nothing laid
}

TEST_F(ComTurnTest, OutsideRiichiTheUsersDiscardIsNeverTakenForRon) {
  for (std::uint32_t seed = 1; seed <= 30; ++seed) {
    new_hand(seed);
    com_hand(kWaiting);
    user_discards({7});
    g.t.agari_kind = 0;
    const int before = drawn_count();
    const int r = com_main(g);
    EXPECT_NE(r, 1);
    EXPECT_NE(g.t.agari_kind, 2);
    EXPECT_EQ(drawn_count(), before + 1);  // it drew instead
  }
}

TEST_F(ComTurnTest, InRiichiTheUsersDiscardWinsEvenWhenItWasThrownBefore) {
  com_hand(kWaiting);
  com_discards({35, 4});  // its own wait among its discards: no furiten here
  g.t.com_rechi = 3;
  user_discards({9, 7});
  EXPECT_EQ(com_main(g), 1);
  EXPECT_EQ(g.t.agari_hai, 7);
  EXPECT_EQ(g.t.agari_pl, 2);
  EXPECT_EQ(g.t.agari_kind, 2);
}

TEST_F(ComTurnTest, InRiichiANonWinningTurnThrowsTheDrawnTile) {
  for (std::uint32_t seed = 1; seed <= 30; ++seed) {
    new_hand(seed);
    com_hand(kWaiting);
    g.t.hai_cnt[4] = g.t.hai_cnt[7] = 4;  // the draw can never complete the hand
    com_discards({35});
    g.t.com_rechi = 2;
    user_discards({29});
    ASSERT_EQ(com_main(g), 0);
    EXPECT_EQ(hand(), kWaitingSorted);
    EXPECT_EQ(g.t.com_rechi, 3);
    EXPECT_NE(g.t.com_sute[2], 0);
  }
}

TEST_F(ComTurnTest, ARiichiHandNeverChangesWhenAnAimIsSwitchedOn) {
  for (int aim = 0; aim < 3; ++aim) {
    new_hand(7);
    com_hand(kWaiting);
    for (int c = 1; c <= 37; ++c) g.t.hai_cnt[std::size_t(c)] = 4;
    g.t.hai_cnt[14] = 0;  // the draw: a character, inside every aim below
    com_discards({35});
    g.t.com_rechi = 2;
    user_discards({29});
    (aim == 0 ? g.com.com_nerai_chinitu : aim == 1 ? g.com.com_nerai_honitu : g.com.com_nerai_chinro) = 1;
    ASSERT_EQ(com_main(g), 0);
    EXPECT_EQ(g.t.com_sute[2], 14) << aim;
    EXPECT_EQ(hand(), kWaitingSorted) << aim;
  }
}

TEST_F(ComTurnTest, LastDiscardFuritenUsesTheComputersOwnEvaluation) {
  com_hand(kReady);
  com_discards({29, 7});  // 7 completes 5-6: furiten once 35 is gone
  ASSERT_EQ(com_main(g), 0);
  // The user's hint evaluates afterwards and leaves the shared flag at 0.
  g.t.teban = 1;
  g.man.osekai_flag = 1;
  const int user[] = {1, 5, 9, 13, 17, 22, 26, 29, 31, 32, 33, 34, 36, 2};
  for (int i = 0; i < 14; ++i) g.t.man_hai[std::size_t(i + 1)] = Tile(user[i]);
  man_osekai_main(g);
  ASSERT_EQ(g.com.tenpai_flg, 0);
  g.t.oya = 2;
  user_discards({4});
  EXPECT_EQ(saigo_furi_check(g), 0);
  EXPECT_EQ(g.t.com_hai[14], kEmpty);
}

// The dealer's ron on the last discard comes after its furiten trials on other
// hands; the points are those of the winning hand (the dealer's table, no dora).
TEST_F(ComTurnTest, LastDiscardRonIsScoredOnTheWinningHand) {
  struct Case {
    std::vector<int> hand;
    int tile;
    int points;
    std::vector<int> yaku;
  };
  const Case cases[] = {
      // South and ﾊｲﾃｲﾌﾘｺﾐ, 2 han; 30 fu for the ron, 8 for the honour
      // triplet, 2 for the single wait: 40 fu.
      {{32, 32, 32, 1, 2, 3, 14, 15, 16, 26, 27, 28, 9}, 9, -39, {38, 45}},
      // 三暗刻, 対々和, ハク and ﾊｲﾃｲﾌﾘｺﾐ: 6 han.
      {{35, 35, 35, 1, 1, 1, 11, 11, 11, 22, 22, 5, 5}, 5, -180, {27, 30, 39, 45}},
      // 七対子 and ﾊｲﾃｲﾌﾘｺﾐ: 3 han at 25 fu.
      {{1, 1, 4, 4, 7, 7, 12, 12, 15, 15, 33, 33, 36}, 36, -48, {24, 45}},
  };
  for (const Case& c : cases) {
    new_hand(5);
    g.t.com_hai.fill(kEmpty);
    for (std::size_t i = 0; i < c.hand.size(); ++i) g.t.com_hai[i + 1] = Tile(c.hand[i]);
    for (int i = 1; i <= 20; ++i) {
      g.t.com_sute[std::size_t(i)] = Tile(i % 2 ? 31 : 34);  // none of them wins
      g.t.man_sute[std::size_t(i)] = Tile(i == 20 ? c.tile : 29);
    }
    g.t.com_junme = g.t.man_junme = 21;
    g.t.oya = 2;
    g.t.dora = g.t.ura_dora = g.t.kan_dora = 0;
    g.t.man_ten = 300;
    g.t.rechi_bou = 0;
    g.com.com_tenpai_flg = 1;
    ASSERT_EQ(saigo_furi_check(g), 1) << c.tile;
    com_ron_sub(g);
    EXPECT_EQ(g.t.man_ten, 300 + c.points) << c.tile;
    std::vector<int> codes;
    for (const auto& f : g.yaku.found) codes.push_back(f.code);
    EXPECT_EQ(codes, c.yaku) << c.tile;
  }
}

// ---- riichi ---------------------------------------------------------------------

TEST_F(ComTurnTest, RiichiCheckNeedsAReadyHandNoRiichiYetAndTheEighteenthDiscardAtLatest) {
  g.com.tenpai_flg = 1;
  g.t.com_junme = 19;
  com_rechi_check(g);
  EXPECT_EQ(g.t.com_rechi, 0);
  g.t.com_junme = 18;
  g.com.tenpai_flg = 0;
  com_rechi_check(g);
  EXPECT_EQ(g.t.com_rechi, 0);
  g.com.tenpai_flg = 1;
  g.t.man_ten = 595;
  g.s.settei[12] = 0;
  com_rechi_check(g);
  EXPECT_EQ(g.t.com_rechi, 1);
  EXPECT_EQ(g.t.com_daburi, 0);
  EXPECT_EQ(g.t.rechi_bou, 1);
  EXPECT_EQ(g.t.man_ten, 605);  // no upper clamp
  EXPECT_TRUE(std::any_of(tg.os.sounds.begin(), tg.os.sounds.end(),
                          [](const std::string& s) { return s.find("sekiba_wave_rechi") != std::string::npos; }));
  com_rechi_check(g);  // already declared
  EXPECT_EQ(g.t.rechi_bou, 1);
}

TEST_F(ComTurnTest, FuritenCheckFindsAnEarlierDiscardThatWouldWin) {
  com_hand(kReady);
  com_discards({29, 4});
  const auto before = g.t.com_hai;
  g.com.tenpai_flg = 0;
  EXPECT_EQ(com_furi_check(g, 35), 0);  // no ready hand seen: not even looked at
  g.com.tenpai_flg = 1;
  EXPECT_EQ(com_furi_check(g, 35), 38);
  EXPECT_EQ(g.t.com_hai, before);
  g.t.com_sute[2] = 9;
  EXPECT_EQ(com_furi_check(g, 35), 0);
  EXPECT_EQ(g.t.com_hai, before);
}

TEST_F(ComTurnTest, FuritenWaitIsNotDeclared) {
  com_hand(kReady);
  com_discards({29, 7});
  EXPECT_EQ(com_main(g), 0);
  EXPECT_EQ(g.com.tenpai_flg, 1);
  EXPECT_EQ(g.t.com_rechi, 0);
  EXPECT_EQ(g.t.rechi_bou, 0);
}

TEST_F(ComTurnTest, TimidStyleDeclaresOnAboutOneEligibleTurnInThree) {
  int normal = 0, timid = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    for (int style = 0; style <= 1; ++style) {
      new_hand(seed);
      g.s.shikou_rechi = std::int16_t(style);
      com_hand(kReady);
      ASSERT_EQ(com_main(g), 0);
      (style == 0 ? normal : timid) += g.t.com_rechi != 0;
    }
  }
  EXPECT_EQ(normal, 300);
  EXPECT_GT(timid, 70);
  EXPECT_LT(timid, 130);
}

TEST_F(ComTurnTest, TimidStyleMayDeclareOnALaterTurn) {
  g.s.shikou_rechi = 1;
  g.s.settei[16] = 1;
  bool skipped_then_declared = false;
  for (std::uint32_t seed = 1; seed <= 40 && !skipped_then_declared; ++seed) {
    new_hand(seed);
    com_hand(kReady);
    com_main(g);
    if (g.t.com_rechi != 0) continue;
    // Keep the ready shape on each later turn: the drawn tile is thrown back.
    for (int turn = 0; turn < 8 && g.t.com_rechi == 0; ++turn) {
      g.t.hai_cnt[4] = g.t.hai_cnt[7] = 4;
      user_discards({29});
      if (com_main(g) != 0) break;
    }
    skipped_then_declared = g.t.com_rechi != 0;
  }
  EXPECT_TRUE(skipped_then_declared);
}

// ---- laying the tile ----------------------------------------------------------------

TEST_F(ComTurnTest, TakingATileOutSearchesFromTheDrawnSlotInRiichi) {
  com_hand({5, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22, 23, 5});
  sute_kesu(g, 5);
  EXPECT_EQ(g.t.com_hai[1], kEmpty);
  EXPECT_EQ(g.t.com_hai[14], 5);
  g.t.com_hai[1] = 5;
  g.t.com_rechi = 2;
  sute_kesu(g, 5);
  EXPECT_EQ(g.t.com_hai[1], 5);
  EXPECT_EQ(g.t.com_hai[14], kEmpty);
  const auto before = g.t.com_hai;
  sute_kesu(g, 37);  // not held: nothing happens
  EXPECT_EQ(g.t.com_hai, before);
}

TEST_F(ComTurnTest, TenthDiscardMovesTheRowUpAndTheCalledMarkFindsIt) {
  com_hand(kReady);
  g.s.settei[16] = 1;
  g.t.com_junme = 10;
  g.t.com_sute_x = 25;
  g.t.com_rechi = 5;  // keeps the riichi path simple: the drawn tile goes
  g.t.man_junme = 1;
  ASSERT_EQ(com_main(g), 0);
  EXPECT_EQ(g.t.com_sute[10], 35);
  EXPECT_EQ(g.t.com_sute_x, 61);
  EXPECT_EQ(g.t.com_sute_y, 7);
  EXPECT_EQ(g.t.com_junme, 11);

  // The mark darkens the tenth tile at the end of the first row, not the
  // cursor's place.
  const Surface before = g.scr.win;
  com_sute_ichi_kesu(g, 1);
  auto changed = [&](int col, int row) {
    for (int y = 8 * row + 10; y < 8 * row + 40; ++y)
      for (int x = 8 * col + 4; x < 8 * col + 28; ++x)
        if (g.scr.win.at(x, y) != before.at(x, y)) return true;
    return false;
  };
  EXPECT_TRUE(changed(25, 14));
  EXPECT_FALSE(changed(65, 7));
}

TEST_F(ComTurnTest, CalledMarkDoesNothingBeforeTheFirstDiscard) {
  const Surface before = g.scr.win;
  com_sute_ichi_kesu(g, 2);
  EXPECT_EQ(g.scr.win.px, before.px);
}

TEST_F(ComTurnTest, AutomaticPlayWithTheHandOpenHasNoThinkingPause) {
  com_hand(kReady);
  g.t.jidou = 1;
  g.s.settei[5] = 1;
  const auto t0 = tg.os.clock_ms;
  com_main(g);
  EXPECT_LT(tg.os.clock_ms - t0, 100);  // a few event-loop ticks, no pause

  new_hand(7);
  com_hand(kReady);
  g.t.jidou = 0;
  const auto t1 = tg.os.clock_ms;
  com_main(g);
  EXPECT_GE(tg.os.clock_ms - t1, 400);
}

// ---- whole games --------------------------------------------------------------------

TEST_F(ComTurnTest, WholeGamesWithTheRealComputerAlwaysDiscardAHeldTile) {
  constexpr InputEvent kEnter{InputEvent::Kind::KeyDown, 13};
  g.s.settei[16] = 1;
  g.rng.seed(99);
  int turns = 0, discards = 0, wins = 0, riichis = 0;
  g.players.com = [&](Game& gg) {
    const std::vector<int> held = hand();
    const int junme = gg.t.com_junme;
    const int r = com_main(gg);
    ++turns;
    if (r != 0) {
      ++wins;
      return r;
    }
    ++discards;
    const Tile thrown = gg.t.com_sute[std::size_t(junme)];
    // Hand before + drawn tile == hand after + thrown tile; 13 tiles remain.
    std::vector<int> after = hand();
    EXPECT_EQ(after.size(), 13u);
    EXPECT_EQ(gg.t.com_hai[14], kEmpty);
    after.push_back(thrown);
    std::sort(after.begin(), after.end());
    std::vector<int> extra;
    std::set_difference(after.begin(), after.end(), held.begin(), held.end(), std::back_inserter(extra));
    EXPECT_LE(extra.size(), 1u);
    EXPECT_TRUE(is_tile(thrown));
    EXPECT_EQ(gg.t.com_junme, junme + 1);
    riichis += gg.t.com_rechi == 2;
    return r;
  };
  int ends = 0;
  tg.os.on_idle = [&](HeadlessPlatform& os) {
    ends = 0;
    for (const auto& t : os.texts) ends += t == "１ゲーム終了です";
    if (ends >= 3) os.quit();
    else os.input.push_back(kEnter);
  };
  try {
    mnugame_Click(g);
  } catch (const QuitRequested&) {
  }
  EXPECT_GE(ends, 3);
  EXPECT_GT(discards, 100);
  EXPECT_GT(riichis, 0);
  EXPECT_GT(wins, 0);
}

}  // namespace
}  // namespace sekiba
