#include "qt/frmsettei.h"

#include <QFont>
#include <algorithm>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "engine/game.h"
#include "qt/frmsettei_extras.h"
#include "qt/qt_platform.h"
#include "records/settings.h"

namespace sekiba {

FrmSettei::FrmSettei(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(QStringLiteral("設定モード"));
  QFont f = font();
  f.setFamily(QStringLiteral("Noto Sans CJK JP"));
  setFont(f);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(4);
  constexpr int kRows = int(kSetteiGroups.size() + 1) / 2;
  // The labels and the buttons of a column share their widths so that the
  // buttons of all nine groups stand in straight lines.
  std::array<QLabel*, kSetteiGroups.size()> labels{};
  int label_width[2] = {0, 0};
  int option_width[2][2] = {{0, 0}, {0, 0}};
  for (int i = 0; i < int(kSetteiGroups.size()); ++i) {
    const SetteiGroup& grp = kSetteiGroups[std::size_t(i)];
    auto* box = new QGroupBox(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(8, 4, 8, 4);
    labels[std::size_t(i)] = new QLabel(qs(grp.label), box);
    row->addWidget(labels[std::size_t(i)]);
    row->addSpacing(12);
    for (int k = 0; k < 2; ++k) {
      // Siblings in one group box are exclusive by themselves.
      auto* rb = new QRadioButton(qs(k == 0 ? grp.option0 : grp.option1), box);
      options_[std::size_t(i)][std::size_t(k)] = rb;
      row->addWidget(rb);
    }
    row->addStretch(1);
    groups_[std::size_t(i)] = box;
    int col = i / kRows;
    grid->addWidget(box, i % kRows, col);
    label_width[col] = std::max(label_width[col], labels[std::size_t(i)]->sizeHint().width());
    for (int k = 0; k < 2; ++k)
      option_width[col][k] = std::max(option_width[col][k],
                                      options_[std::size_t(i)][std::size_t(k)]->sizeHint().width());
  }
  for (int i = 0; i < int(kSetteiGroups.size()); ++i) {
    int col = i / kRows;
    labels[std::size_t(i)]->setMinimumWidth(label_width[col]);
    for (int k = 0; k < 2; ++k)
      options_[std::size_t(i)][std::size_t(k)]->setMinimumWidth(option_width[col][k]);
  }

  auto* ok = new QPushButton(QStringLiteral("設定(&Y)"), this);
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(&X)"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &FrmSettei::cmdOK_Click);
  connect(cancel, &QPushButton::clicked, this, &FrmSettei::cmdNG_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  // The game's own options on the first page; the conveniences beyond them
  // on a page of their own.
  pages_ = new QTabWidget(this);
  auto* options_page = new QWidget(pages_);
  options_page->setLayout(grid);
  pages_->addTab(options_page, qs(g.os.tr("基本")));
  extras_ = new ExtrasPage(g, pages_);
  pages_->addTab(extras_, qs(g.os.tr("便利機能")));

  auto* top = new QVBoxLayout(this);
  top->addWidget(pages_);
  top->addSpacing(6);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  settei_input();
}

void FrmSettei::settei_input() {
  for (std::size_t i = 0; i < kSetteiGroups.size(); ++i) {
    const SetteiGroup& grp = kSetteiGroups[i];
    int opt = settei_option_for(grp, g_.s.settei[std::size_t(grp.setting)]);
    options_[i][std::size_t(opt)]->setChecked(true);
  }
}

void FrmSettei::cmdOK_Click() {
  for (std::size_t i = 0; i < kSetteiGroups.size(); ++i) {
    const SetteiGroup& grp = kSetteiGroups[i];
    int opt = options_[i][1]->isChecked() ? 1 : 0;
    g_.s.settei[std::size_t(grp.setting)] = settei_value_for(grp, opt);
  }
  extras_->store();
  // A failed save has shown its own message; the dialog closes either way.
  try {
    settei_save(g_);
  } catch (const std::exception&) {
  }
  close();
}

void FrmSettei::cmdNG_Click() { close(); }

}  // namespace sekiba
