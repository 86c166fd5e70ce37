#pragma once
// What a LAN match keeps between messages: the partner, the receive queue and the
// values of the last action message.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
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
// A wait for the partner asks the user whether to give up after this long.
inline constexpr int kNoAnswerMs = 60000;
// The host repeats "host" this often until the guest answers.
inline constexpr int kHostRepeatMs = 5000;

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
  bool abandon = false;

  // Observers: at every end-of-hand prompt of a match, and on the host between
  // its deal and sending it (tests stack a deal there and compare the tables).
  std::function<void(Game&)> on_key_machi;
  std::function<void(Game&)> after_deal;

  // What was thrown away, for the curious (tests, a debugger).
  std::size_t dropped_foreign = 0, dropped_malformed = 0, dropped_overflow = 0;

  void reset_queue() {
    queue.clear();
    jusin_str.clear();
  }
};

}  // namespace sekiba
