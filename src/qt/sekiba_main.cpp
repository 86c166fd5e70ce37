// The game program: one main window over one game.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "engine/game.h"
#include "engine/startup.h"
#include "gamerec/record_writer.h"
#include "platform/fileio.h"
#include "records/settings.h"
#include "qt/command_line.h"
#include "qt/frm_sekiba.h"
#include "qt/qt_language.h"
#include "qt/qt_platform.h"

namespace {

// The install test has no screen to look at, so with SEKIBA_STARTUP_REPORT naming a
// file the game writes there, one "key value" line each, the folder it keeps the
// user's files in and where it found its title picture and table sounds ("-" for
// not found) and the language it speaks, saves the settings as the settings
// dialog does, and quits.
int write_startup_report(sekiba::Game& g, sekiba::Language lang, const std::string& report) {
  auto found = [&g](const std::string& name) {
    const std::string p = g.path(name);
    return sekiba::file_exists(p) ? p : std::string("-");
  };
  std::string out = "user_folder " + g.t.app_path + "\n";
  out += "title " + (sekiba::load_background(g, "\\sekiba_title_0.jpg")
                         ? found("\\sekiba_title_0.jpg") : std::string("-")) + "\n";
  out += "sound " + found("\\sekiba_wave_pasi.wav") + "\n";
  out += std::string("language ") + (lang == sekiba::Language::English ? "en" : "ja") + "\n";
  out += std::string("settings_saved ") + (sekiba::settei_save(g) ? "1" : "0") + "\n";
  return sekiba::write_file_atomic(report, out) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int rc = sekiba::command_line(argc, argv, std::cout); rc >= 0) return rc;
  sekiba::declare_sound_role();
  QApplication app(argc, argv);
  QFont font = QApplication::font();
  font.setFamily(QStringLiteral("Noto Sans CJK JP"));
  QApplication::setFont(font);
  // The desktop ties the window to its menu entry and icon by this id.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.sekiba.Sekiba"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/org.sekiba.Sekiba.svg")));

  sekiba::QtPlatform os;
  const sekiba::Language lang = sekiba::start_language(os);
  sekiba::Game g(os);
  sekiba::FrmSekiba w(os, g);
  os.attach(&w, &g);
  // Start-up shows the window when it centres it, after the test for a copy
  // already running.
  try {
    if (!sekiba::Form_Load(g)) return 0;
    sekiba::attach_game_recorder(g);
  } catch (const sekiba::QuitRequested&) {
    return 0;
  } catch (const std::exception&) {
    return 1;
  }
  // A quit during start-up came before the event loop could hear of it.
  if (os.quit_requested()) return 0;
  if (const char* report = std::getenv("SEKIBA_STARTUP_REPORT"))
    return write_startup_report(g, lang, report);
  return app.exec();
}
