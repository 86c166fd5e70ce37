#pragma once
// Hands for the decomposition tests. Codes: 1..9, 11..19, 21..29 the suits,
// 31..34 winds, 35..37 dragons, 38 empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "engine/game.h"
#include "eval/bunkai.h"
#include "test_game.h"

namespace sekiba::test {

inline Hand hand_of(std::initializer_list<int> tiles) {
  Hand h{};
  h.fill(kEmpty);
  h[0] = 0;
  int s = 1;
  for (int c : tiles) h[std::size_t(s++)] = Tile(c);
  return h;
}

template <std::size_t N>
std::vector<int> slots(const std::array<Tile, N>& h, int first = 1, int last = 14) {
  return std::vector<int>(h.begin() + first, h.begin() + last + 1);
}

struct BunkaiFixture : ::testing::Test {
  TestGame tg;
  Game& g = tg.g;

  void work(std::initializer_list<int> tiles) { g.a.work_hai = hand_of(tiles); }
  void man(std::initializer_list<int> tiles) { g.t.man_hai = hand_of(tiles); }
  void com(std::initializer_list<int> tiles) { g.t.com_hai = hand_of(tiles); }
  void meld(int slot, int tile, int kind) {
    g.t.man_naki_hai[std::size_t(slot)] = Tile(tile);
    g.t.man_naki_kind[std::size_t(slot)] = std::int16_t(kind);
    g.t.man_naki_cnt = std::int16_t(std::max<int>(g.t.man_naki_cnt, slot + 1));
  }
  std::vector<int> sets() const {
    std::vector<int> v;
    for (int i = 1; i < g.a.mentsu_cnt && i <= 4; ++i) v.push_back(g.a.mentsu_hai[i]);
    return v;
  }
  std::vector<int> kinds() const {
    std::vector<int> v;
    for (int i = 1; i < g.a.mentsu_cnt && i <= 4; ++i) v.push_back(g.a.mentsu_kind[i]);
    return v;
  }
  std::vector<int> waits() const {
    std::vector<int> v;
    for (int i = 1; i < 16 && g.a.machi_hai[i] != 0; ++i) v.push_back(g.a.machi_hai[i]);
    return v;
  }
};

inline constexpr int kOrphanCodes[13] = {1, 9, 11, 19, 21, 29, 31, 32, 33, 34, 35, 36, 37};

}  // namespace sekiba::test
