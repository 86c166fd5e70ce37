#include "engine/driver.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "com/com_turn.h"
#include "engine/dice.h"
#include "engine/game.h"
#include "man/man.h"
#include "engine/setup.h"
#include "engine/startup.h"
#include "platform/fileio.h"
#include "eval/hand.h"
#include "records/hiscore.h"
#include "test_game.h"

namespace sekiba {
namespace {

constexpr InputEvent kEnter{InputEvent::Kind::KeyDown, 13};

// A game after start-up that answers every prompt with Enter and quits once the
// end-of-game box has been shown.
struct DriverTest : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;
  int games_to_play = 1;

  DriverTest() {
    EXPECT_TRUE(Form_Load(g));
    g.s.settei[12] = 1;  // no sound
    g.rng.seed(2024);
    tg.os.on_idle = [this](HeadlessPlatform& os) {
      if (g.rec.name_waiting) return frmname_cmdOK(g, "test");
      int ends = 0;
      for (const auto& t : os.texts) ends += t == "１ゲーム終了です";
      if (ends >= games_to_play) os.quit();
      else os.input.push_back(kEnter);
    };
  }

  void run_until_quit() {
    try {
      mnugame_Click(g);
      FAIL() << "the Start handler returned";
    } catch (const QuitRequested&) {
    }
  }
};

TEST(Dice, ParityDecidesTheDealer) {
  EXPECT_EQ(oya_for_dice(3, 4), 1);
  EXPECT_EQ(oya_for_dice(2, 2), 2);
  EXPECT_EQ(oya_for_dice(6, 5), 1);
  EXPECT_EQ(oya_for_dice(1, 1), 2);
}

// Records where each pip of a die is printed.
struct PipPlatform : HeadlessPlatform {
  std::vector<std::pair<int, int>> pips;
  void draw_text(Surface& s, int x, int y, const std::string& t, const TextStyle& st) override {
    if (t == "●") pips.emplace_back(x, y);
    HeadlessPlatform::draw_text(s, x, y, t, st);
  }
};

TEST_F(DriverTest, TheTenthRollDecides) {
  // Pips of each face as grid offsets inside its 9 x 9 die.
  const std::set<std::pair<int, int>> faces[7] = {
      {},
      {{4, 4}},
      {{2, 2}, {6, 6}},
      {{2, 2}, {6, 6}, {4, 4}},
      {{2, 2}, {6, 6}, {2, 6}, {6, 2}},
      {{2, 2}, {6, 6}, {2, 6}, {6, 2}, {4, 4}},
      {{2, 2}, {6, 6}, {2, 6}, {6, 2}, {2, 4}, {6, 4}},
  };
  std::set<int> dealers;
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    PipPlatform os;
    os.data_folder = tg.dir.str();
    Game g2{os};
    ASSERT_TRUE(Form_Load(g2));
    g2.s.settei[12] = 1;
    g2.rng.seed(seed);
    g2.t.series_void = 3;
    os.on_idle = [](HeadlessPlatform& p) { p.input.push_back(kEnter); };
    oya_kime(g2);
    // The dice alternate: column 30 then column 40, ten times; a die's pips
    // follow one another.
    std::vector<std::pair<int, std::set<std::pair<int, int>>>> throws;  // die column, pips
    for (auto [x, y] : os.pips) {
      const int column = x / 8 < 40 ? 30 : 40;
      if (throws.empty() || throws.back().first != column) throws.push_back({column, {}});
      throws.back().second.insert({x / 8 - column, y / 8 - 20});
    }
    ASSERT_EQ(throws.size(), 20u) << seed;
    int face[2] = {0, 0};
    for (std::size_t i = 0; i < throws.size(); ++i) {
      ASSERT_EQ(throws[i].first, i % 2 ? 40 : 30);
      int f = 0;
      for (int k = 1; k <= 6; ++k)
        if (throws[i].second == faces[k]) f = k;
      ASSERT_NE(f, 0) << "seed " << seed << " throw " << i << ": pips of no face";
      face[i % 2] = f;
    }
    EXPECT_EQ(g2.t.oya, (face[0] + face[1]) % 2 == 1 ? 1 : 2) << face[0] << "+" << face[1];
    EXPECT_EQ(g2.t.series_void, 0);
    EXPECT_TRUE(os.drew("親を決めます"));
    dealers.insert(g2.t.oya);
  }
  EXPECT_EQ(dealers.size(), 2u);  // either side may deal
}

