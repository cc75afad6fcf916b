#pragma once
// The game's table: the game, its players and the computer, and everything that follows
// an event in either window. A window turns its native events into the table's (a key,
// a timer going off, a menu command, a menu or window of the game opened or closed, the
// keyboard gone, a socket's bytes) and draws what changed; the table does the rest: the
// clock, the held keys' repeats, the computer's next step, the pause when the keyboard
// leaves, the link to the other computer and the board to the guest, the menus and title
// a match over the network has, one box at a time. It holds no toolkit code.
#include "Desktop.h"
#include "GameCore.h"
#include "Platform.h"
#include "input/Players.h"
#include "net/Connection.h"
#include "net/OneBox.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quindra {

class Table : private Platform, private net::LinkTimers, public net::LinkNews {
  public:
    static constexpr int startInterval = 100;

    explicit Table(Desktop& desktop);
    ~Table() override;
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    GameCore& game() { return game_; }
    const GameCore& game() const { return game_; }
    Players& players() { return players_; }
    const Players& players() const { return players_; }
    // What the game reaches the window through.
    Platform& platform() { return *this; }
    // The link to another computer: hosting, joining, and what the sockets did.
    net::Connection& link() { return *link_; }

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

    // What the link says.
    void linkStarted() override;
    void linkFailed(const std::string& why) override;
    void linkTurnedAway(const std::string& why) override;
    void linkChanged() override;
    void linkBox(const std::string& text) override;
    void linkRoundTrip() override { showNetworkState(); }
    void linkEnded(const std::string& why) override;

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
    void playSound(Sound sound) override;
    std::optional<Colour> pickColour(Colour initial) override;
    void reseedRandom() override { desktop_.reseedRandom(); }
    float drawRandom() override { return desktop_.drawRandom(); }
    // LinkTimers.
    void startLinkTimer(Timer timer, int milliseconds) override;
    void stopLinkTimer(Timer timer) override;
    std::int64_t linkNow() const override { return desktop_.now(); }

    net::Session* session() const { return link_->session(); }
    // The menus greyed and the title as a match over the network has them, or a local one.
    void showNetworkState();

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
    std::unique_ptr<net::Connection> link_;
};

} // namespace quindra
