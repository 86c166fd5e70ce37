#pragma once
// Builds a won hand for the judgements: the decomposition the complete-hand test
// would have left, the whole hand in work_hai and the winner's hand and melds.
#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "engine/game.h"

namespace sekiba::test {

struct Set {
  Tile tile;
  int kind;  // 1 sequence, 2 triplet
};
struct Meld {
  Tile tile;
  int kind;  // 1 chi, 2 pon, 3 open kan, 4 closed kan
};

struct WinHand {
  int pl = 1;    // 1 the user, 2 the opponent
  int kind = 2;  // 1 tsumo, 2 ron
  Tile agari = 0;
  std::vector<Set> sets{};  // concealed sets
  Tile head = 0;
  std::vector<Meld> melds{};  // the user's melds
  std::vector<Tile> pairs{};  // seven pairs instead of sets and head
};

inline void sort14(Hand& h) { std::sort(h.begin() + 1, h.begin() + 15); }

inline void put_win(Game& g, const WinHand& w) {
  Analysis& a = g.a;
  Table& t = g.t;
  t.agari_pl = std::int16_t(w.pl);
  t.agari_kind = std::int16_t(w.kind);
  t.agari_hai = w.agari;
  a.kotsu_cnt = a.shuntsu_cnt = a.toitsu_cnt = 0;
  a.mentsu_cnt = 1;
  a.mentsu_hai.fill(0);
  a.mentsu_kind.fill(0);
  a.toitsu_hai.fill(0);
  a.atama_hai = w.head;

  std::vector<Tile> concealed;
  auto add_set = [&](Tile tile, int kind) {
    a.mentsu_hai[std::size_t(a.mentsu_cnt)] = tile;
    a.mentsu_kind[std::size_t(a.mentsu_cnt)] = std::int16_t(kind);
    ++a.mentsu_cnt;
    if (kind == 1) ++a.shuntsu_cnt;
    else ++a.kotsu_cnt;
  };
  for (const Set& s : w.sets) {
    add_set(s.tile, s.kind);
    for (int i = 0; i < 3; ++i) concealed.push_back(Tile(s.kind == 1 ? s.tile + i : s.tile));
  }
  if (w.head != 0) {
    a.toitsu_cnt = 1;
    concealed.insert(concealed.end(), {w.head, w.head});
  }
  for (std::size_t i = 0; i < w.pairs.size(); ++i) {
    a.toitsu_hai[i + 1] = w.pairs[i];
    concealed.insert(concealed.end(), {w.pairs[i], w.pairs[i]});
  }
  if (!w.pairs.empty()) a.toitsu_cnt = std::int16_t(w.pairs.size());

  Hand& hand = w.pl == 1 ? t.man_hai : t.com_hai;
  hand.fill(kEmpty);
  for (std::size_t i = 0; i < concealed.size() && i < 14; ++i) hand[i + 1] = concealed[i];
  a.work_hai.fill(kEmpty);
  std::vector<Tile> whole = concealed;
  t.man_naki_hai.fill(0);
  t.man_naki_kind.fill(0);
  t.man_naki_cnt = 1;
  for (const Meld& m : w.melds) {
    t.man_naki_hai[std::size_t(t.man_naki_cnt)] = m.tile;
    t.man_naki_kind[std::size_t(t.man_naki_cnt)] = std::int16_t(m.kind);
    ++t.man_naki_cnt;
    for (int i = 0; i < 3; ++i) whole.push_back(Tile(m.kind == 1 ? m.tile + i : m.tile));
  }
  // Melds join the set list after the concealed sets.
  for (const Meld& m : w.melds) add_set(m.tile, m.kind == 1 ? 1 : 2);
  std::sort(whole.begin(), whole.end());
  for (std::size_t i = 0; i < whole.size() && i < 14; ++i) a.work_hai[i + 1] = whole[i];
}

}  // namespace sekiba::test
