// Announcing a yaku on the table's yaku list, with its voice.
#include <array>
#include <cstdint>

#include "engine/game.h"
#include "engine/waits.h"
#include "eval/yaku.h"
#include "screen/draw.h"

namespace sekiba {

namespace {

constexpr std::array<const char*, kYakuCodes> kVoices = {
    "\\sekiba_yaku_sisan",    "\\sekiba_yaku_kokusi",  "\\sekiba_yaku_sukan",   "\\sekiba_yaku_suan",
    "\\sekiba_yaku_daisan",   "\\sekiba_yaku_tuiso",   "\\sekiba_yaku_chinro",  "\\sekiba_yaku_daisu",
    "\\sekiba_yaku_shousu",   "\\sekiba_yaku_ryuiso",  "\\sekiba_yaku_tenho",   "\\sekiba_yaku_chiho",
    "\\sekiba_yaku_churen",   "\\sekiba_yaku_daisha",  "\\sekiba_yaku_koku13",  "\\sekiba_yaku_sutan",
    "",                       "",                      "",                      "",
    "\\sekiba_yaku_chinitu",  "\\sekiba_yaku_honitu",  "\\sekiba_yaku_ryanpei", "\\sekiba_yaku_junchan",
    "\\sekiba_yaku_chitoi",   "\\sekiba_yaku_shousan", "\\sekiba_yaku_sankantu", "\\sekiba_yaku_sananko",
    "\\sekiba_yaku_honrou",   "\\sekiba_yaku_doupon",  "\\sekiba_yaku_toitoi",  "\\sekiba_yaku_chanta",
    "\\sekiba_yaku_itu",      "\\sekiba_yaku_sansiki", "\\sekiba_yaku_ipeikou", "\\sekiba_yaku_tanyao",
    "\\sekiba_yaku_pinfu",    "\\sekiba_yaku_ton",     "\\sekiba_yaku_nan",     "\\sekiba_yaku_haku",
    "\\sekiba_yaku_hatu",     "\\sekiba_yaku_chun",    "\\sekiba_yaku_daburi",  "\\sekiba_yaku_richi",
    "\\sekiba_yaku_ipatu",    "\\sekiba_yaku_haitei",  "\\sekiba_yaku_haitei",  "\\sekiba_yaku_tumo",
    "\\sekiba_yaku_dora",     "\\sekiba_yaku_rinshan", "\\sekiba_yaku_dora",
};

// The names of the statistics window: stored and counted in Japanese, put into
// the player's language only where they are shown.
constexpr std::array<const char*, kYakuCodes> kNames = {
    N_("十三不塔"), N_("国士無双"), N_("四槓子"), N_("四暗刻"), N_("大三元"), N_("字一色"),
    N_("清老頭"), N_("大四喜"), N_("小四喜"), N_("緑一色"), N_("天和"), N_("地和"),
    N_("九連宝燈"), N_("大車輪"), N_("国士１３面"), N_("四暗単騎"),
    "", "", "", "",
    N_("清一色"), N_("混一色"), N_("二盃口"), N_("純チャン"), N_("七対子"), N_("小三元"),
    N_("三槓子"), N_("三暗刻"), N_("混老頭"), N_("三色同刻"), N_("対々和"), N_("チャンタ"),
    N_("一気通貫"), N_("三色同順"), N_("一盃口"), N_("タンヤオ"), N_("平和"), N_("トン"),
    N_("ナン"), N_("ハク"), N_("ハツ"), N_("チュン"), N_("ダブルリーチ"), N_("リーチ"),
    N_("イッパツ"), N_("ﾊｲﾃｲﾌﾘｺﾐ"), N_("ハイテイツモ"), N_("ツモ"), N_("ドラ(赤ｳｰﾋﾟﾝ)"), N_("嶺山開花"),
    "",
};

bool valid_code(int code) { return code >= 0 && code < kYakuCodes; }

}  // namespace

const char* yaku_voice(int code) { return valid_code(code) ? kVoices[std::size_t(code)] : ""; }
const char* yaku_name(int code) { return valid_code(code) ? kNames[std::size_t(code)] : ""; }

void yaku_mei(Game& g, std::int16_t& image, std::int16_t& code) {
  auto& yy = g.scr.yaku_y;
  yy = std::int16_t(yy + 3);
  gbox_r_end(g, 10, 41, yy + 3, 7, 0, 1);
  if (image >= 0 && image < sheet::kYakuCount) font_yakumei(g, image, g.scr.yaku_x, yy);
  // The red fives are counted with the dora.
  if (code == 50) code = 48;
  // A code from the other copy of a LAN match may be anything: only real codes count.
  if (!valid_code(code)) return;
  auto& n = g.yaku.yaku_cnt[g.t.agari_pl == 1 ? 0 : 1][std::size_t(code)];
  if (n < INT16_MAX) ++n;
}

void pr_han(Game& g, std::int16_t han) {
  const int x = g.scr.yaku_x, y = g.scr.yaku_y;
  // The number sheet holds the digits 0..9: a count of ten or more (dora) gets
  // its tens digit one place to the left.
  const int h = han < 0 ? 0 : han % 100;
  if (h >= 10) font_sujih(g, h / 10, x + 18, y);
  font_sujih(g, h % 10, x + 21, y);
  font_hanh(g, 0, x + 24, y);
}

void pr_han_2(Game& g, std::int16_t han) { pr_han(g, han); }

void yakumei_out(Game& g, int code) {
  if (code >= 20 && code <= 50) wave_play(g, yaku_voice(code));
}

void yakuman_sub(Game& g, int code) {
  font_hanh(g, 1, g.scr.yaku_x + 23, g.scr.yaku_y);
  if (code >= 0 && code <= 15) wave_play(g, yaku_voice(code));
}

}  // namespace sekiba
