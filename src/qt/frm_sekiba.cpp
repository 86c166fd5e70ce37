#include "qt/frm_sekiba.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <cmath>
#include <exception>
#include <set>

#include "engine/game.h"
#include "engine/menus.h"
#include "platform/folders.h"
#include "qt/frmabout.h"
#include "qt/frmchart.h"
#include "qt/frmhelp.h"
#include "qt/frmkiroku.h"
#include "qt/frmlan.h"
#include "qt/frmname.h"
#include "qt/frmsettei.h"
#include "qt/frmsousin.h"
#include "qt/frmspeed.h"
#include "qt/frmthink.h"
#include "qt/frmtumikomi.h"
#include "qt/frmyakuhelp.h"
#include "qt/frmyakurireki.h"
#include "qt/qt_platform.h"
#include "qt/table_view.h"
#include "screen/screen.h"

namespace sekiba {

namespace {

// Every call from Qt into the game goes through here. The game unwinds its waits
// with QuitRequested once the user quits; any other failure ends only the
// command that raised it. Nothing may escape into Qt's event dispatch.
template <class F>
void call_game(QtPlatform& os, F&& f) {
  if (os.quit_requested()) return;
  try {
    f();
  } catch (const QuitRequested&) {
  } catch (const std::exception&) {
  }
}

// Room for the window frame and title bar, which are not known before the window
// is shown; the available area already leaves out panels and task bars. Small
// enough that a 1080-line screen still gets the table at twice its size.
constexpr int kMarginW = 16;
constexpr int kMarginH = 48;

}  // namespace

FrmSekiba::FrmSekiba(QtPlatform& os, Game& game) : os_(os), game_(game) {
  view_ = new TableView(this);
  setCentralWidget(view_);
  view_->on_input = [this](const InputEvent& ev) {
    call_game(os_, [&] {
      if (os_.on_input) os_.on_input(ev);
    });
  };
  view_->on_scale = [this](double k) {
    if (os_.on_scale) os_.on_scale(k);
  };
  view_->scale_ready = [this](double k) { return !os_.scale_ready || os_.scale_ready(k); };
  view_->setFocus();
  build_menus();
  menuBar()->installEventFilter(this);

  QScreen* screen = QGuiApplication::primaryScreen();
  QSize avail = screen ? screen->availableGeometry().size() : QSize(kScreenW, kScreenH);
  int menu_h = menuBar()->sizeHint().height();
  int k = default_scale(avail, kScreenW, kScreenH, QSize(kMarginW, kMarginH + menu_h));
  view_->set_preferred_scale(k);
  resize(kScreenW * k, kScreenH * k + menu_h);
}

FrmSekiba::~FrmSekiba() = default;

void FrmSekiba::build_menus() {
  const std::vector<MenuItem>& table = menu_table();
  std::set<std::string> parents;
  for (const MenuItem& m : table)
    if (*m.parent) parents.insert(m.parent);

  // The bar stays inside the window on every desktop, so hiding items behaves
  // the same everywhere.
  menuBar()->setNativeMenuBar(false);
  std::map<std::string, QMenu*> menus;
  for (const MenuItem& m : table) {
    std::string name = m.name;
    QString caption = qs(os_.tr(m.caption));
    QMenu* parent = nullptr;
    if (*m.parent) {
      auto it = menus.find(m.parent);
      if (it == menus.end()) continue;  // a parent always comes first in the table
      parent = it->second;
    }
    if (parents.count(name)) {
      QMenu* sub = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
      menus[name] = sub;
      actions_[name] = sub->menuAction();
      continue;
    }
    if (caption == QLatin1String("-")) {
      if (parent) actions_[name] = parent->addSeparator();
      continue;
    }
    QAction* a = parent ? parent->addAction(caption) : menuBar()->addAction(caption);
    if (name.rfind("mnumode", 0) == 0 && name.size() > 7) a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, a, name] {
      // The game owns the check marks; undo the toggle Qt made on its own.
      if (a->isCheckable()) a->setChecked(!a->isChecked());
      menu_triggered(name);
    });
    if (const char* key = shortcut_label(name); *key) a->setText(a->text() + '\t' + QLatin1String(key));
    actions_[name] = a;
  }

  // Full screen is the window's own business, not the game's: a real shortcut.
  full_screen_ = new QAction(qs(os_.tr("全画面表示(&F)")), this);
  full_screen_->setCheckable(true);
  full_screen_->setShortcut(QKeySequence(Qt::Key_F11));
  full_screen_->setShortcutContext(Qt::WindowShortcut);
  connect(full_screen_, &QAction::triggered, this, [this] {
    full_screen_->setChecked(isFullScreen());  // the window says which it is
    toggle_full_screen();
  });
  addAction(full_screen_);
  if (auto it = menus.find("mnuset"); it != menus.end()) {
    it->second->addSeparator();
    it->second->addAction(full_screen_);
  }
}

