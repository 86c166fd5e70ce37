#include "qt/frmyakuhelp.h"

#include <QFont>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "engine/game.h"
#include "qt/frm_sekiba.h"
#include "qt/qt_platform.h"
#include "qt/table_view.h"

namespace sekiba {

int dialog_scale(QWidget* parent) {
  auto* main = qobject_cast<FrmSekiba*>(parent);
  if (!main || !main->table_view()) return 1;
  return std::clamp(int(std::floor(main->table_view()->letterbox().scale)), 1, 3);
}

double dialog_pixel_scale(QWidget* parent) {
  return dialog_scale(parent) * (parent ? parent->devicePixelRatioF() : 1.0);
}

FrmYakuHelp::FrmYakuHelp(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(qs(g_.os.tr("翠嶺牌戯の上がり役図解説明")));
  QFont f = font();
  f.setFamily(QStringLiteral("Noto Sans CJK JP"));
  setFont(f);

  view_ = new TableView(this);
  view_->setFocusPolicy(Qt::NoFocus);  // the buttons keep the keyboard
  view_->set_surface(&w_.surface);
  const int k = dialog_scale(parent);
  view_->setFixedSize(kHelpW * k, kHelpH * k);
  const double dk = dialog_pixel_scale(parent);
  w_.picHAIKEI2 = Surface(kHelpW, kHelpH, dk, kBlack);
  w_.surface = Surface(kHelpW, kHelpH, dk, kBlack);

  auto* back = new QPushButton(qs(g_.os.tr("前ページ(&B)")), this);
  auto* next = new QPushButton(qs(g_.os.tr("次ページ(&N)")), this);
  auto* exit = new QPushButton(qs(g_.os.tr("戻る(&R)")), this);
  back->setObjectName(QStringLiteral("cmdBACK"));
  next->setObjectName(QStringLiteral("cmdNEXT"));
  exit->setObjectName(QStringLiteral("cmdexit"));
  next->setDefault(true);
  connect(back, &QPushButton::clicked, this, &FrmYakuHelp::cmdBACK_Click);
  connect(next, &QPushButton::clicked, this, &FrmYakuHelp::cmdNEXT_Click);
  connect(exit, &QPushButton::clicked, this, &FrmYakuHelp::cmdexit_Click);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back);
  buttons->addWidget(next);
  buttons->addStretch(1);
  buttons->addWidget(exit);
  // The page picture starts at the window's top left corner; only the buttons
  // keep the usual margins around them.
  auto* top = new QVBoxLayout(this);
  buttons->setContentsMargins(top->contentsMargins());
  top->setContentsMargins(0, 0, 0, 0);
  top->setSpacing(0);
  top->addWidget(view_);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  reload();
}

void FrmYakuHelp::reload() {
  yakuhelp_Form_Load(g_, w_);
  view_->surface_changed();
}

void FrmYakuHelp::cmdNEXT_Click() {
  yakuhelp_cmdNEXT(g_, w_);
  view_->surface_changed();
}

void FrmYakuHelp::cmdBACK_Click() {
  yakuhelp_cmdBACK(g_, w_);
  view_->surface_changed();
}

void FrmYakuHelp::cmdexit_Click() { close(); }

}  // namespace sekiba
