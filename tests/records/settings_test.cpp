#include "records/settings.h"

#include <gtest/gtest.h>

#include "lan/lan.h"
#include "platform/fileio.h"
#include "test_game.h"

namespace sekiba {
namespace {

TEST(Settings, MissingFileGivesDefaults) {
  test::TestGame tg;
  tg.g.s.settei.fill(7);
  load_settei(tg.g);
  for (int i = 0; i < 26; ++i) {
    const int expected = (i == 4 || i == 11 || i == 17) ? 1 : 0;
    EXPECT_EQ(tg.g.s.settei[i], expected) << "index " << i;
  }
}

TEST(Settings, ShortFileKeepsDefaultsForTheRest) {
  test::TestGame tg;
  std::string ten;
  for (int i = 0; i < 10; ++i) ten += " 1 \r\n";
  ASSERT_TRUE(write_file_atomic(tg.dir.file("sekiba_set.txt"), ten));
  load_settei(tg.g);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(tg.g.s.settei[i], 1) << i;
  for (int i = 10; i < 25; ++i)
    EXPECT_EQ(tg.g.s.settei[i], (i == 11 || i == 17) ? 1 : 0) << i;
}

TEST(Settings, GarbageStopsReadingSilently) {
  Settings s;
  parse_settei("  1\r\n\t-3   \n x 5\n", s);
  EXPECT_EQ(s.settei[0], 1);
  EXPECT_EQ(s.settei[1], -3);
  EXPECT_EQ(s.settei[2], 0);
  EXPECT_EQ(s.settei[4], 1);  // untouched default
}

TEST(Settings, SaveWritesTheExactLineFormAndReadsBack) {
  test::TestGame tg;
  tg.g.s.settei[0] = 1;
  tg.g.s.settei[3] = -2;
  tg.g.s.settei[11] = 15;
  tg.g.s.settei[24] = 3;
  tg.g.s.settei[25] = 9;  // never stored
  ASSERT_TRUE(settei_save(tg.g));
  auto bytes = read_file(tg.dir.file("sekiba_set.txt"));
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->substr(0, 15), " 1 \r\n 0 \r\n 0 \r\n");
  EXPECT_NE(bytes->find("\r\n-2 \r\n"), std::string::npos);
  EXPECT_NE(bytes->find(" 15 \r\n"), std::string::npos);
  EXPECT_EQ(std::count(bytes->begin(), bytes->end(), '\n'), 25);
  EXPECT_TRUE(tg.os.messages.empty());

  Settings before = tg.g.s;
  tg.g.s.settei.fill(0);
  load_settei(tg.g);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(tg.g.s.settei[i], before.settei[i]) << i;
}

TEST(Settings, FailedWriteShowsTheMessageAndKeepsValues) {
  test::TestGame tg;
  tg.g.t.app_path = tg.dir.file("no/such/folder");
  tg.g.s.settei[5] = 1;
  EXPECT_FALSE(settei_save(tg.g));
  ASSERT_EQ(tg.os.messages.size(), 1u);
  EXPECT_EQ(tg.os.messages[0].text, "設定ﾌｧｲﾙを書き込めませんでした");
  EXPECT_EQ(tg.os.messages[0].title, "ﾌｧｲﾙの書き込み");
  EXPECT_EQ(tg.os.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(tg.g.s.settei[5], 1);
}

TEST(Settings, ALanHostsOptionsAreNeverSavedAndTheUsersOwnComeBack) {
  test::TestGame tg;
  Settings& s = tg.g.s;
  s.settei[7] = 1;
  s.settei[13] = 1;
  std::array<std::int16_t, 20> host{};
  host[4] = host[11] = host[17] = 1;
  settei_take_host(s, host);
  EXPECT_EQ(s.settei[7], 0);
  s.settei[11] = 10;  // the user's own change during the match
  ASSERT_TRUE(settei_save(tg.g));
  settei_take_host(s, host);  // the match's next game
  Settings in_file;
  parse_settei(read_file(tg.dir.file("sekiba_set.txt")).value_or(""), in_file);
  mnulane_Click(tg.g);
  for (const Settings* own : {&in_file, &s}) {
    EXPECT_EQ(own->settei[7], 1);
    EXPECT_EQ(own->settei[13], 1);
    EXPECT_EQ(own->settei[11], 10);
  }
}

TEST(Settings, DialogRulesMapValueTwo) {
  const SetteiGroup* rule_a = nullptr;
  const SetteiGroup* rule_b = nullptr;
  for (const auto& grp : kSetteiGroups) {
    if (grp.setting == 7) rule_a = &grp;
    if (grp.setting == 12) rule_b = &grp;
  }
  ASSERT_TRUE(rule_a && rule_b);
  // Rule A: anything non-zero shows option 0 and is stored back as 1.
  EXPECT_EQ(settei_option_for(*rule_a, 2), 0);
  EXPECT_EQ(settei_value_for(*rule_a, 0), 1);
  EXPECT_EQ(settei_option_for(*rule_a, 0), 1);
  EXPECT_EQ(settei_value_for(*rule_a, 1), 0);
  // Rule B: only exactly 1 shows option 1; 2 shows option 0 and is stored as 0.
  EXPECT_EQ(settei_option_for(*rule_b, 2), 0);
  EXPECT_EQ(settei_value_for(*rule_b, 0), 0);
  EXPECT_EQ(settei_option_for(*rule_b, 1), 1);
  EXPECT_EQ(settei_value_for(*rule_b, 1), 1);
}

TEST(Settings, DialogGroupsCoverEachEditableSettingOnce) {
  std::array<int, 26> seen{};
  for (const auto& grp : kSetteiGroups) ++seen[std::size_t(grp.setting)];
  for (int i = 0; i < 26; ++i) {
    const bool editable = i <= 19 && i != 10 && i != 11;
    EXPECT_EQ(seen[i], editable ? 1 : 0) << i;
  }
}

}  // namespace
}  // namespace sekiba
