// Runs every file of the given folders through one fuzz target, without the
// fuzzer: the corpus and every input that once found a fault stay tested.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "targets.h"

namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

struct Entry {
  const char* name;
  Target target;
};

#define SEKIBA_FUZZ_ENTRY_ROW(name) {#name, &sekiba::fuzz::fuzz_##name},
constexpr Entry kTargets[] = {SEKIBA_FUZZ_TARGETS(SEKIBA_FUZZ_ENTRY_ROW)};
#undef SEKIBA_FUZZ_ENTRY_ROW

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s TARGET FOLDER...\n", argv[0]);
    return 2;
  }
  const std::string name = argv[1];
  const auto it = std::find_if(std::begin(kTargets), std::end(kTargets),
                               [&](const Entry& e) { return name == e.name; });
  if (it == std::end(kTargets)) {
    std::fprintf(stderr, "no fuzz target %s\n", name.c_str());
    return 2;
  }
  std::vector<std::filesystem::path> files;
  for (int i = 2; i < argc; ++i) {
    if (!std::filesystem::is_directory(argv[i])) continue;
    for (const auto& e : std::filesystem::recursive_directory_iterator(argv[i]))
      if (e.is_regular_file()) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::fprintf(stderr, "no inputs for %s\n", name.c_str());
    return 1;
  }
  for (const auto& f : files) {
    std::ifstream in(f, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "%s\n", f.c_str());
    it->target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%s: %zu inputs replayed\n", name.c_str(), files.size());
  return 0;
}
