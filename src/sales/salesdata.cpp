#include "sales/salesdata.h"

#include "common/amount.h"

namespace sales {

const QString &historySql() {
    static const QString sql = QStringLiteral("SELECT * FROM data_barang_order "
                                              "WHERE order_tanggal = ? ORDER BY order_kode DESC ");
    return sql;
}

HistoryFill historyRows(const QDate &day) {
    db::Reader r(historySql(), {day.toString(QStringLiteral("yyyy-MM-dd"))});
    const int kode = r.column(QStringLiteral("order_kode"));
    const int tanggal = r.column(QStringLiteral("order_tanggal"));
    const int nama = r.column(QStringLiteral("order_nama"));
    const int kampus = r.column(QStringLiteral("order_kampus"));
    const int harga = r.column(QStringLiteral("order_harga"));
    const int regDate = r.column(QStringLiteral("order_reg_date"));
    const int regAlias = r.column(QStringLiteral("order_reg_alias"));
    HistoryFill fill;
    while (r.next()) {
        const db::Money amount = r.money(harga);
        fill.total += amount;
        const QDate date = QDate::fromString(r.text(tanggal).left(10), Qt::ISODate);
        fill.rows.append({r.text(kode), date.toString(QStringLiteral("dd-MM-yyyy")), r.text(nama),
                          r.text(kampus), common::formatAmount(amount), r.text(regDate),
                          r.text(regAlias)});
    }
    fill.failure = r.failure();
    return fill;
}

const QString &orderLinesSql() {
    static const QString sql = QStringLiteral(
        "SELECT * FROM data_barang_order_list WHERE list_order = ? ORDER BY list_id");
    return sql;
}

OrderLinesFill orderLines(const QString &orderCode) {
    db::Reader r(orderLinesSql(), {orderCode});
    const int barang = r.column(QStringLiteral("list_barang"));
    const int nama = r.column(QStringLiteral("list_barang_nama"));
    const int harga = r.column(QStringLiteral("list_harga"));
    const int qty = r.column(QStringLiteral("list_qty"));
    const int jumlah = r.column(QStringLiteral("list_jumlah"));
    OrderLinesFill fill;
    while (r.next()) {
        const db::Money amount = r.money(jumlah);
        fill.qty += r.whole(qty);
        fill.total += amount;
        fill.rows.append({r.text(barang), r.text(nama), common::formatAmount(r.money(harga)),
                          r.text(qty), common::formatAmount(amount)});
    }
    fill.failure = r.failure();
    return fill;
}

} // namespace sales
