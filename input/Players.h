#pragma once
// The people at the keyboard, and the computer when it plays the right racquet. Every key
// press reaches the game's key table and every held key repeats on its own; the computer
// presses its keys with a person's timing and rests when a person could not play; a rally
// pauses when the keyboard leaves the game. A window hands it keys and times, and keeps
// the two one-shot clocks it asks for: the held keys' repeats and the computer's next move.
#include "Computer.h"
#include "HeldKeys.h"
#include "Seats.h"

#include <cstdint>
#include <optional>

namespace quindra {

class GameCore;
class Platform;

class Players {
  public:
    Players(GameCore& game, Platform& platform);

    HeldKeys& heldKeys() { return held_; }
    const ComputerPlayer& computer() const { return computer_; }

    // A key went down at `now` (milliseconds). `desktopRepeat`: the desktop repeating a
    // key; its timing is learnt and nothing more, as held keys repeat here on their own.
    void keyDown(const KeyPress& press, bool desktopRepeat, std::int64_t now);
    // Over the network the keys at this keyboard play only `seat`'s racquet.
    void setLocalSeat(Seat seat) { localSeat_ = seat; }
    Seat localSeat() const { return localSeat_; }
    // A fresh press of the guest's, at the other keyboard: the right racquet's keys only.
    // The guest's keys are told apart from this keyboard's by `guestKeyId`.
    void guestKeyDown(const KeyPress& press, std::int64_t now);
    static std::uint32_t guestKeyId(std::uint32_t id) { return 0x40000000u | (id & 0x3fffffffu); }
    void keyUp(std::uint32_t id);
    // The repeats due by `now` reach the game; true when any did.
    bool repeatHeldKeys(std::int64_t now);
    // A menu or a window of the game opened, or the keyboard went elsewhere.
    void releaseHeldKeys();
    // What to do with the repeat clock after a key, a tick or a release; `setFor`: when it
    // goes off, where it is set.
    HeldKeys::ClockPlan repeatClock(std::int64_t now, std::optional<std::int64_t> setFor) const;

    // The computer's turn, while "Computer" is checked and `canMove`: a person could play
    // now (the window has the keyboard, no menu or box of the game is open). True when it
    // pressed a key.
    bool computerMoves(std::int64_t now, bool canMove);
    // When it wants its next turn; nothing while it waits for the game to change.
    std::optional<std::int64_t> nextComputerMove() const;
    void restComputer();

    // The window was minimised or the keyboard left the game: a rally pauses and the keys
    // are let go. True when it paused just now.
    bool pauseWhenAway();

  private:
    void deliverPress(const KeyPress& press, std::int64_t now);

    GameCore& game_;
    Platform& platform_;
    HeldKeys held_;
    ComputerPlayer computer_;
    bool computerPlaying_ = false;
    Seat localSeat_ = Seat::Both;
};

} // namespace quindra
