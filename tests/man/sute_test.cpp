// The discard phase: riichi and its refusals, the riichi turn, furiten.
#include "eval/bunkai.h"
#include "man/man_fixture.h"

namespace sekiba {
namespace {

using namespace test;

// kRyanmen plus a loose 9 drawn: throwing the 9 leaves a ready hand.
struct RiichiTest : ManTest {
  RiichiTest() {
    com_discards({33});
    man_discards({35, 36});
    hand(kRyanmen, 9);
  }
};

TEST_F(RiichiTest, RiichiWithTheChosenTile) {
  g.t.man_ten = 100;
  press({key(vk_digit(4)), key(vk_slot(14))});
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 0);
  EXPECT_EQ(last_discard(), 9);
  EXPECT_EQ(g.t.man_rechi, 2);
  EXPECT_EQ(g.t.man_ten, 90);
  EXPECT_EQ(g.t.rechi_bou, 1);
  EXPECT_EQ(g.t.man_daburi, 0);
}

TEST_F(RiichiTest, ShortOfPointsShowsTheBannerButALanMatchAllowsIt) {
  g.t.man_ten = 9;
  g.s.settei[12] = 0;
  press({key(vk_digit(4)), key(vk_slot(14))});
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 0);
  EXPECT_EQ(count_sounds("sekiba_wave_fusoku"), 1);
  EXPECT_EQ(g.t.man_rechi, 0);

  hand(kRyanmen, 9);
  g.t.lan_mode = 1;
  press({key(vk_digit(4)), key(vk_slot(14))});
  man_sute_sub(g, 0, kDrew);
  EXPECT_EQ(g.t.man_rechi, 2);
  EXPECT_EQ(g.t.man_ten, -1);  // a LAN match may go below zero
}

TEST_F(RiichiTest, OpenMeldOrLateTurnRefusesSilently) {
  g.t.man_ten = 100;
  add_meld(31, 2);
  hand({2, 3, 4, 15, 16, 17, 27, 28, 29, 24, 25}, 9);
  press({key(vk_digit(4)), key(vk_slot(14))});
  man_sute_sub(g, 0, kDrew);
  EXPECT_EQ(g.t.man_rechi, 0);
  EXPECT_EQ(count_texts("取消し"), 0);

  g.t.man_naki_cnt = 1;
  hand(kRyanmen, 9);
  g.t.oya = 2;
  g.t.man_junme = 20;  // the non-dealer's last discard
  press({key(vk_digit(4)), key(vk_slot(14))});
  man_sute_sub(g, 0, kDrew);
  EXPECT_EQ(g.t.man_rechi, 0);
}

TEST_F(RiichiTest, CancelReturnsWithTheCursorOnRiichi) {
  press({key(vk_digit(4)), key(vk_digit(4))});
  press({key(kVkEnter)});  // Enter on リーチ opens the choice again
  press({key(kVkDown), key(kVkEnter)});  // 取消し by the window
  press({key(vk_slot(1))});
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 0);
  EXPECT_EQ(g.man.sousa_mode, 1);
  EXPECT_EQ(g.man.sousa_cursor, 2);
  EXPECT_EQ(last_discard(), 2);
  EXPECT_EQ(g.t.man_rechi, 0);
}

TEST_F(RiichiTest, NotReadyAfterTheDiscardIsAPlainDiscard) {
  press({key(vk_digit(4)), key(vk_slot(1))});
  man_sute_sub(g, 0, kDrew);
  EXPECT_EQ(last_discard(), 2);
  EXPECT_EQ(g.t.man_rechi, 0);
  EXPECT_EQ(g.t.man_ten, 300);
}

TEST_F(RiichiTest, FuritenRiichiShowsTheTileAndStaysADiscard) {
  man_discards({23});
  g.s.settei[1] = 1;
  g.s.settei[12] = 0;
  press({key(vk_digit(4)), key(vk_slot(14))});
  man_sute_sub(g, 0, kDrew);
  EXPECT_EQ(g.t.man_rechi, 0);
  EXPECT_EQ(count_sounds("sekiba_wave_pasi"), 16 + 1);  // eight flashes, then the discard
}

TEST_F(RiichiTest, FirstTurnRiichiIsDouble) {
  man_discards({});
  g.t.man_junme = 1;
  press({key(vk_digit(4)), key(vk_slot(14))});
  man_sute_sub(g, 0, kDrew);
  EXPECT_EQ(g.t.man_daburi, 1);
}

TEST_F(RiichiTest, WaitsAreShownAfterTheRiichiDiscard) {
  g.s.settei[3] = 1;
  press({key(vk_digit(4)), key(vk_slot(14)), key(kVkSpace)});
  man_sute_sub(g, 0, kDrew);
  EXPECT_EQ(count_texts("待ち牌"), 1);
  EXPECT_TRUE(script.empty());  // the display waited for the key
}

