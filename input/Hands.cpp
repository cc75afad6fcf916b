#include "Hands.h"

#include <algorithm>
#include <cstdlib>

namespace quindra {

Hands::Hands(std::int16_t up, std::int16_t down) : up_(up), down_(down) {}

void Hands::setRepeat(int delay, int interval) {
    delay_ = std::max(delay, 1);
    interval_ = std::max(interval, 1);
}

void Hands::press(std::int16_t code, std::int64_t now) {
    lastPress_ = now;
    if (observer_)
        observer_(Act::Press, code, now);
}

void Hands::releaseAt(std::int64_t now) {
    if (held_ != 0 && observer_)
        observer_(Act::Release, held_, now);
    held_ = 0;
}

void Hands::release() {
    releaseAt(lastSeen_);
}

bool Hands::tap(std::int64_t now, std::int16_t code) {
    lastSeen_ = now;
    releaseAt(now);
    if (now - lastPress_ < tapGap)
        return false;
    press(code, now);
    if (observer_)
        observer_(Act::Release, code, now);
    return true;
}

std::int16_t Hands::steer(std::int64_t now, int steps) {
    lastSeen_ = now;
    const std::int16_t want = steps < 0 ? up_ : steps > 0 ? down_ : 0;
    if (held_ != want)
        releaseAt(now);
    if (want == 0)
        return 0;
    if (held_ != 0) {
        if (now < nextRepeat_)
            return 0;
        // A late look takes one step, not the ones it missed, as held keys repeat.
        nextRepeat_ += interval_;
        if (nextRepeat_ <= now)
            nextRepeat_ = now + interval_;
        return want;
    }
    if (now - lastPress_ < tapGap)
        return 0;
    press(want, now);
    // Held down when its repeats would get there sooner than more taps; tapped otherwise.
    const int more = std::abs(steps) - 1;
    if (more > 0 && delay_ + (more - 1) * interval_ < more * tapGap) {
        held_ = want;
        nextRepeat_ = now + delay_;
    } else if (observer_) {
        observer_(Act::Release, want, now);
    }
    return want;
}

std::optional<std::int64_t> Hands::nextStep(int steps) const {
    const std::int16_t want = steps < 0 ? up_ : steps > 0 ? down_ : 0;
    if (want == 0)
        return std::nullopt;
    if (held_ == want)
        return nextRepeat_;
    return lastPress_ + tapGap;
}

} // namespace quindra
