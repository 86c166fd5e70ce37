// The yaku reference pages: the ring, the menu items, the red fives, the
// gradients, and that every page fits its window and shows a possible hand.
#include "eval/yakuhelp.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "engine/menus.h"
#include "engine/startup.h"
#include "eval/yakuhelp_draw.h"
#include "screen/draw.h"
#include "screen/raster.h"
#include "screen/screen.h"
#include "test_game.h"

namespace sekiba {
namespace {

using namespace sheet;

constexpr Pixel kFaceColour = rgb(10, 20, 30);
constexpr Pixel kRedFiveColour = rgb(250, 0, 0);

// A tile sheet whose shapes are solid: the mask black, strips and backs black,
// every face one colour and the red five another, so a drawn tile shows plainly
// which face it got.
void marker_sheet(Game& g) {
  Surface s(kHaiW, kHaiH, kBlack);
  for (int no = 1; no < 40; ++no)
    fill_rect(s, kTileW * (no % 10), kFaceH * (no / 10), kTileW, kFaceH, kFaceColour);
  fill_rect(s, 0, 0, kTileW, kTileH, kBlack);
  fill_rect(s, 0, kStripY, kTileW, kStripH * 8, kBlack);
  fill_rect(s, kRedFiveX, kRedFiveY, kTileW, kFaceH, kRedFiveColour);
  g.scr.PicHAI = s;
}

// The pages whose drawing shows a red five somewhere.
std::set<int> pages_with_red(Game& g) {
  std::set<int> out;
  for (int page = 0; page < kHelpPages; ++page) {
    Surface s(kHelpW, kHelpH, kWhite);
    page_print(g, s, page);
    for (const HelpItem& it : help_page_data(page).items)
      if (it.kind == HelpItem::Kind::Tile && s.at(8 * it.column + 16, 8 * it.row + 30) == kRedFiveColour)
        out.insert(page);
  }
  return out;
}

TEST(Yakuhelp, RedFivesOnExactlyTheListedPagesWhenTheSettingIsOn) {
  test::TestGame tg;
  fill_iro(tg.g);
  marker_sheet(tg.g);
  tg.g.s.settei[7] = 1;
  EXPECT_EQ(pages_with_red(tg.g), (std::set<int>{1, 2, 4, 8, 10, 11, 16, 24, 30}));
  tg.g.s.settei[7] = 0;
  EXPECT_TRUE(pages_with_red(tg.g).empty());
}

TEST(Yakuhelp, PagesTurnRoundTheRingAndMenusOpenTheirPage) {
  test::TestGame tg;
  Game& g = tg.g;
  YakuHelpWindow w;
  menu_command(g, "mnuyaku30");
  EXPECT_EQ(g.help_page, 30);
  ASSERT_EQ(tg.os.dialogs_opened, std::vector<std::string>{"frmyakuhelp"});
  yakuhelp_Form_Load(g, w);
  yakuhelp_cmdNEXT(g, w);
  EXPECT_EQ(g.help_page, 0);
  yakuhelp_cmdBACK(g, w);
  EXPECT_EQ(g.help_page, 30);
  menu_command(g, "mnuyaku1");
  EXPECT_EQ(g.help_page, 1);
  yakuhelp_cmdBACK(g, w);
  yakuhelp_cmdBACK(g, w);
  EXPECT_EQ(g.help_page, 30);
  // The sub-menus themselves and unknown numbers open nothing.
  for (const char* m : {"mnuyakuhelp", "mnuyakun", "mnuyakuy", "mnuyaku0", "mnuyaku31"}) menu_command(g, m);
  EXPECT_EQ(tg.os.dialogs_opened.size(), 2u);
  EXPECT_EQ(g.help_page, 30);
}

TEST(Yakuhelp, EveryMenuItemNamesItsPage) {
  std::map<std::string, std::string> captions;
  for (const MenuItem& m : menu_table()) captions[m.name] = m.caption;
  EXPECT_TRUE(help_page_data(0).caption.empty());
  for (int n = 1; n <= 30; ++n)
    EXPECT_EQ(help_page_data(n).caption, captions["mnuyaku" + std::to_string(n)]) << n;
  EXPECT_EQ(&help_page_data(31), &help_page_data(0));
  EXPECT_EQ(&help_page_data(-1), &help_page_data(0));
}

// Width in pixels of a text in the pages' font: a full-width character is one em,
// ASCII and the half-width forms half of one. A closing bracket at the end draws
// in the left half of its cell and counts half.
double text_pixels(const std::string& s) {
  const double em = kHelpTextPoint * 4.0 / 3.0;
  double w = 0;
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      w += em / 2;
      i += 1;
      continue;
    }
    const int len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    const auto b1 = static_cast<unsigned char>(s[i + 1]), b2 = static_cast<unsigned char>(s[i + 2]);
    const bool half = len == 3 && c == 0xEF && ((b1 == 0xBD && b2 >= 0xA1) || b1 == 0xBE);
    w += half ? em / 2 : em;
    i += std::size_t(len);
  }
  if (s.size() >= 3 && s.compare(s.size() - 3, 3, "）") == 0) w -= em / 2;
  return w;
}

