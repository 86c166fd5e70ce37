#pragma once
// Start numbers in the order each shuntsu_jun (row shuntsu_jun - 1; any value
// outside 1..3 is row 3) tries them.

namespace sekiba {

inline constexpr int kShuntsuOrder[4][7] = {
    {4, 7, 1, 6, 3, 5, 2},
    {5, 2, 6, 3, 4, 7, 1},
    {1, 2, 3, 4, 5, 6, 7},
    {7, 6, 5, 4, 3, 2, 1},
};

}  // namespace sekiba
