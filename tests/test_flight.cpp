// The rally: the ball's step, the racquets' windows, the spin, the edges and the ends.
#include "FakePlatform.h"

#include "app/Modulo1.h"

#include <QtTest>

using namespace quindra;
using namespace std::string_literals;
using namespace quindra::testing;

namespace {

void placeBall(GameCore& g, float left, float top, int passoX, int passoY) {
    g.Pallina.Move(left, top);
    g.PassoX = passoX;
    g.PassoY = passoY;
}

std::string points(const GameCore& g) {
    return g.lblPuntoBlu.Caption + "-" + g.lblPuntoRosso.Caption;
}

} // namespace

class FlightTest : public QObject {
    Q_OBJECT

  private slots:
    void spin_data() {
        QTest::addColumn<float>("height");
        QTest::addColumn<int>("dis");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("step");
        QTest::newRow("top") << 900.0f << 0 << 800 << -200;
        QTest::newRow("at 100") << 900.0f << 100 << 800 << -155;
        QTest::newRow("at 447") << 900.0f << 447 << 800 << -1;
        QTest::newRow("at 448") << 900.0f << 448 << 800 << 0;
        QTest::newRow("at 452") << 900.0f << 452 << 800 << 0;
        QTest::newRow("at 453") << 900.0f << 453 << 800 << 1;
        QTest::newRow("bottom") << 900.0f << 900 << 800 << 200;
        QTest::newRow("small at 100") << 450.0f << 100 << 800 << -111;
        QTest::newRow("flattest angle") << 900.0f << 0 << 500 << -125;
        QTest::newRow("steepest angle") << 900.0f << 900 << 1200 << 300;
        QTest::newRow("wall bottom") << 5052.0f << 5052 << 800 << 200;
        QTest::newRow("half twip rounds to even") << 900.5f << 0 << 800 << -200;
    }

    // Only the named racquet's height counts; anything but "R" is the blue one.
    void spin() {
        QFETCH(float, height);
        QFETCH(int, dis);
        QFETCH(int, angle);
        QFETCH(int, step);
        StartedGame s;
        AngoloTiro = static_cast<std::int16_t>(angle);
        s.game.Racchetta_Rossa.Height = height;
        s.game.Racchetta_Blu.Height = 333;
        QCOMPARE(s.game.Rilascia_Effetto(dis, "R"), step);
        std::swap(s.game.Racchetta_Rossa.Height, s.game.Racchetta_Blu.Height);
        QCOMPARE(s.game.Rilascia_Effetto(dis, "r"), step);
    }

    void randomSpin_data() {
        QTest::addColumn<float>("signDraw");
        QTest::addColumn<float>("sizeDraw");
        QTest::addColumn<int>("step");
        const float belowOne = 0.99999994f;
        QTest::newRow("smallest down") << 0.0f << 0.0f << 1;
        QTest::newRow("largest down") << 0.49999997f << belowOne << 100;
        QTest::newRow("smallest up") << 0.5f << 0.0f << -1;
        QTest::newRow("middle") << 0.25f << 0.5f << 51;
    }

    void randomSpin() {
        QFETCH(float, signDraw);
        QFETCH(float, sizeDraw);
        QFETCH(int, step);
        StartedGame s;
        const int reseeds = s.host.reseeds;
        AngoloTiro = 1200; // plays no part in a random step
        s.host.draws = {signDraw, sizeDraw};
        QCOMPARE(s.game.Rilascia_Effetto(-1, "R"), step);
        QCOMPARE(s.host.reseeds, reseeds + 1);
        QVERIFY(s.host.draws.empty());
    }

