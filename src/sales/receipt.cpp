#include "sales/receipt.h"

#include "common/amount.h"
#include "core/ansi.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/sql.h"
#include "sales/rawprinter.h"

#include <QHash>
#include <QSqlQuery>

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

QString composeReceipt(const ReceiptSettings &settings, const ReceiptData &data) {
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

Receipt loadReceipt(const QString &orderCode, ReceiptVariant variant, const OrderBoxes &boxes) {
    Receipt receipt;

    QList<std::pair<QString, QString>> rows;
    QSqlQuery settings = db::select(QStringLiteral("SELECT * FROM set_cetakan"));
    while (settings.next())
        rows.append({db::fieldText(settings, QStringLiteral("cetakan_case")),
                     db::fieldText(settings, QStringLiteral("cetakan_text"))});
    receipt.settings = ReceiptSettings::fromRows(rows);

    ReceiptData &d = receipt.data;
    const bool saleEntry = variant == ReceiptVariant::SaleEntry;
    QSqlQuery summary = db::select(
        saleEntry
            ? QStringLiteral("SELECT list_barang_nama, order_nama, order_rekening, order_kampus, "
                             "SUM(list_qty) as qtyTotal, SUM(list_jumlah) as totalBayar "
                             "FROM data_barang_order_list LEFT JOIN data_barang_order ON "
                             "order_kode = list_order "
                             "WHERE list_order = ? "
                             "GROUP BY list_order ")
            : QStringLiteral("SELECT list_barang_nama, "
                             "SUM(list_qty) as qtyTotal, SUM(list_jumlah) as totalBayar "
                             "FROM data_barang_order_list WHERE list_order = ? "
                             "GROUP BY list_order "),
        {orderCode});
    const bool found = summary.next();
    QString buyer, account, campus;
    if (found) {
        d.totalQty = db::fieldText(summary, QStringLiteral("qtyTotal"));
        d.totalAmount =
            common::formatAmount(db::number(summary.value(QStringLiteral("totalBayar"))));
        if (saleEntry) {
            buyer = db::fieldText(summary, QStringLiteral("order_nama"));
            account = db::fieldText(summary, QStringLiteral("order_rekening"));
            campus = db::fieldText(summary, QStringLiteral("order_kampus"));
        } else {
            buyer = boxes.nama;
            account = boxes.kelas;
        }
    }
    d.buyerLine = buyer + QStringLiteral(" ## ") + account;
    d.campusLine = saleEntry ? campus : boxes.kampus + QStringLiteral(" ## ") + boxes.waktu;

    // Lines in the order they were written, which is the cart's order.
    QSqlQuery lines =
        db::select(QStringLiteral("SELECT list_barang, list_barang_nama, list_qty, list_jumlah "
                                  "FROM data_barang_order_list WHERE list_order = ? "
                                  "ORDER BY list_id"),
                   {orderCode});
    while (lines.next())
        d.items.append(
            {db::fieldText(lines, QStringLiteral("list_barang_nama")),
             db::fieldText(lines, QStringLiteral("list_qty")),
             common::formatAmount(db::number(lines.value(QStringLiteral("list_jumlah"))))});

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
