// The game program: one main window over one game.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <exception>

#include "engine/game.h"
#include "engine/startup.h"
#include "qt/frm_sekiba.h"
#include "qt/qt_platform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QFont font = QApplication::font();
  font.setFamily(QStringLiteral("Noto Sans CJK JP"));
  QApplication::setFont(font);
  // The desktop ties the window to its menu entry and icon by this id.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.sekiba.Sekiba"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/org.sekiba.Sekiba.svg")));

  sekiba::QtPlatform os;
  sekiba::Game g(os);
  sekiba::FrmSekiba w(os, g);
  os.attach(&w, &g);
  // Shown first so that start-up centres the window by its real frame.
  w.show();
  try {
    if (!sekiba::Form_Load(g)) return 0;
  } catch (const sekiba::QuitRequested&) {
    return 0;
  } catch (const std::exception&) {
    return 1;
  }
  // A quit during start-up came before the event loop could hear of it.
  if (os.quit_requested()) return 0;
  return app.exec();
}
