// Points, games, sets and matches, the serve, the toss and the new match.
#include "FakePlatform.h"

#include "app/ClockRandom.h"
#include "app/Modulo1.h"

#include <QtTest>

using namespace quindra;
using namespace std::string_literals;
using namespace quindra::testing;

namespace {

// Plays one rally to its end through the clock: the ball leaves past the loser's end.
void playPoint(StartedGame& s, char winner) {
    GameCore& g = s.game;
    if (winner == 'B')
        g.Pallina.Move(fakeOuterWidth - 100, 2000), g.PassoX = 200;
    else
        g.Pallina.Move(100, 2000), g.PassoX = -200;
    g.PassoY = 0;
    s.host.clock = true;
    g.Timer1_Timer();
}

void playPoints(StartedGame& s, const std::string& winners) {
    for (const char w : winners)
        playPoint(s, w);
}

void playGames(StartedGame& s, char winner, int games) {
    for (int i = 0; i < games; ++i)
        playPoints(s, std::string(4, winner));
}

std::string captions(const GameCore& g) {
    return g.lblPuntoBlu.Caption + "-" + g.lblPuntoRosso.Caption;
}

} // namespace

class ScoringTest : public QObject {
    Q_OBJECT

  private slots:
    void pointSequences_data() {
        QTest::addColumn<QString>("winners");
        QTest::addColumn<QString>("board");
        QTest::newRow("three to the right") << "RRR"
                                            << "0-40";
        QTest::newRow("deuce") << "BBBRRR"
                               << "40-40";
        QTest::newRow("advantage left") << "BBBRRRB"
                                        << "V-40";
        QTest::newRow("advantage lost") << "BBBRRRBR"
                                        << "40-40";
        QTest::newRow("advantage right") << "BBBRRRBRR"
                                         << "40-V";
        QTest::newRow("many deuces") << "BBBRRRBRBRBRBR"
                                     << "40-40";
    }

    void pointSequences() {
        QFETCH(QString, winners);
        QFETCH(QString, board);
        StartedGame s;
        for (const QChar w : winners)
            s.game.punteggio(w == QLatin1Char('R') ? 1 : 0);
        QCOMPARE(QString::fromStdString(captions(s.game)), board);
    }

    void gameWon_data() {
        QTest::addColumn<QString>("blue");
        QTest::addColumn<QString>("red");
        QTest::addColumn<int>("vince");
        QTest::addColumn<QString>("board");
        QTest::newRow("straight game") << "40"
                                       << "0" << 0 << "2V-0";
        QTest::newRow("from 40-30") << "40"
                                    << "30" << 0 << "2V-30";
        QTest::newRow("from advantage") << "V"
                                        << "40" << 0 << "2V-40";
        QTest::newRow("red from advantage") << "40"
                                            << "V" << 1 << "40-2V";
        QTest::newRow("against advantage") << "V"
                                           << "40" << 1 << "40-40";
        QTest::newRow("already won") << "2V"
                                     << "15" << 0 << "2V-15";
        QTest::newRow("any other value is red") << "0"
                                                << "30" << 5 << "0-40";
        QTest::newRow("negative is red too") << "0"
                                             << "30" << -1 << "0-40";
    }

    void gameWon() {
        QFETCH(QString, blue);
        QFETCH(QString, red);
        QFETCH(int, vince);
        QFETCH(QString, board);
        StartedGame s;
        s.game.lblPuntoBlu.Caption = blue.toStdString();
        s.game.lblPuntoRosso.Caption = red.toStdString();
        s.game.punteggio(vince);
        QCOMPARE(QString::fromStdString(captions(s.game)), board);
    }

    void setClosing_data() {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<int>("vince");
        QTest::addColumn<QString>("games");
        QTest::addColumn<int>("setCorrente");
        QTest::addColumn<int>("blueSets");
        QTest::addColumn<int>("redSets");
        QTest::newRow("6-4") << "5"
                             << "4" << 0 << "6-4" << 1 << 1 << 0;
        QTest::newRow("6-5 goes on") << "5"
                                     << "5" << 0 << "6-5" << 0 << 0 << 0;
        QTest::newRow("7-5") << "6"
                             << "5" << 0 << "7-5" << 1 << 1 << 0;
        QTest::newRow("7-6 goes on") << "6"
                                     << "6" << 0 << "7-6" << 0 << 0 << 0;
        QTest::newRow("8-6") << "7"
                             << "6" << 0 << "8-6" << 1 << 1 << 0;
        QTest::newRow("6-8 to the right") << "6"
                                          << "7" << 1 << "6-8" << 1 << 0 << 1;
        QTest::newRow("4-6 to the right") << "4"
                                          << "5" << 1 << "4-6" << 1 << 0 << 1;
        QTest::newRow("10-8 counted as numbers") << "9"
                                                 << "8" << 0 << "10-8" << 1 << 1 << 0;
    }

