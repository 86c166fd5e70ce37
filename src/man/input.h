#pragma once
// Keys and clicks: the window's handlers only record what happened; key_input is
// the one wait for a key or a click.
#include <array>
#include <cstdint>

#include "platform/platform.h"

namespace sekiba {

struct Game;

struct ManState {
  std::int16_t key_no = 0;
  std::int16_t mouse_area = 0;  // 0 none, 1 hand, 2 operation window, 3 event sticks, 9 elsewhere
  std::int16_t mouse_item = 0;
  std::int16_t mouse_button = 0;
  std::int16_t mouse_mode = 0;  // 0 normal, 1 hit, 2 selection
  std::int16_t mouse_icon_flg = 0;
  // Click areas in surface pixels.
  std::int16_t hai_area_x = 24, hai_area_y = 344;
  std::int16_t sousa_area_x = 536, sousa_area_y = 56;
  std::int16_t bou_area_x = 104, bou_area_y = 168;

  // The operation window as last drawn: its mode 0..7 and highlighted item.
  std::int16_t sousa_mode = 0, sousa_cursor = 0;
  // Items 1..3 (ポン, チー, カン) of the decision window shown as not on
  // offer: only for a player who asked to be offered possible calls alone.
  std::array<std::int16_t, 5> sousa_off{};
  // 1: the automatic discard after riichi is held off for this turn (Space).
  std::int16_t rechi_jidou_off = 0;
  // How the last chi used the called tile: 1 lowest, 2 middle, 3 highest.
  std::int16_t chi_houhou = 0;
  // The hint and the dora labels, each mirrored by its menu check mark.
  std::int16_t osekai_flag = 0, asist_flag = 0;
  // 1 while the user picks the run of a chi or the tile of a kan: a call is
  // being made and the hand is about to be opened.
  std::int16_t naki_sel = 0;
  // Count of waits for a key or click begun so far.
  std::uint32_t key_waits = 0;
};

// Key codes of key_input.
inline constexpr int kKeyEsc = 999;
inline constexpr int kKeyEnter = 20;
inline constexpr int kKeySpace = 21;
inline constexpr int kKeyUp = 50, kKeyDown = 51, kKeyLeft = 52, kKeyRight = 53;
inline constexpr int kClick = 97;

void init_input_areas(Game& g);
void Form_KeyDown(Game& g, int vk);
void Form_MouseDown(Game& g, int button, int x, int y);
void Form_MouseMove(Game& g, int x, int y);
// Routes a window event to the handlers above.
void handle_input(Game& g, const InputEvent& ev);
// flg 0: hit pointer, 2: selection pointer, other: normal. Returns 97 for a click,
// else the key code.
int key_input(Game& g, int flg);

// Wraps a command started from a function key or the menu while the game may be
// waiting for input. A prompt the command opens is answered through the same
// input globals the interrupted wait reads; the answer is spent on the prompt
// and does not act a second time. When the command switched automatic play on,
// the interrupted wait wakes as if clicked elsewhere, so the turn plays on.
class InterruptingCommand {
 public:
  explicit InterruptingCommand(Game& g);
  ~InterruptingCommand();
  InterruptingCommand(const InterruptingCommand&) = delete;
  InterruptingCommand& operator=(const InterruptingCommand&) = delete;

 private:
  Game& g_;
  std::uint32_t waits_;
  std::int16_t jidou_;
};

void mouse_cursor_hit(Game& g);
void mouse_cursor_sel(Game& g);
void mouse_cursor_init(Game& g);

}  // namespace sekiba
