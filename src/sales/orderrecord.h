#pragma once

#include "db/reader.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

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

// Stores the sale in one transaction (the whole order or nothing) under code, and returns it.
// An empty code draws a new one and sets code as soon as it is drawn, so a caller that meets
// a failure knows the code whose outcome it must find out. Two workstations may draw the same
// code in the same second: the order's key refuses the second header, and a new number is
// drawn. A kept code (from an attempt known not to be stored) is used again unless another
// order holds it. Throws db::Error with the server's reason.
QString recordSale(const Sale &sale, QString &code);
QString recordSale(const Sale &sale);

// The header stored under a code, for telling this cart's order from any other.
const QString &storedOrderSql();
// True when an order with code holds this sale's alias and total. Throws db::Error.
bool saleStored(const QString &code, const Sale &sale);

// What became of an attempt whose reply may have been lost: the session connection is opened
// anew and the code looked up. nullopt when the server cannot be asked.
std::optional<bool> resolveSale(const QString &code, const Sale &sale);

} // namespace sales