TEST_F(DriverTest, DealerAdvance) {
  g.t.oya = 1;
  g.t.kyoku = 1;
  g.t.honba = 1;
  man_next(g);  // the dealer wins: repeat
  man_next(g);
  EXPECT_EQ(g.t.oya, 1);
  EXPECT_EQ(g.t.kyoku, 1);
  EXPECT_EQ(g.t.honba, 3);
  com_next(g);  // the other side wins: the deal passes
  EXPECT_EQ(g.t.oya, 2);
  EXPECT_EQ(g.t.kyoku, 2);
  EXPECT_EQ(g.t.honba, 1);
  com_next(g);
  EXPECT_EQ(g.t.kyoku, 2);
  EXPECT_EQ(g.t.honba, 2);
  man_next(g);
  EXPECT_EQ(g.t.oya, 1);
  EXPECT_EQ(g.t.kyoku, 3);
  g.t.game_mode = 4;  // a series never moves the dealer turn
  com_next(g);
  EXPECT_EQ(g.t.kyoku, 3);
  EXPECT_EQ(g.t.oya, 2);
}

TEST_F(DriverTest, BothNotenOnlyAddsARepeat) {
  g.t.man_ten = 250;
  g.t.honba = 2;
  g.t.rechi_bou = 3;
  nagare_settle(g);
  EXPECT_EQ(g.t.man_ten, 250);
  EXPECT_EQ(g.t.honba, 3);
  EXPECT_EQ(g.t.rechi_bou, 3);
  EXPECT_EQ(g.t.man_hai[14], kEmpty);
  EXPECT_EQ(g.t.com_hai[14], kEmpty);
}

void set_hand(Hand& h, std::initializer_list<int> tiles) {
  h.fill(kEmpty);
  int i = 1;
  for (int t : tiles) h[std::size_t(i++)] = Tile(t);
}

constexpr std::initializer_list<int> kNineGates = {1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9};
constexpr std::initializer_list<int> kNoten = {1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 35};

TEST_F(DriverTest, NotenPaymentMovesFifteenAndStopsAtZero) {
  set_hand(g.t.com_hai, kNineGates);
  set_hand(g.t.man_hai, kNoten);
  g.t.man_ten = 10;
  nagare_settle(g);
  EXPECT_EQ(g.t.man_ten, 0);
  set_hand(g.t.man_hai, kNineGates);
  set_hand(g.t.com_hai, kNoten);
  g.t.man_ten = 100;
  nagare_settle(g);
  EXPECT_EQ(g.t.man_ten, 115);
  set_hand(g.t.com_hai, kNineGates);  // both tenpai: nothing moves
  nagare_settle(g);
  EXPECT_EQ(g.t.man_ten, 115);
}

// Waits no greedy order reads: 13 completes 11-12-13, 12-13-14, 16-17-18,
// 17-18-19 and 15 15; 6 completes 111, 222, 345, 567 and 33. Either side
// holding one is tenpai at the draw and receives the noten payment.
TEST_F(DriverTest, AWaitOnlyAnExactSplitReadsIsTenpaiAtTheDraw) {
  for (auto ready : {std::initializer_list<int>{11, 12, 12, 13, 14, 15, 15, 16, 17, 17, 18, 18, 19},
                     std::initializer_list<int>{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 5, 5, 7}}) {
    set_hand(g.t.man_hai, ready);
    set_hand(g.t.com_hai, kNoten);
    g.t.man_ten = 100;
    nagare_settle(g);
    EXPECT_EQ(g.t.man_ten, 115) << *ready.begin();
    set_hand(g.t.com_hai, ready);
    set_hand(g.t.man_hai, kNoten);
    g.t.man_ten = 100;
    nagare_settle(g);
    EXPECT_EQ(g.t.man_ten, 85) << *ready.begin();
  }
}

