#pragma once
// The main window's side of a match over the network: it hosts (listening while the
// player waits, one guest at a time, one caller at a time waiting to greet) or joins, keeps the TCP
// link with Qt Network, and hands what arrives to the game's session. The session, its messages and
// its rules are the core's; this only moves bytes and keeps time.
#include "net/Session.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace quindra {

class NetPlay : public QObject, private net::SessionListener, private net::Link {
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
    void cancel();
    // This player ends the session.
    void quit();

    bool waiting() const;
    // Playing with another computer now: the role it has.
    std::optional<net::Role> role() const;
    net::Session* session() const { return session_.get(); }
    // What the other side has not read yet.
    std::size_t unsent() const override;
    quint16 listeningPort() const;

  signals:
    // Both sides greeted each other.
    void sessionStarted();
    // Calling came to nothing, or the session ended before it began.
    void callFailed(const QString& why);
    // While hosting: someone connected and went before the match began (another program,
    // another version); the host goes on waiting.
    void guestTurnedAway(const QString& why);
    // The guest has the host's new board; the host took a key of the guest's.
    void gameArrived();
    void boxToShow(const QString& text);
    void roundTripChanged();
    // The session is over; `why` is for a box, empty when this player ended it.
    void sessionEnded(const QString& why);

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
    void close() override;

    void guestArrives();
    void connectSocket(QTcpSocket* socket, net::Role role);
    // Closes a socket once what was sent on it has gone; nothing more is heard from it.
    void letGo(QTcpSocket* socket);
    void readArrivals();
    void stopListening();
    void dropSession();

    GameCore& game_;
    Platform& platform_;
    Players& players_;
    std::function<std::int64_t()> clock_;
    QTcpServer server_;
    QPointer<QTcpSocket> socket_;
    std::unique_ptr<net::Session> session_;
    QTimer poll_;
    QTimer callTimeout_;
};

} // namespace quindra
