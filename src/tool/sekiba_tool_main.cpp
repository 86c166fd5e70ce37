// sekiba-tool: the game's judgements and whole headless games from the command line.
#include <cstring>
#include <iostream>

#include "tool/analyze.h"

namespace {
int usage() {
  std::cerr << "usage: sekiba-tool analyze < requests.jsonl\n";
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  if (std::strcmp(argv[1], "analyze") == 0) return sekiba::analyze_main(std::cin, std::cout);
  return usage();
}
