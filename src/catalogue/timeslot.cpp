#include "catalogue/timeslot.h"

#include "db/reader.h"
#include "db/sql.h"

#include <QSqlQuery>

namespace catalogue {

const QString &slotListSql() {
    static const QString sql = QStringLiteral("SELECT * FROM set_waktu ");
    return sql;
}

db::Fill slotRows() {
    db::Reader r(slotListSql());
    const int id = r.column(QStringLiteral("waktu_id"));
    const int nama = r.column(QStringLiteral("waktu_nama"));
    db::Fill fill;
    while (r.next())
        fill.rows.append({r.text(id), r.text(nama)});
    fill.failure = r.failure();
    return fill;
}

const QString &slotInsertSql() {
    static const QString sql = QStringLiteral("INSERT INTO set_waktu SET waktu_nama = ?");
    return sql;
}

const QString &slotUpdateSql() {
    static const QString sql =
        QStringLiteral("UPDATE set_waktu SET waktu_nama = ? WHERE waktu_id = ? "
                       "AND BINARY waktu_nama = ?");
    return sql;
}

bool saveSlot(const QString &id, const QString &name, const QString &loadedName) {
    if (id.isEmpty()) {
        db::exec(slotInsertSql(), {name});
        return true;
    }
    if (db::exec(slotUpdateSql(), {name, id, loadedName}) > 0)
        return true;
    // No row changed: the slot may already hold the name.
    return slotName(id) == name;
}

const QString &slotNameSql() {
    static const QString sql =
        QStringLiteral("SELECT waktu_nama FROM set_waktu WHERE waktu_id = ?");
    return sql;
}

std::optional<QString> slotName(const QString &id) {
    QSqlQuery q = db::select(slotNameSql(), {id});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

} // namespace catalogue
