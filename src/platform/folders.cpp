#include "platform/folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/platform.h"

namespace sekiba {

namespace fs = std::filesystem;

namespace {

std::string without_trailing_slash(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

}  // namespace

namespace {

std::string xdg_folder(const char* variable, const char* fallback_under_home) {
  const char* xdg = std::getenv(variable);
  // A relative value is to be ignored, as if it were not set.
  if (xdg && xdg[0] == '/') return without_trailing_slash(xdg) + "/sekiba";
  std::string home;
  if (const char* h = std::getenv("HOME"); h && h[0]) home = h;
  else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
  return without_trailing_slash(home) + fallback_under_home;
}

}  // namespace

std::string user_data_folder() { return xdg_folder("XDG_DATA_HOME", "/.local/share/sekiba"); }

std::string user_config_folder() { return xdg_folder("XDG_CONFIG_HOME", "/.config/sekiba"); }

bool may_write(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  return (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

FolderPlan plan_folders(const std::string& exe_dir, const std::string& data_folder) {
  const std::string exe = without_trailing_slash(exe_dir);
  // Installed as <prefix>/games/sekiba with its assets in <prefix>/share/games/sekiba
  // (Debian's place for games), or as <prefix>/bin/sekiba with <prefix>/share/sekiba,
  // wherever the prefix was moved to.
  std::error_code ec;
  fs::path share;
  bool installed = false;
  for (const char* rel : {"../share/games/sekiba", "../share/sekiba"}) {
    share = (fs::path(exe) / rel).lexically_normal();
    if ((installed = fs::is_directory(share, ec))) break;
  }
  if (!installed && may_write(exe)) return {exe, {exe}};
  const std::string data = without_trailing_slash(data_folder);
  fs::create_directories(data, ec);
  FolderPlan plan{data, {data, exe}};
  if (installed) plan.read_folders.push_back(without_trailing_slash(share.string()));
  return plan;
}

std::string find_in_folders(const std::vector<std::string>& folders, const std::string& app_path,
                            const std::string& name) {
  for (const std::string& folder : folders) {
    const std::string p = join_app_path(folder, name);
    struct stat st {};
    if (::stat(p.c_str(), &st) == 0) return p;
  }
  return join_app_path(app_path, name);
}

}  // namespace sekiba
