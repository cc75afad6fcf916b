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

} // namespace quindra
