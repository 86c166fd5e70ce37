#pragma once
// The yaku reference pages: a ring of 31 pages (an introduction, seventeen yaku
// of up to six han, thirteen yakuman), each an example hand drawn with the tile
// pictures and a few lines of explanation, on a gradient that changes with the
// clock at every page turn.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace sekiba {

struct Game;

inline constexpr int kHelpPages = 31;
inline constexpr int kHelpW = 470, kHelpH = 200;  // picHAIKEI2

struct HelpItem {
  enum class Kind { Text, Tile, Back };
  Kind kind = Kind::Text;
  int column = 0, row = 0;
  int colour = 0;       // Text
  int code = 0;         // Tile
  std::string text;     // Text
};

struct HelpPage {
  std::string caption;  // its menu item, "平和(&A)" (the menu shows it); empty on page 0
  std::string name;     // the yaku as the header shows it; empty on page 0
  std::vector<HelpItem> items;  // in drawing order, header first
};

// Page 0..30; any other number gives page 0.
const HelpPage& help_page_data(int page);

// A text of a page where it is drawn: item `item` of the page, in the player's
// language, the top left corner of its line at (x, y) pixels, on grid row `row`.
struct PlacedText {
  std::size_t item = 0;
  int x = 0, y = 0, row = 0, colour = 0;
  std::string text;
};
// The texts of page 0..30 in drawing order. A translated text keeps its grid place
// unless a longer translation before it on its row reaches there: it then follows
// that one. A reading the translated yaku name already carries is left out.
std::vector<PlacedText> help_page_texts(Game& g, int page);

// The ring: page + 1 after 30 is 0, page - 1 before 0 is 30.
int help_page_next(int page);
int help_page_back(int page);

// The pictures of the window: the gradient and the page over it.
struct YakuHelpWindow {
  Surface picHAIKEI2{kHelpW, kHelpH};
  Surface surface{kHelpW, kHelpH};  // what the window shows
};

// Menu item mnuyakuN (1..30): shows page N in a freshly painted window.
void mnuyaku_Click(Game& g, int n);

// The window's handlers; the dialog shows w.surface after each.
void yakuhelp_Form_Load(Game& g, YakuHelpWindow& w);
void yakuhelp_cmdNEXT(Game& g, YakuHelpWindow& w);
void yakuhelp_cmdBACK(Game& g, YakuHelpWindow& w);

// A new gradient in picHAIKEI2, chosen by the clock.
void yakuhelp_background(Game& g, YakuHelpWindow& w);
// Copies the background over the window's picture.
void haikei_set(YakuHelpWindow& w);
// Draws one page over what the surface holds.
void page_print(Game& g, Surface& dst, int page);

}  // namespace sekiba
