// Where the program reads and writes its files: beside itself in a build tree,
// in the user's data folder when installed or kept in a read-only folder.
#include "platform/folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "engine/startup.h"
#include "engine/waits.h"
#include "platform/fileio.h"
#include "records/settings.h"
#include "screen/capture.h"
#include "test_game.h"

namespace sekiba {
namespace {

namespace fs = std::filesystem;

void put(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  ASSERT_TRUE(write_file_atomic(path, bytes));
}

TEST(Folders, PlanForEachKindOfCopy) {
  test::TempDir root;
  const std::string data = root.file("home/.local/share/sekiba");
  struct Case {
    const char* what;
    std::string exe;
    std::vector<std::string> shares;  // made beside the program, relative to it
    bool read_only;
    std::vector<std::string> expected_read;
    std::string expected_app;
  };
  const std::string build = root.file("build"), prefix = root.file("opt/game");
  const std::string ro = root.file("cdrom"), games = root.file("usr/games");
  const std::string both = root.file("both/games");
  const std::vector<Case> cases = {
      {"build tree", build, {}, false, {build}, build},
      {"installed", prefix + "/bin", {"../share/sekiba"}, false,
       {data, prefix + "/bin", prefix + "/share/sekiba"}, data},
      // Debian's place for games: <prefix>/games and <prefix>/share/games/sekiba.
      {"installed as a game", games, {"../share/games/sekiba"}, false,
       {data, games, root.file("usr/share/games/sekiba")}, data},
      {"both layouts: the games folder wins", both, {"../share/sekiba", "../share/games/sekiba"},
       false, {data, both, root.file("both/share/games/sekiba")}, data},
      {"read-only portable copy", ro, {}, true, {data, ro}, data},
  };
  for (const Case& c : cases) {
    fs::remove_all(root.file("home"));
    fs::create_directories(c.exe);
    for (const std::string& s : c.shares) fs::create_directories(fs::path(c.exe) / s);
    if (c.read_only) ::chmod(c.exe.c_str(), 0555);
    const FolderPlan plan = plan_folders(c.exe + "/", data);
    EXPECT_EQ(plan.app_path, c.expected_app) << c.what;
    EXPECT_EQ(plan.read_folders, c.expected_read) << c.what;
    // The user's data folder exists from the first start that uses it.
    EXPECT_EQ(fs::is_directory(data), c.expected_app == data) << c.what;
    ::chmod(c.exe.c_str(), 0755);
  }
}

TEST(Folders, UserDataFolderFollowsXdgDataHome) {
  const char* old_xdg = std::getenv("XDG_DATA_HOME");
  const std::string keep = old_xdg ? old_xdg : "";
  ::setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/root", 1);
  const std::string home = std::getenv("HOME");
  ::setenv("XDG_DATA_HOME", "/srv/data/", 1);
  EXPECT_EQ(user_data_folder(), "/srv/data/sekiba");
  ::setenv("XDG_DATA_HOME", "relative", 1);
  EXPECT_EQ(user_data_folder(), home + "/.local/share/sekiba");
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(user_data_folder(), home + "/.local/share/sekiba");
  if (old_xdg) ::setenv("XDG_DATA_HOME", keep.c_str(), 1);
}

// An installed copy: the user's folder, the program's folder, the share folder.
struct InstalledGame : ::testing::Test {
  test::TempDir root;
  HeadlessPlatform os;
  Game g{os};
  std::string data = root.file("data"), prog = root.file("bin"), share = root.file("share");
  InstalledGame() {
    for (const auto& d : {data, prog, share}) fs::create_directories(d);
    os.data_folder = data;
    os.read_folder_list = {data, prog, share};
    EXPECT_TRUE(Form_Load(g));
  }
};

TEST_F(InstalledGame, AssetsAreFoundAndTheUsersOwnFileWins) {
  put(share + "/sekiba_wave_pon.wav", "share");
  put(share + "/sekiba_wave_ron.wav", "share");
  put(data + "/sekiba_wave_ron.wav", "mine");
  put(share + "/sekiba_html_help_mokuji.htm", "help");
  wave_play(g, "\\sekiba_wave_pon");
  wave_play(g, "\\sekiba_wave_ron");
  EXPECT_EQ(os.sounds, (std::vector<std::string>{share + "/sekiba_wave_pon.wav",
                                                 data + "/sekiba_wave_ron.wav"}));
  EXPECT_EQ(help_file(g), share + "/sekiba_html_help_mokuji.htm");
}

TEST_F(InstalledGame, OldFilesBesideTheProgramAreReadAndSavesGoToTheUsersFolder) {
  put(prog + "/sekiba_set.txt", " 1 \r\n 1 \r\n");
  load_settei(g);
  EXPECT_EQ(g.s.settei[1], 1);
  g.s.settei[2] = 1;
  ASSERT_TRUE(settei_save(g));
  EXPECT_EQ(read_file(prog + "/sekiba_set.txt"), " 1 \r\n 1 \r\n");
  g.s.set_defaults();
  load_settei(g);  // now the user's own copy
  EXPECT_EQ(g.s.settei[2], 1);
  EXPECT_TRUE(fs::exists(data + "/sekiba_set.txt"));
}

}  // namespace
}  // namespace sekiba
