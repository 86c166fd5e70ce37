#pragma once
// What every fuzz target shares: one headless game per process whose data files
// live in a private folder, and a check that stops the run with a message.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/game.h"
#include "headless/headless_platform.h"

// A property the input broke: reported like a crash, so the fuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                      \
  do {                                                                                        \
    if (!(cond)) {                                                                            \
      std::fprintf(stderr, "fuzz check failed: %s at %s:%d\n", #cond, __FILE__, __LINE__);   \
      std::abort();                                                                           \
    }                                                                                         \
  } while (0)

namespace sekiba::fuzz {

// A door whose socket always binds and whose sends go nowhere: the partner of a
// LAN target is the fuzzer itself.
class FuzzPlatform : public HeadlessPlatform {
 public:
  bool udp_bind(int) override { return true; }
  bool udp_set_remote(const std::string&, int) override { return true; }
  std::string udp_remote_address() const override { return "127.0.0.1"; }
  bool udp_send(const std::string&) override { return true; }
  void udp_close() override {}
  // Forgets what earlier inputs left behind.
  void clear_records();
};

struct Harness {
  std::string dir;
  FuzzPlatform os;
  Game g{os};
  Harness();
  ~Harness();
  // Forgets what earlier inputs left behind, the record of what was drawn
  // included: it would otherwise grow with every input that draws.
  void fresh();
  // Writes the input as the named data file ("\\sekiba_set.txt").
  void put(const char* name, const std::uint8_t* data, std::size_t size);
};

Harness& harness();

inline std::string text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace sekiba::fuzz
