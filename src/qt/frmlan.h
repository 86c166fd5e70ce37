#pragma once
// The partner list dialog: an editable combo box of host names, "設定(&Y)" to
// choose or add the typed name, "削除(&D)" to delete it.
#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;

namespace sekiba {

struct Game;

class FrmLan : public QDialog {
  Q_OBJECT
 public:
  FrmLan(Game& g, QWidget* parent);

  void cmdhenkou_Click();
  void cmddel_Click();
  QComboBox* combo() const { return combo_; }

 private:
  void refill(const std::vector<std::string>& list, const std::string& text);
  Game& g_;
  QComboBox* combo_ = nullptr;
};

}  // namespace sekiba
