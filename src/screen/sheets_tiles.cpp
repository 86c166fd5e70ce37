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

// A tile outline 32 wide and h high with its corners cut round.
bool in_shape(int x, int y, int h) {
  if (x < 0 || x >= kTileW || y < 0 || y >= h) return false;
  const int e = std::min(y, h - 1 - y);
  if (e == 0) return x >= 2 && x <= kTileW - 3;
  if (e == 1) return x >= 1 && x <= kTileW - 2;
  return true;
}

bool on_edge(int x, int y, int h) {
  return in_shape(x, y, h) && (!in_shape(x - 1, y, h) || !in_shape(x + 1, y, h) ||
                               !in_shape(x, y - 1, h) || !in_shape(x, y + 1, h));
}

// Standing tiles use the full 54 rows; a tile lying flat is one row shorter so the
// table shows below its side.
constexpr int kUpH = kTileH, kFlatH = kTileH - 1;

void paint_mask(Surface& s, int h) {
  for (int y = 0; y < kTileH; ++y)
    for (int x = 0; x < kTileW; ++x) s.at(x, y) = in_shape(x, y, h) ? kBlack : kWhite;
}

// The ivory face of an upright tile without its symbol; rows 0..40 sit at tile
// rows 13..53 under the strip.
Pixel face_base(int x, int y) {
  const int ty = y + kStripH;
  if (!in_shape(x, ty, kUpH)) return kBlack;
  if (on_edge(x, ty, kUpH)) return kOutline;
  if (y == 0) return kSeam;
  if (x == 1 || x == kTileW - 2) return kBevel;
  return mix(kIvory, kIvoryLow, double(y) / (kFaceH - 1));
}

// The top strip of a standing tile: its coloured back layer, then the ivory top.
Pixel strip_up(int x, int y, Pixel c) {
  if (!in_shape(x, y, kUpH)) return kBlack;
  if (on_edge(x, y, kUpH)) return darker(c, 0.6);
  Pixel p;
  if (y <= 6) p = lighter(c, 0.38 - 0.05 * (y - 1));
  else if (y == 7) p = darker(c, 0.25);
  else p = mix(kSideIvory, kIvoryLow, (y - 8) / 5.0);
  if (x == 1 || x == kTileW - 2) p = darker(p, 0.08);
  return p;
}

// The side of a tile lying flat, below its face: row 0 stays black so that it
// leaves the last row of the face alone; then the ivory body and the back layer.
Pixel strip_flat(int x, int y, Pixel c) {
  if (y == 0) return kBlack;
  const int ty = 40 + y;
  if (!in_shape(x, ty, kFlatH)) return kBlack;
  const bool edge = on_edge(x, ty, kFlatH);
  Pixel p;
  if (y <= 4) p = edge ? kOutline : mix(kSideIvory, darker(kSideIvory, 0.1), (y - 1) / 3.0);
  else if (y == 5) p = edge ? darker(c, 0.6) : darker(c, 0.1);
  else p = edge ? darker(c, 0.6) : mix(c, darker(c, 0.3), (y - 6) / 6.0);
  if (!edge && (x == 1 || x == kTileW - 2)) p = darker(p, 0.1);
  return p;
}

// A subtle woven pattern of the back: a lighter inner frame and a lattice.
Pixel back_pattern(int x, int y, int top, int bottom, Pixel c) {
  const int ix0 = 3, ix1 = kTileW - 4, iy0 = top + 3, iy1 = bottom - 3;
  if (((x == ix0 || x == ix1) && y >= iy0 && y <= iy1) ||
      ((y == iy0 || y == iy1) && x >= ix0 && x <= ix1))
    return lighter(c, 0.28);
  if (x > ix0 && x < ix1 && y > iy0 && y < iy1) {
    const int u = (x - ix0) + (y - iy0), v = (x - ix0) - (y - iy0) + 64;
    if (u % 6 == 0 || v % 6 == 0) return lighter(c, 0.1);
    const int cx = (ix0 + ix1) / 2, cy = (iy0 + iy1) / 2;
    if (std::abs(x - cx) + std::abs(y - cy) <= 3) return lighter(c, 0.32);
  }
  return c;
}

