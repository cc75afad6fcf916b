#include "MenuTree.h"

#include <QActionGroup>
#include <QMenu>

#include <map>

namespace quindra {

void MenuTree::build(QMenuBar* bar) {
    QMenu* menus[2] = {}; // the menu of the bar in hand, and its submenu
    std::map<int, QActionGroup*> groups;
    for (const MenuEntry& entry : menuEntries()) {
        const QString caption = QString::fromUtf8(entry.caption);
        if (entry.kind != MenuEntry::Kind::Item) {
            QMenu* menu = entry.depth == 0 ? bar->addMenu(caption) : menus[0]->addMenu(caption);
            menu->setObjectName(QString::fromLatin1(entry.name));
            menus[entry.depth] = menu;
            continue;
        }
        // Captions are shown as written: an ampersand would be an access key, and none has one.
        QAction* action = menus[entry.depth - 1]->addAction(caption);
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setCheckable(entry.checkable);
        if (entry.group > 0) {
            QActionGroup*& group = groups[entry.group];
            if (!group) {
                group = new QActionGroup(bar);
                group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
            }
            group->addAction(action);
        }
        actions_[static_cast<std::size_t>(entry.item)] = action;
    }
}

} // namespace quindra
