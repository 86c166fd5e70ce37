#include "records/settings.h"

#include <cctype>
#include <algorithm>
#include <cstdlib>

#include "engine/game.h"
#include "platform/fileio.h"
#include "records/own_files.h"

namespace sekiba {

const std::array<SetteiGroup, 18> kSetteiGroups = {{
    {0, N_("ﾘｰﾁ後の自動処理"), N_("する(&A)"), N_("しない(&A)"), false},
    {1, N_("ﾌﾘﾃﾝ時のﾌﾘﾃﾝ牌の確認"), N_("する(&B)"), N_("しない(&B)"), false},
    {2, N_("ｃｏｍの当たり牌の確認"), N_("する(&C)"), N_("しない(&C)"), false},
    {3, N_("ﾘｰﾁ後の待ち牌の確認"), N_("する(&D)"), N_("しない(&D)"), false},
    {4, N_("役満を青天井方式で計算"), N_("する(&E)"), N_("しない(&E)"), false},
    {5, N_("自動ﾓｰﾄﾞでｃｏｍをｵｰﾌﾟﾝ"), N_("する(&F)"), N_("しない(&F)"), false},
    {6, N_("ﾄﾞﾗの設定"), N_("次牌(&G)"), N_("現物(&G)"), false},
    {7, N_("赤ｳｰﾋﾟﾝを使用"), N_("する(&H)"), N_("しない(&H)"), false},
    {8, N_("全自動ﾓｰﾄﾞｹﾞｰﾑ"), N_("連続(&I)"), N_("1ｹﾞｰﾑ(&I)"), false},
    {9, N_("ｶﾝﾄﾞﾗを使用"), N_("する(&J)"), N_("しない(&J)"), false},
    {12, N_("音声ﾌｧｲﾙの使用"), N_("する(&K)"), N_("しない(&K)"), true},
    {13, N_("牌の音"), N_("ﾋﾟｼ(&L)"), N_("ﾁｭﾝ(&L)"), true},
    {14, N_("ｃｏｍの積み込み"), N_("する(&M)"), N_("しない(&M)"), true},
    {15, N_("積み込みの確率"), N_("通常(&N)"), N_("低い(&N)"), true},
    {16, N_("ｃｏｍの思考時間"), N_("変則(&O)"), N_("最速(&O)"), true},
    {17, N_("牌の表示方向"), N_("従来(&P)"), N_("実戦(&P)"), true},
    {18, N_("ｃｏｍ牌流局時の確認"), N_("いつも(&Q)"), N_("聴牌(&Q)"), false},
    {19, N_("ｍａｎの積み込み"), N_("する(&R)"), N_("しない(&R)"), true},
}};

int settei_option_for(const SetteiGroup& grp, int value) {
  if (grp.rule_b) return value == 1 ? 1 : 0;
  return value != 0 ? 0 : 1;
}

std::int16_t settei_value_for(const SetteiGroup& grp, int option) {
  if (grp.rule_b) return option == 1 ? 1 : 0;
  return option != 1 ? 1 : 0;
}

bool read_int16(const std::string& text, std::size_t& pos, std::int16_t& out) {
  std::size_t p = pos;
  while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) ++p;
  bool negative = false;
  if (p < text.size() && (text[p] == '-' || text[p] == '+')) negative = text[p++] == '-';
  const std::size_t digits = p;
  long v = 0;
  for (; p < text.size() && std::isdigit(static_cast<unsigned char>(text[p])); ++p)
    v = std::min(v * 10 + (text[p] - '0'), 99999L);  // enough to tell "too big"
  if (p == digits) return false;
  if (negative) v = -v;
  if (v < -32768 || v > 32767) return false;
  out = std::int16_t(v);
  pos = p;
  return true;
}

void parse_settei(const std::string& text, Settings& s) {
  std::size_t pos = 0;
  for (int i = 0; i < kSettingsCount; ++i) {
    std::int16_t v = 0;
    if (!read_int16(text, pos, v)) return;  // the rest keep their values
    s.settei[std::size_t(i)] = v;
  }
}

std::array<std::int16_t, 26> settei_own(const Settings& s) {
  if (!s.lan_host_options) return s.settei;
  std::array<std::int16_t, 26> own = s.lan_host_options->own;
  for (std::size_t i = 0; i < own.size(); ++i)
    if (s.settei[i] != s.lan_host_options->host[i]) own[i] = s.settei[i];
  return own;
}

void settei_take_host(Settings& s, const std::array<std::int16_t, 20>& host) {
  Settings::HostOptions o;
  o.own = settei_own(s);
  for (std::size_t i = 0; i < host.size(); ++i) s.settei[i] = host[i];
  o.host = s.settei;
  s.lan_host_options = o;
}

void settei_restore_own(Settings& s) {
  s.settei = settei_own(s);
  s.lan_host_options.reset();
}

std::string format_settei(const Settings& s) {
  const auto own = settei_own(s);
  std::string out;
  for (int i = 0; i < kSettingsCount; ++i) {
    int v = own[std::size_t(i)];
    out += v >= 0 ? " " : "-";
    out += std::to_string(v >= 0 ? v : -v);
    out += " \r\n";
  }
  return out;
}

void load_settei(Game& g) {
  g.s.set_defaults();
  if (auto text = read_own_file(g, kSettingsFile, N_("設定ﾌｧｲﾙ"), 1u << 16)) parse_settei(*text, g.s);
}

bool settei_save(Game& g) {
  if (write_file_atomic(g.save_path(kSettingsFile), format_settei(g.s))) return true;
  g.os.message_box(g.os.tr("設定ﾌｧｲﾙを書き込めませんでした"), g.os.tr("ﾌｧｲﾙの書き込み"), MessageButtons::Ok,
                   MessageIcon::None);
  return false;
}

void mnusettei_Click(Game& g) { g.os.open_dialog("frmsettei"); }

}  // namespace sekiba
