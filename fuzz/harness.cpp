#include "harness.h"

#include <filesystem>
#include <unistd.h>


namespace sekiba::fuzz {

void FuzzPlatform::clear_records() {
  messages.clear();
  sounds.clear();
  texts.clear();
  dialogs_opened.clear();
  charts.clear();
  answers.clear();
  input.clear();
}

Harness::Harness() {
  // Memory-backed where there is such a folder: every input is a file write.
  const std::filesystem::path base =
      std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  dir = (base / ("sekiba_fuzz_" + std::to_string(::getpid()))).string();
  std::filesystem::create_directories(dir);
  os.data_folder = dir;
  g.t.app_path = dir;
  // The record that lets the table be drawn again at another scale reads no
  // outside data, and keeping it costs most of the time of the targets that draw.
  g.scr.win.log = g.scr.PicHAIKEI.log = g.scr.PicWORK.log = nullptr;
}

void Harness::fresh() {
  os.clear_records();
  g.scr.log.clear();
}

Harness::~Harness() {
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

void Harness::put(const char* name, const std::uint8_t* data, std::size_t size) {
  // A plain write: the game's own save flushes to disk, far too slow per input.
  std::FILE* f = std::fopen(g.path(name).c_str(), "wb");
  FUZZ_CHECK(f != nullptr);
  if (size > 0) FUZZ_CHECK(std::fwrite(data, 1, size, f) == size);
  FUZZ_CHECK(std::fclose(f) == 0);
}

Harness& harness() {
  static Harness h;
  return h;
}

}  // namespace sekiba::fuzz
