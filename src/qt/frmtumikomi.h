#pragma once
// The stacking editor window: the game draws the pattern into its own picture,
// this window shows it at the table's scale, passes clicks on the tiles back and
// holds the pattern number and the five buttons.
#include <QDialog>

#include "engine/tumikomi_editor.h"

class QLabel;

namespace sekiba {

struct Game;
class TableView;

class FrmTumikomi : public QDialog {
  Q_OBJECT
 public:
  FrmTumikomi(Game& g, QWidget* parent);

  void cmdBACK_Click();
  void cmdNEXT_Click();
  void cmdSHOKI_Click();
  void cmdOK_Click();
  void cmdNG_Click();
  // A button pressed over the picture, in picture pixels (1 left, 2 right).
  void picture_MouseDown(int button, int x, int y);

  int pattern() const { return e_.pattern; }
  QLabel* pattern_label() const { return label2_; }
  const Surface& picture() const { return e_.surface; }
  TableView* view() const { return view_; }

 protected:
  // Every way out but a save (the cancel button, Esc, the window's close
  // button) ends here.
  void reject() override;

 private:
  Game& g_;
  TumikomiEditor e_;
  TableView* view_ = nullptr;
  QLabel* label2_ = nullptr;
  bool saved_ = false;
  void refresh();
};

}  // namespace sekiba
