#include "WaveSound.h"

namespace quindra::win32 {

WaveSound::WaveSound() = default;
WaveSound::~WaveSound() = default;

void WaveSound::play(Sound sound) {
    mixer_.start(sound);
    thread_.wake();
}

void WaveSound::open() {
    done_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = soundRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = soundRate * 2;
    if (!done_ || waveOutOpen(&out_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done_), 0,
                              CALLBACK_EVENT) != MMSYSERR_NOERROR)
        out_ = nullptr;
    for (std::size_t i = 0; out_ && i < blocks; ++i) {
        headers_[i].lpData = reinterpret_cast<LPSTR>(data_[i].data());
        headers_[i].dwBufferLength = block * sizeof(std::int16_t);
        waveOutPrepareHeader(out_, &headers_[i], sizeof(WAVEHDR));
    }
}

void WaveSound::playOut() {
    if (!out_) { // the sounds run their course unheard
        std::array<std::int16_t, block> unheard{};
        while (mixer_.mix(unheard.data(), block)) {
        }
        return;
    }
    for (std::size_t next = 0; mixer_.playing();) {
        WAVEHDR& h = headers_[next];
        if ((h.dwFlags & WHDR_INQUEUE) != 0) { // all queued: wait for one to play out
            WaitForSingleObject(done_, 50);
            continue;
        }
        mixer_.mix(data_[next].data(), block);
        waveOutWrite(out_, &h, sizeof(WAVEHDR));
        next = (next + 1) % blocks;
    }
}

void WaveSound::close() {
    if (out_) {
        waveOutReset(out_);
        for (WAVEHDR& h : headers_)
            waveOutUnprepareHeader(out_, &h, sizeof(WAVEHDR));
        waveOutClose(out_);
    }
    if (done_)
        CloseHandle(done_);
}

} // namespace quindra::win32
