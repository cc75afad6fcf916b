// Two main windows in one process, joined over loopback with real sockets: the menus the
// host's rules grey, the title, a guest's key, a third player turned away, the way a
// session ends, and the "Gioca in rete" dialog's waiting, cancelling and complaints.
#include "Rows.h"
#include "app/Form1.h"
#include "net/Messages.h"
#include "net/NetMenu.h"
#include "windows/frmRete.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace quindra;
using namespace quindra::testing;

namespace {

// The text of the next box that opens, closed at once; empty when none opened.
QString nextBox(const std::function<void()>& action = {}, int wait = 3000) {
    QString text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->close();
        }
    });
    poll.start(20);
    if (action)
        action();
    (void)QTest::qWaitFor([&] { return !text.isEmpty(); }, wait);
    return text;
}

QByteArray bytesOf(const net::Message& message) {
    const std::vector<std::uint8_t> frame = net::encode(message);
    return QByteArray(reinterpret_cast<const char*>(frame.data()), qsizetype(frame.size()));
}

// A port nobody listens on, just now.
quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

} // namespace

class NetWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> host_, guest_;

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        host_ = std::make_unique<Form1>();
        guest_ = std::make_unique<Form1>();
        host_->show();
        guest_->show();
    }
    void cleanup() {
        guest_.reset();
        host_.reset();
        QTest::qWait(50);
    }

    void twoWindowsPlayOneMatch() {
        QVERIFY(host_->table().link().host(0).empty());
        const quint16 port = host_->net().listeningPort();
        guest_->table().link().join("127.0.0.1", port);
        QTRY_VERIFY(host_->table().link().role() && guest_->table().link().role());
        // Greyed where the host's rules or the match between two forbid; checked as the host.
        for (const MenuEntry& e : menuEntries())
            if (e.kind == MenuEntry::Kind::Item) {
                QCOMPARE(host_->menuTree()[e.item]->isEnabled(),
                         net::menuItemAvailable(e.item, net::Role::Host));
                QCOMPARE(guest_->menuTree()[e.item]->isEnabled(),
                         net::menuItemAvailable(e.item, net::Role::Guest));
            }
        host_->menuTree()[MenuItem::mnuPro]->trigger();
        QTRY_VERIFY(guest_->menuTree()[MenuItem::mnuPro]->isChecked());
        QTRY_VERIFY(guest_->windowTitle().endsWith(QStringLiteral(" ms")));
        QVERIFY(QRegularExpression(QStringLiteral("^Quindra Game - in rete, \\d+ ms$"))
                    .match(host_->windowTitle())
                    .hasMatch());

        // The guest's Up moves the red racquet on both screens; the host's Up moves nothing.
        const float red = host_->game().Racchetta_Rossa.Top;
        QTest::keyClick(host_.get(), Qt::Key_Up);
        QTest::qWait(100);
        QCOMPARE(host_->game().Racchetta_Rossa.Top, red);
        QTest::keyClick(guest_.get(), Qt::Key_Up);
        QTRY_COMPARE(host_->game().Racchetta_Rossa.Top, red - 250);
        QTRY_COMPARE(guest_->game().Racchetta_Rossa.Top, red - 250);

        // A third player is told the match is full, and let go.
        QTcpSocket third;
        third.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(third.waitForConnected(3000));
        QTRY_COMPARE(third.state(), QAbstractSocket::UnconnectedState);
        const QByteArray said = third.readAll();
        const auto busy = net::encode(net::Bye{net::Bye::Reason::Busy});
        QCOMPARE(said, QByteArray(reinterpret_cast<const char*>(busy.data()), int(busy.size())));
        QVERIFY(host_->table().link().role().has_value());

        // The guest leaves: the host says so and plays alone; nobody can join any more.
        const QString box = nextBox([this] { guest_->table().link().quit(); });
        QVERIFY2(box.contains(QStringLiteral("ha chiuso la partita in rete")), qPrintable(box));
        QVERIFY(!host_->table().link().role() && !guest_->table().link().role());
        QCOMPARE(host_->windowTitle(), QStringLiteral("Quindra Game"));
        QCOMPARE(guest_->windowTitle(), QStringLiteral("Quindra Game"));
        QVERIFY(host_->menuTree()[MenuItem::mnuComputer]->isEnabled());
        QVERIFY(guest_->menuTree()[MenuItem::mnuPri]->isEnabled());
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(!late.waitForConnected(1000));
    }

    void theDialogWaitsAndCancels() {
        frmRete dialog(host_->table().link(), host_.get());
        connect(host_.get(), &Form1::networkNews, &dialog, &frmRete::hear);
        dialog.show();
        const quint16 port = freePort();
        dialog.hostOn(port);
        QVERIFY(dialog.lblStato()->text().contains(QString::number(port)));
        QVERIFY(!dialog.cmdAvvia()->isEnabled() && dialog.cmdAnnulla()->isEnabled());
        QVERIFY(host_->table().link().waiting());
        dialog.cmdAnnulla()->click();
        QVERIFY(!host_->table().link().waiting());
        QTcpSocket nobody;
        nobody.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(!nobody.waitForConnected(1000));
    }

    // Something that is not a Quindra guest connects and says nonsense: it is turned away
    // and the dialog says so, and the host waits on for a real guest.
    void aStrayCallerLeavesTheHostWaiting() {
        frmRete dialog(host_->table().link(), host_.get());
        connect(host_.get(), &Form1::networkNews, &dialog, &frmRete::hear);
        dialog.show();
        dialog.hostOn(freePort());
        const quint16 port = host_->net().listeningPort();
        QTcpSocket stray;
        stray.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(stray.waitForConnected(3000));
        stray.write("GET / HTTP/1.0\r\n\r\n");
        QTRY_COMPARE(stray.state(), QAbstractSocket::UnconnectedState);
        QTRY_VERIFY(dialog.lblStato()->text().contains(QStringLiteral("non valido")));
        QVERIFY(dialog.lblStato()->text().contains(QString::number(port)));
        QVERIFY(host_->table().link().waiting() && dialog.isVisible());
        guest_->table().link().join("127.0.0.1", port);
        QTRY_VERIFY(host_->table().link().role() && guest_->table().link().role());
        QTRY_VERIFY(!dialog.isVisible());
    }

    void theDialogComplains_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("says");
        // The game's own words, never the system's.
        addRow("nobody there", "127.0.0.1", "rifiutato: lì nessuno ospita");
        addRow("no such name", "nessuno.invalid", "Non trovo nessuno.invalid in rete");
        addRow("port taken", "", "è già usata da un altro programma");
    }
    void theDialogComplains() {
        QFETCH(QString, address);
        QFETCH(QString, says);
        frmRete dialog(guest_->table().link(), guest_.get());
        connect(guest_.get(), &Form1::networkNews, &dialog, &frmRete::hear);
        dialog.show();
        QTcpServer taken;
        QString box;
        if (QByteArray(QTest::currentDataTag()) == "port taken") {
            QVERIFY(taken.listen(QHostAddress::Any));
            box = nextBox([&] { dialog.hostOn(taken.serverPort()); });
        } else {
            box = nextBox([&] { dialog.joinAt(address, freePort()); }, 12000);
        }
        QVERIFY2(box.contains(says), qPrintable(box));
        // The choice is back, for another try, with the fields of the one chosen.
        QVERIFY(dialog.cmdAvvia()->isEnabled() && dialog.optOspita()->isEnabled() &&
                dialog.optUnisciti()->isEnabled());
        QCOMPARE(dialog.txtPorta()->isEnabled(), !address.isEmpty());
        QVERIFY(!guest_->table().link().waiting());
    }

    // A guest that sends and never reads: what waits for it at the host stays under the
    // limit, and the link goes.
    void aGuestThatReadsNothingLosesTheLink() {
        QVERIFY(host_->table().link().host(0).empty());
        QTcpSocket greedy;
        greedy.setReadBufferSize(1); // the system's buffers fill, then nothing more is read
        greedy.connectToHost(QHostAddress::LocalHost, host_->net().listeningPort());
        QVERIFY(greedy.waitForConnected(3000));
        greedy.write(bytesOf(net::Hello{net::protocolVersion, net::Role::Guest}));
        QTRY_VERIFY(host_->table().link().role());
        QByteArray pings;
        for (std::uint32_t i = 1; i <= 100000; ++i)
            pings += bytesOf(net::Ping{i});
        const QString box = nextBox(
            [&] {
                for (int i = 0; i < 30 && host_->table().link().role(); ++i) {
                    greedy.write(pings);
                    QTest::qWait(100);
                    QVERIFY(host_->net().unsent() <= net::Session::mostUnread + 1024);
                }
            },
            10000);
        QVERIFY2(box.contains(QStringLiteral("non legge")), qPrintable(box));
    }
};

QTEST_MAIN(NetWindow)
#include "test_netwindow.moc"
