#pragma once

#include <QString>
#include <QVariantList>

#include <optional>

// Next-key numbering: an optional prefix and a zero-padded number one above the highest
// stored number that the window's number query returns as "Nomor".
namespace common {

struct KeyRule {
    QString prefix;
    QString numberQuery; // returns the highest stored number as column Nomor
    QVariantList values; // bound into the number query
    int digits = 3;      // the number format: "000" is 3
};

// 1 when the query has no row or Nomor is NULL, otherwise Nomor + 1. Throws db::Error.
long long GenerateCD(const QString &numberQuery, const QVariantList &values = {});
// prefix + number zero-padded to digits (a wider number keeps all its digits).
QString formatKey(const QString &prefix, long long number, int digits);
// Largest number the format holds (999 for 3 digits).
long long maxNumber(int digits);
// The next key by the rule; a number past the format's width is refused with a message and
// gives nullopt, so an old key is never handed out again. Throws db::Error.
std::optional<QString> IdReg(const KeyRule &rule);

} // namespace common
