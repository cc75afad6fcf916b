#include "NetPlay.h"

#include "net/Messages.h"
#include "net/Texts.h"

#include <QHostAddress>

namespace quindra {

namespace {
// Pings fall due every second and five seconds of silence end a session: a look four
// times a second keeps both to a quarter of a second.
constexpr int pollInterval = 250;
// A host that never answers a call: the player hears of it in good time.
constexpr int callLimit = net::callLimitSeconds * 1000;
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

NetPlay::NetPlay(GameCore& game, Platform& platform, Players& players,
                 std::function<std::int64_t()> clock, QObject* parent)
    : QObject(parent), game_(game), platform_(platform), players_(players),
      clock_(std::move(clock)) {
    poll_.setInterval(pollInterval);
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (session_)
            session_->poll(clock_());
    });
    callTimeout_.setSingleShot(true);
    connect(&callTimeout_, &QTimer::timeout, this, [this] {
        const QString where = socket_ ? socket_->peerName() : QString();
        const quint16 port = socket_ ? socket_->peerPort() : 0;
        cancel();
        emit callFailed(QString::fromStdString(
            net::callFailedText(net::Failure::NoAnswer, where.toStdString(), port)));
    });
    connect(&server_, &QTcpServer::newConnection, this, &NetPlay::guestArrives);
}

NetPlay::~NetPlay() {
    if (session_ && session_->state() != net::Session::State::Ended)
        session_->quit(); // the other side hears that this one left
    if (socket_)
        socket_->flush();
}

QString NetPlay::host(quint16 port) {
    cancel();
    if (!server_.listen(QHostAddress::Any, port))
        return QString::fromStdString(net::hostFailedText(failureOf(server_.serverError()), port));
    return {};
}

void NetPlay::join(const QString& address, quint16 port) {
    cancel();
    auto* socket = new QTcpSocket(this);
    socket_ = socket;
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        callTimeout_.stop();
        connectSocket(socket, net::Role::Guest);
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket, address, port] {
        if (session_ || socket != socket_)
            return; // a session's own link is watched by the session
        const net::Failure why = failureOf(socket->error());
        cancel();
        emit callFailed(
            QString::fromStdString(net::callFailedText(why, address.toStdString(), port)));
    });
    callTimeout_.start(callLimit);
    socket->connectToHost(address, port);
}

void NetPlay::cancel() {
    callTimeout_.stop();
    if (session_)
        return;
    stopListening();
    if (socket_) {
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
    }
}

void NetPlay::quit() {
    if (session_)
        session_->quit();
}

bool NetPlay::waiting() const {
    return !session_ && (server_.isListening() || socket_);
}

std::optional<net::Role> NetPlay::role() const {
    if (session_ && session_->playing())
        return session_->role();
    return std::nullopt;
}

quint16 NetPlay::listeningPort() const {
    return server_.serverPort();
}

void NetPlay::guestArrives() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        if (session_ && !session_->began()) {
            // A caller still to greet gives way to the newer one: only a guest who greets
            // keeps the place.
            session_->giveWay();
            poll_.stop();
            session_.reset();
            letGo(socket_);
            socket_ = nullptr;
        }
        if (session_) {
            // One guest at a time: the others hear why, and go.
            const std::vector<std::uint8_t> bye = net::encode(net::Bye{net::Bye::Reason::Busy});
            socket->write(reinterpret_cast<const char*>(bye.data()),
                          static_cast<qint64>(bye.size()));
            socket->disconnectFromHost();
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            continue;
        }
        socket->setParent(this);
        socket_ = socket;
        connectSocket(socket, net::Role::Host);
    }
}

void NetPlay::letGo(QTcpSocket* socket) {
    if (!socket)
        return;
    socket->disconnect(this);
    socket->disconnectFromHost(); // what was said goes first
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    else
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void NetPlay::connectSocket(QTcpSocket* socket, net::Role role) {
    // Small messages at a game's pace: each goes at once, not gathered for Nagle.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket->setReadBufferSize(readBufferSize);
    connect(socket, &QTcpSocket::readyRead, this, &NetPlay::readArrivals);
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        if (session_ && socket == socket_)
            session_->linkLost();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        if (session_ && socket == socket_ && socket->state() != QAbstractSocket::ConnectedState)
            session_->linkLost();
    });
    net::Link& link = *this;
    net::SessionListener& listener = *this;
    session_ = std::make_unique<net::Session>(role, game_, platform_, players_, link, listener);
    session_->start(clock_());
    poll_.start();
}

void NetPlay::readArrivals() {
    QPointer<QTcpSocket> socket = socket_;
    while (session_ && socket && socket == socket_ && socket->bytesAvailable() > 0) {
        const QByteArray bytes = socket->read(readBufferSize);
        session_->received(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                     static_cast<std::size_t>(bytes.size())),
                           clock_());
    }
    if (session_ && session_->role() == net::Role::Host && session_->playing())
        emit gameArrived();
}

void NetPlay::stopListening() {
    if (server_.isListening())
        server_.close();
}

void NetPlay::started() {
    // One guest: no one else is let in, though the port stays open to tell them so.
    emit sessionStarted();
}

void NetPlay::boardArrived() {
    emit gameArrived();
}

void NetPlay::hostChanged() {
    emit gameArrived();
}

void NetPlay::boxArrived(const std::string& text) {
    // Opened once the arrival is handled: a box inside it would hold up what comes next.
    QTimer::singleShot(0, this,
                       [this, text = QString::fromStdString(text)] { emit boxToShow(text); });
}

void NetPlay::roundTripMeasured(int) {
    emit roundTripChanged();
}

void NetPlay::ended(const std::string& why) {
    // The session may be deep in its own call: it goes, and the box opens, afterwards.
    const bool wasPlaying = session_->began();
    const net::Session* which = session_.get();
    QTimer::singleShot(0, this, [this, which, wasPlaying, why = QString::fromStdString(why)] {
        if (session_.get() != which)
            return; // a newer caller has its place already
        if (!wasPlaying && server_.isListening()) {
            // Not a guest after all: the host waits on for one.
            poll_.stop();
            session_.reset();
            letGo(socket_);
            socket_ = nullptr;
            emit guestTurnedAway(why);
            return;
        }
        dropSession();
        if (wasPlaying)
            emit sessionEnded(why);
        else
            emit callFailed(why);
    });
}

void NetPlay::dropSession() {
    poll_.stop();
    session_.reset();
    stopListening();
    letGo(socket_);
    socket_ = nullptr;
}

void NetPlay::send(std::span<const std::uint8_t> bytes) {
    if (socket_ && socket_->state() == QAbstractSocket::ConnectedState)
        socket_->write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<qint64>(bytes.size()));
}

std::size_t NetPlay::unsent() const {
    return socket_ ? static_cast<std::size_t>(socket_->bytesToWrite()) : 0;
}

void NetPlay::close() {
    if (socket_)
        socket_->flush();
}

} // namespace quindra
