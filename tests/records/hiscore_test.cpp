#include "records/hiscore.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/game.h"
#include "engine/startup.h"
#include "platform/fileio.h"
#include "records/binio.h"
#include "records/chart.h"
#include "records/sjis.h"
#include "screen/screen.h"
#include "test_game.h"
#include "version.h"

namespace sekiba {
namespace {

using test::le16;
using test::le32;

struct HiScore : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;
  Records& r = g.rec;
  std::string his() const { return tg.dir.file("sekiba_his.bin"); }
  std::string top() const { return tg.dir.file("sekiba_top.jan"); }

  HiScore() {
    EXPECT_TRUE(Form_Load(g));  // loads the fresh table
    g.s.settei[12] = 1;         // no sound
    tg.os.time_of_day = LocalTime{2024, 5, 7, 21, 5, 37};
  }
  // Scores 100, 90, ..., 10 so that every rank is distinct.
  void ladder() {
    for (int i = 0; i < 10; ++i) {
      r.hi_score[std::size_t(i)] = 100 - 10 * i;
      r.hi_name[std::size_t(i)] = "n" + std::to_string(i);
    }
  }
  int enter(std::int32_t score) {
    g.t.man_ten = score;
    g.t.game_no = 9;
    hi_score_new(g);
    return hi_score_rank(g);
  }
};

TEST_F(HiScore, MissingFileGivesTheFreshTable) {
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(r.hi_score[std::size_t(i)], 10);
    EXPECT_EQ(r.hi_game[std::size_t(i)], 0);
    EXPECT_EQ(r.hi_date[std::size_t(i)], kDefaultDate);
    EXPECT_EQ(r.hi_name[std::size_t(i)], kDefaultName);
  }
  EXPECT_EQ(r.hi_score[10], 0);
  EXPECT_EQ(r.hi_name[10], "");
  EXPECT_TRUE(tg.os.messages.empty());
}

TEST_F(HiScore, FileBuiltFromTheLayoutIsRead) {
  std::string f = le16(1);
  for (int i = 0; i < 11; ++i) f += le32(i == 0 ? -7 : 1000 - i);
  for (int i = 0; i < 11; ++i) f += le16(i + 3);
  for (int i = 0; i < 11; ++i) f += le16(8) + "24/05/0" + char('0' + i % 10);
  // 太郎 and the full-width minus of the new-entry text, in code page 932.
  const std::string taro = "\x91\xBE\x98\x59", minus = "\x81\x7C";
  for (int i = 0; i < 11; ++i) f += i == 1 ? le16(2) + minus : le16(4) + taro;
  f += "old tail";  // bytes after the last name are never read
  ASSERT_TRUE(write_file_atomic(his(), f));
  load_hi_score(g);
  EXPECT_EQ(r.hi_score[0], -7);
  EXPECT_EQ(r.hi_score[10], 990);
  EXPECT_EQ(r.hi_game[4], 7);
  EXPECT_EQ(r.hi_date[3], "24/05/03");
  EXPECT_EQ(r.hi_name[0], "太郎");
  EXPECT_EQ(r.hi_name[1], "－");
}

TEST_F(HiScore, WrittenTableReadsBackEqualAndKeepsAnOlderTail) {
  ASSERT_TRUE(write_file_atomic(his(), std::string(3000, 'x')));
  ladder();
  r.hi_name[2] = "翠嶺　花子";
  r.hi_name[5] = "";
  r.hi_date[0] = "24/05/07";
  r.hi_game[9] = -3;
  ASSERT_TRUE(save_hi_score(g));
  const std::string bytes = *read_file(his());
  EXPECT_EQ(bytes.substr(0, 2), le16(1));
  EXPECT_EQ(bytes.substr(2, 4), le32(100));
  EXPECT_EQ(bytes.substr(46 + 18, 2), le16(-3));
  EXPECT_EQ(bytes.substr(68, 10), le16(8) + "24/05/07");
  EXPECT_EQ(bytes.size(), 3000u);
  EXPECT_EQ(bytes.back(), 'x');
  const std::string name2 = utf8_to_sjis("翠嶺　花子");
  EXPECT_EQ(name2.size(), 10u);  // two bytes a character

  Records copy = r;
  hi_score_defaults(r);
  load_hi_score(g);
  EXPECT_EQ(r.hi_score, copy.hi_score);
  EXPECT_EQ(r.hi_game, copy.hi_game);
  EXPECT_EQ(r.hi_date, copy.hi_date);
  EXPECT_EQ(r.hi_name, copy.hi_name);
}

