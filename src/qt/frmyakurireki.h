#pragma once
// The win statistics: how often each yaku and yakuman was won by either side.
// The counts are read when the window opens.
#include <QDialog>

namespace sekiba {

struct Game;

class FrmYakuRireki : public QDialog {
  Q_OBJECT
 public:
  FrmYakuRireki(Game& g, QWidget* parent);
  // The count label of a code for the user (side 0) or the opponent (side 1).
  QString count_text(int code, int side) const;

 private:
  Game& g_;
};

}  // namespace sekiba
