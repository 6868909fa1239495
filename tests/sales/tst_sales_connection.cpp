#include "common/amount.h"
#include "common/reportlist.h"
#include "common/selectors.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"
#include "sales/frmCafeTransUmum.h"
#include "sales/receipt.h"
#include "salesfixture.h"
#include "support/lossyrelay.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

// The sale entry when the server is away. A sale whose COMMIT reply is lost on the way back: the
// program must find out what the server stored before it reports, and a retry must never store
// the cart a second time. A window opened during an outage must work once the server is back.
class TestSalesConnection : public QObject {
    Q_OBJECT

    RecordingPrinter printer_;
    std::unique_ptr<ClockPin> clock_;
    std::unique_ptr<LossyRelay> relay_;

    // The session connection goes through a relay that treats the first COMMIT as given.
    void throughRelay(bool forwardCommit) {
        relay_ = std::make_unique<LossyRelay>(testdb::port(), &LossyRelay::isCommit, forwardCommit);
        db::setServer(QStringLiteral("127.0.0.1"), QString::number(relay_->port()));
        db::OpenSessionConnection();
        QCOMPARE(db::sessionState(), db::StateOpen);
    }

    void pay(frmCafeTransUmum &w) {
        box(&w, "txtPembeli")->setText(QStringLiteral("Ani"));
        common::SelectComboByCode(QStringLiteral("B01"), child<QComboBox>(&w, "cboBarang"));
        box(&w, "txtJumlah")->setText(QStringLiteral("2"));
        click(&w, "cmdInsert");
        QCOMPARE(box(&w, "txtTotal")->text(), QStringLiteral("30.000"));
        click(&w, "cmdBayar");
    }

    static QStringList orders() {
        QSqlQuery q = db::select(QStringLiteral("SELECT order_kode, order_harga, order_reg_alias "
                                                "FROM data_barang_order"),
                                 {}, testdb::root());
        QStringList out;
        while (q.next())
            out << q.value(0).toString() + QLatin1Char('|') + db::serverText(q.value(1)) +
                       QLatin1Char('|') + q.value(2).toString();
        return out;
    }

private slots:
    void initTestCase() {
        QVERIFY(testdb::openSession());
        common::setAmountLocale(QLocale(QLocale::Indonesian, QLocale::Indonesia));
        core::CurrentUser().alias = QStringLiteral("kasir");
        sales::setRawPrinter(&printer_);
    }

    void cleanupTestCase() { sales::setRawPrinter(nullptr); }

    void init() {
        salesfx::seed();
        printer_.jobs.clear();
        clock_ = std::make_unique<ClockPin>(salesfx::serverNow());
    }

    void cleanup() {
        clock_.reset();
        QVERIFY(testdb::openSession());
        relay_.reset();
    }

    // The server stored the order but its reply never came back: that is a success.
    void storedButReplyLostIsOneSale() {
        throughRelay(true);
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        pay(w);

        QVERIFY(relay_->cutDone());
        QCOMPARE(messages.texts(),
                 (QStringList{"Apakah yakin akan bayar transaksi ini?", "Transaksi Sukses!"}));
        const QStringList stored = orders();
        QCOMPARE(stored.size(), 1);
        QVERIFY(stored[0].endsWith(QStringLiteral("|30000|kasir")));
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order_list"), 1);
        QCOMPARE(printer_.jobs.size(), 1);
        QCOMPARE(child<common::ReportList>(&w, "ListView1")->rowCount(), 0);
    }

