// Painting primitives of the Qt platform: text, anti-aliased shapes, SVG elements
// and picture files, all drawn straight into the game's surfaces.
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QSvgRenderer>

#include "platform/fileio.h"
#include "qt/qt_platform.h"
#include "screen/capture.h"

namespace sekiba {

QImage wrap_surface(Surface& s) {
  return QImage(reinterpret_cast<uchar*>(s.px.data()), s.w, s.h, s.w * 4, QImage::Format_RGB32);
}

QString qs(const std::string& utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

namespace {
QColor qc(Pixel p) { return QColor(red_of(p), green_of(p), blue_of(p)); }

// Paints in logical coordinates: the painter scales them to the surface's device
// pixels, so shapes and SVG elements are drawn at the surface's full resolution.
struct SurfacePainter {
  QImage img;
  QPainter p;
  explicit SurfacePainter(Surface& s, bool scaled = true) : img(wrap_surface(s)), p(&img) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (scaled && s.k != 1) p.scale(s.k, s.k);
  }
};

// The pixel size of the font at point size `point` on a surface of scale k: the
// size of the logical layout, times k, so that text is set by the font itself
// at the device resolution rather than enlarged.
int pixel_size(int point, double k) {
  const int logical = std::max(1, point * 4 / 3);
  return k == 1 ? logical : std::max(1, int(std::lround(logical * k)));
}

QPen pen_of(Pixel pen, double width) {
  if (width <= 0) return Qt::NoPen;
  QPen p(qc(pen));
  p.setWidthF(width);
  p.setJoinStyle(Qt::RoundJoin);
  return p;
}
}  // namespace

QFont QtPlatform::game_font(int point, bool bold, double k) {
  QFont f(QStringLiteral("Noto Sans CJK JP"));
  f.setPixelSize(pixel_size(point, k));
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

void QtPlatform::draw_text(Surface& s, int x, int y, const std::string& utf8, const TextStyle& st) {
  if (s.empty()) return;
  // Set in device pixels with a font of the device size, not through a scaled
  // painter, so that the glyphs are the font's own at that size.
  SurfacePainter sp(s, false);
  QFont f = game_font(st.point, st.bold, s.k);
  sp.p.setFont(f);
  sp.p.setPen(qc(st.color));
  // Text is placed by the top of its em box, as the layouts expect: the CJK
  // font's own ascent is far taller than its glyphs and would push every line
  // several pixels down into the frames below it.
  const double baseline = y * s.k + 0.88 * f.pixelSize();
  if (st.cell <= 0) {
    sp.p.drawText(QPointF(x * s.k, baseline), qs(utf8));
    return;
  }
  const QFontMetricsF fm(f);
  double cx = x * s.k;
  const QString text = qs(utf8);
  for (int i = 0; i < text.size();) {
    const int n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString ch = text.mid(i, n);
    i += n;
    const double cw = st.cell * s.k * (half_width(ch.at(0).unicode()) ? 1 : 2);
    const double gw = fm.horizontalAdvance(ch);
    if (gw <= cw) {
      sp.p.drawText(QPointF(cx + (cw - gw) / 2, baseline), ch);
    } else {
      sp.p.save();
      sp.p.translate(cx, baseline);
      sp.p.scale(cw / gw, 1.0);
      sp.p.drawText(QPointF(0, 0), ch);
      sp.p.restore();
    }
    cx += cw;
  }
}

void QtPlatform::draw_text_centered(Surface& s, const RectF& r, const std::string& utf8,
                                    const TextStyle& st) {
  if (s.empty()) return;
  SurfacePainter sp(s, false);
  sp.p.setFont(game_font(st.point, st.bold, s.k));
  sp.p.setPen(qc(st.color));
  sp.p.drawText(QRectF(r.x * s.k, r.y * s.k, r.w * s.k, r.h * s.k), Qt::AlignCenter, qs(utf8));
}

int QtPlatform::text_width(const std::string& utf8, const TextStyle& st) {
  return QFontMetrics(game_font(st.point, st.bold)).horizontalAdvance(qs(utf8));
}

void QtPlatform::fill_round_rect(Surface& s, const RectF& r, double radius, Pixel fill, Pixel pen,
                                 double pen_width) {
  if (s.empty()) return;
  SurfacePainter sp(s);
  sp.p.setPen(pen_of(pen, pen_width));
  sp.p.setBrush(qc(fill));
  sp.p.drawRoundedRect(QRectF(r.x, r.y, r.w, r.h), radius, radius);
}

void QtPlatform::fill_ellipse(Surface& s, const RectF& r, Pixel fill, Pixel pen, double pen_width) {
  if (s.empty()) return;
  SurfacePainter sp(s);
  sp.p.setPen(pen_of(pen, pen_width));
  sp.p.setBrush(qc(fill));
  sp.p.drawEllipse(QRectF(r.x, r.y, r.w, r.h));
}

void QtPlatform::fill_polygon(Surface& s, const PointF* pts, int count, Pixel fill) {
  if (s.empty() || count < 3) return;
  SurfacePainter sp(s);
  QPolygonF poly;
  for (int i = 0; i < count; ++i) poly << QPointF(pts[i].x, pts[i].y);
  sp.p.setPen(Qt::NoPen);
  sp.p.setBrush(qc(fill));
  sp.p.drawPolygon(poly);
}

void QtPlatform::draw_thick_line(Surface& s, PointF a, PointF b, double width, Pixel color) {
  if (s.empty()) return;
  SurfacePainter sp(s);
  QPen pen(qc(color));
  pen.setWidthF(width);
  pen.setCapStyle(Qt::RoundCap);
  sp.p.setPen(pen);
  sp.p.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
}

void QtPlatform::fill_gradient(Surface& s, const RectF& r, Pixel top, Pixel bottom) {
  if (s.empty()) return;
  SurfacePainter sp(s);
  QLinearGradient g(QPointF(r.x, r.y), QPointF(r.x, r.y + r.h));
  g.setColorAt(0, qc(top));
  g.setColorAt(1, qc(bottom));
  sp.p.fillRect(QRectF(r.x, r.y, r.w, r.h), g);
}

bool QtPlatform::draw_svg_element(Surface& s, const std::string& file, const std::string& id,
                                  const RectF& r) {
  if (s.empty()) return false;
  auto it = svg_cache_.find(file);
  if (it == svg_cache_.end()) {
    auto renderer = std::make_unique<QSvgRenderer>(qs(file));
    it = svg_cache_.emplace(file, std::move(renderer)).first;
  }
  QSvgRenderer* svg = it->second.get();
  if (!svg->isValid() || !svg->elementExists(qs(id))) return false;
  SurfacePainter sp(s);
  svg->render(&sp.p, qs(id), QRectF(r.x, r.y, r.w, r.h));
  return true;
}

bool QtPlatform::load_image(const std::string& path, Surface& s) {
  QImage img;
  if (!img.load(qs(path))) return false;
  img = img.convertToFormat(QImage::Format_RGB32);
  Surface out(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y) {
    const auto* line = reinterpret_cast<const Pixel*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) out.at(x, y) = line[x] | 0xFF000000u;
  }
  s = std::move(out);
  return true;
}

bool QtPlatform::save_bmp(const Surface& s, const std::string& path) {
  // Our own encoder and an all-or-nothing write: a crash never leaves half a file.
  return !s.empty() && write_file_atomic(path, encode_bmp(s));
}

}  // namespace sekiba
