#pragma once
// The main window on Windows: the court, the menu bar, the game clock and the keyboard,
// and the host side of the game's Platform.
#include "CourtPainter.h"
#include "GameClock.h"
#include "Network.h"
#include "app/ClockRandom.h"
#include "app/GameCore.h"
#include "app/Platform.h"
#include "input/Players.h"
#include "net/OneBox.h"

#include <windows.h>

#include <cstdio>
#include <memory>

namespace quindra::win32 {

class MainWindow : public Platform, private NetworkEvents {
  public:
    MainWindow();
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, runs the game's load and shows it, centred.
    bool create(int show);
    // A match with another computer, as the command line asks: the dialog opens already
    // waiting (`address` empty: host on `port`).
    void startNetworkMatch(const std::string& address, std::uint16_t port);

    // Platform.
    void setClockEnabled(bool enabled) override;
    bool clockEnabled() const override;
    void setClockInterval(int milliseconds) override;
    int clockInterval() const override;
    float outerWidth() const override;
    float outerHeight() const override;
    void repaint() override;
    void showMessage(const std::string& text) override;
    std::optional<Colour> pickColour(Colour initial) override;
    void reseedRandom() override;
    float drawRandom() override;

  private:
    // The one-shot timers of the held keys' repeats and of the computer's next move.
    static constexpr UINT_PTR repeatTimer = 1;
    static constexpr UINT_PTR computerTimer = 2;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Timer1_Timer();
    // For measuring the clock: when it starts and ticks, in microseconds, one a line.
    void logClock(const char* event);
    void command(UINT id);
    void keyDown(WPARAM key, LPARAM flags);
    void keyUp(WPARAM key, LPARAM flags);
    void repeatHeldKeys();
    void scheduleRepeat();
    void releaseHeldKeys();
    void computerMoves();
    void restComputer();
    bool playersCanMove() const;
    void pauseIfAway(HWND activated);
    // Draws what changed; `now`: shown at once, not at the next paint.
    void refresh(bool now);
    void fitToDpi(int dpi, const RECT* suggested);
    void learnKeyRepeat();
    void paint();
    std::int64_t now() const;
    bool isGuest() const;
    void mnuRete_Click();
    // The menus and the title as a match over the network has them, or a local one.
    void showNetworkState();
    void showNetworkBox(const std::string& text);
    // The game's message box, with the exclamation mark.
    void showBox(const std::string& text);
    net::OneBox boxes_;
    // "Gioca in rete"; started at once on `address` and `port` when given.
    void runNetworkDialog(const std::string* address, std::uint16_t port);
    // NetworkEvents.
    void networkStarted() override;
    void networkFailed(const std::string& why) override;
    void networkTurnedAway(const std::string& why) override;
    void networkChanged() override;
    void networkBox(const std::string& text) override;
    void networkRoundTrip() override;
    void networkEnded(const std::string& why) override;

    HWND window_ = nullptr;
    HMENU menuBar_ = nullptr;
    GameCore game_;
    ClockRandom random_;
    std::unique_ptr<GameClock> clock_;
    int interval_ = 100;
    Players players_{game_, *this};
    CourtPainter painter_{game_};
    std::unique_ptr<Network> net_;
    int dpi_ = 96;
    SIZE outer_{0, 0}; // the whole window, in pixels, as last placed
    bool inMenu_ = false;
    bool repeatSet_ = false;
    std::int64_t repeatAt_ = 0;
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER started_{};
    std::FILE* tickLog_ = nullptr; // QUINDRA_TICK_LOG, when the environment names one
};

} // namespace quindra::win32
