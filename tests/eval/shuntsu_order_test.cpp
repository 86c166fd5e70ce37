// Taking sequences out of a hand in order gives exactly what the slot-by-slot
// search gives: the same sets in the same order, the same slots emptied.
#include <random>

#include "bunkai_fixture.h"

namespace sekiba::test {
namespace {

constexpr int kOrders[4][7] = {
    {4, 7, 1, 6, 3, 5, 2}, {5, 2, 6, 3, 4, 7, 1}, {1, 2, 3, 4, 5, 6, 7}, {7, 6, 5, 4, 3, 2, 1}};

struct ShuntsuOrder : BunkaiFixture {};

TEST_F(ShuntsuOrder, AgreesWithTheSlotBySlotSearch) {
  std::mt19937 gen(3);
  for (int round = 0; round < 4000; ++round) {
    // Mostly number tiles of one or two suits so sequences are common; some
    // hands keep empty slots, some are out of order.
    std::array<int, 40> cnt{};
    Hand h{};
    h.fill(kEmpty);
    const int n = 5 + int(gen() % 10);
    for (int i = 1; i <= n; ++i) {
      int c;
      do {
        const int suit = int(gen() % 3) * 10, num = 1 + int(gen() % 9);
        c = gen() % 8 == 0 ? 31 + int(gen() % 7) : suit + num;
      } while (cnt[c] >= 4);
      ++cnt[c];
      h[i] = Tile(c);
    }
    if (gen() % 4 != 0) std::sort(h.begin() + 1, h.begin() + 1 + n);
    for (int i = 1; i <= 14; ++i)
      if (gen() % 6 == 0) std::swap(h[i], h[1 + gen() % 14]);  // holes in between
    const int jun = 1 + round % 4;

    g.a.work_hai = h;
    bunkai_clear(g);
    g.a.shuntsu_jun = std::int16_t(jun);
    shuntsu_nuki(g);
    const Analysis fast = g.a;

    g.a.work_hai = h;
    bunkai_clear(g);
    for (int start : kOrders[jun - 1]) shuntsu_nuki_sub(g, start);
    ASSERT_EQ(fast.work_hai, g.a.work_hai) << "round " << round;
    ASSERT_EQ(fast.mentsu_cnt, g.a.mentsu_cnt);
    ASSERT_EQ(fast.mentsu_hai, g.a.mentsu_hai);
    ASSERT_EQ(fast.mentsu_kind, g.a.mentsu_kind);
    ASSERT_EQ(fast.shuntsu_cnt, g.a.shuntsu_cnt);
  }
}

}  // namespace
}  // namespace sekiba::test
