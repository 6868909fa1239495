#include "orders/orderdata.h"

#include "common/amount.h"
#include "db/gateway.h"
#include "db/sql.h"

#include <QHash>

namespace orders {

namespace {

const QString kDay = QStringLiteral("yyyy-MM-dd");

QString range() {
    return QStringLiteral("WHERE (order_tanggal BETWEEN ? AND ?) ");
}

QVariantList rangeValues(const QDate &from, const QDate &to) {
    return {from.toString(kDay), to.toString(kDay)};
}

void addRegisterFilter(Statement &s, const RegisterFilter &f) {
    if (!f.kampus.isEmpty()) {
        s.sql += QStringLiteral(" AND order_kampus = ? ");
        s.values << f.kampus;
    }
    if (!f.waktu.isEmpty()) {
        s.sql += QStringLiteral(" AND order_waktu = ? ");
        s.values << f.waktu;
    }
}

void addReportFilter(Statement &s, const ReportFilter &f) {
    if (!f.kampus.isEmpty()) {
        s.sql += QStringLiteral(" AND order_kampus = ? ");
        s.values << f.kampus;
    }
    s.sql += f.buyer == Buyer::Umum ? QStringLiteral(" AND order_rekening = 'umum' ")
                                    : QStringLiteral(" AND order_rekening <> 'umum' ");
}

// "#,##0" texts of one fill: order amounts repeat (a canteen has few prices), and formatting
// through the locale is the costliest step of reading a year of orders.
class Amounts {
public:
    const QString &text(db::Money value) {
        auto it = cache_.constFind(value);
        if (it == cache_.cend())
            it = cache_.insert(value, common::formatAmount(value));
        return *it;
    }

private:
    QHash<db::Money, QString> cache_;
};

// Columns of a one-row-per-order list, resolved once per result.
struct OrderColumns {
    int kode, tanggal, rekening, nama, kelas, harga, waktu, kampus, regDate;
    explicit OrderColumns(const db::Reader &r)
        : kode(r.column(QStringLiteral("order_kode")))
        , tanggal(r.column(QStringLiteral("order_tanggal")))
        , rekening(r.column(QStringLiteral("order_rekening")))
        , nama(r.column(QStringLiteral("order_nama")))
        , kelas(r.column(QStringLiteral("order_kelas")))
        , harga(r.column(QStringLiteral("order_harga")))
        , waktu(r.column(QStringLiteral("Waktu")))
        , kampus(r.column(QStringLiteral("order_kampus")))
        , regDate(r.column(QStringLiteral("order_reg_date"))) {}
    Amounts amounts;

    QStringList row(const db::Reader &r, db::Money amount) {
        return {r.text(kode),  r.text(tanggal), r.text(rekening),
                r.text(nama),  r.text(kelas),   amounts.text(amount),
                r.text(waktu), r.text(kampus),  r.text(regDate)};
    }
};

// Columns of a one-row-per-item list.
struct ItemColumns {
    int kode, tanggal, barang, qty, harga, waktu, kampus, regDate;
    explicit ItemColumns(const db::Reader &r)
        : kode(r.column(QStringLiteral("order_kode")))
        , tanggal(r.column(QStringLiteral("order_tanggal")))
        , barang(r.column(QStringLiteral("list_barang_nama")))
        , qty(r.column(QStringLiteral("qty")))
        , harga(r.column(QStringLiteral("harga")))
        , waktu(r.column(QStringLiteral("Waktu")))
        , kampus(r.column(QStringLiteral("order_kampus")))
        , regDate(r.column(QStringLiteral("order_reg_date"))) {}

