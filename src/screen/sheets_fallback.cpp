// Tile symbols painted by our own code, for when the desktop tileset is missing:
// brush-stroke numerals over 萬, rings of coloured circles, green bamboo sticks and
// the honour characters. Coordinates are fractions of the paper.
#include <array>
#include <vector>

#include "screen/sheets_art.h"
#include "screen/sheets_build.h"

namespace sekiba::sheets {

namespace {

constexpr Pixel kInk = rgb(28, 30, 44);
constexpr Pixel kRed = rgb(196, 34, 38);
constexpr Pixel kGreen = rgb(18, 122, 70);
constexpr Pixel kBlue = rgb(30, 62, 150);

struct P {
  double x, y;
};
using Stroke = std::vector<P>;

// The numerals one to nine as brush strokes in a unit box.
const std::array<std::vector<Stroke>, 9>& numerals() {
  static const std::array<std::vector<Stroke>, 9> k = {{
      {{{0.1, 0.52}, {0.9, 0.48}}},
      {{{0.25, 0.3}, {0.75, 0.28}}, {{0.1, 0.75}, {0.9, 0.72}}},
      {{{0.22, 0.18}, {0.78, 0.16}}, {{0.3, 0.5}, {0.7, 0.48}}, {{0.1, 0.84}, {0.9, 0.82}}},
      {{{0.15, 0.15}, {0.15, 0.88}},
       {{0.15, 0.15}, {0.85, 0.15}, {0.85, 0.88}},
       {{0.15, 0.86}, {0.85, 0.86}},
       {{0.42, 0.17}, {0.34, 0.6}},
       {{0.6, 0.17}, {0.6, 0.55}, {0.72, 0.6}}},
      {{{0.2, 0.14}, {0.8, 0.14}},
       {{0.46, 0.14}, {0.38, 0.86}},
       {{0.24, 0.48}, {0.72, 0.48}, {0.68, 0.86}},
       {{0.08, 0.86}, {0.92, 0.86}}},
      {{{0.48, 0.04}, {0.56, 0.2}},
       {{0.12, 0.34}, {0.88, 0.34}},
       {{0.38, 0.52}, {0.16, 0.9}},
       {{0.62, 0.52}, {0.86, 0.86}}},
      {{{0.1, 0.52}, {0.9, 0.38}}, {{0.38, 0.08}, {0.38, 0.78}, {0.5, 0.88}, {0.9, 0.88}, {0.92, 0.7}}},
      {{{0.42, 0.18}, {0.34, 0.56}, {0.1, 0.88}}, {{0.58, 0.18}, {0.66, 0.56}, {0.92, 0.86}}},
      {{{0.46, 0.06}, {0.42, 0.5}, {0.12, 0.9}},
       {{0.14, 0.34}, {0.68, 0.34}, {0.64, 0.8}, {0.74, 0.9}, {0.92, 0.9}, {0.92, 0.74}}},
  }};
  return k;
}

void strokes(Platform& os, Surface& s, const RectF& box, const std::vector<Stroke>& glyph,
             double width, Pixel c) {
  for (const Stroke& st : glyph)
    for (std::size_t i = 1; i < st.size(); ++i)
      os.draw_thick_line(s, {box.x + st[i - 1].x * box.w, box.y + st[i - 1].y * box.h},
                         {box.x + st[i].x * box.w, box.y + st[i].y * box.h}, width, c);
}

void characters(Platform& os, Surface& s, int n) {
  const double w = s.w, h = s.h;
  strokes(os, s, RectF{w * 0.16, h * 0.04, w * 0.68, h * 0.38}, numerals()[std::size_t(n - 1)],
          w * 0.085, kInk);
  art::text_in(os, s, RectF{0, h * 0.44, w, h * 0.56}, "萬", int(h * 0.34), kRed);
}

// One circle of the circles suit: a coloured ring, a white ring, a coloured eye.
void ring(Surface& s, double cx, double cy, double r, Pixel c) {
  art::disc(s, cx, cy, r, c);
  art::disc(s, cx, cy, r * 0.72, kWhite);
  art::disc(s, cx, cy, r * 0.5, c);
  art::disc(s, cx, cy, r * 0.2, kWhite);
}

void circles(Surface& s, int n) {
  struct Dot {
    double x, y;
    Pixel c;
  };
  const Pixel G = kGreen, R = kRed, B = kBlue;
  static const std::array<std::vector<Dot>, 9> layouts = {{
      {{0.5, 0.5, G}},
      {{0.5, 0.26, G}, {0.5, 0.74, B}},
      {{0.23, 0.2, B}, {0.5, 0.5, R}, {0.77, 0.8, G}},
      {{0.27, 0.25, B}, {0.73, 0.25, G}, {0.27, 0.75, G}, {0.73, 0.75, B}},
      {{0.25, 0.2, B}, {0.75, 0.2, G}, {0.5, 0.5, R}, {0.25, 0.8, G}, {0.75, 0.8, B}},
      {{0.27, 0.17, G}, {0.73, 0.17, G}, {0.27, 0.52, R}, {0.73, 0.52, R}, {0.27, 0.83, R},
       {0.73, 0.83, R}},
      {{0.2, 0.12, G}, {0.5, 0.22, G}, {0.8, 0.32, G}, {0.29, 0.58, R}, {0.71, 0.58, R},
       {0.29, 0.86, R}, {0.71, 0.86, R}},
      {{0.29, 0.12, B}, {0.71, 0.12, B}, {0.29, 0.37, B}, {0.71, 0.37, B}, {0.29, 0.63, B},
       {0.71, 0.63, B}, {0.29, 0.88, B}, {0.71, 0.88, B}},
      {{0.2, 0.17, G}, {0.5, 0.17, G}, {0.8, 0.17, G}, {0.2, 0.5, R}, {0.5, 0.5, R},
       {0.8, 0.5, R}, {0.2, 0.83, B}, {0.5, 0.83, B}, {0.8, 0.83, B}},
  }};
  static constexpr std::array<double, 9> radius = {0.44, 0.22, 0.19, 0.21, 0.19,
                                                   0.17, 0.14, 0.135, 0.145};
  const double w = s.w, h = s.h;
  const double r = radius[std::size_t(n - 1)] * w;
  if (n == 1) {
    ring(s, w / 2, h / 2, r, kGreen);
    art::disc(s, w / 2, h / 2, r * 0.36, kRed);
    art::disc(s, w / 2, h / 2, r * 0.14, kWhite);
    return;
  }
  for (const Dot& d : layouts[std::size_t(n - 1)]) ring(s, d.x * w, d.y * h, r, d.c);
}

void stick(Surface& s, double cx, double cy, double len, Pixel c) {
  const double w = s.w * 0.13;
  const RectF r{cx - w / 2, cy - len / 2, w, len};
  art::framed_plate(s, r, w / 2, w * 0.18, art::darker(c, 0.35), art::lighter(c, 0.15), c);
  // The joint in the middle of the stalk.
  art::plate(s, RectF{r.x + w * 0.1, cy - w * 0.12, w * 0.8, w * 0.24}, 1, art::darker(c, 0.4),
             art::darker(c, 0.4));
}

void bamboo(Surface& s, int n) {
  const double w = s.w, h = s.h;
  if (n == 1) {
    // A small bird on a stalk, the usual emblem of the one of bamboo.
    stick(s, w * 0.3, h * 0.55, h * 0.78, kGreen);
    art::plate(s, RectF{w * 0.36, h * 0.36, w * 0.46, h * 0.3}, h * 0.15, kGreen,
               art::darker(kGreen, 0.3));
    art::disc(s, w * 0.74, h * 0.32, w * 0.12, kRed);
    art::disc(s, w * 0.77, h * 0.3, w * 0.03, kWhite);
    return;
  }
  struct St {
    double x, y;
    bool red;
  };
  static const std::array<std::vector<St>, 9> layouts = {{
      {},
      {{0.5, 0.27, false}, {0.5, 0.73, false}},
      {{0.5, 0.27, false}, {0.3, 0.73, false}, {0.7, 0.73, false}},
      {{0.3, 0.27, false}, {0.7, 0.27, false}, {0.3, 0.73, false}, {0.7, 0.73, false}},
      {{0.22, 0.27, false}, {0.78, 0.27, false}, {0.5, 0.5, true}, {0.22, 0.73, false},
       {0.78, 0.73, false}},
      {{0.2, 0.27, false}, {0.5, 0.27, false}, {0.8, 0.27, false}, {0.2, 0.73, false},
       {0.5, 0.73, false}, {0.8, 0.73, false}},
      {{0.5, 0.17, true}, {0.2, 0.5, false}, {0.5, 0.5, false}, {0.8, 0.5, false},
       {0.2, 0.83, false}, {0.5, 0.83, false}, {0.8, 0.83, false}},
      {{0.14, 0.27, false}, {0.38, 0.27, false}, {0.62, 0.27, false}, {0.86, 0.27, false},
       {0.14, 0.73, false}, {0.38, 0.73, false}, {0.62, 0.73, false}, {0.86, 0.73, false}},
      {{0.2, 0.17, false}, {0.5, 0.17, true}, {0.8, 0.17, false}, {0.2, 0.5, false},
       {0.5, 0.5, true}, {0.8, 0.5, false}, {0.2, 0.83, false}, {0.5, 0.83, true},
       {0.8, 0.83, false}},
  }};
  const auto& layout = layouts[std::size_t(n - 1)];
  const double len = (n == 7 || n == 9) ? h * 0.29 : h * 0.42;
  for (const St& st : layout) stick(s, st.x * w, st.y * h, len, st.red ? kRed : kGreen);
}

void honour(Platform& os, Surface& s, int n) {
  const double w = s.w, h = s.h;
  const RectF all{0, 0, w, h};
  static constexpr std::array<const char*, 7> kNames = {"東", "南", "西", "北", "白", "發", "中"};
  if (n == 5) {
    // The white dragon: an empty blue frame.
    art::framed_plate(s, RectF{w * 0.14, h * 0.14, w * 0.72, h * 0.72}, w * 0.06, w * 0.07, kBlue,
                      kWhite, kWhite);
    return;
  }
  const Pixel c = n == 6 ? kGreen : n == 7 ? kRed : kInk;
  art::text_in(os, s, all, kNames[std::size_t(n - 1)], int(h * 0.46), c);
}

}  // namespace

void paint_fallback_symbol(Platform& os, Surface& paper, int code) {
  const int n = code % 10;
  if (n < 1) return;
  switch (code / 10) {
    case 0: bamboo(paper, n); break;
    case 1: characters(os, paper, n); break;
    case 2: circles(paper, n); break;
    default:
      if (n <= 7) honour(os, paper, n);
      break;
  }
}

}  // namespace sekiba::sheets
