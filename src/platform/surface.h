#pragma once
#include <cstdint>
#include <algorithm>
#include <vector>

namespace sekiba {

// One pixel as 0xFFRRGGBB. The alpha byte is always 0xFF so that a surface can be
// handed to the window system as an opaque 32-bit RGB image without conversion.
using Pixel = std::uint32_t;

constexpr Pixel rgb(int r, int g, int b) {
  return 0xFF000000u | (std::uint32_t(r & 0xFF) << 16) | (std::uint32_t(g & 0xFF) << 8) |
         std::uint32_t(b & 0xFF);
}
constexpr int red_of(Pixel p) { return int((p >> 16) & 0xFF); }
constexpr int green_of(Pixel p) { return int((p >> 8) & 0xFF); }
constexpr int blue_of(Pixel p) { return int(p & 0xFF); }

constexpr Pixel kBlack = rgb(0, 0, 0);
constexpr Pixel kWhite = rgb(255, 255, 255);

class DrawLog;

// A rectangle of pixels in memory: the window surface, a picture sheet, a work area.
//
// The game speaks in logical pixels (the table is 640 x 480 of them); a surface
// holds k device pixels per logical pixel, so that the table can be drawn at the
// window's real resolution. w and h count device pixels; every drawing primitive
// takes logical coordinates and maps them with k. At k = 1 the two are the same.
struct Surface {
  int w = 0;
  int h = 0;
  double k = 1;
  std::vector<Pixel> px;
  // Where drawing on this surface is written down so that it can be drawn again
  // at another scale; it belongs to the surface object, not to its pixels.
  DrawLog* log = nullptr;

  Surface() = default;
  Surface(int width, int height, Pixel fill = kBlack)
      : w(width), h(height), px(std::size_t(width) * std::size_t(height), fill) {}
  // A surface of width x height logical pixels at scale k.
  Surface(int width, int height, double scale, Pixel fill)
      : w(device(width, scale)), h(device(height, scale)), k(scale),
        px(std::size_t(w) * std::size_t(h), fill) {}
  Surface(const Surface& o) : w(o.w), h(o.h), k(o.k), px(o.px) {}
  Surface(Surface&& o) noexcept : w(o.w), h(o.h), k(o.k), px(std::move(o.px)) {}
  Surface& operator=(const Surface& o) {
    w = o.w, h = o.h, k = o.k, px = o.px;
    return *this;
  }
  Surface& operator=(Surface&& o) noexcept {
    w = o.w, h = o.h, k = o.k, px = std::move(o.px);
    return *this;
  }

  // The device pixel where logical coordinate v begins at scale k.
  static int device(double v, double scale) {
    const double d = v * scale;
    return int(d >= 0 ? d + 0.5 : d - 0.5);
  }
  int dev(double v) const { return k == 1 ? int(v) : device(v, k); }
  // The size in logical pixels.
  int lw() const { return k == 1 ? w : device(w / k, 1); }
  int lh() const { return k == 1 ? h : device(h / k, 1); }

  bool empty() const { return w <= 0 || h <= 0; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  Pixel& at(int x, int y) { return px[std::size_t(y) * std::size_t(w) + std::size_t(x)]; }
  Pixel at(int x, int y) const { return px[std::size_t(y) * std::size_t(w) + std::size_t(x)]; }
  Pixel* row(int y) { return px.data() + std::size_t(y) * std::size_t(w); }
  const Pixel* row(int y) const { return px.data() + std::size_t(y) * std::size_t(w); }
  void fill(Pixel p) { std::fill(px.begin(), px.end(), p); }
};

struct PointF {
  double x = 0;
  double y = 0;
};

struct RectF {
  double x = 0;
  double y = 0;
  double w = 0;
  double h = 0;
};

}  // namespace sekiba
