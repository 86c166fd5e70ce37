// The masked pieces (small labels, key caps, sticks, markers, the discard cursor)
// and the frame pieces of the boxes.
//
// Every masked sheet shares one shape for all its pictures: the shape is painted
// white into cell 0 and turned into the mask, and each picture is cut to it.
#include <array>
#include <cmath>
#include <functional>
#include <string>

#include "screen/raster.h"
#include "screen/sheets_art.h"
#include "screen/sheets_build.h"

namespace sekiba::sheets {

using namespace sheet;
using art::darker;
using art::lighter;

namespace {

// Cell 0 becomes the mask of `shape` (drawn white over black, kept where it covers
// at least half a pixel); cells 1..n-1 are cut to it.
void finish_masked(Surface& s, int cw, int ch, int cells, bool across,
                   const std::function<void(Surface&, double, double)>& shape) {
  Surface tmp(cw, ch, s.k, kBlack);
  shape(tmp, 0, 0);
  const int w = std::min(tmp.w, s.dev(cw)), h = std::min(tmp.h, s.dev(ch));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.at(x, y) = green_of(tmp.at(x, y)) >= 128 ? kBlack : kWhite;
  for (int k = 1; k < cells; ++k)
    art::clip_to_mask(s, 0, 0, across ? cw * k : 0, across ? 0 : ch * k, cw, ch);
}

struct Tint {
  Pixel top, bottom;
};

// Small labels: a coloured plate with white text.
void small_label(Platform& os, Surface& s, const RectF& r, const std::string& t, Tint tint,
                 int point) {
  art::framed_plate(s, r, 4, 1, darker(tint.bottom, 0.5), tint.top, tint.bottom);
  art::outlined_text(os, s, RectF{r.x, r.y, r.w, r.h}, t, art::fit_point(os, t, point, int(r.w) - 3),
                     kWhite, darker(tint.bottom, 0.45), 1);
}

Tint tint_of(Pixel c) { return Tint{lighter(c, 0.3), darker(c, 0.15)}; }

void build_moji(Platform& os, Screen& scr) {
  scr.PicMOJI = Surface(kMojiW, kMojiH * kMojiRows, scr.k, kBlack);
  // The labels have short words of their own in other languages.
  const std::array<const char*, kMojiRows> text = {
      "",   NC_("label", "リーチ"), NC_("label", "ポン"), NC_("label", "チー"),
      NC_("label", "カン"), "SEL", NC_("label", "ツモ"), NC_("label", "これ"),
      "T",  "K", "S", "R", NC_("label", "ドラ"), NC_("label", "バ"), NC_("label", "ドラ"),
      NC_("label", "トン"), NC_("label", "ナン")};
  const std::array<Pixel, kMojiRows> colour = {
      kBlack,           rgb(220, 30, 44),  rgb(236, 120, 10), rgb(30, 150, 60),
      rgb(40, 90, 200), rgb(190, 40, 170), rgb(226, 70, 20),  rgb(200, 150, 0),
      rgb(0, 130, 140), rgb(0, 130, 140),  rgb(0, 130, 140),  rgb(0, 130, 140),
      rgb(214, 150, 0), rgb(120, 60, 170), rgb(190, 120, 0),  rgb(30, 60, 150),
      rgb(30, 60, 150)};
  const RectF r{0.5, 0.5, kMojiW - 1.0, kMojiH - 1.0};
  for (int k = 1; k < kMojiRows; ++k)
    small_label(os, scr.PicMOJI, RectF{r.x, r.y + kMojiH * k, r.w, r.h}, os.tr_in("label", text[std::size_t(k)]),
                tint_of(colour[std::size_t(k)]), 8);
  finish_masked(scr.PicMOJI, kMojiW, kMojiH, kMojiRows, false, [&](Surface& m, double, double) {
    art::plate(m, r, 4, kWhite, kWhite);
  });

  scr.PicNAGAI = Surface(kNagaiW * kNagaiCells, kNagaiH, scr.k, kBlack);
  const std::array<const char*, kNagaiCells> nagai = {"", NC_("label", "ポン"), NC_("label", "チー"),
                                                       NC_("label", "カン")};
  const RectF n{0.5, 0.5, kNagaiW - 1.0, kNagaiH - 1.0};
  for (int k = 1; k < kNagaiCells; ++k)
    small_label(os, scr.PicNAGAI, RectF{n.x + kNagaiW * k, n.y, n.w, n.h}, os.tr_in("label", nagai[std::size_t(k)]),
                tint_of(colour[std::size_t(k + 1)]), 8);
  finish_masked(scr.PicNAGAI, kNagaiW, kNagaiH, kNagaiCells, true,
                [&](Surface& m, double, double) { art::plate(m, n, 4, kWhite, kWhite); });
}

// Key caps: a light key with a darker lower lip and the glyph.
void build_keys(Platform& os, Screen& scr) {
  scr.PicMK = Surface(kMkW * kMkCells, kMkH, scr.k, kBlack);
  Surface& s = scr.PicMK;
  const RectF cap{0, 0, double(kMkW), double(kMkH)};
  constexpr Pixel kGlyph = rgb(30, 34, 60);
  for (int k = 1; k < kMkCells; ++k) {
    const double x = kMkW * k;
    const bool pair = k == 27 || k == 28;
    const Pixel face = pair ? rgb(214, 230, 255) : rgb(250, 250, 252);
    art::plate(s, RectF{x, 0, cap.w, cap.h}, 3, rgb(64, 66, 80), rgb(64, 66, 80));
    art::plate(s, RectF{x + 1, 1, cap.w - 2, cap.h - 2}, 2.5, darker(face, 0.25),
               darker(face, 0.35));
    art::plate(s, RectF{x + 2, 1, cap.w - 4, cap.h - 4}, 2, face, darker(face, 0.1));
    std::string t;
    if (k <= 26) t = std::string(1, char('A' + k - 1));
    else if (k == 27) t = "A";
    else if (k == 28) t = "N";
    else if (k <= 38) t = std::string(1, char('0' + k - 29));
    if (!t.empty()) {
      art::text_in(os, s, RectF{x, -1, cap.w, cap.h - 1}, t, 7, kGlyph);
    } else if (k == 39) {
      // Enter: the bent arrow of the key.
      os.draw_thick_line(s, {x + 11.5, 3}, {x + 11.5, 7.5}, 1.3, kGlyph);
      os.draw_thick_line(s, {x + 11.5, 7.5}, {x + 5, 7.5}, 1.3, kGlyph);
      art::triangle(s, {x + 3.5, 7.5}, {x + 6.5, 5}, {x + 6.5, 10}, kGlyph);
    } else if (k == 40) {
      // Space: the open box under the bar.
      os.draw_thick_line(s, {x + 4, 6}, {x + 4, 9}, 1.2, kGlyph);
      os.draw_thick_line(s, {x + 4, 9}, {x + 12, 9}, 1.2, kGlyph);
      os.draw_thick_line(s, {x + 12, 9}, {x + 12, 6}, 1.2, kGlyph);
    }
  }
  finish_masked(s, kMkW, kMkH, kMkCells, true,
                [&](Surface& m, double, double) { art::plate(m, cap, 3, kWhite, kWhite); });
}

// The point sticks of the table and the event sticks, standing upright.
void build_sticks(Platform& os, Screen& scr) {
  scr.PicBOU = Surface(kBouW * kBouCells, kBouH, scr.k, kBlack);
  Surface& s = scr.PicBOU;
  // Seven pixels wide, so that sticks laid a grid column apart keep a gap.
  const RectF body{1, 0, 7, double(kBouH)};
  auto stick = [&](int cell, Pixel top, Pixel bottom, Pixel frame) {
    art::framed_plate(s, RectF{body.x + kBouW * cell, body.y, body.w, body.h}, 3.5, 1, frame, top,
                      bottom);
  };
  // Event sticks D T C X O: coloured, with their letter and a band of colour.
  const std::array<Pixel, 5> ev = {rgb(230, 170, 0), rgb(30, 150, 70), rgb(40, 100, 210),
                                   rgb(150, 60, 190), rgb(220, 40, 50)};
  const std::array<const char*, 5> letters = {"D", "T", "C", "X", "O"};
  for (int k = 0; k < 5; ++k) {
    const int cell = 1 + k;
    const Pixel c = ev[std::size_t(k)];
    stick(cell, lighter(c, 0.35), darker(c, 0.1), darker(c, 0.5));
    art::plate(s, RectF{kBouW * cell + 2.0, 4, 5, 4}, 1, lighter(c, 0.7), lighter(c, 0.7));
    art::plate(s, RectF{kBouW * cell + 2.0, 32, 5, 4}, 1, lighter(c, 0.7), lighter(c, 0.7));
    art::text_in(os, s, RectF{kBouW * cell - 0.5, 10, 10, 20}, letters[std::size_t(k)], 7, kWhite);
  }
  // Point sticks: white, with the dots that tell their value.
  const Pixel white_top = rgb(255, 255, 255), white_bottom = rgb(226, 224, 216);
  const Pixel frame = rgb(120, 118, 110);
  constexpr Pixel kDot = rgb(20, 20, 24), kRedDot = rgb(210, 20, 30);
  for (int cell = 6; cell <= 9; ++cell) stick(cell, white_top, white_bottom, frame);
  auto dot = [&](int cell, double x, double y, double r, Pixel c) {
    art::disc(s, kBouW * cell + x, y, r, c);
  };
  for (double y : {5.5, 8.5, 31.5, 34.5})  // 100: four pairs of small dots
    for (double x : {3.2, 5.8}) dot(6, x, y, 0.9, kDot);
  dot(7, 4.5, 20, 2.1, kRedDot);  // 1,000: one red dot
  dot(8, 4.5, 20, 2, kRedDot);    // 5,000: a red dot and a pair of dots at each end
  for (double y : {7.0, 33.0})
    for (double x : {3.2, 5.8}) dot(8, x, y, 0.95, kDot);
  dot(9, 4.5, 20, 2, kRedDot);  // 10,000: a red dot in a column of four
  for (double y : {10.5, 14.5, 25.5, 29.5}) dot(9, 4.5, y, 1.15, kDot);
  finish_masked(s, kBouW, kBouH, kBouCells, true,
                [&](Surface& m, double, double) { art::plate(m, body, 3.5, kWhite, kWhite); });

  // Repeat markers: small 100-point sticks, white and pink.
  scr.Pic100 = Surface(k100W * 3, k100H, scr.k, kBlack);
  const RectF small{2, 0, 6, double(k100H)};
  const std::array<Tint, 2> mk = {{{white_top, white_bottom}, {rgb(255, 190, 214), rgb(236, 120, 164)}}};
  for (int k = 1; k <= 2; ++k) {
    const Tint t = mk[std::size_t(k - 1)];
    art::framed_plate(scr.Pic100, RectF{small.x + k100W * k, 0, small.w, small.h}, 2.5, 1,
                      darker(t.bottom, 0.45), t.top, t.bottom);
    for (double y : {4.0, 15.0}) art::disc(scr.Pic100, k100W * k + 5.0, y, 1.0, kDot);
  }
  finish_masked(scr.Pic100, k100W, k100H, 3, true,
                [&](Surface& m, double, double) { art::plate(m, small, 2.5, kWhite, kWhite); });
}

void build_bar(Screen& scr) {
  scr.PicBAR = Surface(kBarW * 2, kBarH, scr.k, kBlack);
  const RectF bar{1, 0, kBarW - 2.0, double(kBarH)};
  art::framed_plate(scr.PicBAR, RectF{bar.x + kBarW, 0, bar.w, bar.h}, 2.5, 1, rgb(150, 60, 0),
                    rgb(255, 236, 110), rgb(246, 140, 20));
  finish_masked(scr.PicBAR, kBarW, kBarH, 2, true,
                [&](Surface& m, double, double) { art::plate(m, bar, 2.5, kWhite, kWhite); });
}

// Frame pieces. The frame runs along pixels 2..5 of each 8-pixel piece, on all four
// sides alike (the same edge piece serves the top and the bottom, the left and the
// right side), so the band is the same read from either side; the rest of a piece is transparent so the fill and the table show.
void build_frames(Screen& scr) {
  scr.PicWAKU = Surface(kWakuPiece * 6, kWakuPiece * kWakuRows, scr.k, kPointerTransparent);
  for (int row = 0; row < kWakuRows; ++row) {
    std::array<Pixel, 4> band;
    if (row == 0) {
      band = {rgb(28, 30, 40), rgb(104, 108, 124), rgb(104, 108, 124), rgb(28, 30, 40)};
    } else {
      const Pixel c = art::solid(scr.iro[std::size_t(row)]);
      band = {darker(c, 0.5), lighter(c, 0.12), lighter(c, 0.12), darker(c, 0.5)};
    }
    Surface& w = scr.PicWAKU;
    for (int piece = 0; piece < 6; ++piece) {
      const int px0 = kWakuPiece * piece, py0 = kWakuPiece * row;
      const int dx0 = w.dev(px0), dy0 = w.dev(py0);
      for (int dy = dy0; dy < w.dev(py0 + kWakuPiece); ++dy)
        for (int dx = dx0; dx < w.dev(px0 + kWakuPiece); ++dx) {
          // The logical place of the pixel's centre (whole numbers at scale 1);
          // every corner is folded onto the top-left one.
          const double x = (dx + 0.5) / w.k - px0 - 0.5, y = (dy + 0.5) / w.k - py0 - 0.5;
          double u = x, v = y;
          if (piece == kTR || piece == kBR) u = kWakuPiece - 1 - x;
          if (piece == kBL || piece == kBR) v = kWakuPiece - 1 - y;
          auto cell = [](double t) { return int(std::floor(t + 0.5)); };
          int index = -1;
          if (piece == kHorz) index = cell(y) - 2;
          else if (piece == kVert) index = cell(x) - 2;
          else if (u >= 5.5 && v >= 5.5) index = -1;
          else if (u >= 5.5) index = cell(v) - 2;
          else if (v >= 5.5) index = cell(u) - 2;
          else index = int(std::floor(4.0 - std::hypot(6.0 - (u + 0.5), 6.0 - (v + 0.5))));
          if (index < 0 || index > 3) continue;
          w.at(dx, dy) = band[std::size_t(index)];
        }
    }
  }
}

}  // namespace

void build_pieces(Platform& os, Screen& scr) {
  build_moji(os, scr);
  build_keys(os, scr);
  build_sticks(os, scr);
  build_bar(scr);
  build_frames(scr);
}

}  // namespace sekiba::sheets