TEST_F(DriverTest, ANotenPaymentToZeroEndsTheGame) {
  g.s.settei[12] = 0;
  // Both sides throw what they draw; the opponent holds a ready hand, the user
  // does not, and the user starts the hand with 1,000 points.
  auto throw_drawn = [](Game& gg, bool man) {
    Table& t = gg.t;
    Hand& h = man ? t.man_hai : t.com_hai;
    set_hand(h, man ? kNoten : kNineGates);
    const Tile tile = 22;
    auto& junme = man ? t.man_junme : t.com_junme;
    (man ? t.man_sute : t.com_sute)[std::size_t(junme)] = tile;
    ++junme;
    return 0;
  };
  g.players.man = [&](Game& gg) {
    if (gg.t.man_junme == 1) gg.t.man_ten = 10;
    return throw_drawn(gg, true);
  };
  g.players.com = [&](Game& gg) { return throw_drawn(gg, false); };
  run_until_quit();
  EXPECT_EQ(g.t.man_ten, 0);
  EXPECT_EQ(g.t.game_no, 2);  // one hand, then the end
  EXPECT_TRUE(tg.os.drew("１ゲーム終了です"));
  const auto& snd = tg.os.sounds;
  EXPECT_NE(std::find_if(snd.begin(), snd.end(),
                         [](const std::string& s) { return s.find("sekiba_pyon") != std::string::npos; }),
            snd.end());
}

TEST_F(DriverTest, ScoreHistoryAndSeriesEnd) {
  g.t.game_mode = 4;  // 25 hands
  g.t.game_no = 25;
  g.t.man_ten = 123;
  score_rireki_add(g);
  EXPECT_EQ(g.t.score_rireki[25], 123);
  EXPECT_EQ(g.t.game_no, 26);
  EXPECT_EQ(g.t.series_done, 1);

  g.t.series_done = 0;
  g.t.game_mode = 7;
  g.t.game_no = 499;
  score_rireki_add(g);
  EXPECT_EQ(g.t.game_no, 499);
  EXPECT_EQ(g.t.series_done, 1);  // 500 > 400
}

TEST_F(DriverTest, SeriesEndsAfterItsLengthAndTheHandNumberStopsAt499) {
  struct Case {
    int mode, game_no, next, done;
  } cases[] = {
      {4, 24, 25, 0},   {4, 25, 26, 1},   {3, 49, 50, 0},   {3, 50, 51, 1},   {2, 74, 75, 0},
      {2, 75, 76, 1},   {1, 99, 100, 0},  {1, 100, 101, 1}, {5, 199, 200, 0}, {5, 200, 201, 1},
      {6, 299, 300, 0}, {6, 300, 301, 1}, {7, 399, 400, 0}, {7, 400, 401, 1}, {0, 497, 498, 0},
      {0, 498, 499, 0}, {0, 499, 499, 0},
  };
  for (const Case& c : cases) {
    g.t.game_mode = std::int16_t(c.mode);
    g.t.game_no = std::int16_t(c.game_no);
    g.t.series_done = 0;
    g.t.man_ten = std::int32_t(c.game_no);
    score_rireki_add(g);
    EXPECT_EQ(g.t.score_rireki[std::size_t(c.game_no)], c.game_no) << c.mode << " " << c.game_no;
    EXPECT_EQ(g.t.game_no, c.next) << c.mode << " " << c.game_no;
    EXPECT_EQ(g.t.series_done, c.done) << c.mode << " " << c.game_no;
  }
}

