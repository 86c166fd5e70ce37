// The screen capture, the help and home page requests and the version texts.
#include "screen/capture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "engine/startup.h"
#include "platform/fileio.h"
#include "screen/raster.h"
#include "test_game.h"

namespace sekiba {
namespace {

std::uint32_t u32(const std::string& b, std::size_t o) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[o + std::size_t(i)]);
  return v;
}

class CaptureTest : public ::testing::Test {
 protected:
  test::TestGame tg;
  Game& g = tg.g;
  void SetUp() override { tg.os.time_of_day = LocalTime{2024, 5, 1, 9, 5, 3}; }
  std::optional<std::string> file() { return read_file(tg.dir.file("sekiba_capture.bmp")); }
};

TEST_F(CaptureTest, TheFileIsA636By445BitmapOfTheWindowWithTheStamp) {
  g.scr.win.fill(rgb(0, 128, 0));
  fill_rect(g.scr.win, 100, 100, 50, 20, rgb(200, 10, 10));  // a sub-screen, say
  g.scr.win.at(635, 0) = rgb(1, 2, 3);
  g.scr.win.at(636, 0) = rgb(9, 9, 9);  // beyond the captured area
  menu_command(g, "mnucap");
  auto bytes = file();
  ASSERT_TRUE(bytes);
  ASSERT_GE(bytes->size(), 54u);
  EXPECT_EQ(bytes->substr(0, 2), "BM");
  EXPECT_EQ(u32(*bytes, 2), bytes->size());
  EXPECT_EQ(u32(*bytes, 10), 54u);
  EXPECT_EQ(u32(*bytes, 14), 40u);
  EXPECT_EQ(u32(*bytes, 18), 636u);
  EXPECT_EQ(u32(*bytes, 22), 445u);
  EXPECT_EQ(u32(*bytes, 26) & 0xFFFF, 1u);
  EXPECT_EQ(u32(*bytes, 28) & 0xFFFF, 24u);
  EXPECT_EQ(u32(*bytes, 30), 0u);
  EXPECT_EQ(bytes->size(), 54u + 636u * 3u * 445u);

  Surface back;
  ASSERT_TRUE(tg.os.load_image(tg.dir.file("sekiba_capture.bmp"), back));
  ASSERT_EQ(back.w, 636);
  ASSERT_EQ(back.h, 445);
  EXPECT_EQ(back.at(110, 110), rgb(200, 10, 10));
  EXPECT_EQ(back.at(635, 0), rgb(1, 2, 3));
  EXPECT_EQ(back.at(10, 440), rgb(0, 128, 0));
  // The white band under the stamp, 12 pixels high around y = 436.
  EXPECT_EQ(back.at(400, 430), kWhite);
  EXPECT_EQ(back.at(620, 441), kWhite);
  EXPECT_EQ(back.at(500, 429 - 1), rgb(0, 128, 0));
  EXPECT_EQ(back.at(635, 436), rgb(0, 128, 0));
  EXPECT_TRUE(tg.os.drew("翠嶺牌戯 2024/05/01 9:05:03"));
  EXPECT_GE(tg.os.yields, 8000);  // the closed menu had its chance to go away
}

TEST_F(CaptureTest, TheUserIsToldWhereTheFileWentAndTheTableStaysAsItWas) {
  g.scr.win.fill(rgb(0, 128, 0));
  const std::vector<Pixel> before = g.scr.win.px;
  mnucap_Click(g);
  const std::string where = std::filesystem::absolute(tg.dir.file("sekiba_capture.bmp")).lexically_normal().string();
  ASSERT_EQ(tg.os.notices.size(), 1u);
  EXPECT_NE(tg.os.notices[0].find(where), std::string::npos) << tg.os.notices[0];
  EXPECT_TRUE(g.scr.win.px == before);  // nothing of the notice is on the table
  Surface back;
  ASSERT_TRUE(tg.os.load_image(tg.dir.file("sekiba_capture.bmp"), back));
  EXPECT_EQ(back.at(300, 200), rgb(0, 128, 0));

  g.t.app_path = tg.dir.file("missing/folder");  // a failed capture says so in its box only
  mnucap_Click(g);
  EXPECT_EQ(tg.os.notices.size(), 1u);
}

TEST_F(CaptureTest, ASecondCaptureReplacesTheFirst) {
  g.scr.win.fill(rgb(255, 0, 0));
  mnucap_Click(g);
  g.scr.win.fill(rgb(0, 0, 255));
  mnucap_Click(g);
  Surface back;
  ASSERT_TRUE(tg.os.load_image(tg.dir.file("sekiba_capture.bmp"), back));
  EXPECT_EQ(back.at(5, 5), rgb(0, 0, 255));
  int files = 0;
  for (auto& f : std::filesystem::directory_iterator(tg.dir.str())) files += f.is_regular_file();
  EXPECT_EQ(files, 1);  // no temporary file left behind
  EXPECT_TRUE(tg.os.messages.empty());
}

