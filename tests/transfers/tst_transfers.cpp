#include "common/amount.h"
#include "common/reportlist.h"
#include "core/session.h"
#include "db/sql.h"
#include "support/testdb.h"
#include "support/testwidgets.h"
#include "transfers/frmMadamatTrans.h"
#include "transfers/transfer.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <functional>

using common::ReportList;

namespace {

const QString kLembaga = QStringLiteral("LMB001");

// Accounts: the institution with 100,000 before today, Siti's account, and one whose holder
// the card system does not know.
void seed() {
    testdb::truncate({QStringLiteral("data_transaksi_madamat"),
                      QStringLiteral("`cashless-adm`.data_nasabah"),
                      QStringLiteral("`cashless-adm`.data_tabungan"),
                      QStringLiteral("`cashless-adm`.data_tabungan_trans"),
                      QStringLiteral("`cashless-adm`.data_madamat_master")});
    testdb::rootScript(QStringLiteral(
        "INSERT INTO `cashless-adm`.data_nasabah (nasabah_id, nasabah_nama) VALUES "
        "('N0', 'YAYASAN SINDARA'), ('N1', 'Siti Aminah');\n"
        "INSERT INTO `cashless-adm`.data_tabungan (tab_rekening, tab_nasabah, tab_saldo) VALUES "
        "('LMB001', 'N0', 0), ('R001', 'N1', 0), ('R002', 'NX', 0);\n"
        "INSERT INTO `cashless-adm`.data_madamat_master (madamat_kode, madamat_rekening) VALUES "
        "('M1', 'R001'), ('M2', 'R002');\n"
        "INSERT INTO `cashless-adm`.data_tabungan_trans (trans_id, trans_tanggal, "
        "trans_rekening, trans_jumlah_masuk) VALUES "
        "('INIT1', CURDATE() - INTERVAL 1 DAY, 'LMB001', 100000.00)"));
    core::settings().noRekening = kLembaga;
    core::settings().channel = QStringLiteral("CH1");
    core::settings().lembagaTransId = QStringLiteral("ABC");
}

int rootCount(const QString &sql) {
    return db::scalar(sql, {}, testdb::root()).toInt();
}

QStringList rootRow(const QString &sql) {
    QSqlQuery q = db::select(sql, {}, testdb::root());
    QStringList out;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            out << db::serverText(q.value(i));
    return out;
}

// Picks the picker's row of an account.
void pick(QWidget *w, const QString &rekening) {
    onNextModal([rekening](QDialog *picker) {
        auto *list = child<ReportList>(picker, "ListView1");
        for (int row = 0; row < list->rowCount(); ++row)
            if (list->subItem(row, 2) == rekening)
                list->selectRow(row);
        click(picker, "cmdValidasi");
    });
    click(w, "cmdCari");
}

transfers::Transfer transferOf(db::Money amount) {
    transfers::Transfer t;
    t.rekeningLembaga = kLembaga;
    t.rekeningTujuan = QStringLiteral("R001");
    t.namaTujuan = QStringLiteral("Siti Aminah");
    t.jumlah = amount;
    t.channel = QStringLiteral("CH1");
    t.lembagaTransId = QStringLiteral("ABC");
    t.alias = QStringLiteral("admin");
    t.day = QDate::currentDate();
    return t;
}

// One transfer in a process of its own, for the concurrency test: prints the outcome.
int runChild(const QByteArray &amount) {
    if (!testdb::openSession())
        return 3;
    const transfers::Result r = transfers::ValidasiTransaksi(transferOf(amount.toLongLong()));
    std::printf("%d %s %s\n", static_cast<int>(r.outcome), qPrintable(r.withdrawalId),
                qPrintable(r.depositId));
    return 0;
}

} // namespace

