#include "GameClock.h"

namespace quindra::win32 {

using Clock = std::chrono::steady_clock;

GameClock::GameClock(HWND window, UINT message)
    : window_(window), message_(message), thread_([this] { run(); }) {}

GameClock::~GameClock() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void GameClock::start(int interval) {
    {
        std::lock_guard lock(mutex_);
        interval_ = std::chrono::milliseconds(interval > 0 ? interval : 1);
        next_ = Clock::now() + interval_;
        ++generation_;
        posted_ = false;
        running_ = true;
    }
    changed_.notify_all();
}

void GameClock::stop() {
    {
        std::lock_guard lock(mutex_);
        running_ = false;
        ++generation_;
        posted_ = false;
    }
    changed_.notify_all();
}

bool GameClock::take(WPARAM generation) {
    if (!running_ || static_cast<std::uint32_t>(generation) != generation_)
        return false;
    posted_ = false;
    return true;
}

void GameClock::run() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (!running_) {
            changed_.wait(lock);
            continue;
        }
        const auto due = next_;
        const auto generation = generation_.load();
        if (changed_.wait_until(lock, due) != std::cv_status::timeout)
            continue; // started, stopped or ending: look again
        if (!running_ || generation != generation_ || quit_)
            continue;
        if (!posted_.exchange(true))
            PostMessageW(window_, message_, generation, 0);
        // Counted from the start, so the mean period is the interval itself; a clock
        // held up for longer than an interval goes on from now.
        next_ += interval_;
        const auto now = Clock::now();
        if (next_ <= now)
            next_ = now + interval_;
    }
}

} // namespace quindra::win32
