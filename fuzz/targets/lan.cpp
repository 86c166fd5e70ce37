// One copy of a LAN match waiting for its partner, in each of its waits, given
// datagrams from the fuzzer: the first byte picks the wait, the rest are the
// datagrams (split at 0xff bytes, which no message holds).
#include <algorithm>
#include <array>
#include <optional>

#include "com/com_turn.h"
#include "engine/driver.h"
#include "harness.h"
#include "lan/lan.h"
#include "lan/lan_wire.h"
#include "man/input.h"
#include "targets.h"

namespace sekiba::fuzz {

namespace {

using Counts = std::array<int, 40>;

void add(Counts& c, int tile, int copies = 1) {
  if (tile >= 1 && tile <= 37 && tile % 10 != 0) c[std::size_t(tile)] += copies;
}

void add_melds(Counts& c, const std::array<Tile, 6>& hai, const std::array<std::int16_t, 6>& kind,
               int cnt) {
  for (int k = 1; k < std::min(cnt, 5); ++k) {
    const int t = hai[std::size_t(k)];
    switch (kind[std::size_t(k)]) {
      case 1: add(c, t), add(c, t + 1), add(c, t + 2); break;
      case 2: add(c, t, 3); break;
      case 3:
      case 4: add(c, t, 4); break;
      default: break;
    }
  }
}

// The partner's tiles: hand, melds and discards.
Counts com_tiles(const Table& t) {
  Counts c{};
  for (int i = 1; i <= 14; ++i) add(c, t.com_hai[std::size_t(i)]);
  add_melds(c, t.com_naki_hai, t.com_naki_kind, t.com_naki_cnt);
  for (int i = 1; i < std::min<int>(t.com_junme, 21); ++i) add(c, t.com_sute[std::size_t(i)]);
  return c;
}

// Every tile this copy can see. The local user's last discard is left out: a
// call moves it into the partner's meld while it still lies on the row.
Counts table_tiles(const Table& t) {
  Counts c = com_tiles(t);
  for (int i = 1; i <= 14; ++i) add(c, t.man_hai[std::size_t(i)]);
  add_melds(c, t.man_naki_hai, t.man_naki_kind, t.man_naki_cnt);
  for (int i = 1; i < std::min<int>(t.man_junme - 1, 21); ++i) add(c, t.man_sute[std::size_t(i)]);
  for (int d : {t.dora, t.ura_dora, t.kan_dora}) add(c, d);
  return c;
}

void set_hand(std::array<Tile, 16>& hand, std::initializer_list<int> tiles) {
  hand.fill(kEmpty);
  int i = 1;
  for (int t : tiles) hand[std::size_t(i++)] = Tile(t);
}

// A hand in its sixth turn: the partner holds a triplet, pairs and a run, so that
// every call a message can name is sometimes possible.
struct Start {
  Table t;
  Settings s;
  LanState lan;
  ComState com;
  ManState man;
  YakuState yaku;
};

Start make_start(bool host) {
  Harness& h = harness();
  Game& g = h.g;
  g.t = Table{};
  g.t.app_path = h.dir;
  g.s = Settings{};
  g.s.settei[16] = 1;  // no thinking pause
  g.lan = LanState{};
  lan_attach(g);
  g.os.on_input = [&g](const InputEvent& ev) { handle_input(g, ev); };
  g.lan.aite_host = "partner";
  if (host) mnuhost_Click(g);
  else mnugest_Click(g);
  FUZZ_CHECK(g.t.lan_mode == 1 && g.lan.bound);
  g.lan.in_match = true;
  Table& t = g.t;
  t.oya = 1;
  set_hand(t.man_hai, {2, 3, 4, 6, 7, 8, 11, 11, 24, 25, 26, 33, 33});
  set_hand(t.com_hai, {1, 1, 1, 5, 5, 6, 7, 13, 14, 15, 22, 22, 31});
  const int man_sute[] = {9, 36, 35, 19, 5}, com_sute[] = {29, 28, 21, 34, 17};
  for (int i = 0; i < 5; ++i) {
    t.man_sute[std::size_t(i + 1)] = Tile(man_sute[i]);
    t.com_sute[std::size_t(i + 1)] = Tile(com_sute[i]);
  }
  t.man_junme = t.com_junme = 6;
  t.man_sute_x = std::int16_t(3 + 4 * 5);
  t.com_sute_x = std::int16_t(61 - 4 * 5);
  t.dora = 27, t.ura_dora = 32, t.kan_dora = 16;
  t.hai_cnt = {};
  const Counts seen = table_tiles(t);
  for (int c = 0; c < 40; ++c) t.hai_cnt[std::size_t(c)] = std::int16_t(seen[std::size_t(c)]);
  ++t.hai_cnt[5];  // the last discard
  t.hai_cnt[10] = t.hai_cnt[20] = t.hai_cnt[30] = t.hai_cnt[38] = 4;
  t.kyoku_flag = 1;
  return Start{g.t, g.s, g.lan, g.com, g.man, g.yaku};
}

const Start& start(bool host) {
  static const Start h = make_start(true), gu = make_start(false);
  return host ? h : gu;
}

enum class Wait {
  kConnect,      // host: "host" sent, waiting for "gest"; guest: the dealer and the settings
  kDeal,         // guest: the indicators and both hands
  kTurn,         // the partner's turn after the local discard
  kFirstTurn,    // the partner's first turn (no call possible)
  kAck,          // an "OK" for a sent message
  kWin,          // the loser's side of the partner's win
  kDraw,         // the exhaustive-draw exchange
  kKey,          // the end-of-hand prompt
  kScores,       // the final scores
  kLastTile,     // the last-discard exchange
  kCount
};

int run(bool host, const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Harness& h = harness();
  Game& g = h.g;
  h.fresh();
  h.os.udp_idle_jumps = true;
  const Start& s0 = start(host);
  g.t = s0.t;
  g.s = s0.s;
  g.lan = s0.lan;
  g.com = s0.com;
  g.man = s0.man;
  g.yaku = s0.yaku;
  const Wait wait = Wait(data[0] % int(Wait::kCount));
  ++data, --size;
  Table& t = g.t;
  if (wait == Wait::kDeal || wait == Wait::kConnect) {
    // Before the deal: nothing on the table yet.
    t.man_hai.fill(kEmpty);
    t.com_hai.fill(kEmpty);
    t.man_sute.fill(0);
    t.com_sute.fill(0);
    t.man_junme = t.com_junme = 1;
    t.dora = t.ura_dora = t.kan_dora = 0;
    t.hai_cnt = {};
  }
  if (wait == Wait::kFirstTurn) {
    t.man_junme = t.com_junme = 1;
    t.man_sute.fill(0);
    t.com_sute.fill(0);
  }
  // The datagrams have arrived from the partner.
  for (std::size_t begin = 0, n = 0; begin <= size && n < 8; ++n) {
    std::size_t end = begin;
    while (end < size && data[end] != 0xff) ++end;
    udpPeerA_DataArrival(g, text(data + begin, end - begin), "127.0.0.1", g.lan.partner_port);
    begin = end + 1;
  }
  // The host's user answers the end-of-hand prompt.
  h.os.on_idle = [](HeadlessPlatform& p) { p.input.push_back(InputEvent{InputEvent::Kind::KeyDown, 0x0D}); };

  const Counts com_before = com_tiles(t), seen_before = table_tiles(t);
  const auto cnt_before = t.hai_cnt;
  const Tile man_last = t.man_junme > 1 ? t.man_sute[std::size_t(t.man_junme - 1)] : Tile(0);
  try {
    switch (wait) {
      case Wait::kConnect:
        if (host) lan_oya_kime_host_connect(g);
        else lan_oya_kime_guest(g);
        break;
      case Wait::kDeal:
        if (host) return 0;
        lan_set_dora(g);
        lan_haipai_receive(g);
        break;
      case Wait::kTurn:
      case Wait::kFirstTurn: com_main(g); break;
      case Wait::kAck: check_ok(g); break;
      case Wait::kWin: yaku_main_lan(g); break;
      case Wait::kDraw: lan_nagare_exchange(g, 1); break;
      case Wait::kKey: lan_key_machi(g); break;
      case Wait::kScores: lan_tensu_exchange(g); break;
      case Wait::kLastTile: lan_haitei_receive(g); break;
      case Wait::kCount: break;
    }
  } catch (const LanAbandoned&) {
    // Nothing more came: the user gave up the match at the no-answer prompt.
  }

  // A partner may make a code appear more than four times (each copy draws its
  // own tiles), but the table stays one the counts describe: what came on it is
  // what was counted, the local user's last discard moving to the partner by a
  // call or a ron aside (it was counted when it was thrown).
  const Counts seen = table_tiles(t), com_after = com_tiles(t);
  for (int c = 1; c <= 37; ++c) {
    const auto i = std::size_t(c);
    const int counted = t.hai_cnt[i] - cnt_before[i];
    const int came = seen[i] - seen_before[i];
    FUZZ_CHECK(counted >= 0);
    FUZZ_CHECK(came == counted || (c == man_last && came == counted + 1));
    // The local user's own tiles are the partner's business only in the deal.
    if (wait != Wait::kDeal) FUZZ_CHECK(came == com_after[i] - com_before[i]);
  }
  for (int i = 1; i <= 14; ++i) {
    FUZZ_CHECK(lan::hand_code(t.com_hai[std::size_t(i)]));
    FUZZ_CHECK(lan::hand_code(t.man_hai[std::size_t(i)]));
  }
  FUZZ_CHECK(t.com_naki_cnt >= 1 && t.com_naki_cnt <= 5);
  FUZZ_CHECK(t.oya == 1 || t.oya == 2);
  // Settings from the host still give automatic play a pause it can live with.
  const std::int64_t clock = h.os.clock_ms;
  jidou_pause(g);
  FUZZ_CHECK(h.os.clock_ms - clock <= 15 * 100 + 100);
  return 0;
}

}  // namespace

int fuzz_lan_host(const std::uint8_t* data, std::size_t size) { return run(true, data, size); }
int fuzz_lan_guest(const std::uint8_t* data, std::size_t size) { return run(false, data, size); }

}  // namespace sekiba::fuzz
