#include "records/sjis.h"

#include <iconv.h>

#include <cerrno>

namespace sekiba {

namespace {

// One iconv conversion; on a sequence it cannot convert it writes `bad` and
// skips `skip(in, left)` bytes, so damaged input never stops the conversion.
template <class Skip>
std::string convert(const char* to, const char* from, const std::string& in, const char* bad,
                    Skip skip) {
  iconv_t cd = iconv_open(to, from);
  if (cd == (iconv_t)-1) {
    // A C library without CP932 still has the plain Shift JIS tables.
    cd = iconv_open(std::string(to) == "CP932" ? "SHIFT_JIS" : to,
                    std::string(from) == "CP932" ? "SHIFT_JIS" : from);
    if (cd == (iconv_t)-1) return in;
  }
  std::string out;
  out.reserve(in.size() * 2 + 4);
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  char buf[256];
  while (left > 0) {
    char* dst = buf;
    std::size_t room = sizeof buf;
    std::size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf, std::size_t(dst - buf));
    if (r != std::size_t(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (a sequence cut off at the end): replace and move on.
    out += bad;
    std::size_t n = skip(src, left);
    src += n;
    left -= n;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

std::size_t utf8_length(const char* p, std::size_t left) {
  const unsigned char c = static_cast<unsigned char>(*p);
  std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  if (n > left) n = left;
  for (std::size_t i = 1; i < n; ++i)
    if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return i;
  return n;
}

}  // namespace

std::string utf8_to_sjis(const std::string& utf8) {
  return convert("CP932", "UTF-8", utf8, "?", utf8_length);
}

std::string sjis_to_utf8(const std::string& sjis) {
  return convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD", [](const char*, std::size_t) {
    return std::size_t(1);
  });
}

}  // namespace sekiba
