#include "qt/frmkiroku.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "engine/game.h"
#include "engine/startup.h"
#include "gamerec/record_draw.h"
#include "gamerec/record_reader.h"
#include "gamerec/record_writer.h"
#include "qt/qt_platform.h"
#include "screen/draw.h"
#include "screen/screen.h"

namespace sekiba {

namespace {
constexpr int kPlayMs = 700;
}

FrmKiroku::FrmKiroku(Game& g, QWidget* parent)
    : QDialog(parent), g_(g), os_(std::make_unique<QtPlatform>()), view_(std::make_unique<Game>(*os_)) {
  setObjectName(QStringLiteral("frmkiroku"));
  setWindowTitle(qs(g_.os.tr("棋譜")));
  Game& v = *view_;
  v.t.app_path = g_.t.app_path;
  v.t.read_folders = g_.t.read_folders;
  fill_iro(v);
  build_sheets(v.os, v.scr);
  PicHAIKEI_Paint(v);
  load_background(v, "\\sekiba_back_0.jpg");
  haikei_to_window(v);

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("lstkiroku"));
  list_->setMinimumWidth(300);
  // The keys step through the replay; the list is chosen from with the mouse.
  list_->setFocusPolicy(Qt::NoFocus);
  setFocusPolicy(Qt::StrongFocus);
  table_ = new QLabel(this);
  table_->setFixedSize(640, 480);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("lblstatus"));
  status_->setWordWrap(true);

  auto button = [this](const char* text, const char* name, auto slot) {
    auto* b = new QPushButton(qs(g_.os.tr(text)), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(button(N_("前の局"), "cmdprevhand", [this] { hand(-1); }));
  buttons->addWidget(button(N_("戻る"), "cmdprev", [this] { step(-1); }));
  play_ = button(N_("再生"), "cmdplay", [this] { play(!timer_->isActive()); });
  buttons->addWidget(play_);
  buttons->addWidget(button(N_("進む"), "cmdnext", [this] { step(1); }));
  buttons->addWidget(button(N_("次の局"), "cmdnexthand", [this] { hand(1); }));

  auto* right = new QVBoxLayout;
  right->addWidget(table_);
  right->addLayout(buttons);
  right->addWidget(status_);
  auto* top = new QHBoxLayout(this);
  top->addWidget(list_);
  top->addLayout(right);

  timer_ = new QTimer(this);
  timer_->setInterval(kPlayMs);
  connect(timer_, &QTimer::timeout, this, [this] {
    if (pos_ + 1 >= steps()) play(false);
    else step(1);
  });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row < int(files_.size())) open_record(files_[std::size_t(row)]);
  });
  fill_list();
  // The newest record opens at once.
  if (!files_.empty()) list_->setCurrentRow(0);
  show_step();
}

FrmKiroku::~FrmKiroku() = default;

int FrmKiroku::steps() const { return replay_ ? int(replay_->steps.size()) : 0; }

void FrmKiroku::fill_list() {
  QDir dir(qs(records_folder(g_)));
  const QStringList names = dir.entryList({QStringLiteral("*.jsonl")}, QDir::Files, QDir::Name | QDir::Reversed);
  for (const QString& name : names) {
    const QString path = dir.filePath(name);
    const auto rec = load_record(path.toStdString());
    if (!rec) continue;
    const RecordSummary s = summarize(*rec);
    QString mode = s.lan ? qs(g_.os.tr("LAN対戦")) : s.mode == 0 ? qs(g_.os.tr("通常")) : qs(g_.os.tr("連戦"));
    QString text = QStringLiteral("%1  %2  %3  %4")
                       .arg(qs(s.start).replace(QLatin1Char('T'), QLatin1Char(' ')), mode)
                       .arg(s.score * 100)
                       .arg(qs(g_.os.tr("%1局")).arg(s.hands));
    if (s.damaged) text += QStringLiteral("  ") + qs(g_.os.tr("(破損)"));
    list_->addItem(text);
    files_.push_back(path);
  }
  if (files_.empty()) status_->setText(qs(g_.os.tr("記録された対局はありません。")));
}

bool FrmKiroku::open_record(const QString& path) {
  play(false);
  auto rec = load_record(path.toStdString());
  if (!rec) {
    status_->setText(qs(g_.os.tr("棋譜を読めません。")));
    return false;
  }
  rec_ = std::make_unique<GameRecord>(std::move(*rec));
  replay_ = std::make_unique<Replay>(replay_record(*rec_));
  pos_ = steps() > 1 ? 1 : 0;
  show_step();
  return true;
}

void FrmKiroku::step(int delta) {
  if (!replay_) return;
  pos_ = std::clamp(pos_ + delta, 0, steps() - 1);
  show_step();
}

void FrmKiroku::hand(int delta) {
  if (!replay_) return;
  const auto& s = replay_->steps;
  const int current = s[std::size_t(pos_)].hand;
  int p = pos_;
  if (delta > 0) {
    while (p + 1 < steps() && s[std::size_t(p)].hand <= current) ++p;
  } else {
    // Back to this hand's deal, or from its deal to the one before.
    const int target = s[std::size_t(p)].event >= 0 && rec_->events[std::size_t(s[std::size_t(p)].event)].ev == "hand"
                           ? current - 1
                           : current;
    while (p > 0 && !(s[std::size_t(p)].hand == target && rec_->events[std::size_t(s[std::size_t(p)].event)].ev == "hand"))
      --p;
  }
  pos_ = p;
  show_step();
}

void FrmKiroku::play(bool on) {
  if (on && replay_) timer_->start();
  else timer_->stop();
  if (play_) play_->setText(qs(g_.os.tr(timer_->isActive() ? "停止" : "再生")));
}

QString FrmKiroku::status() const { return status_->text(); }

void FrmKiroku::show_step() {
  Game& v = *view_;
  if (replay_) draw_replay_step(v, *rec_, *replay_, std::size_t(pos_));
  table_->setPixmap(QPixmap::fromImage(wrap_surface(v.scr.win).copy()));
  if (!replay_) return;
  QString text = QStringLiteral("%1 / %2  ").arg(pos_).arg(steps() - 1) +
                 qs(describe_replay_step(v, *rec_, *replay_, std::size_t(pos_)));
  const std::string& error = !rec_->error.empty() ? rec_->error : replay_->error;
  if (!error.empty() && pos_ == steps() - 1)
    text += QStringLiteral("\n") + qs(g_.os.tr("棋譜はここまでです（破損）：")) + qs(error);
  status_->setText(text);
}

void FrmKiroku::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Right: step(1); break;
    case Qt::Key_Left: step(-1); break;
    case Qt::Key_Down:
    case Qt::Key_PageDown: hand(1); break;
    case Qt::Key_Up:
    case Qt::Key_PageUp: hand(-1); break;
    case Qt::Key_Space: play(!timer_->isActive()); break;
    default: QDialog::keyPressEvent(e);
  }
}

}  // namespace sekiba
