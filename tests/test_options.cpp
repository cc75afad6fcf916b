// Menu commands: new match, training, level, sets, racquet size, re-spin, computer,
// surfaces and colours.
#include "FakePlatform.h"

#include "app/Modulo1.h"

#include <QtTest>

#include <map>

using namespace quindra;
using namespace std::string_literals;
using namespace quindra::testing;

namespace {

// What the commands may change, and the menu's check marks (three letters each), in one
// line: interval, clock, sets | racquet heights and left top | flags | marks | court, points.
QString state(const GameCore& g, const FakePlatform& host) {
    const auto& m = g.menu;
    const std::pair<bool, const char*> marks[] = {
        {m.mnuPri, "Pri"},      {m.mnuInt, "Int"},     {m.mnuPro, "Pro"},
        {m.mnuSet_Uno, "Uno"},  {m.mnuSet_Tre, "Tre"}, {m.mnuSet_Cinque, "Cin"},
        {m.mnuGrandi, "Gra"},   {m.mnuPiccole, "Pic"}, {m.mnuRief, "Rie"},
        {m.mnuComputer, "Com"}, {m.mnuWimb, "Wim"},    {m.mnuRoland, "Rol"},
        {m.mnuOpUsa, "Ope"}};
    QString text = QString::asprintf(
        "%d %s %d %g/%g@%g %s%s|", host.interval, host.clock ? "on" : "off", g.NumSet,
        double(g.Racchetta_Rossa.Height), double(g.Racchetta_Blu.Height),
        double(g.Racchetta_Blu.Top), g.Allenamento ? "wall " : "", g.RiEffetto ? "spin " : "");
    for (const auto& [checked, name] : marks)
        text += checked ? QString::fromLatin1(name) + " " : QString();
    return text + QString::number(g.Campo.BackColor, 16) + " " +
           QString::fromStdString(g.lblPuntoBlu.Caption);
}

void row(const char* commands, const char* state) {
    QTest::newRow(commands) << QString::fromLatin1(commands) << QString::fromLatin1(state);
}

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT

  private slots:
    // From a rally at 30-0, the left racquet at 1000.
    void commands_data() {
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QString>("state");
        row("", "100 on 1 900/900@1000 |Pri Uno Gra Wim 8000 30");
        row("Pro", "40 on 1 900/900@1000 |Pro Uno Gra Wim 8000 30");
        row("Int Pri", "100 on 1 900/900@1000 |Pri Uno Gra Wim 8000 30");
        row("Tre", "100 on 3 900/900@1000 |Pri Tre Gra Wim 8000 30");
        row("Piccole", "100 on 1 450/450@1000 |Pri Uno Pic Wim 8000 30");
        row("Allenamento", "100 off 1 900/5052@0 wall |Pri Uno Gra Wim 8000 0");
        row("Piccole Allenamento Nuova", "100 off 1 450/450@0 |Pri Uno Pic Wim 8000 0");
        row("Rief", "100 on 1 900/900@1000 spin |Pri Uno Gra Rie Wim 8000 30");
        row("Rief Nuova", "100 off 1 900/900@1000 |Pri Uno Gra Wim 8000 0");
        row("Computer", "100 on 1 900/900@1000 |Pri Uno Gra Com Wim 8000 30");
        row("Allenamento Computer", "100 off 1 900/900@0 |Pri Uno Gra Com Wim 8000 0");
        row("Computer Allenamento", "100 off 1 900/5052@0 wall |Pri Uno Gra Wim 8000 0");
        row("Computer Nuova", "100 off 1 900/900@1000 |Pri Uno Gra Com Wim 8000 0");
        row("Roland", "100 on 1 900/900@1000 |Pri Uno Gra Rol 404080 30");
        row("OpUsa Wimb Wimb", "100 on 1 900/900@1000 |Pri Uno Gra Wim 4000 30");
    }

    void commands() {
        QFETCH(QString, commands);
        QFETCH(QString, state);
        StartedGame s;
        GameCore& g = s.game;
        using C = GameCore;
        const std::map<QString, void (GameCore::*)()> menu = {
            {"Pri", &C::mnuPri_Click},
            {"Int", &C::mnuInt_Click},
            {"Pro", &C::mnuPro_Click},
            {"Tre", &C::mnuSet_Tre_Click},
            {"Cinque", &C::mnuSet_Cinque_Click},
            {"Grandi", &C::mnuGrandi_Click},
            {"Piccole", &C::mnuPiccole_Click},
            {"Rief", &C::mnuRief_Click},
            {"Nuova", &C::mnuNuovaPartita_Click},
            {"Allenamento", &C::mnuAllenamento_Click},
            {"Computer", &C::mnuComputer_Click},
            {"Wimb", &C::mnuWimb_Click},
            {"Roland", &C::mnuRoland_Click},
            {"OpUsa", &C::mnuOpUsa_Click}};
        g.Racchetta_Blu.Top = 1000;
        g.lblPuntoBlu.Caption = "30"s;
        s.host.clock = true;
        for (const QString& command : commands.split(' ', Qt::SkipEmptyParts))
            (g.*menu.at(command))();
        QCOMPARE(::state(g, s.host), state);
    }

    // Picked, cancelled, reaching a racquet's label; each opening preset to the last colour
    // picked; a property an element lacks, or no property, changes nothing; a new match
    // keeps them all.
    void colours() {
        StartedGame s;
        GameCore& g = s.game;
        s.host.colourAnswers = {rgb(1, 2, 3), std::nullopt,    rgb(4, 5, 6),
                                rgb(7, 8, 9), rgb(10, 11, 12), rgb(13, 14, 15)};
        g.mnuColPallina_Click();
        g.mnuCol_Sinistra_Click();
        g.mnuCol_Destra_Click();
        g.mnuCampoColore_Click(); // leaves the surface's mark alone
        g.colora(g.Pallina, 1);   // a shape has no text colour
        g.colora(g.Pallina, 9);
        g.mnuNuovaPartita_Click();
        QCOMPARE(std::vector({g.Pallina.BackColor, g.Pallina.BorderColor, g.Racchetta_Blu.BackColor,
                              g.lblPuntoBlu.ForeColor, g.Racchetta_Rossa.BackColor,
                              g.lblPuntoRosso.ForeColor, g.Campo.BackColor, g.FinColore.Color}),
                 std::vector({rgb(1, 2, 3), colours::windowText, colours::blue, colours::blue,
                              rgb(4, 5, 6), rgb(4, 5, 6), rgb(7, 8, 9), rgb(13, 14, 15)}));
        QVERIFY(g.menu.mnuWimb);
        QVERIFY(!g.Pallina.setColourProperty("ForeColor", 5)); // a shape has no text colour
        QVERIFY(g.lblPuntoBlu.setColourProperty("ForeColor", 5) && g.lblPuntoBlu.ForeColor == 5);
    }
};

QTEST_APPLESS_MAIN(OptionsTest)
#include "test_options.moc"