    void setClosing() {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(int, vince);
        QFETCH(QString, games);
        QFETCH(int, setCorrente);
        QFETCH(int, blueSets);
        QFETCH(int, redSets);
        StartedGame s;
        s.game.mnuSet_Tre_Click();
        s.game.lblSet_Sin[0].Caption = left.toStdString();
        s.game.lblSet_Dest[0].Caption = right.toStdString();
        (vince ? s.game.lblPuntoRosso : s.game.lblPuntoBlu).Caption = "2V"s;
        QVERIFY(!s.game.ControllaPartita(vince));
        QCOMPARE(QString::fromStdString(s.game.lblSet_Sin[0].Caption + "-" +
                                        s.game.lblSet_Dest[0].Caption),
                 games);
        QCOMPARE(s.game.SetCorrente, setCorrente);
        QCOMPARE(s.game.SetVintiBlu, blueSets);
        QCOMPARE(s.game.SetVintiRossa, redSets);
        QCOMPARE(captions(s.game), std::string("0-0"));
    }

    void noGameNoChange() {
        StartedGame s;
        s.game.lblPuntoBlu.Caption = "40"s;
        const int server = s.game.Battuta;
        QVERIFY(!s.game.ControllaPartita(0));
        QCOMPARE(s.game.lblSet_Sin[0].Caption, std::string("0"));
        QCOMPARE(s.game.lblPuntoBlu.Caption, std::string("40"));
        QCOMPARE(s.game.Battuta, server);
    }

    void serveChangesAfterEveryGame() {
        StartedGame s;
        s.game.mnuSet_Tre_Click();
        s.game.Battuta = 0;
        s.game.batte();
        playGames(s, 'B', 5);
        QCOMPARE(s.game.Battuta, 1);
        playPoints(s, "BBB");
        QCOMPARE(s.game.Battuta, 1); // never within a game
        playPoint(s, 'B');           // the game that closes the set
        QCOMPARE(s.game.SetCorrente, 1);
        QCOMPARE(s.game.Battuta, 0);
        QCOMPARE(s.game.Pallina.Left, 852.0f); // serving from the left racquet again
        playGames(s, 'R', 1);
        QCOMPARE(s.game.Battuta, 1);
        QCOMPARE(s.game.Pallina.Left, s.game.Racchetta_Rossa.Left - 132);
    }

    void matches_data() {
        QTest::addColumn<int>("sets");
        QTest::addColumn<QString>("setWinners");
        QTest::addColumn<QString>("message");
        QTest::newRow("one set") << 1 << "R"
                                 << "Ha vinto il giocatore di Destra.\r\nFine Partita";
        QTest::newRow("three sets") << 3 << "BRB"
                                    << "Ha vinto il giocatore di Sinistra.\r\nFine Partita";
        QTest::newRow("three straight") << 3 << "RR"
                                        << "Ha vinto il giocatore di Destra.\r\nFine Partita";
        QTest::newRow("five sets") << 5 << "BRBRR"
                                   << "Ha vinto il giocatore di Destra.\r\nFine Partita";
        QTest::newRow("five to the left") << 5 << "RRBBB"
                                          << "Ha vinto il giocatore di Sinistra.\r\nFine Partita";
    }

    void matches() {
        QFETCH(int, sets);
        QFETCH(QString, setWinners);
        QFETCH(QString, message);
        StartedGame s;
        if (sets == 3)
            s.game.mnuSet_Tre_Click();
        if (sets == 5)
            s.game.mnuSet_Cinque_Click();
        for (int i = 0; i < setWinners.size(); ++i) {
            const char w = setWinners[i].toLatin1();
            const bool last = i == setWinners.size() - 1;
            playGames(s, w, 5);
            playPoints(s, std::string(3, w));
            QVERIFY(s.host.messages.empty());
            if (last) {
                // The finished board stays while the message is open.
                s.host.whileMessageOpen = [&] {
                    const auto& column = w == 'B' ? s.game.lblSet_Sin : s.game.lblSet_Dest;
                    QCOMPARE(column[static_cast<std::size_t>(i)].Caption, std::string("6"));
                    QCOMPARE((w == 'B' ? s.game.lblPuntoBlu : s.game.lblPuntoRosso).Caption,
                             std::string("2V"));
                };
            }
            playPoint(s, w);
            if (!last)
                QCOMPARE(s.game.SetCorrente, i + 1);
        }
        QCOMPARE(s.host.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(s.host.messages.front()), message);
        // A new match follows at once, with the chosen number of sets.
        QCOMPARE(s.game.SetCorrente, 0);
        QCOMPARE(s.game.SetVintiBlu, 0);
        QCOMPARE(s.game.SetVintiRossa, 0);
        QCOMPARE(s.game.NumSet, sets);
        for (int i = 0; i < GameCore::setColumns; ++i)
            QCOMPARE(s.game.lblSet_Sin[static_cast<std::size_t>(i)].Caption, std::string("0"));
        QCOMPARE(captions(s.game), std::string("0-0"));
        QVERIFY(!s.host.clock);
    }

