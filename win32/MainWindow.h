#pragma once
// The main window on Windows: the court, the menu bar, the timers, the keyboard and the
// sockets of the game's table, with the Win32 API.
#include "CourtPainter.h"
#include "GameClock.h"
#include "Network.h"
#include "WaveSound.h"
#include "app/ClockRandom.h"
#include "app/Desktop.h"
#include "app/Table.h"

#include <windows.h>

#include <cstdio>
#include <memory>

namespace quindra::win32 {

class MainWindow : public Desktop {
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

    // Desktop.
    void startTimer(TimerId id, int milliseconds, bool periodic) override;
    void stopTimer(TimerId id) override;
    std::int64_t now() const override;
    float outerWidth() const override;
    float outerHeight() const override;
    void refresh(bool now) override;
    void showChecks() override;
    void enableItem(MenuItem item, bool enabled) override;
    void showTitle(const std::string& title) override;
    bool playersCanMove() const override;
    void showBox(const std::string& text) override;
    std::optional<Colour> pickColour(Colour initial) override;
    void tellNetworkDialog(DialogNews news, const std::string& text) override;
    void playSound(Sound sound) override { sound_.play(sound); }
    void reseedRandom() override;
    float drawRandom() override;
    net::Sockets& sockets() override { return net_; }

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // For measuring the clock: when it starts and ticks, in microseconds, one a line.
    void logClock(const char* event);
    void command(UINT id);
    void keyDown(WPARAM key, LPARAM flags);
    void keyUp(WPARAM key, LPARAM flags);
    // Another program took the keyboard, or the window was minimised.
    bool away(HWND activated) const;
    void fitToDpi(int dpi, const RECT* suggested);
    void learnKeyRepeat();
    void paint();
    void mnuRete_Click();
    // "Gioca in rete"; started at once on `address` and `port` when given.
    void runNetworkDialog(const std::string* address, std::uint16_t port);

    HWND window_ = nullptr;
    HMENU menuBar_ = nullptr;
    std::uint32_t periodic_ = 0; // the timers that go off again and again, a bit each
    WaveSound sound_;
    Network net_; // before the table: its link says goodbye through the sockets
    Table table_{*this};
    ClockRandom random_;
    std::unique_ptr<GameClock> clock_;
    CourtPainter painter_{table_.game()};
    int dpi_ = 96;
    SIZE outer_{0, 0}; // the whole window, in pixels, as last placed
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER started_{};
    std::FILE* tickLog_ = nullptr; // QUINDRA_TICK_LOG, when the environment names one
};

} // namespace quindra::win32
