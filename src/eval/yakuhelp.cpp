#include "eval/yakuhelp.h"

#include "engine/game.h"
#include "eval/yakuhelp_draw.h"
#include "screen/raster.h"

namespace sekiba {

int help_page_next(int page) { return page + 1 >= kHelpPages ? 0 : page + 1; }
int help_page_back(int page) { return page - 1 < 0 ? kHelpPages - 1 : page - 1; }

void mnuyaku_Click(Game& g, int n) {
  if (n < 1 || n >= kHelpPages) return;
  g.help_page = std::int16_t(n);
  g.os.open_dialog("frmyakuhelp");
}

void yakuhelp_background(Game& g, YakuHelpWindow& w) {
  // The clock is read without storing it: the pages leave the game state alone.
  help_gradient(w.picHAIKEI2, help_gradient_no(g.os.local_time()));
}

void haikei_set(YakuHelpWindow& w) {
  blit(w.surface, 0, 0, w.picHAIKEI2, 0, 0, kHelpW, kHelpH, Rop::Copy);
}

void page_print(Game& g, Surface& dst, int page) {
  for (const HelpItem& it : help_page_data(page).items) {
    switch (it.kind) {
      case HelpItem::Kind::Text: help_disp_gr(g, dst, it.column, it.row, it.text, it.colour, 1); break;
      case HelpItem::Kind::Tile: help_hai_put(g, dst, it.code, it.column, it.row); break;
      case HelpItem::Kind::Back: help_ura_put(g, dst, it.column, it.row); break;
    }
  }
}

namespace {
void show_page(Game& g, YakuHelpWindow& w) {
  if (g.help_page < 0 || g.help_page >= kHelpPages) g.help_page = 0;
  yakuhelp_background(g, w);
  haikei_set(w);
  page_print(g, w.surface, g.help_page);
}
}  // namespace

void yakuhelp_Form_Load(Game& g, YakuHelpWindow& w) { show_page(g, w); }

void yakuhelp_cmdNEXT(Game& g, YakuHelpWindow& w) {
  g.help_page = std::int16_t(help_page_next(g.help_page));
  show_page(g, w);
}

void yakuhelp_cmdBACK(Game& g, YakuHelpWindow& w) {
  g.help_page = std::int16_t(help_page_back(g.help_page));
  show_page(g, w);
}

}  // namespace sekiba
