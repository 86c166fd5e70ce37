#include "engine/startup.h"

#include "com/think.h"
#include "engine/contine.h"
#include "engine/driver.h"
#include "engine/game.h"
#include "engine/menus.h"
#include "engine/tumikomi.h"
#include "engine/waits.h"
#include "man/man.h"
#include "eval/yaku.h"
#include "ivent/ivent.h"
#include "lan/lan.h"
#include "records/chart.h"
#include "records/hiscore.h"
#include "records/settings.h"
#include "eval/yakuhelp.h"
#include "platform/fileio.h"
#include "screen/capture.h"
#include "screen/draw.h"
#include "screen/raster.h"
#include "platform/text_args.h"
#include "version.h"

namespace sekiba {

std::string version_text() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
         std::to_string(kVersionRevision);
}

std::string window_caption(const Platform& os) {
  return fill_in(os.tr("翠嶺牌戯 for Windows (ＬＡＮ対戦機能付き) Ver.%1"), {version_text()});
}

namespace {

// Replaces a tile sheet with a picture file of the same layout; a file that is
// missing, unreadable or too small to hold the layout is ignored.
void load_tile_sheet(Game& g, const std::string& name, Surface& sheet_surface, Surface& user) {
  Surface img;
  if (!g.os.load_image(g.path(name), img)) return;
  if (img.w < sheet::kHaiW || img.h < sheet::kHaiH) return;
  Surface fitted(sheet::kHaiW, sheet::kHaiH);
  blit(fitted, 0, 0, img, 0, 0, sheet::kHaiW, sheet::kHaiH, Rop::Copy);
  user = std::move(fitted);
  lay_user_sheet(user, sheet_surface, g.scr.k);
  drop_sheet_cache(g.scr);  // sheets kept of other scales lack the user's tiles
}

}  // namespace

bool load_background(Game& g, const std::string& name) {
  Surface img;
  if (!g.os.load_image(g.path(name), img) || img.empty()) return false;
  Surface& bg = g.scr.PicHAIKEI;
  stretch_blit(bg, 0, 0, bg.lw(), bg.lh(), img, 0, 0, img.w, img.h);
  return true;
}

bool Form_Load(Game& g) {
  g.os.on_input = [&g](const InputEvent& ev) { handle_input(g, ev); };
  g.os.on_menu = [&g](const std::string& name) { menu_command(g, name); };
  g.os.on_close = [&g] { Form_Unload(g); };
  g.os.on_scale = [&g](double k) { set_screen_scale(g.os, g.scr, k); };
  g.os.scale_ready = [&g](double k) { return sheets_ready(g.scr, k); };
  lan_attach(g);
  if (g.os.another_instance_running()) {
    g.os.message_box(g.os.tr("翠嶺牌戯はすでに起動しています"), g.os.tr("ｱﾌﾟﾘｹｰｼｮﾝの起動"), MessageButtons::Ok,
                     MessageIcon::Warning);
    return false;
  }
  g.t.lan_mode = 0;
  g.t.lan_host = 0;
  g.os.set_caption(window_caption(g.os));
  g.t.app_path = g.os.app_path();
  g.t.read_folders = g.os.read_folders();
  load_extras(g);
  // Saves that a crash cut short leave their temporary files; this copy is the
  // only one using the folder.
  remove_stale_temp_files(g.t.app_path);
  g.os.set_window_surface(&g.scr.win);
  g.os.center_window();

  // The window's own pictures exist before anything is loaded over them.
  fill_iro(g);
  build_sheets(g.os, g.scr);
  drop_sheet_cache(g.scr);
  PicHAIKEI_Paint(g);
  load_background(g, "\\sekiba_title_0.jpg");
  haikei_to_window(g);

  load_tile_sheet(g, "\\haiall_rv_x.bmp", g.scr.picHAI2, g.scr.user_hai2);
  load_tile_sheet(g, "\\haiall_x.bmp", g.scr.PicHAI, g.scr.user_hai);

  g.t.shoki_flag = 0;
  game_init(g);
  clock_get(g);
  g.rng.seed(std::uint32_t(g.t.clock_sec));
  g.show_menu("mnukinou", false);
  // A home page item without an address would lead nowhere.
  g.show_menu("mnuhome", !home_page_address().empty());
  disp_gr(g, 32, 37, fill_in(g.os.tr("ﾊﾞｰｼﾞｮﾝ %1"), {version_text()}), 7, 1);
  return true;
}