    void fifthSetIsCountedInItsOwnColumn() {
        StartedGame s;
        s.game.mnuSet_Cinque_Click();
        for (const char w : std::string("BRBR")) {
            playGames(s, w, 6);
        }
        QCOMPARE(s.game.SetCorrente, 4);
        QCOMPARE(s.game.lblSet_Sin[3].Caption, std::string("0"));
        QCOMPARE(s.game.lblSet_Dest[3].Caption, std::string("6"));
        playGames(s, 'B', 2);
        QCOMPARE(s.game.lblSet_Sin[4].Caption, std::string("2"));
        QVERIFY(s.game.setColumnShown(4));
    }

    void boardColumnsOnlyForFiveSets() {
        StartedGame s;
        QVERIFY(s.game.setColumnShown(2));
        QVERIFY(!s.game.setColumnShown(3));
        s.game.mnuSet_Tre_Click();
        QVERIFY(!s.game.setColumnShown(4));
        s.game.mnuSet_Cinque_Click();
        QVERIFY(s.game.setColumnShown(3) && s.game.setColumnShown(4));
        // A three-set match won 2-1 moves the set in play past the board: while the box
        // shows the final board, no extra row appears.
        StartedGame three;
        three.game.mnuSet_Tre_Click();
        bool extraRowAtTheEnd = true;
        three.host.whileMessageOpen = [&] { extraRowAtTheEnd = three.game.setColumnShown(3); };
        for (const char w : std::string("BRB"))
            playGames(three, w, 6);
        QCOMPARE(three.host.messages.size(), std::size_t(1));
        QVERIFY(!extraRowAtTheEnd);
        // The extra columns stand clear of the board's first row.
        QVERIFY(s.game.lblSet_Sin[3].Top >= s.game.lblSet_Sin[0].Top + s.game.lblSet_Sin[0].Height);
    }

    void setCountRaisedMidMatch() {
        StartedGame s;
        s.game.mnuSet_Tre_Click();
        playGames(s, 'B', 6);
        s.game.mnuSet_Cinque_Click();
        playGames(s, 'B', 6);
        QVERIFY(s.host.messages.empty()); // two sets no longer win
        playGames(s, 'B', 6);
        QCOMPARE(s.host.messages.size(), std::size_t(1));
        QVERIFY(s.host.messages.front().find("Sinistra") != std::string::npos);
    }

    void setCountLoweredBelowTheLead() {
        // Left leads two sets to none; the match is switched to one set. The leader, not
        // the trailing player, takes the match at the next counted game.
        StartedGame s;
        s.game.mnuSet_Cinque_Click();
        playGames(s, 'B', 12);
        QCOMPARE(s.game.SetVintiBlu, 2);
        s.game.mnuSet_Uno_Click();
        playPoints(s, "RRR");
        QVERIFY(s.host.messages.empty());
        playPoint(s, 'R');
        QCOMPARE(s.host.messages.size(), std::size_t(1));
        QVERIFY(s.host.messages.front().find("Sinistra") != std::string::npos);
    }

    void equalSetsNeverEndTheMatch() {
        StartedGame s;
        s.game.NumSet = 1;
        s.game.SetVintiBlu = 2;
        s.game.SetVintiRossa = 2;
        std::string winner = "x";
        QVERIFY(!s.game.ControllaMatch(winner));
        QCOMPARE(winner, std::string("x"));
        s.game.SetVintiRossa = 3;
        QVERIFY(s.game.ControllaMatch(winner));
        QCOMPARE(winner, std::string("R"));
    }

    void matchEndKeepsTheServer() {
        StartedGame s;
        s.game.lblSet_Dest[0].Caption = "5"s;
        s.game.lblPuntoRosso.Caption = "40"s;
        s.game.Battuta = 1;
        int serverWhileOpen = -1;
        s.host.whileMessageOpen = [&] { serverWhileOpen = s.game.Battuta; };
        s.host.draws = {0.25f, 0.5f, 0.5f, 0.75f, 0.1f}; // serve, then the new match's toss
        playPoint(s, 'R');
        QCOMPARE(serverWhileOpen, 1);
    }

