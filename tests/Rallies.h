#pragma once
// Whole points between a scripted left player and the computer, on the fake host with a
// clock of its own: time jumps from one thing due to the next (a tick, a step of either
// player's hands, a serve). Both players move only through their hands: a person's timing.
#include "FakePlatform.h"

#include "input/Computer.h"
#include "input/Hands.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>

namespace quindra::testing {

// What the left player does with a ball that comes: nothing at all; take it at the end of
// the racquet that sends it steeply toward the corner away from the red racquet, judging
// where the ball will come as a person does, not always right; or, as a person new to the
// game, take it with the racquet's middle, answering each change of the ball's course a
// reaction time late and tapping the keys, never holding them.
enum class LeftPlays { Still, Corners, Person };

// Checks that a player's steps are those of a person's keys: presses at least a tap's gap
// apart, a held key's first repeat no sooner than the delay, then no faster than the rate.
class TimingCheck {
  public:
    explicit TimingCheck(Hands& hands) : hands_(hands) {
        hands.setObserver(
            [this](Hands::Act act, std::int16_t code, std::int64_t t) { observe(act, code, t); });
    }
    ~TimingCheck() { hands_.setObserver({}); }

    // A key going down or up.
    void observe(Hands::Act act, std::int16_t code, std::int64_t t) {
        if (act == Hands::Act::Press) {
            faults += t - pressedAt_ < Hands::tapGap;
            pressed_ = held_ = code;
            pressedAt_ = t;
            stepsSincePress_ = 0;
        } else if (code == held_) {
            held_ = 0;
        }
    }

    // A step taken at `t` with `code`.
    void step(std::int16_t code, std::int64_t t) {
        if (stepsSincePress_ == 0 && code == pressed_) {
            faults += t != pressedAt_; // a press steps as it goes down, tapped or held
        } else if (code == held_) {
            const std::int64_t least = stepsSincePress_ == 1 ? hands_.delay() : hands_.interval();
            faults += t - lastStep_ < least;
        } else {
            ++faults; // a step of a key not held, or held no longer
        }
        ++stepsSincePress_;
        lastStep_ = t;
    }

    int faults = 0;

  private:
    Hands& hands_;
    std::int16_t pressed_ = 0;
    std::int16_t held_ = 0;
    std::int64_t pressedAt_ = -1000000;
    std::int64_t lastStep_ = 0;
    int stepsSincePress_ = 0;
};

class Rallies {
  public:
    static constexpr std::int16_t leftUp = 119;   // F8: one step up a press
    static constexpr std::int16_t leftDown = 122; // F11: one step down
    static constexpr int leftServeDelay = 500;

    // How far off the left player judges a ball: a normal spread of `leftSpread` twips,
    // and more for a steep ball, `leftPerStep` twips per twip of vertical step.
    static constexpr double leftSpread = 100;
    static constexpr double leftPerStep = 0.8;
    static constexpr int personReaction = 200;

    Rallies(void (GameCore::*level)(), LeftPlays plays, std::uint32_t seed)
        : plays_(plays), random_(seed), leftRandom_(seed + 1000) {
        host.chance = [this] { return float(random_() >> 8) / 16777216.0f; };
        game.Form_Load("C:\\Giochi");
        (game.*level)();
    }

    FakePlatform host;
    GameCore game{host};
    ComputerPlayer computer{game, host};
    Hands left{leftUp, leftDown};
    TimingCheck computerTiming{computer.hands()};
    TimingCheck leftTiming{left};
    std::int64_t now = 0;
    int serves = 0;  // serves of the left player
    int returns = 0; // of those, returned by the computer

    // Plays one point from its waiting serve to its end; true when the left player won it.
    bool playPoint() {
        nextTick_.reset();
        leftServeAt_.reset();
        judged_ = false;
        seenX_ = seenY_ = 0;
        answerAt_.reset();
        const bool leftServes = game.Battuta == 0;
        bool returned = false;
        for (int safety = 0; safety < 1000000; ++safety) {
            if (nextTick_ && *nextTick_ == now) {
                const float landing = game.Pallina.Left + float(game.PassoX);
                game.Timer1_Timer();
                if (!host.clock) { // the point is over, the next serve waits
                    serves += leftServes;
                    returns += leftServes && returned;
                    return landing > 0;
                }
                *nextTick_ += host.interval;
                returned = returned || (game.PassoX < 0 && game.Pallina.Left > 4000);
            }
            act(computer.act(now), computerTiming);
            act(leftActs(), leftTiming);
            now = std::min({nextTick_.value_or(never), computer.nextAct().value_or(never),
                            leftNext_.value_or(never)});
            if (now == never)
                break;
        }
        qFatal("a point that never ended");
        return false;
    }

