#include "common/itemfield.h"

#include <QStringList>

namespace common {

QString GetItemField(const QString &text, const QString &separator, int *field) {
    int &n = *field;
    if (n == 0 || text.isEmpty())
        return {};
    const QChar sep = separator.isEmpty() ? QChar() : separator.at(0);
    const int count = sep.isNull() ? 0 : static_cast<int>(text.count(sep));
    QString result = count == 0 ? text : QString();
    const QStringList fields = sep.isNull() ? QStringList{text} : text.split(sep);
    if (n < 0)
        n = count + n + 2;
    if (n > 0 && fields.size() >= n)
        result = fields.at(n - 1).trimmed();
    return result;
}

QString GetItemField(const QString &text, const QString &separator, int n) {
    return GetItemField(text, separator, &n);
}

QString KeepCharacters(const QString &text, const QString &allowed) {
    QString out;
    for (const QChar c : text) {
        if (allowed.contains(c))
            out.append(c);
    }
    return out;
}

QString properCase(const QString &text) {
    QString out = text.toLower();
    bool startOfWord = true;
    for (QChar &c : out) {
        if (c.isLetterOrNumber() || c == QLatin1Char('\'')) {
            if (startOfWord)
                c = c.toUpper();
            startOfWord = false;
        } else {
            startOfWord = true;
        }
    }
    return out;
}

} // namespace common
