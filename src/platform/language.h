#pragma once
// Which language the game speaks: the player's saved choice, else the desktop's,
// found the way GNU gettext finds it.
#include <string>
#include <vector>

namespace sekiba {

enum class Language { Japanese, English };
enum class LanguageChoice { Desktop, Japanese, English };

// The desktop's locale variables as they are set (empty when unset).
struct LocaleEnv {
  std::string language, lc_all, lc_messages, lang;
  static LocaleEnv from_environment();
};

// The saved choice first; following the desktop, the locale of messages is the
// first set of LC_ALL, LC_MESSAGES, LANG. A C or POSIX locale (or none) means
// Japanese, and then LANGUAGE is ignored as gettext ignores it. Otherwise the
// first entry of LANGUAGE naming Japanese or English decides, then the locale
// itself: Japanese for ja, English for any other language.
Language choose_language(LanguageChoice saved, const LocaleEnv& env);

// The one-line file of the choice: "desktop", "ja" or "en". Anything else,
// including a missing or unreadable file, is "desktop".
LanguageChoice parse_language_choice(const std::string& text);
std::string language_choice_text(LanguageChoice c);

// $XDG_CONFIG_HOME/sekiba/language, or ~/.config/sekiba/language.
std::string language_choice_path();
LanguageChoice load_language_choice(const std::string& path);
// Writes the file, making its folder; false when it cannot be written.
bool save_language_choice(const std::string& path, LanguageChoice c);

// Where the English catalogue may lie for a program in exe_dir, first match
// wins: the build tree's locale/ beside it, then the installed share/locale.
std::vector<std::string> catalogue_paths(const std::string& exe_dir, Language lang);

}  // namespace sekiba
