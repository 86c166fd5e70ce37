#include "qt/table_view.h"

#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <string>

#include "screen/screen.h"

namespace sekiba {

Letterbox Letterbox::fit(int ww, int wh, int sw, int sh) {
  Letterbox lb;
  lb.sw = sw;
  lb.sh = sh;
  lb.scale = 0;  // nothing shows and nothing maps in an empty widget
  if (sw <= 0 || sh <= 0 || ww <= 0 || wh <= 0) return lb;
  lb.scale = std::min(double(ww) / sw, double(wh) / sh);
  lb.x = std::floor((ww - sw * lb.scale) / 2);
  lb.y = std::floor((wh - sh * lb.scale) / 2);
  return lb;
}

std::optional<QPoint> Letterbox::to_surface(QPointF p) const {
  if (scale <= 0) return std::nullopt;
  double fx = std::floor((p.x() - x) / scale);
  double fy = std::floor((p.y() - y) / scale);
  if (fx < 0 || fy < 0 || fx >= sw || fy >= sh) return std::nullopt;
  return QPoint(int(fx), int(fy));
}

int default_scale(QSize available, int sw, int sh, QSize extra) {
  int k = 1;
  while (sw * (k + 1) + extra.width() <= available.width() &&
         sh * (k + 1) + extra.height() <= available.height())
    ++k;
  return k;
}

namespace {

// XKB key codes of the digit row and the three letter rows of a PC keyboard.
int vk_from_scan_code(quint32 code) {
  if (code >= 10 && code <= 18) return '1' + int(code - 10);
  if (code == 19) return '0';
  static const char* const rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static const quint32 first[] = {24, 38, 52};
  for (int r = 0; r < 3; ++r) {
    quint32 len = quint32(std::char_traits<char>::length(rows[r]));
    if (code >= first[r] && code < first[r] + len) return rows[r][code - first[r]];
  }
  return 0;
}

}  // namespace

int windows_vk(int key, Qt::KeyboardModifiers mods, quint32 scan_code) {
  if (mods & Qt::KeypadModifier) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return 0x60 + (key - Qt::Key_0);
    switch (key) {
      case Qt::Key_Asterisk: return 0x6A;
      case Qt::Key_Plus: return 0x6B;
      case Qt::Key_Comma: return 0x6C;  // separator
      case Qt::Key_Minus: return 0x6D;
      case Qt::Key_Period: return 0x6E;
      case Qt::Key_Slash: return 0x6F;
      default: break;  // Num Lock off: the navigation keys below
    }
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // same codes as Windows
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0x09;
    case Qt::Key_Clear: return 0x0C;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt: return 0x12;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    default: break;
  }
  if (!(mods & Qt::KeypadModifier)) return vk_from_scan_code(scan_code);
  return 0;
}

TableView::TableView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted: surface or black
  setMinimumSize(kScreenW / 4, kScreenH / 4);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TableView::set_surface(const Surface* s) {
  surface_ = s;
  update();
}

Letterbox TableView::letterbox() const {
  // In the table's logical pixels, whatever the surface's scale: mouse
  // positions come out on the 640 x 480 grid.
  int sw = surface_ ? surface_->lw() : kScreenW;
  int sh = surface_ ? surface_->lh() : kScreenH;
  return Letterbox::fit(width(), height(), sw, sh);
}

double TableView::wanted_scale() const {
  return std::clamp(letterbox().scale * devicePixelRatioF(), 1.0, 8.0);
}

QSize TableView::sizeHint() const {
  return QSize(kScreenW * preferred_scale_, kScreenH * preferred_scale_);
}

void TableView::rescale(double k) {
  on_scale(k);
  // The pointer pictures were drawn anew at the new scale as well.
  if (pointer_src_ && pointer_src_->k != pointer_k_) set_pointer(pointer_src_, pointer_hot_.x(), pointer_hot_.y());
}

void TableView::rescale_when_settled() {
  if (!settle_timer_) {
    settle_timer_ = new QTimer(this);
    settle_timer_->setSingleShot(true);
    connect(settle_timer_, &QTimer::timeout, this, [this] {
      if (!surface_ || surface_->empty() || !on_scale) return;
      const double k = wanted_scale();
      if (std::abs(surface_->k - k) <= 1e-6) return;
      rescale(k);
      update();
    });
  }
  settle_timer_->start(kSettleMs);  // each new size starts the wait again
}

void TableView::paintEvent(QPaintEvent*) {
  paint_table();
  if (on_painted) on_painted();
}

void TableView::paint_table() {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  if (!surface_ || surface_->empty()) return paint_notice(p);
  // The table is drawn at the window's own resolution before it is shown when
  // that is quick; otherwise (a size never shown before, while an edge is
  // dragged) the table already drawn fills the window until the size settles.
  const double k = wanted_scale();
  if (on_scale && std::abs(surface_->k - k) > 1e-6) {
    // While sizes keep coming (an edge dragged) even a kept scale waits: its
    // table drawn again costs more than a frame.
    const bool settling = settle_timer_ && settle_timer_->isActive();
    if (!scale_ready || (scale_ready(k) && !settling)) rescale(k);
    else rescale_when_settled();
  }
  // Read-only wrap: the pixels stay the game's, nothing is copied.
  QImage img(reinterpret_cast<const uchar*>(surface_->px.data()), surface_->w, surface_->h,
             surface_->w * 4, QImage::Format_RGB32);
  Letterbox lb = letterbox();
  const double dpr = devicePixelRatioF();
  const double device_scale = lb.scale * dpr / surface_->k;
  if (std::abs(device_scale - 1) < 1e-3) {
    // One surface pixel on one device pixel.
    p.drawImage(QRectF(lb.x, lb.y, img.width() / dpr, img.height() / dpr), img,
                QRectF(img.rect()));
    return paint_notice(p);
  }
  bool whole = std::abs(device_scale - std::round(device_scale)) < 1e-6;
  p.setRenderHint(QPainter::SmoothPixmapTransform, !whole);
  p.drawImage(lb.target(), img, QRectF(img.rect()));
  paint_notice(p);
}

