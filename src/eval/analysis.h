#pragma once
// The analysis hand and the hand backups shared by the judgements and the players.
#include <array>
#include <cstdint>

#include "engine/table.h"

namespace sekiba {

using Hand = std::array<Tile, 16>;

struct Analysis {
  Hand work_hai{};  // slots 1..15
  Hand hai_bak1{}, hai_bak2{}, hai_bak3{}, hai_bak4{};
  std::int16_t bunkai_no = 1;
  std::int16_t shuntsu_jun = 1;
  std::int16_t atama_jun = 1;
  std::int16_t pinfu_flag = 0;
  // Fu of the last points reckoning.
  std::int16_t last_fu = 0;

  // Result of the last decomposition (cleared by bunkai_clear).
  std::int16_t kotsu_cnt = 0;
  std::int16_t shuntsu_cnt = 0;
  std::int16_t toitsu_cnt = 0;
  std::int16_t mentsu_cnt = 1;                    // next free slot of the set list
  std::array<Tile, 6> mentsu_hai{};               // slots 1..4: lowest tile of each set
  std::array<std::int16_t, 6> mentsu_kind{};      // 1 sequence, 2 triplet
  std::array<Tile, 9> toitsu_hai{};               // seven pairs, slots 1..7
  Tile atama_hai = 0;                             // head pair, 0 when none
  // Tiles that complete the hand, from slot 1, ascending, then a 0.
  std::array<Tile, 16> machi_hai{};
};

struct Game;

// Each copies slots 1..14 one way.
void work_bak1_save(Game& g);
void work_bak1_load(Game& g);
void work_bak2_save(Game& g);
void work_bak2_load(Game& g);
void com_bak3_save(Game& g);
void com_bak3_load(Game& g);
void com_bak4_save(Game& g);
void com_bak4_load(Game& g);
void man_bak3_save(Game& g);
void man_bak3_load(Game& g);
void man_bak4_save(Game& g);
void man_bak4_load(Game& g);

}  // namespace sekiba
