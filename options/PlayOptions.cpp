// Menu commands that set up play: new match, training, level, sets, racquets, re-spin,
// the computer and the sounds.
#include "app/GameCore.h"

namespace quindra {

void GameCore::mnuNuovaPartita_Click() {
    Allenamento = false;
    Racchetta_Blu.Height = Racchetta_Rossa.Height;
    Nuova_partita();
}

void GameCore::mnuAllenamento_Click() {
    // The wall and the computer exclude each other.
    menu.mnuComputer = false;
    // The left racquet becomes a wall as high as the court.
    Racchetta_Blu.Top = Campo.Top;
    Racchetta_Blu.Height = Campo.Height;
    Allenamento = true;
    Nuova_partita();
}

void GameCore::setLevel(int interval) {
    // A running clock ticks at the new rate at once; a stopped one stays stopped.
    platform_.setClockInterval(interval);
    menu.mnuPri = interval == 100;
    menu.mnuInt = interval == 50;
    menu.mnuPro = interval == 40;
}

void GameCore::mnuPri_Click() {
    setLevel(100);
}
void GameCore::mnuInt_Click() {
    setLevel(50);
}
void GameCore::mnuPro_Click() {
    setLevel(40);
}

void GameCore::setSetCount(std::int32_t sets) {
    NumSet = sets;
    menu.mnuSet_Uno = sets == 1;
    menu.mnuSet_Tre = sets == 3;
    menu.mnuSet_Cinque = sets == 5;
}

void GameCore::mnuSet_Uno_Click() {
    setSetCount(1);
}
void GameCore::mnuSet_Tre_Click() {
    setSetCount(3);
}
void GameCore::mnuSet_Cinque_Click() {
    setSetCount(5);
}

void GameCore::setRacquetHeight(float height) {
    // The training wall keeps the court's height.
    Racchetta_Rossa.Height = height;
    if (!Allenamento)
        Racchetta_Blu.Height = height;
    menu.mnuGrandi = height == bigRacquet;
    menu.mnuPiccole = !menu.mnuGrandi;
}

void GameCore::mnuGrandi_Click() {
    setRacquetHeight(bigRacquet);
}
void GameCore::mnuPiccole_Click() {
    setRacquetHeight(smallRacquet);
}

void GameCore::mnuComputer_Click() {
    menu.mnuComputer = !menu.mnuComputer;
    // The computer ends training as "Nuova Partita" does: it needs a left player.
    if (menu.mnuComputer && Allenamento)
        mnuNuovaPartita_Click();
}

void GameCore::mnuSuoni_Click() {
    menu.mnuSuoni = !menu.mnuSuoni;
}

void GameCore::mnuRief_Click() {
    menu.mnuRief = !menu.mnuRief;
    RiEffetto = menu.mnuRief;
}

} // namespace quindra
