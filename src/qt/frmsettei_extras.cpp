#include "qt/frmsettei_extras.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "engine/game.h"
#include "qt/qt_platform.h"
#include "records/extras.h"

namespace sekiba {

ExtrasPage::ExtrasPage(Game& g, QWidget* parent) : QWidget(parent), g_(g) {
  calls_ = new QCheckBox(qs(g.os.tr("鳴ける時だけポン・チー・カンを出す（何もできない捨て牌ではすぐツモる）")), this);
  refusals_ = new QCheckBox(qs(g.os.tr("できなかった操作の理由を表示する")), this);
  hints_ = new QCheckBox(qs(g.os.tr("おせっかいとﾄﾞﾗｱｼｽﾄ君を次のゲームにも残す")), this);
  volume_ = new QSlider(Qt::Horizontal, this);
  volume_->setRange(0, 100);
  volume_->setPageStep(10);
  volume_value_ = new QLabel(this);
  volume_value_->setMinimumWidth(volume_value_->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
  connect(volume_, &QSlider::valueChanged, this,
          [this](int v) { volume_value_->setText(QStringLiteral("%1%").arg(v)); });
  mute_ = new QCheckBox(qs(g.os.tr("消音")), this);
  connect(mute_, &QCheckBox::toggled, volume_, &QWidget::setDisabled);

  auto* sound = new QHBoxLayout;
  sound->addWidget(new QLabel(qs(g.os.tr("音量")), this));
  sound->addWidget(volume_, 1);
  sound->addWidget(volume_value_);
  sound->addSpacing(12);
  sound->addWidget(mute_);

  auto* col = new QVBoxLayout(this);
  col->addWidget(calls_);
  col->addWidget(refusals_);
  col->addWidget(hints_);
  col->addSpacing(8);
  col->addLayout(sound);
  col->addStretch(1);
  extras_input();
}

void ExtrasPage::extras_input() {
  const Extras& e = g_.ext;
  calls_->setChecked(e.calls_when_possible);
  refusals_->setChecked(e.say_refusals);
  hints_->setChecked(e.keep_hints);
  volume_->setValue(e.volume);
  volume_value_->setText(QStringLiteral("%1%").arg(e.volume));
  mute_->setChecked(e.muted);
  volume_->setDisabled(e.muted);
}

void ExtrasPage::store() {
  Extras& e = g_.ext;
  e.calls_when_possible = calls_->isChecked();
  e.say_refusals = refusals_->isChecked();
  e.keep_hints = hints_->isChecked();
  // From now on the switches as they stand are the ones kept.
  e.osekai = g_.man.osekai_flag == 1;
  e.asist = g_.man.asist_flag == 1;
  e.volume = volume_->value();
  e.muted = mute_->isChecked();
  g_.os.set_sound_volume(e.volume, e.muted);
  if (!e.path.empty() && !save_extras(g_))
    g_.os.message_box(g_.os.tr("便利機能の設定を保存できませんでした"), g_.os.tr("ﾌｧｲﾙの書き込み"),
                      MessageButtons::Ok, MessageIcon::None);
}

}  // namespace sekiba
