#pragma once
// The version box: product name, version, legal notice and comments beside the
// game's picture. Shift+Ctrl and a click on the legal notice show a hidden picture.
#include <QDialog>

class QLabel;

namespace sekiba {

struct Game;

class FrmAbout : public QDialog {
  Q_OBJECT
 public:
  FrmAbout(Game& g, QWidget* parent);

  // A click on the legal notice with these keys held.
  void lblcopyright_Click(Qt::KeyboardModifiers mods);
  bool hidden_picture_shown() const;

  QLabel* label(const char* name) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* ev) override;

 private:
  QLabel* lblcopyright_ = nullptr;
  QLabel* picnon_ = nullptr;
};

}  // namespace sekiba
