// The two tile sheets: masks, tile bodies, the coloured strips and backs, the
// shade of a called tile, and the faces (symbols from sheets_faces.cpp).
//
// Tiles are put together on the table by AND-ing a mask and XOR-ing pieces, so
// every piece is pure black where the table must show and the pieces meet without
// overlapping. The upright sheet holds what a standing tile shows (strip on top,
// face below); the turned sheet what a tile lying flat shows (face on top, the
// side of the tile below), with its faces turned half round.
#include <array>
#include <cmath>

#include "screen/sheets_art.h"
#include "screen/sheets_build.h"
#include "screen/sheets_faces.h"

namespace sekiba::sheets {

using namespace sheet;
using art::darker;
using art::lighter;
using art::mix;

namespace {

constexpr Pixel kIvory = rgb(253, 251, 243);
constexpr Pixel kIvoryLow = rgb(244, 238, 222);
constexpr Pixel kBevel = rgb(229, 222, 202);
constexpr Pixel kSeam = rgb(198, 188, 164);
constexpr Pixel kSideIvory = rgb(226, 217, 194);
constexpr Pixel kOutline = rgb(78, 70, 58);

// The tile's outline. At scale 1 it is the pixel shape the table was designed
// with: 32 wide and h high with its corners cut. At other scales it is the same
// outline as a rounded rectangle, evaluated at every device pixel, with an edge
// line about one device pixel wide, so a tile stays crisp at any size.
//
// The painters below take logical coordinates of the centre of the pixel being
// painted (whole numbers at scale 1) and compare them with half-way marks, so
// that at scale 1 they pick exactly the pixels they always did.
class Geo {
 public:
  explicit Geo(double k) : k_(k), line_(std::max(1.0, k / 2)) {}

  bool in_shape(double x, double y, int h) const {
    if (k_ == 1) return in_shape_px(int(x), int(y), h);
    return distance(x, y, h) < 0;
  }
  bool on_edge(double x, double y, int h) const {
    if (k_ == 1) {
      const int ix = int(x), iy = int(y);
      return in_shape_px(ix, iy, h) && (!in_shape_px(ix - 1, iy, h) || !in_shape_px(ix + 1, iy, h) ||
                                        !in_shape_px(ix, iy - 1, h) || !in_shape_px(ix, iy + 1, h));
    }
    const double d = distance(x, y, h);
    return d < 0 && -d * k_ < line_;
  }

 private:
  double k_, line_;

