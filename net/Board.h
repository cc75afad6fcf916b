#pragma once
// The host's match as the guest needs it to draw the court and the board, and to go on
// with it alone should the link fail: the racquets, the ball and its steps, the score,
// the play options and their check marks. Colours and court surfaces are not in it: each
// player keeps their own.
#include "Wire.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quindra {
class GameCore;
class Platform;
} // namespace quindra

namespace quindra::net {

struct Place {
    float left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Place&) const = default;
};

struct Board {
    Place blue, red, ball;
    std::int32_t stepX = 0, stepY = 0; // PassoX, PassoY
    std::uint8_t server = 0;           // Battuta
    std::uint8_t sets = 1;             // NumSet
    std::uint8_t currentSet = 0;       // SetCorrente
    std::uint8_t setsWonBlue = 0, setsWonRed = 0;
    std::uint16_t interval = 100;         // the game clock's, in milliseconds
    std::int16_t shotAngle = 800;         // AngoloTiro
    std::uint16_t flags = 0;              // see Flag
    std::array<std::string, 12> captions; // points blue, red; sets left 1-5, right 1-5

    enum Flag : std::uint16_t {
        respin = 1 << 0,   // RiEffetto
        training = 1 << 1, // Allenamento
        paused = 1 << 2,   // a rally paused
        rally = 1 << 3,    // the ball in play: the host's clock runs
        checkPri = 1 << 4,
        checkInt = 1 << 5,
        checkPro = 1 << 6,
        checkSetUno = 1 << 7,
        checkSetTre = 1 << 8,
        checkSetCinque = 1 << 9,
        checkGrandi = 1 << 10,
        checkPiccole = 1 << 11,
        checkRief = 1 << 12,
        checkComputer = 1 << 13,
        allFlags = (1 << 14) - 1,
    };

    bool operator==(const Board&) const = default;

    static Board of(const GameCore& game, const Platform& platform);
    // The guest's game takes the board as it is; its clock stays off.
    void applyTo(GameCore& game, Platform& platform) const;

    void write(WireWriter& out) const;
    // Nothing unless every value is one the host's game can reach in a match over the
    // network: racquets of a size the menu gives in their own columns and limits, the ball
    // on the court with a step a racquet or a serve gives, a score the rules can count to,
    // check marks that agree with the values, no computer and no training wall.
    static std::optional<Board> read(WireReader& in);
    bool reachable() const;
};

} // namespace quindra::net
