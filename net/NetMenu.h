#pragma once
// The menu during a match over the network. The host's menus rule play: on the guest the
// items that set it up are greyed, their checks the host's. Neither side has the training
// wall or the computer then; colours and surfaces stay each player's own.
#include "Messages.h"
#include "options/Menu.h"

#include <optional>

namespace quindra::net {

// `role`: nothing at a match at one keyboard.
bool menuItemAvailable(MenuItem item, std::optional<Role> role);

} // namespace quindra::net
