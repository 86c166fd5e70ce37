// Which decomposition the computer player plans its discards around.
#include "eval/bunkai.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "engine/game.h"
#include "eval/bunkai_order.h"
#include "eval/hand.h"

namespace sekiba {

namespace {

struct Choice {
  int case_no, shuntsu_jun, atama_jun;
};

void write_choice(Analysis& a, const Choice& c) {
  a.bunkai_no = std::int16_t(c.case_no);
  a.shuntsu_jun = std::int16_t(c.shuntsu_jun);
  a.atama_jun = std::int16_t(c.atama_jun);
}

// The tiles each of cases 1..7 leaves, worked out on tile counts: the choice
// below looks at 48 of them, and most need no more than their number. Every
// removal step keeps the hand in order, so on counts triplets are taken tile
// by tile, each start number takes its sequences as often as all three tiles
// remain, and the head is the lowest (or highest) code held twice.
class Leftovers {
 public:
  using Counts = std::array<std::int8_t, 40>;  // codes 1..37; 38 and 39 stay 0

  // False for a hand the counts do not describe (something that is no tile).
  bool load(const Hand& h) {
    c_.fill(0);
    for (int i = 1; i <= 14; ++i) {
      const Tile t = h[std::size_t(i)];
      if (t == kEmpty) continue;
      if (!is_tile(t)) return false;
      ++c_[std::size_t(t)];
    }
    k_ = c_;
    triplets(k_, 0, 38);
    k_sums_ = sums(k_);
    for (int low = 0; low < 2; ++low) {
      c_pair_[low] = pair_of(c_, low == 1);
      k_pair_[low] = pair_of(k_, low == 1);
    }
    for (int row = 0; row < 4; ++row) {
      s_[row] = c_;
      sequences(s_[row], row, 0, 30);
      sk_[row] = k_;
      sequences(sk_[row], row, 0, 30);
      ks_[row] = s_[row];
      triplets(ks_[row], 0, 38);
      sk_sums_[row] = sums(sk_[row]);
      ks_sums_[row] = sums(ks_[row]);
      for (int low = 0; low < 2; ++low) {
        s_pair_[row][low] = pair_of(s_[row], low == 1);
        sk_pair_[row][low] = pair_of(sk_[row], low == 1);
        ks_pair_[row][low] = pair_of(ks_[row], low == 1);
      }
    }
    return true;
  }

  // What case `case_no` (1..7) leaves with shuntsu_jun row `row` and the head
  // from the low end (or the high end): the number of tiles, and with `out`
  // the tiles themselves. Beside the steps worked out once for the hand only
  // the suit the head comes from needs working out.
  int left(int case_no, int row, bool low, Counts* out) const {
    const int l = low ? 1 : 0;
    switch (case_no) {
      case 1: return head_last(sk_[row], sk_sums_[row], sk_pair_[row][l], out);
      case 4: return head_last(ks_[row], ks_sums_[row], ks_pair_[row][l], out);
      case 7: return head_last(k_, k_sums_, k_pair_[l], out);
      case 2: return head_between(k_, sk_[row], sk_sums_[row], k_pair_[l], row, false, true, false, out);
      case 3: return head_between(s_[row], ks_[row], ks_sums_[row], s_pair_[row][l], row, false, false, true, out);
      case 5: return head_between(c_, sk_[row], sk_sums_[row], c_pair_[l], row, true, true, false, out);
      default: return head_between(c_, ks_[row], ks_sums_[row], c_pair_[l], row, false, true, true, out);
    }
  }

  // What remove_open_shapes and then remove_pairs leave of a sorted hand: a
  // tile of rank 2..7 takes the first later t + 1, and the copies of t all
  // come before those of t + 1; pairs leave one of an odd number of copies.
  static void shapes_left(const Counts& c, int& open_left, int& pairs_left) {
    open_left = pairs_left = 0;
    for (int suit = 0; suit < 30; suit += 10) {
      int cur = c[std::size_t(suit + 1)];
      for (int rank = 1; rank <= 9; ++rank) {
        int next = rank < 9 ? c[std::size_t(suit + rank + 1)] : 0;
        if (rank >= 2 && rank <= 7) {
          const int k = std::min(cur, next);
          cur -= k;
          next -= k;
        }
        open_left += cur;
        pairs_left += cur & 1;
        cur = next;
      }
    }
    for (int t = 31; t <= 37; ++t) {
      open_left += c[std::size_t(t)];
      pairs_left += c[std::size_t(t)] & 1;
    }
  }

