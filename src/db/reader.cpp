#include "db/reader.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSqlDriver>

#include <mysql.h>

#include <algorithm>
#include <vector>

namespace db {
namespace {

// The client library's handle behind a Qt connection.
MYSQL *nativeHandle(const QSqlDatabase &conn) {
    if (!conn.isOpen() || !conn.driver())
        return nullptr;
    QVariant handle = conn.driver()->handle();
    // Qt names the type after the struct the client library's MYSQL stands for.
    const char *type = handle.typeName();
    if (!handle.isValid() || !type ||
        (qstrcmp(type, "MYSQL*") != 0 && qstrcmp(type, "st_mysql*") != 0))
        return nullptr;
    return *static_cast<MYSQL **>(handle.data());
}

// Bound values as the client library takes them; the buffers live as long as the statement.
struct Parameters {
    std::vector<MYSQL_BIND> binds;
    std::vector<QByteArray> texts;
    std::vector<long long> wholes;
    std::vector<double> reals;

    explicit Parameters(const QVariantList &values) {
        const auto n = static_cast<std::size_t>(values.size());
        binds.resize(n);
        texts.resize(n);
        wholes.resize(n);
        reals.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            const QVariant &v = values.at(static_cast<qsizetype>(i));
            MYSQL_BIND &b = binds[i];
            b = MYSQL_BIND{};
            if (v.isNull()) {
                b.buffer_type = MYSQL_TYPE_NULL;
                continue;
            }
            switch (v.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::Short:
                wholes[i] = v.toLongLong();
                b.buffer_type = MYSQL_TYPE_LONGLONG;
                b.buffer = &wholes[i];
                continue;
            case QMetaType::Double:
            case QMetaType::Float:
                reals[i] = v.toDouble();
                b.buffer_type = MYSQL_TYPE_DOUBLE;
                b.buffer = &reals[i];
                continue;
            case QMetaType::QDate:
                texts[i] = v.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
                break;
            case QMetaType::QDateTime:
                texts[i] = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
                break;
            default:
                texts[i] = v.toString().toUtf8();
                break;
            }
            b.buffer_type = MYSQL_TYPE_STRING;
            b.buffer = texts[i].data();
            b.buffer_length = static_cast<unsigned long>(texts[i].size());
        }
    }
};

struct Cell {
    QByteArray buffer;
    QByteArray overflow; // a value longer than the buffer, fetched on its own
    unsigned long length = 0;
    my_bool null = 0;
    my_bool truncated = 0;

    const char *data() const {
        return length > static_cast<unsigned long>(buffer.size()) ? overflow.constData()
                                                                  : buffer.constData();
    }
};

} // namespace

struct Reader::Impl {
    MYSQL_STMT *stmt = nullptr;
    std::vector<MYSQL_BIND> binds;
    std::vector<Cell> cells;
    QHash<QString, int> names;

    ~Impl() {
        if (stmt)
            mysql_stmt_close(stmt);
    }

    Error error() const {
        return Error(QString::fromUtf8(mysql_stmt_error(stmt)),
                     static_cast<int>(mysql_stmt_errno(stmt)));
    }
};

Money moneyFromText(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    Money whole = 0;
    bool digits = false;
    for (; i < text.size() && text[i].isDigit(); ++i) {
        whole = whole * 10 + text[i].digitValue();
        digits = true;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        if (i < text.size() && text[i].isDigit()) {
            digits = true;
            if (text[i].digitValue() >= 5)
                ++whole;
            ++i;
        }
        while (i < text.size() && text[i].isDigit())
            ++i;
    }
    if (!digits || i != text.size())
        return 0;
    return negative ? -whole : whole;
}

