#pragma once
// What the fuzzer's bytes stand for: the first says which side receives them and how the
// network cuts them up; the rest arrive after a proper greeting from the other side.
#include "FakePlatform.h"

#include "input/Players.h"
#include "net/Session.h"

namespace quindra::fuzzing {

struct NullLink : net::Link {
    std::size_t sent = 0;
    void send(std::span<const std::uint8_t> bytes) override { sent += bytes.size(); }
    // A peer that reads nothing: everything sent waits here.
    std::size_t unsent() const override { return sent; }
    void close() override {}
};

struct Listener : net::SessionListener {
    void started() override {}
    int boards = 0;
    int boardsAtLastBox = -1;
    bool boxTwiceForOneBoard = false;
    void boardArrived() override { ++boards; }
    void hostChanged() override {}
    void boxArrived(const std::string&) override {
        boxTwiceForOneBoard = boxTwiceForOneBoard || boards == boardsAtLastBox;
        boardsAtLastBox = boards;
    }
    void roundTripMeasured(int) override {}
    void ended(const std::string&) override {}
};

} // namespace quindra::fuzzing