    QStringList row(const db::Reader &r, db::Money amount) const {
        return {r.text(kode),
                r.text(tanggal),
                r.text(barang),
                common::formatAmount(r.whole(qty)),
                common::formatAmount(amount),
                r.text(waktu),
                r.text(kampus),
                r.text(regDate)};
    }
};

} // namespace

Statement registerRekap(const RegisterFilter &f) {
    Statement s{QStringLiteral("SELECT *, GetWaktu(order_waktu) as Waktu, "
                               "IF(order_status=1, 'AKTIF', IF(order_status=9, 'DELETE', '')) "
                               "as Status FROM data_barang_order ") +
                    range(),
                rangeValues(f.from, f.to)};
    addRegisterFilter(s, f);
    return s;
}

Statement registerRinci(const RegisterFilter &f) {
    Statement s{QStringLiteral("SELECT *, GetWaktu(order_waktu) as Waktu, "
                               "SUM(list_jumlah) as harga, SUM(list_qty) as qty "
                               "FROM data_barang_order_list "
                               "LEFT JOIN data_barang_order ON order_kode = list_order "
                               "AND list_status=1 ") +
                    range() + QStringLiteral("AND order_status=1 "),
                rangeValues(f.from, f.to)};
    addRegisterFilter(s, f);
    s.sql += QStringLiteral(" GROUP BY list_barang ");
    return s;
}

Statement reportRekap(const ReportFilter &f) {
    Statement s{QStringLiteral("SELECT *, GetWaktu(order_waktu) as Waktu FROM data_barang_order ") +
                    range() + QStringLiteral("AND order_status=1 "),
                rangeValues(f.from, f.to)};
    addReportFilter(s, f);
    return s;
}

Statement reportRinci(const ReportFilter &f) {
    Statement s{QStringLiteral("SELECT *, GetWaktu(order_waktu) as Waktu, "
                               "SUM(list_jumlah) as harga, SUM(list_qty) as qty, "
                               "GetBarangHargaPokok(list_barang)*SUM(list_qty) as Pokok "
                               "FROM data_barang_order_list "
                               "LEFT JOIN data_barang_order ON order_kode = list_order ") +
                    range() + QStringLiteral("AND order_status=1 "),
                rangeValues(f.from, f.to)};
    addReportFilter(s, f);
    s.sql += QStringLiteral(" GROUP BY list_barang ");
    return s;
}

RegisterFill registerRekapRows(const RegisterFilter &f) {
    const Statement s = registerRekap(f);
    db::Reader r(s.sql, s.values);
    OrderColumns c(r);
    const int status = r.column(QStringLiteral("Status"));
    RegisterFill fill;
    while (r.next()) {
        const db::Money amount = r.money(c.harga);
        fill.total += amount;
        QStringList row = c.row(r, amount);
        row << r.text(status);
        fill.rows.append(std::move(row));
    }
    fill.failure = r.failure();
    return fill;
}

RegisterFill registerRinciRows(const RegisterFilter &f) {
    const Statement s = registerRinci(f);
    db::Reader r(s.sql, s.values);
    const ItemColumns c(r);
    RegisterFill fill;
    while (r.next()) {
        const db::Money amount = r.money(c.harga);
        fill.total += amount;
        fill.rows.append(c.row(r, amount));
    }
    fill.failure = r.failure();
    return fill;
}

ReportFill reportRekapRows(const ReportFilter &f) {
    const Statement s = reportRekap(f);
    db::Reader r(s.sql, s.values);
    OrderColumns c(r);
    ReportFill fill;
    while (r.next()) {
        const db::Money amount = r.money(c.harga);
        fill.jual += amount;
        fill.rows.append(c.row(r, amount));
    }
    fill.failure = r.failure();
    return fill;
}

ReportFill reportRinciRows(const ReportFilter &f) {
    const Statement s = reportRinci(f);
    db::Reader r(s.sql, s.values);
    const ItemColumns c(r);
    const int pokok = r.column(QStringLiteral("Pokok"));
    ReportFill fill;
    while (r.next()) {
        const db::Money amount = r.money(c.harga);
        fill.jual += amount;
        QStringList row = c.row(r, amount);
        if (r.isNull(pokok)) {
            row << QString() << QString();
        } else {
            const db::Money cost = r.money(pokok);
            fill.pokok += cost;
            fill.margin += amount - cost;
            row << common::formatAmount(cost) << common::formatAmount(amount - cost);
        }
        fill.rows.append(std::move(row));
    }
    fill.failure = r.failure();
    return fill;
}

const QString &orderHeaderSql() {
    static const QString sql = QStringLiteral(
        "SELECT GetWaktu(order_waktu) as Waktu, order_kampus, order_rekening, order_nama, "
        "order_kelas FROM data_barang_order WHERE order_kode = ?");
    return sql;
}

std::optional<OrderHeader> orderHeader(const QString &code) {
    db::Reader r(orderHeaderSql(), {code});
    const bool found = r.next();
    r.throwIfFailed();
    if (!found)
        return std::nullopt;
    return OrderHeader{r.text(r.column(QStringLiteral("Waktu"))),
                       r.text(r.column(QStringLiteral("order_kampus"))),
                       r.text(r.column(QStringLiteral("order_rekening"))),
                       r.text(r.column(QStringLiteral("order_nama"))),
                       r.text(r.column(QStringLiteral("order_kelas")))};
}

QStringList cancelSql() {
    return {
        QStringLiteral("UPDATE data_barang_order SET order_status=9 WHERE order_kode = ?"),
        QStringLiteral("UPDATE data_barang_order_list SET list_status=9 WHERE list_order = ?"),
        QStringLiteral("UPDATE data_transaksi SET trans_status=9 WHERE trans_order = ?"),
        QStringLiteral("UPDATE `cashless-adm`.data_tabungan_trans SET trans_status=9 "
                       "WHERE trans_kuitansi = ?"),
    };
}

const QString &notCancelledSql() {
    static const QString sql = QStringLiteral(
        "SELECT (SELECT COUNT(*) FROM data_barang_order WHERE order_kode = ? "
        "AND order_status = 9) as cancelled, "
        "(SELECT COUNT(*) FROM data_barang_order WHERE order_kode = ? AND order_status <> 9) "
        "+ (SELECT COUNT(*) FROM data_barang_order_list WHERE list_order = ? "
        "AND list_status <> 9) "
        "+ (SELECT COUNT(*) FROM data_transaksi WHERE trans_order = ? AND trans_status <> 9) "
        "+ (SELECT COUNT(*) FROM `cashless-adm`.data_tabungan_trans WHERE trans_kuitansi = ? "
        "AND trans_status <> 9) as open_rows");
    return sql;
}

namespace {

// After a lost reply: the cancellation holds when the order and every row of it read 9.
CancelOutcome resolveLostCancel(const QString &code, const db::Error &lost) {
    QSqlDatabase conn = db::sessionConnection();
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            db::Reader r(notCancelledSql(), {code, code, code, code, code}, conn);
            const bool found = r.next();
            r.throwIfFailed();
            if (found && r.whole(r.column(QStringLiteral("cancelled"))) == 1 &&
                r.whole(r.column(QStringLiteral("open_rows"))) == 0)
                return {true, {}};
            return {false, lost.text()};
        } catch (const db::Error &e) {
            if (!e.isConnectionFailure() || attempt > 0)
                return {false, lost.text()};
            conn.close();
            db::resetTransactionState(conn.connectionName());
            if (!conn.open())
                return {false, lost.text()};
        }
    }
    return {false, lost.text()};
}

} // namespace

