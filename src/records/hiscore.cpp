#include "records/hiscore.h"

#include <cstdio>
#include <filesystem>
#include <limits>

#include "engine/driver.h"
#include "engine/game.h"
#include "engine/waits.h"
#include "man/input.h"
#include "platform/fileio.h"
#include "records/own_files.h"
#include "records/binio.h"
#include "records/sjis.h"
#include "screen/draw.h"
#include "version.h"

namespace sekiba {

void hi_score_defaults(Records& r) {
  for (int i = 0; i < kHiEntries; ++i) {
    const bool shown = i < 10;
    r.hi_score[std::size_t(i)] = shown ? 10 : 0;
    r.hi_game[std::size_t(i)] = 0;
    r.hi_date[std::size_t(i)] = shown ? kDefaultDate : "";
    r.hi_name[std::size_t(i)] = shown ? kDefaultName : "";
  }
}

std::string format_hi_score(const Records& r) {
  ByteWriter w;
  w.i16(1);
  for (auto v : r.hi_score) w.i32(v);
  for (auto v : r.hi_game) w.i16(v);
  for (const auto& s : r.hi_date) w.text16(utf8_to_sjis(s));
  for (const auto& s : r.hi_name) w.text16(utf8_to_sjis(s));
  return w.bytes;
}

bool parse_hi_score(const std::string& bytes, Records& r) {
  hi_score_defaults(r);
  ByteReader in(bytes);
  std::int16_t flag = 0;
  // Reading past the end gives the flag 0: no table, nothing amiss.
  if (!in.i16(flag) || flag == 0) return true;
  // Read straight into the table: a file cut short keeps what came before the cut.
  for (auto& v : r.hi_score)
    if (!in.i32(v)) return false;
  for (auto& v : r.hi_game)
    if (!in.i16(v)) return false;
  std::string s;
  for (auto& d : r.hi_date) {
    if (!in.text16(s)) return false;
    d = sjis_to_utf8(s);
  }
  for (auto& n : r.hi_name) {
    if (!in.text16(s)) return false;
    n = sjis_to_utf8(s);
  }
  return true;
}

namespace {

// Where the bytes of a damaged table go before a save replaces them: a name
// beside it that holds nothing yet, so an older copy is never written over.
std::string damaged_copy_path(Game& g) {
  std::string p;
  for (int n = 1; n <= 99; ++n) {
    p = g.save_path(n == 1 ? "\\sekiba_his_damaged.bin"
                           : "\\sekiba_his_damaged_" + std::to_string(n) + ".bin");
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(p, ec))) break;
  }
  return p;
}

// The damaged table's bytes, copied before they are written over; false when
// they could not be kept.
bool keep_damaged_table(Game& g, const std::string& target) {
  Records& r = g.rec;
  if (r.hi_damaged.empty() || r.hi_damaged != target) return true;
  const FileRead old = read_file_start(target, std::numeric_limits<std::size_t>::max());
  const bool kept = old.status == ReadStatus::Missing ||
                    (old.status == ReadStatus::Ok && write_file_atomic(r.hi_damaged_copy, old.bytes));
  if (kept) r.hi_damaged.clear();
  return kept;
}

}  // namespace

void load_hi_score(Game& g) {
  Records& r = g.rec;
  const std::string path = g.path(kHiScoreFile);
  std::error_code ec;
  // The table's file is there from the first start on, empty until a game
  // fills it; a folder that takes no files is no reason to complain here.
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
    write_file_atomic(g.save_path(kHiScoreFile), std::string());
  // A missing or unreadable file gives the fresh table.
  r.hi_damaged.clear();
  if (parse_hi_score(read_own_file(g, kHiScoreFile, N_("ﾊｲｽｺｱﾌｧｲﾙ"), kHiScoreMaxBytes).value_or(std::string()), r))
    return;
  // The entries after a damaged one cannot be read, but their bytes may be
  // whole: the file is kept aside before the table is saved over it.
  r.hi_damaged = path;
  r.hi_damaged_copy = damaged_copy_path(g);
  report_damaged_own_file(g, kHiScoreFile, N_("ﾊｲｽｺｱﾌｧｲﾙ"), r.hi_damaged_copy);
}

