#include "com/think.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "engine/game.h"
#include "platform/fileio.h"
#include "records/own_files.h"
#include "records/settings.h"

namespace sekiba {

// A group with no option selected (only after an odd value in the file) stores
// the setting's default, as the two count groups do.
const std::array<ShikouGroup, kShikouCount> kShikouGroups = {{
    {N_("捨牌選択時ﾄﾞﾗを重視"), 2, {N_("する(&A)"), N_("しない(&B)"), nullptr}, {1, 0, 0}, 0},
    {N_("捨牌選択評価方法"), 2, {N_("特殊(&C)"), N_("通常(&D)"), nullptr}, {1, 0, 0}, 0},
    {N_("ﾁﾝｲﾂ狙い"), 2, {N_("する(&E)"), N_("しない(&F)"), nullptr}, {0, 1, 0}, 0},
    {N_("ﾎﾝｲﾂ狙い"), 2, {N_("する(&G)"), N_("しない(&H)"), nullptr}, {0, 1, 0}, 0},
    {N_("ﾁﾝｲﾂを狙う枚数"), 3, {N_("１１枚(&J)"), N_("１０枚(&K)"), N_("９枚(&L)")}, {10, 9, 8}, 8},
    {N_("ﾎﾝｲﾂを狙う枚数"), 3, {N_("１２枚(&M)"), N_("１１枚(&N)"), N_("１０枚(&O)")}, {11, 10, 9}, 11},
    {N_("ﾁﾝﾛｳ狙い"), 2, {N_("する(&P)"), N_("しない(&Q)"), nullptr}, {0, 1, 0}, 0},
    {N_("ｃｏｍのﾘｰﾁのかけ方"), 2, {N_("通常(&R)"), N_("弱気(&S)"), nullptr}, {0, 1, 0}, 0},
}};

std::array<std::int16_t*, kShikouCount> shikou_values(Settings& s) {
  return {&s.shikou_dora,       &s.shikou_hyouka,    &s.shikou_chinitu, &s.shikou_honitu,
          &s.shikou_chinitu_su, &s.shikou_honitu_su, &s.shikou_chinro,  &s.shikou_rechi};
}

void shikou_defaults(Settings& s) {
  // The defaults live once, in the members of Settings.
  Settings fresh;
  const auto from = shikou_values(fresh);
  const auto to = shikou_values(s);
  for (std::size_t i = 0; i < to.size(); ++i) *to[i] = *from[i];
}

void parse_shikou(const std::string& text, Settings& s) {
  const auto values = shikou_values(s);
  std::size_t pos = 0;
  for (std::int16_t* v : values)
    if (!read_int16(text, pos, *v)) return;  // the rest keep their values
}

std::string format_shikou(const Settings& s) {
  Settings copy = s;
  std::string out;
  for (const std::int16_t* v : shikou_values(copy)) {
    out += *v >= 0 ? " " : "-";
    out += std::to_string(*v >= 0 ? *v : -*v);
    out += " \r\n";
  }
  return out;
}

void load_shikou(Game& g) {
  shikou_defaults(g.s);
  if (auto text = read_own_file(g, kShikouFile, N_("思考法ﾌｧｲﾙ"), 1u << 16)) parse_shikou(*text, g.s);
}

bool shikou_save(Game& g) {
  if (write_file_atomic(g.save_path(kShikouFile), format_shikou(g.s))) return true;
  g.os.message_box(g.os.tr("思考法ﾌｧｲﾙを書き込めませんでした"), g.os.tr("ﾌｧｲﾙの書き込み"), MessageButtons::Ok,
                   MessageIcon::None);
  return false;
}

int shikou_option_for(int group, int value) {
  if (group < 0 || group >= kShikouCount) return -1;
  const ShikouGroup& grp = kShikouGroups[std::size_t(group)];
  for (int k = 0; k < grp.count; ++k)
    if (grp.values[std::size_t(k)] == value) return k;
  return -1;
}

std::int16_t shikou_value_for(int group, int option) {
  if (group < 0 || group >= kShikouCount) return 0;
  const ShikouGroup& grp = kShikouGroups[std::size_t(group)];
  if (option < 0 || option >= grp.count) return grp.unset;
  return grp.values[std::size_t(option)];
}

}  // namespace sekiba
