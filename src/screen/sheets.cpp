// The picture sheets of the table, all painted at start-up by our own code.
#include "screen/sheets_build.h"

namespace sekiba {

void build_sheets(Platform& os, Screen& scr) {
  sheets::build_tiles(os, scr);
  sheets::build_labels(os, scr);
  sheets::build_pieces(os, scr);
  sheets::build_pointers(os, scr);
}

}  // namespace sekiba
