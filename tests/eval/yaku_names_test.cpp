#include <gtest/gtest.h>

#include "eval/yaku.h"
#include "eval/yaku_test_hand.h"
#include "screen/screen.h"
#include "test_game.h"

namespace sekiba {
namespace {

// Sheets whose images are told apart by colour: name image k, digit n, word w.
Pixel name_colour(int k) { return rgb(200, k, 1); }
Pixel digit_colour(int n) { return rgb(1, 200, n); }
Pixel word_colour(int w) { return rgb(w, 1, 200); }

class YakuAnnounce : public ::testing::Test {
 protected:
  test::TestGame tg;
  Game& g = tg.g;

  void SetUp() override {
    g.scr.picYAKUMEI = Surface(sheet::kYakuW, sheet::kYakuH * sheet::kYakuCount);
    for (int k = 0; k < sheet::kYakuCount; ++k)
      for (int y = 0; y < sheet::kYakuH; ++y)
        for (int x = 0; x < sheet::kYakuW; ++x) g.scr.picYAKUMEI.at(x, sheet::kYakuH * k + y) = name_colour(k);
    g.scr.picSUJIH = Surface(10 * sheet::kSujihW, sheet::kSujihH);
    for (int x = 0; x < g.scr.picSUJIH.w; ++x)
      for (int y = 0; y < sheet::kSujihH; ++y) g.scr.picSUJIH.at(x, y) = digit_colour(x / sheet::kSujihW);
    g.scr.picHANH = Surface(3 * sheet::kHanhW, sheet::kHanhH);
    for (int x = 0; x < g.scr.picHANH.w; ++x)
      for (int y = 0; y < sheet::kHanhH; ++y) g.scr.picHANH.at(x, y) = word_colour(x / sheet::kHanhW);
  }
  Pixel at_cell(int col, int row) const { return g.scr.win.at(8 * col + 1, 8 * row + 1); }
  std::string voice(const char* name) const { return g.path(std::string(name) + ".wav"); }
};

TEST_F(YakuAnnounce, EachLineDrawsTheNameThreeRowsLowerAndCountsTheWinner) {
  g.t.agari_pl = 1;
  std::int16_t image = 31, code = 35;
  yaku_mei(g, image, code);
  EXPECT_EQ(g.scr.yaku_y, 23);
  EXPECT_EQ(at_cell(11, 23), name_colour(31));
  pr_han(g, 1);
  EXPECT_EQ(at_cell(11 + 21, 23), digit_colour(1));
  EXPECT_EQ(at_cell(11 + 24, 23), word_colour(0));
  g.t.agari_pl = 2;
  image = 3, code = 3;
  yaku_mei(g, image, code);
  yakuman_sub(g, 3);
  EXPECT_EQ(g.scr.yaku_y, 26);
  EXPECT_EQ(at_cell(11, 26), name_colour(3));
  EXPECT_EQ(at_cell(11 + 23, 26), word_colour(1));
  EXPECT_EQ(g.yaku.yaku_cnt[0][35], 1);
  EXPECT_EQ(g.yaku.yaku_cnt[1][3], 1);
  EXPECT_EQ(tg.os.sounds, std::vector<std::string>{voice("\\sekiba_yaku_suan")});
}

TEST_F(YakuAnnounce, DoraAndRedFivesMakeTwoLinesOfOneCount) {
  g.s.settei[7] = 1;
  g.s.settei[6] = 0;
  g.t.dora = 25;
  g.t.man_rechi = 3;
  test::put_win(g, {.pl = 1, .kind = 2, .agari = 2, .sets = {{1, 1}, {13, 1}, {25, 1}, {29, 2}}, .head = 11});
  g.yaku.yaku_str = "yakusuu ";
  EXPECT_EQ(yaku_hantei(g), 3);
  EXPECT_EQ(g.yaku.yaku_str, "yakusuu  04301" "48 1" "50 1");
  EXPECT_EQ(at_cell(11, 23), name_colour(39));
  EXPECT_EQ(at_cell(11, 26), name_colour(44));
  EXPECT_EQ(at_cell(11, 29), name_colour(46));
  EXPECT_EQ(g.yaku.yaku_cnt[0][48], 2);
  EXPECT_EQ(tg.os.sounds.back(), voice("\\sekiba_yaku_dora"));
}

TEST_F(YakuAnnounce, HanOfTenOrMoreShowsBothDigits) {
  g.scr.yaku_y = 23;
  pr_han_2(g, 12);
  EXPECT_EQ(at_cell(11 + 18, 23), digit_colour(1));
  EXPECT_EQ(at_cell(11 + 21, 23), digit_colour(2));
}

TEST_F(YakuAnnounce, VoicesAreSharedWhereTheTableSaysAndMissingElsewhere) {
  yakumei_out(g, 45);
  yakumei_out(g, 46);
  yakumei_out(g, 48);
  yakumei_out(g, 50);
  yakumei_out(g, 10);
  yakumei_out(g, 19);
  yakumei_out(g, 51);
  yakuman_sub(g, 14);
  yakuman_sub(g, 16);
  EXPECT_EQ(tg.os.sounds, (std::vector<std::string>{voice("\\sekiba_yaku_haitei"), voice("\\sekiba_yaku_haitei"),
                                                     voice("\\sekiba_yaku_dora"), voice("\\sekiba_yaku_dora"),
                                                     voice("\\sekiba_yaku_koku13")}));
  tg.os.sounds.clear();
  g.s.settei[12] = 1;  // sound off
  yakumei_out(g, 36);
  EXPECT_TRUE(tg.os.sounds.empty());
}

TEST_F(YakuAnnounce, CountsStopAtTheTopOfTheirRangeAndStrayCodesCountNothing) {
  g.t.agari_pl = 1;
  g.yaku.yaku_cnt[0][47] = 32767;
  std::int16_t image = 43, code = 47;
  yaku_mei(g, image, code);
  EXPECT_EQ(g.yaku.yaku_cnt[0][47], 32767);
  // A LAN partner may send any code: a line is opened, nothing is indexed out of range.
  image = 95, code = 99;
  yaku_mei(g, image, code);
  image = -5, code = -1;
  yaku_mei(g, image, code);
  pr_han(g, -3);
  yakuman_sub(g, 99);
  EXPECT_EQ(g.scr.yaku_y, 29);
}

}  // namespace
}  // namespace sekiba
