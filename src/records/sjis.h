#pragma once
// Conversion between the game's UTF-8 texts and the Shift JIS bytes of its
// binary files (Windows code page 932, so the full-width marks the old files hold
// round-trip).
#include <string>

namespace sekiba {

// A character the code page cannot hold becomes "?".
std::string utf8_to_sjis(const std::string& utf8);
// A byte sequence that is not Shift JIS becomes U+FFFD, one per bad byte.
std::string sjis_to_utf8(const std::string& sjis);

}  // namespace sekiba
