#include "Session.h"

#include "app/GameCore.h"
#include "app/Platform.h"
#include "input/Players.h"

namespace quindra::net {

namespace {

const std::string goesOn = "\r\nLa partita continua su questo computer.";

std::string versionText(std::uint16_t theirs) {
    return "L'altro giocatore ha la versione di rete " + std::to_string(theirs) +
           " di Quindra, questo computer la " + std::to_string(protocolVersion) +
           ": le due copie non possono giocare insieme. Usate la stessa versione.";
}

} // namespace

std::string farewellText(Bye::Reason reason) {
    switch (reason) {
    case Bye::Reason::Quit:
        return "L'altro giocatore ha chiuso la partita in rete.";
    case Bye::Reason::Busy:
        return "La partita ha già un avversario: chi ospita non accetta altri giocatori.";
    case Bye::Reason::Version:
        return "L'altro giocatore ha una versione di Quindra che non gioca con questa.";
    case Bye::Reason::BadMessage:
        return "L'altro giocatore ha ricevuto da questo computer un messaggio non valido.";
    case Bye::Reason::Silence:
        return "L'altro giocatore non riceve più nulla da questo computer da 5 secondi.";
    }
    return {};
}

std::string windowTitle(const Session* session) {
    std::string title = "Quindra Game";
    if (!session || !session->playing())
        return title;
    title += " - in rete";
    if (const auto rtt = session->roundTrip())
        title += ", " + std::to_string(*rtt) + " ms";
    return title;
}

Session::Session(Role role, GameCore& game, Platform& platform, Players& players, Link& link,
                 SessionListener& listener)
    : role_(role), game_(game), platform_(platform), players_(players), link_(link),
      listener_(listener) {}

void Session::start(std::int64_t now) {
    lastHeard_ = now;
    nextPing_ = now;
    if (role_ == Role::Host)
        players_.setLocalSeat(Seat::Left);
    send(Hello{protocolVersion, role_});
}

void Session::received(std::span<const std::uint8_t> bytes, std::int64_t now) {
    if (state_ == State::Ended || bytes.empty())
        return;
    lastHeard_ = now;
    decoder_.feed(bytes);
    while (state_ != State::Ended) {
        Decoder::Result r = decoder_.next();
        if (r.status == Decoder::Status::NeedMore)
            return;
        if (r.status == Decoder::Status::Bad) {
            end("L'altro giocatore ha mandato un messaggio non valido (" + r.fault + ").",
                Bye::Reason::BadMessage);
            return;
        }
        handle(r.message, now);
    }
}

void Session::handle(const Message& message, std::int64_t now) {
    if (const auto* ping = std::get_if<Ping>(&message)) {
        send(Pong{ping->sequence});
    } else if (const auto* pong = std::get_if<Pong>(&message)) {
        if (pong->sequence == 0 || pong->sequence > pingsSent_) {
            end("L'altro giocatore ha risposto a un segnale mai mandato.", Bye::Reason::BadMessage);
        } else if (pong->sequence == pingsSent_) { // an older answer came too late to count
            roundTrip_ = static_cast<int>(now - lastPingAt_);
            listener_.roundTripMeasured(*roundTrip_);
        }
    } else if (const auto* bye = std::get_if<Bye>(&message)) {
        end(farewellText(bye->reason), std::nullopt);
    } else if (const auto* hello = std::get_if<Hello>(&message)) {
        if (state_ != State::Greeting)
            end("L'altro giocatore ha salutato due volte.", Bye::Reason::BadMessage);
        else
            greeted(*hello);
    } else if (state_ != State::Playing) {
        end("L'altro giocatore ha giocato prima di salutare.", Bye::Reason::BadMessage);
    } else if (role_ == Role::Host) {
        hostHandles(message, now);
    } else {
        guestHandles(message);
    }
}

void Session::greeted(const Hello& hello) {
    if (hello.version != protocolVersion) {
        end(versionText(hello.version), Bye::Reason::Version);
        return;
    }
    if (hello.role == role_) {
        end(role_ == Role::Host ? "Anche l'altro computer ospita una partita."
                                : "Anche l'altro computer si unisce a una partita.",
            Bye::Reason::BadMessage);
        return;
    }
    state_ = State::Playing;
    began_ = true;
    if (role_ == Role::Host) {
        // A fresh match between the two: no training wall and no computer at the right.
        game_.menu.mnuComputer = false;
        game_.mnuNuovaPartita_Click();
        gameChanged();
    }
    listener_.started();
}

void Session::hostHandles(const Message& message, std::int64_t now) {
    if (const auto* key = std::get_if<Key>(&message)) {
        if (!key->down) {
            if (keysDown_.erase(key->id) != 0)
                players_.keyUp(Players::guestKeyId(key->id));
            return;
        }
        if (boxOpen_ || keysDown_.count(key->id) != 0 || keysDown_.size() >= mostGuestKeys)
            return;
        keysDown_.insert(key->id);
        KeyPress press;
        press.id = key->id;
        press.keyDown = key->keyDown;
        press.characters = key->characters;
        players_.guestKeyDown(press, now);
        if (game_.paused())
            keysDown_.clear(); // a paused rally lets every key go, the guest's too
    } else if (std::holds_alternative<Away>(message)) {
        players_.pauseWhenAway();
        keysDown_.clear();
    } else {
        end("L'altro giocatore ha mandato un messaggio che spetta a chi ospita.",
            Bye::Reason::BadMessage);
        return;
    }
    gameChanged();
}

void Session::guestHandles(const Message& message) {
    if (const auto* board = std::get_if<Board>(&message)) {
        lastBoard_ = *board;
        board->applyTo(game_, platform_);
        listener_.boardArrived();
    } else if (const auto* box = std::get_if<Box>(&message)) {
        listener_.boxArrived(box->text);
    } else {
        end("Chi ospita ha mandato un messaggio che spetta all'ospite.", Bye::Reason::BadMessage);
    }
}

void Session::linkLost() {
    end("La connessione con l'altro giocatore si è interrotta.", std::nullopt);
}

void Session::poll(std::int64_t now) {
    if (state_ == State::Ended)
        return;
    if (now - lastHeard_ >= silenceLimit) {
        end("Nessuna notizia dall'altro giocatore da 5 secondi: la connessione è persa.",
            Bye::Reason::Silence);
        return;
    }
    if (now >= nextPing_) {
        send(Ping{++pingsSent_});
        lastPingAt_ = now;
        nextPing_ = now + pingInterval;
    }
}

void Session::quit() {
    end({}, Bye::Reason::Quit);
}

void Session::gameChanged() {
    if (role_ != Role::Host || state_ != State::Playing)
        return;
    Board board = Board::of(game_, platform_);
    if (lastBoard_ && *lastBoard_ == board)
        return;
    send(board);
    lastBoard_ = std::move(board);
}

void Session::boxOpening(const std::string& text) {
    if (role_ != Role::Host || state_ != State::Playing)
        return;
    gameChanged();
    send(Box{text});
    boxOpen_ = true;
}

void Session::keyDown(const KeyPress& press, bool desktopRepeat) {
    if (role_ != Role::Guest || state_ != State::Playing || desktopRepeat)
        return;
    if (keysDown_.count(press.id) != 0 || keysDown_.size() >= mostGuestKeys)
        return;
    keysDown_.insert(press.id);
    send(Key{true, press.id, press.keyDown, press.characters});
}

void Session::keyUp(std::uint32_t id) {
    if (role_ != Role::Guest || state_ != State::Playing || keysDown_.erase(id) == 0)
        return;
    send(Key{false, id, 0, {}});
}

void Session::releaseKeys() {
    if (role_ != Role::Guest || state_ != State::Playing)
        return;
    for (const std::uint32_t id : keysDown_)
        send(Key{false, id, 0, {}});
    keysDown_.clear();
}

void Session::away() {
    releaseKeys();
    if (role_ == Role::Guest && state_ == State::Playing)
        send(Away{});
}

void Session::send(const Message& message) {
    const std::vector<std::uint8_t> bytes = encode(message);
    link_.send(bytes);
}

void Session::end(const std::string& why, std::optional<Bye::Reason> tell) {
    if (state_ == State::Ended)
        return;
    state_ = State::Ended;
    if (tell)
        send(Bye{*tell});
    link_.close();
    goOnAlone();
    listener_.ended(why.empty() ? why : why + goesOn);
}

void Session::goOnAlone() {
    keysDown_.clear();
    players_.setLocalSeat(Seat::Both);
    if (role_ == Role::Host) {
        players_.releaseHeldKeys();
        game_.pauseRally();
        return;
    }
    // The guest's game holds the host's last board: a ball in play waits, paused, for
    // either player here to go on.
    if (lastBoard_ && (lastBoard_->flags & Board::rally) != 0)
        game_.showPaused(true);
}

} // namespace quindra::net
