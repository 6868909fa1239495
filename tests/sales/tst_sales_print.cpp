#include "common/amount.h"
#include "common/selectors.h"
#include "core/session.h"
#include "db/sql.h"
#include "privatecups.h"
#include "sales/frmCafeTransUmum.h"
#include "salesfixture.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <cups/cups.h>

#include <memory>

namespace {

QString sp(int n) {
    return QString(n, QLatin1Char(' '));
}

void payCart(frmCafeTransUmum *w, const QString &buyer) {
    child<QComboBox>(w, "cboKampus")->setCurrentIndex(1);
    child<QLineEdit>(w, "txtPembeli")->setText(buyer);
    for (const auto &[code, qty] : {std::pair{"B01", "1"}, std::pair{"B02", "3"}}) {
        common::SelectComboByCode(QString::fromLatin1(code), child<QComboBox>(w, "cboBarang"));
        child<QLineEdit>(w, "txtJumlah")->setText(QString::fromLatin1(qty));
        child<QPushButton>(w, "cmdInsert")->click();
    }
    child<QPushButton>(w, "cmdBayar")->click();
}

// Everything one connection to the printer's port delivers, until the spooler hangs up.
class PrinterPort : public QObject {
public:
    bool listen() {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *s = server_.nextPendingConnection();
            ++connections;
            connect(s, &QTcpSocket::readyRead, this, [this, s] { received += s->readAll(); });
            connect(s, &QTcpSocket::disconnected, this, [this, s] {
                received += s->readAll();
                finished = true;
                s->deleteLater();
            });
        });
        return server_.listen(QHostAddress::LocalHost, 0);
    }
    quint16 port() const { return server_.serverPort(); }

    QByteArray received;
    bool finished = false;
    int connections = 0;

private:
    QTcpServer server_;
};

} // namespace

// Printing through a real CUPS scheduler of the test's own to a raw queue whose device is a
// port this test listens on.
class TestSalesPrint : public QObject {
    Q_OBJECT

    PrivateCups cups_;
    std::unique_ptr<ClockPin> clock_;
    QDateTime serverNow_;

private slots:
    void initTestCase() {
        QString why;
        if (!cups_.start(&why))
            QSKIP(qPrintable(QStringLiteral("cupsd cannot run here: ") + why));
        QVERIFY(testdb::openSession());
        common::setAmountLocale(QLocale(QLocale::Indonesian, QLocale::Indonesia));
        core::CurrentUser().alias = QStringLiteral("kasir");
        sales::setRawPrinter(nullptr);
    }

    void init() {
        salesfx::seed();
        serverNow_ = salesfx::serverNow();
        clock_ = std::make_unique<ClockPin>(serverNow_);
    }

    // Before any queue exists the scheduler has no default destination.
    void noDefaultPrinterKeepsTheOrder() {
        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        payCart(&w, QStringLiteral("Ani"));
        QCOMPARE(messages.texts(), (QStringList{"Apakah yakin akan bayar transaksi ini?",
                                                "Printer tidak dikenali!", "Transaksi Sukses!"}));
        QCOMPARE(messages.entries[1].icon, msg::Icon::Critical);
        QCOMPARE(messages.entries[1].title, QStringLiteral("Error"));
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order"), 1);
        QCOMPARE(salesfx::rowCount("SELECT COUNT(*) FROM data_barang_order_list"), 2);
    }

    void paymentPrintsTheExactBytes() {
        PrinterPort printer;
        QVERIFY(printer.listen());
        QString why;
        QVERIFY2(cups_.addDefaultRawQueue(QStringLiteral("rawtest"), printer.port(), &why),
                 qPrintable(why));

        MessageRecorder messages;
        frmCafeTransUmum w;
        w.show();
        payCart(&w, QStringLiteral("Jos\u00e9"));
        QCOMPARE(messages.texts(),
                 (QStringList{"Apakah yakin akan bayar transaksi ini?", "Transaksi Sukses!"}));
        QTRY_VERIFY_WITH_TIMEOUT(printer.finished, 30000);

        const QString m = QStringLiteral(" ");
        const QString dash(39, QLatin1Char('-'));
        const QStringList lines = {
            m + sp(17) + "KANTIN",
            m + sp(16) + "SINDARA",
            m + sp(20),
            m + sp(16) + "Telp 123",
            m + dash,
            m + sp(7) + serverNow_.toString("dd-MM-yyyy HH:mm:ss") + " kasir",
            m + sp(20),
            m + "Jos\u00e9 ## umum",
            m + "Putra",
            m + dash,
            m + "Nasi Goreng" + sp(14) + "  1" + sp(5) + "15.000",
            m + "Es Teh" + sp(19) + "  3" + sp(5) + "15.000",
            m + dash,
            m + "GRAND TOTAL" + sp(22) + "30.000",
            m + "JUMLAH BARANG" + sp(25) + "4",
            m + "BAYAR" + sp(28) + "30.000",
            m,
            m + dash,
            m + sp(14) + "Terima kasih",
            m + sp(13) + "Selamat makan",
            m + " ",
            m + " \r\n",
            m + " ",
        };
        QByteArray expected = "\r\n";
        for (const QString &line : lines)
            expected += line.toLatin1() + "\r\n"; // é is 0xE9 in Latin-1 and Windows-1252
        expected.chop(2);
        expected += "\r\n\x1d\x56\x30";
        QCOMPARE(printer.received, expected);
        QCOMPARE(printer.connections, 1);

        // One job, named "Struk", on the default queue.
        cups_job_t *jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "rawtest", 0, CUPS_WHICHJOBS_ALL);
        QCOMPARE(count, 1);
        QCOMPARE(QString::fromUtf8(jobs[0].title), QStringLiteral("Struk"));
        QCOMPARE(QString::fromUtf8(jobs[0].format), QStringLiteral("application/vnd.cups-raw"));
        cupsFreeJobs(count, jobs);
    }
};

QTEST_MAIN(TestSalesPrint)
#include "tst_sales_print.moc"
