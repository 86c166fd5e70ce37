#include "engine/contine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "engine/game.h"
#include "engine/settlement.h"
#include "engine/startup.h"
#include "platform/fileio.h"
#include "test_game.h"

namespace sekiba {
namespace {

struct Contine : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;
  Table& t = g.t;
  std::string path() const { return tg.dir.file("sekiba_cos.bin"); }
  std::string bytes() const { return read_file(path()).value_or(""); }

  Contine() { tg.os.time_of_day = LocalTime{2024, 5, 7, 21, 43, 7}; }

  // A game in its middle: every saved field different from the defaults.
  void some_game() {
    t.man_ten = 412;
    t.rechi_bou = 2;
    t.honba = 3;
    t.kyoku = 5;
    t.oya = 2;
    t.ivent_bou = {3, 0, 7, 10, 2, 9};
    t.game_no = 6;
    t.game_mode = 4;
    t.series_void = 1;
    for (int i = 0; i <= 500; ++i) t.score_rireki[std::size_t(i)] = 1000 + i;
  }
  void poke16(std::string& b, std::size_t at, int delta) {
    const int v = std::int16_t(std::uint8_t(b[at]) | (std::uint8_t(b[at + 1]) << 8)) + delta;
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
  }
};

TEST_F(Contine, MixValuesOfTheWorkedExample) {
  ContineData d;
  contine_mix(d, 7, 43);
  EXPECT_EQ(d.mix_a, 2);
  EXPECT_EQ(d.mix_c, 9);
  EXPECT_EQ(d.mix_b, 6);
  EXPECT_EQ(d.mix_e, 5);
  EXPECT_EQ(d.mix_d, 12);
  EXPECT_EQ(d.mix_f, 45);
}

TEST_F(Contine, FileBuiltByteByByteIsLoaded) {
  // 07 s, 43 min; every field written by hand at its offset.
  std::string b(kContineSize, '\0');
  auto put16 = [&](std::size_t at, int v) {
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
  };
  auto put32 = [&](std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = char((std::uint32_t(v) >> (8 * i)) & 0xFF);
  };
  put16(0, 1);
  put16(2, 2);    // a
  put16(4, 45);   // f
  put16(6, 9);    // c
  put16(8, 12);   // d
  put16(10, 6);   // b
  put16(12, 5);   // e
  put32(14, -37);  // a LAN-style negative score
  put16(18, 1);
  put16(20, 4);
  put16(22, 7);
  put16(24, 1);
  for (int i = 0; i < 6; ++i) put16(26 + 2 * std::size_t(i), i);
  put16(38, 12);
  put16(40, 3);
  put16(42, 0);
  for (int i = 0; i <= 500; ++i) put32(44 + 4 * std::size_t(i), i == 11 ? -37 : 300);
  put32(2048, (45 + 2 + 9) + -37 + 1 + 4 + 7 + 1);
  put32(2052, 12 + 6 + 5 + (0 + 1 + 2 + 3 + 4));
  put32(2056, 9 + 2 + 5 + 12 + 3 + 0);
  ASSERT_TRUE(write_file_atomic(path(), b));

  t.contine_flag = 1;
  set_shoki1(g);
  EXPECT_TRUE(tg.os.messages.empty());
  EXPECT_EQ(t.man_ten, -37);
  EXPECT_EQ(t.kyoku, 7);
  EXPECT_EQ(t.honba, 4);
  EXPECT_EQ(t.ivent_bou[5], 5);
  EXPECT_EQ(t.game_no, 12);
  EXPECT_EQ(t.game_mode, 3);
  EXPECT_EQ(t.score_rireki[11], -37);
  EXPECT_EQ(t.shoki_flag, 1);
  EXPECT_EQ(t.contine_flag, 1);
  EXPECT_TRUE(tg.os.menu_check["mnumode3"]);  // the item of mode 3
  EXPECT_FALSE(tg.os.menu_check["mnumode1"]);
}

TEST_F(Contine, SavedGameReadsBackEqual) {
  some_game();
  ASSERT_TRUE(save_contine(g, 1));
  const std::string b = bytes();
  ASSERT_EQ(b.size(), kContineSize);
  const Table saved = t;
  clear_shoki_data(g);
  t.oya = 1;
  t.game_mode = 0;
  set_shoki1(g);
  EXPECT_EQ(t.man_ten, saved.man_ten);
  EXPECT_EQ(t.rechi_bou, saved.rechi_bou);
  EXPECT_EQ(t.honba, saved.honba);
  EXPECT_EQ(t.kyoku, saved.kyoku);
  EXPECT_EQ(t.oya, saved.oya);
  EXPECT_EQ(t.ivent_bou, saved.ivent_bou);
  EXPECT_EQ(t.game_no, saved.game_no);
  EXPECT_EQ(t.game_mode, saved.game_mode);
  EXPECT_EQ(t.series_void, saved.series_void);
  EXPECT_EQ(t.score_rireki, saved.score_rireki);
}

TEST_F(Contine, EveryCoveredFieldBreaksTheChecksAndNoOtherDoes) {
  some_game();
  ASSERT_TRUE(save_contine(g, 1));
  const std::string good = bytes();
  // Score (low and high half), sticks, counters, dealer, event sticks 0..4,
  // hand number, mode, reserved flag, and the mix values themselves.
  const std::size_t covered[] = {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 38, 40, 42};
  for (std::size_t at : covered) {
    std::string b = good;
    poke16(b, at, at == 24 ? -1 : 1);  // the dealer stays a dealer: 2 -> 1
    ASSERT_TRUE(write_file_atomic(path(), b));
    tg.os.messages.clear();
    g.rec.contine_refused = false;  // each file as in a run of its own
    some_game();
    t.contine_flag = 1;
    set_shoki1(g);
    ASSERT_EQ(tg.os.messages.size(), 1u) << "offset " << at;
    EXPECT_EQ(tg.os.messages[0].text, "セーブデータが異常です。最初からゲームを行います。");
    EXPECT_EQ(t.man_ten, 300) << "offset " << at;
    EXPECT_EQ(t.game_no, 1);
    EXPECT_EQ(t.contine_flag, 0);
  }
  for (std::size_t at : {std::size_t(36), std::size_t(44), std::size_t(44 + 4 * 250), std::size_t(2044)}) {
    std::string b = good;
    poke16(b, at, 5);
    ASSERT_TRUE(write_file_atomic(path(), b));
    tg.os.messages.clear();
    g.rec.contine_refused = false;
    clear_shoki_data(g);
    set_shoki1(g);
    EXPECT_TRUE(tg.os.messages.empty()) << "offset " << at;
    EXPECT_EQ(t.man_ten, 412) << "offset " << at;
  }
}

TEST_F(Contine, SixteenBitSumsWrapAround) {
  // Saved at 59 s, 59 min: a 7, c 11, b 7, e 11, d 49, f 121.
  struct Case {
    std::int32_t man_ten;
    std::int16_t ivent0, game_no;
    std::int32_t check1, check2, check3;
  } cases[] = {
      // 139 + 412 + 2 + 3 + 5 + 2; 49 + 7 + 11 + 1 + 2; 11 + 7 + 11 + 6 + 4 + 1
      {412, 1, 6, 563, 70, 40},
      // check 2: 49 + 7 + 11 + 30000 + 30000 = 60067 wraps to -5469
      {412, 30000, 6, 563, -5469, 40},
      // check 3: 29 + 32767 + 4 + 1 = 32801 wraps to -32735; the score stays 32-bit
      {100000, 1, 32767, 100151, 70, -32735},
  };
  for (const Case& c : cases) {
    some_game();
    t.man_ten = c.man_ten;
    t.ivent_bou = {c.ivent0, c.ivent0 == 1 ? std::int16_t(2) : std::int16_t(30000), 0, 0, 0, 9};
    t.game_no = c.game_no;
    const ContineData d = contine_from_table(t, 1, 59, 59);
    EXPECT_EQ(d.check1, c.check1) << c.man_ten;
    EXPECT_EQ(d.check2, c.check2) << c.ivent0;
    EXPECT_EQ(d.check3, c.check3) << c.game_no;
    EXPECT_TRUE(contine_checks_ok(d));
  }
}

TEST_F(Contine, SavesInDifferentMinutesMixDifferentlyAndBothVerify) {
  some_game();
  const ContineData a = contine_from_table(t, 1, 7, 43);
  const ContineData b = contine_from_table(t, 1, 7, 44);
  EXPECT_NE(a.mix_e, b.mix_e);
  EXPECT_NE(a.check1, b.check1);
  EXPECT_TRUE(contine_checks_ok(a));
  EXPECT_TRUE(contine_checks_ok(b));
  EXPECT_TRUE(contine_checks_ok(*parse_contine(format_contine(b))));
}

TEST_F(Contine, ShortOrAbsurdFilesStartAFreshGame) {
  some_game();
  ASSERT_TRUE(save_contine(g, 1));
  // Cut short: quietly a new game.
  ASSERT_TRUE(write_file_atomic(path(), bytes().substr(0, 2059)));
  set_shoki1(g);
  EXPECT_TRUE(tg.os.messages.empty());
  EXPECT_EQ(t.man_ten, 300);
  // Checks that agree with an impossible dealer and hand number.
  some_game();
  t.oya = 7;
  t.game_no = 30000;
  ASSERT_TRUE(save_contine(g, 1));
  t.oya = 1;
  set_shoki1(g);
  EXPECT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(t.oya, 1);
  EXPECT_EQ(t.game_no, 1);
}

TEST_F(Contine, NoFileOrFlagZeroMeansNothingToContinue) {
  contine_sel(g);
  EXPECT_EQ(t.contine_flag, 0);
  EXPECT_TRUE(tg.os.messages.empty());
  some_game();
  ASSERT_TRUE(save_contine(g, 0));
  contine_sel(g);
  EXPECT_EQ(t.contine_flag, 0);
  set_shoki1(g);
  EXPECT_EQ(t.man_ten, 300);
  EXPECT_EQ(t.shoki_flag, 1);
}

TEST_F(Contine, DecliningWritesOnlyTheFlag) {
  some_game();
  ASSERT_TRUE(save_contine(g, 1));
  const std::string before = bytes();
  tg.os.answers.push_back(MessageAnswer::No);
  contine_sel(g);
  EXPECT_EQ(t.contine_flag, 0);
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].title, "データのロード");
  const std::string after = bytes();
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after.substr(0, 2), std::string(2, '\0'));
  EXPECT_EQ(after.substr(2), before.substr(2));

  ASSERT_TRUE(save_contine(g, 1));
  contine_sel(g);  // Yes
  EXPECT_EQ(t.contine_flag, 1);
}

