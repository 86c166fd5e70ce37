#pragma once
// One application for the whole Qt test program, made before the first widget and
// never torn down (widgets of a test may outlive static destruction otherwise). Its
// own runtime folder gives the program its own single-instance lock.
#include <QApplication>
#include <QTemporaryDir>

namespace sekiba::test {

inline void ensure_qt_app() {
  static QApplication* app = [] {
    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    // The window's place and the conveniences are kept in the user's
    // configuration folder: the tests keep theirs apart.
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    static int argc = 1;
    static char name[] = "sekiba_qt_tests";
    static char* argv[] = {name, nullptr};
    return QApplication::instance() ? nullptr : new QApplication(argc, argv);
  }();
  (void)app;
}

// A base listed first, so that the application exists before any widget member.
struct AppFirst {
  AppFirst() { ensure_qt_app(); }
};

}  // namespace sekiba::test
