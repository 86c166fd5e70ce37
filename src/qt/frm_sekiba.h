#pragma once
// The main window: the menu bar of the game and the 640 x 480 table surface,
// shown scaled to fit the window.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <string>

#include "platform/platform.h"

class QAction;

namespace sekiba {

class FrmChart;
class QtPlatform;
class TableView;
struct Game;

class FrmSekiba : public QMainWindow {
  Q_OBJECT
 public:
  FrmSekiba(QtPlatform& os, Game& game);
  ~FrmSekiba() override;

  void set_surface(const Surface* s);
  void surface_changed();
  // Menu items by their form names ("mnugame", "mnukinou", "mnumode1", ...).
  QAction* menu_action(const std::string& name) const;
  void set_menu_visible(const std::string& name, bool visible);
  void set_menu_checked(const std::string& name, bool checked);
  // Shows a pointer image (nullptr: the default arrow).
  void set_table_pointer(const Surface* image, int hot_x, int hot_y);
  // Opens a modeless dialog by form name.
  void open_dialog(const std::string& form);
  void close_dialog(const std::string& form);
  // The score chart over the table.
  void show_chart(const ChartPlan& plan);
  void hide_chart();
  // The widget that shows the table surface.
  TableView* table_view() const { return view_; }

  // The window's size, place and maximised state from the last run, when the
  // user's configuration folder holds them; false when there are none.
  bool restore_geometry();
  void save_geometry();
  // F11 and its menu item: the table alone on the whole screen, and back.
  void toggle_full_screen();
  QAction* full_screen_action() const { return full_screen_; }
  // The key a menu item's command also answers to, shown beside it ("" none).
  static const char* shortcut_label(const std::string& name);

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  TableView* view_ = nullptr;
  FrmChart* chart_ = nullptr;
  QtPlatform& os_;
  Game& game_;
  std::map<std::string, QAction*> actions_;
  QAction* full_screen_ = nullptr;
  bool maximised_before_full_ = false;
  QByteArray geometry_before_full_;
  // Modeless dialogs by form name; at most one of each is open.
  std::map<std::string, QPointer<QWidget>> dialogs_;
  void build_menus();
  void menu_triggered(const std::string& name);
  void show_single(const std::string& form, const std::function<QWidget*()>& make);
  void place_name_dialog(QWidget* d);
};

}  // namespace sekiba
