#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace sekiba {

struct Game;

// The options array: indices 0..24 live in the settings file, 25 is never used.
struct Settings {
  std::array<std::int16_t, 26> settei{};
  // The computer's thinking settings.
  std::int16_t shikou_dora = 0, shikou_hyouka = 0, shikou_chinitu = 0, shikou_honitu = 0;
  std::int16_t shikou_chinitu_su = 8, shikou_honitu_su = 11, shikou_chinro = 0, shikou_rechi = 0;
  Settings() { set_defaults(); }
  void set_defaults() {
    settei.fill(0);
    settei[4] = 1;
    settei[11] = 1;
    settei[17] = 1;
  }
};

inline constexpr int kSettingsCount = 25;
inline constexpr const char* kSettingsFile = "\\sekiba_set.txt";

// Reads values into settings in order; stops silently at the first missing or
// malformed value, leaving the rest as they were.
void parse_settei(const std::string& text, Settings& s);
// The file form: each value as " 1 " or "-1 " followed by CR LF.
std::string format_settei(const Settings& s);

void load_settei(Game& g);
// False (after the message box) when the file could not be written.
bool settei_save(Game& g);
void mnusettei_Click(Game& g);

// The settings dialog: eighteen option groups, each editing one setting.
struct SetteiGroup {
  int setting;
  const char* label;
  const char* option0;
  const char* option1;
  bool rule_b;  // rule B: option 1 means exactly 1; rule A: option 0 means "not 0"
};
extern const std::array<SetteiGroup, 18> kSetteiGroups;

// Which option button of a group is selected for a stored value (0 or 1).
int settei_option_for(const SetteiGroup& grp, int value);
// The value stored for a selected option button.
std::int16_t settei_value_for(const SetteiGroup& grp, int option);

}  // namespace sekiba
