#include "ivent/ivent.h"

#include <algorithm>

#include "engine/driver.h"
#include "engine/game.h"
#include "engine/waits.h"
#include "ivent/ivent_internal.h"
#include "man/input.h"
#include "screen/draw.h"

namespace sekiba {

void ivent_bou_add(Game& g, int kind, int count) {
  if (g.t.agari_pl != 1 || kind < 0 || kind > 5) return;
  auto& n = g.t.ivent_bou[std::size_t(kind)];
  for (int i = 0; i < count; ++i)
    if (n < 10) ++n;
}

void not_ivent(Game& g) {
  gbox_r(g, 10, 20, 71, 27, 2, 0, 1);
  disp_gr2(g, 12, 22, g.os.tr("今このイベントには入れません｡"), 7, 0);
  wave_play(g, "\\sekiba_pyon");
}

bool ivent_allowed(const Game& g, int kind) {
  const Table& t = g.t;
  if (kind < 0 || kind > 4 || t.ivent_bou[std::size_t(kind)] < 1) return false;
  switch (kind) {
    // The chance replaces the tile just drawn: before the draw there is none.
    case 1: return t.man_junme == 20 && is_tile(t.man_hai[14]);
    case 2: return t.man_junme == 1 && t.oya == 1;
    case 3: return t.man_junme <= 4;
    default: return true;
  }
}

namespace ivent {

const Offer& offer(int kind) {
  static const Offer kOffers[5] = {
      {0, 7, 17, 7, 27, 45, 32, 7, 10, N_("ドラ牌をルーレットで交換出来ます。"), 9, 10, N_("実行　　やめる。"), 29, -1, 27, 34, 12, 2},
      {1, 13, 23, 9, 27, 47, 32, 7, 13, N_("ラスツモをルーレットで交換出来ます｡"), 11, 13, N_("実行"), 30, 38, 28, 35, 14, 13},
      {2, 7, 20, 11, 27, 49, 32, 7, 14, N_("配牌より牌を指定して交換出来ます｡"), 13, 14, N_("実行    やめる。"), 33, -1, 31, 38, 16, 6},
      {3, 13, 17, 13, 27, 51, 32, 7, 11, N_("上がり点が2倍になります｡"), 15, 11, N_("実行"), 34, 42, 32, 40, 19, 4},
      {4, 13, 17, 15, 27, 53, 32, 7, 12, N_("com牌を約5秒オープンに出来ます｡"), 17, 12, N_("実行"), 36, 43, 34, 41, 21, 1},
  };
  return kOffers[std::clamp(kind, 0, 4)];
}

void draw_offer_box(Game& g, const Offer& o) {
  gbox_r(g, o.bx0, o.by0, o.bx1, o.by1, o.fcol, o.lcol, 1);
  disp_gr(g, o.tx, 28, g.os.tr(o.text), o.tcol, 1);
}

namespace {

void draw_offer(Game& g, const Offer& o) {
  draw_offer_box(g, o);
  disp_gr(g, o.tx, 30, g.os.tr("棒が１本減ります。"), o.tcol, 1);
  disp_gr(g, o.run_x, 30, g.os.tr(o.run_text), 2, 1);
  if (o.stop_x >= 0) disp_gr(g, o.stop_x, 30, g.os.tr("やめる。"), 2, 1);
  font_mk(g, o.run_mark, 30, 39);
  font_mk(g, o.stop_mark, 30, 40);
  disp_gr(g, o.tri_x, 26, "▲", o.tri_col, 1);
}

// The busy flag is cleared however the event ends, a quit included.
struct BusyGuard {
  Table& t;
  explicit BusyGuard(Table& table) : t(table) { t.shori_chu = 1; }
  ~BusyGuard() { t.shori_chu = 0; }
};

void run_event(Game& g, int kind, bool (*action)(Game&)) {
  Table& t = g.t;
  if (t.lan_mode == 1 || t.shori_chu == 1) return;
  BusyGuard busy(t);
  if (!ivent_allowed(g, kind)) {
    gvram_push(g, 10, 15);
    not_ivent(g);
    wait_ms(g, 1000);
    gvram_pop(g, 10, 15);
    return;
  }
  const Offer& o = offer(kind);
  gvram_push(g, o.strip_top, o.strip_end);
  draw_offer(g, o);
  const int c = key_input(g, 2);
  const auto& m = g.man;
  const bool cancel = c == kKeySpace || (c == kClick && m.mouse_button == 2);
  const bool run = c == kKeyEnter || (c == kClick && m.mouse_button == 1);
  if (cancel) {
    gvram_pop(g, o.strip_top, o.strip_end);
    return;
  }
  bool restored = false;
  if (run) {
    --t.ivent_bou[std::size_t(kind)];
    restored = action(g);
    tell_table(g, {TableEventKind::Stick, kMan, 0, kind});
  }
  // Any other key closes the window like an execution, but spends nothing.
  if (!restored) gvram_pop(g, o.strip_top, o.strip_end);
  t.shori_chu = 0;
  pr_ivent_bou(g);
  mouse_cursor_init(g);
}

}  // namespace
}  // namespace ivent

void dora_rulet(Game& g) { ivent::run_event(g, 0, ivent::dora_action); }
void rasu_tumo_ch(Game& g) { ivent::run_event(g, 1, ivent::rasu_action); }
void hai_koukan(Game& g) { ivent::run_event(g, 2, ivent::koukan_action); }
void nibai_kake(Game& g) { ivent::run_event(g, 3, ivent::double_action); }
void com_open_sub(Game& g) { ivent::run_event(g, 4, ivent::open_action); }

std::array<int, 4> tenbou_split(int man_ten) {
  // C++ division truncates toward zero, as the view wants.
  const int a = man_ten / 100, b = man_ten - 100 * a;
  const int c = b / 50, d = b - 50 * c;
  const int e = d / 10, f = d - 10 * e;
  return {a, c, e, f};
}

std::vector<StickPlace> tenbou_layout(int man_ten) {
  static constexpr int kGlyphs[4] = {44, 43, 42, 41};
  const auto counts = tenbou_split(man_ten);
  std::vector<StickPlace> out;
  int x = 20, y = 20;
  // The view puts back only the strip it saved, and its key prompt starts at
  // row 49: a huge score stops at the last line of sticks that ends above it.
  constexpr int kLastRow = 49 - 40 / 8;
  for (int k = 0; k < 4; ++k) {
    const int n = counts[std::size_t(k)];
    for (int i = 0; i < n && y <= kLastRow; ++i) {
      out.push_back({kGlyphs[k], x, y});
      if (++x > 59) {
        x = 20;
        y += 6;
      }
    }
    if (n > 0) ++x;
  }
  return out;
}

void tenbou_score(Game& g) {
  Table& t = g.t;
  if (t.shori_chu == 1) return;
  ivent::BusyGuard busy(t);
  gvram_push(g, 6, 27);
  gbox_r(g, 17, 13, 63, 38, 12, 15, 1);
  disp_gr2(g, 25, 14, g.os.tr("スコアの点棒です"), 3, 0);
  for (const StickPlace& s : tenbou_layout(t.man_ten)) font_sub(g, s.glyph, s.x, s.y);
  title_sub2(g);
  key_input(g, 0);
  gvram_pop(g, 6, 27);
}

void mnudora_Click(Game& g) { dora_rulet(g); }
void mnurasu_Click(Game& g) { rasu_tumo_ch(g); }
void mnuhaipai_Click(Game& g) { hai_koukan(g); }
void mnudouble_Click(Game& g) { nibai_kake(g); }
void mnuopen_Click(Game& g) { com_open_sub(g); }
void mnutenbou_Click(Game& g) { tenbou_score(g); }

}  // namespace sekiba
