// The picture sheets as the drawing routines rely on them: sizes, masks that match
// their pictures, and tiles that stay distinguishable without the tileset.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "headless/headless_platform.h"
#include "screen/raster.h"
#include "screen/screen.h"
#include "screen/sheets_build.h"

namespace sekiba {
namespace {

using namespace sheet;

class SheetsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    os_ = new HeadlessPlatform();
    scr_ = new Screen();
    for (int i = 0; i < 17; ++i) scr_->iro[std::size_t(i)] = rgb(10 * i, 255 - 10 * i, 128);
    build_sheets(*os_, *scr_);
  }
  static void TearDownTestSuite() {
    delete scr_;
    delete os_;
  }
  static HeadlessPlatform* os_;
  static Screen* scr_;
  const Screen& scr() const { return *scr_; }
};
HeadlessPlatform* SheetsTest::os_ = nullptr;
Screen* SheetsTest::scr_ = nullptr;

std::vector<Pixel> cell(const Surface& s, int x, int y, int w, int h) {
  std::vector<Pixel> out;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.push_back(s.at(x + i, y + j));
  return out;
}

int count_not_black(const Surface& s, int x, int y, int w, int h) {
  int n = 0;
  for (Pixel p : cell(s, x, y, w, h)) n += p != kBlack;
  return n;
}

// Every picture pixel outside its mask must be black, or XOR would paint over
// the table around the shape.
void expect_black_outside(const Surface& s, int mx, int my, int px, int py, int w, int h,
                          const char* what) {
  int leaks = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (s.at(mx + x, my + y) == kWhite && s.at(px + x, py + y) != kBlack) ++leaks;
  EXPECT_EQ(leaks, 0) << what << " at " << px << "," << py;
}

// A mask may hold only pure black and pure white.
void expect_two_tone(const Surface& s, int x, int y, int w, int h, const char* what) {
  int black = 0, white = 0, other = 0;
  for (Pixel p : cell(s, x, y, w, h)) (p == kBlack ? black : p == kWhite ? white : other)++;
  EXPECT_EQ(other, 0) << what;
  EXPECT_GT(black, 0) << what;
}

TEST_F(SheetsTest, SheetsHaveTheirLayoutSizes) {
  struct Size {
    const Surface& s;
    int w, h;
  };
  const Size sizes[] = {
      {scr().PicHAI, 320, 218},   {scr().picHAI2, 320, 218},   {scr().picRON, 100, 280},
      {scr().picHANSU, 80, 290},  {scr().PicBA, 80, 160},      {scr().picHANH, 144, 24},
      {scr().picYAKUNASI, 180, 24}, {scr().picYAKUMEI, 180, 1129}, {scr().picSUJIS, 194, 126},
      {scr().picSUJIH, 240, 24},  {scr().PicMOJI, 30, 255},    {scr().PicBOU, 130, 40},
      {scr().PicWAKU, 48, 136},   {scr().PicMK, 672, 14},      {scr().PicSCORE, 110, 72},
      {scr().PicGAME, 119, 68},   {scr().Pic100, 30, 19},      {scr().picMAI, 24, 126},
      {scr().picBAI, 48, 16},     {scr().PicBAR, 64, 5},       {scr().PicNAGAI, 128, 15},
  };
  for (const Size& z : sizes) {
    EXPECT_EQ(z.s.w, z.w);
    EXPECT_EQ(z.s.h, z.h);
  }
  for (const Surface& icon : scr().picICON) {
    EXPECT_EQ(icon.w, kPointerSize);
    EXPECT_EQ(icon.h, kPointerSize);
  }
}

TEST_F(SheetsTest, TileMasksAreRoundedAndMatchEveryPiece) {
  for (const Surface* s : {&scr().PicHAI, &scr().picHAI2}) {
    expect_two_tone(*s, 0, 0, kTileW, kTileH, "tile mask");
    EXPECT_EQ(s->at(0, 0), kWhite) << "corners are cut round";
    EXPECT_EQ(s->at(kTileW - 1, 0), kWhite);
    EXPECT_EQ(s->at(kTileW / 2, kTileH / 2), kBlack);
    EXPECT_EQ(s->at(0, kTileH / 2), kBlack) << "the tile spans the full width";
  }
  // A standing tile reaches the last row; a flat one leaves it to the table.
  EXPECT_EQ(scr().PicHAI.at(kTileW / 2, kTileH - 1), kBlack);
  EXPECT_EQ(scr().picHAI2.at(kTileW / 2, kTileH - 1), kWhite);

  const Surface& up = scr().PicHAI;
  const Surface& fl = scr().picHAI2;
  for (int d = 0; d < 8; ++d) {
    expect_black_outside(up, 0, 0, 0, kStripY + kStripH * d, kTileW, kStripH, "upright strip");
    expect_black_outside(fl, 0, 40, 0, kStripY2 + kStripH * d, kTileW, kStripH, "flat strip");
    expect_black_outside(up, 0, 0, kTileW * d, kBackY, kTileW, kTileH, "upright back");
    expect_black_outside(fl, 0, 0, kTileW * d, kBackY, kTileW, kTileH, "flat back");
  }
  for (int code = 1; code <= 37; ++code) {
    if (code % 10 == 0) continue;
    const int fx = kTileW * (code % 10), fy = kFaceH * (code / 10);
    expect_black_outside(up, 0, kStripH, fx, fy, kTileW, kFaceH, "upright face");
    expect_black_outside(fl, 0, 0, fx, fy, kTileW, kFaceH, "turned face");
  }
}

