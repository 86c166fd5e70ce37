#include "screen/sheets_art.h"

#include <algorithm>
#include <cmath>

namespace sekiba::art {

Pixel mix(Pixel a, Pixel b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto ch = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
  return rgb(ch(red_of(a), red_of(b)), ch(green_of(a), green_of(b)), ch(blue_of(a), blue_of(b)));
}

Pixel multiply(Pixel paper, Pixel ink) {
  return rgb(red_of(paper) * red_of(ink) / 255, green_of(paper) * green_of(ink) / 255,
             blue_of(paper) * blue_of(ink) / 255);
}

Pixel solid(Pixel p) { return p == kBlack ? rgb(1, 1, 1) : p; }

void blend(Surface& s, int x, int y, Pixel c, double a) {
  if (a <= 0 || !s.contains(x, y)) return;
  s.at(x, y) = a >= 1 ? c : mix(s.at(x, y), c, a);
}

namespace {
// Signed distance from a pixel centre to the edge of a rounded rectangle
// (negative inside).
double rr_distance(const RectF& r, double radius, double px, double py) {
  const double cx = r.x + r.w / 2, cy = r.y + r.h / 2;
  const double hx = r.w / 2 - radius, hy = r.h / 2 - radius;
  const double qx = std::abs(px - cx) - hx, qy = std::abs(py - cy) - hy;
  const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - radius;
}
}  // namespace

void plate(Surface& s, const RectF& logical, double radius, Pixel top, Pixel bottom) {
  const RectF r{logical.x * s.k, logical.y * s.k, logical.w * s.k, logical.h * s.k};
  radius *= s.k;
  radius = std::min({radius, r.w / 2, r.h / 2});
  const int x0 = std::max(0, int(std::floor(r.x))), x1 = std::min(s.w, int(std::ceil(r.x + r.w)));
  const int y0 = std::max(0, int(std::floor(r.y))), y1 = std::min(s.h, int(std::ceil(r.y + r.h)));
  for (int y = y0; y < y1; ++y) {
    const Pixel c = mix(top, bottom, r.h > 1 ? (y + 0.5 - r.y) / r.h : 0);
    for (int x = x0; x < x1; ++x) {
      const double d = rr_distance(r, radius, x + 0.5, y + 0.5);
      blend(s, x, y, c, std::clamp(0.5 - d, 0.0, 1.0));
    }
  }
}

void framed_plate(Surface& s, const RectF& r, double radius, double fw, Pixel frame, Pixel top,
                  Pixel bottom) {
  plate(s, r, radius, frame, frame);
  plate(s, RectF{r.x + fw, r.y + fw, r.w - 2 * fw, r.h - 2 * fw}, std::max(0.0, radius - fw), top,
        bottom);
}

void disc(Surface& s, double cx, double cy, double radius, Pixel c) {
  plate(s, RectF{cx - radius, cy - radius, 2 * radius, 2 * radius}, radius, c, c);
}

void triangle(Surface& s, PointF a, PointF b, PointF c, Pixel colour) {
  for (PointF* p : {&a, &b, &c}) *p = PointF{p->x * s.k, p->y * s.k};
  const int x0 = std::max(0, int(std::floor(std::min({a.x, b.x, c.x}))));
  const int x1 = std::min(s.w - 1, int(std::ceil(std::max({a.x, b.x, c.x}))));
  const int y0 = std::max(0, int(std::floor(std::min({a.y, b.y, c.y}))));
  const int y1 = std::min(s.h - 1, int(std::ceil(std::max({a.y, b.y, c.y}))));
  auto side = [](PointF p, PointF q, double x, double y) {
    return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
  };
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      int hits = 0;
      for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
          const double px = x + (i + 0.5) / 4, py = y + (j + 0.5) / 4;
          const double d1 = side(a, b, px, py), d2 = side(b, c, px, py), d3 = side(c, a, px, py);
          const bool neg = d1 < 0 || d2 < 0 || d3 < 0, pos = d1 > 0 || d2 > 0 || d3 > 0;
          if (!(neg && pos)) ++hits;
        }
      blend(s, x, y, colour, hits / 16.0);
    }
}

int fit_point(Platform& os, const std::string& t, int start, int max_w, bool bold) {
  int pt = start;
  while (pt > 6 && os.text_width(t, style(pt, kBlack, bold)) > max_w) --pt;
  return pt;
}

TextStyle style(int point, Pixel color, bool bold) { return TextStyle{point, bold, color}; }

void text_in(Platform& os, Surface& s, const RectF& r, const std::string& t, int point, Pixel c) {
  os.draw_text_centered(s, r, t, style(point, c));
}

void outlined_text(Platform& os, Surface& s, const RectF& r, const std::string& t, int point,
                   Pixel fill, Pixel outline, int width) {
  const TextStyle st = style(point, outline);
  for (int dy = -width; dy <= width; ++dy)
    for (int dx = -width; dx <= width; ++dx) {
      if (dx == 0 && dy == 0) continue;
      if (dx * dx + dy * dy > width * width + 1) continue;
      os.draw_text_centered(s, RectF{r.x + dx, r.y + dy, r.w, r.h}, t, st);
    }
  os.draw_text_centered(s, r, t, style(point, fill));
}

void reduce(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int factor) {
  const int n = factor * factor;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int r = 0, g = 0, b = 0;
      for (int j = 0; j < factor; ++j) {
        const Pixel* row = src.row(y * factor + j) + x * factor;
        for (int i = 0; i < factor; ++i) {
          r += red_of(row[i]);
          g += green_of(row[i]);
          b += blue_of(row[i]);
        }
      }
      if (dst.contains(dx + x, dy + y)) dst.at(dx + x, dy + y) = rgb(r / n, g / n, b / n);
    }
}

void copy_turned(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      dst.at(dx + w - 1 - x, dy + h - 1 - y) = src.at(sx + x, sy + y);
}

void mask_from(Surface& sheet, int mx, int my, int px, int py, int w, int h) {
  const int dmx = sheet.dev(mx), dmy = sheet.dev(my), dpx = sheet.dev(px), dpy = sheet.dev(py);
  const int dw = std::min(sheet.dev(mx + w) - dmx, sheet.dev(px + w) - dpx);
  const int dh = std::min(sheet.dev(my + h) - dmy, sheet.dev(py + h) - dpy);
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x) {
      Pixel& p = sheet.at(dpx + x, dpy + y);
      // Faint fringe pixels would show as a dark halo through the mask: drop them.
      const bool inside = red_of(p) + green_of(p) + blue_of(p) > 24;
      if (!inside) p = kBlack;
      sheet.at(dmx + x, dmy + y) = inside ? kBlack : kWhite;
    }
}

void clip_to_mask(Surface& sheet, int mx, int my, int px, int py, int w, int h) {
  const int dmx = sheet.dev(mx), dmy = sheet.dev(my), dpx = sheet.dev(px), dpy = sheet.dev(py);
  const int pw = sheet.dev(px + w) - dpx, ph = sheet.dev(py + h) - dpy;
  const int mw = sheet.dev(mx + w) - dmx, mh = sheet.dev(my + h) - dmy;
  for (int y = 0; y < ph; ++y)
    for (int x = 0; x < pw; ++x)
      // A picture cell a device pixel larger than the mask takes the mask's last
      // row or column.
      if (sheet.at(dmx + std::min(x, mw - 1), dmy + std::min(y, mh - 1)) != kBlack)
        sheet.at(dpx + x, dpy + y) = kBlack;
}

}  // namespace sekiba::art
