// How long the rules take: ticks of a rally that never ends, key dispatches and whole
// matches, on a host with no window. Prints figures; it is not a test.
#include "app/GameCore.h"
#include "app/Platform.h"

#include <chrono>
#include <cstdio>

using namespace quindra;

namespace {

class QuietHost : public Platform {
  public:
    bool clock = false;
    int interval = 100;
    unsigned state = 1;
    void setClockEnabled(bool e) override { clock = e; }
    bool clockEnabled() const override { return clock; }
    void setClockInterval(int ms) override { interval = ms; }
    int clockInterval() const override { return interval; }
    float outerWidth() const override { return 7455 + 6 * 15; }
    float outerHeight() const override { return 5070 + 44 * 15; }
    void repaint() override {}
    void showMessage(const std::string&) override {}
    std::optional<Colour> pickColour(Colour) override { return std::nullopt; }
    void reseedRandom() override {}
    float drawRandom() override {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 16777216.0f;
    }
};

template <typename F> double nanosecondsEach(long count, F&& body) {
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i)
        body(i);
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / static_cast<double>(count);
}

} // namespace

int main() {
    QuietHost host;
    GameCore game(host);
    game.Form_Load("bench");

    // Both racquets as walls: the rally goes on for ever.
    game.mnuAllenamento_Click();
    game.Racchetta_Rossa.Top = 0;
    game.Racchetta_Rossa.Height = 5052;
    host.clock = true;
    const long ticks = 20'000'000;
    const double tick = nanosecondsEach(ticks, [&](long) { game.Timer1_Timer(); });
    std::printf("rally tick:        %7.1f ns\n", tick);

    const std::int16_t keys[] = {38, 40, 37, 39, 65, 90, 88, 226, 32, 13};
    const double key = nanosecondsEach(ticks, [&](long i) { game.ControllaTasti(keys[i % 10]); });
    std::printf("key dispatch:      %7.1f ns\n", key);

    // Whole one-set matches, every rally lost at once.
    GameCore match(host);
    match.Form_Load("bench");
    const long points = 2'000'000;
    const double point = nanosecondsEach(points, [&](long i) {
        match.Pallina.Move(i % 7 ? 7600.0f : -100.0f, 2000);
        match.PassoX = 200;
        match.PassoY = 0;
        match.Timer1_Timer();
    });
    std::printf("point to next serve: %5.1f ns\n", point);
    return 0;
}
