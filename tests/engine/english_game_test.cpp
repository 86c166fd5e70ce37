// A game played in English: with the English catalogue, nothing the game draws
// or shows holds a Japanese character, apart from the tile faces and names the
// player typed or the best ten stored.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "com/com_turn.h"
#include "engine/driver.h"
#include "engine/game.h"
#include "engine/menus.h"
#include "engine/startup.h"
#include "ivent/ivent.h"
#include "man/man.h"
#include "records/hiscore.h"
#include "japanese_text.h"
#include "test_game.h"

namespace sekiba {
namespace {

using test::has_japanese;

constexpr InputEvent kEnter{InputEvent::Kind::KeyDown, 13};
constexpr InputEvent kSpace{InputEvent::Kind::KeyDown, 32};
constexpr InputEvent kPon{InputEvent::Kind::KeyDown, '1'};

TEST(HasJapanese, TellsKanaKanjiAndWideFormsFromEnglish) {
  for (const char* ja : {"ﾘｰﾁ", "ロン", "流局", "ＣＯＭ", "、", "Ron｡"}) EXPECT_TRUE(has_japanese(ja)) << ja;
  for (const char* en : {"", "Riichi", "3 han 40 fu", "é ● ★ →", "Dora: 5"})
    EXPECT_FALSE(has_japanese(en)) << en;
}

std::string joined(const std::vector<std::string>& texts) {
  std::string out;
  for (const auto& t : texts) out += "\n  [" + t + "]";
  return out;
}

// A game whose platform speaks English.
struct EnglishTable {
  test::TestGame tg;
  Game& g = tg.g;

  // Empty when the catalogue is ready, else why there is nothing to check.
  std::string load() {
    if (!tg.os.catalogue.load_file(SEKIBA_CATALOGUE))
      return std::string("no English catalogue at ") + SEKIBA_CATALOGUE;
    if (tg.os.tr("１ゲーム終了です") == "１ゲーム終了です")
      return "the catalogue holds no English for the table's texts yet";
    return {};
  }

  std::vector<std::string> japanese_shown() const {
    // The fallback tile faces are drawn centred, one character each.
    static const std::set<std::string> faces = {"萬", "東", "南", "西", "北", "發", "中"};
    const std::set<std::string> stored = {kDefaultName, kNewNameText, kAutoName};
    std::set<std::string> bad;
    auto check = [&](const std::string& t) {
      if (has_japanese(t) && !stored.count(t)) bad.insert(t);
    };
    for (const auto& t : tg.os.texts) check(t);
    for (const auto& t : tg.os.centered_texts)
      if (!faces.count(t)) check(t);
    for (const auto& m : tg.os.messages) check(m.text), check(m.title);
    for (const auto& c : tg.os.captions) check(c);
    for (const auto& n : tg.os.notices) check(n);
    for (const auto& c : tg.os.charts) check(c.title), check(c.footnote);
    for (const MenuItem& m : menu_table()) check(tg.os.tr(m.caption));
    return {bad.begin(), bad.end()};
  }
};

TEST(EnglishGame, WholeGamesShowNothingJapanese) {
  // Whole games with Enter at every prompt, each in a fresh game (a quit ends
  // a platform's waits for good), until each kind of table event has come.
  bool called = false, riichi = false, won = false, drawn = false;
  for (int n = 0; n < 4 && !(called && riichi && won && drawn); ++n) {
    EnglishTable one;
    if (const std::string why = one.load(); !why.empty()) GTEST_SKIP() << why;
    Game& gg = one.g;
    HeadlessPlatform& os = one.tg.os;
    ASSERT_TRUE(Form_Load(gg));
    gg.s.settei[12] = 1;  // no sound
    gg.rng.seed(std::uint32_t(11 + n));
    const std::string game_over = os.tr("１ゲーム終了です");
    // "1" takes a pon whenever one is offered (and means nothing elsewhere);
    // Enter takes what the operation window proposes.
    os.on_idle = [&](HeadlessPlatform& p) {
      if (gg.rec.name_waiting) return frmname_cmdOK(gg, "test");
      for (const auto& t : p.texts)
        if (t == game_over) return p.quit();
      p.input.push_back(kPon);
      p.input.push_back(kEnter);
    };
    gg.players.man = [&](Game& x) {
      const int r = man_main(x);
      riichi |= x.t.man_rechi != 0;
      called |= x.t.man_naki_cnt > 1;
      won |= x.t.agari_pl != 0;
      return r;
    };
    gg.players.com = [&](Game& x) {
      const int r = com_main(x);
      riichi |= x.t.com_rechi != 0;
      called |= x.t.com_naki_cnt > 1;
      won |= x.t.agari_pl != 0;
      drawn |= x.t.man_junme >= 21 && x.t.com_junme >= 21;
      return r;
    };
    try {
      mnugame_Click(gg);
    } catch (const QuitRequested&) {
    }
    const auto bad = one.japanese_shown();
    EXPECT_TRUE(bad.empty()) << "game " << n << ": " << joined(bad);
  }
  EXPECT_TRUE(called && riichi && won && drawn)
      << "call " << called << " riichi " << riichi << " win " << won << " draw " << drawn;
}

TEST(EnglishGame, EventSticksChartsAndMessageBoxesAreEnglish) {
  EnglishTable e;
  if (const std::string why = e.load(); !why.empty()) GTEST_SKIP() << why;
  test::TestGame& tg = e.tg;
  Game& g = e.g;
  ASSERT_TRUE(Form_Load(g));
  g.s.settei[12] = 1;
  Table& t = g.t;
  tg.os.on_idle = [](HeadlessPlatform& os) { os.input.push_back(kSpace); };
  // Outside a hand every event is refused; in a fresh deal each is offered,
  // and Space answers every prompt.
  for (auto* event : {dora_rulet, rasu_tumo_ch, hai_koukan, nibai_kake, com_open_sub}) event(g);
  t.kyoku_flag = 1;
  t.oya = 1;
  t.man_junme = 1;
  t.ivent_bou = {1, 1, 1, 1, 1, 0};
  for (auto* event : {dora_rulet, rasu_tumo_ch, hai_koukan, nibai_kake, com_open_sub}) event(g);
  tenbou_score(g);
  t.kyoku_flag = 0;
  tg.os.on_idle = [](HeadlessPlatform& os) { os.input.push_back(kEnter); };
  try {
    for (const char* menu : {"mnurireki3", "mnuhiscore", "mnusousin", "mnuauto"}) tg.os.on_menu(menu);
    t.kyoku_flag = 1;  // a game in progress: quitting asks whether to keep it
    tg.os.on_menu("mnuend");
  } catch (const QuitRequested&) {
  }
  EXPECT_FALSE(tg.os.messages.empty());
  const auto bad = e.japanese_shown();
  EXPECT_TRUE(bad.empty()) << joined(bad);
}

}  // namespace
}  // namespace sekiba