const char* FrmSekiba::shortcut_label(const std::string& name) {
  // The function keys the table hears; the game runs them itself, so the menu
  // only shows them.
  static const std::map<std::string, const char*> keys = {
      {"mnugame", "F2"},   {"mnuauto", "F4"},   {"mnudora", "F5"}, {"mnurasu", "F6"},
      {"mnuhaipai", "F7"}, {"mnudouble", "F8"}, {"mnuopen", "F9"}, {"mnucap", "F12"}};
  auto it = keys.find(name);
  return it == keys.end() ? "" : it->second;
}

namespace {

QString window_settings_file() {
  return QString::fromStdString(user_config_folder()) + QStringLiteral("/window.ini");
}

}  // namespace

bool FrmSekiba::restore_geometry() {
  QSettings st(window_settings_file(), QSettings::IniFormat);
  const QByteArray geo = st.value(QStringLiteral("window/geometry")).toByteArray();
  return !geo.isEmpty() && restoreGeometry(geo);
}

void FrmSekiba::save_geometry() {
  // Full screen is for the moment: the window comes back as it was before it.
  const QByteArray geo = isFullScreen() && !geometry_before_full_.isEmpty() ? geometry_before_full_
                                                                           : saveGeometry();
  QSettings st(window_settings_file(), QSettings::IniFormat);
  st.setValue(QStringLiteral("window/geometry"), geo);
  st.sync();
}

void FrmSekiba::toggle_full_screen() {
  if (isFullScreen()) {
    if (maximised_before_full_) showMaximized();
    else showNormal();
  } else {
    maximised_before_full_ = isMaximized();
    geometry_before_full_ = saveGeometry();
    showFullScreen();
  }
  full_screen_->setChecked(isFullScreen());
}

void FrmSekiba::menu_triggered(const std::string& name) {
  // Run the command from the event loop, not from inside the menu's own mouse
  // handling: a command such as Start never returns.
  QMetaObject::invokeMethod(
      this,
      [this, name] {
        call_game(os_, [&] {
          if (os_.on_menu) os_.on_menu(name);
        });
      },
      Qt::QueuedConnection);
}

void FrmSekiba::set_surface(const Surface* s) { view_->set_surface(s); }

void FrmSekiba::surface_changed() { view_->surface_changed(); }

QAction* FrmSekiba::menu_action(const std::string& name) const {
  auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

void FrmSekiba::set_menu_visible(const std::string& name, bool visible) {
  // For a menu this is its entry in the bar or in the parent menu.
  if (QAction* a = menu_action(name)) a->setVisible(visible);
}

void FrmSekiba::set_menu_checked(const std::string& name, bool checked) {
  QAction* a = menu_action(name);
  if (!a) return;
  if (checked && !a->isCheckable()) a->setCheckable(true);
  a->setChecked(checked);
}

void FrmSekiba::set_table_pointer(const Surface* image, int hot_x, int hot_y) {
  view_->set_pointer(image, hot_x, hot_y);
}

void FrmSekiba::show_single(const std::string& form, const std::function<QWidget*()>& make) {
  QPointer<QWidget>& slot = dialogs_[form];
  if (slot) {
    slot->show();
    slot->raise();
    slot->activateWindow();
    return;
  }
  QWidget* d = make();
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->adjustSize();
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    QRect avail = screen->availableGeometry();
    QSize sz = d->frameGeometry().size();
    d->move(avail.left() + (avail.width() - sz.width()) / 2,
            avail.top() + (avail.height() - sz.height()) / 2);
  }
  slot = d;
  d->show();
}

