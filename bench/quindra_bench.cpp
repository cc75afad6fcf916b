// quindra-bench: the real main window, its real clock and its painting, measured as the
// players feel them. Prints one JSON object per line; nothing here is a test.
//   build/bench/quindra-bench            (offscreen unless QT_QPA_PLATFORM says otherwise)
//   build/bench/quindra-bench --reaction [SECONDS]  only the computer's reaction, at each
//                                                   level for SECONDS (40)
//   tests/sound.sh build/bench/quindra-bench --sound [SECONDS]
//       only the sounds, on a sound server with a null sink, SECONDS (60) on and off
#include "BareWindow.h"
#include "Figures.h"
#include "app/Form1.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <poll.h>

using namespace quindra;
using namespace quindra::bench;

namespace {

constexpr int ticksPerLevel = 500;

// Runs the event loop until `done` quits it, or for at most `milliseconds`. Nothing polls:
// the bench's own checks would cost processor time and wake the program.
void runFor(QEventLoop& loop, int milliseconds) {
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(milliseconds);
    loop.exec();
}

// The window being timed is the one the players use: the active one. Qt works harder
// for a window that is not (each paint asks the style whether it shares activation), so
// each window is made active, and its repaint done, before its clock starts.
void makeActive(QWidget& window) {
    if (QApplication::activeWindow() == &window)
        return;
    window.activateWindow();
    QEventLoop settle;
    runFor(settle, 50);
}

void sendKey(QWidget& window, Qt::Key key, const QString& text, bool post = false) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        auto* event = new QKeyEvent(type, key, Qt::NoModifier, text);
        if (post) {
            QCoreApplication::postEvent(&window, event);
        } else {
            QCoreApplication::sendEvent(&window, event);
            delete event;
        }
    }
}

// The first painted court of a fresh process, timed from its start by this one.
double firstPaintMs(const char* program) {
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        QProcess child;
        QElapsedTimer t;
        t.start();
        child.start(QString::fromLocal8Bit(program), {QStringLiteral("--first-paint")});
        if (!child.waitForReadyRead(10000))
            return -1;
        runs.push_back(double(t.nsecsElapsed()) / 1e6);
        child.waitForFinished(10000);
    }
    return quantile(runs, 0.5);
}

// One key pressed and released.
struct Tap {
    Qt::Key key;
    QString text;
};

// Players who follow the ball with their keys, a tap at a tick while it is off their
// racquet's middle, and serve again after every point. What they press at each tick is
// kept, for the bare window to be sent the same.
class Players {
  public:
    explicit Players(Form1& form) : form_(form) {}
    void play() {
        taps.clear();
        GameCore& g = form_.game();
        if (!form_.timer(TimerId::Clock).isActive()) {
            press(Qt::Key_Space, QStringLiteral(" "));
            return;
        }
        const float ball = g.Pallina.Top + g.Pallina.Height / 2;
        follow(g.Racchetta_Rossa, ball, Qt::Key_Up, Qt::Key_Down, QString(), QString());
        follow(g.Racchetta_Blu, ball, Qt::Key_W, Qt::Key_F11, QStringLiteral("w"), QString());
    }

    std::vector<Tap> taps; // at the last tick

  private:
    void follow(const Shape& r, float ball, Qt::Key up, Qt::Key down, const QString& upText,
                const QString& downText) {
        if (ball < r.Top + 150)
            press(up, upText);
        else if (ball > r.Top + r.Height - 150)
            press(down, downText);
    }
    void press(Qt::Key key, const QString& text) {
        sendKey(form_, key, text);
        taps.push_back({key, text});
    }
    Form1& form_;
};

// A match won during the rallies ends in its message box: answer it as it takes the
// focus. Neither a timer nor an event filter: both would cost every tick something.
void answerMessageBoxes(QApplication& app) {
    QObject::connect(&app, &QApplication::focusChanged, &app, [](QWidget*, QWidget* now) {
        if (auto* box = now ? qobject_cast<QMessageBox*>(now->window()) : nullptr) {
            QMetaObject::invokeMethod(box, &QMessageBox::accept, Qt::QueuedConnection);
        }
    });
}