Reader::Reader(const QString &sql, const QVariantList &values, const QSqlDatabase &conn)
    : d(std::make_unique<Impl>()) {
    MYSQL *mysql = nativeHandle(conn);
    if (!mysql) {
        failure_ = notConnected();
        return;
    }
    d->stmt = mysql_stmt_init(mysql);
    if (!d->stmt) {
        failure_ =
            Error(QString::fromUtf8(mysql_error(mysql)), static_cast<int>(mysql_errno(mysql)));
        return;
    }
    const QByteArray text = sql.toUtf8();
    if (mysql_stmt_prepare(d->stmt, text.constData(), static_cast<unsigned long>(text.size()))) {
        failure_ = d->error();
        return;
    }
    Parameters params(values);
    if (mysql_stmt_param_count(d->stmt) != params.binds.size()) {
        failure_ = Error(QStringLiteral("Jumlah nilai tidak cocok dengan perintah SQL"));
        return;
    }
    if ((!params.binds.empty() && mysql_stmt_bind_param(d->stmt, params.binds.data())) ||
        mysql_stmt_execute(d->stmt)) {
        failure_ = d->error();
        return;
    }
    MYSQL_RES *meta = mysql_stmt_result_metadata(d->stmt);
    if (!meta)
        return; // not a query that returns rows
    const unsigned int count = mysql_num_fields(meta);
    const MYSQL_FIELD *fields = mysql_fetch_fields(meta);
    d->binds.resize(count);
    d->cells.resize(count);
    for (unsigned int c = 0; c < count; ++c) {
        const QString name = QString::fromUtf8(fields[c].name, fields[c].name_length).toLower();
        d->names.insert(name, static_cast<int>(c)); // a later duplicate name wins, as in Qt
        Cell &cell = d->cells[c];
        cell.buffer.resize(
            std::clamp<qsizetype>(static_cast<qsizetype>(fields[c].length) + 1, 32, 1024));
        MYSQL_BIND &b = d->binds[c];
        b = MYSQL_BIND{};
        b.buffer_type = MYSQL_TYPE_STRING;
        b.buffer = cell.buffer.data();
        b.buffer_length = static_cast<unsigned long>(cell.buffer.size());
        b.length = &cell.length;
        b.is_null = &cell.null;
        b.error = &cell.truncated;
    }
    mysql_free_result(meta);
    if (count > 0 && mysql_stmt_bind_result(d->stmt, d->binds.data()))
        failure_ = d->error();
}

Reader::~Reader() = default;

int Reader::column(const QString &name) const {
    return d->names.value(name.toLower(), -1);
}

int Reader::columnCount() const {
    return static_cast<int>(d->cells.size());
}

bool Reader::next() {
    if (failure_ || !d->stmt || d->cells.empty())
        return false;
    const int rc = mysql_stmt_fetch(d->stmt);
    if (rc == MYSQL_NO_DATA)
        return false;
    if (rc == 1) {
        failure_ = d->error();
        return false;
    }
    if (rc == MYSQL_DATA_TRUNCATED) {
        for (std::size_t c = 0; c < d->cells.size(); ++c) {
            Cell &cell = d->cells[c];
            if (!cell.truncated || cell.null)
                continue;
            cell.overflow.resize(static_cast<qsizetype>(cell.length));
            MYSQL_BIND b{};
            b.buffer_type = MYSQL_TYPE_STRING;
            b.buffer = cell.overflow.data();
            b.buffer_length = cell.length;
            unsigned long length = 0;
            b.length = &length;
            if (mysql_stmt_fetch_column(d->stmt, &b, static_cast<unsigned int>(c), 0)) {
                failure_ = d->error();
                return false;
            }
        }
    }
    return true;
}

QString Reader::text(int col) const {
    if (col < 0 || col >= columnCount())
        return {};
    const Cell &cell = d->cells[static_cast<std::size_t>(col)];
    if (cell.null)
        return {};
    return QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.length));
}

bool Reader::isNull(int col) const {
    return col < 0 || col >= columnCount() || d->cells[static_cast<std::size_t>(col)].null;
}

Money Reader::money(int col) const {
    if (isNull(col))
        return 0;
    const Cell &cell = d->cells[static_cast<std::size_t>(col)];
    return moneyFromText(QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.length)));
}

void Reader::throwIfFailed() const {
    if (failure_)
        throw *failure_;
}

const QString &serverNowSql() {
    static const QString sql = QStringLiteral("SELECT now() as xTanggal");
    return sql;
}

QDateTime serverNow(const QSqlDatabase &conn) {
    Reader r(serverNowSql(), {}, conn);
    const bool found = r.next();
    r.throwIfFailed();
    const QDateTime at =
        found ? QDateTime::fromString(r.text(0), QStringLiteral("yyyy-MM-dd HH:mm:ss"))
              : QDateTime();
    if (!at.isValid())
        throw Error(QStringLiteral("Tanggal server tidak terbaca"));
    return at;
}

} // namespace db
