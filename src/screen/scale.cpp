// Drawing the table again at another scale when the window changes size.
#include <algorithm>
#include <cmath>

#include "platform/platform.h"
#include "screen/raster.h"
#include "screen/screen.h"

namespace sekiba {

void lay_user_sheet(const Surface& user, Surface& sheet, double k) {
  if (user.empty()) return;
  if (k == 1) {
    sheet = user;
    return;
  }
  // The user's sheet keeps its hard mask edges: stretched pixel for pixel.
  Surface out(sheet::kHaiW, sheet::kHaiH, k, kBlack);
  const int w = std::min(user.w, sheet::kHaiW), h = std::min(user.h, sheet::kHaiH);
  blit(out, 0, 0, user, 0, 0, w, h, Rop::Copy);
  sheet = std::move(out);
}

void set_screen_scale(Platform& os, Screen& scr, double k) {
  if (!(k >= 1)) k = 1;
  k = std::min(k, 8.0);
  if (std::abs(k - scr.k) < 1e-9) return;
  scr.k = k;
  for (Surface* s : {&scr.win, &scr.PicHAIKEI, &scr.PicWORK})
    *s = Surface(kScreenW, kScreenH, k, kBlack);
  build_sheets(os, scr);
  lay_user_sheet(scr.user_hai, scr.PicHAI, k);
  lay_user_sheet(scr.user_hai2, scr.picHAI2, k);
  scr.log.replay();
}

}  // namespace sekiba
