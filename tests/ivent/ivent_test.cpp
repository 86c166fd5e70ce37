#include "ivent/ivent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <numeric>

#include "engine/game.h"
#include "engine/setup.h"
#include "engine/startup.h"
#include "screen/draw.h"
#include "screen/screen.h"
#include "test_game.h"

namespace sekiba {
namespace {

constexpr InputEvent key(int vk) { return {InputEvent::Kind::KeyDown, vk}; }
constexpr int kEnterVk = 13, kSpaceVk = 32;

// A hand just dealt to the user as dealer, sound on so the clicks can be counted.
struct Ivent : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;
  Table& t = g.t;

  Ivent() {
    EXPECT_TRUE(Form_Load(g));
    g.s.settei[12] = 0;
    g.rng.seed(77);
    t.kyoku_flag = 1;
    t.oya = 1;
    t.man_junme = 1;
    t.ivent_bou = {1, 1, 1, 1, 1, 0};
    set_shoki2(g);
    set_dora(g);
    haipai_ton(g);
    tg.os.texts.clear();
  }
  int clicks() const {
    int n = 0;
    for (const auto& s : tg.os.sounds) n += s.find("pasi") != std::string::npos;
    return n;
  }
  bool refused() const { return tg.os.drew("今このイベントには入れません｡"); }
  // Answers each wait for a key with the next group of events, so that no event
  // is taken by the yields in between.
  void script(std::vector<std::vector<InputEvent>> steps) {
    auto queue = std::make_shared<std::deque<std::vector<InputEvent>>>(steps.begin(), steps.end());
    tg.os.on_idle = [queue](HeadlessPlatform& os) {
      if (queue->empty()) return;
      for (const auto& ev : queue->front()) os.input.push_back(ev);
      queue->pop_front();
    };
  }
  // How many tiles differ between two hands, as multisets of slots 1..14.
  static int changed_tiles(std::array<Tile, 16> a, std::array<Tile, 16> b) {
    std::sort(a.begin() + 1, a.begin() + 15);
    std::sort(b.begin() + 1, b.begin() + 15);
    std::vector<Tile> only_a;
    std::set_difference(a.begin() + 1, a.begin() + 15, b.begin() + 1, b.begin() + 15,
                        std::back_inserter(only_a));
    return int(only_a.size());
  }
  int tiles_counted() const { return std::accumulate(t.hai_cnt.begin() + 1, t.hai_cnt.begin() + 38, 0); }
};

TEST_F(Ivent, RefusalConditionsPerEvent) {
  struct Case {
    void (*event)(Game&);
    int oya, junme, kind;
  };
  const Case refused_cases[] = {
      {hai_koukan, 2, 1, 2},   // the opponent deals
      {hai_koukan, 1, 2, 2},   // after the first discard
      {rasu_tumo_ch, 1, 19, 1},
      {rasu_tumo_ch, 1, 21, 1},
      {nibai_kake, 1, 5, 3},
  };
  for (const Case& c : refused_cases) {
    tg.os.texts.clear();
    tg.os.sounds.clear();
    t.oya = std::int16_t(c.oya);
    t.man_junme = std::int16_t(c.junme);
    const std::int64_t start = tg.os.clock_ms;
    c.event(g);
    EXPECT_TRUE(refused()) << c.kind << " " << c.junme;
    EXPECT_EQ(t.ivent_bou[std::size_t(c.kind)], 1);
    EXPECT_EQ(t.shori_chu, 0);
    EXPECT_GE(tg.os.clock_ms - start, 1000);
    ASSERT_FALSE(tg.os.sounds.empty());
    EXPECT_NE(tg.os.sounds.back().find("sekiba_pyon"), std::string::npos);
  }
  // The last turn before its draw: no tile to spin yet.
  t.man_junme = 20;
  t.man_hai[14] = kEmpty;
  const int counted = tiles_counted();
  tg.os.texts.clear();
  rasu_tumo_ch(g);
  EXPECT_TRUE(refused());
  EXPECT_EQ(t.ivent_bou[1], 1);
  EXPECT_EQ(t.man_hai[14], kEmpty);
  EXPECT_EQ(tiles_counted(), counted);
  // No stick of its kind: refused at any time.
  t.ivent_bou[0] = 0;
  tg.os.texts.clear();
  dora_rulet(g);
  EXPECT_TRUE(refused());
  EXPECT_EQ(t.ivent_bou[0], 0);
}

TEST_F(Ivent, AllowedOnTheLastTurnsOfEachWindow) {
  t.man_junme = 20;
  EXPECT_TRUE(ivent_allowed(g, 1));
  t.man_junme = 4;
  EXPECT_TRUE(ivent_allowed(g, 3));
  EXPECT_FALSE(ivent_allowed(g, 2));
  EXPECT_TRUE(ivent_allowed(g, 0));
  EXPECT_TRUE(ivent_allowed(g, 4));
}

TEST_F(Ivent, NothingAtAllInALanMatchOrWhileBusy) {
  for (int lan : {1, 0}) {
    t.lan_mode = std::int16_t(lan);
    t.shori_chu = std::int16_t(1 - lan);
    t.ivent_bou[3] = 0;  // would be refused otherwise
    nibai_kake(g);
    com_open_sub(g);
    EXPECT_TRUE(tg.os.texts.empty());
    EXPECT_EQ(t.shori_chu, 1 - lan);
  }
}

TEST_F(Ivent, CancelAndOtherKeysKeepTheStick) {
  // Space, a right click, and an unrelated key ("A").
  const InputEvent answers[] = {key(kSpaceVk), {InputEvent::Kind::MouseDown, 0, 2, 300, 300}, key('A')};
  for (const InputEvent& ev : answers) {
    tg.os.input.push_back(ev);
    nibai_kake(g);
    EXPECT_TRUE(tg.os.drew("上がり点が2倍になります｡"));
    EXPECT_EQ(t.ivent_bou[3], 1);
    EXPECT_EQ(t.bairitu, 1);
    EXPECT_EQ(t.shori_chu, 0);
    EXPECT_TRUE(tg.os.input.empty());
  }
}

TEST_F(Ivent, DoubleScoreSpendsOneStickEachTimeAndDoublesOnce) {
  t.ivent_bou[3] = 2;
  tg.os.input.push_back(key(kEnterVk));
  nibai_kake(g);
  EXPECT_EQ(t.bairitu, 2);
  EXPECT_EQ(t.ivent_bou[3], 1);
  tg.os.input.push_back({InputEvent::Kind::MouseDown, 0, 1, 300, 300});  // a left click runs it too
  nibai_kake(g);
  EXPECT_EQ(t.bairitu, 2);
  EXPECT_EQ(t.ivent_bou[3], 0);
}

TEST_F(Ivent, OpponentsHandShownForFiveSeconds) {
  tg.os.input.push_back(key(kEnterVk));
  const std::int64_t start = tg.os.clock_ms;
  com_open_sub(g);
  EXPECT_GE(tg.os.clock_ms - start, 5000);
  EXPECT_EQ(t.ivent_bou[4], 0);
}

TEST_F(Ivent, DoraRouletteStoppedAtOnceStillRunsThreeToSevenPasses) {
  const int counted = tiles_counted();
  tg.os.input.push_back(key(kEnterVk));  // run
  tg.os.input.push_back(key(kEnterVk));  // stop at the first pass
  const Tile ura = t.ura_dora, kan = t.kan_dora;
  const std::int64_t start = tg.os.clock_ms;
  dora_rulet(g);
  EXPECT_GE(clicks(), 3);
  EXPECT_LE(clicks(), 7);
  EXPECT_GE(tg.os.clock_ms - start, 100 * clicks());
  EXPECT_TRUE(is_tile(t.dora));
  EXPECT_EQ(t.ura_dora, ura);
  EXPECT_EQ(t.kan_dora, kan);
  EXPECT_EQ(tiles_counted(), counted);  // the old indicator given back, the new one counted
  EXPECT_LE(t.hai_cnt[std::size_t(t.dora)], 4);
  EXPECT_EQ(t.ivent_bou[0], 0);
  EXPECT_EQ(t.shori_chu, 0);
}

TEST_F(Ivent, RouletteKeepsSpinningUntilStopped) {
  tg.os.input.push_back(key(kEnterVk));
  for (int i = 0; i < 30; ++i) tg.os.input.push_back(key('Z'));  // not a stop
  tg.os.input.push_back(key(kEnterVk));
  t.man_junme = 20;
  const int counted = tiles_counted();
  rasu_tumo_ch(g);
  EXPECT_GE(clicks(), 10);
  EXPECT_TRUE(is_tile(t.man_hai[14]));
  EXPECT_EQ(tiles_counted(), counted);
  EXPECT_EQ(t.ivent_bou[1], 0);
}

TEST_F(Ivent, DealChangeReplacesTheChosenTiles) {
  const auto before = t.man_hai;
  const int counted = tiles_counted();
  script({{key(kEnterVk)},
          {key('A')},  // slot 1
          {key('A')},  // again: nothing more
          {key(37)},   // Left: the cursor from slot 14 to 13
          {key(kSpaceVk)},
          {key(kEnterVk)}});
  hai_koukan(g);
  EXPECT_EQ(clicks(), 2 + 2);  // two selections, two new tiles
  EXPECT_EQ(tiles_counted(), counted);
  EXPECT_EQ(t.ivent_bou[2], 0);
  EXPECT_LE(changed_tiles(before, t.man_hai), 2);
  EXPECT_TRUE(std::is_sorted(t.man_hai.begin() + 1, t.man_hai.begin() + 15));
  EXPECT_EQ(t.shori_chu, 0);
}

TEST_F(Ivent, DealChangeWithNothingChosenStillSpendsTheStick) {
  const auto before = t.man_hai;
  script({{key(kEnterVk)}, {{InputEvent::Kind::MouseDown, 0, 2, 300, 300}}});
  hai_koukan(g);
  EXPECT_EQ(t.ivent_bou[2], 0);
  EXPECT_EQ(clicks(), 0);
  EXPECT_EQ(changed_tiles(before, t.man_hai), 0);
}

TEST_F(Ivent, StickCapsOnEarning) {
  t.agari_pl = 1;
  t.ivent_bou[0] = 9;
  ivent_bou_add(g, 0, 3);
  EXPECT_EQ(t.ivent_bou[0], 10);
  ivent_bou_add(g, 0, 1);
  EXPECT_EQ(t.ivent_bou[0], 10);
  t.ivent_bou[4] = 0;
  ivent_bou_add(g, 4, 2);
  EXPECT_EQ(t.ivent_bou[4], 2);
  t.agari_pl = 2;  // only the user earns
  ivent_bou_add(g, 4, 1);
  EXPECT_EQ(t.ivent_bou[4], 2);
}

TEST_F(Ivent, PointSticksOf345Units) {
  EXPECT_EQ(tenbou_split(345), (std::array<int, 4>{3, 0, 4, 5}));
  const auto s = tenbou_layout(345);
  ASSERT_EQ(s.size(), 12u);
  EXPECT_EQ(s[0].glyph, 44);
  EXPECT_EQ(s[0].x, 20);
  EXPECT_EQ(s[2].x, 22);
  EXPECT_EQ(s[3].glyph, 42);  // no 5000 sticks, one column of space
  EXPECT_EQ(s[3].x, 24);
  EXPECT_EQ(s[7].glyph, 41);
  EXPECT_EQ(s[7].x, 29);
  EXPECT_EQ(s[11].y, 20);
  EXPECT_EQ(tenbou_split(-345), (std::array<int, 4>{-3, 0, -4, -5}));
  EXPECT_TRUE(tenbou_layout(-345).empty());
}

TEST_F(Ivent, PointSticksWrapAndStopAtTheBottom) {
  const auto s = tenbou_layout(4100);  // 41 sticks of 10000
  ASSERT_EQ(s.size(), 41u);
  EXPECT_EQ(s[39].x, 59);
  EXPECT_EQ(s[40].x, 20);
  EXPECT_EQ(s[40].y, 26);
  EXPECT_LT(tenbou_layout(2000000000).size(), 400u);

  t.man_ten = 345;
  tg.os.input.push_back(key(kEnterVk));
  mnutenbou_Click(g);
  EXPECT_TRUE(tg.os.drew("スコアの点棒です"));
  EXPECT_EQ(t.shori_chu, 0);

  // However large the score, closing the view leaves the table as it was.
  fill_iro(g);
  build_sheets(tg.os, g.scr);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) g.scr.win.at(x, y) = rgb(x % 256, y % 256, 7);
  const Surface before = g.scr.win;
  for (int score : {24000, 2000000000}) {
    t.man_ten = score;
    tg.os.input.push_back(key(kEnterVk));
    mnutenbou_Click(g);
    EXPECT_TRUE(g.scr.win.px == before.px) << score;
  }
}

}  // namespace
}  // namespace sekiba
