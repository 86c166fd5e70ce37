// sekiba-tool: the game's judgements and whole headless games from the command line.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tool/analyze.h"
#include "tool/replay.h"
#include "tool/sim.h"
#include "version.h"

namespace {
void usage(std::ostream& out) {
  out << "usage: sekiba-tool analyze < requests.jsonl\n"
         "       sekiba-tool sim --games N --seed S [--mode 0..7] [--settei i=v ...] "
         "[--shikou i=v ...] [--rss-at N,N...] [--record DIR]\n"
         "       sekiba-tool replay FILE\n"
         "       sekiba-tool --help | --version\n"
         "See sekiba-tool(6).\n";
}
int usage() {
  usage(std::cerr);
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string op = argv[1];
  if (op == "--help" || op == "-h") {
    usage(std::cout);
    return 0;
  }
  if (op == "--version" || op == "-v") {
    std::cout << "sekiba-tool " << sekiba::kVersionString << "\n";
    return 0;
  }
  if (std::strcmp(argv[1], "analyze") == 0) return sekiba::analyze_main(std::cin, std::cout);
  if (std::strcmp(argv[1], "sim") == 0)
    return sekiba::sim_main(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
  if (std::strcmp(argv[1], "replay") == 0)
    return sekiba::replay_main(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
  return usage();
}
