// The user's turn: the decision on the opponent's discard and the operation window.
#include <algorithm>
#include <array>
#include <optional>

#include "engine/game.h"
#include "engine/settlement.h"
#include "eval/bunkai.h"
#include "ivent/ivent.h"
#include "lan/lan.h"
#include "man/man.h"
#include "screen/draw.h"
#include "screen/raster.h"

namespace sekiba {

namespace {

struct Item {
  const char* caption;
  int glyph;  // PicMK cell; 0 = the pair A N
};

constexpr int kPair = 0;

struct Mode {
  std::array<Item, 5> items;
  int count;
  int frame;
};

// ﾎﾟﾝﾂﾞｹ of mode 1 is shown only while the user has a meld (see sousa_last_item).
// The items have words of their own in other languages ("ツモ" here draws a tile).
constexpr std::array<Mode, 8> kModes = {{
    {{{{NC_("operation", "ツモ"), 14},
       {NC_("operation", "ポン"), 30},
       {NC_("operation", "チー"), 31},
       {NC_("operation", "カン"), 32},
       {NC_("operation", "上がり"), 34}}},
     5, 2},
    {{{{NC_("operation", "捨てる"), kPair},
       {NC_("operation", "カン"), 32},
       {NC_("operation", "リーチ"), 33},
       {NC_("operation", "上がり"), 34},
       {NC_("operation", "ﾎﾟﾝﾂﾞｹ"), 35}}},
     5, 1},
    {{{{NC_("operation", "捨てる"), kPair}, {NC_("operation", "取消し"), 33}}}, 2, 3},
    {{{{NC_("operation", "選択"), kPair}}}, 1, 10},
    {{{{NC_("operation", "ツモ"), 14}, {NC_("operation", "上がり"), 34}}}, 2, 11},
    {{{{NC_("operation", "捨てる"), 14}, {NC_("operation", "上がり"), 34}}}, 2, 12},
    {{{{NC_("operation", "捨てる"), kPair}, {NC_("operation", "カン"), 32}}}, 2, 13},
    {{{{NC_("operation", "捨てる"), kPair}, {NC_("operation", "カン"), 32}, {NC_("operation", "上がり"), 34}}}, 3, 14},
}};

Tile last_com_discard(const Game& g) {
  return g.t.com_sute[std::size_t(std::clamp<int>(g.t.com_junme - 1, 1, 20))];
}

// The draw, or in riichi first the ron on the opponent's discard.
int automatic_decision(Game& g) {
  if (g.t.man_rechi != 0 && man_ron(g, last_com_discard(g)) == 1) return kRon;
  man_tumo(g);
  return kDrew;
}

void move_cursor(Game& g, int step) {
  const int mode = g.man.sousa_mode;
  const int last = sousa_last_item(g, mode);
  int c = g.man.sousa_cursor;
  // Items not on offer are stepped over; item 0 always is.
  do {
    c += step;
    if (c < 0) c = last;
    if (c > last) c = 0;
  } while (!sousa_item_on(g, mode, c));
  sousa_window(g, c, mode);
}

// Marks the calls that cannot be made, for a player who wants only the
// possible ones offered; clears the marks otherwise.
CallOffer offer_calls(Game& g, Tile offered) {
  g.man.sousa_off.fill(0);
  if (!g.ext.calls_when_possible) return {};
  const CallOffer o = call_offer(g, offered);
  g.man.sousa_off[1] = o.pon ? 0 : 1;
  g.man.sousa_off[2] = o.chi ? 0 : 1;
  g.man.sousa_off[3] = o.kan ? 0 : 1;
  return o;
}

void refuse_call(Game& g, const char* what) {
  say_refusal(g, g.t.man_rechi != 0 ? N_("リーチ中は鳴けません") : what);
}

// The opponent's riichi loses its one-turn bonus when the user calls.
void end_ippatsu(Game& g) {
  if (g.t.com_rechi != 0) ++g.t.com_rechi;
}

}  // namespace

int sousa_last_item(const Game& g, int mode) {
  if (mode < 0 || mode > 7) return 0;
  if (mode == 1) return g.t.man_naki_cnt != 1 ? 4 : 3;
  return kModes[std::size_t(mode)].count - 1;
}

void sousa_window(Game& g, int cursor, int mode) {
  mode = std::clamp(mode, 0, 7);
  const int last = sousa_last_item(g, mode);
  cursor = std::clamp(cursor, 0, last);
  g.man.sousa_mode = std::int16_t(mode);
  g.man.sousa_cursor = std::int16_t(cursor);
  if (!g.scr.shown) return;
  const Mode& m = kModes[std::size_t(mode)];
  // The window is redrawn at every move of its cursor, always from the clean
  // background of its corner, where nothing else of the table lies.
  blit(g.scr.win, 8 * 66, 8 * 4, g.scr.PicHAIKEI, 8 * 66, 8 * 4, 8 * 13 + 8, 8 * 14 + 8, Rop::Copy);
  gbox_r(g, 66, 4, 78, 17, 7, 0, 1);
  disp_gr(g, 69, 5, g.os.tr_in("operation", "操　作"), 0, 0);
  for (int i = 0; i <= last; ++i) {
    const int row = 7 + 2 * i;
    // The bar spans the text's em box (16 pixels from the grid row) with a
    // pixel to spare above and below.
    if (i == cursor) g_line(g, 8 * 67 - 2, 8 * row - 1, 8 * 78 - 2, 8 * row + 16, m.frame, 1);
    const Item& it = m.items[std::size_t(i)];
    if (it.glyph == kPair) {
      font_mk(g, 67, row, 27);
      font_mk(g, 69, row, 28);
    } else {
      font_mk(g, 68, row, it.glyph);
    }
    // A call not on offer is greyed.
    const int colour = i == cursor ? 7 : sousa_item_on(g, mode, i) ? 0 : 8;
    disp_gr(g, 71, row, g.os.tr_in("operation", it.caption), colour, 0);
  }
}

void ivent_stick_command(Game& g, int stick) {
  switch (stick) {
    case 0: mnudora_Click(g); break;
    case 1: mnurasu_Click(g); break;
    case 2: mnuhaipai_Click(g); break;
    case 3: mnudouble_Click(g); break;
    case 4: mnuopen_Click(g); break;
    default: break;
  }
}

int man_main(Game& g) {
  Table& t = g.t;
  ManState& m = g.man;
  const int mode = t.man_rechi != 0 ? 4 : 0;
  int inflg = kNoDecision;

  // The dealer's first discard comes from the dealt hand: nothing to decide.
  if (t.com_junme != 1) {
    const CallOffer offer = offer_calls(g, last_com_discard(g));
    sousa_window(g, 0, mode);
    bool restart = true;
    while (restart) {
      restart = false;
      g.os.yield();
      inflg = kNoDecision;
      if (t.jidou == 1) inflg = automatic_decision(g);
      else if (g.s.settei[0] == 1 && t.lan_mode == 0 && t.man_rechi != 0)
        inflg = automatic_decision(g);
      else if (g.ext.calls_when_possible && !offer.any()) {
        man_tumo(g);  // nothing to decide on this discard
        inflg = kDrew;
      }

      while (inflg == kNoDecision) {
        int c = key_input(g, 1);
        if (c == kClick && t.jidou == 1) {
          restart = true;  // automatic play was switched on during the wait
          break;
        }
        if (c == kKeyUp) move_cursor(g, -1);
        else if (c == kKeyDown) move_cursor(g, 1);
        if (c == kClick) {
          if (m.mouse_area == 1) {
            if (m.mouse_item == 14) c = kKeyEnter;
          } else if (m.mouse_area == 2) {
            if (sousa_item_on(g, m.sousa_mode, m.mouse_item)) {
              sousa_window(g, m.mouse_item, m.sousa_mode);
              c = kKeyEnter;
            }
          } else if (m.mouse_area == 3) {
            c = 80 + m.mouse_item;
          }
        }
        if (c == kKeyEnter) {
          const int item = m.sousa_cursor;
          if (item == 0) c = 14;
          else if (m.sousa_mode == 0) c = item == 1 ? 15 : item == 2 ? 16 : item == 3 ? 17 : 19;
          else if (m.sousa_mode == 4) c = 19;
        }
        const Tile offered = last_com_discard(g);
        switch (c) {
          case 14:
            man_tumo(g);
            inflg = kDrew;
            break;
          case 15:
            if (t.man_rechi == 0 && man_pon(g, offered) == 1) {
              inflg = kPon;
              end_ippatsu(g);
            } else {
              refuse_call(g, N_("ポンできる牌がありません"));
            }
            break;
          case 16:
            if (t.man_rechi == 0 && man_chi(g, offered) == 1) {
              inflg = kChi;
              end_ippatsu(g);
            } else {
              refuse_call(g, N_("チーできる牌がありません"));
            }
            break;
          case 17:
            if (t.man_rechi == 0 && man_kan(g, offered) == 1) {
              inflg = kOpenKan;
              end_ippatsu(g);
              kan_dora_pr(g);
              man_tumo(g);  // the replacement tile
            } else {
              refuse_call(g, N_("カンできる牌がありません"));
            }
            break;
          case 19: {
            // Furiten shows its own banner; the line names it first.
            const bool furiten = g.ext.say_refusals && man_furiten_hai(g) != 0;
            if (furiten) say_refusal(g, N_("フリテンのため上がれません"));
            if (man_ron(g, offered) == 1) inflg = kRon;
            else if (!furiten) say_refusal(g, N_("この牌では上がれません"));
            break;
          }
          default:
            if (c >= 80 && c <= 84) ivent_stick_command(g, c - 80);
            break;
        }
      }
    }
  }

  // The partner replays the decision: the tile drawn, the call, or the ron.
  if (t.lan_mode == 1 && t.com_junme != 1) {
    const Tile offered = last_com_discard(g);
    switch (inflg) {
      case kDrew: lan_send_tumo(g, t.man_hai[14]); break;
      case kPon: lan_send_pon(g, offered); break;
      case kChi: lan_send_chi(g, offered, m.chi_houhou); break;
      case kOpenKan:
        lan_send_kan(g, offered);
        lan_send_tumo(g, t.man_hai[14]);
        break;
      case kRon: lan_send_ron(g, offered); break;
      default: break;
    }
  }
  // The ron is judged on the complete hand its test found: the hint's own
  // evaluation, run on the hand all the same, must not stand in for it.
  std::optional<Analysis> won;
  if (inflg == kRon) won = g.a;
  const int ichi = man_osekai_main(g);
  if (won) {
    g.a = *won;
    return 1;
  }
  if (man_sute_sub(g, ichi, inflg) != 1) return 0;
  if (t.lan_mode == 1) lan_send_agari(g, t.man_hai[14]);
  return 2;
}

}  // namespace sekiba
