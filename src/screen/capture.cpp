#include "screen/capture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "engine/game.h"
#include "engine/waits.h"
#include "platform/fileio.h"
#include "platform/text_args.h"
#include "screen/raster.h"
#include "screen/screen.h"
#include "screen/sheets_art.h"
#include "version.h"

namespace sekiba {

std::string general_date(const LocalTime& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

Surface capturewindow(Game& g) {
  Surface cap(kCaptureW, kCaptureH, kWhite);
  // The picture is always the table's own 640 x 480: a window drawn at a larger
  // scale is reduced by averaging, so the file is the same at every window size.
  const Surface& win = g.scr.win;
  if (win.k == 1) blit(cap, 0, 0, win, 0, 0, kCaptureW, kCaptureH, Rop::Copy);
  else blit(cap, 0, 0, resample(win, kScreenW, kScreenH), 0, 0, kCaptureW, kCaptureH, Rop::Copy);
  // A 12-pixel line along y = 436 from x = 400 to 620, with round ends.
  g.os.draw_thick_line(cap, {400, 436}, {620, 436}, 12, kWhite);
  fill_rect(cap, 400, 430, 221, 12, kWhite);
  // The stamp is part of the saved file, the same in every language.
  g.os.draw_text(cap, 400, 430, "翠嶺牌戯 " + general_date(g.os.local_time()),
                 TextStyle{10, true, kBlack});
  return cap;
}

std::string encode_bmp(const Surface& s) {
  const std::size_t stride = (std::size_t(s.w) * 3 + 3) & ~std::size_t(3);
  const std::size_t image = stride * std::size_t(s.h);
  std::string out(54 + image, '\0');
  auto put32 = [&](std::size_t o, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[o + std::size_t(i)] = char((v >> (8 * i)) & 0xFF);
  };
  auto put16 = [&](std::size_t o, std::uint16_t v) {
    out[o] = char(v & 0xFF);
    out[o + 1] = char(v >> 8);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, std::uint32_t(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, std::uint32_t(s.w));
  put32(22, std::uint32_t(s.h));
  put16(26, 1);
  put16(28, 24);
  put32(34, std::uint32_t(image));
  put32(38, 3780);  // 96 dpi
  put32(42, 3780);
  for (int y = 0; y < s.h; ++y) {
    char* line = out.data() + 54 + stride * std::size_t(s.h - 1 - y);
    const Pixel* src = s.row(y);
    for (int x = 0; x < s.w; ++x) {
      line[3 * x] = char(blue_of(src[x]));
      line[3 * x + 1] = char(green_of(src[x]));
      line[3 * x + 2] = char(red_of(src[x]));
    }
  }
  return out;
}

bool save_capactive(Game& g, const Surface& capactive) {
  if (!capactive.empty() && write_file_atomic(g.save_path(kCaptureFile), encode_bmp(capactive)))
    return true;
  g.os.message_box(g.os.tr("ｷｬﾌﾟﾁｬｰ画面を書き込めませんでした"), g.os.tr("ﾌｧｲﾙの書き込み"), MessageButtons::Ok,
                   MessageIcon::None);
  return false;
}

void mnucap_Click(Game& g) {
  // Let the closed menu be painted away before the picture is taken.
  yield_n(g, 8000);
  if (!save_capactive(g, capturewindow(g))) return;
  // The program's folder may be one the user never looks into: say where.
  std::error_code ec;
  std::filesystem::path where = std::filesystem::absolute(g.save_path(kCaptureFile), ec);
  if (ec) where = g.save_path(kCaptureFile);
  g.os.show_notice(fill_in(g.os.tr("ｷｬﾌﾟﾁｬｰ画面を保存しました: %1"), {where.lexically_normal().string()}));
}

void mnusousa_Click(Game& g) { g.os.open_dialog("frmhelp"); }

std::string help_file(const Game& g) {
  // The English page for a player who reads English; the Japanese one when it is
  // missing, rather than no help at all.
  if (g.os.language() == "en") {
    const std::string en = g.path(kHelpFileEn);
    if (file_exists(en)) return en;
  }
  return g.path(kHelpFile);
}

std::string home_page_address() { return kHomePageAddress; }

void open_home_page(Game& g, const std::string& address) {
  if (!address.empty()) g.os.shell_open(address);
}

void mnuhome_Click(Game& g) { open_home_page(g, home_page_address()); }

void mnuabout_Click(Game& g) { g.os.open_dialog("frmabout"); }

namespace {

std::string version_digits(int major, int minor, int revision) {
  return std::to_string(major) + "." + std::to_string(minor) + std::to_string(revision);
}

template <class Tr>
AboutInfo about_info_with(Tr tr) {
  AboutInfo a;
  a.application = tr("翠嶺牌戯");
  a.heading = fill_in(tr("ﾊﾞｰｼﾞｮﾝ %1"), {version_digits(kVersionMajor, kVersionMinor, kVersionRevision)});
  a.copyright = tr("著作権: Copyright (C) 翠嶺牌戯 開発チーム");
  a.address = tr("二人打ち麻雀ゲーム");
  a.licence = tr("ライセンス: GPL-3.0-or-later (GNU GPL 第3版以降)");
  return a;
}

}  // namespace

std::string about_heading(int major, int minor, int revision) {
  return "ﾊﾞｰｼﾞｮﾝ " + version_digits(major, minor, revision);
}

AboutInfo about_info() {
  return about_info_with([](const char* ja) { return std::string(ja); });
}

AboutInfo about_info(const Platform& os) {
  return about_info_with([&os](const char* ja) { return os.tr(ja); });
}

namespace {

// One upright tile at a pixel place; the red five when red is asked for.
void tile_at(Game& g, Surface& dst, int no, int x, int y, bool red) {
  using namespace sheet;
  const Surface& up = g.scr.PicHAI;
  const int fx = red ? kRedFiveX : kTileW * (no % 10);
  const int fy = red ? kRedFiveY : kFaceH * (no / 10);
  blit(dst, x, y, up, 0, 0, kTileW, kTileH, Rop::And);
  blit(dst, x, y, up, 0, kStripY, kTileW, kStripH, Rop::Xor);
  blit(dst, x, y + kStripH, up, fx, fy, kTileW, kFaceH, Rop::Xor);
}

}  // namespace

Surface about_picture(Game& g, double k) {
  const int n = kAboutPictureSize;
  Surface s(n, n, k, rgb(240, 240, 240));
  art::framed_plate(s, {1, 1, n - 2.0, n - 2.0}, 12, 2, rgb(20, 90, 60), rgb(120, 210, 160),
                    rgb(20, 120, 80));
  // The two dragons that give the game its colours, leaning together.
  tile_at(g, s, 36, 7, 6, false);
  tile_at(g, s, 37, 41, 6, false);
  art::text_in(g.os, s, {0, 61, double(n), 17}, g.os.tr("翠嶺牌戯"), 9, kWhite);
  return s;
}

Surface about_hidden_picture(Game& g, double k) {
  const int n = kAboutPictureSize;
  Surface s(n, n, k, rgb(240, 240, 240));
  art::framed_plate(s, {1, 1, n - 2.0, n - 2.0}, 40, 3, rgb(160, 20, 30), rgb(255, 236, 140),
                    rgb(230, 150, 40));
  tile_at(g, s, 25, 24, 6, true);
  art::outlined_text(g.os, s, {0, 58, double(n), 20}, g.os.tr("大当たり"), 10, rgb(220, 20, 40), kWhite, 1);
  return s;
}

}  // namespace sekiba