TEST_F(CaptureTest, AnUnwritableFolderIsReported) {
  g.t.app_path = tg.dir.file("missing/folder");
  mnucap_Click(g);
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].text, "ｷｬﾌﾟﾁｬｰ画面を書き込めませんでした");
  EXPECT_EQ(tg.os.messages[0].title, "ﾌｧｲﾙの書き込み");
  EXPECT_EQ(tg.os.messages[0].buttons, MessageButtons::Ok);
}

TEST(CaptureBmp, RowsArePaddedToFourBytesBottomRowFirst) {
  Surface s(3, 2, kBlack);
  s.at(0, 0) = rgb(1, 2, 3);   // top row
  s.at(2, 1) = rgb(7, 8, 9);   // bottom row
  const std::string b = encode_bmp(s);
  ASSERT_EQ(b.size(), 54u + 2u * 12u);
  EXPECT_EQ(u32(b, 34), 24u);
  // Bottom row first, blue green red.
  EXPECT_EQ(b.substr(54 + 6, 3), std::string("\x09\x08\x07", 3));
  EXPECT_EQ(b.substr(54 + 12, 3), std::string("\x03\x02\x01", 3));
  EXPECT_EQ(b.substr(54 + 9, 3), std::string(3, '\0'));  // padding
}

TEST(HelpMenu, HelpOpensInTheGamesWindowAndTheHomePageOnlyWithAnAddress) {
  test::TestGame tg;
  ASSERT_TRUE(Form_Load(tg.g));
  menu_command(tg.g, "mnusousa");
  menu_command(tg.g, "mnuabout");
  EXPECT_EQ(tg.os.dialogs_opened, (std::vector<std::string>{"frmhelp", "frmabout"}));
  EXPECT_EQ(help_file(tg.g), tg.dir.file("sekiba_html_help_mokuji.htm"));
  // The test build is given no address: the item is hidden and does nothing,
  // rather than opening the help page a second time.
  ASSERT_EQ(home_page_address(), "");
  EXPECT_FALSE(tg.os.menu_is_visible("mnuhome"));
  EXPECT_TRUE(tg.os.menu_is_visible("mnusousa"));
  menu_command(tg.g, "mnuhome");
  EXPECT_TRUE(tg.os.shell_opened.empty());
  open_home_page(tg.g, "https://sekiba.example.org/");
  EXPECT_EQ(tg.os.shell_opened, std::vector<std::string>{"https://sekiba.example.org/"});
}

TEST(HelpMenu, VersionHeadingRunsMinorAndRevisionTogether) {
  EXPECT_EQ(about_heading(1, 2, 3), "ﾊﾞｰｼﾞｮﾝ 1.23");
  EXPECT_EQ(about_info().heading, "ﾊﾞｰｼﾞｮﾝ " + version_text());
  EXPECT_EQ(about_info().application, "翠嶺牌戯");
}

TEST(HelpMenu, TheShippedHelpPageCoversTheKeys) {
  auto page = read_file(std::string(SEKIBA_SOURCE_DIR) + "/data/sekiba_html_help_mokuji.htm");
  ASSERT_TRUE(page);
  EXPECT_NE(page->find("charset=\"utf-8\""), std::string::npos);
  for (const char* key : {"F2", "F4", "F12", "Enter", "積み込みｴﾃﾞｨﾀ", "上がり役説明"})
    EXPECT_NE(page->find(key), std::string::npos) << key;
  // What the page says of the dealer, the stick box and the dora is what the game does.
  for (const char* said : {"流局では親は変わらず", "点数の左のイベント棒の箱", "ドラ表示牌そのものがドラ",
                           "ﾄﾞﾗの設定"})
    EXPECT_NE(page->find(said), std::string::npos) << said;
  for (const char* wrong : {"流局で親がテンパイなら連荘", "画面の下の方に棒", "ドラ表示牌の次の牌がドラになります"})
    EXPECT_EQ(page->find(wrong), std::string::npos) << wrong;
}

TEST(HelpMenu, NoMadeUpAddressReachesTheUser) {
  auto page = read_file(std::string(SEKIBA_SOURCE_DIR) + "/data/sekiba_html_help_mokuji.htm");
  ASSERT_TRUE(page);
  const AboutInfo a = about_info();
  for (const std::string& text : {*page, a.application, a.heading, a.copyright, a.address})
    for (const char* bad : {"example.", "http:", "https:", "mailto:", "www."})
      EXPECT_EQ(text.find(bad), std::string::npos) << bad;
}

}  // namespace
}  // namespace sekiba
