#pragma once
// Who a key press is for when the two players sit at two keyboards: the host at the left
// racquet, the guest at the right. Each keeps the codes of their own racquet as the key
// table gives them, the serve, and the keys that pause and resume.
#include "HeldKeys.h"

namespace quindra {

enum class Seat { Both, Left, Right };

bool isSeatCode(std::int16_t code, Seat seat);
// The press with every code that is not the seat's taken out.
KeyPress keysOfSeat(const KeyPress& press, Seat seat);

} // namespace quindra
