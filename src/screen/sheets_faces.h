#pragma once
// The symbols of the tile faces: from the desktop's mahjong tileset when it can be
// had, painted by our own code otherwise.
#include "platform/platform.h"

namespace sekiba::sheets {

// The symbol area inside a 32 x 41 face: clear of the three border rows at top and
// bottom, which the tiles lying flat take from the turned sheet.
inline constexpr int kSymbolX = 2, kSymbolY = 3, kSymbolW = 28, kSymbolH = 35;
// Symbols are painted this many times larger and then averaged down.
inline constexpr int kSymbolScale = 4;

class FaceSymbols {
 public:
  explicit FaceSymbols(Platform& os) : os_(os) {}
  // Paints the symbol of tile code 1..37 on white paper of the symbol area times
  // kSymbolScale; true when it came from the tileset.
  bool paint(Surface& paper, int code);

 private:
  Platform& os_;
  bool tileset_ok_ = true;  // false after the first failure: no use trying again
};

// Turns the ink of a circles symbol red (the red five).
void recolour_red(Surface& paper);

// Erases the small corner indices that the tileset prints beside its symbols (they
// are pure black; the symbols' own dark ink is a softer grey).
void remove_indices(Surface& paper);

}  // namespace sekiba::sheets
