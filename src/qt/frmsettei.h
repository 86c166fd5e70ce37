#pragma once
// The settings dialog: eighteen pairs of option buttons, each editing one entry
// of the options array; "設定" stores and saves them, "ｷｬﾝｾﾙ" leaves them alone.
#include <QDialog>
#include <array>

class QComboBox;
class QFrame;
class QCheckBox;
class QRadioButton;
class QGroupBox;
class QTabWidget;

namespace sekiba {

struct Game;

class FrmSettei : public QDialog {
  Q_OBJECT
 public:
  FrmSettei(Game& g, QWidget* parent);

  // Sets the option buttons from the options array.
  void settei_input();
  // "設定(&Y)": stores every group into the options array, saves, closes.
  void cmdOK_Click();
  // "ｷｬﾝｾﾙ(&X)": closes without change.
  void cmdNG_Click();

  QRadioButton* option(int group, int index) const { return options_[group][index]; }
  // The language row below the groups: follow the desktop, 日本語, English.
  QComboBox* language_box() const { return language_; }
  QGroupBox* group(int group) const { return groups_[group]; }
  class ExtrasPage* extras() const { return extras_; }
  QTabWidget* pages() const { return pages_; }

 private:
  Game& g_;
  std::array<QGroupBox*, 18> groups_{};
  std::array<std::array<QRadioButton*, 2>, 18> options_{};
  QComboBox* language_ = nullptr;
  // The language row: its own file, not the settings file.
  QFrame* language_row();
  void store_language();
  QCheckBox* record_ = nullptr;
  QTabWidget* pages_ = nullptr;
  class ExtrasPage* extras_ = nullptr;
};

}  // namespace sekiba
