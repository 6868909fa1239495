#pragma once

// Data shared by the app tests: two groups, three accounts and the menu rights, loaded as root
// into the fixture's server.
#include "support/testdb.h"

#include <QString>

namespace appfixture {

// The tables the login and the main window read and write.
inline const QStringList kTables = {
    QStringLiteral("data_pengguna_group"), QStringLiteral("data_pengguna_alias"),
    QStringLiteral("kode_menu"), QStringLiteral("log_login"), QStringLiteral("set_app")};

// admin/admin (group 1, every entry), kasir/kasir (group 2: exit, password and the sale
// entry), mati/mati (disabled: user_status 2).
inline void seedAccounts() {
    testdb::truncate(kTables);
    testdb::rootScript(QStringLiteral(
        "INSERT INTO data_pengguna_group (group_kode, group_nama, group_akses) VALUES "
        "(1, 'ADMINISTRATOR', '1'), (2, 'KASIR', '2');\n"
        "INSERT INTO data_pengguna_alias (user_id, user_alias, user_nama, user_group, "
        "user_jenis, user_status, user_pwd, user_cluster, user_bpr) VALUES "
        "('001', 'admin', 'ADMINISTRATOR SISTEM', 1, '1', '1', MD5('admin'), '01', '01'), "
        "('002', 'kasir', 'KASIR CAFE', 2, '2', '1', MD5('kasir'), '01', '02'), "
        "('003', 'mati', 'AKUN NONAKTIF', 2, '2', '2', MD5('mati'), '01', '02');\n"));
    // The catalogue as the rights editor writes it: every entry for each group, granted or not.
    const QStringList entries = {"mn01|01.SISTEM",
                                 "mn0101|0101.GANTI PASSWORD",
                                 "mn0102|0102.-",
                                 "mn0119|0119.KELUAR",
                                 "mn02|02.CAFE",
                                 "mn0201|0201.DATA GROUP",
                                 "mn0202|0202.DATA PENGGUNA",
                                 "mn0203|0203.LOG LOGIN",
                                 "mn0204|0204.LOG GANTI PASSWORD",
                                 "mn0210|0210.-",
                                 "mn0211|0211.SETUP WAKTU",
                                 "mn0212|0212.SETUP MENU CAFE",
                                 "mn0220|0220.-",
                                 "mn0221|0221.TRANSAKSI SAYYIDAT",
                                 "mn0230|0230.-",
                                 "mn0231|0231.DAFTAR PESANAN",
                                 "mn0232|0232.TRANSAKSI UMUM",
                                 "mn0233|0233.LAPORAN TRANSAKSI"};
    const QStringList kasir = {"mn01", "mn0101", "mn0102", "mn0119", "mn02", "mn0232"};
    QStringList values;
    for (const QString &e : entries) {
        const QString code = e.section(QLatin1Char('|'), 0, 0);
        const QString label = e.section(QLatin1Char('|'), 1);
        values << QStringLiteral("(1, '%1', '%2', '1')").arg(code, label);
        values << QStringLiteral("(2, '%1', '%2', '%3')")
                      .arg(code, label, kasir.contains(code) ? "1" : "0");
    }
    testdb::rootExec(QStringLiteral("INSERT INTO kode_menu (menu_group, menu_kode, menu_label, "
                                    "menu_set) VALUES ") +
                     values.join(QStringLiteral(", ")));
}

inline void seedSettings(const QStringList &rows) {
    testdb::truncate({QStringLiteral("set_app")});
    for (const QString &r : rows) {
        testdb::rootExec(
            QStringLiteral("INSERT INTO set_app (app_case, app_text) VALUES ('%1', "
                           "'%2')")
                .arg(r.section(QLatin1Char('='), 0, 0), r.section(QLatin1Char('='), 1)));
    }
}

} // namespace appfixture
