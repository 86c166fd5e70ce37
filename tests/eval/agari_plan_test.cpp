// The complete-hand test, the wait list and the computer's decomposition
// choice against a plain transcription of the greedy search: every order tried
// in turn with the slot-by-slot removals, compared on random hands, state left
// behind included. SEKIBA_AGARI_HANDS sets how many hands of each kind (a
// Release build runs a million in seconds).
#include <cstdlib>
#include <map>
#include <random>

#include "bunkai_fixture.h"
#include "eval/hand.h"
#include "eval/suit_memo.h"

namespace sekiba::test {
namespace {

// --- The reference ---------------------------------------------------------

struct Ref {
  Hand w{};
  int kotsu = 0, shuntsu = 0, toitsu = 0, mentsu = 1, atama = 0;
  std::array<int, 6> set_tile{}, set_kind{};
  std::array<int, 9> pairs{};
  int jun = 1, atama_jun = 1;

  void sort() {  // the exchange sort: swap the first pair out of order, start again
    for (int i = 1; i <= 13;) {
      if (w[i] > w[i + 1]) {
        std::swap(w[i], w[i + 1]);
        i = 1;
      } else {
        ++i;
      }
    }
  }
  void record(int code, int kind) {
    set_tile[std::size_t(mentsu)] = code;
    set_kind[std::size_t(mentsu)] = kind;
    ++mentsu;
    ++(kind == 1 ? shuntsu : kotsu);
  }
  void triplets() {
    sort();
    for (int i = 1; i <= 12; ++i)
      if (w[i] != kEmpty && w[i] == w[i + 1] && w[i] == w[i + 2]) {
        record(w[i], 2);
        w[i] = w[i + 1] = w[i + 2] = kEmpty;
      }
  }
  void sequences_from(int n) {
    for (int i = 1; i <= 12; ++i) {
      if (w[i] != n && w[i] != n + 10 && w[i] != n + 20) continue;
      bool done = false;
      for (int j = i + 1; j <= 13 && !done; ++j) {
        if (w[j] != w[i] + 1) continue;
        for (int k = j + 1; k <= 14 && !done; ++k) {
          if (w[k] != w[j] + 1) continue;
          record(w[i], 1);
          w[i] = w[j] = w[k] = kEmpty;
          done = true;
        }
      }
    }
  }
  void sequences() {
    static const int order[4][7] = {
        {4, 7, 1, 6, 3, 5, 2}, {5, 2, 6, 3, 4, 7, 1}, {1, 2, 3, 4, 5, 6, 7}, {7, 6, 5, 4, 3, 2, 1}};
    for (int n : order[jun >= 1 && jun <= 3 ? jun - 1 : 3]) sequences_from(n);
  }
  void head() {
    sort();
    if (atama_jun == 1) {
      for (int i = 1; i <= 13; ++i)
        if (w[i] != kEmpty && w[i] == w[i + 1]) {
          atama = w[i], ++toitsu, w[i] = w[i + 1] = kEmpty;
          return;
        }
    } else {
      for (int i = 14; i >= 2; --i)
        if (w[i] != kEmpty && w[i] == w[i - 1]) {
          atama = w[i], ++toitsu, w[i] = w[i - 1] = kEmpty;
          return;
        }
    }
  }
  void seven_pairs() {
    sort();
    int previous = 0;
    for (int i = 1; i <= 13; ++i) {
      const int c = w[i];
      if (c == kEmpty || w[i + 1] != c) continue;
      if (c != previous) pairs[std::size_t(++toitsu)] = c, w[i] = w[i + 1] = kEmpty;
      previous = c;
    }
  }
  int left() {
    sort();
    int n = 0;
    while (n < 14 && w[n + 1] != kEmpty) ++n;
    return n;
  }
  int decompose(const Hand& from, int case_no) {
    w = from;
    kotsu = shuntsu = toitsu = atama = 0;
    mentsu = 1;
    set_tile.fill(0), set_kind.fill(0), pairs.fill(0);
    static const char* steps[9] = {"", "KSP", "KPS", "SPK", "SKP", "PKS", "PSK", "KP", "T"};
    for (const char* s = steps[case_no]; *s; ++s) {
      if (*s == 'K') triplets();
      if (*s == 'S') sequences();
      if (*s == 'P') head();
      if (*s == 'T') seven_pairs();
    }
    return left();
  }
};

// Sets and one head in any order, for the hands every greedy order misses.
bool splits(std::array<int, 38>& c, bool head_taken) {
  int x = 1;
  while (x < 38 && c[std::size_t(x)] == 0) ++x;
  if (x == 38) return head_taken;
  auto take = [&](std::initializer_list<int> tiles, bool head) {
    for (int t : tiles)
      if (t >= 38 || c[std::size_t(t)] == 0) return false;
    for (int t : tiles) --c[std::size_t(t)];
    const bool ok = splits(c, head_taken || head);
    for (int t : tiles) ++c[std::size_t(t)];
    return ok;
  };
  if (!head_taken && c[std::size_t(x)] >= 2 && take({x, x}, true)) return true;
  if (c[std::size_t(x)] >= 3 && take({x, x, x}, false)) return true;
  return x < 30 && take({x, x + 1, x + 2}, false);
}

struct RefResult {
  int answer = 0;
  bool by_split = false;  // complete only as a split no greedy order finds
  Ref r;
};

RefResult reference_check(const Hand& hand, bool user, int junme) {
  RefResult out;
  Ref& r = out.r;
  Hand bak = hand;
  r.w = bak;
  r.sort();
  bak = r.w;
  for (int a = 1; a <= 2; ++a)
    for (int j = 1; j <= 4; ++j)
      for (int c = 1; c <= 6; ++c) {
        r.atama_jun = a, r.jun = j;
        if (r.decompose(bak, c) == 0) return out.answer = kAgari, out;
      }
  if (r.decompose(bak, 7) == 0 || r.decompose(bak, 8) == 0) return out.answer = kAgari, out;
  std::array<int, 38> cnt{};
  int tiles = 0;
  for (int i = 1; i <= 14; ++i)
    if (bak[i] != kEmpty) ++cnt[std::size_t(bak[i])], ++tiles;
  r.w = bak;
  int singles = 0, doubles = 0;
  for (int code : {1, 9, 11, 19, 21, 29, 31, 32, 33, 34, 35, 36, 37}) {
    singles += cnt[std::size_t(code)] == 1;
    doubles += cnt[std::size_t(code)] == 2;
  }
  if (singles == 12 && doubles == 1) return out.answer = kAgari, out;
  if (user && junme == 1) {
    int equal = 0, apart = 0;
    for (int i = 1; i <= 13; ++i) {
      const int x = bak[i], y = bak[i + 1];
      if (x == kEmpty || y == kEmpty) continue;
      if (x == y) ++equal;
      else if (x / 10 != y / 10 || x > 30 || std::abs(x - y) >= 3) ++apart;
    }
    if (equal == 1 && apart == 12) return out.answer = kAgari, out;
  }
  if (tiles % 3 == 2 && splits(cnt, false)) {
    out.by_split = true;
    out.answer = kAgari;
    r.w.fill(kEmpty);
    return out;
  }
  return out;
}

// --- Hands -----------------------------------------------------------------

struct Dealer {
  std::mt19937 gen;
  std::vector<int> codes;
  explicit Dealer(unsigned seed) : gen(seed) {
    for (int c = 1; c <= 37; ++c)
      if (is_tile(c)) codes.push_back(c);
  }
  int pick() { return codes[gen() % codes.size()]; }
  // `sets` sets and a head with at most four copies of a code; sometimes a
  // suit-heavy hand, where the greedy orders disagree most.
  std::vector<int> complete(int sets) {
    for (;;) {
      std::array<int, 40> cnt{};
      const int suit = gen() % 3 == 0 ? int(gen() % 3) : -1;
      auto code = [&] { return suit < 0 ? pick() : suit * 10 + 1 + int(gen() % 9); };
      std::vector<int> h;
      const int head = code();
      h = {head, head};
      for (int s = 0; s < sets; ++s) {
        const int c = code();
        if (gen() % 2 == 0 && c < 30 && c % 10 <= 7) h.insert(h.end(), {c, c + 1, c + 2});
        else h.insert(h.end(), {c, c, c});
      }
      bool ok = true;
      for (int c : h) ok = ok && ++cnt[std::size_t(c)] <= 4;
      if (ok) return h;
    }
  }
  std::vector<int> random(int n) {
    std::array<int, 40> cnt{};
    std::vector<int> h;
    while (int(h.size()) < n) {
      const int c = pick();
      if (cnt[std::size_t(c)] < 4) ++cnt[std::size_t(c)], h.push_back(c);
    }
    return h;
  }
  Hand shuffled(std::vector<int> h) {
    std::shuffle(h.begin(), h.end(), gen);
    Hand out{};
    out.fill(kEmpty);
    out[0] = 0;
    for (std::size_t i = 0; i < h.size(); ++i) out[i + 1] = Tile(h[i]);
    return out;
  }
};

long hands_of_each_kind() {
  const char* n = std::getenv("SEKIBA_AGARI_HANDS");
  return n ? std::atol(n) : 3000;
}

// The results a decomposition leaves, against the reference's last one.
bool same_results(const Analysis& a, const Ref& r) {
  bool ok = a.kotsu_cnt == r.kotsu && a.shuntsu_cnt == r.shuntsu && a.toitsu_cnt == r.toitsu &&
            a.mentsu_cnt == r.mentsu && a.atama_hai == r.atama;
  for (int i = 1; i <= 4; ++i) ok = ok && a.mentsu_hai[i] == r.set_tile[i] && a.mentsu_kind[i] == r.set_kind[i];
  for (int i = 1; i <= 7; ++i) ok = ok && a.toitsu_hai[i] == r.pairs[i];
  for (int i = 1; i <= 14; ++i) ok = ok && a.work_hai[i] == r.w[i];
  return ok;
}

struct AgariPlanTest : BunkaiFixture {
  // The program's test against the reference on one hand; false on a difference.
  bool same(const Hand& hand, bool user) {
    const RefResult want = reference_check(hand, user, g.t.man_junme);
    int got;
    if (user) {
      g.a.work_hai = hand;
      got = man_agari_check(g);
    } else {
      g.t.com_hai = hand;
      got = com_agari_check(g);
    }
    const Ref& r = want.r;
    bool ok = got == want.answer;
    if (ok && !want.by_split) {
      ok = g.a.atama_jun == r.atama_jun && g.a.shuntsu_jun == r.jun && same_results(g.a, r);
    }
    if (!ok) {
      ADD_FAILURE() << "hand " << ::testing::PrintToString(slots(hand)) << (user ? " (user)" : " (computer)")
                    << ": answer " << got << ", reference " << want.answer;
    }
    return ok;
  }
};

TEST_F(AgariPlanTest, CompleteHandTestMatchesThePlainSearch) {
  Dealer d(2026);
  g.t.man_junme = 5;
  const long n = hands_of_each_kind();
  int failures = 0;
  for (long k = 0; k < n && failures < 5; ++k) {
    const bool user = k % 2 == 0;
    // Fourteen tiles: complete, complete with one tile changed, any; then the
    // short hands beside one to four melds.
    std::vector<int> near = d.complete(4);
    near[d.gen() % near.size()] = d.pick();
    const int sets = int(d.gen() % 4);
    for (const auto& tiles : {d.complete(4), near, d.random(14), d.complete(sets)}) {
      std::array<int, 40> cnt{};
      bool legal = true;
      for (int c : tiles) legal = legal && ++cnt[std::size_t(c)] <= 4;
      if (legal && !same(d.shuffled(tiles), user)) ++failures;
    }
  }
  // Seven pairs, a pair of four equal tiles, thirteen orphans and the
  // first-turn unconnected shape.
  g.t.man_junme = 1;
  for (auto tiles : std::vector<std::vector<int>>{
           {1, 1, 2, 2, 3, 3, 11, 11, 15, 15, 31, 31, 35, 35},
           {1, 1, 1, 1, 3, 3, 11, 11, 15, 15, 31, 31, 35, 35},
           {1, 9, 11, 19, 21, 29, 31, 32, 33, 34, 35, 36, 37, 37},
           {1, 4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 35, 35},
           {1, 2, 3, 4, 4, 4, 5, 6, 6, 6, 7, 23, 23, 23}}) {
    EXPECT_TRUE(same(d.shuffled(tiles), true));
    EXPECT_TRUE(same(d.shuffled(tiles), false));
  }
}

TEST_F(AgariPlanTest, WaitListMatchesTryingEveryCode) {
  Dealer d(26);
  g.t.man_junme = 5;
  const long n = hands_of_each_kind() / 10;
  int failures = 0;
  for (long k = 0; k < n && failures < 5; ++k) {
    std::vector<int> tiles = d.complete(4);
    tiles.erase(tiles.begin() + long(d.gen() % tiles.size()));
    if (k % 3 == 1) tiles[d.gen() % tiles.size()] = d.pick();  // mostly not ready
    if (k % 7 == 3) tiles = {1, 1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9};  // a fifth copy tried
    const Hand hand = d.shuffled(tiles);
    std::vector<int> want;
    Hand last{};
    for (int c = 1; c <= 37; ++c) {
      if (!is_tile(c)) continue;
      Hand trial = hand;
      trial[14] = Tile(c);
      const RefResult r = reference_check(trial, true, g.t.man_junme);
      if (r.answer == kAgari) want.push_back(c);
      last = r.r.w;
    }
    g.t.man_hai = hand;
    const int got = help_kazu(g);
    std::vector<int> list(g.a.machi_hai.begin() + 1, g.a.machi_hai.begin() + 1 + got);
    // The state the wait list leaves is that of the last code's test.
    const bool ok = list == want && g.a.machi_hai[std::size_t(got + 1)] == 0 && slots(g.a.work_hai) == slots(last);
    if (!ok) {
      ++failures;
      ADD_FAILURE() << "hand " << ::testing::PrintToString(slots(hand)) << ": waits "
                    << ::testing::PrintToString(list) << ", reference " << ::testing::PrintToString(want);
    }
    g.t.com_hai = hand;
    EXPECT_EQ(com_machi_kazu(g), int(want.size()));
    EXPECT_EQ(std::vector<int>(g.a.machi_hai.begin() + 1, g.a.machi_hai.begin() + 1 + int(want.size())), want);
  }
}

// The choice as the text gives it, on the reference's decompositions: the
// removals of open shapes (a number 2..7 with the first later tile one above)
// and of pairs work on what each attempt left.
struct RefChoice {
  int case_no, jun, atama;
  Ref last;  // the last decomposition, as it left the hand and the results
};

int open_shapes_out(Hand& w) {
  for (int i = 1; i <= 14; ++i) {
    const int t = w[i];
    if (t == kEmpty || t > 30 || t % 10 < 2 || t % 10 > 7) continue;
    for (int j = i + 1; j <= 14; ++j)
      if (w[j] == t + 1) {
        w[i] = w[j] = kEmpty;
        break;
      }
  }
  int n = 0;
  for (int i = 1; i <= 14; ++i) n += w[i] != kEmpty;
  return n;
}

int pairs_out(Ref& r) {
  r.sort();
  for (int i = 1; i <= 13; ++i)
    if (r.w[i] != kEmpty && r.w[i] == r.w[i + 1]) r.w[i] = r.w[i + 1] = kEmpty;
  return r.left();
}

RefChoice reference_choice(const Hand& hand, RefChoice choice) {
  Ref r;
  r.w = hand;
  r.sort();
  const Hand bak = r.w;
  int best = 14, second = 14;
  auto take = [&](int left, int c) { best = left, choice = {c, r.jun, r.atama_jun, {}}; };
  for (int a = 1; a <= 2; ++a)
    for (int j = 1; j <= 4; ++j)
      for (int c = 1; c <= 6; ++c) {
        r.atama_jun = a, r.jun = j;
        const int left = r.decompose(bak, c);
        if (left == 2) {
          if (best >= 2 && open_shapes_out(r.w) == 0) take(left, c);
        } else if (left == 3 && best == 3) {
          if (open_shapes_out(r.w) == 1) return r.left(), RefChoice{c, j, a, r};
          if (pairs_out(r) == 1) take(left, c);
        } else if (left == 3 && best > 3) {
          take(left, c);
        } else if (left != 2 && left != 3 && left == best) {
          open_shapes_out(r.w);
          const int rest = pairs_out(r);
          if (rest < second) take(left, c), second = rest;
        } else if (left != 2 && left != 3 && left < best) {
          take(left, c);
        }
      }
  for (int a = 1; a <= 2; ++a) {
    r.atama_jun = a, r.jun = 1;
    const int left = r.decompose(bak, 7);
    if (left < best) take(left, 7);
  }
  r.atama_jun = r.jun = 1;
  if (r.decompose(bak, 8) <= 2) choice = {8, 1, 1, {}};
  choice.last = r;
  return choice;
}

TEST_F(AgariPlanTest, DecompositionChoiceMatchesThePlainProcedure) {
  Dealer d(1053);
  int failures = 0;
  auto same = [&](const Hand& hand) {
    g.a.bunkai_no = std::int16_t(1 + d.gen() % 6), g.a.shuntsu_jun = 1, g.a.atama_jun = 1;
    const RefChoice want = reference_choice(hand, {g.a.bunkai_no, 1, 1, {}});
    g.t.com_hai = hand;
    com_work_set(g);
    com_bunkai_kime(g);
    // The choice, and the state its last decomposition (or removal) left.
    const bool ok = g.a.bunkai_no == want.case_no && g.a.shuntsu_jun == want.jun && g.a.atama_jun == want.atama &&
                    same_results(g.a, want.last);
    if (!ok && ++failures <= 5)
      ADD_FAILURE() << "hand " << ::testing::PrintToString(slots(hand)) << ": case " << g.a.bunkai_no << " row "
                    << g.a.shuntsu_jun << " head " << g.a.atama_jun << ", reference case " << want.case_no << " row "
                    << want.jun << " head " << want.atama;
  };
  // Ready and nearly ready hands (where the open-shape and pair rules decide),
  // any hands, the short hands beside melds, and a fifth copy.
  const long n = hands_of_each_kind();
  for (long k = 0; k < n && failures < 5; ++k) {
    std::vector<int> near = d.complete(4), far = d.complete(4);
    near[d.gen() % near.size()] = d.pick();
    far[d.gen() % far.size()] = d.pick(), far[d.gen() % far.size()] = d.pick();
    std::vector<int> shorter = d.complete(int(d.gen() % 4));
    shorter[d.gen() % shorter.size()] = d.pick();
    for (const auto& tiles : {near, far, d.random(14), shorter}) same(d.shuffled(tiles));
  }
  same(d.shuffled({1, 1, 1, 1, 1, 2, 3, 13, 14, 15, 22, 23, 31, 31}));

  // Two suits of one hand that the memo would keep in one place.
  std::map<std::size_t, SuitMemo::Suits::value_type> first_at;
  int collisions = 0;
  for (int a = 0; a < 9; ++a)
    for (int b = a; b < 9; ++b)
      for (int c = b; c < 9; ++c)
        for (int e = c; e < 9 && collisions < 3; ++e) {
          SuitMemo::Suits::value_type counts{};
          for (int r : {a, b, c, e}) ++counts[std::size_t(r)];
          const auto [it, fresh] = first_at.emplace(SuitMemo::place_of(counts, true), counts);
          if (fresh) continue;
          std::vector<int> tiles = {31, 31, 31, 27, 28, 29};
          for (int r = 0; r < 9; ++r)
            for (int k = 0; k < it->second[std::size_t(r)]; ++k) tiles.push_back(1 + r);
          for (int r = 0; r < 9; ++r)
            for (int k = 0; k < counts[std::size_t(r)]; ++k) tiles.push_back(11 + r);
          same(d.shuffled(tiles));
          // Each suit gets its own entry, whichever comes first.
          SuitMemo memo;
          std::array<const SuitLeftovers*, 4> got{};
          for (const auto& [man, pin] : {std::pair(it->second, counts), std::pair(counts, it->second)}) {
            memo.get({man, pin, {}, {}}, got);
            EXPECT_EQ(got[0]->key, suit_key(man, true) + 1);
            EXPECT_EQ(got[1]->key, suit_key(pin, true) + 1);
            EXPECT_EQ(got[1]->with_head, suit_leftovers(pin, true).with_head);
          }
          ++collisions;
        }
  EXPECT_EQ(collisions, 3);
}

}  // namespace
}  // namespace sekiba::test
