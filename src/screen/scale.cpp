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

namespace {

double clamp_scale(double k) {
  if (!(k >= 1)) k = 1;
  return std::min(k, 8.0);
}

bool same_scale(double a, double b) { return std::abs(a - b) < 1e-9; }

// Calls f(screen's sheet, kept sheet) for every picture sheet.
template <class F>
void each_sheet(Screen& s, SheetSet& c, F f) {
  f(s.PicHAI, c.PicHAI);
  f(s.picHAI2, c.picHAI2);
  f(s.picRON, c.picRON);
  f(s.picHANSU, c.picHANSU);
  f(s.PicBA, c.PicBA);
  f(s.picHANH, c.picHANH);
  f(s.picYAKUNASI, c.picYAKUNASI);
  f(s.picYAKUMEI, c.picYAKUMEI);
  f(s.picSUJIS, c.picSUJIS);
  f(s.picSUJIH, c.picSUJIH);
  f(s.PicMOJI, c.PicMOJI);
  f(s.PicBOU, c.PicBOU);
  f(s.PicWAKU, c.PicWAKU);
  f(s.PicMK, c.PicMK);
  f(s.PicSCORE, c.PicSCORE);
  f(s.PicGAME, c.PicGAME);
  f(s.Pic100, c.Pic100);
  f(s.picMAI, c.picMAI);
  f(s.picBAI, c.picBAI);
  f(s.PicBAR, c.PicBAR);
  f(s.PicNAGAI, c.PicNAGAI);
  for (std::size_t i = 0; i < s.picICON.size(); ++i) f(s.picICON[i], c.picICON[i]);
}

// Keeps the sheets in use (of the scale the screen leaves), the oldest kept
// going when there are too many.
void keep_sheets(Screen& scr) {
  if (scr.PicHAI.empty()) return;  // not built yet (or dropped): nothing to keep
  SheetSet set;
  set.k = scr.k;
  each_sheet(scr, set, [](Surface& from, Surface& to) { to = std::move(from); });
  std::erase_if(scr.sheet_cache, [&](const SheetSet& c) { return same_scale(c.k, set.k); });
  scr.sheet_cache.push_back(std::move(set));
  if (scr.sheet_cache.size() > Screen::kSheetCacheSize) scr.sheet_cache.erase(scr.sheet_cache.begin());
}

bool take_kept_sheets(Screen& scr, double k) {
  for (auto it = scr.sheet_cache.begin(); it != scr.sheet_cache.end(); ++it) {
    if (!same_scale(it->k, k)) continue;
    each_sheet(scr, *it, [](Surface& to, Surface& from) { to = std::move(from); });
    scr.sheet_cache.erase(it);
    return true;
  }
  return false;
}

}  // namespace

bool sheets_ready(const Screen& scr, double k) {
  k = clamp_scale(k);
  if (same_scale(k, scr.k)) return true;
  for (const SheetSet& c : scr.sheet_cache)
    if (same_scale(c.k, k)) return true;
  return false;
}

void drop_sheet_cache(Screen& scr) { scr.sheet_cache.clear(); }

void set_screen_scale(Platform& os, Screen& scr, double k) {
  k = clamp_scale(k);
  if (same_scale(k, scr.k)) return;
  keep_sheets(scr);
  scr.k = k;
  for (Surface* s : {&scr.win, &scr.PicHAIKEI, &scr.PicWORK})
    *s = Surface(kScreenW, kScreenH, k, kBlack);
  if (!take_kept_sheets(scr, k)) {
    build_sheets(os, scr);
    lay_user_sheet(scr.user_hai, scr.PicHAI, k);
    lay_user_sheet(scr.user_hai2, scr.picHAI2, k);
  }
  scr.log.replay();
}

}  // namespace sekiba