TEST_F(SheetsTest, FlatStripLeavesTheLastFaceRowAlone) {
  // The strip of a flat tile is laid one row over the face; its first row must
  // be black so XOR keeps the face there.
  for (int d = 0; d < 8; ++d)
    EXPECT_EQ(count_not_black(scr().picHAI2, 0, kStripY2 + kStripH * d, kTileW, 1), 0) << d;
}

TEST_F(SheetsTest, EveryFaceIsDrawnAndFallbackFacesDiffer) {
  std::set<std::vector<Pixel>> seen;
  for (int code = 1; code <= 37; ++code) {
    if (code % 10 == 0) continue;
    const int fx = kTileW * (code % 10), fy = kFaceH * (code / 10);
    EXPECT_GT(count_not_black(scr().PicHAI, fx, fy, kTileW, kFaceH), kTileW * kFaceH / 2) << code;
    // Honours are text, which the headless platform does not draw; all suit tiles
    // and the white dragon's frame are our own painting.
    if (code < 31 || code == 35) {
      EXPECT_TRUE(seen.insert(cell(scr().PicHAI, fx, fy, kTileW, kFaceH)).second) << code;
    }
  }
}

TEST_F(SheetsTest, TurnedFacesAreTheUprightOnesHalfRound) {
  const int fx = kTileW * 3, fy = kFaceH * 2;  // three of circles
  for (int y = 0; y < kFaceH; ++y)
    for (int x = 0; x < kTileW; ++x)
      ASSERT_EQ(scr().picHAI2.at(fx + x, fy + y),
                scr().PicHAI.at(fx + kTileW - 1 - x, fy + kFaceH - 1 - y));
}

TEST_F(SheetsTest, FaceBordersAreFreeOfTheSymbol) {
  // Flat tiles take three rows at each end of the face from the turned sheet and
  // the middle from the upright one, so those rows must be plain border, the same
  // on every face.
  for (int code : {9, 11, 19, 21, 29, 31, 35, 37}) {
    const int fx = kTileW * (code % 10), fy = kFaceH * (code / 10);
    for (int y : {0, 1, 2, 38, 39, 40})
      for (int x = 0; x < kTileW; ++x)
        EXPECT_EQ(scr().PicHAI.at(fx + x, fy + y), scr().PicHAI.at(kTileW * 1 + x, y))
            << "code " << code << " row " << y;
  }
}

TEST_F(SheetsTest, RedFiveIsRedderThanTheFiveOfCircles) {
  auto redness = [&](int x, int y) {
    long sum = 0;
    for (Pixel p : cell(scr().PicHAI, x, y, kTileW, kFaceH)) sum += red_of(p) - green_of(p);
    return sum;
  };
  EXPECT_GT(redness(kRedFiveX, kRedFiveY), redness(kTileW * 5, kFaceH * 2) + 2000);
  EXPECT_NE(cell(scr().picHAI2, kRedFiveX, kRedFiveY, kTileW, kFaceH),
            cell(scr().picHAI2, kTileW * 5, kFaceH * 2, kTileW, kFaceH));
}

TEST_F(SheetsTest, BackDesignsDifferFromEachOther) {
  for (const Surface* s : {&scr().PicHAI, &scr().picHAI2}) {
    std::set<std::vector<Pixel>> strips, backs;
    const int sy = s == &scr().PicHAI ? kStripY : kStripY2;
    for (int d = 0; d < 8; ++d) {
      strips.insert(cell(*s, 0, sy + kStripH * d, kTileW, kStripH));
      backs.insert(cell(*s, kTileW * d, kBackY, kTileW, kTileH));
    }
    EXPECT_EQ(strips.size(), 8u);
    EXPECT_EQ(backs.size(), 8u);
  }
}

TEST_F(SheetsTest, CalledTileShadeIsCheckeredInsideAndClearOutside) {
  const Surface& s = scr().PicHAI;
  expect_two_tone(s, kCheckerX, kBackY, kTileW, kTileH, "shade");
  EXPECT_EQ(s.at(kCheckerX, kBackY), kWhite);
  const int mx = kCheckerX + kTileW / 2, my = kBackY + kTileH / 2;
  EXPECT_NE(s.at(mx, my), s.at(mx + 1, my));
  EXPECT_NE(s.at(mx, my), s.at(mx, my + 1));
}

