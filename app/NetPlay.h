#pragma once
// The main window's sockets for a match over the network, with Qt Network: a server while
// the player waits for a guest, a socket to call a host, and the link's timers. What they
// carry and when they close is the core's Connection; this only moves bytes and keeps
// time, and tells the window and the dialog what the connection says.
#include "net/Connection.h"

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace quindra {

class NetPlay : public QObject,
                private net::Sockets,
                private net::LinkTimers,
                private net::LinkNews {
    Q_OBJECT

  public:
    // `clock`: the window's milliseconds, which the held keys' repeats go by.
    NetPlay(GameCore& game, Platform& platform, Players& players,
            std::function<std::int64_t()> clock, QObject* parent = nullptr);
    ~NetPlay() override;

    // Waits for a guest on `port`; the reason when the port can't be opened.
    QString host(quint16 port);
    // Calls the host at `address`.
    void join(const QString& address, quint16 port);
    // Stops waiting or calling; a session under way is not touched.
    void cancel() { connection_->cancel(); }
    // This player ends the session.
    void quit() { connection_->quit(); }

    bool waiting() const { return connection_->waiting(); }
    // Playing with another computer now: the role it has.
    std::optional<net::Role> role() const { return connection_->role(); }
    net::Session* session() const { return connection_->session(); }
    // What the other sides have not read yet, on every socket.
    std::size_t unsent() const;
    std::uint16_t listeningPort() const override { return server_.serverPort(); }

  signals:
    // Both sides greeted each other.
    void sessionStarted();
    // Calling came to nothing, or the session ended before it began.
    void callFailed(const QString& why);
    // While hosting: someone connected and went before the match began; the host goes on
    // waiting. The whole text, to show as it is.
    void guestTurnedAway(const QString& why);
    // The guest has the host's new board; the host took a key of the guest's.
    void gameArrived();
    void boxToShow(const QString& text);
    void roundTripChanged();
    // The session is over; `why` is for a box, empty when this player ended it.
    void sessionEnded(const QString& why);

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
    // LinkNews.
    void linkStarted() override { emit sessionStarted(); }
    void linkFailed(const std::string& why) override;
    void linkTurnedAway(const std::string& why) override;
    void linkChanged() override { emit gameArrived(); }
    void linkBox(const std::string& text) override;
    void linkRoundTrip() override { emit roundTripChanged(); }
    void linkEnded(const std::string& why) override;
    // LinkTimers.
    void startLinkTimer(Timer timer, int milliseconds) override;
    void stopLinkTimer(Timer timer) override;
    std::int64_t linkNow() const override { return clock_(); }

    void guestArrives();
    // A socket of the link's: its news goes to the connection under `id`.
    Id adopt(QTcpSocket* socket);
    void readArrivals(Id id);
    QTcpSocket* socketOf(Id id) const;
    // Takes the socket from the link: deaf to this window, for the caller to close.
    QTcpSocket* release(Id id);

    std::function<std::int64_t()> clock_;
    QTcpServer server_;
    QPointer<QTcpSocket> calling_;
    std::map<Id, QPointer<QTcpSocket>> sockets_;
    Id nextId_ = 1;
    std::array<QTimer, 3> timers_;
    std::unique_ptr<net::Connection> connection_;
};

} // namespace quindra
