#include "eval/suit_memo.h"

#include <algorithm>

#include "eval/suit_steps.h"

namespace sekiba {

namespace {

using Counts = SuitCounts;

// What remove_open_shapes and then remove_pairs leave of a sorted hand: a
// tile of rank 2..7 takes the first later t + 1, and the copies of t all come
// before those of t + 1; pairs leave one of an odd number of copies. Honours
// form no open shape.
Leftover leftover_of(const Counts& c, bool numbers) {
  int tiles = 0, open = 0, pairs = 0;
  for (auto x : c) tiles += x;
  int cur = c[0];
  for (int rank = 1; rank <= 9; ++rank) {
    int next = rank < 9 ? c[std::size_t(rank)] : 0;
    if (numbers && rank >= 2 && rank <= 7) {
      const int k = std::min(cur, next);
      cur -= k;
      next -= k;
    }
    open += cur;
    pairs += cur & 1;
    cur = next;
  }
  return Leftover(tiles) | Leftover(open) << 8 | Leftover(pairs) << 16;
}

std::uint8_t pair_ranks(const Counts& c) {
  const int low = pair_index(c, true), high = pair_index(c, false);
  return std::uint8_t((low < 0 ? 0xF : low) | (high < 0 ? 0xF : high) << 4);
}

}  // namespace

int head_stage(int case_no, int row) {
  switch (case_no) {
    case 1: return state_sk(row);   // K S P
    case 2: return kStateK;         // K P S
    case 3: return state_s(row);    // S P K
    case 4: return state_ks(row);   // S K P
    case 5: case 6: return kStateC; // P K S, P S K
    default: return kStateK;        // K P
  }
}

int final_state(int case_no, int row) {
  switch (case_no) {
    case 1: case 2: case 5: return state_sk(row);
    case 3: case 4: case 6: return state_ks(row);
    default: return kStateK;
  }
}

std::uint64_t suit_key(const Counts& counts, bool numbers) {
  std::uint64_t key = numbers ? 0 : std::uint64_t(1) << 36;
  for (int i = 0; i < 9; ++i) key |= std::uint64_t(std::uint8_t(counts[std::size_t(i)]) & 0xF) << (4 * i);
  return key;
}

SuitLeftovers suit_leftovers(const Counts& c, bool numbers) {
  SuitLeftovers e;
  e.key = suit_key(c, numbers) + 1;
  std::array<Counts, kSuitStates> st;
  st[kStateC] = c;
  st[kStateK] = triplets_of(c);
  for (int row = 0; row < 4; ++row) {
    st[std::size_t(state_s(row))] = sequences_of(c, row, numbers);
    st[std::size_t(state_sk(row))] = sequences_of(st[kStateK], row, numbers);
    st[std::size_t(state_ks(row))] = triplets_of(st[std::size_t(state_s(row))]);
  }
  for (int s = 0; s < kSuitStates; ++s) {
    e.pairs[std::size_t(s)] = pair_ranks(st[std::size_t(s)]);
    e.left[std::size_t(s)] = leftover_of(st[std::size_t(s)], numbers);
  }
  // The head from this suit: the steps after the head then run on it.
  auto after_head = [&](int case_no, int row, const Counts& rest) -> Counts {
    switch (case_no) {
      case 2: return sequences_of(rest, row, numbers);
      case 3: return triplets_of(rest);
      case 5: return sequences_of(triplets_of(rest), row, numbers);
      case 6: return triplets_of(sequences_of(rest, row, numbers));
      default: return rest;  // 1, 4, 7: the head is the last step
    }
  };
  for (int case_no = 1; case_no <= 7; ++case_no)
    for (int row = 0; row < (case_no == 7 ? 1 : 4); ++row)
      for (bool low : {true, false}) {
        const int stage = head_stage(case_no, row);
        const int rank = e.pair_rank(stage, low);
        if (rank < 0) continue;  // the head never comes from this suit here
        const Counts left = after_head(case_no, row, minus_pair(st[std::size_t(stage)], rank));
        e.with_head[std::size_t(SuitLeftovers::head_index(case_no, row, low))] = leftover_of(left, numbers);
      }
  return e;
}

void SuitMemo::get(const Suits& suits, std::array<const SuitLeftovers*, 4>& out) {
  if (places_.empty()) places_.resize(std::size_t(1) << kBits);
  std::array<std::size_t, 4> at{};
  for (int s = 0; s < 4; ++s) {
    const bool numbers = s < 3;
    const std::uint64_t key = suit_key(suits[std::size_t(s)], numbers);
    at[std::size_t(s)] = place_of(suits[std::size_t(s)], numbers);
    bool taken = false;
    for (int o = 0; o < s; ++o)
      taken = taken || (at[std::size_t(o)] == at[std::size_t(s)] && out[std::size_t(o)]->key != key + 1);
    SuitLeftovers& place = taken ? spare_[std::size_t(s)] : places_[at[std::size_t(s)]];
    if (place.key != key + 1) place = suit_leftovers(suits[std::size_t(s)], numbers);
    out[std::size_t(s)] = &place;
  }
}

}  // namespace sekiba
