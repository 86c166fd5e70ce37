#include "engine/setup.h"

#include <algorithm>

#include "engine/game.h"
#include "engine/waits.h"
#include "lan/lan.h"

namespace sekiba {

int rnd_n(Game& g, int n) {
  const float r = g.rng.next();
  const int v = int(float(n) * r + 1.0f);
  // Single-precision rounding must never carry a value past n.
  return std::clamp(v, 1, std::max(n, 1));
}

void rnd_discard(Game& g, long long k) {
  for (long long i = 0; i < k; ++i) g.rng.next();
}

Tile hai_rnd(Game& g) {
  for (;;) {
    const int c = rnd_n(g, 37);
    if (g.t.hai_cnt[std::size_t(c)] <= 3) {
      ++g.t.hai_cnt[std::size_t(c)];
      return Tile(c);
    }
  }
}

void set_shoki2(Game& g) {
  Table& t = g.t;
  std::fill(t.hai_cnt.begin() + 1, t.hai_cnt.begin() + 38, 0);
  std::fill(t.man_sute.begin() + 1, t.man_sute.begin() + 21, 0);
  std::fill(t.com_sute.begin() + 1, t.com_sute.begin() + 21, 0);
  g.com.tenpai_flg = g.com.com_tenpai_flg = 1;
  t.hai_cnt[10] = t.hai_cnt[20] = t.hai_cnt[30] = t.hai_cnt[38] = 4;
  for (int k = 1; k <= 4; ++k) {
    t.man_naki_hai[std::size_t(k)] = t.com_naki_hai[std::size_t(k)] = 0;
    t.man_naki_kind[std::size_t(k)] = t.com_naki_kind[std::size_t(k)] = 0;
  }
  g.lan.reset_queue();
  t.com_sute_x = 61;
  t.com_sute_y = 14;
  t.com_junme = 1;
  t.com_rechi = 0;
  t.com_daburi = 0;
  g.com.com_nerai_chinitu = 4;
  t.man_sute_x = 3;
  t.man_sute_y = 29;
  t.man_junme = 1;
  t.man_rechi = 0;
  t.man_daburi = 0;
  t.man_naki_cnt = 1;
  t.com_naki_cnt = 1;
  t.bairitu = 1;
  clock_get(g);
  rnd_discard(g, (long long)t.clock_sec + t.man_ten + 1);
  g.a.bunkai_no = std::int16_t(rnd_n(g, 6));
  g.scr.yaku_x = 11;
  g.scr.yaku_y = 20;
  g.scr.man_sute_rechi = 0;
  g.scr.man_sute_naki.fill(0);
  g.a.shuntsu_jun = 1;
  g.a.atama_jun = 1;
  g.a.pinfu_flag = 0;
}

Tile out_dora(const Game& g, Tile t) {
  if (g.s.settei[6] == 0) return t;
  switch (t) {
    case 9: return 1;
    case 19: return 11;
    case 29: return 21;
    case 34: return 31;
    case 37: return 35;
    default: return Tile(t + 1);
  }
}

namespace {
// An indicator drawn by the rule of hai_rnd, yielding after every attempt.
Tile draw_indicator(Game& g) {
  for (;;) {
    const int c = rnd_n(g, 37);
    const bool free = g.t.hai_cnt[std::size_t(c)] < 4;
    if (free) ++g.t.hai_cnt[std::size_t(c)];
    g.os.yield();
    if (free) return Tile(c);
  }
}
}  // namespace

void set_dora(Game& g) {
  Table& t = g.t;
  t.dora = t.ura_dora = t.kan_dora = 0;
  const Weights& preset = g.s.shikou_hyouka != 0 ? g.com.hai_hyouka_b : g.com.hai_hyouka_a;
  std::copy(preset.begin() + 1, preset.end(), g.com.hai_hyouka.begin() + 1);
  // A LAN guest receives the indicators from the host instead of drawing them,
  // and has no computer whose weights would need them.
  if (t.lan_mode == 1 && t.lan_host == 0) {
    lan_set_dora(g);
    return;
  }
  t.dora = draw_indicator(g);
  t.ura_dora = draw_indicator(g);
  t.kan_dora = draw_indicator(g);
  if (t.lan_mode == 1) lan_set_dora(g);
  if (g.s.shikou_dora != 0) {
    auto& w = g.com.hai_hyouka[std::size_t(out_dora(g, t.dora))];
    w = std::int16_t(std::max(w - 20, 1));
  }
}

namespace {

// The stacked start of the dealer's hand: the first pattern whose trigger is d,
// variant clock_sec mod 3, copied up to its first 38. Returns the next free slot.
int stack_dealer(Game& g, std::array<Tile, 16>& hand, int d) {
  int slot = 1;
  for (int p = 0; p < 15; ++p) {
    const int base = 43 * p;
    const int trigger = g.tumikomi_data[std::size_t(base)];
    if (trigger == 0) break;
    if (trigger != d) continue;
    const int v = g.t.clock_sec % 3;
    // The variant is copied whole, even where an indicator already shows one of
    // its four copies: the count then says five, which only keeps the code from
    // being drawn again.
    std::array<int, 40> copies{};
    for (int i = 1; i <= 14; ++i) {
      const int code = g.tumikomi_data[std::size_t(base + 14 * v + i)];
      if (code == kEmpty) break;
      // The editor never saves a variant with a fifth copy of its own; a damaged
      // file must neither index outside the counts nor put five alike in a hand.
      if (code < 0 || code > 39 || ++copies[std::size_t(code)] > 4) break;
      hand[std::size_t(slot++)] = Tile(code);
      ++g.t.hai_cnt[std::size_t(code)];
    }
    break;
  }
  return slot;
}

void deal(Game& g, std::array<Tile, 16>& dealer, std::array<Tile, 16>& other, int stacking_setting) {
  if (g.t.lan_mode == 1 && g.t.lan_host == 0) {
    lan_haipai_receive(g);
    return;
  }
  clock_get(g);
  for (int i = 0; i < g.t.clock_sec + 1; ++i) rnd_n(g, 37);
  const int c = rnd_n(g, 100);
  const int d = g.s.settei[15] != 0 ? rnd_n(g, 200) : c;
  int slot = 1;
  if (g.t.lan_mode == 0 && g.s.settei[std::size_t(stacking_setting)] == 0)
    slot = stack_dealer(g, dealer, d);
  for (; slot <= 14; ++slot) dealer[std::size_t(slot)] = hai_rnd(g);
  for (int i = 1; i <= 13; ++i) other[std::size_t(i)] = hai_rnd(g);
  other[14] = kEmpty;
  if (g.t.lan_mode == 1) lan_haipai_send(g);
}

}  // namespace

void haipai_ton(Game& g) { deal(g, g.t.man_hai, g.t.com_hai, 19); }
void haipai_nan(Game& g) { deal(g, g.t.com_hai, g.t.man_hai, 14); }

void think_wait(Game& g) {
  if (g.t.jidou == 1 || g.s.settei[16] != 0) return;
  const int k = rnd_n(g, 3);
  wait_ms(g, k == 1 ? 750 : k == 2 ? 400 : 1000);
}

}  // namespace sekiba
