// Writes the synthesised table sounds into a folder (the build tree), leaving any
// file that is already there alone so a user's own sounds win.
#include <cstdio>
#include <string>

#include "platform/fileio.h"
#include "screen/wave_synth.h"

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  int written = 0;
  for (const auto& s : sekiba::synthesize_table_sounds()) {
    const std::string path = dir + "/" + s.name + ".wav";
    if (sekiba::file_exists(path)) continue;
    if (!sekiba::write_file_atomic(path, s.bytes)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    ++written;
  }
  return written >= 0 ? 0 : 1;
}
