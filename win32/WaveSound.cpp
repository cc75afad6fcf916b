#include "WaveSound.h"

#include <windows.h>

#include <mmsystem.h>

#include <array>

namespace quindra::win32 {

namespace {

// Blocks of 256 samples (5.8 ms), at most four queued: a sound is on its way within a
// block or two of its tick.
constexpr std::size_t block = 256;
constexpr std::size_t blocks = 4;

} // namespace

WaveSound::WaveSound() : thread_([this] { run(); }) {}

WaveSound::~WaveSound() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void WaveSound::play(Sound sound) {
    mixer_.start(sound);
    {
        const std::lock_guard lock(mutex_);
        started_ = true;
    }
    wake_.notify_one();
}

void WaveSound::run() {
    // The device is opened here, so the window never waits for it.
    HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = soundRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = soundRate * 2;
    HWAVEOUT out = nullptr;
    if (!done || waveOutOpen(&out, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done), 0,
                             CALLBACK_EVENT) != MMSYSERR_NOERROR)
        out = nullptr;
    std::array<std::array<std::int16_t, block>, blocks> data{};
    std::array<WAVEHDR, blocks> headers{};
    for (std::size_t i = 0; out && i < blocks; ++i) {
        headers[i].lpData = reinterpret_cast<LPSTR>(data[i].data());
        headers[i].dwBufferLength = block * sizeof(std::int16_t);
        waveOutPrepareHeader(out, &headers[i], sizeof(WAVEHDR));
    }
    std::array<std::int16_t, block> unheard{};
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return started_ || quit_; });
            if (quit_)
                break;
            started_ = false;
        }
        if (!out) { // the sounds run their course unheard
            while (mixer_.mix(unheard.data(), block)) {
            }
            continue;
        }
        for (std::size_t next = 0; mixer_.playing();) {
            WAVEHDR& h = headers[next];
            if ((h.dwFlags & WHDR_INQUEUE) != 0) { // all queued: wait for one to play out
                WaitForSingleObject(done, 50);
                continue;
            }
            mixer_.mix(data[next].data(), block);
            waveOutWrite(out, &h, sizeof(WAVEHDR));
            next = (next + 1) % blocks;
        }
    }
    if (out) {
        waveOutReset(out);
        for (WAVEHDR& h : headers)
            waveOutUnprepareHeader(out, &h, sizeof(WAVEHDR));
        waveOutClose(out);
    }
    if (done)
        CloseHandle(done);
}

} // namespace quindra::win32