  // The tiles in order, as the decomposition leaves work_hai.
  static void write(const Counts& c, Hand& w) {
    int slot = 1;
    for (int t = 1; t < 38; ++t)
      for (int k = 0; k < c[std::size_t(t)] && slot <= 14; ++k) w[std::size_t(slot++)] = Tile(t);
    while (slot <= 14) w[std::size_t(slot++)] = kEmpty;
  }

 private:
  using Sums = std::array<int, 5>;  // tiles of each suit, then of the hand

  static int sum(const Counts& c) {
    int n = 0;
    for (auto x : c) n += x;
    return n;
  }
  static Sums sums(const Counts& c) {
    Sums out{};
    for (int s = 0; s < 4; ++s)
      for (int t = s * 10; t < s * 10 + 10; ++t) out[std::size_t(s)] += c[std::size_t(t)];
    out[4] = out[0] + out[1] + out[2] + out[3];
    return out;
  }
  static void triplets(Counts& c, int from, int to) {
    for (int t = from; t < to; ++t)
      if (c[std::size_t(t)] >= 3) c[std::size_t(t)] = std::int8_t(c[std::size_t(t)] - 3);
  }
  static void sequences(Counts& c, int row, int from, int to) {
    for (int start : kShuntsuOrder[row])
      for (int base = from + start; base < to; base += 10) {
        const std::size_t b = std::size_t(base);
        const std::int8_t k = std::min({c[b], c[b + 1], c[b + 2]});
        c[b] = std::int8_t(c[b] - k);
        c[b + 1] = std::int8_t(c[b + 1] - k);
        c[b + 2] = std::int8_t(c[b + 2] - k);
      }
  }
  static int pair_of(const Counts& c, bool low) {
    if (low) {
      for (int t = 1; t < 38; ++t)
        if (c[std::size_t(t)] >= 2) return t;
    } else {
      for (int t = 37; t >= 1; --t)
        if (c[std::size_t(t)] >= 2) return t;
    }
    return -1;
  }
  // The head taken last, from what the other steps left.
  static int head_last(const Counts& done, const Sums& sums, int head_code, Counts* out) {
    if (out) {
      *out = done;
      if (head_code >= 0) (*out)[std::size_t(head_code)] = std::int8_t((*out)[std::size_t(head_code)] - 2);
    }
    return sums[4] - (head_code >= 0 ? 2 : 0);
  }
  // The head taken from `before` (the hand at that step), the later steps
  // then run on its suit: triplets, sequences, triplets as asked. Every other
  // suit is as `done` (all steps, no head) has it.
  static int head_between(const Counts& before, const Counts& done, const Sums& sums, int head_code, int row,
                          bool k_first, bool seq, bool k_after, Counts* out) {
    if (head_code < 0) {
      if (out) *out = done;
      return sums[4];
    }
    const int lo = head_code / 10 * 10, hi = lo + 10;
    Counts c{};
    std::copy(before.begin() + lo, before.begin() + hi, c.begin() + lo);
    c[std::size_t(head_code)] = std::int8_t(c[std::size_t(head_code)] - 2);
    if (k_first) triplets(c, lo, hi);
    if (seq && lo < 30) sequences(c, row, lo, hi);
    if (k_after) triplets(c, lo, hi);
    int n = sums[4] - sums[std::size_t(lo / 10)];
    for (int t = lo; t < hi; ++t) n += c[std::size_t(t)];
    if (out) {
      *out = done;
      std::copy(c.begin() + lo, c.begin() + hi, out->begin() + lo);
    }
    return n;
  }

