#include "db/sql.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>
#include <QtMath>

#include <cmath>

namespace db {
namespace {

QString errorText(const QSqlError &error) {
    const QString server = error.databaseText().trimmed();
    return server.isEmpty() ? error.text().trimmed() : server;
}

QString &fillError() {
    static QString text;
    return text;
}

bool run(QSqlQuery &q, const QString &sql, const QVariantList &values) {
    q.setForwardOnly(true);
    if (values.isEmpty())
        return q.exec(sql); // unprepared: also right for CALL of a procedure
    if (!q.prepare(sql))
        return false;
    for (const QVariant &v : values)
        q.addBindValue(v);
    return q.exec();
}

} // namespace

Error::Error(const QString &text)
    : std::runtime_error(text.toStdString())
    , text_(text) {}

QSqlQuery select(const QString &sql, const QVariantList &values, const QSqlDatabase &conn) {
    QSqlQuery q(conn);
    if (!conn.isOpen())
        throw Error(QStringLiteral("Tidak terhubung ke server"));
    if (!run(q, sql, values))
        throw Error(errorText(q.lastError()));
    return q;
}

QSqlQuery selectForFill(const QString &sql, const QVariantList &values, const QSqlDatabase &conn) {
    QSqlQuery q(conn);
    fillError().clear();
    if (!conn.isOpen()) {
        fillError() = QStringLiteral("Tidak terhubung ke server");
        return q;
    }
    if (!run(q, sql, values)) {
        fillError() = errorText(q.lastError());
        qWarning("list query failed: %s", qPrintable(fillError()));
    }
    return q;
}

QString lastFillError() {
    return fillError();
}

int exec(const QString &sql, const QVariantList &values, const QSqlDatabase &conn) {
    QSqlQuery q(conn);
    if (!conn.isOpen())
        throw Error(QStringLiteral("Tidak terhubung ke server"));
    if (!run(q, sql, values))
        throw Error(errorText(q.lastError()));
    return q.numRowsAffected();
}

QVariant scalar(const QString &sql, const QVariantList &values, const QSqlDatabase &conn) {
    QSqlQuery q = select(sql, values, conn);
    return q.next() ? q.value(0) : QVariant();
}

QString serverText(const QVariant &value) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (d == std::floor(d) && qAbs(d) < 1e15)
            return QString::number(static_cast<qlonglong>(d));
        return QString::number(d, 'f', 2);
    }
    default:
        break;
    }
    return value.toString();
}

QString fieldText(const QSqlQuery &q, const QString &column) {
    return serverText(q.value(column));
}

double number(const QVariant &value) {
    if (!value.isValid() || value.isNull())
        return 0;
    bool ok = false;
    const double d = value.typeId() == QMetaType::QString
                         ? value.toString().trimmed().toDouble(&ok) // C locale: "15000.00"
                         : value.toDouble(&ok);
    return ok ? d : 0;
}

Transaction::Transaction(const QSqlDatabase &conn)
    : conn_(conn) {
    if (!conn_.isOpen())
        throw Error(QStringLiteral("Tidak terhubung ke server"));
    if (!conn_.transaction())
        throw Error(errorText(conn_.lastError()));
}

Transaction::~Transaction() {
    if (!done_)
        conn_.rollback();
}

void Transaction::commit() {
    if (!conn_.commit())
        throw Error(errorText(conn_.lastError()));
    done_ = true;
}

} // namespace db
