// The soak test: seeded players play a million and more random events through the rules,
// checking after each one what must always hold.
//   test_soak [--seed S] [--events N] [--matches M] [--replay N]
// --replay N plays the same seed up to event N and shows each of its last events.
#include "SoakDriver.h"

#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <random>

using namespace quindra::soak;

struct SeededChoices : Choices {
    std::mt19937_64 generator;
    std::uint32_t below(std::uint32_t bound) override { return std::uint32_t(generator() % bound); }
};

int main(int argc, char** argv) {
    std::map<std::string, unsigned long long> o = {
        {"--seed", 1}, {"--events", 1'500'000}, {"--matches", 1000}, {"--replay", 0}};
    for (int i = 1; i < argc; i += 2)
        if (i + 1 >= argc || !o.count(argv[i]))
            return std::fprintf(stderr,
                                "usage: %s [--seed S] [--events N] [--matches M] "
                                "[--replay N]\n",
                                argv[0]),
                   2;
        else
            o[argv[i]] = std::strtoull(argv[i + 1], nullptr, 10);
    SeededChoices choices;
    choices.generator.seed(o["--seed"]);
    Driver driver(choices);
    const auto last = o["--replay"] ? o["--replay"] : o["--events"];
    std::deque<std::string> recent; // the last events, shown when replaying
    while ((driver.events < last || driver.matches() < o["--matches"]) &&
           !(o["--replay"] && driver.events >= last)) {
        const bool fine = driver.step();
        recent.push_back(std::to_string(driver.events) + ": " + driver.lastEvent);
        if (recent.size() > 20 || !o["--replay"])
            recent.pop_front();
        if (!fine || driver.events > 50 * last) {
            for (const std::string& line : recent)
                std::printf("  %s\n", line.c_str());
            std::printf("FAIL: seed %llu, event %llu (%s): %s\nreplay: %s --seed %llu --replay "
                        "%llu\n",
                        o["--seed"], (unsigned long long)driver.events, driver.lastEvent.c_str(),
                        fine ? "too few matches finished" : driver.failure.c_str(), argv[0],
                        o["--seed"], (unsigned long long)driver.events);
            return 1;
        }
    }
    const auto& m = driver.matchesOf;
    std::printf("seed %llu: %llu events, %llu ticks, %llu points, matches of one, three and five "
                "sets %llu, %llu, %llu, %llu restarted\n",
                o["--seed"], (unsigned long long)driver.events, (unsigned long long)driver.ticks,
                (unsigned long long)driver.points, (unsigned long long)m[1],
                (unsigned long long)m[3], (unsigned long long)m[5],
                (unsigned long long)driver.restarts);
    const bool allLengths = m[1] && m[3] && m[5];
    std::printf(allLengths || o["--replay"] ? "1 passed, 0 failed\n" : "FAIL: not every length\n");
    return allLengths || o["--replay"] ? 0 : 1;
}
