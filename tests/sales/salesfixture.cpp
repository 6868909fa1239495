#include "salesfixture.h"

#include "db/sql.h"
#include "support/testdb.h"

#include <QApplication>
#include <QDialog>
#include <QSqlQuery>
#include <QTimer>

namespace salesfx {

QDateTime serverNow() {
    return db::scalar(QStringLiteral("SELECT NOW()"), {}, testdb::root()).toDateTime();
}

void seed() {
    testdb::truncate({QStringLiteral("data_barang_order"), QStringLiteral("data_barang_order_list"),
                      QStringLiteral("data_barang"), QStringLiteral("set_kampus"),
                      QStringLiteral("set_cetakan")});
    testdb::rootScript(QStringLiteral(
        "INSERT INTO data_barang (barang_kode, barang_nama, barang_harga_pokok, "
        "barang_harga_jual, barang_stok_harian, barang_status) VALUES "
        "('B01', 'Nasi Goreng', 10000, 15000, 50, '1'), "
        "('B02', 'Es Teh', 2000, 5000, 80, '1'), "
        "('B03', 'Ayam Bakar', 14000, 20000, 30, '0');\n"
        "INSERT INTO set_kampus (kampus_nama) VALUES ('Putra'), ('Putri');\n"
        "INSERT INTO set_cetakan (cetakan_case, cetakan_text) VALUES "
        "('StrukPanjangKertas', '40'), ('StrukTabKiri', '1'), ('StrukTabBawah', '1'), "
        "('StrukHeader1', 'KANTIN'), ('StrukHeader2', 'SINDARA'), ('StrukHeader3', ''), "
        "('StrukHeader4', 'Telp 123'), ('StrukFooterText', 'Terima kasih'), "
        "('StrukFooterText2', 'Selamat makan')"));
}

int rowCount(const QString &sql) {
    return db::scalar(sql, {}, testdb::root()).toInt();
}

} // namespace salesfx
