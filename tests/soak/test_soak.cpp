// The soak test: a seeded player plays a million and more random events through the
// rules, checking after each one what must always hold.
//   test_soak [--seed S] [--events N] [--matches M] [--replay N]
// --replay N plays the same seed up to event N and shows each of its last events.
#include "SoakDriver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

using namespace quindra::soak;

namespace {

struct Options {
    std::uint64_t seed = 1;
    std::uint64_t events = 1'500'000;
    std::uint64_t matches = 1000;
    std::uint64_t replay = 0;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::uint64_t value = std::strtoull(argv[i + 1], nullptr, 10);
        if (!std::strcmp(argv[i], "--seed"))
            o.seed = value;
        else if (!std::strcmp(argv[i], "--events"))
            o.events = value;
        else if (!std::strcmp(argv[i], "--matches"))
            o.matches = value;
        else if (!std::strcmp(argv[i], "--replay"))
            o.replay = value;
        else
            return false;
    }
    return argc % 2 == 1;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: %s [--seed S] [--events N] [--matches M] [--replay N]\n",
                     argv[0]);
        return 2;
    }
    SeededChoices choices(o.seed);
    Driver driver(choices);
    const std::uint64_t last = o.replay ? o.replay : o.events;
    std::deque<std::string> recent; // the last events, shown when replaying
    while (driver.counts().events < last || driver.counts().matches < o.matches) {
        if (o.replay && driver.counts().events >= o.replay)
            break;
        const bool fine = driver.step();
        if (o.replay) {
            recent.push_back(std::to_string(driver.counts().events) + ": " + driver.lastEvent());
            if (recent.size() > 20)
                recent.pop_front();
        }
        if (!fine) {
            for (const std::string& line : recent)
                std::printf("  %s\n", line.c_str());
            std::printf("FAIL: seed %llu, event %llu (%s): %s\n",
                        static_cast<unsigned long long>(o.seed),
                        static_cast<unsigned long long>(driver.counts().events),
                        driver.lastEvent().c_str(), driver.failure().c_str());
            std::printf("replay: %s --seed %llu --replay %llu\n", argv[0],
                        static_cast<unsigned long long>(o.seed),
                        static_cast<unsigned long long>(driver.counts().events));
            return 1;
        }
        if (driver.counts().events > 50 * last) {
            std::printf("FAIL: seed %llu: only %llu matches finished in %llu events\n",
                        static_cast<unsigned long long>(o.seed),
                        static_cast<unsigned long long>(driver.counts().matches),
                        static_cast<unsigned long long>(driver.counts().events));
            return 1;
        }
    }
    const Counts& c = driver.counts();
    std::printf("seed %llu: %llu events, %llu ticks, %llu points, %llu sets, %llu matches "
                "(%llu of one set, %llu of three, %llu of five), %llu restarted\n",
                static_cast<unsigned long long>(o.seed), static_cast<unsigned long long>(c.events),
                static_cast<unsigned long long>(c.ticks), static_cast<unsigned long long>(c.points),
                static_cast<unsigned long long>(c.sets), static_cast<unsigned long long>(c.matches),
                static_cast<unsigned long long>(c.matchesOf[1]),
                static_cast<unsigned long long>(c.matchesOf[3]),
                static_cast<unsigned long long>(c.matchesOf[5]),
                static_cast<unsigned long long>(c.restarts));
    if (!o.replay && (c.matchesOf[1] == 0 || c.matchesOf[3] == 0 || c.matchesOf[5] == 0)) {
        std::printf("FAIL: not every match length was played\n");
        return 1;
    }
    std::printf("1 passed, 0 failed\n");
    return 0;
}
