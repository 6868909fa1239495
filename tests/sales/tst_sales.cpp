#include "catalogue/frmSetupBarang.h"
#include "common/amount.h"
#include "common/selectors.h"
#include "common/uirules.h"
#include "core/program.h"
#include "core/session.h"
#include "db/sql.h"
#include "sales/cart.h"
#include "sales/frmCafeTransUmum.h"
#include "sales/frmCafeTransUmumList.h"
#include "sales/receipt.h"
#include "salesfixture.h"
#include "support/testdb.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QtTest>

#include "common/reportlist.h"

#include <memory>

using common::ReportList;

namespace {

// Fills the entry fields and presses INSERT.
void addItem(QWidget *w, const QString &buyer, const QString &code, const QString &qty) {
    box(w, "txtPembeli")->setText(buyer);
    common::SelectComboByCode(code, child<QComboBox>(w, "cboBarang"));
    box(w, "txtJumlah")->setText(qty);
    click(w, "cmdInsert");
}

QStringList cartRow(QWidget *w, int row) {
    const auto *list = child<ReportList>(w, "ListView1");
    QStringList subs;
    for (int sub = 1; sub <= 5; ++sub)
        subs << list->subItem(row, sub);
    return subs;
}

// A key where the system delivers it: to an open drop-down list, else to the focused widget.
void press(Qt::Key key) {
    QWidget *target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, key);
}

void type(const QString &text) {
    for (const QChar c : text) {
        QWidget *target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget();
        QTest::keyClicks(target, QString(c));
    }
}

QString focusName() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

QStringList texts(const QList<MessageRecorder::Entry> &entries) {
    QStringList out;
    for (const auto &e : entries)
        out << e.text;
    return out;
}

} // namespace

class TestSales : public QObject {
    Q_OBJECT

    RecordingPrinter printer_;
    QDateTime serverNow_;
    std::unique_ptr<ClockPin> clock_;

private slots:
    void initTestCase() {
        QVERIFY(testdb::openSession());
        common::installUiRules();
        common::setAmountLocale(QLocale(QLocale::Indonesian, QLocale::Indonesia));
        core::CurrentUser().alias = QStringLiteral("kasir");
        sales::setRawPrinter(&printer_);
    }

    void cleanupTestCase() { sales::setRawPrinter(nullptr); }

    void init() {
        salesfx::seed();
        printer_.jobs.clear();
        printer_.works = true;
        serverNow_ = salesfx::serverNow();
        clock_ = std::make_unique<ClockPin>(serverNow_);
    }

    void cleanup() { clock_.reset(); }

