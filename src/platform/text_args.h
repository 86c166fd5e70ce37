#pragma once
// Values put into a text that passed through Platform::tr. The text marks each
// value's place with %1 ... %9, so that a language may order the parts of its
// sentence its own way, and a value that itself holds "%1" (a folder name) is
// put in as it is, never read as a place.
#include <initializer_list>
#include <string>

namespace sekiba {

inline std::string fill_in(const std::string& text, std::initializer_list<std::string> values) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const std::size_t n = std::size_t(text[i + 1] - '1');
      if (n < values.size()) {
        out += *(values.begin() + n);
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace sekiba
