#pragma once
// The help window: the help pages that come with the game, shown by the game
// itself, so that they open on any desktop. Links between the pages are
// followed inside the window; addresses on the web go to the desktop's browser.
#include <QDialog>

class QTextBrowser;

namespace sekiba {

struct Game;

class FrmHelp : public QDialog {
  Q_OBJECT
 public:
  FrmHelp(Game& g, QWidget* parent);

  // Shows the contents page again (a second ﾍﾙﾌﾟ command while the window is open).
  void show_contents();
  QTextBrowser* browser() const { return browser_; }
  // Room for a page of text beside the table, within the screen.
  QSize sizeHint() const override;

 private:
  Game& g_;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace sekiba
