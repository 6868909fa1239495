#include "sales/cart.h"

#include "common/amount.h"

namespace sales {

std::optional<long long> parseQuantity(const QString &text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 10)
        return std::nullopt;
    long long value = 0;
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value > kMaxQuantity)
        return std::nullopt;
    return value;
}

QString lineAmount(const QString &priceText, long long quantity) {
    return common::formatAmount(common::amountValue(priceText) * static_cast<double>(quantity));
}

} // namespace sales
