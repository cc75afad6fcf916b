#pragma once
// The About window's address, and the mail link a click on it hands to the desktop: the
// address and the subject, its blanks and colon left as they are.
#include <string>

namespace quindra {

inline constexpr char authorAddress[] = "ruv@example.com";

inline std::string mailLinkText() {
    return std::string("mailto:") + authorAddress + "?subject=Tennis: Per Ruvendo";
}

} // namespace quindra
