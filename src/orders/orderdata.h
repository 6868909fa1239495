#pragma once

#include "db/reader.h"

#include <QDate>
#include <QString>
#include <QVariantList>

// Statements and list reads of the order register, the sales report and the card postings of
// an order. Every value is bound; a filter adds its condition only when it is set.
namespace orders {

// A statement with the values its placeholders take, in order.
struct Statement {
    QString sql;
    QVariantList values;
};

struct RegisterFilter {
    QDate from;
    QDate to;
    QString kampus; // empty: every campus
    QString waktu;  // time slot code; empty: every slot
};

enum class Buyer { Santri, Umum };

struct ReportFilter {
    QDate from;
    QDate to;
    QString kampus;
    Buyer buyer = Buyer::Santri;
};

// Register, one row per order of any status.
Statement registerRekap(const RegisterFilter &f);
// Register, one row per menu item over the active lines of the active orders; "harga" sums the
// line amounts, so that it is money taken and not a sum of unit prices.
Statement registerRinci(const RegisterFilter &f);
// Report, one row per active order.
Statement reportRekap(const ReportFilter &f);
// Report, one row per menu item over every line of the active orders, with the cost.
Statement reportRinci(const ReportFilter &f);

struct RegisterFill : db::Fill {
    db::Money total = 0;
};
// Sub-items: ID, Tanggal, Rekening, Nama, Kelas, Harga, Waktu, Kampus, RegDate, Status.
RegisterFill registerRekapRows(const RegisterFilter &f);
// Sub-items: ID, Tanggal, Barang, Qty, Harga, Waktu, Kampus, RegDate.
RegisterFill registerRinciRows(const RegisterFilter &f);

struct ReportFill : db::Fill {
    db::Money jual = 0;
    db::Money pokok = 0;
    db::Money margin = 0;
};
// Sub-items: ID, Tanggal, Rekening, Nama, Kelas, Harga, Waktu, Kampus, RegDate.
ReportFill reportRekapRows(const ReportFilter &f);
// Sub-items: ID, Tanggal, Barang, Qty, Harga, Waktu, Kampus, RegDate, Pokok, Margin; Pokok and
// Margin are empty (and count for nothing) when the item has no cost price.
ReportFill reportRinciRows(const ReportFilter &f);

// The buyer details of one order, as the order list window shows them.
struct OrderHeader {
    QString waktu; // the time slot's name
    QString kampus;
    QString rekening;
    QString nama;
    QString kelas;
};
const QString &orderHeaderSql();
// Throws db::Error; nullopt when there is no such order.
std::optional<OrderHeader> orderHeader(const QString &code);

// The four places an order lives in, each set to status 9.
QStringList cancelSql();
// The rows of the order that are not cancelled yet, over the four places.
const QString &notCancelledSql();

struct CancelOutcome {
    bool cancelled = false;
    QString reason; // the server's text when not cancelled
};
// Cancels the order in one transaction on the session connection. A lost reply is resolved by
// reading the order's rows again: it counts as cancelled only when all four places hold 9.
CancelOutcome cancelOrder(const QString &code);

// Postings in the card system whose receipt reference is the order, oldest recording first.
const QString &postingsSql();
// Sub-items: Trans ID, Tanggal (dd-MM-yyyy), Kode, Bukti, Uraian, Masuk, Keluar, Uraian (always
// empty), Status, Reg. time, User, Norek, Kelas, a/n.
db::Fill postingRows(const QString &code);

} // namespace orders
