#pragma once
// The game's random draws: a generator reseeded from the clock before each decision,
// drawing 24-bit uniform numbers in [0, 1). The seed source can be replaced in tests.
#include <cstdint>
#include <functional>
#include <random>

namespace quindra {

class ClockRandom {
  public:
    using SeedSource = std::function<std::uint32_t()>;

    ClockRandom();
    explicit ClockRandom(SeedSource seeds);

    void reseed();
    float draw();

    // Nanoseconds of the system clock, folded to 32 bits.
    static std::uint32_t clockSeed();

  private:
    SeedSource seeds_;
    std::mt19937 generator_;
};

} // namespace quindra