    // The COMMIT never reached the server: a failure, and the retry stores the cart once,
    // under the code it drew the first time.
    void lostCommitFailsAndRetryKeepsTheCode() {
        throughRelay(false);
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        // A table outside transactions keeps every header written, even a rolled-back one.
        testdb::rootScript(QStringLiteral(
            "CREATE TABLE tst_seen_code (code VARCHAR(40)) ENGINE=MyISAM;\n"
            "CREATE TRIGGER tst_seen_code AFTER INSERT ON data_barang_order FOR EACH ROW "
            "INSERT INTO tst_seen_code VALUES (NEW.order_kode)"));
        const auto drop = qScopeGuard([] {
            testdb::rootScript(QStringLiteral("DROP TRIGGER IF EXISTS tst_seen_code;\n"
                                              "DROP TABLE IF EXISTS tst_seen_code"));
        });
        pay(w);

        QVERIFY(relay_->cutDone());
        QCOMPARE(messages.entries.size(), 2);
        QVERIFY2(messages.lastText().startsWith("Transaksi gagal disimpan, silakan coba lagi.\n"),
                 qPrintable(messages.lastText()));
        QCOMPARE(messages.entries.last().icon, msg::Icon::Critical);
        QCOMPARE(orders().size(), 0);
        QCOMPARE(printer_.jobs.size(), 0);
        QCOMPARE(child<common::ReportList>(&w, "ListView1")->rowCount(), 1);

        messages.clear();
        click(&w, "cmdBayar");
        QCOMPARE(messages.texts(),
                 (QStringList{"Apakah yakin akan bayar transaksi ini?", "Transaksi Sukses!"}));
        const QStringList stored = orders();
        QCOMPARE(stored.size(), 1);
        // Both attempts wrote the header under the one code the cart drew.
        QSqlQuery seen =
            db::select(QStringLiteral("SELECT code FROM tst_seen_code"), {}, testdb::root());
        QStringList codes;
        while (seen.next())
            codes << seen.value(0).toString();
        const QString code = stored[0].section(QLatin1Char('|'), 0, 0);
        QCOMPARE(codes, (QStringList{code, code}));
        QCOMPARE(printer_.jobs.size(), 1);
    }

    // The order was stored, and the server could not be asked right after: the outcome stays
    // unknown, the cashier is told it failed, and the retry finds the stored order instead of
    // storing another.
    void unknownOutcomeIsLookedUpBeforeTheRetry() {
        throughRelay(true);
        relay_->refuseAfterCut();
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        pay(w);

        QVERIFY(relay_->cutDone());
        QCOMPARE(messages.entries.size(), 2);
        QVERIFY2(messages.lastText().startsWith("Transaksi gagal disimpan, silakan coba lagi.\n"),
                 qPrintable(messages.lastText()));
        QCOMPARE(orders().size(), 1);
        QCOMPARE(printer_.jobs.size(), 0);

        relay_->setRefusing(false);
        messages.clear();
        click(&w, "cmdBayar");
        QCOMPARE(messages.texts(),
                 (QStringList{"Apakah yakin akan bayar transaksi ini?", "Transaksi Sukses!"}));
        QCOMPARE(orders().size(), 1);
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order_list"), 1);
        QCOMPARE(printer_.jobs.size(), 1);
    }

    // Opened while the server is away, the window says so once; INSERT blames the connection,
    // not the date; once the session is back the lists and the date are read again, by the
    // session watch's call or by the next INSERT.
    void windowOpenedDuringOutageWorksAfterRecovery() {
        db::closeSessionConnection();
        MessageRecorder messages;
        frmCafeTransUmum byWatch;
        frmCafeTransUmum byInsert;
        byWatch.show();
        byInsert.show();
        QCOMPARE(messages.texts(), (QStringList{db::kConnectionMessage, db::kConnectionMessage}));
        QCOMPARE(child<QComboBox>(&byInsert, "cboBarang")->count(), 0);
        QCOMPARE(box(&byInsert, "txtTglServer")->text(), QString());

        messages.clear();
        box(&byInsert, "txtPembeli")->setText(QStringLiteral("Ani"));
        click(&byInsert, "cmdInsert");
        QCOMPARE(messages.texts(), QStringList{db::kConnectionMessage});

        QVERIFY(testdb::openSession());
        messages.clear();
        byWatch.refreshAfterReconnect();
        QVERIFY(messages.entries.isEmpty());
        QCOMPARE(child<QComboBox>(&byWatch, "cboBarang")->count(), 3);
        QCOMPARE(child<QComboBox>(&byWatch, "cboKampus")->count() > 0, true);
        QCOMPARE(box(&byWatch, "txtTglServer")->text(), box(&byWatch, "txtTglKomputer")->text());

        // No item could be chosen from the empty list: INSERT reads it and asks for one.
        click(&byInsert, "cmdInsert");
        QCOMPARE(messages.texts(), QStringList{"Pilih barang!"});
        QCOMPARE(child<QComboBox>(&byInsert, "cboBarang")->count(), 3);

        messages.clear();
        pay(byInsert);
        QCOMPARE(messages.texts(),
                 (QStringList{"Apakah yakin akan bayar transaksi ini?", "Transaksi Sukses!"}));
        QCOMPARE(orders().size(), 1);
        QCOMPARE(child<common::ReportList>(&byInsert, "ListView2")->rowCount(), 1);
        QCOMPARE(box(&byInsert, "txtTglServer")->text(), box(&byInsert, "txtTglKomputer")->text());
    }
};

QTEST_MAIN(TestSalesConnection)
#include "tst_sales_connection.moc"
