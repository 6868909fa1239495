#include "common/amount.h"
#include "common/reportlist.h"
#include "core/session.h"
#include "db/sql.h"
#include "orders/frmCafeOrder.h"
#include "orders/frmCafeOrderTransAdm.h"
#include "orders/frmCafeTransLaporan.h"
#include "orders/orderdata.h"
#include "sales/frmCafeOrderList.h"
#include "salesfixture.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QDateEdit>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QtTest>

#include <algorithm>

using common::ReportList;

namespace {

const QDate kDay(2024, 3, 1);

// Two slots; a walk-in order, a student order with a cancelled line of an item that has no
// cost price, a cancelled student order, an order of an unknown status, and one of the next
// day. The student order has a canteen transaction row and two card postings.
void seedOrders() {
    salesfx::seed();
    testdb::truncate({QStringLiteral("set_waktu"), QStringLiteral("data_transaksi"),
                      QStringLiteral("`cashless-adm`.data_tabungan_trans"),
                      QStringLiteral("`cashless-adm`.data_tabungan"),
                      QStringLiteral("`cashless-adm`.data_nasabah")});
    testdb::rootScript(QStringLiteral(
        "INSERT INTO set_waktu (waktu_id, waktu_nama) VALUES (1, 'Pagi'), (2, 'Siang');\n"
        "INSERT INTO data_barang_order (order_kode, order_tanggal, order_rekening, order_nama, "
        "order_kelas, order_harga, order_waktu, order_kampus, order_status, order_reg_date) "
        "VALUES ('ODR1', '2024-03-01', 'umum', 'Budi', '', 15000, 1, 'Putra', 1, "
        "'2024-03-01 07:00:00'), "
        "('ODR2', '2024-03-01', 'R001', 'Siti', '7A', 25000, 2, 'Putri', 1, "
        "'2024-03-01 11:00:00'), "
        "('ODR3', '2024-03-01', 'R002', 'Ali', '8B', 15000, 1, 'Putra', 9, "
        "'2024-03-01 07:30:00'), "
        "('ODR4', '2024-03-01', 'umum', 'Tamu', '', 5000, 1, 'Putra', 5, "
        "'2024-03-01 08:00:00'), "
        "('ODR5', '2024-03-02', 'umum', 'Esok', '', 5000, 1, 'Putra', 1, "
        "'2024-03-02 08:00:00');\n"
        "INSERT INTO data_barang_order_list (list_order, list_barang, list_barang_nama, "
        "list_harga, list_qty, list_jumlah, list_status) VALUES "
        "('ODR1', 'B02', 'Es Teh', 5000, 3, 15000, 1), "
        "('ODR2', 'B01', 'Nasi Goreng', 15000, 1, 15000, 1), "
        "('ODR2', 'B02', 'Es Teh', 5000, 2, 10000, 1), "
        "('ODR2', 'X99', 'Menu Lama', 3000, 1, 3000, 9), "
        "('ODR3', 'B01', 'Nasi Goreng', 15000, 1, 15000, 9), "
        "('ODR4', 'B02', 'Es Teh', 5000, 1, 5000, 1), "
        "('ODR5', 'B02', 'Es Teh', 5000, 1, 5000, 1);\n"
        "INSERT INTO data_transaksi (trans_id, trans_tanggal, trans_order, trans_rekening, "
        "trans_jumlah, trans_status) VALUES ('T1', '2024-03-01', 'ODR2', 'R001', 25000, 1);\n"
        "INSERT INTO `cashless-adm`.data_nasabah (nasabah_id, nasabah_nama, nasabah_kelas) "
        "VALUES ('N1', 'Siti Aminah', '7A');\n"
        "INSERT INTO `cashless-adm`.data_tabungan (tab_rekening, tab_nasabah) "
        "VALUES ('R001', 'N1');\n"
        "INSERT INTO `cashless-adm`.data_tabungan_trans (trans_id, trans_tanggal, trans_kode, "
        "trans_rekening, trans_jumlah_masuk, trans_jumlah_keluar, trans_kuitansi, trans_uraian, "
        "trans_status, trans_reg_time, trans_reg_alias) VALUES "
        "('P2', '2024-03-01', '02', 'R001', 0, 3000, 'ODR2', 'Koreksi', 1, "
        "'2024-03-01 11:05:00', 'sys'), "
        "('P1', '2024-03-01', '01', 'R001', 0, 25000, 'ODR2', 'Bayar kantin', 1, "
        "'2024-03-01 11:00:00', 'sys')"));
}

QList<QStringList> sortedRows(QList<QStringList> rows, int key) {
    std::sort(rows.begin(), rows.end(),
              [key](const QStringList &a, const QStringList &b) { return a[key] < b[key]; });
    return rows;
}

// Status of the order in its four places: order, lines, canteen rows, postings.
QString statuses(const QString &code) {
    QSqlQuery q = db::select(
        QStringLiteral(
            "SELECT (SELECT GROUP_CONCAT(order_status) FROM data_barang_order WHERE "
            "order_kode = ?), (SELECT GROUP_CONCAT(list_status ORDER BY list_id) FROM "
            "data_barang_order_list WHERE list_order = ?), (SELECT GROUP_CONCAT(trans_status) "
            "FROM data_transaksi WHERE trans_order = ?), (SELECT GROUP_CONCAT(trans_status "
            "ORDER BY trans_id) FROM `cashless-adm`.data_tabungan_trans WHERE trans_kuitansi = ?)"),
        {code, code, code, code}, testdb::root());
    q.next();
    QStringList parts;
    for (int i = 0; i < 4; ++i)
        parts << q.value(i).toString();
    return parts.join(QLatin1Char('|'));
}

void setRange(QWidget *w, const QDate &from, const QDate &to) {
    child<QDateEdit>(w, "dtAwal")->setDate(from);
    child<QDateEdit>(w, "dtAkhir")->setDate(to);
}

void choose(QWidget *w, const char *combo, const QString &text) {
    auto *c = child<QComboBox>(w, combo);
    c->setCurrentIndex(c->findText(text));
}

int rowOf(const ReportList *list, const QString &code) {
    for (int row = 0; row < list->rowCount(); ++row)
        if (list->subItem(row, 1) == code)
            return row;
    return -1;
}

} // namespace

