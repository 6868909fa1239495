#include "app/menubar.h"

#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace app {

void buildMenuBar(QMenuBar *bar, const QList<MenuEntry> &entries) {
    bar->clear();
    QSet<QString> parents;
    for (const MenuEntry &e : entries)
        parents.insert(e.parentKey);

    QHash<QString, QMenu *> menus;
    for (const MenuEntry &e : entries) {
        const bool topLevel = e.parentKey.isEmpty();
        QMenu *parentMenu = topLevel ? nullptr : menus.value(e.parentKey);
        if (!topLevel && !parentMenu)
            continue; // under a separator or an entry that was not added: unreachable
        if (e.kind == MenuEntry::Kind::Separator) {
            QAction *sep = parentMenu ? parentMenu->addSeparator() : bar->addSeparator();
            sep->setObjectName(e.key);
            sep->setProperty("menuKey", e.key);
            continue;
        }
        if (parents.contains(e.key)) {
            QMenu *menu = parentMenu ? parentMenu->addMenu(e.caption) : bar->addMenu(e.caption);
            menu->setObjectName(e.key);
            menu->menuAction()->setObjectName(e.key);
            menu->menuAction()->setProperty("menuKey", e.key);
            menus.insert(e.key, menu);
        } else {
            QAction *action =
                parentMenu ? parentMenu->addAction(e.caption) : bar->addAction(e.caption);
            action->setObjectName(e.key);
            action->setProperty("menuKey", e.key);
        }
    }
}

} // namespace app
