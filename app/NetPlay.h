#pragma once
// The main window's sockets for a match over the network, with Qt Network: a server while
// the player waits for a guest, and a socket to call a host. What they carry and when they
// close is the table's link; this only moves bytes and tells the link what the sockets did.
#include "net/Connection.h"

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <map>
#include <optional>

namespace quindra {

class NetPlay : public QObject, public net::Sockets {
    Q_OBJECT

  public:
    explicit NetPlay(QObject* parent = nullptr) : QObject(parent) {}
    ~NetPlay() override;

    // The link the sockets' news goes to.
    void attach(net::Connection& link);
    // Nothing more is heard from the sockets: a farewell written to a closing one may make
    // Qt report its end at once, into a link on its way out.
    void deafen();
    // What the other sides have not read yet, on every socket.
    std::size_t unsent() const;

    // Sockets.
    std::optional<net::Failure> listen(std::uint16_t port) override;
    void stopListening() override;
    std::uint16_t listeningPort() const override { return server_.serverPort(); }
    std::optional<net::Failure> call(const std::string& address, std::uint16_t port) override;
    void hangUp() override;
    void send(Id socket, std::span<const std::uint8_t> bytes) override;
    std::size_t unsent(Id socket) const override;
    void finish(Id socket) override;
    void letGo(Id socket) override;
    void abort(Id socket) override;

  private:
    void guestArrives();
    // A socket of the link's: its news goes to the link under `id`.
    Id adopt(QTcpSocket* socket);
    void readArrivals(Id id);
    QTcpSocket* socketOf(Id id) const;
    // Takes the socket from the link: deaf to this window, for the caller to close.
    QTcpSocket* release(Id id);

    net::Connection* link_ = nullptr;
    QTcpServer server_;
    QPointer<QTcpSocket> calling_;
    std::map<Id, QPointer<QTcpSocket>> sockets_;
    Id nextId_ = 1;
};

} // namespace quindra
