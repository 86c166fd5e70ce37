#include "com/weights.h"

namespace sekiba {

void fill_weight_presets(ComState& com) {
  static constexpr std::int16_t a[3][9] = {{24, 20, 15, 5, 3, 9, 12, 18, 25},
                                           {27, 17, 10, 4, 1, 8, 13, 19, 22},
                                           {23, 21, 14, 6, 2, 7, 11, 16, 26}};
  static constexpr std::int16_t b[3][9] = {{14, 10, 6, 24, 29, 21, 2, 9, 18},
                                           {23, 12, 4, 13, 28, 22, 1, 7, 16},
                                           {20, 8, 5, 15, 30, 17, 3, 11, 19}};
  static constexpr std::int16_t a_honours[7] = {31, 32, 33, 34, 30, 29, 28};
  static constexpr std::int16_t b_honours[7] = {31, 32, 33, 34, 25, 26, 27};
  com.hai_hyouka_a.fill(0);
  com.hai_hyouka_b.fill(0);
  for (int suit = 0; suit < 3; ++suit)
    for (int n = 1; n <= 9; ++n) {
      com.hai_hyouka_a[std::size_t(10 * suit + n)] = a[suit][n - 1];
      com.hai_hyouka_b[std::size_t(10 * suit + n)] = b[suit][n - 1];
    }
  for (int i = 0; i < 7; ++i) {
    com.hai_hyouka_a[std::size_t(31 + i)] = a_honours[i];
    com.hai_hyouka_b[std::size_t(31 + i)] = b_honours[i];
  }
}

}  // namespace sekiba