TEST_F(SheetsTest, MaskedSheetsCutEveryPictureToTheirMask) {
  struct M {
    const Surface& s;
    int w, h, cells;
    bool across;
  };
  const M sheets[] = {{scr().PicMOJI, kMojiW, kMojiH, kMojiRows, false},
                      {scr().PicMK, kMkW, kMkH, kMkCells, true},
                      {scr().PicBOU, kBouW, kBouH, 10, true},
                      {scr().Pic100, k100W, k100H, 3, true},
                      {scr().PicBAR, kBarW, kBarH, 2, true},
                      {scr().PicNAGAI, kNagaiW, kNagaiH, kNagaiCells, true}};
  for (const M& m : sheets) {
    expect_two_tone(m.s, 0, 0, m.w, m.h, "label mask");
    for (int k = 1; k < m.cells; ++k) {
      const int x = m.across ? m.w * k : 0, y = m.across ? 0 : m.h * k;
      expect_black_outside(m.s, 0, 0, x, y, m.w, m.h, "label");
      EXPECT_GT(count_not_black(m.s, x, y, m.w, m.h), m.w * m.h / 3) << "cell " << k;
    }
  }
}

TEST_F(SheetsTest, SticksCanBeToldApart) {
  std::set<std::vector<Pixel>> sticks;
  for (int c = 1; c <= 9; ++c) sticks.insert(cell(scr().PicBOU, kBouW * c, 0, kBouW, kBouH));
  EXPECT_EQ(sticks.size(), 9u);
}

TEST_F(SheetsTest, FramePiecesTakeTheColourOfTheirRow) {
  const Surface& w = scr().PicWAKU;
  // The edge piece of a row crosses the piece in its middle rows; its ends are
  // transparent so the fill of the box shows.
  for (int row = 1; row < kWakuRows; ++row) {
    const int y = kWakuPiece * row;
    EXPECT_EQ(w.at(kWakuPiece * kHorz + 4, y), kPointerTransparent);
    EXPECT_NE(w.at(kWakuPiece * kHorz + 4, y + 3), kPointerTransparent);
    EXPECT_EQ(w.at(kWakuPiece * kHorz + 4, y + 7), kPointerTransparent);
    EXPECT_EQ(w.at(kWakuPiece * kTL + 7, y + 7), kPointerTransparent) << "inside shows the fill";
    EXPECT_EQ(w.at(kWakuPiece * kTL + 0, y + 0), kPointerTransparent) << "round corner";
  }
  EXPECT_NE(w.at(kWakuPiece * kHorz + 4, 8 * 2 + 3), w.at(kWakuPiece * kHorz + 4, 8 * 5 + 3));
}

TEST_F(SheetsTest, PointersHaveTransparentSurroundAndAPicture) {
  for (const Surface& icon : scr().picICON) {
    int clear = 0;
    for (Pixel p : icon.px) clear += p == kPointerTransparent;
    EXPECT_GT(clear, 100);
    EXPECT_LT(clear, kPointerSize * kPointerSize - 150);
  }
  EXPECT_EQ(scr().picICON[1].at(0, 0), kPointerTransparent);
}

}  // namespace
}  // namespace sekiba

namespace sekiba {
namespace {

// A screen whose sheets were built at scale k and nowhere else.
void built_at(HeadlessPlatform& os, Screen& s, double k) {
  for (int i = 0; i < 17; ++i) s.iro[std::size_t(i)] = rgb(10 * i, 255 - 10 * i, 128);
  set_screen_scale(os, s, k);
}

TEST(SheetCache, AScaleShownBeforeGetsItsOwnSheetsBackAndOnlyThreeAreKept) {
  HeadlessPlatform os;
  Screen s;
  for (int i = 0; i < 17; ++i) s.iro[std::size_t(i)] = rgb(10 * i, 255 - 10 * i, 128);
  build_sheets(os, s);
  EXPECT_FALSE(sheets_ready(s, 2));
  set_screen_scale(os, s, 2);
  set_screen_scale(os, s, 1.5);
  EXPECT_TRUE(sheets_ready(s, 1));
  EXPECT_TRUE(sheets_ready(s, 2));
  EXPECT_TRUE(sheets_ready(s, 1.5));
  EXPECT_FALSE(sheets_ready(s, 3));

  // Back at 2: the same pictures as sheets made at 2 from the start.
  set_screen_scale(os, s, 2);
  Screen fresh;
  built_at(os, fresh, 2);
  EXPECT_EQ(s.PicHAI.px, fresh.PicHAI.px);
  EXPECT_EQ(s.picYAKUMEI.px, fresh.picYAKUMEI.px);
  EXPECT_EQ(s.picICON[3].px, fresh.picICON[3].px);
  EXPECT_DOUBLE_EQ(s.PicMK.k, 2);

  // Scales 1, 1.5 kept; 2.5 and 3 push the oldest (1) out.
  set_screen_scale(os, s, 2.5);
  set_screen_scale(os, s, 3);
  EXPECT_FALSE(sheets_ready(s, 1));
  for (double k : {1.5, 2.0, 2.5, 3.0}) EXPECT_TRUE(sheets_ready(s, k)) << k;

  drop_sheet_cache(s);
  EXPECT_FALSE(sheets_ready(s, 2.5));
  EXPECT_TRUE(sheets_ready(s, 3));  // the sheets in use stay
}

}  // namespace
}  // namespace sekiba
