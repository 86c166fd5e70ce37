#include "qt/qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "qt/qt_platform.h"

namespace sekiba {

bool install_qt_translation(const QString& language) {
  // One translator for the run: choosing again replaces what it holds.
  static QTranslator* qt_texts = nullptr;
  if (!qt_texts) qt_texts = new QTranslator(QCoreApplication::instance());
  QCoreApplication::removeTranslator(qt_texts);
  if (language == QStringLiteral("en")) return true;
  if (!qt_texts->load(QStringLiteral("qtbase_") + language,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  return QCoreApplication::installTranslator(qt_texts);
}

Language start_language(QtPlatform& os) {
  Language lang = choose_language(load_language_choice(language_choice_path()),
                                  LocaleEnv::from_environment());
  Catalogue catalogue;
  if (lang == Language::English) {
    bool found = false;
    for (const std::string& path :
         catalogue_paths(QCoreApplication::applicationDirPath().toStdString(), lang))
      if ((found = catalogue.load_file(path))) break;
    if (!found) lang = Language::Japanese;
  }
  os.set_catalogue(std::move(catalogue));
  install_qt_translation(lang == Language::English ? QStringLiteral("en") : QStringLiteral("ja"));
  return lang;
}

}  // namespace sekiba
