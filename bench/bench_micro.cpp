// Micro-benchmarks, with QtTest's QBENCHMARK: one tick of the rules, a whole paint of the
// court, and a tick with the partial paint it causes. Built with the game, run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_micro
#include "app/Form1.h"

#include <QtTest>

using namespace quindra;

namespace {

// A rally that never ends: both racquets as high as the court.
void endlessRally(GameCore& g) {
    g.mnuAllenamento_Click();
    g.Racchetta_Rossa.Top = 0;
    g.Racchetta_Rossa.Height = 5052;
    g.Pallina.Move(3000, 2000);
    g.PassoX = 200;
    g.PassoY = 37;
}

} // namespace

class MicroBench : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void tickOfTheRules() {
        Form1 form;
        GameCore& g = form.game();
        endlessRally(g);
        form.Timer1().stop();
        QBENCHMARK {
            g.Timer1_Timer();
        }
        QVERIFY(g.lblPuntoBlu.Caption == "0" && g.lblPuntoRosso.Caption == "0");
    }

    void wholePaintOfTheCourt() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const std::uint64_t before = form.court()->paints();
        int runs = 0;
        QBENCHMARK {
            form.court()->repaint();
            ++runs;
        }
        QCOMPARE(form.court()->paints() - before, std::uint64_t(runs));
    }

    void tickWithItsPaint() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        GameCore& g = form.game();
        endlessRally(g);
        form.court()->refreshNow();
        QBENCHMARK {
            g.Timer1_Timer();
            form.court()->refreshNow();
        }
    }
};

QTEST_MAIN(MicroBench)
#include "bench_micro.moc"
