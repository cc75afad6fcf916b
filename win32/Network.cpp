#include "Network.h"

#include <utility>

namespace quindra::win32 {

namespace {

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

Network::Network() {
    WSADATA data{};
    winsock_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

void Network::attach(HWND window, net::Connection& link) {
    window_ = window;
    link_ = &link;
}

Network::~Network() {
    stopListening();
    hangUp();
    while (!pipes_.empty())
        close(pipes_.begin()->first, true);
    if (winsock_)
        WSACleanup();
}

std::optional<net::Failure> Network::listen(std::uint16_t port) {
    if (!winsock_)
        return net::Failure::NetworkDown;
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
    if (result == SOCKET_ERROR || ::listen(listener_, 4) == SOCKET_ERROR ||
        WSAAsyncSelect(listener_, window_, listenMessage, FD_ACCEPT) == SOCKET_ERROR) {
        const net::Failure why = failureOf(WSAGetLastError());
        stopListening();
        return why;
    }
    listeningPort_ = port;
    return std::nullopt;
}

void Network::stopListening() {
    if (listener_ != INVALID_SOCKET) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
    }
}

std::optional<net::Failure> Network::call(const std::string& address, std::uint16_t port) {
    hangUp();
    if (!winsock_)
        return net::Failure::NetworkDown;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (getaddrinfo(address.c_str(), service.c_str(), &hints, &found) != 0 || !found)
        return net::Failure::NoSuchHost;
    calling_ = socket(found->ai_family, SOCK_STREAM, IPPROTO_TCP);
    if (calling_ == INVALID_SOCKET) {
        freeaddrinfo(found);
        return failureOf(WSAGetLastError());
    }
    noDelay(calling_);
    WSAAsyncSelect(calling_, window_, socketMessage, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE);
    const int result = connect(calling_, found->ai_addr, static_cast<int>(found->ai_addrlen));
    freeaddrinfo(found);
    if (result == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK) {
        const net::Failure why = failureOf(WSAGetLastError());
        hangUp();
        return why;
    }
    return std::nullopt;
}

void Network::hangUp() {
    if (calling_ != INVALID_SOCKET) {
        WSAAsyncSelect(calling_, window_, 0, 0);
        closesocket(calling_);
        calling_ = INVALID_SOCKET;
    }
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
    default:
        return false;
    }
}

void Network::accepted() {
    for (;;) {
        SOCKET guest = accept(listener_, nullptr, nullptr);
        if (guest == INVALID_SOCKET)
            return;
        link_->accepted(adopt(guest));
    }
}

net::Sockets::Id Network::adopt(SOCKET socket) {
    const Id id = nextId_++;
    pipes_[id].socket = socket;
    noDelay(socket);
    WSAAsyncSelect(socket, window_, socketMessage, FD_READ | FD_WRITE | FD_CLOSE);
    return id;
}

Network::Pipe* Network::pipeOf(Id id) {
    const auto found = pipes_.find(id);
    return found == pipes_.end() ? nullptr : &found->second;
}

const Network::Pipe* Network::pipeOf(Id id) const {
    const auto found = pipes_.find(id);
    return found == pipes_.end() ? nullptr : &found->second;
}

void Network::socketEvent(SOCKET socket, WORD event, WORD error) {
    if (socket == calling_ && event == FD_CONNECT) {
        calling_ = INVALID_SOCKET;
        if (error != 0) {
            closesocket(socket);
            link_->callFailed(failureOf(error));
            return;
        }
        WSAAsyncSelect(socket, window_, 0, 0);
        link_->connected(adopt(socket));
        return;
    }
    Id id = 0;
    for (auto& [key, pipe] : pipes_)
        if (pipe.socket == socket)
            id = key;
    if (id == 0)
        return; // a socket already closed
    switch (event) {
    case FD_READ:
        readArrivals(id);
        break;
    case FD_WRITE:
        flush(pipes_[id]);
        break;
    case FD_CLOSE:
        readArrivals(id); // what came before the close still counts
        link_->lost(id);
        break;
    default:
        break;
    }
}

void Network::readArrivals(Id id) {
    std::uint8_t buffer[4096];
    for (const Pipe* pipe = pipeOf(id); pipe; pipe = pipeOf(id)) {
        const int n = recv(pipe->socket, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
        if (n <= 0)
            break;
        link_->received(id, std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)));
    }
}

void Network::send(Id id, std::span<const std::uint8_t> bytes) {
    Pipe* pipe = pipeOf(id);
    if (!pipe)
        return;
    pipe->outgoing.insert(pipe->outgoing.end(), bytes.begin(), bytes.end());
    flush(*pipe);
}

std::size_t Network::unsent(Id id) const {
    const Pipe* pipe = pipeOf(id);
    return pipe ? pipe->outgoing.size() : 0;
}

void Network::flush(Pipe& pipe) {
    while (!pipe.outgoing.empty()) {
        const int n = ::send(pipe.socket, reinterpret_cast<const char*>(pipe.outgoing.data()),
                             static_cast<int>(pipe.outgoing.size()), 0);
        if (n <= 0)
            return; // full: FD_WRITE says when it takes more; a failure closes it
        pipe.outgoing.erase(pipe.outgoing.begin(), pipe.outgoing.begin() + n);
    }
}

void Network::finish(Id id) {
    if (Pipe* pipe = pipeOf(id)) {
        flush(*pipe);
        shutdown(pipe->socket, SD_SEND);
    }
}

void Network::letGo(Id id) {
    close(id, true);
}

void Network::abort(Id id) {
    close(id, false);
}

void Network::close(Id id, bool graceful) {
    Pipe* pipe = pipeOf(id);
    if (!pipe)
        return;
    WSAAsyncSelect(pipe->socket, window_, 0, 0);
    if (graceful) { // what was said goes first
        flush(*pipe);
        shutdown(pipe->socket, SD_SEND);
    }
    closesocket(pipe->socket);
    pipes_.erase(id);
}

} // namespace quindra::win32