TEST_F(HiScore, DamagedFilesNeverCrashAndKeepWhatWasRead) {
  // A flag other than 0 with nothing after it, a single byte, a flag of 0.
  for (const std::string& f : {le16(5), std::string("\x01"), le16(0) + le32(999)}) {
    ASSERT_TRUE(write_file_atomic(his(), f));
    load_hi_score(g);
    EXPECT_EQ(r.hi_score[0], 10);
    EXPECT_EQ(r.hi_name[0], kDefaultName);
  }
  // Scores and hands read, then a date claiming 65535 bytes of a short file.
  std::string f = le16(1);
  for (int i = 0; i < 11; ++i) f += le32(50 + i);
  for (int i = 0; i < 11; ++i) f += le16(1);
  f += le16(8) + "24/01/01" + le16(0xFFFF) + "abc";
  ASSERT_TRUE(write_file_atomic(his(), f));
  load_hi_score(g);
  EXPECT_EQ(r.hi_score[3], 53);
  EXPECT_EQ(r.hi_date[0], "24/01/01");
  EXPECT_EQ(r.hi_date[1], kDefaultDate);
  EXPECT_EQ(r.hi_name[0], kDefaultName);
  // Bytes that are not Shift JIS still give a text.
  f = le16(1) + std::string(44 + 22, '\0');
  for (int i = 0; i < 22; ++i) f += le16(2) + "\xFF\x81";
  ASSERT_TRUE(write_file_atomic(his(), f));
  load_hi_score(g);
  EXPECT_FALSE(r.hi_name[0].empty());
}

TEST_F(HiScore, TiesRankAboveTheOlderEntry) {
  ladder();
  EXPECT_EQ(enter(100), 0);
  EXPECT_EQ(r.hi_score[1], 100);
  EXPECT_EQ(r.hi_name[1], "n0");
  EXPECT_EQ(r.hi_name[0], kNewNameText);
  EXPECT_EQ(r.hi_game[0], 8);
  EXPECT_EQ(r.hi_date[0], "24/05/07");
  EXPECT_EQ(r.hi_score[9], 20);  // the old 10th is gone

  ladder();
  EXPECT_EQ(enter(10), 9);  // equal to the 10th: pushes it out
  EXPECT_EQ(r.hi_name[9], kNewNameText);
  EXPECT_EQ(r.hi_name[8], "n8");
}

TEST_F(HiScore, BelowAllIs99AndChangesNothing) {
  ladder();
  const Records before = r;
  EXPECT_EQ(enter(9), kNotRanked);
  EXPECT_EQ(r.hi_score, before.hi_score);
  EXPECT_EQ(r.hi_name, before.hi_name);
  name_input(g, kNotRanked);
  EXPECT_TRUE(tg.os.dialogs_opened.empty());
  pr_hi_score(g, kNotRanked);
  EXPECT_FALSE(tg.os.drew("★★おぉ!ぎりぎりのランクインだ★★"));
}

