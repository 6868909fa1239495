#include "sales/orderrecord.h"

#include "common/lostwrite.h"
#include "db/reader.h"
#include "db/sql.h"

#include <cmath>

namespace sales {
namespace {

// A null QString binds as SQL NULL; an empty box must store an empty text.
QString text(const QString &value) {
    return value.isNull() ? QStringLiteral("") : value;
}

// The schema name is an installation constant, not user input; backticks quote it.
QString quotedCafeSchema() {
    QString name = cafeSchema();
    return QLatin1Char('`') + name.replace(QLatin1Char('`'), QStringLiteral("``")) +
           QLatin1Char('`');
}

const QString kOrderCodeKey = QStringLiteral("PRIMARY");
constexpr int kCodeDraws = 5;

} // namespace

QString orderCode(const QDateTime &at, const QString &number) {
    return QStringLiteral("ODR") + at.toString(QStringLiteral("yyMMddHHmmss")) + number;
}

QString cafeSchema() {
    const QString name = db::databaseName();
    return name.isEmpty() ? QStringLiteral("ulu-cafe") : name;
}

const QString &orderNumberSql() {
    static const QString sql =
        QStringLiteral("SELECT FLOOR((RAND() * (999999-100000+1))+100000) as Number ");
    return sql;
}

QString orderHeaderSql() {
    return QStringLiteral("INSERT INTO ") + quotedCafeSchema() +
           QStringLiteral(".data_barang_order SET "
                          "order_kode = ?, order_tanggal = NOW(),  order_rekening = 'umum', "
                          "order_nama = ?, order_harga = ?, order_kampus = ?, "
                          "order_status = 1, order_reg_date = NOW(), order_reg_alias = ?");
}

QString orderLineSql() {
    return QStringLiteral("INSERT INTO ") + quotedCafeSchema() +
           QStringLiteral(".data_barang_order_list SET "
                          "list_order = ?, list_barang = ?, list_barang_nama = ?, list_harga = ?, "
                          "list_qty = ?, list_jumlah = ?, list_status = 1, list_reg_date = NOW(), "
                          "list_reg_alias = ?");
}

QString recordSale(const Sale &sale, QString &code) {
    db::Transaction transaction;

    // A kept code is the caller's own: its earlier attempt is known not to be stored, so a
    // duplicate means another order holds it and a new number is drawn.
    bool kept = !code.isEmpty();
    for (int attempt = 1;; ++attempt) {
        if (!kept) {
            const QVariant drawn = db::scalar(orderNumberSql());
            code = orderCode(sale.at, QString::number(std::llround(db::number(drawn))));
        }
        try {
            db::exec(orderHeaderSql(),
                     {code, text(sale.pembeli), sale.total, text(sale.kampus), text(sale.alias)});
            break;
        } catch (const db::Error &e) {
            if (!e.isDuplicate() || e.duplicateKey() != kOrderCodeKey || attempt >= kCodeDraws)
                throw;
            kept = false;
        }
    }
    db::Prepared line(orderLineSql());
    for (const SaleLine &l : sale.lines)
        line.exec({code, text(l.kode), text(l.nama), l.harga, l.qty, l.jumlah, text(sale.alias)});
    transaction.commit();
    return code;
}

QString recordSale(const Sale &sale) {
    QString code;
    return recordSale(sale, code);
}

const QString &storedOrderSql() {
    static const QString sql = QStringLiteral(
        "SELECT order_harga, order_reg_alias FROM data_barang_order WHERE order_kode = ?");
    return sql;
}

bool saleStored(const QString &code, const Sale &sale) {
    db::Reader r(storedOrderSql(), {code});
    const int harga = r.column(QStringLiteral("order_harga"));
    const int alias = r.column(QStringLiteral("order_reg_alias"));
    r.throwIfFailed();
    bool stored = false;
    while (r.next())
        stored = stored || (r.money(harga) == sale.total && r.text(alias) == text(sale.alias));
    r.throwIfFailed();
    return stored;
}

std::optional<bool> resolveSale(const QString &code, const Sale &sale) {
    return common::resolveLostWrite([&] { return saleStored(code, sale); });
}

} // namespace sales
