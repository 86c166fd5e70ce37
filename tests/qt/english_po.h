#pragma once
// The English catalogue's sources read as they stand, for the tests that measure
// English on the screen, and a Qt platform that answers from them.
#include <fstream>
#include <map>
#include <string>
#include <utility>

#include "qt/qt_platform.h"

namespace sekiba::test {

// A plain reading of a GNU PO file: msgctxt, msgid and msgstr with their
// continuation lines; fuzzy entries are kept apart.
struct PoCatalogue {
  std::map<std::pair<std::string, std::string>, std::string> entries;
  int fuzzy = 0;
};

inline std::string unquote(const std::string& line) {
  const auto a = line.find('"'), b = line.rfind('"');
  std::string out;
  for (auto i = a + 1; i < b; ++i) {
    if (line[i] == '\\' && i + 1 < b) {
      const char c = line[++i];
      out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
    } else {
      out += line[i];
    }
  }
  return out;
}

inline PoCatalogue read_po(const std::string& path) {
  PoCatalogue cat;
  std::ifstream in(path);
  std::string line, ctxt, id, str, *field = nullptr;
  bool fuzzy = false;
  auto flush = [&] {
    if (!id.empty()) {
      if (fuzzy) ++cat.fuzzy;
      else cat.entries[{ctxt, id}] = str;
    }
    ctxt.clear(), id.clear(), str.clear(), field = nullptr, fuzzy = false;
  };
  while (std::getline(in, line)) {
    if (line.rfind("#,", 0) == 0 && line.find("fuzzy") != std::string::npos) fuzzy = true;
    if (line.rfind("msgctxt ", 0) == 0) flush(), field = &ctxt;
    else if (line.rfind("msgid ", 0) == 0) {
      if (field != &ctxt) flush();
      field = &id;
    } else if (line.rfind("msgstr ", 0) == 0) field = &str;
    else if (line.empty() || line[0] != '"') continue;
    if (field) *field += unquote(line);
  }
  flush();
  return cat;
}

// The Qt platform answering from the catalogue, as an English copy does.
struct EnglishQt : QtPlatform {
  const PoCatalogue& cat;
  explicit EnglishQt(const PoCatalogue& c) : cat(c) {}
  std::string find(const std::string& ctx, const std::string& ja) const {
    auto it = cat.entries.find({ctx, ja});
    return it == cat.entries.end() || it->second.empty() ? ja : it->second;
  }
  std::string tr(const std::string& ja) const override { return find("", ja); }
  std::string tr_in(const char* ctx, const std::string& ja) const override { return find(ctx, ja); }
  std::string language() const override { return "en"; }
};

}  // namespace sekiba::test
