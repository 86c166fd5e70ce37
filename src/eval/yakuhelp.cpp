#include "eval/yakuhelp.h"

#include <algorithm>
#include <map>

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

std::vector<PlacedText> help_page_texts(Game& g, int page) {
  const HelpPage& p = help_page_data(page);
  // Page 0 has no name (and an empty text may look up a catalogue's header).
  const std::string name = p.name.empty() ? p.name : g.os.tr(p.name);
  const bool name_translated = name != p.name;
  // Room between two texts of one row that follow each other.
  constexpr int kGap = 8;
  // Per row: the grid place of its last text and where that text ends.
  std::map<int, std::pair<int, int>> last;
  std::vector<PlacedText> out;
  for (std::size_t i = 0; i < p.items.size(); ++i) {
    const HelpItem& it = p.items[i];
    if (it.kind != HelpItem::Kind::Text) continue;
    PlacedText t{i, 8 * it.column, 8 * it.row + 1, it.row, it.colour, g.os.tr(it.text)};
    const bool translated = t.text != it.text;
    if (translated && it.row == 0 && name_translated && it.text != p.name &&
        name.find(t.text) != std::string::npos)
      continue;
    if (translated) {
      auto before = last.find(it.row);
      if (before != last.end() && before->second.first <= 8 * it.column)
        t.x = std::max(t.x, before->second.second + kGap);
      // Latin letters hang below the line, where the tiles of the next rows
      // begin; they need the pixel the brackets of the Japanese line take above.
      --t.y;
    }
    last[it.row] = {8 * it.column, t.x + help_text_width(g, t.text)};
    out.push_back(std::move(t));
  }
  return out;
}

void page_print(Game& g, Surface& dst, int page) {
  const std::vector<PlacedText> texts = help_page_texts(g, page);
  auto next_text = texts.begin();
  const auto& items = help_page_data(page).items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const HelpItem& it = items[i];
    switch (it.kind) {
      case HelpItem::Kind::Text:
        if (next_text != texts.end() && next_text->item == i) {
          help_disp_gr_at(g, dst, next_text->x, next_text->y, next_text->text, it.colour, 1);
          ++next_text;
        }
        break;
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
