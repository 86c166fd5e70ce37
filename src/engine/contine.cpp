#include "engine/contine.h"

#include "engine/driver.h"
#include "engine/game.h"
#include "engine/startup.h"
#include "engine/waits.h"
#include "platform/fileio.h"
#include "records/binio.h"
#include "records/own_files.h"

namespace sekiba {

namespace {

std::int32_t sum16(std::initializer_list<int> terms) {
  int s = 0;
  for (int v : terms) s += v;
  return std::int16_t(std::uint16_t(unsigned(s)));  // 16-bit wrap, then sign-extended
}

std::int16_t file_flag(const std::optional<std::string>& bytes) {
  if (!bytes) return 0;
  ByteReader in(*bytes);
  std::int16_t f = 0;
  return in.i16(f) ? f : 0;
}

}  // namespace

void contine_mix(ContineData& d, int sec, int min) {
  d.mix_a = std::int16_t(sec / 10 + 2);
  d.mix_b = std::int16_t(min / 10 + 2);
  d.mix_c = std::int16_t(sec % 10 + 2);
  d.mix_e = std::int16_t(min % 10 + 2);
  d.mix_d = std::int16_t(d.mix_a * d.mix_b);
  d.mix_f = std::int16_t(d.mix_c * d.mix_e);
}

std::array<std::int32_t, 3> contine_checks(const ContineData& d) {
  // Only the bracket of check 1 is 16-bit; the rest adds in 32 bits (wrapping
  // like the stored field rather than failing on a score no game reaches).
  const std::int64_t c1 = std::int64_t(sum16({d.mix_f, d.mix_a, d.mix_c})) + d.man_ten + d.rechi_bou +
                          d.honba + d.kyoku + d.oya;
  const auto& iv = d.ivent_bou;
  return {std::int32_t(std::uint32_t(c1)),
          sum16({d.mix_d, d.mix_b, d.mix_e, iv[0], iv[1], iv[2], iv[3], iv[4]}),
          sum16({d.mix_c, d.mix_a, d.mix_e, d.game_no, d.game_mode, d.series_void})};
}

bool contine_checks_ok(const ContineData& d) {
  const auto c = contine_checks(d);
  return c[0] == d.check1 && c[1] == d.check2 && c[2] == d.check3;
}

ContineData contine_from_table(const Table& t, int flag, int sec, int min) {
  ContineData d;
  d.flag = std::int16_t(flag);
  contine_mix(d, sec, min);
  d.man_ten = t.man_ten;
  d.rechi_bou = t.rechi_bou;
  d.honba = t.honba;
  d.kyoku = t.kyoku;
  d.oya = t.oya;
  d.ivent_bou = t.ivent_bou;
  d.game_no = t.game_no;
  d.game_mode = t.game_mode;
  d.series_void = t.series_void;
  d.score_rireki = t.score_rireki;
  const auto c = contine_checks(d);
  d.check1 = c[0];
  d.check2 = c[1];
  d.check3 = c[2];
  return d;
}

std::string format_contine(const ContineData& d) {
  ByteWriter w;
  for (int v : {d.flag, d.mix_a, d.mix_f, d.mix_c, d.mix_d, d.mix_b, d.mix_e}) w.i16(v);
  w.i32(d.man_ten);
  for (int v : {d.rechi_bou, d.honba, d.kyoku, d.oya}) w.i16(v);
  for (auto v : d.ivent_bou) w.i16(v);
  for (int v : {d.game_no, d.game_mode, d.series_void}) w.i16(v);
  for (auto v : d.score_rireki) w.i32(v);
  for (auto v : {d.check1, d.check2, d.check3}) w.i32(v);
  return w.bytes;
}

std::optional<ContineData> parse_contine(const std::string& bytes) {
  if (bytes.size() < kContineSize) return std::nullopt;
  ContineData d;
  ByteReader in(bytes);
  bool ok = true;
  for (std::int16_t* p : {&d.flag, &d.mix_a, &d.mix_f, &d.mix_c, &d.mix_d, &d.mix_b, &d.mix_e})
    ok = ok && in.i16(*p);
  ok = ok && in.i32(d.man_ten);
  for (std::int16_t* p : {&d.rechi_bou, &d.honba, &d.kyoku, &d.oya}) ok = ok && in.i16(*p);
  for (auto& v : d.ivent_bou) ok = ok && in.i16(v);
  for (std::int16_t* p : {&d.game_no, &d.game_mode, &d.series_void}) ok = ok && in.i16(*p);
  for (auto& v : d.score_rireki) ok = ok && in.i32(v);
  for (std::int32_t* p : {&d.check1, &d.check2, &d.check3}) ok = ok && in.i32(*p);
  if (!ok) return std::nullopt;
  return d;
}

bool contine_values_sane(const ContineData& d) {
  return d.man_ten >= -kScoreLimit && d.man_ten <= kScoreLimit && (d.oya == 1 || d.oya == 2) &&
         d.game_mode >= 0 && d.game_mode <= 7 && d.game_no >= 1 &&
         d.game_no <= 499 && d.kyoku >= 1 && d.honba >= 0 && d.rechi_bou >= 0;
}

void contine_sel(Game& g) {
  Table& t = g.t;
  t.contine_flag = 0;
  // A file refused once is not offered again in this run.
  if (g.rec.contine_refused) return;
  if (file_flag(read_own_file(g, kContineFile, N_("ｺﾝﾃｨﾆｭｰﾌｧｲﾙ"), kContineSize)) == 0) return;
  t.contine_flag = 1;
  if (t.shoki_flag != 0) {
    g.os.message_box(g.os.tr("１ゲームもせずにゲームを再スタート出来ません。強制終了します。"), g.os.tr("再スタートエラー"),
                     MessageButtons::Ok, MessageIcon::Warning);
    t.shoki_flag = 99;
    Form_Unload(g);
    throw QuitRequested();
  }
  if (g.os.message_box(g.os.tr("ゲームのデータをロードしますか？"), g.os.tr("データのロード"), MessageButtons::YesNo,
                       MessageIcon::Information) == MessageAnswer::No) {
    // Only the flag changes; the rest of the old game stays in the file unused.
    if (auto bytes = read_file(g.path(kContineFile), kContineSize); bytes && bytes->size() >= 2) {
      (*bytes)[0] = 0;
      (*bytes)[1] = 0;
      if (!write_file_keeping_tail(g.save_path(kContineFile), *bytes))
        g.os.message_box(g.os.tr("ｺﾝﾃｨﾆｭｰﾌｧｲﾙを書き込めませんでした"), g.os.tr("ﾌｧｲﾙの書き込み"), MessageButtons::Ok,
                         MessageIcon::None);
    }
    // The game start reads the file again: a declined game must not come back
    // from a file that still offers it.
    g.rec.contine_refused = true;
    t.contine_flag = 0;
  }
}

bool save_contine(Game& g, int flag) {
  // The file holds a game against the computer: a LAN match leaves it alone.
  if (g.t.lan_mode == 1 || !g.saves_for_later) return true;
  clock_get(g);
  const std::string bytes = format_contine(contine_from_table(g.t, flag, g.t.clock_sec, g.t.clock_min));
  if (write_file_keeping_tail(g.save_path(kContineFile), bytes)) {
    g.rec.contine_refused = false;  // what was refused is gone
    return true;
  }
  g.os.message_box(g.os.tr("ｺﾝﾃｨﾆｭｰﾌｧｲﾙを書き込めませんでした"), g.os.tr("ﾌｧｲﾙの書き込み"), MessageButtons::Ok,
                   MessageIcon::None);
  return false;
}

void game_save(Game& g) {
  Table& t = g.t;
  // A game whose last hand has been played has nothing left to continue.
  if (t.kyoku_flag == 1 && t.shoki_flag != 99 && t.lan_mode != 1 && game_goes_on(t)) {
    // A continued game is a game in progress from its first hand on: only a new
    // game that has not finished a hand has nothing worth keeping.
    if (t.shoki_flag != 0 && t.contine_flag == 0) {
      g.os.message_box(g.os.tr("ゲームをしていないのでデータをクリアして終了します。"), g.os.tr("データのセーブ"),
                       MessageButtons::Ok, MessageIcon::Warning);
      save_contine(g, 0);
    } else {
      const bool yes = g.os.message_box(g.os.tr("ゲームのデータをセーブしますか？"), g.os.tr("データのセーブ"),
                                        MessageButtons::YesNo,
                                        MessageIcon::Information) == MessageAnswer::Yes;
      save_contine(g, yes ? 1 : 0);
    }
    return;
  }
  // Quitting from the title screen, before any game against the computer in
  // this run, leaves a game saved by an earlier run in place: clearing it there
  // would lose it unasked.
  if (!g.rec.game_started) return;
  save_contine(g, 0);
}

}  // namespace sekiba
