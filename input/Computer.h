#pragma once
// The computer at the right (red) racquet. It plays only through the moves a person at the
// right player's keys has: it reads the ball and returns the key code to press, one at a
// time, at most one per key-repeat interval, and serves a second after its serve is due.
#include <cstdint>

namespace quindra {

class GameCore;
class Platform;

class ComputerPlayer {
  public:
    // How long the computer waits before its serve, in milliseconds.
    static constexpr int serveDelay = 1000;

    ComputerPlayer(const GameCore& game, Platform& platform);

    // The codes of the right player's keys: a person's presses of them do nothing while
    // the computer plays.
    static bool isRightPlayerCode(std::int16_t code);

    // At most one move per `interval` milliseconds, as held keys repeat.
    void setMoveInterval(int interval);
    int interval() const { return interval_; }
    // Forgets what it judged: a fresh start, as when it is switched on.
    void reset();

    // The code to press at `now` (milliseconds), or 0 for none.
    std::int16_t act(std::int64_t now);

  private:
    float judgeTarget();
    float predictArrival() const;
    float misjudgement(std::int32_t passoY);

    const GameCore& game_;
    Platform& platform_;
    int interval_ = 33;
    std::int64_t lastMove_ = -1000000;
    std::int64_t serveDueSince_ = -1;
    bool judged_ = false;
    float judgedLeft_ = 0;
    float target_ = 0;
};

} // namespace quindra
