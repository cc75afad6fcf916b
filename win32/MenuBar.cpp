#include "MenuBar.h"

#include "Text.h"

namespace quindra::win32 {

HMENU buildMenuBar() {
    HMENU bar = CreateMenu();
    HMENU menus[3] = {bar, nullptr, nullptr}; // what an entry of each depth goes into
    for (const MenuEntry& entry : menuEntries()) {
        const std::wstring caption = widen(entry.caption);
        HMENU into = menus[entry.depth];
        if (entry.kind == MenuEntry::Kind::Item) {
            AppendMenuW(into, MF_STRING, commandOf(entry.item), caption.c_str());
            continue;
        }
        HMENU list = CreatePopupMenu();
        AppendMenuW(into, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(list), caption.c_str());
        menus[entry.depth + 1] = list;
    }
    return bar;
}

std::optional<MenuItem> menuItemOf(UINT id) {
    if (id < firstCommand || id >= firstCommand + menuItemCount)
        return std::nullopt;
    return static_cast<MenuItem>(id - firstCommand);
}

UINT commandOf(MenuItem item) {
    return firstCommand + static_cast<UINT>(item);
}

void showChecks(HMENU bar, const GameCore& game) {
    for (const MenuEntry& entry : menuEntries())
        if (entry.mark)
            CheckMenuItem(bar, commandOf(entry.item),
                          MF_BYCOMMAND | (game.menu.*entry.mark ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace quindra::win32
