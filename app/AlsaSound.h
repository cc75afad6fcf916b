#pragma once
// The game's sounds on Linux, through ALSA's default device: on a PipeWire or PulseAudio
// desktop that is their ALSA plugin, elsewhere the sound card. A thread of its own feeds
// the device while anything plays and sleeps otherwise. Without a device nothing is heard
// and nothing is said, and the game starts no later for it.
#include "Sounds.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace quindra {

class AlsaSound {
  public:
    AlsaSound();
    ~AlsaSound();
    AlsaSound(const AlsaSound&) = delete;
    AlsaSound& operator=(const AlsaSound&) = delete;

    // Starts `sound` now, mixed with any playing.
    void play(Sound sound);
    // For the bench: told from the sound's thread, for each sound, the milliseconds from
    // its start until its first sample was handed to the device (with PulseAudio's or
    // PipeWire's plugin, to the sound server), and until that sample's turn to play, as
    // the device counts what it holds ahead of it.
    void setOnsetObserver(std::function<void(double handed, double toPlay)> observer);

  private:
    void run();

    SoundMixer mixer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool started_ = false; // a sound waits to be fed
    bool quit_ = false;
    std::function<void(double, double)> onset_;
    std::vector<std::chrono::steady_clock::time_point> asked_; // started, not yet written
    std::thread thread_;
};

} // namespace quindra
