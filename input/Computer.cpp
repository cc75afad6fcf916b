#include "Computer.h"

#include "KeyBindings.h"
#include "app/GameCore.h"

#include <cmath>

namespace quindra {

namespace {

constexpr std::int16_t keyServe = codeOf(KeyAction::Serve);
constexpr std::int16_t keyUp = codeOf(KeyAction::RedUp);
constexpr std::int16_t keyBase = codeOf(KeyAction::RedBase);
constexpr std::int16_t keyDown = codeOf(KeyAction::RedDown);
constexpr float baseColumn = 6600;
constexpr float step = 250;

// How the computer sees, by level: how long it takes to answer a ball that changes course,
// in milliseconds, and how far off it may judge where the ball will come, a spread for
// every ball and more for a steep one, in twips per twip of vertical step.
struct Judgement {
    int reaction;
    double spread;
    double perStep;
};

// A person needs about a fifth of a second to see a ball change course and start to move:
// simple reaction to a light is 190-250 ms in young adults, choosing between two moves
// takes longer, and practice takes some of it off. The quickest level answers as a trained
// player, the slowest as a beginner.
Judgement judgementAt(int interval) {
    if (interval <= 40)
        return {180, 50, 1.4}; // "Professionista": sharp
    if (interval <= 50)
        return {220, 80, 1.6};
    return {260, 110, 1.9}; // "Principiante": forgiving
}

} // namespace

ComputerPlayer::ComputerPlayer(const GameCore& game, Platform& platform)
    : game_(game), platform_(platform), hands_(keyUp, keyDown) {}

void ComputerPlayer::reset() {
    rest();
    aiming_ = false;
}

void ComputerPlayer::rest() {
    hands_.release();
    serveDueSince_ = -1;
    next_.reset();
    // Back at the court, it must look at the ball again.
    seen_ = false;
    answered_ = true;
}

std::int16_t ComputerPlayer::act(std::int64_t now) {
    if (game_.paused()) {
        rest();
        return 0;
    }
    return platform_.clockEnabled() ? play(now) : serve(now);
}

std::int16_t ComputerPlayer::serve(std::int64_t now) {
    seen_ = false;
    answered_ = true;
    aiming_ = false;
    hands_.release();
    next_.reset();
    // The left player's serve is not its own: nothing to do until the ball comes.
    if (game_.Battuta == 0) {
        serveDueSince_ = -1;
        return 0;
    }
    // Its own: a moment to look, then Space, as a person would press it.
    if (serveDueSince_ < 0)
        serveDueSince_ = now;
    if (now - serveDueSince_ < serveDelay) {
        next_ = serveDueSince_ + serveDelay;
        return 0;
    }
    if (!hands_.tap(now, keyServe)) {
        next_ = hands_.nextTap();
        return 0;
    }
    serveDueSince_ = -1;
    return keyServe;
}

std::int16_t ComputerPlayer::play(std::int64_t now) {
    serveDueSince_ = -1;
    watchCourse(now);
    // It plays from the base column.
    if (game_.Racchetta_Rossa.Left != baseColumn) {
        const bool pressed = hands_.tap(now, keyBase);
        next_ = hands_.nextTap();
        return pressed ? keyBase : 0;
    }
    if (!answered_ && now >= answerAt_) {
        answered_ = aiming_ = true;
        target_ = judgeTarget();
    }
    // Until it answers, it goes on with the move it had begun, if any.
    const int steps = aiming_ ? stepsTo(target_) : 0;
    const std::int16_t code = hands_.steer(now, steps);
    const int left = code == 0 ? steps : steps < 0 ? steps + 1 : steps - 1;
    next_ = hands_.nextStep(left);
    if (!answered_ && (!next_ || *next_ > answerAt_))
        next_ = answerAt_;
    return code;
}

void ComputerPlayer::watchCourse(std::int64_t now) {
    // A serve, a racquet's hit, an edge or a re-spin all change the ball's steps.
    if (seen_ && game_.PassoX == seenX_ && game_.PassoY == seenY_)
        return;
    seen_ = true;
    seenX_ = game_.PassoX;
    seenY_ = game_.PassoY;
    // A change while it is still taking in the last one doesn't start its reaction over:
    // when it answers, it answers the ball as it then is.
    if (answered_)
        answerAt_ = now + judgementAt(platform_.clockInterval()).reaction;
    answered_ = false;
}

int ComputerPlayer::stepsTo(float target) const {
    // Within half a step it stays; otherwise the steps that bring it within half a step,
    // as many as the racquet's limits let it take.
    const Shape& racquet = game_.Racchetta_Rossa;
    const float distance = target - racquet.Top;
    if (std::abs(distance) <= step / 2)
        return 0;
    const int wanted = static_cast<int>(std::ceil((std::abs(distance) - step / 2) / step));
    return game_.stepsWithinLimits(racquet, distance < 0 ? -wanted : wanted);
}

float ComputerPlayer::judgeTarget() {
    const Shape& racquet = game_.Racchetta_Rossa;
    if (game_.PassoX < 0) // the ball goes away: back to the middle of the court to wait
        return game_.Campo.Height / 2 - racquet.Height / 2;
    // Where the ball will cross the racquet's column, and which part of the racquet should
    // take it, to send it away from the other racquet.
    const float arrival = predictArrival();
    const Shape& other = game_.Racchetta_Blu;
    const bool otherHigh = other.Top + other.Height / 2 < game_.Campo.Height / 2;
    const float part = otherHigh ? 0.7f : 0.3f; // low on the racquet sends the ball down
    return arrival - part * racquet.Height + misjudgement(game_.PassoY);
}

float ComputerPlayer::predictArrival() const {
    const float column = game_.Racchetta_Rossa.Left - 200;
    return predictBallTop(game_, platform_.outerHeight(),
                          [column](double left) { return left >= column; });
}

float predictBallTop(const GameCore& game, float outerHeight,
                     const std::function<bool(double)>& reached) {
    // The ball's flight as the clock will move it, bounces included.
    const float bottom = outerHeight - 750.0f;
    double left = game.Pallina.Left;
    double top = game.Pallina.Top;
    std::int32_t passoY = game.PassoY;
    for (int i = 0; i < 100 && !reached(left); ++i) {
        left += game.PassoX;
        top += passoY;
        if (top <= 100) {
            top = 101;
            passoY = -passoY;
        } else if (passoY > 0 && top >= bottom) {
            top = bottom + 1;
            passoY = -passoY;
        }
    }
    return static_cast<float>(top);
}

float ComputerPlayer::misjudgement(std::int32_t passoY) {
    // A normal spread from two uniform draws (Box-Muller), wider for steeper balls.
    const Judgement j = judgementAt(platform_.clockInterval());
    const double u1 = 1.0 - platform_.drawRandom(); // in (0, 1]
    const double u2 = platform_.drawRandom();
    const double normal = std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * 3.14159265358979 * u2);
    return static_cast<float>(normal * (j.spread + j.perStep * std::abs(passoY)));
}

} // namespace quindra
