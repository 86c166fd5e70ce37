#include "eval/agari_plan.h"

#include <algorithm>
#include <array>
#include <vector>

#include "eval/suit_steps.h"

namespace sekiba {

namespace {

using Counts = SuitCounts;

bool is_empty(const Counts& c) {
  return std::all_of(c.begin(), c.end(), [](std::int8_t x) { return x == 0; });
}

// Exactly one pair: the head step takes it, from either end.
bool just_a_pair(const Counts& c) {
  const int i = pair_index(c, true);
  if (i < 0 || c[std::size_t(i)] != 2) return false;
  Counts rest = c;
  rest[std::size_t(i)] = 0;
  return is_empty(rest);
}

// Entry bits, for k = (shuntsu_jun - 1) * 6 + case - 1 and k = 24 for case 7:
// a suit without the head: bit k "left empty", bit 32 + k "held a pair when
// the head was taken"; the suit with the head: bit k "left empty with the
// head from its lowest pair", bit 32 + k the same from its highest pair.
// The steps of each case (case 1 K S P, 2 K P S, 3 S P K, 4 S K P, 5 P K S,
// 6 P S K, 7 K P) share their first steps, worked out once.
constexpr int kBits = 25;
constexpr std::uint64_t kLow = (std::uint64_t(1) << kBits) - 1;

std::uint64_t entry_of(const Counts& c, bool numbers, bool has_head) {
  std::uint64_t bits = 0;
  auto set = [&bits](int bit, bool on) {
    if (on) bits |= std::uint64_t(1) << bit;
  };
  const Counts k = triplets_of(c);
  if (!has_head) {
    for (int row = 0; row < 4; ++row) {
      const Counts sk = sequences_of(k, row, numbers), s = sequences_of(c, row, numbers), ks = triplets_of(s);
      const bool sk_empty = is_empty(sk), ks_empty = is_empty(ks);
      const bool pair_sk = pair_index(sk, true) >= 0, pair_ks = pair_index(ks, true) >= 0;
      const bool pair_k = pair_index(k, true) >= 0, pair_s = pair_index(s, true) >= 0, pair_c = pair_index(c, true) >= 0;
      const bool empty[6] = {sk_empty, sk_empty, ks_empty, ks_empty, sk_empty, ks_empty};
      const bool pair[6] = {pair_sk, pair_k, pair_s, pair_ks, pair_c, pair_c};
      for (int i = 0; i < 6; ++i) {
        set(row * 6 + i, empty[i]);
        set(32 + row * 6 + i, pair[i]);
      }
    }
    set(24, is_empty(k));
    set(32 + 24, pair_index(k, true) >= 0);
    return bits;
  }
  for (int row = 0; row < 4; ++row) {
    const Counts sk = sequences_of(k, row, numbers), s = sequences_of(c, row, numbers), ks = triplets_of(s);
    for (int end = 0; end < 2; ++end) {
      const bool lowest = end == 0;
      const int at = 32 * end + row * 6;
      set(at + 0, just_a_pair(sk));
      set(at + 3, just_a_pair(ks));
      const int pk = pair_index(k, lowest), ps = pair_index(s, lowest), pc = pair_index(c, lowest);
      if (pk >= 0) set(at + 1, is_empty(sequences_of(minus_pair(k, pk), row, numbers)));
      if (ps >= 0) set(at + 2, is_empty(triplets_of(minus_pair(s, ps))));
      if (pc >= 0) {
        const Counts rest = minus_pair(c, pc);
        set(at + 4, is_empty(sequences_of(triplets_of(rest), row, numbers)));
        set(at + 5, is_empty(triplets_of(sequences_of(rest, row, numbers))));
      }
    }
  }
  set(24, just_a_pair(k));
  set(32 + 24, just_a_pair(k));
  return bits;
}

constexpr std::uint64_t kHonourKey = std::uint64_t(1) << 40;

std::uint64_t key_of(const Counts& c) {
  std::uint64_t key = 0;
  for (int i = 0; i < 9; ++i) key |= std::uint64_t(c[std::size_t(i)]) << (4 * i);
  return key;
}

// Every suit that splits into sets (and perhaps one pair), with its entry.
// A suit not in the table cannot be cleared by any order, so its hand is not
// complete whatever the other suits hold. Open addressing over the counts
// packed four bits a tile; built once and never changed afterwards.
class SuitTable {
 public:
  SuitTable() : places_(kSize) {
    for (bool numbers : {true, false}) {
      Counts c{};
      collect(c, numbers, 0, 4);
    }
  }

  // False when the suit cannot be cleared.
  bool find(std::uint64_t key, std::uint64_t& value) const {
    for (std::size_t at = slot(key);; at = (at + 1) & (kSize - 1)) {
      const Place& p = places_[at];
      if (p.key == key + 1) {
        value = p.value;
        return true;
      }
      if (p.key == 0) return false;
    }
  }

 private:
  // 22,241 suits split so: the table stays about a third full.
  static constexpr std::size_t kSize = std::size_t(1) << 16;
  static constexpr int kShift = 64 - 16;

