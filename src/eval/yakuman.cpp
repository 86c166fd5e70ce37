#include "eval/bunkai.h"
#include "eval/yaku.h"
#include "eval/yaku_internal.h"

namespace sekiba {

using namespace yaku_detail;

int suan_check(Game& g) {
  if (g.a.kotsu_cnt != 4 || winner_open(g) != 0) return 0;
  const bool on_head = g.t.agari_hai == g.a.atama_hai;
  if (g.t.agari_kind == 1) return on_head ? 2 : 1;
  // A ron on a triplet opens it: that hand is left to the yaku judgement.
  return on_head ? 2 : 0;
}

int sukan_check(Game& g) {
  if (g.t.agari_pl != 1 || g.a.kotsu_cnt != 4) return 0;
  return man_kan_kazu(g) == 4 ? 1 : 0;
}

namespace {

bool daisangen(const Game& g) {
  return g.a.kotsu_cnt >= 3 && count_sets(g, [](int, int t) { return is_dragon(t); }) == 3;
}

bool daisuushii(const Game& g) {
  return g.a.kotsu_cnt == 4 && count_sets(g, [](int, int t) { return is_wind(t); }) == 4;
}

bool shousuushii(const Game& g) {
  return g.a.kotsu_cnt >= 3 && count_sets(g, [](int, int t) { return is_wind(t); }) == 3 &&
         is_wind(g.a.atama_hai);
}

bool ryuuiisou(const Game& g) {
  return whole_hand(g, [](int t) { return t == 2 || t == 3 || t == 4 || t == 6 || t == 8 || t == 36; });
}

// Tsumo before the side's first discard; `dealer` picks the dealer's or the
// other side's win.
bool first_draw_win(const Game& g, bool dealer) {
  const Table& t = g.t;
  if (t.agari_kind != 1 || (t.agari_pl == t.oya) != dealer) return false;
  return (t.agari_pl == 1 ? t.man_junme : t.com_junme) == 1;
}

bool chuuren(const Game& g, int open) {
  if (open != 0) return false;
  const int s = suit_of(hand_tile(g, 1));
  if (s > 2 || !whole_hand(g, [s](int t) { return is_number(t) && suit_of(t) == s; })) return false;
  std::array<int, 10> n{};
  for (int i = 1; i <= 14; ++i) ++n[std::size_t(number_of(hand_tile(g, i)))];
  if (n[1] < 3 || n[9] < 3) return false;
  for (int k = 2; k <= 8; ++k)
    if (n[std::size_t(k)] < 1) return false;
  return true;
}

bool daisharin(const Game& g, int open) {
  if (open != 0) return false;
  for (int c = 22; c <= 28; ++c)
    if (hand_count(g, c) != 2) return false;
  return true;
}

void add_yakuman(Game& g, int code, int count) {
  YakuState& y = g.yaku;
  std::int16_t image = std::int16_t(code), c = std::int16_t(code);
  yaku_mei(g, image, c);
  yakuman_sub(g, code);
  y.yaku_str += yaku_group(code, count, false);
  y.han_total = std::int16_t(y.han_total + 13 * count);
  y.found.push_back(YakuFound{std::int16_t(code), std::int16_t(13 * count)});
}

}  // namespace

int yakuman_hantei(Game& g) {
  YakuState& y = g.yaku;
  y.han_total = 0;
  y.found.clear();
  const int open = winner_open(g);
  y.naki_flag = std::int16_t(open);
  y.yaku_str += open ? " 1" : " 0";

  const int kokushi = kokushi_check(g);
  if (g.t.agari_pl == 1 && kokushi == 0 && sisan_check(g) == 1) add_yakuman(g, 0, 1);
  if (kokushi == 1) add_yakuman(g, 1, 1);
  if (kokushi == 2) add_yakuman(g, 14, 2);
  if (sukan_check(g) == 1) add_yakuman(g, 2, 1);
  const int suan = suan_check(g);
  if (suan == 1) add_yakuman(g, 3, 1);
  if (suan == 2) add_yakuman(g, 15, 2);
  if (daisangen(g)) add_yakuman(g, 4, 1);
  if (whole_hand(g, [](int t) { return is_honour(t); })) add_yakuman(g, 5, 1);
  if (whole_hand(g, [](int t) { return is_terminal(t); })) add_yakuman(g, 6, 1);
  if (daisuushii(g)) add_yakuman(g, 7, 1);
  if (shousuushii(g)) add_yakuman(g, 8, 1);
  if (ryuuiisou(g)) add_yakuman(g, 9, 1);
  if (first_draw_win(g, true)) add_yakuman(g, 10, 1);
  if (first_draw_win(g, false)) add_yakuman(g, 11, 1);
  if (chuuren(g, open)) add_yakuman(g, 12, 1);
  if (daisharin(g, open)) add_yakuman(g, 13, 1);
  return y.han_total;
}

}  // namespace sekiba
