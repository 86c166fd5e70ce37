#pragma once
// Every fuzz target: one entry per reader of outside data.
#include <cstddef>
#include <cstdint>

// X(name): the target fuzz_<name>, its corpus fuzz/corpus/<name>.
#define SEKIBA_FUZZ_TARGETS(X) \
  X(settings)                  \
  X(shikou)                    \
  X(yaku_cnt)                  \
  X(lan_partners)              \
  X(hiscore)                   \
  X(contine)                   \
  X(tumikomi)                  \
  X(analyze)                   \
  X(lan_host)                  \
  X(lan_guest)                 \
  X(catalogue)                 \
  X(game_record)

namespace sekiba::fuzz {
#define SEKIBA_FUZZ_DECLARE(name) int fuzz_##name(const std::uint8_t* data, std::size_t size);
SEKIBA_FUZZ_TARGETS(SEKIBA_FUZZ_DECLARE)
#undef SEKIBA_FUZZ_DECLARE
}  // namespace sekiba::fuzz