  std::size_t slot(std::uint64_t key) const { return std::size_t((key * 0x9E3779B97F4A7C15ULL) >> kShift); }

  void insert(const Counts& c, bool numbers) {
    const std::uint64_t key = key_of(c) | (numbers ? 0 : kHonourKey);
    std::size_t at = slot(key);
    while (places_[at].key != 0) {
      if (places_[at].key == key + 1) return;  // reached by another order of its sets
      at = (at + 1) & (kSize - 1);
    }
    int sum = 0;
    for (auto x : c) sum += x;
    places_[at] = {key + 1, entry_of(c, numbers, sum % 3 == 2)};
  }

  // Sets in non-decreasing kind order (triplet of tile i is kind i, sequence
  // from i is kind 9 + i), then with and without one pair.
  void collect(Counts& c, bool numbers, int first_kind, int sets_left) {
    insert(c, numbers);
    const int tiles = numbers ? 9 : 7;
    for (int p = 0; p < tiles; ++p) {
      if (c[std::size_t(p)] > 2) continue;
      c[std::size_t(p)] = std::int8_t(c[std::size_t(p)] + 2);
      insert(c, numbers);
      c[std::size_t(p)] = std::int8_t(c[std::size_t(p)] - 2);
    }
    if (sets_left == 0) return;
    const int kinds = numbers ? 16 : 7;
    for (int kind = first_kind; kind < kinds; ++kind) {
      const int lo = kind < 9 ? kind : kind - 9;
      const int hi = kind < 9 ? kind : lo + 2;
      const std::int8_t add = kind < 9 ? 3 : 1;
      bool fits = true;
      for (int i = lo; i <= hi; ++i) fits = fits && c[std::size_t(i)] + add <= 4;
      if (!fits) continue;
      for (int i = lo; i <= hi; ++i) c[std::size_t(i)] = std::int8_t(c[std::size_t(i)] + add);
      collect(c, numbers, kind, sets_left - 1);
      for (int i = lo; i <= hi; ++i) c[std::size_t(i)] = std::int8_t(c[std::size_t(i)] - add);
    }
  }

