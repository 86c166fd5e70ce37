#pragma once
// The parts of build_sheets, one per group of sheets, and the few facts about the
// artwork that tests and the test screen look at.
#include "platform/platform.h"
#include "screen/screen.h"

namespace sekiba::sheets {

// The colour of tile-back design d (0..7).
Pixel back_colour(int d);

// PicHAI and picHAI2. Returns true when the faces came from the tileset.
bool build_tiles(Platform& os, Screen& scr);
// The symbol of tile code c painted by our own code on white paper of w x h.
void paint_fallback_symbol(Platform& os, Surface& paper, int code);

// Opaque labels: picRON, picHANSU, PicBA, picHANH, picYAKUNASI, picYAKUMEI,
// picSUJIS, picSUJIH, picMAI, picBAI, PicSCORE, PicGAME.
void build_labels(Platform& os, Screen& scr);
// Masked pieces: PicMOJI, PicMK, PicBOU, Pic100, PicBAR, PicNAGAI; and PicWAKU.
void build_pieces(Platform& os, Screen& scr);
// picICON 0..3.
void build_pointers(Platform& os, Screen& scr);

// The colours of the seven digit rows of picSUJIS.
Pixel digit_colour(int row);

}  // namespace sekiba::sheets
