#pragma once
// The stacking editor: one pattern at a time, its three variants as rows of
// fourteen tiles over a clock-chosen gradient. Clicks step a tile's code; the
// edits act on the live table at once.
#include "platform/surface.h"

namespace sekiba {

struct Game;

// The drawing area: three rows of fourteen tiles from (8, 16), 56 pixels apart.
inline constexpr int kEditorW = 464, kEditorH = 190;

struct TumikomiEditor {
  Surface haikei{kEditorW, kEditorH};  // the gradient alone
  Surface surface{kEditorW, kEditorH};  // what the window shows
  int pattern = 0;                      // Label2
};

// Opening: a new gradient, pattern 0 shown.
void tumikomi_Form_Load(Game& g, TumikomiEditor& e);
// Draws the current pattern over the gradient.
void tumikomi_show(Game& g, TumikomiEditor& e);
// A mouse button (1 left, 2 right, 4 middle) pressed at a pixel of the drawing
// area. True when a tile changed.
bool tumikomi_MouseDown(Game& g, TumikomiEditor& e, int button, int x, int y);
void tumikomi_cmdBACK(Game& g, TumikomiEditor& e);
void tumikomi_cmdNEXT(Game& g, TumikomiEditor& e);
// Back to the default patterns in the live table.
void tumikomi_cmdSHOKI(Game& g, TumikomiEditor& e);
// True when the editor closes (the table was saved, or the save failed and said
// so); false when a variant holds a fifth copy: that pattern is shown instead.
bool tumikomi_cmdOK(Game& g, TumikomiEditor& e);
// Cancel or the window's close button: the user's saved patterns come back.
void tumikomi_cmdNG(Game& g);

}  // namespace sekiba
