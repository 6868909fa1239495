#pragma once

#include "db/gateway.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <stdexcept>

// Statements with bound values only: every value goes in as a "?" placeholder.
namespace db {

// A failed statement, carrying the server's own text.
class Error : public std::runtime_error {
public:
    explicit Error(const QString &text);
    QString text() const { return text_; }

private:
    QString text_;
};

// Runs a query; throws Error when it fails. The result is forward-only.
QSqlQuery select(const QString &sql, const QVariantList &values = {},
                 const QSqlDatabase &conn = sessionConnection());
// For list fills, which show what they could read: never throws. A failed query comes back
// inactive (next() is false) and its text is available from lastFillError().
QSqlQuery selectForFill(const QString &sql, const QVariantList &values = {},
                        const QSqlDatabase &conn = sessionConnection());
QString lastFillError();
// Executes a statement that returns no rows; throws Error. Returns the rows affected.
int exec(const QString &sql, const QVariantList &values = {},
         const QSqlDatabase &conn = sessionConnection());
// The first column of the first row, or a null QVariant when there is no row; throws Error.
QVariant scalar(const QString &sql, const QVariantList &values = {},
                const QSqlDatabase &conn = sessionConnection());

// A value in the server's own text form: DATE yyyy-MM-dd, DATETIME yyyy-MM-dd HH:mm:ss,
// whole numbers without decimals; NULL gives an empty text.
QString serverText(const QVariant &value);
// serverText of a column of the current row, found by name.
QString fieldText(const QSqlQuery &q, const QString &column);
// A numeric value from the server (DECIMAL may arrive as text "15000.00"); NULL or text
// that is not a number gives 0.
double number(const QVariant &value);

// One write made of several statements: rolls back unless commit() was reached.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase &conn = sessionConnection());
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit(); // throws Error

private:
    QSqlDatabase conn_;
    bool done_ = false;
};

} // namespace db