bool save_hi_score(Game& g) {
  const std::string target = g.save_path(kHiScoreFile);
  if (keep_damaged_table(g, target) && write_file_keeping_tail(target, format_hi_score(g.rec)))
    return true;
  g.os.message_box(g.os.tr("ﾊｲｽｺｱﾌｧｲﾙを書き込めませんでした"), g.os.tr("ﾌｧｲﾙの書き込み"), MessageButtons::Ok,
                   MessageIcon::None);
  return false;
}

std::string short_date(Game& g) {
  const LocalTime now = g.os.local_time();
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", ((now.year % 100) + 100) % 100,
                now.month % 100, now.day % 100);
  return buf;
}

void hi_score_new(Game& g) {
  Records& r = g.rec;
  r.new_score = g.t.man_ten;
  r.new_game = std::int16_t(g.t.game_no - 1);
  r.new_date = short_date(g);
  r.new_name = kNewNameText;
}

int hi_score_rank(Game& g) {
  Records& r = g.rec;
  int rank = kNotRanked;
  for (int i = 0; i < 10; ++i) {
    if (r.new_score >= r.hi_score[std::size_t(i)]) {
      rank = i;
      break;
    }
  }
  if (rank == kNotRanked) return rank;
  for (int i = 9; i > rank; --i) {
    const auto k = std::size_t(i);
    r.hi_score[k] = r.hi_score[k - 1];
    r.hi_game[k] = r.hi_game[k - 1];
    r.hi_date[k] = r.hi_date[k - 1];
    r.hi_name[k] = r.hi_name[k - 1];
  }
  const auto k = std::size_t(rank);
  r.hi_score[k] = r.new_score;
  r.hi_game[k] = r.new_game;
  r.hi_date[k] = r.new_date;
  r.hi_name[k] = r.new_name;
  return rank;
}

namespace {

// The two names the game itself puts in the table are shown in the player's
// language; the file keeps them as they are, and names typed by a player are
// shown as typed.
std::string shown_name(const Game& g, const std::string& name) {
  if (name == kDefaultName || name == kNewNameText) return g.os.tr(name);
  return name;
}

}  // namespace

void pr_hi_score(Game& g, int rno) {
  const Records& r = g.rec;
  gbox_r(g, 6, 5, 72, 36, 7, 0, 1);
  disp_gr2(g, 20, 6, g.os.tr("HI･SCORE"), 2, 0);
  disp_gr2(g, 42, 6, g.os.tr("BEST･10"), 10, 0);
  disp_gr(g, 8, 10, "No        SCORE         GAME      DATE       NAME", 9, 0);
  std::string dots;
  const std::string dot = g.os.tr_in("ruler", "･");  // one column of the ruled line
  for (int i = 0; i < 63; ++i) dots += dot;
  disp_gr(g, 8, 12, dots, 0, 0);
  for (int i = 0; i < 10; ++i) {
    const auto k = std::size_t(i);
    const int row = 14 + 2 * i;
    pr_suji_2(g, i + 1, 8, row, 5);
    pr_dai_suji(g, r.hi_score[k], 12, row, i == rno ? 0 : 3);
    pr_suji_3(g, r.hi_game[k], 29, row, 2);
    // The date keeps a few pixels clear of the name at column 48.
    pr_suji_date_fit(g, r.hi_date[k], 35, row, 1, 8 * (48 - 35) - 3);
    disp_gr(g, 48, row, shown_name(g, r.hi_name[k]), 12, 0);
  }
  rank_mes(g, rno);
}

void rank_mes(Game& g, int rno) {
  if (rno < 0 || rno > 9) return;
  static constexpr struct {
    const char* text;
    int col;
  } kLines[10] = {
      {N_("★★トップ賞おめでとうございます★★"), 2}, {N_("★★もうひとがんばりファイト1発★★"), 1},
      {N_("★★もうひとがんばりファイト1発★★"), 1},   {N_("★★祝入賞!おめでとうございます★★"), 3},
      {N_("★★祝入賞!おめでとうございます★★"), 3},   {N_("★★祝入賞!おめでとうございます★★"), 3},
      {N_("★★やった!!ランクインしたぞー★★"), 9},   {N_("★★やった!!ランクインしたぞー★★"), 9},
      {N_("★★やった!!ランクインしたぞー★★"), 9},   {N_("★★おぉ!ぎりぎりのランクインだ★★"), 10},
  };
  gbox_r(g, 4, 42, 73, 47, 6, 0, 0);
  // The lines are wider than the box at 24 point: they keep inside its frame.
  disp_gr2_fit(g, 6, 43, g.os.tr(kLines[rno].text), kLines[rno].col, 0, 72);
}

