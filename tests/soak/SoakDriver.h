#pragma once
// Plays the game through its rules with random events and checks, after every event,
// what must always hold. The events come from a source of choices: a seeded generator for
// the soak test, the fuzzer's bytes for the fuzz target.
#include "app/GameCore.h"
#include "app/Platform.h"
#include "input/Computer.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>

namespace quindra::soak {

class Choices {
  public:
    virtual ~Choices() = default;
    // A whole number in [0, bound); bound is at least 1.
    virtual std::uint32_t below(std::uint32_t bound) = 0;
    virtual bool exhausted() const = 0;
};

class SeededChoices : public Choices {
  public:
    explicit SeededChoices(std::uint64_t seed) : generator_(seed) {}
    std::uint32_t below(std::uint32_t bound) override {
        return static_cast<std::uint32_t>(generator_() % bound);
    }
    bool exhausted() const override { return false; }

  private:
    std::mt19937_64 generator_;
};

class ByteChoices : public Choices {
  public:
    ByteChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint32_t below(std::uint32_t bound) override;
    bool exhausted() const override { return position_ >= size_; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

struct Counts {
    std::uint64_t events = 0;
    std::uint64_t ticks = 0;
    std::uint64_t points = 0;
    std::uint64_t sets = 0;
    std::uint64_t matches = 0;
    std::array<std::uint64_t, 6> matchesOf{}; // by the number of sets they were played to
    std::uint64_t restarts = 0;               // "Nuova Partita" and "Allenamento"
};

class Driver : private Platform {
  public:
    explicit Driver(Choices& choices);

    // Plays one event and checks the game after it; false once something does not hold.
    bool step();
    const std::string& failure() const { return failure_; }
    const Counts& counts() const { return counts_; }
    const GameCore& game() const { return game_; }
    // What the last event was, for a replay.
    const std::string& lastEvent() const { return lastEvent_; }

  private:
    // Platform: a clock that is a flag, a typical window, the choices for chance.
    void setClockEnabled(bool enabled) override { clock_ = enabled; }
    bool clockEnabled() const override { return clock_; }
    void setClockInterval(int milliseconds) override { interval_ = milliseconds; }
    int clockInterval() const override { return interval_; }
    float outerWidth() const override;
    float outerHeight() const override;
    void repaint() override { served_ = true; }
    void showMessage(const std::string& text) override;
    std::optional<Colour> pickColour(Colour initial) override;
    void reseedRandom() override {}
    float drawRandom() override;

    void tick();
    void computerActs();
    void steer();
    void key(std::int16_t code, bool asCharacter);
    void menuCommand();
    void angleOk();

    void check(bool holds, const std::string& what);
    void checkAfterEvent(std::int32_t passoYBefore, bool keyEvent, bool restarted);
    void checkBoard();
    void checkServe();

    Choices& choices_;
    GameCore game_;
    ComputerPlayer computer_{game_, *this};
    std::int64_t now_ = 0; // milliseconds, for the computer
    bool clock_ = false;
    int interval_ = 100;
    bool served_ = false;
    bool messageShown_ = false;
    std::array<int, 2> skill_{}; // how often each player steers toward the ball, in %
    int ticksSinceTurn_ = 0;
    float waitingLeft_ = 0;
    float waitingTop_ = 0;
    Counts counts_;
    std::string failure_;
    std::string lastEvent_;
};

} // namespace quindra::soak
