#pragma once
// Judging a won hand: the yaku and the yakuman, their announcement on the table,
// the result text a LAN match sends, and the per-yaku win statistics.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace sekiba {

struct Game;

// Codes: yakuman 0..15, yaku 20..50 (16..19 belong to nothing).
inline constexpr int kYakuCodes = 51;
inline constexpr int kYakuCntLines = 50;  // codes 0..49 live in the statistics file
inline constexpr const char* kYakuCntFile = "\\sekiba_cnt.txt";

struct YakuFound {
  std::int16_t code = 0;
  std::int16_t han = 0;  // 13 or 26 for a yakuman
};

struct YakuState {
  // Result text: the settlement sets "yakusuu " or "yakuman ", a judgement
  // appends the open flag and one four-character group per yaku.
  std::string yaku_str;
  // 1 while a tsumo on a kan replacement tile is being judged; every yaku
  // judgement clears it.
  std::int16_t rinshan_flag = 0;
  // Sequences by suit 0..2 and start number 1..9 (rebuilt by each judgement).
  std::array<std::array<std::int16_t, 11>, 4> shuntsu_tbl{};
  // Win counts by side (0 the user, 1 the opponent, 2 unused) and code 0..50.
  std::array<std::array<std::int16_t, kYakuCodes>, 3> yaku_cnt{};

  // True during a trial judgement (yaku_shiken): han are added up and nothing
  // is announced; whatever else the trial changes is put back afterwards.
  bool quiet = false;

  // What the last judgement found, for the settlement and the tests.
  std::int16_t naki_flag = 0;  // 1 when the winner had an open meld
  std::int16_t han_total = 0;
  std::vector<YakuFound> found;
};

// ---- Judgements (yaku.cpp, yaku_2han.cpp, yakuman.cpp) ----
// Each appends to yaku_str, announces what it finds and counts it. pinfu_flag is
// left in the analysis for the fu count; rinshan_flag is 0 afterwards.
int yaku_hantei(Game& g);
// The han yaku_hantei would find in the decomposition now in place, without
// its effects on the table, the texts, the statistics or the sticks.
int yaku_shiken(Game& g);
// Codes 24..30 (2 han each): their sum.
int yaku_hantei_2han(Game& g);
// 13 per yakuman, 26 per double yakuman, 0 when none.
int yakuman_hantei(Game& g);

// Dora and red fives in the winner's hand and melds.
int dora_kazu(Game& g);
int aka_kazu(Game& g);
// 0, 1 four concealed triplets, 2 the same on a single wait.
int suan_check(Game& g);
// 1 when the user wins with four kans.
int sukan_check(Game& g);
// The all-sequence, two-sided-wait shape (the pinfu_flag value); no side effects.
int pinfu_shape(const Game& g);
// 1 when the winner has a chi, pon or open kan (the opponent never has).
int winner_open(Game& g);

void man_rechi_susumu(Game& g);
void com_rechi_susumu(Game& g);

// ---- Announcements (yaku_names.cpp) ----
// A new line of the yaku list with name image `image`, counted under `code`
// (a code of 50 becomes 48, here and for the caller).
void yaku_mei(Game& g, std::int16_t& image, std::int16_t& code);
void pr_han(Game& g, std::int16_t han);
void pr_han_2(Game& g, std::int16_t han);
// Voice of a yaku 20..50.
void yakumei_out(Game& g, int code);
// The yakuman word and, for 0..15, the voice.
void yakuman_sub(Game& g, int code);
// Voice file of a code ("\sekiba_yaku_pinfu"), empty for a code without one.
const char* yaku_voice(int code);
// Name of a code as the statistics window shows it, empty for 16..19 and 50.
const char* yaku_name(int code);

// ---- Statistics (yaku_cnt.cpp) ----
// The file form: 50 lines "user,opponent" CR LF for codes 0..49.
std::string format_yaku_cnt(const YakuState& y);
// Reads counts into y in order; stops silently at the first missing or damaged
// value. Returns the number of codes read completely.
int parse_yaku_cnt(const std::string& text, YakuState& y);
void load_yaku_cnt(Game& g);
// A failed write shows a message box; the counts stay in memory.
void save_yaku_cnt(Game& g);

// The statistics window's content: three blocks of rows, in the window's order
// (codes 0..15, then 20..33, then 34..49).
struct YakuRirekiRow {
  int code = 0;
  std::string name;
  std::string man_count;
  std::string com_count;
};
std::array<std::vector<YakuRirekiRow>, 3> yakurireki_rows(const Game& g);
inline constexpr const char* kYakuRirekiCaption = N_("上がり役累積回数一覧表");
inline constexpr const char* kYakuRirekiManHeader = N_("あなた");
inline constexpr const char* kYakuRirekiComHeader = N_("ＣＯＭ");
inline constexpr const char* kYakuRirekiButton = N_("戻る(&R)");

}  // namespace sekiba
