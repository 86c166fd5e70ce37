#pragma once
// "全自動ﾓｰﾄﾞの時間調整": the pause before each step of automatic play. The dialog
// keeps its own working value; only "決定" stores it.
#include <QDialog>
#include <array>

class QRadioButton;

namespace sekiba {

struct Game;

class FrmSpeed : public QDialog {
  Q_OBJECT
 public:
  FrmSpeed(Game& g, QWidget* parent);

  // Selects the option of the stored pause.
  void speed_in();
  void Option1_Click(int index);
  // "決定(&S)": stores the working value, saves the settings, closes.
  void cmdset_Click();
  // "戻る(&R)": closes without change.
  void cmdret_Click();

  QRadioButton* option(int index) const { return options_[std::size_t(index)]; }
  int working_value() const { return value_; }

 private:
  Game& g_;
  std::array<QRadioButton*, 4> options_{};
  int value_ = 1;
};

}  // namespace sekiba
