#include "sales/orderrecord.h"

#include "db/gateway.h"
#include "db/sql.h"

#include <cmath>

namespace sales {
namespace {

// A null QString binds as SQL NULL; an empty box must store an empty text.
QString text(const QString &value) {
    return value.isNull() ? QStringLiteral("") : value;
}

} // namespace

QString orderCode(const QDateTime &at, const QString &number) {
    return QStringLiteral("ODR") + at.toString(QStringLiteral("yyMMddHHmmss")) + number;
}

QString cafeSchema() {
    const QString name = db::databaseName();
    return name.isEmpty() ? QStringLiteral("ulu-cafe") : name;
}

QString recordSale(const Sale &sale) {
    db::Transaction transaction;

    const QVariant drawn =
        db::scalar(QStringLiteral("SELECT FLOOR((RAND() * (999999-100000+1))+100000) as Number "));
    const QString code = orderCode(sale.at, QString::number(std::llround(db::number(drawn))));

    // The schema name is an installation constant, not user input; backticks quote it.
    QString name = cafeSchema();
    const QString schema =
        QLatin1Char('`') + name.replace(QLatin1Char('`'), QStringLiteral("``")) + QLatin1Char('`');
    db::exec(QStringLiteral("INSERT INTO ") + schema +
                 QStringLiteral(".data_barang_order SET "
                                "order_kode = ?, order_tanggal = NOW(),  order_rekening = 'umum', "
                                "order_nama = ?, order_harga = ?, order_kampus = ?, "
                                "order_status = 1, order_reg_date = NOW(), order_reg_alias = ?"),
             {code, text(sale.pembeli), sale.total, text(sale.kampus), text(sale.alias)});
    const QString lineSql =
        QStringLiteral("INSERT INTO ") + schema +
        QStringLiteral(".data_barang_order_list SET "
                       "list_order = ?, list_barang = ?, list_barang_nama = ?, list_harga = ?, "
                       "list_qty = ?, list_jumlah = ?, list_status = 1, list_reg_date = NOW(), "
                       "list_reg_alias = ?");
    for (const SaleLine &line : sale.lines)
        db::exec(lineSql, {code, text(line.kode), text(line.nama), line.harga, line.qty,
                           line.jumlah, text(sale.alias)});
    transaction.commit();
    return code;
}

} // namespace sales
