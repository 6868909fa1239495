// Fills the menu catalogue list with 999 items (the most the item codes allow), each row
// asking the server for its slot name and remaining stock, and prints how long it takes.
#include "catalogue/frmSetupBarang.h"

#include "common/reportlist.h"
#include "core/session.h"
#include "support/testdb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (!testdb::openSession())
        return 1;
    core::CurrentUser().alias = QStringLiteral("bench");

    constexpr int kItems = 999;
    testdb::truncate({"data_barang", "set_waktu", "kode_komponen", "data_barang_order",
                      "data_barang_order_list"});
    // Four slots, 999 items, a month of orders (300 a day, 3 lines each) with today's among them.
    testdb::rootScript(
        "INSERT INTO set_waktu (waktu_id, waktu_nama) VALUES (1, 'Pagi'), (2, 'Siang'), "
        "(3, 'Sore'), (4, 'Malam');\n"
        "INSERT INTO kode_komponen VALUES ('02', '1', 'Aktif'), ('02', '2', 'Tidak Aktif');\n"
        "INSERT INTO data_barang (barang_kode, barang_nama, barang_harga_pokok, "
        "barang_harga_jual, barang_stok_harian, barang_waktu, barang_status, barang_reg_date, "
        "barang_reg_alias) SELECT LPAD(seq, 3, '0'), CONCAT('Menu ', seq), 5000 + seq, "
        "7000 + seq, 100, 1 + seq % 4, '1', NOW(), 'bench' FROM seq_1_to_999;\n"
        "INSERT INTO data_barang_order (order_kode, order_tanggal, order_status) "
        "SELECT CONCAT('ODR', LPAD(seq, 8, '0')), CURDATE() - INTERVAL (seq % 30) DAY, 1 "
        "FROM seq_1_to_9000;\n"
        "INSERT INTO data_barang_order_list (list_order, list_barang, list_qty, list_status) "
        "SELECT CONCAT('ODR', LPAD(1 + seq % 9000, 8, '0')), LPAD(1 + seq % 999, 3, '0'), 1, 1 "
        "FROM seq_1_to_27000");

    frmSetupBarang w;
    w.resize(1080, 660);
    QElapsedTimer open;
    open.start();
    w.show(); // fills the selectors and the list
    QApplication::processEvents();
    const qint64 openMs = open.elapsed();

    qint64 best = -1;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer fill;
        fill.start();
        w.DataMenu();
        QApplication::processEvents();
        const qint64 ms = fill.elapsed();
        best = best < 0 ? ms : std::min(best, ms);
    }

    auto *list = w.findChild<common::ReportList *>(QStringLiteral("ListView1"));
    const int rows = list ? list->rowCount() : 0;
    QTextStream(stdout) << "catalogue list: " << rows << " items; window opened and filled in "
                        << openMs << " ms, DataMenu refill best of 3 " << best << " ms\n";
    return rows == kItems ? 0 : 1;
}
