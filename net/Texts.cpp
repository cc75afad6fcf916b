#include "Texts.h"

namespace quindra::net {

const char* const askAddressText = "Scrivi il nome o l'indirizzo di chi ospita la partita.";
const char* const askPortText = "La porta è un numero da 1 a 65535.";
const char* const quitQuestion = "Terminare la partita in rete? Ognuno continuerà da solo.";

std::string choiceText(bool hosting) {
    return hosting ? "Chi si unisce deve poter raggiungere questa porta."
                   : "Chi ospita deve aver già avviato la partita.";
}

std::string waitingText(std::uint16_t port) {
    return "In attesa di un avversario sulla porta " + std::to_string(port) + "...";
}

std::string callingText(const std::string& address, std::uint16_t port) {
    return "Collegamento a " + address + ", porta " + std::to_string(port) + "...";
}

std::string turnedAwayText(const std::string& why, std::uint16_t port) {
    return why.substr(0, why.find("\r\n")) + "\n" + waitingText(port);
}

} // namespace quindra::net
