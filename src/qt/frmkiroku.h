#pragma once
// The game-record window: the recorded games in a list, and the chosen one
// replayed on the game's own table, step by step.
#include <QDialog>
#include <memory>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace sekiba {

struct Game;
struct GameRecord;
struct Replay;
class QtPlatform;

class FrmKiroku : public QDialog {
  Q_OBJECT
 public:
  FrmKiroku(Game& g, QWidget* parent);
  ~FrmKiroku() override;

  // Opens a record file (the list does this on a choice); false when unreadable.
  bool open_record(const QString& path);
  void step(int delta);
  void hand(int delta);
  void play(bool on);
  int position() const { return pos_; }
  int steps() const;
  QString status() const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  Game& g_;
  // The replay's own game, drawn on by the table routines; never saved.
  std::unique_ptr<QtPlatform> os_;
  std::unique_ptr<Game> view_;
  std::unique_ptr<GameRecord> rec_;
  std::unique_ptr<Replay> replay_;
  int pos_ = 0;
  QListWidget* list_ = nullptr;
  QLabel* table_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* play_ = nullptr;
  QTimer* timer_ = nullptr;
  std::vector<QString> files_;

  void fill_list();
  void show_step();
};

}  // namespace sekiba
