#pragma once
// What each greedy decomposition order leaves of one suit, remembered by the
// suit's tile counts. The computer's decomposition choice tries 50 orders on
// every hand it plans; sequences never cross suits and triplets are taken tile
// by tile, so each order's leftover is the sum of its suits' leftovers, and a
// suit the players held a moment ago (most of them: a turn changes one or two
// suits) is looked up instead of worked out again.
#include <array>
#include <cstdint>
#include <vector>

namespace sekiba {

// The steps' results a suit can be in. C: as held; K: triplets taken;
// S(r): sequences taken in the start order of row r (shuntsu_jun - 1);
// SK(r): K, then S(r); KS(r): S(r), then K.
inline constexpr int kStateC = 0, kStateK = 1;
inline constexpr int state_s(int row) { return 2 + row; }
inline constexpr int state_sk(int row) { return 6 + row; }
inline constexpr int state_ks(int row) { return 10 + row; }
inline constexpr int kSuitStates = 14;

// Tiles left, then tiles left outside open shapes, then outside open shapes
// and pairs, a byte each: leftovers of several suits add up field by field.
using Leftover = std::uint32_t;
inline constexpr int leftover_tiles(Leftover l) { return int(l & 0xFF); }
inline constexpr int leftover_open(Leftover l) { return int((l >> 8) & 0xFF); }
inline constexpr int leftover_pairs(Leftover l) { return int((l >> 16) & 0xFF); }

// Which stage a decomposition case (1..7) takes its head from, and which
// state the suits without the head end in.
int head_stage(int case_no, int row);
int final_state(int case_no, int row);

struct SuitLeftovers {
  std::uint64_t key = 0;  // the counts as looked up, plus one; 0: empty place
  // Per state: the rank (0..8) of the suit's lowest pair in the low nibble,
  // of its highest in the high one; 0xF where it holds none.
  std::array<std::uint8_t, kSuitStates> pairs{};
  std::array<Leftover, kSuitStates> left{};
  // The suit holding the head of case `case_no` (1..7), taken from its lowest
  // pair (low) or highest: what it leaves. Case 7 has no row.
  std::array<Leftover, 50> with_head{};

  static constexpr int head_index(int case_no, int row, bool low) {
    return case_no == 7 ? 48 + (low ? 0 : 1) : (case_no - 1) * 8 + row * 2 + (low ? 0 : 1);
  }
  int pair_rank(int state, bool low) const {
    const int r = low ? pairs[std::size_t(state)] & 0xF : pairs[std::size_t(state)] >> 4;
    return r == 0xF ? -1 : r;
  }
};

// One suit's counts, four bits a rank from rank 1 up, and whether it is a
// suit of numbers (sequences) or the honours.
std::uint64_t suit_key(const std::array<std::int8_t, 9>& counts, bool numbers);

// Works out a suit's entry (for the memo and for tests).
SuitLeftovers suit_leftovers(const std::array<std::int8_t, 9>& counts, bool numbers);

// A fixed number of places, each keeping the suit last looked up there. Its
// memory is taken and cleared on first use, so it stays the same size from
// then on. Each Game has its own.
class SuitMemo {
 public:
  using Suits = std::array<std::array<std::int8_t, 9>, 4>;  // the three number suits, the honours
  // The entries of a hand's four suits, valid until the next call.
  void get(const Suits& suits, std::array<const SuitLeftovers*, 4>& out);
  // The place a suit is kept in.
  static std::size_t place_of(const std::array<std::int8_t, 9>& counts, bool numbers) {
    return std::size_t((suit_key(counts, numbers) * 0x9E3779B97F4A7C15ULL) >> (64 - kBits));
  }

 private:
  static constexpr int kBits = 14;
  std::vector<SuitLeftovers> places_;
  // For a suit whose place another suit of the same hand holds.
  std::array<SuitLeftovers, 4> spare_{};
};

}  // namespace sekiba
