#include "catalogue/frmSetupBarang.h"
#include "catalogue/frmSetupWaktu.h"
#include "catalogue/menuitem.h"
#include "catalogue/timeslot.h"
#include "common/amount.h"
#include "common/reportlist.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"
#include "support/lossyrelay.h"
#include "support/testdb.h"
#include "support/testwidgets.h"

#include <QSqlQuery>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

const QString kChanged =
    QStringLiteral("Data telah diubah oleh pengguna lain, silakan muat ulang!");

void seed() {
    testdb::truncate({"data_barang", "set_waktu", "kode_komponen", "data_barang_order",
                      "data_barang_order_list"});
    testdb::rootScript("INSERT INTO kode_komponen (combo_komponen, combo_kode, combo_text) VALUES "
                       "('02', '1', 'Aktif'), ('02', '2', 'Tidak Aktif');\n"
                       "INSERT INTO set_waktu (waktu_id, waktu_nama) VALUES "
                       "(1, 'Pagi'), (12, 'Makan Siang')");
}

QStringList items() {
    QSqlQuery q = db::select("SELECT barang_kode, barang_nama, barang_harga_jual, "
                             "barang_reg_alias FROM data_barang ORDER BY barang_kode",
                             {}, testdb::root());
    QStringList out;
    while (q.next())
        out << QStringList{q.value(0).toString(), q.value(1).toString(), db::serverText(q.value(2)),
                           q.value(3).toString()}
                   .join(QLatin1Char('|'));
    return out;
}

common::ReportList *list(QWidget &w) {
    return child<common::ReportList>(w, "ListView1");
}

// Loads the list row holding code into the entry fields, as a double-click does.
void edit(QWidget &w, const QString &code) {
    common::ReportList *l = list(w);
    for (int row = 0; row < l->rowCount(); ++row) {
        if (l->subItem(row, 1) == code) {
            l->selectRow(row);
            QTest::mouseDClick(l->viewport(), Qt::LeftButton, {},
                               l->visualRect(l->model()->index(row, 1)).center());
            return;
        }
    }
    QFAIL("row not listed");
}

void enterNew(frmSetupBarang &w) {
    box(w, "txtNama")->setText("Mie Ayam");
    box(w, "txtHargaPokok")->setText("8.000");
    box(w, "txtHargaJual")->setText("10.000");
    box(w, "txtStokHarian")->setText("15");
    box(w, "txtKdWaktu")->setText("1");
    box(w, "txtKdStatus")->setText("1");
}

} // namespace

class TestCatalogueSafe : public QObject {
    Q_OBJECT

    std::unique_ptr<LossyRelay> relay_;

    // The session goes through a relay that loses the reply to the new item's insert.
    void throughRelay() {
        auto armed = std::make_shared<std::atomic<bool>>(false);
        relay_ = std::make_unique<LossyRelay>(testdb::port(), [armed](const QByteArray &p) {
            if (LossyRelay::command(p) == 0x16) // prepare
                *armed = LossyRelay::payload(p).startsWith("INSERT INTO data_barang ");
            return *armed && LossyRelay::command(p) == 0x17; // its execution
        });
        db::setServer(QStringLiteral("127.0.0.1"), QString::number(relay_->port()));
        db::OpenSessionConnection();
        QCOMPARE(db::sessionState(), db::StateOpen);
    }

private slots:
    void initTestCase() {
        QVERIFY(testdb::openSession());
        common::setAmountLocale(QLocale(QLocale::Indonesian, QLocale::Indonesia));
        core::CurrentUser().alias = QStringLiteral("tester");
    }

    void init() { seed(); }

    void cleanup() {
        QVERIFY(testdb::openSession());
        relay_.reset();
    }

    // ---- a new item whose insert reply is lost ----

    void lostInsertReplyIsOneItem() {
        testdb::rootExec("INSERT INTO data_barang SET barang_kode = '027', barang_nama = 'Lama', "
                         "barang_harga_jual = 1, barang_stok_harian = 1, barang_waktu = 1");
        throughRelay();
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        enterNew(w);
        click(w, "cmdSimpan");

        QVERIFY(relay_->cutDone());
        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
        QCOMPARE(items(), (QStringList{"027|Lama|1|", "028|Mie Ayam|10000|tester"}));
        QCOMPARE(list(w)->rowCount(), 2);
    }

    // The server cannot be asked right after: the save is reported failed, and the next SIMPAN
    // finds the stored item instead of numbering a second one.
    void unknownInsertIsLookedUpBeforeTheNextSave() {
        throughRelay();
        relay_->refuseAfterCut();
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        enterNew(w);
        click(w, "cmdSimpan");

        QVERIFY(relay_->cutDone());
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.lastText().startsWith("Data gagal disimpan!\n"));
        QCOMPARE(box(w, "txtNama")->text(), QStringLiteral("Mie Ayam"));

