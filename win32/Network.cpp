#include "Network.h"

#include "net/Messages.h"
#include "net/Texts.h"

#include <utility>

namespace quindra::win32 {

namespace {

constexpr UINT pollInterval = 250; // pings each second, five of silence end it
constexpr UINT callLimit = net::callLimitSeconds * 1000;

net::Failure failureOf(int code) {
    switch (code) {
    case WSAECONNREFUSED:
        return net::Failure::Refused;
    case WSAHOST_NOT_FOUND:
    case WSANO_DATA:
    case WSATRY_AGAIN:
    case WSANO_RECOVERY:
        return net::Failure::NoSuchHost;
    case WSAETIMEDOUT:
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
        return net::Failure::NoAnswer;
    case WSAEADDRINUSE:
        return net::Failure::PortTaken;
    case WSAEACCES:
        return net::Failure::PortDenied;
    case WSAECONNRESET:
    case WSAECONNABORTED:
        return net::Failure::LinkLost;
    default:
        return net::Failure::NetworkDown;
    }
}

void noDelay(SOCKET s) {
    // Small messages at a game's pace: each goes at once, not gathered for Nagle.
    BOOL on = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

} // namespace

Network::Network(HWND window, GameCore& game, Platform& platform, Players& players,
                 std::function<std::int64_t()> clock, NetworkEvents& events)
    : window_(window), game_(game), platform_(platform), players_(players),
      clock_(std::move(clock)), events_(events) {
    WSADATA data{};
    winsock_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Network::~Network() {
    if (session_ && session_->state() != net::Session::State::Ended)
        session_->quit(); // the other side hears that this one left
    stopListening();
    closeSocket();
    if (winsock_)
        WSACleanup();
}

std::string Network::host(std::uint16_t port) {
    cancel();
    if (!winsock_)
        return net::hostFailedText(net::Failure::NetworkDown, port);
    // Both IPv6 and IPv4 on one socket where the system can; IPv4 alone otherwise.
    listener_ = socket(AF_INET6, SOCK_STREAM, IPPROTO_TCP);
    int result = SOCKET_ERROR;
    if (listener_ != INVALID_SOCKET) {
        DWORD v6only = 0;
        setsockopt(listener_, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<const char*>(&v6only),
                   sizeof v6only);
        sockaddr_in6 any{};
        any.sin6_family = AF_INET6;
        any.sin6_port = htons(port);
        result = bind(listener_, reinterpret_cast<const sockaddr*>(&any), sizeof any);
        if (result == SOCKET_ERROR) {
            closesocket(listener_);
            listener_ = INVALID_SOCKET;
        }
    }
    if (listener_ == INVALID_SOCKET) {
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in any{};
        any.sin_family = AF_INET;
        any.sin_port = htons(port);
        result = bind(listener_, reinterpret_cast<const sockaddr*>(&any), sizeof any);
    }
    if (result == SOCKET_ERROR || listen(listener_, 4) == SOCKET_ERROR ||
        WSAAsyncSelect(listener_, window_, listenMessage, FD_ACCEPT) == SOCKET_ERROR) {
        const net::Failure why = failureOf(WSAGetLastError());
        stopListening();
        return net::hostFailedText(why, port);
    }
    listeningPort_ = port;
    return {};
}

std::string Network::join(const std::string& address, std::uint16_t port) {
    cancel();
    if (!winsock_)
        return net::callFailedText(net::Failure::NetworkDown, address, port);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (getaddrinfo(address.c_str(), service.c_str(), &hints, &found) != 0 || !found)
        return net::callFailedText(net::Failure::NoSuchHost, address, port);
    socket_ = socket(found->ai_family, SOCK_STREAM, IPPROTO_TCP);
    if (socket_ == INVALID_SOCKET) {
        freeaddrinfo(found);
        return net::callFailedText(failureOf(WSAGetLastError()), address, port);
    }
    noDelay(socket_);
    WSAAsyncSelect(socket_, window_, socketMessage, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE);
    const int result = connect(socket_, found->ai_addr, static_cast<int>(found->ai_addrlen));
    freeaddrinfo(found);
    if (result == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK) {
        const net::Failure why = failureOf(WSAGetLastError());
        closeSocket();
        return net::callFailedText(why, address, port);
    }
    calling_ = true;
    callee_ = address;
    calleePort_ = port;
    SetTimer(window_, callTimer, callLimit, nullptr);
    return {};
}

void Network::cancel() {
    KillTimer(window_, callTimer);
    calling_ = false;
    if (session_)
        return;
    stopListening();
    closeSocket();
}

void Network::quit() {
    if (session_)
        session_->quit();
}

std::optional<net::Role> Network::role() const {
    if (session_ && session_->playing())
        return session_->role();
    return std::nullopt;
}

bool Network::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case listenMessage:
        if (WSAGETSELECTEVENT(lParam) == FD_ACCEPT)
            accepted();
        return true;
    case socketMessage:
        socketEvent(static_cast<SOCKET>(wParam), WSAGETSELECTEVENT(lParam),
                    WSAGETSELECTERROR(lParam));
        return true;
    case laterMessage: {
        auto actions = std::move(later_);
        later_.clear();
        for (auto& action : actions)
            action();
        return true;
    }
    case WM_TIMER:
        if (wParam == pollTimer) {
            if (session_)
                session_->poll(clock_());
            return true;
        }
        if (wParam == callTimer) {
            KillTimer(window_, callTimer);
            if (calling_) {
                const std::string who = callee_;
                cancel();
                events_.networkFailed(
                    net::callFailedText(net::Failure::NoAnswer, who, calleePort_));
            }
            return true;
        }
        return false;
    default:
        return false;
    }
}

void Network::accepted() {
    for (;;) {
        SOCKET guest = accept(listener_, nullptr, nullptr);
        if (guest == INVALID_SOCKET)
            return;
        if (session_ && !session_->began()) {
            // A caller still to greet gives way to the newer one: only a guest who greets
            // keeps the place.
            session_->giveWay();
            KillTimer(window_, pollTimer);
            session_.reset();
            closeSocket();
        }
        if (session_) {
            // One guest at a time: the others hear why, and go.
            const std::vector<std::uint8_t> bye = net::encode(net::Bye{net::Bye::Reason::Busy});
            WSAAsyncSelect(guest, window_, 0, 0);
            ::send(guest, reinterpret_cast<const char*>(bye.data()), static_cast<int>(bye.size()),
                   0);
            shutdown(guest, SD_SEND);
            closesocket(guest);
            continue;
        }
        socket_ = guest;
        noDelay(socket_);
        WSAAsyncSelect(socket_, window_, socketMessage, FD_READ | FD_WRITE | FD_CLOSE);
        begin(net::Role::Host);
    }
}

void Network::socketEvent(SOCKET socket, WORD event, WORD error) {
    if (socket != socket_)
        return; // a socket already closed
    switch (event) {
    case FD_CONNECT:
        connected(error);
        break;
    case FD_READ:
        readArrivals();
        break;
    case FD_WRITE:
        flush();
        break;
    case FD_CLOSE:
        readArrivals(); // what came before the close still counts
        if (session_)
            session_->linkLost();
        break;
    default:
        break;
    }
}

void Network::connected(WORD error) {
    if (!calling_)
        return;
    KillTimer(window_, callTimer);
    calling_ = false;
    if (error != 0) {
        const std::string who = callee_;
        closeSocket();
        events_.networkFailed(net::callFailedText(failureOf(error), who, calleePort_));
        return;
    }
    begin(net::Role::Guest);
}

void Network::begin(net::Role role) {
    outgoing_.clear();
    net::Link& link = *this;
    net::SessionListener& listener = *this;
    session_ = std::make_unique<net::Session>(role, game_, platform_, players_, link, listener);
    session_->start(clock_());
    SetTimer(window_, pollTimer, pollInterval, nullptr);
}

void Network::readArrivals() {
    std::uint8_t buffer[4096];
    while (session_ && socket_ != INVALID_SOCKET) {
        const int n = recv(socket_, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
        if (n <= 0)
            break;
        session_->received(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)),
                           clock_());
    }
    if (session_ && session_->role() == net::Role::Host && session_->playing())
        events_.networkChanged();
}

