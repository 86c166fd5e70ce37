#include "man/input.h"

#include <cmath>

#include "engine/driver.h"
#include "engine/game.h"
#include "man/man.h"
#include "screen/capture.h"

namespace sekiba {

void init_input_areas(Game& g) {
  g.man.hai_area_x = 24;
  g.man.hai_area_y = 344;
  g.man.sousa_area_x = 536;
  g.man.sousa_area_y = 56;
  g.man.bou_area_x = 104;
  g.man.bou_area_y = 168;
}

namespace {

// Strictly between the edges, as the click areas are defined.
bool inside(int x, int y, int left, int top, int w, int h) {
  return x > left && x < left + w && y > top && y < top + h;
}
bool in_hand(const Game& g, int x, int y) { return inside(x, y, g.man.hai_area_x, g.man.hai_area_y, 448, 68); }
bool in_window(const Game& g, int x, int y) { return inside(x, y, g.man.sousa_area_x, g.man.sousa_area_y, 96, 80); }
bool in_sticks(const Game& g, int x, int y) { return inside(x, y, g.man.bou_area_x, g.man.bou_area_y, 80, 48); }

void set_pointer(Game& g, int image) {
  const auto& icons = g.scr.picICON;
  if (image >= 0 && image < int(icons.size()) && !icons[std::size_t(image)].empty())
    g.os.set_pointer(&icons[std::size_t(image)], image == 0 ? 31 : 12, image == 1 ? 0 : 12);
  else
    g.os.set_pointer(nullptr, 0, 0);
}

}  // namespace

void Form_KeyDown(Game& g, int vk) {
  auto& m = g.man;
  m.key_no = 0;
  if (vk == 27) m.key_no = 999;
  else if (vk >= 65 && vk <= 78) m.key_no = std::int16_t(vk - 64);
  else if (vk >= 97 && vk <= 110) m.key_no = std::int16_t(vk - 96);
  else if (vk >= 49 && vk <= 53) m.key_no = std::int16_t(vk - 34);
  else if (vk == 54) m.key_no = 25;
  else if (vk == 13) m.key_no = 20;
  else if (vk == 32) m.key_no = 21;
  else if (vk == 38) m.key_no = 50;
  else if (vk == 40) m.key_no = 51;
  else if (vk == 37) m.key_no = 52;
  else if (vk == 39) m.key_no = 53;
  else if (vk == 90) m.key_no = 30;
  else if (vk == 81) m.key_no = 40;
  else if (vk == 89) m.key_no = 90;
  else if (vk == 113) {
    InterruptingCommand command(g);
    if (g.menu_shown("mnugame")) mnugame_Click(g);
  } else if (vk == 115) {
    InterruptingCommand command(g);
    if (g.menu_shown("mnukinou")) jidou_mode(g);
  } else if (vk >= 116 && vk <= 120) {
    InterruptingCommand command(g);
    if (g.menu_shown("mnukinou")) ivent_stick_command(g, vk - 116);
  } else if (vk == 123) {
    InterruptingCommand command(g);
    mnucap_Click(g);
  }
}

InterruptingCommand::InterruptingCommand(Game& g) : g_(g), waits_(g.man.key_waits), jidou_(g.t.jidou) {}

InterruptingCommand::~InterruptingCommand() {
  ManState& m = g_.man;
  if (m.key_waits == waits_) return;  // nothing was asked: input stays as it was
  m.key_no = 0;
  m.mouse_item = 0;
  m.mouse_button = 0;
  m.mouse_area = jidou_ == 0 && g_.t.jidou == 1 ? 9 : 0;
}

void Form_MouseDown(Game& g, int button, int x, int y) {
  auto& m = g.man;
  m.mouse_button = button == 1 ? 1 : button == 2 ? 2 : 0;
  if (button == 2) {
    if (in_hand(g, x, y)) {
      m.mouse_area = 1;
      m.mouse_item = 14;
    } else {
      m.mouse_area = 9;
      m.mouse_item = 0;
    }
    return;
  }
  m.mouse_area = 0;
  m.mouse_item = 0;
  if (in_hand(g, x, y)) {
    m.mouse_area = 1;
    m.mouse_item = std::int16_t(int(std::lround(double(x - m.hai_area_x))) / 32 + 1);
  } else if (in_window(g, x, y)) {
    m.mouse_area = 2;
    m.mouse_item = std::int16_t((y - m.sousa_area_y) / 16);
  } else if (in_sticks(g, x, y)) {
    m.mouse_area = 3;
    m.mouse_item = std::int16_t((x - m.bou_area_x) / 16);
  } else {
    m.mouse_area = 9;
  }
}

void Form_MouseMove(Game& g, int x, int y) {
  auto& m = g.man;
  if (m.mouse_mode != 0) return;
  const bool hand_or_sticks = in_hand(g, x, y) || in_sticks(g, x, y);
  const bool window = in_window(g, x, y);
  if ((hand_or_sticks || window) && m.mouse_icon_flg == 0) {
    set_pointer(g, window ? 0 : 1);
    m.mouse_icon_flg = 1;
  } else if (!hand_or_sticks && !window && m.mouse_icon_flg == 1) {
    set_pointer(g, -1);
    m.mouse_icon_flg = 0;
  }
}

void handle_input(Game& g, const InputEvent& ev) {
  switch (ev.kind) {
    case InputEvent::Kind::KeyDown: Form_KeyDown(g, ev.vk); break;
    case InputEvent::Kind::MouseDown: Form_MouseDown(g, ev.button, ev.x, ev.y); break;
    case InputEvent::Kind::MouseMove: Form_MouseMove(g, ev.x, ev.y); break;
  }
}

void mouse_cursor_hit(Game& g) { set_pointer(g, 2); }
void mouse_cursor_sel(Game& g) { set_pointer(g, 3); }
void mouse_cursor_init(Game& g) {
  set_pointer(g, -1);
  g.man.mouse_icon_flg = 0;
}

int key_input(Game& g, int flg) {
  auto& m = g.man;
  if (flg == 0) {
    m.mouse_mode = 1;
    mouse_cursor_hit(g);
  } else if (flg == 2) {
    m.mouse_mode = 2;
    mouse_cursor_sel(g);
  } else {
    m.mouse_mode = 0;
    m.mouse_icon_flg = 0;
  }
  ++m.key_waits;
  m.key_no = 0;
  m.mouse_item = 0;
  m.mouse_area = 0;
  while (m.mouse_area == 0 && m.key_no == 0) g.os.sleep_until_event(-1);
  const int result = m.mouse_area != 0 ? kClick : m.key_no;
  m.mouse_mode = 0;
  mouse_cursor_init(g);
  return result;
}

}  // namespace sekiba
