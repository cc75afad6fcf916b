// Games counted per set, sets closed at six with a lead of two, and the end of the match.
#include "app/GameCore.h"

#include <charconv>

namespace quindra {

using namespace std::string_literals;

namespace {

// The game counts are plain decimal captions; anything else reads as 0.
std::int32_t gameCount(const Label& label) {
    std::int32_t value = 0;
    const std::string& text = label.Caption;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::int32_t setsNeeded(std::int32_t numSet) {
    switch (numSet) {
    case 5:
        return 3;
    case 3:
        return 2;
    default:
        return 1;
    }
}

} // namespace

std::string matchEndMessage(const std::string& winner) {
    const std::string side = winner == "B" ? "Sinistra" : "Destra";
    return "Ha vinto il giocatore di " + side + ".\r\nFine Partita";
}

bool GameCore::ControllaPartita(std::int32_t Vince) {
    const Label& scorer = Vince != 0 ? lblPuntoRosso : lblPuntoBlu;
    if (scorer.Caption != "2V")
        return false;

    // Every match is decided by the fifth set, so the index stays within the columns.
    if (SetCorrente < 0 || SetCorrente >= setColumns)
        return false;
    auto& column = Vince != 0 ? lblSet_Dest : lblSet_Sin;
    Label& games = column[static_cast<std::size_t>(SetCorrente)];
    games.Caption = std::to_string(gameCount(games) + 1);

    const std::int32_t setPlayed = SetCorrente;
    ControllaSet();
    std::string winner;
    if (ControllaMatch(winner)) {
        platform_.playSound(Sound::Match); // a flourish as the box opens
        platform_.showMessage(matchEndMessage(winner));
        return true;
    }
    platform_.playSound(SetCorrente != setPlayed ? Sound::Set : Sound::Game);
    lblPuntoBlu.Caption = "0"s;
    lblPuntoRosso.Caption = "0"s;
    CambiaBattuta();
    return false;
}

void GameCore::ControllaSet() {
    if (SetCorrente < 0 || SetCorrente >= setColumns)
        return;
    const auto index = static_cast<std::size_t>(SetCorrente);
    const std::int32_t left = gameCount(lblSet_Sin[index]);
    const std::int32_t right = gameCount(lblSet_Dest[index]);
    if (left >= 6 && left - right >= 2) {
        SetCorrente += 1;
        SetVintiBlu += 1;
    } else if (right >= 6 && right - left >= 2) {
        SetVintiRossa += 1;
        SetCorrente += 1;
    }
}

bool GameCore::ControllaMatch(std::string& strVincente) const {
    // At least the sets needed and more than the other: a set count lowered below what a
    // player already holds still lets the match end. The left player is tested first.
    const std::int32_t needed = setsNeeded(NumSet);
    if (SetVintiBlu >= needed && SetVintiBlu > SetVintiRossa) {
        strVincente = "B"s;
        return true;
    }
    if (SetVintiRossa >= needed && SetVintiRossa > SetVintiBlu) {
        strVincente = "R"s;
        return true;
    }
    return false;
}

void GameCore::CambiaBattuta() {
    Battuta = Battuta == 0 ? 1 : 0;
}

} // namespace quindra
