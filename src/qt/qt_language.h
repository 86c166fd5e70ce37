#pragma once
// Qt's own texts in the language of the game's face.
#include <QString>

namespace sekiba {

// Loads Qt's translation of its own texts (the standard buttons of message
// boxes: はい, いいえ, OK) for the language, from Qt's translations folder, and
// installs it for the application. False when that language's file is not
// there: Qt then keeps its English texts.
bool install_qt_translation(const QString& language = QStringLiteral("ja"));

}  // namespace sekiba
