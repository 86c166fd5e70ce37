// The game's own files: read whatever their size, reported when they cannot be
// read, left as they are when the user made them read-only.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "com/think.h"
#include "engine/contine.h"
#include "engine/startup.h"
#include "platform/fileio.h"
#include "records/hiscore.h"
#include "records/settings.h"
#include "test_game.h"

namespace sekiba {
namespace {

namespace fs = std::filesystem;

struct OwnFiles : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;
  std::string file(const std::string& name) const { return tg.dir.file(name); }
  std::string bytes(const std::string& name) const { return read_file(file(name)).value_or("?"); }
  void put(const std::string& name, const std::string& b) { ASSERT_TRUE(write_file_atomic(file(name), b)); }
};

TEST_F(OwnFiles, TheFixedPartOfALongFileIsReadAndItsTailKept) {
  const std::string tail(3u << 20, 'x');
  // The best ten.
  hi_score_defaults(g.rec);
  g.rec.hi_score[0] = 777;
  g.rec.hi_name[0] = "A";
  put("sekiba_his.bin", format_hi_score(g.rec) + tail);
  hi_score_defaults(g.rec);
  load_hi_score(g);
  EXPECT_EQ(g.rec.hi_score[0], 777);
  g.rec.hi_score[1] = 555;
  ASSERT_TRUE(save_hi_score(g));
  const std::string his = bytes("sekiba_his.bin");
  EXPECT_EQ(his.size(), format_hi_score(g.rec).size() + tail.size());
  EXPECT_EQ(his.substr(0, format_hi_score(g.rec).size()), format_hi_score(g.rec));
  // The settings and the thinking settings.
  put("sekiba_set.txt", " 1 \r\n 1 \r\n" + std::string(70000, ' ') + "junk");
  put("sekiba_shi.txt", " 1 \r\n" + tail);
  load_settei(g);
  load_shikou(g);
  EXPECT_EQ(g.s.settei[1], 1);
  EXPECT_EQ(g.s.shikou_dora, 1);
  // The continue file.
  g.t.man_ten = 444;
  g.t.oya = 1;
  ASSERT_TRUE(save_contine(g, 1));
  put("sekiba_cos.bin", bytes("sekiba_cos.bin") + tail);
  clear_shoki_data(g);
  contine_sel(g);
  set_shoki1(g);
  EXPECT_EQ(g.t.man_ten, 444);
  EXPECT_EQ(tg.os.messages.size(), 1u);  // only the offer
}

TEST_F(OwnFiles, AFileThatCannotBeReadIsReportedOnceAndNotReplacedUnasked) {
  const char* names[] = {"sekiba_set.txt", "sekiba_shi.txt", "sekiba_his.bin",
                         "sekiba_cnt.txt", "sekiba_lan.txt", "sekiba_tum.txt"};
  for (const char* n : names) fs::create_directories(file(n));  // there, but no file to read
  game_init(g);
  game_init(g);
  ASSERT_EQ(tg.os.messages.size(), std::size(names));
  for (const char* n : names)
    EXPECT_TRUE(std::any_of(tg.os.messages.begin(), tg.os.messages.end(), [n](const auto& m) {
      return m.text.find(n) != std::string::npos && m.text.find("を読み込めませんでした") != std::string::npos;
    })) << n;
  EXPECT_FALSE(settei_save(g));
  EXPECT_TRUE(fs::is_directory(file("sekiba_set.txt")));
}

TEST_F(OwnFiles, TheUnreadableFileMessageTellsWhatTheSaveWillDo) {
  auto told = [this](const std::string& part) {
    return !tg.os.messages.empty() && tg.os.messages.back().text.find(part) != std::string::npos;
  };
  // A folder in the file's place: the save is refused, and the message says so.
  fs::create_directories(file("sekiba_set.txt"));
  load_settei(g);
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_TRUE(told("保存できません"));
  EXPECT_FALSE(told("置き換えられます"));
  EXPECT_FALSE(settei_save(g));
  // The same in a folder the game only reads: the save goes to its own folder,
  // which the message names, and is made there.
  fs::create_directories(file("own"));
  fs::create_directories(file("shared/sekiba_shi.txt"));
  g.t.read_folders = {file("own"), file("shared")};
  g.t.app_path = file("own");
  load_shikou(g);
  ASSERT_EQ(tg.os.messages.size(), 3u);  // with the write failure above
  EXPECT_TRUE(told(file("own/sekiba_shi.txt")));
  EXPECT_FALSE(told("置き換えられます"));
  EXPECT_TRUE(shikou_save(g));
  EXPECT_TRUE(fs::is_regular_file(file("own/sekiba_shi.txt")));
}

TEST_F(OwnFiles, AReadOnlyFileGetsTheWriteFailureMessageAndStays) {
  struct Case {
    const char* name;
    bool (*save)(Game&);
    const char* message;
  };
  const Case cases[] = {
      {"sekiba_set.txt", settei_save, "設定ﾌｧｲﾙを書き込めませんでした"},
      {"sekiba_shi.txt", shikou_save, "思考法ﾌｧｲﾙを書き込めませんでした"},
      {"sekiba_his.bin", save_hi_score, "ﾊｲｽｺｱﾌｧｲﾙを書き込めませんでした"},
      {"sekiba_cos.bin", [](Game& game) { return save_contine(game, 1); },
       "ｺﾝﾃｨﾆｭｰﾌｧｲﾙを書き込めませんでした"},
  };
  for (const Case& c : cases) {
    put(c.name, "mine");
    ::chmod(file(c.name).c_str(), 0444);
    tg.os.messages.clear();
    EXPECT_FALSE(c.save(g)) << c.name;
    ASSERT_EQ(tg.os.messages.size(), 1u) << c.name;
    EXPECT_EQ(tg.os.messages[0].text, c.message);
    EXPECT_EQ(bytes(c.name), "mine");
    ::chmod(file(c.name).c_str(), 0644);
  }
  // A file kept behind a link stays a link; the file it names gets the save.
  put("elsewhere.txt", "old");
  fs::create_symlink(file("elsewhere.txt"), file("sekiba_lan.txt"));
  ASSERT_TRUE(write_file_atomic(file("sekiba_lan.txt"), "new"));
  EXPECT_TRUE(fs::is_symlink(file("sekiba_lan.txt")));
  EXPECT_EQ(bytes("elsewhere.txt"), "new");
}

TEST_F(OwnFiles, ANumberBeyondSixteenBitsEndsTheLoading) {
  // Each file: the numbers, and how many of them load.
  const struct {
    const char* text;
    int loaded;
  } cases[] = {
      {" 1 \r\n 32768 \r\n 1 \r\n", 1},
      {" 1 \r\n-32769 \r\n 1 \r\n", 1},
      {" 1 \r\n 000000000001 \r\n 1 \r\n", 3},
      {" 1 \r\n-32768 \r\n 1 \r\n", 3},
      {" 1 \r\n 99999999999999999999 \r\n 1 \r\n", 1},
  };
  for (const auto& c : cases) {
    Settings s;
    parse_settei(c.text, s);
    parse_shikou(c.text, s);
    const int settei_read = (s.settei[0] == 1) + (s.settei[1] != 0) + (s.settei[2] == 1);
    const int shikou_read = (s.shikou_dora == 1) + (s.shikou_hyouka != 0) + (s.shikou_chinitu == 1);
    EXPECT_EQ(settei_read, c.loaded) << c.text;
    EXPECT_EQ(shikou_read, c.loaded) << c.text;
  }
}

}  // namespace
}  // namespace sekiba
