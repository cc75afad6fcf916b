#include "Connection.h"

#include "CommandLine.h"
#include "Messages.h"
#include "Texts.h"

#include <utility>

namespace quindra::net {

Connection::Connection(GameCore& game, Platform& platform, Players& players, Sockets& sockets,
                       LinkTimers& timers, LinkNews& news)
    : game_(game), platform_(platform), players_(players), sockets_(sockets), timers_(timers),
      news_(news) {}

Connection::~Connection() {
    if (session_ && session_->state() != Session::State::Ended)
        session_->quit(); // the other side hears that this one left
    if (socket_)
        sockets_.finish(*socket_);
}

std::string Connection::host(std::uint16_t port) {
    cancel();
    if (const std::optional<Failure> why = sockets_.listen(port))
        return hostFailedText(*why, port);
    listening_ = true;
    return {};
}

std::string Connection::join(const std::string& address, std::uint16_t port) {
    cancel();
    if (const std::optional<Failure> why = sockets_.call(address, port))
        return callFailedText(*why, address, port);
    calling_ = true;
    callee_ = address;
    calleePort_ = port;
    timers_.startLinkTimer(LinkTimers::Timer::CallLimit, callLimitSeconds * 1000);
    return {};
}

Connection::Start Connection::start(bool hosting, const std::string& address,
                                    const std::string& portText) {
    const auto port = parsePort(portText);
    const std::size_t first = address.find_first_not_of(' ');
    const std::string name = first == std::string::npos
                                 ? ""
                                 : address.substr(first, address.find_last_not_of(' ') + 1 - first);
    if (!hosting && !validHostName(name))
        return {false, name.empty() ? std::string(askAddressText) : badAddressText(name)};
    if (!port)
        return {false, askPortText};
    const std::string why = hosting ? host(*port) : join(name, *port);
    if (!why.empty())
        return {false, why};
    return {true, hosting ? waitingText(*port) : callingText(name, *port)};
}

void Connection::cancel() {
    timers_.stopLinkTimer(LinkTimers::Timer::CallLimit);
    if (calling_)
        sockets_.hangUp();
    calling_ = false;
    if (session_ || !listening_)
        return; // a caller greeting, or a match under way, keeps the port
    sockets_.stopListening();
    listening_ = false;
}

void Connection::quit() {
    if (session_)
        session_->quit();
}

bool Connection::waiting() const {
    return !session_ && (listening_ || calling_);
}

std::optional<Role> Connection::role() const {
    if (session_ && session_->playing())
        return session_->role();
    return std::nullopt;
}

void Connection::accepted(Sockets::Id socket) {
    if (session_ && !session_->began()) {
        // A caller still to greet gives way to the newer one: only a guest who greets
        // keeps the place.
        session_->giveWay();
        timers_.stopLinkTimer(LinkTimers::Timer::Poll);
        session_.reset();
        sockets_.letGo(*socket_);
        socket_.reset();
    }
    if (session_ || !listening_) {
        // One guest at a time: the others hear why, and go.
        sockets_.send(socket, encode(Bye{Bye::Reason::Busy}));
        sockets_.letGo(socket);
        return;
    }
    begin(socket, Role::Host);
}

void Connection::connected(Sockets::Id socket) {
    if (!calling_) {
        sockets_.abort(socket);
        return;
    }
    timers_.stopLinkTimer(LinkTimers::Timer::CallLimit);
    calling_ = false;
    begin(socket, Role::Guest);
}

void Connection::callFailed(Failure why) {
    if (!calling_)
        return; // a session's own link is watched by the session
    const std::string who = callee_;
    cancel();
    news_.linkFailed(callFailedText(why, who, calleePort_));
}

void Connection::begin(Sockets::Id socket, Role role) {
    socket_ = socket;
    Link& link = *this;
    SessionListener& listener = *this;
    session_ = std::make_unique<Session>(role, game_, platform_, players_, link, listener);
    session_->start(timers_.linkNow());
    timers_.startLinkTimer(LinkTimers::Timer::Poll, pollInterval);
}

void Connection::received(Sockets::Id socket, std::span<const std::uint8_t> bytes) {
    if (!session_ || socket_ != socket)
        return;
    session_->received(bytes, timers_.linkNow());
    if (session_ && session_->role() == Role::Host && session_->playing())
        news_.linkChanged();
}

void Connection::lost(Sockets::Id socket) {
    if (session_ && socket_ == socket)
        session_->linkLost();
}

void Connection::timerFired(LinkTimers::Timer timer) {
    switch (timer) {
    case LinkTimers::Timer::Poll:
        if (session_)
            session_->poll(timers_.linkNow());
        break;
    case LinkTimers::Timer::CallLimit:
        if (calling_)
            callFailed(Failure::NoAnswer);
        break;
    case LinkTimers::Timer::Later: {
        auto actions = std::move(later_);
        later_.clear();
        for (auto& action : actions)
            action();
        break;
    }
    }
}

void Connection::started() {
    news_.linkStarted();
}

void Connection::boardArrived() {
    news_.linkChanged();
}

void Connection::hostChanged() {
    news_.linkChanged();
}

void Connection::boxArrived(const std::string& text) {
    // Opened once the arrival is handled: a box inside it would hold up what comes next.
    later([this, text] { news_.linkBox(text); });
}

void Connection::roundTripMeasured(int) {
    news_.linkRoundTrip();
}

void Connection::ended(const std::string& why) {
    // The session may be deep in its own call: it goes, and the box opens, afterwards.
    const bool wasPlaying = session_->began();
    const Session* which = session_.get();
    later([this, which, wasPlaying, why] {
        if (session_.get() != which)
            return; // a newer caller has its place already
        if (!wasPlaying && listening_) {
            // Not a guest after all: the host waits on for one.
            timers_.stopLinkTimer(LinkTimers::Timer::Poll);
            session_.reset();
            sockets_.letGo(*socket_);
            socket_.reset();
            news_.linkTurnedAway(turnedAwayText(why, sockets_.listeningPort()));
            return;
        }
        dropSession();
        if (wasPlaying)
            news_.linkEnded(why);
        else
            news_.linkFailed(why);
    });
}

void Connection::dropSession() {
    timers_.stopLinkTimer(LinkTimers::Timer::Poll);
    session_.reset();
    if (listening_)
        sockets_.stopListening();
    listening_ = false;
    if (socket_)
        sockets_.letGo(*socket_);
    socket_.reset();
}

void Connection::later(std::function<void()> action) {
    later_.push_back(std::move(action));
    timers_.startLinkTimer(LinkTimers::Timer::Later, 0);
}

void Connection::send(std::span<const std::uint8_t> bytes) {
    if (socket_)
        sockets_.send(*socket_, bytes);
}

std::size_t Connection::unsent() const {
    return socket_ ? sockets_.unsent(*socket_) : 0;
}

void Connection::close() {
    if (socket_)
        sockets_.finish(*socket_);
}

} // namespace quindra::net