  static bool in_shape_px(int x, int y, int h) {
    if (x < 0 || x >= kTileW || y < 0 || y >= h) return false;
    const int e = std::min(y, h - 1 - y);
    if (e == 0) return x >= 2 && x <= kTileW - 3;
    if (e == 1) return x >= 1 && x <= kTileW - 2;
    return true;
  }
  // Signed distance in logical pixels from the outline (negative inside).
  static double distance(double x, double y, int h) {
    constexpr double r = 2.5;
    const double cx = (kTileW - 1) / 2.0, cy = (h - 1) / 2.0;
    const double qx = std::abs(x - cx) - (kTileW / 2.0 - r), qy = std::abs(y - cy) - (h / 2.0 - r);
    const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - r;
  }
};

// x is within half a pixel of the column c.
bool at(double x, double c) { return x >= c - 0.5 && x < c + 0.5; }
bool bevel_column(double x) { return at(x, 1) || at(x, kTileW - 2); }

// Standing tiles use the full 54 rows; a tile lying flat is one row shorter so the
// table shows below its side.
constexpr int kUpH = kTileH, kFlatH = kTileH - 1;

// The ivory face of an upright tile without its symbol; rows 0..40 sit at tile
// rows 13..53 under the strip.
Pixel face_base(const Geo& geo, double x, double y) {
  const double ty = y + kStripH;
  if (!geo.in_shape(x, ty, kUpH)) return kBlack;
  if (geo.on_edge(x, ty, kUpH)) return kOutline;
  if (y < 0.5) return kSeam;
  if (bevel_column(x)) return kBevel;
  return mix(kIvory, kIvoryLow, y / (kFaceH - 1));
}

// The top strip of a standing tile: its coloured back layer, then the ivory top.
Pixel strip_up(const Geo& geo, double x, double y, Pixel c) {
  if (!geo.in_shape(x, y, kUpH)) return kBlack;
  if (geo.on_edge(x, y, kUpH)) return darker(c, 0.6);
  Pixel p;
  if (y < 6.5) p = lighter(c, 0.38 - 0.05 * (y - 1));
  else if (y < 7.5) p = darker(c, 0.25);
  else p = mix(kSideIvory, kIvoryLow, (y - 8) / 5.0);
  if (bevel_column(x)) p = darker(p, 0.08);
  return p;
}

// The side of a tile lying flat, below its face: row 0 stays black so that it
// leaves the last row of the face alone; then the ivory body and the back layer.
// Row 0 takes every device row the drawing routines count as its own, the one
// whose centre lies on its lower edge too.
Pixel strip_flat(const Geo& geo, double x, double y, Pixel c) {
  if (y <= 0.5) return kBlack;
  const double ty = 40 + y;
  if (!geo.in_shape(x, ty, kFlatH)) return kBlack;
  const bool edge = geo.on_edge(x, ty, kFlatH);
  Pixel p;
  if (y < 4.5) p = edge ? kOutline : mix(kSideIvory, darker(kSideIvory, 0.1), (y - 1) / 3.0);
  else if (y < 5.5) p = edge ? darker(c, 0.6) : darker(c, 0.1);
  else p = edge ? darker(c, 0.6) : mix(c, darker(c, 0.3), (y - 6) / 6.0);
  if (!edge && bevel_column(x)) p = darker(p, 0.1);
  return p;
}

// Whole-number lattice lines: (u mod 6) == 0 for whole u, a band of one logical
// pixel between.
bool lattice(double u) {
  const double m = std::fmod(u + 0.5, 6.0);
  return (m < 0 ? m + 6 : m) < 1;
}

// A subtle woven pattern of the back: a lighter inner frame and a lattice.
Pixel back_pattern(double x, double y, int top, int bottom, Pixel c) {
  const int ix0 = 3, ix1 = kTileW - 4, iy0 = top + 3, iy1 = bottom - 3;
  const bool in_x = x >= ix0 - 0.5 && x < ix1 + 0.5, in_y = y >= iy0 - 0.5 && y < iy1 + 0.5;
  if (((at(x, ix0) || at(x, ix1)) && in_y) || ((at(y, iy0) || at(y, iy1)) && in_x))
    return lighter(c, 0.28);
  if (x >= ix0 + 0.5 && x < ix1 - 0.5 && y >= iy0 + 0.5 && y < iy1 - 0.5) {
    if (lattice((x - ix0) + (y - iy0)) || lattice((x - ix0) - (y - iy0) + 64))
      return lighter(c, 0.1);
    const int cx = (ix0 + ix1) / 2, cy = (iy0 + iy1) / 2;
    if (std::abs(x - cx) + std::abs(y - cy) <= 3) return lighter(c, 0.32);
  }
  return c;
}

// The back of a standing tile: its ivory top far away, the coloured top of the
// back layer, then the back itself.
Pixel back_up(const Geo& geo, double x, double y, Pixel c) {
  if (!geo.in_shape(x, y, kUpH)) return kBlack;
  const bool edge = geo.on_edge(x, y, kUpH);
  if (y < 4.5) return edge ? kOutline : kSideIvory;
  if (edge) return darker(c, 0.6);
  if (y < 5.5) return darker(c, 0.2);
  if (y < kStripH - 0.5) return lighter(c, 0.3);
  if (y < kStripH + 0.5) return lighter(c, 0.5);
  const Pixel body = mix(lighter(c, 0.06), darker(c, 0.14), (y - kStripH) / 40.0);
  return back_pattern(x, y, kStripH + 1, kUpH - 1, body);
}

// The back of a tile lying face down, with its side below: back layer, then ivory.
Pixel back_flat(const Geo& geo, double x, double y, Pixel c) {
  if (!geo.in_shape(x, y, kFlatH)) return kBlack;
  const bool edge = geo.on_edge(x, y, kFlatH);
  if (y < 40.5) {
    if (edge) return darker(c, 0.6);
    const Pixel body = mix(lighter(c, 0.12), darker(c, 0.06), y / 40.0);
    return back_pattern(x, y, 0, 40, body);
  }
  if (y < 46.5) return edge ? darker(c, 0.6) : mix(darker(c, 0.15), darker(c, 0.35), (y - 41) / 5.0);
  return edge ? kOutline : mix(kSideIvory, darker(kSideIvory, 0.12), (y - 47) / 5.0);
}

// Paints the logical cell (x0, y0, w, h) of s device pixel by device pixel with
// f(x, y), x and y the logical place of the pixel's centre within the cell.
template <class F>
void paint(Surface& s, int x0, int y0, int w, int h, F f) {
  const int dx0 = s.dev(x0), dy0 = s.dev(y0), dx1 = s.dev(x0 + w), dy1 = s.dev(y0 + h);
  for (int y = dy0; y < dy1; ++y)
    for (int x = dx0; x < dx1; ++x)
      s.at(x, y) = f((x + 0.5) / s.k - x0 - 0.5, (y + 0.5) / s.k - y0 - 0.5);
}

void paint_mask(Surface& s, const Geo& geo, int h) {
  paint(s, 0, 0, kTileW, kTileH,
        [&](double x, double y) { return geo.in_shape(x, y, h) ? kBlack : kWhite; });
}

// Lays the symbol (reduced from paper several times larger) into the face cell.
void ink_face(Surface& up, int fx, int fy, const Surface& paper, int factor) {
  const int x0 = up.dev(fx + kSymbolX), y0 = up.dev(fy + kSymbolY);
  const int w = paper.w / factor, h = paper.h / factor;
  Surface small(w, h);
  art::reduce(small, 0, 0, w, h, paper, factor);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Pixel& p = up.at(x0 + x, y0 + y);
      p = art::solid(art::multiply(p, small.at(x, y)));
    }
}

// Copies a logical cell of one sheet into another turned by 180 degrees.
void copy_cell_turned(Surface& dst, const Surface& src, int x, int y, int w, int h) {
  const int dx0 = src.dev(x), dy0 = src.dev(y);
  art::copy_turned(dst, dx0, dy0, src, dx0, dy0, src.dev(x + w) - dx0, src.dev(y + h) - dy0);
}

}  // namespace

