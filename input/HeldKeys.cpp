#include "HeldKeys.h"

#include "app/GameCore.h"

#include <algorithm>

namespace quindra {

namespace {
// What a desktop could plausibly be set to; a reading outside is noise, not a setting.
constexpr std::int64_t shortestDelay = 100;
constexpr std::int64_t longestDelay = 3000;
constexpr std::int64_t shortestInterval = 5;
constexpr std::int64_t longestInterval = 1000;
} // namespace

void deliverKey(GameCore& game, const KeyPress& key, bool computerPlays, bool repeat) {
    const bool pauseKey = !repeat && isPauseKey(key.keyDown);
    if (game.paused()) {
        // The press that resumes does nothing more: its Space has no serve to start.
        if (pauseKey || (!repeat && actionOf(key.keyDown) == KeyAction::Serve))
            game.resumeRally();
        return;
    }
    if (pauseKey) { // the table has nothing for P or Pause
        game.pauseRally();
        return;
    }
    const auto mine = [computerPlays](std::int16_t code) {
        return !computerPlays || ownerOfCode(code) != KeyOwner::Red;
    };
    const auto keyDown = static_cast<std::int16_t>(key.keyDown);
    if (keyDown != 0 && mine(keyDown))
        game.Form_KeyDown(keyDown, 0);
    for (const std::uint8_t character : key.characters)
        if (mine(character))
            game.Form_KeyPress(static_cast<std::int16_t>(character));
}

HeldKeys::HeldKeys(int delay, int interval) {
    setTiming(delay, interval);
}

void HeldKeys::setTiming(int delay, int interval) {
    delay_ = std::max(delay, 1);
    interval_ = std::max(interval, 1);
}

bool HeldKeys::press(const KeyPress& key, std::int64_t now) {
    if (isHeld(key.id))
        return false;
    keys_.push_back(Held{key, now, now + delay_, 0, 0});
    return true;
}

bool HeldKeys::isHeld(std::uint32_t id) const {
    return std::any_of(keys_.begin(), keys_.end(), [id](const Held& h) { return h.key.id == id; });
}

void HeldKeys::desktopRepeat(std::uint32_t id, std::int64_t now) {
    const auto held =
        std::find_if(keys_.begin(), keys_.end(), [id](const Held& h) { return h.key.id == id; });
    if (held == keys_.end())
        return;
    if (held->desktopRepeats == 0) {
        const std::int64_t delay = now - held->pressedAt;
        if (delay >= shortestDelay && delay <= longestDelay)
            delay_ = static_cast<int>(delay);
        held->firstDesktopRepeat = now;
    } else {
        // The mean since the first repeat, to the nearest: a repeat that comes late (a busy
        // program handles it late) must not set the rate on its own.
        const std::int64_t n = held->desktopRepeats;
        const std::int64_t interval = (now - held->firstDesktopRepeat + n / 2) / n;
        if (interval >= shortestInterval && interval <= longestInterval)
            interval_ = static_cast<int>(interval);
    }
    ++held->desktopRepeats;
}

void HeldKeys::release(std::uint32_t id) {
    keys_.erase(
        std::remove_if(keys_.begin(), keys_.end(), [id](const Held& h) { return h.key.id == id; }),
        keys_.end());
}

void HeldKeys::releaseAll() {
    keys_.clear();
}

std::vector<KeyPress> HeldKeys::takeDue(std::int64_t now) {
    std::vector<Held*> due;
    for (Held& h : keys_)
        if (h.due <= now)
            due.push_back(&h);
    std::stable_sort(due.begin(), due.end(),
                     [](const Held* a, const Held* b) { return a->due < b->due; });
    std::vector<KeyPress> repeats;
    repeats.reserve(due.size());
    for (Held* h : due) {
        repeats.push_back(h->key);
        h->due += interval_;
        if (h->due <= now)
            h->due = now + interval_;
    }
    return repeats;
}

HeldKeys::ClockPlan HeldKeys::planClock(std::int64_t now, bool rally, int tickInterval,
                                        std::optional<std::int64_t> setFor) const {
    using Action = ClockPlan::Action;
    const auto next = nextDue();
    if (!next)
        return {Action::Stop}; // nothing held: nothing to repeat
    // While the ball is in play a tick comes within an interval, and sets the clock once a
    // repeat falls due before the next: a tap, let go long before its first repeat, never
    // sets it. The players tap at almost every tick.
    if (rally && *next - now > tickInterval)
        return {Action::Keep};
    // A clock set to go off sooner may stay: going off early, it finds nothing due and is
    // set again.
    if (setFor && *setFor <= *next)
        return {Action::Keep};
    return {Action::Set, std::max(*next, now)};
}

std::optional<std::int64_t> HeldKeys::nextDue() const {
    if (keys_.empty())
        return std::nullopt;
    return std::min_element(keys_.begin(), keys_.end(),
                            [](const Held& a, const Held& b) { return a.due < b.due; })
        ->due;
}

} // namespace quindra
