#pragma once
// The text forms of the LAN messages: numbers as they travel, and reading values
// back by position. Pure functions, so every message form is tested alone.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sekiba::lan {

// A blank before a value of 0 or more, the minus sign before a negative one.
std::string number_form(long long v);
// The number form right-aligned in two characters (only the last two are kept).
std::string field2(long long v);
// keyword (with its trailing blank) followed by the number form: "dora  5".
std::string with_number(std::string_view keyword, long long v);

// The usual text-to-number rule: leading blanks, an optional sign, digits, and
// whatever follows ignored. Empty when there is no digit or the value does not
// fit in 32 bits.
std::optional<long long> value_of(std::string_view text);
// The value of `count` characters from 0-based position `pos`; empty when the
// text is too short.
std::optional<long long> value_at(std::string_view text, std::size_t pos, std::size_t count);
// The value of the last two characters.
std::optional<long long> value_last2(std::string_view text);

// The message starts with the keyword written without its trailing blank.
bool starts_with_keyword(std::string_view message, std::string_view keyword);

// Tile codes as they may appear in a message.
bool tile_code(long long v);          // 1..9, 11..19, 21..29, 31..37
bool hand_code(long long v);          // a tile code or 38 (an empty slot)
// A chi on `tile` by method 1..3 (the called tile lowest, middle, highest) whose
// run stays inside one suit.
bool chi_fits(long long tile, long long method);

// A datagram worth queueing: not empty, not longer than any message, plain ASCII.
bool plausible_datagram(std::string_view bytes);

}  // namespace sekiba::lan
