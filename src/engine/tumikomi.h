#pragma once
// Stacking patterns: fifteen prepared starts for the dealer's hand, the default
// table in sekiba_tin.txt and the user's own in sekiba_tum.txt.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sekiba {

struct Game;

inline constexpr int kTumikomiPatterns = 15;
inline constexpr int kTumikomiPatternSize = 43;  // trigger + 3 variants of 14 codes
inline constexpr int kTumikomiVariants = 3;
inline constexpr int kTumikomiVariantSize = 14;
// Index of the closing 0 behind the last pattern.
inline constexpr int kTumikomiEnd = kTumikomiPatterns * kTumikomiPatternSize;

inline constexpr const char* kTumikomiDefaultFile = "\\sekiba_tin.txt";
inline constexpr const char* kTumikomiUserFile = "\\sekiba_tum.txt";

using TumikomiTable = std::array<std::int16_t, 651>;

// Index of slot j (0..13) of variant v of pattern p.
constexpr int tumikomi_index(int p, int v, int j) {
  return kTumikomiPatternSize * p + kTumikomiVariantSize * v + j + 1;
}

// Numbers as the runtime's list input reads them: separated by commas or line
// breaks, blanks around them ignored. Reading stops at the first field that is
// not a whole number in 16-bit range, or after max numbers.
std::vector<std::int16_t> read_list_numbers(const std::string& text, std::size_t max);

// Every trigger 0 and every tile 38: a table without stacked deals.
void tumikomi_clear(TumikomiTable& t);
// Lays numbers over the table in table order, as many as there are (at most one
// full table). A tile value that is no tile code becomes 38, so that neither the
// deal nor the editor ever meets a code it cannot place.
void tumikomi_apply(TumikomiTable& t, const std::vector<std::int16_t>& numbers);
// The file text: per pattern a trigger line and three lines of fourteen codes,
// commas without blanks, CR LF after every line.
std::string tumikomi_format(const TumikomiTable& t);

void tumikomi_load_tin(Game& g);
void tumikomi_load_tum(Game& g);
// False when the file could not be written (the message has been shown).
bool tumikomi_save(Game& g);

// The first pattern with a variant holding more than four copies of a code 1..37,
// or 99 when every variant is possible.
int check_maisu(const TumikomiTable& t);

// One step of the editor's cycle 1..9, 11..19, 21..29, 31..37, 38 and round
// again: forward true steps up, false steps down. A value outside the cycle is
// treated as the empty slot 38.
int tumikomi_step(int code, bool forward);

}  // namespace sekiba
