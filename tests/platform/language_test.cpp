// The player's language: the saved choice, the desktop's locale as gettext reads
// it, and the compiled catalogue the texts are looked up in.
#include "platform/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/catalogue.h"
#include "platform/fileio.h"
#include "test_game.h"

namespace sekiba {
namespace {

TEST(Language, ChoiceThenDesktopLocale) {
  const Language J = Language::Japanese, E = Language::English;
  struct Case {
    LanguageChoice saved;
    LocaleEnv env;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
    Language want;
  };
  const Case cases[] = {
      {LanguageChoice::Desktop, {"", "", "", ""}, J},  // nothing set: the C locale
      {LanguageChoice::Desktop, {"", "", "", "C"}, J},
      {LanguageChoice::Desktop, {"", "", "", "C.UTF-8"}, J},
      {LanguageChoice::Desktop, {"", "POSIX", "", "en_US.UTF-8"}, J},  // LC_ALL wins
      {LanguageChoice::Desktop, {"en", "", "", "C"}, J},  // LANGUAGE ignored in C
      {LanguageChoice::Desktop, {"", "", "", "ja_JP.UTF-8"}, J},
      {LanguageChoice::Desktop, {"", "", "", "en_GB.UTF-8"}, E},
      {LanguageChoice::Desktop, {"", "", "", "de_DE.UTF-8"}, E},
      {LanguageChoice::Desktop, {"", "", "ja_JP.UTF-8", "en_US.UTF-8"}, J},  // LC_MESSAGES
      {LanguageChoice::Desktop, {"", "fr_FR", "ja_JP.UTF-8", ""}, E},
      {LanguageChoice::Desktop, {"ja", "", "", "en_US.UTF-8"}, J},
      {LanguageChoice::Desktop, {"en_GB:ja", "", "", "ja_JP.UTF-8"}, E},
      {LanguageChoice::Desktop, {"fr:de::ja_JP", "", "", "fr_FR.UTF-8"}, J},  // first we have
      {LanguageChoice::Desktop, {"fr", "", "", "ja_JP.UTF-8"}, J},  // none we have: the locale
      {LanguageChoice::Japanese, {"en", "en_US.UTF-8", "", ""}, J},
      {LanguageChoice::English, {"", "", "", "ja_JP.UTF-8"}, E},
      {LanguageChoice::English, {"", "", "", "C"}, E},
  };
  for (const Case& c : cases)
    EXPECT_EQ(choose_language(c.saved, c.env), c.want)
        << c.env.language << "|" << c.env.lc_all << "|" << c.env.lc_messages << "|" << c.env.lang
        << " saved " << language_choice_text(c.saved);
}

TEST(Language, ChoiceFileRoundTripAndDamage) {
  test::TempDir dir;
  const std::string path = dir.file("config/sekiba/language");
  EXPECT_EQ(load_language_choice(path), LanguageChoice::Desktop);  // no file yet
  ASSERT_TRUE(save_language_choice(path, LanguageChoice::English));  // makes the folders
  EXPECT_EQ(read_file(path), "en\n");
  EXPECT_EQ(load_language_choice(path), LanguageChoice::English);
  ASSERT_TRUE(save_language_choice(path, LanguageChoice::Japanese));
  EXPECT_EQ(load_language_choice(path), LanguageChoice::Japanese);
  for (const char* junk : {"", "EN", "english", "en en", "\xff\xfe", "desktop"}) {
    ASSERT_TRUE(write_file_atomic(path, junk));
    EXPECT_EQ(load_language_choice(path), LanguageChoice::Desktop) << junk;
  }
  ASSERT_TRUE(write_file_atomic(path, "  ja\r\n"));  // edited by hand on another system
  EXPECT_EQ(load_language_choice(path), LanguageChoice::Japanese);

  const char* home = std::getenv("HOME");
  const std::string saved_home = home ? home : "";
  setenv("XDG_CONFIG_HOME", "/tmp/cfg/", 1);
  EXPECT_EQ(language_choice_path(), "/tmp/cfg/sekiba/language");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  setenv("HOME", dir.str().c_str(), 1);
  EXPECT_EQ(language_choice_path(), dir.str() + "/.config/sekiba/language");
  unsetenv("XDG_CONFIG_HOME");
  if (home) setenv("HOME", saved_home.c_str(), 1);
  else unsetenv("HOME");
}

// A .mo made by GNU msgfmt from a small catalogue, in either byte order.
std::string compiled(const test::TempDir& dir, const char* endianness) {
  const std::string po = dir.file("t.po"), mo = dir.file(std::string("t-") + endianness + ".mo");
  EXPECT_TRUE(write_file_atomic(po,
      "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
      "msgid \"ロン\"\nmsgstr \"Ron\"\n\n"
      "msgctxt \"table\"\nmsgid \"ロン\"\nmsgstr \"R\"\n\n"
      "msgid \"ﾂﾓ\"\nmsgstr \"\"\n\n"  // untranslated
      "#, fuzzy\nmsgid \"流局\"\nmsgstr \"Drawn\"\n\n"  // fuzzy: left out by msgfmt
      "msgid \"二行\\nです\"\nmsgstr \"two\\nlines\"\n"));
  const std::string cmd = "msgfmt --endianness=" + std::string(endianness) + " -o " + mo + " " + po;
  if (std::system(cmd.c_str()) != 0) return {};
  return read_file(mo).value_or("");
}

TEST(Catalogue, LooksUpByIdAndContextInEitherByteOrder) {
  test::TempDir dir;
  for (const char* order : {"little", "big"}) {
    const std::string mo = compiled(dir, order);
    if (mo.empty()) GTEST_SKIP() << "msgfmt is not installed";
    Catalogue c;
    ASSERT_TRUE(c.load_bytes(mo)) << order;
    EXPECT_EQ(c.find("ロン"), "Ron");
    EXPECT_EQ(c.find("table", "ロン"), "R");
    EXPECT_EQ(c.find("other", "ロン"), "ロン");  // a context of its own or nothing
    EXPECT_EQ(c.find("ﾂﾓ"), "ﾂﾓ");
    EXPECT_EQ(c.find("流局"), "流局");
    EXPECT_EQ(c.find("二行\nです"), "two\nlines");
    EXPECT_EQ(c.find(""), "");  // the header is no translation
    EXPECT_EQ(c.size(), 3u);
  }
}

TEST(Catalogue, MissingOrDamagedFileKeepsTheTextsAsWritten) {
  test::TempDir dir;
  Catalogue c;
  EXPECT_FALSE(c.load_file(dir.file("none.mo")));
  EXPECT_EQ(c.find("ロン"), "ロン");
  const std::string mo = compiled(dir, "little");
  if (mo.empty()) GTEST_SKIP() << "msgfmt is not installed";
  // Every cut of the file, and every byte of its tables spoilt: never a crash,
  // never a text from outside the file's strings.
  for (std::size_t n = 0; n < mo.size(); ++n) {
    c.load_bytes(mo.substr(0, n));
    const std::string r = c.find("ロン");
    EXPECT_TRUE(r == "ロン" || r == "Ron") << n;
  }
  for (std::size_t at = 0; at < 7 * 4 + 2 * 8 * 4; ++at) {
    std::string bad = mo;
    bad[at] = char(0xFF);
    c.load_bytes(bad);
    const std::string r = c.find("ロン");
    EXPECT_TRUE(r == "ロン" || r == "Ron" || r == "R") << at;
  }
  EXPECT_FALSE(c.load_bytes(std::string(64, '\0')));
  EXPECT_TRUE(c.empty());
}

}  // namespace
}  // namespace sekiba
