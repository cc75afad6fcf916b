// The Windows program, played under Wine on the X server this test runs on (CTest starts
// it in xvfb-run): real key events from xdotool, screenshots of its court compared pixel
// by pixel with what the Linux window paints for the same game, the clock's periods from
// the program's own tick log, and its installer. The programs come from the Windows build:
// QUINDRA_EXE, QUINDRA_WINTOOL and QUINDRA_SETUP name them.
#include "FakePlatform.h"
#include "Heard.h"
#include "Rows.h"
#include "app/CourtView.h"
#include "app/GameCore.h"
#include "app/Layout.h"
#include "input/HeldKeys.h"

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTcpServer>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace quindra;
using namespace quindra::testing;

namespace {

QRect toQ(const PixelRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

// What the Linux window paints for a game: the same court view, on a fake host whose
// outer size is the Windows window's, so the racquets meet the same limits.
struct LinuxCourt {
    FakePlatform host;
    GameCore game{host};
    CourtView view{game, nullptr};

    LinuxCourt(int server, QSizeF outer) {
        host.outerW = float(outer.width());
        host.outerH = float(outer.height());
        game.Form_Load("C:\\");
        game.Battuta = server;
        game.batte();
        view.setFixedSize(toPixels(7455), toPixels(5070));
    }
    QImage image() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // The same court with the ball away, to tell the ball's own pixels.
    QImage withoutBall() {
        const Shape ball = game.Pallina;
        game.Pallina.Move(-1000, -1000);
        QImage image = this->image();
        game.Pallina = ball;
        return image;
    }
    void press(std::uint16_t keyDown, std::vector<std::uint8_t> characters = {}) {
        deliverKey(game, KeyPress{1, keyDown, std::move(characters)});
    }
};

// Text is drawn in each desktop's own fonts: the labels are left out of the comparison,
// and the ball, smoothed on Linux and not on Windows, is compared by its box.
QRegion leftOut(const GameCore& g) {
    QRegion region;
    std::vector<const Label*> labels = {&g.lblPuntoBlu, &g.Label1, &g.lblPuntoRosso, &g.lblPausa};
    for (std::size_t i = 0; i < g.lblSet_Sin.size(); ++i)
        labels.insert(labels.end(), {&g.lblSet_Sin[i], &g.lblSet_Dest[i]});
    for (const Label* l : labels)
        region += toQ(
            captionArea(toPixelRect(l->Left, l->Top, l->Width, l->Height), true).grown(1, 1, 1, 1));
    const Shape& b = g.Pallina;
    region += toQ(shapeArea(toPixelRect(b.Left, b.Top, b.Width, b.Height)));
    return region;
}

// Pixels of the court that differ, outside `out`; the first one found in `where`.
int differences(const QImage& a, const QImage& b, const QRect& court, const QRegion& out,
                QPoint* where = nullptr) {
    int count = 0;
    for (int y = court.top(); y <= court.bottom(); ++y)
        for (int x = court.left(); x <= court.right(); ++x)
            if (!out.contains(QPoint(x, y)) && a.pixel(x, y) != b.pixel(x, y)) {
                if (count++ == 0 && where)
                    *where = QPoint(x, y);
            }
    return count;
}

// Where a picture differs from the court without the ball, near the ball: the ball's box.
QRect ballBox(const QImage& picture, const QImage& withoutBall, const QRect& near) {
    QRect box;
    for (int y = near.top(); y <= near.bottom(); ++y)
        for (int x = near.left(); x <= near.right(); ++x)
            if (picture.pixel(x, y) != withoutBall.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The box of the pixels of one colour.
QRect colourBox(const QImage& image, QRgb colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Where the ball is: yellow pixels two deep in yellow each way, as the racquets' yellow
// outlines, at most two pixels wide, have none.
QRect ballAt(const QImage& image) {
    constexpr QRgb yellow = qRgb(255, 255, 0);
    QRect box;
    for (int y = 2; y + 2 < image.height(); ++y)
        for (int x = 2; x + 2 < image.width(); ++x) {
            bool inside = true;
            for (int d = -2; d <= 2 && inside; ++d)
                inside = image.pixel(x + d, y) == yellow && image.pixel(x, y + d) == yellow;
            if (inside)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

// Words, blank between: a command's arguments, keys as xdotool names them.
QStringList words(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A racquet's box: its fill's colour in its own columns, clear of the board's digits.
QRect racquetBox(const QImage& image, bool left) {
    const int edge = image.width() * 3 / 8; // between the board and the net columns
    const QImage side = left ? image.copy(0, 0, edge, image.height())
                             : image.copy(image.width() - edge, 0, edge, image.height());
    return colourBox(side, left ? qRgb(0, 0, 255) : qRgb(192, 0, 0));
}

constexpr int step = 250 / twipsPerPixel; // a racquet's step, in pixels at 96 dpi (16.7)

} // namespace

class WineGame : public QObject {
    Q_OBJECT

    QString exe_, tool_, setup_, linux_;
    QTemporaryDir prefix_;
    QProcessEnvironment env_;
    QProcess game_;
    QRect client_;  // the game's client area on the screen
    QSizeF outer_;  // its whole window, in twips at 96 dpi
    QString ticks_; // the tick log, as Linux sees it

    struct Run {
        int code = -1;
        QString out;
    };
    Run run(const QString& program, const QStringList& args, int timeout = 120000) {
        QProcess p;
        p.setProcessEnvironment(env_);
        p.start(program, args);
        if (!p.waitForFinished(timeout)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardOutput())};
    }
    // Keys typed one after another, named as xdotool names them, blank between.
    void keys(const char* names) { keys(words(names)); }
    void keys(const QStringList& names) {
        QCOMPARE(xdotool(words("key --delay 80") + names), 0);
        QTest::qWait(150);
    }
    bool windowOpen(const QString& title) {
        return xdotool(words("search --onlyvisible --name") << title) == 0;
    }
    QStringList visibleWindows() {
        return run(QStringLiteral("xdotool"), words("search --onlyvisible --name .*"))
            .out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    // The game's window: where its client area lies on the screen, and its outer size.
    bool findGame() {
        const Run where = wine({tool_, QStringLiteral("client")});
        const QStringList v = where.out.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (where.code != 0 || v.size() != 6)
            return false;
        client_ = QRect(v[0].toInt(), v[1].toInt(), v[2].toInt(), v[3].toInt());
        outer_ = QSizeF(v[4].toDouble() * twipsPerPixel, v[5].toDouble() * twipsPerPixel);
        return true;
    }
    void startGame(const QString& program, const QStringList& arguments = {}) {
        QFile::remove(ticks_);
        game_.setProcessEnvironment(env_);
        game_.start(QStringLiteral("wine"), QStringList{program} + arguments);
        QVERIFY(game_.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(findGame(), 30000);
        // Its first paint is on screen once the court's green shows.
        QTRY_VERIFY_WITH_TIMEOUT(court().pixel(40, 40) == qRgb(0, 128, 0), 10000);
    }
    void stopGame() {
        keys("alt+F4"); // as a player closes it
        if (!game_.waitForFinished(10000)) {
            run(QStringLiteral("wineserver"), {QStringLiteral("-k")});
            game_.waitForFinished();
        }
        run(QStringLiteral("wineserver"), {QStringLiteral("-w")});
    }
    QImage court() {
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, client_.x(), client_.y(), client_.width(), client_.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // Which player serves, by where the ball waits.
    int server(const QImage& picture) {
        return ballAt(picture).center().x() < picture.width() / 2 ? 0 : 1;
    }
    // The Windows court equals the Linux one, labels aside, within a couple of seconds.
    void expectAsOnLinux(LinuxCourt& linux, const char* what) {
        const QRect courtRect = toQ(toPixelRect(0, 0, 7452, 5052));
        const QImage expected = linux.image();
        const QRegion out = leftOut(linux.game);
        QPoint first;
        int differing = 0;
        QElapsedTimer waited;
        waited.start();
        do {
            QTest::qWait(50);
            differing = differences(court(), expected, courtRect, out, &first);
        } while (differing > 0 && waited.elapsed() < 2000);
        QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1: %2 pixels differ, first at %3,%4")
                                                .arg(QLatin1String(what))
                                                .arg(differing)
                                                .arg(first.x())
                                                .arg(first.y())));
    }
    // The clock's runs logged since `from` bytes: each the interval it was started with,
    // and its start and its ticks, in microseconds.
    struct ClockRun {
        int interval = 0;
        QList<qint64> times;
    };
    QList<ClockRun> runsSince(qint64 from) {
        QFile file(ticks_);
        QList<ClockRun> runs;
        if (!file.open(QIODevice::ReadOnly))
            return runs;
        file.seek(from);
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> words = line.split(' ');
            if (words.size() != 3)
                continue;
            if (words[0] == "start")
                runs.append(ClockRun{words[2].toInt(), {}});
            if (!runs.isEmpty())
                runs.last().times << words[1].toLongLong();
        }
        return runs;
    }
    qint64 tickLogSize() { return QFileInfo(ticks_).size(); }
    // Nothing moves: the serve waits.
    bool still() {
        const QImage a = court();
        QTest::qWait(250);
        return court() == a;
    }
    // An item chosen from the menu bar by keys: `rights` menus along, `downs` items down.
    void menu(int rights, int downs) {
        QStringList k = words("F10");
        for (int i = 0; i < rights; ++i)
            k << QStringLiteral("Right");
        for (int i = 0; i <= downs; ++i)
            k << QStringLiteral("Down");
        keys(k << QStringLiteral("Return"));
    }
    Run wine(const QStringList& arguments) { return run(QStringLiteral("wine"), arguments); }
    // The tests' hand on the game's windows (win32/tests/wintool.cpp).
    int tool(const char* action, const char* window = nullptr) {
        QStringList arguments{tool_, QLatin1String(action)};
        if (window)
            arguments << QLatin1String(window);
        return wine(arguments).code;
    }
    int xdotool(const QStringList& arguments) {
        return run(QStringLiteral("xdotool"), arguments).code;
    }
    // A click at `x`, `y` of the screen, or of `window` when one is named.
    int click(int x, int y, const QString& window = {}) {
        QStringList arguments = words("mousemove");
        if (!window.isEmpty())
            arguments << QStringLiteral("--window") << window;
        return xdotool(arguments << QString::number(x) << QString::number(y)
                                 << QStringLiteral("click") << QStringLiteral("1"));
    }

  private slots:
    void initTestCase() {
        exe_ = qEnvironmentVariable("QUINDRA_EXE");
        tool_ = qEnvironmentVariable("QUINDRA_WINTOOL");
        setup_ = qEnvironmentVariable("QUINDRA_SETUP");
        linux_ = qEnvironmentVariable("QUINDRA_BIN");
        QVERIFY2(QFile::exists(exe_) && QFile::exists(tool_) && QFile::exists(setup_),
                 "QUINDRA_EXE, QUINDRA_WINTOOL and QUINDRA_SETUP name the Windows build");
        QVERIFY(QGuiApplication::platformName() == QLatin1String("xcb"));
        QVERIFY(prefix_.isValid());
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("WINEPREFIX"), prefix_.path());
        env_.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        env_.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
        env_.insert(QStringLiteral("QUINDRA_TICK_LOG"), QStringLiteral("C:\\quindra-ticks.txt"));
        ticks_ = prefix_.filePath(QStringLiteral("drive_c/quindra-ticks.txt"));
        QElapsedTimer booted;
        booted.start();
        QCOMPARE(run(QStringLiteral("wineboot"), {QStringLiteral("-i")}).code, 0);
        run(QStringLiteral("wineserver"), {QStringLiteral("-w")});
        qInfo("Wine prefix made in %.1f s", booted.elapsed() / 1000.0);
        startGame(exe_);
    }

    void cleanupTestCase() {
        if (game_.state() != QProcess::NotRunning)
            stopGame();
        run(QStringLiteral("wineserver"), {QStringLiteral("-k")});
    }

    // On a sound server (tests/sound.sh), the left player serving and the computer at the
    // right returning: the serve is heard, then the red racquet's hit, each by its pitch.
    // Three serves, as the computer misses one now and then. First, while the game is as
    // it started, the keyboard its own.
    void heard() {
        const QString sink = qEnvironmentVariable("QUINDRA_SOUND_SINK");
        if (sink.isEmpty())
            QSKIP("needs a sound server (tests/sound.sh)");
        menu(1, 2); // Livelli, Professionista
        // "Nuova Partita" draws the server afresh, until it is the left player.
        for (int i = 0; i < 30 && server(court()) != 0; ++i)
            menu(0, 0);
        QCOMPARE(server(court()), 0);
        menu(6, 2); // Opzioni, Computer
        const QStringList heard = bursts(recorded(sink, [this] {
            for (int serve = 0; serve < 3; ++serve) {
                keys("space");
                QTest::qWait(3500);
            }
        }));
        menu(6, 2); // the computer off
        menu(0, 0);
        menu(1, 0); // Livelli, Principiante
        QVERIFY2(heard.size() >= 2 && heard[0] == QLatin1String("serve") &&
                     heard.contains(QLatin1String("red")),
                 qPrintable(heard.join(' ')));
    }

    // At 96 dpi the court, its lines and the racquets are the Linux window's, pixel for
    // pixel, and the ball has the same box.
    void courtAsOnLinux() {
        QCOMPARE(client_.size(), QSize(497, 338));
        const QImage windows = court();
        LinuxCourt linux(server(windows), outer_);
        expectAsOnLinux(linux, "start");
        const Shape& b = linux.game.Pallina;
        const QRect near = toQ(shapeArea(toPixelRect(b.Left, b.Top, b.Width, b.Height)));
        const QImage without = linux.withoutBall();
        const QRect box = toQ(toPixelRect(b.Left, b.Top, b.Width, b.Height));
        QCOMPARE(ballBox(windows, without, near), box);
        QCOMPARE(ballBox(linux.image(), without, near), box);
    }

    // Every binding of both players, typed for real, moves the racquets as on Linux:
    // each press is its key-down code and the characters it types.
    void bindingsAsOnLinux() {
        LinuxCourt linux(server(court()), outer_);
        struct Binding {
            const char* key;
            std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>> presses;
        };
        const Binding bindings[] = {
            {"a", {{65, {97}}}},               // up, twice: the code and the character
            {"z", {{90, {122}}}},              // down, twice
            {"F8", {{119, {}}}},               // up
            {"F11", {{122, {}}}},              // down
            {"w", {{87, {119}}}},              // the character of F8: up
            {"x", {{88, {120}}}},              // to the net
            {"less", {{16, {}}, {188, {60}}}}, // Shift, then "<": back to the baseline
            {"Up", {{38, {}}}},
            {"Down", {{40, {}}}},
            {"8", {{56, {56}}}},           // up, twice
            {"2", {{50, {50}}}},           // down, twice
            {"Left", {{37, {}}}},          // to the net
            {"apostrophe", {{222, {39}}}}, // up, and the character of Right: the baseline
            {"minus", {{189, {45}}}},      // down
        };
        for (const Binding& b : bindings) {
            keys(b.key);
            for (const auto& [code, characters] : b.presses)
                linux.press(code, characters);
            expectAsOnLinux(linux, b.key);
        }
    }

    // P pauses a rally and P resumes it; minimising the window pauses it too.
    void pauseAndMinimise() {
        const GameCore& g = LinuxCourt(0, outer_).game;
        const QRect sign =
            toQ(toPixelRect(g.lblPausa.Left, g.lblPausa.Top, g.lblPausa.Width, g.lblPausa.Height));
        const auto pausedNow = [&] {
            const QImage a = court();
            QTest::qWait(300);
            return court() == a && a.pixel(sign.topLeft() + QPoint(2, 2)) == qRgb(0, 0, 0);
        };
        keys("space");
        QTest::qWait(300);
        keys("p");
        QVERIFY(pausedNow());
        keys("p");
        QVERIFY(!pausedNow());
        QCOMPARE(tool("minimize"), 0);
        QTest::qWait(500);
        QCOMPARE(tool("restore"), 0);
        QTest::qWait(500);
        QVERIFY(pausedNow());
        keys("space");
        QVERIFY(!pausedNow());
    }

    // With a menu open the keys go to the menu: none moves a racquet.
    void noKeyBehindAMenu() {
        QTRY_VERIFY_WITH_TIMEOUT(still(), 15000); // the rally ends
        const QImage before = court();
        keys("F10 Right Down a z 8 2 F11");
        QTest::qWait(300);
        QVERIFY(visibleWindows().size() > 1); // the menu, over the court
        keys("Up Return");                    // Professionista
        QCOMPARE(racquetBox(court(), true), racquetBox(before, true));
        QCOMPARE(racquetBox(court(), false), racquetBox(before, false));
    }

    // The colour dialog opens from the menu; cancelling it changes nothing.
    void colourDialogCancels() {
        QTRY_VERIFY_WITH_TIMEOUT(still(), 15000); // the rally ends
        const QRect ball = ballAt(court());
        QVERIFY(!ball.isEmpty());
        const QStringList before = visibleWindows();
        keys("F10 Right Right Right Down Return");
        QTRY_VERIFY_WITH_TIMEOUT(visibleWindows().size() > before.size(), 5000);
        keys("Escape");
        QTRY_COMPARE_WITH_TIMEOUT(visibleWindows().size(), before.size(), 5000);
        QCOMPARE(ballAt(court()), ball);
    }

    // The shot-angle dialog, the commands window and About open from the menu and close.
    void windowsOpenAndClose() {
        const int alone = int(visibleWindows().size());
        menu(6, 1); // Opzioni, Angolo
        QTRY_VERIFY_WITH_TIMEOUT(windowOpen(QStringLiteral("^Angolo di Tiro$")), 5000);
        // Minimised, "Angolo" brings it back as it was.
        const auto angle = [this](const char* action) { return tool(action, "angle"); };
        const auto shown = [this](const char* what) {
            return wine({tool_, QLatin1String(what), QStringLiteral("angle")}).out.trimmed();
        };
        QCOMPARE(shown("client").section(QLatin1Char(' '), 2, 3), QStringLiteral("400 109"));
        QCOMPARE(shown("text"), QStringLiteral("43"));
        keys("Right Right"); // the bar, 43 to 45
        QCOMPARE(shown("text"), QStringLiteral("45"));
        QCOMPARE(angle("minimize"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(angle("iconic"), 0, 5000);
        // A click on the court gives the main window the keyboard, as on a desktop.
        QCOMPARE(click(client_.center().x(), client_.center().y()), 0);
        menu(6, 1);
        QTRY_COMPARE_WITH_TIMEOUT(angle("iconic"), 1, 5000);
        keys("Tab Tab space"); // Annulla
        QTRY_VERIFY_WITH_TIMEOUT(!windowOpen(QStringLiteral("^Angolo di Tiro$")), 5000);
        // Opened again it shows the angle as it was; Ok keeps what the bar says.
        for (const char* const value : {"43", "44"}) {
            menu(6, 1);
            QTRY_VERIFY_WITH_TIMEOUT(windowOpen(QStringLiteral("^Angolo di Tiro$")), 5000);
            QCOMPARE(shown("text"), QLatin1String(value));
            keys(value == QLatin1String("43") ? "Right Tab space" : "Left Tab space"); // Ok
            QTRY_VERIFY_WITH_TIMEOUT(!windowOpen(QStringLiteral("^Angolo di Tiro$")), 5000);
        }
        menu(7, 0); // Help, Comandi
        QTRY_COMPARE_WITH_TIMEOUT(int(visibleWindows().size()), alone + 1, 5000);
        keys("Escape"); // never closes it
        QCOMPARE(int(visibleWindows().size()), alone + 1);
        keys("alt+o");
        QTRY_COMPARE_WITH_TIMEOUT(int(visibleWindows().size()), alone, 5000);
        menu(8, 0); // About, Quindra
        QTRY_VERIFY_WITH_TIMEOUT(windowOpen(QStringLiteral("^About: Quindra$")), 5000);
        keys("alt+o");
        QTRY_VERIFY_WITH_TIMEOUT(!windowOpen(QStringLiteral("^About: Quindra$")), 5000);
    }

    // Each level starts the clock at its interval, as the program's own log says. With
    // QUINDRA_FIGURES set (bench/wine-ticks.sh) it also plays 80 periods a level and prints
    // the mean period measured: a figure of this machine, never a pass or a fail.
    void eachLevelRunsItsClock() {
        const bool figures = qEnvironmentVariableIsSet("QUINDRA_FIGURES");
        struct Level {
            int downs, interval;
        };
        for (const Level level : {Level{0, 100}, Level{1, 50}, Level{2, 40}}) {
            menu(1, level.downs); // Livelli
            const qint64 from = tickLogSize();
            QList<ClockRun> runs;
            int periods = 0;
            // Serve after serve until the clock has run, or run 80 periods for the figures.
            for (int serves = 0; periods < (figures ? 80 : 1); ++serves) {
                QVERIFY2(serves < 100, "the clock does not run");
                keys("space");
                QTest::qWait(600);
                runs = runsSince(from);
                periods = 0;
                for (const ClockRun& run : runs)
                    periods += int(run.times.size()) - 1;
            }
            for (const ClockRun& run : runs)
                QCOMPARE(run.interval, level.interval);
            if (!figures)
                continue;
            double sum = 0;
            int late = 0;
            for (const ClockRun& run : runs)
                for (qsizetype i = 1; i < run.times.size(); ++i) {
                    const double gap = double(run.times[i] - run.times[i - 1]) / 1000.0;
                    late += gap > 1.5 * level.interval ? 1 : 0;
                    sum += gap;
                }
            std::printf("{\"figure\": \"wine clock period\", \"interval_ms\": %d, "
                        "\"periods\": %d, \"mean_ms\": %.3f, \"late_by_half\": %d}\n",
                        level.interval, periods, sum / periods, late);
        }
    }

    // At 120, 144 and 192 dpi the court, its lines and the racquets lie where the twips
    // put them at that many dots per inch, edge by edge, and their borders scale with them.
    void scaledDpi() {
        stopGame();
        const auto setDpi = [this](int dpi) {
            return wine(words("reg add") << QStringLiteral("HKCU\\Control Panel\\Desktop")
                                         << words("/v LogPixels /t REG_DWORD /d")
                                         << QString::number(dpi) << QStringLiteral("/f"))
                       .code == 0;
        };
        // Whatever happens here, the next tests find the desktop at 96 dpi, no game open.
        const auto restore = qScopeGuard([&] {
            if (game_.state() != QProcess::NotRunning)
                stopGame();
            setDpi(96);
        });
        for (const int dpi : {120, 144, 192}) {
            QVERIFY(setDpi(dpi));
            startGame(exe_);
            QCOMPARE(client_.size(), QSize(toPixelsAt(7455, dpi), toPixelsAt(5070, dpi)));
            const QImage windows = court();
            LinuxCourt start(server(windows), outer_);
            const GameCore& g = start.game;
            QImage expected(windows.size(), QImage::Format_RGB32);
            expected.fill(Qt::black);
            QPainter p(&expected);
            const auto at = [dpi](double l, double t, double w, double h) {
                return toQ(toPixelRectAt(l, t, w, h, dpi));
            };
            const auto shape = [&](const Shape& s, QColor border, QColor fill) {
                const QRect r = at(s.Left, s.Top, s.Width, s.Height);
                const int w = scaledWidth(s.BorderWidth, dpi);
                p.fillRect(r, border);
                p.fillRect(r.adjusted(w, w, -w, -w), fill);
            };
            shape(g.Campo, Qt::white, QColor(0, 128, 0));
            for (const Line& l : g.lines) {
                const double half = l.BorderWidth * 7.5;
                p.fillRect(l.X1 == l.X2 ? at(l.X1 - half, l.Y1, 2 * half, l.Y2 - l.Y1)
                                        : at(l.X1, l.Y1 - half, l.X2 - l.X1, 2 * half),
                           Qt::white);
            }
            shape(g.Racchetta_Blu, Qt::yellow, QColor(0, 0, 255));
            shape(g.Racchetta_Rossa, Qt::yellow, QColor(192, 0, 0));
            p.end();
            // Left out: the labels and the ball, grown to this dpi.
            QRegion out;
            for (const QRect& r : leftOut(g))
                out += QRect(r.x() * dpi / 96 - 2, r.y() * dpi / 96 - 2, r.width() * dpi / 96 + 4,
                             r.height() * dpi / 96 + 4);
            QPoint first;
            const int differing = differences(windows, expected, at(0, 0, 7452, 5052), out, &first);
            QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 dpi: %2 differ, first %3,%4")
                                                    .arg(dpi)
                                                    .arg(differing)
                                                    .arg(first.x())
                                                    .arg(first.y())));
            if (dpi == 144)
                commandsScaled(dpi);
            stopGame();
        }
    }

    // The commands' picture grows with its window: it is the 96-dpi picture scaled, within
    // a few levels of grey on average (Windows and Qt smooth it each their own way), and
    // no part of its box stays empty.
    void commandsScaled(int dpi) {
        menu(7, 0);                                                 // Help, Comandi
        QTRY_COMPARE_WITH_TIMEOUT(tool("iconic", "tool"), 1, 5000); // open, not minimised
        const QStringList v =
            wine({tool_, QStringLiteral("client"), QStringLiteral("tool")}).out.split(' ');
        QCOMPARE(v.size(), 6);
        const QRect box =
            toQ(toPixelRectAt(0, 0, 9075, 3795, dpi)).translated(v[0].toInt(), v[1].toInt());
        const QImage shown = QGuiApplication::primaryScreen()
                                 ->grabWindow(0, box.x(), box.y(), box.width(), box.height())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        const QImage picture(QFINDTESTDATA("../assets/comandi.png"));
        QVERIFY(!picture.isNull());
        const QImage expected =
            picture
                .scaled(picture.size() * dpi / 96, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
        // The picture starts inside the box's sunken edge, a few pixels wide.
        double best = 255;
        for (int edge = 0; edge <= 4; ++edge) {
            const int w = std::min(expected.width(), shown.width() - 2 * edge);
            const int h = std::min(expected.height(), shown.height() - 2 * edge);
            double sum = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    sum += std::abs(qGray(shown.pixel(x + edge, y + edge)) -
                                    qGray(expected.pixel(x, y)));
            best = std::min(best, sum / (w * h));
        }
        QVERIFY2(best < 12, qPrintable(QStringLiteral("mean difference %1").arg(best)));
        keys("alt+o");
        QTRY_COMPARE_WITH_TIMEOUT(tool("iconic", "tool"), 2, 5000); // closed
    }

    // The shot-angle dialog stays open when the main window closes; the program ends when
    // the dialog closes too.
    void angleDialogOutlivesTheWindow() {
        startGame(exe_);
        menu(6, 1); // Opzioni, Angolo
        QTRY_VERIFY_WITH_TIMEOUT(windowOpen(QStringLiteral("^Angolo di Tiro$")), 5000);
        QCOMPARE(tool("close"), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!windowOpen(QStringLiteral("^Quindra Game$")), 5000);
        QTest::qWait(500);
        QVERIFY(windowOpen(QStringLiteral("^Angolo di Tiro$")));
        QVERIFY(game_.state() != QProcess::NotRunning);
        // A click on "Annulla", as the keyboard went with the main window.
        const QString dialog =
            run(QStringLiteral("xdotool"), words("search --onlyvisible --name ^Angolo"))
                .out.trimmed();
        const QRect annulla = toQ(toPixelRect(4920, 840, 852, 372));
        QCOMPARE(click(annulla.center().x(), annulla.center().y(), dialog), 0);
        QVERIFY(game_.waitForFinished(10000));
        run(QStringLiteral("wineserver"), {QStringLiteral("-w")});
    }

    // A Linux host and this program as its guest, over loopback: the guest's real keys
    // move the red racquet on both screens, its Space serves, and both show the point.
    void aPointOverTheNetworkWithALinuxHost() {
        QVERIFY2(QFile::exists(linux_), "QUINDRA_BIN names the Linux game");
        if (game_.state() != QProcess::NotRunning)
            stopGame();
        const QString port = QString::number(47000 + QCoreApplication::applicationPid() % 1000);
        QProcess host;
        host.start(linux_, {QStringLiteral("--host"), port});
        QVERIFY(host.waitForStarted());
        const auto hostWindow = [this, &host](const char* title) {
            return run(QStringLiteral("xdotool"), words("search --all --onlyvisible --pid")
                                                      << QString::number(host.processId())
                                                      << QStringLiteral("--name")
                                                      << QLatin1String(title))
                .out.trimmed()
                .section(QLatin1Char('\n'), 0, 0);
        };
        QTRY_VERIFY_WITH_TIMEOUT(!hostWindow("^Gioca in rete$").isEmpty(), 10000);
        startGame(exe_, {QStringLiteral("--join"), QStringLiteral("127.0.0.1:") + port});
        QString linuxWindow;
        QTRY_VERIFY_WITH_TIMEOUT(!(linuxWindow = hostWindow("^Quindra Game - in rete")).isEmpty(),
                                 15000);
        QCOMPARE(xdotool(words("windowmove")
                         << linuxWindow << QStringLiteral("0") << QStringLiteral("0")),
                 0);
        // The Linux court inside its window: where its blue racquet stands, as on Windows.
        LinuxCourt fresh(0, outer_);
        const QRect blueAt = racquetBox(fresh.image(), true);
        const auto linuxCourt = [&] {
            const QImage whole = QGuiApplication::primaryScreen()
                                     ->grabWindow(linuxWindow.toULongLong())
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            const QPoint origin = racquetBox(whole, true).topLeft() - blueAt.topLeft();
            return whole.copy(QRect(origin, client_.size()));
        };
        const QRect courtRect = toQ(toPixelRect(0, 0, 7452, 5052));
        const QRegion out = leftOut(fresh.game);
        // The ball, smoothed on Linux and not on Windows, is left out where it is.
        const auto alike = [&] {
            const QImage windows = court(), linux = linuxCourt();
            const QRegion ball = ballAt(windows).adjusted(-6, -6, 6, 6);
            return differences(windows, linux, courtRect, out + ball) == 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(alike(), 5000);

        // Up twice on the Windows keyboard: the red racquet two steps up on both.
        const QRect redBefore = racquetBox(court(), false);
        QCOMPARE(click(client_.center().x(), client_.center().y()), 0); // the keyboard here
        keys("Up Up");
        QTRY_VERIFY_WITH_TIMEOUT(racquetBox(court(), false).top() < redBefore.top() - step, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(alike(), 3000);

        // The serve, and a point on both boards.
        const QRect blueLabel =
            toQ(toPixelRect(fresh.game.lblPuntoBlu.Left, fresh.game.lblPuntoBlu.Top,
                            fresh.game.lblPuntoBlu.Width, fresh.game.lblPuntoBlu.Height));
        const QRect redLabel =
            toQ(toPixelRect(fresh.game.lblPuntoRosso.Left, fresh.game.lblPuntoRosso.Top,
                            fresh.game.lblPuntoRosso.Width, fresh.game.lblPuntoRosso.Height));
        const QImage windowsBefore = court(), linuxBefore = linuxCourt();
        keys("space");
        const auto scored = [&](const QImage& now, const QImage& before) {
            return now.copy(blueLabel) != before.copy(blueLabel) ||
                   now.copy(redLabel) != before.copy(redLabel);
        };
        QTRY_VERIFY_WITH_TIMEOUT(scored(court(), windowsBefore), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(scored(linuxCourt(), linuxBefore), 3000);
        // The same side scored on both.
        QCOMPARE(court().copy(blueLabel) == windowsBefore.copy(blueLabel),
                 linuxCourt().copy(blueLabel) == linuxBefore.copy(blueLabel));
        QTRY_VERIFY_WITH_TIMEOUT(alike(), 3000);

        // The Windows program closes: the Linux host says so, and plays on alone.
        stopGame();
        QTRY_VERIFY_WITH_TIMEOUT(!hostWindow("^Quindra$").isEmpty(), 8000);
        QTRY_VERIFY_WITH_TIMEOUT(!hostWindow("^Quindra Game$").isEmpty(), 3000);
        host.terminate();
        QVERIFY(host.waitForFinished(5000));
    }

    // The other way round: this program hosts and a Linux guest joins; the guest's real
    // keys move the red racquet on the Windows screen, and its leaving is said in a box.
    void aLinuxGuestJoinsThisProgram() {
        const QString port = QString::number(46000 + QCoreApplication::applicationPid() % 1000);
        if (game_.state() != QProcess::NotRunning)
            stopGame();
        startGame(exe_, {QStringLiteral("--host"), port});
        QTRY_VERIFY_WITH_TIMEOUT(windowOpen(QStringLiteral("^Gioca in rete$")), 10000);
        QProcess guest;
        guest.start(linux_, {QStringLiteral("--join"), QStringLiteral("127.0.0.1:") + port});
        QVERIFY(guest.waitForStarted());
        QString guestWindow;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(guestWindow = run(QStringLiteral("xdotool"), words("search --all --onlyvisible --pid")
                                                               << QString::number(guest.processId())
                                                               << QStringLiteral("--name")
                                                               << QStringLiteral("in rete, "))
                                .out.trimmed()
                                .section(QLatin1Char('\n'), 0, 0))
                 .isEmpty(),
            15000);
        QVERIFY(!windowOpen(QStringLiteral("^Gioca in rete$")));
        QCOMPARE(xdotool(words("windowmove")
                         << guestWindow << QStringLiteral("0") << QStringLiteral("0")),
                 0);
        const QRect redBefore = racquetBox(court(), false);
        QCOMPARE(xdotool(words("windowfocus --sync") << guestWindow), 0);
        keys("Down Down");
        QTRY_VERIFY_WITH_TIMEOUT(racquetBox(court(), false).top() > redBefore.top() + step, 3000);
        guest.terminate();
        QVERIFY(guest.waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(windowOpen(QStringLiteral("^Quindra$")), 8000);
        keys("Return");
        QTRY_VERIFY_WITH_TIMEOUT(!windowOpen(QStringLiteral("^Quindra$")), 3000);
        stopGame();
    }

    // A call that fails is said in the game's words, never Winsock's.
    void failuresInTheGamesWords_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("says");
        addRow("nobody there", "127.0.0.1", "rifiutato: lì nessuno ospita");
        addRow("no such name", "nessuno.invalid", "Non trovo nessuno.invalid in rete");
    }
    void failuresInTheGamesWords() {
        QFETCH(QString, address);
        QFETCH(QString, says);
        if (game_.state() != QProcess::NotRunning)
            stopGame();
        QTcpServer probe; // a port nobody listens on once it is closed
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const QString port = QString::number(probe.serverPort());
        probe.close();
        startGame(exe_, {QStringLiteral("--join"), address + QLatin1Char(':') + port});
        QString text;
        QTRY_VERIFY_WITH_TIMEOUT(
            (text = wine({tool_, QStringLiteral("boxtext")}).out).contains(says), 15000);
        keys("Return");
        QTRY_VERIFY_WITH_TIMEOUT(wine({tool_, QStringLiteral("boxtext")}).code != 0, 3000);
        keys("Escape"); // the dialog's "Annulla"
        stopGame();
    }

    // A command line the program cannot take is said in a box, its fault before the usage,
    // and the program ends with status 2 without opening the game.
    void aWrongCommandLineIsSaid() {
        if (game_.state() != QProcess::NotRunning)
            stopGame();
        game_.start(QStringLiteral("wine"), {exe_, QStringLiteral("--hots")});
        QString text;
        QTRY_VERIFY_WITH_TIMEOUT(
            (text = wine({tool_, QStringLiteral("boxtext")}).out).contains("Usage: quindra"),
            15000);
        QVERIFY2(text.startsWith(QStringLiteral("unknown option '--hots'")), qPrintable(text));
        QVERIFY(!windowOpen(QStringLiteral("^Quindra Game$")));
        keys("Return");
        QVERIFY(game_.waitForFinished(10000));
        QCOMPARE(game_.exitCode(), 2);
        run(QStringLiteral("wineserver"), {QStringLiteral("-w")});
    }

    // The installer installs silently: the program, its players' README, its Start-menu
    // shortcut and its entry in the list of programs; the installed program starts. While
    // it runs, neither the installer nor the uninstaller touches a file: run silently, each
    // ends with status 2 (the uninstaller's own status, read in place). Once it is closed,
    // the uninstaller removes it all.
    void installer() {
        const QString key = QStringLiteral(
            "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quindra");
        const QDir c(prefix_.filePath(QStringLiteral("drive_c")));
        const QString folder = c.filePath(QStringLiteral("Program Files/Quindra"));
        const QString shortcut = c.filePath(
            QStringLiteral("ProgramData/Microsoft/Windows/Start Menu/Programs/Quindra.lnk"));
        if (game_.state() != QProcess::NotRunning)
            stopGame(); // any game running holds the installer back
        const auto installed = [&] {
            for (const char* file : {"quindra.exe", "uninstall.exe", "README.txt", "LICENSE.txt"})
                if (!QFile::exists(folder + QLatin1Char('/') + QLatin1String(file)))
                    return false;
            return QFile::exists(shortcut) && wine(words("reg query") << key).code == 0;
        };
        QCOMPARE(wine({setup_, QStringLiteral("/S")}).code, 0);
        run(QStringLiteral("wineserver"), {QStringLiteral("-w")});
        QVERIFY(installed());
        const Run entry = wine(words("reg query") << key);
        for (const char* value :
             {"DisplayName    REG_SZ    Quindra", "DisplayVersion    REG_SZ    1.0",
              "Publisher    REG_SZ    The Quindra developers",
              "DisplayIcon    REG_SZ    C:\\Program Files\\Quindra\\quindra.exe,0",
              "EstimatedSize    REG_DWORD", "UninstallString"})
            QVERIFY2(entry.out.contains(QLatin1String(value)), qPrintable(entry.out));

        const QString inPlace = QStringLiteral("C:\\Program Files\\Quindra");
        startGame(inPlace + QStringLiteral("\\quindra.exe"));
        QCOMPARE(client_.size(), QSize(497, 338));
        const QString uninstaller = inPlace + QStringLiteral("\\uninstall.exe");
        QCOMPARE(wine({setup_, QStringLiteral("/S")}).code, 2);
        // "_?=" runs it in place and must stand unquoted, to the line's end: in two words,
        // Wine joins them with a blank and no quotes.
        QCOMPARE(wine({uninstaller, QStringLiteral("/S"), QStringLiteral("_?=C:\\Program"),
                       QStringLiteral("Files\\Quindra")})
                     .code,
                 2);
        QVERIFY(installed());
        stopGame();

        QCOMPARE(wine({uninstaller, QStringLiteral("/S")}).code, 0);
        run(QStringLiteral("wineserver"), {QStringLiteral("-w")});
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(folder), 10000);
        QVERIFY(!QFile::exists(shortcut));
        QVERIFY(wine(words("reg query") << key).code != 0);
    }
};

QTEST_MAIN(WineGame)
#include "test_wine.moc"
