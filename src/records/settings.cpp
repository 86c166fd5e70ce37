#include "records/settings.h"

#include <cctype>
#include <algorithm>
#include <cstdlib>

#include "engine/game.h"
#include "platform/fileio.h"
#include "records/own_files.h"

namespace sekiba {

const std::array<SetteiGroup, 18> kSetteiGroups = {{
    {0, "ﾘｰﾁ後の自動処理", "する(&A)", "しない(&A)", false},
    {1, "ﾌﾘﾃﾝ時のﾌﾘﾃﾝ牌の確認", "する(&B)", "しない(&B)", false},
    {2, "ｃｏｍの当たり牌の確認", "する(&C)", "しない(&C)", false},
    {3, "ﾘｰﾁ後の待ち牌の確認", "する(&D)", "しない(&D)", false},
    {4, "役満を青天井方式で計算", "する(&E)", "しない(&E)", false},
    {5, "自動ﾓｰﾄﾞでｃｏｍをｵｰﾌﾟﾝ", "する(&F)", "しない(&F)", false},
    {6, "ﾄﾞﾗの設定", "次牌(&G)", "現物(&G)", false},
    {7, "赤ｳｰﾋﾟﾝを使用", "する(&H)", "しない(&H)", false},
    {8, "全自動ﾓｰﾄﾞｹﾞｰﾑ", "連続(&I)", "1ｹﾞｰﾑ(&I)", false},
    {9, "ｶﾝﾄﾞﾗを使用", "する(&J)", "しない(&J)", false},
    {12, "音声ﾌｧｲﾙの使用", "する(&K)", "しない(&K)", true},
    {13, "牌の音", "ﾋﾟｼ(&L)", "ﾁｭﾝ(&L)", true},
    {14, "ｃｏｍの積み込み", "する(&M)", "しない(&M)", true},
    {15, "積み込みの確率", "通常(&N)", "低い(&N)", true},
    {16, "ｃｏｍの思考時間", "変則(&O)", "最速(&O)", true},
    {17, "牌の表示方向", "従来(&P)", "実戦(&P)", true},
    {18, "ｃｏｍ牌流局時の確認", "いつも(&Q)", "聴牌(&Q)", false},
    {19, "ｍａｎの積み込み", "する(&R)", "しない(&R)", true},
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
  if (auto text = read_own_file(g, kSettingsFile, "設定ﾌｧｲﾙ", 1u << 16)) parse_settei(*text, g.s);
}

bool settei_save(Game& g) {
  if (write_file_atomic(g.save_path(kSettingsFile), format_settei(g.s))) return true;
  g.os.message_box("設定ﾌｧｲﾙを書き込めませんでした", "ﾌｧｲﾙの書き込み", MessageButtons::Ok,
                   MessageIcon::None);
  return false;
}

void mnusettei_Click(Game& g) { g.os.open_dialog("frmsettei"); }

}  // namespace sekiba
