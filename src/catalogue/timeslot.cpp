#include "catalogue/timeslot.h"

#include "db/reader.h"
#include "db/sql.h"

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
        QStringLiteral("UPDATE set_waktu SET waktu_nama = ? WHERE waktu_id = ?");
    return sql;
}

void saveSlot(const QString &id, const QString &name) {
    if (!id.isEmpty())
        db::exec(slotUpdateSql(), {name, id});
    else
        db::exec(slotInsertSql(), {name});
}

} // namespace catalogue
