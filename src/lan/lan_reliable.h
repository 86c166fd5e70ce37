#pragma once
// The delivery that survives a lossy network, under the transport's waits.
#include <cstdint>
#include <string>

namespace sekiba {

struct Game;

// A datagram of the extension (it begins with '#') from the partner.
void lan_reliable_arrival(Game& g, const std::string& bytes);
// The host's acceptance of this guest's offer.
void lan_reliable_accepted(Game& g);
// Sends one message numbered, kept until the partner acknowledges it.
void lan_reliable_send(Game& g, const std::string& message);
// Called by every pass of a wait: sends again what is due.
void lan_reliable_tick(Game& g);
// When the next pass must run at the latest (-1: nothing due).
std::int64_t lan_reliable_due(const Game& g);

}  // namespace sekiba
