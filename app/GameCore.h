#pragma once
// The main window's game: its elements, its match state and its procedures. It holds
// no toolkit code; everything it needs from the host comes through Platform.
#include "Elements.h"
#include "Platform.h"

#include <array>
#include <cstdint>
#include <string>

namespace quindra {

// Check marks of the menu items that carry one.
struct MenuChecks {
    bool mnuPri = true;
    bool mnuInt = false;
    bool mnuPro = false;
    bool mnuSet_Uno = true;
    bool mnuSet_Tre = false;
    bool mnuSet_Cinque = false;
    bool mnuGrandi = true;
    bool mnuPiccole = false;
    bool mnuWimb = true;
    bool mnuRoland = false;
    bool mnuOpUsa = false;
    bool mnuRief = false;
    bool mnuComputer = false;
    bool mnuSuoni = true;
};

// The colour dialog keeps the last colour picked through it, for whatever element.
struct ColourDialogState {
    Colour Color = 0;
};

class GameCore {
  public:
    // Set columns per player: three for the board, two more for sets four and five.
    static constexpr int setColumns = 5;
    static constexpr int boardColumns = 3;
    // Where the racquets stand: two columns each, and the menu's two heights.
    static constexpr float blueBaseColumn = 720, blueNetColumn = 2080;
    static constexpr float redNetColumn = 5280, redBaseColumn = 6600;
    static constexpr float bigRacquet = 900, smallRacquet = 450;

    explicit GameCore(Platform& platform);

    // Elements, from the bottom of the stack to the top.
    Shape Campo;
    std::array<Line, 6> lines; // Line1 to Line6
    Shape Racchetta_Blu;
    Shape Racchetta_Rossa;
    Label lblPuntoBlu;
    Label Label1;
    Label lblPuntoRosso;
    std::array<Label, setColumns> lblSet_Sin;
    std::array<Label, setColumns> lblSet_Dest;
    Shape Pallina;
    Label lblPausa; // over everything, while a rally is paused

    MenuChecks menu;
    ColourDialogState FinColore;

    // Match state.
    std::int32_t PassoX = 0;
    std::int32_t PassoY = 0;
    std::int32_t NumSet = 0;
    std::int32_t SetCorrente = 0;
    std::int32_t Battuta = 0;
    bool RiEffetto = false;
    std::int32_t SetVintiRossa = 0;
    std::int32_t SetVintiBlu = 0;
    bool Allenamento = false;

    // Start-up: registers the help file beside the program and starts the first match.
    void Form_Load(const std::string& programFolder);

    // Ball flight.
    void Timer1_Timer();
    bool Incontra_Rossa();
    bool Incontra_Blu();
    std::int32_t Rilascia_Effetto(std::int32_t Dis, const std::string& ColRac);
    bool Rimbalza();
    bool Va_Fouri() const;
    std::string Stabilisce_Vittoria() const;

    // Scoring and match flow.
    void punteggio(std::int32_t Vince);
    bool ControllaPartita(std::int32_t Vince);
    void ControllaSet();
    bool ControllaMatch(std::string& strVincente) const;
    void CambiaBattuta();
    void batte();
    void Sorteggio();
    void Nuova_partita();

    // A rally stops where it is and goes on from the same place and step; a waiting serve
    // needs no pause, and a rally already paused stays as it is.
    void pauseRally();
    void resumeRally();
    bool paused() const { return paused_; }
    // A game that only mirrors another, over the network, shows its pause as it is; its
    // own clock stays as it was.
    void showPaused(bool paused) { paused_ = paused; }

    // Keyboard.
    void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void Form_KeyPress(std::int16_t KeyAscii);
    void ControllaTasti(std::int16_t KeyAscii);
    // How many of `steps` (negative up, positive down) the racquet's limits let it take.
    int stepsWithinLimits(const Shape& racquet, int steps) const;

    // Play options.
    void mnuNuovaPartita_Click();
    void mnuAllenamento_Click();
    void mnuPri_Click();
    void mnuInt_Click();
    void mnuPro_Click();
    void mnuSet_Uno_Click();
    void mnuSet_Tre_Click();
    void mnuSet_Cinque_Click();
    void mnuGrandi_Click();
    void mnuPiccole_Click();
    void mnuRief_Click();
    void mnuComputer_Click();
    void mnuSuoni_Click();

    // Colours and court surfaces.
    void colora(ColourTarget& obj, std::uint8_t Proprieta);
    void mnuColPallina_Click();
    void mnuCol_Sinistra_Click();
    void mnuCol_Destra_Click();
    void mnuCampoColore_Click();
    void mnuWimb_Click();
    void mnuRoland_Click();
    void mnuOpUsa_Click();

    // Columns four and five show only when a match can reach them.
    bool setColumnShown(int index) const;

  private:
    void setLevel(int interval);
    void setSetCount(std::int32_t sets);
    void setRacquetHeight(float height);
    void setSurface(Colour fill);
    void moveUp(Shape& racquet, float left, float top);
    void moveDown(Shape& racquet, float top);

    Platform& platform_;
    bool tickRunning_ = false;
    bool paused_ = false;
};

// The box at a match's end: who won, "B" or "R", in the players' words.
std::string matchEndMessage(const std::string& winner);

} // namespace quindra
