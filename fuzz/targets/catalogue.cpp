// A compiled catalogue as the game reads it at start-up: any bytes give either
// a catalogue or none, never a crash, and a lookup never invents a text.
#include <string>

#include "harness.h"
#include "platform/catalogue.h"
#include "targets.h"

namespace sekiba::fuzz {

int fuzz_catalogue(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Catalogue c;
  const bool loaded = c.load_bytes(bytes);
  FUZZ_CHECK(loaded || c.empty());
  FUZZ_CHECK(c.find("") == "");
  // Whatever a lookup answers stands in the file (or is the text asked for).
  const std::string ids[] = {"ロン", "ﾂﾓ", "\x04", bytes.substr(0, 8)};
  for (const std::string& id : ids) {
    const std::string got = c.find(id);
    FUZZ_CHECK(got == id || bytes.find(got) != std::string::npos);
    const std::string in_context = c.find("table", id);
    FUZZ_CHECK(in_context == id || bytes.find(in_context) != std::string::npos);
  }
  return 0;
}

}  // namespace sekiba::fuzz
