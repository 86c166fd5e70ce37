#include "qt/frmlan.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/game.h"
#include "lan/lan.h"
#include "qt/qt_platform.h"

namespace sekiba {

FrmLan::FrmLan(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(qs(g_.os.tr("ＬＡＮ対戦の相手")));
  QFont f = font();
  f.setFamily(QStringLiteral("Noto Sans CJK JP"));
  setFont(f);
  combo_ = new QComboBox(this);
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);  // the buttons decide what is kept
  combo_->setMinimumWidth(260);
  auto* ok = new QPushButton(qs(g_.os.tr("設定(&Y)")), this);
  auto* del = new QPushButton(qs(g_.os.tr("削除(&D)")), this);
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(del);
  auto* main = new QVBoxLayout(this);
  main->addWidget(combo_);
  main->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &FrmLan::cmdhenkou_Click);
  connect(del, &QPushButton::clicked, this, &FrmLan::cmddel_Click);
  refill(frmlan_list(g_), g_.lan.aite_list[0]);
}

void FrmLan::refill(const std::vector<std::string>& list, const std::string& text) {
  combo_->clear();
  for (const auto& name : list) combo_->addItem(qs(name));
  combo_->setEditText(qs(text));
}

namespace {
std::vector<std::string> items(const QComboBox* c) {
  std::vector<std::string> v;
  for (int i = 0; i < c->count(); ++i) v.push_back(c->itemText(i).toStdString());
  return v;
}
}  // namespace

void FrmLan::cmdhenkou_Click() {
  auto list = items(combo_);
  std::string text = combo_->currentText().toStdString();
  if (frmlan_cmdhenkou_Click(g_, list, text)) close();
}

void FrmLan::cmddel_Click() {
  auto list = items(combo_);
  std::string text = combo_->currentText().toStdString();
  frmlan_cmddel_Click(g_, list, text);
  refill(list, text);
}

}  // namespace sekiba
