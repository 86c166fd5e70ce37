// The English table texts keep to the places of the Japanese ones: measured with
// the window font at every scale the window is drawn at.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <fstream>
#include <map>
#include <vector>

#include "engine/game.h"
#include "qt/qt_platform.h"
#include "screen/draw.h"
#include "screen/screen.h"

#include "english_po.h"
#include "qt_app.h"

namespace sekiba {
namespace {

const test::PoCatalogue& ui_catalogue() {
  static const test::PoCatalogue c = test::read_po(SEKIBA_SOURCE_DIR "/po/en-ui.po");
  return c;
}

struct Fit : test::AppFirst, ::testing::Test {
  test::EnglishQt os{ui_catalogue()};
};

struct GridText {
  const char* context;
  const char* ja;
  int point;          // 12 or 24
  int room = 0;       // the columns the text may take, when not the Japanese text's
};

// Every text the table sets on its grid, with the point size it is set at.
const GridText kGrid[] = {
    {"press", "キー", 12}, {"press", "を押して下さい", 12}, {"", "カン", 12},
    {"", "親を決めます", 12}, {"", "ﾊﾞｰｼﾞｮﾝ %1", 12},
    {"", "相手と牌が食い違ったためＬＡＮ対戦を中止しました", 12},
    {"", "相手からの応答が途絶えました", 12}, {"", "相手がＬＡＮ対戦を中止しました", 12},
    {"", "ＬＡＮ対戦を中止しました", 12},
    {"operation", "ツモ", 12}, {"operation", "ポン", 12}, {"operation", "チー", 12},
    {"operation", "カン", 12}, {"operation", "上がり", 12}, {"operation", "捨てる", 12},
    {"operation", "リーチ", 12}, {"operation", "ﾎﾟﾝﾂﾞｹ", 12}, {"operation", "取消し", 12},
    {"operation", "選択", 12}, {"operation", "操　作", 12},
    {"", "リーチ", 12}, {"", "待ち牌", 12}, {"", "あたり牌", 12},
    {"", "★★★★華麗なる自動モード!★★★★", 12}, {"", "あなたに代わり自動でゲームを行います｡", 12},
    {"", "ひまつぶしの鑑賞用にご利用下さいませ｡", 12}, {"", "する　　やめる", 12},
    {"", "☆☆☆☆華麗なる自動モード!☆☆☆☆", 12}, {"", "自動モードを終了します｡", 12},
    {"", "終了する　　続ける", 12},
    {"", "ルーレットは　　　で止まります。", 12}, {"", "牌を選択して下さい。", 12},
    {"", "又は右クリックで､交換終了です｡", 12},
    {"", "ドラ牌をルーレットで交換出来ます。", 12}, {"", "ラスツモをルーレットで交換出来ます｡", 12},
    {"", "配牌より牌を指定して交換出来ます｡", 12}, {"", "上がり点が2倍になります｡", 12},
    {"", "com牌を約5秒オープンに出来ます｡", 12}, {"", "実行　　やめる。", 12},
    {"", "実行    やめる。", 12}, {"", "実行", 12}, {"", "やめる。", 12},
    {"", "棒が１本減ります。", 12}, {"", "－名前が入力できます－", 12}, {"", "ななしさん", 12},
    {"ruler", "･", 12},
    {"", "４００連戦無事達成おめでとう！", 24}, {"", "３００連戦無事達成おめでとう！", 24},
    {"", "２００連戦無事達成おめでとう！", 24}, {"", "１００連戦無事達成おめでとう！", 24},
    {"", "　７５連戦無事達成おめでとう！", 24}, {"", "　５０連戦無事達成おめでとう！", 24},
    {"", "　２５連戦無事達成おめでとう！", 24}, {"", "１ゲーム終了です", 24},
    {"", "今このモードには入れません｡", 24}, {"", "今このイベントには入れません｡", 24},
    {"", "スコアの点棒です", 24}, {"", "HI･SCORE", 24}, {"", "BEST･10", 24},
    // The best-ten lines have their box (66 columns, 33 at 24 point): the Japanese
    // ones are set narrower to fit it, the English ones fit it as they are.
    {"", "★★トップ賞おめでとうございます★★", 24, 33},
    {"", "★★もうひとがんばりファイト1発★★", 24, 33},
    {"", "★★祝入賞!おめでとうございます★★", 24, 33},
    {"", "★★やった!!ランクインしたぞー★★", 24, 33},
    {"", "★★おぉ!ぎりぎりのランクインだ★★", 24, 33},
};

int ink_right_of(const Surface& s, int x0) {
  int right = -1;
  for (int y = 0; y < s.h; ++y)
    for (int x = x0; x < s.w; ++x)
      if (s.at(x, y) != kWhite) right = std::max(right, x);
  return right;
}

TEST_F(Fit, GridTextsKeepToTheJapaneseColumnsAtEveryScale) {
  Game g{os};
  fill_iro(g);
  for (const GridText& t : kGrid) {
    const std::string en = os.tr_in(t.context, t.ja);
    SCOPED_TRACE(std::string(t.ja) + " -> " + en);
    ASSERT_NE(en, t.ja) << "no English";
    const int room = t.room > 0 ? t.room : grid_columns(t.ja);
    ASSERT_LE(grid_columns(en), room);
    // Drawn at column 0, the English leaves no ink past the Japanese text's last
    // column and its one-pixel shadow, at any scale.
    for (double k : {1.0, 2.0, 3.0}) {
      g.scr.win = Surface(kScreenW, kScreenH, k, kWhite);
      if (t.point == 24) disp_gr2(g, 0, 0, en, 7, 1);
      else disp_gr(g, 0, 0, en, 7, 1);
      const int box = int((room * 8 * t.point / 12 + 1) * k);
      EXPECT_LT(ink_right_of(g.scr.win, 0), box) << "scale " << k;
    }
  }
}

TEST_F(Fit, KeyMarksFallInTheGapsOfTheEnglish) {
  // Texts with a key mark drawn into their blanks: the columns of the mark
  // (two, counted from the text's start) stay blank, and the word after the
  // gap starts where the Japanese one does.
  const struct {
    const char* ja;
    int mark;
  } kGaps[] = {{"する　　やめる", 4},       {"終了する　　続ける", 8}, {"実行　　やめる。", 5},
               {"実行    やめる。", 5},     {"ルーレットは　　　で止まります。", 13}};
  // The characters of a text with the grid column each starts at.
  auto cells = [](const std::string& s) {
    std::vector<std::pair<int, std::string>> out;
    int col = 0;
    for (std::size_t i = 0; i < s.size();) {
      const unsigned char b = static_cast<unsigned char>(s[i]);
      const std::size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
      out.emplace_back(col, s.substr(i, n));
      col += grid_columns(out.back().second);
      i += n;
    }
    return out;
  };
  auto blank = [](const std::string& ch) { return ch == " " || ch == "　"; };
  // Where the text goes on after its first gap of two blank columns or more.
  auto column_after_gap = [&](const std::string& s) {
    int blanks = 0;
    for (const auto& [col, ch] : cells(s)) {
      if (blank(ch)) blanks += grid_columns(ch);
      else if (blanks >= 2) return col;
      else blanks = 0;
    }
    return -1;
  };
  auto blank_at = [&](const std::string& s, int at) {
    for (const auto& [col, ch] : cells(s))
      if (at < col + grid_columns(ch)) return at >= col && blank(ch);
    return true;
  };
  for (const auto& t : kGaps) {
    const std::string en = os.tr(t.ja);
    SCOPED_TRACE(std::string(t.ja) + " -> " + en);
    EXPECT_TRUE(blank_at(en, t.mark) && blank_at(en, t.mark + 1));
    const int ja_after = column_after_gap(t.ja);
    const int en_after = column_after_gap(en);
    if (en_after >= 0) {
      EXPECT_EQ(en_after, ja_after);
    }
  }
}

// A label of the picture sheets: its cell's width, the room a text has in it and
// the point size it is set at; a text too wide is set smaller.
struct SheetLabel {
  const char* context;
  const char* ja;
  int cell_w, room, point;
};

const SheetLabel kLabels[] = {
    // result plates 100 x 40 and han plates 80 x 32, 10 pixels of frame
    {"", "ツモ", 100, 90, 20}, {"", "ロン", 100, 90, 20}, {"", "聴牌", 100, 90, 20},
    {"", "流局", 100, 90, 20}, {"", "フリテン", 100, 90, 20}, {"", "点数不足", 100, 90, 20},
    {"", "どぼん！", 100, 90, 20},
    {"", "1ハン", 80, 70, 16}, {"", "2ハン", 80, 70, 16}, {"", "3ハン", 80, 70, 16},
    {"", "4ハン", 80, 70, 16}, {"", "満貫", 80, 70, 16}, {"", "ハネ満", 80, 70, 16},
    {"", "倍満", 80, 70, 16}, {"", "三倍満", 80, 70, 16}, {"", "役満", 80, 70, 16},
    // seat plates 80 x 32
    {"", "東", 80, 70, 18}, {"", "南", 80, 70, 18}, {"", "あなた", 80, 70, 15},
    {"", "あいて", 80, 70, 15}, {"", "勝ち！", 80, 70, 15},
    // the yaku list's white labels: han words 48 wide, "no yaku" 180 wide
    {"", "ハン", 48, 40, 13}, {"han", "役満", 48, 40, 13}, {"", "2倍", 48, 40, 13}, {"", "役無し", 180, 172, 14},
    // the small labels 30 x 15 and the meld labels 32 x 15, 3 pixels of frame
    {"label", "リーチ", 30, 26, 8}, {"label", "ポン", 30, 26, 8}, {"label", "チー", 30, 26, 8},
    {"label", "カン", 30, 26, 8}, {"label", "ツモ", 30, 26, 8}, {"label", "これ", 30, 26, 8},
    {"label", "ドラ", 30, 26, 8}, {"label", "バ", 30, 26, 8}, {"label", "トン", 30, 26, 8},
    {"label", "ナン", 30, 26, 8},
};

// The point a sheet label is set at: the largest from its own down that fits.
int fitted_point(QtPlatform& os, const std::string& t, int point, int room) {
  while (point > 6 && os.text_width(t, TextStyle{point, true, kBlack}) > room) --point;
  return point;
}

TEST_F(Fit, SheetLabelsStayInTheirCellsInReadableType) {
  for (const SheetLabel& l : kLabels) {
    const std::string en = os.tr_in(l.context, l.ja);
    SCOPED_TRACE(std::string(l.ja) + " -> " + en);
    ASSERT_NE(en, l.ja) << "no English";
    const int ja_pt = fitted_point(os, l.ja, l.point, l.room);
    const int en_pt = fitted_point(os, en, l.point, l.room);
    // Longer English words may be set smaller than the Japanese, but never
    // below 9 point (12 pixels), nor below the Japanese where that is smaller.
    EXPECT_GE(en_pt, std::min(ja_pt, 9));
    for (double k : {1.0, 2.0, 3.0}) {
      const QFontMetricsF fm(QtPlatform::game_font(en_pt, true, k));
      EXPECT_LE(fm.horizontalAdvance(qs(en)), l.cell_w * k) << "scale " << k;
    }
  }
  // The score caption is set at its own size in a 56-pixel field.
  const std::string points = os.tr("持ち点");
  for (double k : {1.0, 2.0, 3.0})
    EXPECT_LE(QFontMetricsF(QtPlatform::game_font(11, true, k)).horizontalAdvance(qs(points)), 56 * k);
}

}  // namespace
}  // namespace sekiba