TEST_F(HiScore, DatesKeepClearOfTheNames) {
  // Opaque digit cells of one colour each and dark separators, so that every
  // pixel a date covers can be told.
  auto digit = [](int k) { return rgb(10 * k + 1, 41, 7); };
  const Pixel sep = rgb(3, 2, 1);
  Surface& suji = g.scr.picSUJIS;
  for (int y = 0; y < suji.h; ++y)
    for (int x = 0; x < suji.w; ++x) suji.at(x, y) = digit(x / sheet::kSujiW);
  g.scr.picMAI.fill(sep);
  r.hi_date[0] = "26/12/10";
  r.hi_date[1] = "2026/12/10";  // a longer form, as an older table may hold
  pr_hi_score(g, kNotRanked);
  for (int i = 0; i < 2; ++i) {
    const int y = 8 * (14 + 2 * i);
    auto dated = [&](int x) {
      for (int yy = y; yy < y + sheet::kSujiH; ++yy) {
        const Pixel p = g.scr.win.at(x, yy);
        if (p == sep) return true;
        for (int k = 0; k < 12; ++k)
          if (p == digit(k)) return true;
      }
      return false;
    };
    // From column 35 to at least two pixels short of the name at column 48.
    EXPECT_EQ(g.scr.win.at(280, y + 1), digit(2)) << i;
    int covered = -1;
    for (int x = 8 * 48 + 23; x >= 8 * 48 - 2; --x)
      if (dated(x)) covered = x;
    EXPECT_EQ(covered, -1) << i;
    // Day and month stay whole: the last cell is the 0 of the tenth.
    int last = 0;
    for (int x = 280; x < 8 * 48; ++x)
      if (dated(x)) last = x;
    EXPECT_EQ(g.scr.win.at(last, y + 1), digit(0)) << i;
    EXPECT_EQ(g.scr.win.at(last - sheet::kSujiW + 1, y + 1), digit(0)) << i;
  }
  EXPECT_EQ(r.hi_date[1], "2026/12/10");  // only the drawing is shorter
}

TEST_F(HiScore, NegativeScoreEntersAboveLowerOnes) {
  for (int i = 0; i < 10; ++i) r.hi_score[std::size_t(i)] = 5 - 2 * i;
  EXPECT_EQ(enter(-4), 5);
  EXPECT_EQ(r.hi_score[5], -4);
  EXPECT_EQ(r.hi_score[6], -5);
}

TEST_F(HiScore, NameDialogStoresWhatWasTypedEvenEmpty) {
  ladder();
  enter(95);
  tg.os.on_idle = [this](HeadlessPlatform&) {
    ASSERT_TRUE(r.name_waiting);
    frmname_cmdOK(g, "");
  };
  name_input(g, 1);
  EXPECT_EQ(tg.os.dialogs_opened, std::vector<std::string>{"frmname"});
  EXPECT_EQ(r.hi_name[1], "");
  EXPECT_EQ(r.name_flag, 0);
  EXPECT_FALSE(r.name_waiting);
  EXPECT_TRUE(tg.os.drew("★★もうひとがんばりファイト1発★★"));
}

TEST_F(HiScore, QuittingWhileTheNameIsAskedStillStoresTheEntry) {
  // A new first place of 500 after 8 hands, and a fourth place, each quit from
  // the open name dialog by the menu.
  for (int score : {500, 75}) {
    test::TestGame q;
    ASSERT_TRUE(Form_Load(q.g));
    q.os.time_of_day = tg.os.time_of_day;
    Records& qr = q.g.rec;
    for (int i = 0; i < 10; ++i) qr.hi_score[std::size_t(i)] = 100 - 10 * i;
    q.g.t.man_ten = score;
    q.g.t.game_no = 9;
    hi_score_new(q.g);
    const int rank = hi_score_rank(q.g);
    ASSERT_EQ(rank, score == 500 ? 0 : 3);
    q.os.on_idle = [&q](HeadlessPlatform&) { q.g.os.on_menu("mnuend"); };
    EXPECT_THROW(name_input(q.g, rank), QuitRequested);
    Records saved;
    parse_hi_score(read_file(q.dir.file("sekiba_his.bin")).value_or(""), saved);
    EXPECT_EQ(saved.hi_score[std::size_t(rank)], score);
    EXPECT_EQ(saved.hi_game[std::size_t(rank)], 8);
    EXPECT_EQ(saved.hi_name[std::size_t(rank)], "－名前が入力できます－");
    EXPECT_EQ(saved.hi_score[std::size_t(rank) + 1], score == 500 ? 100 : 70);
    // 37 s, 5 min: A 5, B 2, C 9, D 7, P 10, Q 63.
    const auto top_line = read_file(q.dir.file("sekiba_top.jan"));
    if (score == 500) {
      ASSERT_TRUE(top_line);
      EXPECT_EQ(top_line->substr(0, 18), "604,5000,37,504,5,");
    } else {
      EXPECT_FALSE(top_line);
    }
  }
}

