#include "MenuTree.h"

#include <QMenu>

namespace quindra {

namespace {

QMenu* topMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

// Captions are shown as written: an ampersand would be an access key, and none has one.
QAction* item(QMenu* menu, const char* name, const QString& caption,
              QActionGroup* group = nullptr) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (group) {
        action->setCheckable(true);
        group->addAction(action);
    }
    return action;
}

QActionGroup* exclusiveGroup(QMenuBar* bar) {
    auto* group = new QActionGroup(bar);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    return group;
}

} // namespace

void MenuTree::build(QMenuBar* bar) {
    QMenu* file = topMenu(bar, "mnuFile", QStringLiteral("File"));
    mnuNuovaPartita = item(file, "mnuNuovaPartita", QStringLiteral("Nuova Partita"));
    mnuAllenamento = item(file, "mnuAllenamento", QStringLiteral("Allenamento"));

    QMenu* levels = topMenu(bar, "mnuOpz", QStringLiteral("Livelli"));
    QActionGroup* levelGroup = exclusiveGroup(bar);
    mnuPri = item(levels, "mnuPri", QStringLiteral("Principiante"), levelGroup);
    mnuInt = item(levels, "mnuInt", QStringLiteral("Intermedio"), levelGroup);
    mnuPro = item(levels, "mnuPro", QStringLiteral("Professionista"), levelGroup);

    QMenu* sets = topMenu(bar, "mnuSet", QStringLiteral("Set"));
    QActionGroup* setGroup = exclusiveGroup(bar);
    mnuSet_Uno = item(sets, "mnuSet_Uno", QStringLiteral("Uno"), setGroup);
    mnuSet_Tre = item(sets, "mnuSet_Tre", QStringLiteral("Tre"), setGroup);
    mnuSet_Cinque = item(sets, "mnuSet_Cinque", QStringLiteral("Cinque"), setGroup);

    QMenu* ball = topMenu(bar, "mnuPallina", QStringLiteral("Pallina"));
    mnuColPallina = item(ball, "mnuColPallina", QStringLiteral("Colore Pallina"));

    QMenu* racquets = topMenu(bar, "mnuRachette", QStringLiteral("Racchette"));
    QActionGroup* sizeGroup = exclusiveGroup(bar);
    mnuGrandi = item(racquets, "mnuGrandi", QStringLiteral("Grandi"), sizeGroup);
    mnuPiccole = item(racquets, "mnuPiccole", QStringLiteral("Piccole"), sizeGroup);
    QMenu* colour = racquets->addMenu(QStringLiteral("Colore"));
    colour->setObjectName(QStringLiteral("mnuColore"));
    mnuCol_Sinistra = item(colour, "mnuCol_Sinistra", QStringLiteral("Rachetta Sinistra"));
    mnuCol_Destra = item(colour, "mnuCol_Destra", QStringLiteral("Rachetta Destra"));

    QMenu* court = topMenu(bar, "mnuCampo", QStringLiteral("Campo"));
    QActionGroup* surfaceGroup = exclusiveGroup(bar);
    mnuWimb = item(court, "mnuWimb", QStringLiteral("Wimbledon"), surfaceGroup);
    mnuRoland = item(court, "mnuRoland", QStringLiteral("Roland Garros"), surfaceGroup);
    mnuOpUsa = item(court, "mnuOpUsa", QStringLiteral("Open USA"), surfaceGroup);
    mnuCampoColore = item(court, "mnuCampoColore", QStringLiteral("Personalizza il Colore"));

    QMenu* options = topMenu(bar, "mnuOpzioni", QStringLiteral("Opzioni"));
    mnuRief = item(options, "mnuRief", QStringLiteral("Ri-Effetto"));
    mnuRief->setCheckable(true);
    mnuAngolo = item(options, "mnuAngolo", QStringLiteral("Angolo"));
    mnuComputer = item(options, "mnuComputer", QStringLiteral("Computer"));
    mnuComputer->setCheckable(true);

    QMenu* help = topMenu(bar, "mnuHelp", QStringLiteral("Help"));
    mnuSommario = item(help, "mnuSommario", QStringLiteral("Comandi"));

    QMenu* about = topMenu(bar, "mnuAbout", QStringLiteral("About"));
    mnuQuindra = item(about, "mnuQuindra", QStringLiteral("Quindra"));
}

} // namespace quindra
