#include "catalogue/frmSetupBarang.h"
#include "catalogue/frmSetupWaktu.h"
#include "catalogue/menuitem.h"
#include "db/gateway.h"

#include "common/amount.h"
#include "common/listexport.h"
#include "common/reportlist.h"
#include "core/program.h"
#include "core/session.h"
#include "db/sql.h"
#include "support/testdb.h"
#include "support/testwidgets.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace {

const QLocale kIndonesian(QLocale::Indonesian, QLocale::Indonesia);

// Status list "02", two slots (one with a two-digit code) and no items or orders.
void seed() {
    testdb::truncate({"data_barang", "set_waktu", "kode_komponen", "data_barang_order",
                      "data_barang_order_list"});
    testdb::rootScript("INSERT INTO kode_komponen (combo_komponen, combo_kode, combo_text) VALUES "
                       "('02', '1', 'Aktif'), ('02', '2', 'Tidak Aktif');\n"
                       "INSERT INTO set_waktu (waktu_id, waktu_nama) VALUES "
                       "(1, 'Pagi'), (12, 'Makan Siang')");
}

void addItem(const QString &code, const QString &name = QStringLiteral("Barang"), int stock = 10,
             int slot = 1) {
    db::exec("INSERT INTO data_barang SET barang_kode = ?, barang_nama = ?, "
             "barang_harga_pokok = 10000, barang_harga_jual = 12000, barang_stok_harian = ?, "
             "barang_waktu = ?, barang_status = '1', barang_reg_date = NOW(), "
             "barang_reg_alias = 'seed'",
             {code, name, stock, slot}, testdb::root());
}

int itemCount() {
    return static_cast<int>(
        db::number(db::scalar("SELECT COUNT(*) FROM data_barang", {}, testdb::root())));
}

QStringList itemCodes() {
    QSqlQuery q =
        db::select("SELECT barang_kode FROM data_barang ORDER BY barang_kode", {}, testdb::root());
    QStringList codes;
    while (q.next())
        codes << q.value(0).toString();
    return codes;
}

// One stored item as texts, by column name.
QVariantMap storedItem(const QString &code) {
    QSqlQuery q =
        db::select("SELECT * FROM data_barang WHERE barang_kode = ?", {code}, testdb::root());
    QVariantMap row;
    if (q.next()) {
        for (const QString &col :
             QStringList{"barang_nama", "barang_harga_pokok", "barang_harga_jual",
                         "barang_stok_harian", "barang_waktu", "barang_status", "barang_reg_alias",
                         "barang_reg_date", "barang_upd_alias", "barang_upd_date"})
            row[col] = db::serverText(q.value(col));
        row["barang_harga_pokok"] = db::number(q.value("barang_harga_pokok"));
        row["barang_harga_jual"] = db::number(q.value("barang_harga_jual"));
    }
    return row;
}

common::ReportList *list(QWidget &w) {
    return child<common::ReportList>(w, "ListView1");
}

// A real double-click on a row, or on the empty area below the rows when row is -1 (the
// selection is cleared first, as after a refill).
void doubleClick(common::ReportList *l, int row) {
    QPoint at;
    if (row >= 0) {
        at = l->visualRect(l->model()->index(row, 1)).center();
    } else {
        l->clearSelection();
        at = QPoint(20, l->viewport()->height() - 5);
    }
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
}

struct ItemEntry {
    QString nama, pokok, jual, stok, waktu, status;
};

void enter(frmSetupBarang &w, const ItemEntry &e) {
    box(w, "txtNama")->setText(e.nama);
    box(w, "txtHargaPokok")->setText(e.pokok);
    box(w, "txtHargaJual")->setText(e.jual);
    box(w, "txtStokHarian")->setText(e.stok);
    box(w, "txtKdWaktu")->setText(e.waktu);
    box(w, "txtKdStatus")->setText(e.status);
}

const ItemEntry kValid{"Nasi Goreng", "10.000", "12.000", "20", "1", "1"};

} // namespace

