#pragma once
// Keys held down, each repeating on its own. The desktop repeats only the last key
// pressed, so when both players hold a key one of them would stop; here every held key
// repeats at the desktop's delay and rate, and the desktop's own repeats are only
// listened to, to learn that delay and rate.
#include "KeyBindings.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quindra {

class GameCore;

struct KeyPress {
    std::uint32_t id = 0;                 // which physical key
    std::uint16_t keyDown = 0;            // its virtual-key code; 0 for none
    std::vector<std::uint8_t> characters; // the character codes it types, in order
};

// One press as the window sends it: the key-down code, then each character. While the
// computer plays the right racquet, the right player's codes are left out. A fresh press
// of P or Pause pauses a rally; while it is paused nothing moves, and a fresh press of P,
// Pause or Space resumes it. A held key's repeat (`repeat`) never pauses or resumes.
void deliverKey(GameCore& game, const KeyPress& key, bool computerPlays = false,
                bool repeat = false);

class HeldKeys {
  public:
    // Used where the desktop tells nothing better.
    static constexpr int defaultDelay = 500;   // milliseconds
    static constexpr int defaultInterval = 33; // 30 per second

    HeldKeys() = default;
    HeldKeys(int delay, int interval);

    void setTiming(int delay, int interval);
    int delay() const { return delay_; }
    int interval() const { return interval_; }

    // A fresh press at `now` (milliseconds); false when the key is already held.
    bool press(const KeyPress& key, std::int64_t now);
    bool isHeld(std::uint32_t id) const;
    // The desktop repeated a held key: it is not delivered again, but its timing is
    // learnt, so a single held key moves as it always did.
    void desktopRepeat(std::uint32_t id, std::int64_t now);
    void release(std::uint32_t id);
    void releaseAll();
    bool empty() const { return keys_.empty(); }
    std::size_t size() const { return keys_.size(); }

    // The repeats due by `now`, earliest first, at most one per key: a late call drops
    // missed repeats rather than firing them in a burst.
    std::vector<KeyPress> takeDue(std::int64_t now);
    // When the next repeat falls due; nothing while no key is held.
    std::optional<std::int64_t> nextDue() const;

    // What a front-end does with its repeat clock, a one-shot timer, after a key, a tick,
    // a release or the ball's death.
    struct ClockPlan {
        enum class Action { Stop, Keep, Set };
        Action action = Action::Keep;
        std::int64_t at = 0; // Set: when it goes off (now or later)
        bool operator==(const ClockPlan&) const = default;
    };
    // `rally`: the game clock ticks every `tickInterval` ms; `setFor`: when the repeat
    // clock goes off, where it is set.
    ClockPlan planClock(std::int64_t now, bool rally, int tickInterval,
                        std::optional<std::int64_t> setFor) const;

  private:
    struct Held {
        KeyPress key;
        std::int64_t pressedAt = 0;
        std::int64_t due = 0;
        std::int64_t firstDesktopRepeat = 0;
        std::int64_t desktopRepeats = 0; // seen since the press
    };

    int delay_ = defaultDelay;
    int interval_ = defaultInterval;
    std::vector<Held> keys_; // in the order they were pressed
};

} // namespace quindra
