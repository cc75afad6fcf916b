// Micro-benchmarks, with QtTest's QBENCHMARK: one tick of the rules, a whole paint of the
// court, and a key or a tick with the partial paint it causes. Built with the game, run by hand:
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
        form.table().setClockEnabled(false);
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

    // A racquet key pressed and released, and the paint that shows the racquet's move.
    void keyWithItsPaint() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCoreApplication::sendPostedEvents();
        int i = 0;
        const std::uint64_t before = form.court()->paints();
        QBENCHMARK {
            const Qt::Key key = (++i & 1) ? Qt::Key_Up : Qt::Key_Down;
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent event(type, key, Qt::NoModifier, QString());
                QCoreApplication::sendEvent(&form, &event);
            }
            QCoreApplication::sendPostedEvents();
        }
        // Up and down in turn from the middle: every press moves the racquet and is painted.
        QCOMPARE(form.court()->paints() - before, std::uint64_t(i));
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
