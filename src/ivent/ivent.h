#pragma once
// Event sticks: the user earns them by certain wins and spends them on events.

namespace sekiba {

struct Game;

// Adds count sticks of a kind (0..5) when the user is the winner of the hand
// being settled; a count never rises above 10.
void ivent_bou_add(Game& g, int kind, int count);

}  // namespace sekiba
