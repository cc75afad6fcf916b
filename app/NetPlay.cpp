#include "NetPlay.h"

#include <QHostAddress>

namespace quindra {

namespace {
// What is read at once from a socket: a peer's flood waits in the system, not here.
constexpr qint64 readBufferSize = 64 * 1024;

net::Failure failureOf(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return net::Failure::Refused;
    case QAbstractSocket::HostNotFoundError:
        return net::Failure::NoSuchHost;
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::NetworkError:
        return net::Failure::NoAnswer;
    case QAbstractSocket::AddressInUseError:
        return net::Failure::PortTaken;
    case QAbstractSocket::SocketAccessError:
        return net::Failure::PortDenied;
    case QAbstractSocket::RemoteHostClosedError:
        return net::Failure::LinkLost;
    default:
        return net::Failure::NetworkDown;
    }
}
} // namespace

void NetPlay::attach(net::Connection& link) {
    link_ = &link;
    connect(&server_, &QTcpServer::newConnection, this, &NetPlay::guestArrives);
}

void NetPlay::deafen() {
    for (const auto& [id, socket] : sockets_)
        if (socket)
            socket->disconnect(this);
    if (calling_)
        calling_->disconnect(this);
    server_.disconnect(this);
}

NetPlay::~NetPlay() {
    // What the link said last goes before the sockets close.
    for (const auto& [id, socket] : sockets_)
        if (socket)
            socket->flush();
}

std::optional<net::Failure> NetPlay::listen(std::uint16_t port) {
    if (!server_.listen(QHostAddress::Any, port))
        return failureOf(server_.serverError());
    return std::nullopt;
}

void NetPlay::stopListening() {
    server_.close();
}

std::optional<net::Failure> NetPlay::call(const std::string& address, std::uint16_t port) {
    hangUp();
    auto* socket = new QTcpSocket(this);
    calling_ = socket;
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        if (socket == calling_) {
            calling_ = nullptr;
            link_->connected(adopt(socket));
        }
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        if (socket == calling_)
            link_->callFailed(failureOf(socket->error()));
    });
    socket->connectToHost(QString::fromStdString(address), port);
    return std::nullopt;
}

void NetPlay::hangUp() {
    if (calling_) {
        calling_->disconnect(this);
        calling_->abort();
        calling_->deleteLater();
        calling_ = nullptr;
    }
}

void NetPlay::guestArrives() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        link_->accepted(adopt(socket));
    }
}

net::Sockets::Id NetPlay::adopt(QTcpSocket* socket) {
    const Id id = nextId_++;
    sockets_[id] = socket;
    // Small messages at a game's pace: each goes at once, not gathered for Nagle.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket->setReadBufferSize(readBufferSize);
    socket->disconnect(this); // a call's own watchers have done their part
    connect(socket, &QTcpSocket::readyRead, this, [this, id] { readArrivals(id); });
    connect(socket, &QTcpSocket::disconnected, this, [this, id] { link_->lost(id); });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, id, socket] {
        if (socket->state() != QAbstractSocket::ConnectedState)
            link_->lost(id);
    });
    return id;
}

QTcpSocket* NetPlay::socketOf(Id id) const {
    const auto found = sockets_.find(id);
    return found == sockets_.end() ? nullptr : found->second.data();
}

void NetPlay::readArrivals(Id id) {
    QPointer<QTcpSocket> socket = socketOf(id);
    while (socket && socketOf(id) == socket && socket->bytesAvailable() > 0) {
        const QByteArray bytes = socket->read(readBufferSize);
        link_->received(id, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
    }
}

void NetPlay::send(Id id, std::span<const std::uint8_t> bytes) {
    QTcpSocket* socket = socketOf(id);
    if (socket && socket->state() == QAbstractSocket::ConnectedState)
        socket->write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qint64>(bytes.size()));
}

std::size_t NetPlay::unsent(Id id) const {
    const QTcpSocket* socket = socketOf(id);
    return socket ? static_cast<std::size_t>(socket->bytesToWrite()) : 0;
}

std::size_t NetPlay::unsent() const {
    std::size_t total = 0;
    for (const auto& [id, socket] : sockets_)
        total += unsent(id);
    return total;
}

void NetPlay::finish(Id id) {
    if (QTcpSocket* socket = socketOf(id))
        socket->flush();
}

QTcpSocket* NetPlay::release(Id id) {
    QTcpSocket* socket = socketOf(id);
    sockets_.erase(id);
    if (socket)
        socket->disconnect(this); // nothing more is heard from it
    return socket;
}

void NetPlay::letGo(Id id) {
    QTcpSocket* socket = release(id);
    if (!socket)
        return;
    socket->disconnectFromHost(); // what was said goes first
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    else
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void NetPlay::abort(Id id) {
    if (QTcpSocket* socket = release(id)) {
        socket->abort();
        socket->deleteLater();
    }
}

} // namespace quindra
