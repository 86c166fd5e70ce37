#include "engine/tumikomi_editor.h"

#include "engine/game.h"
#include "engine/tumikomi.h"
#include "engine/waits.h"
#include "eval/yakuhelp_draw.h"
#include "screen/raster.h"

namespace sekiba {

namespace {

constexpr int kOriginX = 8, kOriginY = 16;
constexpr int kColW = 32, kRowH = 54;

void paint_tile(Game& g, TumikomiEditor& e, int v, int j) {
  const int code = g.tumikomi_data[std::size_t(tumikomi_index(e.pattern, v, j))];
  const int col = 4 * j + 1, row = 7 * v + 2;
  blit(e.surface, 8 * col, 8 * row, e.haikei, 8 * col, 8 * row, 32, 54, Rop::Copy);
  if (is_tile(code)) help_hai_put(g, e.surface, code, col, row);
  else help_ura_put(g, e.surface, col, row);
}

}  // namespace

void tumikomi_Form_Load(Game& g, TumikomiEditor& e) {
  help_gradient(e.haikei, help_gradient_no(g.os.local_time()));
  e.pattern = 0;
  tumikomi_show(g, e);
}

void tumikomi_show(Game& g, TumikomiEditor& e) {
  if (e.pattern < 0 || e.pattern >= kTumikomiPatterns) e.pattern = 0;
  blit(e.surface, 0, 0, e.haikei, 0, 0, kEditorW, kEditorH, Rop::Copy);
  for (int v = 0; v < kTumikomiVariants; ++v)
    for (int j = 0; j < kTumikomiVariantSize; ++j) paint_tile(g, e, v, j);
}

bool tumikomi_MouseDown(Game& g, TumikomiEditor& e, int button, int x, int y) {
  if (button != 1 && button != 2) return false;
  if (!(x > kOriginX && x < 456 && y > kOriginY && y < 178)) return false;
  const int c = (x - kOriginX) / kColW;
  const int v = (y - kOriginY) / kRowH;
  // The fourteenth value only closes the variant; it stays as loaded.
  if (c >= kTumikomiVariantSize - 1) return false;
  auto& slot = g.tumikomi_data[std::size_t(tumikomi_index(e.pattern, v, c))];
  slot = std::int16_t(tumikomi_step(slot, button == 2));
  paint_tile(g, e, v, c);
  pasi_play(g);
  return true;
}

void tumikomi_cmdBACK(Game& g, TumikomiEditor& e) {
  e.pattern = e.pattern == 0 ? kTumikomiPatterns - 1 : e.pattern - 1;
  tumikomi_show(g, e);
}

void tumikomi_cmdNEXT(Game& g, TumikomiEditor& e) {
  e.pattern = e.pattern == kTumikomiPatterns - 1 ? 0 : e.pattern + 1;
  tumikomi_show(g, e);
}

void tumikomi_cmdSHOKI(Game& g, TumikomiEditor& e) {
  tumikomi_load_tin(g);
  tumikomi_show(g, e);
}

bool tumikomi_cmdOK(Game& g, TumikomiEditor& e) {
  const int bad = check_maisu(g.tumikomi_data);
  if (bad == 99) {
    tumikomi_save(g);
    return true;
  }
  e.pattern = bad;
  tumikomi_show(g, e);
  wave_play(g, "\\sekiba_error");
  return false;
}

void tumikomi_cmdNG(Game& g) { tumikomi_load_tum(g); }

}  // namespace sekiba
