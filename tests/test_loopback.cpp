// Two real games on this computer, joined over loopback: one hosts, the other joins from
// its command line, and the guest plays with real key events from xdotool on the X server
// this test runs on (CTest starts it in xvfb-run). After each point both windows show the
// same court, pixel for pixel. QUINDRA_BIN names the game.
#include <QtTest>

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>

namespace {

QStringList words(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString output(const QStringList& arguments) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), arguments);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// A game's main window, by the program's process and the title it shows.
WId windowOf(const QProcess& game, const QString& title) {
    const QString id =
        output(words("search --all --onlyvisible --pid")
               << QString::number(game.processId()) << QStringLiteral("--name") << title);
    return id.isEmpty() ? 0 : id.split(QLatin1Char('\n')).first().toULongLong();
}

QString titleOf(WId window) {
    return output(words("getwindowname") << QString::number(window));
}

QImage picture(WId window) {
    return QGuiApplication::primaryScreen()->grabWindow(window).toImage().convertToFormat(
        QImage::Format_RGB32);
}

int differences(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

} // namespace

class Loopback : public QObject {
    Q_OBJECT

    QString bin_;
    QProcess host_, guest_;
    WId hostWindow_ = 0, guestWindow_ = 0;
    const quint16 port_ = 47000 + static_cast<quint16>(QCoreApplication::applicationPid() % 1000);

    // Keys the guest's player types, into the guest's window.
    void guestKeys(const char* names) {
        QProcess::execute(QStringLiteral("xdotool"), words("windowfocus --sync")
                                                         << QString::number(guestWindow_));
        QCOMPARE(
            QProcess::execute(QStringLiteral("xdotool"), words("key --delay 60") + words(names)),
            0);
    }
    // Both windows still for half a second, and alike: the board waits for a serve.
    bool settledAlike(QImage* shown = nullptr) {
        const QImage a = picture(hostWindow_);
        QTest::qWait(500);
        const QImage h = picture(hostWindow_), g = picture(guestWindow_);
        if (shown)
            *shown = h;
        return h == a && differences(h, g) == 0;
    }

  private slots:
    void initTestCase() {
        bin_ = qEnvironmentVariable("QUINDRA_BIN");
        QVERIFY2(QFile::exists(bin_), "QUINDRA_BIN names the game");
        QVERIFY(QGuiApplication::platformName() == QLatin1String("xcb"));
        host_.start(bin_, {QStringLiteral("--host"), QString::number(port_)});
        QVERIFY(host_.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(windowOf(host_, QStringLiteral("Gioca in rete")) != 0, 10000);
        guest_.start(bin_, {QStringLiteral("--join"), QStringLiteral("127.0.0.1:%1").arg(port_)});
        QVERIFY(guest_.waitForStarted());
        // Greeted: both titles say so, and soon give the round trip.
        QTRY_VERIFY_WITH_TIMEOUT(
            (hostWindow_ = windowOf(host_, QStringLiteral("^Quindra Game - in rete"))) != 0, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(
            (guestWindow_ = windowOf(guest_, QStringLiteral("^Quindra Game - in rete"))) != 0,
            10000);
        QTRY_VERIFY_WITH_TIMEOUT(titleOf(guestWindow_).endsWith(QStringLiteral(" ms")), 5000);
        const QString title = titleOf(hostWindow_);
        QVERIFY2(QRegularExpression(QStringLiteral("^Quindra Game - in rete, \\d+ ms$"))
                     .match(title)
                     .hasMatch(),
                 qPrintable(title));
        QProcess::execute(QStringLiteral("xdotool"), words("windowmove")
                                                         << QString::number(hostWindow_) << "0"
                                                         << "0");
        QProcess::execute(QStringLiteral("xdotool"), words("windowmove")
                                                         << QString::number(guestWindow_) << "600"
                                                         << "0");
    }

    void cleanupTestCase() {
        for (QProcess* p : {&guest_, &host_}) {
            p->terminate();
            if (!p->waitForFinished(5000))
                p->kill();
        }
    }

    // The guest serves and moves the red racquet with real keys; after each point the two
    // courts are the same.
    void pointsAgree() {
        QImage before;
        QTRY_VERIFY_WITH_TIMEOUT(settledAlike(&before), 5000);
        for (int point = 0; point < 3; ++point) {
            // The red racquet to the top, out of the ball's way, and back; then the serve.
            guestKeys(point == 0 ? "Up Up Up Up Up Up Up Up Left Right space" : "space");
            QImage after;
            QTRY_VERIFY_WITH_TIMEOUT(settledAlike(&after) && after != before, 60000);
            before = after;
        }
    }

    // The guest's P pauses the host's rally; its Space goes on.
    void theGuestPausesBoth() {
        guestKeys("space");
        QTest::qWait(300);
        guestKeys("p");
        QTRY_VERIFY_WITH_TIMEOUT(settledAlike(), 5000);
        const QImage paused = picture(hostWindow_);
        QTest::qWait(600);
        QCOMPARE(picture(hostWindow_), paused);
        guestKeys("space");
        QTest::qWait(400);
        QVERIFY(picture(hostWindow_) != paused);
    }

    // The guest's program goes: the host says so in a box and plays on alone.
    void theHostPlaysOnWhenTheGuestGoes() {
        guest_.terminate();
        QVERIFY(guest_.waitForFinished(5000));
        WId box = 0;
        QTRY_VERIFY_WITH_TIMEOUT((box = windowOf(host_, QStringLiteral("^Quindra$"))) != 0, 8000);
        QTRY_COMPARE_WITH_TIMEOUT(titleOf(hostWindow_), QStringLiteral("Quindra Game"), 2000);
        // Its OK, clicked as a player does: at the box's bottom right.
        const QStringList size = output(words("getwindowgeometry --shell") << QString::number(box))
                                     .split(QLatin1Char('\n'));
        const int width = size.filter(QStringLiteral("WIDTH=")).value(0).mid(6).toInt();
        const int height = size.filter(QStringLiteral("HEIGHT=")).value(0).mid(7).toInt();
        QVERIFY(width > 100 && height > 50);
        QProcess::execute(QStringLiteral("xdotool"),
                          words("mousemove --window")
                              << QString::number(box) << QString::number(width - 50)
                              << QString::number(height - 22) << QStringLiteral("click")
                              << QStringLiteral("1"));
        QTRY_COMPARE_WITH_TIMEOUT(windowOf(host_, QStringLiteral("^Quindra$")), WId(0), 5000);
        QCOMPARE(host_.state(), QProcess::Running);
    }
};

QTEST_MAIN(Loopback)
#include "test_loopback.moc"
