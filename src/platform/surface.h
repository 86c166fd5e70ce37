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

// A rectangle of pixels in memory: the window surface, a picture sheet, a work area.
struct Surface {
  int w = 0;
  int h = 0;
  std::vector<Pixel> px;

  Surface() = default;
  Surface(int width, int height, Pixel fill = kBlack)
      : w(width), h(height), px(std::size_t(width) * std::size_t(height), fill) {}

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