CancelOutcome cancelOrder(const QString &code) {
    try {
        db::Transaction t;
        for (const QString &sql : cancelSql())
            db::exec(sql, {code});
        t.commit();
        return {true, {}};
    } catch (const db::Error &e) {
        if (e.isConnectionFailure())
            return resolveLostCancel(code, e);
        return {false, e.text()};
    }
}

const QString &postingsSql() {
    static const QString sql =
        QStringLiteral("SELECT trans_id, trans_tanggal, trans_kode, trans_kuitansi, "
                       "trans_jumlah_masuk, trans_jumlah_keluar, trans_reg_time, "
                       "trans_reg_alias, trans_reg_date, trans_uraian, trans_rekening, "
                       "`cashless-adm`.GetTabNasabahKelas(trans_rekening) as Kelas, "
                       "`cashless-adm`.GetTabNasabahNama(trans_rekening) as Nama, "
                       "`cashless-adm`.GetStatusTrans(trans_status) as Status "
                       "FROM `cashless-adm`.data_tabungan_trans "
                       "WHERE trans_kuitansi = ? "
                       "ORDER BY trans_reg_time ASC ");
    return sql;
}

db::Fill postingRows(const QString &code) {
    db::Reader r(postingsSql(), {code});
    const int id = r.column(QStringLiteral("trans_id"));
    const int tanggal = r.column(QStringLiteral("trans_tanggal"));
    const int kode = r.column(QStringLiteral("trans_kode"));
    const int kuitansi = r.column(QStringLiteral("trans_kuitansi"));
    const int uraian = r.column(QStringLiteral("trans_uraian"));
    const int masuk = r.column(QStringLiteral("trans_jumlah_masuk"));
    const int keluar = r.column(QStringLiteral("trans_jumlah_keluar"));
    const int status = r.column(QStringLiteral("Status"));
    const int regTime = r.column(QStringLiteral("trans_reg_time"));
    const int alias = r.column(QStringLiteral("trans_reg_alias"));
    const int rekening = r.column(QStringLiteral("trans_rekening"));
    const int kelas = r.column(QStringLiteral("Kelas"));
    const int nama = r.column(QStringLiteral("Nama"));
    db::Fill fill;
    while (r.next()) {
        const QDate day = QDate::fromString(r.text(tanggal).left(10), Qt::ISODate);
        fill.rows.append({r.text(id), day.toString(QStringLiteral("dd-MM-yyyy")), r.text(kode),
                          r.text(kuitansi), r.text(uraian), common::formatAmount(r.money(masuk)),
                          common::formatAmount(r.money(keluar)), QString(), r.text(status),
                          r.text(regTime), r.text(alias), r.text(rekening), r.text(kelas),
                          r.text(nama)});
    }
    fill.failure = r.failure();
    return fill;
}

} // namespace orders
