#pragma once
// The game's sounds on Windows, through the system's own wave output (winmm): a thread of
// its own feeds it while anything plays and sleeps otherwise. Without a sound device
// nothing is heard and nothing is said.
#include "app/SoundThread.h"
#include "app/Sounds.h"

#include <windows.h>

#include <mmsystem.h>

#include <array>

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
    // Blocks of 256 samples (5.8 ms), at most four queued: a sound is on its way within a
    // block or two of its tick.
    static constexpr std::size_t block = 256;
    static constexpr std::size_t blocks = 4;

    void open();
    void playOut();
    void close();

    SoundMixer mixer_;
    HANDLE done_ = nullptr; // set as each block has played
    HWAVEOUT out_ = nullptr;
    std::array<std::array<std::int16_t, block>, blocks> data_{};
    std::array<WAVEHDR, blocks> headers_{};
    // With nothing queued the wave output is idle already: it has nothing to rest.
    SoundThread thread_{{[this] { open(); }, [this] { playOut(); }, [] {}, [this] { close(); }}};
};

} // namespace quindra::win32
