#pragma once
// The menu bar as the game has it: every menu and item in order, with its caption, its
// check mark and what it does. Each front-end builds its own menus from this one table.
#include "app/GameCore.h"

#include <cstddef>
#include <span>

namespace quindra {

// The items that do something, named as the game names them.
enum class MenuItem {
    mnuNuovaPartita,
    mnuAllenamento,
    mnuRete,
    mnuPri,
    mnuInt,
    mnuPro,
    mnuSet_Uno,
    mnuSet_Tre,
    mnuSet_Cinque,
    mnuColPallina,
    mnuGrandi,
    mnuPiccole,
    mnuCol_Sinistra,
    mnuCol_Destra,
    mnuWimb,
    mnuRoland,
    mnuOpUsa,
    mnuCampoColore,
    mnuRief,
    mnuAngolo,
    mnuComputer,
    mnuSuoni,
    mnuSommario,
    mnuQuindra,
};
constexpr std::size_t menuItemCount = static_cast<std::size_t>(MenuItem::mnuQuindra) + 1;

// The windows a front-end opens from the menu; the rest are the game's own commands.
enum class WindowCommand { None, Rete, Angolo, Sommario, Quindra };

struct MenuEntry {
    enum class Kind { Menu, Submenu, Item };
    Kind kind;
    // 0 for a menu of the bar, 1 for what stands in one, 2 for an item of a submenu.
    int depth;
    const char* name;
    const char* caption; // shown as written: no access keys
    MenuItem item;       // items only
    // Items of one exclusive group share a number above 0; a checkable item of none
    // toggles.
    int group;
    bool checkable;
    bool MenuChecks::*mark;      // where the game keeps its check mark
    void (GameCore::*command)(); // the game's command; none for a window's
    WindowCommand window;
};

// The whole bar, a menu followed by what stands in it.
std::span<const MenuEntry> menuEntries();
// The entry of an item.
const MenuEntry& menuEntryOf(MenuItem item);

} // namespace quindra
