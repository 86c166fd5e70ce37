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
  using Counts = std::array<std::int8_t, 38>;

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
    triplets(k_);
    for (int row = 0; row < 4; ++row) {
      s_[row] = c_;
      sequences(s_[row], row, 0, 30);
      sk_[row] = k_;
      sequences(sk_[row], row, 0, 30);
    }
    return true;
  }

  // What case `case_no` (1..7) leaves with shuntsu_jun row `row` and the head
  // from the low end (or the high end); returns the number of tiles.
  int left(int case_no, int row, bool low, Counts& out) const {
    int at = -1;
    switch (case_no) {
      case 1: out = sk_[row]; head(out, low); break;
      case 7: out = k_; head(out, low); break;
      case 2:
        out = k_;
        at = head(out, low);
        merge_sequences(out, sk_[row], row, at);
        break;
      case 3:
        out = s_[row];
        head(out, low);
        triplets(out);
        break;
      case 4:
        out = s_[row];
        triplets(out);
        head(out, low);
        break;
      case 5:
        out = c_;
        at = head(out, low);
        if (at >= 0) triplets_in(out, at);
        merge_sequences(out, sk_[row], row, at);
        break;
      default:
        out = c_;
        at = head(out, low);
        merge_sequences(out, s_[row], row, at);
        triplets(out);
        break;
    }
    int n = 0;
    for (auto x : out) n += x;
    return n;
  }

  // The tiles in order, as the decomposition leaves work_hai.
  static void write(const Counts& c, Hand& w) {
    int slot = 1;
    for (int t = 1; t < 38; ++t)
      for (int k = 0; k < c[std::size_t(t)] && slot <= 14; ++k) w[std::size_t(slot++)] = Tile(t);
    while (slot <= 14) w[std::size_t(slot++)] = kEmpty;
  }

 private:
  static void triplets(Counts& c) {
    for (auto& x : c)
      if (x >= 3) x = std::int8_t(x - 3);
  }
  static void triplets_in(Counts& c, int code) {
    const int lo = code / 10 * 10;
    for (int t = lo; t < lo + 10 && t < 38; ++t)
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
  // Sequences taken after the head: the suit the head came from is worked
  // out afresh, every other suit is as `done` has it already.
  static void merge_sequences(Counts& c, const Counts& done, int row, int head_code) {
    const int suit = head_code >= 0 ? head_code / 10 : -1;
    for (int s = 0; s < 4; ++s) {
      const int lo = s * 10, hi = s == 3 ? 38 : lo + 10;
      if (s != suit) std::copy(done.begin() + lo, done.begin() + hi, c.begin() + lo);
      else if (s < 3) sequences(c, row, lo, hi);
    }
  }
  // Takes the head; returns its code, -1 when no code is held twice.
  static int head(Counts& c, bool low) {
    if (low) {
      for (int t = 1; t < 38; ++t)
        if (c[std::size_t(t)] >= 2) return c[std::size_t(t)] = std::int8_t(c[std::size_t(t)] - 2), t;
    } else {
      for (int t = 37; t >= 1; --t)
        if (c[std::size_t(t)] >= 2) return c[std::size_t(t)] = std::int8_t(c[std::size_t(t)] - 2), t;
    }
    return -1;
  }

  Counts c_{}, k_{};
  std::array<Counts, 4> s_{}, sk_{};
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
  // The number of tiles an attempt leaves; work_hai as the attempt leaves it
  // only once `shapes` has been called.
  auto attempt = [&](int case_no, int jun, int atama) {
    a.atama_jun = std::int16_t(atama);
    a.shuntsu_jun = std::int16_t(jun);
    if (!counted) {
      work_bak1_load(g);
      return mentsu_bunkai(g, case_no);
    }
    const int r = counts.left(case_no, jun - 1, atama == 1, left);
#ifndef NDEBUG
    work_bak1_load(g);
    const int real = mentsu_bunkai(g, case_no);
    Hand w = a.work_hai;
    Leftovers::write(left, w);
    if (real != r || w != a.work_hai) {
      std::fprintf(stderr, "decomposition choice: the counted leftover differs from the decomposition\n");
      std::abort();
    }
#endif
    return r;
  };
  auto shapes = [&] {
    if (counted) Leftovers::write(left, a.work_hai);
  };
  for (int atama = 1; atama <= 2; ++atama) {
    for (int jun = 1; jun <= 4; ++jun) {
      for (int case_no = 1; case_no <= 6; ++case_no) {
        const int r = attempt(case_no, jun, atama);
        const Choice here{case_no, jun, atama};
        if (r == 2) {
          // Four sets and two tiles: only worth it when they form an open shape.
          if (best >= 2) {
            shapes();
            remove_open_shapes(g);
            if (nokori_kazu(g) == 0) take(r, here);
          }
        } else if (r == 3) {
          if (best == 3) {
            shapes();
            remove_open_shapes(g);
            if (nokori_kazu(g) == 1) {
              // An open shape and one tile over: nothing can do better. The
              // state is left as this attempt leaves it.
              work_bak1_load(g);
              mentsu_bunkai(g, case_no);
              remove_open_shapes(g);
              nokori_kazu(g);
              write_choice(a, here);
              return;
            }
            remove_pairs(g);
            if (nokori_kazu(g) == 1) take(r, here);
          } else if (best > 3) {
            take(r, here);
          }
        } else if (r == best) {
          // A tie is broken by how few tiles remain outside every shape.
          shapes();
          remove_open_shapes(g);
          remove_pairs(g);
          const int left_over = nokori_kazu(g);
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
