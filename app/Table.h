#pragma once
// The game's table: the game, its players and the computer, and everything that follows
// an event in either window. A window turns its native events into the table's (a key,
// a timer going off, a menu command, a menu or window of the game opened or closed, the
// keyboard gone) and draws what changed; the table does the rest: the clock, the held
// keys' repeats, the computer's next step, the pause when the keyboard leaves, the board
// to the guest, one box at a time. It holds no toolkit code.
#include "Desktop.h"
#include "GameCore.h"
#include "Platform.h"
#include "input/Players.h"
#include "net/OneBox.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quindra {

class Table : private Platform {
  public:
    static constexpr int startInterval = 100;

    explicit Table(Desktop& desktop);

    GameCore& game() { return game_; }
    const GameCore& game() const { return game_; }
    Players& players() { return players_; }
    const Players& players() const { return players_; }
    // What the game and the network's session reach the window through.
    Platform& platform() { return *this; }

    // Start-up: the game's load, from the program's folder.
    void start(const std::string& programFolder);

    // A key went down; `desktopRepeat`: the desktop repeating a key still held.
    void keyDown(const KeyPress& press, bool desktopRepeat);
    void keyUp(std::uint32_t id);
    void timerFired(TimerId id);
    // A command of the menu bar's, given its handler in the game.
    void command(void (GameCore::*handler)());
    // A menu opened (no key reaches the game and none stays held; the computer rests) or
    // closed.
    void menuOpened();
    void menuClosed();
    // A window of the game's opened over the court, or closed.
    void windowOpened();
    void windowClosed();
    // The keyboard left the window (its keys are let go); `away`: it went to another
    // program, or the window was minimised, and a rally pauses.
    void keyboardLeft(bool away);
    // Something changed what a person can do (a window activated, minimised, restored):
    // the computer looks again.
    void lookAgain() { computerMoves(); }
    // The window closes: the clock stops with it.
    void closing();

    // The network: a match began, the game changed by the link, a box to open, the end.
    void linkStarted();
    void linkChanged();
    void linkBox(const std::string& text);
    void linkEnded(const std::string& why);

    // Held keys repeat each on its own; a repeat is due.
    bool repeatPending() const { return repeatAt_.has_value(); }

    // Platform, for the game.
    void setClockEnabled(bool enabled) override;
    bool clockEnabled() const override { return clockOn_; }
    void setClockInterval(int milliseconds) override;
    int clockInterval() const override { return interval_; }

  private:
    float outerWidth() const override { return desktop_.outerWidth(); }
    float outerHeight() const override { return desktop_.outerHeight(); }
    void repaint() override { refresh(true); }
    void showMessage(const std::string& text) override;
    std::optional<Colour> pickColour(Colour initial) override;
    void reseedRandom() override { desktop_.reseedRandom(); }
    float drawRandom() override { return desktop_.drawRandom(); }

    // Over the network at the guest's end: its keys go to the host's game.
    bool isGuest() const;
    void refresh(bool now);
    void releaseHeldKeys();
    void scheduleRepeat();
    void repeatHeldKeys();
    void restComputer();
    void computerMoves();
    // A person could play now: the window has the keyboard, and no menu, window, box or
    // dialog of the game's is open over the court.
    bool playersCanMove() const;
    // A box of the game's, with the keys let go and the court shown first.
    void showBox(const std::string& text);

    Desktop& desktop_;
    GameCore game_{*this};
    Players players_{game_, *this};
    net::OneBox boxes_;
    bool clockOn_ = false;
    int interval_ = startInterval;
    std::optional<std::int64_t> repeatAt_; // when the repeat clock goes off
    bool menuOpen_ = false;
    int windowsOpen_ = 0; // the game's windows and dialogs over the court
};

} // namespace quindra