    void contact_data() {
        QTest::addColumn<bool>("red");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<int>("passoY"); // 7 when the racquet misses
        // Red at 6600, 2160, 900 high: from 6400 in to 6732 out. Blue at 720, 1920: from
        // 720 out to 952 in (its own width is the ball's, 132, plus 100).
        QTest::newRow("red opens") << true << 6400.0f << 2160.0f << -200;
        QTest::newRow("red just before") << true << 6399.0f << 2160.0f << 7;
        QTest::newRow("red right edge") << true << 6732.0f << 2160.0f << 7;
        QTest::newRow("red level with bottom") << true << 6500.0f << 3060.0f << 200;
        QTest::newRow("red below bottom") << true << 6500.0f << 3061.0f << 7;
        QTest::newRow("red above top") << true << 6500.0f << 2159.0f << 7;
        QTest::newRow("blue left edge") << false << 720.0f << 1920.0f << 7;
        QTest::newRow("blue inside") << false << 721.0f << 1920.0f << -200;
        QTest::newRow("blue closes") << false << 952.0f << 1920.0f << -200;
        QTest::newRow("blue beyond") << false << 953.0f << 1920.0f << 7;
        QTest::newRow("blue level with bottom") << false << 800.0f << 2820.0f << 200;
        QTest::newRow("blue above top") << false << 800.0f << 1919.0f << 7;
    }

    void contact() {
        QFETCH(bool, red);
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(int, passoY);
        StartedGame s;
        placeBall(s.game, left, top, red ? 200 : -200, 7);
        QCOMPARE(red ? s.game.Incontra_Rossa() : s.game.Incontra_Blu(), passoY != 7);
        QCOMPARE(s.game.PassoY, passoY);
        QCOMPARE(s.game.Pallina.Left, left); // a contact never moves the ball
        // The blue window widens with the ball, not with the racquet.
        s.game.Pallina.Width = 300;
        placeBall(s.game, 1120, 2000, -200, 7);
        QVERIFY(s.game.Incontra_Blu());
    }

    void edges_data() {
        QTest::addColumn<float>("top");
        QTest::addColumn<int>("passoY");
        QTest::addColumn<float>("after"); // unchanged: no bounce
        const float bottom = fakeOuterHeight - 750;
        QTest::newRow("top at 100") << 100.0f << 50 << 101.0f;
        QTest::newRow("above the top") << -40.0f << 50 << 101.0f;
        QTest::newRow("top at 101") << 101.0f << -50 << 101.0f;
        QTest::newRow("bottom limit") << bottom << 50 << bottom + 1;
        QTest::newRow("below, rising") << bottom + 10 << -3 << bottom + 10;
        QTest::newRow("below, falling") << bottom + 10 << 3 << bottom + 1;
    }

    void edges() {
        QFETCH(float, top);
        QFETCH(int, passoY);
        QFETCH(float, after);
        StartedGame s;
        placeBall(s.game, 3000, top, 200, passoY);
        QCOMPARE(s.game.Rimbalza(), after != top);
        QCOMPARE(s.game.Pallina.Top, after);
        QCOMPARE(s.game.Pallina.Left, 3000.0f);
    }

    // A ball rising from inside the bottom edge flies on: the rally ends within the ticks
    // the ball needs to cross the court.
    void lowBallsStillLeaveTheCourt_data() {
        QTest::addColumn<bool>("serve");
        QTest::newRow("serve of step +1 from the lowest stop") << true;
        QTest::newRow("straight return from the lowest racquet") << false;
    }

    void lowBallsStillLeaveTheCourt() {
        QFETCH(bool, serve);
        StartedGame s;
        for (int i = 0; i < 40; ++i)
            s.game.ControllaTasti(serve ? 90 : 40); // as low as it goes
        const Shape& red = s.game.Racchetta_Rossa;
        if (serve) {
            s.game.Battuta = 0;
            s.host.draws = {0.1f, 0.0f}; // downward, magnitude 1
            s.game.batte();
        } else {
            placeBall(s.game, red.Left - 300, red.Top + red.Height / 2, 200, 0);
        }
        QVERIFY(s.game.Pallina.Top >= fakeOuterHeight - 950);
        s.host.clock = true;
        for (int tick = 0; s.host.clock && tick < int(fakeOuterWidth / 200) + 2; ++tick) {
            s.game.Timer1_Timer();
            QCOMPARE(std::abs(s.game.PassoX), 200);
        }
        QVERIFY2(!s.host.clock, "the rally never ended");
        QCOMPARE(points(s.game), serve ? "15-0"s : "0-15"s);
    }

