#include "eval/yakuhelp_draw.h"

#include <algorithm>
#include <cmath>

#include "engine/game.h"
#include "screen/raster.h"
#include "screen/screen.h"

namespace sekiba {

using namespace sheet;

int help_gradient_no(const LocalTime& t) {
  return ((t.minute + t.second) % kHelpGradients + kHelpGradients) % kHelpGradients;
}

Pixel help_gradient_color(int s, int i, int hh) {
  const int h = hh > 0 ? 255 * i / hh : 0;
  const int g = hh > 0 ? 127 * i / hh : 0;
  switch (s) {
    case 0: return rgb(0, 255 - h, 255 - g);
    case 1: return rgb(255 - h, 0, 255 - g);
    case 2: return rgb(255 - h, 255 - g, 0);
    case 3: return rgb(255 - g, 255 - h, 0);
    case 4: return rgb(255 - g, 0, 255 - h);
    case 5: return rgb(0, 255 - g, 255 - h);
    case 6: return rgb(200, h, 0);
    case 7: return rgb(0, h, 200);
    case 8: return rgb(0, 200, h);
    case 9: return rgb(200, 0, h);
    case 10: return rgb(h, 200, 0);
    case 11: return rgb(h, 0, 200);
    case 12: return rgb(h, 0, 255 - h);
    case 13: return rgb(h, 255 - h, 0);
    case 14: return rgb(255 - h, 0, h);
    case 15: return rgb(0, 255 - h, h);
    case 16: return rgb(0, h, 255 - h);
    default: return rgb(255 - h, h, 0);
  }
}

void help_gradient(Surface& dst, int s) {
  s = std::clamp(s, 0, kHelpGradients - 1);
  for (int i = 0; i < dst.h; ++i) fill_rect(dst, 0, i, dst.w, 1, help_gradient_color(s, i, dst.h));
}

namespace {
int back_design(const Game& g) { return std::clamp(g.scr.ura_no, 0, 7); }

double linear(int c) {
  const double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
double luminance(Pixel p) {
  return 0.2126 * linear(red_of(p)) + 0.7152 * linear(green_of(p)) + 0.0722 * linear(blue_of(p));
}
// The pages lie on gradients of every colour, often the text's own: a halo in
// black or white, whichever differs more from the text, keeps each text apart
// from whatever lies behind it.
Pixel halo_for(Pixel text) {
  const double l = luminance(text);
  return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? kBlack : kWhite;
}
}  // namespace

void help_hai_put(Game& g, Surface& dst, int no, int column, int row) {
  if (!is_tile(no)) return;
  const int x = 8 * column, y = 8 * row;
  int fx = kTileW * (no % 10), fy = kFaceH * (no / 10);
  if (g.s.settei[7] == 1 && no == 25) {
    fx = kRedFiveX;
    fy = kRedFiveY;
  }
  const Surface& up = g.scr.PicHAI;
  blit(dst, x, y, up, 0, 0, kTileW, kTileH, Rop::And);
  blit(dst, x, y, up, 0, kStripY + kStripH * back_design(g), kTileW, kStripH, Rop::Xor);
  blit(dst, x, y + kStripH, up, fx, fy, kTileW, kFaceH, Rop::Xor);
}

void help_ura_put(Game& g, Surface& dst, int column, int row) {
  const Surface& up = g.scr.PicHAI;
  blit(dst, 8 * column, 8 * row, up, 0, 0, kTileW, kTileH, Rop::And);
  blit(dst, 8 * column, 8 * row, up, kTileW * back_design(g), kBackY, kTileW, kTileH, Rop::Xor);
}

void help_disp_gr(Game& g, Surface& dst, int column, int row, const std::string& text, int colour,
                  int shadow) {
  // The pages were laid out for characters of two grid cells: at 11 points the
  // longest reading still ends before the han beside it. Brackets reach the very
  // top of the font's em box, so every line sits one pixel down: a header on
  // row 0 keeps all of its glyphs and still ends above the tiles on row 2.
  help_disp_gr_at(g, dst, 8 * column, 8 * row + 1, text, colour, shadow);
}

int help_text_width(Game& g, const std::string& text) {
  return g.os.text_width(text, TextStyle{kHelpTextPoint, true, kBlack});
}

void help_disp_gr_at(Game& g, Surface& dst, int x, int y, const std::string& text, int colour,
                     int shadow) {
  auto iro = [&](int c) {
    return (c >= 0 && c < int(g.scr.iro.size())) ? g.scr.iro[std::size_t(c)] : kBlack;
  };
  TextStyle st{kHelpTextPoint, true, iro(colour)};
  if (shadow == 1) {
    // The shadow goes all round: one pixel on every side (laid twice, so that
    // the smoothed edges of the letters leave no pale gaps in it), two below and
    // to the right, where the shadow always fell.
    TextStyle halo = st;
    halo.color = halo_for(st.color);
    for (int pass = 0; pass < 2; ++pass)
      for (int dy = -1; dy <= 2; ++dy)
        for (int dx = -1; dx <= 2; ++dx)
          if ((dx != 0 || dy != 0) && (dx < 2 || dy > 0) && (dy < 2 || dx > 0) &&
              (pass == 0 || (dx < 2 && dy < 2)))
            g.os.draw_text(dst, x + dx, y + dy, text, halo);
  }
  g.os.draw_text(dst, x, y, text, st);
}

}  // namespace sekiba
