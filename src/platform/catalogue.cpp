#include "platform/catalogue.h"

#include <cstdint>
#include <optional>

#include "platform/fileio.h"

namespace sekiba {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;

// Reads the 32-bit word at offset in the file's byte order; nothing when it lies
// past the end.
std::optional<std::uint32_t> word(const std::string& b, std::uint64_t offset, bool swapped) {
  if (offset + 4 > b.size()) return std::nullopt;
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    const std::uint32_t byte = static_cast<unsigned char>(b[std::size_t(offset) + std::size_t(i)]);
    v |= swapped ? byte << (8 * (3 - i)) : byte << (8 * i);
  }
  return v;
}

// The string whose length and offset stand at table entry i; nothing when it
// does not lie whole inside the file.
std::optional<std::string> entry(const std::string& b, std::uint32_t table, std::uint32_t i,
                                 bool swapped) {
  const std::uint64_t at = std::uint64_t(table) + std::uint64_t(i) * 8;
  const auto len = word(b, at, swapped);
  const auto off = word(b, at + 4, swapped);
  if (!len || !off || std::uint64_t(*off) + *len > b.size()) return std::nullopt;
  return b.substr(*off, *len);
}

}  // namespace

bool Catalogue::load_file(const std::string& path) {
  entries_.clear();
  const auto bytes = read_file(path);
  return bytes && load_bytes(*bytes);
}

bool Catalogue::load_bytes(const std::string& b) {
  entries_.clear();
  const auto magic = word(b, 0, false);
  if (!magic) return false;
  const bool swapped = *magic != kMagic;
  if (swapped && *magic != 0xde120495) return false;
  const auto revision = word(b, 4, swapped);
  const auto count = word(b, 8, swapped);
  const auto originals = word(b, 12, swapped);
  const auto translations = word(b, 16, swapped);
  // Major revisions above 1 are a format this reader does not know.
  if (!revision || (*revision >> 16) > 1 || !count || !originals || !translations) return false;
  std::unordered_map<std::string, std::string> read;
  for (std::uint32_t i = 0; i < *count; ++i) {
    auto id = entry(b, *originals, i, swapped);
    auto str = entry(b, *translations, i, swapped);
    if (!id || !str) return false;
    // A plural entry holds its forms separated by NULs; the game has none, and
    // the singular is what it would look up.
    id->resize(id->find('\0') == std::string::npos ? id->size() : id->find('\0'));
    str->resize(str->find('\0') == std::string::npos ? str->size() : str->find('\0'));
    // The header (empty msgid) and empty translations are no translations.
    if (id->empty() || str->empty()) continue;
    read.emplace(std::move(*id), std::move(*str));
  }
  entries_ = std::move(read);
  return true;
}

std::string Catalogue::find(const std::string& msgid) const {
  const auto it = entries_.find(msgid);
  return it == entries_.end() ? msgid : it->second;
}

std::string Catalogue::find(const char* msgctxt, const std::string& msgid) const {
  const auto it = entries_.find(std::string(msgctxt ? msgctxt : "") + '\x04' + msgid);
  return it == entries_.end() ? msgid : it->second;
}

}  // namespace sekiba
