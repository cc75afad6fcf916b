// A fresh match: board cleared, shot angle and re-spin back to their defaults, toss, serve.
#include "app/GameCore.h"

#include "app/Modulo1.h"

namespace quindra {

using namespace std::string_literals;

void GameCore::Nuova_partita() {
    lblPuntoBlu.Caption = "0"s;
    lblPuntoRosso.Caption = "0"s;
    AngoloTiro = 800;
    for (std::size_t i = 0; i < lblSet_Sin.size(); ++i) {
        lblSet_Sin[i].Caption = "0"s;
        lblSet_Dest[i].Caption = "0"s;
    }
    SetCorrente = 0;
    SetVintiBlu = 0;
    SetVintiRossa = 0;
    // The check mark goes with the flag, so the menu never shows re-spin on while it is off.
    RiEffetto = false;
    menu.mnuRief = false;
    Sorteggio();
    batte();
}

} // namespace quindra
