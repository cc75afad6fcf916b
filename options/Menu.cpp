#include "Menu.h"

#include <array>

namespace quindra {

namespace {

using Command = void (GameCore::*)();
using Mark = bool MenuChecks::*;

constexpr MenuEntry menu(const char* name, const char* caption) {
    return {MenuEntry::Kind::Menu, 0, name, caption, {}, 0, false, nullptr, nullptr,
            WindowCommand::None};
}

constexpr MenuEntry submenu(const char* name, const char* caption) {
    return {MenuEntry::Kind::Submenu, 1, name, caption, {}, 0, false, nullptr, nullptr,
            WindowCommand::None};
}

// A command of the game's; with a mark, a checkable item, in `group` where it has one.
constexpr MenuEntry command(MenuItem item, const char* name, const char* caption, Command run,
                            Mark mark = nullptr, int group = 0, int depth = 1) {
    return {MenuEntry::Kind::Item, depth, name, caption, item, group, mark != nullptr, mark, run,
            WindowCommand::None};
}

constexpr MenuEntry window(MenuItem item, const char* name, const char* caption,
                           WindowCommand opens) {
    return {MenuEntry::Kind::Item, 1, name, caption, item, 0, false, nullptr, nullptr, opens};
}

using M = MenuItem;
using G = GameCore;
using C = MenuChecks;
constexpr int levels = 1, sets = 2, sizes = 3, surfaces = 4;

constexpr std::array entries = {
    menu("mnuFile", "File"),
    command(M::mnuNuovaPartita, "mnuNuovaPartita", "Nuova Partita", &G::mnuNuovaPartita_Click),
    command(M::mnuAllenamento, "mnuAllenamento", "Allenamento", &G::mnuAllenamento_Click),
    window(M::mnuRete, "mnuRete", "Gioca in rete...", WindowCommand::Rete),
    menu("mnuOpz", "Livelli"),
    command(M::mnuPri, "mnuPri", "Principiante", &G::mnuPri_Click, &C::mnuPri, levels),
    command(M::mnuInt, "mnuInt", "Intermedio", &G::mnuInt_Click, &C::mnuInt, levels),
    command(M::mnuPro, "mnuPro", "Professionista", &G::mnuPro_Click, &C::mnuPro, levels),
    menu("mnuSet", "Set"),
    command(M::mnuSet_Uno, "mnuSet_Uno", "Uno", &G::mnuSet_Uno_Click, &C::mnuSet_Uno, sets),
    command(M::mnuSet_Tre, "mnuSet_Tre", "Tre", &G::mnuSet_Tre_Click, &C::mnuSet_Tre, sets),
    command(M::mnuSet_Cinque, "mnuSet_Cinque", "Cinque", &G::mnuSet_Cinque_Click, &C::mnuSet_Cinque,
            sets),
    menu("mnuPallina", "Pallina"),
    command(M::mnuColPallina, "mnuColPallina", "Colore Pallina", &G::mnuColPallina_Click),
    menu("mnuRachette", "Racchette"),
    command(M::mnuGrandi, "mnuGrandi", "Grandi", &G::mnuGrandi_Click, &C::mnuGrandi, sizes),
    command(M::mnuPiccole, "mnuPiccole", "Piccole", &G::mnuPiccole_Click, &C::mnuPiccole, sizes),
    submenu("mnuColore", "Colore"),
    command(M::mnuCol_Sinistra, "mnuCol_Sinistra", "Rachetta Sinistra", &G::mnuCol_Sinistra_Click,
            nullptr, 0, 2),
    command(M::mnuCol_Destra, "mnuCol_Destra", "Rachetta Destra", &G::mnuCol_Destra_Click, nullptr,
            0, 2),
    menu("mnuCampo", "Campo"),
    command(M::mnuWimb, "mnuWimb", "Wimbledon", &G::mnuWimb_Click, &C::mnuWimb, surfaces),
    command(M::mnuRoland, "mnuRoland", "Roland Garros", &G::mnuRoland_Click, &C::mnuRoland,
            surfaces),
    command(M::mnuOpUsa, "mnuOpUsa", "Open USA", &G::mnuOpUsa_Click, &C::mnuOpUsa, surfaces),
    command(M::mnuCampoColore, "mnuCampoColore", "Personalizza il Colore",
            &G::mnuCampoColore_Click),
    menu("mnuOpzioni", "Opzioni"),
    command(M::mnuRief, "mnuRief", "Ri-Effetto", &G::mnuRief_Click, &C::mnuRief),
    window(M::mnuAngolo, "mnuAngolo", "Angolo", WindowCommand::Angolo),
    command(M::mnuComputer, "mnuComputer", "Computer", &G::mnuComputer_Click, &C::mnuComputer),
    command(M::mnuSuoni, "mnuSuoni", "Suoni", &G::mnuSuoni_Click, &C::mnuSuoni),
    menu("mnuHelp", "Help"),
    window(M::mnuSommario, "mnuSommario", "Comandi", WindowCommand::Sommario),
    menu("mnuAbout", "About"),
    window(M::mnuQuindra, "mnuQuindra", "Quindra", WindowCommand::Quindra),
};

} // namespace

std::span<const MenuEntry> menuEntries() {
    return entries;
}

const MenuEntry& menuEntryOf(MenuItem item) {
    for (const MenuEntry& entry : entries)
        if (entry.kind == MenuEntry::Kind::Item && entry.item == item)
            return entry;
    return entries.front(); // every item has its entry: the table's own test says so
}

} // namespace quindra
