#include "qt/frmyakurireki.h"

#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/game.h"
#include "eval/yaku.h"
#include "qt/qt_platform.h"

namespace sekiba {

namespace {

QLabel* cell(const QString& text, QWidget* parent, Qt::Alignment align, bool header = false) {
  auto* l = new QLabel(text, parent);
  l->setAlignment(align | Qt::AlignVCenter);
  if (header) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
  }
  return l;
}

}  // namespace

FrmYakuRireki::FrmYakuRireki(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(qs(g_.os.tr(kYakuRirekiCaption)));
  QFont f = font();
  f.setFamily(QStringLiteral("Noto Sans CJK JP"));
  setFont(f);

  auto* blocks = new QHBoxLayout;
  blocks->setSpacing(18);
  const auto rows = yakurireki_rows(g_);
  for (const auto& block : rows) {
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(2);
    grid->addWidget(cell(qs(g_.os.tr(kYakuRirekiManHeader)), frame, Qt::AlignRight, true), 0, 1);
    grid->addWidget(cell(qs(g_.os.tr(kYakuRirekiComHeader)), frame, Qt::AlignRight, true), 0, 2);
    int r = 1;
    for (const auto& row : block) {
      grid->addWidget(cell(qs(g_.os.tr(row.name)), frame, Qt::AlignLeft), r, 0);
      auto* man = cell(qs(row.man_count), frame, Qt::AlignRight);
      auto* com = cell(qs(row.com_count), frame, Qt::AlignRight);
      man->setObjectName(QStringLiteral("lblcount%1").arg(row.code));
      com->setObjectName(QStringLiteral("lblcountcom%1").arg(row.code));
      grid->addWidget(man, r, 1);
      grid->addWidget(com, r, 2);
      ++r;
    }
    grid->setRowStretch(r, 1);
    blocks->addWidget(frame, 0, Qt::AlignTop);
  }

  auto* back = new QPushButton(qs(g_.os.tr(kYakuRirekiButton)), this);
  connect(back, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(back);

  auto* main = new QVBoxLayout(this);
  main->addLayout(blocks);
  main->addLayout(buttons);
  setAttribute(Qt::WA_DeleteOnClose);
}

QString FrmYakuRireki::count_text(int code, int side) const {
  auto* l = findChild<QLabel*>(side == 0 ? QStringLiteral("lblcount%1").arg(code)
                                         : QStringLiteral("lblcountcom%1").arg(code));
  return l ? l->text() : QString();
}

}  // namespace sekiba
