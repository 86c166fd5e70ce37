#pragma once
// The discard evaluation shared by the computer, the user's hint and the user's
// automatic play: a fixed chain of rules over work_hai, never a search.
//
// The side evaluated follows teban (2 the computer's com_hai, anything else the
// user's man_hai). Every answer is a tile of that hand, or 38 for a complete hand.
// Results besides the tile: g.com.tenpai_flg and g.com.osekai_machi.
#include "engine/table.h"

namespace sekiba {

struct Game;

// The aims of one side, decided once per hand right after the deal.
void com_nerai_kime(Game& g);
void man_nerai_kime(Game& g);

// The evaluation entry. The caller has chosen bunkai_no, shuntsu_jun and
// atama_jun with com_bunkai_kime on the same hand.
Tile com_man_shikou_sub(Game& g, int bunkai_no);
// The choice by the number r of tiles the decomposition left in work_hai.
Tile shikou_sub_sub(Game& g, int r, int bunkai_no);

// Aim discards: mode 0 one suit, 1 one suit and honours, 2 terminals only.
// Answers the heaviest tile outside the aim, or 0 when every tile fits it.
Tile nerai_sute(Game& g, int aim, int mode);
// The heaviest tile of work_hai; equal weights go to the lower slot.
Tile sute_hyouka(Game& g);

// Two tiles left.
Tile sute_nokori2(Game& g, int bunkai_no);
Tile chitoi_sute2(Game& g);
Tile kotsu_kuzusi(Game& g);
Tile tanki_sute(Game& g);
// Three tiles left.
void nokori3_kesu(Game& g, int bunkai_no);
Tile sute_nokori3(Game& g);
Tile nokori3_choice(Game& g, int bunkai_no);
// Any other number left.
Tile reduction_choice(Game& g, int bunkai_no);
void koritsu_nokosi(Game& g, int bunkai_no);

// Shape removals on work_hai (38 = removed). Slots are scanned upwards and a
// removed tile is never looked at again.
void ryanmen_kesu(Game& g);
void renzoku_kesu(Game& g);
void kanchan_kesu(Game& g);
void tobi_kesu(Game& g);
void toitsu_kesu(Game& g);
void yakuhai_toitsu_kesu(Game& g);
void mentsu_soba_kesu(Game& g);
void chitoi_tanki_kesu(Game& g);

// True when t lies next to one of the recorded sets (set slots 1..4).
bool next_to_set(const Game& g, Tile t);

}  // namespace sekiba
