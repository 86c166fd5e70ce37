// The discard evaluation: aims first, then the drawn tile in riichi, then a choice
// by how many tiles the chosen decomposition leaves over.
#include "com/shikou.h"

#include <algorithm>

#include "com/shikou_util.h"
#include "engine/game.h"
#include "eval/bunkai.h"
#include "eval/hand.h"

namespace sekiba {

using namespace shikou_util;

namespace {

struct Aims {
  std::int16_t& chinitu;
  std::int16_t& honitu;
  std::int16_t& chinro;
};

void decide_aims(Game& g, Aims aims) {
  work_hai_sort(g);
  const Settings& s = g.s;
  int per_suit[3] = {0, 0, 0};
  int honours = 0, terminals = 0;
  for (int i = 1; i <= 14; ++i) {
    const Tile t = g.a.work_hai[std::size_t(i)];
    if (is_number(t)) {
      ++per_suit[suit(t)];
      if (rank(t) == 1 || rank(t) == 9) ++terminals;
    } else if (is_honour(t)) {
      ++honours;
    }
  }
  aims.chinitu = aims.honitu = aims.chinro = 4;
  // A later suit overrides an earlier one, which only matters with thresholds
  // low enough for two suits to pass.
  for (int su = 0; su < 3; ++su) {
    if (per_suit[su] + honours > s.shikou_honitu_su) aims.honitu = std::int16_t(su);
    if (per_suit[su] > s.shikou_chinitu_su) aims.chinitu = std::int16_t(su);
  }
  if (terminals > 11) aims.chinro = 1;
}

}  // namespace

void com_nerai_kime(Game& g) {
  com_work_set(g);
  decide_aims(g, {g.com.com_nerai_chinitu, g.com.com_nerai_honitu, g.com.com_nerai_chinro});
}

void man_nerai_kime(Game& g) {
  man_work_set(g);
  decide_aims(g, {g.com.man_nerai_chinitu, g.com.man_nerai_honitu, g.com.man_nerai_chinro});
}

Tile sute_hyouka(Game& g) {
  const Hand& w = g.a.work_hai;
  int best = 0;
  Tile pick = 0;
  for (int i = 1; i <= 14; ++i) {
    const Tile t = w[std::size_t(i)];
    if (t == kEmpty) continue;
    // Strictly greater: of two equal weights the lower slot stays chosen.
    if (weight(g, t) > best) {
      best = weight(g, t);
      pick = t;
    }
  }
  return best > 0 ? pick : w[1];
}

Tile nerai_sute(Game& g, int aim, int mode) {
  Hand& w = g.a.work_hai;
  for (int i = 1; i <= 14; ++i) {
    const Tile t = w[std::size_t(i)];
    if (t == kEmpty) continue;
    bool fits = false;
    if (mode == 0) fits = is_number(t) && suit(t) == aim;
    else if (mode == 1) fits = (is_number(t) && suit(t) == aim) || is_honour(t);
    else fits = is_number(t) && (rank(t) == 1 || rank(t) == 9);
    if (fits) w[std::size_t(i)] = kEmpty;
  }
  return nokori_kazu(g) > 0 ? sute_hyouka(g) : Tile(0);
}

Tile com_man_shikou_sub(Game& g, int bunkai_no) {
  ComState& c = g.com;
  c.tenpai_flg = 0;
  c.osekai_machi = 0;
  const bool com = com_side(g);
  side_work_set(g);

  const struct {
    std::int16_t aim, off;
    int mode;
  } aims[3] = {
      {com ? c.com_nerai_chinitu : c.man_nerai_chinitu, g.s.shikou_chinitu, 0},
      {com ? c.com_nerai_honitu : c.man_nerai_honitu, g.s.shikou_honitu, 1},
      {com ? c.com_nerai_chinro : c.man_nerai_chinro, g.s.shikou_chinro, 2},
  };
  for (const auto& aim : aims) {
    if (aim.aim == 4 || aim.off != 0) continue;
    const Tile t = nerai_sute(g, aim.aim, aim.mode);
    if (t != 0) return t;
    side_work_set(g);
  }

  const int r = mentsu_bunkai(g, bunkai_no);
  const int rechi = com ? g.t.com_rechi : g.t.man_rechi;
  if (rechi != 0 && r != 0) return side_hand(g)[14];
  return shikou_sub_sub(g, r, bunkai_no);
}

Tile shikou_sub_sub(Game& g, int r, int bunkai_no) {
  if (r == 0) return kEmpty;
  if (r == 2) {
    const Tile t = sute_nokori2(g, bunkai_no);
    g.com.osekai_machi = g.com.tenpai_flg;
    return t;
  }
  if (r == 3) return nokori3_choice(g, bunkai_no);
  return reduction_choice(g, bunkai_no);
}

// ---- two tiles left ---------------------------------------------------------

Tile sute_nokori2(Game& g, int bunkai_no) {
  if (bunkai_no == 8) return chitoi_sute2(g);
  Hand& w = g.a.work_hai;
  const Hand copy = w;
  ryanmen_kesu(g);
  const bool open_shape = nokori_kazu(g) == 0;
  w = copy;
  if (g.a.kotsu_cnt == 3 && open_shape) {
    // One triplet becomes the head and the open shape the wait; the riichi
    // comes, if at all, on a later turn.
    const Tile t = kotsu_kuzusi(g);
    g.com.tenpai_flg = 0;
    return t;
  }
  if (g.a.kotsu_cnt == 4) {
    const Tile t = sute_hyouka(g);
    g.com.tenpai_flg = 1;
    return t;
  }
  return tanki_sute(g);
}

Tile chitoi_sute2(Game& g) {
  const Tile t1 = g.a.work_hai[1], t2 = g.a.work_hai[2];
  const int c1 = side_hand_kazu(g, t1), c2 = side_hand_kazu(g, t2);
  g.com.tenpai_flg = 1;
  // The single already thrown once is the safer wait to give up.
  if (c1 == 1 && c2 == 1) return side_sute_kazu(g, t1) > 0 ? t1 : t2;
  if (c1 == 1 && c2 == 3) return t2;
  if (c1 == 3 && c2 == 1) return t1;
  g.com.tenpai_flg = 0;
  return t1;
}

Tile kotsu_kuzusi(Game& g) {
  for (int i = 1; i <= 4; ++i)
    if (g.a.mentsu_kind[std::size_t(i)] == 2) return g.a.mentsu_hai[std::size_t(i)];
  return sute_hyouka(g);
}

bool next_to_set(const Game& g, Tile t) {
  if (t == kEmpty) return false;
  for (int i = 1; i <= 4; ++i) {
    const int m = g.a.mentsu_hai[std::size_t(i)];
    switch (g.a.mentsu_kind[std::size_t(i)]) {
      case 1:
        if (t == m - 1 || t == m || t == m + 2 || t == m + 3) return true;
        break;
      case 2:
        if (t == m - 1 || t == m + 1) return true;
        break;
      default:
        break;
    }
  }
  return false;
}

Tile tanki_sute(Game& g) {
  const Tile t1 = g.a.work_hai[1], t2 = g.a.work_hai[2];
  int keep = 0;
  if (next_to_set(g, t1)) keep = 1;
  if (next_to_set(g, t2)) keep = 2;
  if (keep == 1) {
    // Waiting on a tile the hand holds all four of is no wait.
    g.com.tenpai_flg = side_hand_kazu(g, t1) == 4 ? 0 : 1;
    return t2;
  }
  if (keep == 2) {
    g.com.tenpai_flg = side_hand_kazu(g, t2) == 4 ? 0 : 1;
    return t1;
  }
  g.com.tenpai_flg = 0;
  return sute_hyouka(g);
}

// ---- three tiles left -------------------------------------------------------

void nokori3_kesu(Game& g, int bunkai_no) {
  if (bunkai_no == 7) {
    atama_nuki(g);
    return;
  }
  ryanmen_kesu(g);
  toitsu_kesu(g);
  kanchan_kesu(g);
}

Tile sute_nokori3(Game& g) {
  work_hai_sort(g);
  Hand& w = g.a.work_hai;
  const Hand copy = w;
  for (int i = 1; i <= 3; ++i)
    if (next_to_set(g, w[std::size_t(i)])) w[std::size_t(i)] = kEmpty;
  if (nokori_kazu(g) == 1) return w[1];
  w = copy;
  return sute_hyouka(g);
}

Tile nokori3_choice(Game& g, int bunkai_no) {
  nokori3_kesu(g, bunkai_no);
  if (nokori_kazu(g) != 1) return sute_nokori3(g);

  ComState& c = g.com;
  const Tile lone = g.a.work_hai[1];
  const bool com = com_side(g);
  if (bunkai_no == 7) {
    // Triplets only: the pair just taken beside the head makes a two-pair wait.
    if (com) c.tenpai_flg = g.t.com_junme > 9 ? 1 : 0;
    else c.osekai_machi = 3;
    return lone;
  }
  Tile tile = 0;
  if (com) {
    if (c.ryanmen_cnt == 1) {
      tile = lone;
      c.tenpai_flg = 1;
    }
    if (c.toitsu_kesu_cnt == 1) {
      if (c.toitsu_kesu_hai != 0 && c.toitsu_kesu_hai != g.a.atama_hai) {
        tile = lone;
        c.tenpai_flg = g.t.com_junme > 9 ? 1 : 0;
      } else {
        // A second pair of the head tile: four copies, break them.
        tile = c.toitsu_kesu_hai;
        c.tenpai_flg = 0;
      }
    }
    if (c.kanchan_cnt == 1) {
      tile = lone;
      c.tenpai_flg = g.t.com_junme > 13 ? 1 : 0;
    }
  } else {
    if (c.ryanmen_cnt == 1) {
      tile = lone;
      c.osekai_machi = 4;
    }
    if (c.toitsu_kesu_cnt == 1) {
      tile = lone;
      c.osekai_machi = 3;
    }
    if (c.kanchan_cnt == 1) {
      tile = lone;
      c.osekai_machi = 2;
    }
  }
  // One tile left out of three means exactly one removal took two; the lone
  // tile is the answer should the counters ever say otherwise.
  return tile != 0 ? tile : lone;
}

// ---- any other number left --------------------------------------------------

Tile reduction_choice(Game& g, int bunkai_no) {
  Hand& w = g.a.work_hai;
  const Hand copy = w;
  koritsu_nokosi(g, bunkai_no);
  if (nokori_kazu(g) > 0) return sute_hyouka(g);

  // Every tile belonged to a shape: give up shapes, the least valuable first.
  w = copy;
  ryanmen_kesu(g);
  mentsu_soba_kesu(g);
  yakuhai_toitsu_kesu(g);
  toitsu_kesu(g);
  if (nokori_kazu(g) > 0) return sute_hyouka(g);

  w = copy;
  ryanmen_kesu(g);
  mentsu_soba_kesu(g);
  yakuhai_toitsu_kesu(g);
  if (nokori_kazu(g) > 0) return sute_hyouka(g);

  w = copy;
  ryanmen_kesu(g);
  if (nokori_kazu(g) > 0) return sute_hyouka(g);

  w = copy;
  return sute_hyouka(g);
}

void koritsu_nokosi(Game& g, int bunkai_no) {
  if (bunkai_no == 7) {
    atama_nuki(g);
    atama_nuki(g);
    atama_nuki(g);
  } else if (bunkai_no == 8) {
    chitoi_tanki_kesu(g);
  } else {
    renzoku_kesu(g);
    mentsu_soba_kesu(g);
    tobi_kesu(g);
    kanchan_kesu(g);
    yakuhai_toitsu_kesu(g);
    toitsu_kesu(g);
  }
}

}  // namespace sekiba
