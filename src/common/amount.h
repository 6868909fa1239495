#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// Amounts shown "#,##0": whole numbers grouped by the workstation locale. Where that locale
// has no group separator (C/POSIX) the Indonesian one is used, since the interface is
// Indonesian. Typed amounts are read back with the same locale.
namespace common {

QLocale amountLocale();
// Tests pin the locale; an unset (C) locale restores the rule above.
void setAmountLocale(const QLocale &locale);

// "#,##0" of a number (rounded half away from zero).
QString formatAmount(double value);
QString formatAmount(qint64 value);
inline QString formatAmount(int value) {
    return formatAmount(static_cast<qint64>(value));
}
// A typed or shown amount: group separators ignored, the locale's decimal separator read.
// Empty or not a number gives nullopt.
std::optional<double> parseAmount(const QString &text);
// parseAmount, with 0 for text that is not a number.
double amountValue(const QString &text);
// amountValue in whole rupiah (rounded half away from zero).
qint64 amountWhole(const QString &text);
// The text an amount box shows after a change: formatted when it is a number, else as it is.
QString reformatAmountText(const QString &text);

// Leading whole number of a text ("12abc" -> 12, "abc" -> 0), as typed quantities are read.
long long leadingNumber(const QString &text);
// A whole, non-negative number typed by a person ("1.000" under "." grouping is 1000);
// nullopt for empty text, decimals, letters or a sign.
std::optional<long long> parseWholeNumber(const QString &text);

} // namespace common
