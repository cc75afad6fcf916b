#pragma once
// The menu bar built from the game's menu table; a command's id is its item's number
// plus `firstCommand`.
#include "options/Menu.h"

#include <windows.h>

#include <optional>

namespace quindra::win32 {

constexpr UINT firstCommand = 100;

HMENU buildMenuBar();
// The item a command id stands for; nothing for any other id.
std::optional<MenuItem> menuItemOf(UINT id);
UINT commandOf(MenuItem item);
// Sets every check mark as the game keeps it.
void showChecks(HMENU bar, const GameCore& game);

} // namespace quindra::win32
