#include "Seats.h"

#include "Computer.h"

#include <algorithm>

namespace quindra {

namespace {

bool isLeftPlayerCode(std::int16_t code) {
    switch (code) {
    case 60:
    case 65:
    case 83:
    case 88:
    case 90:
    case 97:
    case 115:
    case 119:
    case 122:
    case 226:
        return true;
    default:
        return false;
    }
}

} // namespace

bool isSeatCode(std::int16_t code, Seat seat) {
    switch (seat) {
    case Seat::Both:
        return true;
    case Seat::Left:
        return code == 32 || isLeftPlayerCode(code);
    case Seat::Right:
        return code == 32 || ComputerPlayer::isRightPlayerCode(code);
    }
    return false;
}

KeyPress keysOfSeat(const KeyPress& press, Seat seat) {
    KeyPress kept = press;
    const auto code = static_cast<std::int16_t>(press.keyDown);
    const bool pauseKey = press.keyDown == keyP || press.keyDown == keyPause;
    if (!pauseKey && !isSeatCode(code, seat))
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
    switch (key.keyDown) {
    case 0: // the keypad's digits with Num Lock on, a layout's shifted arrows' characters
        return c == '2' || c == '4' || c == '8' || (c >= 37 && c <= 40);
    case 32:
        return c == 0 || c == ' ';
    case 50:
    case 52:
    case 56:
        return c == 0 || c == key.keyDown;
    case 222:
        return c == 0 || c == '\'';
    case 37:
    case 38:
    case 39:
    case 40:
    case 189:
    case keyP:
    case keyPause:
        return c == 0;
    default:
        return false;
    }
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
