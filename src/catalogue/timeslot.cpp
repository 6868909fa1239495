#include "catalogue/timeslot.h"

#include "db/sql.h"

#include <QSqlQuery>

namespace catalogue {

QList<QStringList> slotRows() {
    QSqlQuery q = db::selectForFill(QStringLiteral("SELECT * FROM set_waktu "));
    QList<QStringList> rows;
    while (q.next()) {
        rows.append({db::fieldText(q, QStringLiteral("waktu_id")),
                     db::fieldText(q, QStringLiteral("waktu_nama"))});
    }
    return rows;
}

void saveSlot(const QString &id, const QString &name) {
    if (!id.isEmpty())
        db::exec(QStringLiteral("UPDATE set_waktu SET waktu_nama = ? WHERE waktu_id = ?"),
                 {name, id});
    else
        db::exec(QStringLiteral("INSERT INTO set_waktu SET waktu_nama = ?"), {name});
}

} // namespace catalogue