// What one window did over the spans it was timed.
struct TickFigures {
    std::vector<double> periods; // milliseconds, between ticks of one span and one rally
    double cpuMs = 0;
    std::uint64_t ticks = 0;
    std::uint64_t painted = 0;
    std::uint64_t paints = 0;
    std::uint64_t keys = 0;
    std::uint64_t serves = 0;
};

// The game and the bare window take turns in short spans, so that a change in the
// machine's load during the run falls on both alike.
constexpr int spans = 10;
constexpr int ticksPerSpan = ticksPerLevel / spans;

// Calls `stamp` as each of a clock's ticks arrives, before anything the tick runs.
class TickArrival : public QObject {
  public:
    explicit TickArrival(std::function<void()> stamp) : stamp_(std::move(stamp)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Timer)
            stamp_();
        return false;
    }

  private:
    std::function<void()> stamp_;
};

// What a window has painted so far.
struct PaintCount {
    std::uint64_t pixels = 0;
    std::uint64_t paints = 0;
};

// Times one span of a window's clock, up to `ticksPerSpan` ticks, the window active. A
// period runs from one tick's arrival to the next, so what a tick does cannot shift the
// clock's own figures. Both windows are timed through this same code, so the bench's own
// work at each tick falls on both alike; `step` is what else happens at a tick (the
// players' keys). Returns whether the clock was still running at the end; it is stopped.
template <class Start, class Step>
bool timeSpan(QWidget& window, QTimer& timer, const std::function<PaintCount()>& painted,
              Start start, Step step, TickFigures& f) {
    makeActive(window);
    const PaintCount before = painted();
    QElapsedTimer clock;
    clock.start();
    qint64 arrived = -1;
    qint64 last = -1;
    std::uint64_t ticks = 0;
    TickArrival arrival([&] {
        arrived = clock.nsecsElapsed();
        if (last >= 0)
            f.periods.push_back(double(arrived - last) / 1e6);
    });
    timer.installEventFilter(&arrival);
    QEventLoop loop;
    const QMetaObject::Connection tick = QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        ++ticks;
        // A tick that ends the rally stops the clock: the next rally starts afresh.
        last = timer.isActive() ? arrived : -1;
        step();
        if (ticks >= std::uint64_t(ticksPerSpan))
            loop.quit();
    });
    const double cpuBefore = processCpuMs();
    start();
    runFor(loop, 60000);
    QObject::disconnect(tick);
    timer.removeEventFilter(&arrival);
    const bool running = timer.isActive();
    timer.stop();
    QCoreApplication::processEvents(); // the last tick's paint
    f.cpuMs += processCpuMs() - cpuBefore;
    const PaintCount after = painted();
    f.painted += after.pixels - before.pixels;
    f.paints += after.paints - before.paints;
    f.ticks += ticks;
    return running;
}

// What the players pressed in one span: before its first tick, then at each tick.
using Script = std::vector<std::vector<Tap>>;

void countTaps(const Script& script, TickFigures& f) {
    for (const std::vector<Tap>& taps : script)
        for (const Tap& tap : taps)
            ++(tap.key == Qt::Key_Space ? f.serves : f.keys);
}

// One span of real rallies: a rally the last span left running goes on, otherwise the
// players serve. The clock is stopped again at the end, wherever the ball is.
void gameSpan(Form1& form, Players& players, bool& paused, Script& script, TickFigures& f) {
    script.clear();
    const auto start = [&] {
        players.taps.clear();
        if (paused)
            form.table().setClockEnabled(true);
        else
            players.play(); // the serve
        script.push_back(players.taps);
    };
    const auto step = [&] {
        players.play();
        script.push_back(players.taps);
    };
    const CourtView& court = *form.court();
    const auto painted = [&court] { return PaintCount{court.paintedPixels(), court.paints()}; };
    paused = timeSpan(form, form.timer(TimerId::Clock), painted, start, step, f);
    countTaps(script, f);
}

