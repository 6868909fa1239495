// Paying a 20-line cart: record the order, compose its receipt and hand the job to the
// spooler (a private CUPS scheduler printing to a port this program listens on).
#include "common/amount.h"
#include "common/selectors.h"
#include "core/session.h"
#include "privatecups.h"
#include "sales/frmCafeTransUmum.h"
#include "salesfixture.h"
#include "support/testdb.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    PrivateCups cups;
    QString why;
    if (!cups.start(&why)) {
        std::printf("bench_sales_pay: cupsd cannot run here (%s)\n", qPrintable(why));
        return 1;
    }
    int jobsDone = 0;
    QTcpServer printer;
    QObject::connect(&printer, &QTcpServer::newConnection, [&] {
        QTcpSocket *s = printer.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, [s] { s->readAll(); });
        QObject::connect(s, &QTcpSocket::disconnected, [s, &jobsDone] {
            ++jobsDone;
            s->deleteLater();
        });
    });
    if (!printer.listen(QHostAddress::LocalHost, 0) ||
        !cups.addDefaultRawQueue(QStringLiteral("bench"), printer.serverPort(), &why)) {
        std::printf("bench_sales_pay: no queue (%s)\n", qPrintable(why));
        return 1;
    }
    if (!testdb::openSession()) {
        std::printf("bench_sales_pay: no database session\n");
        return 1;
    }
    common::setAmountLocale(QLocale(QLocale::Indonesian, QLocale::Indonesia));
    core::CurrentUser().alias = QStringLiteral("kasir");
    salesfx::seed();
    QStringList items;
    for (int i = 4; i <= 20; ++i)
        items << QStringLiteral("('B%1', 'Menu nomor %1 spesial', 1000, %2, 10, '1')")
                     .arg(i, 2, 10, QLatin1Char('0'))
                     .arg(1000 * i);
    testdb::rootExec(QStringLiteral("INSERT INTO data_barang (barang_kode, barang_nama, "
                                    "barang_harga_pokok, barang_harga_jual, barang_stok_harian, "
                                    "barang_status) VALUES ") +
                     items.join(QStringLiteral(", ")));

    MessageRecorder messages;
    frmCafeTransUmum w;
    w.show();
    w.findChild<QLineEdit *>(QStringLiteral("txtPembeli"))->setText(QStringLiteral("Bench"));
    auto *barang = w.findChild<QComboBox *>(QStringLiteral("cboBarang"));
    for (int i = 0; i < barang->count(); ++i) {
        barang->setCurrentIndex(i);
        w.findChild<QLineEdit *>(QStringLiteral("txtJumlah"))->setText(QString::number(i % 3 + 1));
        w.findChild<QPushButton *>(QStringLiteral("cmdInsert"))->click();
    }

    constexpr int runs = 20;
    QList<double> ms;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        const bool stored = w.SimpanBarang();
        ms << t.nsecsElapsed() / 1e6;
        if (!stored || !messages.entries.isEmpty()) {
            std::printf("bench_sales_pay: payment failed: %s\n",
                        qPrintable(messages.texts().join(QStringLiteral(" | "))));
            return 1;
        }
        QCoreApplication::processEvents();
    }
    QElapsedTimer wait;
    wait.start();
    while (jobsDone < runs && wait.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);

    std::sort(ms.begin(), ms.end());
    std::printf("bench_sales_pay: %d payments of a %d-line cart (record + compose + hand to "
                "CUPS): median %.2f ms, min %.2f ms, max %.2f ms; %d jobs reached the printer\n",
                runs, barang->count(), ms[runs / 2], ms.first(), ms.last(), jobsDone);
    return jobsDone == runs ? 0 : 1;
}
