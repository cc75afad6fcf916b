#pragma once
// The Windows-1252 code of a typed character, the character code the keyboard table
// uses. Qt has no portable codec for it, so the game carries its own table.
#include <cstdint>
#include <optional>

namespace quindra {

// Nothing for a character that Windows-1252 cannot encode.
std::optional<std::uint8_t> windows1252Code(char32_t character);

} // namespace quindra