// The bare window is sent what the players pressed in the game's span, tick by tick: Qt's
// own work for a key falls on both windows, and what is left is the game's.
void bareSpan(BareWindow& bare, int levelMs, const Script& script, TickFigures& f) {
    std::size_t next = 0;
    const auto replay = [&] {
        if (next >= script.size())
            return;
        for (const Tap& tap : script[next])
            sendKey(bare, tap.key, tap.text);
        ++next;
    };
    const auto start = [&] {
        bare.timer().start(levelMs);
        replay();
    };
    const auto painted = [&bare] { return PaintCount{bare.paintedPixels(), bare.paints()}; };
    timeSpan(bare, bare.timer(), painted, start, replay, f);
    countTaps(script, f);
}

// One line of figures; the game's and the bare window's have the same fields.
void printFigures(const char* kind, int levelMs, const TickFigures& f, const char* extra) {
    std::vector<double> deviations;
    double sum = 0;
    for (const double p : f.periods) {
        deviations.push_back(std::abs(p - levelMs));
        sum += p;
    }
    const double ticks = double(f.ticks);
    std::printf("{\"kind\":\"%s\",\"level_ms\":%d,\"ticks\":%llu,\"mean_period_ms\":%.3f,"
                "\"p50_abs_dev_ms\":%.3f,\"p99_abs_dev_ms\":%.3f,\"max_abs_dev_ms\":%.3f,"
                "\"cpu_ms_per_tick\":%.4f,\"painted_px_per_tick\":%.1f,\"paints_per_tick\":%.3f,"
                "\"keys_per_tick\":%.3f,\"serves\":%llu%s}\n",
                kind, levelMs, static_cast<unsigned long long>(f.ticks),
                sum / double(f.periods.size()), quantile(deviations, 0.5),
                quantile(deviations, 0.99), quantile(deviations, 1.0), f.cpuMs / ticks,
                double(f.painted) / ticks, double(f.paints) / ticks, double(f.keys) / ticks,
                static_cast<unsigned long long>(f.serves), extra);
}

void measureLevel(const char* program, Form1& form, BareWindow& bare, int levelMs, QAction* level) {
    level->trigger();
    QProcess hostClock;
    hostClock.start(QString::fromLocal8Bit(program),
                    {QStringLiteral("--host-clock"), QString::number(levelMs)});
    hostClock.waitForStarted();
    Players players(form);
    TickFigures game;
    TickFigures baseline;
    bool paused = false;
    Script script;
    for (int i = 0; i < spans; ++i) {
        gameSpan(form, players, paused, script, game);
        bareSpan(bare, levelMs, script, baseline);
    }
    hostClock.closeWriteChannel();
    hostClock.waitForFinished(10000);
    printFigures("tick", levelMs, game, "");
    char ratio[64];
    std::snprintf(ratio, sizeof ratio, ",\"game_cpu_ratio\":%.3f",
                  (game.cpuMs / double(game.ticks)) / (baseline.cpuMs / double(baseline.ticks)));
    printFigures("baseline", levelMs, baseline, ratio);
    unsigned long periods = 0;
    double p50 = -1, p99 = -1;
    std::sscanf(hostClock.readAllStandardOutput().constData(), "%lu %lf %lf", &periods, &p50, &p99);
    std::printf("{\"kind\":\"host\",\"level_ms\":%d,\"periods\":%lu,\"p50_abs_dev_ms\":%.3f,"
                "\"p99_abs_dev_ms\":%.3f}\n",
                levelMs, periods, p50, p99);
}

