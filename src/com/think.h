#pragma once
// The computer's eight thinking settings: their file sekiba_shi.txt and the
// option groups of the dialog frmthink (plain data here, the widgets in qt/).
#include <array>
#include <cstdint>
#include <string>

namespace sekiba {

struct Game;
struct Settings;

inline constexpr const char* kShikouFile = "\\sekiba_shi.txt";
inline constexpr int kShikouCount = 8;

// The eight values in file order, as references into the settings.
std::array<std::int16_t*, kShikouCount> shikou_values(Settings& s);
void shikou_defaults(Settings& s);

// Reads up to eight numbers in file order; stops silently at the first missing
// or malformed one, leaving it and the rest as they were.
void parse_shikou(const std::string& text, Settings& s);
// Eight lines " v " + CR LF.
std::string format_shikou(const Settings& s);

// Defaults, then the file (a missing or damaged file is not an error).
void load_shikou(Game& g);
// Writes the file; false after the failure message box.
bool shikou_save(Game& g);

// One option group of the dialog: its label and up to three options, each with
// the value it stores. `unset` is what the value becomes when no option of the
// group is selected.
struct ShikouGroup {
  const char* label;
  int count;
  std::array<const char*, 3> captions;
  std::array<std::int16_t, 3> values;
  std::int16_t unset;
};
extern const std::array<ShikouGroup, kShikouCount> kShikouGroups;

// The option showing a stored value, -1 when none does.
int shikou_option_for(int group, int value);
// The value stored for a selected option (-1: none selected).
std::int16_t shikou_value_for(int group, int option);

}  // namespace sekiba
