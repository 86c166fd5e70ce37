#include "qt/frmtumikomi.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "engine/game.h"
#include "platform/platform.h"
#include "qt/frmyakuhelp.h"
#include "qt/qt_platform.h"
#include "qt/table_view.h"

namespace sekiba {

namespace {

// The editor plays sounds, and a sound yields to the event loop; a quit asked
// for meanwhile unwinds to here and must not reach Qt.
template <class F>
void guarded(F&& f) {
  try {
    f();
  } catch (const QuitRequested&) {
  } catch (const std::exception&) {
  }
}

}  // namespace

FrmTumikomi::FrmTumikomi(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(qs(g_.os.tr("積み込みエディタ")));
  QFont f = font();
  f.setFamily(QStringLiteral("Noto Sans CJK JP"));
  setFont(f);

  view_ = new TableView(this);
  view_->setFocusPolicy(Qt::NoFocus);
  view_->set_surface(&e_.surface);
  const int k = dialog_scale(parent);
  view_->setFixedSize(kEditorW * k, kEditorH * k);
  const double dk = dialog_pixel_scale(parent);
  e_.haikei = Surface(kEditorW, kEditorH, dk, kBlack);
  e_.surface = Surface(kEditorW, kEditorH, dk, kBlack);
  view_->on_input = [this](const InputEvent& ev) {
    if (ev.kind == InputEvent::Kind::MouseDown) picture_MouseDown(ev.button, ev.x, ev.y);
  };

  auto* label1 = new QLabel(qs(g_.os.tr("パターン")), this);
  label1->setObjectName(QStringLiteral("Label1"));
  label2_ = new QLabel(this);
  label2_->setObjectName(QStringLiteral("Label2"));
  label2_->setMinimumWidth(label2_->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 8);
  QFont big = label2_->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.3);
  label2_->setFont(big);

  auto button = [this](const char* name, const QString& caption, void (FrmTumikomi::*slot)()) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  auto* back = button("cmdBACK", qs(g_.os.tr("前(&B)")), &FrmTumikomi::cmdBACK_Click);
  auto* next = button("cmdNEXT", qs(g_.os.tr("次(&N)")), &FrmTumikomi::cmdNEXT_Click);
  auto* shoki = button("cmdSHOKI", qs(g_.os.tr("初期設定(&C)")), &FrmTumikomi::cmdSHOKI_Click);
  auto* ok = button("cmdOK", qs(g_.os.tr("設定(&Y)")), &FrmTumikomi::cmdOK_Click);
  auto* ng = button("cmdNG", qs(g_.os.tr("ｷｬﾝｾﾙ(&X)")), &FrmTumikomi::cmdNG_Click);

  auto* row = new QHBoxLayout;
  row->addWidget(label1);
  row->addWidget(label2_);
  row->addSpacing(8);
  row->addWidget(back);
  row->addWidget(next);
  row->addStretch(1);
  row->addWidget(shoki);
  row->addSpacing(8);
  row->addWidget(ok);
  row->addWidget(ng);
  auto* top = new QVBoxLayout(this);
  top->addWidget(view_);
  top->addLayout(row);
  top->setSizeConstraint(QLayout::SetFixedSize);
  view_->setToolTip(qs(g_.os.tr("右クリックで次の牌、左クリックで前の牌")));

  tumikomi_Form_Load(g_, e_);
  refresh();
}

void FrmTumikomi::refresh() {
  label2_->setText(QString::number(e_.pattern));
  view_->surface_changed();
}

void FrmTumikomi::picture_MouseDown(int button, int x, int y) {
  guarded([&] { tumikomi_MouseDown(g_, e_, button, x, y); });
  refresh();
}

void FrmTumikomi::cmdBACK_Click() {
  tumikomi_cmdBACK(g_, e_);
  refresh();
}

void FrmTumikomi::cmdNEXT_Click() {
  tumikomi_cmdNEXT(g_, e_);
  refresh();
}

void FrmTumikomi::cmdSHOKI_Click() {
  tumikomi_cmdSHOKI(g_, e_);
  refresh();
}

void FrmTumikomi::cmdOK_Click() {
  bool done = false;
  guarded([&] { done = tumikomi_cmdOK(g_, e_); });
  refresh();
  if (!done) return;
  saved_ = true;
  close();
}

void FrmTumikomi::cmdNG_Click() { close(); }

void FrmTumikomi::reject() {
  // Leaving without a save reads the user's patterns back over the edits.
  if (!saved_) tumikomi_cmdNG(g_);
  saved_ = false;
  QDialog::reject();
}

}  // namespace sekiba
