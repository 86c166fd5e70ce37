// The start of every game: the saved game or the defaults.
#include <algorithm>
#include <optional>

#include "engine/contine.h"
#include "engine/game.h"
#include "engine/menus.h"
#include "engine/setup.h"
#include "engine/waits.h"
#include "platform/fileio.h"

namespace sekiba {

void clear_shoki_data(Game& g) {
  Table& t = g.t;
  t.man_ten = 300;
  t.kyoku = 1;
  t.honba = 1;
  t.rechi_bou = 0;
  for (int i = 0; i < 5; ++i) t.ivent_bou[std::size_t(i)] = 1;
  t.game_no = 1;
  t.series_void = 0;
  std::fill(t.score_rireki.begin(), t.score_rireki.begin() + 500, 300);
}

namespace {

void load_into_table(Game& g, const ContineData& d) {
  Table& t = g.t;
  t.man_ten = d.man_ten;
  t.rechi_bou = d.rechi_bou;
  t.honba = d.honba;
  t.kyoku = d.kyoku;
  t.oya = d.oya;
  t.ivent_bou = d.ivent_bou;
  t.game_no = d.game_no;
  t.game_mode = d.game_mode;
  t.series_void = d.series_void;
  t.score_rireki = d.score_rireki;
  // The mode menu shows the mode of the continued game.
  for (int i = 1; i <= 8; ++i)
    g.os.menu_checked("mnumode" + std::to_string(i), kModeOfItem[i] == d.game_mode);
}

// Nothing to continue, or a file that failed: a new game from the defaults. The
// dealer is decided afresh, since nothing valid was read for it.
void start_fresh(Game& g) {
  clear_shoki_data(g);
  g.t.contine_flag = 0;
}

}  // namespace

void set_shoki1(Game& g) {
  // A LAN match starts from the defaults and leaves the saved game alone; so
  // does a game after the saved one was refused in this run.
  const bool lan = g.t.lan_mode == 1;
  if (!lan) g.rec.game_started = true;
  std::optional<std::string> bytes;
  if (!lan && !g.rec.contine_refused) bytes = read_file(g.path(kContineFile), kContineSize);
  const bool flagged = bytes && bytes->size() >= 2 && ((*bytes)[0] != 0 || (*bytes)[1] != 0);
  if (!flagged) {
    clear_shoki_data(g);
  } else {
    const auto d = parse_contine(*bytes);
    if (!d) {  // cut short: quietly a new game
      g.rec.contine_refused = true;
      start_fresh(g);
      return;
    }
    if (!contine_checks_ok(*d) || !contine_values_sane(*d)) {
      g.os.message_box(g.os.tr("セーブデータが異常です。最初からゲームを行います。"), g.os.tr("ﾌｧｲﾙの読み込み"),
                       MessageButtons::Ok, MessageIcon::None);
      g.rec.contine_refused = true;
      start_fresh(g);
      return;
    }
    load_into_table(g, *d);
  }
  // The hints are the user's help for one game; a new or continued game starts
  // without them, unless the player asked to keep them.
  const bool keep = g.ext.keep_hints;
  g.man.osekai_flag = keep && g.ext.osekai ? 1 : 0;
  g.man.asist_flag = keep && g.ext.asist ? 1 : 0;
  g.os.menu_checked("mnuosekai", g.man.osekai_flag == 1);
  g.os.menu_checked("mnuasist", g.man.asist_flag == 1);
  g.t.shoki_flag = 1;
  clock_get(g);
  rnd_discard(g, (long long)g.t.clock_sec + g.t.clock_min + 1);
}

}  // namespace sekiba
