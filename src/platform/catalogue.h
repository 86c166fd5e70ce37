#pragma once
// A compiled GNU gettext catalogue (.mo) read into memory. Each game holds its
// own, so two games in one process may speak two languages; nothing here touches
// the C library's locale or libintl's global domain.
#include <string>
#include <unordered_map>

namespace sekiba {

class Catalogue {
 public:
  // Reads a .mo file. False (and the catalogue left empty) when the file is
  // missing or damaged: every text then stays as written.
  bool load_file(const std::string& path);
  // The same from the bytes of a .mo file.
  bool load_bytes(const std::string& bytes);

  // The translation of msgid, or msgid itself when the catalogue has none.
  std::string find(const std::string& msgid) const;
  // The translation of msgid under msgctxt (an entry with that context only).
  std::string find(const char* msgctxt, const std::string& msgid) const;

  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }

 private:
  // Key: msgid, or msgctxt + '\x04' + msgid as gettext stores it.
  std::unordered_map<std::string, std::string> entries_;
};

}  // namespace sekiba
