#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Number rules of the sale entry cart.
namespace sales {

// Largest quantity an order line can store (INT column).
inline constexpr long long kMaxQuantity = 2147483647;

// A quantity as the cashier types it: digits only, surrounding blanks ignored, zero allowed.
// nullopt for empty text, a sign, a decimal, letters or a value past kMaxQuantity.
std::optional<long long> parseQuantity(const QString &text);

// Price text as the item selector shows it ("#,##0") times a quantity, "#,##0".
QString lineAmount(const QString &priceText, long long quantity);

// An item of the selector, "code : name : price". Code and price are the first and the last
// field; the name is everything between, so a name holding ":" stays whole.
struct SelectorItem {
    QString kode;
    QString nama;
    QString harga; // as shown, "#,##0"
};
SelectorItem splitSelectorItem(const QString &text);

// The selector's items that a typed text finds, in list order: an item whose code starts with
// the text or whose name holds it (either case). A text equal to a whole item finds that item.
QList<int> matchSelectorItems(const QStringList &items, const QString &typed);

} // namespace sales
