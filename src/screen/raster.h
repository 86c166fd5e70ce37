#pragma once
// The raster operations of the drawing layer: plain loops over 32-bit pixels,
// clipped to both surfaces.
#include "platform/surface.h"

namespace sekiba {

enum class Rop { Copy, And, Xor };

// Copies a w x h rectangle from (sx, sy) of src to (dx, dy) of dst with a raster
// operation. Parts outside either surface are skipped.
void blit(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h,
          Rop rop = Rop::Copy);

// Scales the rectangle (sx, sy, sw, sh) of src into (dx, dy, dw, dh) of dst
// (nearest pixel).
void stretch_blit(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                  int sw, int sh);

void fill_rect(Surface& dst, int x, int y, int w, int h, Pixel color);

// A one-pixel line from (x1, y1) to (x2, y2), both ends included.
void draw_line(Surface& dst, int x1, int y1, int x2, int y2, Pixel color);

}  // namespace sekiba