TEST(Yakuhelp, EveryPageFitsItsPictureWithoutOverlaps) {
  for (int page = 0; page < kHelpPages; ++page) {
    std::vector<const HelpItem*> tiles, texts;
    for (const HelpItem& it : help_page_data(page).items) {
      if (it.kind == HelpItem::Kind::Text) {
        const double right = 8 * it.column + text_pixels(it.text);
        EXPECT_LE(right, kHelpW) << page << " " << it.text;
        EXPECT_LE(8 * it.row + 16, kHelpH) << page << " " << it.text;
        for (const HelpItem* o : texts)
          if (o->row == it.row)
            EXPECT_TRUE(8 * o->column + text_pixels(o->text) <= 8 * it.column ||
                        right <= 8 * o->column)
                << page << " " << o->text << " / " << it.text;
        texts.push_back(&it);
        continue;
      }
      EXPECT_LE(8 * it.column + kTileW, kHelpW) << page;
      EXPECT_LE(8 * it.row + kTileH, kHelpH) << page;
      for (const HelpItem* o : tiles)
        EXPECT_FALSE(std::abs(o->column - it.column) < 4 && std::abs(o->row - it.row) < 7)
            << "page " << page << " column " << it.column << " row " << it.row;
      tiles.push_back(&it);
    }
  }
}

TEST(Yakuhelp, EveryExampleHandIsAPossibleHand) {
  // Hand rows 2 to 11 (the second row holds an open kan): fourteen tiles plus one
  // for each kan, no code more than four times. Explanation tiles further down
  // repeat hand tiles and are left out.
  for (int page = 1; page < kHelpPages; ++page) {
    std::map<int, int> count;
    int tiles = 0, downs = 0;
    for (const HelpItem& it : help_page_data(page).items) {
      if (it.kind == HelpItem::Kind::Text || it.row > 11) continue;
      ++tiles;
      if (it.kind == HelpItem::Kind::Back) ++downs;
      else EXPECT_LE(++count[it.code], 4) << "page " << page << " code " << it.code;
    }
    const int kans = downs / 2 + (page == 11 ? 1 : page == 25 ? 2 : 0);
    EXPECT_EQ(tiles, 14 + kans) << page;
  }
}

TEST(Yakuhelp, EachPageTurnPaintsTheGradientOfTheClock) {
  test::TestGame tg;
  Game& g = tg.g;
  YakuHelpWindow w;
  g.help_page = 5;
  tg.os.time_of_day.minute = 7;
  tg.os.time_of_day.second = 2;  // 9: (200, 0, h)
  yakuhelp_Form_Load(g, w);
  EXPECT_EQ(w.surface.at(0, 0), rgb(200, 0, 0));
  EXPECT_EQ(w.surface.at(469, 199), rgb(200, 0, 255 * 199 / 200));
  tg.os.time_of_day.second = 59;  // 66 mod 18 = 12: (h, 0, 255 - h)
  yakuhelp_cmdNEXT(g, w);
  EXPECT_EQ(w.surface.at(0, 0), rgb(0, 0, 255));
  EXPECT_EQ(w.surface.at(0, 100), rgb(127, 0, 128));
  // Reading the clock leaves the table's own clock fields alone.
  EXPECT_EQ(g.t.clock_sec, 0);
}

}  // namespace
}  // namespace sekiba
