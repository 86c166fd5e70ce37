#include "records/extras.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "engine/game.h"
#include "platform/fileio.h"

namespace sekiba {

namespace {

bool parse_flag(const std::string& v, bool& out) {
  if (v == "1") out = true;
  else if (v == "0") out = false;
  else return false;
  return true;
}

std::string trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  const auto e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

}  // namespace

Extras parse_extras(const std::string& text) {
  Extras e;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = trim(line.substr(0, eq)), value = trim(line.substr(eq + 1));
    if (key == "calls_when_possible") parse_flag(value, e.calls_when_possible);
    else if (key == "say_refusals") parse_flag(value, e.say_refusals);
    else if (key == "keep_hints") parse_flag(value, e.keep_hints);
    else if (key == "hint_discard") parse_flag(value, e.osekai);
    else if (key == "hint_dora") parse_flag(value, e.asist);
    else if (key == "muted") parse_flag(value, e.muted);
    else if (key == "volume") {
      char* end = nullptr;
      errno = 0;
      const long v = std::strtol(value.c_str(), &end, 10);
      if (!value.empty() && *end == '\0' && errno == 0 && v >= 0 && v <= 100) e.volume = int(v);
    }
  }
  return e;
}

std::string format_extras(const Extras& e) {
  auto flag = [](bool b) { return b ? "1" : "0"; };
  std::string s;
  s += std::string("calls_when_possible=") + flag(e.calls_when_possible) + "\n";
  s += std::string("say_refusals=") + flag(e.say_refusals) + "\n";
  s += std::string("keep_hints=") + flag(e.keep_hints) + "\n";
  s += std::string("hint_discard=") + flag(e.osekai) + "\n";
  s += std::string("hint_dora=") + flag(e.asist) + "\n";
  s += "volume=" + std::to_string(e.volume) + "\n";
  s += std::string("muted=") + flag(e.muted) + "\n";
  return s;
}

void load_extras(Game& g) {
  const std::string folder = g.os.config_folder();
  Extras e;
  if (!folder.empty()) {
    const std::string path = folder + "/" + kExtrasFile;
    if (auto text = read_file(path, 64 * 1024)) e = parse_extras(*text);
    e.path = path;
  }
  g.ext = e;
  g.os.set_sound_volume(e.volume, e.muted);
}

bool save_extras(const Game& g) {
  if (g.ext.path.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(g.ext.path).parent_path(), ec);
  return write_file_atomic(g.ext.path, format_extras(g.ext));
}

void remember_hints(Game& g) {
  if (!g.ext.keep_hints) return;
  g.ext.osekai = g.man.osekai_flag == 1;
  g.ext.asist = g.man.asist_flag == 1;
  save_extras(g);
}

}  // namespace sekiba
