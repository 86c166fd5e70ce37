#include "engine/setup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/game.h"
#include "test_game.h"

namespace sekiba {
namespace {

struct SetupTest : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;
  SetupTest() {
    fill_weight_presets(g.com);
    g.rng.seed(12345);
  }
  int in_play() const {
    int n = 0;
    for (int c = 1; c <= 37; ++c)
      if (is_tile(c)) n += g.t.hai_cnt[c];
    return n;
  }
};

TEST_F(SetupTest, RandomNumbersStayInRange) {
  std::array<int, 7> seen{};
  for (int i = 0; i < 5000; ++i) {
    const int v = rnd_n(g, 6);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 6);
    ++seen[v];
  }
  for (int v = 1; v <= 6; ++v) EXPECT_GT(seen[v], 600) << v;
}

TEST_F(SetupTest, TileDrawNeverGivesGapsEmptyOrAFifthCopy) {
  for (int hand = 0; hand < 20; ++hand) {
    set_shoki2(g);
    for (int i = 0; i < 100; ++i) {
      const Tile t = hai_rnd(g);
      ASSERT_TRUE(is_tile(t)) << t;
    }
    for (int c = 0; c <= 38; ++c) ASSERT_LE(g.t.hai_cnt[c], 4) << c;
  }
  // Almost all tiles taken: the last free copies are still found.
  set_shoki2(g);
  for (int c = 1; c <= 37; ++c)
    if (is_tile(c)) g.t.hai_cnt[c] = 4;
  g.t.hai_cnt[23] = 3;
  EXPECT_EQ(hai_rnd(g), 23);
  EXPECT_EQ(g.t.hai_cnt[23], 4);
}

TEST_F(SetupTest, HandResetClearsTheHand) {
  g.t.man_junme = 15;
  g.t.com_junme = 9;
  g.t.man_sute[3] = 5;
  g.t.man_naki_kind[2] = 2;
  g.t.bairitu = 2;
  g.t.com_rechi = 4;
  g.com.tenpai_flg = 0;
  g.lan.queue.push_back("x");
  set_shoki2(g);
  EXPECT_EQ(g.t.man_junme, 1);
  EXPECT_EQ(g.t.com_junme, 1);
  EXPECT_EQ(g.t.man_sute[3], 0);
  EXPECT_EQ(g.t.man_naki_kind[2], 0);
  EXPECT_EQ(g.t.bairitu, 1);
  EXPECT_EQ(g.t.com_rechi, 0);
  EXPECT_EQ(g.com.tenpai_flg, 1);
  EXPECT_TRUE(g.lan.queue.empty());
  EXPECT_EQ(g.t.man_sute_x, 3);
  EXPECT_EQ(g.t.com_sute_y, 14);
  for (int c : {10, 20, 30, 38}) EXPECT_EQ(g.t.hai_cnt[c], 4);
  EXPECT_GE(g.a.bunkai_no, 1);
  EXPECT_LE(g.a.bunkai_no, 6);
}

TEST_F(SetupTest, DealCountsThirtyTilesPlusTheFourPresetCodes) {
  for (int oya : {1, 2}) {
    set_shoki2(g);
    set_dora(g);
    g.t.oya = std::int16_t(oya);
    oya == 1 ? haipai_ton(g) : haipai_nan(g);
    EXPECT_EQ(in_play(), 30);
    int total = 0;
    for (int c = 0; c <= 39; ++c) total += g.t.hai_cnt[c];
    EXPECT_EQ(total, 30 + 16);
    const auto& dealer = oya == 1 ? g.t.man_hai : g.t.com_hai;
    const auto& other = oya == 1 ? g.t.com_hai : g.t.man_hai;
    for (int i = 1; i <= 14; ++i) EXPECT_TRUE(is_tile(dealer[i]));
    for (int i = 1; i <= 13; ++i) EXPECT_TRUE(is_tile(other[i]));
    EXPECT_EQ(other[14], kEmpty);
  }
}

TEST_F(SetupTest, DoraCyclesWithinItsGroup) {
  g.s.settei[6] = 1;
  const std::pair<int, int> cases[] = {{9, 1}, {19, 11}, {29, 21}, {34, 31}, {37, 35},
                                       {1, 2},  {33, 34}, {35, 36}, {28, 29}};
  for (auto [ind, dora] : cases) EXPECT_EQ(out_dora(g, Tile(ind)), dora) << ind;
  g.s.settei[6] = 0;
  for (auto [ind, dora] : cases) EXPECT_EQ(out_dora(g, Tile(ind)), ind);
}

TEST_F(SetupTest, DoraWeightIsLoweredButNotBelowOne) {
  g.s.shikou_dora = 1;
  g.s.settei[6] = 0;
  // Find seeds whose dora indicator lands on a tile of weight 15 and of 30 in preset A.
  bool saw15 = false, saw30 = false;
  for (std::uint32_t seed = 1; seed < 400 && !(saw15 && saw30); ++seed) {
    g.rng.seed(seed);
    set_shoki2(g);
    set_dora(g);
    const int base = g.com.hai_hyouka_a[g.t.dora];
    const int now = g.com.hai_hyouka[g.t.dora];
    if (base == 15) {
      EXPECT_EQ(now, 1);
      saw15 = true;
    }
    if (base == 30) {
      EXPECT_EQ(now, 10);
      saw30 = true;
    }
    // The ura and kan indicators never lower a weight.
    for (Tile t : {g.t.ura_dora, g.t.kan_dora})
      if (t != g.t.dora) EXPECT_EQ(g.com.hai_hyouka[t], g.com.hai_hyouka_a[t]);
  }
  EXPECT_TRUE(saw15 && saw30);
}

