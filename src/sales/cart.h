#pragma once

#include <QString>

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

} // namespace sales
