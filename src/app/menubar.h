#pragma once

#include "app/menutree.h"

#include <QList>

class QMenuBar;

namespace app {

// Fills the menu bar with the tree's entries. Every action carries its key in the property
// "menuKey" and as its objectName, so that a click dispatches on it.
void buildMenuBar(QMenuBar *bar, const QList<MenuEntry> &entries);

} // namespace app
