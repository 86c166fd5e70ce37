#pragma once
// Little-endian fields of the game's binary files. The reader never reads past
// the end and never trusts a length it has not checked against what is left.
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace sekiba {

struct ByteWriter {
  std::string bytes;
  void u8(unsigned v) { bytes.push_back(char(v & 0xFF)); }
  void i16(std::int32_t v) {
    u8(unsigned(v));
    u8(unsigned(v) >> 8);
  }
  void i32(std::int32_t v) {
    for (int i = 0; i < 4; ++i) u8(std::uint32_t(v) >> (8 * i));
  }
  // A 16-bit byte count, then the bytes; a longer text is cut to fit the count.
  void text16(const std::string& s) {
    const std::size_t n = s.size() > 0xFFFF ? 0xFFFF : s.size();
    i16(std::int32_t(n));
    bytes.append(s, 0, n);
  }
};

class ByteReader {
 public:
  explicit ByteReader(const std::string& b) : b_(b) {}
  std::size_t left() const { return b_.size() - pos_; }
  bool i16(std::int16_t& v) {
    if (left() < 2) return false;
    v = std::int16_t(byte(0) | (byte(1) << 8));
    pos_ += 2;
    return true;
  }
  bool i32(std::int32_t& v) {
    if (left() < 4) return false;
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= std::uint32_t(byte(i)) << (8 * i);
    v = std::int32_t(u);
    pos_ += 4;
    return true;
  }
  bool text16(std::string& s) {
    std::int16_t n16 = 0;
    if (!i16(n16)) return false;
    const std::size_t n = std::uint16_t(n16);
    if (n > left()) return false;
    s.assign(b_, pos_, n);
    pos_ += n;
    return true;
  }

 private:
  const std::string& b_;
  std::size_t pos_ = 0;
  unsigned byte(int i) const { return static_cast<unsigned char>(b_[pos_ + std::size_t(i)]); }
};

// The files are written from their start without being cut: bytes of an older,
// longer content stay after the new ones.
inline std::string overwrite_from_start(const std::optional<std::string>& old, std::string fresh) {
  if (old && old->size() > fresh.size()) fresh.append(*old, fresh.size(), std::string::npos);
  return fresh;
}

}  // namespace sekiba
