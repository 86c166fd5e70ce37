#pragma once
// The name dialog "名前を入力出来ます" for a new best-ten entry. Whatever way it
// closes, the text typed so far is the name (an empty one included).
#include <QDialog>

class QLineEdit;

namespace sekiba {

struct Game;

class FrmName : public QDialog {
  Q_OBJECT
 public:
  FrmName(Game& g, QWidget* parent);
  QLineEdit* txtname() const { return txtname_; }
  // "入力(&R)".
  void cmdOK_Click();
  // "クリア(&C)".
  void cmdCLEAR_Click();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

 private:
  Game& g_;
  QLineEdit* txtname_ = nullptr;
  bool answered_ = false;
};

}  // namespace sekiba
