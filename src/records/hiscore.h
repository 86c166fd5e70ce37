#pragma once
// The best-ten table (sekiba_his.bin), the name of a new entry, the top data
// record (sekiba_top.jan) and its send dialog.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "records/records.h"

namespace sekiba {

struct Game;

inline constexpr const char* kHiScoreFile = "\\sekiba_his.bin";
inline constexpr const char* kTopFile = "\\sekiba_top.jan";
// The most a table can take: the flag, the scores and hands, and 22 texts of
// the longest length their count allows. Whatever follows is never read.
inline constexpr std::size_t kHiScoreMaxBytes = 2 + 11 * 4 + 11 * 2 + 22 * (2 + 0xFFFF);
inline constexpr int kNotRanked = 99;
inline constexpr const char* kNewNameText = N_("－名前が入力できます－");
inline constexpr const char* kAutoName = "AUTO MAN";
// A fresh table: ten entries of score 10 and hands 0 with these texts.
inline constexpr const char* kDefaultDate = "--/--/--";
inline constexpr const char* kDefaultName = N_("ななしさん");

// The fresh table of a missing file or one that holds no table.
void hi_score_defaults(Records& r);
// The file's bytes: flag 1, the four arrays of entries 0..10.
std::string format_hi_score(const Records& r);
// Reads a file's bytes into r over the fresh table; stops where the bytes run
// out or a text claims more bytes than are left, and then answers false (a
// file without a table answers true).
bool parse_hi_score(const std::string& bytes, Records& r);

void load_hi_score(Game& g);
// False (after the message) when the file could not be written.
bool save_hi_score(Game& g);

// Today in the short date form of the table, "yy/MM/dd".
std::string short_date(Game& g);
void hi_score_new(Game& g);
// Inserts the new entry; its rank index 0..9, or 99 when it does not qualify.
int hi_score_rank(Game& g);
void pr_hi_score(Game& g, int rno);
void rank_mes(Game& g, int rno);
void name_input(Game& g, int no);
// The name dialog's "入力(&R)" (and any other way of closing it).
void frmname_cmdOK(Game& g, const std::string& text);
// Quitting while name_input waits: the new entry is stored with the name typed
// so far (or its placeholder), and the top data written for a first place, as
// the end of the game would have done.
void hi_score_keep_on_quit(Game& g);

// The one line of the top data file (without its CR LF) for a clock reading.
std::string top_record(const Records& r, int sec, int min, int major, int minor, int revision);
// False (after the message) when the file could not be written.
bool top_set(Game& g);

void mnuhiscore_Click(Game& g);
void mnusousin_Click(Game& g);
// The send dialog's "送信する(&S)": false (after the message) when the top file
// cannot be read, and then the dialog stays open.
bool frmsousin_send(Game& g);

}  // namespace sekiba
