#pragma once
// Program-wide state shared by the main window and the shot-angle dialog.
#include <cstdint>
#include <string>

namespace quindra {

// How steeply an off-centre racquet contact sends the ball: 500 to 1200, 800 by default.
extern std::int16_t AngoloTiro;

// The help file registered at start-up; nothing opens it.
extern std::string HelpFile;

// Shot-angle percentage (0 to 100) to the internal value: 7 x percentage + 500.
std::int16_t PercInAngolo(std::int16_t percentuale);

// Internal shot-angle value to the nearest percentage.
std::int16_t AngoloInPerc(std::int16_t angolo);

} // namespace quindra
