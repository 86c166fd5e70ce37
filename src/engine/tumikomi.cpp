#include "engine/tumikomi.h"

#include <algorithm>
#include <cstdlib>

#include "engine/game.h"
#include "engine/table.h"
#include "platform/fileio.h"
#include "records/own_files.h"

namespace sekiba {

namespace {

bool separator(char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A whole number with an optional sign; false for anything else or beyond 16 bits.
bool parse_field(const std::string& f, std::int16_t& out) {
  std::size_t i = 0;
  bool neg = false;
  if (i < f.size() && (f[i] == '+' || f[i] == '-')) neg = f[i++] == '-';
  if (i == f.size()) return false;
  long v = 0;
  for (; i < f.size(); ++i) {
    if (f[i] < '0' || f[i] > '9') return false;
    v = v * 10 + (f[i] - '0');
    if (v > 32768) return false;
  }
  if (neg) v = -v;
  if (v < -32768 || v > 32767) return false;
  out = std::int16_t(v);
  return true;
}

// Reads a pattern file over the table; a missing file changes nothing.
void load_over(TumikomiTable& table, const std::optional<std::string>& text) {
  if (text) tumikomi_apply(table, read_list_numbers(*text, kTumikomiEnd));
}

}  // namespace

std::vector<std::int16_t> read_list_numbers(const std::string& text, std::size_t max) {
  std::vector<std::int16_t> out;
  std::size_t pos = 0;
  // A byte-order mark written by some editors is not part of the first number.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
  while (out.size() < max) {
    while (pos < text.size() && separator(text[pos])) ++pos;
    if (pos >= text.size()) break;
    std::size_t end = pos;
    while (end < text.size() && !separator(text[end])) ++end;
    std::int16_t v;
    if (!parse_field(text.substr(pos, end - pos), v)) break;
    out.push_back(v);
    pos = end;
  }
  return out;
}

void tumikomi_clear(TumikomiTable& t) {
  t.fill(kEmpty);
  for (int p = 0; p < kTumikomiPatterns; ++p) t[std::size_t(kTumikomiPatternSize * p)] = 0;
  t[kTumikomiEnd] = 0;
}

void tumikomi_apply(TumikomiTable& t, const std::vector<std::int16_t>& numbers) {
  const std::size_t n = std::min<std::size_t>(numbers.size(), kTumikomiEnd);
  for (std::size_t i = 0; i < n; ++i) {
    std::int16_t v = numbers[i];
    const bool trigger = i % kTumikomiPatternSize == 0;
    if (!trigger && !is_tile(v)) v = kEmpty;
    t[i] = v;
  }
}

std::string tumikomi_format(const TumikomiTable& t) {
  std::string out;
  for (int p = 0; p < kTumikomiPatterns; ++p) {
    out += std::to_string(t[std::size_t(kTumikomiPatternSize * p)]);
    out += "\r\n";
    for (int v = 0; v < kTumikomiVariants; ++v) {
      for (int j = 0; j < kTumikomiVariantSize; ++j) {
        if (j > 0) out += ',';
        out += std::to_string(t[std::size_t(tumikomi_index(p, v, j))]);
      }
      out += "\r\n";
    }
  }
  return out;
}

void tumikomi_load_tin(Game& g) {
  tumikomi_clear(g.tumikomi_data);
  load_over(g.tumikomi_data, read_file(g.path(kTumikomiDefaultFile), 1u << 20));
}

void tumikomi_load_tum(Game& g) {
  load_over(g.tumikomi_data, read_own_file(g, kTumikomiUserFile, N_("積み込みﾃﾞｰﾀﾌｧｲﾙ"), 1u << 20));
}

bool tumikomi_save(Game& g) {
  if (write_file_atomic(g.save_path(kTumikomiUserFile), tumikomi_format(g.tumikomi_data))) return true;
  g.os.message_box(g.os.tr("積み込みﾃﾞｰﾀﾌｧｲﾙを書き込めませんでした"), g.os.tr("ﾌｧｲﾙの書き込み"), MessageButtons::Ok,
                   MessageIcon::None);
  return false;
}

int check_maisu(const TumikomiTable& t) {
  for (int p = 0; p < kTumikomiPatterns; ++p)
    for (int v = 0; v < kTumikomiVariants; ++v) {
      int count[38] = {};
      for (int j = 0; j < kTumikomiVariantSize; ++j) {
        const int code = t[std::size_t(tumikomi_index(p, v, j))];
        if (code >= 1 && code <= 37 && ++count[code] > 4) return p;
      }
    }
  return 99;
}

int tumikomi_step(int code, bool forward) {
  if (!is_tile(code)) code = kEmpty;
  if (forward) {
    if (code == kEmpty) return 1;
    int next = code + 1;
    if (next % 10 == 0) ++next;  // 10, 20, 30 are no tiles
    return next > 37 ? kEmpty : next;
  }
  if (code == 1) return kEmpty;
  if (code == kEmpty) return 37;
  int prev = code - 1;
  if (prev % 10 == 0) --prev;
  return prev;
}

}  // namespace sekiba
