#pragma once
// The send dialog "TOPデータの送信": puts the top record on the clipboard and
// opens the mail program.
#include <QDialog>

namespace sekiba {

struct Game;

class FrmSousin : public QDialog {
  Q_OBJECT
 public:
  FrmSousin(Game& g, QWidget* parent);
  // "送信する(&S)": closes only when the record could be read.
  void Command1_Click();
  // "戻る(&R)".
  void Command2_Click() { close(); }

 private:
  Game& g_;
};

}  // namespace sekiba
