#pragma once
// Where the program keeps its files. A copy in a folder of its own that it may
// write to (a build tree, a portable copy) keeps everything beside itself. An
// installed or read-only copy keeps the user's files in the user's data folder
// and still reads its assets and any older files beside the program and in the
// installed share folder.
#include <string>
#include <vector>

namespace sekiba {

struct FolderPlan {
  // Where the program writes.
  std::string app_path;
  // Where it looks for a file to read, first match wins: the user's own files,
  // then the program's folder, then the installed assets.
  std::vector<std::string> read_folders;
};

// The user's data folder of the program: $XDG_DATA_HOME/sekiba, or
// ~/.local/share/sekiba when that is not set.
std::string user_data_folder();

// The user's configuration folder of the program: $XDG_CONFIG_HOME/sekiba, or
// ~/.config/sekiba when that is not set. Not created here.
std::string user_config_folder();

// The plan for a program whose executable lies in exe_dir; data_folder is the
// user's data folder, created when the plan uses it.
FolderPlan plan_folders(const std::string& exe_dir, const std::string& data_folder);

// A folder or file the program may write to: its permissions allow it, and the
// user has not taken away every write permission (which the superuser could
// otherwise ignore).
bool may_write(const std::string& path);

// The named file in the first of the folders that holds it; in app_path when
// none does.
std::string find_in_folders(const std::vector<std::string>& folders, const std::string& app_path,
                            const std::string& name);

}  // namespace sekiba
