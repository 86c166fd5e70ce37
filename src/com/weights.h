#pragma once
// The computer's per-tile weights (a higher weight is thrown earlier), its aims and
// its evaluation results.
#include <array>
#include <cstdint>

#include "engine/table.h"

namespace sekiba {

using Weights = std::array<std::int16_t, 39>;

struct ComState {
  Weights hai_hyouka{};
  Weights hai_hyouka_a{};
  Weights hai_hyouka_b{};
  std::int16_t tenpai_flg = 0;
  // tenpai_flg as the computer's own last evaluation left it.
  std::int16_t com_tenpai_flg = 0;
  std::int16_t osekai_machi = 0;
  std::int16_t com_nerai_chinitu = 4, com_nerai_honitu = 4, com_nerai_chinro = 4;
  std::int16_t man_nerai_chinitu = 4, man_nerai_honitu = 4, man_nerai_chinro = 4;
  // Counters of the last run of each shape removal (the three-left choice reads them).
  std::int16_t ryanmen_cnt = 0, kanchan_cnt = 0, toitsu_kesu_cnt = 0;
  Tile toitsu_kesu_hai = 0;
};

// Fills the two constant presets, A (通常) and B (特殊).
void fill_weight_presets(ComState& com);

}  // namespace sekiba
