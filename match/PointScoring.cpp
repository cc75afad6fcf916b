// Points of the game in play, kept as the captions of the two point labels.
#include "app/GameCore.h"

namespace quindra {

using namespace std::string_literals;

void GameCore::punteggio(std::int32_t Vince) {
    Label& scorer = Vince != 0 ? lblPuntoRosso : lblPuntoBlu;
    Label& opponent = Vince != 0 ? lblPuntoBlu : lblPuntoRosso;

    const std::string caption = scorer.Caption;
    if (caption == "0") {
        scorer.Caption = "15"s;
    } else if (caption == "15") {
        scorer.Caption = "30"s;
    } else if (caption == "30") {
        scorer.Caption = "40"s;
    } else if (caption == "40") {
        if (opponent.Caption == "V") {
            // A point against the advantage takes it away: back to deuce.
            scorer.Caption = "40"s;
            opponent.Caption = "40"s;
        } else if (opponent.Caption == "40") {
            scorer.Caption = "V"s;
        } else {
            scorer.Caption = "2V"s;
        }
    } else if (caption == "V") {
        scorer.Caption = "2V"s;
    }
}

} // namespace quindra
