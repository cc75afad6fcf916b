// Points of the game in play, kept as the captions of the two point labels.
#include "app/GameCore.h"

namespace quindra {

void GameCore::punteggio(std::int32_t Vince) {
    Label& scorer = Vince != 0 ? lblPuntoRosso : lblPuntoBlu;
    Label& opponent = Vince != 0 ? lblPuntoBlu : lblPuntoRosso;

    const std::string caption = scorer.Caption;
    if (caption == "0") {
        scorer.Caption = "15";
    } else if (caption == "15") {
        scorer.Caption = "30";
    } else if (caption == "30") {
        scorer.Caption = "40";
    } else if (caption == "40") {
        if (opponent.Caption == "V") {
            // A point against the advantage takes it away: back to deuce.
            scorer.Caption = "40";
            opponent.Caption = "40";
        } else if (opponent.Caption == "40") {
            scorer.Caption = "V";
        } else {
            scorer.Caption = "2V";
        }
    } else if (caption == "V") {
        scorer.Caption = "2V";
    }
}

} // namespace quindra