    void quantity_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("amount");
        QTest::newRow("two") << "2" << true << "30.000";
        QTest::newRow("zero passes with amount 0") << "0" << true << "0";
        QTest::newRow("blanks around") << " 3 " << true << "45.000";
        QTest::newRow("negative") << "-1" << false << "";
        QTest::newRow("letters") << "abc" << false << "";
        QTest::newRow("number then letters") << "2a" << false << "";
        QTest::newRow("decimal point") << "1.5" << false << "";
        QTest::newRow("decimal comma") << "1,5" << false << "";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("past the stored range") << "9999999999" << false << "";
    }

    void quantity() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, amount);
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B01"), typed);
        auto *list = child<ReportList>(&w, "ListView1");
        if (accepted) {
            QVERIFY(messages.entries.isEmpty());
            QCOMPARE(list->rowCount(), 1);
            QCOMPARE(cartRow(&w, 0),
                     (QStringList{"B01", "Nasi Goreng", "15.000", typed.trimmed(), amount}));
            QCOMPARE(box(&w, "txtJumlah")->text(), QStringLiteral("1"));
            QCOMPARE(box(&w, "txtTotal")->text(), amount);
        } else {
            QCOMPARE(messages.texts(), QStringList{"Jumlah tidak valid!"});
            QCOMPARE(messages.entries[0].icon, msg::Icon::Exclamation);
            QCOMPARE(list->rowCount(), 0);
            QCOMPARE(box(&w, "txtJumlah")->text(), typed);
            QCOMPARE(w.focusWidget(), box(&w, "txtJumlah"));
        }
    }

    void sameItemTwiceKeepsOneLine() {
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B01"), QStringLiteral("2"));
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B02"), QStringLiteral("1"));
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B01"), QStringLiteral("3"));
        QVERIFY(messages.entries.isEmpty());
        QCOMPARE(child<ReportList>(&w, "ListView1")->rowCount(), 2);
        QCOMPARE(cartRow(&w, 0), (QStringList{"B01", "Nasi Goreng", "15.000", "3", "45.000"}));
        QCOMPARE(cartRow(&w, 1), (QStringList{"B02", "Es Teh", "5.000", "1", "5.000"}));
        QCOMPARE(box(&w, "txtQty")->text(), QStringLiteral("4"));
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("50.000"));
    }

    // The checks of INSERT run in order; the first failure stops with its message.
    void insertChecks_data() {
        QTest::addColumn<int>("dayOffset");
        QTest::addColumn<QString>("buyer");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("workstation date differs, everything else filled")
            << 1 << "Ani"
            << "B01"
            << "Tanggal komputer tidak sesuai!"
            << "";
        QTest::newRow("date checked before the buyer") << -1 << ""
                                                       << ""
                                                       << "Tanggal komputer tidak sesuai!"
                                                       << "";
        QTest::newRow("no buyer") << 0 << ""
                                  << "B01"
                                  << "Pembeli belum diisi!"
                                  << "txtPembeli";
        QTest::newRow("no item") << 0 << "Ani"
                                 << ""
                                 << "Pilih barang!"
                                 << "cboBarang";
    }

    void insertChecks() {
        QFETCH(int, dayOffset);
        QFETCH(QString, buyer);
        QFETCH(QString, code);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        clock_->set(serverNow_.addDays(dayOffset));
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        if (code.isEmpty())
            child<QComboBox>(&w, "cboBarang")->setCurrentIndex(-1);
        addItem(&w, buyer, code, QStringLiteral("2"));
        QCOMPARE(messages.texts(), QStringList{message});
        QCOMPARE(messages.entries[0].title, core::appTitle());
        QCOMPARE(child<ReportList>(&w, "ListView1")->rowCount(), 0);
        if (!focus.isEmpty())
            QCOMPARE(w.focusWidget()->objectName(), focus);
    }

    void loadShowsBothDates() {
        clock_->set(serverNow_.addDays(2));
        frmCafeTransUmum w;
        w.show();
        QCOMPARE(box(&w, "txtTglKomputer")->text(),
                 serverNow_.addDays(2).toString(QStringLiteral("yyyy-MM-dd")));
        QCOMPARE(box(&w, "txtTglServer")->text(),
                 serverNow_.toString(QStringLiteral("yyyy-MM-dd")));
        QCOMPARE(child<QDateEdit>(&w, "dtHistory")->date(), serverNow_.addDays(2).date());
        const auto *kampus = child<QComboBox>(&w, "cboKampus");
        QCOMPARE(kampus->count(), 3);
        QCOMPARE(kampus->itemText(0), QString());
        QCOMPARE(kampus->itemText(2), QStringLiteral("Putri"));
        QCOMPARE(child<QComboBox>(&w, "cboBarang")->itemText(2),
                 QStringLiteral("B03 : Ayam Bakar : 20.000"));
    }

    void resetThenPayHasNothingToPay() {
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        child<QComboBox>(&w, "cboKampus")->setCurrentIndex(1);
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B01"), QStringLiteral("2"));
        click(&w, "Command1");
        QCOMPARE(child<ReportList>(&w, "ListView1")->rowCount(), 0);
        QCOMPARE(box(&w, "txtQty")->text(), QStringLiteral("0"));
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("0"));
        QCOMPARE(box(&w, "txtPembeli")->text(), QStringLiteral("Ani"));
        QCOMPARE(child<QComboBox>(&w, "cboKampus")->currentText(), QStringLiteral("Putra"));
        click(&w, "cmdBayar");
        QCOMPARE(messages.texts(), QStringList{"Belum ada transaksi!"});
        QCOMPARE(messages.entries[0].icon, msg::Icon::Exclamation);
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order"), 0);
    }

    void threeItemSaleIsOneOrder() {
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        child<QComboBox>(&w, "cboKampus")->setCurrentIndex(2);
        addItem(&w, QStringLiteral("Ma'ruf"), QStringLiteral("B03"), QStringLiteral("1"));
        addItem(&w, QStringLiteral("Ma'ruf"), QStringLiteral("B01"), QStringLiteral("2"));
        addItem(&w, QStringLiteral("Ma'ruf"), QStringLiteral("B02"), QStringLiteral("3"));
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("65.000"));
        click(&w, "cmdBayar");

        QCOMPARE(messages.texts(),
                 (QStringList{"Apakah yakin akan bayar transaksi ini?", "Transaksi Sukses!"}));
        QCOMPARE(messages.entries[0].icon, msg::Icon::Question);
        QCOMPARE(messages.entries[0].title, w.windowTitle());
        QCOMPARE(messages.entries[1].icon, msg::Icon::Information);

        QSqlQuery h =
            db::select(QStringLiteral("SELECT * FROM data_barang_order"), {}, testdb::root());
        QVERIFY(h.next());
        const QString code = h.value("order_kode").toString();
        QVERIFY2(QRegularExpression("^ODR" + serverNow_.toString("yyMMddHHmmss") + "[1-9][0-9]{5}$")
                     .match(code)
                     .hasMatch(),
                 qPrintable(code));
        QCOMPARE(h.value("order_tanggal").toDate(), serverNow_.date());
        QCOMPARE(h.value("order_rekening").toString(), QStringLiteral("umum"));
        QCOMPARE(h.value("order_nama").toString(), QStringLiteral("Ma'ruf"));
        QCOMPARE(db::number(h.value("order_harga")), 65000.0);
        QCOMPARE(h.value("order_kampus").toString(), QStringLiteral("Putri"));
        QCOMPARE(h.value("order_status").toInt(), 1);
        QCOMPARE(h.value("order_reg_alias").toString(), QStringLiteral("kasir"));
        QVERIFY(h.value("order_kelas").isNull());
        QVERIFY(!h.value("order_reg_date").isNull());
        QVERIFY(!h.next());

        QSqlQuery l = db::select(
            QStringLiteral(
                "SELECT list_order, list_barang, list_barang_nama, list_harga, list_qty, "
                "list_jumlah, list_status, list_reg_alias FROM data_barang_order_list "
                "ORDER BY list_id"),
            {}, testdb::root());
        QStringList lines;
        while (l.next()) {
            QCOMPARE(l.value(0).toString(), code);
            QCOMPARE(l.value(6).toInt(), 1);
            QCOMPARE(l.value(7).toString(), QStringLiteral("kasir"));
            lines << QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(l.value(1).toString(), l.value(2).toString())
                         .arg(db::number(l.value(3)))
                         .arg(l.value(4).toInt())
                         .arg(db::number(l.value(5)));
        }
        QCOMPARE(lines, (QStringList{"B03 Ayam Bakar 20000 1 20000",
                                     "B01 Nasi Goreng 15000 2 30000", "B02 Es Teh 5000 3 15000"}));
        QCOMPARE(db::number(db::scalar("SELECT SUM(list_jumlah) FROM data_barang_order_list", {},
                                       testdb::root())),
                 65000.0);

        // Printed once, after the commit: the receipt of the stored order.
        QCOMPARE(printer_.jobs.size(), 1);
        QCOMPARE(printer_.jobs[0].name, QStringLiteral("Struk"));
        const QByteArray job = printer_.jobs[0].bytes;
        QVERIFY(job.contains("\r\n Ma'ruf ## umum\r\n Putri\r\n"));
        QVERIFY(job.contains(" GRAND TOTAL" + QByteArray(22, ' ') + "65.000\r\n"));
        QVERIFY(job.endsWith("\r\n\x1d\x56\x30"));
        // Item lines in cart order, not in item-code order.
        QVERIFY(job.indexOf("Ayam Bakar") < job.indexOf("Nasi Goreng"));
        QVERIFY(job.indexOf("Nasi Goreng") < job.indexOf("Es Teh"));

        // Back to the start state, campus kept, the new order listed.
        QCOMPARE(box(&w, "txtPembeli")->text(), QString());
        QCOMPARE(child<ReportList>(&w, "ListView1")->rowCount(), 0);
        QCOMPARE(box(&w, "txtTransId")->text(), QString());
        QCOMPARE(box(&w, "txtQty")->text(), QStringLiteral("0"));
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("0"));
        QCOMPARE(child<QComboBox>(&w, "cboKampus")->currentText(), QStringLiteral("Putri"));
        const auto *history = child<ReportList>(&w, "ListView2");
        QCOMPARE(history->rowCount(), 1);
        QCOMPARE(history->subItem(0, 1), code);
        QCOMPARE(box(&w, "txtLogTotal")->text(), QStringLiteral("65.000"));

        // Cleared by the reset: no reprint until an order is picked.
        messages.clear();
        click(&w, "cmdCetak");
        QCOMPARE(messages.texts(), QStringList{"Pilih data transaksi!"});
    }

    void declinedPaymentKeepsEverything() {
        MessageRecorder messages;
        messages.answers = {msg::Answer::No};
        frmCafeTransUmum w;
        w.show();
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B01"), QStringLiteral("2"));
        click(&w, "cmdBayar");
        QCOMPARE(messages.texts(), QStringList{"Apakah yakin akan bayar transaksi ini?"});
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order"), 0);
        QCOMPARE(child<ReportList>(&w, "ListView1")->rowCount(), 1);
        QVERIFY(printer_.jobs.isEmpty());
    }

    // Two workstations drawing the same order code in the same second: the key refuses the
    // second header, and the sale draws a new number instead of failing.
    void takenOrderCodeDrawsAgain() {
        testdb::rootExec(QStringLiteral(
            "CREATE TRIGGER tst_taken_code BEFORE INSERT ON data_barang_order FOR EACH ROW "
            "BEGIN IF @tst_code_taken IS NULL THEN SET @tst_code_taken = 1; "
            "SIGNAL SQLSTATE '23000' SET MYSQL_ERRNO = 1062, "
            "MESSAGE_TEXT = 'Duplicate entry ''ODR'' for key ''PRIMARY'''; END IF; END"));
        const auto drop = qScopeGuard(
            [] { testdb::rootExec(QStringLiteral("DROP TRIGGER IF EXISTS tst_taken_code")); });
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B01"), QStringLiteral("2"));
        click(&w, "cmdBayar");

        QVERIFY2(texts(messages.entries).contains(QStringLiteral("Transaksi Sukses!")),
                 qPrintable(texts(messages.entries).join(QLatin1Char('|'))));
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order"), 1);
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order_list"), 1);
        QCOMPARE(printer_.jobs.size(), 1);
    }

    void failedLineInsertStoresNothing() {
        testdb::rootExec(QStringLiteral(
            "CREATE TRIGGER tst_fail_line BEFORE INSERT ON data_barang_order_list FOR EACH ROW "
            "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'baris ditolak server'"));
        const auto drop = qScopeGuard(
            [] { testdb::rootExec(QStringLiteral("DROP TRIGGER IF EXISTS tst_fail_line")); });
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B01"), QStringLiteral("2"));
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B02"), QStringLiteral("1"));
        click(&w, "cmdBayar");

        QCOMPARE(messages.entries.size(), 2);
        QCOMPARE(messages.entries[1].icon, msg::Icon::Critical);
        QVERIFY2(messages.entries[1].text.contains(QStringLiteral("baris ditolak server")),
                 qPrintable(messages.entries[1].text));
        QVERIFY(!texts(messages.entries).contains(QStringLiteral("Transaksi Sukses!")));
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order"), 0);
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order_list"), 0);
        QVERIFY(printer_.jobs.isEmpty());
        QCOMPARE(child<ReportList>(&w, "ListView1")->rowCount(), 2);
        QCOMPARE(box(&w, "txtPembeli")->text(), QStringLiteral("Ani"));
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("35.000"));
        QCOMPARE(box(&w, "txtTransId")->text(), QString());

        // The same cart goes through once the server accepts it again.
        testdb::rootExec(QStringLiteral("DROP TRIGGER tst_fail_line"));
        messages.clear();
        click(&w, "cmdBayar");
        QCOMPARE(messages.lastText(), QStringLiteral("Transaksi Sukses!"));
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order_list"), 2);
    }

    void clicksDuringPaymentAreIgnored() {
        frmCafeTransUmum w;
        w.show();
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B01"), QStringLiteral("2"));
        int questions = 0;
        auto *bayar = child<QPushButton>(&w, "cmdBayar");
        msg::setHandler([&](msg::Icon icon, const QString &, const QString &, msg::Buttons) {
            if (icon == msg::Icon::Question) {
                ++questions;
                // A second press while the first payment waits for its answer.
                QMetaObject::invokeMethod(bayar, "clicked", Q_ARG(bool, false));
                return msg::Answer::Yes;
            }
            // ... and one while the success notice is up.
            QMetaObject::invokeMethod(bayar, "clicked", Q_ARG(bool, false));
            return msg::Answer::Ok;
        });
        const auto restore = qScopeGuard([] { msg::setHandler({}); });
        bayar->click();
        QCOMPARE(questions, 1);
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order"), 1);
        QCOMPARE(printer_.jobs.size(), 1);
        QVERIFY(bayar->isEnabled());
    }

    void printerThatCannotBeOpened() {
        printer_.works = false;
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B01"), QStringLiteral("2"));
        click(&w, "cmdBayar");
        QCOMPARE(messages.texts(), (QStringList{"Apakah yakin akan bayar transaksi ini?",
                                                "Printer tidak dikenali!", "Transaksi Sukses!"}));
        QCOMPARE(messages.entries[1].icon, msg::Icon::Critical);
        QCOMPARE(messages.entries[1].title, QStringLiteral("Error"));
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order"), 1);
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order_list"), 1);
    }

    void historyOfThePickedDay() {
        testdb::rootScript(QStringLiteral(
            "INSERT INTO data_barang_order (order_kode, order_tanggal, order_rekening, order_nama, "
            "order_kelas, order_harga, order_kampus, order_status, order_reg_date, "
            "order_reg_alias) VALUES "
            "('ODR240315090000111111', '2024-03-15', 'umum', 'Ani', NULL, 15000, 'Putra', 1, "
            "'2024-03-15 09:00:00', 'kasir'), "
            "('ODR240315100000222222', '2024-03-15', '0012345', 'Budi', '7A', 1250000, 'Putri', 9, "
            "'2024-03-15 10:00:00', 'kartu'), "
            "('ODR240316080000333333', '2024-03-16', 'umum', 'Citra', NULL, 5000, '', 1, "
            "'2024-03-16 08:00:00', 'kasir')"));
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        auto *history = child<ReportList>(&w, "ListView2");
        child<QDateEdit>(&w, "dtHistory")->setDate(QDate(2024, 3, 15));
        QCOMPARE(history->rowCount(), 2);
        QStringList first;
        for (int sub = 1; sub <= 7; ++sub)
            first << history->subItem(0, sub);
        QCOMPARE(first, (QStringList{"ODR240315100000222222", "15-03-2024", "Budi", "Putri",
                                     "1.250.000", "2024-03-15 10:00:00", "kartu"}));
        QCOMPARE(history->subItem(1, 1), QStringLiteral("ODR240315090000111111"));
        QCOMPARE(box(&w, "txtHistoryJumlah")->text(), QStringLiteral("2"));
        QCOMPARE(box(&w, "txtLogTotal")->text(), QStringLiteral("1.265.000"));

        child<QDateEdit>(&w, "dtHistory")->setDate(QDate(2024, 3, 17));
        QCOMPARE(history->rowCount(), 0);
        QCOMPARE(box(&w, "txtHistoryJumlah")->text(), QStringLiteral("0"));
        QCOMPARE(box(&w, "txtLogTotal")->text(), QStringLiteral("0"));

        // An empty list opens nothing.
        bool opened = false;
        QTimer guard;
        connect(&guard, &QTimer::timeout, [&] {
            if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                opened = true;
                d->reject();
            }
        });
        guard.start(10);
        emit history->listDoubleClicked();
        QCOMPARE(messages.texts(), QStringList{"Tidak ada data!"});
        QVERIFY(!opened);
    }

    void pickedOrderOpensItsLinesAndReprints() {
        testdb::rootScript(QStringLiteral(
            "INSERT INTO data_barang_order (order_kode, order_tanggal, order_rekening, order_nama, "
            "order_harga, order_kampus, order_status, order_reg_date, order_reg_alias) VALUES "
            "('ODR240315090000111111', '2024-03-15', 'umum', 'Ani', 35000, 'Putra', 1, "
            "'2024-03-15 09:00:00', 'kasir');\n"
            "INSERT INTO data_barang_order_list (list_order, list_barang, list_barang_nama, "
            "list_harga, list_qty, list_jumlah, list_status) VALUES "
            "('ODR240315090000111111', 'B01', 'Nasi Goreng', 15000, 2, 30000, 1), "
            "('ODR240315090000111111', 'B02', 'Es Teh', 5000, 1, 5000, 1)"));
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *history = child<ReportList>(&w, "ListView2");
        child<QDateEdit>(&w, "dtHistory")->setDate(QDate(2024, 3, 15));
        QCOMPARE(history->rowCount(), 1);

        QStringList seen;
        onNextModal([&](QDialog *d) {
            auto *viewer = qobject_cast<frmCafeTransUmumList *>(d);
            QVERIFY(viewer);
            seen << viewer->txtTransId()->text() << viewer->txtNama()->text()
                 << viewer->txtKelas()->text()
                 << QString::number(child<ReportList>(viewer, "ListView1")->rowCount())
                 << box(viewer, "txtQty")->text() << box(viewer, "txtTotal")->text();
        });
        const QRect cell = history->visualRect(history->model()->index(0, 1));
        QTest::mouseDClick(history->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(seen, (QStringList{"ODR240315090000111111", "Ani", "Putra", "2", "3", "35.000"}));
        QCOMPARE(box(&w, "txtTransId")->text(), QStringLiteral("ODR240315090000111111"));

        click(&w, "cmdCetak");
        QCOMPARE(messages.texts(),
                 QStringList{"Apakah yakin cetak struk transaksi ini >> ODR240315090000111111 ?"});
        QCOMPARE(messages.entries[0].icon, msg::Icon::Question);
        QCOMPARE(printer_.jobs.size(), 1);
        // The reprint carries the time and user of the reprint.
        QVERIFY(printer_.jobs[0].bytes.contains(
            serverNow_.toString("dd-MM-yyyy HH:mm:ss").toLatin1() + " kasir\r\n"));
        QVERIFY(printer_.jobs[0].bytes.contains("\r\n Ani ## umum\r\n Putra\r\n"));
    }

    void viewerFollowsItsCodeAndPrintsTheOpenersOrder() {
        testdb::rootScript(QStringLiteral(
            "INSERT INTO data_barang_order (order_kode, order_tanggal, order_rekening, order_nama, "
            "order_harga, order_kampus, order_status) VALUES "
            "('ODR-A', '2024-03-15', 'umum', 'Ani', 1055000, 'Putra', 1), "
            "('ODR-B', '2024-03-15', 'umum', 'Budi', 5000, 'Putri', 1);\n"
            "INSERT INTO data_barang_order_list (list_order, list_barang, list_barang_nama, "
            "list_harga, list_qty, list_jumlah, list_status) VALUES "
            "('ODR-A', 'B01', 'Nasi Goreng', 15000, 2, 30000, 1), "
            "('ODR-A', 'B02', 'Es Teh', 5000, 1005, 1025000, 9), "
            "('ODR-A', 'B03', 'Ayam Bakar', 20000, 0, 0, 1), "
            "('ODR-B', 'B02', 'Es Teh', 5000, 1, 5000, 1)"));
        MessageRecorder messages;
        frmCafeTransUmum opener;
        opener.txtTransId()->setText(QStringLiteral("ODR-A"));
        frmCafeTransUmumList viewer(&opener);
        auto *list = child<ReportList>(&viewer, "ListView1");
        QCOMPARE(viewer.txtTransId()->text(), QStringLiteral("ODR-A"));
        QCOMPARE(list->rowCount(), 3);
        QStringList row;
        for (int sub = 1; sub <= 5; ++sub)
            row << list->subItem(1, sub);
        QCOMPARE(row, (QStringList{"B02", "Es Teh", "5.000", "1005", "1.025.000"}));
        QCOMPARE(box(&viewer, "txtQty")->text(), QStringLiteral("1007"));
        QCOMPARE(box(&viewer, "txtTotal")->text(), QStringLiteral("1.055.000"));

        viewer.txtTransId()->setText(QStringLiteral("ODR-B"));
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(box(&viewer, "txtQty")->text(), QStringLiteral("1"));
        QCOMPARE(box(&viewer, "txtTotal")->text(), QStringLiteral("5.000"));

        messages.answers = {msg::Answer::No};
        click(&viewer, "cmdCetak");
        QVERIFY(printer_.jobs.isEmpty());
        click(&viewer, "cmdCetak");
        QCOMPARE(messages.texts(),
                 (QStringList{"Apakah yakin akan cetak?", "Apakah yakin akan cetak?"}));
        QCOMPARE(messages.entries[0].title, viewer.windowTitle());
        QCOMPARE(printer_.jobs.size(), 1);
        QVERIFY(printer_.jobs[0].bytes.contains("\r\n Ani ## umum\r\n"));

        viewer.txtTransId()->setText(QStringLiteral("ODR-NONE"));
        QCOMPARE(list->rowCount(), 0);
        QCOMPARE(box(&viewer, "txtQty")->text(), QStringLiteral("0"));
        QCOMPARE(box(&viewer, "txtTotal")->text(), QStringLiteral("0"));
    }

    // What each window's receipt takes from the database, with and without order lines.
    void receiptSources_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("buyer");
        QTest::addColumn<QString>("campus");
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("amount");
        const int sale = int(sales::ReceiptVariant::SaleEntry);
        const int list = int(sales::ReceiptVariant::OrderList);
        QTest::newRow("sale entry, card order") << "ODR-K" << sale << "Dewi ## 0012345"
                                                << "Putri" << 2 << "3"
                                                << "1.030.000";
        QTest::newRow("order list, card order") << "ODR-K" << list << "Dewi ## 7A"
                                                << "Putri ## Siang" << 2 << "3"
                                                << "1.030.000";
        QTest::newRow("sale entry, header without lines") << "ODR-E" << sale << " ## "
                                                          << "" << 0 << ""
                                                          << "";
        QTest::newRow("order list, no lines: boxes not read") << "ODR-E" << list << " ## "
                                                              << "Putri ## Siang" << 0 << ""
                                                              << "";
    }

    void receiptSources() {
        QFETCH(QString, code);
        QFETCH(int, variant);
        testdb::rootScript(QStringLiteral(
            "INSERT INTO data_barang_order (order_kode, order_tanggal, order_rekening, order_nama, "
            "order_kelas, order_harga, order_kampus, order_status) VALUES "
            "('ODR-K', '2024-03-15', '0012345', 'Dewi', '7A', 1030000, 'Putri', 1), "
            "('ODR-E', '2024-03-15', 'umum', 'Eko', NULL, 0, 'Putra', 1);\n"
            "INSERT INTO data_barang_order_list (list_order, list_barang, list_barang_nama, "
            "list_harga, list_qty, list_jumlah, list_status) VALUES "
            "('ODR-K', 'B01', 'Nasi Goreng', 15000, 2, 30000, 1), "
            "('ODR-K', 'B09', 'Paket Wisuda', 1000000, 1, 1000000, 1)"));
        const sales::Receipt r =
            sales::loadReceipt(code, sales::ReceiptVariant(variant),
                               {QStringLiteral("Dewi"), QStringLiteral("7A"),
                                QStringLiteral("Putri"), QStringLiteral("Siang")});
        QTEST(r.data.buyerLine, "buyer");
        QTEST(r.data.campusLine, "campus");
        QTEST(int(r.data.items.size()), "items");
        QTEST(r.data.totalQty, "qty");
        QTEST(r.data.totalAmount, "amount");
        QCOMPARE(r.data.alias, QStringLiteral("kasir"));
        QCOMPARE(r.data.printedAt, serverNow_);
        QCOMPARE(r.settings.width, 40);
        QCOMPARE(r.settings.headers[3], QStringLiteral("Telp 123"));
    }

    void stockCheckOpensTheCatalogueReadOnly() {
        frmCafeTransUmum w;
        w.show();
        QString view;
        onNextModal([&](QDialog *d) {
            auto *catalogue = qobject_cast<frmSetupBarang *>(d);
            QVERIFY(catalogue);
            view = catalogue->view;
        });
        click(&w, "cmdStok");
        QCOMPARE(view, QStringLiteral("cek"));
    }

    // ---- the item selector and the keyboard ----

    void selectorItemFields_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain") << "B01 : Nasi Goreng : 15.000"
                               << QStringList{"B01", "Nasi Goreng", "15.000"};
        QTest::newRow("name with blank colon blank")
            << "B04 : Paket Hemat : 500 : 25.000"
            << QStringList{"B04", "Paket Hemat : 500", "25.000"};
        QTest::newRow("name with a colon")
            << "B05 : Es Teh: Jumbo : 3.000" << QStringList{"B05", "Es Teh: Jumbo", "3.000"};
        QTest::newRow("double colon")
            << "B06 : Nasi::Uduk : 7.000" << QStringList{"B06", "Nasi::Uduk", "7.000"};
        QTest::newRow("trailing colon")
            << "B07 : Roti: : 4.000" << QStringList{"B07", "Roti:", "4.000"};
    }

    void selectorItemFields() {
        QFETCH(QString, text);
        QFETCH(QStringList, fields);
        const sales::SelectorItem item = sales::splitSelectorItem(text);
        QCOMPARE((QStringList{item.kode, item.nama, item.harga}), fields);
    }

    void selectorMatching_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("found");
        QTest::newRow("whole code") << "017" << QList<int>{2};
        QTest::newRow("code prefix") << "01" << QList<int>{1, 2};
        QTest::newRow("name part, any case") << "TEH" << QList<int>{1, 3};
        QTest::newRow("a price is not a code") << "500" << QList<int>{};
        QTest::newRow("whole item text") << "017 : Kopi : 4.000" << QList<int>{2};
        QTest::newRow("no match") << "sate" << QList<int>{};
        QTest::newRow("blank") << "  " << QList<int>{};
    }

    void selectorMatching() {
        QFETCH(QString, typed);
        QFETCH(QList<int>, found);
        const QStringList items{"001 : Nasi : 10.000", "010 : Es Teh : 3.000", "017 : Kopi : 4.000",
                                "120 : Teh Tarik : 1.500"};
        QCOMPARE(sales::matchSelectorItems(items, typed), found);
    }

    // The price sold, stored and totalled is the catalogue's, whatever the name holds.
    void priceComesFromTheItem() {
        testdb::rootExec("INSERT INTO data_barang (barang_kode, barang_nama, barang_harga_pokok, "
                         "barang_harga_jual, barang_stok_harian, barang_status) VALUES "
                         "('B04', 'Paket Hemat : 500', 20000, 25000, 9, '1'), "
                         "('B05', 'Es Teh: Jumbo', 2000, 3000, 9, '1'), "
                         "('B06', 'Roti:', 2000, 4000, 9, '1')");
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B04"), QStringLiteral("2"));
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B05"), QStringLiteral("1"));
        addItem(&w, QStringLiteral("Ani"), QStringLiteral("B06"), QStringLiteral("1"));
        QVERIFY(messages.entries.isEmpty());
        QCOMPARE(cartRow(&w, 0),
                 (QStringList{"B04", "Paket Hemat : 500", "25.000", "2", "50.000"}));
        QCOMPARE(cartRow(&w, 1), (QStringList{"B05", "Es Teh: Jumbo", "3.000", "1", "3.000"}));
        QCOMPARE(cartRow(&w, 2), (QStringList{"B06", "Roti:", "4.000", "1", "4.000"}));
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("57.000"));
        messages.answers = {msg::Answer::Yes};
        click(&w, "cmdBayar");
        QCOMPARE(messages.lastText(), QStringLiteral("Transaksi Sukses!"));
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order_list WHERE "
                                   "(list_barang, list_barang_nama, list_harga, list_jumlah) IN "
                                   "(('B04', 'Paket Hemat : 500', 25000, 50000), "
                                   "('B05', 'Es Teh: Jumbo', 3000, 3000), "
                                   "('B06', 'Roti:', 4000, 4000))"),
                 3);
    }

    // A whole sale by keyboard alone: buyer, items found by name and code, quantities, a line
    // removed, Tab to BAYAR, Enter on it, and the next buyer.
    void saleByKeyboard() {
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(box(&w, "txtPembeli")->maxLength(), 100); // order_nama holds 100
        box(&w, "txtPembeli")->setFocus();

        type("Ani");
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("cboBarang"));
        type("teh"); // narrows to B02 Es Teh
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("txtJumlah"));
        type("2"); // replaces the 1
        press(Qt::Key_Return);
        QVERIFY(messages.entries.isEmpty());
        QCOMPARE(cartRow(&w, 0), (QStringList{"B02", "Es Teh", "5.000", "2", "10.000"}));
        QCOMPARE(focusName(), QStringLiteral("cboBarang"));
        QCOMPARE(box(&w, "txtJumlah")->text(), QStringLiteral("1"));

        type("b01");
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        type("b03");
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        auto *cart = child<ReportList>(&w, "ListView1");
        QCOMPARE(cart->rowCount(), 3);
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("45.000"));

        // A text that finds no item is refused where it was typed.
        type("sate");
        press(Qt::Key_Return);
        QCOMPARE(messages.texts(), QStringList{"Pilih barang!"});
        QCOMPARE(focusName(), QStringLiteral("cboBarang"));
        QCOMPARE(cart->rowCount(), 3);
        messages.clear();

        // Delete removes the selected line and the totals follow.
        cart->setFocus();
        cart->selectRow(2);
        press(Qt::Key_Delete);
        QCOMPARE(cart->rowCount(), 2);
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("25.000"));
        QCOMPARE(box(&w, "txtQty")->text(), QStringLiteral("3"));

        // One Tab from the cart to BAYAR, Enter pays.
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdBayar"));
        messages.answers = {msg::Answer::Yes};
        press(Qt::Key_Return);
        QCOMPARE(messages.texts(),
                 (QStringList{"Apakah yakin akan bayar transaksi ini?", "Transaksi Sukses!"}));
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order_list"), 2);
        QCOMPARE(focusName(), QStringLiteral("txtPembeli"));
    }

    void keluarAndEscClose() {
        frmCafeTransUmum w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        click(&w, "cmdKeluar");
        QVERIFY(!w.isVisible());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestSales)
#include "tst_sales.moc"
