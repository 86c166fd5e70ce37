// The libFuzzer entry of one target, chosen when the program is built.
#include "targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return sekiba::fuzz::SEKIBA_FUZZ_ENTRY(data, size);
}
