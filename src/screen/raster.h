#pragma once
// The raster operations of the drawing layer: plain loops over 32-bit pixels,
// clipped to both surfaces. Coordinates are logical pixels; each surface maps
// them to its own device pixels by its scale.
#include <functional>
#include <string>

#include "platform/surface.h"

namespace sekiba {

class Platform;
struct TextStyle;

// Pixels are opaque (alpha byte 0xFF) but for one mark: a pixel darkened by a drop
// shadow carries kShadedAlpha instead, so that a second shadow over it leaves it
// alone however often a box is drawn again. Any drawing over it writes a whole
// opaque pixel and so takes the mark away. Window systems read the surfaces as
// 32-bit RGB and never see it.
inline constexpr Pixel kShadedAlpha = 0xFE000000u;
constexpr bool is_shaded(Pixel p) { return (p & 0xFF000000u) != 0xFF000000u; }

// Copy, AND, XOR, and Key: a copy that leaves out the pixels of the transparent
// key colour (kPointerTransparent).
enum class Rop { Copy, And, Xor, Key };

// Copies a w x h rectangle from (sx, sy) of src to (dx, dy) of dst with a raster
// operation. Parts outside either surface are skipped.
void blit(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h,
          Rop rop = Rop::Copy);

// Scales the rectangle (sx, sy, sw, sh) of src into (dx, dy, dw, dh) of dst:
// nearest pixel at scale 1, smoothly when the destination has more device pixels.
void stretch_blit(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                  int sw, int sh);

void fill_rect(Surface& dst, int x, int y, int w, int h, Pixel color);

// A one-pixel line from (x1, y1) to (x2, y2), both ends included.
void draw_line(Surface& dst, int x1, int y1, int x2, int y2, Pixel color);

// Darkens a rectangle to two fifths of its brightness: a drop shadow. Pixels a
// shadow has darkened already (and nothing has been drawn over since) stay as
// they are.
void darken_rect(Surface& dst, int x, int y, int w, int h);

// Fills the whole surface row by row of device pixels with colour(i, n) for row
// i of n: a gradient as smooth as the surface allows.
void paint_rows(Surface& dst, std::function<Pixel(int row, int rows)> colour);

// Text in the window font with its top-left corner at (x, y).
void put_text(Platform& os, Surface& dst, int x, int y, const std::string& utf8,
              const TextStyle& st);

// The picture of src brought to w x h device pixels by averaging (shrinking) or
// bilinear interpolation (growing).
Surface resample(const Surface& src, int w, int h);

// Device-pixel blit, no scaling: the building block of the others.
void blit_device(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h,
                 Rop rop);

}  // namespace sekiba
