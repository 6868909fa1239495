#pragma once

#include "db/reader.h"

#include <QList>
#include <QString>
#include <QStringList>

// Statements of the time-slot window, apart from its widgets.
namespace catalogue {

// The list statement and its rows: sub-item 1 the slot code, 2 its name.
const QString &slotListSql();
db::Fill slotRows();

const QString &slotInsertSql();
const QString &slotUpdateSql();
// Renames slot id, or adds a slot (its code chosen by the database) when id is empty. The
// name goes in as typed. Throws db::Error.
void saveSlot(const QString &id, const QString &name);

} // namespace catalogue