class TestTransfers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(testdb::openSession());
        common::setAmountLocale(QLocale(QLocale::Indonesian, QLocale::Indonesia));
        core::CurrentUser().alias = QStringLiteral("admin");
    }

    void init() { seed(); }

    void checks_data() {
        QTest::addColumn<QString>("norek");
        QTest::addColumn<QString>("nama");
        QTest::addColumn<QString>("nominal");
        QTest::addColumn<QString>("message");
        const QString pilih = QStringLiteral("Pilih rekening!");
        const QString nol = QStringLiteral("Nominal tidal boleh NOL!");
        QTest::newRow("no account") << ""
                                    << "Siti"
                                    << "5.000" << pilih;
        QTest::newRow("no name") << "R001"
                                 << ""
                                 << "5.000" << pilih;
        QTest::newRow("zero") << "R001"
                              << "Siti"
                              << "0" << nol;
        QTest::newRow("negative") << "R001"
                                  << "Siti"
                                  << "-5.000" << nol;
        QTest::newRow("not a number") << "R001"
                                      << "Siti"
                                      << "lima" << nol;
        QTest::newRow("decimals") << "R001"
                                  << "Siti"
                                  << "5.000,50" << nol;
        QTest::newRow("too large") << "R001"
                                   << "Siti"
                                   << "10.000.000.000.000" << nol;
        QTest::newRow("fine") << "R001"
                              << "Siti"
                              << "5.000"
                              << "";
    }

    void checks() {
        QFETCH(QString, norek);
        QFETCH(QString, nama);
        QFETCH(QString, nominal);
        QFETCH(QString, message);
        const auto failure = transfers::checkTransfer({norek, nama, nominal});
        QCOMPARE(failure ? failure->message : QString(), message);
    }

    void serverAmounts() {
        QCOMPARE(transfers::centsFromText(u"15000.50"), transfers::Cents(1500050));
        QCOMPARE(transfers::centsFromText(u"-0.05"), transfers::Cents(-5));
        QCOMPARE(transfers::centsFromText(u"7"), transfers::Cents(700));
        QVERIFY(!transfers::centsFromText(u"1.234"));
        QCOMPARE(transfers::centsText(-5), QStringLiteral("-0.05"));
        QCOMPARE(transfers::centsText(1500050), QStringLiteral("15000.50"));
    }

    // One unit over the balance is refused with nothing written; the whole balance posts,
    // numbered from the pinned day, with every documented column.
    void wholeBalance() {
        ClockPin clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
        MessageRecorder messages;
        frmMadamatTrans w;
        w.show();
        QCOMPARE(box(w, "txtTanggal")->text(), QStringLiteral("08/12/2026"));
        QCOMPARE(box(w, "txtNorekLembaga")->text(), kLembaga);
        QCOMPARE(box(w, "txtAtasNama")->text(), QStringLiteral("YAYASAN SINDARA"));
        QCOMPARE(box(w, "txtSaldo")->text(), QStringLiteral("100.000"));

        pick(&w, QStringLiteral("R001"));
        QCOMPARE(box(w, "txtNorek")->text(), QStringLiteral("R001"));
        QCOMPARE(box(w, "txtNama")->text(), QStringLiteral("Siti Aminah"));

        QTest::keyClicks(box(w, "txtNominal"), QStringLiteral("100001"));
        QCOMPARE(box(w, "txtNominal")->text(), QStringLiteral("100.001"));
        QString notice;
        onNextModal([&notice](QDialog *info) {
            notice = child<QLabel>(info, "lblInfo")->text();
            click(info, "cmdKeluar");
        });
        click(w, "cmdValidasi");
        QCOMPARE(notice, QStringLiteral("SALDO KURANG"));
        QCOMPARE(
            rootCount(QStringLiteral("SELECT COUNT(*) FROM `cashless-adm`.data_tabungan_trans")),
            1);
        QCOMPARE(rootCount(QStringLiteral("SELECT COUNT(*) FROM data_transaksi_madamat")), 0);

        box(w, "txtNominal")->setText(QStringLiteral("100000"));
        messages.clear();
        click(w, "cmdValidasi");
        QCOMPARE(messages.texts(), QStringList({QStringLiteral("Apakah yakin akan melakukan "
                                                               "transaksi ini?"),
                                                QStringLiteral("Transaksi Sukses!")}));
        QCOMPARE(messages.entries.first().title, QString());

        const QString cols = QStringLiteral(
            "trans_id, trans_tanggal = CURDATE(), trans_kode, trans_kantor, trans_rekening, "
            "trans_nasabah, trans_channel, trans_rfid, CONCAT(trans_jumlah_masuk, ''), "
            "CONCAT(trans_jumlah_keluar, ''), CONCAT(trans_saldo_akhir, ''), trans_ob_jenis, "
            "trans_ob_rekening, trans_uraian, trans_status, "
            "trans_reg_date = CURDATE(), trans_reg_time IS NOT NULL, trans_reg_alias "
            "FROM `cashless-adm`.data_tabungan_trans WHERE trans_kode = ");
        QCOMPARE(rootRow(QStringLiteral("SELECT ") + cols + QStringLiteral("'14'")),
                 QStringList({"ABC202612080001", "1", "14", "01", "LMB001", "N0", "CH1", "", "0.00",
                              "100000.00", "0.00", "1", "R001", "Tarik dari LMB001 a.n Siti Aminah",
                              "0", "1", "1", "ABC|admin"}));
        QCOMPARE(rootRow(QStringLiteral("SELECT ") + cols + QStringLiteral("'15'")),
                 QStringList({"ABC202612080002", "1", "15", "01", "R001", "N1", "CH1", "",
                              "100000.00", "0.00", "", "1", "LMB001",
                              "Setor dari LMB001 a.n Siti Aminah", "0", "1", "1", "ABC|admin"}));
        QCOMPARE(rootRow(QStringLiteral(
                     "SELECT trans_id, trans_tanggal = CURDATE(), trans_kode, trans_kantor, "
                     "trans_rekening, trans_nasabah, trans_nasabah_nama, trans_nasabah_kelas, "
                     "trans_channel, trans_rfid, CONCAT(trans_jumlah, ''), "
                     "CONCAT(trans_saldo_awal, ''), "
                     "CONCAT(trans_saldo_akhir, ''), trans_uraian, trans_status, trans_reg_date = "
                     "CURDATE(), "
                     "trans_reg_time IS NOT NULL, trans_reg_alias FROM data_transaksi_madamat")),
                 QStringList({"ABC202612080001", "1", "14", "01", "", "N1", "Siti Aminah", "",
                              "CH1", "", "100000.00", "100000.00", "0.00",
                              "Tarik dari LMB001 a.n Siti Aminah", "0", "1", "1", "admin"}));
        // Stored balances recomputed; the window refreshed and cleared.
        QCOMPARE(
            rootRow(QStringLiteral("SELECT CONCAT(tab_saldo, '') FROM `cashless-adm`.data_tabungan "
                                   "WHERE tab_rekening IN ('LMB001', 'R001') "
                                   "ORDER BY tab_rekening")),
            QStringList({"0.00"}));
        QCOMPARE(rootCount(QStringLiteral(
                     "SELECT CAST(tab_saldo AS SIGNED) FROM `cashless-adm`.data_tabungan "
                     "WHERE tab_rekening = 'R001'")),
                 100000);
        QCOMPARE(box(w, "txtSaldo")->text(), QStringLiteral("0"));
        QCOMPARE(box(w, "txtNorek")->text(), QString());
        QCOMPARE(box(w, "txtNama")->text(), QString());
        QCOMPARE(box(w, "txtNominal")->text(), QStringLiteral("0"));
        QCOMPARE(box(w, "txtJumlahData")->text(), QStringLiteral("1"));
        QCOMPARE(box(w, "txtJumlahKeluar")->text(), QStringLiteral("100.000"));

        // The lookup that settles a lost reply to the commit finds exactly this withdrawal.
        QCOMPARE(transfers::withdrawalStored(QStringLiteral("ABC202612080001"), transferOf(100000)),
                 std::optional<bool>(true));
        QCOMPARE(transfers::withdrawalStored(QStringLiteral("ABC202612080001"), transferOf(99999)),
                 std::optional<bool>(false));
    }

    // A refused deposit takes the withdrawal and the log row with it.
    void depositRefused() {
        testdb::rootExec(QStringLiteral(
            "CREATE TRIGGER `cashless-adm`.tst_fail_deposit BEFORE INSERT ON "
            "`cashless-adm`.data_tabungan_trans FOR EACH ROW BEGIN IF NEW.trans_kode = '15' "
            "THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'setoran ditolak server'; END IF; "
            "END"));
        const auto drop = qScopeGuard([] {
            testdb::rootExec(
                QStringLiteral("DROP TRIGGER IF EXISTS `cashless-adm`.tst_fail_deposit"));
        });
        MessageRecorder messages;
        frmMadamatTrans w;
        w.show();
        pick(&w, QStringLiteral("R001"));
        box(w, "txtNominal")->setText(QStringLiteral("5000"));
        click(w, "cmdValidasi");
        QCOMPARE(messages.lastText(),
                 QStringLiteral("Transaksi gagal, tidak ada yang tersimpan.\nsetoran ditolak "
                                "server"));
        QCOMPARE(
            rootCount(QStringLiteral("SELECT COUNT(*) FROM `cashless-adm`.data_tabungan_trans")),
            1);
        QCOMPARE(rootCount(QStringLiteral("SELECT COUNT(*) FROM data_transaksi_madamat")), 0);
        // The entry stays for a retry.
        QCOMPARE(box(w, "txtNorek")->text(), QStringLiteral("R001"));
        QCOMPARE(box(w, "txtNominal")->text(), QStringLiteral("5.000"));
    }

    // Two workstations at the same moment: released together onto the account's lock.
    void concurrent_data() {
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("posted");
        QTest::newRow("together over the balance") << 60000 << 1;
        QTest::newRow("together within it") << 30000 << 2;
    }

    void concurrent() {
        QFETCH(int, amount);
        QFETCH(int, posted);
        QSqlDatabase holder = testdb::root();
        const QString lock = transfers::lockName(kLembaga);
        QCOMPARE(db::scalar(transfers::lockSql(), {lock, 5}, holder).toInt(), 1);
        QList<QProcess *> children;
        for (int i = 0; i < 2; ++i) {
            auto *p = new QProcess(this);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("TRANSFER_CHILD"), QString::number(amount));
            p->setProcessEnvironment(env);
            p->start(QCoreApplication::applicationFilePath(), {});
            children << p;
        }
        // Both wait on the lock before it is let go.
        QTRY_COMPARE_WITH_TIMEOUT(
            rootCount(QStringLiteral("SELECT COUNT(*) FROM information_schema.PROCESSLIST "
                                     "WHERE INFO LIKE 'SELECT GET_LOCK%'")),
            2, 8000);
        db::scalar(transfers::unlockSql(), {lock}, holder);
        QStringList outcomes;
        for (QProcess *p : children) {
            QVERIFY(p->waitForFinished(30000));
            QCOMPARE(p->exitCode(), 0);
            outcomes << QString::fromLatin1(p->readAllStandardOutput()).trimmed();
        }
        const int postedCode = static_cast<int>(transfers::Outcome::Posted);
        const int shortCode = static_cast<int>(transfers::Outcome::SaldoKurang);
        int seenPosted = 0;
        for (const QString &o : outcomes) {
            const int code = o.section(QLatin1Char(' '), 0, 0).toInt();
            QVERIFY2(code == postedCode || code == shortCode, qPrintable(o));
            seenPosted += code == postedCode;
        }
        QCOMPARE(seenPosted, posted);
        QCOMPARE(rootCount(QStringLiteral("SELECT COUNT(*) FROM data_transaksi_madamat")), posted);
        QCOMPARE(rootCount(QStringLiteral("SELECT COUNT(DISTINCT trans_id) FROM "
                                          "`cashless-adm`.data_tabungan_trans WHERE trans_id "
                                          "LIKE 'ABC%'")),
                 2 * posted);
        QCOMPARE(
            rootCount(QStringLiteral(
                "SELECT CAST(`cashless-adm`.GetTabSaldoAktif('LMB001', CURDATE()) AS SIGNED)")),
            100000 - posted * amount);
    }

    // While another workstation holds the account, a transfer gives up after the wait.
    void lockTimeout() {
        QSqlDatabase holder = testdb::root();
        const QString lock = transfers::lockName(kLembaga);
        QCOMPARE(db::scalar(transfers::lockSql(), {lock, 5}, holder).toInt(), 1);
        const auto release =
            qScopeGuard([&] { db::scalar(transfers::unlockSql(), {lock}, holder); });
        const transfers::Result r = transfers::ValidasiTransaksi(transferOf(1000));
        QCOMPARE(r.outcome, transfers::Outcome::Busy);
        QCOMPARE(
            rootCount(QStringLiteral("SELECT COUNT(*) FROM `cashless-adm`.data_tabungan_trans")),
            1);
    }

    // An institution account the card system does not know: empty name, balance 0, and any
    // transfer from it is short.
    void unknownInstitution() {
        core::settings().noRekening = QStringLiteral("NOPE");
        MessageRecorder messages;
        frmMadamatTrans w;
        w.show();
        QCOMPARE(box(w, "txtAtasNama")->text(), QString());
        QCOMPARE(box(w, "txtSaldo")->text(), QStringLiteral("0"));
        const transfers::Result r = transfers::ValidasiTransaksi([] {
            auto t = transferOf(1);
            t.rekeningLembaga = QStringLiteral("NOPE");
            return t;
        }());
        QCOMPARE(r.outcome, transfers::Outcome::SaldoKurang);
    }

    // The program's account may add postings and set their status, never rewrite an amount.
    void postingGrants() {
        QVERIFY_THROWS_EXCEPTION(
            db::Error, db::exec(QStringLiteral("UPDATE `cashless-adm`.data_tabungan_trans SET "
                                               "trans_jumlah_masuk = 1 WHERE trans_id = 'INIT1'")));
        QCOMPARE(db::exec(QStringLiteral("UPDATE `cashless-adm`.data_tabungan_trans SET "
                                         "trans_status = 9 WHERE trans_id = 'INIT1'")),
                 1);
    }

    // The list shows every logged transfer, newest first, and sums them all, not only today's.
    void logList() {
        testdb::rootExec(QStringLiteral(
            "INSERT INTO data_transaksi_madamat (trans_id, trans_tanggal, trans_nasabah_nama, "
            "trans_nasabah_kelas, trans_jumlah, trans_reg_time, trans_reg_alias) VALUES "
            "('ABC202001010001', '2020-01-01', 'Lama', '7A', 1500.00, '2020-01-01 08:00:00', "
            "'admin'), ('ABC202612080001', '2026-12-08', 'Baru', NULL, 250000.00, "
            "'2026-12-08 09:30:00', 'kasir')"));
        MessageRecorder messages;
        frmMadamatTrans w;
        w.show();
        auto *list = child<ReportList>(&w, "ListView1");
        QCOMPARE(list->rowCount(), 2);
        QStringList first;
        for (int sub = 1; sub <= 7; ++sub)
            first << list->subItem(0, sub);
        QCOMPARE(first, QStringList({"ABC202612080001", "08-12-2026", "Baru", "", "250.000",
                                     "2026-12-08 09:30:00", "kasir"}));
        QCOMPARE(list->subItem(1, 4), QStringLiteral("7A"));
        QCOMPARE(box(w, "txtJumlahData")->text(), QStringLiteral("2"));
        QCOMPARE(box(w, "txtJumlahKeluar")->text(), QStringLiteral("251.500"));
        QVERIFY(messages.entries.isEmpty());
    }

    // A holder the card system does not know is listed without a name, and the transfer
    // window then refuses it; an empty picker says so and stays open.
    void picker() {
        MessageRecorder messages;
        frmMadamatTrans w;
        w.show();
        pick(&w, QStringLiteral("R002"));
        QCOMPARE(box(w, "txtNorek")->text(), QStringLiteral("R002"));
        QCOMPARE(box(w, "txtNama")->text(), QString());
        box(w, "txtNominal")->setText(QStringLiteral("1000"));
        click(w, "cmdValidasi");
        QCOMPARE(messages.texts(), QStringList({QStringLiteral("Pilih rekening!")}));
        QCOMPARE(w.focusWidget(), child<QWidget>(&w, "cmdCari"));

        // AMBIL without a selection takes the first row.
        onNextModal([](QDialog *p) {
            child<ReportList>(p, "ListView1")->clearSelection();
            click(p, "cmdValidasi");
        });
        click(w, "cmdCari");
        QCOMPARE(box(w, "txtNorek")->text(), QStringLiteral("R001"));

        testdb::truncate({QStringLiteral("`cashless-adm`.data_madamat_master")});
        messages.clear();
        bool stayedOpen = false;
        onNextModal([&stayedOpen](QDialog *p) {
            click(p, "cmdValidasi");
            stayedOpen = p->isVisible();
        });
        click(w, "cmdCari");
        QCOMPARE(messages.texts(), QStringList({QStringLiteral("Tidak ada data!")}));
        QVERIFY(stayedOpen);
        QCOMPARE(box(w, "txtNorek")->text(), QStringLiteral("R001"));
    }
};

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QByteArray child = qgetenv("TRANSFER_CHILD");
    if (!child.isEmpty())
        return runChild(child);
    TestTransfers test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_transfers.moc"
