// A year of orders (100,000 orders, 300,000 lines): the register's and the report's fills of
// the whole year, each against the mariadb client running the same statement, back to back and
// alternating, median of 5; then a header sort of the register's 100,000 rows.
#include "common/reportlist.h"
#include "core/session.h"
#include "orders/frmCafeOrder.h"
#include "orders/frmCafeTransLaporan.h"
#include "orders/orderdata.h"
#include "support/testdb.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

const QDate kFrom(2023, 1, 1);
const QDate kTo(2023, 12, 31);

// The statement with its values written in, for the command-line client (bench values only:
// dates and fixed words).
QString literal(const orders::Statement &s) {
    QString sql;
    int next = 0;
    for (const QChar c : s.sql) {
        if (c == QLatin1Char('?'))
            sql += QLatin1Char('\'') + s.values.value(next++).toString() + QLatin1Char('\'');
        else
            sql += c;
    }
    return sql;
}

qint64 clientMs(const QString &sql) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral("mariadb"),
            {QStringLiteral("--protocol=socket"),
             QStringLiteral("--socket=") + testdb::socketPath(), QStringLiteral("-uroot"),
             QStringLiteral("--batch"), QStringLiteral("--quick"), testdb::cafeDb(),
             QStringLiteral("-e"), sql});
    p.waitForFinished(-1);
    return t.elapsed();
}

qint64 median(QList<qint64> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename W> void setUp(W &w, const QString &jenis) {
    w.template findChild<QDateEdit *>(QStringLiteral("dtAwal"))->setDate(kFrom);
    w.template findChild<QDateEdit *>(QStringLiteral("dtAkhir"))->setDate(kTo);
    auto *c = w.template findChild<QComboBox *>(QStringLiteral("cboJenis"));
    c->setCurrentIndex(c->findText(jenis));
    if (auto *p = w.template findChild<QComboBox *>(QStringLiteral("cboPembeli")))
        p->setCurrentIndex(p->findText(QStringLiteral("Santri")));
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (!testdb::openSession())
        return 1;
    core::CurrentUser().alias = QStringLiteral("bench");

    QElapsedTimer gen;
    gen.start();
    testdb::truncate(
        {"data_barang", "set_waktu", "set_kampus", "data_barang_order", "data_barang_order_list"});
    testdb::rootScript(
        "INSERT INTO set_waktu (waktu_id, waktu_nama) VALUES (1, 'Pagi'), (2, 'Siang'), "
        "(3, 'Sore');\n"
        "INSERT INTO data_barang (barang_kode, barang_nama, barang_harga_pokok, "
        "barang_harga_jual, barang_stok_harian, barang_status) SELECT LPAD(seq, 3, '0'), "
        "CONCAT('Menu ', seq), 3000 + seq * 10, 5000 + seq * 10, 100, '1' FROM seq_1_to_60;\n"
        "INSERT INTO data_barang_order (order_kode, order_tanggal, order_rekening, order_nama, "
        "order_kelas, order_harga, order_waktu, order_kampus, order_status, order_reg_date, "
        "order_reg_alias) SELECT CONCAT('ODR', LPAD(seq, 12, '0'), '000000'), "
        "'2023-01-01' + INTERVAL (seq MOD 365) DAY, IF(seq MOD 2, 'umum', CONCAT('R', seq MOD "
        "900)), "
        "CONCAT('Pembeli ', seq), IF(seq MOD 2, '', '7A'), 15000 + (seq MOD 7) * 1000, "
        "1 + seq MOD 3, IF(seq MOD 3, 'Putra', 'Putri'), IF(seq MOD 50, 1, 9), "
        "'2023-01-01 07:00:00' + INTERVAL (seq MOD 365) DAY, 'kasir' FROM seq_1_to_100000;\n"
        "INSERT INTO data_barang_order_list (list_order, list_barang, list_barang_nama, "
        "list_harga, list_qty, list_jumlah, list_status, list_reg_date, list_reg_alias) "
        "SELECT CONCAT('ODR', LPAD(1 + seq MOD 100000, 12, '0'), '000000'), "
        "LPAD(1 + seq MOD 60, 3, '0'), CONCAT('Menu ', 1 + seq MOD 60), 5000, 1 + seq MOD 3, "
        "5000 * (1 + seq MOD 3), 1, NOW(), 'kasir' FROM seq_0_to_299999;\n"
        "ANALYZE TABLE data_barang_order, data_barang_order_list");
    QTextStream out(stdout);
    out << "generated a year of orders in " << gen.elapsed() << " ms\n";

    frmCafeOrder reg;
    frmCafeTransLaporan rep;
    reg.resize(1100, 640);
    rep.resize(1200, 640);
    reg.show();
    rep.show();
    QApplication::processEvents();

    const orders::RegisterFilter rf{kFrom, kTo, {}, {}};
    const orders::ReportFilter pf{kFrom, kTo, {}, orders::Buyer::Santri};
    struct Case {
        const char *name;
        QWidget *window;
        QString jenis;
        std::function<void()> fill;
        QString sql;
    };
    const QList<Case> cases = {
        {"register Rekap", &reg, "Rekap", [&] { reg.DataOrder(); },
         literal(orders::registerRekap(rf))},
        {"register Rinci", &reg, "Rinci", [&] { reg.DataOrderRinci(); },
         literal(orders::registerRinci(rf))},
        {"report Rekap", &rep, "Rekap", [&] { rep.DataOrder(); }, literal(orders::reportRekap(pf))},
        {"report Rinci", &rep, "Rinci", [&] { rep.DataOrderRinci(); },
         literal(orders::reportRinci(pf))},
    };
    setUp(reg, QStringLiteral("Rekap"));
    setUp(rep, QStringLiteral("Rekap"));

    bool rowsSeen = true;
    for (const Case &c : cases) {
        QList<qint64> fills, clients;
        c.fill(); // warm the server's caches once for both sides
        clientMs(c.sql);
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer t;
            t.start();
            c.fill();
            QApplication::processEvents();
            fills << t.elapsed();
            clients << clientMs(c.sql);
        }
        const auto *list = c.window->findChild<common::ReportList *>(QStringLiteral("ListView1"));
        rowsSeen = rowsSeen && list->rowCount() > 0;
        const qint64 f = median(fills), m = median(clients);
        out << c.name << ": " << list->rowCount() << " rows; fill " << f << " ms, mariadb " << m
            << " ms, ratio " << QString::number(m > 0 ? double(f) / double(m) : 0.0, 'f', 2)
            << "\n";
    }

    reg.DataOrder();
    auto *list = reg.findChild<common::ReportList *>(QStringLiteral("ListView1"));
    QElapsedTimer sort;
    sort.start();
    list->sortByColumn(4, Qt::AscendingOrder);
    QApplication::processEvents();
    out << "sorting " << list->rowCount() << " register rows by Nama: " << sort.elapsed()
        << " ms\n";
    return rowsSeen ? 0 : 1;
}
