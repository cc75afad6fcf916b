#pragma once
// The main window's sockets for a match over the network on Windows: Winsock, each
// socket's events posted to the window (WSAAsyncSelect), Nagle's delay off, and the link's
// timers. What they carry and when they close is the core's Connection; this only moves
// bytes and keeps time.
#include "net/Connection.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quindra::win32 {

class Network : private net::Sockets, private net::LinkTimers {
  public:
    // The window's messages and timers the network uses.
    static constexpr UINT listenMessage = WM_APP + 2;
    static constexpr UINT socketMessage = WM_APP + 3;
    static constexpr UINT_PTR firstTimer = 3; // one for each of the link's timers

    Network(HWND window, GameCore& game, Platform& platform, Players& players,
            std::function<std::int64_t()> clock, net::LinkNews& news);
    ~Network() override;
    Network(const Network&) = delete;
    Network& operator=(const Network&) = delete;

    // Waits for a guest on `port`; the reason when the port can't be opened.
    std::string host(std::uint16_t port) { return connection_->host(port); }
    // Calls the host; the reason at once when the name is not found.
    std::string join(const std::string& address, std::uint16_t port) {
        return connection_->join(address, port);
    }
    void cancel() { connection_->cancel(); }
    void quit() { connection_->quit(); }

    std::optional<net::Role> role() const { return connection_->role(); }
    std::uint16_t listeningPort() const override { return listeningPort_; }
    net::Session* session() const { return connection_->session(); }

    // The window's message, when it is one of the network's: true when handled.
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    // Sockets.
    std::optional<net::Failure> listen(std::uint16_t port) override;
    void stopListening() override;
    std::optional<net::Failure> call(const std::string& address, std::uint16_t port) override;
    void hangUp() override;
    void send(Id socket, std::span<const std::uint8_t> bytes) override;
    std::size_t unsent(Id socket) const override;
    void finish(Id socket) override;
    void letGo(Id socket) override;
    void abort(Id socket) override;
    // LinkTimers.
    void startLinkTimer(Timer timer, int milliseconds) override;
    void stopLinkTimer(Timer timer) override;
    std::int64_t linkNow() const override { return clock_(); }

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

    HWND window_;
    std::function<std::int64_t()> clock_;
    bool winsock_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    std::uint16_t listeningPort_ = 0;
    SOCKET calling_ = INVALID_SOCKET;
    std::map<Id, Pipe> pipes_;
    Id nextId_ = 1;
    std::unique_ptr<net::Connection> connection_;
};

} // namespace quindra::win32
