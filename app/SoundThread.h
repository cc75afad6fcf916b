#pragma once
// The thread that feeds a sound device: it sleeps until a sound starts, then plays out what
// the mixer holds and sleeps again. The device is opened and closed on it, so a window
// never waits for a device, nor for its absence.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace quindra {

class SoundThread {
  public:
    struct Device {
        std::function<void()> open;
        std::function<void()> playOut; // returns once nothing plays
        std::function<void()> close;
    };

    explicit SoundThread(Device device);
    ~SoundThread();
    SoundThread(const SoundThread&) = delete;
    SoundThread& operator=(const SoundThread&) = delete;

    // A sound has started in the mixer.
    void wake();

  private:
    void run();

    Device device_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool woken_ = false;
    bool quit_ = false;
    std::thread thread_;
};

} // namespace quindra
