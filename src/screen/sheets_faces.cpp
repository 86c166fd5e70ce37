#include "screen/sheets_faces.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "screen/screen.h"
#include "screen/sheets_art.h"
#include "screen/sheets_build.h"

namespace sekiba::sheets {

namespace {

std::string tileset_id(int code) {
  const int n = code % 10;
  switch (code / 10) {
    case 0: return "BAMBOO_" + std::to_string(n);
    case 1: return "CHARACTER_" + std::to_string(n);
    case 2: return "ROD_" + std::to_string(n);
    default: break;
  }
  // The tileset numbers its winds North, South, East, West.
  static constexpr std::array<const char*, 7> kHonours = {"WIND_3", "WIND_2", "WIND_4", "WIND_1",
                                                          "DRAGON_1", "DRAGON_2", "DRAGON_3"};
  return kHonours[std::size_t(std::clamp(n - 1, 0, 6))];
}

}  // namespace

bool FaceSymbols::paint(Surface& paper, int code) {
  paper.fill(kWhite);
  if (tileset_ok_) {
    const RectF r{0, 0, double(paper.w), double(paper.h)};
    if (os_.draw_svg_element(paper, kTilesetPath, tileset_id(code), r)) {
      remove_indices(paper);
      return true;
    }
    tileset_ok_ = false;
    paper.fill(kWhite);
  }
  paint_fallback_symbol(os_, paper, code);
  return false;
}

void remove_indices(Surface& paper) {
  // Three paper pixels on paper four times the size of the face, more on larger.
  const int w = paper.w, h = paper.h;
  const int reach = std::max(1, int(std::lround(3.0 * w / (kSymbolW * kSymbolScale))));
  std::vector<std::uint8_t> near(std::size_t(w) * std::size_t(h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Pixel p = paper.at(x, y);
      if (std::max({red_of(p), green_of(p), blue_of(p)}) >= 24) continue;
      for (int j = std::max(0, y - reach); j <= std::min(h - 1, y + reach); ++j)
        for (int i = std::max(0, x - reach); i <= std::min(w - 1, x + reach); ++i)
          near[std::size_t(j) * std::size_t(w) + std::size_t(i)] = 1;
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!near[std::size_t(y) * std::size_t(w) + std::size_t(x)]) continue;
      const Pixel p = paper.at(x, y);
      const int hi = std::max({red_of(p), green_of(p), blue_of(p)});
      const int lo = std::min({red_of(p), green_of(p), blue_of(p)});
      if (hi - lo < 16) paper.at(x, y) = kWhite;
    }
}

void recolour_red(Surface& paper) {
  constexpr Pixel kRed = rgb(208, 24, 36);
  for (Pixel& p : paper.px) {
    const int lum = (red_of(p) + green_of(p) + blue_of(p)) / 3;
    const double ink = 1.0 - lum / 255.0;
    p = art::mix(kWhite, kRed, std::min(1.0, ink * 1.5));
  }
}

}  // namespace sekiba::sheets
