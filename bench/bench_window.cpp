// What the real window costs: time to the first paint, peak memory, and the processor
// and timing of a rally at each level. Run it under a real X server or offscreen;
// it prints figures and is not a test.
#include "app/Form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPaintEvent>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace quindra;

namespace {

long peakKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

double cpuSeconds() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(' ');
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (fields.value(13).toDouble() + fields.value(14).toDouble()) / ticks;
}

class PaintWatch : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QElapsedTimer sinceStart;
    sinceStart.start();
    Form1 form;
    PaintWatch watch;
    form.court()->installEventFilter(&watch);
    form.show();
    while (!watch.painted)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("platform %s: first paint after %lld ms\n", qPrintable(app.platformName()),
                sinceStart.elapsed());

    // Both racquets as walls: the rally never ends.
    GameCore& g = form.game();
    g.mnuAllenamento_Click();
    g.Racchetta_Rossa.Top = 0;
    g.Racchetta_Rossa.Height = 5052;

    for (const int interval : {100, 50, 40}) {
        form.setClockInterval(interval);
        std::vector<qint64> gaps;
        QElapsedTimer clock;
        QObject::connect(&form.Timer1(), &QTimer::timeout, &form, [&] {
            if (clock.isValid())
                gaps.push_back(clock.nsecsElapsed());
            clock.start();
        });
        const double cpuBefore = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        form.setClockEnabled(true);
        QEventLoop rally;
        QTimer::singleShot(5000, Qt::PreciseTimer, &rally, &QEventLoop::quit);
        rally.exec();
        form.setClockEnabled(false);
        const double cpu = (cpuSeconds() - cpuBefore) / (wall.elapsed() / 1000.0);
        QObject::disconnect(&form.Timer1(), &QTimer::timeout, &form, nullptr);
        std::sort(gaps.begin(), gaps.end());
        double mean = 0;
        for (const qint64 gap : gaps)
            mean += static_cast<double>(gap);
        mean /= static_cast<double>(gaps.size());
        const qint64 p99 = gaps[gaps.size() * 99 / 100];
        std::printf("%3d ms level: %zu ticks, mean %.2f ms, p99 %.2f ms, cpu %.1f%% of a core\n",
                    interval, gaps.size() + 1, mean / 1e6, static_cast<double>(p99) / 1e6,
                    cpu * 100);
    }
    std::printf("peak memory %ld KiB\n", peakKib());
    return 0;
}
