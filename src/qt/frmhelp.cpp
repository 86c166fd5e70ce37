#include "qt/frmhelp.h"

#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/game.h"
#include "qt/frmyakuhelp.h"
#include "qt/qt_platform.h"
#include "screen/capture.h"

namespace sekiba {

FrmHelp::FrmHelp(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(qs(g_.os.tr("翠嶺牌戯 ヘルプ")));
  const int k = dialog_scale(parent);
  QFont f = font();
  f.setFamily(QStringLiteral("Noto Sans CJK JP"));
  setFont(f);

  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("browser"));
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(true);
  QFont bf = browser_->font();
  bf.setPointSizeF(bf.pointSizeF() * k);
  browser_->setFont(bf);

  auto button = [this](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
  };
  QPushButton* back = button("cmdBACK", qs(g_.os.tr("前へ(&B)")));
  QPushButton* contents = button("cmdMOKUJI", qs(g_.os.tr("目次(&M)")));
  QPushButton* exit = button("cmdexit", qs(g_.os.tr("閉じる(&C)")));
  back->setEnabled(false);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(contents, &QPushButton::clicked, this, &FrmHelp::show_contents);
  connect(exit, &QPushButton::clicked, this, &QDialog::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back);
  buttons->addWidget(contents);
  buttons->addStretch(1);
  buttons->addWidget(exit);
  auto* top = new QVBoxLayout(this);
  top->addWidget(browser_, 1);
  top->addLayout(buttons);

  show_contents();
}

QSize FrmHelp::sizeHint() const {
  const int k = dialog_scale(parentWidget());
  QSize want(720 * k, 560 * k);
  if (const QScreen* sc = screen()) want = want.boundedTo(sc->availableGeometry().size() * 9 / 10);
  return want;
}

void FrmHelp::show_contents() {
  const QString file = qs(help_file(g_));
  if (QFileInfo(file).isFile()) {
    const QUrl url = QUrl::fromLocalFile(file);
    // From anywhere in the pages back to the top of the contents.
    if (browser_->source() == url) browser_->verticalScrollBar()->setValue(0);
    else browser_->setSource(url);
  } else {
    const QString missing = qs(g_.os.tr("ヘルプのファイル「sekiba_html_help_mokuji.htm」が見つかりません。"));
    const QString where = qs(g_.os.tr("ゲームと同じフォルダに置いてください。"));
    browser_->setHtml(QStringLiteral("<p>%1</p><p>%2</p>").arg(missing.toHtmlEscaped(), where.toHtmlEscaped()));
  }
}

}  // namespace sekiba
