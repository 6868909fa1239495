#pragma once

#include "app/menutree.h"

#include <QList>

class QMenuBar;
class QWidget;

namespace app {

// Fills the menu bar with the tree's entries. Every action carries its key in the property
// "menuKey" and as its objectName, so that a click dispatches on it.
// A top-level caption gets the Alt+letter of its first letter (underlined).
void buildMenuBar(QMenuBar *bar, const QList<MenuEntry> &entries);

// The caption with "&" before its first letter or digit; a "&" already in it is shown as such.
QString withMnemonic(const QString &caption);

// F10, or Alt pressed and released alone, while window is active opens the bar's first menu;
// arrows and Enter then pick an entry.
void enableMenuKeys(QWidget *window, QMenuBar *bar);

} // namespace app
