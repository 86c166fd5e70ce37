// The yaku in English, measured with the window font's real glyphs: every name has
// a full and a short form, the short one ends before the han on the table, and the
// reference pages keep every text inside the page and off the tiles and the other
// texts at every window scale.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include "engine/game.h"
#include "eval/yaku.h"
#include "eval/yakuhelp.h"
#include "eval/yakuhelp_draw.h"
#include "qt/qt_platform.h"
#include "screen/capture.h"
#include "screen/draw.h"
#include "screen/screen.h"
#include "screen/sheets_build.h"

#include "english_po.h"
#include "japanese_text.h"
#include "qt_app.h"

namespace sekiba {
namespace {

using test::EnglishQt;
using test::has_japanese;
using test::PoCatalogue;
using test::read_po;

const PoCatalogue& catalogue() {
  static const PoCatalogue c = read_po(std::string(SEKIBA_SOURCE_DIR) + "/po/en-yaku.po");
  return c;
}

struct Box {
  int x0, y0, x1, y1;  // logical pixels, x1 and y1 past the end
  bool meets(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// The logical box round every pixel that is not white, looked for in the logical
// rows from_y..to_y.
Box ink_box(const Surface& s, int from_y = 0, int to_y = 1 << 20) {
  int x0 = s.w, y0 = s.h, x1 = -1, y1 = -1;
  for (int y = std::max(0, s.dev(from_y)); y < std::min(s.h, s.dev(to_y)); ++y)
    for (int x = 0; x < s.w; ++x)
      if (s.at(x, y) != kWhite) x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  if (x1 < 0) return {0, 0, 0, 0};
  auto lg = [&](int v, bool up) { return up ? int(std::ceil((v + 1) / s.k)) : int(std::floor(v / s.k)); };
  return {lg(x0, false), lg(y0, false), lg(x1, true), lg(y1, true)};
}

struct EnglishYaku : test::AppFirst, ::testing::Test {
  EnglishQt os{catalogue()};
  Game g{os};
};

TEST_F(EnglishYaku, EveryCodeHasAFullNameAndAShortFormEndingBeforeTheHan) {
  ASSERT_GT(catalogue().entries.size(), 100u) << "po/en-yaku.po not read";
  EXPECT_EQ(catalogue().fuzzy, 0);
  int names = 0;
  for (int code = 0; code < kYakuCodes; ++code) {
    const std::string ja = yaku_name(code);
    if (ja.empty()) continue;
    ++names;
    const std::string en = os.tr(ja);
    EXPECT_NE(en, ja) << "code " << code;
    EXPECT_FALSE(has_japanese(en)) << en;
  }
  EXPECT_EQ(names, 46);  // the sixteen yakuman and thirty yaku of the statistics window

  // The han digits are laid over the name cell from 18 columns on.
  constexpr int kHanX = 8 * 18;
  for (double k : {1.0, 2.0, 3.0}) {
    Screen scr;
    scr.k = k;
    sheets::build_labels(os, scr);
    const Surface& sheet = scr.picYAKUMEI;
    for (int image = 0; image < sheet::kYakuCount; ++image) {
      Surface cell(sheet::kYakuW, sheet::kYakuH, k, kWhite);
      for (int y = 0; y < cell.h; ++y)
        for (int x = 0; x < cell.w; ++x) cell.at(x, y) = sheet.at(x, cell.dev(sheet::kYakuH * image) + y);
      const Box b = ink_box(cell);
      EXPECT_GT(b.x1, b.x0) << "image " << image << " is blank at scale " << k;
      EXPECT_LE(b.x1, kHanX - 2) << "image " << image << " at scale " << k << " runs into the han";
    }
  }
}

TEST_F(EnglishYaku, PagesKeepEveryTextInsideAndClearOfTheTilesAtEveryScale) {
  fill_iro(g);
  for (auto& c : g.scr.iro) c = kBlack;
  for (int page = 0; page < kHelpPages; ++page) {
    const std::vector<PlacedText> texts = help_page_texts(g, page);
    const HelpPage& p = help_page_data(page);
    // The header says the yaku's reading once, inside its name.
    std::string header;
    for (const PlacedText& t : texts)
      if (t.row == 0) header += t.text + " ";
    for (const PlacedText& t : texts) {
      EXPECT_FALSE(has_japanese(t.text)) << "page " << page << ": " << t.text;
      if (t.row == 0 && t.text.front() == '(' && header.find(t.text) != header.rfind(t.text))
        ADD_FAILURE() << "page " << page << " repeats " << t.text;
    }
    std::vector<Box> tiles;
    for (const HelpItem& it : p.items)
      if (it.kind != HelpItem::Kind::Text)
        tiles.push_back({8 * it.column, 8 * it.row, 8 * it.column + sheet::kTileW, 8 * it.row + sheet::kTileH});
    for (double k : {1.0, 2.0, 3.0}) {
      std::vector<Box> boxes;
      for (const PlacedText& t : texts) {
        Surface s(kHelpW + 200, t.y + 32, k, kWhite);  // room to see a text run over
        help_disp_gr_at(g, s, t.x, t.y, t.text, t.colour, 0);
        boxes.push_back(ink_box(s, t.y - 8, t.y + 32));
      }
      for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& b = boxes[i];
        const std::string where = "page " + std::to_string(page) + " scale " + std::to_string(int(k)) +
                                  " \"" + texts[i].text + "\"";
        // Two pixels of shadow beyond the letters stay on the page too.
        EXPECT_LE(b.x1 + 2, kHelpW) << where << " ends at " << b.x1;
        EXPECT_LE(b.y1 + 2, kHelpH) << where;
        for (const Box& t : tiles) EXPECT_FALSE(b.meets(t)) << where << " meets a tile at " << t.x0 << "," << t.y0;
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
          EXPECT_FALSE((Box{b.x0, b.y0, b.x1 + 3, b.y1}).meets(boxes[j])) << where << " meets \"" << texts[j].text << "\"";
      }
    }
  }
}

TEST_F(EnglishYaku, HelpOpensTheEnglishPageOrElseTheJapaneseOne) {
  QTemporaryDir dir;
  const std::string d = dir.path().toStdString();
  g.t.app_path = d;
  auto put = [&](const char* name) { std::ofstream(d + "/" + name) << "<html></html>"; };
  put("sekiba_html_help_mokuji.htm");
  EXPECT_EQ(help_file(g), d + "/sekiba_html_help_mokuji.htm");
  put("sekiba_html_help_mokuji_en.htm");
  EXPECT_EQ(help_file(g), d + "/sekiba_html_help_mokuji_en.htm");
}

}  // namespace
}  // namespace sekiba
