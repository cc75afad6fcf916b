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

// The ball's place and step, the points, whether the clock stopped and the ball is out.
QString state(const StartedGame& s) {
    const GameCore& g = s.game;
    return QString::asprintf("%g,%g %d,%d %s%s%s", double(g.Pallina.Left), double(g.Pallina.Top),
                             g.PassoX, g.PassoY, points(g).c_str(), s.host.clock ? "" : " off",
                             g.Va_Fouri() ? " out" : "");
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
        QTest::newRow("at 447") << 900.0f << 447 << 800 << -1;
        QTest::newRow("at 448") << 900.0f << 448 << 800 << 0;
        QTest::newRow("at 452") << 900.0f << 452 << 800 << 0;
        QTest::newRow("at 453") << 900.0f << 453 << 800 << 1;
        QTest::newRow("bottom") << 900.0f << 900 << 800 << 200;
        QTest::newRow("small at 100") << 450.0f << 100 << 800 << -111;
        QTest::newRow("flattest angle") << 900.0f << 0 << 500 << -125;
        QTest::newRow("steepest angle") << 900.0f << 900 << 1200 << 300;
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

    // One tick from a place and a step: the move, then the racquets, then the edges, then
    // the ends. Red stands at 6600, 2160 and blue at 720, 1920, both 900 high; a ball
    // meets red from 6400 up to 6732 and blue above 720 up to 720 + its width + 100.
    void tick_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<int>("passoX");
        QTest::addColumn<int>("passoY");
        QTest::addColumn<QString>("after");
        QTest::newRow("red opens") << 6200.f << 2160.f << 200 << 0 << "6400,2160 -200,-200 0-0";
        QTest::newRow("red just before") << 6199.f << 2160.f << 200 << 0 << "6399,2160 200,0 0-0";
        QTest::newRow("red's right edge") << 6532.f << 2160.f << 200 << 0 << "6732,2160 200,0 0-0";
        QTest::newRow("red's bottom") << 6200.f << 3060.f << 200 << 0 << "6400,3060 -200,200 0-0";
        QTest::newRow("below red") << 6200.f << 3061.f << 200 << 0 << "6400,3061 200,0 0-0";
        QTest::newRow("above red") << 6200.f << 2159.f << 200 << 0 << "6400,2159 200,0 0-0";
        QTest::newRow("blue's edge") << 920.f << 1920.f << -200 << 0 << "720,1920 -200,0 0-0";
        QTest::newRow("blue opens") << 921.f << 1920.f << -200 << 0 << "721,1920 200,-200 0-0";
        QTest::newRow("blue closes") << 1152.f << 1920.f << -200 << 0 << "952,1920 200,-200 0-0";
        QTest::newRow("past blue") << 1153.f << 1920.f << -200 << 0 << "953,1920 -200,0 0-0";
        QTest::newRow("blue's bottom") << 1000.f << 2820.f << -200 << 0 << "800,2820 200,200 0-0";
        QTest::newRow("above blue") << 1000.f << 1919.f << -200 << 0 << "800,1919 -200,0 0-0";
        QTest::newRow("top at 100") << 3000.f << 150.f << 200 << -50 << "3200,101 200,50 0-0";
        QTest::newRow("above the top") << 3000.f << 60.f << 200 << -100 << "3200,101 200,100 0-0";
        QTest::newRow("top at 101") << 3000.f << 151.f << 200 << -50 << "3200,101 200,-50 0-0";
        // The bottom limit is the outer height less 750: 5055 here. A ball below it bounces
        // only while it falls, so a ball rising from a low racquet flies on.
        QTest::newRow("bottom") << 3000.f << 5005.f << 200 << 50 << "3200,5056 200,-50 0-0";
        QTest::newRow("below, rising") << 3000.f << 5068.f << 200 << -3 << "3200,5065 200,-3 0-0";
        QTest::newRow("below, falling") << 3000.f << 5062.f << 200 << 3 << "3200,5056 200,-3 0-0";
        QTest::newRow("below, flat") << 3000.f << 5062.f << 200 << 0 << "3200,5062 200,0 0-0";
        // Out past an end (the left edge and the outer width are still in): the other
        // player scores and the same server's ball waits.
        QTest::newRow("left edge") << 200.f << 2000.f << -200 << 0 << "0,2000 -200,0 0-0";
        QTest::newRow("past the left")
            << 199.5f << 2000.f << -200 << 0 << "852,2370 200,26 0-15 off";
        QTest::newRow("outer width") << 7375.f << 2000.f << 200 << 0 << "7575,2000 200,0 0-0";
        QTest::newRow("past the right")
            << 7376.f << 2000.f << 200 << 0 << "852,2370 200,26 15-0 off";
    }

    void tick() {
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(int, passoX);
        QFETCH(int, passoY);
        QFETCH(QString, after);
        StartedGame s;
        s.host.clock = true;
        placeBall(s.game, left, top, passoX, passoY);
        s.game.Timer1_Timer();
        QCOMPARE(state(s), after);
    }

    // A racquet comes before the edge and before the end; an edge before the end.
    void orderWithinATick() {
        StartedGame s;
        s.host.clock = true;
        s.game.Racchetta_Rossa.Top = 0;
        placeBall(s.game, 6300, 150, 200, -100); // racquet and top edge: Dis 50 of 900
        s.game.Timer1_Timer();
        QCOMPARE(state(s), QStringLiteral("6500,50 -200,-177 0-0"));
        s.game.Racchetta_Blu.Move(-150, 1500); // window from -150 (out) to 82 (in)
        placeBall(s.game, 150, 2000, -200, 0);
        s.game.Timer1_Timer();
        QCOMPARE(state(s), QStringLiteral("-50,2000 200,22 0-0 out"));
        placeBall(s.game, 7500, 150, 200, -100); // past the right end and above the top
        s.game.Timer1_Timer();
        QCOMPARE(state(s), QStringLiteral("7700,101 200,100 0-0 out"));
        s.game.Timer1_Timer(); // found out on the next tick
        QCOMPARE(points(s.game), "15-0"s);
    }

    // Where everything stands, in twips: the court and its border, the lines, the racquets,
    // the score labels and the board's first and fourth sets of each side.
    void layout() {
        StartedGame s;
        const GameCore& g = s.game;
        QString text;
        const auto box = [&text](auto& e) {
            text += QString::asprintf("%g,%g,%g,%g ", double(e.Left), double(e.Top),
                                      double(e.Width), double(e.Height));
        };
        for (const Shape* shape : {&g.Campo, &g.Racchetta_Blu, &g.Racchetta_Rossa})
            box(*shape), text += QString::number(shape->BorderWidth) + " ";
        for (const Line& l : g.lines)
            text += QString::asprintf("%g,%g-%g,%g ", double(l.X1), double(l.Y1), double(l.X2),
                                      double(l.Y2));
        for (const Label* l : {&g.lblPuntoBlu, &g.Label1, &g.lblPuntoRosso, &g.lblSet_Sin[0],
                               &g.lblSet_Dest[0], &g.lblSet_Sin[3], &g.lblSet_Dest[4]})
            box(*l);
        QCOMPARE(text, QStringLiteral("0,0,7452,5052 4 720,1920,132,900 1 6600,2160,132,900 1 "
                                      "3840,0-3840,5040 2280,2280-5280,2280 2280,0-2280,5040 "
                                      "5280,0-5280,5040 0,2280-240,2280 7200,2280-7440,2280 "
                                      "3000,120,252,252 3360,120,852,372 4320,120,252,252 "
                                      "2880,480,132,252 4200,480,132,252 2880,750,132,252 "
                                      "4440,750,132,252 "));
    }
};

QTEST_APPLESS_MAIN(FlightTest)
#include "test_flight.moc"
