#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sekiba {

struct Game;

// The options array: indices 0..24 live in the settings file, 25 is never used.
struct Settings {
  std::array<std::int16_t, 26> settei{};
  // The computer's thinking settings.
  std::int16_t shikou_dora = 0, shikou_hyouka = 0, shikou_chinitu = 0, shikou_honitu = 0;
  std::int16_t shikou_chinitu_su = 8, shikou_honitu_su = 11, shikou_chinro = 0, shikou_rechi = 0;
  // While a LAN host's options are in force on this copy (a guest): the user's
  // own options, which the file keeps and which come back after the match, and
  // the host's as they came.
  struct HostOptions {
    std::array<std::int16_t, 26> own{}, host{};
  };
  std::optional<HostOptions> lan_host_options;
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

// One whole number of a settings file after any blank space, into out; pos
// moves past it. Anything else, or a number beyond 16 bits, is a read error.
bool read_int16(const std::string& text, std::size_t& pos, std::int16_t& out);

// The options a LAN host sent (indices 0..19) are in force until the match ends.
void settei_take_host(Settings& s, const std::array<std::int16_t, 20>& host);
// The match has ended: the user's own options come back, with whatever the
// user changed during the match.
void settei_restore_own(Settings& s);
// The user's own options: the options in force, or during a match the user's
// own with what the user changed since the host's arrived.
std::array<std::int16_t, 26> settei_own(const Settings& s);

// Reads values into settings in order; stops silently at the first missing or
// malformed value, leaving the rest as they were.
void parse_settei(const std::string& text, Settings& s);
// The file form: each value as " 1 " or "-1 " followed by CR LF; the user's own
// options, never a LAN host's.
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
