#pragma once
// The computer at the right (red) racquet. It plays only through the keys a person at the
// right player's place has, and with a person's eyes and hands: it answers a ball that
// changes course only after a person's reaction time; a press steps once, a held key
// waits the desktop's repeat delay before it repeats, separate presses come no faster than
// a quick finger taps. It serves a second after its serve is due.
#include "Hands.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace quindra {

class GameCore;
class Platform;

// Where the ball's top will be once `reached(left)` holds for its left edge, as the clock
// moves it, bounces off the top and bottom included; at most 100 ticks ahead.
float predictBallTop(const GameCore& game, float outerHeight,
                     const std::function<bool(double)>& reached);

class ComputerPlayer {
  public:
    // How long the computer waits before its serve, in milliseconds.
    static constexpr int serveDelay = 1000;

    ComputerPlayer(const GameCore& game, Platform& platform);

    // The desktop's key repeat, as it holds keys down.
    void setKeyRepeat(int delay, int interval) { hands_.setRepeat(delay, interval); }
    Hands& hands() { return hands_; }
    // Forgets what it judged: a fresh start, as when it is switched on.
    void reset();
    // A person could not play now (a menu, a window over the court, the keyboard
    // elsewhere): it lets go of its key, and its serve waits for a fresh look.
    void rest();

    // The code to press at `now` (milliseconds), or 0 for none.
    std::int16_t act(std::int64_t now);
    // When it wants to be asked again, as the last call left it; nothing while it waits
    // for the game to change (a tick, a key, a command).
    std::optional<std::int64_t> nextAct() const { return next_; }

  private:
    std::int16_t serve(std::int64_t now);
    std::int16_t play(std::int64_t now);
    void watchCourse(std::int64_t now);
    int stepsTo(float target) const;
    float judgeTarget();
    float predictArrival() const;
    float misjudgement(std::int32_t passoY);

    const GameCore& game_;
    Platform& platform_;
    Hands hands_;
    std::optional<std::int64_t> next_;
    std::int64_t serveDueSince_ = -1;
    // The ball's steps as last seen, and when it will answer their change.
    bool seen_ = false;
    std::int32_t seenX_ = 0;
    std::int32_t seenY_ = 0;
    bool answered_ = true;
    std::int64_t answerAt_ = 0;
    // Where it is taking its racquet, once it has judged a ball.
    bool aiming_ = false;
    float target_ = 0;
};

} // namespace quindra
