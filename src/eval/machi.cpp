// Winning tiles by trial: every tile code is put into the 14th slot in turn.
// The trial never asks how many copies are still unseen, so a tile all of whose
// copies are visible (or held) still counts as a wait.
//
// Only the concealed tiles are tried. A closed kan written in as three loose
// tiles could lend a tile to a sequence (kan 7-7-7 with 8-9 in hand "waits" on
// 9 as 7-8-9 plus a 7 pair), and the win test itself never sees the kan, so
// such a tile would be shown as a wait and then refused. A fixed set never
// changes what the rest of the hand waits on.
#include "eval/bunkai.h"

#include "engine/game.h"
#include "eval/agari_plan.h"
#include "eval/hand.h"

namespace sekiba {

namespace {

constexpr bool is_candidate(int c) { return is_tile(c); }

// The codes worth a complete-hand test. The last code is always tested: the
// state a test leaves behind is the last one's, and callers may read it.
// The code tried goes into slot 14, in place of what that slot held.
std::uint64_t worth_testing(const Hand& h, bool first_turn_shape) {
  if (first_turn_shape) return ~std::uint64_t(0);
  Hand rest = h;
  rest[14] = kEmpty;
  return agari_candidates(rest) | (std::uint64_t(1) << 37);
}

// 十三不塔 is a shape of the user's first turn without calls; the tables do
// not judge it.
bool sisan_possible(Game& g) { return g.t.man_junme == 1 && man_naki_kazu(g) == 0; }

// Slots 1..14 may hold entries; the terminator then still fits in slot 15.
void machi_append(Analysis& a, int& n, Tile code) {
  if (n >= 14) return;
  a.machi_hai[std::size_t(++n)] = code;
}

void machi_close(Analysis& a, int n) { a.machi_hai[std::size_t(n + 1)] = 0; }

}  // namespace

int man_tenpai_check(Game& g) {
  man_work_set(g);
  work_hai_sort(g);
  work_bak1_save(g);
  const std::uint64_t worth = worth_testing(g.a.hai_bak1, false);
  for (int c = 1; c <= 37; ++c) {
    if (!is_candidate(c) || !(worth >> c & 1)) continue;
    work_bak1_load(g);
    g.a.work_hai[14] = Tile(c);
    // The tile of this turn is thrown already: no 十三不塔.
    if (man_agari_check_sute(g) == kAgari) return kAgari;
  }
  return 0;
}

int help_kazu(Game& g) {
  man_work_set(g);
  g.a.work_hai[14] = kEmpty;
  work_hai_sort(g);
  work_bak1_save(g);
  const std::uint64_t worth = worth_testing(g.a.hai_bak1, sisan_possible(g));
  int n = 0;
  for (int c = 1; c <= 37; ++c) {
    if (!is_candidate(c) || !(worth >> c & 1)) continue;
    work_bak1_load(g);
    g.a.work_hai[14] = Tile(c);
    if (man_agari_check(g) == kAgari) machi_append(g.a, n, Tile(c));
  }
  machi_close(g.a, n);
  return n;
}

int com_machi_kazu(Game& g) {
  auto& hand = g.t.com_hai;
  hand[14] = kEmpty;
  const std::uint64_t worth = worth_testing(hand, false);
  int n = 0;
  for (int c = 1; c <= 37; ++c) {
    if (!is_candidate(c) || !(worth >> c & 1)) continue;
    hand[14] = Tile(c);
    if (com_agari_check(g) == kAgari) machi_append(g.a, n, Tile(c));
  }
  hand[14] = kEmpty;
  machi_close(g.a, n);
  return n;
}

Tile man_furiten_hai(Game& g) {
  Table& t = g.t;
  man_bak3_save(g);
  man_hai_sort(g);
  man_bak4_save(g);
  const int last = t.man_junme - 1 > 20 ? 20 : t.man_junme - 1;
  for (int i = 1; i <= last; ++i) {
    const Tile discard = t.man_sute[std::size_t(i)];
    if (!is_tile(discard)) continue;
    man_bak4_load(g);
    t.man_hai[14] = discard;
    man_work_set(g);
    if (man_agari_check(g) == kAgari) {
      man_bak3_load(g);
      return discard;
    }
  }
  man_bak3_load(g);
  return 0;
}

}  // namespace sekiba
