// Menu commands: new match, training, level, sets, racquet size, re-spin and colours.
#include "FakePlatform.h"

#include "app/Modulo1.h"

#include <QtTest>

using namespace quindra;
using namespace std::string_literals;
using namespace quindra::testing;

class OptionsTest : public QObject {
    Q_OBJECT

  private slots:
    void levels_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("interval");
        QTest::newRow("Professionista stopped") << 2 << false << 40;
        QTest::newRow("Professionista running") << 2 << true << 40;
        QTest::newRow("Intermedio") << 1 << true << 50;
        QTest::newRow("Principiante") << 0 << false << 100;
    }

    void levels() {
        QFETCH(int, item);
        QFETCH(bool, running);
        QFETCH(int, interval);
        StartedGame s;
        s.game.mnuInt_Click();
        s.host.clock = running;
        void (GameCore::*handlers[])() = {&GameCore::mnuPri_Click, &GameCore::mnuInt_Click,
                                          &GameCore::mnuPro_Click};
        (s.game.*handlers[item])();
        QCOMPARE(s.host.interval, interval);
        QCOMPARE(s.host.clock, running); // a level never starts or stops the clock
        QCOMPARE(s.game.menu.mnuPri, item == 0);
        QCOMPARE(s.game.menu.mnuInt, item == 1);
        QCOMPARE(s.game.menu.mnuPro, item == 2);
    }

    void setsChangeTheMatchInProgress() {
        StartedGame s;
        s.game.lblPuntoBlu.Caption = "30"s;
        s.game.mnuSet_Tre_Click();
        QCOMPARE(s.game.NumSet, 3);
        QVERIFY(!s.game.menu.mnuSet_Uno && s.game.menu.mnuSet_Tre && !s.game.menu.mnuSet_Cinque);
        QCOMPARE(s.game.lblPuntoBlu.Caption, std::string("30")); // no new match
        s.game.mnuSet_Cinque_Click();
        QCOMPARE(s.game.NumSet, 5);
        QVERIFY(!s.game.menu.mnuSet_Tre && s.game.menu.mnuSet_Cinque);
    }

    void racquetSizes() {
        StartedGame s;
        s.game.Racchetta_Blu.Top = 1000;
        s.game.mnuPiccole_Click();
        QCOMPARE(s.game.Racchetta_Rossa.Height, 450.0f);
        QCOMPARE(s.game.Racchetta_Blu.Height, 450.0f);
        QCOMPARE(s.game.Racchetta_Blu.Top, 1000.0f); // shrinks at its lower end
        QVERIFY(!s.game.menu.mnuGrandi && s.game.menu.mnuPiccole);
        s.game.mnuGrandi_Click();
        QCOMPARE(s.game.Racchetta_Blu.Height, 900.0f);
        QVERIFY(s.game.menu.mnuGrandi && !s.game.menu.mnuPiccole);
    }

    void smallRacquetsLeaveTheWall() {
        StartedGame s;
        s.game.mnuAllenamento_Click();
        s.game.mnuPiccole_Click();
        QCOMPARE(s.game.Racchetta_Rossa.Height, 450.0f);
        QCOMPARE(s.game.Racchetta_Blu.Height, 5052.0f);
    }

    void trainingWall() {
        StartedGame s;
        s.game.Racchetta_Blu.Move(2080, 1500);
        s.game.lblPuntoRosso.Caption = "40"s;
        s.host.clock = true;
        s.game.mnuAllenamento_Click();
        QCOMPARE(s.game.Racchetta_Blu.Top, 0.0f);
        QCOMPARE(s.game.Racchetta_Blu.Height, 5052.0f);
        QCOMPARE(s.game.Racchetta_Blu.Left, 2080.0f);
        QVERIFY(s.game.Allenamento);
        QCOMPARE(s.game.lblPuntoRosso.Caption, std::string("0")); // a new match
        QVERIFY(!s.host.clock);
        s.game.ControllaTasti(90);
        s.game.ControllaTasti(226);
        QCOMPARE(s.game.Racchetta_Blu.Top, 0.0f);
        QCOMPARE(s.game.Racchetta_Blu.Left, 2080.0f);
    }

    void trainingTwiceResetsTheWall() {
        StartedGame s;
        s.game.mnuAllenamento_Click();
        s.game.Racchetta_Blu.Top = 300;
        s.game.lblPuntoBlu.Caption = "15"s;
        s.game.mnuAllenamento_Click();
        QCOMPARE(s.game.Racchetta_Blu.Top, 0.0f);
        QCOMPARE(s.game.lblPuntoBlu.Caption, std::string("0"));
        QVERIFY(s.game.Allenamento);
    }

    void trainingLastsThroughDecidedMatches() {
        StartedGame s;
        s.game.mnuAllenamento_Click();
        s.game.Nuova_partita(); // as after a decided match
        QVERIFY(s.game.Allenamento);
        QCOMPARE(s.game.Racchetta_Blu.Height, 5052.0f);
    }

    void newMatchEndsTraining() {
        StartedGame s;
        s.game.mnuPiccole_Click();
        s.game.mnuAllenamento_Click();
        s.game.mnuNuovaPartita_Click();
        QVERIFY(!s.game.Allenamento);
        QCOMPARE(s.game.Racchetta_Blu.Height, 450.0f);
        QCOMPARE(s.game.Racchetta_Blu.Top, 0.0f);
    }

    void reSpinToggles() {
        StartedGame s;
        s.game.mnuRief_Click();
        QVERIFY(s.game.RiEffetto && s.game.menu.mnuRief);
        s.game.mnuRief_Click();
        QVERIFY(!s.game.RiEffetto && !s.game.menu.mnuRief);
        s.game.mnuRief_Click();
        s.game.mnuNuovaPartita_Click(); // the mark goes with the flag
        QVERIFY(!s.game.RiEffetto && !s.game.menu.mnuRief);
    }

    void colourPicked() {
        StartedGame s;
        s.host.colourAnswers = {rgb(10, 20, 30)};
        s.game.mnuColPallina_Click();
        QCOMPARE(s.game.Pallina.BackColor, rgb(10, 20, 30));
        QCOMPARE(s.host.colourPresets.front(), Colour(0));
        // The next opening starts from the ball's colour, whatever it is for.
        s.host.colourAnswers = {rgb(1, 2, 3)};
        s.game.mnuCampoColore_Click();
        QCOMPARE(s.host.colourPresets.back(), rgb(10, 20, 30));
        QCOMPARE(s.game.Campo.BackColor, rgb(1, 2, 3));
    }

    void colourCancelled() {
        StartedGame s;
        s.host.colourAnswers = {rgb(10, 20, 30)};
        s.game.mnuColPallina_Click();
        s.game.mnuCol_Sinistra_Click(); // cancelled
        QCOMPARE(s.game.Racchetta_Blu.BackColor, colours::blue);
        QCOMPARE(s.game.lblPuntoBlu.ForeColor, Colour(0x00FF0000));
        s.game.mnuCol_Destra_Click(); // cancelled, and the right label already matches
        QCOMPARE(s.game.lblPuntoRosso.ForeColor, Colour(0x000000C0));
        s.game.mnuColPallina_Click(); // preset still the last colour picked
        QCOMPARE(s.host.colourPresets.back(), rgb(10, 20, 30));
        QCOMPARE(s.game.Pallina.BackColor, rgb(10, 20, 30));
    }

    void racquetColourReachesItsLabel() {
        StartedGame s;
        s.host.colourAnswers = {rgb(200, 100, 0)};
        s.game.mnuCol_Destra_Click();
        QCOMPARE(s.game.Racchetta_Rossa.BackColor, rgb(200, 100, 0));
        QCOMPARE(s.game.lblPuntoRosso.ForeColor, rgb(200, 100, 0));
    }

    void coloraByPropertyName() {
        StartedGame s;
        s.host.colourAnswers = {rgb(5, 5, 5), rgb(6, 6, 6), rgb(7, 7, 7)};
        const Shape ball = s.game.Pallina;
        s.game.colora(s.game.Pallina, 1); // a shape has no text colour: nothing happens
        QCOMPARE(s.game.Pallina.BackColor, ball.BackColor);
        QCOMPARE(s.game.Pallina.BorderColor, ball.BorderColor);
        s.game.colora(s.game.lblPuntoBlu, 1);
        QCOMPARE(s.game.lblPuntoBlu.ForeColor, rgb(6, 6, 6));
        s.game.colora(s.game.Pallina, 9); // no such selector
        QCOMPARE(s.game.Pallina.BackColor, ball.BackColor);
        QCOMPARE(s.game.FinColore.Color, rgb(7, 7, 7));
    }

    void surfaces() {
        StartedGame s;
        s.game.mnuWimb_Click();
        QCOMPARE(s.game.Campo.BackColor, Colour(0x00004000));
        s.game.mnuRoland_Click();
        QCOMPARE(s.game.Campo.BackColor, Colour(0x00404080));
        QVERIFY(!s.game.menu.mnuWimb && s.game.menu.mnuRoland && !s.game.menu.mnuOpUsa);
        s.game.mnuOpUsa_Click();
        QCOMPARE(s.game.Campo.BackColor, Colour(0x00808000));
        s.host.colourAnswers = {colours::wimbledon};
        s.game.mnuCampoColore_Click(); // even the Wimbledon colour leaves the marks alone
        QVERIFY(!s.game.menu.mnuWimb && s.game.menu.mnuOpUsa);
        QCOMPARE(s.game.Campo.BackColor, colours::wimbledon);
    }

    void coloursSurviveANewMatch() {
        StartedGame s;
        s.game.mnuRoland_Click();
        s.host.colourAnswers = {rgb(9, 9, 9)};
        s.game.mnuColPallina_Click();
        s.game.mnuNuovaPartita_Click();
        QCOMPARE(s.game.Campo.BackColor, colours::rolandGarros);
        QCOMPARE(s.game.Pallina.BackColor, rgb(9, 9, 9));
        QVERIFY(s.game.menu.mnuRoland);
    }
};

QTEST_APPLESS_MAIN(OptionsTest)
#include "test_options.moc"
