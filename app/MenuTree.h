#pragma once
// The main window's menu bar: every item, named as the game names it, with its caption.
#include <QAction>
#include <QActionGroup>
#include <QMenuBar>

namespace quindra {

struct MenuTree {
    QAction* mnuNuovaPartita = nullptr;
    QAction* mnuAllenamento = nullptr;
    QAction* mnuPri = nullptr;
    QAction* mnuInt = nullptr;
    QAction* mnuPro = nullptr;
    QAction* mnuSet_Uno = nullptr;
    QAction* mnuSet_Tre = nullptr;
    QAction* mnuSet_Cinque = nullptr;
    QAction* mnuColPallina = nullptr;
    QAction* mnuGrandi = nullptr;
    QAction* mnuPiccole = nullptr;
    QAction* mnuCol_Sinistra = nullptr;
    QAction* mnuCol_Destra = nullptr;
    QAction* mnuWimb = nullptr;
    QAction* mnuRoland = nullptr;
    QAction* mnuOpUsa = nullptr;
    QAction* mnuCampoColore = nullptr;
    QAction* mnuRief = nullptr;
    QAction* mnuAngolo = nullptr;
    QAction* mnuComputer = nullptr;
    QAction* mnuSommario = nullptr;
    QAction* mnuQuindra = nullptr;

    // Builds the whole tree into `bar`; the exclusive groups are owned by the bar.
    void build(QMenuBar* bar);
};

} // namespace quindra
