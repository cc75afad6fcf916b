#include "Session.h"

#include "app/GameCore.h"
#include "app/Platform.h"
#include "input/Players.h"
#include "input/Seats.h"

#include <algorithm>

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
    case Bye::Reason::NoGreeting:
        return "Chi ospita non ha ricevuto il saluto di questo computer in tempo.";
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
    now_ = now;
    lastHeard_ = now; // a caller has from now to greet
    nextPing_ = now;
    if (role_ == Role::Host)
        players_.setLocalSeat(Seat::Left);
    send(Hello{protocolVersion, role_});
}

void Session::received(std::span<const std::uint8_t> bytes, std::int64_t now) {
    if (state_ == State::Ended || bytes.empty())
        return;
    now_ = std::max(now_, now);
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
    if (const auto* hello = std::get_if<Hello>(&message)) {
        if (state_ != State::Greeting)
            end("L'altro giocatore ha salutato due volte.", Bye::Reason::BadMessage);
        else
            greeted(*hello);
        lastHeard_ = now;
    } else if (const auto* bye = std::get_if<Bye>(&message)) {
        end(farewellText(bye->reason), std::nullopt);
    } else if (state_ != State::Playing) {
        // Before the greeting nothing counts, a ping least of all: it keeps no one waiting.
        if (!std::holds_alternative<Ping>(message))
            end("L'altro giocatore ha giocato prima di salutare.", Bye::Reason::BadMessage);
    } else if (const auto* ping = std::get_if<Ping>(&message)) {
        lastHeard_ = now;
        send(Pong{ping->sequence});
    } else if (const auto* pong = std::get_if<Pong>(&message)) {
        lastHeard_ = now;
        if (pong->sequence == 0 || pong->sequence > pingsSent_) {
            end("L'altro giocatore ha risposto a un segnale mai mandato.", Bye::Reason::BadMessage);
        } else if (pong->sequence == pingsSent_) { // an older answer came too late to count
            roundTrip_ = static_cast<int>(now - lastPingAt_);
            listener_.roundTripMeasured(*roundTrip_);
        }
    } else if (role_ == Role::Host) {
        lastHeard_ = now;
        hostHandles(message, now);
    } else {
        lastHeard_ = now;
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
        hostTakesKey(*key, now);
    } else if (std::holds_alternative<Away>(message)) {
        players_.pauseWhenAway();
        releaseGuestKeys();
    } else if (const auto* seen = std::get_if<Seen>(&message)) {
        hostTakesSeen(*seen);
        return;
    } else {
        end("L'altro giocatore ha mandato un messaggio che spetta a chi ospita.",
            Bye::Reason::BadMessage);
        return;
    }
    gameChanged();
}

void Session::hostTakesKey(const Key& key, std::int64_t now) {
    const SeatKey seatKey{key.keyDown, key.character};
    if (!isRightPlayerKey(seatKey)) {
        end("L'altro giocatore ha mandato un tasto che non è del giocatore di destra.",
            Bye::Reason::BadMessage);
        return;
    }
    const std::uint32_t id = seatKeyId(seatKey);
    if (!key.down) {
        if (hostKeysDown_.erase(id) != 0)
            players_.keyUp(Players::guestKeyId(id));
        return;
    }
    // A key already held is only its repeat, which the host makes itself.
    if (boxOpen_ || hostKeysDown_.count(id) != 0)
        return;
    if (hostKeysDown_.size() >= mostGuestKeys) {
        end("L'altro giocatore tiene premuti più tasti di quanti ne abbia il giocatore di destra.",
            Bye::Reason::BadMessage);
        return;
    }
    hostKeysDown_.insert(id);
    players_.guestKeyDown(pressOf(seatKey), now);
    if (game_.paused())
        hostKeysDown_.clear(); // a paused rally lets every key go, the guest's too
}

void Session::releaseGuestKeys() {
    for (const std::uint32_t id : hostKeysDown_)
        players_.keyUp(Players::guestKeyId(id));
    hostKeysDown_.clear();
}

