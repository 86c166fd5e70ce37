#include "screen/raster.h"

#include <algorithm>
#include <cstdlib>

namespace sekiba {

namespace {
// Narrows a copy so that it stays inside both surfaces; false when nothing is left.
bool clip(const Surface& dst, int& dx, int& dy, const Surface& src, int& sx, int& sy, int& w,
          int& h) {
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min({w, src.w - sx, dst.w - dx});
  h = std::min({h, src.h - sy, dst.h - dy});
  return w > 0 && h > 0;
}
}  // namespace

void blit(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h, Rop rop) {
  if (!clip(dst, dx, dy, src, sx, sy, w, h)) return;
  if (&dst == &src && rop == Rop::Copy) {
    // Overlapping copy within one surface: go through a temporary band.
    Surface tmp(w, h);
    blit(tmp, 0, 0, src, sx, sy, w, h, Rop::Copy);
    blit(dst, dx, dy, tmp, 0, 0, w, h, Rop::Copy);
    return;
  }
  for (int y = 0; y < h; ++y) {
    Pixel* d = dst.row(dy + y) + dx;
    const Pixel* s = src.row(sy + y) + sx;
    switch (rop) {
      case Rop::Copy:
        std::copy(s, s + w, d);
        break;
      case Rop::And:
        for (int x = 0; x < w; ++x) d[x] &= s[x];
        break;
      case Rop::Xor:
        for (int x = 0; x < w; ++x) d[x] = (d[x] ^ s[x]) | 0xFF000000u;
        break;
    }
  }
}

void stretch_blit(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                  int sw, int sh) {
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  for (int y = 0; y < dh; ++y) {
    int ty = dy + y;
    int fy = sy + int((long long)y * sh / dh);
    if (ty < 0 || ty >= dst.h || fy < 0 || fy >= src.h) continue;
    for (int x = 0; x < dw; ++x) {
      int tx = dx + x;
      int fx = sx + int((long long)x * sw / dw);
      if (tx < 0 || tx >= dst.w || fx < 0 || fx >= src.w) continue;
      dst.at(tx, ty) = src.at(fx, fy);
    }
  }
}

void fill_rect(Surface& dst, int x, int y, int w, int h, Pixel color) {
  int x0 = std::max(x, 0), y0 = std::max(y, 0);
  int x1 = std::min(x + w, dst.w), y1 = std::min(y + h, dst.h);
  for (int yy = y0; yy < y1; ++yy) std::fill(dst.row(yy) + x0, dst.row(yy) + x1, color);
}

void draw_line(Surface& dst, int x1, int y1, int x2, int y2, Pixel color) {
  int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
  int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    if (dst.contains(x1, y1)) dst.at(x1, y1) = color;
    if (x1 == x2 && y1 == y2) break;
    int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x1 += sx; }
    if (e2 <= dx) { err += dx; y1 += sy; }
  }
}

}  // namespace sekiba
