// The labels that are copied opaque onto the table: result and han plates, the
// seat plates, the yaku names and han words of the yaku list, digits, the score
// caption and the title logo. Those that sit in the white boxes of the table get a
// white ground; the plates carry their own frame.
#include <array>
#include <string>

#include "screen/sheets_art.h"
#include "screen/raster.h"
#include "screen/sheets_build.h"

namespace sekiba::sheets {

using namespace sheet;
using art::darker;
using art::lighter;

namespace {

constexpr Pixel kNavy = rgb(24, 36, 92);
constexpr Pixel kCrimson = rgb(186, 20, 40);

struct Look {
  Pixel top, bottom;
};

// A bright framed plate filling its whole cell, with outlined white text.
void plate_label(Platform& os, Surface& s, int x, int y, int w, int h, const std::string& t,
                 Look look, int point) {
  const Pixel frame = darker(look.bottom, 0.55);
  fill_rect(s, x, y, w, h, frame);
  art::plate(s, RectF{x + 2.0, y + 2.0, w - 4.0, h - 4.0}, 4, lighter(look.top, 0.1), look.bottom);
  // A gloss over the upper half.
  art::plate(s, RectF{x + 4.0, y + 3.0, w - 8.0, (h - 6.0) / 2}, 3, lighter(look.top, 0.45),
             lighter(look.top, 0.12));
  art::outlined_text(os, s, RectF{double(x), y + 1.0, double(w), double(h)}, t,
                     art::fit_point(os, t, point, w - 10), kWhite, darker(look.bottom, 0.6), 1);
}

// Text on white, left-aligned with a small margin.
void white_label(Platform& os, Surface& s, int x, int y, int w, int h, const std::string& t,
                 int point, Pixel c, bool centred = false) {
  fill_rect(s, x, y, w, h, kWhite);
  point = art::fit_point(os, t, point, w - 8);
  if (centred) {
    art::text_in(os, s, RectF{double(x), double(y), double(w), double(h)}, t, point, c);
    return;
  }
  const int tw = os.text_width(t, art::style(point, c));
  art::text_in(os, s, RectF{x + 6.0, double(y), double(tw), double(h)}, t, point, c);
}

void build_plates(Platform& os, Screen& scr) {
  scr.picRON = Surface(kRonW, 280, scr.k, kBlack);
  const std::array<const char*, 7> ron = {N_("ツモ"),     N_("ロン"),     N_("聴牌"),    N_("流局"),
                                          N_("フリテン"), N_("点数不足"), N_("どぼん！")};
  const std::array<Look, 7> ron_look = {{{rgb(255, 182, 52), rgb(214, 92, 8)},
                                         {rgb(255, 96, 86), rgb(186, 16, 30)},
                                         {rgb(96, 176, 255), rgb(18, 78, 192)},
                                         {rgb(160, 180, 200), rgb(64, 84, 116)},
                                         {rgb(206, 128, 255), rgb(106, 36, 168)},
                                         {rgb(232, 168, 96), rgb(136, 76, 26)},
                                         {rgb(255, 92, 170), rgb(150, 8, 82)}}};
  for (int k = 0; k < 7; ++k)
    plate_label(os, scr.picRON, 0, kRonH * k, kRonW, kRonH, os.tr(ron[std::size_t(k)]),
                ron_look[std::size_t(k)], 20);

  scr.picHANSU = Surface(kHansuW, 290, scr.k, kBlack);
  const std::array<const char*, 9> hansu = {N_("1ハン"), N_("2ハン"),  N_("3ハン"),
                                            N_("4ハン"), N_("満貫"),   N_("ハネ満"),
                                            N_("倍満"),  N_("三倍満"), N_("役満")};
  const std::array<Look, 9> hansu_look = {{{rgb(110, 210, 170), rgb(16, 120, 90)},
                                           {rgb(110, 210, 170), rgb(16, 120, 90)},
                                           {rgb(110, 196, 230), rgb(16, 96, 150)},
                                           {rgb(110, 196, 230), rgb(16, 96, 150)},
                                           {rgb(255, 214, 80), rgb(196, 126, 0)},
                                           {rgb(255, 170, 70), rgb(206, 80, 0)},
                                           {rgb(255, 110, 100), rgb(182, 20, 30)},
                                           {rgb(214, 120, 255), rgb(110, 30, 170)},
                                           {rgb(255, 226, 90), rgb(200, 30, 40)}}};
  for (int k = 0; k < 9; ++k)
    plate_label(os, scr.picHANSU, 0, kHansuH * k, kHansuW, kHansuH, os.tr(hansu[std::size_t(k)]),
                hansu_look[std::size_t(k)], 16);

  scr.PicBA = Surface(kBaW, 160, scr.k, kBlack);
  const std::array<const char*, 5> ba = {N_("東"), N_("南"), N_("あなた"), N_("あいて"), N_("勝ち！")};
  const std::array<Look, 5> ba_look = {{{rgb(255, 100, 90), rgb(176, 18, 28)},
                                        {rgb(100, 160, 255), rgb(20, 60, 170)},
                                        {rgb(120, 214, 120), rgb(20, 120, 40)},
                                        {rgb(170, 150, 230), rgb(70, 50, 150)},
                                        {rgb(255, 220, 80), rgb(206, 110, 0)}}};
  for (int k = 0; k < 5; ++k)
    plate_label(os, scr.PicBA, 0, kBaH * k, kBaW, kBaH, os.tr(ba[std::size_t(k)]),
                ba_look[std::size_t(k)], k < 2 ? 18 : 15);
}

// Image k of the name sheet: yakuman code k for k < 16, yaku code k + 4 after. The
// cell is wide, but the han digits are laid over it from 144 pixels on: a name in
// another language takes its short table form, which ends before them.
std::array<std::string, kYakuCount> yaku_names(const Platform& os) {
  return {
      os.tr_in("table", "十三不塔"), os.tr_in("table", "国士無双"), os.tr_in("table", "四槓子"),
      os.tr_in("table", "四暗刻"), os.tr_in("table", "大三元"), os.tr_in("table", "字一色"),
      os.tr_in("table", "清老頭"), os.tr_in("table", "大四喜"), os.tr_in("table", "小四喜"),
      os.tr_in("table", "緑一色"), os.tr_in("table", "天和"), os.tr_in("table", "地和"),
      os.tr_in("table", "九連宝燈"), os.tr_in("table", "大車輪"), os.tr_in("table", "国士１３面"),
      os.tr_in("table", "四暗単騎"), os.tr_in("table", "清一色"), os.tr_in("table", "混一色"),
      os.tr_in("table", "二盃口"), os.tr_in("table", "純チャン"), os.tr_in("table", "七対子"),
      os.tr_in("table", "小三元"), os.tr_in("table", "三槓子"), os.tr_in("table", "三暗刻"),
      os.tr_in("table", "混老頭"), os.tr_in("table", "三色同刻"), os.tr_in("table", "対々和"),
      os.tr_in("table", "チャンタ"), os.tr_in("table", "一気通貫"), os.tr_in("table", "三色同順"),
      os.tr_in("table", "一盃口"), os.tr_in("table", "タンヤオ"), os.tr_in("table", "平和"),
      os.tr_in("table", "トン"), os.tr_in("table", "ナン"), os.tr_in("table", "ハク"),
      os.tr_in("table", "ハツ"), os.tr_in("table", "チュン"), os.tr_in("table", "ダブルリーチ"),
      os.tr_in("table", "リーチ"), os.tr_in("table", "イッパツ"), os.tr_in("table", "ハイテイフリコミ"),
      os.tr_in("table", "ハイテイツモ"), os.tr_in("table", "ツモ"), os.tr_in("table", "ドラ"),
      os.tr_in("table", "嶺山開花"), os.tr_in("table", "赤ウーピン"),
  };
}

void build_yaku_list(Platform& os, Screen& scr) {
  scr.picHANH = Surface(144, kHanhH, scr.k, kBlack);
  white_label(os, scr.picHANH, 0, 0, kHanhW, kHanhH, os.tr("ハン"), 13, kNavy, true);
  // The han column is narrow: a language may have a shorter word for it there.
  white_label(os, scr.picHANH, kHanhW, 0, kHanhW, kHanhH, os.tr_in("han", "役満"), 13, kCrimson, true);
  white_label(os, scr.picHANH, 2 * kHanhW, 0, kHanhW, kHanhH, os.tr("2倍"), 13, kCrimson, true);

  scr.picYAKUNASI = Surface(kYakuW, kYakuH, scr.k, kBlack);
  white_label(os, scr.picYAKUNASI, 0, 0, kYakuW, kYakuH, os.tr("役無し"), 14, kCrimson);

  scr.picYAKUMEI = Surface(kYakuW, 1129, scr.k, kWhite);
  const auto names = yaku_names(os);
  for (int k = 0; k < kYakuCount; ++k)
    white_label(os, scr.picYAKUMEI, 0, kYakuH * k, kYakuW, kYakuH, names[std::size_t(k)],
                14, k < 16 ? kCrimson : kNavy);

  scr.picSUJIH = Surface(240, kSujihH, scr.k, kBlack);
  for (int n = 0; n < 10; ++n)
    white_label(os, scr.picSUJIH, kSujihW * n, 0, kSujihW, kSujihH, std::to_string(n), 16, kNavy,
                true);

  scr.picBAI = Surface(kBaiW, kBaiH, scr.k, kBlack);
  white_label(os, scr.picBAI, 0, 0, kBaiW, kBaiH, "×2", 11, kCrimson, true);
}

void build_digits(Platform& os, Screen& scr) {
  // Digits are laid 13 pixels apart, so each glyph keeps to the first 13 columns
  // of its cell; the rest is white and may be covered by the next digit.
  scr.picSUJIS = Surface(194, kSujiH * kSujiRows, scr.k, kWhite);
  scr.picMAI = Surface(kMaiW * kMaiCells, kMaiH * kSujiRows, scr.k, kWhite);
  const std::array<const char*, kMaiCells> seps = {"/", ":", "-"};
  for (int row = 0; row < kSujiRows; ++row) {
    const Pixel c = digit_colour(row);
    for (int k = 0; k <= kSujiT; ++k) {
      const std::string t = k == kSujiT ? "T" : std::to_string(k);
      art::text_in(os, scr.picSUJIS, RectF{0.0 + kSujiW * k, double(kSujiH * row), 13.0, 18.0}, t,
                   12, c);
    }
    for (int k = 0; k < kMaiCells; ++k)
      art::text_in(os, scr.picMAI, RectF{double(kMaiW * k), double(kMaiH * row), 8.0, 18.0},
                   seps[std::size_t(k)], 11, c);
  }
}

void build_captions(Platform& os, Screen& scr) {
  scr.PicSCORE = Surface(kScoreW, kScoreH * 4, scr.k, kWhite);
  const std::array<Pixel, 4> ink = {kNavy, kCrimson, rgb(16, 118, 84), rgb(120, 50, 160)};
  for (int v = 0; v < 4; ++v) {
    const int y = kScoreH * v;
    Surface& s = scr.PicSCORE;
    const Pixel c = ink[std::size_t(v)];
    art::text_in(os, s, RectF{0, double(y), 56, double(kScoreH)}, os.tr("持ち点"), 11, c);
    art::text_in(os, s, RectF{56, y + 1.0, 54, double(kScoreH)}, "SCORE", 9, lighter(c, 0.35));
    fill_rect(s, 4, y + kScoreH - 2, kScoreW - 8, 1, lighter(c, 0.55));
  }

  scr.PicGAME = Surface(kGameW, kGameH * 2, scr.k, kWhite);
  const std::array<Look, 2> looks = {{{rgb(70, 190, 140), rgb(8, 96, 70)},
                                      {rgb(236, 90, 80), rgb(128, 14, 30)}}};
  const std::array<Pixel, 2> letters = {rgb(255, 246, 200), rgb(255, 222, 110)};
  const std::string name = os.tr("翠嶺牌戯");
  for (int v = 0; v < 2; ++v) {
    const int y = kGameH * v;
    const Look l = looks[std::size_t(v)];
    art::framed_plate(scr.PicGAME, RectF{1, y + 1.0, kGameW - 2.0, kGameH - 2.0}, 7, 2,
                      darker(l.bottom, 0.5), l.top, l.bottom);
    art::plate(scr.PicGAME, RectF{5, y + 4.0, kGameW - 10.0, 11}, 5, lighter(l.top, 0.4),
               lighter(l.top, 0.1));
    art::outlined_text(os, scr.PicGAME, RectF{0, y + 1.0, double(kGameW), double(kGameH)},
                       name, art::fit_point(os, name, 18, kGameW - 14), letters[std::size_t(v)],
                       darker(l.bottom, 0.55), 2);
  }
}

}  // namespace

Pixel digit_colour(int row) {
  static constexpr std::array<Pixel, kSujiRows> k = {
      rgb(214, 28, 40),  // red
      rgb(28, 76, 206),  // blue
      rgb(16, 140, 56),  // green
      rgb(206, 150, 0),  // yellow, deep enough to read on white
      rgb(196, 28, 164), // magenta
      rgb(236, 112, 0),  // orange
      rgb(0, 136, 140),  // teal
  };
  return k[std::size_t(row) % k.size()];
}

void build_labels(Platform& os, Screen& scr) {
  build_plates(os, scr);
  build_yaku_list(os, scr);
  build_digits(os, scr);
  build_captions(os, scr);
}

}  // namespace sekiba::sheets
