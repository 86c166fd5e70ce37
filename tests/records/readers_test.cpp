// Every file the program reads, at the edges of what it holds: the fixed part is
// read whatever follows it, a number past 16 bits ends the reading, and saving a
// binary file keeps the bytes after its fixed part.
#include <gtest/gtest.h>

#include <functional>

#include "com/think.h"
#include "engine/contine.h"
#include "engine/game.h"
#include "engine/tumikomi.h"
#include "eval/yaku.h"
#include "lan/lan.h"
#include "platform/fileio.h"
#include "records/hiscore.h"
#include "records/settings.h"
#include "test_game.h"

namespace sekiba {
namespace {

using test::le16;
using test::le32;
std::string lines(int n, const std::string& line) {
  std::string s;
  for (int i = 0; i < n; ++i) s += line;
  return s;
}

// A best-ten table of scores 500, 499, ... whose names are `chars` times 太:
// with long names the part the game reads runs to many kilobytes.
std::string best_ten(int chars = 2) {
  std::string f = le16(1);
  for (int i = 0; i < 11; ++i) f += le32(500 - i);
  for (int i = 0; i < 11; ++i) f += le16(i + 1);
  for (int i = 0; i < 11; ++i) f += le16(8) + "24/05/07";
  std::string name;
  for (int c = 0; c < chars; ++c) name += "\x91\xBE";
  for (int i = 0; i < 11; ++i) f += le16(int(name.size())) + name;
  return f;
}
std::string tai(int chars) {
  std::string s;
  for (int c = 0; c < chars; ++c) s += "太";
  return s;
}

// Fifteen stacking patterns: trigger 100 + p, tiles all 5.
std::string patterns() {
  std::string s;
  for (int p = 0; p < 15; ++p) {
    s += std::to_string(100 + p) + "\r\n";
    for (int v = 0; v < 3; ++v) s += "5,5,5,5,38,38,38,38,38,38,38,38,38,38\r\n";
  }
  return s;
}

std::string saved_game() {
  test::TestGame tg;
  tg.g.t.man_ten = 777;
  tg.g.t.oya = 2;
  tg.g.t.game_no = 9;
  EXPECT_TRUE(save_contine(tg.g, 1));
  return read_file(tg.dir.file("sekiba_cos.bin")).value_or("");
}

struct Reader {
  const char* file;
  std::string fixed;
  std::function<void(Game&)> load;
  std::function<void(const Game&)> check;
};

TEST(Readers, FixedPartIsReadWhateverTheFileSize) {
  const Reader readers[] = {
      {"sekiba_set.txt", lines(25, " 2 \r\n"), load_settei,
       [](const Game& g) {
         for (int i = 0; i < 25; ++i) ASSERT_EQ(g.s.settei[std::size_t(i)], 2) << i;
       }},
      {"sekiba_shi.txt", lines(8, " 1 \r\n"), load_shikou,
       [](const Game& g) {
         Settings s = g.s;
         for (const std::int16_t* v : shikou_values(s)) ASSERT_EQ(*v, 1);
       }},
      {"sekiba_cnt.txt", lines(50, "3,4\r\n"), load_yaku_cnt,
       [](const Game& g) {
         EXPECT_EQ(g.yaku.yaku_cnt[0][0], 3);
         EXPECT_EQ(g.yaku.yaku_cnt[1][49], 4);
       }},
      {"sekiba_lan.txt", lines(10, "\"partner\"\r\n"), lan_aite_load,
       [](const Game& g) {
         EXPECT_EQ(g.lan.aite_host, "partner");
         EXPECT_EQ(g.lan.aite_list[9], "partner");
       }},
      {"sekiba_tin.txt", patterns(), tumikomi_load_tin,
       [](const Game& g) {
         EXPECT_EQ(g.tumikomi_data[0], 100);
         EXPECT_EQ(g.tumikomi_data[43 * 14], 114);
         EXPECT_EQ(g.tumikomi_data[std::size_t(tumikomi_index(14, 2, 3))], 5);
       }},
      {"sekiba_tum.txt", patterns(), tumikomi_load_tum,
       [](const Game& g) { EXPECT_EQ(g.tumikomi_data[std::size_t(tumikomi_index(14, 2, 3))], 5); }},
      {"sekiba_his.bin", best_ten(), load_hi_score,
       [](const Game& g) {
         EXPECT_EQ(g.rec.hi_score[0], 500);
         EXPECT_EQ(g.rec.hi_score[9], 491);
         EXPECT_EQ(g.rec.hi_name[9], tai(2));
       }},
      // Names of 6,000 bytes: the table itself is 66 kilobytes.
      {"sekiba_his.bin", best_ten(3000), load_hi_score,
       [](const Game& g) {
         EXPECT_EQ(g.rec.hi_score[9], 491);
         EXPECT_EQ(g.rec.hi_name[0], tai(3000));
         EXPECT_EQ(g.rec.hi_name[10], tai(3000));
       }},
      {"sekiba_cos.bin", saved_game(),
       [](Game& g) {
         g.t.contine_flag = 1;
         set_shoki1(g);
       },
       [](const Game& g) {
         EXPECT_EQ(g.t.man_ten, 777);
         EXPECT_EQ(g.t.game_no, 9);
       }},
      {"sekiba_top.jan", "TOP LINE\r\n", [](Game& g) { frmsousin_send(g); },
       [](const Game& g) {
         auto& os = static_cast<const HeadlessPlatform&>(g.os);
         EXPECT_EQ(os.clipboard, "TOP LINE");
       }},
  };
  // Whole file sizes around the sizes a reader might refuse, and far over.
  const std::size_t sizes[] = {0, 4095, 4096, 4097, 65535, 65536, 65537, (1u << 20) + 1, 17u << 20};
  for (const Reader& r : readers) {
    for (std::size_t size : sizes) {
      SCOPED_TRACE(std::string(r.file) + " of " + std::to_string(size) + " bytes");
      test::TestGame tg;
      std::string bytes = r.fixed;
      if (bytes.size() < size) bytes += std::string(size - bytes.size(), 'x');
      ASSERT_TRUE(write_file_atomic(tg.dir.file(r.file), bytes));
      r.load(tg.g);
      r.check(tg.g);
      for (const auto& m : tg.os.messages) EXPECT_NE(m.title, "ﾌｧｲﾙの読み込み") << m.text;
    }
  }
}

TEST(Readers, ANumberPastSixteenBitsEndsTheReading) {
  struct Case {
    const char* over;
    bool read;
  } cases[] = {{"32767", true}, {"-32768", true}, {"32768", false}, {"-32769", false}, {"99999999999", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.over);
    // The third value of each file, then a value that would be read after it.
    test::TestGame tg;
    const std::string text = std::string(" 1 \r\n 1 \r\n") + c.over + " \r\n 1 \r\n";
    ASSERT_TRUE(write_file_atomic(tg.dir.file("sekiba_set.txt"), text));
    ASSERT_TRUE(write_file_atomic(tg.dir.file("sekiba_shi.txt"), text));
    load_settei(tg.g);
    load_shikou(tg.g);
    const int value = std::stoi(std::string(c.over).substr(0, 6));
    EXPECT_EQ(tg.g.s.settei[1], 1);
    EXPECT_EQ(tg.g.s.settei[2], c.read ? value : 0);
    EXPECT_EQ(tg.g.s.settei[3], c.read ? 1 : 0);
    EXPECT_EQ(tg.g.s.settei[4], 1);  // a default
    const auto shi = shikou_values(tg.g.s);
    EXPECT_EQ(*shi[1], 1);
    EXPECT_EQ(*shi[2], c.read ? value : 0);
    EXPECT_EQ(*shi[3], c.read ? 1 : 0);
    EXPECT_EQ(*shi[4], 8);  // a default
  }
}

TEST(Readers, SavingABinaryFileKeepsWhatFollowsItsFixedPart) {
  for (std::size_t tail : {std::size_t(1), std::size_t(70000), std::size_t(3u << 20)}) {
    SCOPED_TRACE(std::to_string(tail) + " bytes after the fixed part");
    test::TestGame tg;
    std::string after(tail, 't');
    after.back() = 'z';
    // The best ten.
    ASSERT_TRUE(write_file_atomic(tg.dir.file("sekiba_his.bin"), best_ten() + after));
    load_hi_score(tg.g);
    tg.g.rec.hi_score[0] = 600;
    ASSERT_TRUE(save_hi_score(tg.g));
    std::string bytes = read_file(tg.dir.file("sekiba_his.bin")).value_or("");
    ASSERT_EQ(bytes.size(), best_ten().size() + tail);
    EXPECT_EQ(bytes.substr(2, 4), le32(600));
    EXPECT_EQ(bytes.substr(best_ten().size()), after);
    // The continue file, saved and declined.
    ASSERT_TRUE(write_file_atomic(tg.dir.file("sekiba_cos.bin"), std::string(kContineSize, '\0') + after));
    tg.g.t.man_ten = 321;
    ASSERT_TRUE(save_contine(tg.g, 1));
    bytes = read_file(tg.dir.file("sekiba_cos.bin")).value_or("");
    ASSERT_EQ(bytes.size(), kContineSize + tail);
    EXPECT_EQ(bytes.substr(0, 2), le16(1));
    EXPECT_EQ(bytes.substr(14, 4), le32(321));
    EXPECT_EQ(bytes.substr(kContineSize), after);
    tg.os.answers.push_back(MessageAnswer::No);
    contine_sel(tg.g);
    bytes = read_file(tg.dir.file("sekiba_cos.bin")).value_or("");
    ASSERT_EQ(bytes.size(), kContineSize + tail);
    EXPECT_EQ(bytes.substr(0, 2), le16(0));
    EXPECT_EQ(bytes.substr(14, 4), le32(321));
    EXPECT_EQ(bytes.substr(kContineSize), after);
  }
}

}  // namespace
}  // namespace sekiba