  private:
    static constexpr std::int64_t never = std::numeric_limits<std::int64_t>::max();

    void act(std::int16_t code, TimingCheck& timing) {
        if (code == 0)
            return;
        if (code != 32 && code != 39)
            timing.step(code, now);
        game.ControllaTasti(code);
        if (host.clock && !nextTick_)
            nextTick_ = now + host.interval; // the serve starts the clock
    }

    // The left player's press at `now`, or 0; leaves when it wants to look again.
    std::int16_t leftActs() {
        leftNext_.reset();
        if (!host.clock) {
            if (game.Battuta != 0)
                return 0;
            if (!leftServeAt_)
                leftServeAt_ = now + leftServeDelay;
            if (now < *leftServeAt_) {
                leftNext_ = *leftServeAt_;
                return 0;
            }
            leftServeAt_.reset();
            return left.tap(now, 32) ? 32 : 0;
        }
        if (plays_ == LeftPlays::Still)
            return 0;
        if (plays_ == LeftPlays::Person)
            return personActs();
        const Shape& r = game.Racchetta_Blu;
        if (game.PassoX > 0) {
            judged_ = false;
            target_ = 2076; // back to the middle while the ball is away
        } else if (!judged_) {
            judged_ = true;
            target_ = aimAtCorner();
        }
        const int steps = int(std::lround((target_ - r.Top) / 250.0f));
        const int possible = game.stepsWithinLimits(r, steps);
        const std::int16_t code = left.steer(now, possible);
        const int remaining = code == 0 ? possible : possible - (possible < 0 ? -1 : 1);
        leftNext_ = left.nextStep(remaining);
        return code;
    }

    std::int16_t personActs() {
        if (game.PassoX != seenX_ || game.PassoY != seenY_) {
            seenX_ = game.PassoX;
            seenY_ = game.PassoY;
            if (!answerAt_)
                answerAt_ = now + personReaction;
        }
        if (answerAt_ && now >= *answerAt_) {
            answerAt_.reset();
            judged_ = true;
            target_ = game.PassoX > 0 ? 2076 : aimWithTheMiddle();
        }
        const Shape& r = game.Racchetta_Blu;
        const int steps =
            judged_ ? game.stepsWithinLimits(r, int(std::lround((target_ - r.Top) / 250.0f))) : 0;
        const std::int16_t key = steps < 0 ? leftUp : leftDown;
        const bool pressed = steps != 0 && left.tap(now, key);
        if (steps != 0)
            leftNext_ = left.nextTap();
        if (answerAt_ && (!leftNext_ || *leftNext_ > *answerAt_))
            leftNext_ = answerAt_;
        return pressed ? key : 0;
    }

    // Where the racquet's top should be for its middle to meet the ball.
    float aimWithTheMiddle() {
        const Shape& r = game.Racchetta_Blu;
        const float near = r.Left + game.Pallina.Width + 100;
        const double top = predictBallTop(game, fakeOuterHeight,
                                          [&r, near](double x) { return x <= near && x > r.Left; });
        std::normal_distribution<double> error(0.0,
                                               leftSpread + leftPerStep * std::abs(game.PassoY));
        return float(top + error(leftRandom_)) + game.Pallina.Height / 2 - r.Height / 2;
    }

    // Where the racquet's top should be when the ball reaches it: the ball taken near the
    // racquet's upper end flies up, near its lower end down.
    float aimAtCorner() {
        const Shape& r = game.Racchetta_Blu;
        const float near = r.Left + game.Pallina.Width + 100; // the racquet's reach
        double top = predictBallTop(game, fakeOuterHeight,
                                    [&r, near](double x) { return x <= near && x > r.Left; });
        std::normal_distribution<double> error(0.0,
                                               leftSpread + leftPerStep * std::abs(game.PassoY));
        top += error(leftRandom_);
        const Shape& red = game.Racchetta_Rossa;
        const bool redHigh = red.Top + red.Height / 2 < game.Campo.Height / 2;
        // Tops it can reach lie a whole number of steps from where it is.
        if (redHigh) // down: the ball just above the racquet's lower end
            return r.Top + 250.0f * std::ceil((float(top) - r.Height - r.Top) / 250.0f);
        return r.Top + 250.0f * std::floor((float(top) - r.Top) / 250.0f); // up
    }

    LeftPlays plays_;
    std::mt19937 random_;
    std::mt19937 leftRandom_;
    std::optional<std::int64_t> nextTick_;
    std::optional<std::int64_t> leftServeAt_;
    std::optional<std::int64_t> leftNext_;
    bool judged_ = false;
    float target_ = 0;
    std::int32_t seenX_ = 0;
    std::int32_t seenY_ = 0;
    std::optional<std::int64_t> answerAt_;
};

} // namespace quindra::testing