    void ends_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<QString>("winner");
        QTest::newRow("left edge") << 0.0f << "";
        QTest::newRow("past the left") << -0.5f << "Rossa";
        QTest::newRow("outer width") << fakeOuterWidth << "";
        QTest::newRow("past the right") << fakeOuterWidth + 1 << "Blu";
    }

    void ends() {
        QFETCH(float, left);
        QFETCH(QString, winner);
        StartedGame s;
        placeBall(s.game, left, 2000, 200, 0);
        QCOMPARE(s.game.Va_Fouri(), !winner.isEmpty());
        QCOMPARE(QString::fromStdString(s.game.Stabilisce_Vittoria()), winner);
    }

    // In one tick: the move, then the racquets, then the edges, then the ends.
    void orderWithinATick() {
        StartedGame s;
        s.game.Racchetta_Rossa.Top = 0;
        s.host.clock = true;
        placeBall(s.game, 6300, 150, 200, -100); // lands at 6500, 50: racquet and top edge
        s.game.Timer1_Timer();
        QCOMPARE(s.game.Pallina.Left, 6500.0f);
        QCOMPARE(s.game.PassoX, -200);
        QCOMPARE(s.game.PassoY, -177); // from the contact (Dis 50 of 900), not negated
        QCOMPARE(s.game.Pallina.Top, 50.0f);

        s.game.Racchetta_Blu.Move(-150, 1500); // window from -150 (out) to 82 (in)
        placeBall(s.game, 150, 2000, -200, 0); // lands past the end and in the window
        s.game.Timer1_Timer();
        QCOMPARE(s.game.PassoX, 200);
        QCOMPARE(points(s.game), "0-0"s);

        s.game.Racchetta_Blu.Move(720, 1920);
        placeBall(s.game, 7500, 150, 200, -100); // past the right end and above the top
        s.game.Timer1_Timer();
        QCOMPARE(s.game.PassoY, 100);
        QCOMPARE(points(s.game), "0-0"s);
        s.game.Timer1_Timer(); // found out on the next tick
        QCOMPARE(points(s.game), "15-0"s);
        // The next serve waits at the same server's racquet with the clock off.
        QVERIFY(!s.host.clock);
        QCOMPARE(s.game.Pallina.Left, 852.0f);
    }

    void aTickDuringTheMatchEndMessageIsDropped() {
        StartedGame s;
        s.game.lblSet_Sin[0].Caption = "5"s;
        s.game.lblPuntoBlu.Caption = "40"s;
        placeBall(s.game, 7500, 2000, 200, 0);
        s.host.clock = true;
        float leftWhileOpen = 0;
        s.host.whileMessageOpen = [&] {
            QVERIFY(s.host.clock); // ticks fall due while the box waits
            s.game.Timer1_Timer();
            leftWhileOpen = s.game.Pallina.Left;
            QCOMPARE(points(s.game), "2V-0"s);
        };
        s.game.Timer1_Timer();
        QCOMPARE(s.host.messages.size(), std::size_t(1));
        QCOMPARE(leftWhileOpen, 7700.0f);             // not moved again
        QCOMPARE(s.game.lblSet_Sin[0].Caption, "0"s); // the new match has begun
        s.host.clock = true;                          // and the next tick runs
        const float before = s.game.Pallina.Left;
        s.game.Timer1_Timer();
        QCOMPARE(s.game.Pallina.Left, before + s.game.PassoX);
    }
};

QTEST_APPLESS_MAIN(FlightTest)
#include "test_flight.moc"
