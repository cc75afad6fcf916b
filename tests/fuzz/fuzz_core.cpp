// Fuzz target: arbitrary bytes read as a sequence of events for the rules (ticks, keys,
// menu commands, colour answers, the shot-angle dialog's Ok), with the soak test's checks
// after every event.
#include "soak/SoakDriver.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quindra::soak::ByteChoices choices(data, size);
    quindra::soak::Driver driver(choices);
    while (!choices.exhausted()) {
        if (!driver.step()) {
            std::fprintf(stderr, "event %llu (%s): %s\n",
                         static_cast<unsigned long long>(driver.counts().events),
                         driver.lastEvent().c_str(), driver.failure().c_str());
            std::abort();
        }
    }
    return 0;
}
