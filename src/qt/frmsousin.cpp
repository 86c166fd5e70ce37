#include "qt/frmsousin.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/game.h"
#include "qt/qt_platform.h"
#include "records/hiscore.h"

namespace sekiba {

FrmSousin::FrmSousin(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(qs(g_.os.tr("TOPデータの送信")));
  setFont(QtPlatform::game_font(11, false));
  auto* top = new QVBoxLayout(this);
  auto* label = new QLabel(
      qs(g_.os.tr("TOPデータを送信します。「送信する」を押すとデータがクリップボードに"
                     "コピーされますので、メールなどの本文の中にデータをペーストして送って下さい。")),
      this);
  label->setWordWrap(true);
  label->setMinimumWidth(360);
  top->addWidget(label);
  auto* row = new QHBoxLayout;
  auto* send = new QPushButton(qs(g_.os.tr("送信する(&S)")), this);
  auto* back = new QPushButton(qs(g_.os.tr("戻る(&R)")), this);
  row->addStretch(1);
  row->addWidget(send);
  row->addWidget(back);
  top->addLayout(row);
  connect(send, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(back, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void FrmSousin::Command1_Click() {
  if (frmsousin_send(g_)) close();
}

}  // namespace sekiba
