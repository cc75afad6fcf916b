#pragma once
// A person's hand on a racquet's keys. A press steps at once; a key held down steps again
// after the desktop's repeat delay, then at its repeat rate; and a finger lifted and
// pressed again needs a moment, so separate presses come no faster than a quick tapper's.
#include <cstdint>
#include <functional>
#include <optional>

namespace quindra {

class Hands {
  public:
    // The shortest time between two presses, in milliseconds. A quick finger taps a key
    // about eight times a second; a person playing along can't keep up more than that.
    static constexpr int tapGap = 125;

    // The codes of the keys that step up and down.
    Hands(std::int16_t up, std::int16_t down);

    // The desktop's key repeat, as a person holding a key gets it.
    void setRepeat(int delay, int interval);
    int delay() const { return delay_; }
    int interval() const { return interval_; }

    // Toward a place `steps` away (negative up, positive down, 0 there already): the code
    // of the step to take at `now`, or 0 when no step can come yet. Each call that returns
    // a code stands for one step the game must be given.
    std::int16_t steer(std::int64_t now, int steps);
    // A single press of another key (a column, the serve); false when it can't come yet.
    bool tap(std::int64_t now, std::int16_t code);
    // When the next press could come.
    std::int64_t nextTap() const { return lastPress_ + tapGap; }
    // When the next step toward `steps` could come; nothing when there is none to take.
    std::optional<std::int64_t> nextStep(int steps) const;
    // The key held, if any, is let go.
    void release();

    // Told of every press and release, for those who check the hands' timing.
    enum class Act { Press, Release };
    void setObserver(std::function<void(Act, std::int16_t, std::int64_t)> observer) {
        observer_ = std::move(observer);
    }

  private:
    void press(std::int16_t code, std::int64_t now);
    void releaseAt(std::int64_t now);

    std::int16_t up_;
    std::int16_t down_;
    int delay_ = 500;
    int interval_ = 33;
    std::int16_t held_ = 0;
    std::int64_t nextRepeat_ = 0;
    std::int64_t lastPress_ = -1000000;
    std::int64_t lastSeen_ = 0;
    std::function<void(Act, std::int16_t, std::int64_t)> observer_;
};

} // namespace quindra
