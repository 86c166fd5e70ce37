// Automatic play, its prompts, the hint proposal and the dora labels.
#include "com/shikou.h"
#include "engine/driver.h"
#include "engine/setup.h"
#include "eval/bunkai.h"
#include "man/man_fixture.h"
#include "screen/draw.h"

namespace sekiba {
namespace {

using namespace test;

struct JidouTest : ManTest {
  JidouTest() { g.show_menu("mnukinou", true); }
  void f4_then(InputEvent answer) {
    os.input.push_back(key(kVkF4));
    press({answer});
    os.yield();  // F4 opens the prompt, which takes the answer
    script.clear();
  }
};

TEST_F(JidouTest, StartPromptTakesEnterOrALeftClickOnly) {
  for (InputEvent no : {key(kVkSpace), key(27), key(65), click(10, 10, 2)}) {
    f4_then(no);
    EXPECT_EQ(g.t.jidou, 0);
  }
  EXPECT_TRUE(os.drew("★★★★華麗なる自動モード!★★★★"));
  f4_then(click(10, 10, 1));
  EXPECT_EQ(g.t.jidou, 1);
  f4_then(key(kVkSpace));  // 続ける
  EXPECT_EQ(g.t.jidou, 1);
  f4_then(key(kVkEnter));
  EXPECT_EQ(g.t.jidou, 0);
  EXPECT_TRUE(os.drew("自動モードを終了します｡"));
  EXPECT_EQ(g.t.shori_chu, 0);
}

TEST_F(JidouTest, MeldRefusesTheStartButNotTheStop) {
  add_meld(31, 2);
  os.input.push_back(key(kVkF4));
  press({key(kVkEnter)});
  os.yield();
  EXPECT_TRUE(os.drew("今このモードには入れません｡"));
  EXPECT_EQ(g.t.jidou, 0);
  EXPECT_EQ(script.size(), 1u);  // no answer was asked for
  script.clear();
  g.t.jidou = 1;
  f4_then(key(kVkEnter));
  EXPECT_EQ(g.t.jidou, 0);
}

TEST_F(JidouTest, AnOpenHandGetsNoAutomaticPlayNorItsRiichi) {
  // F4 while the run of a chi is picked: the hand is being opened, so refused.
  hand({3, 4, 6, 7, 11, 12, 13, 21, 22, 23, 31, 31, 32});
  press({key(kVkF4), key(kVkEnter), key(vk_slot(2))});
  EXPECT_EQ(man_chi(g, 5), 1);
  EXPECT_EQ(g.t.jidou, 0);
  EXPECT_TRUE(os.drew("今このモードには入れません｡"));
  EXPECT_TRUE(script.empty());
  // A riichi proposal on the open hand throws its tile without riichi.
  g.t.jidou = 1;
  hand({2, 3, 4, 15, 16, 17, 24, 25, 31, 31}, 9);
  os.max_idle_waits = 0;
  EXPECT_EQ(man_sute_sub(g, 14 + 20, kDrew), 0);
  EXPECT_EQ(last_discard(), 9);
  EXPECT_EQ(g.t.man_rechi, 0);
  EXPECT_EQ(g.t.rechi_bou, 0);
}

TEST_F(JidouTest, NoF4WhileBusyInALanMatchOrWithTheMenuHidden) {
  g.t.lan_mode = 1;
  f4_then(key(kVkEnter));
  EXPECT_EQ(g.t.jidou, 0);
  g.t.lan_mode = 0;
  g.show_menu("mnukinou", false);
  f4_then(key(kVkEnter));
  EXPECT_EQ(g.t.jidou, 0);
}

TEST_F(JidouTest, SwitchingOnDuringTheDecisionLetsTheTurnFinishItself) {
  // The left click or Enter that answers the prompt is spent there; the waiting
  // turn still wakes and plays on by itself.
  for (InputEvent yes : {click(10, 10, 1), key(kVkEnter)}) {
    g.t.jidou = 0;
    man_discards({});
    com_discards({9});
    hand(kRyanmen);
    next_draw(33);
    press({key(kVkF4), yes});
    EXPECT_EQ(man_main(g), 0);
    EXPECT_EQ(g.t.jidou, 1);
    EXPECT_EQ(g.t.man_junme, 2);
    EXPECT_TRUE(script.empty());
  }
}

TEST_F(JidouTest, ThePauseTakesItsStepsAsTheFileGivesThemAndEndsWithAutomaticPlay) {
  g.t.jidou = 1;
  for (int n : {16, 100}) {
    g.s.settei[11] = std::int16_t(n);
    const auto start = os.clock_ms;
    jidou_pause(g);
    EXPECT_GE(os.clock_ms - start, 100 * n) << n;
    EXPECT_LT(os.clock_ms - start, 102 * n) << n;
  }
  // F4 and Enter while paused: automatic play ends, and so does the pause.
  os.input.push_back(key(kVkF4));
  script = {key(kVkEnter)};
  auto start = os.clock_ms;
  jidou_pause(g);
  EXPECT_EQ(g.t.jidou, 0);
  EXPECT_LT(os.clock_ms - start, 500);
  // Quitting during the pause unwinds at once.
  g.t.jidou = 1;
  start = os.clock_ms;
  os.after_events = [&] {
    if (os.clock_ms - start > 300) os.quit();
  };
  EXPECT_THROW(jidou_pause(g), QuitRequested);
  EXPECT_LT(os.clock_ms - start, 600);
}

TEST_F(ManTest, HintNeverWithMeldsNorInAutomaticPlayLabels) {
  g.man.osekai_flag = 1;
  add_meld(31, 2);
  hand({2, 3, 4, 15, 16, 17, 27, 28, 9, 9}, 35);
  EXPECT_EQ(man_osekai_main(g), 0);
}

TEST_F(ManTest, ProposalOfACompleteHandIsTsumo) {
  g.t.jidou = 1;
  hand(kRyanmen, 23);
  os.max_idle_waits = 0;
  EXPECT_EQ(man_osekai_main(g), kAgari);
  EXPECT_EQ(man_sute_sub(g, kAgari, kDrew), 1);
}

TEST_F(ManTest, RiichiProposalsByTheKindOfWait) {
  struct Case {
    int machi, bunkai, junme, p, label;
  } cases[] = {
      {0, 1, 5, 6, 7},    // これ: never riichi
      {1, 1, 5, 6, 8},    // T outside seven pairs
      {1, 8, 5, 26, 8},   // T in seven pairs
      {2, 1, 13, 6, 9},   // K before the 14th discard
      {2, 1, 14, 26, 9},  // K from the 14th
      {3, 1, 5, 26, 10},  // S
      {4, 1, 17, 26, 11}, // R on the 17th
      {4, 1, 18, 6, 11},  // no riichi from the 18th
      {7, 1, 5, 14, 0},   // unknown wait: the drawn tile
  };
  for (const auto& c : cases) {
    const OsekaiProposal p = osekai_proposal(6, c.machi, c.bunkai, c.junme);
    EXPECT_EQ(p.p, c.p) << c.machi << " " << c.junme;
    EXPECT_EQ(p.label, c.label) << c.machi;
  }
}

TEST_F(ManTest, TheHigherOfTwoCopiesIsProposed) {
  // Whatever the evaluation throws, the slot proposed is the highest that holds it.
  g.t.jidou = 1;
  for (int seed = 1; seed <= 60; ++seed) {
    g.rng.seed(std::uint32_t(seed));
    g.t.hai_cnt.fill(0);
    g.t.hai_cnt[10] = g.t.hai_cnt[20] = g.t.hai_cnt[30] = g.t.hai_cnt[38] = 4;
    g.t.man_hai.fill(kEmpty);
    for (int i = 1; i <= 14; ++i) g.t.man_hai[std::size_t(i)] = hai_rnd(g);
    man_hai_sort(g);
    man_nerai_kime(g);
    const int p = man_osekai_main(g);
    if (p == 0 || p == kAgari) continue;
    const int slot = p > 20 ? p - 20 : p;
    const Tile tile = g.t.man_hai[std::size_t(slot)];
    for (int j = slot + 1; j <= 14; ++j) EXPECT_NE(g.t.man_hai[std::size_t(j)], tile) << seed;
  }
}

TEST_F(ManTest, AutomaticDiscardNeverWaitsForAKey) {
  g.t.jidou = 1;
  hand(kRyanmen, 9);
  os.max_idle_waits = 0;
  // A proposal that is not in the hand, and a completeness the test denies.
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 0);
  EXPECT_EQ(last_discard(), 9);
  hand(kRyanmen, 9);
  EXPECT_EQ(man_sute_sub(g, kAgari, kDrew), 0);
  EXPECT_EQ(last_discard(), 9);
}

TEST_F(ManTest, AutomaticPlayInRiichiWinsWhateverTheProposal) {
  g.t.jidou = 1;
  os.max_idle_waits = 0;
  for (int proposal : {0, 3, 14, 23, kAgari}) {
    hand(kRyanmen, 23);
    g.t.man_rechi = 3;
    EXPECT_EQ(man_sute_sub(g, proposal, kDrew), 1) << proposal;
    EXPECT_EQ(g.t.agari_hai, 23);
    EXPECT_EQ(g.t.agari_kind, 1);
  }
}

TEST_F(ManTest, AutomaticRiichiProposalDeclaresWhateverTheScore) {
  g.t.jidou = 1;
  g.t.man_ten = 5;
  hand(kRyanmen, 9);
  os.max_idle_waits = 0;
  EXPECT_EQ(man_sute_sub(g, 14 + 20, kDrew), 0);
  EXPECT_EQ(g.t.man_rechi, 2);
  EXPECT_EQ(g.t.man_ten, 0);
  EXPECT_EQ(g.t.rechi_bou, 1);
}

TEST_F(ManTest, DoraLabelsFollowTheMenuAndTheKan) {
  g.s.settei[6] = 0;  // the indicator itself is the dora
  g.t.dora = 5;
  g.t.kan_dora = 7;
  g.s.settei[9] = 1;
  hand({5, 7, 9});
  asist_kun(g);
  EXPECT_TRUE(os.menu_check["mnuasist"]);
  // Without a kan only the dora is labelled: compare the two slots' pixels
  // after a plain redraw and after the labels.
  man_disp(g);
  const Surface plain = g.scr.win;
  dora_asist_pr(g);
  auto changed = [&](const Surface& a, int slot) {
    for (int y = 8 * 44; y < 8 * 44 + 15; ++y)
      for (int x = 8 * (4 * slot - 1); x < 8 * (4 * slot - 1) + 30; ++x)
        if (a.at(x, y) != g.scr.win.at(x, y)) return true;
    return false;
  };
  EXPECT_TRUE(changed(plain, 1));
  EXPECT_FALSE(changed(plain, 2));
  add_meld(31, 4);
  man_disp(g);
  dora_asist_pr(g);
  EXPECT_TRUE(changed(plain, 2));
  asist_kun(g);
  EXPECT_FALSE(os.menu_check["mnuasist"]);
}

TEST(SpeedDialog, OptionsAndValues) {
  EXPECT_EQ(speed_option_for(1), 0);
  EXPECT_EQ(speed_option_for(5), 1);
  EXPECT_EQ(speed_option_for(10), 2);
  EXPECT_EQ(speed_option_for(7), 3);  // written by hand: shown as 遅い
  EXPECT_EQ(speed_value_for(0), 1);
  EXPECT_EQ(speed_value_for(3), 15);
}

}  // namespace
}  // namespace sekiba
