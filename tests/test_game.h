#pragma once
// A game on the in-memory platform, with its data files in a fresh folder.
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "engine/game.h"
#include "headless/headless_platform.h"

namespace sekiba::test {

class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("sekiba_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string str() const { return path_.string(); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

struct TestGame {
  TempDir dir;
  HeadlessPlatform os;
  Game g{os};
  TestGame() {
    os.data_folder = dir.str();
    g.t.app_path = dir.str();
  }
};

// Little-endian fields of the game's binary files.
inline std::string le16(int v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }
inline std::string le32(std::int32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s += char((std::uint32_t(v) >> (8 * i)) & 0xFF);
  return s;
}

}  // namespace sekiba::test