TEST_F(DriverTest, WholeSeriesOfTwentyFiveHands) {
  // The computer throws every tile it draws, so no hand ends before its last
  // discard and the user's score never runs out.
  g.players.com = [](Game& gg) {
    Table& t = gg.t;
    if (t.man_junme != 1) com_tumo(gg);
    const Tile tile = t.com_hai[14];
    sute_kesu(gg, tile);
    t.com_sute[std::size_t(t.com_junme)] = tile;
    t.com_sute_x = std::int16_t(t.com_sute_x - 4);
    if (t.com_junme == 10) {
      t.com_sute_x = 61;
      t.com_sute_y = std::int16_t(t.com_sute_y - 7);
    }
    ++t.com_junme;
    com_hai_sort(gg);
    return 0;
  };
  tg.os.on_menu("mnumode2");
  run_until_quit();
  EXPECT_EQ(g.t.game_no, 26);
  EXPECT_EQ(g.t.score_rireki[25], 300);
  EXPECT_TRUE(tg.os.drew("　２５連戦無事達成おめでとう！"));
  EXPECT_TRUE(tg.os.drew("１ゲーム終了です"));
  EXPECT_EQ(g.t.man_junme, 21);  // every hand ran its forty discards
  EXPECT_EQ(g.t.com_junme, 21);
  EXPECT_FALSE(g.menu_shown("mnukinou"));
}

TEST_F(DriverTest, WholeNormalGameAcrossEightDealerTurns) {
  // Scripted players: the side that does not deal wins by tsumo on its first
  // turn, so the deal passes every hand.
  int wins = 0;
  g.players.man = [&](Game& gg) {
    if (gg.t.oya == 2) return ++wins, gg.t.agari_pl = 1, 2;
    return man_main(gg);
  };
  g.players.com = [&](Game& gg) {
    if (gg.t.oya == 1) return ++wins, gg.t.agari_pl = 2, 2;
    return com_main(gg);
  };
  run_until_quit();
  EXPECT_EQ(wins, 8);
  // Stopped at the end-of-game screen: the last hand left nothing to continue.
  auto cos = read_file(tg.dir.file("sekiba_cos.bin"));
  ASSERT_TRUE(cos && cos->size() >= 2);
  EXPECT_EQ((*cos)[0], 0);
  EXPECT_EQ((*cos)[1], 0);
  EXPECT_EQ(g.t.kyoku, 9);
  EXPECT_EQ(g.t.game_no, 9);
  EXPECT_EQ(g.t.honba, 1);
  EXPECT_TRUE(tg.os.drew("１ゲーム終了です"));
  EXPECT_FALSE(tg.os.drew("　２５連戦無事達成おめでとう！"));
}

TEST_F(DriverTest, TheLastYakuListStaysUncoveredAtTheEndOfTheGame) {
  // The user wins the last hand by tsumo with seven pairs; the first line of
  // the yaku list is column 11, row 23: 180 x 24 pixels from (88, 184).
  g.players.man = [](Game& gg) {
    Table& t = gg.t;
    set_hand(t.man_hai, {1, 1, 3, 3, 5, 5, 12, 12, 14, 14, 31, 31, 37});
    t.man_hai[14] = 37;
    t.kyoku = 8;
    t.oya = 2;  // the deal passes: the eighth dealer turn was the last
    t.agari_hai = 37;
    t.agari_pl = 1;
    t.agari_kind = 1;
    return 2;
  };
  auto first_line = [&] {
    std::vector<Pixel> px;
    for (int y = 184; y < 208; ++y)
      for (int x = 88; x < 268; ++x) px.push_back(g.scr.win.at(x, y));
    return px;
  };
  std::vector<Pixel> at_hand_end;
  bool compared = false;
  tg.os.on_idle = [&](HeadlessPlatform& os) {
    if (g.rec.name_waiting) return frmname_cmdOK(g, "test");
    if (g.t.kyoku_flag == 1) at_hand_end = first_line();
    if (!compared && os.drew("１ゲーム終了です")) {
      compared = true;
      ASSERT_FALSE(at_hand_end.empty());
      EXPECT_TRUE(first_line() == at_hand_end) << "the yaku list's first line was drawn over";
      os.quit();
      return;
    }
    os.input.push_back(kEnter);
  };
  run_until_quit();
  EXPECT_TRUE(compared);
  EXPECT_EQ(g.t.kyoku, 9);
}

