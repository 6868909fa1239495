#include "sales/receipt.h"

#include "common/amount.h"
#include "core/ansi.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/reader.h"
#include "db/sql.h"
#include "sales/rawprinter.h"

#include <QHash>

#include <algorithm>

namespace sales {
namespace {

// Settings are typed by people: a runaway value must not build a line of millions of blanks.
constexpr long long kLimit = 10000;

int settingNumber(const QString &text) {
    return static_cast<int>(std::clamp(common::leadingNumber(text), -kLimit, kLimit));
}

QString blanks(long long count) {
    return count > 0 ? QString(static_cast<qsizetype>(count), QLatin1Char(' ')) : QString();
}

qsizetype len(const QString &text) {
    return text.size();
}

class Layout {
public:
    explicit Layout(const ReceiptSettings &s)
        : s_(s)
        , margin_(blanks(s.margin)) {}

    QString separator() const {
        return s_.width > 1 ? QString(s_.width - 1, QLatin1Char('-')) : QString();
    }
    // Odd remainders drop the half blank.
    QString centred(const QString &text) const { return blanks((s_.width - len(text)) / 2) + text; }
    QString rightFilled(const QString &label, const QString &value) const {
        return label + blanks(s_.width - (len(label) + 1) - len(value)) + value;
    }
    // Footers centre on their trimmed length but print as stored.
    QString footer(const QString &text) const {
        return blanks((s_.width - len(text.trimmed())) / 2) + text;
    }
    QString item(const ReceiptItem &item) const {
        QString text = item.name.size() <= 25 ? item.name.leftJustified(25) : item.name;
        text += QStringLiteral("  ") + item.qty;
        const QString fill =
            len(text) <= s_.width ? blanks(s_.width - 1 - len(text) - len(item.amount)) : QString();
        return text + fill + item.amount;
    }
    void add(const QString &line) { lines_ << margin_ + line; }
    QStringList lines() const { return lines_; }

private:
    const ReceiptSettings &s_;
    QString margin_;
    QStringList lines_;
};

} // namespace

ReceiptSettings ReceiptSettings::fromRows(const QList<std::pair<QString, QString>> &rows) {
    QHash<QString, QString> last;
    for (const auto &[key, value] : rows)
        last.insert(key, value);
    ReceiptSettings s;
    s.width = settingNumber(last.value(QStringLiteral("StrukPanjangKertas")));
    s.margin = settingNumber(last.value(QStringLiteral("StrukTabKiri")));
    s.feed = settingNumber(last.value(QStringLiteral("StrukTabBawah")));
    for (int i = 0; i < 4; ++i)
        s.headers[i] = last.value(QStringLiteral("StrukHeader%1").arg(i + 1));
    s.footer1 = last.value(QStringLiteral("StrukFooterText"));
    s.footer2 = last.value(QStringLiteral("StrukFooterText2"));
    return s;
}

QString composeReceipt(const ReceiptSettings &storedSettings, const ReceiptData &storedData) {
    // Names and settings come from the tables: only the composer's own line ends and the job's
    // own commands may reach the printer raw.
    ReceiptSettings settings = storedSettings;
    for (QString &header : settings.headers)
        header = core::printableText(header);
    settings.footer1 = core::printableText(settings.footer1);
    settings.footer2 = core::printableText(settings.footer2);
    ReceiptData data = storedData;
    for (QString *text :
         {&data.buyerLine, &data.campusLine, &data.totalQty, &data.totalAmount, &data.alias})
        *text = core::printableText(*text);
    for (ReceiptItem &item : data.items) {
        item.name = core::printableText(item.name);
        item.qty = core::printableText(item.qty);
        item.amount = core::printableText(item.amount);
    }
    Layout r(settings);
    for (const QString &header : settings.headers)
        r.add(r.centred(header));
    r.add(r.separator());
    r.add(r.centred(data.printedAt.toString(QStringLiteral("dd-MM-yyyy HH:mm:ss")) +
                    QLatin1Char(' ') + data.alias));
    r.add(r.centred(QString()));
    r.add(data.buyerLine);
    r.add(data.campusLine);
    r.add(r.separator());
    for (const ReceiptItem &item : data.items)
        r.add(r.item(item));
    r.add(r.separator());
    r.add(r.rightFilled(QStringLiteral("GRAND TOTAL"), data.totalAmount));
    r.add(r.rightFilled(QStringLiteral("JUMLAH BARANG"), data.totalQty));
    r.add(r.rightFilled(QStringLiteral("BAYAR"), data.totalAmount));
    r.add(QString());
    r.add(r.separator());
    r.add(r.footer(settings.footer1));
    r.add(r.footer(settings.footer2));
    r.add(QStringLiteral(" "));
    QString feed;
    for (int i = 0; i < settings.feed; ++i)
        feed += QStringLiteral(" \r\n");
    r.add(feed);
    r.add(QStringLiteral(" "));
    return r.lines().join(QStringLiteral("\r\n"));
}

QByteArray receiptJobBytes(const QString &text) {
    QByteArray bytes("\r\n");
    bytes += core::toAnsi(text);
    bytes += "\r\n\x1d\x56\x30";
    return bytes;
}

const QString &receiptSettingsSql() {
    static const QString sql = QStringLiteral("SELECT * FROM set_cetakan");
    return sql;
}

const QString &receiptSummarySql(ReceiptVariant variant) {
    static const QString saleEntry =
        QStringLiteral("SELECT list_barang_nama, order_nama, order_rekening, order_kampus, "
                       "SUM(list_qty) as qtyTotal, SUM(list_jumlah) as totalBayar "
                       "FROM data_barang_order_list LEFT JOIN data_barang_order ON "
                       "order_kode = list_order "
                       "WHERE list_order = ? "
                       "GROUP BY list_order ");
    static const QString orderList =
        QStringLiteral("SELECT list_barang_nama, "
                       "SUM(list_qty) as qtyTotal, SUM(list_jumlah) as totalBayar "
                       "FROM data_barang_order_list WHERE list_order = ? "
                       "GROUP BY list_order ");
    return variant == ReceiptVariant::SaleEntry ? saleEntry : orderList;
}

const QString &receiptLinesSql() {
    // Lines in the order they were written, which is the cart's order.
    static const QString sql =
        QStringLiteral("SELECT list_barang, list_barang_nama, list_qty, list_jumlah "
                       "FROM data_barang_order_list WHERE list_order = ? "
                       "ORDER BY list_id");
    return sql;
}

Receipt loadReceipt(const QString &orderCode, ReceiptVariant variant, const OrderBoxes &boxes) {
    Receipt receipt;

    QList<std::pair<QString, QString>> rows;
    {
        db::Reader r(receiptSettingsSql());
        const int key = r.column(QStringLiteral("cetakan_case"));
        const int text = r.column(QStringLiteral("cetakan_text"));
        while (r.next())
            rows.append({r.text(key), r.text(text)});
        r.throwIfFailed();
    }
    receipt.settings = ReceiptSettings::fromRows(rows);

    ReceiptData &d = receipt.data;
    const bool saleEntry = variant == ReceiptVariant::SaleEntry;
    QString buyer, account, campus;
    {
        db::Reader r(receiptSummarySql(variant), {orderCode});
        const bool found = r.next();
        r.throwIfFailed();
        if (found) {
            d.totalQty = r.text(r.column(QStringLiteral("qtyTotal")));
            d.totalAmount = common::formatAmount(r.money(r.column(QStringLiteral("totalBayar"))));
            if (saleEntry) {
                buyer = r.text(r.column(QStringLiteral("order_nama")));
                account = r.text(r.column(QStringLiteral("order_rekening")));
                campus = r.text(r.column(QStringLiteral("order_kampus")));
            } else {
                buyer = boxes.nama;
                account = boxes.kelas;
            }
        }
    }
    d.buyerLine = buyer + QStringLiteral(" ## ") + account;
    d.campusLine = saleEntry ? campus : boxes.kampus + QStringLiteral(" ## ") + boxes.waktu;

    {
        db::Reader r(receiptLinesSql(), {orderCode});
        const int nama = r.column(QStringLiteral("list_barang_nama"));
        const int qty = r.column(QStringLiteral("list_qty"));
        const int jumlah = r.column(QStringLiteral("list_jumlah"));
        while (r.next())
            d.items.append({r.text(nama), r.text(qty), common::formatAmount(r.money(jumlah))});
        r.throwIfFailed();
    }

    d.printedAt = core::now();
    d.alias = core::CurrentUser().aliasText();
    return receipt;
}

bool GSN_Print(const QString &NamaFile, const QString &DataPrint) {
    if (!rawPrinter().printRaw(NamaFile, receiptJobBytes(DataPrint))) {
        msg::critical(QStringLiteral("Printer tidak dikenali!"), QStringLiteral("Error"));
        return false;
    }
    return true;
}

bool printReceipt(const QString &orderCode, ReceiptVariant variant, const OrderBoxes &boxes) {
    QString text;
    try {
        const Receipt r = loadReceipt(orderCode, variant, boxes);
        text = composeReceipt(r.settings, r.data);
    } catch (const db::Error &e) {
        msg::critical(QStringLiteral("Struk tidak dapat dibaca dari server.\n") + e.text(),
                      core::appTitle());
        return false;
    }
    return GSN_Print(QStringLiteral("Struk"), text);
}

} // namespace sales
