#pragma once
// What a LAN match keeps between messages.
#include <deque>
#include <string>

namespace sekiba {

struct LanState {
  // Messages received and not yet read, oldest first.
  std::deque<std::string> queue;
  void reset_queue() { queue.clear(); }
};

}  // namespace sekiba
