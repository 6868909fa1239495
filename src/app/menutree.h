#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// The menu bar's tree as addMenuXP builds it from the granted kode_menu rows of a group.
// Plain data, no widgets: frmMain turns the entries into menus and actions.
namespace app {

struct MenuRow {
    QString code;  // menu_kode
    QString label; // menu_label
};

struct MenuEntry {
    enum class Kind { Item, Separator };
    QString parentKey; // empty for a top-level entry (and for rows read before any)
    QString key;       // the row's code; also kept on separators
    Kind kind = Kind::Item;
    QString caption;

    bool operator==(const MenuEntry &) const = default;
};

// Rows in code order. 4-character codes are top-level entries captioned with field 2 of the
// proper-cased label split at "."; 6-character codes go under the top-level entry read most
// recently, 8-character codes under the 6-character entry read most recently, both captioned
// with the whole proper-cased label, or a separator when field 2 of the label is "-" (a
// separator's code still parents the 8-character rows that follow it). Other lengths are
// skipped.
QList<MenuEntry> buildMenuTree(const QList<MenuRow> &rows);

// The granted rows of a group, in code order; a failed read gives the rows read so far.
const QString &grantedMenuSql();
QList<MenuRow> grantedMenuRows(const QVariant &group);

} // namespace app
