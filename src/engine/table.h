#pragma once
// The table: tiles, hands, melds, discards, counters and the game-flow flags.
// Arrays are 1-based like the rules that use them: slot 0 is never a tile.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sekiba {

using Tile = std::int16_t;

inline constexpr Tile kNotSet = 0;
inline constexpr Tile kEmpty = 38;       // an empty slot
inline constexpr Tile kCalledMark = 48;  // drawing code: darken a called discard

constexpr bool is_tile(int c) {
  return (c >= 1 && c <= 9) || (c >= 11 && c <= 19) || (c >= 21 && c <= 29) || (c >= 31 && c <= 37);
}

enum Side : std::int16_t { kMan = 1, kCom = 2 };

struct Table {
  std::array<Tile, 16> man_hai{};  // slots 1..14, slot 14 the drawn tile
  std::array<Tile, 16> com_hai{};
  std::array<std::int16_t, 40> hai_cnt{};  // copies of each code in play

  std::array<Tile, 6> man_naki_hai{}, com_naki_hai{};  // slots 1..4
  std::array<std::int16_t, 6> man_naki_kind{}, com_naki_kind{};
  std::int16_t man_naki_cnt = 1, com_naki_cnt = 1;  // melds + 1

  std::array<Tile, 22> man_sute{}, com_sute{};  // slots 1..20
  std::int16_t man_junme = 1, com_junme = 1;     // number of the next discard, 1..21
  std::int16_t man_sute_x = 3, man_sute_y = 29;
  std::int16_t com_sute_x = 61, com_sute_y = 14;

  Tile dora = 0, ura_dora = 0, kan_dora = 0;

  std::int16_t oya = 1;
  std::int16_t teban = 1;
  std::int32_t man_ten = 300;
  std::int16_t rechi_bou = 0;
  std::int16_t man_rechi = 0, com_rechi = 0;
  std::int16_t man_daburi = 0, com_daburi = 0;
  std::int16_t kyoku = 1;
  std::int16_t honba = 1;
  std::int16_t game_no = 1;
  std::array<std::int32_t, 501> score_rireki{};
  std::array<std::int16_t, 6> ivent_bou{};
  std::int16_t bairitu = 1;
  std::int16_t game_mode = 0;
  std::int16_t series_void = 0;

  Tile agari_hai = 0;
  std::int16_t agari_pl = 0;
  std::int16_t agari_kind = 0;

  // Game-flow flags.
  std::int16_t kyoku_flag = 0;
  std::int16_t shoki_flag = 0;
  std::int16_t contine_flag = 0;
  std::int16_t series_done = 0;
  std::int16_t jidou = 0;
  std::int16_t lan_mode = 0;
  std::int16_t lan_host = 0;
  // Set while a sub-screen (chart, high scores, event, prompt) is open.
  std::int16_t shori_chu = 0;

  std::int16_t clock_sec = 0, clock_min = 0;
  std::string app_path;
  // Folders a file is looked for in before it is read, first match wins; empty:
  // app_path alone.
  std::vector<std::string> read_folders;
};

// The user's score stays within this many units either way. A series of 499
// hands, each won with the biggest hand at double score, stays far below it, and
// sums of scores and payments never overflow.
inline constexpr std::int32_t kScoreLimit = 2'500'000;

// Moves the user's score by a payment: never below 0 outside a LAN match, never
// past the limit.
inline void add_score(Table& t, long long units) {
  const long long low = t.lan_mode == 1 ? -kScoreLimit : 0;
  t.man_ten = std::int32_t(std::clamp<long long>(t.man_ten + units, low, kScoreLimit));
}

}  // namespace sekiba