void game_init(Game& g) {
  fill_iro(g);
  g.t.shori_chu = 0;
  g.t.game_mode = 0;
  for (int i = 1; i <= 8; ++i) g.os.menu_checked("mnumode" + std::to_string(i), i == 1);
  g.t.kyoku_flag = 0;
  fill_weight_presets(g.com);
  init_input_areas(g);
  lan_aite_load(g);
  load_hi_score(g);
  load_yaku_cnt(g);
  tumikomi_load_tin(g);
  tumikomi_load_tum(g);
  load_settei(g);
  load_shikou(g);
}

void mnumode_Click(Game& g, int item) {
  // A LAN match is always the normal game on both copies.
  if (item < 1 || item > 8 || g.t.lan_mode == 1) return;
  g.t.game_mode = std::int16_t(kModeOfItem[item]);
  for (int i = 1; i <= 8; ++i) g.os.menu_checked("mnumode" + std::to_string(i), i == item);
}

void mnuend_Click(Game& g) {
  // The window's close after a quit must not ask about saving a second time.
  if (g.os.quit_requested()) return;
  hi_score_keep_on_quit(g);
  game_save(g);
  g.os.quit();
}

void Form_Unload(Game& g) { mnuend_Click(g); }

void menu_command(Game& g, const std::string& name) {
  InterruptingCommand command(g);
  if (name.rfind("mnumode", 0) == 0 && name.size() == 8) {
    mnumode_Click(g, name[7] - '0');
  } else if (name == "mnugame") {
    mnugame_Click(g);
  } else if (name == "mnuhost") {
    mnuhost_Click(g);
  } else if (name == "mnugest") {
    mnugest_Click(g);
  } else if (name == "mnuaite") {
    mnuaite_Click(g);
  } else if (name == "mnulane") {
    mnulane_Click(g);
  } else if (name == "mnuend") {
    mnuend_Click(g);
  } else if (name == "mnusettei") {
    mnusettei_Click(g);
  } else if (name == "mnuhiscore") {
    mnuhiscore_Click(g);
  } else if (name == "mnurireki3") {
    mnurireki3_Click(g);
  } else if (name == "mnusousin") {
    mnusousin_Click(g);
  } else if (name == "mnutenbou") {
    mnutenbou_Click(g);
  } else if (name == "mnudora") {
    mnudora_Click(g);
  } else if (name == "mnurasu") {
    mnurasu_Click(g);
  } else if (name == "mnuhaipai") {
    mnuhaipai_Click(g);
  } else if (name == "mnudouble") {
    mnudouble_Click(g);
  } else if (name == "mnuopen") {
    mnuopen_Click(g);
  } else if (name == "mnuruiseki") {
    g.os.open_dialog("frmyakurireki");
  } else if (name == "mnukiroku") {
    g.os.open_dialog("frmkiroku");
  } else if (name == "mnuthink") {
    g.os.open_dialog("frmthink");
  } else if (name == "mnuosekai") {
    mnuosekai_Click(g);
  } else if (name == "mnuasist") {
    mnuasist_Click(g);
  } else if (name == "mnuauto") {
    mnuauto_Click(g);
  } else if (name == "mnuautospeed") {
    mnuautospeed_Click(g);
  } else if (name == "mnutumikomi") {
    g.os.open_dialog("frmtumikomi");
  } else if (name.rfind("mnuyaku", 0) == 0 && name.size() > 7 &&
             name.find_first_not_of("0123456789", 7) == std::string::npos) {
    mnuyaku_Click(g, std::stoi(name.substr(7)));
  } else if (name == "mnusousa") {
    mnusousa_Click(g);
  } else if (name == "mnuhome") {
    mnuhome_Click(g);
  } else if (name == "mnucap") {
    mnucap_Click(g);
  } else if (name == "mnuabout") {
    mnuabout_Click(g);
  }
}

}  // namespace sekiba
