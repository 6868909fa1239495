#include "admin/lists.h"

#include <QDateTime>

#include <functional>
#include <initializer_list>

namespace admin {
namespace {

using common::Centre;
using common::Left;

QList<common::Column> withSpacer(QList<common::Column> columns) {
    columns.prepend({QStringLiteral("0"), 1, Left});
    return columns;
}

QDateTime parseServer(const QString &text) {
    const QString t = text.trimmed();
    QDateTime at = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!at.isValid())
        at = QDateTime(QDate::fromString(t, QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    return at;
}

QList<QStringList> readRows(db::Reader &r, std::initializer_list<const char *> names,
                            const std::function<QString(int, const QString &)> &shape = {}) {
    QList<int> cols;
    for (const char *name : names)
        cols.append(r.column(QString::fromLatin1(name)));
    QList<QStringList> rows;
    while (r.next()) {
        QStringList row;
        for (int i = 0; i < cols.size(); ++i) {
            const QString value = r.text(cols[i]);
            row.append(shape ? shape(i, value) : value);
        }
        rows.append(row);
    }
    return rows;
}

} // namespace

ListMode listMode(const QString &view) {
    if (view == QLatin1String("Group"))
        return {view,
                QStringLiteral("DATA GROUP"),
                QStringLiteral("TAMBAH"),
                QStringLiteral("KOREKSI"),
                QStringLiteral("JUMLAH : "),
                withSpacer({{QStringLiteral("Kode"), 700, Centre},
                            {QStringLiteral("Nama Group"), 3000, Left},
                            {QStringLiteral("Tipe"), 1, Left},
                            {QStringLiteral("Tipe Group"), 2500, Left},
                            {QStringLiteral("Jumlah Menu"), 1500, Centre},
                            {QStringLiteral("Keterangan"), 8000, Left}})};
    if (view == QLatin1String("Pengguna"))
        return {view,
                QStringLiteral("DATA PENGGUNA SISTEM"),
                QStringLiteral(" TAMBAH"),
                QStringLiteral(" EDIT"),
                QStringLiteral("JUMLAH RECORD : "),
                withSpacer({{QStringLiteral("Id"), 1, Left},
                            {QStringLiteral("Nama Lengkap"), 2500, Left},
                            {QStringLiteral("User"), 2000, Left},
                            {QStringLiteral("Level@"), 1, Left},
                            {QStringLiteral("Level"), 2000, Left},
                            {QStringLiteral("Jenis@"), 1, Left},
                            {QStringLiteral("Jenis"), 2000, Left},
                            {QStringLiteral("Kluster@"), 1, Left},
                            {QStringLiteral("Kluster"), 2500, Left},
                            {QStringLiteral("Kantor@"), 1, Left},
                            {QStringLiteral("Kantor"), 2500, Left},
                            {QStringLiteral("Status@"), 1, Left},
                            {QStringLiteral("Status"), 1500, Left},
                            {QStringLiteral("Ket@"), 1, Left}})};
    if (view == QLatin1String("LogLogin"))
        return {view,
                QStringLiteral("LOG LOGIN"),
                {},
                {},
                QStringLiteral("JUMLAH RECORD : "),
                withSpacer({{QStringLiteral("Tanggal"), 1200, Centre},
                            {QStringLiteral("Jam"), 1200, Centre},
                            {QStringLiteral("User"), 1300, Left},
                            {QStringLiteral("IP"), 1500, Left},
                            {QStringLiteral("Mac"), 1700, Left},
                            {QStringLiteral("Hostname"), 2000, Left},
                            {QStringLiteral("Versi"), 1000, Left},
                            {QStringLiteral("Session"), 1500, Left}})};
    if (view == QLatin1String("LogPassword"))
        return {view,
                QStringLiteral("LOG GANTI PASSWORD"),
                {},
                {},
                QStringLiteral("JUMLAH RECORD : "),
                withSpacer({{QStringLiteral("Tanggal"), 1200, Centre},
                            {QStringLiteral("Jam"), 1200, Centre},
                            {QStringLiteral("User"), 2500, Left},
                            {QStringLiteral("Versi"), 1000, Left}})};
    return {view, {}, {}, {}, {}, {}};
}

const QString &groupListSql() {
    static const QString sql =
        QStringLiteral("SELECT group_kode, group_nama, group_akses, group_keterangan, "
                       "GetGroupJenis(group_akses) as Jenis, "
                       "GetGroupJumlah(group_kode) as JumlahMenu "
                       "FROM data_pengguna_group ");
    return sql;
}

const QString &userListSql() {
    static const QString sql =
        QStringLiteral("SELECT user_id, user_nama, user_group, user_alias, "
                       "user_jenis, user_cluster, user_bpr, user_status, user_keterangan, "
                       "GetGroupNama(user_group) as NamaGroup, "
                       "GetClusterNama(user_cluster) as Cluster, "
                       "GetBprNama(user_bpr) as BPR, "
                       "GetUserStatus(user_status) as Status, "
                       "GetUserJenis(user_jenis) as Jenis "
                       "FROM data_pengguna_alias "
                       "ORDER BY user_id ASC");
    return sql;
}

// The server's date decides "today", whatever the workstation's clock says; the range keeps
// the index on log_tanggal usable.
const QString &loginLogSql() {
    static const QString sql = QStringLiteral(
        "SELECT * FROM log_login "
        "WHERE log_tanggal >= CURDATE() AND log_tanggal < CURDATE() + INTERVAL 1 DAY ");
    return sql;
}

const QString &passwordLogSql() {
    static const QString sql = QStringLiteral("SELECT * FROM log_password ORDER BY log_id DESC ");
    return sql;
}

QString dateText(const QString &serverText) {
    const QDateTime at = parseServer(serverText);
    return at.isValid() ? at.toString(QStringLiteral("dd-MM-yyyy")) : QString();
}

QString timeText(const QString &serverText) {
    const QString t = serverText.trimmed();
    QTime time = QTime::fromString(t, QStringLiteral("HH:mm:ss"));
    if (!time.isValid()) {
        const QDateTime at = parseServer(t);
        if (at.isValid() && t.size() > 10)
            time = at.time();
    }
    return time.isValid() ? time.toString(QStringLiteral("HH:mm:ss")) : QString();
}

db::Fill listRows(const QString &view) {
    db::Fill fill;
    if (view == QLatin1String("Group")) {
        db::Reader r(groupListSql());
        fill.rows = readRows(r, {"group_kode", "group_nama", "group_akses", "Jenis", "JumlahMenu",
                                 "group_keterangan"});
        fill.failure = r.failure();
    } else if (view == QLatin1String("Pengguna")) {
        db::Reader r(userListSql());
        fill.rows = readRows(r, {"user_id", "user_nama", "user_alias", "user_group", "NamaGroup",
                                 "user_jenis", "Jenis", "user_cluster", "Cluster", "user_bpr",
                                 "BPR", "user_status", "Status", "user_keterangan"});
        fill.failure = r.failure();
    } else if (view == QLatin1String("LogLogin")) {
        db::Reader r(loginLogSql());
        fill.rows = readRows(r,
                             {"log_tanggal", "log_tanggal", "log_alias", "log_ipaddress",
                              "log_macaddress", "log_hostname", "log_version", "log_session"},
                             [](int i, const QString &v) {
                                 return i == 0 ? dateText(v) : i == 1 ? timeText(v) : v;
                             });
        fill.failure = r.failure();
    } else if (view == QLatin1String("LogPassword")) {
        db::Reader r(passwordLogSql());
        fill.rows = readRows(r, {"log_date", "log_time", "log_user", "log_version"},
                             [](int i, const QString &v) {
                                 return i == 0 ? dateText(v) : i == 1 ? timeText(v) : v;
                             });
        fill.failure = r.failure();
    }
    return fill;
}

} // namespace admin