TEST_F(SetupTest, PresetBIsUsedWhenChosen) {
  g.s.shikou_hyouka = 1;
  set_shoki2(g);
  set_dora(g);
  EXPECT_EQ(g.com.hai_hyouka[5], 29);
  EXPECT_EQ(g.com.hai_hyouka[35], 25);
  EXPECT_EQ(g.com.hai_hyouka[38], 0);
}

// A table with one pattern whose trigger fires for every deal value.
void one_pattern(Game& g, int trigger, std::initializer_list<int> variant) {
  g.tumikomi_data.fill(38);
  for (int p = 0; p < 15; ++p) g.tumikomi_data[43 * p] = 0;
  g.tumikomi_data[645] = 0;
  g.tumikomi_data[0] = std::int16_t(trigger);
  for (int v = 0; v < 3; ++v) {
    int i = 1;
    for (int code : variant) g.tumikomi_data[14 * v + i++] = std::int16_t(code);
  }
}

TEST_F(SetupTest, StackedDealFillsTheDealersFirstSlots) {
  // Try deals until the trigger value 1..100 comes up.
  one_pattern(g, 42, {31, 31, 31, 32, 32, 32, 33, 33, 33, 34, 34, 34, 35});
  bool stacked = false;
  for (std::uint32_t seed = 1; seed < 500 && !stacked; ++seed) {
    g.rng.seed(seed);
    set_shoki2(g);
    set_dora(g);
    g.t.oya = 1;
    haipai_ton(g);
    if (g.t.man_hai[1] == 31 && g.t.man_hai[4] == 32 && g.t.man_hai[13] == 35) {
      stacked = true;
      EXPECT_TRUE(is_tile(g.t.man_hai[14]));  // only slot 14 was drawn
    }
  }
  EXPECT_TRUE(stacked);
}

TEST_F(SetupTest, AStackedVariantIsCopiedWholeEvenPastAnIndicatorsCopy) {
  // Four 1-bamboo in the variant while the indicator shows a fifth: the hand
  // still starts with the whole variant and the count says five.
  one_pattern(g, 42, {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4});
  int stacked = 0;
  for (std::uint32_t seed = 1; seed < 1500 && stacked < 3; ++seed) {
    g.rng.seed(seed);
    set_shoki2(g);
    set_dora(g);
    if (g.t.dora != 1) {
      --g.t.hai_cnt[std::size_t(g.t.dora)];
      g.t.dora = 1;
      ++g.t.hai_cnt[1];
    }
    const int before = g.t.hai_cnt[1];
    g.t.oya = 1;
    haipai_ton(g);
    if (g.t.man_hai[1] != 1 || g.t.man_hai[5] != 2) continue;
    ++stacked;
    const std::array<int, 13> want = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4};
    for (int i = 1; i <= 13; ++i) ASSERT_EQ(g.t.man_hai[std::size_t(i)], want[std::size_t(i - 1)]) << seed;
    EXPECT_EQ(g.t.hai_cnt[1], before + 4);
    // The count of five keeps the code from being drawn again, nothing more.
    EXPECT_NE(g.t.man_hai[14], 1);
    for (int i = 1; i <= 13; ++i) EXPECT_NE(g.t.com_hai[std::size_t(i)], 1);
  }
  EXPECT_EQ(stacked, 3);
}

TEST_F(SetupTest, ADamagedVariantNeverPutsFiveAlikeInAHand) {
  one_pattern(g, 42, {31, 31, 31, 31, 31, 32, 32});
  bool stacked = false;
  for (std::uint32_t seed = 1; seed < 500; ++seed) {
    g.rng.seed(seed);
    set_shoki2(g);
    set_dora(g);
    g.t.oya = 1;
    haipai_ton(g);
    const auto& h = g.t.man_hai;
    ASSERT_LE(std::count(h.begin() + 1, h.begin() + 15, Tile(31)), 4) << "seed " << seed;
    if (h[1] == 31 && h[4] == 31) {
      stacked = true;
      EXPECT_NE(h[5], 31);  // the copy stopped at the variant's own fifth
    }
  }
  EXPECT_TRUE(stacked);
}

TEST_F(SetupTest, StackingIsSkippedWhenTheDealersSettingIsOff) {
  one_pattern(g, 0, {});
  // Trigger of every value: make all 15 patterns fire at their value with East.
  for (int p = 0; p < 15; ++p) g.tumikomi_data[43 * p] = std::int16_t(p + 1);
  for (int p = 0; p < 15; ++p)
    for (int v = 0; v < 3; ++v) g.tumikomi_data[43 * p + 14 * v + 1] = 31;
  g.s.settei[19] = 1;  // the user's stacking is off
  for (std::uint32_t seed = 1; seed < 200; ++seed) {
    g.rng.seed(seed);
    set_shoki2(g);
    set_dora(g);
    haipai_ton(g);
    for (int c = 1; c <= 37; ++c) ASSERT_LE(g.t.hai_cnt[c], 4);
  }
}

TEST_F(SetupTest, SameSeedSameDeal) {
  auto deal = [&](std::uint32_t seed) {
    g.rng.seed(seed);
    set_shoki2(g);
    set_dora(g);
    haipai_ton(g);
    return std::make_pair(g.t.man_hai, g.t.dora);
  };
  EXPECT_EQ(deal(77), deal(77));
  EXPECT_NE(deal(77), deal(78));
}

}  // namespace
}  // namespace sekiba
