#pragma once
// Who a key press is for when the two players sit at two keyboards: the host at the left
// racquet, the guest at the right. Each keeps the codes of their own racquet as the key
// table gives them, the serve, and the keys that pause and resume.
#include "HeldKeys.h"

#include <optional>

namespace quindra {

enum class Seat { Both, Left, Right };

bool isSeatCode(std::int16_t code, Seat seat);
// The press with every code that is not the seat's taken out.
KeyPress keysOfSeat(const KeyPress& press, Seat seat);

// A key of the right player's as it crosses from the guest's keyboard to the host: the
// code of its key-down event where the right player's keys give one (or the pause keys),
// and the one character of the right player's it types; 0 for none.
struct SeatKey {
    std::uint8_t keyDown = 0;
    std::uint8_t character = 0;
    bool operator==(const SeatKey&) const = default;
};

// What of a press at the guest's keyboard the host needs; nothing when it moves nothing.
std::optional<SeatKey> rightPlayerKey(const KeyPress& press);
// True when some key of the right player's gives exactly these codes: an arrow types no
// character, a digit key its own digit, the apostrophe key its apostrophe; a key whose
// code is not the right player's counts only for the one character it types.
bool isRightPlayerKey(const SeatKey& key);
// Two keys with the same codes are one key to the host: held once, let go once.
std::uint32_t seatKeyId(const SeatKey& key);
KeyPress pressOf(const SeatKey& key);

} // namespace quindra
