#include "common/nextkey.h"

#include "core/messages.h"
#include "db/reader.h"
#include "db/sql.h"

#include <algorithm>
#include <limits>

namespace common {

long long GenerateCD(const QString &numberQuery, const QVariantList &values) {
    db::Reader r(numberQuery, values);
    const int nomor = r.column(QStringLiteral("Nomor"));
    const bool found = r.next();
    r.throwIfFailed();
    if (!found || r.isNull(nomor))
        return 1;
    return r.whole(nomor) + 1;
}

QString formatKey(const QString &prefix, long long number, int digits) {
    return prefix + QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
}

long long maxNumber(int digits) {
    if (digits <= 0)
        return std::numeric_limits<long long>::max();
    long long max = 1;
    for (int i = 0; i < digits; ++i)
        max *= 10;
    return max - 1;
}

namespace {

// The rule's key for a number, or nullopt (with the message) past the format's width.
std::optional<QString> keyFor(const KeyRule &rule, long long number) {
    if (number > maxNumber(rule.digits)) {
        msg::exclamation(QStringLiteral("Nomor kode sudah mencapai batas %1, data baru tidak "
                                        "dapat dibuat!")
                             .arg(maxNumber(rule.digits)));
        return std::nullopt;
    }
    return formatKey(rule.prefix, number, rule.digits);
}

} // namespace

std::optional<QString> IdReg(const KeyRule &rule) {
    return keyFor(rule, GenerateCD(rule.numberQuery, rule.values));
}

std::optional<QString> insertWithNextKey(const KeyRule &rule, const QString &keyName,
                                         const std::function<void(const QString &key)> &insert,
                                         int tries) {
    long long taken = 0;
    for (int attempt = 1;; ++attempt) {
        // Inside the caller's transaction the number query may read an older snapshot that
        // does not show the key just found taken: never offer that key again.
        const long long number = std::max(GenerateCD(rule.numberQuery, rule.values), taken + 1);
        const std::optional<QString> key = keyFor(rule, number);
        if (!key)
            return std::nullopt;
        try {
            insert(*key);
            return key;
        } catch (const db::Error &e) {
            if (!e.isDuplicate() || e.duplicateKey() != keyName || attempt >= tries)
                throw;
            taken = number;
        }
    }
}

} // namespace common
