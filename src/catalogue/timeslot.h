#pragma once

#include "db/reader.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Statements of the time-slot window, apart from its widgets.
namespace catalogue {

// The list statement and its rows: sub-item 1 the slot code, 2 its name.
const QString &slotListSql();
db::Fill slotRows();

const QString &slotInsertSql();
const QString &slotUpdateSql();
// Renames slot id while it still holds loadedName, or adds a slot (its code chosen by the
// database) when id is empty. The name goes in as typed. False (nothing written) when another
// workstation renamed or removed the slot since it was loaded. Throws db::Error.
bool saveSlot(const QString &id, const QString &name, const QString &loadedName = {});
// The slot's stored name, or nullopt when there is no such slot. Throws db::Error.
const QString &slotNameSql();
std::optional<QString> slotName(const QString &id);

} // namespace catalogue
