#pragma once
// The widget that shows the game's 640 x 480 surface, scaled to fit and
// letterboxed in black, and turns Qt's keyboard and mouse into the game's input.
#include <QImage>
#include <QRectF>
#include <QWidget>
#include <functional>
#include <optional>

#include "platform/platform.h"

namespace sekiba {

// Where a surface of sw x sh lands inside a widget of ww x wh: the largest
// uniform scale that fits, centred, offsets on whole pixels so that an integer
// scale stays sharp.
struct Letterbox {
  double scale = 1;
  double x = 0;
  double y = 0;
  int sw = 0;
  int sh = 0;

  static Letterbox fit(int ww, int wh, int sw, int sh);
  QRectF target() const { return QRectF(x, y, sw * scale, sh * scale); }
  // The surface pixel under a widget position, or nothing in the black border.
  std::optional<QPoint> to_surface(QPointF widget_pos) const;
};

// The largest whole scale (at least 1) at which a sw x sh surface plus the
// window's extra width and height still fits in the available area.
int default_scale(QSize available, int sw, int sh, QSize extra);

// The Windows virtual-key code of a Qt key event, 0 for keys the game never
// hears about. scan_code is the XKB key code (X11 and Wayland), 0 when unknown;
// it recovers the key cap when the layout turns a letter or digit into another
// symbol (Shift+1, a Cyrillic layout).
int windows_vk(int qt_key, Qt::KeyboardModifiers mods, quint32 scan_code = 0);

class TableView : public QWidget {
  Q_OBJECT
 public:
  explicit TableView(QWidget* parent = nullptr);

  void set_surface(const Surface* s);
  void surface_changed() { update(); }
  // Pointer image (kPointerTransparent is see-through), or nullptr for the arrow.
  void set_pointer(const Surface* image, int hot_x, int hot_y);
  // A line shown over the bottom of the table for ms milliseconds; the
  // surface itself is never touched.
  void show_notice(const QString& text, int ms = 4000);
  QString notice_text() const { return notice_; }

  Letterbox letterbox() const;
  QSize sizeHint() const override;
  void set_preferred_scale(int scale) { preferred_scale_ = scale; updateGeometry(); }

  // Receives every input event that lands on the surface.
  std::function<void(const InputEvent&)> on_input;
  // Asked before painting when the surface's scale is not the one the window
  // shows: device pixels per logical pixel of the table.
  std::function<void(double k)> on_scale;
  // Whether on_scale(k) is quick (the pictures of that scale are at hand). A
  // scale that is not, and any scale while sizes keep coming, waits until the
  // size has settled, and the table drawn at the scale already there is shown,
  // enlarged or reduced, until then; without this every new scale is drawn
  // before the paint.
  std::function<bool(double k)> scale_ready;
  // How long a size must stay before the pictures of its scale are made.
  static constexpr int kSettleMs = 120;
  // Paints timed by a benchmark: called at the end of every paint.
  std::function<void()> on_painted;
  // The scale at which the table fills the widget on its screen, at least 1.
  double wanted_scale() const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool focusNextPrevChild(bool) override { return false; }  // Tab belongs to the game

 private:
  const Surface* surface_ = nullptr;
  QTimer* settle_timer_ = nullptr;
  void rescale(double k);
  void paint_table();
  void rescale_when_settled();
  QString notice_;
  QTimer* notice_timer_ = nullptr;
  void paint_notice(QPainter& p);
  int preferred_scale_ = 1;
  QImage pointer_;  // ARGB32 with the transparent colour cleared; null: arrow
  QPoint pointer_hot_;
  const Surface* pointer_src_ = nullptr;  // the game's picture, redrawn at each scale
  double pointer_k_ = 1;
  void apply_pointer();
  void send(const InputEvent& ev);
};

}  // namespace sekiba
