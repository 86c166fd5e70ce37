// The game must build and run without a display: Qt stays inside src/qt.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace {

TEST(Layers, NoQtHeaderOutsideTheQtFolder) {
  namespace fs = std::filesystem;
  const fs::path src = fs::path(SEKIBA_SOURCE_DIR) / "src";
  const std::regex qt_include(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)[^>"]*[>"])");
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file()) continue;
    const fs::path rel = fs::relative(entry.path(), src);
    if (*rel.begin() == "qt") continue;
    const auto ext = entry.path().extension();
    if (ext != ".cpp" && ext != ".h" && ext != ".hpp" && ext != ".in") continue;
    ++files;
    std::ifstream in(entry.path());
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
      ++n;
      EXPECT_FALSE(std::regex_search(line, qt_include)) << rel.string() << ":" << n << ": " << line;
    }
  }
  EXPECT_GT(files, 10);
}

}  // namespace