void Network::send(std::span<const std::uint8_t> bytes) {
    if (socket_ == INVALID_SOCKET)
        return;
    outgoing_.insert(outgoing_.end(), bytes.begin(), bytes.end());
    flush();
}

std::size_t Network::unsent() const {
    return outgoing_.size();
}

void Network::flush() {
    while (!outgoing_.empty() && socket_ != INVALID_SOCKET) {
        const int n = ::send(socket_, reinterpret_cast<const char*>(outgoing_.data()),
                             static_cast<int>(outgoing_.size()), 0);
        if (n <= 0)
            return; // full: FD_WRITE says when it takes more; a failure closes it
        outgoing_.erase(outgoing_.begin(), outgoing_.begin() + n);
    }
}

void Network::close() {
    flush();
    if (socket_ != INVALID_SOCKET)
        shutdown(socket_, SD_SEND);
}

void Network::started() {
    events_.networkStarted();
}

void Network::boardArrived() {
    events_.networkChanged();
}

void Network::hostChanged() {
    events_.networkChanged();
}

void Network::boxArrived(const std::string& text) {
    // Opened once the arrival is handled: a box inside it would hold up what comes next.
    later([this, text] { events_.networkBox(text); });
}

void Network::roundTripMeasured(int) {
    events_.networkRoundTrip();
}

void Network::ended(const std::string& why) {
    // The session may be deep in its own call: it goes, and the box opens, afterwards.
    const bool wasPlaying = session_->began();
    const net::Session* which = session_.get();
    later([this, which, why, wasPlaying] {
        if (session_.get() != which)
            return; // a newer caller has its place already
        if (!wasPlaying && listener_ != INVALID_SOCKET) {
            // Not a guest after all: the host waits on for one.
            KillTimer(window_, pollTimer);
            session_.reset();
            closeSocket();
            events_.networkTurnedAway(why);
            return;
        }
        dropSession();
        if (wasPlaying)
            events_.networkEnded(why);
        else
            events_.networkFailed(why);
    });
}

void Network::later(std::function<void()> action) {
    later_.push_back(std::move(action));
    PostMessageW(window_, laterMessage, 0, 0);
}

void Network::stopListening() {
    if (listener_ != INVALID_SOCKET) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
    }
}

void Network::closeSocket() {
    if (socket_ != INVALID_SOCKET) {
        WSAAsyncSelect(socket_, window_, 0, 0);
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
    outgoing_.clear();
}

void Network::dropSession() {
    KillTimer(window_, pollTimer);
    session_.reset();
    stopListening();
    closeSocket();
}

} // namespace quindra::win32
