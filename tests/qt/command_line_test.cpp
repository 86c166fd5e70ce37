// The game's options: usage and version end the program; Qt's options and no
// options start the game.
#include "qt/command_line.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <vector>

namespace sekiba {
namespace {

TEST(CommandLine, HelpAndVersionAnswerAndEndOthersStartTheGame) {
  auto run = [](std::vector<const char*> args, std::string& out) {
    args.insert(args.begin(), "sekiba");
    std::ostringstream s;
    const int rc = command_line(int(args.size()), args.data(), s);
    out = s.str();
    return rc;
  };
  std::string out;
  for (const char* help : {"--help", "-h"}) {
    EXPECT_EQ(run({help}, out), 0) << help;
    EXPECT_EQ(out.rfind("Usage: sekiba [--help | --version]\n", 0), 0u) << out;
    EXPECT_NE(out.find("--version"), std::string::npos);
  }
  for (const char* version : {"--version", "-v"}) {
    EXPECT_EQ(run({"-platform", "offscreen", version}, out), 0) << version;
    EXPECT_TRUE(std::regex_search(out, std::regex("^sekiba [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << out;
    EXPECT_NE(out.find("GPL-3.0-or-later"), std::string::npos) << out;
  }
  EXPECT_EQ(run({}, out), -1);
  EXPECT_EQ(run({"-platform", "offscreen"}, out), -1);
  EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace sekiba