TEST_F(Contine, RestartDuringTheFirstHandEndsTheProgramAndClearsTheGame) {
  some_game();
  ASSERT_TRUE(save_contine(g, 1));
  t.shoki_flag = 1;
  t.kyoku_flag = 1;
  g.rec.game_started = true;
  EXPECT_THROW(contine_sel(g), QuitRequested);
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].title, "再スタートエラー");
  EXPECT_EQ(t.shoki_flag, 99);
  EXPECT_TRUE(tg.os.quit_requested());
  EXPECT_EQ(bytes().substr(0, 2), std::string(2, '\0'));
}

TEST_F(Contine, SavePromptOnQuitting) {
  some_game();
  g.rec.game_started = true;
  t.kyoku_flag = 1;
  t.shoki_flag = 0;
  tg.os.answers.push_back(MessageAnswer::Yes);
  game_save(g);
  EXPECT_EQ(tg.os.messages.back().text, "ゲームのデータをセーブしますか？");
  EXPECT_EQ(bytes().substr(0, 2), std::string("\x01\x00", 2));
  tg.os.answers.push_back(MessageAnswer::No);
  game_save(g);
  EXPECT_EQ(bytes().substr(0, 2), std::string(2, '\0'));

  // No hand of this game has ended: cleared with a warning.
  ASSERT_TRUE(save_contine(g, 1));
  t.shoki_flag = 1;
  game_save(g);
  EXPECT_EQ(tg.os.messages.back().icon, MessageIcon::Warning);
  EXPECT_EQ(bytes().substr(0, 2), std::string(2, '\0'));

  // Between games: cleared without a question; a LAN match leaves it alone.
  for (int lan : {1, 0}) {
    t.lan_mode = 0;
    ASSERT_TRUE(save_contine(g, 1));
    tg.os.messages.clear();
    t.lan_mode = std::int16_t(lan);
    t.kyoku_flag = std::int16_t(lan);
    game_save(g);
    EXPECT_TRUE(tg.os.messages.empty());
    EXPECT_EQ(bytes().substr(0, 2), lan ? std::string("\x01\x00", 2) : std::string(2, '\0'));
  }
}

