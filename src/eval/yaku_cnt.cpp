// The per-yaku win counts: the statistics file and the window's content.
#include <cstdint>
#include <string>

#include "engine/game.h"
#include "eval/yaku.h"
#include "platform/fileio.h"
#include "records/own_files.h"

namespace sekiba {

namespace {

// One number of the file: optional blanks, an optional minus sign and digits
// that fit 16 bits, then a comma, a line end or the end of the text.
bool read_number(const std::string& s, std::size_t& pos, std::int16_t& out) {
  while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < s.size() && s[pos] == '-') negative = true, ++pos;
  long value = 0;
  std::size_t digits = 0;
  while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
    value = value * 10 + (s[pos] - '0');
    if (value > 32768) return false;
    ++pos, ++digits;
  }
  if (digits == 0) return false;
  if (negative) value = -value;
  if (value > INT16_MAX || value < INT16_MIN) return false;
  while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
  if (pos < s.size()) {
    if (s[pos] == ',') ++pos;
    else if (s[pos] == '\r') {
      ++pos;
      if (pos < s.size() && s[pos] == '\n') ++pos;
    } else if (s[pos] == '\n') ++pos;
    else return false;
  }
  out = std::int16_t(value);
  return true;
}

}  // namespace

std::string format_yaku_cnt(const YakuState& y) {
  std::string out;
  for (int c = 0; c < kYakuCntLines; ++c) {
    out += std::to_string(y.yaku_cnt[0][std::size_t(c)]);
    out += ',';
    out += std::to_string(y.yaku_cnt[1][std::size_t(c)]);
    out += "\r\n";
  }
  return out;
}

int parse_yaku_cnt(const std::string& text, YakuState& y) {
  std::size_t pos = 0;
  for (int c = 0; c < kYakuCntLines; ++c) {
    // A line cut after its first number keeps that number.
    if (!read_number(text, pos, y.yaku_cnt[0][std::size_t(c)])) return c;
    if (!read_number(text, pos, y.yaku_cnt[1][std::size_t(c)])) return c;
  }
  return kYakuCntLines;
}

void load_yaku_cnt(Game& g) {
  for (auto& side : g.yaku.yaku_cnt) side.fill(0);
  if (auto text = read_own_file(g, kYakuCntFile, N_("上がり役累積ﾌｧｲﾙ"), 1u << 20)) parse_yaku_cnt(*text, g.yaku);
}

void save_yaku_cnt(Game& g) {
  if (!g.saves_for_later) return;
  if (write_file_atomic(g.save_path(kYakuCntFile), format_yaku_cnt(g.yaku))) return;
  g.os.message_box(g.os.tr("上がり役累積ﾌｧｲﾙを書き込めませんでした"), g.os.tr("ﾌｧｲﾙの書き込み"), MessageButtons::Ok,
                   MessageIcon::None);
}

std::array<std::vector<YakuRirekiRow>, 3> yakurireki_rows(const Game& g) {
  std::array<std::vector<YakuRirekiRow>, 3> blocks;
  // Window index k shows code k below 16 and code k + 4 above; the three blocks
  // are the yakuman, then the yaku up to 三色同順, then the rest.
  for (int k = 0; k <= 45; ++k) {
    const int code = k < 16 ? k : k + 4;
    const std::size_t block = k < 16 ? 0 : (k < 30 ? 1 : 2);
    blocks[block].push_back(YakuRirekiRow{code, yaku_name(code),
                                          std::to_string(g.yaku.yaku_cnt[0][std::size_t(code)]),
                                          std::to_string(g.yaku.yaku_cnt[1][std::size_t(code)])});
  }
  return blocks;
}

}  // namespace sekiba
