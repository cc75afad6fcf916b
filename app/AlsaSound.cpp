#include "AlsaSound.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace quindra {

namespace {

// Blocks of 256 samples (5.8 ms) into a buffer of 25 ms: a sound after a silence goes out
// at once, and one mixed into another waits at most the buffer. A smaller buffer runs dry
// now and then through PulseAudio's plugin, and a sound breaks up.
constexpr snd_pcm_uframes_t block = 256;
constexpr unsigned latencyMicroseconds = 25000;

// ALSA reports its faults on the standard error; a game without sound has nothing to say.
void quiet(const char*, int, const char*, int, const char*, ...) {}

// Between the sounds of a rally the device runs dry; it stays running, as the first thing
// it does on starting again (through PulseAudio's plugin) is to make a new stream, which
// costs more processor time than the whole sound. Only a longer silence stops it.
bool stopsNever(snd_pcm_t* pcm, snd_pcm_sw_params_t* sw) {
    snd_pcm_uframes_t boundary = 0;
    return snd_pcm_sw_params_get_boundary(sw, &boundary) == 0 &&
           snd_pcm_sw_params_set_stop_threshold(pcm, sw, boundary) == 0;
}

snd_pcm_t* openDevice() {
    snd_lib_error_set_handler(quiet);
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0)
        return nullptr;
    snd_pcm_sw_params_t* sw = nullptr;
    const bool ready =
        snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, soundRate, 1,
                           latencyMicroseconds) == 0 &&
        snd_pcm_sw_params_malloc(&sw) == 0 && snd_pcm_sw_params_current(pcm, sw) == 0 &&
        // It plays once two blocks are in, which a sound's first two fill at once; waiting
        // for a full buffer could wait for ever, as a block may not fit its last room.
        snd_pcm_sw_params_set_start_threshold(pcm, sw, 2 * block) == 0 && stopsNever(pcm, sw) &&
        snd_pcm_sw_params(pcm, sw) == 0;
    if (sw)
        snd_pcm_sw_params_free(sw);
    if (!ready) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return pcm;
}

// One block to the device, which waits for room; after a pause the device has run dry
// and is made ready again.
bool write(snd_pcm_t* pcm, const std::int16_t* samples) {
    snd_pcm_uframes_t done = 0;
    while (done < block) {
        snd_pcm_sframes_t n = snd_pcm_writei(pcm, samples + done, block - done);
        if (n < 0)
            n = snd_pcm_recover(pcm, static_cast<int>(n), 1);
        if (n < 0)
            return false;
        done += static_cast<snd_pcm_uframes_t>(n);
    }
    return true;
}

} // namespace

AlsaSound::AlsaSound() = default;
AlsaSound::~AlsaSound() = default;

void AlsaSound::play(Sound sound) {
    mixer_.start(sound);
    {
        const std::lock_guard lock(mutex_);
        if (onset_)
            asked_.push_back(Clock::now());
    }
    thread_.wake();
}

void AlsaSound::setOnsetObserver(std::function<void(double, double)> observer) {
    const std::lock_guard lock(mutex_);
    onset_ = std::move(observer);
}

void AlsaSound::open() {
    pcm_ = openDevice();
    retry_ = Clock::now() + std::chrono::seconds(5);
    rest(); // made ready, a stream already costs
}

// All has played by now: the stream stops, and starts again with the next sound.
void AlsaSound::rest() {
    if (pcm_)
        snd_pcm_drop(pcm_);
}

// Without a device the sounds still run their course, unheard, so that none is heard late
// once there is one.
void AlsaSound::playOut() {
    if (!pcm_ && Clock::now() >= retry_)
        open();
    if (pcm_ && snd_pcm_state(pcm_) == SND_PCM_STATE_SETUP && snd_pcm_prepare(pcm_) < 0)
        close();
    std::array<std::int16_t, block> samples{};
    for (;;) {
        // The sounds started before this block are in it, from their first sample.
        std::vector<Clock::time_point> asked;
        std::function<void(double, double)> onset;
        {
            const std::lock_guard lock(mutex_);
            asked.swap(asked_);
            if (!asked.empty())
                onset = onset_;
        }
        if (!mixer_.mix(samples.data(), block))
            return;
        if (pcm_ && !write(pcm_, samples.data()))
            close();
        snd_pcm_sframes_t queued = 0;
        if (pcm_ && onset && snd_pcm_delay(pcm_, &queued) == 0)
            for (const Clock::time_point t : asked) {
                const double handed =
                    std::chrono::duration<double, std::milli>(Clock::now() - t).count();
                // No sample plays before it is handed over, whatever a server says of what
                // it holds on a stream just started.
                const double ahead = double(queued - snd_pcm_sframes_t(block));
                onset(handed, handed + std::max(0.0, ahead * 1000.0 / soundRate));
            }
    }
}

void AlsaSound::close() {
    if (pcm_)
        snd_pcm_close(pcm_);
    pcm_ = nullptr;
}

} // namespace quindra