TEST_F(Contine, AGameThatHasEndedOffersNoSave) {
  // Quitting at the key wait after the last hand: by busting, after the eighth
  // dealer turn, at the end of a series.
  for (int end = 0; end < 3; ++end) {
    some_game();
    if (end == 0) t.man_ten = 0;
    if (end == 1) t.kyoku = 9;
    t.series_done = std::int16_t(end == 2);
    t.kyoku_flag = 1;
    t.shoki_flag = 0;
    g.rec.game_started = true;
    t.lan_mode = 0;
    ASSERT_TRUE(save_contine(g, 0));
    tg.os.messages.clear();
    game_save(g);
    EXPECT_TRUE(tg.os.messages.empty()) << end;
    EXPECT_EQ(bytes().substr(0, 2), std::string(2, '\0')) << end;
  }
}

TEST_F(Contine, AScoreNoGameReachesIsRefusedAndScoresStayWithinIt) {
  some_game();
  t.man_ten = 2000000000;
  ASSERT_TRUE(save_contine(g, 1));
  set_shoki1(g);
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].text, "セーブデータが異常です。最初からゲームを行います。");
  EXPECT_EQ(t.man_ten, 300);
  // Winning at the limit keeps the score there, and that game loads again.
  some_game();
  t.man_ten = kScoreLimit - 5;
  t.rechi_bou = 3;
  t.agari_pl = 1;
  bou_toku(g);
  EXPECT_EQ(t.man_ten, kScoreLimit);
  ASSERT_TRUE(save_contine(g, 1));
  t.man_ten = 0;
  set_shoki1(g);
  EXPECT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(t.man_ten, kScoreLimit);
}

