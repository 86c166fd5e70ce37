#pragma once
// Whether a text shows a character of the Japanese scripts: what an English
// screen must never hold.
#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace sekiba::test {

// Kana, CJK ideographs and punctuation, the full- and half-width forms.
inline bool has_japanese(const std::string& utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = next_character(utf8, i);
    if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) ||
        (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF))
      return true;
  }
  return false;
}

}  // namespace sekiba::test