Pixel back_colour(int d) {
  static constexpr std::array<Pixel, 8> kBacks = {
      rgb(32, 128, 78),   // jade green
      rgb(44, 92, 178),   // cobalt blue
      rgb(226, 132, 34),  // amber
      rgb(186, 42, 56),   // crimson
      rgb(116, 66, 160),  // violet
      rgb(22, 142, 152),  // teal
      rgb(214, 176, 44),  // gold
      rgb(222, 104, 146), // rose
  };
  return kBacks[std::size_t(d & 7)];
}

bool build_tiles(Platform& os, Screen& scr) {
  const double k = scr.k;
  const Geo geo(k);
  scr.PicHAI = Surface(kHaiW, kHaiH, k, kBlack);
  scr.picHAI2 = Surface(kHaiW, kHaiH, k, kBlack);
  Surface& up = scr.PicHAI;
  Surface& turned = scr.picHAI2;

  paint_mask(up, geo, kUpH);
  for (int d = 0; d < 8; ++d) {
    const Pixel c = back_colour(d);
    paint(up, 0, kStripY + kStripH * d, kTileW, kStripH,
          [&](double x, double y) { return strip_up(geo, x, y, c); });
    paint(turned, 0, kStripY2 + kStripH * d, kTileW, kStripH,
          [&](double x, double y) { return strip_flat(geo, x, y, c); });
    paint(up, kTileW * d, kBackY, kTileW, kTileH,
          [&](double x, double y) { return back_up(geo, x, y, c); });
    paint(turned, kTileW * d, kBackY, kTileW, kTileH,
          [&](double x, double y) { return back_flat(geo, x, y, c); });
  }
  // The shade of a called tile: every other pixel of the tile darkened.
  paint(up, kCheckerX, kBackY, kTileW, kTileH, [&](double x, double y) {
    const long parity = std::lround(std::floor(x + 0.5) + std::floor(y + 0.5));
    return geo.in_shape(x, y, kUpH) && parity % 2 == 0 ? kBlack : kWhite;
  });

  FaceSymbols symbols(os);
  bool all_from_tileset = true;
  // The symbol is painted at least four times larger than it shows, then averaged.
  const int factor = k >= 4 ? 1 : int(std::ceil(kSymbolScale / k));
  auto face = [&](int fx, int fy, int code, bool red) {
    paint(up, fx, fy, kTileW, kFaceH, [&](double x, double y) { return face_base(geo, x, y); });
    const int w = up.dev(fx + kSymbolX + kSymbolW) - up.dev(fx + kSymbolX);
    const int h = up.dev(fy + kSymbolY + kSymbolH) - up.dev(fy + kSymbolY);
    Surface paper(w * factor, h * factor);
    all_from_tileset &= symbols.paint(paper, code);
    if (red) recolour_red(paper);
    ink_face(up, fx, fy, paper, factor);
  };
  for (int code = 1; code <= 37; ++code) {
    if (code % 10 == 0) continue;
    face(kTileW * (code % 10), kFaceH * (code / 10), code, false);
  }
  face(kRedFiveX, kRedFiveY, 25, true);

  // The turned sheet: its own mask, then every face turned half round.
  paint_mask(turned, geo, kFlatH);
  for (int code = 1; code <= 37; ++code) {
    if (code % 10 == 0) continue;
    copy_cell_turned(turned, up, kTileW * (code % 10), kFaceH * (code / 10), kTileW, kFaceH);
  }
  copy_cell_turned(turned, up, kRedFiveX, kRedFiveY, kTileW, kFaceH);
  return all_from_tileset;
}

}  // namespace sekiba::sheets
