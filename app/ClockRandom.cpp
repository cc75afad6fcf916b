#include "ClockRandom.h"

#include <chrono>
#include <utility>

namespace quindra {

ClockRandom::ClockRandom() : ClockRandom(&ClockRandom::clockSeed) {}

ClockRandom::ClockRandom(SeedSource seeds) : seeds_(std::move(seeds)), generator_(seeds_()) {}

void ClockRandom::reseed() {
    generator_.seed(seeds_());
}

float ClockRandom::draw() {
    // 24 bits fit a float exactly, so the draw can never round up to 1.
    const std::uint32_t bits = static_cast<std::uint32_t>(generator_()) >> 8;
    return static_cast<float>(bits) / 16777216.0f;
}

std::uint32_t ClockRandom::clockSeed() {
    // Nanoseconds, not milliseconds: the toss and the serve reseed within the same
    // millisecond and must not draw the same numbers.
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    const auto value = static_cast<std::uint64_t>(ns);
    return static_cast<std::uint32_t>(value ^ (value >> 32));
}

} // namespace quindra
