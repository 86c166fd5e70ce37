#include "screen/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "platform/platform.h"
#include "screen/draw_log.h"
#include "screen/screen.h"

namespace sekiba {

namespace {
// XOR of a picture piece: black leaves the pixel as it was (a shadow keeps its
// mark), anything else lays a new opaque colour.
inline Pixel xor_px(Pixel d, Pixel s) {
  const Pixel c = s & 0x00FFFFFFu;
  return c ? ((d ^ c) | 0xFF000000u) : d;
}

// A picture made from src keeps the shadow mark of the source pixel it lies on.
inline Pixel marked_like(Pixel out, Pixel src) {
  return is_shaded(src) ? (out & 0x00FFFFFFu) | kShadedAlpha : out;
}

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

// Nothing is written down for a surface without pixels (a table nobody looks at).
bool logging(const Surface& s) { return s.log && !s.log->replaying() && !s.empty(); }

IRect bounds(int x, int y, int w, int h) {
  if (w < 0) { x += w; w = -w; }
  if (h < 0) { y += h; h = -h; }
  return IRect{x, y, w, h};
}

// The device rectangle of a logical one: both edges rounded, so that shapes that
// meet in logical pixels meet in device pixels too.
struct DevRect {
  int x0, y0, x1, y1;
  int w() const { return x1 - x0; }
  int h() const { return y1 - y0; }
};
DevRect dev_rect(const Surface& s, int x, int y, int w, int h) {
  return DevRect{s.dev(x), s.dev(y), s.dev(x + w), s.dev(y + h)};
}

Pixel sample_bilinear(const Surface& src, double fx, double fy) {
  fx = std::clamp(fx, 0.0, double(src.w - 1));
  fy = std::clamp(fy, 0.0, double(src.h - 1));
  const int x0 = int(fx), y0 = int(fy);
  const int x1 = std::min(x0 + 1, src.w - 1), y1 = std::min(y0 + 1, src.h - 1);
  const double ax = fx - x0, ay = fy - y0;
  auto ch = [&](int shift) {
    auto c = [&](int x, int y) { return double((src.at(x, y) >> shift) & 0xFF); };
    const double top = c(x0, y0) + (c(x1, y0) - c(x0, y0)) * ax;
    const double bottom = c(x0, y1) + (c(x1, y1) - c(x0, y1)) * ax;
    return std::clamp(int(std::lround(top + (bottom - top) * ay)), 0, 255);
  };
  return rgb(ch(16), ch(8), ch(0));
}

// src (sx, sy, sw, sh) in device pixels into dst (dx, dy, dw, dh) in device pixels.
void resample_into(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx,
                   int sy, int sw, int sh) {
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || src.empty()) return;
  const double fx = double(sw) / dw, fy = double(sh) / dh;
  for (int y = 0; y < dh; ++y) {
    const int ty = dy + y;
    if (ty < 0 || ty >= dst.h) continue;
    Pixel* out = dst.row(ty);
    if (fx >= 1 && fy >= 1) {
      // Shrinking: the average of the source pixels the target pixel covers.
      const int ya = sy + int(y * fy), yb = std::max(ya + 1, sy + int((y + 1) * fy));
      for (int x = 0; x < dw; ++x) {
        const int tx = dx + x;
        if (tx < 0 || tx >= dst.w) continue;
        const int xa = sx + int(x * fx), xb = std::max(xa + 1, sx + int((x + 1) * fx));
        long r = 0, g = 0, b = 0, n = 0;
        for (int j = ya; j < yb; ++j) {
          if (j < 0 || j >= src.h) continue;
          const Pixel* in = src.row(j);
          for (int i = xa; i < xb; ++i) {
            if (i < 0 || i >= src.w) continue;
            r += red_of(in[i]);
            g += green_of(in[i]);
            b += blue_of(in[i]);
            ++n;
          }
        }
        if (n && ya >= 0 && ya < src.h && xa >= 0 && xa < src.w)
          out[tx] = marked_like(rgb(int(r / n), int(g / n), int(b / n)), src.at(xa, ya));
        else if (n)
          out[tx] = rgb(int(r / n), int(g / n), int(b / n));
      }
    } else {
      for (int x = 0; x < dw; ++x) {
        const int tx = dx + x;
        if (tx < 0 || tx >= dst.w) continue;
        const double ux = sx + (x + 0.5) * fx - 0.5, uy = sy + (y + 0.5) * fy - 0.5;
        const int nx = std::clamp(int(std::lround(ux)), 0, src.w - 1);
        const int ny = std::clamp(int(std::lround(uy)), 0, src.h - 1);
        out[tx] = marked_like(sample_bilinear(src, ux, uy), src.at(nx, ny));
      }
    }
  }
}

void nearest_into(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                  int sw, int sh, Rop rop) {
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  for (int y = 0; y < dh; ++y) {
    int ty = dy + y;
    int fy = sy + int((long long)y * sh / dh);
    if (ty < 0 || ty >= dst.h || fy < 0 || fy >= src.h) continue;
    for (int x = 0; x < dw; ++x) {
      int tx = dx + x;
      int fx = sx + int((long long)x * sw / dw);
      if (tx < 0 || tx >= dst.w || fx < 0 || fx >= src.w) continue;
      const Pixel s = src.at(fx, fy);
      Pixel& d = dst.at(tx, ty);
      switch (rop) {
        case Rop::Copy: d = s; break;
        case Rop::And: d &= s; break;
        case Rop::Xor: d = xor_px(d, s); break;
        case Rop::Key: if (s != kPointerTransparent) d = s; break;
      }
    }
  }
}

void blit_now(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h,
              Rop rop) {
  if (dst.k == 1 && src.k == 1) {
    blit_device(dst, dx, dy, src, sx, sy, w, h, rop);
    return;
  }
  const DevRect d = dev_rect(dst, dx, dy, w, h), s = dev_rect(src, sx, sy, w, h);
  if (std::abs(dst.k - src.k) > 1e-9) {
    nearest_into(dst, d.x0, d.y0, d.w(), d.h(), src, s.x0, s.y0, s.w(), s.h(), rop);
    return;
  }
  // At a fractional scale the two rectangles may differ by a device pixel: the
  // last row or column of the source then serves twice, never a neighbour's.
  const int cw = std::min(d.w(), s.w()), ch = std::min(d.h(), s.h());
  if (cw <= 0 || ch <= 0) return;
  blit_device(dst, d.x0, d.y0, src, s.x0, s.y0, cw, ch, rop);
  for (int x = cw; x < d.w(); ++x)
    blit_device(dst, d.x0 + x, d.y0, src, s.x0 + cw - 1, s.y0, 1, ch, rop);
  for (int y = ch; y < d.h(); ++y)
    blit_device(dst, d.x0, d.y0 + y, src, s.x0, s.y0 + ch - 1, cw, 1, rop);
  for (int y = ch; y < d.h(); ++y)
    for (int x = cw; x < d.w(); ++x)
      blit_device(dst, d.x0 + x, d.y0 + y, src, s.x0 + cw - 1, s.y0 + ch - 1, 1, 1, rop);
}

void fill_now(Surface& dst, int x, int y, int w, int h, Pixel color) {
  const DevRect d = dev_rect(dst, x, y, w, h);
  int x0 = std::max(d.x0, 0), y0 = std::max(d.y0, 0);
  int x1 = std::min(d.x1, dst.w), y1 = std::min(d.y1, dst.h);
  for (int yy = y0; yy < y1; ++yy) std::fill(dst.row(yy) + x0, dst.row(yy) + x1, color);
}

}  // namespace

