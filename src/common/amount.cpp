#include "common/amount.h"

#include <cmath>

namespace common {
namespace {

QLocale &pinned() {
    static QLocale locale(QLocale::C);
    return locale;
}

QString withoutGroups(const QString &text, const QLocale &locale) {
    QString t = text.trimmed();
    const QString group = locale.groupSeparator();
    if (!group.isEmpty())
        t.remove(group);
    // Some locales group with a non-breaking space; a typed plain space means the same.
    if (group == QStringLiteral("\u00a0") || group == QStringLiteral("\u202f"))
        t.remove(QLatin1Char(' '));
    return t;
}

} // namespace

QLocale amountLocale() {
    if (pinned().language() != QLocale::C)
        return pinned();
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C || system.groupSeparator().isEmpty())
        return QLocale(QLocale::Indonesian, QLocale::Indonesia);
    return system;
}

void setAmountLocale(const QLocale &locale) {
    pinned() = locale;
}

QString formatAmount(double value) {
    return formatAmount(static_cast<qint64>(std::llround(value)));
}

QString formatAmount(qint64 value) {
    QLocale locale = amountLocale();
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(value);
}

std::optional<double> parseAmount(const QString &text) {
    const QLocale locale = amountLocale();
    const QString t = withoutGroups(text, locale);
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    QLocale reader = locale;
    reader.setNumberOptions(QLocale::RejectGroupSeparator);
    const double value = reader.toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double amountValue(const QString &text) {
    return parseAmount(text).value_or(0.0);
}

qint64 amountWhole(const QString &text) {
    return static_cast<qint64>(std::llround(amountValue(text)));
}

QString reformatAmountText(const QString &text) {
    // A decimal part is left as typed for the checks to refuse, not rounded away unseen.
    if (text.contains(amountLocale().decimalPoint()))
        return text;
    const auto value = parseAmount(text);
    return value ? formatAmount(*value) : text;
}

long long leadingNumber(const QString &text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    bool any = false;
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i) {
        any = true;
        if (value < 1'000'000'000'000'000LL)
            value = value * 10 + (t[i].unicode() - '0');
    }
    if (!any)
        return 0;
    return negative ? -value : value;
}

std::optional<long long> parseWholeNumber(const QString &text) {
    const QString t = withoutGroups(text, amountLocale());
    if (t.isEmpty())
        return std::nullopt;
    long long value = 0;
    for (const QChar c : t) {
        if (!c.isDigit() || c.unicode() >= 128)
            return std::nullopt;
        if (value > 100'000'000'000'000LL)
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

} // namespace common
