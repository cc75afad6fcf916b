#include "Players.h"

#include "app/GameCore.h"

namespace quindra {

Players::Players(GameCore& game, Platform& platform)
    : game_(game), platform_(platform), computer_(game, platform) {}

void Players::keyDown(const KeyPress& press, bool desktopRepeat, std::int64_t now) {
    if (desktopRepeat && held_.isHeld(press.id)) {
        held_.desktopRepeat(press.id, now);
        return;
    }
    deliverPress(keysOfSeat(press, localSeat_), now);
}

void Players::guestKeyDown(const KeyPress& press, std::int64_t now) {
    KeyPress guest = keysOfSeat(press, Seat::Right);
    guest.id = guestKeyId(press.id);
    if (held_.isHeld(guest.id))
        return;
    deliverPress(guest, now);
}

void Players::deliverPress(const KeyPress& press, std::int64_t now) {
    const bool wasPaused = game_.paused();
    deliverKey(game_, press, computerPlaying_);
    if (wasPaused || game_.paused())
        held_.releaseAll(); // a paused rally takes no keys, and a pausing key has no repeats
    else
        held_.press(press, now);
}

void Players::keyUp(std::uint32_t id) {
    held_.release(id);
}

bool Players::repeatHeldKeys(std::int64_t now) {
    const std::vector<KeyPress> due = held_.takeDue(now);
    for (const KeyPress& press : due)
        deliverKey(game_, press, computerPlaying_, true);
    return !due.empty();
}

void Players::releaseHeldKeys() {
    held_.releaseAll();
}

HeldKeys::ClockPlan Players::repeatClock(std::int64_t now,
                                         std::optional<std::int64_t> setFor) const {
    return held_.planClock(now, platform_.clockEnabled(), platform_.clockInterval(), setFor);
}

bool Players::computerMoves(std::int64_t now, bool canMove) {
    const bool on = game_.menu.mnuComputer;
    if (on && !computerPlaying_)
        computer_.reset(); // switched on: it starts from what it sees now
    computerPlaying_ = on;
    if (!on || !canMove) {
        computer_.rest();
        return false;
    }
    // It holds keys as the players' keys repeat here.
    computer_.setKeyRepeat(held_.delay(), held_.interval());
    const std::int16_t code = computer_.act(now);
    if (code == 0)
        return false;
    game_.ControllaTasti(code);
    return true;
}

std::optional<std::int64_t> Players::nextComputerMove() const {
    if (!computerPlaying_)
        return std::nullopt;
    return computer_.nextAct();
}

void Players::restComputer() {
    computer_.rest();
}

bool Players::pauseWhenAway() {
    const bool wasPaused = game_.paused();
    game_.pauseRally();
    if (!game_.paused() || wasPaused)
        return false;
    held_.releaseAll();
    return true;
}

} // namespace quindra