void blit_device(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h,
                 Rop rop) {
  if (!clip(dst, dx, dy, src, sx, sy, w, h)) return;
  if (&dst == &src && rop == Rop::Copy) {
    // Overlapping copy within one surface: go through a temporary band.
    Surface tmp(w, h);
    blit_device(tmp, 0, 0, src, sx, sy, w, h, Rop::Copy);
    blit_device(dst, dx, dy, tmp, 0, 0, w, h, Rop::Copy);
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
        for (int x = 0; x < w; ++x) d[x] = xor_px(d[x], s[x]);
        break;
      case Rop::Key:
        for (int x = 0; x < w; ++x)
          if (s[x] != kPointerTransparent) d[x] = s[x];
        break;
    }
  }
}

void blit(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h, Rop rop) {
  if (logging(dst)) {
    DrawLog::Op op;
    op.target = &dst;
    op.rect = bounds(dx, dy, w, h);
    op.opaque = rop == Rop::Copy;
    if (src.log == dst.log) {
      op.source = &src;
      op.from = bounds(sx, sy, w, h);
    }
    Surface* d = &dst;
    const Surface* s = &src;
    op.run = [=] { blit_now(*d, dx, dy, *s, sx, sy, w, h, rop); };
    dst.log->record(std::move(op));
  }
  blit_now(dst, dx, dy, src, sx, sy, w, h, rop);
}

