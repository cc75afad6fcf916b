#pragma once
// The main window's sockets for a match over the network on Windows: Winsock, each
// socket's events posted to the window (WSAAsyncSelect), Nagle's delay off. What they
// carry and when they close is the table's link; this only moves bytes and tells the link
// what the sockets did.
#include "net/Connection.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quindra::win32 {

class Network : public net::Sockets {
  public:
    // The window's messages the network uses.
    static constexpr UINT listenMessage = WM_APP + 2;
    static constexpr UINT socketMessage = WM_APP + 3;

    Network();
    ~Network() override;
    Network(const Network&) = delete;
    Network& operator=(const Network&) = delete;

    // The window the sockets' events come to, and the link they go on to.
    void attach(HWND window, net::Connection& link);
    // The window's message, when it is one of the network's: true when handled.
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Sockets.
    std::optional<net::Failure> listen(std::uint16_t port) override;
    void stopListening() override;
    std::uint16_t listeningPort() const override { return listeningPort_; }
    std::optional<net::Failure> call(const std::string& address, std::uint16_t port) override;
    void hangUp() override;
    void send(Id socket, std::span<const std::uint8_t> bytes) override;
    std::size_t unsent(Id socket) const override;
    void finish(Id socket) override;
    void letGo(Id socket) override;
    void abort(Id socket) override;

  private:
    // One socket of the link's, and what it could not take yet.
    struct Pipe {
        SOCKET socket = INVALID_SOCKET;
        std::vector<std::uint8_t> outgoing;
    };
    void accepted();
    void socketEvent(SOCKET socket, WORD event, WORD error);
    void readArrivals(Id id);
    void flush(Pipe& pipe);
    Id adopt(SOCKET socket);
    Pipe* pipeOf(Id id);
    const Pipe* pipeOf(Id id) const;
    void close(Id id, bool graceful);

    HWND window_ = nullptr;
    net::Connection* link_ = nullptr;
    bool winsock_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    std::uint16_t listeningPort_ = 0;
    SOCKET calling_ = INVALID_SOCKET;
    std::map<Id, Pipe> pipes_;
    Id nextId_ = 1;
};

} // namespace quindra::win32