TEST_F(HiScore, AMissingTableFileIsCreatedEmptyAtStart) {
  // The fixture's start-up found no file.
  EXPECT_EQ(read_file(his()), std::string());
  // A file without a table (its flag 0) is read as it is.
  ASSERT_TRUE(write_file_atomic(his(), le16(0) + "kept"));
  load_hi_score(g);
  EXPECT_EQ(read_file(his()), le16(0) + "kept");
  EXPECT_TRUE(tg.os.messages.empty());
}

TEST_F(HiScore, ATableReadOnlyInPartIsReportedAndKeptBesideItsSave) {
  ladder();
  for (int i = 0; i < 10; ++i) r.hi_date[std::size_t(i)] = "24/05/0" + std::to_string(i);
  std::string damaged = format_hi_score(r);
  // The length of the fourth date: 68 + 3 x (2 + 8) bytes in; it claims more
  // bytes than the file holds, the texts behind it are intact.
  ASSERT_EQ(damaged.substr(98, 2), le16(8));
  damaged[98] = '\xFF';
  damaged[99] = '\x7F';
  ASSERT_TRUE(write_file_atomic(his(), damaged));
  load_hi_score(g);
  load_hi_score(g);
  ASSERT_EQ(tg.os.messages.size(), 1u);  // once a run
  const std::string copy = tg.dir.file("sekiba_his_damaged.bin");
  EXPECT_NE(tg.os.messages[0].text.find("ﾊｲｽｺｱﾌｧｲﾙを途中までしか読み込めませんでした"), std::string::npos);
  EXPECT_NE(tg.os.messages[0].text.find(copy), std::string::npos);
  EXPECT_EQ(tg.os.messages[0].title, "ﾌｧｲﾙの読み込み");
  EXPECT_EQ(r.hi_score[5], 50);
  EXPECT_EQ(r.hi_date[2], "24/05/02");
  EXPECT_EQ(r.hi_date[3], kDefaultDate);
  EXPECT_FALSE(std::filesystem::exists(copy));  // nothing is written before a save

  EXPECT_EQ(enter(95), 1);
  ASSERT_TRUE(save_hi_score(g));
  EXPECT_EQ(read_file(copy), damaged);
  EXPECT_EQ(read_file(his())->substr(0, format_hi_score(r).size()), format_hi_score(r));
  // A later save has nothing more to keep: the copy stays as it was.
  EXPECT_EQ(enter(99), 1);
  ASSERT_TRUE(save_hi_score(g));
  EXPECT_EQ(read_file(copy), damaged);
  EXPECT_EQ(tg.os.messages.size(), 1u);
}

TEST_F(HiScore, AutomaticPlayNamesTheEntryWithoutAsking) {
  g.t.jidou = 1;
  enter(500);
  name_input(g, 0);
  EXPECT_TRUE(tg.os.dialogs_opened.empty());
  EXPECT_EQ(r.hi_name[0], "AUTO MAN");
}