        relay_->setRefusing(false);
        messages.clear();
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
        QCOMPARE(items(), QStringList{"001|Mie Ayam|10000|tester"});
    }

    // Item codes are numbered, so another workstation may hold the code tried: only a row with
    // the values this window sent is its own.
    void storedItemIsTheOneSent_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("own");
        QTest::newRow("same values") << "" << true;
        QTest::newRow("other name") << "barang_nama = 'Mie Goreng'" << false;
        QTest::newRow("name differs in case") << "barang_nama = 'MIE AYAM'" << false;
        QTest::newRow("other cost price") << "barang_harga_pokok = 8001" << false;
        QTest::newRow("other price") << "barang_harga_jual = 10000.5" << false;
        QTest::newRow("other stock") << "barang_stok_harian = 16" << false;
        QTest::newRow("other slot") << "barang_waktu = 12" << false;
        QTest::newRow("no slot") << "barang_waktu = NULL" << false;
        QTest::newRow("other workstation's user") << "barang_reg_alias = 'kasir2'" << false;
        QTest::newRow("status not compared") << "barang_status = '2'" << true;
    }

    void storedItemIsTheOneSent() {
        QFETCH(QString, change);
        QFETCH(bool, own);
        testdb::rootExec("INSERT INTO data_barang SET barang_kode = '004', "
                         "barang_nama = 'Mie Ayam', barang_harga_pokok = 8000, "
                         "barang_harga_jual = 10000, barang_stok_harian = 15, barang_waktu = 1, "
                         "barang_status = '1', barang_reg_alias = 'tester'");
        if (!change.isEmpty())
            testdb::rootExec("UPDATE data_barang SET " + change);
        catalogue::MenuItemValues v;
        v.nama = "Mie Ayam";
        v.hargaPokok = 8000;
        v.hargaJual = 10000;
        v.stokHarian = 15;
        v.waktu = "1";
        v.status = "1";
        QCOMPARE(catalogue::newMenuItemStored("004", v, "tester"), own);
        QVERIFY(!catalogue::newMenuItemStored("005", v, "tester"));
    }

    // ---- two administrators editing the same row ----

    void secondEditOfAnItemIsRefused() {
        testdb::rootExec("INSERT INTO data_barang SET barang_kode = '005', barang_nama = 'Soto', "
                         "barang_harga_pokok = 10000, barang_harga_jual = 12000, "
                         "barang_stok_harian = 30, barang_waktu = 12, barang_status = '1', "
                         "barang_reg_alias = 'seed'");
        MessageRecorder messages;
        frmSetupBarang first, second;
        first.show();
        second.show();
        edit(first, "005");
        edit(second, "005");

        box(first, "txtHargaJual")->setText("13.000");
        click(first, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});

        messages.clear();
        box(second, "txtNama")->setText("Soto Betawi");
        click(second, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{kChanged});
        QCOMPARE(messages.entries[0].icon, msg::Icon::Exclamation);
        QCOMPARE(items(), QStringList{"005|Soto|13000|seed"});
        // The window shows the row as it is now, ready to be edited again.
        QCOMPARE(box(second, "txtID")->text(), QStringLiteral("005"));
        QCOMPARE(box(second, "txtNama")->text(), QStringLiteral("Soto"));
        QCOMPARE(box(second, "txtHargaJual")->text(), QStringLiteral("13.000"));

        messages.clear();
        box(second, "txtNama")->setText("Soto Betawi");
        click(second, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
        QCOMPARE(items(), QStringList{"005|Soto Betawi|13000|seed"});
    }

    // Saving what the row already holds, twice within one second, is no conflict.
    void unchangedSaveIsNoConflict() {
        testdb::rootExec("INSERT INTO data_barang SET barang_kode = '005', barang_nama = 'Soto', "
                         "barang_harga_pokok = 10000, barang_harga_jual = 12000, "
                         "barang_stok_harian = 30, barang_waktu = 12, barang_status = '1', "
                         "barang_upd_alias = 'tester', barang_upd_date = NOW()");
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        for (int i = 0; i < 2; ++i) {
            edit(w, "005");
            click(w, "cmdSimpan");
        }
        QCOMPARE(messages.texts(), (QStringList{"Data telah disimpan", "Data telah disimpan"}));
    }

    void removedItemIsAConflict() {
        testdb::rootExec("INSERT INTO data_barang SET barang_kode = '005', barang_nama = 'Soto', "
                         "barang_harga_pokok = 10000, barang_harga_jual = 12000, "
                         "barang_stok_harian = 30, barang_waktu = 1");
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        edit(w, "005");
        testdb::rootExec("DELETE FROM data_barang");
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{kChanged});
        QCOMPARE(items(), QStringList{});
        QCOMPARE(box(w, "txtID")->text(), QString());
    }

    // An item whose slot was removed lists no slot; its edit is not refused for that.
    void itemOfARemovedSlotCanBeEdited() {
        testdb::rootExec("INSERT INTO data_barang SET barang_kode = '005', barang_nama = 'Soto', "
                         "barang_harga_pokok = 10000, barang_harga_jual = 12000, "
                         "barang_stok_harian = 30, barang_waktu = 7, barang_status = '1'");
        MessageRecorder messages;
        frmSetupBarang w;
        w.show();
        edit(w, "005");
        QCOMPARE(box(w, "txtKdWaktu")->text(), QString());
        box(w, "txtKdWaktu")->setText("1");
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
    }

    void secondRenameOfASlotIsRefused() {
        MessageRecorder messages;
        frmSetupWaktu first, second;
        first.show();
        second.show();
        edit(first, "12");
        edit(second, "12");

        box(first, "txtKeterangan")->setText("Siang");
        click(first, "cmdSimpan");
        box(second, "txtKeterangan")->setText("Makan Siang Besar");
        click(second, "cmdSimpan");
        QCOMPARE(messages.texts(), (QStringList{"Data telah disimpan", kChanged}));
        QCOMPARE(catalogue::slotName("12"), std::optional<QString>("Siang"));
        QCOMPARE(box(second, "txtID")->text(), QStringLiteral("12"));
        QCOMPARE(box(second, "txtKeterangan")->text(), QStringLiteral("Siang"));

        // Saved again unchanged: no conflict.
        messages.clear();
        click(second, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
        QCOMPARE(catalogue::slotName("12"), std::optional<QString>("Siang"));
    }
};

QTEST_MAIN(TestCatalogueSafe)
#include "tst_catalogue_safe.moc"
