#pragma once
// A host for the game with no window: a clock that is only a flag, a fixed outer size,
// scripted (or seeded) random draws and scripted answers from the message box and colour
// dialog.
#include "app/GameCore.h"
#include "app/Platform.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quindra::testing {

// A typical outer size: client 7455 x 5070, 4-pixel borders, 26-pixel title, 19-pixel menu.
constexpr float fakeOuterWidth = 7455 + 8 * 15;
constexpr float fakeOuterHeight = 5070 + (26 + 19 + 4) * 15;

class FakePlatform : public Platform {
  public:
    bool clock = false;
    int interval = 100;
    int repaints = 0;
    int reseeds = 0;
    std::deque<float> draws;       // consumed one by one; 0.25 once they run out ...
    std::function<float()> chance; // ... unless a generator takes over
    std::vector<std::string> messages;
    std::vector<Sound> sounds;
    std::function<void(Sound)> whileSound;
    std::function<void()> whileMessageOpen;
    std::deque<std::optional<Colour>> colourAnswers; // nothing left means cancel
    std::vector<Colour> colourPresets;
    float outerW = fakeOuterWidth;
    float outerH = fakeOuterHeight;

    void setClockEnabled(bool enabled) override { clock = enabled; }
    bool clockEnabled() const override { return clock; }
    void setClockInterval(int milliseconds) override { interval = milliseconds; }
    int clockInterval() const override { return interval; }
    float outerWidth() const override { return outerW; }
    float outerHeight() const override { return outerH; }
    void repaint() override { ++repaints; }
    void showMessage(const std::string& text) override {
        messages.push_back(text);
        if (whileMessageOpen)
            whileMessageOpen();
    }
    std::optional<Colour> pickColour(Colour initial) override {
        colourPresets.push_back(initial);
        std::optional<Colour> answer;
        if (!colourAnswers.empty())
            answer = colourAnswers.front(), colourAnswers.pop_front();
        return answer;
    }
    void playSound(Sound sound) override {
        sounds.push_back(sound);
        if (whileSound)
            whileSound(sound);
    }
    void reseedRandom() override { ++reseeds; }
    float drawRandom() override {
        if (chance)
            return chance();
        const float value = draws.empty() ? 0.25f : draws.front();
        if (!draws.empty())
            draws.pop_front();
        return value;
    }
};

// A game started as the program starts it, on a fake host.
struct StartedGame {
    FakePlatform host;
    GameCore game{host};
    StartedGame() { game.Form_Load("C:\\Giochi"); }
};

} // namespace quindra::testing
