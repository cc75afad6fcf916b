// Colours of ball, racquets and court through the colour dialog, and the three surfaces.
#include "app/GameCore.h"

namespace quindra {

void GameCore::colora(ColourTarget& obj, std::uint8_t Proprieta) {
    const auto picked = platform_.pickColour(FinColore.Color);
    if (!picked)
        return; // cancelled: nothing changes and nothing is said
    FinColore.Color = *picked;
    if (Proprieta == 0)
        obj.setColourProperty("BackColor", *picked);
    else if (Proprieta == 1)
        obj.setColourProperty("ForeColor", *picked);
    // An element without the property simply keeps its colours.
}

void GameCore::mnuColPallina_Click() {
    colora(Pallina, 0);
}

void GameCore::mnuCol_Sinistra_Click() {
    colora(Racchetta_Blu, 0);
    lblPuntoBlu.ForeColor = Racchetta_Blu.BackColor;
}

void GameCore::mnuCol_Destra_Click() {
    colora(Racchetta_Rossa, 0);
    lblPuntoRosso.ForeColor = Racchetta_Rossa.BackColor;
}

void GameCore::mnuCampoColore_Click() {
    colora(Campo, 0);
}

void GameCore::setSurface(Colour fill) {
    Campo.BackColor = fill;
    menu.mnuWimb = fill == colours::wimbledon;
    menu.mnuRoland = fill == colours::rolandGarros;
    menu.mnuOpUsa = fill == colours::openUsa;
}

void GameCore::mnuWimb_Click() {
    setSurface(colours::wimbledon);
}
void GameCore::mnuRoland_Click() {
    setSurface(colours::rolandGarros);
}
void GameCore::mnuOpUsa_Click() {
    setSurface(colours::openUsa);
}

} // namespace quindra
