// The socket's queue and every wait for the partner.
#include <algorithm>

#include "engine/game.h"
#include "lan/lan.h"
#include "lan/lan_reliable.h"
#include "lan/lan_wire.h"

namespace sekiba {

namespace {

bool loopback(std::string_view a) {
  if (a.rfind("::ffff:", 0) == 0) a.remove_prefix(7);
  return a.rfind("127.", 0) == 0 || a == "::1";
}

bool same_host(std::string_view a, std::string_view b) {
  if (a.rfind("::ffff:", 0) == 0) a.remove_prefix(7);
  if (b.rfind("::ffff:", 0) == 0) b.remove_prefix(7);
  // On one machine the partner's name may resolve to 127.0.1.1 while its
  // datagrams leave from 127.0.0.1.
  return a == b || (loopback(a) && loopback(b));
}

// Timer1: fires every kHostRepeatMs while enabled.
void timer_tick(Game& g) {
  LanState& l = g.lan;
  if (l.timer_due >= 0 && g.os.now_ms() >= l.timer_due) {
    l.timer_flag = 1;
    l.timer_due = g.os.now_ms() + kHostRepeatMs;
  }
}

}  // namespace

void lan_attach(Game& g) {
  g.os.on_datagram = [&g](const std::string& bytes, const std::string& from, int port) {
    udpPeerA_DataArrival(g, bytes, from, port);
  };
  g.os.after_events = [&g] {
    if (g.lan.abandon) throw LanAbandoned();
  };
}

void udpPeerA_DataArrival(Game& g, const std::string& bytes, const std::string& from, int from_port) {
  LanState& l = g.lan;
  if (!l.bound || from_port != l.partner_port || !same_host(from, l.partner_address)) {
    ++l.dropped_foreign;
    return;
  }
  // Whatever it says, the partner is there.
  l.rel.heard_at = g.os.now_ms();
  if (!lan::plausible_datagram(bytes)) {
    ++l.dropped_malformed;
    return;
  }
  if (!l.plain_only && bytes[0] == '#') {
    lan_reliable_arrival(g, bytes);
    return;
  }
  if (l.rel.mode == 1 && bytes == kReliableAccept) {
    lan_reliable_accepted(g);
    return;
  }
  // A "host" after the offer went out: the host has not heard it. Each one
  // gets one offer, as each gets one "gest" from a copy without numbering.
  if (l.rel.mode == 1 && bytes.rfind("host", 0) == 0) {
    g.os.udp_send(kReliableOffer);
    return;
  }
  // Once numbered messages flow, a plain one is only the next connection's
  // "host", or the guest asking again whether its offer was taken.
  if (l.rel.mode == 2 && bytes.rfind("host", 0) != 0) {
    if (bytes == kReliableOffer && g.t.lan_host == 1) g.os.udp_send(kReliableAccept);
    else ++l.dropped_stale;
    return;
  }
  if (l.queue.size() >= kQueueLimit) {
    ++l.dropped_overflow;
    return;
  }
  l.queue.push_back(bytes);
}

void lan_send(Game& g, const std::string& message) {
  if (g.t.lan_mode != 1 || !g.lan.bound) return;
  if (g.lan.rel.mode == 2) lan_reliable_send(g, message);
  else g.os.udp_send(message);
}

[[noreturn]] void lan_abandon(Game& g) {
  mnulane_Click(g);
  throw LanAbandoned();
}

[[noreturn]] void lan_mismatch(Game& g) {
  g.lan.table_mismatch = true;
  // Leaving tells a partner that numbers its messages, which then stops waiting too.
  lan_abandon(g);
}

namespace {

// One pass of a wait for the partner: handles the abandon request, asks after a
// minute of silence, and sleeps until something arrives (or the host's timer is due).
// A partner that numbers its messages answers the questions this copy sends
// while it waits, whatever its user does: when it stays silent, it is gone.
void wait_pass(Game& g, std::int64_t& since) {
  LanState& l = g.lan;
  if (l.abandon || g.t.lan_mode != 1) lan_abandon(g);
  const std::int64_t now = g.os.now_ms();
  const std::int64_t silent_since = std::max(since, l.rel.heard_at);
  if (l.rel.mode == 2 && now - silent_since >= kPartnerGoneMs) {
    l.partner_gone = true;
    lan_abandon(g);
  }
  if (now - since >= l.no_answer_ms) {
    // Whatever arrives meanwhile answers the question for the user.
    const MessageAnswer a = g.os.ask_while_waiting(
        g.os.tr("相手からの応答がありません。対戦を中止しますか？"), g.os.tr("LAN対戦"),
        [&] { return !l.queue.empty() || l.abandon || g.t.lan_mode != 1; });
    if (a == MessageAnswer::Yes) lan_abandon(g);
    since = g.os.now_ms();
    return;
  }
  lan_reliable_tick(g);
  std::int64_t until = since + l.no_answer_ms;
  if (l.rel.mode == 2) until = std::min(until, silent_since + kPartnerGoneMs);
  if (l.timer_due >= 0) until = std::min(until, l.timer_due);
  if (const std::int64_t due = lan_reliable_due(g); due >= 0) until = std::min(until, due);
  g.os.sleep_until_datagram(int(std::max<std::int64_t>(0, until - now)));
  timer_tick(g);
}

}  // namespace

void jusin_machi(Game& g) {
  LanState& l = g.lan;
  const std::int64_t start = g.os.now_ms();
  std::int64_t since = start;
  // The connection's own waits go at the pace of "host", whatever the delivery.
  const bool numbered = l.rel.mode == 2;
  for (;;) {
    if (l.abandon || g.t.lan_mode != 1) lan_abandon(g);
    if (!l.queue.empty()) {
      l.jusin_str = std::move(l.queue.front());
      l.queue.pop_front();
      if (numbered) l.longest_wait_ms = std::max(l.longest_wait_ms, g.os.now_ms() - start);
      return;
    }
    wait_pass(g, since);
  }
}

void send_ok(Game& g) { lan_send(g, "OK"); }

void check_ok(Game& g) {
  for (;;) {
    jusin_machi(g);
    if (g.lan.jusin_str.rfind("OK", 0) == 0) break;
  }
  g.lan.jusin_str.clear();
}

void lan_send_ack(Game& g, const std::string& message) {
  // Without a socket there is no partner whose answer could come.
  if (g.t.lan_mode != 1 || !g.lan.bound) return;
  lan_send(g, message);
  check_ok(g);
}

std::string keyword_wait(Game& g, std::string_view keyword,
                         const std::function<bool(const std::string&)>& valid) {
  LanState& l = g.lan;
  l.jusin_flag = 0;
  std::string found;
  do {
    jusin_machi(g);
    if (!lan::starts_with_keyword(l.jusin_str, keyword)) continue;
    if (valid && !valid(l.jusin_str)) {
      ++l.dropped_malformed;
      continue;
    }
    found = std::move(l.jusin_str);
    l.jusin_flag = 1;
    l.jusin_str.clear();
  } while (l.jusin_flag == 0);
  return found;
}

namespace {

struct Action {
  const char* prefix;
  int code;
};
constexpr Action kActions[] = {{"man_sute", 4}, {"man_rechi", 5}, {"man_ron", 1},  {"man_tumo", 2},
                               {"man_agari", 3}, {"man_pon", 6},  {"man_chi", 7},  {"man_kan", 8},
                               {"man_ukn", 9},  {"man_pkn", 10}};

// The values of an action message; false when they cannot be used.
bool action_values(int code, const std::string& m, std::int16_t& hai, std::int16_t& houhou) {
  const auto last = lan::value_last2(m);
  switch (code) {
    case 1:
    case 3:  // the tile of a win is not used, but no partner sends a tile that is none
      if (!last || !lan::tile_code(*last)) return false;
      hai = std::int16_t(*last);
      return true;
    case 5:  // the riichi counter
      if (!last || *last < 0) return false;
      hai = std::int16_t(*last);
      return true;
    case 7: {
      const auto tile = lan::value_at(m, 8, 2);
      if (!tile || !last || !lan::chi_fits(*tile, *last)) return false;
      hai = std::int16_t(*tile);
      houhou = std::int16_t(*last);
      return true;
    }
    default:
      if (!last || !lan::tile_code(*last)) return false;
      hai = std::int16_t(*last);
      return true;
  }
}

int copies(const std::array<Tile, 16>& hand, int tile, int last) {
  int n = 0;
  for (int i = 1; i <= last; ++i) n += hand[std::size_t(i)] == tile ? 1 : 0;
  return n;
}

// Whether the partner's hand as this copy knows it allows the action: a call
// takes the local user's last discard and tiles the partner holds, a discard
// or a kan only tiles it holds. A draw is always taken: each copy draws its own
// tiles, and a count above four only keeps that code out of this copy's draws.
bool action_possible(const Game& g, int code, int hai, int houhou) {
  const Table& t = g.t;
  const int last = t.man_junme > 1 ? t.man_sute[std::size_t(std::min<int>(t.man_junme - 1, 20))] : 0;
  // Four melds leave no room for another.
  const bool room = t.com_naki_cnt >= 1 && t.com_naki_cnt <= 4;
  switch (code) {
    case 4: return copies(t.com_hai, hai, 14) >= 1;
    case 6: return room && hai == last && copies(t.com_hai, hai, 13) >= 2;
    case 7: {
      const int low = hai - (houhou - 1);
      int need = 0;
      for (int x = low; x < low + 3; ++x)
        if (x != hai) need += copies(t.com_hai, x, 13) >= 1 ? 0 : 1;
      return room && hai == last && need == 0;
    }
    case 8: return room && hai == last && copies(t.com_hai, hai, 13) >= 3;
    case 9: return room && copies(t.com_hai, hai, 14) >= 4;
    case 10:
      for (int k = 1; k < std::min<int>(t.com_naki_cnt, 5); ++k)
        if (t.com_naki_hai[std::size_t(k)] == hai && t.com_naki_kind[std::size_t(k)] == 2)
          return copies(t.com_hai, hai, 14) >= 1;
      return false;
    default: return true;
  }
}

}  // namespace

int aite_matsu(Game& g, unsigned applied) {
  if (g.t.lan_mode != 1) return 0;
  LanState& l = g.lan;
  const LanState::UserWait user(l);  // the partner's user is choosing
  l.jusin_flag = 0;
  int code = 0;
  while (l.jusin_flag == 0) {
    jusin_machi(g);
    for (const Action& a : kActions) {
      if (l.jusin_str.rfind(a.prefix, 0) != 0) continue;
      std::int16_t hai = l.aite_hai, houhou = l.aite_houhou;
      if (action_values(a.code, l.jusin_str, hai, houhou)) {
        // Not acknowledged: the partner must not go on as if it had been applied.
        if ((applied & lan_code_bit(a.code)) != 0 && !action_possible(g, a.code, hai, houhou))
          lan_mismatch(g);
        l.aite_hai = hai;
        l.aite_houhou = houhou;
        code = a.code;
        l.jusin_flag = 1;
      } else {
        ++l.dropped_malformed;
      }
      break;
    }
    l.jusin_str.clear();
  }
  send_ok(g);
  return code;
}

void setuzoku_check(Game& g) {
  LanState& l = g.lan;
  const LanState::UserWait user(l);  // the guest's user has yet to press Start
  // Every game connects afresh: the guest may have been restarted since, or be
  // another program, so nothing the last partner spoke is assumed.
  l.rel.restart();
  l.rel.partner_speaks = false;
  lan_send(g, "host");
  l.timer_flag = 0;
  l.timer_due = g.os.now_ms() + kHostRepeatMs;
  l.jusin_flag = 0;
  std::int64_t since = g.os.now_ms();
  while (l.jusin_flag == 0) {
    if (!l.queue.empty()) {
      l.jusin_str = std::move(l.queue.front());
      l.queue.pop_front();
    }
    if (l.jusin_str.rfind("gest", 0) == 0) {
      l.jusin_flag = 1;
      l.timer_due = -1;
      if (l.jusin_str == kReliableOffer && !l.plain_only) {
        lan_send(g, kReliableAccept);
        l.rel.mode = 2;
        l.rel.partner_speaks = true;
      } else {
        send_ok(g);
      }
      l.jusin_str.clear();
      break;
    }
    l.jusin_str.clear();
    if (l.timer_flag == 1) {
      l.timer_flag = 0;
      lan_send(g, "host");
      l.timer_due = g.os.now_ms() + kHostRepeatMs;
    }
    if (l.queue.empty()) {
      try {
        wait_pass(g, since);
      } catch (...) {
        l.timer_due = -1;
        throw;
      }
    }
  }
}

void gest_sub(Game& g) {
  LanState& l = g.lan;
  const LanState::UserWait user(l);
  // The host may be another program than last time.
  l.rel.restart();
  l.rel.partner_speaks = false;
  do {
    jusin_machi(g);
  } while (l.jusin_str.rfind("host", 0) != 0);
  l.jusin_str.clear();
  l.rel.restart();
  if (l.plain_only) {
    lan_send(g, "gest");
    return;
  }
  lan_send(g, kReliableOffer);
  l.rel.mode = 1;
}

// ---- the actor's messages ----

void lan_send_tumo(Game& g, int tile) { lan_send_ack(g, lan::with_number("man_tumo ", tile)); }
void lan_send_sute(Game& g, int tile, int man_rechi) {
  lan_send_ack(g, lan::with_number("man_sute ", tile));
  lan_send_ack(g, lan::with_number("man_rechi ", man_rechi));
}
void lan_send_pon(Game& g, int tile) { lan_send_ack(g, lan::with_number("man_pon ", tile)); }
void lan_send_chi(Game& g, int tile, int houhou) {
  lan_send_ack(g, "man_chi " + lan::field2(tile) + lan::field2(houhou));
}
void lan_send_kan(Game& g, int tile) { lan_send_ack(g, lan::with_number("man_kan ", tile)); }
void lan_send_ukn(Game& g, int tile) { lan_send_ack(g, lan::with_number("man_ukn ", tile)); }
void lan_send_pkn(Game& g, int tile) { lan_send_ack(g, lan::with_number("man_pkn ", tile)); }
void lan_send_ron(Game& g, int tile) { lan_send_ack(g, lan::with_number("man_ron ", tile)); }
void lan_send_agari(Game& g, int tile) { lan_send_ack(g, lan::with_number("man_agari ", tile)); }

}  // namespace sekiba
