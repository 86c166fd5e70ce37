#include "qt/frmspeed.h"

#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <exception>

#include "engine/game.h"
#include "man/man.h"
#include "qt/qt_platform.h"
#include "records/settings.h"

namespace sekiba {

FrmSpeed::FrmSpeed(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(qs(g_.os.tr("全自動ﾓｰﾄﾞの時間調整")));
  QFont f = font();
  f.setFamily(QStringLiteral("Noto Sans CJK JP"));
  setFont(f);

  auto* frame = new QGroupBox(this);
  auto* column = new QVBoxLayout(frame);
  static const char* const kCaptions[4] = {N_("最速(&1)"), N_("速い(&2)"), N_("普通(&3)"), N_("遅い(&4)")};
  for (int i = 0; i < 4; ++i) {
    auto* rb = new QRadioButton(qs(g_.os.tr(kCaptions[i])), frame);
    options_[std::size_t(i)] = rb;
    column->addWidget(rb);
    connect(rb, &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
  }

  auto* set = new QPushButton(qs(g_.os.tr("決定(&S)")), this);
  auto* ret = new QPushButton(qs(g_.os.tr("戻る(&R)")), this);
  set->setDefault(true);
  connect(set, &QPushButton::clicked, this, &FrmSpeed::cmdset_Click);
  connect(ret, &QPushButton::clicked, this, &FrmSpeed::cmdret_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(set);
  buttons->addWidget(ret);

  auto* top = new QVBoxLayout(this);
  top->addWidget(frame);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  value_ = g_.s.settei[11];
  speed_in();
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void FrmSpeed::speed_in() { options_[std::size_t(speed_option_for(value_))]->setChecked(true); }

void FrmSpeed::Option1_Click(int index) { value_ = speed_value_for(index); }

void FrmSpeed::cmdset_Click() {
  g_.s.settei[11] = std::int16_t(value_);
  // A failed save has shown its own message; the new speed stays in memory.
  try {
    settei_save(g_);
  } catch (const std::exception&) {
  }
  close();
}

void FrmSpeed::cmdret_Click() { close(); }

}  // namespace sekiba
