#pragma once
// The yaku reference window: one page of the ring at a time, drawn by the game
// into its own picture and shown at the table's scale.
#include <QDialog>

#include "eval/yakuhelp.h"

class QPushButton;

namespace sekiba {

struct Game;
class TableView;

// The whole-number scale the table is shown at, so that the dialogs' tile
// pictures match the table's; 1 without a main window.
int dialog_scale(QWidget* parent);
// That scale times the screen's pixel ratio: the dialogs' pictures are drawn at
// the screen's own resolution, like the table, one picture pixel on one screen pixel.
double dialog_pixel_scale(QWidget* parent);

class FrmYakuHelp : public QDialog {
  Q_OBJECT
 public:
  FrmYakuHelp(Game& g, QWidget* parent);

  // Paints a new gradient and the page in help_page (opening, and a menu
  // command while the window is open).
  void reload();
  void cmdNEXT_Click();
  void cmdBACK_Click();
  void cmdexit_Click();

  const Surface& picture() const { return w_.surface; }
  TableView* view() const { return view_; }

 private:
  Game& g_;
  YakuHelpWindow w_;
  TableView* view_ = nullptr;
};

}  // namespace sekiba
