// Menu commands: new match, training, level, sets, racquet size, re-spin, computer,
// surfaces and colours.
#include "FakePlatform.h"
#include "Rows.h"

#include "app/Modulo1.h"
#include "options/Menu.h"

#include <QtTest>

#include <algorithm>
#include <functional>
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
        row("Piccole Grandi", "100 on 1 900/900@1000 |Pri Uno Gra Wim 8000 30");
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

    // The bar as every front-end builds it: menus, items and submenus in order, with the
    // marks a new game shows; each item in it once.
    void menuBar() {
        StartedGame s;
        QStringList bar; // each entry, indented by its depth, "*" for a mark that is on
        for (const MenuEntry& e : menuEntries())
            bar << QString(e.depth, '>') + e.caption + (e.mark && s.game.menu.*e.mark ? "*" : "");
        QCOMPARE(bar.join(' '),
                 QStringLiteral(
                     "File >Nuova Partita >Allenamento >Gioca in rete... Livelli >Principiante* "
                     ">Intermedio >Professionista Set >Uno* >Tre >Cinque Pallina "
                     ">Colore Pallina Racchette >Grandi* >Piccole >Colore "
                     ">>Rachetta Sinistra >>Rachetta Destra Campo >Wimbledon* "
                     ">Roland Garros >Open USA >Personalizza il Colore Opzioni "
                     ">Ri-Effetto >Angolo >Computer >Suoni* Help >Comandi About >Quindra"));
        for (std::size_t i = 0; i < menuItemCount; ++i)
            QCOMPARE(std::count_if(menuEntries().begin(), menuEntries().end(),
                                   [i](const MenuEntry& e) {
                                       return e.kind == MenuEntry::Kind::Item &&
                                              e.item == MenuItem(i);
                                   }),
                     1);
    }

    // What every front-end counts on: menus and submenus do nothing themselves; an item
    // runs a command of the game's or opens a window, never both; an item is checkable
    // exactly when the game keeps a mark for it, and a group holds only such items; a
    // submenu's items follow it.
    void menuTableIsWellFormed() {
        int depth = -1;
        for (const MenuEntry& e : menuEntries()) {
            const bool item = e.kind == MenuEntry::Kind::Item;
            QVERIFY2(item ? (e.command != nullptr) != (e.window != WindowCommand::None)
                          : !e.command && e.window == WindowCommand::None && !e.mark,
                     e.name);
            QVERIFY2(e.checkable == (e.mark != nullptr) && (e.group == 0 || e.mark), e.name);
            const int expected = e.kind == MenuEntry::Kind::Menu      ? 0
                                 : e.kind == MenuEntry::Kind::Submenu ? 1
                                                                      : std::max(depth, 1);
            QVERIFY2(e.depth == expected || (item && e.depth == 1), e.name);
            depth = e.kind == MenuEntry::Kind::Submenu ? 2 : e.depth;
        }
        // Every item has one entry, and a command finds it.
        for (std::size_t i = 0; i < menuItemCount; ++i) {
            const auto item = static_cast<MenuItem>(i);
            QCOMPARE(std::count_if(menuEntries().begin(), menuEntries().end(),
                                   [item](const MenuEntry& e) {
                                       return e.kind == MenuEntry::Kind::Item && e.item == item;
                                   }),
                     1);
            QCOMPARE(menuEntryOf(item).item, item);
            QCOMPARE(menuEntryOf(item).kind, MenuEntry::Kind::Item);
        }
    }

    // Each checkable item's command sets its own mark and clears the others of its group;
    // one of no group toggles. A command and its mark can't be crossed.
    void marksFollowCommands() {
        for (const MenuEntry& e : menuEntries()) {
            if (!e.mark)
                continue;
            StartedGame s;
            const bool before = s.game.menu.*e.mark;
            (s.game.*e.command)();
            QVERIFY2(s.game.menu.*e.mark == (e.group > 0 || !before), e.name);
            for (const MenuEntry& other : menuEntries())
                if (other.group == e.group && e.group > 0 && &other != &e)
                    QVERIFY2(!(s.game.menu.*other.mark), other.name);
        }
    }

    // Picked or cancelled, each opening preset to the last colour picked; a racquet's
    // colour is its fill and its points' caption, never its outline; a property an element
    // lacks, or no property, changes nothing; a new match keeps them all. The colours after:
    // ball fill and outline, blue fill, outline and caption, red the same, court, last pick.
    void colours_data() {
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QList<int>>("answers"); // -1 cancels
        QTest::addColumn<QList<Colour>>("colours");
        const Colour y = colours::yellow, b = colours::blue, r = colours::darkRed;
        const Colour ballOutline = colours::windowText, grass = colours::green;
        using Cs = QList<Colour>;
        using Is = QList<int>;
        addRow("Pallina", "Pallina", Is{0x030201},
               Cs{0x030201, ballOutline, b, y, colours::darkBlue, r, y, r, grass, 0x030201});
        addRow("Sinistra", "Sinistra", Is{0x060504},
               Cs{y, ballOutline, 0x060504, y, 0x060504, r, y, r, grass, 0x060504});
        addRow("Destra", "Destra", Is{0x090807},
               Cs{y, ballOutline, b, y, colours::darkBlue, 0x090807, y, 0x090807, grass, 0x090807});
        addRow("cancelled: the racquet keeps its colour, its caption takes it", "Sinistra Destra",
               Is{-1, -1}, Cs{y, ballOutline, b, y, b, r, y, r, grass, 0});
        addRow("every element, a new match keeps them",
               "Pallina Sinistra Destra Campo Text Nine Nuova",
               Is{0x030201, -1, 0x060504, 0x090807, 0x0C0B0A, 0x0F0E0D},
               Cs{0x030201, ballOutline, b, y, b, 0x060504, y, 0x060504, 0x090807, 0x0F0E0D});
    }

    void colours() {
        QFETCH(QString, commands);
        QFETCH(QList<int>, answers);
        QFETCH(QList<Colour>, colours);
        StartedGame s;
        GameCore& g = s.game;
        for (const int answer : answers)
            s.host.colourAnswers.push_back(answer < 0 ? std::nullopt
                                                      : std::optional<Colour>(Colour(answer)));
        const std::map<QString, std::function<void()>> menu = {
            {"Pallina", [&g] { g.mnuColPallina_Click(); }},
            {"Sinistra", [&g] { g.mnuCol_Sinistra_Click(); }},
            {"Destra", [&g] { g.mnuCol_Destra_Click(); }},
            {"Campo", [&g] { g.mnuCampoColore_Click(); }}, // leaves the surface's mark alone
            {"Text", [&g] { g.colora(g.Pallina, 1); }},    // a shape has no text colour
            {"Nine", [&g] { g.colora(g.Pallina, 9); }},
            {"Nuova", [&g] { g.mnuNuovaPartita_Click(); }}};
        for (const QString& command : commands.split(' '))
            menu.at(command)();
        QCOMPARE(
            (QList<Colour>{g.Pallina.BackColor, g.Pallina.BorderColor, g.Racchetta_Blu.BackColor,
                           g.Racchetta_Blu.BorderColor, g.lblPuntoBlu.ForeColor,
                           g.Racchetta_Rossa.BackColor, g.Racchetta_Rossa.BorderColor,
                           g.lblPuntoRosso.ForeColor, g.Campo.BackColor, g.FinColore.Color}),
            colours);
        QVERIFY(g.menu.mnuWimb);
        // Each opening is preset to the colour picked before it.
        for (std::size_t i = 1; i < s.host.colourPresets.size(); ++i) {
            const int before = answers[qsizetype(i) - 1];
            QCOMPARE(s.host.colourPresets[i],
                     before >= 0 ? Colour(before) : s.host.colourPresets[i - 1]);
        }
        QVERIFY(!g.Pallina.setColourProperty("ForeColor", 5)); // a shape has no text colour
        QVERIFY(g.lblPuntoBlu.setColourProperty("ForeColor", 5) && g.lblPuntoBlu.ForeColor == 5);
    }
};

QTEST_APPLESS_MAIN(OptionsTest)
#include "test_options.moc"