void measureKeys(Form1& form) {
    // While a serve waits: each key moves a racquet, and the time runs from the key's
    // arrival in the queue to the end of the paint that shows it.
    makeActive(form);
    form.menuTree()[MenuItem::mnuNuovaPartita]->trigger();
    CourtView* court = form.court();
    QElapsedTimer clock;
    clock.start();
    qint64 paintedAt = -1;
    QEventLoop loop;
    court->setPaintObserver([&] {
        paintedAt = clock.nsecsElapsed();
        loop.quit();
    });
    const struct {
        Qt::Key key;
        const char* text;
    } keys[] = {{Qt::Key_Up, ""}, {Qt::Key_Down, ""}, {Qt::Key_A, "a"}, {Qt::Key_Z, "z"}};
    std::vector<double> latencies;
    for (int i = 0; i < 240; ++i) {
        const auto& k = keys[i % 4];
        paintedAt = -1;
        const qint64 sent = clock.nsecsElapsed();
        sendKey(form, k.key, QString::fromLatin1(k.text), true);
        runFor(loop, 500);
        if (paintedAt >= 0)
            latencies.push_back(double(paintedAt - sent) / 1e6);
        QCoreApplication::processEvents();
    }
    court->setPaintObserver(nullptr);
    std::printf("{\"kind\":\"key\",\"presses\":%zu,\"p50_ms\":%.3f,\"p99_ms\":%.3f}\n",
                latencies.size(), quantile(latencies, 0.5), quantile(latencies, 0.99));
}

// The computer against a left player who serves and stands still, in the real window: from
// the paint that shows the ball change course (a serve, a hit, an edge) to the paint of the
// red racquet's first step after it, when the racquet had stood still for longer than a held
// key waits to repeat, so that the step is its answer and not a move it had begun. A change
// left unanswered for a second needed no step; the next change starts the count again.
void measureReaction(Form1& form, int levelMs, QAction* level, int seconds) {
    makeActive(form);
    level->trigger();
    form.menuTree()[MenuItem::mnuComputer]->trigger();
    form.menuTree()[MenuItem::mnuNuovaPartita]->trigger();
    const GameCore& g = form.game();
    QElapsedTimer clock;
    clock.start();
    std::int32_t passoX = g.PassoX, passoY = g.PassoY;
    bool running = false;
    float redTop = g.Racchetta_Rossa.Top;
    double lastStep = -1e9, change = -1;
    std::vector<double> delays;
    form.court()->setPaintObserver([&] {
        const double now = double(clock.nsecsElapsed()) / 1e6;
        const bool on = form.table().clockEnabled();
        if (g.Racchetta_Rossa.Top != redTop) {
            redTop = g.Racchetta_Rossa.Top;
            if (change >= 0 && lastStep < change - 600)
                delays.push_back(now - change);
            change = -1;
            lastStep = now;
        }
        if (on && (!running || g.PassoX != passoX || g.PassoY != passoY) &&
            (change < 0 || now - change > 1000))
            change = now;
        running = on;
        passoX = g.PassoX;
        passoY = g.PassoY;
    });
    // The left player serves half a second after its serve falls due.
    QTimer server;
    QObject::connect(&server, &QTimer::timeout, [&] {
        if (form.table().clockEnabled() || g.Battuta != 0)
            return;
        sendKey(form, Qt::Key_Space, QStringLiteral(" "));
        // The serve paints nothing until the ball's first step: its time is the key's.
        if (form.table().clockEnabled() && !running) {
            change = double(clock.nsecsElapsed()) / 1e6;
            running = true;
        }
    });
    server.start(500);
    QEventLoop loop;
    runFor(loop, seconds * 1000);
    server.stop();
    form.court()->setPaintObserver(nullptr);
    form.menuTree()[MenuItem::mnuComputer]->trigger();
    std::printf("{\"kind\":\"reaction\",\"level_ms\":%d,\"answers\":%zu,\"min_ms\":%.1f,"
                "\"p50_ms\":%.1f,\"p99_ms\":%.1f,\"max_ms\":%.1f}\n",
                levelMs, delays.size(), quantile(delays, 0), quantile(delays, 0.5),
                quantile(delays, 0.99), quantile(delays, 1));
}