TEST_F(HiScore, TopRecordOfTheWorkedExample) {
  r.hi_score[0] = 512;
  r.hi_game[0] = 8;
  r.hi_date[0] = "24/05/07";
  r.hi_name[0] = "太郎";
  EXPECT_EQ(top_record(r, 37, 5, 1, 0, 0),
            "616,5120,37,504,5,1,0,0,\"24/05/07\",\"太郎\",64");
  r.hi_score[0] = -20;  // a negative first place writes its minus signs
  EXPECT_EQ(top_record(r, 37, 5, 1, 2, 3).substr(0, 10), "84,-200,37");
}

TEST_F(HiScore, TopFileIsOneShiftJisLineAndIsSent) {
  r.hi_score[0] = 512;
  r.hi_game[0] = 8;
  r.hi_name[0] = "太郎";
  ASSERT_TRUE(top_set(g));
  const std::string bytes = *read_file(top());
  EXPECT_EQ(bytes.substr(0, 18), "616,5120,37,504,5,");
  EXPECT_NE(bytes.find("\"\x91\xBE\x98\x59\""), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

  EXPECT_TRUE(frmsousin_send(g));
  EXPECT_EQ(tg.os.clipboard, top_record(r, 37, 5, kVersionMajor, kVersionMinor, kVersionRevision));
  // No mail to a made-up address: the user is told the line is on the clipboard.
  EXPECT_TRUE(tg.os.shell_opened.empty());
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_NE(tg.os.messages[0].text.find("クリップボード"), std::string::npos);
}

TEST_F(HiScore, SendingWithoutATopFileReportsIt) {
  EXPECT_FALSE(frmsousin_send(g));
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].text, "トップファイルを読み込めませんでした");
  EXPECT_TRUE(tg.os.shell_opened.empty());
  mnusousin_Click(g);
  EXPECT_EQ(tg.os.dialogs_opened.back(), "frmsousin");
}

TEST_F(HiScore, TableOnRequestWaitsAndIsRefusedWhileBusy) {
  g.t.shori_chu = 1;
  mnuhiscore_Click(g);
  EXPECT_FALSE(tg.os.drew("HI･SCORE"));
  g.t.shori_chu = 0;
  tg.os.input.push_back({InputEvent::Kind::KeyDown, 13});
  mnuhiscore_Click(g);
  EXPECT_TRUE(tg.os.drew("HI･SCORE"));
  EXPECT_EQ(g.t.shori_chu, 0);
  EXPECT_TRUE(tg.os.input.empty());
}

TEST_F(HiScore, ChartOfTheHistory) {
  g.t.game_no = 4;
  g.t.score_rireki[0] = 0;
  g.t.score_rireki[1] = 250;
  g.t.score_rireki[2] = 180;
  g.t.score_rireki[3] = 410;
  ChartPlan c = score_chart_plan(g, 1);
  EXPECT_TRUE(c.three_d);
  EXPECT_EQ(c.rows, (std::vector<double>{300, 250, 180, 410}));
  EXPECT_EQ(c.title, "今回のゲームの得点推移表");
  EXPECT_EQ(c.footnote, "得点＝41000  ゲーム数＝4");
  EXPECT_EQ(c.left, 70);
  EXPECT_EQ(c.top, 20);
  EXPECT_FALSE(score_chart_plan(g, 0).three_d);
  g.t.game_no = 30000;  // never read past the history
  EXPECT_EQ(score_chart_plan(g, 0).rows.size(), 501u);

  g.t.game_no = 4;
  tg.os.input.push_back({InputEvent::Kind::KeyDown, 32});
  mnurireki3_Click(g);
  ASSERT_EQ(tg.os.charts.size(), 1u);
  EXPECT_FALSE(tg.os.chart_visible);
  EXPECT_EQ(g.t.shori_chu, 0);
  g.t.shori_chu = 1;
  mnurireki3_Click(g);
  EXPECT_EQ(tg.os.charts.size(), 1u);
}

}  // namespace
}  // namespace sekiba
