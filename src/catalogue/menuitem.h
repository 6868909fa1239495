#pragma once

#include "common/nextkey.h"
#include "db/reader.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Rules and statements of the menu catalogue, apart from its window.
namespace catalogue {

// What the catalogue keeps of a typed text on save: apostrophes dropped, blanks trimmed.
QString cleanText(const QString &text);

// The entry fields as the window shows them.
struct MenuItemForm {
    QString id;
    QString nama;
    QString hargaPokok;
    QString hargaJual;
    QString stokHarian;
    QString kdWaktu;
    QString kdStatus;
    // The codes of the time slots there are (the slot drop-down's items).
    QStringList waktuCodes;
};

enum class MenuField { Nama, HargaPokok, HargaJual, StokHarian, Waktu, Status };

struct MenuCheckFailure {
    QString message;
    MenuField field;
};

// The save checks in their fixed order: the first that fails, or nullopt.
std::optional<MenuCheckFailure> checkMenuItem(const MenuItemForm &form);

// The values stored for a form that passed the checks.
struct MenuItemValues {
    QString nama;
    qlonglong hargaPokok = 0;
    qlonglong hargaJual = 0;
    qlonglong stokHarian = 0;
    QString waktu;
    QString status;
};
MenuItemValues menuItemValues(const MenuItemForm &form);

// Item codes "001", "002", ... one above the highest stored, refused past 999.
common::KeyRule itemKeyRule();

// What an edit loaded from the list: the values the written columns held, prices in whole
// rupiah as the list shows them, an empty slot for none.
struct MenuItemLoaded {
    QString nama;
    qlonglong hargaPokok = 0;
    qlonglong hargaJual = 0;
    QString stokHarian;
    QString waktu;
    QString status;
};

// A new item always starts with status 1. Both throw db::Error.
const QString &insertMenuItemSql();
const QString &updateMenuItemSql();
void insertMenuItem(const QString &code, const MenuItemValues &values, const QString &alias);
// Writes only while the row still holds what was loaded; false (nothing written) when another
// workstation changed or removed it since. Saving unchanged values is no conflict.
bool updateMenuItem(const QString &code, const MenuItemValues &values, const QString &alias,
                    const MenuItemLoaded &loaded);

// A row under code holding exactly these values. Throws db::Error.
const QString &menuItemHoldsSql();
// After a save: the row holds every written value.
bool menuItemHolds(const QString &code, const MenuItemValues &values);
// An item under code is stored. Throws db::Error.
bool menuItemExists(const QString &code);
// A new item whose reply was lost: another workstation may hold the same code, so the row is
// this window's only if it holds the name, prices, stock and slot sent and the registering alias.
bool newMenuItemStored(const QString &code, const MenuItemValues &values, const QString &alias);

// The key that a new item's code may find taken by another workstation.
inline const QString kItemCodeKey = QStringLiteral("PRIMARY");

// The slot code of a "Waktu" column text: the text before its first blank.
QString slotCodeOfWaktu(const QString &waktu);

// The list statement and its rows, sub-items 1 to 12 in column order.
const QString &menuListSql();
db::Fill menuRows();

} // namespace catalogue
