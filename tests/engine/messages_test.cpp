// Every message box the program shows: its text, title, buttons and icon, each
// brought about the way a player would meet it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "com/think.h"
#include "engine/contine.h"
#include "engine/game.h"
#include "engine/startup.h"
#include "engine/tumikomi.h"
#include "eval/yaku.h"
#include "lan/lan.h"
#include "platform/fileio.h"
#include "records/hiscore.h"
#include "records/settings.h"
#include "screen/capture.h"
#include "test_game.h"

namespace sekiba {
namespace {

struct Case {
  const char* what;
  std::function<void(test::TestGame&)> bring_about;
  const char* text;
  const char* title;
  MessageButtons buttons;
  MessageIcon icon;
};

// Nothing can be written below a plain file, whoever runs the tests.
void unwritable(test::TestGame& tg) {
  ASSERT_TRUE(write_file_atomic(tg.dir.file("plain"), "x"));
  tg.g.t.app_path = tg.dir.file("plain");
}

void saved_game(test::TestGame& tg) {
  tg.g.t.man_ten = 250;
  ASSERT_TRUE(save_contine(tg.g, 1));
}

TEST(Messages, EveryTextTitleButtonAndIcon) {
  constexpr auto Ok = MessageButtons::Ok, YesNo = MessageButtons::YesNo;
  constexpr auto Warn = MessageIcon::Warning, Info = MessageIcon::Information, None = MessageIcon::None;
  const Case cases[] = {
      {"second copy", [](test::TestGame& tg) { tg.os.other_instance = true; Form_Load(tg.g); },
       "翠嶺牌戯はすでに起動しています", "ｱﾌﾟﾘｹｰｼｮﾝの起動", Ok, Warn},
      {"offer to continue",
       [](test::TestGame& tg) { saved_game(tg); tg.os.answers.push_back(MessageAnswer::No); contine_sel(tg.g); },
       "ゲームのデータをロードしますか？", "データのロード", YesNo, Info},
      {"restart in the first hand",
       [](test::TestGame& tg) {
         saved_game(tg);
         tg.g.t.shoki_flag = 1;
         tg.g.t.kyoku_flag = 1;
         tg.g.rec.game_started = true;
         EXPECT_THROW(contine_sel(tg.g), QuitRequested);
       },
       "１ゲームもせずにゲームを再スタート出来ません。強制終了します。", "再スタートエラー", Ok, Warn},
      {"damaged continue file",
       [](test::TestGame& tg) {
         saved_game(tg);
         std::string b = read_file(tg.dir.file("sekiba_cos.bin")).value();
         b[14] = char(b[14] + 1);
         ASSERT_TRUE(write_file_atomic(tg.dir.file("sekiba_cos.bin"), b));
         set_shoki1(tg.g);
       },
       "セーブデータが異常です。最初からゲームを行います。", "ﾌｧｲﾙの読み込み", Ok, None},
      {"continue file", [](test::TestGame& tg) { unwritable(tg); save_contine(tg.g, 1); },
       "ｺﾝﾃｨﾆｭｰﾌｧｲﾙを書き込めませんでした", "ﾌｧｲﾙの書き込み", Ok, None},
      {"quitting in the first hand",
       [](test::TestGame& tg) {
         tg.g.rec.game_started = true;
         tg.g.t.kyoku_flag = 1;
         tg.g.t.shoki_flag = 1;
         game_save(tg.g);
       },
       "ゲームをしていないのでデータをクリアして終了します。", "データのセーブ", Ok, Warn},
      {"quitting later",
       [](test::TestGame& tg) {
         tg.g.rec.game_started = true;
         tg.g.t.kyoku_flag = 1;
         tg.g.t.shoki_flag = 0;
         tg.os.answers.push_back(MessageAnswer::No);
         game_save(tg.g);
       },
       "ゲームのデータをセーブしますか？", "データのセーブ", YesNo, Info},
      {"stacking patterns", [](test::TestGame& tg) { unwritable(tg); tumikomi_save(tg.g); },
       "積み込みﾃﾞｰﾀﾌｧｲﾙを書き込めませんでした", "ﾌｧｲﾙの書き込み", Ok, None},
      {"yaku counts", [](test::TestGame& tg) { unwritable(tg); save_yaku_cnt(tg.g); },
       "上がり役累積ﾌｧｲﾙを書き込めませんでした", "ﾌｧｲﾙの書き込み", Ok, None},
      {"thinking settings", [](test::TestGame& tg) { unwritable(tg); shikou_save(tg.g); },
       "思考法ﾌｧｲﾙを書き込めませんでした", "ﾌｧｲﾙの書き込み", Ok, None},
      {"partner list", [](test::TestGame& tg) { unwritable(tg); lan_aite_save(tg.g); },
       "ＬＡＮ対戦相手のホストネームを書き込めませんでした", "ﾌｧｲﾙの書き込み", Ok, None},
      {"settings", [](test::TestGame& tg) { unwritable(tg); settei_save(tg.g); },
       "設定ﾌｧｲﾙを書き込めませんでした", "ﾌｧｲﾙの書き込み", Ok, None},
      {"best ten", [](test::TestGame& tg) { unwritable(tg); save_hi_score(tg.g); },
       "ﾊｲｽｺｱﾌｧｲﾙを書き込めませんでした", "ﾌｧｲﾙの書き込み", Ok, None},
      {"top data", [](test::TestGame& tg) { unwritable(tg); top_set(tg.g); },
       "ﾄｯﾌﾟﾌｧｲﾙを書き込みませんでした", "ﾄｯﾌﾟﾌｧｲﾙ書き込み", Ok, None},
      {"sending without top data", [](test::TestGame& tg) { frmsousin_send(tg.g); },
       "トップファイルを読み込めませんでした", "ﾌｧｲﾙの読み込み", Ok, None},
      {"LAN match without a partner", [](test::TestGame& tg) { mnuhost_Click(tg.g); },
       "ＬＡＮ対戦の相手が決まっていません。\n「相手(A)」で相手のコンピュータ名を設定して下さい。", "LAN対戦", Ok,
       Warn},
      {"a settings file that cannot be read",
       [](test::TestGame& tg) {
         std::filesystem::create_directory(tg.dir.file("sekiba_set.txt"));
         load_settei(tg.g);
         load_settei(tg.g);  // told once a run
       },
       "設定ﾌｧｲﾙを読み込めませんでした。\n{dir}/sekiba_set.txt\n初期値で続けます。このファイルは置き換えられないため、保存できません。",
       "ﾌｧｲﾙの読み込み", Ok, Warn},
      {"sending the top data",
       [](test::TestGame& tg) {
         ASSERT_TRUE(write_file_atomic(tg.dir.file("sekiba_top.jan"), "1,2,3\r\n"));
         frmsousin_send(tg.g);
       },
       "TOPデータをクリップボードにコピーしました。", "TOPデータの送信", Ok, Info},
      {"screen capture", [](test::TestGame& tg) { unwritable(tg); mnucap_Click(tg.g); },
       "ｷｬﾌﾟﾁｬｰ画面を書き込めませんでした", "ﾌｧｲﾙの書き込み", Ok, None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TestGame tg;
    tg.os.time_of_day = LocalTime{2024, 5, 7, 21, 43, 7};
    c.bring_about(tg);
    ASSERT_EQ(tg.os.messages.size(), 1u);
    const auto& m = tg.os.messages[0];
    std::string text = c.text;
    if (const auto at = text.find("{dir}"); at != std::string::npos) text.replace(at, 5, tg.dir.str());
    EXPECT_EQ(m.text, text);
    EXPECT_EQ(m.title, c.title);
    EXPECT_EQ(m.buttons, c.buttons);
    if (c.icon != None) {
      EXPECT_EQ(m.icon, c.icon);
    }
  }
}

}  // namespace
}  // namespace sekiba
