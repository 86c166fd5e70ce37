#include "qt/frmthink.h"

#include <QButtonGroup>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <exception>

#include "com/think.h"
#include "engine/game.h"
#include "qt/qt_platform.h"

namespace sekiba {

namespace {
constexpr int kChinituGroup = 2, kHonituGroup = 3, kChinituCount = 4, kHonituCount = 5;
}

FrmThink::FrmThink(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(qs(g_.os.tr("思考法詳細設定")));
  QFont f = font();
  f.setFamily(QStringLiteral("Noto Sans CJK JP"));
  setFont(f);

  auto* top = new QVBoxLayout(this);
  std::array<QLabel*, kShikouCount> labels{};
  int label_width = 0;
  for (int i = 0; i < kShikouCount; ++i) {
    const ShikouGroup& grp = kShikouGroups[std::size_t(i)];
    auto* box = new QGroupBox(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(8, 4, 8, 4);
    labels[std::size_t(i)] = new QLabel(qs(g_.os.tr(grp.label)), box);
    row->addWidget(labels[std::size_t(i)]);
    row->addSpacing(12);
    // An explicit group lets every button of a group be cleared at once.
    auto* buttons = new QButtonGroup(box);
    for (int k = 0; k < grp.count; ++k) {
      auto* rb = new QRadioButton(qs(g_.os.tr(grp.captions[std::size_t(k)])), box);
      buttons->addButton(rb, k);
      options_[std::size_t(i)][std::size_t(k)] = rb;
      row->addWidget(rb);
    }
    row->addStretch(1);
    groups_[std::size_t(i)] = box;
    top->addWidget(box);
    label_width = std::max(label_width, labels[std::size_t(i)]->sizeHint().width());
  }
  for (QLabel* l : labels) l->setMinimumWidth(label_width);
  for (int g_index : {kChinituGroup, kHonituGroup})
    for (int k = 0; k < 2; ++k)
      connect(options_[std::size_t(g_index)][std::size_t(k)], &QRadioButton::toggled, this,
              [this] { show_counts(); });

  auto* ok = new QPushButton(qs(g_.os.tr("設定(&Y)")), this);
  auto* cancel = new QPushButton(qs(g_.os.tr("ｷｬﾝｾﾙ(&X)")), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &FrmThink::cmdOK_Click);
  connect(cancel, &QPushButton::clicked, this, &FrmThink::cmdNG_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  top->addSpacing(6);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  shikou_input();
}

void FrmThink::shikou_input() {
  const auto values = shikou_values(g_.s);
  for (int i = 0; i < kShikouCount; ++i) {
    const int opt = shikou_option_for(i, *values[std::size_t(i)]);
    auto* rb0 = options_[std::size_t(i)][0];
    if (auto* grp = rb0->group()) {
      // Cleared first so that a value no option shows leaves the group empty.
      grp->setExclusive(false);
      for (auto* b : grp->buttons()) b->setChecked(false);
      grp->setExclusive(true);
    }
    if (opt >= 0) options_[std::size_t(i)][std::size_t(opt)]->setChecked(true);
  }
  show_counts();
}

void FrmThink::show_counts() {
  groups_[kChinituCount]->setVisible(options_[kChinituGroup][0]->isChecked());
  groups_[kHonituCount]->setVisible(options_[kHonituGroup][0]->isChecked());
}

void FrmThink::cmdOK_Click() {
  const auto values = shikou_values(g_.s);
  for (int i = 0; i < kShikouCount; ++i) {
    int selected = -1;
    for (int k = 0; k < kShikouGroups[std::size_t(i)].count; ++k)
      if (options_[std::size_t(i)][std::size_t(k)]->isChecked()) selected = k;
    *values[std::size_t(i)] = shikou_value_for(i, selected);
  }
  // A failed write has shown its own message; the new values stay in force.
  try {
    shikou_save(g_);
  } catch (const std::exception&) {
  }
  close();
}

void FrmThink::cmdNG_Click() { close(); }

}  // namespace sekiba
