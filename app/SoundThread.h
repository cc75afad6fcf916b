#pragma once
// The thread that feeds a sound device: it sleeps until a sound starts, then plays out what
// the mixer holds and sleeps again. The device is opened and closed on it, so a window
// never waits for a device, nor for its absence. After a while of silence the device is
// let rest: a stream kept running costs a sound server's client its processor time even
// when all it plays is silence.
#include <chrono>
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
        std::function<void()> rest;    // after a silence, once
        std::function<void()> close;
    };

    // Two seconds: a rally's sounds come closer, a waiting serve does not.
    explicit SoundThread(Device device,
                         std::chrono::milliseconds silence = std::chrono::milliseconds(2000));
    ~SoundThread();
    SoundThread(const SoundThread&) = delete;
    SoundThread& operator=(const SoundThread&) = delete;

    // A sound has started in the mixer.
    void wake();

  private:
    void run();

    Device device_;
    std::chrono::milliseconds silence_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool woken_ = false;
    bool quit_ = false;
    std::thread thread_;
};

} // namespace quindra