void Session::hostTakesSeen(const Seen& seen) {
    if (seen.boards < boardsConfirmed_ || seen.boards > boardsSent_) {
        end("L'altro giocatore ha confermato un tabellone mai mandato.", Bye::Reason::BadMessage);
        return;
    }
    for (; boardsConfirmed_ < seen.boards; ++boardsConfirmed_) {
        confirmed_ = std::move(unconfirmed_.front().second);
        unconfirmed_.pop_front();
    }
}

void Session::guestHandles(const Message& message) {
    if (const auto* board = std::get_if<Board>(&message)) {
        lastBoard_ = *board;
        board->applyTo(game_, platform_);
        std::string winner;
        if (!game_.ControllaMatch(winner))
            matchEndShown_ = false; // a match under way: its end may come
        send(Seen{++boardsTaken_});
        listener_.boardArrived();
    } else if (const auto* heard = std::get_if<Heard>(&message)) {
        for (int i = 0; i < soundCount; ++i)
            if ((heard->sounds >> i) & 1)
                platform_.playSound(static_cast<Sound>(i));
    } else if (const auto* matchEnd = std::get_if<MatchEnd>(&message)) {
        guestTakesMatchEnd(*matchEnd);
    } else {
        end("Chi ospita ha mandato un messaggio che spetta all'ospite.", Bye::Reason::BadMessage);
    }
}

void Session::guestTakesMatchEnd(const MatchEnd& matchEnd) {
    // Only the board just shown can end the match, and only once.
    if (matchEndShown_) {
        end("Chi ospita ha chiuso due volte la stessa partita.", Bye::Reason::BadMessage);
        return;
    }
    std::string winner;
    if (!lastBoard_ || !game_.ControllaMatch(winner) || (winner == "B") != (matchEnd.winner == 0)) {
        end("Chi ospita ha chiuso una partita che il tabellone non dà per finita.",
            Bye::Reason::BadMessage);
        return;
    }
    matchEndShown_ = true;
    listener_.boxArrived(matchEndMessage(winner));
}

void Session::linkLost() {
    end("La connessione con l'altro giocatore si è interrotta.", std::nullopt, true);
}

void Session::poll(std::int64_t now) {
    if (state_ == State::Ended)
        return;
    now_ = std::max(now_, now);
    if (now - lastHeard_ >= silenceLimit) {
        if (state_ == State::Greeting)
            end("L'altro computer non ha salutato in 5 secondi: non è una partita di Quindra.",
                Bye::Reason::NoGreeting);
        else
            end("Nessuna notizia dall'altro giocatore da 5 secondi: la connessione è persa.",
                Bye::Reason::Silence, true);
        return;
    }
    if (state_ != State::Playing)
        return;
    if (now >= nextPing_) {
        send(Ping{++pingsSent_});
        lastPingAt_ = now;
        nextPing_ = now + pingInterval;
    }
    // The guest has not confirmed what it was sent: a rally waits where both can see it.
    if (role_ == Role::Host && !unconfirmed_.empty() &&
        now - unconfirmed_.front().first >= unconfirmedLimit && players_.pauseWhenAway()) {
        releaseGuestKeys();
        gameChanged();
        listener_.hostChanged();
    }
}

void Session::quit() {
    end({}, Bye::Reason::Quit);
}

void Session::giveWay() {
    if (state_ != State::Greeting)
        return;
    state_ = State::Ended;
    send(Bye{Bye::Reason::NoGreeting});
    link_.close();
}

void Session::soundHeard(Sound sound) {
    if (role_ == Role::Host && state_ == State::Playing)
        soundsHeard_ |= static_cast<std::uint8_t>(1u << static_cast<unsigned>(sound));
}

