#include "Seats.h"

#include "KeyBindings.h"

#include <algorithm>

namespace quindra {

namespace {

// The character a key of the right player's types as the game knows it: digits and
// Space type themselves, the apostrophe key its apostrophe; the rest type none it reads.
std::uint8_t typedBy(std::uint8_t code) {
    if (code == 32 || (code >= '0' && code <= '9'))
        return code;
    return code == 222 ? '\'' : 0;
}

} // namespace

bool isSeatCode(std::int16_t code, Seat seat) {
    const KeyOwner owner = ownerOfCode(code);
    switch (seat) {
    case Seat::Both:
        return true;
    case Seat::Left:
        return owner == KeyOwner::Both || owner == KeyOwner::Blue;
    case Seat::Right:
        return owner == KeyOwner::Both || owner == KeyOwner::Red;
    }
    return false;
}

KeyPress keysOfSeat(const KeyPress& press, Seat seat) {
    KeyPress kept = press;
    const auto code = static_cast<std::int16_t>(press.keyDown);
    if (!isPauseKey(press.keyDown) && !isSeatCode(code, seat))
        kept.keyDown = 0;
    std::erase_if(kept.characters, [seat](std::uint8_t c) {
        return !isSeatCode(static_cast<std::int16_t>(c), seat);
    });
    return kept;
}

std::optional<SeatKey> rightPlayerKey(const KeyPress& press) {
    const KeyPress kept = keysOfSeat(press, Seat::Right);
    SeatKey key;
    key.keyDown = static_cast<std::uint8_t>(kept.keyDown);
    // A key types one character; another of a layout's (a dead key's) is left out, and so
    // is a character that the right player's key does not give as the host knows it.
    if (!kept.characters.empty()) {
        key.character = kept.characters.front();
        if (!isRightPlayerKey(key))
            key.character = 0;
    }
    if (key == SeatKey{} || !isRightPlayerKey(key))
        return std::nullopt;
    return key;
}

bool isRightPlayerKey(const SeatKey& key) {
    const std::uint8_t c = key.character;
    if (key.keyDown == 0) // the keypad's digits with Num Lock on, a layout's shifted arrows
        return c == '2' || c == '4' || c == '8' || (c >= 37 && c <= 40);
    if (!isPauseKey(key.keyDown) && !isSeatCode(key.keyDown, Seat::Right))
        return false;
    return c == 0 || c == typedBy(key.keyDown);
}

std::uint32_t seatKeyId(const SeatKey& key) {
    return key.keyDown != 0 ? key.keyDown : 0x100u + key.character;
}

KeyPress pressOf(const SeatKey& key) {
    KeyPress press;
    press.id = seatKeyId(key);
    press.keyDown = key.keyDown;
    if (key.character != 0)
        press.characters.push_back(key.character);
    return press;
}

} // namespace quindra
