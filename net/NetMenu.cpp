#include "NetMenu.h"

namespace quindra::net {

bool menuItemAvailable(MenuItem item, std::optional<Role> role) {
    if (!role)
        return true;
    switch (item) {
    case MenuItem::mnuAllenamento:
    case MenuItem::mnuComputer:
        return false;
    case MenuItem::mnuNuovaPartita:
    case MenuItem::mnuPri:
    case MenuItem::mnuInt:
    case MenuItem::mnuPro:
    case MenuItem::mnuSet_Uno:
    case MenuItem::mnuSet_Tre:
    case MenuItem::mnuSet_Cinque:
    case MenuItem::mnuGrandi:
    case MenuItem::mnuPiccole:
    case MenuItem::mnuRief:
    case MenuItem::mnuAngolo:
        return *role == Role::Host;
    default:
        return true;
    }
}

} // namespace quindra::net
