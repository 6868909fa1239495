#pragma once

#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>

// Next-key numbering: an optional prefix and a zero-padded number one above the highest
// stored number that the window's number query returns as "Nomor".
namespace common {

struct KeyRule {
    QString prefix;
    QString numberQuery; // returns the highest stored number as column Nomor
    QVariantList values; // bound into the number query
    int digits = 3;      // the number format: "000" is 3; 0 is the plain number, unlimited
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

// Numbering with retry: the next key by the rule, stored by insert(key). When the insert hits a
// duplicate of keyName (another workstation stored the same key in between), the key is
// computed again and the insert tried again, up to tries times. It works inside the caller's
// transaction: a duplicate undoes only the failed statement, so nothing else is committed or
// rolled back here.
// Returns the stored key; nullopt when the rule refused a number past its width (its message
// was shown). Throws db::Error on any other failure, on a duplicate of another key (a login
// name, say), and when every try found its key taken.
std::optional<QString> insertWithNextKey(const KeyRule &rule, const QString &keyName,
                                         const std::function<void(const QString &key)> &insert,
                                         int tries = 5);

} // namespace common