TEST_F(Contine, ARefusedFileIsOfferedOncePerRun) {
  some_game();
  ASSERT_TRUE(save_contine(g, 1));
  std::string b = bytes();
  poke16(b, 20, 1);  // the repeat count no longer matches its check
  ASSERT_TRUE(write_file_atomic(path(), b));
  contine_sel(g);
  set_shoki1(g);
  ASSERT_EQ(tg.os.messages.size(), 2u);  // the offer, then the refusal
  // Start again during the first hand, and a later game of the same run.
  for (int shoki : {1, 0}) {
    t.shoki_flag = std::int16_t(shoki);
    t.kyoku_flag = std::int16_t(shoki);
    EXPECT_NO_THROW(contine_sel(g));
    set_shoki1(g);
    EXPECT_EQ(tg.os.messages.size(), 2u);
    EXPECT_EQ(t.contine_flag, 0);
    EXPECT_EQ(t.man_ten, 300);
  }
  EXPECT_FALSE(tg.os.quit_requested());
}

TEST_F(Contine, ALanMatchNeitherLoadsNorTouchesTheSavedGame) {
  some_game();
  ASSERT_TRUE(save_contine(g, 1));
  const std::string before = bytes();
  t.lan_mode = 1;
  set_shoki1(g);
  EXPECT_EQ(t.man_ten, 300);
  t.kyoku_flag = 1;
  for (int flag : {1, 0}) save_contine(g, flag);
  game_save(g);
  t.lan_mode = 0;  // back at the title after the match
  t.kyoku_flag = 0;
  game_save(g);
  EXPECT_TRUE(tg.os.messages.empty());
  EXPECT_EQ(bytes(), before);
}

TEST_F(Contine, QuittingFromTheTitleScreenKeepsTheSavedGame) {
  some_game();
  ASSERT_TRUE(save_contine(g, 1));
  const std::string before = bytes();
  ASSERT_TRUE(Form_Load(g));
  g.os.on_menu("mnuend");
  EXPECT_TRUE(tg.os.quit_requested());
  EXPECT_EQ(bytes(), before);
}

TEST_F(Contine, ADeclinedGameIsNeverLoadedEvenWhenItsFileCannotBeCleared) {
  some_game();
  ASSERT_TRUE(save_contine(g, 1));
  const std::string before = bytes();
  ::chmod(path().c_str(), 0444);
  tg.os.answers.push_back(MessageAnswer::No);
  contine_sel(g);
  set_shoki1(g);
  ::chmod(path().c_str(), 0644);
  ASSERT_EQ(tg.os.messages.size(), 2u);  // the offer, then the failed write
  EXPECT_EQ(tg.os.messages[1].text, "ｺﾝﾃｨﾆｭｰﾌｧｲﾙを書き込めませんでした");
  EXPECT_EQ(tg.os.messages[1].title, "ﾌｧｲﾙの書き込み");
  EXPECT_EQ(bytes(), before);
  // The defaults, not the saved 412 points, hand 6 and event sticks.
  EXPECT_EQ(t.contine_flag, 0);
  EXPECT_EQ(t.man_ten, 300);
  EXPECT_EQ(t.game_no, 1);
  EXPECT_EQ(t.kyoku, 1);
  EXPECT_EQ(t.ivent_bou[0], 1);
  EXPECT_EQ(t.shoki_flag, 1);
}

TEST_F(Contine, QuittingInTheFirstHandOfAContinuedGameAsksToSave) {
  some_game();
  ASSERT_TRUE(save_contine(g, 1));
  contine_sel(g);  // Yes
  set_shoki1(g);
  ASSERT_EQ(t.contine_flag, 1);
  ASSERT_EQ(t.shoki_flag, 1);
  t.kyoku_flag = 1;
  for (MessageAnswer a : {MessageAnswer::Yes, MessageAnswer::No}) {
    tg.os.answers.push_back(a);
    game_save(g);
    EXPECT_EQ(tg.os.messages.back().text, "ゲームのデータをセーブしますか？");
    const auto d = parse_contine(bytes());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->flag, a == MessageAnswer::Yes ? 1 : 0);
    EXPECT_EQ(d->man_ten, 412);
  }
  EXPECT_EQ(tg.os.messages.size(), 3u);  // the offer and the two questions
}

TEST_F(Contine, UnwritableFileIsReported) {
  t.app_path = tg.dir.file("missing/folder");
  EXPECT_FALSE(save_contine(g, 1));
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].text, "ｺﾝﾃｨﾆｭｰﾌｧｲﾙを書き込めませんでした");
}

}  // namespace
}  // namespace sekiba
