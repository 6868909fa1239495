#include "app/sessiontrack.h"

#include "app/macaddress.h"
#include "app/netidentity.h"
#include "common/nextkey.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"

#include <QEventLoop>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <optional>

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

namespace {

// A connection message a window showed this recently already told the user about this outage
// (a window's statement gives up within 15 s of the hang, as the watch's does).
constexpr qint64 kRecentMessageMs = 15000;

// The watch's query, on the watch's thread. A failure closes the connection, so that the next
// check connects anew.
SessionWatch::Result checkSession(const QString &name, const SessionWatch::Opener &open,
                                  const QString &alias, const QString &code) {
    if (!QSqlDatabase::contains(name) || !QSqlDatabase::database(name, false).isOpen()) {
        if (!open(name))
            return SessionWatch::Result::Failed;
    }
    QSqlDatabase conn = QSqlDatabase::database(name, false);
    try {
        QSqlQuery q = db::select(sessionWatchSql(), {alias, code}, conn);
        return q.next() ? SessionWatch::Result::Valid : SessionWatch::Result::Expired;
    } catch (const db::Error &) {
        conn.close();
        return SessionWatch::Result::Failed;
    }
}

} // namespace

SessionWatch::SessionWatch(QObject *parent, Opener open)
    : QObject(parent)
    , thread_(new QThread(this))
    , worker_(new QObject)
    , open_(
          open ? std::move(open)
               : [](const QString &name) { return db::openNamedConnection(name) == db::StateOpen; })
    , timer_(new QTimer(this)) {
    static std::atomic<int> serial{0};
    connectionName_ = QStringLiteral("sessionwatch-%1").arg(++serial);
    thread_->setObjectName(connectionName_);
    worker_->moveToThread(thread_);
    thread_->start();

    timer_->setObjectName(QStringLiteral("timerSession"));
    // Precise, so that another login ends this copy within the six seconds.
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &SessionWatch::request);
}

SessionWatch::~SessionWatch() {
    timer_->stop();
    // The connection is closed by the thread that opened it; a check still waiting on a hung
    // server finishes first (the driver's timeouts bound it).
    const QString name = connectionName_;
    QMetaObject::invokeMethod(worker_, [name] {
        if (QSqlDatabase::contains(name)) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
        QThread::currentThread()->quit();
    });
    thread_->wait();
    delete worker_;
}

void SessionWatch::start(const QString &alias, const QString &sessionCode, int intervalMs) {
    alias_ = alias;
    code_ = sessionCode;
    failureShown_ = false;
    failing_ = false;
    timer_->start(intervalMs);
}

void SessionWatch::stop() {
    timer_->stop();
}

bool SessionWatch::isActive() const {
    return timer_->isActive();
}

void SessionWatch::request() {
    // A check still waiting on a hung server is not joined by a second one.
    if (inFlight_)
        return;
    inFlight_ = true;
    QMetaObject::invokeMethod(
        worker_, [this, name = connectionName_, open = open_, alias = alias_, code = code_] {
            const Result result = checkSession(name, open, alias, code);
            QMetaObject::invokeMethod(
                this, [this, result] { handle(result); }, Qt::QueuedConnection);
        });
}

SessionWatch::Result SessionWatch::tick() {
    const bool wasActive = timer_->isActive();
    timer_->stop();
    std::optional<Result> result;
    QEventLoop loop;
    const auto done = connect(this, &SessionWatch::checked, &loop, [&](Result r) {
        result = r;
        loop.quit();
    });
    if (!inFlight_)
        request();
    if (!result)
        loop.exec();
    disconnect(done);
    if (wasActive && *result != Result::Expired)
        timer_->start();
    return *result;
}

void SessionWatch::handle(Result result) {
    inFlight_ = false;
    switch (result) {
    case Result::Valid:
        if (failing_) {
            failing_ = false;
            failureShown_ = false;
            emit reconnected();
        }
        break;
    case Result::Expired:
        timer_->stop();
        msg::exclamation(QStringLiteral("Maaf, sesi user telah habis/digunakan ditempat lain!"));
        core::endProgram();
        emit checked(result); // the watch stays stopped (only reached when the end is replaced)
        return;
    case Result::Failed:
        // The server may be gone: say so once, and keep trying on a fresh connection, so that
        // a stamp changed in the meantime still ends this copy when the server is back. A
        // window that has just said the same, or a message box still open, is not stacked on.
        failing_ = true;
        if (!failureShown_) {
            if (msg::shownWithin(db::kConnectionMessage, kRecentMessageMs)) {
                failureShown_ = true;
            } else if (msg::openCount() == 0) {
                failureShown_ = true;
                const bool wasActive = timer_->isActive();
                timer_->stop();
                msg::exclamation(db::kConnectionMessage);
                if (wasActive)
                    timer_->start();
            }
        }
        break;
    }
    emit checked(result);
}

} // namespace app
