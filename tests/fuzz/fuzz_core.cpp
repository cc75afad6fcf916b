// Fuzz target: arbitrary bytes read as a sequence of events for the rules (ticks, keys,
// menu commands, colour answers, the shot-angle dialog's Ok), with the soak test's checks
// after every event.
#include "soak/SoakDriver.h"

#include <cstdio>

namespace {

struct ByteChoices : quindra::soak::Choices {
    const std::uint8_t* data;
    std::size_t size, position = 0;
    ByteChoices(const std::uint8_t* d, std::size_t s) : data(d), size(s) {}
    std::uint32_t below(std::uint32_t bound) override {
        std::uint32_t value = 0;
        for (std::uint32_t span = 1; span < bound && span != 0; span <<= 8, ++position)
            value = (value << 8) | (position < size ? data[position] : 0);
        return value % bound;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteChoices choices(data, size);
    quindra::soak::Driver driver(choices);
    while (choices.position < size)
        if (!driver.step())
            std::fprintf(stderr, "event %llu (%s): %s\n", (unsigned long long)driver.events,
                         driver.lastEvent.c_str(), driver.failure.c_str()),
                std::abort();
    return 0;
}