TEST_F(ManTest, RiichiTurnThrowsOnlyTheDrawnTile) {
  hand(kRyanmen, 9);
  g.t.man_rechi = 3;
  // A..M, a click on slot 3 and 捨てる on another slot do nothing; then a right
  // click on the hand throws the drawn tile.
  press({key(vk_slot(1)), key(vk_slot(13)), click_slot(3), key(kVkLeft), key(kVkEnter),
         click_slot(7, 2)});
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 0);
  EXPECT_EQ(last_discard(), 9);
  EXPECT_EQ(g.t.man_rechi, 4);
}

TEST_F(ManTest, NoWinAfterAPonOrChi) {
  add_meld(31, 2);
  for (int inflg : {kPon, kChi}) {
    // Eleven tiles and the pon of 31: a complete shape, but no tile was drawn.
    hand({2, 3, 4, 15, 16, 17, 24, 25, 33, 33}, 23);
    press({key(vk_digit(5)), key(vk_slot(1))});
    EXPECT_EQ(man_sute_sub(g, 0, inflg), 0) << inflg;
    EXPECT_EQ(g.man.sousa_mode, 6) << inflg;
    EXPECT_EQ(last_discard(), 2) << inflg;
  }
}

TEST_F(ManTest, FuritenRonRefusedButTsumoWins) {
  man_discards({26});
  com_discards({23});
  hand(kRyanmen);
  g.s.settei[1] = 0;
  EXPECT_EQ(man_ron(g, 23), 0);
  EXPECT_EQ(g.t.man_hai[14], kEmpty);
  EXPECT_EQ(count_texts("フリテン"), 0);  // the banner is a picture, not text

  next_draw(23);
  // Ron refused again in the turn, then the same tile drawn wins by tsumo.
  press({key(vk_digit(5)), key(vk_slot(14)), key(vk_digit(5))});
  EXPECT_EQ(man_main(g), 2);
  EXPECT_EQ(g.t.agari_hai, 23);
}

TEST_F(ManTest, PassingAWinningTileIsNotFuriten) {
  com_discards({23});
  hand(kRyanmen);
  next_draw(9);
  press({key(vk_slot(14)), key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(man_ron(g, 26), 1);
}

TEST_F(ManTest, FlashingCountsEightBlinksOfEveryCopy) {
  g.s.settei[12] = 0;
  g.s.settei[1] = 1;
  man_discards({23, 5, 23});
  Tile f = 23;
  furiten_pr(g, f);
  EXPECT_EQ(count_sounds("sekiba_wave_pasi"), 16);
  g.s.settei[1] = 0;
  furiten_pr(g, f);
  EXPECT_EQ(count_sounds("sekiba_wave_pasi"), 16);
  g.t.jidou = 1;
  g.s.settei[1] = 1;
  furiten_pr(g, f);
  EXPECT_EQ(count_sounds("sekiba_wave_pasi"), 16);
}

TEST_F(ManTest, HelpBoxOfASingleWaitIsDrawnAsForTwo) {
  hand({1, 1, 1, 2, 3, 4, 5, 6, 7, 11, 11, 11, 37});
  EXPECT_EQ(help_kazu(g), 1);
  press({key(kVkEnter)});
  help_mode(g);
  EXPECT_EQ(count_texts("待ち牌"), 1);
}

TEST_F(ManTest, LastDiscardRonForTheUserDealing) {
  g.t.oya = 1;
  hand(kRyanmen);
  com_discards({9, 26});
  os.max_idle_waits = 0;
  EXPECT_EQ(saigo_furi_check(g), 1);
  EXPECT_EQ(g.t.teban, 1);
  EXPECT_EQ(g.t.agari_pl, 1);

  hand(kRyanmen);
  man_discards({23});
  EXPECT_EQ(saigo_furi_check(g), 0);  // furiten: the hand is drawn
}

TEST_F(ManTest, LastDiscardRonForTheOpponentWithoutRiichi) {
  g.t.oya = 2;
  g.t.com_hai.fill(kEmpty);
  const int com[] = {2, 3, 4, 15, 16, 17, 27, 28, 29, 31, 31, 24, 25};
  for (int i = 0; i < 13; ++i) g.t.com_hai[std::size_t(i + 1)] = Tile(com[i]);
  g.com.com_tenpai_flg = 1;
  man_discards({35, 26});
  EXPECT_EQ(saigo_furi_check(g), 1);
  EXPECT_EQ(g.t.teban, 2);
  EXPECT_EQ(g.t.agari_pl, 2);
  EXPECT_EQ(g.t.agari_hai, 26);

  man_discards({35, 9});
  EXPECT_EQ(saigo_furi_check(g), 0);
  EXPECT_EQ(g.t.com_hai[14], kEmpty);
}

}  // namespace
}  // namespace sekiba
