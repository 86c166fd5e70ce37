// The decision phase, the operation window and the input table.
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "eval/bunkai.h"
#include "man/man_fixture.h"

namespace sekiba {
namespace {

using namespace test;

TEST_F(ManTest, KeyTableMapsWindowsCodes) {
  struct Case {
    int vk, code;
  } cases[] = {{27, 999}, {65, 1},  {78, 14}, {79, 0},  {97, 1},  {110, 14}, {49, 15},
               {53, 19},  {54, 25}, {13, 20}, {32, 21}, {38, 50}, {40, 51},  {37, 52},
               {39, 53},  {90, 30}, {81, 40}, {89, 90}, {48, 0},  {96, 0}};
  for (const auto& c : cases) {
    Form_KeyDown(g, c.vk);
    EXPECT_EQ(g.man.key_no, c.code) << c.vk;
  }
}

TEST_F(ManTest, ClickAreasAreOpenAtTheirEdges) {
  Form_MouseDown(g, 1, 24 + 1, 345);
  EXPECT_EQ(g.man.mouse_area, 1);
  EXPECT_EQ(g.man.mouse_item, 1);
  Form_MouseDown(g, 1, 24 + 447, 411);
  EXPECT_EQ(g.man.mouse_item, 14);
  Form_MouseDown(g, 1, 24, 370);  // on the edge: outside
  EXPECT_EQ(g.man.mouse_area, 9);
  Form_MouseDown(g, 1, 600, 56 + 4 * 16 + 3);
  EXPECT_EQ(g.man.mouse_area, 2);
  EXPECT_EQ(g.man.mouse_item, 4);
  Form_MouseDown(g, 1, 104 + 4 * 16 + 2, 190);
  EXPECT_EQ(g.man.mouse_area, 3);
  EXPECT_EQ(g.man.mouse_item, 4);
  // A right click on the hand always means the drawn tile; elsewhere nothing.
  Form_MouseDown(g, 2, 40, 370);
  EXPECT_EQ(g.man.mouse_area, 1);
  EXPECT_EQ(g.man.mouse_item, 14);
  EXPECT_EQ(g.man.mouse_button, 2);
  Form_MouseDown(g, 2, 600, 70);
  EXPECT_EQ(g.man.mouse_area, 9);
}

TEST_F(ManTest, KeyInputAnswersKeysAndClicksAndRestoresThePointer) {
  press({key(65), click_slot(3)});
  EXPECT_EQ(key_input(g, 0), 1);
  EXPECT_EQ(key_input(g, 2), kClick);
  EXPECT_EQ(g.man.mouse_item, 3);
  EXPECT_EQ(g.man.mouse_mode, 0);
  EXPECT_EQ(os.pointer, nullptr);
}

TEST_F(ManTest, DealersFirstTurnHasNoDecisionAndNoDraw) {
  g.t.oya = 1;
  g.t.com_junme = 1;
  hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 31, 31, 35, 36}, 37);
  press({key(vk_slot(13))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(last_discard(), 36);
  EXPECT_EQ(g.t.man_junme, 2);
  EXPECT_EQ(count_texts("ポン"), 0);  // the decision window never showed
  EXPECT_GE(count_texts("捨てる"), 1);
  EXPECT_EQ(g.t.hai_cnt[37], 0);  // nothing was drawn
}

TEST_F(ManTest, DealersCompleteHandWinsWithKeyFive) {
  g.t.oya = 1;
  g.t.com_junme = 1;
  hand({1, 2, 3, 11, 12, 13, 21, 22, 23, 31, 31, 35, 35}, 35);
  press({key(vk_digit(5))});
  EXPECT_EQ(man_main(g), 2);
  EXPECT_EQ(g.t.agari_kind, 1);
  EXPECT_EQ(g.t.agari_pl, 1);
}

TEST_F(ManTest, ClickOnDrawnSlotTakesTheHighlightedItemOtherSlotsDoNothing) {
  com_discards({9});
  hand(kRyanmen);
  next_draw(33);
  // Slot 5 is ignored, a right click on the hand means ツモ; then throw slot 14.
  press({click_slot(5), click_slot(2, 2), key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(last_discard(), 33);
}

TEST_F(ManTest, CursorWrapsAndWindowClickChoosesItsRow) {
  com_discards({24});
  hand(kRyanmen);
  next_draw(33);
  // Up from ツモ wraps to 上がり and Down wraps back; Enter then draws.
  press({key(kVkUp), key(kVkDown), key(kVkDown), key(kVkUp), key(kVkEnter), key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(g.man.sousa_mode, 1);
  EXPECT_EQ(last_discard(), 33);
}

TEST_F(ManTest, FailedRonLeavesTheDecisionOpen) {
  com_discards({9});
  hand(kRyanmen);
  next_draw(33);
  press({key(vk_digit(5)), key(vk_slot(14)), key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(g.t.man_hai[14], kEmpty);
}

TEST_F(ManTest, RonOnTheOffersWinningTile) {
  com_discards({9, 26});
  hand(kRyanmen);
  press({click_item(4)});  // the fifth row: 上がり
  EXPECT_EQ(man_main(g), 1);
  EXPECT_EQ(g.t.agari_hai, 26);
  EXPECT_EQ(g.t.agari_kind, 2);
}

TEST_F(ManTest, InRiichiCallsDoNothingAndTheFifthRowIsTheWin) {
  com_discards({26});
  hand(kRyanmen);
  g.t.man_rechi = 3;
  press({key(vk_digit(1)), key(vk_digit(2)), key(vk_digit(3)), click_item(4)});
  EXPECT_EQ(man_main(g), 1);
  EXPECT_EQ(g.t.man_naki_cnt, 1);
  EXPECT_EQ(g.man.sousa_mode, 4);
}

TEST_F(ManTest, RiichiAutomaticProcessingWinsOrDrawsWithoutAsking) {
  g.s.settei[0] = 1;
  com_discards({26});
  hand(kRyanmen);
  g.t.man_rechi = 3;
  os.max_idle_waits = 0;  // no key may be needed
  EXPECT_EQ(man_main(g), 1);

  com_discards({9});
  hand(kRyanmen);
  next_draw(33);
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(last_discard(), 33);
}

TEST_F(ManTest, SpaceBeforeTheTurnHoldsOffTheAutomaticDiscard) {
  g.s.settei[0] = 1;
  com_discards({9});
  hand(kRyanmen);
  g.t.man_rechi = 3;
  next_draw(33);
  Form_KeyDown(g, kVkSpace);
  press({key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(g.man.rechi_jidou_off, 1);
  EXPECT_TRUE(script.empty());  // the user's own key threw the tile
}

TEST_F(ManTest, LastDrawChanceStickKeepsTheTwentiethTurnManual) {
  g.s.settei[0] = 1;
  com_discards({9});
  hand(kRyanmen);
  g.t.man_rechi = 3;
  g.t.man_junme = 20;
  g.t.ivent_bou[1] = 1;
  next_draw(33);
  press({key(vk_slot(14))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_TRUE(script.empty());
}

TEST_F(ManTest, TheAnswerToAPromptFromAFunctionKeyOrTheMenuIsSpentThere) {
  constexpr int kVkF8 = 119, kVkF9 = 120;
  g.show_menu("mnukinou", true);
  g.t.ivent_bou = {1, 1, 1, 1, 1, 0};
  g.t.man_junme = 2;
  // F8 (double score) answered with Enter in the discard phase: no tile goes with it.
  hand(kRyanmen, 9);
  press({key(kVkF8), key(kVkEnter), key(vk_slot(1))});
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 0);
  EXPECT_EQ(g.t.bairitu, 2);
  EXPECT_EQ(last_discard(), 2);
  // F9 (the opponent's hand) answered with Enter in the decision: nothing drawn with it.
  com_discards({33});
  hand(kRyanmen);
  next_draw(9);
  press({key(kVkF9), key(kVkEnter), key(vk_slot(14)), key(vk_slot(1))});
  EXPECT_EQ(man_main(g), 0);
  EXPECT_EQ(last_discard(), 2);
  EXPECT_TRUE(script.empty());
  // The menu's double score, answered with Enter, in the discard phase.
  g.t.bairitu = 1;
  g.t.ivent_bou[3] = 1;
  hand(kRyanmen, 9);
  std::deque<std::function<void(HeadlessPlatform&)>> steps = {
      [](HeadlessPlatform& p) { p.on_menu("mnudouble"); },  // its prompt takes the next step
      [](HeadlessPlatform& p) { p.input.push_back(key(kVkEnter)); },
      [](HeadlessPlatform& p) { p.input.push_back(key(vk_slot(1))); }};
  os.on_idle = [&](HeadlessPlatform& p) {
    if (steps.empty()) return;
    const auto step = steps.front();
    steps.pop_front();
    step(p);
  };
  EXPECT_EQ(man_sute_sub(g, 0, kDrew), 0);
  EXPECT_EQ(g.t.bairitu, 2);
  EXPECT_EQ(last_discard(), 2);
}

// The operation window of each mode: its items from the top, and the frame colour
// of the highlighted one.
TEST_F(ManTest, OperationWindowModesTable) {
  struct Row {
    int mode;
    bool meld;
    std::vector<std::string> items;
    int frame;
  } rows[] = {
      {0, false, {"ツモ", "ポン", "チー", "カン", "上がり"}, 2},
      {1, false, {"捨てる", "カン", "リーチ", "上がり"}, 1},
      {1, true, {"捨てる", "カン", "リーチ", "上がり", "ﾎﾟﾝﾂﾞｹ"}, 1},
      {2, false, {"捨てる", "取消し"}, 3},
      {3, false, {"選択"}, 10},
      {4, false, {"ツモ", "上がり"}, 11},
      {5, false, {"捨てる", "上がり"}, 12},
      {6, false, {"捨てる", "カン"}, 13},
      {7, false, {"捨てる", "カン", "上がり"}, 14},
  };
  for (const Row& row : rows) {
    g.t.man_naki_cnt = 1;
    if (row.meld) add_meld(31, 2);
    const int n = int(row.items.size());
    EXPECT_EQ(sousa_last_item(g, row.mode), n - 1) << row.mode;
    for (int cursor = 0; cursor < n; ++cursor) {
      os.texts.clear();
      sousa_window(g, cursor, row.mode);
      std::vector<std::string> want = {"操　作"};
      want.insert(want.end(), row.items.begin(), row.items.end());
      EXPECT_EQ(os.texts, want) << row.mode;
      // The highlight bar starts two pixels left of the key glyphs (column 67).
      for (int i = 0; i < n; ++i)
        EXPECT_EQ(g.scr.win.at(8 * 67 - 2, 8 * (7 + 2 * i) + 4) == g.scr.iro[std::size_t(row.frame)], i == cursor)
            << row.mode << " " << cursor << " " << i;
    }
  }
}

// Enter on each item of each mode, the cursor moved there with Down. Hands where
// every item's action is possible; after it, A throws the first tile if the
// turn still waits. Decision:  t draw  p pon  c chi  k kan  r ron.
// Discard:  d the tile under the hand cursor thrown  k kan  R riichi  w tsumo
// . nothing.
TEST_F(ManTest, OperationWindowItemsTable) {
  struct Row {
    int mode;
    int inflg;      // -1: the decision phase
    int meld_kind;  // 0 none, else a meld of 31 (a pon) or 36 (an open kan)
    int rechi;
    std::initializer_list<int> tiles;
    int drawn;
    const char* items;
  } rows[] = {
      {0, -1, 0, 0, {5, 5, 5, 4, 6, 15, 16, 17, 27, 28, 29, 9, 9}, kEmpty, "tpckr"},
      {4, -1, 0, 3, {5, 5, 5, 4, 6, 15, 16, 17, 27, 28, 29, 9, 9}, kEmpty, "tr"},
      {1, kDrew, 0, 0, {5, 5, 5, 5, 6, 7, 15, 16, 17, 27, 28, 29, 9}, 9, "dkRw"},
      {1, kDrew, 2, 0, {31, 5, 5, 5, 6, 7, 15, 16, 17, 9}, 9, "dk..k"},
      {5, kDrew, 0, 3, {5, 5, 5, 5, 6, 7, 15, 16, 17, 27, 28, 29, 9}, 9, "dw"},
      {6, kPon, 2, 0, {5, 5, 5, 5, 6, 7, 15, 16, 17, 9, 9}, kEmpty, "dk"},
      {7, kOpenKan, 3, 0, {5, 5, 5, 5, 6, 7, 15, 16, 17, 9}, 9, "dkw"},
  };
  const Table start = g.t;
  for (const Row& row : rows) {
    for (int item = 0; row.items[item] != '\0'; ++item) {
      g.t = start;
      g.t.man_ten = 300;
      g.t.man_rechi = std::int16_t(row.rechi);
      script.clear();
      if (row.meld_kind != 0) add_meld(row.meld_kind == 2 ? 31 : 36, row.meld_kind);
      hand(row.tiles, row.drawn);
      next_draw(33);
      com_discards({5});
      auto kans = [&] {
        int n = 0;
        for (int m = 1; m < g.t.man_naki_cnt; ++m) n += g.t.man_naki_kind[std::size_t(m)] >= 3;
        return n;
      };
      const int kans_before = kans(), melds_before = g.t.man_naki_cnt;
      for (int i = 0; i < item; ++i) press({key(kVkDown)});
      // In riichi only the drawn tile may go.
      press({key(kVkEnter), key(vk_slot(row.rechi != 0 ? 14 : 1))});
      const Tile first = g.t.man_hai[1];
      const Tile under_cursor = g.t.man_hai[std::size_t(kasol_idou(g, 13, 0) + 1)];
      const int r = row.inflg < 0 ? man_main(g) : man_sute_sub(g, 0, row.inflg);

      const char want = row.items[item];
      const std::string where = std::to_string(row.mode) + "/" + std::to_string(item);
      EXPECT_EQ(r, want == 'r' || want == 'w' ? 1 : 0) << where;
      const int kind = g.t.man_naki_kind[std::size_t(melds_before)];
      if (want == 'p') EXPECT_EQ(kind, 2) << where;
      if (want == 'c') EXPECT_EQ(kind, 1) << where;
      EXPECT_EQ(kans(), kans_before + (want == 'k' ? 1 : 0)) << where;
      if (want != 'p' && want != 'c' && want != 'k') EXPECT_EQ(g.t.man_naki_cnt, melds_before) << where;
      if (want == 'd') EXPECT_EQ(last_discard(), under_cursor) << where;
      if (want == 't' || want == '.') EXPECT_EQ(last_discard(), row.rechi != 0 ? 33 : first) << where;
      const int rechi = want == 'R' ? 2 : row.rechi == 0 ? 0 : row.rechi + (r == 0 ? 1 : 0);
      EXPECT_EQ(g.t.man_rechi, rechi) << where;
    }
  }
}

TEST_F(ManTest, WindowShowsAddedKanOnlyWithAMeld) {
  sousa_window(g, 0, 1);
  EXPECT_EQ(sousa_last_item(g, 1), 3);
  EXPECT_EQ(count_texts("ﾎﾟﾝﾂﾞｹ"), 0);
  add_meld(31, 2);
  sousa_window(g, 9, 1);  // a cursor past the end stays on the last item
  EXPECT_EQ(g.man.sousa_cursor, 4);
  EXPECT_EQ(count_texts("ﾎﾟﾝﾂﾞｹ"), 1);
}

}  // namespace
}  // namespace sekiba
