#pragma once
// The title picture shown at start-up (sekiba_title_0.jpg), painted with the
// game's own artwork: a felt table, the name, a row of honour tiles and a few
// backs. It is painted at several times the table's size, so that it stays as
// sharp as the table on a large window.
#include "platform/surface.h"

namespace sekiba {

class QtPlatform;

// The size the build ships it at: three times 640 x 480.
inline constexpr int kTitleScale = 3;

// The picture at k device pixels a table pixel (640 k x 480 k).
Surface paint_title_picture(QtPlatform& os, double k);

}  // namespace sekiba
