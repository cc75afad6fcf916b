#pragma once
// The game clock: ticks at its exact interval, on average, as a message to the main
// window. Windows' own timers step in 15.6 ms, so 40 ms would run as 46.9; here a thread
// counts the interval from when the clock started, on the high-resolution clock, and posts
// one message per tick. Messages reach the window in any message loop, a message box's or
// a menu's too, so the rally goes on behind them, as it should. A tick that falls due
// while the last is still waiting to be handled is dropped, never bunched.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace quindra::win32 {

class GameClock {
  public:
    GameClock(HWND window, UINT message);
    ~GameClock();
    GameClock(const GameClock&) = delete;
    GameClock& operator=(const GameClock&) = delete;

    // Starts counting intervals from now; a running clock starts again from now.
    void start(int interval);
    void stop();
    bool running() const { return running_; }

    // The window's answer to a tick message: true when it came from the clock as it runs
    // now (a message posted before a stop or a restart is stale). Taking it lets the next
    // tick be posted, even while this one is still being handled.
    bool take(WPARAM generation);

  private:
    void run();

    HWND window_;
    UINT message_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool quit_ = false;
    std::atomic<bool> running_{false};
    std::chrono::steady_clock::duration interval_{};
    std::chrono::steady_clock::time_point next_{};
    std::atomic<std::uint32_t> generation_{0};
    std::atomic<bool> posted_{false};
    std::thread thread_;
};

} // namespace quindra::win32
