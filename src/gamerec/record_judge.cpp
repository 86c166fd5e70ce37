#include "gamerec/record_judge.h"

#include <utility>

#include "engine/game.h"
#include "engine/settlement.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "eval/yaku.h"

namespace sekiba {

bool declare_win(Game& g, int winner, Tile w) {
  Table& t = g.t;
  if (winner == 1) {
    t.man_hai[14] = w;
    man_work_set(g);
    if (man_agari_check(g) != kAgari) return false;
    man_naki_tuika(g);
    return true;
  }
  t.com_hai[14] = w;
  return com_agari_check(g) == kAgari;
}

void settle_win(Game& g, int winner, Tile w, int kind) {
  Table& t = g.t;
  t.agari_hai = w;
  t.agari_pl = std::int16_t(winner);
  t.agari_kind = std::int16_t(kind);
  if (winner == 1) {
    man_work_set(g);
    man_naki_tenkai(g);
  } else {
    com_work_set(g);
  }
  work_hai_sort(g);
  g.a.last_fu = 0;
  yaku_main(g);
}

Table mirrored(const Table& a) {
  Table t = a;
  std::swap(t.man_hai, t.com_hai);
  std::swap(t.man_naki_hai, t.com_naki_hai);
  std::swap(t.man_naki_kind, t.com_naki_kind);
  std::swap(t.man_naki_cnt, t.com_naki_cnt);
  std::swap(t.man_sute, t.com_sute);
  std::swap(t.man_junme, t.com_junme);
  std::swap(t.man_rechi, t.com_rechi);
  std::swap(t.man_daburi, t.com_daburi);
  t.oya = std::int16_t(3 - t.oya);
  return t;
}

void load_record_settings(Settings& s, const nlohmann::json& header) {
  for (std::size_t i = 0; i < std::size_t(kSettingsCount); ++i) s.settei[i] = header["settei"][i].get<std::int16_t>();
  s.settei[12] = 1;  // silent
  std::int16_t* const shikou[] = {&s.shikou_dora,       &s.shikou_hyouka,    &s.shikou_chinitu, &s.shikou_honitu,
                                  &s.shikou_chinitu_su, &s.shikou_honitu_su, &s.shikou_chinro,  &s.shikou_rechi};
  for (std::size_t i = 0; i < 8; ++i) *shikou[i] = header["shikou"][i].get<std::int16_t>();
}

int prepare_win(Game& g, const Table& before, const nlohmann::json& win, bool& partner) {
  const nlohmann::json& st = win["state"];
  g.t = before;
  Table& t = g.t;
  t.man_rechi = st["man_riichi"].get<std::int16_t>();
  t.com_rechi = st["com_riichi"].get<std::int16_t>();
  t.man_daburi = st["man_daburi"].get<std::int16_t>();
  t.com_daburi = st["com_daburi"].get<std::int16_t>();
  t.man_junme = st["man_junme"].get<std::int16_t>();
  t.com_junme = st["com_junme"].get<std::int16_t>();
  t.bairitu = st["double"].get<std::int16_t>();
  t.honba = st["honba"].get<std::int16_t>();
  for (std::size_t i = 0; i < 5; ++i) t.ivent_bou[i] = st["event_sticks"][i].get<std::int16_t>();
  int winner = win["side"].get<int>();
  partner = t.lan_mode == 1 && winner == 2;
  if (partner) {
    t = mirrored(t);
    winner = 1;
  }
  t.lan_mode = 0;
  g.yaku.rinshan_flag = st["rinshan"].get<std::int16_t>();
  return winner;
}

}  // namespace sekiba
