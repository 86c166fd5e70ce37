#pragma once
// A table in the middle of a hand, with keys and clicks scripted for the user.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <initializer_list>
#include <string>

#include "engine/game.h"
#include "engine/startup.h"
#include "eval/hand.h"
#include "man/man.h"
#include "test_game.h"

namespace sekiba::test {

inline InputEvent key(int vk) { return {InputEvent::Kind::KeyDown, vk}; }
inline InputEvent click(int x, int y, int button = 1) {
  InputEvent e{InputEvent::Kind::MouseDown};
  e.button = button;
  e.x = x;
  e.y = y;
  return e;
}
// Centre of hand slot 1..14 and of operation-window item 0..4.
inline InputEvent click_slot(int slot, int button = 1) { return click(24 + 32 * slot - 16, 370, button); }
inline InputEvent click_item(int item) { return click(580, 56 + 16 * item + 8); }

inline constexpr int kVkEnter = 13, kVkSpace = 32, kVkUp = 38, kVkDown = 40, kVkLeft = 37;
inline constexpr int kVkF4 = 115;
inline int vk_slot(int slot) { return 64 + slot; }  // A..N
inline int vk_digit(int d) { return 48 + d; }

struct ManTest : ::testing::Test {
  TempDir dir;
  HeadlessPlatform os;
  Game g{os};
  std::deque<InputEvent> script;

  ManTest() {
    os.data_folder = dir.str();
    EXPECT_TRUE(Form_Load(g));
    g.s.settei[12] = 1;  // silent unless a test listens
    g.s.settei[11] = 1;
    g.rng.seed(7);
    // A wait nothing answers is a test fault: fail fast instead of hanging.
    os.max_idle_waits = 3;
    // Scripted input arrives only when the game waits for it: every sound and
    // pause yields too, and an event delivered there would be lost.
    os.on_idle = [this](HeadlessPlatform& p) {
      if (script.empty()) return;
      p.input.push_back(script.front());
      script.pop_front();
    };
    g.t.oya = 2;
    g.t.teban = 1;
    g.t.hai_cnt.fill(0);
    g.t.hai_cnt[10] = g.t.hai_cnt[20] = g.t.hai_cnt[30] = g.t.hai_cnt[38] = 4;
  }

  // Slots 1..13 (sorted), slot 14 the drawn tile or empty.
  void hand(std::initializer_list<int> tiles, int drawn = kEmpty) {
    g.t.man_hai.fill(kEmpty);
    int i = 1;
    for (int t : tiles) g.t.man_hai[std::size_t(i++)] = Tile(t);
    man_hai_sort(g);
    g.t.man_hai[14] = Tile(drawn);
  }
  // The next random draw can only be this tile.
  void next_draw(int tile) {
    for (int c = 1; c <= 37; ++c) g.t.hai_cnt[std::size_t(c)] = 4;
    g.t.hai_cnt[std::size_t(tile)] = 0;
  }
  // The opponent has thrown these tiles, the last one latest.
  void com_discards(std::initializer_list<int> tiles) {
    int i = 1;
    for (int t : tiles) g.t.com_sute[std::size_t(i++)] = Tile(t);
    g.t.com_junme = std::int16_t(i);
  }
  void man_discards(std::initializer_list<int> tiles) {
    int i = 1;
    for (int t : tiles) g.t.man_sute[std::size_t(i++)] = Tile(t);
    g.t.man_junme = std::int16_t(i);
  }
  void press(std::initializer_list<InputEvent> events) {
    for (const auto& e : events) script.push_back(e);
  }
  void add_meld(int tile, int kind) {
    g.t.man_naki_hai[std::size_t(g.t.man_naki_cnt)] = Tile(tile);
    g.t.man_naki_kind[std::size_t(g.t.man_naki_cnt)] = std::int16_t(kind);
    ++g.t.man_naki_cnt;
  }
  int count_sounds(const std::string& part) const {
    return int(std::count_if(os.sounds.begin(), os.sounds.end(),
                             [&](const std::string& s) { return s.find(part) != std::string::npos; }));
  }
  int count_texts(const std::string& t) const { return int(std::count(os.texts.begin(), os.texts.end(), t)); }
  Tile last_discard() const { return g.t.man_sute[std::size_t(g.t.man_junme - 1)]; }
};

// Seven pairs waiting on 37 once 36 is thrown (complete with 37 drawn).
inline constexpr std::initializer_list<int> kPairsHand = {1, 1, 3, 3, 5, 5, 12, 12, 14, 14, 31, 31, 37};
// Three runs, a pair of East and 4-5 of the third suit: waits on 23 and 26.
inline constexpr std::initializer_list<int> kRyanmen = {2, 3, 4, 15, 16, 17, 27, 28, 29, 31, 31, 24, 25};

}  // namespace sekiba::test
