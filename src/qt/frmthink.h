#pragma once
// The thinking settings dialog "思考法詳細設定": eight option groups, the two
// count groups shown only while their aim is on. "設定" stores and writes the
// file, "ｷｬﾝｾﾙ" and closing the window leave everything as it was.
#include <QDialog>
#include <array>

class QRadioButton;
class QGroupBox;

namespace sekiba {

struct Game;

class FrmThink : public QDialog {
  Q_OBJECT
 public:
  FrmThink(Game& g, QWidget* parent);

  // Selects the option of each group that shows the current value.
  void shikou_input();
  // "設定(&Y)": every group into its value, write sekiba_shi.txt, close.
  void cmdOK_Click();
  // "ｷｬﾝｾﾙ(&X)".
  void cmdNG_Click();

  QRadioButton* option(int group, int index) const { return options_[std::size_t(group)][std::size_t(index)]; }
  QGroupBox* group(int group) const { return groups_[std::size_t(group)]; }

 private:
  Game& g_;
  std::array<QGroupBox*, 8> groups_{};
  std::array<std::array<QRadioButton*, 3>, 8> options_{};
  // The count groups follow their aim's する / しない at once.
  void show_counts();
};

}  // namespace sekiba