    void serve_data() {
        QTest::addColumn<int>("battuta");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<int>("passoX");
        QTest::newRow("left serves") << 0 << 852.0f << 2370.0f << 200;
        QTest::newRow("right serves") << 1 << 6468.0f << 2610.0f << -200;
        QTest::newRow("any nonzero is right") << 7 << 6468.0f << 2610.0f << -200;
    }

    void serve() {
        QFETCH(int, battuta);
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(int, passoX);
        StartedGame s;
        s.game.Racchetta_Blu.Move(720, 1920);
        s.game.Racchetta_Rossa.Move(6600, 2160);
        s.game.Battuta = battuta;
        s.host.clock = true;
        s.host.draws = {0.75f, 0.2f};
        const int repaints = s.host.repaints;
        s.game.batte();
        QCOMPARE(s.game.Pallina.Left, left);
        QCOMPARE(s.game.Pallina.Top, top);
        QCOMPARE(s.game.PassoX, passoX);
        QCOMPARE(s.game.PassoY, -21);
        QVERIFY(!s.host.clock);
        QCOMPARE(s.host.repaints, repaints + 1);
    }

    void toss_data() {
        QTest::addColumn<float>("draw");
        QTest::addColumn<int>("battuta");
        QTest::newRow("zero") << 0.0f << 0;
        QTest::newRow("just below half") << 0.49999997f << 0;
        QTest::newRow("half") << 0.5f << 1;
        QTest::newRow("just below one") << 0.99999994f << 1;
    }

    void toss() {
        QFETCH(float, draw);
        QFETCH(int, battuta);
        StartedGame s;
        const int reseeds = s.host.reseeds;
        s.host.draws = {draw};
        s.game.Sorteggio();
        QCOMPARE(s.game.Battuta, battuta);
        QCOMPARE(s.host.reseeds, reseeds + 1);
    }

    void eachPlayerServesFirstAboutHalfTheTime() {
        // The game's own generator, seeded with fixed numbers: the count is the same on
        // every run, so the tolerance cannot flake.
        std::uint32_t seed = 0;
        ClockRandom random([&seed] { return seed++; });
        struct SeededHost : FakePlatform {
            ClockRandom* random = nullptr;
            void reseedRandom() override { random->reseed(); }
            float drawRandom() override { return random->draw(); }
        } host;
        host.random = &random;
        GameCore game(host);
        int leftFirst = 0;
        const int matches = 10000;
        for (int i = 0; i < matches; ++i) {
            game.Nuova_partita();
            QVERIFY(game.PassoY != 0 && std::abs(game.PassoY) <= 100);
            leftFirst += game.Battuta == 0 ? 1 : 0;
        }
        QVERIFY2(std::abs(leftFirst - matches / 2) < 300, qPrintable(QString::number(leftFirst)));
    }

    void newMatchClearsTheBoard() {
        StartedGame s;
        s.game.mnuSet_Tre_Click();
        playGames(s, 'R', 6);
        playPoints(s, "BBBRRRB");
        AngoloTiro = 1200;
        s.game.mnuRief_Click();
        s.host.clock = true;
        const int reseeds = s.host.reseeds;
        s.host.draws = {0.9f, 0.1f, 0.3f};
        s.game.Nuova_partita();
        QCOMPARE(captions(s.game), std::string("0-0"));
        QCOMPARE(s.game.lblSet_Dest[0].Caption, std::string("0"));
        QCOMPARE(s.game.SetCorrente, 0);
        QCOMPARE(s.game.SetVintiRossa, 0);
        QCOMPARE(s.game.NumSet, 3);
        QCOMPARE(AngoloTiro, std::int16_t(800));
        QVERIFY(!s.game.RiEffetto);
        QVERIFY(!s.game.menu.mnuRief);
        QCOMPARE(s.game.Battuta, 1); // toss first ...
        QCOMPARE(s.game.PassoY, 31); // ... then the serve's spin
        QCOMPARE(s.host.reseeds, reseeds + 2);
        QVERIFY(!s.host.clock);
    }

    void startUp() {
        StartedGame s;
        QCOMPARE(HelpFile, std::string("C:\\Giochi\\quindra.hlp"));
        QCOMPARE(s.game.NumSet, 1);
        QCOMPARE(AngoloTiro, std::int16_t(800));
        QCOMPARE(captions(s.game), std::string("0-0"));
        for (const Label& l : s.game.lblSet_Dest)
            QCOMPARE(l.Caption, std::string("0"));
        QCOMPARE(s.game.Label1.Caption, std::string("Score"));
        QVERIFY(!s.host.clock);
        QCOMPARE(s.host.interval, 100);
        const float serverLeft = s.game.Battuta == 0 ? 852.0f : 6468.0f;
        QCOMPARE(s.game.Pallina.Left, serverLeft);
    }
};

QTEST_APPLESS_MAIN(ScoringTest)
#include "test_scoring.moc"
