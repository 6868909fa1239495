#pragma once

#include "db/reader.h"

#include <QDate>
#include <QString>

// Statements and list reads of the sale entry and the order lines viewer.
namespace sales {

// The orders of a day, newest code first, as the sale entry's history lists them.
const QString &historySql();
struct HistoryFill : db::Fill {
    db::Money total = 0; // order_harga summed
};
// Sub-items: TransID, Tanggal (dd-MM-yyyy), Nama, Kirim, Jumlah, RegDate, RegUser.
HistoryFill historyRows(const QDate &day);

// An order's lines of any status, in the order they were written.
const QString &orderLinesSql();
struct OrderLinesFill : db::Fill {
    long long qty = 0;
    db::Money total = 0;
};
// Sub-items: Kode, Nama, Harga, Qty, Jumlah.
OrderLinesFill orderLines(const QString &orderCode);

} // namespace sales