void Session::gameChanged() {
    if (role_ != Role::Host || state_ != State::Playing)
        return;
    if (soundsHeard_ != 0) {
        send(Heard{soundsHeard_});
        soundsHeard_ = 0;
    }
    Board board = Board::of(game_, platform_);
    if (lastBoard_ && *lastBoard_ == board)
        return;
    if (unconfirmed_.size() >= mostUnconfirmed) {
        end("L'altro giocatore non conferma più quello che riceve: la connessione è persa.",
            Bye::Reason::Silence, true);
        return;
    }
    ++boardsSent_;
    unconfirmed_.emplace_back(now_, board);
    send(board);
    lastBoard_ = std::move(board);
}

void Session::boxOpening() {
    if (role_ != Role::Host || state_ != State::Playing)
        return;
    gameChanged();
    std::string winner;
    if (game_.ControllaMatch(winner))
        send(MatchEnd{static_cast<std::uint8_t>(winner == "B" ? 0 : 1)});
    boxOpen_ = true;
}

void Session::keyDown(const KeyPress& press, bool desktopRepeat) {
    if (role_ != Role::Guest || state_ != State::Playing || desktopRepeat ||
        guestKeysDown_.count(press.id) != 0 || guestKeysDown_.size() >= mostGuestKeys)
        return;
    const std::optional<SeatKey> key = rightPlayerKey(press);
    if (!key)
        return;
    for (const auto& held : guestKeysDown_)
        if (held.second == *key)
            return; // another key here with the same codes: the host holds it once
    guestKeysDown_.emplace(press.id, *key);
    send(Key{true, key->keyDown, key->character});
}

void Session::keyUp(std::uint32_t id) {
    if (role_ != Role::Guest || state_ != State::Playing)
        return;
    const auto held = guestKeysDown_.find(id);
    if (held == guestKeysDown_.end())
        return;
    send(Key{false, held->second.keyDown, held->second.character});
    guestKeysDown_.erase(held);
}

void Session::releaseKeys() {
    if (role_ != Role::Guest || state_ != State::Playing)
        return;
    for (const auto& held : guestKeysDown_)
        send(Key{false, held.second.keyDown, held.second.character});
    guestKeysDown_.clear();
}

void Session::away() {
    releaseKeys();
    if (role_ == Role::Guest && state_ == State::Playing)
        send(Away{});
}

void Session::send(const Message& message) {
    const std::vector<std::uint8_t> bytes = encode(message);
    link_.send(bytes);
    // The other side reads nothing: what waits for it here stops growing.
    if (link_.unsent() > mostUnread)
        end("L'altro giocatore non legge più quello che riceve: la connessione è persa.",
            std::nullopt, true);
}

void Session::end(const std::string& why, std::optional<Bye::Reason> tell, bool failed) {
    if (state_ == State::Ended)
        return;
    state_ = State::Ended;
    if (tell)
        send(Bye{*tell});
    link_.close();
    // Said in good order here, every board sent before the farewell reaches the guest;
    // otherwise the guest had only what it confirmed.
    goOnAlone(!tell || failed);
    listener_.ended(why.empty() ? why : why + goesOn);
}

void Session::goOnAlone(bool fromConfirmed) {
    hostKeysDown_.clear();
    guestKeysDown_.clear();
    players_.setLocalSeat(Seat::Both);
    if (!began_)
        return;
    if (role_ == Role::Host) {
        players_.releaseHeldKeys();
        if (fromConfirmed)
            hostGoesBackToConfirmed();
        else
            game_.pauseRally();
        return;
    }
    // The guest's game holds the host's last board: a ball in play waits, paused, for
    // either player here to go on.
    if (lastBoard_ && (lastBoard_->flags & Board::rally) != 0)
        game_.showPaused(true);
}

void Session::hostGoesBackToConfirmed() {
    // What the guest never confirmed it may never have seen: both go on from the last
    // board both had.
    if (!confirmed_ || Board::of(game_, platform_) == *confirmed_) {
        game_.pauseRally();
        return;
    }
    const bool confirmedRally = (confirmed_->flags & (Board::rally | Board::paused)) != 0;
    confirmed_->applyTo(game_, platform_);
    platform_.setClockEnabled(false);
    game_.showPaused(confirmedRally);
}

} // namespace quindra::net