TEST_F(DriverTest, StartMenuHidesAfterTheFirstDiscardAndGamesFollowEachOther) {
  games_to_play = 2;
  tg.os.on_menu("mnumode2");
  run_until_quit();
  EXPECT_FALSE(g.menu_shown("mnugame"));
  EXPECT_FALSE(g.menu_shown("mnumode"));
  int ends = 0;
  for (const auto& t : tg.os.texts) ends += t == "１ゲーム終了です";
  EXPECT_EQ(ends, 2);
}

TEST_F(DriverTest, HandsDealtWithAFifthCountedCopyPlayToTheirEnd) {
  // Every pattern stacks four each of 1, 2 and 3 bamboo for either dealer; when an
  // indicator shows one of them the count says five. Such hands must play on
  // (automatic play against the computer) and never bring a fifth copy out.
  g.tumikomi_data.fill(38);
  for (int p = 0; p < 15; ++p) {
    g.tumikomi_data[std::size_t(43 * p)] = std::int16_t(p + 1);
    for (int v = 0; v < 3; ++v) {
      int i = 1;
      for (int code : {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4})
        g.tumikomi_data[std::size_t(43 * p + 14 * v + i++)] = std::int16_t(code);
    }
  }
  g.tumikomi_data[645] = 0;
  g.s.settei[14] = g.s.settei[19] = 0;
  g.s.settei[11] = 1;
  std::set<int> five_hands;
  int turns_with_five = 0;
  g.players.man = [&](Game& gg) {
    const Table& t = gg.t;
    for (int c = 1; c <= 37; ++c) {
      if (t.hai_cnt[std::size_t(c)] < 5) continue;
      five_hands.insert(t.game_no * 1000 + t.kyoku * 10 + t.honba);
      ++turns_with_five;
      int seen = 0;
      for (int i = 1; i <= 14; ++i) seen += (t.man_hai[std::size_t(i)] == c) + (t.com_hai[std::size_t(i)] == c);
      for (int i = 1; i <= 20; ++i) seen += (t.man_sute[std::size_t(i)] == c) + (t.com_sute[std::size_t(i)] == c);
      EXPECT_LE(seen, 4) << "code " << c;
    }
    gg.t.jidou = 1;
    return man_main(gg);
  };
  int games = 0;
  tg.os.on_idle = [&](HeadlessPlatform& os) {
    if (g.rec.name_waiting) return frmname_cmdOK(g, "test");
    int ends = 0;
    for (const auto& t : os.texts) ends += t == "１ゲーム終了です";
    if (ends > games) {
      games = ends;
      if (five_hands.size() >= 2 || games >= 30) return os.quit();
    }
    os.input.push_back(kEnter);
  };
  run_until_quit();
  EXPECT_GE(five_hands.size(), 2u) << "games " << games;
  EXPECT_GT(turns_with_five, 2);
}

TEST_F(DriverTest, QuitDuringTheDiceEndsCleanly) {
  tg.os.on_idle = [](HeadlessPlatform& os) { os.on_menu("mnuend"); };
  run_until_quit();
  EXPECT_TRUE(tg.os.quit_requested());
  EXPECT_EQ(g.t.game_no, 1);
}

}  // namespace
}  // namespace sekiba
