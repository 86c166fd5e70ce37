#pragma once
// The removal steps of the greedy decomposition on one suit's tile counts.
// Sequences never cross from one suit into the next and triplets are taken
// tile by tile, so every step but the head works on each suit alone.
#include <algorithm>
#include <array>
#include <cstdint>

#include "eval/bunkai_order.h"

namespace sekiba {

// One suit's tile counts, lowest number first (honours: East .. red dragon).
using SuitCounts = std::array<std::int8_t, 9>;

// The scan takes a triplet, then the next three copies as another: only a
// damaged hand holds six alike, but then too the counts say what it leaves.
inline SuitCounts triplets_of(SuitCounts c) {
  for (auto& x : c) x = std::int8_t(x % 3);
  return c;
}

// The hand is in order whenever sequences are taken, so each start number of
// row `row` takes its sequences as often as all three tiles remain. Honours
// hold none.
inline SuitCounts sequences_of(SuitCounts c, int row, bool numbers) {
  if (!numbers) return c;
  for (int start : kShuntsuOrder[row]) {
    const std::size_t s = std::size_t(start - 1);
    const std::int8_t k = std::min({c[s], c[s + 1], c[s + 2]});
    c[s] = std::int8_t(c[s] - k);
    c[s + 1] = std::int8_t(c[s + 1] - k);
    c[s + 2] = std::int8_t(c[s + 2] - k);
  }
  return c;
}

inline SuitCounts minus_pair(SuitCounts c, int rank) {
  c[std::size_t(rank)] = std::int8_t(c[std::size_t(rank)] - 2);
  return c;
}

// The rank of the lowest (or highest) number held twice or more; -1: none.
inline int pair_index(const SuitCounts& c, bool lowest) {
  if (lowest) {
    for (int i = 0; i < 9; ++i)
      if (c[std::size_t(i)] >= 2) return i;
  } else {
    for (int i = 8; i >= 0; --i)
      if (c[std::size_t(i)] >= 2) return i;
  }
  return -1;
}

}  // namespace sekiba
