// Entering and leaving LAN mode, and the connection at the start of each game.
#include "engine/contine.h"
#include "engine/game.h"
#include "engine/startup.h"
#include "lan/lan.h"
#include "lan/lan_wire.h"
#include "platform/text_args.h"
#include "screen/draw.h"

namespace sekiba {

namespace {

// Menus a LAN match has no use for: automatic play, event sticks, stacking,
// series modes and the settings dialog.
constexpr const char* kHiddenInMatch[] = {"mnuauto", "mnuautospeed", "mnuivent",
                                          "mnutumikomi", "mnumode", "mnusettei"};

void refuse(Game& g, const std::string& text) {
  g.os.message_box(text, g.os.tr("LAN対戦"), MessageButtons::Ok, MessageIcon::Warning);
}

void enter_role(Game& g, bool host) {
  Table& t = g.t;
  LanState& l = g.lan;
  if (l.aite_host.empty()) {
    refuse(g, g.os.tr("ＬＡＮ対戦の相手が決まっていません。\n「相手(A)」で相手のコンピュータ名を設定して下さい。"));
    if (t.lan_mode == 1) mnulane_Click(g);
    return;
  }
  // The ports are those of the first role chosen: switching roles while in LAN
  // mode keeps the socket as it is.
  if (t.lan_mode == 0) {
    const int local = host ? kHostPort : kGuestPort;
    if (!g.os.udp_bind(local)) {
      refuse(g, fill_in(g.os.tr("ポート %1 を使えませんでした。\n他のプログラムが使っていないか確かめて下さい。"),
                        {std::to_string(local)}));
      return;
    }
    l.bound = true;
    l.partner_port = host ? kGuestPort : kHostPort;
    l.reset_queue();
  }
  if (!g.os.udp_set_remote(l.aite_host, l.partner_port)) {
    refuse(g, fill_in(g.os.tr("相手のコンピュータ「%1」が見つかりませんでした。"), {l.aite_host}));
    if (t.lan_mode == 1) {
      mnulane_Click(g);
    } else {
      g.os.udp_close();
      l.bound = false;
    }
    return;
  }
  l.partner_address = g.os.udp_remote_address();
  t.lan_mode = 1;
  t.lan_host = host ? 1 : 0;
  g.os.menu_checked("mnuhost", host);
  g.os.menu_checked("mnugest", !host);
  for (const char* m : kHiddenInMatch) g.show_menu(m, false);
  // The two copies must play the same kind of game: the series modes are hidden,
  // so the normal eight-turn game it is.
  t.game_mode = 0;
  for (int i = 1; i <= 8; ++i) g.os.menu_checked("mnumode" + std::to_string(i), i == 1);
  t.jidou = 0;
  g.os.set_caption(lan_caption(g));
}

}  // namespace

std::string lan_caption(const Game& g) {
  if (g.t.lan_mode != 1) return window_caption(g.os);
  return window_caption(g.os) +
         fill_in(g.t.lan_host == 1 ? g.os.tr(" [HOST: %1 と対戦]") : g.os.tr(" [GUEST: %1 と対戦]"),
                 {g.lan.aite_host});
}

void mnuhost_Click(Game& g) { enter_role(g, true); }
void mnugest_Click(Game& g) { enter_role(g, false); }

void mnulane_Click(Game& g) {
  Table& t = g.t;
  LanState& l = g.lan;
  lan_tell_bye(g);
  t.lan_mode = 0;
  t.lan_host = 0;
  settei_restore_own(g.s);
  g.os.udp_close();
  l.bound = false;
  l.rel.restart();
  l.rel.partner_speaks = false;
  l.timer_due = -1;
  l.reset_queue();
  g.os.menu_checked("mnuhost", false);
  g.os.menu_checked("mnugest", false);
  for (const char* m : {"mnuauto", "mnuautospeed", "mnuivent", "mnutumikomi", "mnuhost", "mnugest",
                        "mnuaite", "mnumode", "mnusettei"})
    g.show_menu(m, true);
  g.os.set_caption(window_caption(g.os));
  // In the middle of a match the game cannot go on alone: the wait it is in
  // unwinds to the title screen.
  if (l.in_match) l.abandon = true;
}

void mnuaite_Click(Game& g) { g.os.open_dialog("frmlan"); }

void setuzoku_mnu(Game& g) {
  g.show_menu("mnuhost", false);
  g.show_menu("mnugest", false);
  g.show_menu("mnuaite", false);
}

void lan_oya_kime_host_connect(Game& g) {
  setuzoku_check(g);
  setuzoku_mnu(g);
}

void lan_oya_kime_host_send(Game& g) {
  lan_send_ack(g, lan::with_number("basho ", g.t.oya));
  std::string m = "set_data ";
  for (int i = 0; i < 20; ++i) m += lan::field2(g.s.settei[std::size_t(i)]);
  lan_send_ack(g, m);
}

bool lan_oya_kime_guest(Game& g) {
  gest_sub(g);
  check_ok(g);
  // A plain "OK" answered the offer: the host speaks only the plain protocol.
  if (g.lan.rel.mode == 1) g.lan.rel.mode = 0;
  setuzoku_mnu(g);
  const std::string basho = keyword_wait(g, "basho", [](const std::string& m) {
    const auto v = lan::value_of(std::string_view(m).substr(m.size() - 1));
    return m.size() > 5 && v && (*v == 1 || *v == 2);
  });
  // The host's user is this copy's opponent.
  g.t.oya = basho.back() == '1' ? 2 : 1;
  send_ok(g);
  const std::string data = keyword_wait(g, "set_data", [](const std::string& m) {
    for (int i = 0; i < 20; ++i)
      if (!lan::value_at(m, std::size_t(2 * i + 9), 2)) return false;
    return true;
  });
  std::array<std::int16_t, 20> host{};
  for (std::size_t i = 0; i < host.size(); ++i)
    host[i] = std::int16_t(*lan::value_at(data, 2 * i + 9, 2));
  settei_take_host(g.s, host);
  send_ok(g);
  font_ba(g, g.t.oya == 1 ? 0 : 1, 38, 31);
  font_ba(g, g.t.oya == 1 ? 1 : 0, 38, 13);
  return true;
}

void lan_back_to_title(Game& g) {
  Table& t = g.t;
  LanState& l = g.lan;
  const bool told = l.partner_left, mismatch = l.table_mismatch, gone = l.partner_gone;
  l.in_match = false;
  l.abandon = false;
  l.partner_left = false;
  l.table_mismatch = false;
  l.partner_gone = false;
  if (t.lan_mode == 1) mnulane_Click(g);
  t.kyoku_flag = 0;
  t.shori_chu = 0;
  t.contine_flag = 0;
  t.shoki_flag = 0;
  g.os.chart_hide();
  g.show_menu("mnukinou", false);
  g.show_menu("mnugame", true);
  g.show_menu("mnumode", true);
  PicHAIKEI_Paint(g);
  load_background(g, "\\sekiba_title_0.jpg");
  haikei_to_window(g);
  disp_gr(g, 32, 37, fill_in(g.os.tr("ﾊﾞｰｼﾞｮﾝ %1"), {version_text()}), 7, 1);
  // Say why the table is gone.
  if (mismatch) disp_gr(g, 22, 40, g.os.tr("相手と牌が食い違ったためＬＡＮ対戦を中止しました"), 7, 1);
  else if (gone) disp_gr(g, 29, 40, g.os.tr("相手からの応答が途絶えました"), 7, 1);
  else if (told) disp_gr(g, 28, 40, g.os.tr("相手がＬＡＮ対戦を中止しました"), 7, 1);
  else disp_gr(g, 31, 40, g.os.tr("ＬＡＮ対戦を中止しました"), 7, 1);
}

}  // namespace sekiba