void FrmSekiba::place_name_dialog(QWidget* d) {
  // Below the middle of the screen; but never over the best ten or the line
  // under it (column 4, row 5 to column 73, row 47 with frames and shadow),
  // which the user reads while typing.
  d->move(d->x(), d->y() + 100);
  const Letterbox lb = view_->letterbox();
  if (lb.scale <= 0) return;
  const QPoint a = view_->mapToGlobal(QPoint(int(std::floor(lb.x + 8 * 4 * lb.scale)),
                                             int(std::floor(lb.y + 8 * 5 * lb.scale))));
  const QPoint b = view_->mapToGlobal(QPoint(int(std::ceil(lb.x + (8 * 73 + 10) * lb.scale)),
                                             int(std::ceil(lb.y + (8 * 47 + 10) * lb.scale))));
  const QRect texts(a, b);
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QRect avail = screen ? screen->availableGeometry() : QRect();
  const QSize sz = d->frameGeometry().size();
  auto fits = [&](QPoint at) {
    const QRect r(at, sz);
    return !r.intersects(texts) && (avail.isEmpty() || avail.contains(r));
  };
  const int gap = 4;
  const QPoint spots[] = {
      d->pos(),
      {d->x(), texts.bottom() + 1 + gap},
      {d->x(), texts.top() - gap - sz.height()},
      {texts.right() + 1 + gap, d->y()},
      {texts.left() - gap - sz.width(), d->y()},
  };
  for (QPoint at : spots) {
    if (!fits(at)) continue;
    d->move(at);
    return;
  }
  // A screen too small for both: as low as it goes, over the table's lower rows.
  if (!avail.isEmpty()) d->move(d->x(), std::max(avail.top(), avail.bottom() + 1 - sz.height()));
}

void FrmSekiba::open_dialog(const std::string& form) {
  if (form == "frmsettei") {
    show_single(form, [this] { return new FrmSettei(game_, this); });
    return;
  }
  if (form == "frmlan") {
    show_single(form, [this] { return new FrmLan(game_, this); });
    return;
  }
  if (form == "frmspeed") {
    show_single(form, [this] { return new FrmSpeed(game_, this); });
    return;
  }
  if (form == "frmthink") {
    show_single(form, [this] { return new FrmThink(game_, this); });
    return;
  }
  if (form == "frmyakurireki") {
    show_single(form, [this] { return new FrmYakuRireki(game_, this); });
    return;
  }
  if (form == "frmkiroku") {
    show_single(form, [this] { return new FrmKiroku(game_, this); });
    return;
  }
  if (form == "frmtumikomi") {
    show_single(form, [this] { return new FrmTumikomi(game_, this); });
    return;
  }
  if (form == "frmyakuhelp") {
    // Another page chosen from the menu shows in the open window, on a new
    // gradient, where the user left it.
    if (auto* open = qobject_cast<FrmYakuHelp*>(dialogs_[form].data())) {
      open->reload();
      open->raise();
      open->activateWindow();
      return;
    }
    show_single(form, [this] { return new FrmYakuHelp(game_, this); });
    return;
  }
  if (form == "frmhelp") {
    // ﾍﾙﾌﾟ again while the window is open goes back to the contents.
    auto* open = qobject_cast<FrmHelp*>(dialogs_[form].data());
    if (open && open->isVisible()) {
      open->show_contents();
      open->raise();
      open->activateWindow();
      return;
    }
    dialogs_[form] = nullptr;  // a window just closed is on its way out
    show_single(form, [this] { return new FrmHelp(game_, this); });
    return;
  }
  if (form == "frmabout") {
    show_single(form, [this] { return new FrmAbout(game_, this); });
    return;
  }
  if (form == "frmname") {
    show_single(form, [this] { return new FrmName(game_, this); });
    if (QWidget* d = dialogs_[form]) place_name_dialog(d);
    return;
  }
  if (form == "frmsousin") {
    show_single(form, [this] { return new FrmSousin(game_, this); });
    return;
  }
  // Further forms (thinking settings, automatic speed, high scores, partners,
  // name entry, version box, ...) open here the same way as they are built.
}

void FrmSekiba::close_dialog(const std::string& form) {
  auto it = dialogs_.find(form);
  if (it != dialogs_.end() && it->second) it->second->close();
}

void FrmSekiba::show_chart(const ChartPlan& plan) {
  if (!chart_) chart_ = new FrmChart(view_);
  chart_->show_chart(plan);
}

void FrmSekiba::hide_chart() {
  if (chart_) chart_->hide();
}

bool FrmSekiba::eventFilter(QObject* watched, QEvent* e) {
  // Esc on an open menu leaves the bar holding the keyboard, often without a
  // highlight, and the table would take no key until a second Esc. Once no
  // menu is open the keys are the table's again.
  if (watched == menuBar() && e->type() == QEvent::FocusIn) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (!QApplication::activePopupWidget() && menuBar()->hasFocus())
            view_->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
  }
  return QMainWindow::eventFilter(watched, e);
}

void FrmSekiba::closeEvent(QCloseEvent* e) {
  save_geometry();
  for (auto& [form, d] : dialogs_)
    if (d) d->close();
  if (os_.on_close) {
    call_game(os_, [&] { os_.on_close(); });
  }
  // The game normally quits from its own close handler; make sure every wait
  // unwinds even when it did not.
  if (!os_.quit_requested()) os_.quit();
  e->accept();
}

}  // namespace sekiba
