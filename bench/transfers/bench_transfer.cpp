// One institution transfer (lock, balance check, two postings, log row) and the balance
// recomputation after it, with 10,000 card accounts and 1,000,000 postings.
#include "core/session.h"
#include "db/sql.h"
#include "support/testdb.h"
#include "transfers/transfer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (!testdb::openSession()) {
        std::printf("bench_transfers: no database session\n");
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    testdb::truncate({QStringLiteral("data_transaksi_madamat"),
                      QStringLiteral("`cashless-adm`.data_nasabah"),
                      QStringLiteral("`cashless-adm`.data_tabungan"),
                      QStringLiteral("`cashless-adm`.data_tabungan_trans")});
    testdb::rootScript(QStringLiteral(
        "INSERT INTO `cashless-adm`.data_nasabah (nasabah_id, nasabah_nama) "
        "SELECT CONCAT('N', seq), CONCAT('Nasabah ', seq) FROM seq_0_to_9999;\n"
        "INSERT INTO `cashless-adm`.data_tabungan (tab_rekening, tab_nasabah) "
        "SELECT CONCAT('R', LPAD(seq, 5, '0')), CONCAT('N', seq) FROM seq_0_to_9999;\n"
        "INSERT INTO `cashless-adm`.data_tabungan_trans (trans_id, trans_tanggal, "
        "trans_rekening, trans_jumlah_masuk, trans_jumlah_keluar, trans_status) "
        "SELECT CONCAT('KSL', LPAD(seq, 8, '0')), CURDATE() - INTERVAL (seq % 365) DAY, "
        "CONCAT('R', LPAD(seq % 10000, 5, '0')), IF(seq % 3 = 0, 50000, 0), "
        "IF(seq % 3 = 0, 0, 1000), IF(seq % 50 = 0, 9, 1) FROM seq_0_to_999999"));
    std::printf("bench_transfers: data (10,000 accounts, 1,000,000 postings) in %lld ms\n",
                static_cast<long long>(clock.elapsed()));

    transfers::Transfer t;
    t.rekeningLembaga = QStringLiteral("R00001");
    t.rekeningTujuan = QStringLiteral("R00002");
    t.namaTujuan = QStringLiteral("Nasabah 2");
    t.jumlah = 10000;
    t.channel = QStringLiteral("CH1");
    t.lembagaTransId = QStringLiteral("ABC");
    t.alias = QStringLiteral("admin");
    t.day = QDate::currentDate();

    for (int run = 1; run <= 3; ++run) {
        clock.restart();
        const transfers::Result r = transfers::ValidasiTransaksi(t, db::sessionConnection(), false);
        const qint64 posting = clock.elapsed();
        if (r.outcome != transfers::Outcome::Posted) {
            std::printf("bench_transfers: transfer %d did not post (%d)\n", run,
                        static_cast<int>(r.outcome));
            return 1;
        }
        clock.restart();
        db::exec(transfers::recalcSql());
        const qint64 recalc = clock.elapsed();
        std::printf("bench_transfers: run %d: transfer (lock, check, two postings, log row) "
                    "%lld ms, HitungTabSaldoAll after it %lld ms (%s/%s)\n",
                    run, static_cast<long long>(posting), static_cast<long long>(recalc),
                    qPrintable(r.withdrawalId), qPrintable(r.depositId));
    }
    return 0;
}
