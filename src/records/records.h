#pragma once
// What the game keeps between games: the best-ten table and the name dialog's
// answer. Entries 0..9 are the ranks 1..10; entry 10 is stored in the file but
// never shown or filled.
#include <array>
#include <cstdint>
#include <set>
#include <string>

namespace sekiba {

inline constexpr int kHiEntries = 11;

struct Records {
  std::array<std::int32_t, kHiEntries> hi_score{};
  std::array<std::int16_t, kHiEntries> hi_game{};
  std::array<std::string, kHiEntries> hi_date{};  // UTF-8 in memory
  std::array<std::string, kHiEntries> hi_name{};

  std::int32_t new_score = 0;
  std::int16_t new_game = 0;
  std::string new_date, new_name;

  // The name dialog: the text confirmed and whether it has been confirmed.
  std::string name_str;
  std::int16_t name_flag = 0;
  // True while name_input waits for the dialog (tests answer it headless), for
  // the entry name_no.
  bool name_waiting = false;
  int name_no = 0;

  // A game has been started in this run of the program (quitting before that
  // leaves the continue file alone).
  bool game_started = false;
  // The continue file failed its checks or was declined in this run: it is not
  // offered or loaded again until the game writes it anew.
  bool contine_refused = false;
  // The best-ten file read only in part (empty: none), and the copy its bytes
  // go to before a save replaces them.
  std::string hi_damaged, hi_damaged_copy;
  // Files found unreadable in this run, each reported once.
  std::set<std::string> unreadable_told;
};

}  // namespace sekiba
