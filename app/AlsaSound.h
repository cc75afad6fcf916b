#pragma once
// The game's sounds on Linux, through ALSA's default device: on a PipeWire or PulseAudio
// desktop that is their ALSA plugin, elsewhere the sound card. A thread of its own feeds
// the device while anything plays and sleeps otherwise. Without a device nothing is heard
// and nothing is said, and the game starts no later for it.
#include "SoundThread.h"
#include "Sounds.h"

#include <alsa/asoundlib.h>

#include <chrono>
#include <functional>
#include <mutex>
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
    using Clock = std::chrono::steady_clock;
    void open();
    void playOut();
    void rest();
    void close();

    SoundMixer mixer_;
    snd_pcm_t* pcm_ = nullptr;
    Clock::time_point retry_; // when to look for a device again
    std::mutex mutex_;        // for the onsets
    std::function<void(double, double)> onset_;
    std::vector<Clock::time_point> asked_; // started, not yet written
    SoundThread thread_{
        {[this] { open(); }, [this] { playOut(); }, [this] { rest(); }, [this] { close(); }}};
};

} // namespace quindra
