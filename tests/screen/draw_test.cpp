// Pixel tests of the drawing routines against sheets whose cells have known colours.
#include "screen/draw.h"

#include <gtest/gtest.h>

#include "screen/raster.h"
#include "test_game.h"

namespace sekiba {
namespace {

using namespace sheet;

Pixel face_colour(int code, bool reversed) { return rgb(code * 5, reversed ? 200 : 100, 30); }
constexpr Pixel kRedFive = rgb(250, 1, 1);

struct DrawTest : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;

  DrawTest() {
    fill_iro(g);
    build_sheets(g.os, g.scr);
    // Tile sheets of plain colours: a solid black mask and strips, one colour per face.
    for (Surface* s : {&g.scr.PicHAI, &g.scr.picHAI2}) {
      const bool rev = s == &g.scr.picHAI2;
      *s = Surface(kHaiW, kHaiH, kWhite);
      fill_rect(*s, 0, 0, kTileW, kTileH, kBlack);
      fill_rect(*s, 0, kStripY, kTileW, 8 * kStripH + 2, kBlack);
      for (int c = 1; c <= 37; ++c)
        if (is_tile(c)) fill_rect(*s, kTileW * (c % 10), kFaceH * (c / 10), kTileW, kFaceH, face_colour(c, rev));
      fill_rect(*s, kRedFiveX, kRedFiveY, kTileW, kFaceH, kRedFive);
    }
    // A background that differs at every pixel.
    for (int y = 0; y < kScreenH; ++y)
      for (int x = 0; x < kScreenW; ++x) g.scr.PicHAIKEI.at(x, y) = rgb(x % 256, y % 256, (x + y) % 256);
    g.scr.win.fill(kBlack);
  }

  Pixel at_grid(int col, int row, int dx, int dy) { return g.scr.win.at(8 * col + dx, 8 * row + dy); }

