#pragma once
// Drawing into a dialog's own surface with the table's picture sheets: the tile
// primitives, shadowed texts and the clock-chosen gradient of the yaku pages and
// the stacking editor. They never touch the table window.
#include <string>

#include "platform/platform.h"
#include "platform/surface.h"

namespace sekiba {

struct Game;

inline constexpr int kHelpGradients = 18;
// The dialogs' text size.
inline constexpr int kHelpTextPoint = 11;

// Gradient number (minutes + seconds) mod 18 of a time of day.
int help_gradient_no(const LocalTime& t);
// Fills every pixel row of the surface with gradient s (0..17).
void help_gradient(Surface& dst, int s);
// The colour of row i of H rows in gradient s.
Pixel help_gradient_color(int s, int i, int h);

// A face-up tile at the 8-pixel grid place (column, row), as on the table: the red
// five of circles when that setting is on. A value that is no tile draws nothing.
void help_hai_put(Game& g, Surface& dst, int no, int column, int row);
// A face-down tile.
void help_ura_put(Game& g, Surface& dst, int column, int row);
// Text at 8 x column, 8 x row in colour iro[colour]; shadow 1 first lays a
// shadow all round it, black or (around dark texts) white, so that it reads on
// every gradient.
void help_disp_gr(Game& g, Surface& dst, int column, int row, const std::string& text, int colour,
                  int shadow);
// The same with the top left corner of the line at (x, y) pixels; help_disp_gr
// puts it at (8 x column, 8 x row + 1).
void help_disp_gr_at(Game& g, Surface& dst, int x, int y, const std::string& text, int colour,
                     int shadow);
// The width in pixels of a text as help_disp_gr sets it, without its shadow.
int help_text_width(Game& g, const std::string& text);

}  // namespace sekiba
