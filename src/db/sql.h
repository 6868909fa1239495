#pragma once

#include "db/gateway.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <stdexcept>

// Statements with bound values only: every value goes in as a "?" placeholder.
namespace db {

// A failed statement, carrying the server's own text and error number.
class Error : public std::runtime_error {
public:
    // Server error numbers the program acts on.
    static constexpr int DuplicateKey = 1062;
    static constexpr int ServerGone = 2006; // also "not connected"
    static constexpr int ServerLost = 2013;

    explicit Error(const QString &text, int number = 0);
    QString text() const { return text_; }
    int number() const { return number_; }

    bool isDuplicate() const { return number_ == DuplicateKey; }
    // The key a duplicate hit, as the server names it ("PRIMARY", "uq_user_alias"); empty
    // for other errors.
    QString duplicateKey() const;
    // The connection broke (or was never there): the statement's outcome may be unknown.
    bool isConnectionFailure() const;

private:
    QString text_;
    int number_;
};

// The error of a failed Qt SQL call, with the server's number where it gave one.
Error errorOf(const QSqlError &error);
// Thrown where a statement needs the connection and it is not open.
Error notConnected();

// Runs a query; throws Error when it fails. The result is forward-only.
QSqlQuery select(const QString &sql, const QVariantList &values = {},
                 const QSqlDatabase &conn = sessionConnection());
// Executes a statement that returns no rows; throws Error. Returns the rows affected.
int exec(const QString &sql, const QVariantList &values = {},
         const QSqlDatabase &conn = sessionConnection());
// The first column of the first row, or a null QVariant when there is no row; throws Error.
QVariant scalar(const QString &sql, const QVariantList &values = {},
                const QSqlDatabase &conn = sessionConnection());

// A value in the server's own text form: DATE yyyy-MM-dd, DATETIME yyyy-MM-dd HH:mm:ss,
// whole numbers without decimals; NULL gives an empty text.
QString serverText(const QVariant &value);
// A numeric value from the server (DECIMAL may arrive as text "15000.00"); NULL or text
// that is not a number gives 0.
double number(const QVariant &value);

// A statement run many times in one write: prepared once, executed with new values.
class Prepared {
public:
    explicit Prepared(const QString &sql, const QSqlDatabase &conn = sessionConnection());
    // Throws Error; returns the rows affected.
    int exec(const QVariantList &values);

private:
    QSqlQuery query_;
};

// One write made of several statements: rolls back unless commit() was reached.
//
// Guards nest: a guard opened while another is open on the same connection joins it (no second
// BEGIN, which would commit the outer work). An inner guard left without commit (an exception
// passing through) dooms the whole transaction: the outermost guard then rolls back, and its
// commit() throws instead of storing half of the work.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase &conn = sessionConnection());
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit(); // throws Error
    bool isOutermost() const { return outermost_; }

private:
    QSqlDatabase conn_;
    bool outermost_ = false;
    bool done_ = false;
};

// Forgets the open guards of a connection that was closed or opened anew.
void resetTransactionState(const QString &connectionName);

} // namespace db
