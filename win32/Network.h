#pragma once
// The main window's side of a match over the network on Windows: Winsock, each socket's
// events posted to the window (WSAAsyncSelect), Nagle's delay off. It hosts (listening
// while the player waits, one guest at a time, one caller at a time waiting to greet) or joins, and
// hands what arrives to the game's session; the session, its messages and its rules are the core's.
#include "net/Session.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quindra::win32 {

// What the network tells the window.
class NetworkEvents {
  public:
    virtual ~NetworkEvents() = default;
    virtual void networkStarted() = 0;
    // Calling came to nothing, or the session ended before it began.
    virtual void networkFailed(const std::string& why) = 0;
    // While hosting: someone connected and went before the match began (another program,
    // another version); the host goes on waiting.
    virtual void networkTurnedAway(const std::string& why) = 0;
    // The guest has the host's new board; the host took a key of the guest's.
    virtual void networkChanged() = 0;
    virtual void networkBox(const std::string& text) = 0;
    virtual void networkRoundTrip() = 0;
    // `why` is for a box, empty when this player ended it.
    virtual void networkEnded(const std::string& why) = 0;
};

class Network : private net::Link, private net::SessionListener {
  public:
    // The window's messages and timers the network uses.
    static constexpr UINT listenMessage = WM_APP + 2;
    static constexpr UINT socketMessage = WM_APP + 3;
    static constexpr UINT laterMessage = WM_APP + 4;
    static constexpr UINT_PTR pollTimer = 3;
    static constexpr UINT_PTR callTimer = 4;

    Network(HWND window, GameCore& game, Platform& platform, Players& players,
            std::function<std::int64_t()> clock, NetworkEvents& events);
    ~Network() override;
    Network(const Network&) = delete;
    Network& operator=(const Network&) = delete;

    // Waits for a guest on `port`; the reason when the port can't be opened.
    std::string host(std::uint16_t port);
    // Calls the host; the reason at once when the name is not found.
    std::string join(const std::string& address, std::uint16_t port);
    void cancel();
    void quit();

    std::optional<net::Role> role() const;
    std::uint16_t listeningPort() const { return listeningPort_; }
    net::Session* session() const { return session_.get(); }

    // The window's message, when it is one of the network's: true when handled.
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    // SessionListener.
    void started() override;
    void boardArrived() override;
    void hostChanged() override;
    void boxArrived(const std::string& text) override;
    void roundTripMeasured(int milliseconds) override;
    void ended(const std::string& why) override;
    // Link.
    void send(std::span<const std::uint8_t> bytes) override;
    std::size_t unsent() const override;
    void close() override;

    void accepted();
    void socketEvent(SOCKET socket, WORD event, WORD error);
    void connected(WORD error);
    void begin(net::Role role);
    void readArrivals();
    void flush();
    void stopListening();
    void closeSocket();
    void dropSession();
    void later(std::function<void()> action);

    HWND window_;
    GameCore& game_;
    Platform& platform_;
    Players& players_;
    std::function<std::int64_t()> clock_;
    NetworkEvents& events_;
    bool winsock_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    SOCKET socket_ = INVALID_SOCKET;
    bool calling_ = false;
    std::string callee_;
    std::uint16_t calleePort_ = 0;
    std::vector<std::uint8_t> outgoing_; // what the socket could not take yet
    std::uint16_t listeningPort_ = 0;
    std::unique_ptr<net::Session> session_;
    std::vector<std::function<void()>> later_;
};

} // namespace quindra::win32
