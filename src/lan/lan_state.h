#pragma once
// What a LAN match keeps between messages: the partner, the receive queue and the
// values of the last action message.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

namespace sekiba {

struct Game;

// The fixed ports of the two roles.
inline constexpr int kHostPort = 20001;
inline constexpr int kGuestPort = 20002;
// Unread messages kept at most; a partner that floods us loses the excess, never
// our memory.
inline constexpr std::size_t kQueueLimit = 10000;
// No message of the protocol is this long; anything longer is not from a partner.
inline constexpr std::size_t kMessageLimit = 256;
// A wait for the partner asks the user whether to give up after this long ...
inline constexpr int kNoAnswerMs = 60000;
// ... or this long when what comes next depends on the partner's user (their
// turn, their key, their Start), who may simply be thinking.
inline constexpr int kUserNoAnswerMs = 5 * 60000;
// The host repeats "host" this often until the guest answers.
inline constexpr int kHostRepeatMs = 5000;

// Delivery that survives loss, duplication and reordering, spoken only when both
// copies offer it at the connection. Its datagrams begin with '#', which no
// message of the plain protocol does; the offer and its acceptance ride on the
// plain "gest" and "OK", which a plain copy reads by their first characters.
inline constexpr char kReliableOffer[] = "gest #r1";
inline constexpr char kReliableAccept[] = "OK #r1";
// An unacknowledged message is sent again after this long, and a copy that
// waits tells the partner after this long how far it has received; each time
// again twice as late, up to kResendMaxMs, while nothing comes back.
inline constexpr int kResendMs = 40;
inline constexpr int kResendMaxMs = 1000;
// Between two copies that number their messages, a partner that has sent
// nothing for this long while this copy waited and asked is gone. A copy
// answers a question at most this often when it sends nothing else.
inline constexpr int kPartnerGoneMs = 15000;
inline constexpr int kProbeAnswerMs = 500;
// Messages that arrive this far ahead of the next expected one are not kept.
inline constexpr std::uint32_t kReorderWindow = 64;

struct ReliableState {
  // 0 plain, 1 offered and not yet answered (the guest), 2 spoken.
  int mode = 0;
  // The partner of this connection spoke it (forgotten when a new one begins).
  bool partner_speaks = false;
  std::uint32_t next_seq = 1;   // of the next message sent
  std::uint32_t delivered = 0;  // the last message received in order
  struct Pending {
    std::uint32_t seq;
    std::string frame;
    std::int64_t sent_at;
    int gap = kResendMs;
  };
  std::deque<Pending> unacked;
  std::map<std::uint32_t, std::string> early;  // received ahead of order
  std::int64_t probed_at = 0;
  // When the partner was last heard from, and this copy last sent to it.
  std::int64_t heard_at = 0, sent_at = 0;
  int probe_gap = kResendMs;
  // Counts for the curious.
  std::size_t resent = 0, duplicates = 0;

  void restart() {
    mode = 0;
    next_seq = 1;
    delivered = 0;
    unacked.clear();
    early.clear();
    probe_gap = kResendMs;
  }
};

struct LanState {
  // Partner list: slots 0..9, most recent first; the first one is aite_host.
  std::array<std::string, 11> aite_list{};
  std::string aite_host;

  // Messages received and not yet read, oldest first (at most kQueueLimit).
  std::deque<std::string> queue;
  std::string jusin_str;
  std::int16_t jusin_flag = 0;
  std::int16_t timer_flag = 0;
  std::int16_t aite_hai = 0, aite_houhou = 0;

  // The socket: bound while a role is chosen; where the partner's datagrams come from.
  bool bound = false;
  std::string partner_address;
  int partner_port = 0;
  // Timer1 as a due time on the platform clock (-1: disabled).
  std::int64_t timer_due = -1;

  // True from the start of a game in LAN mode until the match is left; a request
  // to leave during it unwinds the game to the title screen.
  bool in_match = false;
  // Set by a request to leave; it stays set until the title screen is back, so
  // a sub-screen's handler that catches the unwinding cannot swallow it.
  bool abandon = false;
  // How long the current wait may stay silent before the user is asked.
  int no_answer_ms = kNoAnswerMs;
  // The partner said it gave up the match.
  bool partner_left = false;
  // The match ended on a message this copy's table could not carry out.
  bool table_mismatch = false;
  // The match ended because the partner answered nothing for kPartnerGoneMs.
  bool partner_gone = false;
  ReliableState rel;
  // This copy answers only as a copy without the extension would.
  bool plain_only = false;
  // The longest time one wait for a numbered message took.
  std::int64_t longest_wait_ms = 0;

  // Observers: at every end-of-hand prompt of a match, and on the host between
  // its deal and sending it (tests stack a deal there and compare the tables).
  std::function<void(Game&)> on_key_machi;
  std::function<void(Game&)> after_deal;

  // What was thrown away, for the curious (tests, a debugger).
  std::size_t dropped_foreign = 0, dropped_malformed = 0, dropped_overflow = 0, dropped_stale = 0;

  // For as long as it lives, waits are for the partner's user.
  struct UserWait {
    LanState& l;
    int saved;
    explicit UserWait(LanState& s) : l(s), saved(s.no_answer_ms) { l.no_answer_ms = kUserNoAnswerMs; }
    ~UserWait() { l.no_answer_ms = saved; }
    UserWait(const UserWait&) = delete;
    UserWait& operator=(const UserWait&) = delete;
  };

  void reset_queue() {
    queue.clear();
    jusin_str.clear();
  }
};

}  // namespace sekiba
