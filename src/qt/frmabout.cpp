#include "qt/frmabout.h"

#include <QFont>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include "engine/game.h"
#include "qt/frmyakuhelp.h"
#include "qt/qt_platform.h"
#include "screen/capture.h"

namespace sekiba {

namespace {

QPixmap pixmap_of(const Surface& s, double device_ratio) {
  QImage img(reinterpret_cast<const uchar*>(s.px.data()), s.w, s.h, s.w * 4, QImage::Format_RGB32);
  QPixmap p = QPixmap::fromImage(img.copy());
  p.setDevicePixelRatio(device_ratio);
  return p;
}

// The box is laid out for a table shown at its own size; at a table k times as
// large every place, size and text grows k times with it.
void grow(QWidget* box, int k) {
  if (k == 1) return;
  for (QWidget* w : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    w->setGeometry(QRect(w->pos() * k, w->size() * k));
    QFont f = w->font();
    if (f.pointSizeF() > 0) f.setPointSizeF(f.pointSizeF() * k);
    else if (f.pixelSize() > 0) f.setPixelSize(f.pixelSize() * k);
    w->setFont(f);
  }
  box->setFixedSize(box->size() * k);
}

QLabel* text_label(QWidget* parent, const char* name, const std::string& text, int x, int y,
                   int point, bool bold) {
  auto* l = new QLabel(qs(text), parent);
  l->setObjectName(QString::fromLatin1(name));
  QFont f = l->font();
  f.setFamily(QStringLiteral("Noto Sans CJK JP"));
  f.setPointSize(point);
  f.setBold(bold);
  l->setFont(f);
  l->move(x, y);
  l->resize(310, l->sizeHint().height());
  return l;
}

}  // namespace

FrmAbout::FrmAbout(Game& g, QWidget* parent) : QDialog(parent) {
  setWindowTitle(qs(g.os.tr("ﾊﾞｰｼﾞｮﾝ情報")));
  setModal(true);
  setFixedSize(440, 214);

  const int k = dialog_scale(parent);
  const double dk = dialog_pixel_scale(parent);
  const AboutInfo info = about_info(g.os);
  auto* image1 = new QLabel(this);
  image1->setObjectName(QStringLiteral("Image1"));
  image1->setPixmap(pixmap_of(about_picture(g, dk), dk / k));
  image1->setGeometry(20, 20, kAboutPictureSize, kAboutPictureSize);

  text_label(this, "lblapplication", info.application, 116, 16, 18, true);
  text_label(this, "lblheading", info.heading, 116, 56, 11, true);
  lblcopyright_ = text_label(this, "lblcopyright", info.copyright, 116, 84, 9, false);
  lblcopyright_->installEventFilter(this);
  auto* address = text_label(this, "lbladdress", info.address, 116, 108, 9, false);
  address->setWordWrap(true);
  address->resize(310, address->heightForWidth(310));
  text_label(this, "lbllicence", info.licence, 116, 128, 9, false);

  auto* line1 = new QFrame(this);
  line1->setObjectName(QStringLiteral("Line1"));
  line1->setFrameShape(QFrame::HLine);
  line1->setFrameShadow(QFrame::Sunken);
  line1->setGeometry(20, 150, 400, 4);

  auto* ok = new QPushButton(qs(g.os.tr("戻る(&R)")), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  ok->setGeometry(320, 166, 100, 30);
  connect(ok, &QPushButton::clicked, this, &QDialog::close);

  picnon_ = new QLabel(this);
  picnon_->setObjectName(QStringLiteral("PicNON"));
  picnon_->setPixmap(pixmap_of(about_hidden_picture(g, dk), dk / k));
  picnon_->setGeometry(220, 100, kAboutPictureSize, kAboutPictureSize);
  picnon_->hide();
  grow(this, k);
}

void FrmAbout::lblcopyright_Click(Qt::KeyboardModifiers mods) {
  if ((mods & Qt::ShiftModifier) && (mods & Qt::ControlModifier)) {
    picnon_->show();
    picnon_->raise();
  }
}

bool FrmAbout::hidden_picture_shown() const { return !picnon_->isHidden(); }

QLabel* FrmAbout::label(const char* name) const {
  return findChild<QLabel*>(QString::fromLatin1(name));
}

bool FrmAbout::eventFilter(QObject* watched, QEvent* ev) {
  if (watched == lblcopyright_ && ev->type() == QEvent::MouseButtonPress)
    lblcopyright_Click(static_cast<QMouseEvent*>(ev)->modifiers());
  return QDialog::eventFilter(watched, ev);
}

}  // namespace sekiba
