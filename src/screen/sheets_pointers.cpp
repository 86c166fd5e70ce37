// The four mouse pointers: a gloved hand pointing right and one pointing up, and
// two speech bubbles (HIT, SEL). Pictures are painted on white and everything
// outside their silhouette becomes the transparent colour, so no edge pixel is
// blended with it.
#include <algorithm>
#include <cmath>
#include <functional>

#include "screen/sheets_art.h"
#include "screen/sheets_build.h"

namespace sekiba::sheets {

using namespace sheet;

namespace {

constexpr int kP = kPointerSize;
constexpr Pixel kLine = rgb(20, 20, 28);

// Paints `shape` twice: in colour, and white on black as its silhouette.
Surface cut_out(double k, const std::function<void(Surface&, bool)>& shape) {
  Surface pic(kP, kP, k, kWhite), sil(kP, kP, k, kBlack);
  shape(pic, false);
  shape(sil, true);
  for (int i = 0; i < pic.w * pic.h; ++i)
    if (green_of(sil.px[std::size_t(i)]) < 110) pic.px[std::size_t(i)] = kPointerTransparent;
  return pic;
}

void fine_line(Surface& s, double x0, double y0, double x1, double y1, Pixel c) {
  // A one-pixel line of our own, for fine detail where the platform's
  // anti-aliasing would smear.
  x0 *= s.k, y0 *= s.k, x1 *= s.k, y1 *= s.k;
  const int n = int(std::max(std::abs(x1 - x0), std::abs(y1 - y0))) + 1;
  for (int i = 0; i <= n; ++i) {
    const double t = double(i) / n;
    const int x = int(x0 + (x1 - x0) * t), y = int(y0 + (y1 - y0) * t);
    if (s.contains(x, y)) s.at(x, y) = c;
  }
}

struct Part {
  double x, y, w, h, r;
};

// A hand pointing up: the index finger, three folded fingers, the thumb, the palm
// and a cuff. Drawn outline first, then the white glove over it.
void hand_up(Surface& s, bool silhouette) {
  static constexpr Part parts[] = {
      {10.5, 1, 7, 20, 3.5},   // index finger
      {16.5, 11, 5, 10, 2.5},  // folded fingers
      {20.5, 12, 5, 10, 2.5},
      {24.5, 13.5, 4.5, 9, 2.2},
      {4, 16, 10, 6.5, 3.2},   // thumb
      {9, 15, 20, 13, 4.5},    // palm
      {10, 26, 17, 5.5, 1.5},  // cuff
  };
  const Pixel line = silhouette ? kWhite : kLine;
  const Pixel glove = silhouette ? kWhite : rgb(255, 255, 255);
  for (const Part& p : parts)
    art::plate(s, RectF{p.x - 1.2, p.y - 1.2, p.w + 2.4, p.h + 2.4}, p.r + 1.2, line, line);
  for (const Part& p : parts) art::plate(s, RectF{p.x, p.y, p.w, p.h}, p.r, glove, glove);
  if (silhouette) return;
  // Creases between the folded fingers and the cuff seam.
  for (double x : {20.5, 24.5}) fine_line(s, x, 13.5, x, 19, rgb(120, 120, 130));
  fine_line(s, 10, 26, 27, 26, rgb(120, 120, 130));
  art::plate(s, RectF{10.5, 26.6, 16, 4.3}, 1.2, rgb(220, 226, 240), rgb(190, 198, 220));
}

void bubble(Platform& os, Surface& s, bool silhouette, const char* word, Pixel ink) {
  const Pixel line = silhouette ? kWhite : kLine;
  const Pixel fill = silhouette ? kWhite : rgb(255, 250, 196);
  art::plate(s, RectF{0.5, 1.5, 31, 21}, 7, line, line);
  art::triangle(s, {3, 31}, {6, 18}, {15, 20}, line);
  art::plate(s, RectF{2, 3, 28, 18}, 6, fill, fill);
  art::triangle(s, {4.8, 28}, {7.2, 18.5}, {13, 19.5}, fill);
  if (!silhouette) art::text_in(os, s, RectF{2, 2, 28, 19}, word, 8, ink);
}

Surface turned_right(const Surface& up) {
  // A quarter turn clockwise: up becomes right.
  Surface out = up;
  const int n = up.w;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) out.at(n - 1 - y, x) = up.at(x, y);
  return out;
}

}  // namespace

void build_pointers(Platform& os, Screen& scr) {
  scr.picICON[1] = cut_out(scr.k, hand_up);
  scr.picICON[0] = turned_right(scr.picICON[1]);
  scr.picICON[2] = cut_out(scr.k, [&](Surface& s, bool sil) { bubble(os, s, sil, "HIT", rgb(210, 20, 30)); });
  scr.picICON[3] = cut_out(scr.k, [&](Surface& s, bool sil) { bubble(os, s, sil, "SEL", rgb(20, 70, 200)); });
}

}  // namespace sekiba::sheets