Q_DECLARE_METATYPE(ItemEntry)

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(testdb::openSession());
        common::setAmountLocale(kIndonesian);
        core::CurrentUser().alias = QStringLiteral("tester");
    }

    void init() { seed(); }

    // ---- menu item numbering ----

    void numbering_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("expected"); // empty: refused
        QTest::newRow("empty catalogue") << QStringList{} << "001";
        QTest::newRow("after 041") << QStringList{"007", "041", "012"} << "042";
        QTest::newRow("last free number") << QStringList{"998"} << "999";
        QTest::newRow("full at 999") << QStringList{"999"} << "";
    }

    void numbering() {
        QFETCH(QStringList, stored);
        QFETCH(QString, expected);
        for (const QString &code : stored)
            addItem(code);
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        enter(w, kValid);
        click(w, "cmdSimpan");

        QCOMPARE(messages.entries.size(), 1);
        if (expected.isEmpty()) {
            QCOMPARE(messages.entries.first().icon, msg::Icon::Exclamation);
            QVERIFY(messages.lastText().contains("999"));
            QCOMPARE(itemCodes(), stored);
            // Nothing typed is lost and the next save is still a new item.
            QCOMPARE(box(w, "txtID")->text(), QString());
            QCOMPARE(box(w, "txtNama")->text(), kValid.nama);
            QCOMPARE(box(w, "txtHargaJual")->text(), kValid.jual);
        } else {
            QCOMPARE(messages.lastText(), QStringLiteral("Data telah disimpan"));
            QVERIFY(itemCodes().contains(expected));
            QCOMPARE(itemCount(), stored.size() + 1);
            QCOMPARE(storedItem(expected).value("barang_nama").toString(), kValid.nama);
        }
    }

    // ---- save checks ----

    void validation_data() {
        QTest::addColumn<ItemEntry>("entry");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        // Each row breaks its field and every later one, so the first message proves the order.
        QTest::newRow("name empty")
            << ItemEntry{"", "0", "-1", "x", "", ""} << "Nama menu harus diisi!"
            << "txtNama";
        QTest::newRow("name blanks and apostrophes")
            << ItemEntry{" ' ' ", "10.000", "12.000", "20", "1", "1"} << "Nama menu harus diisi!"
            << "txtNama";
        QTest::newRow("cost zero")
            << ItemEntry{"Nasi", "0", "0", "0", "", ""} << "Harga pokok tidak valid!"
            << "txtHargaPokok";
        QTest::newRow("cost negative")
            << ItemEntry{"Nasi", "-5.000", "12.000", "20", "1", "1"} << "Harga pokok tidak valid!"
            << "txtHargaPokok";
        QTest::newRow("cost not a number")
            << ItemEntry{"Nasi", "abc", "12.000", "20", "1", "1"} << "Harga pokok tidak valid!"
            << "txtHargaPokok";
        QTest::newRow("selling zero")
            << ItemEntry{"Nasi", "10.000", "0", "-2", "", ""} << "Harga jual tidak valid!"
            << "txtHargaJual";
        QTest::newRow("selling negative")
            << ItemEntry{"Nasi", "10.000", "-12.000", "20", "1", "1"} << "Harga jual tidak valid!"
            << "txtHargaJual";
        QTest::newRow("selling empty")
            << ItemEntry{"Nasi", "10.000", "", "20", "1", "1"} << "Harga jual tidak valid!"
            << "txtHargaJual";
        QTest::newRow("stock zero")
            << ItemEntry{"Nasi", "10.000", "12.000", "0", "", ""} << "Stok tidak valid!"
            << "txtStokHarian";
        QTest::newRow("stock negative")
            << ItemEntry{"Nasi", "10.000", "12.000", "-3", "1", "1"} << "Stok tidak valid!"
            << "txtStokHarian";
        QTest::newRow("stock with decimals")
            << ItemEntry{"Nasi", "10.000", "12.000", "2,5", "1", "1"} << "Stok tidak valid!"
            << "txtStokHarian";
        QTest::newRow("stock in words")
            << ItemEntry{"Nasi", "10.000", "12.000", "dua", "1", "1"} << "Stok tidak valid!"
            << "txtStokHarian";
        QTest::newRow("stock beyond the column")
            << ItemEntry{"Nasi", "10.000", "12.000", "3.000.000.000", "1", "1"}
            << "Stok tidak valid!"
            << "txtStokHarian";
        QTest::newRow("slot empty")
            << ItemEntry{"Nasi", "10.000", "12.000", "20", "", ""} << "Waktu harus diisi!"
            << "cboWaktu";
        QTest::newRow("status empty")
            << ItemEntry{"Nasi", "10.000", "12.000", "20", "1", ""} << "Status harus diisi!"
            << "cboStatus";
        // What the server cannot store, or would store as something else, is refused here.
        QTest::newRow("cost with a decimal comma")
            << ItemEntry{"Nasi", "1,5", "12.000", "20", "1", "1"} << "Harga pokok tidak valid!"
            << "txtHargaPokok";
        QTest::newRow("selling with a decimal comma")
            << ItemEntry{"Nasi", "10.000", "12.000,50", "20", "1", "1"} << "Harga jual tidak valid!"
            << "txtHargaJual";
        QTest::newRow("slot of blanks")
            << ItemEntry{"Nasi", "10.000", "12.000", "20", "   ", "1"} << "Waktu harus diisi!"
            << "cboWaktu";
        QTest::newRow("slot that names no slot")
            << ItemEntry{"Nasi", "10.000", "12.000", "20", "9", "1"} << "Waktu tidak valid!"
            << "cboWaktu";
        QTest::newRow("status of blanks")
            << ItemEntry{"Nasi", "10.000", "12.000", "20", "1", "  "} << "Status harus diisi!"
            << "cboStatus";
    }

    void validation() {
        QFETCH(ItemEntry, entry);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        enter(w, entry);
        click(w, "cmdSimpan");

        QCOMPARE(messages.texts(), QStringList{message});
        QCOMPARE(messages.entries.first().icon, msg::Icon::Exclamation);
        QCOMPARE(messages.entries.first().title, core::appTitle());
        QVERIFY(w.focusWidget());
        QCOMPARE(w.focusWidget()->objectName(), focus);
        QCOMPARE(itemCount(), 0);
        QCOMPARE(box(w, "txtNama")->text(), entry.nama); // not cleaned when refused
    }

    // ---- saving a new item ----

    void newItemStoredCleanWithStatusOne() {
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        QLineEdit *jual = box(w, "txtHargaJual");
        jual->clear();
        QTest::keyClicks(jual, "1500000");
        QCOMPARE(jual->text(), QStringLiteral("1.500.000"));
        QCOMPARE(jual->cursorPosition(), jual->text().size());

        box(w, "txtNama")->setText("  Nasi 'Uduk' Spesial ");
        box(w, "txtHargaPokok")->setText("15000");
        QCOMPARE(box(w, "txtHargaPokok")->text(), QStringLiteral("15.000"));
        box(w, "txtStokHarian")->setText(" 1.000 ");
        box(w, "txtKdWaktu")->setText("12");
        QCOMPARE(child<QComboBox>(w, "cboWaktu")->currentText(),
                 QStringLiteral("12 : Makan Siang"));
        child<QComboBox>(w, "cboStatus")->setCurrentIndex(1); // "2 : Tidak Aktif"
        QCOMPARE(box(w, "txtKdStatus")->text(), QStringLiteral("2"));
        click(w, "cmdSimpan");

        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
        QCOMPARE(messages.entries.first().icon, msg::Icon::Information);
        const QVariantMap row = storedItem("001");
        QCOMPARE(row.value("barang_nama").toString(), QStringLiteral("Nasi Uduk Spesial"));
        QCOMPARE(row.value("barang_harga_pokok").toDouble(), 15000.0);
        QCOMPARE(row.value("barang_harga_jual").toDouble(), 1500000.0);
        QCOMPARE(row.value("barang_stok_harian").toString(), QStringLiteral("1000"));
        QCOMPARE(row.value("barang_waktu").toString(), QStringLiteral("12"));
        QCOMPARE(row.value("barang_status").toString(), QStringLiteral("1"));
        QCOMPARE(row.value("barang_reg_alias").toString(), QStringLiteral("tester"));
        QVERIFY(!row.value("barang_reg_date").toString().isEmpty());

        // Cleared for the next item, and the list shows the new one.
        QCOMPARE(box(w, "txtID")->text(), QString());
        QCOMPARE(box(w, "txtNama")->text(), QString());
        QCOMPARE(box(w, "txtKdWaktu")->text(), QString());
        QCOMPARE(box(w, "txtKdStatus")->text(), QString());
        for (const char *amount : {"txtHargaPokok", "txtHargaJual", "txtStokHarian"})
            QCOMPARE(box(w, amount)->text(), QStringLiteral("0"));
        QCOMPARE(list(w)->rowCount(), 1);
        QCOMPARE(box(w, "txtJumlah")->text(), QStringLiteral("1"));
        QStringList shown;
        for (int sub = 1; sub <= 7; ++sub)
            shown << list(w)->subItem(0, sub);
        QCOMPARE(shown, (QStringList{"001", "Nasi Uduk Spesial", "15.000", "1.500.000", "1000",
                                     "12 Makan Siang", "1"}));
        QCOMPARE(list(w)->subItem(0, 9), QStringLiteral("tester"));
        QCOMPARE(list(w)->subItem(0, 12), QStringLiteral("1000"));
    }

    void saveFailureKeepsTheWindow() {
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        // The server refuses the row.
        testdb::rootExec("CREATE TRIGGER tst_refuse_item BEFORE INSERT ON data_barang FOR EACH ROW "
                         "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'barang_waktu ditolak'");
        const auto drop =
            qScopeGuard([] { testdb::rootExec("DROP TRIGGER IF EXISTS tst_refuse_item"); });
        enter(w, {"Es Teh", "2.000", "3.000", "50", "1", "1"});
        click(w, "cmdSimpan");

        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.lastText().startsWith("Data gagal disimpan!\n"));
        QVERIFY(messages.lastText().contains("barang_waktu"));
        QCOMPARE(itemCount(), 0);
        QCOMPARE(box(w, "txtID")->text(), QString());
        QCOMPARE(box(w, "txtNama")->text(), QStringLiteral("Es Teh"));
        QCOMPARE(box(w, "txtHargaJual")->text(), QStringLiteral("3.000"));

        // Once the server takes it, the same window saves it as a new item.
        messages.clear();
        testdb::rootExec("DROP TRIGGER tst_refuse_item");
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
        QCOMPARE(itemCodes(), QStringList{"001"});
    }

    // Another workstation stores the next code between this window's numbering and its insert:
    // its row is still uncommitted when the window numbers, so both pick "003".
    void concurrentNewItemsKeepBothRows() {
        addItem("001");
        addItem("002");
        const QString socket = testdb::socketPath();
        const QString schema = testdb::cafeDb();
        std::promise<void> inserted;
        std::future<void> insertedFuture = inserted.get_future();
        std::atomic<bool> committed{false};
        std::thread other([&] {
            {
                QSqlDatabase c = QSqlDatabase::addDatabase("QMYSQL", "other-workstation");
                c.setUserName("root");
                c.setDatabaseName(schema);
                c.setConnectOptions("UNIX_SOCKET=" + socket);
                if (c.open()) {
                    QSqlQuery q(c);
                    q.exec("START TRANSACTION");
                    q.exec("INSERT INTO data_barang SET barang_kode = '003', "
                           "barang_nama = 'Dari kasir lain', barang_harga_pokok = 1, "
                           "barang_harga_jual = 2, barang_stok_harian = 3, barang_waktu = 1");
                    inserted.set_value();
                    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                    committed = q.exec("COMMIT");
                } else {
                    inserted.set_value();
                }
                c.close();
            }
            QSqlDatabase::removeDatabase("other-workstation");
        });
        insertedFuture.wait();

        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        enter(w, {"Mie Ayam", "8.000", "10.000", "15", "1", "1"});
        QElapsedTimer waited;
        waited.start();
        click(w, "cmdSimpan");
        const qint64 ms = waited.elapsed();
        other.join();

        QVERIFY(committed);
        QVERIFY2(ms >= 1000, "the insert never met the other workstation's row");
        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
        QCOMPARE(itemCodes(), (QStringList{"001", "002", "003", "004"}));
        QCOMPARE(storedItem("003").value("barang_nama").toString(),
                 QStringLiteral("Dari kasir lain"));
        QCOMPARE(storedItem("004").value("barang_nama").toString(), QStringLiteral("Mie Ayam"));
        QCOMPARE(list(w)->rowCount(), 4);
    }

    // ---- editing ----

    void editLoadsRowAndTakesSelectorStatus() {
        addItem("005", "Soto", 30, 12);
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        QCOMPARE(list(w)->rowCount(), 1);
        doubleClick(list(w), 0);

        QCOMPARE(box(w, "txtID")->text(), QStringLiteral("005"));
        QCOMPARE(box(w, "txtNama")->text(), QStringLiteral("Soto"));
        QCOMPARE(box(w, "txtHargaPokok")->text(), QStringLiteral("10.000"));
        QCOMPARE(box(w, "txtHargaJual")->text(), QStringLiteral("12.000"));
        QCOMPARE(box(w, "txtStokHarian")->text(), QStringLiteral("30"));
        QCOMPARE(box(w, "txtKdWaktu")->text(), QStringLiteral("12")); // a two-digit slot code
        QCOMPARE(child<QComboBox>(w, "cboWaktu")->currentText(),
                 QStringLiteral("12 : Makan Siang"));
        QCOMPARE(box(w, "txtKdStatus")->text(), QStringLiteral("1"));

        box(w, "txtNama")->setText("Soto 'Betawi'");
        box(w, "txtHargaJual")->setText("13500");
        child<QComboBox>(w, "cboStatus")->setCurrentIndex(1);
        click(w, "cmdSimpan");

        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
        QCOMPARE(itemCodes(), QStringList{"005"});
        const QVariantMap row = storedItem("005");
        QCOMPARE(row.value("barang_nama").toString(), QStringLiteral("Soto Betawi"));
        QCOMPARE(row.value("barang_harga_jual").toDouble(), 13500.0);
        QCOMPARE(row.value("barang_stok_harian").toString(), QStringLiteral("30"));
        QCOMPARE(row.value("barang_waktu").toString(), QStringLiteral("12"));
        QCOMPARE(row.value("barang_status").toString(), QStringLiteral("2"));
        QCOMPARE(row.value("barang_reg_alias").toString(), QStringLiteral("seed"));
        QCOMPARE(row.value("barang_upd_alias").toString(), QStringLiteral("tester"));
        QVERIFY(!row.value("barang_upd_date").toString().isEmpty());
        QCOMPARE(box(w, "txtID")->text(), QString());
    }

    void doubleClickWithoutRow() {
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        doubleClick(list(w), -1);
        QCOMPARE(messages.texts(), QStringList{"Tidak ada data!"});

        addItem("001");
        w.DataMenu();
        messages.clear();
        box(w, "txtNama")->setText("Sedang diketik");
        doubleClick(list(w), -1);
        QCOMPARE(messages.entries.size(), 0);
        QCOMPARE(box(w, "txtNama")->text(), QStringLiteral("Sedang diketik"));
        QCOMPARE(box(w, "txtID")->text(), QString());
    }

    // ---- modes and closing ----

    void modes_data() {
        QTest::addColumn<QString>("view");
        QTest::addColumn<bool>("editing");
        QTest::newRow("edit") << "" << true;
        QTest::newRow("check") << "cek" << false;
    }

    void modes() {
        QFETCH(QString, view);
        QFETCH(bool, editing);
        addItem("001", "Bakso");
        frmSetupBarang w;
        w.view = view;
        w.show();
        QCOMPARE(child<QPushButton>(w, "cmdSimpan")->isVisible(), editing);
        QCOMPARE(child<QPushButton>(w, "cmdBaru")->isVisible(), editing);
        QVERIFY(child<QPushButton>(w, "cmdKeluar")->isVisible());
        QPushButton *exportButton = child<QPushButton>(w, "cmdExport");
        QVERIFY(exportButton->isVisible());
        QVERIFY(exportButton->isEnabled());
        QCOMPARE(exportButton->text(), QStringLiteral(" EXPORT"));
        QVERIFY(!child<QProgressBar>(w, "pb1")->isVisible());
        QCOMPARE(list(w)->rowCount(), 1);
        QCOMPARE(box(w, "txtJumlah")->text(), QStringLiteral("1"));
        doubleClick(list(w), 0);
        QCOMPARE(box(w, "txtNama")->text(), QStringLiteral("Bakso"));
        click(w, "cmdKeluar");
        QVERIFY(!w.isVisible());
    }

    void listColumns() {
        frmSetupBarang w;
        w.show();
        common::ReportList *l = list(w);
        QStringList titles;
        for (int c = 0; c < l->columnCountWithSpacer(); ++c)
            titles << l->columnTitle(c);
        QCOMPARE(titles, (QStringList{"0", "ID", "Nama", "Pokok", "Jual", "Stok", "Waktu", "Status",
                                      "RegDate", "RegAlias", "UpdDate", "UpdAlias", "Sisa Stok"}));
        QVERIFY(l->isColumnHidden(0));
        QCOMPARE(l->columnAlignment(3), common::Right);
        QCOMPARE(l->columnAlignment(12), common::Centre);
    }

    void exportButton() {
        MessageRecorder messages;
        QStringList opened;
        common::setSpreadsheetOpener([&](const QString &path) { return opened << path, true; });
        {
            frmSetupBarang w;
            w.show();
            click(w, "cmdExport");
            QCOMPARE(messages.texts(), QStringList{"Tidak ada data!"});
            QVERIFY(opened.isEmpty());
        }
        addItem("001", "Nasi Kuning");
        frmSetupBarang w;
        w.show();
        messages.clear();
        click(w, "cmdExport");
        common::setSpreadsheetOpener({});
        QVERIFY(messages.entries.isEmpty());
        QCOMPARE(opened.size(), 1);
        QVERIFY2(QFileInfo(opened[0]).fileName().startsWith("SETUP MENU CAFE ") &&
                     opened[0].endsWith(".xlsx"),
                 qPrintable(opened[0]));
        QVERIFY(QFile::remove(opened[0]));
        QVERIFY(child<QProgressBar>(w, "pb1")->isHidden());
    }

    void escapeCloses_data() {
        QTest::addColumn<bool>("catalogue");
        QTest::addColumn<bool>("closes");
        QTest::newRow("catalogue closes") << true << true;
        QTest::newRow("time slots stay open") << false << false;
    }

    void escapeCloses() {
        QFETCH(bool, catalogue);
        QFETCH(bool, closes);
        std::unique_ptr<QDialog> w;
        if (catalogue)
            w = std::make_unique<frmSetupBarang>();
        else
            w = std::make_unique<frmSetupWaktu>();
        w->show();
        QVERIFY(w->isVisible());
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QCOMPARE(w->isVisible(), !closes);
    }

    // ---- remaining stock ----

    void remainingStockFallsAfterTodaysOrder() {
        addItem("001", "Nasi Kuning", 10);
        addItem("002", "Teh Manis", 40);
        frmSetupBarang w;
        w.show();
        QCOMPARE(list(w)->subItem(0, 12), QStringLiteral("10"));
        testdb::rootScript("INSERT INTO data_barang_order SET order_kode = 'ODR-T1', "
                           "order_tanggal = CURDATE(), order_status = 1;\n"
                           "INSERT INTO data_barang_order_list SET list_order = 'ODR-T1', "
                           "list_barang = '001', list_qty = 3, list_status = 1");
        w.DataMenu();
        QCOMPARE(list(w)->subItem(0, 1), QStringLiteral("001"));
        QCOMPARE(list(w)->subItem(0, 12), QStringLiteral("7"));
        QCOMPARE(list(w)->subItem(1, 12), QStringLiteral("40"));
        QCOMPARE(list(w)->subItem(0, 5), QStringLiteral("10")); // the daily stock itself
    }

    // ---- time slots ----

    void slotAddedWithDatabaseCode() {
        MessageRecorder messages;
        frmSetupWaktu w;
        w.show();
        QCOMPARE(list(w)->rowCount(), 2);
        QCOMPARE(box(w, "txtJumlah")->text(), QStringLiteral("2"));
        box(w, "txtKeterangan")->setText("Makan 'Malam'");
        click(w, "cmdSimpan");

        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
        QCOMPARE(messages.entries.first().icon, msg::Icon::Information);
        const QVariant id = db::scalar("SELECT waktu_id FROM set_waktu WHERE waktu_nama = ?",
                                       {"Makan 'Malam'"}, testdb::root());
        QVERIFY(id.isValid());
        QVERIFY(db::number(id) > 12);
        QCOMPARE(box(w, "txtID")->text(), QString());
        QCOMPARE(box(w, "txtKeterangan")->text(), QString());
        QCOMPARE(list(w)->rowCount(), 3);
        QCOMPARE(list(w)->subItem(2, 1), db::serverText(id));
        QCOMPARE(list(w)->subItem(2, 2), QStringLiteral("Makan 'Malam'"));
        QCOMPARE(box(w, "txtJumlah")->text(), QStringLiteral("3"));
    }

    void slotNameRequired_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
    }

    void slotNameRequired() {
        QFETCH(QString, name);
        MessageRecorder messages;
        frmSetupWaktu w;
        w.show();
        box(w, "txtKeterangan")->setText(name);
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{"Keterangan belum diisi!"});
        QCOMPARE(messages.entries.first().icon, msg::Icon::Exclamation);
        QCOMPARE(w.focusWidget(), box(w, "txtKeterangan"));
        QCOMPARE(db::number(db::scalar("SELECT COUNT(*) FROM set_waktu", {}, testdb::root())), 2.0);
    }

    void slotSaveFailureKeepsTheName() {
        MessageRecorder messages;
        frmSetupWaktu w;
        w.show();
        box(w, "txtKeterangan")->setText("Sahur");
        db::closeSessionConnection();
        click(w, "cmdSimpan");
        const QStringList shown = messages.texts();
        QVERIFY(testdb::openSession());

        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().startsWith("Data gagal disimpan!\n"));
        QVERIFY(shown.first().size() > QStringLiteral("Data gagal disimpan!\n").size());
        QCOMPARE(box(w, "txtKeterangan")->text(), QStringLiteral("Sahur"));
        QCOMPARE(list(w)->rowCount(), 2);
        QCOMPARE(db::number(db::scalar("SELECT COUNT(*) FROM set_waktu", {}, testdb::root())), 2.0);
    }

    void slotDoubleClick() {
        frmSetupWaktu w;
        w.show();
        doubleClick(list(w), -1);
        QCOMPARE(box(w, "txtID")->text(), QString());
        QCOMPARE(box(w, "txtKeterangan")->text(), QString());
        doubleClick(list(w), 1);
        QCOMPARE(box(w, "txtID")->text(), QStringLiteral("12"));
        QCOMPARE(box(w, "txtKeterangan")->text(), QStringLiteral("Makan Siang"));
        click(w, "cmdBaru");
        QCOMPARE(box(w, "txtID")->text(), QString());
        QCOMPARE(box(w, "txtKeterangan")->text(), QString());
        click(w, "cmdKeluar");
        QVERIFY(!w.isVisible());
    }

    void renamedSlotShowsInCatalogue() {
        addItem("001", "Nasi Rames", 10, 12);
        addItem("002", "Roti", 10, 1);
        MessageRecorder messages;
        {
            frmSetupWaktu slotWindow;
            slotWindow.show();
            doubleClick(list(slotWindow), 1);
            QCOMPARE(box(slotWindow, "txtID")->text(), QStringLiteral("12"));
            box(slotWindow, "txtKeterangan")->setText("Siang Hari");
            click(slotWindow, "cmdSimpan");
            QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
            QCOMPARE(list(slotWindow)->rowCount(), 2);
            QCOMPARE(list(slotWindow)->subItem(1, 2), QStringLiteral("Siang Hari"));
        }
        frmSetupBarang w;
        w.show();
        QCOMPARE(list(w)->subItem(0, 6), QStringLiteral("12 Siang Hari"));
        QCOMPARE(list(w)->subItem(1, 6), QStringLiteral("1 Pagi"));
        QCOMPARE(child<QComboBox>(w, "cboWaktu")->itemText(1), QStringLiteral("12 : Siang Hari"));
    }

    // ---- plain rules ----

    void slotCodeOfWaktu_data() {
        QTest::addColumn<QString>("waktu");
        QTest::addColumn<QString>("code");
        QTest::newRow("one character") << "1 Pagi"
                                       << "1";
        QTest::newRow("two characters") << "12 Makan Siang"
                                        << "12";
        QTest::newRow("name missing") << "7 "
                                      << "7";
        QTest::newRow("empty") << ""
                               << "";
    }

    void slotCodeOfWaktu() {
        QFETCH(QString, waktu);
        QFETCH(QString, code);
        QCOMPARE(catalogue::slotCodeOfWaktu(waktu), code);
    }
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
