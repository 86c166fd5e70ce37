#pragma once
// Whether a text shows a character of the Japanese scripts: what an English
// screen must never hold.
#include <cstddef>
#include <string>

namespace sekiba::test {

// Kana, CJK ideographs and punctuation, the full- and half-width forms.
inline bool has_japanese(const std::string& utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char b = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    char32_t c = n == 1 ? b : b & (0x3F >> (n - 1));
    for (std::size_t k = 1; k < n && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) ||
        (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF))
      return true;
    i += n;
  }
  return false;
}

}  // namespace sekiba::test
