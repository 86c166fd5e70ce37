#pragma once
// Small painting helpers shared by the sheet builders: colour arithmetic, our own
// anti-aliased rounded plates, box-filter reduction, rotation and masking. Only the
// text and the tileset go through the platform; everything here is plain loops, so
// the sheets keep their shapes and colours on every platform.
#include <string>

#include "platform/platform.h"
#include "platform/surface.h"

namespace sekiba::art {

// t = 0 gives a, t = 1 gives b.
Pixel mix(Pixel a, Pixel b, double t);
inline Pixel lighter(Pixel p, double t) { return mix(p, kWhite, t); }
inline Pixel darker(Pixel p, double t) { return mix(p, kBlack, t); }
// Per-channel product, the way ink darkens paper.
Pixel multiply(Pixel paper, Pixel ink);
// A colour that is never exactly black, so XOR drawing does not punch holes.
Pixel solid(Pixel p);

// Shapes take logical coordinates and are drawn at the surface's scale; blend,
// reduce and copy_turned work on device pixels.
// Lays colour c over one pixel with coverage a (0..1).
void blend(Surface& s, int x, int y, Pixel c, double a);

// A rounded rectangle filled with a vertical gradient, anti-aliased by our own
// coverage, blended over what is there.
void plate(Surface& s, const RectF& r, double radius, Pixel top, Pixel bottom);
// The same with a frame of width fw in colour frame around the gradient.
void framed_plate(Surface& s, const RectF& r, double radius, double fw, Pixel frame, Pixel top,
                  Pixel bottom);
// A filled disc with an anti-aliased edge.
void disc(Surface& s, double cx, double cy, double radius, Pixel c);
// A filled triangle, anti-aliased by supersampling.
void triangle(Surface& s, PointF a, PointF b, PointF c, Pixel colour);

// Text helpers in the window font.
TextStyle style(int point, Pixel color, bool bold = true);
void text_in(Platform& os, Surface& s, const RectF& r, const std::string& t, int point, Pixel c);
// Text with a one-pixel (or wider) outline around every glyph.
void outlined_text(Platform& os, Surface& s, const RectF& r, const std::string& t, int point,
                   Pixel fill, Pixel outline, int width = 1);

// The largest point size, from start down, at which t fits in max_w pixels.
int fit_point(Platform& os, const std::string& t, int start, int max_w, bool bold = true);

// Averages factor x factor blocks of src (from its origin) into a w x h area of dst.
void reduce(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int factor);

// Copies a rectangle turned by 180 degrees.
void copy_turned(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h);

// Builds a mask cell from the picture in a cell: black where the picture is not
// black, white elsewhere.
void mask_from(Surface& sheet, int mx, int my, int px, int py, int w, int h);
// Clears a picture cell to black wherever the mask cell is white, so that XOR
// drawing leaves the background around the shape alone.
void clip_to_mask(Surface& sheet, int mx, int my, int px, int py, int w, int h);

}  // namespace sekiba::art
