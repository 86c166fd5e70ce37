#include "records/sjis.h"

#include <iconv.h>

#include <cerrno>

namespace sekiba {

namespace {

// An iconv descriptor opened once per thread and direction: opening one loads
// the conversion tables, which costs far more than converting a name.
class Converter {
 public:
  Converter(const char* to, const char* from) {
    cd_ = iconv_open(to, from);
    // A C library without CP932 still has the plain Shift JIS tables.
    if (cd_ == (iconv_t)-1)
      cd_ = iconv_open(std::string(to) == "CP932" ? "SHIFT_JIS" : to,
                       std::string(from) == "CP932" ? "SHIFT_JIS" : from);
  }
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != (iconv_t)-1; }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// One conversion; on a sequence it cannot convert it writes `bad` and skips
// `skip(in, left)` bytes, so damaged input never stops the conversion.
template <class Skip>
std::string convert(const Converter& c, const std::string& in, const char* bad, Skip skip) {
  if (!c.ok()) return in;
  if (in.empty()) return {};
  const iconv_t cd = c.get();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // the state a fresh descriptor has
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
  thread_local const Converter c("CP932", "UTF-8");
  return convert(c, utf8, "?", utf8_length);
}

std::string sjis_to_utf8(const std::string& sjis) {
  thread_local const Converter c("UTF-8", "CP932");
  return convert(c, sjis, "\xEF\xBF\xBD", [](const char*, std::size_t) {
    return std::size_t(1);
  });
}

}  // namespace sekiba