  // Key and entry side by side: a look-up reads one cache line.
  struct Place {
    std::uint64_t key = 0, value = 0;
  };
  std::vector<Place> places_;
};

// Built on first use (thread-safe), immutable afterwards: 1 MB.
const SuitTable& suit_table() {
  static const SuitTable table;
  return table;
}

// Each tile code's suit and place in its suit's key; suit -1: no tile.
struct TilePlace {
  std::int8_t suit = -1, shift = 0;
};
constexpr std::array<TilePlace, 64> kTilePlaces = [] {
  std::array<TilePlace, 64> out{};
  for (int c = 0; c < 64; ++c)
    if (is_tile(c)) out[std::size_t(c)] = {std::int8_t(c / 10), std::int8_t(4 * (c % 10 - 1))};
  return out;
}();

// A count above four in any of the key's nine places. A count of 8 or more
// shows in the place's top bit; below that, adding 3 reaches it from 5 on
// without carrying into the next place.
constexpr bool over_four(std::uint64_t key) {
  constexpr std::uint64_t kTop = 0x888888888ULL, kThrees = 0x333333333ULL;
  return (key & kTop) != 0 || ((key + kThrees) & kTop) != 0;
}

}  // namespace

AgariPlan agari_plan(const Hand& h) {
  AgariPlan plan;
  std::array<std::uint64_t, 4>& key = plan.keys;
  // Four sums in registers: consecutive tiles of one suit would otherwise
  // wait for each other's stores.
  std::uint64_t k0 = 0, k1 = 0, k2 = 0, k3 = 0;
  for (int i = 1; i <= 14; ++i) {
    const Tile t = h[std::size_t(i)];
    if (t == kEmpty) continue;
    if (unsigned(t) >= kTilePlaces.size() || kTilePlaces[std::size_t(t)].suit < 0) return plan;
    const TilePlace p = kTilePlaces[std::size_t(t)];
    const std::uint64_t one = std::uint64_t(1) << p.shift;
    k0 += p.suit == 0 ? one : 0;
    k1 += p.suit == 1 ? one : 0;
    k2 += p.suit == 2 ? one : 0;
    k3 += p.suit == 3 ? one : 0;
  }
  key = {k0, k1, k2, k3};
  std::array<int, 4> tiles{};
  for (int s = 0; s < 4; ++s) {
    if (over_four(key[std::size_t(s)])) return plan;
    // The sum of the nine places (at most 14, so no place carries).
    tiles[std::size_t(s)] = int((key[std::size_t(s)] * 0x111111111ULL) >> 32 & 0xF);
  }
  plan.covered = true;
  plan.tiles = tiles[0] + tiles[1] + tiles[2] + tiles[3];
  int head = -1;
  for (int s = 0; s < 4; ++s) {
    const int r = tiles[std::size_t(s)] % 3;
    if (r == 1 || (r == 2 && head >= 0)) return plan;
    if (r == 2) head = s;
  }
  if (head < 0) return plan;
  const SuitTable& table = suit_table();
  std::array<std::uint64_t, 4> value{};
  for (int s = 0; s < 4; ++s) {
    if (tiles[std::size_t(s)] == 0) {
      value[std::size_t(s)] = kLow;  // left empty in every order, never a pair
    } else if (!table.find(key[std::size_t(s)] | (s == 3 ? kHonourKey : 0), value[std::size_t(s)])) {
      return plan;
    }
  }
  plan.standard = true;
  // The head comes from the first suit holding a pair at that moment: the
  // lowest such suit for atama_jun 1, the highest for the other. Any such suit
  // on the wrong side of the head's suit spoils that order.
  std::uint64_t clear = kLow, pair_below = 0, pair_above = 0;
  for (int s = 0; s < 4; ++s) {
    if (s == head) continue;
    const std::uint64_t v = value[std::size_t(s)];
    clear &= v;
    (s < head ? pair_below : pair_above) |= v >> 32;
  }
  const std::uint64_t hv = value[std::size_t(head)];
  const std::uint64_t low = hv & clear & ~pair_below & kLow;
  const std::uint64_t high = (hv >> 32) & clear & ~pair_above & kLow;
  constexpr std::uint64_t k24 = (std::uint64_t(1) << 24) - 1;
  plan.orders = (low & k24) | ((high & k24) << 24);
  plan.case7 = (low >> 24) & 1;
  return plan;
}

std::uint64_t agari_candidates(const Hand& h) {
  std::uint64_t all = 0;
  for (int c = 1; c <= 37; ++c)
    if (is_tile(c)) all |= std::uint64_t(1) << c;
  std::array<std::uint8_t, 40> held{};
  std::array<std::uint64_t, 4> key{};
  std::array<int, 4> tiles{};
  bool orphans_only = true;
  int count = 0;
  for (int i = 1; i <= 14; ++i) {
    const Tile t = h[std::size_t(i)];
    if (t == kEmpty) continue;
    if (!is_tile(t) || ++held[std::size_t(t)] > 4) return all;
    const int s = t / 10;
    key[std::size_t(s)] += std::uint64_t(1) << (4 * (t % 10 - 1));
    ++tiles[std::size_t(s)];
    ++count;
    orphans_only = orphans_only && (s == 3 || t % 10 == 1 || t % 10 == 9);
  }
  std::uint64_t out = 0;
  // A fifth copy is for the plain search to judge.
  for (int c = 1; c <= 37; ++c)
    if (is_tile(c) && held[std::size_t(c)] == 4) out |= std::uint64_t(1) << c;
  if (orphans_only && count == 13) {
    for (int c = 1; c <= 37; ++c)
      if (is_tile(c) && (c > 30 || c % 10 == 1 || c % 10 == 9)) out |= std::uint64_t(1) << c;
  }
  // Seven pairs: every code held twice or not at all, but for the one tile added.
  int odd = 0;
  Tile single = 0;
  for (int c = 1; c <= 37; ++c) {
    const int n = held[std::size_t(c)];
    if (n == 0 || n == 2) continue;
    ++odd;
    single = n == 1 ? Tile(c) : Tile(0);
  }
  if (odd == 1 && single != 0) out |= std::uint64_t(1) << single;

  // Sets and a head: the suit the tile joins must become clearable, every
  // other suit must be so already, and the tile counts must fit.
  if ((count + 1) % 3 != 2) return out;
  const SuitTable& table = suit_table();
  std::array<bool, 4> clear{};
  int unclear = 0, unclear_suit = -1;
  for (int s = 0; s < 4; ++s) {
    std::uint64_t v = 0;
    clear[std::size_t(s)] = tiles[std::size_t(s)] % 3 != 1 &&
                            (tiles[std::size_t(s)] == 0 || table.find(key[std::size_t(s)] | (s == 3 ? kHonourKey : 0), v));
    if (!clear[std::size_t(s)]) ++unclear, unclear_suit = s;
  }
  if (unclear > 1) return out;
  for (int s = 0; s < 4; ++s) {
    if (unclear == 1 && s != unclear_suit) continue;
    int heads = 0;
    for (int o = 0; o < 4; ++o)
      if ((tiles[std::size_t(o)] + (o == s ? 1 : 0)) % 3 == 2) ++heads;
    if (heads != 1) continue;
    bool fits = true;
    for (int o = 0; o < 4; ++o)
      if (o != s && tiles[std::size_t(o)] % 3 == 1) fits = false;
    if (!fits) continue;
    const int first = s == 3 ? 31 : s * 10 + 1, last = s == 3 ? 37 : s * 10 + 9;
    for (int c = first; c <= last; ++c) {
      if (held[std::size_t(c)] == 4) continue;
      std::uint64_t v = 0;
      const std::uint64_t k = key[std::size_t(s)] + (std::uint64_t(1) << (4 * (c % 10 - 1)));
      if (table.find(k | (s == 3 ? kHonourKey : 0), v)) out |= std::uint64_t(1) << c;
    }
  }
  return out;
}

}  // namespace sekiba