  Counts c_{}, k_{};
  Sums k_sums_{};
  std::array<int, 2> c_pair_{}, k_pair_{};
  std::array<Counts, 4> s_{}, sk_{}, ks_{};
  std::array<Sums, 4> sk_sums_{}, ks_sums_{};
  std::array<std::array<int, 2>, 4> s_pair_{}, sk_pair_{}, ks_pair_{};
};

}  // namespace

void com_bunkai_kime(Game& g) {
  Analysis& a = g.a;
  int best = 14, second = 14;
  Choice choice{a.bunkai_no, a.shuntsu_jun, a.atama_jun};
  auto take = [&](int r, const Choice& c) {
    best = r;
    choice = c;
  };

  work_hai_sort(g);
  work_bak1_save(g);
  Leftovers counts;
  const bool counted = counts.load(a.hai_bak1);
  Leftovers::Counts left{};
  int case_now = 0, row_now = 0;
  bool low_now = true;
  // The number of tiles an attempt leaves. The shapes below look at the tiles
  // the attempt leaves: on counts, or (for a hand the counts cannot hold) in
  // work_hai as the attempt left it.
  auto attempt = [&](int case_no, int jun, int atama) {
    a.atama_jun = std::int16_t(atama);
    a.shuntsu_jun = std::int16_t(jun);
    case_now = case_no, row_now = jun - 1, low_now = atama == 1;
    if (!counted) {
      work_bak1_load(g);
      return mentsu_bunkai(g, case_no);
    }
    const int r = counts.left(case_no, jun - 1, atama == 1, nullptr);
#ifndef NDEBUG
    work_bak1_load(g);
    const int real = mentsu_bunkai(g, case_no);
    Hand w = a.work_hai;
    Leftovers::Counts c{};
    const int full = counts.left(case_no, jun - 1, atama == 1, &c);
    Leftovers::write(c, w);
    if (real != r || full != r || w != a.work_hai) {
      std::fprintf(stderr, "decomposition choice: the counted leftover differs from the decomposition\n");
      std::abort();
    }
#endif
    return r;
  };
  // Tiles left after the open shapes are taken out, then after the pairs too.
  int open_left = 0, pairs_left_over = 0;
  auto open_shapes_left = [&] {
    if (!counted) {
      remove_open_shapes(g);
      return nokori_kazu(g);
    }
    counts.left(case_now, row_now, low_now, &left);
    Leftovers::shapes_left(left, open_left, pairs_left_over);
#ifndef NDEBUG
    Leftovers::write(left, a.work_hai);
    remove_open_shapes(g);
    const int open_real = nokori_kazu(g);
    remove_pairs(g);
    if (open_real != open_left || nokori_kazu(g) != pairs_left_over) {
      std::fprintf(stderr, "decomposition choice: the counted shapes differ from the removals\n");
      std::abort();
    }
#endif
    return open_left;
  };
  auto pairs_left = [&] {
    if (!counted) {
      remove_pairs(g);
      return nokori_kazu(g);
    }
    return pairs_left_over;
  };
  for (int atama = 1; atama <= 2; ++atama) {
    for (int jun = 1; jun <= 4; ++jun) {
      for (int case_no = 1; case_no <= 6; ++case_no) {
        const int r = attempt(case_no, jun, atama);
        const Choice here{case_no, jun, atama};
        if (r == 2) {
          // Four sets and two tiles: only worth it when they form an open shape.
          if (best >= 2 && open_shapes_left() == 0) take(r, here);
        } else if (r == 3) {
          if (best == 3) {
            if (open_shapes_left() == 1) {
              // An open shape and one tile over: nothing can do better. The
              // state is left as this attempt leaves it.
              work_bak1_load(g);
              mentsu_bunkai(g, case_no);
              remove_open_shapes(g);
              nokori_kazu(g);
              write_choice(a, here);
              return;
            }
            if (pairs_left() == 1) take(r, here);
          } else if (best > 3) {
            take(r, here);
          }
        } else if (r == best) {
          // A tie is broken by how few tiles remain outside every shape. The
          // removals take two tiles at a time, so an odd r always leaves one:
          // a tie that cannot beat `second` needs no look.
          if (second <= (r & 1)) continue;
          open_shapes_left();
          const int left_over = pairs_left();
          if (left_over < second) {
            take(r, here);
            second = left_over;
          }
        } else if (r < best) {
          take(r, here);
        }
      }
    }
  }

  for (int atama = 1; atama <= 2; ++atama) {
    const int r = attempt(7, 1, atama);
    if (r < best) take(r, Choice{7, 1, atama});
  }

  work_bak1_load(g);
  a.atama_jun = 1;
  a.shuntsu_jun = 1;
  if (mentsu_bunkai(g, 8) <= 2) choice = Choice{8, 1, 1};
  write_choice(a, choice);
}

void com_kotsu_kime(Game& g) {
  com_work_set(g);
  work_hai_sort(g);
  if (mentsu_bunkai(g, 7) <= 6) g.a.bunkai_no = 7;
}

}  // namespace sekiba
