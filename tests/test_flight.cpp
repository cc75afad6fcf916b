// The rally: the ball's step, the racquets' windows, the spin, the edges and the ends.
#include "FakePlatform.h"

#include "app/Modulo1.h"

#include <QtTest>

using namespace quindra;
using namespace std::string_literals;
using namespace quindra::testing;

class FlightTest : public QObject {
    Q_OBJECT

  private:
    // A ball alone in mid-court, far from racquets and edges.
    static void placeBall(GameCore& g, float left, float top, int passoX, int passoY) {
        g.Pallina.Move(left, top);
        g.PassoX = passoX;
        g.PassoY = passoY;
    }

  private slots:
    void tickMovesByBothSteps() {
        StartedGame s;
        placeBall(s.game, 3000, 2000, 200, -37);
        s.host.clock = true;
        s.game.Timer1_Timer();
        QCOMPARE(s.game.Pallina.Left, 3200.0f);
        QCOMPARE(s.game.Pallina.Top, 1963.0f);
        QCOMPARE(s.game.PassoX, 200);
        QCOMPARE(s.game.PassoY, -37);
        QCOMPARE(s.game.Pallina.Width, 132.0f);
    }

    void spinWorkedValues_data() {
        QTest::addColumn<float>("height");
        QTest::addColumn<int>("dis");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("step");
        QTest::newRow("900 top") << 900.0f << 0 << 800 << -200;
        QTest::newRow("900 at 100") << 900.0f << 100 << 800 << -155;
        QTest::newRow("900 at 300") << 900.0f << 300 << 800 << -66;
        QTest::newRow("900 at 447") << 900.0f << 447 << 800 << -1;
        QTest::newRow("900 at 448") << 900.0f << 448 << 800 << 0;
        QTest::newRow("900 at 449") << 900.0f << 449 << 800 << 0;
        QTest::newRow("900 middle") << 900.0f << 450 << 800 << 0;
        QTest::newRow("900 at 452") << 900.0f << 452 << 800 << 0;
        QTest::newRow("900 at 453") << 900.0f << 453 << 800 << 1;
        QTest::newRow("900 at 600") << 900.0f << 600 << 800 << 66;
        QTest::newRow("900 bottom") << 900.0f << 900 << 800 << 200;
        QTest::newRow("450 top") << 450.0f << 0 << 800 << -200;
        QTest::newRow("450 at 100") << 450.0f << 100 << 800 << -111;
        QTest::newRow("450 middle") << 450.0f << 225 << 800 << 0;
        QTest::newRow("450 bottom") << 450.0f << 450 << 800 << 200;
        QTest::newRow("flattest angle") << 900.0f << 0 << 500 << -125;
        QTest::newRow("steepest angle") << 900.0f << 900 << 1200 << 300;
        QTest::newRow("wall top") << 5052.0f << 0 << 800 << -200;
        QTest::newRow("wall bottom") << 5052.0f << 5052 << 800 << 200;
        // Heights are rounded halves-to-even first: 900.5 counts as 900.
        QTest::newRow("half twip rounds to even") << 900.5f << 0 << 800 << -200;
    }

    void spinWorkedValues() {
        QFETCH(float, height);
        QFETCH(int, dis);
        QFETCH(int, angle);
        QFETCH(int, step);
        StartedGame s;
        AngoloTiro = static_cast<std::int16_t>(angle);
        s.game.Racchetta_Rossa.Height = height;
        s.game.Racchetta_Blu.Height = height;
        QCOMPARE(s.game.Rilascia_Effetto(dis, "R"), step);
        QCOMPARE(s.game.Rilascia_Effetto(dis, "B"), step);
    }

    void spinReadsTheNamedRacquet() {
        StartedGame s;
        s.game.Racchetta_Rossa.Height = 450;
        s.game.Racchetta_Blu.Height = 900;
        QCOMPARE(s.game.Rilascia_Effetto(100, "R"), -111);
        QCOMPARE(s.game.Rilascia_Effetto(100, "B"), -155);
        QCOMPARE(s.game.Rilascia_Effetto(100, "r"), -155); // anything but "R" is the blue one
    }