void TableView::show_notice(const QString& text, int ms) {
  notice_ = text;
  if (!notice_timer_) {
    notice_timer_ = new QTimer(this);
    notice_timer_->setSingleShot(true);
    connect(notice_timer_, &QTimer::timeout, this, [this] {
      notice_.clear();
      update();
    });
  }
  notice_timer_->start(ms);
  update();
}

void TableView::paint_notice(QPainter& p) {
  if (notice_.isEmpty()) return;
  // A dark strip along the bottom of the table, wide enough for a long path.
  const Letterbox lb = letterbox();
  const QRectF table = lb.scale > 0 ? lb.target() : QRectF(rect());
  QFont f = font();
  f.setPixelSize(std::max(9, int(std::lround(12 * std::max(lb.scale, 0.75)))));
  p.setFont(f);
  const QFontMetrics fm(f);
  const int pad = std::max(3, fm.height() / 4);
  const int text_w = int(table.width()) - 4 * pad;
  const QString line = fm.elidedText(notice_, Qt::ElideMiddle, std::max(text_w, 10));
  const QRectF box(table.left() + pad, table.bottom() - fm.height() - 3 * pad,
                   std::min<double>(fm.horizontalAdvance(line) + 2 * pad, table.width() - 2 * pad),
                   fm.height() + 2 * pad);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 200));
  p.drawRoundedRect(box, pad, pad);
  p.setPen(Qt::white);
  p.drawText(box.adjusted(pad, 0, -pad, 0), Qt::AlignVCenter | Qt::AlignLeft, line);
}

void TableView::send(const InputEvent& ev) {
  if (on_input) on_input(ev);
}

void TableView::keyPressEvent(QKeyEvent* e) {
  // Key codes from the XKB key number only mean something where Qt reports them.
  QString plat = QGuiApplication::platformName();
  bool xkb = plat == QLatin1String("xcb") || plat.startsWith(QLatin1String("wayland"));
  int vk = windows_vk(e->key(), e->modifiers(), xkb ? e->nativeScanCode() : 0);
  InputEvent ev;
  ev.kind = InputEvent::Kind::KeyDown;
  ev.vk = vk;
  ev.shift = e->modifiers() & Qt::ShiftModifier;
  ev.ctrl = e->modifiers() & Qt::ControlModifier;
  // A key without a code still counts for the game, as "any other key" (0),
  // and then goes on to the window as before.
  send(ev);
  if (vk == 0) QWidget::keyPressEvent(e);
  else e->accept();
}

void TableView::mousePressEvent(QMouseEvent* e) {
  int button = 0;
  switch (e->button()) {
    case Qt::LeftButton: button = 1; break;
    case Qt::RightButton: button = 2; break;
    case Qt::MiddleButton: button = 4; break;
    default: return;  // side buttons mean nothing to the game
  }
  std::optional<QPoint> at = letterbox().to_surface(e->position());
  if (!at) return;
  InputEvent ev;
  ev.kind = InputEvent::Kind::MouseDown;
  ev.button = button;
  ev.x = at->x();
  ev.y = at->y();
  ev.shift = e->modifiers() & Qt::ShiftModifier;
  ev.ctrl = e->modifiers() & Qt::ControlModifier;
  send(ev);
}

void TableView::mouseMoveEvent(QMouseEvent* e) {
  std::optional<QPoint> at = letterbox().to_surface(e->position());
  if (!at) return;
  InputEvent ev;
  ev.kind = InputEvent::Kind::MouseMove;
  ev.x = at->x();
  ev.y = at->y();
  ev.shift = e->modifiers() & Qt::ShiftModifier;
  ev.ctrl = e->modifiers() & Qt::ControlModifier;
  send(ev);
}

void TableView::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (!pointer_.isNull()) apply_pointer();
}

void TableView::set_pointer(const Surface* image, int hot_x, int hot_y) {
  pointer_src_ = image;
  if (!image || image->empty()) {
    pointer_ = QImage();
    unsetCursor();
    return;
  }
  QImage img(image->w, image->h, QImage::Format_ARGB32);
  for (int y = 0; y < image->h; ++y) {
    const Pixel* src = image->row(y);
    auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < image->w; ++x)
      dst[x] = src[x] == kPointerTransparent ? 0u : (src[x] | 0xFF000000u);
  }
  pointer_ = img;
  pointer_k_ = image->k;
  pointer_hot_ = QPoint(hot_x, hot_y);
  apply_pointer();
}

void TableView::apply_pointer() {
  // The pointer is drawn at the table's scale like the rest of the artwork; one
  // drawn at scale 1 (before the table knew its size) grows in whole steps.
  const double dpr = devicePixelRatioF();
  const double want = letterbox().scale * dpr;
  QImage img = pointer_;
  double k = pointer_k_;
  if (k == 1) {
    const int whole = std::max(1, int(std::floor(want)));
    if (whole > 1)
      img = pointer_.scaled(pointer_.size() * whole, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    k = whole;
  }
  QPixmap pm = QPixmap::fromImage(img);
  pm.setDevicePixelRatio(dpr);
  setCursor(QCursor(pm, int(std::lround(pointer_hot_.x() * k / dpr)),
                    int(std::lround(pointer_hot_.y() * k / dpr))));
}

}  // namespace sekiba
