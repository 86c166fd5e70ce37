// Numbered messages, acknowledged and sent again until they are, delivered to
// the queue once each and in order. A datagram of the extension is one of
//   "#d<n> <message>"  the n-th message of this connection
//   "#a<n>"            everything up to the n-th arrived (also sent by a copy
//                      that waits, so the other sends again what went missing)
//   "#x"               the partner gave up the match
#include "lan/lan_reliable.h"

#include <algorithm>

#include "engine/game.h"
#include "lan/lan.h"
#include "lan/lan_wire.h"

namespace sekiba {

void lan_reliable_accepted(Game& g);

namespace {

// A sequence number: 1 to 9 digits and nothing else.
bool parse_seq(std::string_view s, std::uint32_t& n) {
  if (s.empty() || s.size() > 9) return false;
  std::uint32_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + std::uint32_t(c - '0');
  }
  n = v;
  return true;
}

void send_raw(Game& g, const std::string& bytes) {
  if (!g.lan.bound) return;
  g.os.udp_send(bytes);
  g.lan.rel.sent_at = g.os.now_ms();
}

void acknowledge(Game& g) { send_raw(g, "#a" + std::to_string(g.lan.rel.delivered)); }

void deliver(Game& g, const std::string& message) {
  LanState& l = g.lan;
  if (!lan::plausible_datagram(message)) {
    ++l.dropped_malformed;
  } else if (l.queue.size() >= kQueueLimit) {
    ++l.dropped_overflow;
  } else {
    l.queue.push_back(message);
  }
}

int doubled(int gap) { return std::min(2 * gap, kResendMaxMs); }

void on_data(Game& g, std::string_view body) {
  ReliableState& r = g.lan.rel;
  const std::size_t blank = body.find(' ');
  std::uint32_t n = 0;
  if (blank == std::string_view::npos || !parse_seq(body.substr(0, blank), n) || n == 0) {
    ++g.lan.dropped_malformed;
    return;
  }
  // The host's first numbered message stands for its acceptance when that went
  // missing.
  if (r.mode == 1 && n == 1) lan_reliable_accepted(g);
  if (r.mode != 2) return;  // a leftover of an earlier connection
  r.probe_gap = kResendMs;  // the partner is there
  const std::string message(body.substr(blank + 1));
  if (n == r.delivered + 1) {
    deliver(g, message);
    ++r.delivered;
    for (auto it = r.early.find(r.delivered + 1); it != r.early.end(); it = r.early.find(r.delivered + 1)) {
      deliver(g, it->second);
      ++r.delivered;
      r.early.erase(it);
    }
  } else if (n > r.delivered + 1 && n - r.delivered <= kReorderWindow) {
    if (!r.early.emplace(n, message).second) ++r.duplicates;
  } else {
    ++r.duplicates;
  }
  acknowledge(g);
}

void on_ack(Game& g, std::string_view body) {
  ReliableState& r = g.lan.rel;
  std::uint32_t n = 0;
  if (!parse_seq(body, n)) {
    ++g.lan.dropped_malformed;
    return;
  }
  // Nothing acknowledges what was never sent.
  if (r.mode != 2 || n >= r.next_seq) return;
  const std::int64_t now = g.os.now_ms();
  // A copy that waits asks how far this one has received; the answer tells it
  // that this copy is still there. Anything sent lately told it already, and an
  // answer taken for a question is then not answered again.
  const bool answer = now - r.sent_at >= kProbeAnswerMs;
  // Only news from the partner makes this copy ask quickly again.
  if (!r.unacked.empty() && r.unacked.front().seq <= n) r.probe_gap = kResendMs;
  while (!r.unacked.empty() && r.unacked.front().seq <= n) r.unacked.pop_front();
  if (answer) acknowledge(g);
  // The partner is waiting for what it has not got: send it again, unless it
  // has only just gone out.
  for (auto& p : r.unacked) {
    if (now - p.sent_at < kResendMs / 2) continue;
    send_raw(g, p.frame);
    p.sent_at = now;
    ++r.resent;
  }
}

}  // namespace

// The host took the offer: its acceptance stands for the "OK" of the plain
// connection.
void lan_reliable_accepted(Game& g) {
  ReliableState& r = g.lan.rel;
  r.mode = 2;
  r.partner_speaks = true;
  deliver(g, "OK");
}

void lan_reliable_arrival(Game& g, const std::string& bytes) {
  LanState& l = g.lan;
  const std::string_view v(bytes);
  if (v.size() >= 2 && v[1] == 'd') {
    on_data(g, v.substr(2));
  } else if (v.size() >= 2 && v[1] == 'a') {
    on_ack(g, v.substr(2));
  } else if (v == "#x") {
    // Only a partner known to speak the extension can say it left, and only a
    // match can be left.
    if (!(l.rel.mode == 2 || l.rel.partner_speaks) || !l.in_match || g.t.lan_mode != 1) return;
    l.partner_left = true;
    mnulane_Click(g);
  } else {
    ++l.dropped_malformed;
  }
}

void lan_reliable_send(Game& g, const std::string& message) {
  ReliableState& r = g.lan.rel;
  const std::uint32_t n = r.next_seq++;
  std::string frame = "#d" + std::to_string(n) + " " + message;
  r.unacked.push_back({n, frame, g.os.now_ms()});
  // Never more in flight than the partner keeps; the protocol has one or two.
  while (r.unacked.size() > kReorderWindow) r.unacked.pop_front();
  send_raw(g, frame);
}

void lan_reliable_tick(Game& g) {
  ReliableState& r = g.lan.rel;
  if (r.mode != 2) return;
  const std::int64_t now = g.os.now_ms();
  for (auto& p : r.unacked) {
    if (now - p.sent_at < p.gap) continue;
    send_raw(g, p.frame);
    p.sent_at = now;
    p.gap = doubled(p.gap);
    ++r.resent;
  }
  if (now - r.probed_at >= r.probe_gap) {
    acknowledge(g);
    r.probed_at = now;
    r.probe_gap = doubled(r.probe_gap);
  }
}

std::int64_t lan_reliable_due(const Game& g) {
  const ReliableState& r = g.lan.rel;
  if (r.mode != 2) return -1;
  std::int64_t due = r.probed_at + r.probe_gap;
  for (const auto& p : r.unacked) due = std::min(due, p.sent_at + p.gap);
  return due;
}

void lan_tell_bye(Game& g) {
  LanState& l = g.lan;
  if (!(l.rel.mode == 2 || l.rel.partner_speaks) || l.partner_left || !l.bound) return;
  // Nothing acknowledges it: a few copies make its loss unlikely.
  for (int i = 0; i < 3; ++i) send_raw(g, "#x");
}

}  // namespace sekiba
