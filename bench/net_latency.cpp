// quindra-net-bench: how long a guest's key press takes to move its racquet on its own
// screen, over loopback, with nothing added and through a proxy that delays every byte
// by half a given round trip each way. The host is a real game in its own process; the
// guest is a real main window here, sent key events; the time runs from the press to the
// end of the paint that shows the racquet moved, during rallies. Prints one JSON object per
// line.
//   build/bench/quindra-net-bench [PRESSES]      (offscreen unless QT_QPA_PLATFORM says)
#include "Figures.h"
#include "app/CourtView.h"
#include "app/Form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>

using namespace quindra;
using namespace quindra::bench;

namespace {

void waitFor(int milliseconds, const std::function<bool()>& done = {}) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < milliseconds && !(done && done()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// Between the guest and the host: every byte goes on after `delay` ms, in order.
class DelayingProxy : public QObject {
  public:
    DelayingProxy(quint16 hostPort, int delay) : hostPort_(hostPort), delay_(delay) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* guest = server_.nextPendingConnection();
            auto* host = new QTcpSocket(this);
            host->connectToHost(QHostAddress::LocalHost, hostPort_);
            for (QTcpSocket* s : {guest, host})
                s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            pass(guest, host);
            pass(host, guest);
        });
    }
    quint16 port() const { return server_.serverPort(); }

  private:
    void pass(QTcpSocket* from, QTcpSocket* to) {
        connect(from, &QTcpSocket::readyRead, this, [this, from, to] {
            const QByteArray bytes = from->readAll();
            QTimer::singleShot(delay_, Qt::PreciseTimer, to, [to, bytes] { to->write(bytes); });
        });
        connect(from, &QTcpSocket::disconnected, to, &QTcpSocket::disconnectFromHost);
    }
    QTcpServer server_;
    quint16 hostPort_;
    int delay_;
};

struct Latencies {
    std::vector<double> ms;
    int paints = 0;
};

Latencies measure(int roundTrip, int presses) {
    const quint16 hostPort = 47900;
    QProcess host;
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(QStringLiteral(QUINDRA_BIN), {QStringLiteral("--host"), QString::number(hostPort)});
    host.waitForStarted();
    waitFor(1500);
    DelayingProxy proxy(hostPort, roundTrip / 2);

    Form1 guest;
    guest.show();
    guest.activateWindow();
    guest.table().link().join("127.0.0.1", proxy.port());
    waitFor(5000, [&] { return guest.table().link().role().has_value(); });
    waitFor(300);

    Latencies result;
    const GameCore& game = guest.game();
    float before = 0;
    QElapsedTimer clock;
    bool measuring = false;
    guest.court()->setPaintObserver([&] {
        if (!measuring)
            return;
        ++result.paints;
        if (game.Racchetta_Rossa.Top != before) {
            result.ms.push_back(double(clock.nsecsElapsed()) / 1e6);
            measuring = false;
        }
    });
    for (int i = 0; i < presses && guest.table().link().role(); ++i) {
        // Space first: a waiting serve starts, so the keys are timed during rallies, with the
        // host's clock ticking and its boards coming; in a rally Space does nothing.
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent space(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QCoreApplication::sendEvent(&guest, &space);
        }
        waitFor(30 + roundTrip);
        // Up and down in turn, each let go at once: no repeat comes into it.
        const Qt::Key key = i % 2 == 0 ? Qt::Key_Up : Qt::Key_Down;
        before = game.Racchetta_Rossa.Top;
        measuring = true;
        clock.start();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&guest, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&guest, &release);
        waitFor(1000, [&] { return !measuring; });
        measuring = false;
        waitFor(20);
    }
    guest.court()->setPaintObserver({});
    guest.table().link().quit();
    waitFor(200);
    host.terminate();
    host.waitForFinished(5000);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::atoi(argv[1]) : 400;
    for (const int roundTrip : {0, 50}) {
        const Latencies l = measure(roundTrip, presses);
        std::printf("{\"figure\":\"guest key to racquet on screen\",\"added_round_trip_ms\":%d,"
                    "\"presses\":%d,\"measured\":%zu,\"paints\":%d,\"p50_ms\":%.2f,\"p99_ms\":%.2f,"
                    "\"max_ms\":%.2f,\"goal_p99_ms\":%d}\n",
                    roundTrip, presses, l.ms.size(), l.paints, quantile(l.ms, 0.5),
                    quantile(l.ms, 0.99), quantile(l.ms, 1.0), roundTrip + 100);
        std::fflush(stdout);
    }
    return 0;
}
