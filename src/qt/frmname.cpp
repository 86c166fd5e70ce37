#include "qt/frmname.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/game.h"
#include "qt/qt_platform.h"
#include "records/hiscore.h"

namespace sekiba {

FrmName::FrmName(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(qs(g_.os.tr("名前を入力出来ます")));
  setFont(QtPlatform::game_font(11, false));
  auto* top = new QVBoxLayout(this);
  txtname_ = new QLineEdit(this);
  txtname_->setMinimumWidth(300);
  top->addWidget(txtname_);
  auto* row = new QHBoxLayout;
  auto* ok = new QPushButton(qs(g_.os.tr("入力(&R)")), this);
  auto* clear = new QPushButton(qs(g_.os.tr("クリア(&C)")), this);
  ok->setDefault(true);
  clear->setAutoDefault(false);
  row->addStretch(1);
  row->addWidget(ok);
  row->addWidget(clear);
  top->addLayout(row);
  connect(ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(clear, &QPushButton::clicked, this, [this] { cmdCLEAR_Click(); });
  txtname_->setFocus();
}

void FrmName::cmdOK_Click() {
  if (!answered_) {
    answered_ = true;
    frmname_cmdOK(g_, txtname_->text().toStdString());
  }
  close();
}

void FrmName::cmdCLEAR_Click() {
  txtname_->clear();
  txtname_->setFocus();
}

void FrmName::closeEvent(QCloseEvent* e) {
  // The title bar's close and Esc give the name typed so far, like 入力.
  if (!answered_) {
    answered_ = true;
    frmname_cmdOK(g_, txtname_->text().toStdString());
  }
  e->accept();
}

void FrmName::reject() { cmdOK_Click(); }

}  // namespace sekiba
