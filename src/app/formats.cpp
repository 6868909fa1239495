#include "app/formats.h"

#include "common/uirules.h"

#include <QLocale>
#include <QRegularExpression>

namespace app {

QString loginDateText(const QDateTime &at) {
    return common::uiLocale().toString(at, QStringLiteral("dd MMMM yyyy"));
}

QString longDateText(const QDate &day) {
    return common::uiLocale().toString(day, QLocale::LongFormat);
}

QString clockText(const QTime &time) {
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(zone);
    return QLocale::system()
        .toString(time, format.trimmed())
        .replace(QLatin1Char('.'), QLatin1Char(':'));
}

} // namespace app
