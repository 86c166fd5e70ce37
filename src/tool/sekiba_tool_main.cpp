// sekiba-tool: the game's judgements and whole headless games from the command line.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tool/analyze.h"
#include "tool/sim.h"

namespace {
int usage() {
  std::cerr << "usage: sekiba-tool analyze < requests.jsonl\n"
               "       sekiba-tool sim --games N --seed S [--mode 0..7] [--settei i=v ...] "
               "[--shikou i=v ...]\n";
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  if (std::strcmp(argv[1], "analyze") == 0) return sekiba::analyze_main(std::cin, std::cout);
  if (std::strcmp(argv[1], "sim") == 0)
    return sekiba::sim_main(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
  return usage();
}
