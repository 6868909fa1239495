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

SelectorItem splitSelectorItem(const QString &text) {
    const qsizetype first = text.indexOf(QLatin1Char(':'));
    const qsizetype last = text.lastIndexOf(QLatin1Char(':'));
    if (first < 0)
        return {text.trimmed(), {}, {}};
    if (first == last)
        return {text.left(first).trimmed(), text.mid(first + 1).trimmed(), {}};
    return {text.left(first).trimmed(), text.mid(first + 1, last - first - 1).trimmed(),
            text.mid(last + 1).trimmed()};
}

QList<int> matchSelectorItems(const QStringList &items, const QString &typed) {
    const QString t = typed.trimmed();
    QList<int> found;
    if (t.isEmpty())
        return found;
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).trimmed().compare(t, Qt::CaseInsensitive) == 0)
            return {i};
    }
    for (int i = 0; i < items.size(); ++i) {
        const SelectorItem item = splitSelectorItem(items.at(i));
        if (item.kode.startsWith(t, Qt::CaseInsensitive) ||
            item.nama.contains(t, Qt::CaseInsensitive))
            found.append(i);
    }
    return found;
}

} // namespace sales