// The back of a standing tile: its ivory top far away, the coloured top of the
// back layer, then the back itself.
Pixel back_up(int x, int y, Pixel c) {
  if (!in_shape(x, y, kUpH)) return kBlack;
  const bool edge = on_edge(x, y, kUpH);
  if (y <= 4) return edge ? kOutline : kSideIvory;
  if (edge) return darker(c, 0.6);
  if (y == 5) return darker(c, 0.2);
  if (y < kStripH) return lighter(c, 0.3);
  if (y == kStripH) return lighter(c, 0.5);
  const Pixel body = mix(lighter(c, 0.06), darker(c, 0.14), (y - kStripH) / 40.0);
  return back_pattern(x, y, kStripH + 1, kUpH - 1, body);
}

// The back of a tile lying face down, with its side below: back layer, then ivory.
Pixel back_flat(int x, int y, Pixel c) {
  if (!in_shape(x, y, kFlatH)) return kBlack;
  const bool edge = on_edge(x, y, kFlatH);
  if (y <= 40) {
    if (edge) return darker(c, 0.6);
    const Pixel body = mix(lighter(c, 0.12), darker(c, 0.06), y / 40.0);
    return back_pattern(x, y, 0, 40, body);
  }
  if (y <= 46) return edge ? darker(c, 0.6) : mix(darker(c, 0.15), darker(c, 0.35), (y - 41) / 5.0);
  return edge ? kOutline : mix(kSideIvory, darker(kSideIvory, 0.12), (y - 47) / 5.0);
}

template <class F>
void paint(Surface& s, int x0, int y0, int w, int h, F f) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.at(x0 + x, y0 + y) = f(x, y);
}

// Lays the symbol (reduced from paper four times larger) into the face cell.
void ink_face(Surface& up, int fx, int fy, const Surface& paper) {
  Surface small(kSymbolW, kSymbolH);
  art::reduce(small, 0, 0, kSymbolW, kSymbolH, paper, kSymbolScale);
  for (int y = 0; y < kSymbolH; ++y)
    for (int x = 0; x < kSymbolW; ++x) {
      Pixel& p = up.at(fx + kSymbolX + x, fy + kSymbolY + y);
      p = art::solid(art::multiply(p, small.at(x, y)));
    }
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
  scr.PicHAI = Surface(kHaiW, kHaiH);
  scr.picHAI2 = Surface(kHaiW, kHaiH);
  Surface& up = scr.PicHAI;
  Surface& turned = scr.picHAI2;

  paint_mask(up, kUpH);
  for (int d = 0; d < 8; ++d) {
    const Pixel c = back_colour(d);
    paint(up, 0, kStripY + kStripH * d, kTileW, kStripH,
          [c](int x, int y) { return strip_up(x, y, c); });
    paint(turned, 0, kStripY2 + kStripH * d, kTileW, kStripH,
          [c](int x, int y) { return strip_flat(x, y, c); });
    paint(up, kTileW * d, kBackY, kTileW, kTileH, [c](int x, int y) { return back_up(x, y, c); });
    paint(turned, kTileW * d, kBackY, kTileW, kTileH,
          [c](int x, int y) { return back_flat(x, y, c); });
  }
  // The shade of a called tile: every other pixel of the tile darkened.
  paint(up, kCheckerX, kBackY, kTileW, kTileH, [](int x, int y) {
    return in_shape(x, y, kUpH) && (x + y) % 2 == 0 ? kBlack : kWhite;
  });

  FaceSymbols symbols(os);
  bool all_from_tileset = true;
  Surface paper(kSymbolW * kSymbolScale, kSymbolH * kSymbolScale);
  auto face = [&](int fx, int fy, int code, bool red) {
    paint(up, fx, fy, kTileW, kFaceH, face_base);
    all_from_tileset &= symbols.paint(paper, code);
    if (red) recolour_red(paper);
    ink_face(up, fx, fy, paper);
  };
  for (int code = 1; code <= 37; ++code) {
    if (code % 10 == 0) continue;
    face(kTileW * (code % 10), kFaceH * (code / 10), code, false);
  }
  face(kRedFiveX, kRedFiveY, 25, true);

  // The turned sheet: its own mask, then every face turned half round.
  paint_mask(turned, kFlatH);
  for (int code = 1; code <= 37; ++code) {
    if (code % 10 == 0) continue;
    const int fx = kTileW * (code % 10), fy = kFaceH * (code / 10);
    art::copy_turned(turned, fx, fy, up, fx, fy, kTileW, kFaceH);
  }
  art::copy_turned(turned, kRedFiveX, kRedFiveY, up, kRedFiveX, kRedFiveY, kTileW, kFaceH);
  return all_from_tileset;
}

}  // namespace sekiba::sheets
