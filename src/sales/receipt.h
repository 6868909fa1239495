#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The receipt: fixed-width text lines laid out from the set_cetakan settings and one order's
// rows, sent to the receipt printer as one raw job ending in the paper cut.
namespace sales {

struct ReceiptSettings {
    int width = 0;  // W: characters per line
    int margin = 0; // M: blanks before every line
    int feed = 0;   // N: blank lines fed before the cut
    QStringList headers = {QString(), QString(), QString(), QString()};
    QString footer1;
    QString footer2;

    // From the set_cetakan rows (cetakan_case, cetakan_text) in the order read: the last row
    // of a key wins, a key without a row is empty text.
    static ReceiptSettings fromRows(const QList<std::pair<QString, QString>> &rows);
};

struct ReceiptItem {
    QString name;   // list_barang_nama
    QString qty;    // list_qty as the server returns it
    QString amount; // list_jumlah, "#,##0"
};

struct ReceiptData {
    QString buyerLine;
    QString campusLine;
    QList<ReceiptItem> items;
    QString totalQty;    // empty when the order has no lines
    QString totalAmount; // "#,##0", empty when the order has no lines
    QDateTime printedAt; // the workstation clock at printing
    QString alias;       // the printing user
};

// The receipt text: lines joined by CR LF, the last without one.
QString composeReceipt(const ReceiptSettings &settings, const ReceiptData &data);

// The bytes of the print job: CR LF, the text in Windows-1252, CR LF, GS "V" "0" (full cut).
QByteArray receiptJobBytes(const QString &text);

// The two windows that print receipts take the buyer and campus lines from different places.
enum class ReceiptVariant {
    SaleEntry, // from the order header
    OrderList, // from the order list window's boxes
};

// What the order list window shows of its order; unused by the sale entry variant.
struct OrderBoxes {
    QString nama;
    QString kelas;
    QString kampus;
    QString waktu;
};

struct Receipt {
    ReceiptSettings settings;
    ReceiptData data;
};

// The statements a receipt is read with.
const QString &receiptSettingsSql();
const QString &receiptSummarySql(ReceiptVariant variant);
const QString &receiptLinesSql();

// Reads the settings and the order's rows for a receipt printed now by the logged-in user.
// Throws db::Error.
Receipt loadReceipt(const QString &orderCode, ReceiptVariant variant, const OrderBoxes &boxes = {});

// Sends a text as one raw job named jobName to the default printer. A printer that cannot be
// reached is reported to the user ("Printer tidak dikenali!"); false then.
bool GSN_Print(const QString &NamaFile, const QString &DataPrint);

// Composes and prints the receipt of an order. A failed read is reported to the user; false
// when nothing was printed.
bool printReceipt(const QString &orderCode, ReceiptVariant variant, const OrderBoxes &boxes = {});

} // namespace sales