void frmname_cmdOK(Game& g, const std::string& text) {
  g.rec.name_str = text;
  g.rec.name_flag = 1;
}

void name_input(Game& g, int no) {
  if (no < 0 || no > 9) return;
  Records& r = g.rec;
  if (g.t.jidou == 1) {
    r.name_str = kAutoName;
  } else {
    r.name_flag = 0;
    r.name_str.clear();
    g.os.open_dialog("frmname");
    r.name_no = no;
    r.name_waiting = true;
    try {
      while (r.name_flag != 1) g.os.sleep_until_event(-1);
    } catch (...) {
      r.name_waiting = false;
      throw;
    }
    r.name_waiting = false;
  }
  r.hi_name[std::size_t(no)] = r.name_str;
  pr_hi_score(g, no);
  r.name_flag = 0;
}

void hi_score_keep_on_quit(Game& g) {
  Records& r = g.rec;
  if (!r.name_waiting) return;
  r.name_waiting = false;
  // The dialog hands over what has been typed; without it the entry keeps the
  // placeholder it was inserted with.
  g.os.close_dialog("frmname");
  const int no = r.name_no;
  if (r.name_flag == 1) r.hi_name[std::size_t(no)] = r.name_str;
  save_hi_score(g);
  if (no == 0) top_set(g);
}

std::string top_record(const Records& r, int sec, int min, int major, int minor, int revision) {
  const long long a = sec / 10 + 2, b = min / 10 + 2, c = sec % 10 + 2, d = min % 10 + 2;
  const long long p = a * b, q = c * d;
  const long long s = r.hi_score[0], gm = r.hi_game[0];
  std::string line;
  auto field = [&line](long long v) { line += std::to_string(v) + ","; };
  field(a + b + p + c + d + q + s + gm);
  field(p * s);
  field(sec);
  field(q * gm);
  field(min);
  field(major);
  field(minor);
  field(revision);
  line += "\"" + r.hi_date[0] + "\",";
  line += "\"" + r.hi_name[0] + "\",";
  line += std::to_string(q + major + minor + revision);
  return line;
}

bool top_set(Game& g) {
  clock_get(g);
  const std::string line =
      top_record(g.rec, g.t.clock_sec, g.t.clock_min, kVersionMajor, kVersionMinor, kVersionRevision);
  if (write_file_atomic(g.save_path(kTopFile), utf8_to_sjis(line) + "\r\n")) return true;
  g.os.message_box(g.os.tr("ﾄｯﾌﾟﾌｧｲﾙを書き込みませんでした"), g.os.tr("ﾄｯﾌﾟﾌｧｲﾙ書き込み"), MessageButtons::Ok,
                   MessageIcon::None);
  return false;
}

void mnuhiscore_Click(Game& g) {
  Table& t = g.t;
  if (t.shori_chu == 1) return;
  t.shori_chu = 1;
  gvram_push(g, 2, 27);
  pr_hi_score(g, kNotRanked);
  title_sub2(g);
  try {
    key_input(g, 0);
  } catch (...) {
    t.shori_chu = 0;
    throw;
  }
  gvram_pop(g, 2, 27);
  t.shori_chu = 0;
}

void mnusousin_Click(Game& g) { g.os.open_dialog("frmsousin"); }

bool frmsousin_send(Game& g) {
  const auto bytes = read_file(g.path(kTopFile), 1u << 20);
  // An empty file has no first line to send, as a missing one.
  if (!bytes || bytes->empty()) {
    g.os.message_box(g.os.tr("トップファイルを読み込めませんでした"), g.os.tr("ﾌｧｲﾙの読み込み"), MessageButtons::Ok,
                     MessageIcon::None);
    return false;
  }
  const std::string first = bytes->substr(0, bytes->find_first_of("\r\n"));
  // There is no address to mail it to: the line goes to the clipboard for the
  // user to pass on as they like.
  g.os.set_clipboard(sjis_to_utf8(first));
  g.os.message_box(g.os.tr("TOPデータをクリップボードにコピーしました。"), g.os.tr("TOPデータの送信"),
                   MessageButtons::Ok, MessageIcon::Information);
  return true;
}

}  // namespace sekiba
