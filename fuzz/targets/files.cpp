// The game's text and binary data files, each loaded the way the game loads it
// at start-up, then checked for what the game needs of the values.
#include <algorithm>

#include "com/think.h"
#include "engine/driver.h"
#include "engine/tumikomi.h"
#include "eval/yaku.h"
#include "harness.h"
#include "lan/lan.h"
#include "records/hiscore.h"
#include "records/settings.h"
#include "targets.h"

namespace sekiba::fuzz {

namespace {

bool valid_utf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += n;
  }
  return true;
}

}  // namespace

int fuzz_settings(const std::uint8_t* data, std::size_t size) {
  Harness& h = harness();
  Game& g = h.g;
  h.put(kSettingsFile, data, size);
  load_settei(g);
  const Settings loaded = g.s;
  FUZZ_CHECK(loaded.settei[25] == 0);
  // What the game saves it reads back unchanged.
  Settings again;
  parse_settei(format_settei(loaded), again);
  FUZZ_CHECK(again.settei == loaded.settei);
  // However long a pause the file asks for, switching automatic play off ends it.
  const std::int64_t start = h.os.clock_ms;
  const auto before = h.os.after_events;
  g.t.jidou = 1;
  h.os.after_events = [&] {
    if (h.os.clock_ms - start >= 1000) g.t.jidou = 0;
  };
  jidou_pause(g);
  h.os.after_events = before;
  g.t.jidou = 0;
  FUZZ_CHECK(h.os.clock_ms - start <= 1000 + 200);
  return 0;
}

int fuzz_shikou(const std::uint8_t* data, std::size_t size) {
  Harness& h = harness();
  Game& g = h.g;
  h.put(kShikouFile, data, size);
  load_shikou(g);
  Settings again;
  parse_shikou(format_shikou(g.s), again);
  auto a = shikou_values(g.s), b = shikou_values(again);
  for (int i = 0; i < kShikouCount; ++i) {
    FUZZ_CHECK(*a[std::size_t(i)] == *b[std::size_t(i)]);
    const int option = shikou_option_for(i, *a[std::size_t(i)]);
    FUZZ_CHECK(option >= -1 && option < kShikouGroups[std::size_t(i)].count);
  }
  return 0;
}

int fuzz_yaku_cnt(const std::uint8_t* data, std::size_t size) {
  Harness& h = harness();
  Game& g = h.g;
  h.put(kYakuCntFile, data, size);
  load_yaku_cnt(g);
  YakuState again;
  FUZZ_CHECK(parse_yaku_cnt(format_yaku_cnt(g.yaku), again) == kYakuCntLines);
  FUZZ_CHECK(again.yaku_cnt == g.yaku.yaku_cnt);
  std::size_t rows = 0;
  for (const auto& block : yakurireki_rows(g)) rows += block.size();
  FUZZ_CHECK(rows > 0);
  return 0;
}

int fuzz_lan_partners(const std::uint8_t* data, std::size_t size) {
  Harness& h = harness();
  Game& g = h.g;
  h.put("\\sekiba_lan.txt", data, size);
  lan_aite_load(g);
  const auto loaded = g.lan.aite_list;
  // A short list may leave the partner unset, never set to another name.
  FUZZ_CHECK(g.lan.aite_host.empty() || g.lan.aite_host == loaded[0]);
  FUZZ_CHECK(loaded[10].empty());
  for (const auto& name : loaded) FUZZ_CHECK(name.find('\n') == std::string::npos);
  // The list as saved comes back as it was.
  FUZZ_CHECK(lan_aite_save(g));
  lan_aite_load(g);
  FUZZ_CHECK(g.lan.aite_list == loaded);
  FUZZ_CHECK(frmlan_list(g).size() <= 10);
  return 0;
}

int fuzz_hiscore(const std::uint8_t* data, std::size_t size) {
  Harness& h = harness();
  Game& g = h.g;
  h.os.clear_records();
  h.put(kHiScoreFile, data, size);
  load_hi_score(g);
  // Texts are shown and written back: they must be whole UTF-8, and what is saved
  // once reads back the same ever after.
  for (const auto* texts : {&g.rec.hi_date, &g.rec.hi_name})
    for (const auto& t : *texts) FUZZ_CHECK(valid_utf8(t));
  Records once, twice;
  parse_hi_score(format_hi_score(g.rec), once);
  parse_hi_score(format_hi_score(once), twice);
  FUZZ_CHECK(twice.hi_score == once.hi_score && twice.hi_game == once.hi_game);
  FUZZ_CHECK(twice.hi_date == once.hi_date && twice.hi_name == once.hi_name);
  FUZZ_CHECK(once.hi_score == g.rec.hi_score && once.hi_game == g.rec.hi_game);
  // A new result finds its place among whatever was read.
  g.rec.new_score = 1000;
  g.rec.new_game = 8;
  g.rec.new_date = "26/12/09";
  g.rec.new_name = "fuzz";
  const int rank = hi_score_rank(g);
  FUZZ_CHECK(rank == kNotRanked || (rank >= 0 && rank <= 9));
  if (rank != kNotRanked) FUZZ_CHECK(g.rec.hi_score[std::size_t(rank)] == 1000);
  // Drawing the whole table costs a hundred times the reading: one input in
  // sixteen draws it.
  if (size % 16 == 0) pr_hi_score(g, rank);
  return 0;
}

int fuzz_tumikomi(const std::uint8_t* data, std::size_t size) {
  Harness& h = harness();
  Game& g = h.g;
  // The first byte picks the file: the default table alone, or the user's over it.
  const bool user = size > 0 && (data[0] & 1);
  if (size > 0) ++data, --size;
  if (user) {
    h.put(kTumikomiDefaultFile, nullptr, 0);
    h.put(kTumikomiUserFile, data, size);
    tumikomi_load_tin(g);
    tumikomi_load_tum(g);
  } else {
    h.put(kTumikomiDefaultFile, data, size);
    tumikomi_load_tin(g);
  }
  const TumikomiTable loaded = g.tumikomi_data;
  // Every slot holds a code the deal and the editor can place.
  for (int p = 0; p < kTumikomiPatterns; ++p)
    for (int v = 0; v < kTumikomiVariants; ++v)
      for (int j = 0; j < kTumikomiVariantSize; ++j) {
        const int code = loaded[std::size_t(tumikomi_index(p, v, j))];
        FUZZ_CHECK(code == 38 || (code >= 1 && code <= 37 && code % 10 != 0));
        FUZZ_CHECK(tumikomi_step(code, true) != code);
      }
  FUZZ_CHECK(loaded[kTumikomiEnd] == 0);
  const int bad = check_maisu(loaded);
  FUZZ_CHECK(bad == 99 || (bad >= 0 && bad < kTumikomiPatterns));
  // What the editor saves reads back unchanged.
  TumikomiTable again;
  tumikomi_clear(again);
  tumikomi_apply(again, read_list_numbers(tumikomi_format(loaded), kTumikomiEnd));
  FUZZ_CHECK(again == loaded);
  return 0;
}

}  // namespace sekiba::fuzz
