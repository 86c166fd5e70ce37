#include "platform/language.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "platform/fileio.h"

namespace sekiba {

namespace {

std::string env_or_empty(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// "ja_JP.UTF-8@x" -> "ja".
std::string language_part(const std::string& locale) {
  std::string out;
  for (char c : locale) {
    if (c == '_' || c == '.' || c == '@' || c == '-') break;
    out += char(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

bool is_c_locale(const std::string& locale) {
  return locale.empty() || locale == "POSIX" || locale == "C" || locale.rfind("C.", 0) == 0 ||
         locale.rfind("C@", 0) == 0;
}

}  // namespace

LocaleEnv LocaleEnv::from_environment() {
  return {env_or_empty("LANGUAGE"), env_or_empty("LC_ALL"), env_or_empty("LC_MESSAGES"),
          env_or_empty("LANG")};
}

Language choose_language(LanguageChoice saved, const LocaleEnv& env) {
  if (saved == LanguageChoice::Japanese) return Language::Japanese;
  if (saved == LanguageChoice::English) return Language::English;
  const std::string& locale = !env.lc_all.empty()        ? env.lc_all
                              : !env.lc_messages.empty() ? env.lc_messages
                                                         : env.lang;
  if (is_c_locale(locale)) return Language::Japanese;
  std::size_t start = 0;
  while (start <= env.language.size()) {
    std::size_t end = env.language.find(':', start);
    if (end == std::string::npos) end = env.language.size();
    const std::string name = language_part(env.language.substr(start, end - start));
    if (name == "ja") return Language::Japanese;
    if (name == "en") return Language::English;
    start = end + 1;
  }
  return language_part(locale) == "ja" ? Language::Japanese : Language::English;
}

LanguageChoice parse_language_choice(const std::string& text) {
  std::string word;
  for (char c : text)
    if (!std::isspace(static_cast<unsigned char>(c))) word += c;
  if (word == "ja") return LanguageChoice::Japanese;
  if (word == "en") return LanguageChoice::English;
  return LanguageChoice::Desktop;
}

std::string language_choice_text(LanguageChoice c) {
  switch (c) {
    case LanguageChoice::Japanese: return "ja";
    case LanguageChoice::English: return "en";
    case LanguageChoice::Desktop: break;
  }
  return "desktop";
}

std::string language_choice_path() {
  // A relative XDG_CONFIG_HOME is to be ignored, as if it were not set.
  const std::string xdg = env_or_empty("XDG_CONFIG_HOME");
  std::string base;
  if (!xdg.empty() && xdg[0] == '/') {
    base = xdg;
  } else {
    std::string home = env_or_empty("HOME");
    if (home.empty())
      if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    base = home + "/.config";
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "/sekiba/language";
}

LanguageChoice load_language_choice(const std::string& path) {
  const auto text = read_file(path, 4096);
  return text ? parse_language_choice(*text) : LanguageChoice::Desktop;
}

bool save_language_choice(const std::string& path, LanguageChoice c) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  return write_file_atomic(path, language_choice_text(c) + "\n");
}

std::vector<std::string> catalogue_paths(const std::string& exe_dir, Language lang) {
  if (lang == Language::Japanese) return {};
  const std::string tail = "/en/LC_MESSAGES/sekiba.mo";
  return {exe_dir + "/locale" + tail, exe_dir + "/../share/locale" + tail};
}

}  // namespace sekiba
