#pragma once
// What the greedy decomposition orders will make of a hand, read from tables
// over each suit's tile counts instead of trying the orders one by one. The
// complete-hand test then writes (or, when a caller may refuse it, runs) only
// the first order that succeeds, so the decomposition it leaves behind is the
// one the full search would leave.
#include <array>
#include <cstdint>

#include "eval/analysis.h"

namespace sekiba {

struct AgariPlan {
  // False when a slot holds something other than a tile or an empty slot, or a
  // code is held more than four times: the tables do not cover such a hand and
  // the caller searches the plain way.
  bool covered = false;
  // The hand splits into sets and one head in some way (not necessarily one
  // of the greedy orders).
  bool standard = false;
  // Bit i: the greedy order i leaves nothing, where i = (atama_jun - 1) * 24 +
  // (shuntsu_jun - 1) * 6 + (case - 1), the order the test tries them in.
  std::uint64_t orders = 0;
  // Case 7 (triplets and head only) leaves nothing.
  bool case7 = false;
  // When covered: each suit's tile counts, four bits a number from 1 up (the
  // honours East .. red dragon), and the number of tiles held.
  std::array<std::uint64_t, 4> keys{};
  int tiles = 0;
};

inline constexpr int kPlanOrders = 48;

// Slots 1..14 of `h`; empty slots anywhere.
AgariPlan agari_plan(const Hand& h);

}  // namespace sekiba

namespace sekiba {

// For a hand one tile short (slots 1..14, empty slots anywhere): bit c for each
// code c that could complete it as a split into sets and a head, as seven
// pairs or as thirteen orphans, and for each code the tables cannot judge (a
// fifth copy, a hand holding something that is not a tile). Every other code
// leaves the hand incomplete whatever order is tried.
std::uint64_t agari_candidates(const Hand& h);

}  // namespace sekiba