// A rally of hits, the left racquet a training wall and the red one always where the ball
// comes, its clock at 20 ms, for `seconds` with "Suoni" on and as long with it off: the
// processor time of the whole process per tick, sound thread included, each way; and with
// it on, for every sound, from its start in the tick until its first sample is handed to
// the device (through PulseAudio's plugin, to the server), and until that sample's turn to
// play, as the device counts what it holds ahead of it (snd_pcm_delay); and then, as a
// serve waits after a last sound, the processor time a second.
void measureSound(Form1& form, int seconds) {
    makeActive(form);
    form.menuTree()[MenuItem::mnuAllenamento]->trigger();
    GameCore& g = form.game();
    std::mutex mutex;
    std::vector<double> handed, toPlay;
    form.sound().setOnsetObserver([&](double h, double p) {
        const std::lock_guard lock(mutex);
        handed.push_back(h);
        toPlay.push_back(p);
    });
    std::uint64_t ticks = 0;
    form.court()->setPaintObserver([&] {
        ++ticks;
        g.Racchetta_Rossa.Top = g.Pallina.Top - g.Racchetta_Rossa.Height / 2;
    });
    double cpu[2] = {0, 0};
    std::uint64_t counted[2] = {0, 0};
    for (const bool on : {true, false}) {
        if (g.menu.mnuSuoni != on)
            form.menuTree()[MenuItem::mnuSuoni]->trigger();
        sendKey(form, Qt::Key_Space, QStringLiteral(" "));
        form.table().setClockInterval(20);
        const double cpuBefore = processCpuMs();
        const std::uint64_t ticksBefore = ticks;
        QEventLoop loop;
        runFor(loop, seconds * 1000);
        cpu[on] = processCpuMs() - cpuBefore;
        counted[on] = ticks - ticksBefore;
    }
    form.court()->setPaintObserver(nullptr);
    form.sound().setOnsetObserver(nullptr);
    form.menuTree()[MenuItem::mnuSuoni]->trigger();
    form.menuTree()[MenuItem::mnuNuovaPartita]->trigger();
    // A serve waits after a last sound: what the sound output costs while nothing plays.
    form.sound().play(Sound::Serve);
    QEventLoop settle;
    runFor(settle, 3000);
    const double cpuIdle = processCpuMs();
    QEventLoop idle;
    runFor(idle, 10000);
    const double idleMsPerSecond = (processCpuMs() - cpuIdle) / 10;
    const std::lock_guard lock(mutex);
    std::printf("{\"kind\":\"sound\",\"sounds\":%zu,\"handed_p50_ms\":%.1f,"
                "\"handed_p99_ms\":%.1f,\"to_play_p50_ms\":%.1f,\"to_play_p99_ms\":%.1f,"
                "\"paints_on\":%llu,\"cpu_ms_per_paint_on\":%.4f,"
                "\"paints_off\":%llu,\"cpu_ms_per_paint_off\":%.4f,\"cpu_ms_per_sound\":%.2f,"
                "\"cpu_ms_per_s_waiting\":%.2f}\n",
                handed.size(), quantile(handed, 0.5), quantile(handed, 0.99), quantile(toPlay, 0.5),
                quantile(toPlay, 0.99), (unsigned long long)counted[1], cpu[1] / double(counted[1]),
                (unsigned long long)counted[0], cpu[0] / double(counted[0]),
                (cpu[1] / double(counted[1]) - cpu[0] / double(counted[0])) * double(counted[1]) /
                    double(std::max<std::size_t>(1, handed.size())),
                idleMsPerSecond);
}