void stretch_blit(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                  int sw, int sh) {
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  if (logging(dst)) {
    DrawLog::Op op;
    op.target = &dst;
    op.rect = bounds(dx, dy, dw, dh);
    op.opaque = true;
    // Pictures stretched are loaded files that do not stay: keep a copy.
    auto pic = std::make_shared<Surface>(src);
    Surface* d = &dst;
    op.run = [=] { stretch_blit(*d, dx, dy, dw, dh, *pic, sx, sy, sw, sh); };
    dst.log->record(std::move(op));
  }
  if (dst.k == 1 && src.k == 1) {
    nearest_into(dst, dx, dy, dw, dh, src, sx, sy, sw, sh, Rop::Copy);
    return;
  }
  const DevRect d = dev_rect(dst, dx, dy, dw, dh), s = dev_rect(src, sx, sy, sw, sh);
  resample_into(dst, d.x0, d.y0, d.w(), d.h(), src, s.x0, s.y0, s.w(), s.h());
}

void fill_rect(Surface& dst, int x, int y, int w, int h, Pixel color) {
  if (logging(dst)) {
    Surface* d = &dst;
    dst.log->record({d, bounds(x, y, w, h), true, nullptr, {}, [=] { fill_now(*d, x, y, w, h, color); }});
  }
  fill_now(dst, x, y, w, h, color);
}

void draw_line(Surface& dst, int x1, int y1, int x2, int y2, Pixel color) {
  if (logging(dst)) {
    Surface* d = &dst;
    const IRect r{std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1};
    DrawLog* log = dst.log;
    dst.log = nullptr;  // the line is written down once, not pixel by pixel
    log->record({d, r, false, nullptr, {}, [=] { draw_line(*d, x1, y1, x2, y2, color); }});
    draw_line(dst, x1, y1, x2, y2, color);
    dst.log = log;
    return;
  }
  int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
  int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    if (dst.k == 1) {
      if (dst.contains(x1, y1)) dst.at(x1, y1) = color;
    } else {
      fill_now(dst, x1, y1, 1, 1, color);
    }
    if (x1 == x2 && y1 == y2) break;
    int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x1 += sx; }
    if (e2 <= dx) { err += dx; y1 += sy; }
  }
}

void darken_rect(Surface& dst, int x, int y, int w, int h) {
  if (logging(dst)) {
    Surface* d = &dst;
    DrawLog* log = dst.log;
    dst.log = nullptr;
    log->record({d, bounds(x, y, w, h), false, nullptr, {}, [=] { darken_rect(*d, x, y, w, h); }});
    darken_rect(dst, x, y, w, h);
    dst.log = log;
    return;
  }
  const DevRect r = dev_rect(dst, x, y, w, h);
  for (int yy = std::max(r.y0, 0); yy < std::min(r.y1, dst.h); ++yy)
    for (int xx = std::max(r.x0, 0); xx < std::min(r.x1, dst.w); ++xx) {
      Pixel& p = dst.at(xx, yy);
      if (is_shaded(p)) continue;
      p = (rgb(red_of(p) * 2 / 5, green_of(p) * 2 / 5, blue_of(p) * 2 / 5) & 0x00FFFFFFu) |
          kShadedAlpha;
    }
}

void paint_rows(Surface& dst, std::function<Pixel(int row, int rows)> colour) {
  if (logging(dst)) {
    Surface* d = &dst;
    dst.log->record({d, IRect{0, 0, dst.lw(), dst.lh()}, true, nullptr, {},
                     [d, colour] { paint_rows(*d, colour); }});
  }
  for (int i = 0; i < dst.h; ++i) std::fill(dst.row(i), dst.row(i) + dst.w, colour(i, dst.h));
}

void put_text(Platform& os, Surface& dst, int x, int y, const std::string& utf8,
              const TextStyle& st) {
  if (logging(dst)) {
    Surface* d = &dst;
    Platform* p = &os;
    // Generous bounds: the glyphs of a font may reach outside its advance.
    const int em = st.point * 4 / 3;
    const IRect r{x - em, y - em, os.text_width(utf8, st) + 3 * em, 3 * em};
    dst.log->record({d, r, false, nullptr, {}, [=] { p->draw_text(*d, x, y, utf8, st); }});
  }
  os.draw_text(dst, x, y, utf8, st);
}

Surface resample(const Surface& src, int w, int h) {
  Surface out(w, h);
  resample_into(out, 0, 0, w, h, src, 0, 0, src.w, src.h);
  return out;
}

}  // namespace sekiba
