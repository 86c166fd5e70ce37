// Which decomposition the computer player plans its discards around.
#include "eval/bunkai.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "engine/game.h"
#include "eval/hand.h"
#include "eval/suit_memo.h"

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

// What the attempts leave, on tile counts: each suit's leftovers come from
// the game's memo of suits, and an attempt's leftover is their sum, with the
// suit the head is taken from in its own state. The head is the lowest (or
// highest) code held twice at the step that takes it.
class Attempts {
 public:
  // False for a hand the counts do not describe (something that is no tile).
  bool load(const Hand& h, SuitMemo& memo) {
    SuitMemo::Suits counts{};
    for (int i = 1; i <= 14; ++i) {
      const Tile t = h[std::size_t(i)];
      if (t == kEmpty) continue;
      if (!is_tile(t)) return false;
      ++counts[std::size_t(t / 10)][std::size_t(t % 10 - 1)];
    }
    memo.get(counts, suit_);
    for (int st = 0; st < kSuitStates; ++st) {
      Leftover sum = 0;
      int low = -1, high = -1;
      for (int s = 0; s < 4; ++s) {
        const SuitLeftovers& e = *suit_[std::size_t(s)];
        sum += e.left[std::size_t(st)];
        if (e.pair_rank(st, true) >= 0) {
          if (low < 0) low = s;
          high = s;
        }
      }
      total_[std::size_t(st)] = sum;
      head_suit_[std::size_t(st)] = {std::int8_t(low), std::int8_t(high)};
    }
    return true;
  }

  // What case `case_no` (1..7) leaves with shuntsu_jun row `row` and the head
  // from the low end (or the high end).
  Leftover left(int case_no, int row, bool low) const {
    const int done = final_state(case_no, row);
    const int s = head_suit_[std::size_t(head_stage(case_no, row))][low ? 0 : 1];
    if (s < 0) return total_[std::size_t(done)];
    const SuitLeftovers& e = *suit_[std::size_t(s)];
    return total_[std::size_t(done)] - e.left[std::size_t(done)] +
           e.with_head[std::size_t(SuitLeftovers::head_index(case_no, row, low))];
  }

 private:
  std::array<const SuitLeftovers*, 4> suit_{};
  std::array<Leftover, kSuitStates> total_{};
  // Per state, the first and the last suit holding a pair.
  std::array<std::array<std::int8_t, 2>, kSuitStates> head_suit_{};
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
  Attempts counts;
  const bool counted = counts.load(a.hai_bak1, g.suit_memo);
  Leftover left = 0;
  // The number of tiles an attempt leaves. The shapes below look at the tiles
  // the attempt leaves: on counts, or (for a hand the counts cannot hold) in
  // work_hai as the attempt left it.
  auto attempt = [&](int case_no, int jun, int atama) {
    a.atama_jun = std::int16_t(atama);
    a.shuntsu_jun = std::int16_t(jun);
    if (!counted) {
      work_bak1_load(g);
      return mentsu_bunkai(g, case_no);
    }
    left = counts.left(case_no, jun - 1, atama == 1);
#ifndef NDEBUG
    // The decomposition itself, beside every attempt: its leftover and the
    // shapes in it must be what the counts say.
    work_bak1_load(g);
    const int real = mentsu_bunkai(g, case_no);
    remove_open_shapes(g);
    const int open_real = nokori_kazu(g);
    remove_pairs(g);
    const int pairs_real = nokori_kazu(g);
    if (real != leftover_tiles(left) || open_real != leftover_open(left) || pairs_real != leftover_pairs(left)) {
      std::fprintf(stderr, "decomposition choice: the counted leftover differs from the decomposition\n");
      std::abort();
    }
#endif
    return leftover_tiles(left);
  };
  // Tiles left after the open shapes are taken out, then after the pairs too.
  auto open_shapes_left = [&] {
    if (!counted) {
      remove_open_shapes(g);
      return nokori_kazu(g);
    }
    return leftover_open(left);
  };
  auto pairs_left = [&] {
    if (!counted) {
      remove_pairs(g);
      return nokori_kazu(g);
    }
    return leftover_pairs(left);
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
