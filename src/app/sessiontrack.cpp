#include "app/sessiontrack.h"

#include "app/macaddress.h"
#include "app/netidentity.h"
#include "common/nextkey.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"

#include <QSqlQuery>
#include <QTimer>

namespace app {

QString sessionPrefix(const QDate &day) {
    return QStringLiteral("SES") + day.toString(QStringLiteral("yyMMdd"));
}

const QString &sessionNumberSql() {
    static const QString sql = QStringLiteral("SELECT MAX(RIGHT(user_session, 4)) as Nomor "
                                              "FROM data_pengguna_alias "
                                              "WHERE LEFT(user_session, 9) = ? ");
    return sql;
}

const QString &loginLogSql() {
    static const QString sql = QStringLiteral("INSERT INTO log_login SET "
                                              " log_alias = ?, log_tanggal = now(), "
                                              "log_ipaddress = ?, log_hostname = ?, "
                                              "log_macaddress = ?, log_version = ?, "
                                              "log_session = ? ");
    return sql;
}

const QString &sessionStampSql() {
    static const QString sql = QStringLiteral("UPDATE data_pengguna_alias SET "
                                              "user_session = ?, user_last_login = NOW() "
                                              "WHERE user_alias = ? ");
    return sql;
}

const QString &sessionWatchSql() {
    static const QString sql = QStringLiteral("SELECT user_session FROM data_pengguna_alias "
                                              "WHERE user_alias = ? AND user_session = ?");
    return sql;
}

long long GenerateCD(const QString &prefix) {
    return common::GenerateCD(sessionNumberSql(), {prefix});
}

QString IdReg() {
    const QString prefix = sessionPrefix(core::now().date());
    return common::formatKey(prefix, GenerateCD(prefix), 4);
}

const QString &loginLockSql() {
    // Waits a few seconds at most: another login holds it only for its few statements.
    static const QString sql = QStringLiteral("SELECT GET_LOCK(CONCAT(DATABASE(), '.login'), 5)");
    return sql;
}

const QString &loginUnlockSql() {
    static const QString sql = QStringLiteral("DO RELEASE_LOCK(CONCAT(DATABASE(), '.login'))");
    return sql;
}

QString recordLogin(const LoginRecord &record, const QDate &day, const QSqlDatabase &conn) {
    // Without the lock two overlapping logins read the same highest number and share a code,
    // and then neither copy ever sees its session taken over.
    if (db::scalar(loginLockSql(), {}, conn).toInt() != 1)
        throw db::Error(QStringLiteral("Server sibuk, giliran login tidak didapat."));
    struct Unlock {
        const QSqlDatabase &conn;
        ~Unlock() {
            try {
                db::exec(loginUnlockSql(), {}, conn);
            } catch (const db::Error &) {
                // A lost connection has released it already.
            }
        }
    } unlock{conn};

    // The log row and the stamp go together: a stamp without its log row (or the reverse)
    // would leave a session nobody can trace. The transaction starts after the lock, so its
    // number read sees every login committed before.
    db::Transaction transaction(conn);
    const QString prefix = sessionPrefix(day);
    const QVariant highest = db::scalar(sessionNumberSql(), {prefix}, conn);
    const long long number = highest.isNull() ? 1 : static_cast<long long>(db::number(highest)) + 1;
    const QString code = common::formatKey(prefix, number, 4);
    db::exec(loginLogSql(),
             {record.logAlias, record.ipAddress, record.hostName, record.macAddress, record.version,
              code},
             conn);
    db::exec(sessionStampSql(), {code, record.alias}, conn);
    transaction.commit();
    return code;
}

void LogLogin(const QString &panel2Text) {
    const NetworkIdentity &net = networkIdentity();
    const QString mac = macTextForLog(net.localIPv4());
    core::CurrentUserRecord &user = core::CurrentUser();
    user.hostName = net.hostName();
    user.ipAddress = net.localIPv4();
    user.macAddress = mac;
    user.sessionCode = recordLogin({panel2Text, user.aliasText(), user.ipAddress, user.hostName,
                                    user.macAddress, core::versionText()},
                                   core::now().date(), db::sessionConnection());
}

SessionWatch::SessionWatch(QObject *parent, std::function<QSqlDatabase()> conn)
    : QObject(parent)
    , conn_(conn ? std::move(conn) : [] { return db::sessionConnection(); })
    , timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("timerSession"));
    // Precise, so that another login ends this copy within the six seconds.
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, [this] { tick(); });
}

void SessionWatch::start(const QString &alias, const QString &sessionCode, int intervalMs) {
    alias_ = alias;
    code_ = sessionCode;
    failureShown_ = false;
    timer_->start(intervalMs);
}

void SessionWatch::stop() {
    timer_->stop();
}

bool SessionWatch::isActive() const {
    return timer_->isActive();
}

SessionWatch::Result SessionWatch::query() {
    try {
        QSqlQuery q = db::select(sessionWatchSql(), {alias_, code_}, conn_());
        return q.next() ? Result::Valid : Result::Expired;
    } catch (const db::Error &) {
        return Result::Failed;
    }
}

SessionWatch::Result SessionWatch::tick() {
    // No tick runs while this one waits on a message box.
    const bool wasActive = timer_->isActive();
    timer_->stop();
    const Result result = query();
    switch (result) {
    case Result::Valid:
        failureShown_ = false;
        break;
    case Result::Expired:
        msg::exclamation(QStringLiteral("Maaf, sesi user telah habis/digunakan ditempat lain!"));
        core::endProgram();
        return result; // the watch stays stopped (only reached when the end is replaced)
    case Result::Failed: {
        // The server may be gone: say so once, then keep trying on a fresh connection, so that
        // a stamp changed in the meantime still ends this copy when the server is back.
        if (!failureShown_) {
            failureShown_ = true;
            msg::exclamation(db::kConnectionMessage);
        }
        QSqlDatabase conn = conn_();
        if (conn.isValid()) {
            conn.close();
            conn.open();
        }
        break;
    }
    }
    if (wasActive)
        timer_->start();
    return result;
}

} // namespace app
