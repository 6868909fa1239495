#include "common/nextkey.h"

#include "core/messages.h"
#include "db/sql.h"

namespace common {

long long GenerateCD(const QString &numberQuery, const QVariantList &values) {
    QSqlQuery q = db::select(numberQuery, values);
    if (!q.next())
        return 1;
    const QVariant nomor = q.value(QStringLiteral("Nomor"));
    if (nomor.isNull())
        return 1;
    return static_cast<long long>(db::number(nomor)) + 1;
}

QString formatKey(const QString &prefix, long long number, int digits) {
    return prefix + QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
}

long long maxNumber(int digits) {
    long long max = 1;
    for (int i = 0; i < digits; ++i)
        max *= 10;
    return max - 1;
}

std::optional<QString> IdReg(const KeyRule &rule) {
    const long long number = GenerateCD(rule.numberQuery, rule.values);
    if (number > maxNumber(rule.digits)) {
        msg::exclamation(QStringLiteral("Nomor kode sudah mencapai batas %1, data baru tidak "
                                        "dapat dibuat!")
                             .arg(maxNumber(rule.digits)));
        return std::nullopt;
    }
    return formatKey(rule.prefix, number, rule.digits);
}

} // namespace common