class TestOrders : public QObject {
    Q_OBJECT

    RecordingPrinter printer_;

private slots:
    void initTestCase() {
        QVERIFY(testdb::openSession());
        common::setAmountLocale(QLocale(QLocale::Indonesian, QLocale::Indonesia));
        core::CurrentUser().alias = QStringLiteral("admin");
        sales::setRawPrinter(&printer_);
    }

    void cleanupTestCase() { sales::setRawPrinter(nullptr); }

    void init() {
        seedOrders();
        printer_.jobs.clear();
    }

    void registerLists() {
        const orders::RegisterFilter day{kDay, kDay, {}, {}};
        const auto rekap = orders::registerRekapRows(day);
        QVERIFY(!rekap.failed());
        QList<QStringList> rows = sortedRows(rekap.rows, 0);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[1], (QStringList{"ODR2", "2024-03-01", "R001", "Siti", "7A", "25.000",
                                       "Siang", "Putri", "2024-03-01 11:00:00", "AKTIF"}));
        QCOMPARE(rows[2][9], QStringLiteral("DELETE"));
        QCOMPARE(rows[3][9], QString()); // status 5
        QCOMPARE(rekap.total, 60000);

        // Per item: cancelled orders, cancelled lines and other statuses are left out; the
        // price column is the money taken (Es Teh: 3 x 5.000 + 2 x 5.000).
        const auto rinci = orders::registerRinciRows(day);
        rows = sortedRows(rinci.rows, 2);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].mid(2, 3), (QStringList{"Es Teh", "5", "25.000"}));
        QCOMPARE(rows[1].mid(2, 3), (QStringList{"Nasi Goreng", "1", "15.000"}));
        QCOMPARE(rinci.total, 40000);

        // Filters by campus and slot; a range whose first day is after its last is empty.
        QCOMPARE(orders::registerRekapRows({kDay, kDay, QStringLiteral("Putri"), {}}).rows.size(),
                 1);
        QCOMPARE(orders::registerRekapRows({kDay, kDay, {}, QStringLiteral("1")}).rows.size(), 3);
        const auto reversed = orders::registerRekapRows({kDay.addDays(1), kDay, {}, {}});
        QVERIFY(!reversed.failed());
        QCOMPARE(reversed.rows.size(), 0);
        QCOMPARE(reversed.total, 0);
    }

    void reportLists() {
        const orders::ReportFilter santri{kDay, kDay, {}, orders::Buyer::Santri};
        const orders::ReportFilter umum{kDay, kDay, {}, orders::Buyer::Umum};
        // Student and walk-in orders together are every active order of the range.
        QStringList codes;
        for (const auto &f : {santri, umum})
            for (const QStringList &row : orders::reportRekapRows(f).rows)
                codes << row[0];
        codes.sort();
        QCOMPARE(codes, (QStringList{"ODR1", "ODR2"}));

        // Every line of an active order counts; an item without a cost price gets empty cost
        // and margin cells that add nothing.
        const auto rinci = orders::reportRinciRows(santri);
        const QList<QStringList> rows = sortedRows(rinci.rows, 2);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].mid(2, 3) + rows[0].mid(8),
                 (QStringList{"Es Teh", "2", "10.000", "4.000", "6.000"}));
        QCOMPARE(rows[1].mid(2, 3) + rows[1].mid(8),
                 (QStringList{"Menu Lama", "1", "3.000", "", ""}));
        QCOMPARE(rows[2].mid(2, 3) + rows[2].mid(8),
                 (QStringList{"Nasi Goreng", "1", "15.000", "10.000", "5.000"}));
        QCOMPARE(rinci.jual, 28000);
        QCOMPARE(rinci.pokok, 14000);
        QCOMPARE(rinci.margin, 11000);

        // Quantity 3 at 5.000 is 15.000 sold at a cost of 3 x 2.000: a positive margin.
        const auto walkIn = orders::reportRinciRows(umum);
        QCOMPARE(walkIn.rows.size(), 1);
        QCOMPARE(walkIn.rows[0].mid(3, 2) + walkIn.rows[0].mid(8),
                 (QStringList{"3", "15.000", "6.000", "9.000"}));
    }

    void registerWindow() {
        MessageRecorder messages;
        frmCafeOrder w;
        w.show();
        setRange(&w, kDay, kDay);
        click(&w, "cmdPreview");
        QCOMPARE(messages.texts(), QStringList{"Jenis List harus dipilih!"});
        QCOMPARE(w.focusWidget(), child<QComboBox>(&w, "cboJenis"));
        messages.clear();

        choose(&w, "cboJenis", QStringLiteral("Rekap"));
        choose(&w, "cboWaktu", QStringLiteral("2 : Siang"));
        QCOMPARE(box(&w, "txtKdWaktu")->text(), QStringLiteral("2"));
        click(&w, "cmdPreview");
        QCOMPARE(box(&w, "txtJumlahData")->text(), QStringLiteral("1"));
        // The code box rules: emptied by hand, the slot filter is gone.
        box(&w, "txtKdWaktu")->clear();
        click(&w, "cmdPreview");
        auto *list = child<ReportList>(&w, "ListView1");
        QCOMPARE(box(&w, "txtJumlahData")->text(), QStringLiteral("4"));
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("60.000"));
        QCOMPARE(list->selectedRow(), 0);

        // A header click sorts by the text; a refill keeps that sort.
        list->sortByColumn(1, Qt::DescendingOrder);
        click(&w, "cmdPreview");
        QCOMPARE(list->subItem(0, 1), QStringLiteral("ODR4"));

        choose(&w, "cboJenis", QStringLiteral("Rinci"));
        click(&w, "cmdPreview");
        QCOMPARE(box(&w, "txtJumlahData")->text(), QStringLiteral("2"));
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("40.000"));
        click(&w, "cmdBatal");
        QCOMPARE(messages.texts(), QStringList{"Jenis harus rekap!"});
        QVERIFY(messages.entries.size() == 1);
    }

    void cancellation() {
        MessageRecorder messages;
        frmCafeOrder w;
        w.show();
        setRange(&w, kDay, kDay);
        choose(&w, "cboJenis", QStringLiteral("Rekap"));
        click(&w, "cmdPreview");
        auto *list = child<ReportList>(&w, "ListView1");

        // Answered No: nothing is written.
        messages.answers = {msg::Answer::No};
        list->selectRow(rowOf(list, QStringLiteral("ODR2")));
        click(&w, "cmdBatal");
        QCOMPARE(messages.texts(), QStringList{"Apakah yakin akan hapus transaksi ini => ODR2"});
        QCOMPARE(statuses(QStringLiteral("ODR2")), QStringLiteral("1|1,1,9|1|1,1"));

        // Twice, and an order with no canteen rows or postings: each time all places read 9.
        for (const QString code : {"ODR2", "ODR2", "ODR1"}) {
            messages.clear();
            list->selectRow(rowOf(list, code));
            click(&w, "cmdBatal");
            QCOMPARE(messages.texts(),
                     (QStringList{"Apakah yakin akan hapus transaksi ini => " + code,
                                  "Data telah dihapus!"}));
            QCOMPARE(messages.entries[1].icon, msg::Icon::Exclamation);
            QCOMPARE(list->subItem(rowOf(list, code), 10), QStringLiteral("DELETE"));
        }
        QCOMPARE(statuses(QStringLiteral("ODR2")), QStringLiteral("9|9,9,9|9|9,9"));
        QCOMPARE(statuses(QStringLiteral("ODR1")), QStringLiteral("9|9||"));
    }

    void cancellationRefused_data() {
        QTest::addColumn<QString>("table");
        QTest::newRow("canteen transaction rows") << "data_transaksi";
        QTest::newRow("card postings") << "`cashless-adm`.data_tabungan_trans";
    }

    void cancellationRefused() {
        QFETCH(QString, table);
        const QString trigger = table.startsWith(QLatin1Char('`'))
                                    ? QStringLiteral("`cashless-adm`.tst_refuse")
                                    : QStringLiteral("tst_refuse");
        testdb::rootExec(QStringLiteral("CREATE TRIGGER ") + trigger +
                         QStringLiteral(" BEFORE UPDATE ON ") + table +
                         QStringLiteral(" FOR EACH ROW SIGNAL SQLSTATE '45000' SET "
                                        "MESSAGE_TEXT = 'pembatalan ditolak server'"));
        const auto drop = qScopeGuard(
            [&] { testdb::rootExec(QStringLiteral("DROP TRIGGER IF EXISTS ") + trigger); });

        MessageRecorder messages;
        frmCafeOrder w;
        w.show();
        setRange(&w, kDay, kDay);
        choose(&w, "cboJenis", QStringLiteral("Rekap"));
        click(&w, "cmdPreview");
        auto *list = child<ReportList>(&w, "ListView1");
        list->selectRow(rowOf(list, QStringLiteral("ODR2")));
        click(&w, "cmdBatal");
        QCOMPARE(messages.entries.size(), 2);
        QCOMPARE(messages.entries[1].icon, msg::Icon::Critical);
        QVERIFY(messages.entries[1].text.startsWith(QStringLiteral("Data gagal dihapus!")));
        QVERIFY(messages.entries[1].text.contains(QStringLiteral("pembatalan ditolak server")));
        QCOMPARE(statuses(QStringLiteral("ODR2")), QStringLiteral("1|1,1,9|1|1,1"));
        QCOMPARE(list->subItem(rowOf(list, QStringLiteral("ODR2")), 10), QStringLiteral("AKTIF"));
    }

    void orderListReceipts_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("buyerLine");
        QTest::addColumn<QString>("campusLine");
        QTest::newRow("student") << "ODR2"
                                 << "Siti ## 7A"
                                 << "Putri ## Siang";
        QTest::newRow("walk-in") << "ODR1"
                                 << "Budi ## \r\n"
                                 << "Putra ## Pagi";
    }

    // Opened by a double-click on a register row, the window shows the order's lines of
    // every status and prints at once with its own buyer and campus lines.
    void orderListReceipts() {
        QFETCH(QString, code);
        QFETCH(QString, buyerLine);
        QFETCH(QString, campusLine);
        MessageRecorder messages;
        frmCafeOrder w;
        w.show();
        setRange(&w, kDay, kDay);
        choose(&w, "cboJenis", QStringLiteral("Rekap"));
        click(&w, "cmdPreview");
        auto *list = child<ReportList>(&w, "ListView1");
        list->selectRow(rowOf(list, code));
        QStringList seen;
        onNextModal([&](QDialog *d) {
            for (const char *name : {"txtID", "txtWaktu", "txtKampus", "txtRekening", "txtNama",
                                     "txtKelas", "txtQty", "txtTotal"})
                seen << box(d, name)->text();
            seen << QString::number(child<ReportList>(d, "ListView1")->rowCount());
            QVERIFY(child<QPushButton>(d, "cmdCetak")->isEnabled());
            click(d, "cmdCetak");
        });
        emit list->listDoubleClicked();
        if (code == QLatin1String("ODR2"))
            QCOMPARE(seen, (QStringList{"ODR2", "Siang", "Putri", "R001", "Siti", "7A", "4",
                                        "28.000", "3"}));
        else
            QCOMPARE(seen, (QStringList{"ODR1", "Pagi", "Putra", "umum", "Budi", "", "3", "15.000",
                                        "1"}));
        QVERIFY(messages.entries.isEmpty());
        QCOMPARE(printer_.jobs.size(), 1);
        QCOMPARE(printer_.jobs[0].name, QStringLiteral("Struk"));
        const QString text = QString::fromLatin1(printer_.jobs[0].bytes);
        QVERIFY2(text.contains(buyerLine), qPrintable(text));
        QVERIFY2(text.contains(campusLine), qPrintable(text));
    }

    // A per-item report row opens its order's own details, and the report cannot print.
    void reportOpensOrderOfItemRow() {
        MessageRecorder messages;
        frmCafeTransLaporan w;
        w.show();
        setRange(&w, kDay, kDay);
        choose(&w, "cboJenis", QStringLiteral("Rinci"));
        click(&w, "cmdPreview");
        QCOMPARE(messages.texts(), QStringList{"Jenis Pembeli belum dipilih!"});
        choose(&w, "cboPembeli", QStringLiteral("Santri"));
        click(&w, "cmdPreview");
        QCOMPARE(box(&w, "txtTotalJual")->text(), QStringLiteral("28.000"));
        QCOMPARE(box(&w, "txtTotalPokok")->text(), QStringLiteral("14.000"));
        QCOMPARE(box(&w, "txtMargin")->text(), QStringLiteral("11.000"));
        QStringList seen;
        onNextModal([&](QDialog *d) {
            for (const char *name :
                 {"txtID", "txtWaktu", "txtKampus", "txtRekening", "txtNama", "txtKelas"})
                seen << box(d, name)->text();
            QVERIFY(!child<QPushButton>(d, "cmdCetak")->isEnabled());
        });
        emit child<ReportList>(&w, "ListView1")->listDoubleClicked();
        QCOMPARE(seen, (QStringList{"ODR2", "Siang", "Putri", "R001", "Siti", "7A"}));

        choose(&w, "cboJenis", QStringLiteral("Rekap"));
        click(&w, "cmdPreview");
        QCOMPARE(box(&w, "txtJumlahData")->text(), QStringLiteral("1"));
        QCOMPARE(box(&w, "txtTotalPokok")->text(), QStringLiteral("0"));
        QCOMPARE(box(&w, "txtMargin")->text(), QStringLiteral("0"));
    }

    void postingsAfterCancellation() {
        QVERIFY(orders::cancelOrder(QStringLiteral("ODR2")).cancelled);
        frmCafeOrderTransAdm w;
        w.txtOrderId()->setText(QStringLiteral("ODR2"));
        w.show();
        auto *list = child<ReportList>(&w, "ListView1");
        QCOMPARE(list->columnCountWithSpacer(), 15);
        QCOMPARE(box(&w, "txtJumlah")->text(), QStringLiteral("2"));
        QCOMPARE(list->subItem(0, 1), QStringLiteral("P1")); // recorded first
        QCOMPARE(list->subItem(0, 2), QStringLiteral("01-03-2024"));
        QCOMPARE(list->subItem(0, 7), QStringLiteral("25.000"));
        QCOMPARE(list->subItem(0, 9), QStringLiteral("BATAL"));
        QCOMPARE(list->subItem(1, 9), QStringLiteral("BATAL"));
        QCOMPARE(list->subItem(0, 13), QStringLiteral("7A"));
        QCOMPARE(list->subItem(0, 14), QStringLiteral("Siti Aminah"));

        frmCafeOrderTransAdm none;
        none.txtOrderId()->setText(QStringLiteral("ODR1"));
        none.show();
        QCOMPARE(box(&none, "txtJumlah")->text(), QStringLiteral("0"));
    }

    // The one-day range reads by the date index, and the lines by their order.
    void indexesServeTheRange() {
        testdb::rootScript(QStringLiteral(
            "INSERT INTO data_barang_order (order_kode, order_tanggal, order_rekening, "
            "order_harga, order_waktu, order_status) SELECT CONCAT('G', seq), "
            "'2023-01-01' + INTERVAL (seq MOD 365) DAY, 'umum', 1000, 1, 1 FROM seq_1_to_20000;\n"
            "INSERT INTO data_barang_order_list (list_order, list_barang, list_harga, list_qty, "
            "list_jumlah) SELECT CONCAT('G', seq), 'B01', 1000, 1, 1000 FROM seq_1_to_20000;\n"
            "ANALYZE TABLE data_barang_order, data_barang_order_list"));
        const orders::RegisterFilter f{kDay, kDay, {}, {}};
        const orders::ReportFilter r{kDay, kDay, {}, orders::Buyer::Umum};
        for (const orders::Statement &s : {orders::registerRekap(f), orders::registerRinci(f),
                                           orders::reportRekap(r), orders::reportRinci(r)}) {
            QSqlQuery q = db::select(QStringLiteral("EXPLAIN ") + s.sql, s.values);
            QStringList plan;
            while (q.next())
                plan << q.value(QStringLiteral("table")).toString() + QLatin1Char(':') +
                            q.value(QStringLiteral("key")).toString();
            QVERIFY2(plan.contains(QStringLiteral("data_barang_order:idx_order_tanggal")),
                     qPrintable(plan.join(' ')));
            if (s.sql.contains(QStringLiteral("data_barang_order_list")))
                QVERIFY2(plan.contains(QStringLiteral("data_barang_order_list:idx_list_order")),
                         qPrintable(plan.join(' ')));
        }
    }
};

QTEST_MAIN(TestOrders)
#include "tst_orders.moc"
