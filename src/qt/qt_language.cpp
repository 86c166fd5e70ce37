#include "qt/qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace sekiba {

bool install_qt_translation(const QString& language) {
  // One translator for the run: choosing again replaces what it holds.
  static QTranslator* qt_texts = nullptr;
  if (!qt_texts) qt_texts = new QTranslator(QCoreApplication::instance());
  QCoreApplication::removeTranslator(qt_texts);
  if (!qt_texts->load(QStringLiteral("qtbase_") + language,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  return QCoreApplication::installTranslator(qt_texts);
}

}  // namespace sekiba