    void randomSpin_data() {
        QTest::addColumn<float>("signDraw");
        QTest::addColumn<float>("sizeDraw");
        QTest::addColumn<int>("step");
        const float belowOne = 0.99999994f;
        QTest::newRow("smallest down") << 0.0f << 0.0f << 1;
        QTest::newRow("largest down") << 0.49999997f << belowOne << 100;
        QTest::newRow("smallest up") << 0.5f << 0.0f << -1;
        QTest::newRow("largest up") << belowOne << belowOne << -100;
        QTest::newRow("middle") << 0.25f << 0.5f << 51;
    }

    void randomSpin() {
        QFETCH(float, signDraw);
        QFETCH(float, sizeDraw);
        QFETCH(int, step);
        StartedGame s;
        const int reseedsBefore = s.host.reseeds;
        AngoloTiro = 1200; // plays no part in a random step
        s.host.draws = {signDraw, sizeDraw};
        QCOMPARE(s.game.Rilascia_Effetto(-1, "R"), step);
        QCOMPARE(s.host.reseeds, reseedsBefore + 1);
        QVERIFY(s.host.draws.empty());
    }

    void redWindow_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<bool>("met");
        QTest::addColumn<int>("passoY");
        // Red racquet at 6600, 2160, 132 x 900: window from 6400 (in) to 6732 (out).
        QTest::newRow("window opens") << 6400.0f << 2160.0f << true << -200;
        QTest::newRow("just before") << 6399.0f << 2160.0f << false << 7;
        QTest::newRow("last twip") << 6731.0f << 2160.0f << true << -200;
        QTest::newRow("right edge") << 6732.0f << 2160.0f << false << 7;
        QTest::newRow("level with bottom") << 6500.0f << 3060.0f << true << 200;
        QTest::newRow("below bottom") << 6500.0f << 3061.0f << false << 7;
        QTest::newRow("a twip above top") << 6500.0f << 2159.0f << false << 7;
        QTest::newRow("middle") << 6500.0f << 2610.0f << true << 0;
    }

    void redWindow() {
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(bool, met);
        QFETCH(int, passoY);
        StartedGame s;
        placeBall(s.game, left, top, 200, 7);
        QCOMPARE(s.game.Incontra_Rossa(), met);
        QCOMPARE(s.game.PassoY, passoY);
        QCOMPARE(s.game.Pallina.Left, left); // a contact never moves the ball
    }

    void blueWindow_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<bool>("met");
        QTest::addColumn<int>("passoY");
        // Blue racquet at 720, 1920, 900 high: window above 720 up to 720 + 132 + 100.
        QTest::newRow("racquet's left edge") << 720.0f << 1920.0f << false << 7;
        QTest::newRow("a twip inside") << 721.0f << 1920.0f << true << -200;
        QTest::newRow("window closes") << 952.0f << 1920.0f << true << -200;
        QTest::newRow("just beyond") << 953.0f << 1920.0f << false << 7;
        QTest::newRow("level with bottom") << 800.0f << 2820.0f << true << 200;
        QTest::newRow("a twip above top") << 800.0f << 1919.0f << false << 7;
    }

    void blueWindow() {
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(bool, met);
        QFETCH(int, passoY);
        StartedGame s;
        placeBall(s.game, left, top, -200, 7);
        QCOMPARE(s.game.Incontra_Blu(), met);
        QCOMPARE(s.game.PassoY, passoY);
    }

    void blueWindowUsesTheBallsWidth() {
        StartedGame s;
        s.game.Pallina.Width = 300; // the window widens with the ball, not the racquet
        placeBall(s.game, 1120, 2000, -200, 7);
        QVERIFY(s.game.Incontra_Blu());
        s.game.Pallina.Width = 100;
        QVERIFY(!s.game.Incontra_Blu());
    }

    void edges_data() {
        QTest::addColumn<float>("top");
        QTest::addColumn<bool>("bounced");
        QTest::addColumn<float>("after");
        const float bottom = fakeOuterHeight - 750;
        QTest::newRow("top at 100") << 100.0f << true << 101.0f;
        QTest::newRow("above the top") << -40.0f << true << 101.0f;
        QTest::newRow("top at 101") << 101.0f << false << 101.0f;
        QTest::newRow("bottom limit") << bottom << true << fakeOuterHeight - 749;
        QTest::newRow("a twip short") << bottom - 1 << false << bottom - 1;
    }

    void edges() {
        QFETCH(float, top);
        QFETCH(bool, bounced);
        QFETCH(float, after);
        StartedGame s;
        placeBall(s.game, 3000, top, 200, 50);
        QCOMPARE(s.game.Rimbalza(), bounced);
        QCOMPARE(s.game.Pallina.Top, after);
        QCOMPARE(s.game.Pallina.Left, 3000.0f);
    }

    // A ball rising from inside the bottom edge must not be sent back there on every tick:
    // it flies on and the rally ends within the ticks it needs to cross the court.
    void lowBallsStillLeaveTheCourt_data() {
        QTest::addColumn<bool>("serve");
        QTest::newRow("serve of step +1 from the lowest stop") << true;
        QTest::newRow("straight return from the middle of the lowest racquet") << false;
    }

    void lowBallsStillLeaveTheCourt() {
        QFETCH(bool, serve);
        StartedGame s;
        // The striker's racquet as low as it goes; the other stays where the ball misses it.
        for (int i = 0; i < 40; ++i)
            s.game.ControllaTasti(serve ? 90 : 40);
        if (serve) {
            s.game.Battuta = 0;
            s.host.draws = {0.1f, 0.0f}; // downward, magnitude 1
            s.game.batte();
            QCOMPARE(s.game.PassoY, 1);
        } else {
            const Shape& red = s.game.Racchetta_Rossa;
            placeBall(s.game, red.Left - 300, red.Top + red.Height / 2, 200, 0);
        }
        QVERIFY(s.game.Pallina.Top >= fakeOuterHeight - 750 - 200);
        s.host.clock = true;
        const int crossing = int(fakeOuterWidth / 200) + 2;
        int ticks = 0;
        while (s.host.clock && ticks < crossing) {
            s.game.Timer1_Timer();
            ++ticks;
        }
        QVERIFY2(!s.host.clock, "the rally never ended");
        const std::string points = s.game.lblPuntoBlu.Caption + "-" + s.game.lblPuntoRosso.Caption;
        QCOMPARE(points, std::string(serve ? "15-0" : "0-15"));
    }

    void bottomEdgeLetsARisingBallGo() {
        StartedGame s;
        const float bottom = fakeOuterHeight - 750;
        placeBall(s.game, 3000, bottom + 10, 200, -3);
        QVERIFY(!s.game.Rimbalza());
        QCOMPARE(s.game.Pallina.Top, bottom + 10);
        s.game.PassoY = 3;
        QVERIFY(s.game.Rimbalza());
        QCOMPARE(s.game.Pallina.Top, bottom + 1);
    }

    void ends_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<bool>("out");
        QTest::addColumn<QString>("winner");
        QTest::newRow("left edge") << 0.0f << false << "";
        QTest::newRow("past the left") << -0.5f << true << "Rossa";
        QTest::newRow("outer width") << fakeOuterWidth << false << "";
        QTest::newRow("past the right") << fakeOuterWidth + 1 << true << "Blu";
        QTest::newRow("mid-court") << 3700.0f << false << "";
    }

    void ends() {
        QFETCH(float, left);
        QFETCH(bool, out);
        QFETCH(QString, winner);
        StartedGame s;
        placeBall(s.game, left, 2000, 200, 0);
        QCOMPARE(s.game.Va_Fouri(), out);
        QCOMPARE(QString::fromStdString(s.game.Stabilisce_Vittoria()), winner);
    }

    void racquetComesBeforeTheEdge() {
        StartedGame s;
        s.game.Racchetta_Rossa.Top = 0;
        placeBall(s.game, 6300, 150, 200, -100); // lands at 6500, 50: in the window, above 100
        s.host.clock = true;
        s.game.Timer1_Timer();
        QCOMPARE(s.game.PassoX, -200);
        QCOMPARE(s.game.PassoY, -177); // from the contact (Dis 50 of 900), not negated
        QCOMPARE(s.game.Pallina.Top, 50.0f);
    }

    void racquetComesBeforeTheEnd() {
        StartedGame s;
        s.game.Racchetta_Blu.Left = -150; // window from -150 (out) to 82 (in)
        s.game.Racchetta_Blu.Top = 1500;
        placeBall(s.game, 150, 2000, -200, 0); // lands at -50: past the end and in the window
        s.host.clock = true;
        s.game.Timer1_Timer();
        QCOMPARE(s.game.PassoX, 200);
        QCOMPARE(s.game.lblPuntoRosso.Caption, std::string("0"));
        QVERIFY(s.host.clock);
    }

    void edgeComesBeforeTheEnd() {
        StartedGame s;
        placeBall(s.game, 7500, 150, 200, -100); // past the right end and above the top
        s.host.clock = true;
        s.game.Timer1_Timer();
        QCOMPARE(s.game.PassoY, 100);
        QCOMPARE(s.game.lblPuntoBlu.Caption, std::string("0"));
        s.game.Timer1_Timer(); // found out on the next tick
        QCOMPARE(s.game.lblPuntoBlu.Caption, std::string("15"));
    }

    void outLeftScoresForRed() {
        StartedGame s;
        s.game.Battuta = 0;
        placeBall(s.game, 100, 2000, -200, 0);
        s.host.clock = true;
        s.game.Timer1_Timer();
        QCOMPARE(s.game.lblPuntoRosso.Caption, std::string("15"));
        QCOMPARE(s.game.lblPuntoBlu.Caption, std::string("0"));
        // The next serve waits at the same server's racquet with the clock off.
        QVERIFY(!s.host.clock);
        QCOMPARE(s.game.Pallina.Left, 852.0f);
        QCOMPARE(s.game.PassoX, 200);
    }

    void stepSizeNeverChangesInARally() {
        StartedGame s;
        s.host.clock = true;
        for (int i = 0; i < 400 && s.host.clock; ++i) {
            s.game.Timer1_Timer();
            QCOMPARE(std::abs(s.game.PassoX), 200);
        }
    }

    void aTickDuringTheMatchEndMessageIsDropped() {
        StartedGame s;
        s.game.lblSet_Sin[0].Caption = "5"s;
        s.game.lblPuntoBlu.Caption = "40"s;
        placeBall(s.game, 7500, 2000, 200, 0);
        s.host.clock = true;
        float leftWhileOpen = 0;
        std::string pointsWhileOpen;
        s.host.whileMessageOpen = [&] {
            // The clock is still on: ticks fall due while the box waits.
            QVERIFY(s.host.clock);
            s.game.Timer1_Timer();
            s.game.Timer1_Timer();
            leftWhileOpen = s.game.Pallina.Left;
            pointsWhileOpen = s.game.lblPuntoBlu.Caption;
        };
        s.game.Timer1_Timer();
        QCOMPARE(s.host.messages.size(), std::size_t(1));
        QCOMPARE(leftWhileOpen, 7700.0f); // not moved again
        QCOMPARE(pointsWhileOpen, std::string("2V"));
        QCOMPARE(s.game.lblSet_Sin[0].Caption, std::string("0")); // the new match has begun
        QVERIFY(!s.host.clock);
        // And the guard is released: the next tick runs.
        s.host.clock = true;
        const float before = s.game.Pallina.Left;
        s.game.Timer1_Timer();
        QVERIFY(s.game.Pallina.Left != before);
    }
};

QTEST_APPLESS_MAIN(FlightTest)
#include "test_flight.moc"
