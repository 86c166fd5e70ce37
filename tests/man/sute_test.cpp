// The discard phase: riichi and its refusals, the riichi turn, furiten.
#include <string>
#include <vector>

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

TEST_F(RiichiTest, FuritenBannerStaysReadableWithoutTheFlashing) {
  // The furiten word (row 4 of the result labels, 100 x 40) at column 29, row 21.
  auto banner_shown = [&] {
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 100; ++x)
        if (g.scr.win.at(232 + x, 168 + y) != g.scr.picRON.at(x, 160 + y)) return false;
    return true;
  };
  // Each wait ends with the clock moved on; the banner stood through the waits
  // that end with it still shown.
  std::int64_t first = -1, last = -1, wait_began = os.clock_ms;
  os.after_events = [&] {
    if (banner_shown()) {
      if (first < 0) first = wait_began;
      last = os.clock_ms;
    }
    wait_began = os.clock_ms;
  };
  man_discards({23});
  g.s.settei[1] = 0;
  g.s.settei[12] = 0;
  press({key(vk_digit(4)), key(vk_slot(14))});
  man_sute_sub(g, 0, kDrew);
  EXPECT_EQ(g.t.man_rechi, 0);
  ASSERT_GE(first, 0) << "the refusal was never on the screen";
  EXPECT_GE(last - first, 900);
  EXPECT_LE(last - first, 1500);
  EXPECT_FALSE(banner_shown());
  EXPECT_EQ(count_sounds("sekiba_wave_pasi"), 1);  // the discard's click: no flashing
}

TEST_F(RiichiTest, FirstTurnRiichiIsDouble) {
  man_discards({});
  g.t.man_junme = 1;
  press({key(vk_digit(4)), key(vk_slot(14))});
  man_sute_sub(g, 0, kDrew);
  EXPECT_EQ(g.t.man_daburi, 1);
}

// 十三不塔 holds for the fourteen tiles of the first turn only: thrown, its tile
// is no wait, so neither double riichi nor tenpai at the draw follows.
TEST_F(ManTest, NoFirstTurnRiichiOnTheThirteenUnconnectedShape) {
  man_discards({});
  g.t.man_ten = 100;
  hand({4, 7, 11, 14, 17, 21, 24, 27, 31, 32, 33, 35, 35}, 1);
  press({key(vk_digit(4)), key(vk_slot(14))});
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 0);
  EXPECT_EQ(last_discard(), 1);
  EXPECT_EQ(g.t.man_rechi, 0);
  EXPECT_EQ(g.t.man_daburi, 0);
  EXPECT_EQ(g.t.man_ten, 100);
  EXPECT_EQ(man_nagare_tenpai(g), 0);
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

// What each key does in the discard phase, by the turn's action before it and by
// the kan made earlier in the same phase; every hand is one on which the key's
// action would be possible. Keys in order 上がり (5), リーチ (4), カン (3), ﾎﾟﾝﾂﾞｹ (6):
//   w a tsumo win      W a win on a kan's replacement tile (rinshan_flag 1)
//   r riichi declared  k a kan made      . nothing (the tile is then thrown)
TEST_F(ManTest, DiscardPhaseDecisionTable) {
  struct Row {
    int inflg;
    const char* by_kan[3];  // no kan, a closed kan, an added kan before the key
  } rows[] = {
      {kNoDecision, {"wrkk", "Wrkk", "W.kk"}},
      {kDrew, {"wrkk", "Wrkk", "W.kk"}},
      {kPon, {"..kk", "..kk", "..kk"}},
      {kChi, {"..kk", "..kk", "..kk"}},
      {kOpenKan, {"W.kk", "W.kk", "W.kk"}},
  };
  const int key_digit[4] = {5, 4, 3, 6};
  g.t.man_ten = 300;
  const Table start = g.t;
  for (const Row& row : rows) {
    for (int kan = 0; kan < 3; ++kan) {
      for (int k = 0; k < 4; ++k) {
        g.t = start;
        g.yaku.rinshan_flag = 0;
        script.clear();
        // Melds: the call of the decision, the pon an added kan extends, the
        // pon ﾎﾟﾝﾂﾞｹ extends.
        if (row.inflg == kPon) add_meld(35, 2);
        if (row.inflg == kChi) add_meld(21, 1);
        if (row.inflg == kOpenKan) add_meld(36, 3);
        if (kan == 2) add_meld(33, 2);
        if (k == 3) add_meld(34, 2);
        const int melds = g.t.man_naki_cnt - 1;
        std::vector<int> tiles;
        if (kan == 1) tiles.insert(tiles.end(), {7, 7, 7, 7});
        if (kan == 2) tiles.push_back(33);
        if (k == 2) tiles.insert(tiles.end(), {5, 5, 5, 5});
        if (k == 3) tiles.push_back(34);
        const std::size_t size = std::size_t(14 - 3 * melds);
        if (k <= 1) {
          // Complete once the kan's replacement (a 9) is in, or as it stands.
          const std::size_t nines = kan == 0 ? 2 : 1;
          for (int t : {2, 3, 4, 15, 16, 17, 27, 28, 29, 11, 12, 13})
            if (tiles.size() + nines < size) tiles.push_back(t);
          tiles.push_back(9);
          if (kan == 0) tiles.push_back(9);
        } else {
          for (int t : {2, 3, 4, 15, 16, 17, 27, 28, 29, 11, 12, 13, 24, 25})
            if (tiles.size() < size) tiles.push_back(t);
        }
        ASSERT_EQ(tiles.size(), size);
        // The last tile is the one just drawn, unless the turn drew none.
        const bool drew = row.inflg != kPon && row.inflg != kChi;
        g.t.man_hai.fill(kEmpty);
        for (std::size_t i = 0; i + (drew ? 1 : 0) < tiles.size(); ++i) g.t.man_hai[i + 1] = Tile(tiles[i]);
        man_hai_sort(g);
        if (drew) g.t.man_hai[14] = Tile(tiles.back());
        next_draw(9);
        auto slot_of = [&](int tile) {
          for (int i = 1; i <= 14; ++i)
            if (g.t.man_hai[std::size_t(i)] == tile) return i;
          return 0;
        };
        if (kan == 1) press({key(vk_digit(3))});
        if (kan == 1 && k == 2) press({key(vk_slot(slot_of(7)))});  // two closed kans: take the 7s
        if (kan == 2) press({key(vk_digit(6))});
        if (kan == 2 && k == 3) press({key(vk_slot(slot_of(33)))});  // two pons to extend: the 33
        press({key(vk_digit(key_digit[k])), key(vk_slot(1))});

        const char want = row.by_kan[kan][k];
        const std::string where = std::to_string(row.inflg) + "/" + std::to_string(kan) + "/" + std::to_string(k);
        auto kans = [&] {
          int n = 0;
          for (int m = 1; m < g.t.man_naki_cnt; ++m) n += g.t.man_naki_kind[std::size_t(m)] >= 3;
          return n - (row.inflg == kOpenKan ? 1 : 0);
        };
        const int r = man_sute_sub(g, 0, row.inflg);
        EXPECT_EQ(r, want == 'w' || want == 'W' ? 1 : 0) << where;
        if (r == 1) EXPECT_EQ(g.yaku.rinshan_flag, want == 'W' ? 1 : 0) << where;
        EXPECT_EQ(g.t.man_rechi, want == 'r' ? 2 : 0) << where;
        EXPECT_EQ(kans(), (kan != 0 ? 1 : 0) + (want == 'k' ? 1 : 0)) << where;
      }
    }
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
