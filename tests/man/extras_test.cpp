// The conveniences a player may switch on: calls offered only when possible,
// refusals explained, hint switches kept, and the file that keeps them.
#include <filesystem>
#include <fstream>

#include "engine/contine.h"
#include "man/man_fixture.h"
#include "platform/fileio.h"

namespace sekiba {
namespace {

using namespace test;

TEST_F(ManTest, PossibleCallsAloneAreOfferedAndADiscardNothingCanUseIsDrawnAtOnce) {
  g.ext.calls_when_possible = true;
  // 9 of characters: no pon, chi, kan or win with this hand. The draw comes
  // without a key; the first key already throws (A: slot 1, the 2).
  com_discards({9});
  hand(kRyanmen);
  next_draw(33);
  press({key(vk_slot(1))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(last_discard(), 2);
  EXPECT_EQ(g.t.hai_cnt[33], 1);  // the drawn tile came from the wall

  // In riichi only a win is on offer: a tile that does not win is drawn too.
  com_discards({9, 8});
  hand(kRyanmen);
  g.t.man_rechi = 3;
  next_draw(33);
  press({key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(last_discard(), 33);
  g.t.man_rechi = 0;

  // 4 of characters with 2-3 in hand: chi only. Down from ツモ lands on チー,
  // past the greyed ポン; a click on ポン does nothing.
  com_discards({9, 8, 4});
  hand({2, 3, 7, 15, 16, 17, 27, 28, 29, 31, 31, 24, 25});
  press({click_item(1), key(kVkDown), key(kVkEnter), key(vk_slot(1))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(g.t.man_naki_cnt, 2);
  EXPECT_EQ(g.t.man_naki_kind[1], 1);  // a chi
}

TEST_F(ManTest, CallOfferFollowsTheHandAndLeavesItAsItWas) {
  hand({2, 2, 2, 3, 5, 15, 16, 17, 27, 28, 29, 31, 31});
  const auto before = g.t.man_hai;
  struct Case {
    int tile;
    bool pon, chi, kan, ron;
  } cases[] = {
      {2, true, false, true, false},   // three in hand: pon and kan; 3-4 missing for chi
      {4, false, true, false, true},   // runs 2-3-4 and 3-4-5; the 4 also wins (2-2-2, 3-4-5)
      {31, true, false, false, false}, // honours never make a run
      {9, false, false, false, false},
  };
  for (const auto& c : cases) {
    const CallOffer o = call_offer(g, Tile(c.tile));
    EXPECT_EQ(o.pon, c.pon) << c.tile;
    EXPECT_EQ(o.chi, c.chi) << c.tile;
    EXPECT_EQ(o.kan, c.kan) << c.tile;
    EXPECT_EQ(o.ron, c.ron) << c.tile;
    EXPECT_EQ(g.t.man_hai, before);
  }
  // No call in riichi, only the win.
  g.t.man_rechi = 2;
  const CallOffer r = call_offer(g, 4);
  EXPECT_FALSE(r.pon || r.chi || r.kan);
  EXPECT_TRUE(r.ron);
}

TEST_F(ManTest, RefusalsSayWhyOnlyWhenAskedTo) {
  auto play = [&] {
    os.notices.clear();
    com_discards({9});
    hand(kRyanmen);
    next_draw(33);
    g.t.man_ten = 5;  // 500 points: too few for riichi
    // Pon, chi and ron on the 9; draw; riichi; win; throw slot 14.
    press({key(vk_digit(1)), key(vk_digit(2)), key(vk_digit(5)), key(vk_slot(14)),
           key(vk_digit(4)), key(vk_digit(5)), key(vk_slot(14))});
    EXPECT_EQ(man_main(g), 0);
  };
  play();
  EXPECT_TRUE(os.notices.empty());

  g.ext.say_refusals = true;
  play();
  const std::vector<std::string> want = {"ポンできる牌がありません", "チーできる牌がありません",
                                         "この牌では上がれません", "リーチには1,000点必要です",
                                         "まだ上がれません"};
  EXPECT_EQ(os.notices, want);

  // An open hand, and a ready hand made furiten by its own discard.
  os.notices.clear();
  g.t.man_ten = 250;
  com_discards({9});
  hand({2, 3, 4, 15, 16, 17, 31, 31, 24, 25});
  add_meld(27, 1);
  next_draw(33);
  press({key(vk_slot(14)), key(vk_digit(4)), key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  g.t.man_naki_cnt = 1;
  com_discards({9});
  hand(kRyanmen);
  man_discards({23});
  next_draw(33);
  press({key(vk_slot(14)), key(vk_digit(4)), key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(g.t.man_rechi, 0);
  const std::vector<std::string> later = {"鳴いた手ではリーチできません", "フリテンのためリーチできません"};
  EXPECT_EQ(os.notices, later);
}

TEST_F(ManTest, HintSwitchesAreKeptFromOneGameToTheNextWhenAsked) {
  TempDir config;
  os.config_dir = config.str();
  load_extras(g);
  osekai_hen(g);
  asist_kun(g);
  set_shoki1(g);  // a new game: the hints start off
  EXPECT_EQ(g.man.osekai_flag, 0);
  EXPECT_EQ(g.man.asist_flag, 0);
  EXPECT_FALSE(file_exists(config.file(kExtrasFile)));  // nothing asked to be kept

  g.ext.keep_hints = true;
  mnuosekai_Click(g);
  set_shoki1(g);
  EXPECT_EQ(g.man.osekai_flag, 1);
  EXPECT_EQ(g.man.asist_flag, 0);
  EXPECT_TRUE(os.menu_check["mnuosekai"]);

  // The next run of the program finds them in its configuration folder.
  TestGame next;
  next.os.config_dir = config.str();
  load_extras(next.g);
  set_shoki1(next.g);
  EXPECT_EQ(next.g.man.osekai_flag, 1);
  EXPECT_EQ(next.g.man.asist_flag, 0);
}

TEST(Extras, FileKeepsEachSwitchAndPassesOverWhatItCannotRead) {
  Extras e;
  e.say_refusals = true;
  e.volume = 35;
  e.muted = true;
  EXPECT_EQ(format_extras(e),
            "calls_when_possible=0\nsay_refusals=1\nkeep_hints=0\nhint_discard=0\nhint_dora=0\n"
            "volume=35\nmuted=1\n");
  const Extras back = parse_extras(format_extras(e));
  EXPECT_TRUE(back.say_refusals);
  EXPECT_EQ(back.volume, 35);
  EXPECT_TRUE(back.muted);

  const Extras odd = parse_extras("volume=150\r\nkeep_hints=2\ngarbage\n calls_when_possible = 1 \n"
                                  "volume=-1\nmuted=yes\nunknown=1\n");
  EXPECT_EQ(odd.volume, 100);
  EXPECT_FALSE(odd.keep_hints);
  EXPECT_TRUE(odd.calls_when_possible);
  EXPECT_FALSE(odd.muted);

  // A game with no configuration folder reads and writes nothing; one with a
  // folder tells the platform its volume and makes the folder on saving.
  TestGame none;
  load_extras(none.g);
  EXPECT_FALSE(save_extras(none.g));
  TestGame t;
  t.os.config_dir = t.dir.file("cfg/sekiba");
  load_extras(t.g);
  EXPECT_EQ(t.os.volume, 100);
  t.g.ext.volume = 20;
  EXPECT_TRUE(save_extras(t.g));
  load_extras(t.g);
  EXPECT_EQ(t.os.volume, 20);
  EXPECT_FALSE(t.os.muted);
}

}  // namespace
}  // namespace sekiba
