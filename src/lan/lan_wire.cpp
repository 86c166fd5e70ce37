#include "lan/lan_wire.h"

#include <climits>

#include "lan/lan_state.h"

namespace sekiba::lan {

std::string number_form(long long v) {
  return v < 0 ? "-" + std::to_string(-v) : " " + std::to_string(v);
}

std::string field2(long long v) {
  const std::string s = "  " + number_form(v);
  return s.substr(s.size() - 2);
}

std::string with_number(std::string_view keyword, long long v) {
  return std::string(keyword) + number_form(v);
}

std::optional<long long> value_of(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long v = 0;
  std::size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
    v = v * 10 + (text[i] - '0');
    if (v > 1LL + INT_MAX) return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  v = negative ? -v : v;
  if (v < INT_MIN || v > INT_MAX) return std::nullopt;
  return v;
}

std::optional<long long> value_at(std::string_view text, std::size_t pos, std::size_t count) {
  if (pos + count > text.size()) return std::nullopt;
  return value_of(text.substr(pos, count));
}

std::optional<long long> value_last2(std::string_view text) {
  if (text.size() < 2) return std::nullopt;
  return value_of(text.substr(text.size() - 2));
}

bool starts_with_keyword(std::string_view message, std::string_view keyword) {
  while (!keyword.empty() && keyword.back() == ' ') keyword.remove_suffix(1);
  return message.substr(0, keyword.size()) == keyword;
}

bool tile_code(long long v) {
  return (v >= 1 && v <= 9) || (v >= 11 && v <= 19) || (v >= 21 && v <= 29) || (v >= 31 && v <= 37);
}

bool hand_code(long long v) { return tile_code(v) || v == 38; }

bool chi_fits(long long tile, long long method) {
  if (!tile_code(tile) || tile > 30) return false;
  const long long n = tile % 10;
  switch (method) {
    case 1: return n <= 7;
    case 2: return n >= 2 && n <= 8;
    case 3: return n >= 3;
    default: return false;
  }
}

bool plausible_datagram(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > kMessageLimit) return false;
  for (unsigned char c : bytes)
    if (c < 0x20 || c > 0x7e) return false;
  return true;
}

}  // namespace sekiba::lan
