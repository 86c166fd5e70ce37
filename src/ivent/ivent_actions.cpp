// What each event does once the user has agreed to spend its stick.
#include <array>

#include "engine/game.h"
#include "engine/setup.h"
#include "engine/waits.h"
#include "eval/hand.h"
#include "ivent/ivent_internal.h"
#include "man/input.h"
#include "man/man.h"
#include "screen/draw.h"

namespace sekiba::ivent {

namespace {

// The second box of a roulette window and the tile place it points at.
struct Roulette {
  int bx0, by0, bx1, by1, lcol;
  int text_x, text_y, mark_x, mark_y, down_x, down_y;
  int tile_x, tile_y, tile_mode;
};

// Without sound the click no longer paces the spin; a pass then lasts at least
// this long, so the roulette can be read and the processor is not kept busy.
constexpr int kMinPassMs = 40;

bool stop_pressed(Game& g) {
  auto& m = g.man;
  const bool pressed = m.key_no == kKeyEnter || (m.mouse_area != 0 && m.mouse_button == 1);
  if (pressed) {
    m.key_no = 0;
    m.mouse_area = 0;
    m.mouse_button = 0;
  }
  return pressed;
}

// Spins until the user stops it plus 3 to 7 passes; gives back the old tile's
// count first and returns the final tile (not yet drawn or counted).
Tile spin(Game& g, const Offer& o, const Roulette& r, Tile old) {
  draw_offer_box(g, o);
  gbox_r(g, r.bx0, r.by0, r.bx1, r.by1, 7, r.lcol, 1);
  disp_gr(g, r.text_x, r.text_y, g.os.tr("ルーレットは　　　で止まります。"), 2, 1);
  font_mk(g, r.mark_x, r.mark_y, 39);
  disp_gr(g, r.down_x, r.down_y, "▼", 1, 1);
  auto& m = g.man;
  m.key_no = 0;
  m.mouse_area = 0;
  m.mouse_button = 0;
  mouse_cursor_hit(g);

  auto& cnt = g.t.hai_cnt;
  if (old >= 0 && old < Tile(cnt.size())) --cnt[std::size_t(old)];
  Tile cand = old;
  int n = 0;
  for (;;) {
    const std::int64_t start = g.os.now_ms();
    const int c = rnd_n(g, 37);
    if (cnt[std::size_t(c)] < 4) cand = Tile(c);
    hai_put(g, cand, r.tile_x, r.tile_y, r.tile_mode);
    g.os.yield();
    pasi_play(g);
    const std::int64_t spent = g.os.now_ms() - start;
    if (spent < kMinPassMs) g.os.sleep_until_event(int(kMinPassMs - spent));
    if (stop_pressed(g)) n = rnd_n(g, 5) + 2;
    if (n != 0) {
      wait_ms(g, 100);
      if (--n == 0) break;
    }
  }
  mouse_cursor_init(g);
  return cand;
}

void count_tile(Game& g, Tile t) {
  auto& cnt = g.t.hai_cnt;
  if (t >= 0 && t < Tile(cnt.size())) ++cnt[std::size_t(t)];
}

}  // namespace

bool dora_action(Game& g) {
  const Offer& o = offer(0);
  const int mode = 2 * g.s.settei[17];
  const Roulette r{0, 15, 34, 18, 10, 2, 16, 15, 16, 1, 18, 1, 22, mode};
  const Tile t = spin(g, o, r, g.t.dora);
  // The window goes first: the indicator lies inside the saved strip.
  gvram_pop(g, o.strip_top, o.strip_end);
  g.t.dora = t;
  hai_put(g, t, 1, 22, mode);
  count_tile(g, t);
  return true;
}

bool rasu_action(Game& g) {
  const Offer& o = offer(1);
  const Roulette r{30, 38, 64, 41, 13, 32, 39, 45, 39, 55, 41, 55, 43, 0};
  auto& hand = g.t.man_hai;
  const Tile t = spin(g, o, r, hand[14]);
  hand[14] = t;
  hai_put(g, t, 55, 43, 0);
  count_tile(g, t);
  gvram_pop(g, o.strip_top, o.strip_end);
  man_disp(g);
  dora_asist_pr(g);
  return true;
}

bool koukan_action(Game& g) {
  auto& hand = g.t.man_hai;
  std::array<bool, 15> marked{};
  int cursor = 13;
  sute_kasol(g, cursor);
  gbox_r(g, 20, 33, 64, 38, 7, 11, 1);
  disp_gr(g, 22, 34, g.os.tr("牌を選択して下さい。"), 11, 1);
  disp_gr(g, 24, 36, g.os.tr("又は右クリックで､交換終了です｡"), 2, 1);
  font_mk(g, 22, 36, 39);

  auto select = [&](int slot) {
    const auto j = std::size_t(slot);
    if (marked[j] || !is_tile(hand[j])) return;
    marked[j] = true;
    pasi_play(g);
    ura_put(g, 4 * slot - 1, 43, 0);
  };
  for (;;) {
    const int c = key_input(g, 1);
    const auto& m = g.man;
    if (c == kKeyEnter || (c == kClick && m.mouse_button == 2)) break;
    if (c == kKeyLeft) {
      cursor = cursor == 0 ? 13 : cursor - 1;
      sute_kasol(g, cursor);
    } else if (c == kKeyRight) {
      cursor = cursor == 13 ? 0 : cursor + 1;
      sute_kasol(g, cursor);
    } else if (c == kClick && m.mouse_area == 1 && m.mouse_button == 1) {
      cursor = std::clamp<int>(m.mouse_item, 1, 14) - 1;
      sute_kasol(g, cursor);
      select(cursor + 1);
    } else if (c == kKeySpace) {
      select(cursor + 1);
    } else if (c >= 1 && c <= 14) {
      select(c);
    }
  }
  auto& cnt = g.t.hai_cnt;
  for (int j = 1; j <= 14; ++j) {
    if (!marked[std::size_t(j)]) continue;
    --cnt[std::size_t(hand[std::size_t(j)])];
    hand[std::size_t(j)] = hai_rnd(g);
    hai_put(g, hand[std::size_t(j)], 4 * j - 1, 43, 0);
    pasi_play(g);
  }
  man_hai_sort(g);
  man_disp(g);
  dora_asist_pr(g);
  return false;
}

bool double_action(Game& g) {
  g.t.bairitu = 2;
  font_bai(g, 0, 55, 22);
  return false;
}

bool open_action(Game& g) {
  com_disp(g);
  wait_ms(g, 5000);
  com_ura_disp(g);
  return false;
}

}  // namespace sekiba::ivent
