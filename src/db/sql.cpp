#include "db/sql.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSqlError>
#include <QtMath>

#include <cmath>

namespace db {
namespace {

QString errorText(const QSqlError &error) {
    const QString server = error.databaseText().trimmed();
    return server.isEmpty() ? error.text().trimmed() : server;
}

struct TransactionState {
    int depth = 0;
    bool doomed = false;
};

// Per thread, as connections are: a connection is used only by the thread that opened it.
QHash<QString, TransactionState> &transactionStates() {
    static thread_local QHash<QString, TransactionState> states;
    return states;
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

Error::Error(const QString &text, int number)
    : std::runtime_error(text.toStdString())
    , text_(text)
    , number_(number) {}

QString Error::duplicateKey() const {
    if (!isDuplicate())
        return {};
    // "Duplicate entry '003' for key 'PRIMARY'": the key is the last quoted name.
    const QString marker = QStringLiteral("for key '");
    const qsizetype at = text_.lastIndexOf(marker);
    if (at < 0)
        return {};
    const qsizetype from = at + marker.size();
    const qsizetype to = text_.indexOf(QLatin1Char('\''), from);
    return text_.mid(from, to < 0 ? -1 : to - from);
}

bool Error::isConnectionFailure() const {
    // Client errors: cannot connect (2002, 2003), gone (2006), lost (2013), broken pipe (2055).
    switch (number_) {
    case 2002:
    case 2003:
    case ServerGone:
    case ServerLost:
    case 2055:
        return true;
    default:
        return false;
    }
}

Error errorOf(const QSqlError &error) {
    bool ok = false;
    const int number = error.nativeErrorCode().toInt(&ok);
    return Error(errorText(error), ok ? number : 0);
}

Error notConnected() {
    return Error(QStringLiteral("Tidak terhubung ke server"), Error::ServerGone);
}

QSqlQuery select(const QString &sql, const QVariantList &values, const QSqlDatabase &conn) {
    QSqlQuery q(conn);
    if (!conn.isOpen())
        throw notConnected();
    if (!run(q, sql, values))
        throw errorOf(q.lastError());
    return q;
}

int exec(const QString &sql, const QVariantList &values, const QSqlDatabase &conn) {
    QSqlQuery q(conn);
    if (!conn.isOpen())
        throw notConnected();
    if (!run(q, sql, values))
        throw errorOf(q.lastError());
    return q.numRowsAffected();
}

Prepared::Prepared(const QString &sql, const QSqlDatabase &conn)
    : query_(conn) {
    if (!conn.isOpen())
        throw notConnected();
    if (!query_.prepare(sql))
        throw errorOf(query_.lastError());
}

int Prepared::exec(const QVariantList &values) {
    for (int i = 0; i < values.size(); ++i)
        query_.bindValue(i, values.at(i));
    if (!query_.exec())
        throw errorOf(query_.lastError());
    return query_.numRowsAffected();
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
        throw notConnected();
    TransactionState &state = transactionStates()[conn_.connectionName()];
    if (state.depth == 0) {
        if (!conn_.transaction())
            throw errorOf(conn_.lastError());
        state.doomed = false;
        outermost_ = true;
    }
    ++state.depth;
}

Transaction::~Transaction() {
    auto it = transactionStates().find(conn_.connectionName());
    if (it == transactionStates().end() || it->depth == 0)
        return; // the connection was opened anew meanwhile: its old transaction is gone
    if (!done_)
        it->doomed = true;
    --it->depth;
    if (outermost_ && !done_)
        conn_.rollback();
}

void Transaction::commit() {
    if (done_)
        return;
    const TransactionState state = transactionStates().value(conn_.connectionName());
    if (state.doomed)
        throw Error(QStringLiteral("Transaksi dibatalkan: sebagian perubahan gagal."));
    if (!outermost_) {
        done_ = true; // the outermost guard decides
        return;
    }
    if (!conn_.commit())
        throw errorOf(conn_.lastError());
    done_ = true;
}

void resetTransactionState(const QString &connectionName) {
    transactionStates().remove(connectionName);
}

} // namespace db
