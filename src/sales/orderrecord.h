#pragma once

#include "db/reader.h"

#include <QDateTime>
#include <QList>
#include <QString>

// Recording a walk-in sale: one header in data_barang_order and one row per cart line in
// data_barang_order_list, under a new order code.
namespace sales {

struct SaleLine {
    QString kode;
    QString nama;
    db::Money harga = 0;
    long long qty = 0;
    db::Money jumlah = 0;
};

struct Sale {
    QString pembeli;
    QString kampus;
    db::Money total = 0;
    QList<SaleLine> lines;
    QString alias;
    QDateTime at; // workstation clock: the date and time part of the code
};

// "ODR" + at as yyMMddHHmmss + the number drawn by the server.
QString orderCode(const QDateTime &at, const QString &number);

// The canteen schema the inserts name: the installation's database name.
QString cafeSchema();

// The statements of a sale.
const QString &orderNumberSql();
QString orderHeaderSql();
QString orderLineSql();

// Stores the sale in one transaction (the whole order or nothing) and returns its code. Two
// workstations may draw the same code in the same second: the order's key refuses the second
// header, and a new number is drawn. Throws db::Error with the server's reason.
QString recordSale(const Sale &sale);

} // namespace sales
