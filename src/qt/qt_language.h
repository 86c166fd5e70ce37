#pragma once
// Qt's own texts in the language of the game's face.
#include <QString>

#include "platform/language.h"

namespace sekiba {

class QtPlatform;

// Loads Qt's translation of its own texts (the standard buttons of message
// boxes: はい, いいえ, OK) for the language, from Qt's translations folder, and
// installs it for the application. False when that language's file is not
// there: Qt then keeps its English texts. "en" takes away any translation
// installed before, as Qt's texts are English.
bool install_qt_translation(const QString& language = QStringLiteral("ja"));

// The language the player chose in the settings (remembered in its own file) or
// the desktop's; gives the platform that language's catalogue and Qt's texts to
// match. English without its catalogue installed falls back to Japanese, so the
// window never mixes the two.
Language start_language(QtPlatform& os);

}  // namespace sekiba
