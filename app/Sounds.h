#pragma once
// What a player hears: a sound for each thing that happens on the court, made here from
// tones and noise under an envelope, and the mixer that plays several at once.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace quindra {

// Each ends a tick's or a key's work in at most one of its kinds: a point that wins a game
// is heard as the game, not as a point too.
enum class Sound { Serve, BlueHit, RedHit, Edge, Point, Game, Set, Match };
inline constexpr int soundCount = 8;
inline constexpr int soundRate = 44100; // samples a second, one channel

// The sound's samples, made once.
const std::vector<std::int16_t>& samplesOf(Sound sound);

// The sounds playing, summed. Sounds start on the game's thread and are mixed on the
// sound output's; a sound plays to its end unless more than `mostVoices` play at once,
// when the oldest gives way.
class SoundMixer {
  public:
    static constexpr std::size_t mostVoices = 16;

    void start(Sound sound);
    // The next `frames` samples of what plays; silence once nothing does. False when
    // nothing played in them.
    bool mix(std::int16_t* out, std::size_t frames);
    bool playing() const;

  private:
    struct Voice {
        const std::vector<std::int16_t>* samples;
        std::size_t at;
    };
    mutable std::mutex mutex_;
    std::vector<Voice> voices_;
};

} // namespace quindra