  bool shows_background(int x, int y, int w, int h) {
    for (int yy = y; yy < y + h; ++yy)
      for (int xx = x; xx < x + w; ++xx)
        if (g.scr.win.at(xx, yy) != g.scr.PicHAIKEI.at(xx, yy)) return false;
    return true;
  }
};

TEST_F(DrawTest, TileModesTakeFaceAndStripFromTheRightSheet) {
  hai_put(g, 12, 10, 20, 0);
  EXPECT_EQ(at_grid(10, 20, 5, 13 + 20), face_colour(12, false));
  EXPECT_EQ(at_grid(10, 20, 5, 5), kBlack);  // strip on top
  hai_put(g, 12, 20, 20, 1);
  EXPECT_EQ(at_grid(20, 20, 5, 20), face_colour(12, true));
  EXPECT_EQ(at_grid(20, 20, 5, 47), kBlack);  // strip at the bottom
  hai_put(g, 12, 30, 20, 2);
  EXPECT_EQ(at_grid(30, 20, 5, 1), face_colour(12, true));    // border band from the turned sheet
  EXPECT_EQ(at_grid(30, 20, 5, 20), face_colour(12, false));  // picture upright
  EXPECT_EQ(at_grid(30, 20, 5, 39), face_colour(12, true));
}

TEST_F(DrawTest, EmptyCodeErasesToTheBackground) {
  hai_put(g, 31, 7, 43, 0);
  ASSERT_FALSE(shows_background(56, 344, kTileW, kTileH));
  hai_put(g, kEmpty, 7, 43, 0);
  EXPECT_TRUE(shows_background(56, 344, kTileW, kTileH));
  EXPECT_EQ(g.scr.win.at(56 + kTileW, 344), kBlack);  // nothing beside the place
}

TEST_F(DrawTest, RedFiveOnlyForFiveOfCirclesWithTheSetting) {
  g.s.settei[7] = 1;
  hai_put(g, 25, 3, 43, 0);
  EXPECT_EQ(at_grid(3, 43, 10, 30), kRedFive);
  for (int code : {5, 15, 24, 26}) {
    hai_put(g, code, 3, 43, 0);
    EXPECT_EQ(at_grid(3, 43, 10, 30), face_colour(code, false)) << code;
  }
  g.s.settei[7] = 0;
  hai_put(g, 25, 3, 43, 0);
  EXPECT_EQ(at_grid(3, 43, 10, 30), face_colour(25, false));
  g.s.settei[7] = 1;
  hai_put(g, 25, 3, 43, 1);
  EXPECT_EQ(at_grid(3, 43, 10, 20), kRedFive);
}

TEST_F(DrawTest, CalledMarkDarkensWithoutErasing) {
  hai_put(g, 7, 3, 29, 0);
  const Pixel before = at_grid(3, 29, 10, 30);
  hai_put(g, kCalledMark, 3, 29, 0);
  const Pixel after = at_grid(3, 29, 10, 30);
  EXPECT_EQ(after & before, after);  // only bits taken away
}

Pixel digit_colour(int k, int row) { return rgb(10 * k + 1, 20 * row + 1, 7); }

TEST_F(DrawTest, NegativeScoreIsDrawnWithoutSignInTheBlueRow) {
  for (int row = 0; row < kSujiRows; ++row)
    for (int k = 0; k < 12; ++k)
      fill_rect(g.scr.picSUJIS, kSujiW * k, kSujiH * row, kSujiW, kSujiH, digit_colour(k, row));
  auto cell = [&](int i) { return g.scr.win.at(8 * 42 + kSujiStep * i + 1, 8 * 24 + 5); };

  g.t.man_ten = -15;
  pr_score(g);
  EXPECT_EQ(cell(5), digit_colour(11, 1));  // the minus sign is a blank cell
  EXPECT_EQ(cell(6), digit_colour(1, 1));
  EXPECT_EQ(cell(7), digit_colour(5, 1));
  EXPECT_EQ(cell(8), digit_colour(0, 1));
  EXPECT_EQ(cell(9), digit_colour(0, 1));

  g.t.man_ten = 0;  // below 1 is blue too
  pr_score(g);
  EXPECT_EQ(cell(9), digit_colour(0, 1));
  EXPECT_EQ(cell(8), digit_colour(11, 1));

  g.t.man_ten = 12345;
  pr_score(g);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(cell(i), digit_colour(11, 0)) << i;
  EXPECT_EQ(cell(3), digit_colour(1, 0));
  EXPECT_EQ(cell(7), digit_colour(5, 0));
}

TEST_F(DrawTest, SmallNumbersAreRightAligned) {
  for (int k = 0; k < 12; ++k) fill_rect(g.scr.picSUJIS, kSujiW * k, kSujiH * 2, kSujiW, kSujiH, digit_colour(k, 2));
  pr_suji_3(g, 7, 10, 10, 2);
  EXPECT_EQ(g.scr.win.at(80 + 1, 85), digit_colour(11, 2));
  EXPECT_EQ(g.scr.win.at(80 + 2 * kSujiStep + 1, 85), digit_colour(7, 2));
  pr_suji_1(g, 12, 10, 20, 2);  // too wide: the last digit shows
  EXPECT_EQ(g.scr.win.at(81, 165), digit_colour(2, 2));
}

TEST_F(DrawTest, RiichiSticksAreGroupedByValue) {
  for (int c = 1; c < kBouCells; ++c)
    fill_rect(g.scr.PicBOU, kBouW * c, 0, kBouW, kBouH, rgb(20 * c, 3, 3));
  fill_rect(g.scr.PicBOU, 0, 0, kBouW, kBouH, kBlack);
  auto stick = [&](int n) { return g.scr.win.at(8 * (61 + n) + 1, 8 * 22 + 20); };

  g.t.rechi_bou = 11;
  pr_bou(g);
  EXPECT_EQ(stick(0), rgb(20 * 9, 3, 3));  // one 10,000 stick
  EXPECT_EQ(stick(1), rgb(20 * 7, 3, 3));  // one 1,000 stick
  EXPECT_TRUE(shows_background(8 * 63 + 2, 8 * 22, 8, kBouH));

  g.t.rechi_bou = 99;  // at most 50 count: five 10,000 sticks
  pr_bou(g);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(stick(i), rgb(20 * 9, 3, 3)) << i;
  EXPECT_TRUE(shows_background(8 * 66 + 2, 8 * 22, 8, kBouH));

  g.t.rechi_bou = 7;
  pr_bou(g);
  EXPECT_EQ(stick(0), rgb(20 * 8, 3, 3));  // 5,000
  EXPECT_EQ(stick(1), rgb(20 * 7, 3, 3));
  EXPECT_EQ(stick(2), rgb(20 * 7, 3, 3));
  EXPECT_TRUE(shows_background(8 * 64 + 2, 8 * 22, 8, kBouH));
}

TEST_F(DrawTest, ScreenBandPushAndPopRestoreExactly) {
  for (std::size_t i = 0; i < g.scr.win.px.size(); ++i) g.scr.win.px[i] = rgb(int(i * 7), int(i * 13), int(i));
  const Surface before = g.scr.win;
  gvram_push(g, 3, 10);
  gbox_r(g, 2, 4, 70, 25, 12, 15, 1);
  disp_gr2(g, 10, 10, "テスト", 3, 1);
  g.scr.win.at(0, 200) = kWhite;  // outside the band: stays changed
  gvram_pop(g, 3, 10);
  for (int y = 48; y < 160; ++y)
    for (int x = 0; x < kScreenW; ++x) ASSERT_EQ(g.scr.win.at(x, y), before.at(x, y)) << x << "," << y;
  EXPECT_EQ(g.scr.win.at(0, 200), kWhite);
}

TEST_F(DrawTest, BlinkingHidesAndShowsEveryCopy) {
  for (int i = 1; i <= 12; ++i) g.t.man_sute[i] = Tile(i == 2 || i == 12 ? 5 : 11 + i % 9);
  g.t.man_junme = 13;
  g.s.settei[17] = 0;
  const int places[][2] = {{7, 29}, {7, 36}};  // discard 2 and discard 12 (second row)
  tenmetu(g, 5, 1);
  for (auto& p : places) EXPECT_EQ(at_grid(p[0], p[1], 10, 30), face_colour(5, false));
  EXPECT_EQ(at_grid(3, 29, 10, 30), kBlack);  // other discards untouched
  tenmetu(g, 5, 0);
  for (auto& p : places) EXPECT_TRUE(shows_background(8 * p[0], 8 * p[1], kTileW, kTileH));
}

TEST_F(DrawTest, BoxFillsItsInsideAndDropsAShadow) {
  gbox_r(g, 10, 10, 20, 15, 13, 0, 1);
  EXPECT_EQ(g.scr.win.at(8 * 15, 8 * 12), g.scr.iro[13]);
  // The shadow lies two pixels right of and below the frame line.
  g.scr.win.fill(kWhite);
  gbox_r(g, 10, 10, 20, 15, 7, 0, 1);
  EXPECT_LT(red_of(g.scr.win.at(8 * 20 + 7, 8 * 13)), 255);
  EXPECT_LT(red_of(g.scr.win.at(8 * 15, 8 * 15 + 7)), 255);
  EXPECT_EQ(g.scr.win.at(8 * 21 + 1, 8 * 13), kWhite);
  EXPECT_EQ(g.scr.win.at(8 * 20 + 7, 8 * 10), kWhite);  // not beside the top corner
  g.scr.win.fill(kWhite);
  gbox_r(g, 10, 10, 20, 15, 7, 0, 0);
  EXPECT_EQ(g.scr.win.at(8 * 20 + 7, 8 * 13), kWhite);
}

TEST_F(DrawTest, HandCounterShowsSeriesOrTurn) {
  // Only checks that both forms draw inside the box and leave the markers row clean
  // beyond the repeat count.
  g.t.honba = 3;
  g.t.oya = 2;
  pr_kyoku(g);
  EXPECT_TRUE(shows_background(8 * (1 + 3) + k100W, 8 * 53, 8 * 40, k100H));
  g.t.honba = 0;
  pr_honba(g);
  EXPECT_TRUE(shows_background(8, 8 * 53, 8 * 50, k100H));
}

}  // namespace
}  // namespace sekiba