void measureIdle(Form1& form) {
    form.menuTree()[MenuItem::mnuNuovaPartita]->trigger(); // a serve waits
    QCoreApplication::processEvents();
    int wakeups = 0;
    const auto counter = QObject::connect(QAbstractEventDispatcher::instance(),
                                          &QAbstractEventDispatcher::awake, [&] { ++wakeups; });
    const double seconds = 20;
    QEventLoop loop;
    runFor(loop, int(seconds * 1000));
    QObject::disconnect(counter);
    // The last wake-up is the bench's own: the timer that ends the wait.
    std::printf("{\"kind\":\"idle\",\"seconds\":%.0f,\"wakeups_per_s\":%.3f}\n", seconds,
                std::max(0, wakeups - 1) / seconds);
}

// The machine's own clock: a process with no Qt, woken by poll at deadlines one level's
// interval apart, its periods measured as the ticks' are, until its input closes. It runs
// beside the windows while they are timed, so a late wake-up of the machine's shows in its
// figures as in theirs; its processor time is not the bench's.
int hostClockChild(int intervalMs) {
    const auto nanoseconds = [] {
        timespec t{};
        clock_gettime(CLOCK_MONOTONIC, &t);
        return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
    };
    const std::int64_t interval = std::int64_t(intervalMs) * 1000000;
    std::int64_t deadline = nanoseconds() + interval;
    std::int64_t last = -1;
    std::vector<double> deviations;
    pollfd input{0, POLLIN, 0};
    for (;;) {
        const std::int64_t wait = std::max<std::int64_t>(deadline - nanoseconds(), 0);
        const timespec timeout{time_t(wait / 1000000000), long(wait % 1000000000)};
        if (ppoll(&input, 1, &timeout, nullptr) != 0)
            break; // the bench is done with this level
        const std::int64_t woke = nanoseconds();
        if (last >= 0)
            deviations.push_back(std::abs(double(woke - last - interval) / 1e6));
        last = woke;
        deadline += interval;
    }
    std::printf("%zu %.3f %.3f\n", deviations.size(), quantile(deviations, 0.5),
                quantile(deviations, 0.99));
    return 0;
}

int firstPaintChild(int argc, char** argv) {
    QApplication app(argc, argv);
    Form1 form;
    form.court()->setPaintObserver([] {
        std::puts("painted");
        std::fflush(stdout);
        std::_Exit(0);
    });
    form.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], "--first-paint") == 0)
        return firstPaintChild(argc, argv);
    if (argc > 2 && std::strcmp(argv[1], "--host-clock") == 0)
        return hostClockChild(std::max(1, std::atoi(argv[2])));

    QApplication app(argc, argv);
    const bool reactionOnly = argc > 1 && std::strcmp(argv[1], "--reaction") == 0;
    const bool soundOnly = argc > 1 && std::strcmp(argv[1], "--sound") == 0;
    const double firstPaint = reactionOnly || soundOnly ? 0 : firstPaintMs(argv[0]);
    Form1 form;
    form.show();
    QEventLoop shown;
    runFor(shown, 200);

    answerMessageBoxes(app);
    const MenuTree& m = form.menuTree();
    const std::pair<int, QAction*> levels[] = {
        {100, m[MenuItem::mnuPri]}, {50, m[MenuItem::mnuInt]}, {40, m[MenuItem::mnuPro]}};
    if (soundOnly) {
        measureSound(form, argc > 2 ? std::max(1, std::atoi(argv[2])) : 60);
        return 0;
    }
    if (reactionOnly) {
        const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 40;
        for (const auto& [levelMs, item] : levels)
            measureReaction(form, levelMs, item, seconds);
        return 0;
    }
    BareWindow bare;
    bare.show();
    runFor(shown, 200);
    // Each level beside the bare window at the same pace, so the two compare like with like.
    for (const auto& [levelMs, item] : levels)
        measureLevel(argv[0], form, bare, levelMs, item);
    measureKeys(form);
    for (const auto& [levelMs, item] : levels)
        measureReaction(form, levelMs, item, 40);
    measureIdle(form);
    std::printf("{\"kind\":\"startup\",\"first_paint_ms\":%.1f}\n", firstPaint);
    std::printf("{\"kind\":\"memory\",\"peak_rss_mib\":%.1f}\n", peakRssMib());
    return 0;
}
