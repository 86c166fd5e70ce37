// Complete hands the greedy orders miss are still found, and the greedy result
// stands wherever it exists.
#include <random>

#include "bunkai_fixture.h"
#include "eval/hand.h"

namespace sekiba::test {
namespace {

struct AgariExact : BunkaiFixture {};

TEST_F(AgariExact, AHandNoGreedyOrderSplitsIsStillComplete) {
  work({1, 2, 3, 4, 4, 4, 5, 6, 6, 6, 7, 23, 23, 23});
  EXPECT_EQ(man_agari_check(g), kAgari);
  EXPECT_EQ(g.a.atama_hai, 6);
  EXPECT_EQ(g.a.mentsu_cnt, 5);
  EXPECT_EQ(slots(g.a.mentsu_hai, 1, 4), (std::vector<int>{1, 4, 5, 23}));
  EXPECT_EQ(slots(g.a.mentsu_kind, 1, 4), (std::vector<int>{1, 2, 1, 2}));
  EXPECT_EQ(g.a.shuntsu_cnt, 2);
  EXPECT_EQ(g.a.kotsu_cnt, 2);
  EXPECT_EQ(g.a.toitsu_cnt, 1);
  for (int i = 1; i <= 14; ++i) EXPECT_EQ(g.a.work_hai[i], kEmpty);

  com({1, 2, 3, 4, 4, 4, 5, 6, 6, 6, 7, 23, 23, 23});
  EXPECT_EQ(com_agari_check(g), kAgari);

  // ... so its waits include the three of circles.
  man({1, 2, 3, 4, 4, 4, 5, 6, 6, 6, 7, 23, 23});
  const int n = help_kazu(g);
  std::vector<int> waits(g.a.machi_hai.begin() + 1, g.a.machi_hai.begin() + 1 + n);
  EXPECT_NE(std::find(waits.begin(), waits.end(), 23), waits.end());
}

TEST_F(AgariExact, AFailedTestLeavesTheStateOfTheLastAttempt) {
  work({1, 2, 7, 11, 14, 17, 21, 24, 27, 31, 31, 32, 33, 35});
  EXPECT_EQ(man_agari_check(g), 0);
  EXPECT_EQ(g.a.atama_jun, 2);
  EXPECT_EQ(g.a.shuntsu_jun, 4);
  EXPECT_EQ(g.a.toitsu_cnt, 1);  // the seven-pairs attempt came last
  EXPECT_EQ(g.a.toitsu_hai[1], 31);
  EXPECT_EQ(slots(g.a.work_hai), (std::vector<int>{1, 2, 7, 11, 14, 17, 21, 24, 27, 31, 31, 32, 33, 35}));
}

TEST_F(AgariExact, EveryRandomCompleteHandIsFound) {
  std::mt19937 gen(7);
  const std::vector<int> tiles = [] {
    std::vector<int> v;
    for (int c = 1; c <= 37; ++c)
      if (is_tile(c)) v.push_back(c);
    return v;
  }();
  int checked = 0;
  while (checked < 3000) {
    std::array<int, 40> cnt{};
    std::vector<int> hand;
    auto add = [&](int c, int k) {
      for (int i = 0; i < k; ++i) hand.push_back(c), ++cnt[c];
    };
    const int head = tiles[gen() % tiles.size()];
    add(head, 2);
    for (int s = 0; s < 4; ++s) {
      const int c = tiles[gen() % tiles.size()];
      if (gen() % 2 == 0 && c < 30 && c % 10 <= 7) {
        add(c, 1), add(c + 1, 1), add(c + 2, 1);
      } else {
        add(c, 3);
      }
    }
    if (std::any_of(cnt.begin(), cnt.end(), [](int n) { return n > 4; })) continue;
    std::sort(hand.begin(), hand.end());
    for (int i = 0; i < 14; ++i) g.a.work_hai[i + 1] = Tile(hand[std::size_t(i)]);
    ASSERT_EQ(man_agari_check(g), kAgari) << ::testing::PrintToString(hand);
    ++checked;
  }
}

}  // namespace
}  // namespace sekiba::test
