// The settings dialog's language row: kept in a file of its own, told at once
// that it takes effect at the next start, refused clearly when it cannot be kept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>

#include "engine/game.h"
#include "headless/headless_platform.h"
#include "platform/fileio.h"
#include "qt/frmsettei.h"
#include "qt/qt_language.h"
#include "qt_app.h"

namespace sekiba {
namespace {

TEST(LanguageRow, ChoiceKeptInItsOwnFileAndAnnouncedOnce) {
  test::ensure_qt_app();
  QTemporaryDir config, data;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  const std::string file = config.path().toStdString() + "/sekiba/language";
  HeadlessPlatform os;
  Game g(os);
  g.t.app_path = data.path().toStdString();
  {
    FrmSettei d(g, nullptr);
    EXPECT_EQ(d.language_box()->currentIndex(), 0);  // following the desktop
    d.cmdOK_Click();  // unchanged: no file, no message
    EXPECT_FALSE(file_exists(file));
    EXPECT_TRUE(os.messages.empty());
  }
  {
    FrmSettei d(g, nullptr);
    EXPECT_EQ(d.language_box()->itemText(2), QStringLiteral("English"));
    d.language_box()->setCurrentIndex(2);
    d.cmdOK_Click();
  }
  EXPECT_EQ(read_file(file), "en\n");
  ASSERT_EQ(os.messages.size(), 1u);
  EXPECT_NE(os.messages[0].text.find("next start"), std::string::npos);
  EXPECT_NE(os.messages[0].text.find("次の起動"), std::string::npos);
  {
    FrmSettei d(g, nullptr);
    EXPECT_EQ(d.language_box()->currentIndex(), 2);
    d.language_box()->setCurrentIndex(1);
    d.cmdNG_Click();  // cancelled: nothing kept
  }
  EXPECT_EQ(read_file(file), "en\n");

  // A file where the folder should be: the choice cannot be kept, and says so.
  const std::string blocked = config.path().toStdString() + "/blocked";
  ASSERT_TRUE(write_file_atomic(blocked, "x"));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(blocked));
  {
    FrmSettei d(g, nullptr);
    d.language_box()->setCurrentIndex(1);
    d.cmdOK_Click();
  }
  ASSERT_EQ(os.messages.size(), 2u);
  EXPECT_EQ(os.messages[1].text, "言語の設定を保存できませんでした");
  qunsetenv("XDG_CONFIG_HOME");
}

TEST(QtTexts, EnglishTakesQtsJapaneseButtonsAway) {
  test::ensure_qt_app();
  const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
  if (!install_qt_translation(QStringLiteral("ja"))) GTEST_SKIP() << "Qt's Japanese texts are not installed";
  EXPECT_NE(yes(), QStringLiteral("&Yes"));
  ASSERT_TRUE(install_qt_translation(QStringLiteral("en")));
  EXPECT_EQ(yes(), QStringLiteral("&Yes"));
  install_qt_translation(QStringLiteral("ja"));
}

}  // namespace
}  // namespace sekiba
