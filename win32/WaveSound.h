#pragma once
// The game's sounds on Windows, through the system's own wave output (winmm): a thread of
// its own feeds it while anything plays and sleeps otherwise. Without a sound device
// nothing is heard and nothing is said.
#include "app/Sounds.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace quindra::win32 {

class WaveSound {
  public:
    WaveSound();
    ~WaveSound();
    WaveSound(const WaveSound&) = delete;
    WaveSound& operator=(const WaveSound&) = delete;

    // Starts `sound` now, mixed with any playing.
    void play(Sound sound);

  private:
    void run();

    SoundMixer mixer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool started_ = false; // a sound waits to be fed
    bool quit_ = false;
    std::thread thread_;
};

} // namespace quindra::win32
