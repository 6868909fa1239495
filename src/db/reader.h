#pragma once

#include "db/gateway.h"
#include "db/sql.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <optional>

// Reading a result fast: the rows arrive in the server's own text form (DATE yyyy-MM-dd,
// DATETIME yyyy-MM-dd HH:mm:ss, DECIMAL "15000.00") straight from the client library, without a
// QVariant per cell, and columns are found by name once per result.
namespace db {

// Whole rupiah. Money travels as this from the server value to the bound parameter.
using Money = qint64;

// A server number text ("15000.00", "-2.50", "7") as whole units, rounded half away from
// zero; empty or not a number gives 0.
Money moneyFromText(QStringView text);

class Reader {
public:
    // Runs the SELECT with its bound values. Never throws: a failure is kept in failure().
    explicit Reader(const QString &sql, const QVariantList &values = {},
                    const QSqlDatabase &conn = sessionConnection());
    ~Reader();
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    // Position of a column by its name or alias (case-insensitive), -1 when the result has
    // none; cells of -1 read as empty.
    int column(const QString &name) const;
    int columnCount() const;

    // The next row; false at the end or when reading failed.
    bool next();

    QString text(int col) const;
    bool isNull(int col) const;
    Money money(int col) const;
    qint64 whole(int col) const { return money(col); }

    // Set when the query or the reading failed.
    const std::optional<Error> &failure() const { return failure_; }
    // For reads that must not go on without their rows.
    void throwIfFailed() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    std::optional<Error> failure_;
};

// The rows of a list fill and how the fill ended. Rows read before a failure are kept.
struct Fill {
    QList<QStringList> rows;
    std::optional<Error> failure;

    bool failed() const { return failure.has_value(); }
};

// The server's date and time now ("SELECT now()"), for the date checks of the login and the
// sale entry. Throws Error.
QDateTime serverNow(const QSqlDatabase &conn = sessionConnection());
const QString &serverNowSql();

} // namespace db
