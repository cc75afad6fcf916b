#include "Sounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace quindra {

namespace {

// One note: a tone, with some noise for the racquet's or the edge's knock, that starts at
// once and dies away.
struct Note {
    double startMs;
    double lengthMs;
    double hertz;
    double loudness; // of the loudest sample, 0 to 1
    double noise;    // of the note's loudness, the share that is noise
};

std::vector<std::int16_t> make(std::initializer_list<Note> notes) {
    double endMs = 0;
    for (const Note& n : notes)
        endMs = std::max(endMs, n.startMs + n.lengthMs);
    std::vector<double> sum(static_cast<std::size_t>(endMs * soundRate / 1000) + 1, 0.0);
    std::uint32_t seed = 12345; // the same noise at every start
    for (const Note& n : notes) {
        const auto first = static_cast<std::size_t>(n.startMs * soundRate / 1000);
        const auto count = static_cast<std::size_t>(n.lengthMs * soundRate / 1000);
        for (std::size_t i = 0; i < count && first + i < sum.size(); ++i) {
            const double t = double(i) / soundRate;
            // 3 ms to rise, then down to a thousandth over the note's length.
            const double rise = std::min(1.0, t / 0.003);
            const double fall = std::exp(-6.9 * t * 1000 / n.lengthMs);
            seed = seed * 1664525u + 1013904223u;
            const double hiss = double(seed >> 8) / double(1u << 23) - 1.0;
            const double tone = std::sin(2 * 3.14159265358979 * n.hertz * t);
            sum[first + i] += n.loudness * rise * fall * ((1 - n.noise) * tone + n.noise * hiss);
        }
    }
    std::vector<std::int16_t> samples(sum.size());
    std::transform(sum.begin(), sum.end(), samples.begin(), [](double v) {
        return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
    });
    return samples;
}

// Pitches apart enough to tell by ear, and by a test's ear: the serve low, the red racquet
// a fifth below the blue one, the edge above both; the ends of points rise, longer the
// more they end.
std::vector<std::int16_t> synthesize(Sound sound) {
    switch (sound) {
    case Sound::Serve:
        return make({{0, 90, 330, 0.5, 0.35}});
    case Sound::BlueHit:
        return make({{0, 70, 660, 0.5, 0.25}});
    case Sound::RedHit:
        return make({{0, 70, 440, 0.5, 0.25}});
    case Sound::Edge:
        return make({{0, 40, 1320, 0.45, 0.4}});
    case Sound::Point:
        return make({{0, 120, 784, 0.35, 0}, {110, 160, 988, 0.35, 0}});
    case Sound::Game:
        return make({{0, 110, 523, 0.35, 0}, {100, 110, 659, 0.35, 0}, {200, 220, 784, 0.35, 0}});
    case Sound::Set:
        return make({{0, 110, 523, 0.35, 0},
                     {100, 110, 659, 0.35, 0},
                     {200, 110, 784, 0.35, 0},
                     {300, 300, 1047, 0.35, 0}});
    case Sound::Match:
        return make({{0, 120, 523, 0.3, 0},
                     {110, 120, 659, 0.3, 0},
                     {220, 120, 784, 0.3, 0},
                     {330, 700, 1047, 0.3, 0},
                     {330, 700, 784, 0.2, 0},
                     {330, 700, 659, 0.2, 0}});
    }
    return {};
}

} // namespace

const std::vector<std::int16_t>& samplesOf(Sound sound) {
    static const std::array<std::vector<std::int16_t>, soundCount> all = [] {
        std::array<std::vector<std::int16_t>, soundCount> made;
        for (int i = 0; i < soundCount; ++i)
            made[static_cast<std::size_t>(i)] = synthesize(static_cast<Sound>(i));
        return made;
    }();
    return all[static_cast<std::size_t>(sound)];
}

void SoundMixer::start(Sound sound) {
    const std::vector<std::int16_t>& samples = samplesOf(sound);
    const std::lock_guard lock(mutex_);
    if (voices_.size() >= mostVoices)
        voices_.erase(voices_.begin());
    voices_.push_back({&samples, 0});
}

bool SoundMixer::mix(std::int16_t* out, std::size_t frames) {
    const std::lock_guard lock(mutex_);
    const bool any = !voices_.empty();
    for (std::size_t i = 0; i < frames; ++i) {
        int sum = 0;
        for (Voice& v : voices_)
            if (v.at < v.samples->size())
                sum += (*v.samples)[v.at++];
        out[i] = static_cast<std::int16_t>(std::clamp(sum, -32768, 32767));
    }
    std::erase_if(voices_, [](const Voice& v) { return v.at >= v.samples->size(); });
    return any;
}

bool SoundMixer::playing() const {
    const std::lock_guard lock(mutex_);
    return !voices_.empty();
}

} // namespace quindra
