#pragma once

#include <QDate>
#include <QObject>
#include <QSqlDatabase>
#include <QString>

#include <functional>

class QThread;
class QTimer;

// Session tracking and the login log.
namespace app {

// The statements of the session start and the watch.
const QString &sessionNumberSql();
const QString &loginLogSql();
const QString &sessionStampSql();
const QString &sessionWatchSql();

// "SES" + the day as yymmdd.
QString sessionPrefix(const QDate &day);
// GenerateCD: one more than the highest daily number stamped on the accounts for the prefix
// (1 when there is none). Throws db::Error.
long long GenerateCD(const QString &prefix);
// IdReg: "SES" + today (workstation clock) as yymmdd + the next number as "0000". A number
// past 9999 keeps all its digits (it is not refused). Throws db::Error.
QString IdReg();

// What one login writes to the log (besides its session code and the server's time).
struct LoginRecord {
    QString logAlias; // log_alias, as status bar panel 2 shows it
    QString alias;    // the account stamped
    QString ipAddress;
    QString hostName;
    QString macAddress;
    QString version;
};

// The lock that serialises the session numbering of overlapping logins.
const QString &loginLockSql();
const QString &loginUnlockSql();
// Takes the next session code of day, writes the login-log row and stamps the code on the
// account, in one transaction on conn, holding the login lock from the number to the commit:
// overlapping logins of one account get different codes, and the later code is the stamp.
// Returns the code. Throws db::Error (nothing written then).
QString recordLogin(const LoginRecord &record, const QDate &day, const QSqlDatabase &conn);

// LogLogin: reads the network identity into CurrentUser, gives the login its session code,
// writes the login-log row (log_alias = panel2Text, as status bar panel 2 shows it) and stamps
// the code on the account, in one transaction on the session connection. Throws db::Error
// (nothing written then).
void LogLogin(const QString &panel2Text);

// The six-second watch: ends the program when the account's stamp no longer carries this
// copy's session code. The query runs on a thread of its own with a connection of its own, so a
// hung server never blocks the window: the result comes back by a queued call, and the window
// thread shows the messages and ends the program.
class SessionWatch : public QObject {
    Q_OBJECT

public:
    enum class Result { Valid, Expired, Failed };
    Q_ENUM(Result)
    // Opens a connection under the given name, on the calling (the watch's) thread; true when
    // it is open.
    using Opener = std::function<bool(const QString &name)>;

    // open: how the watch connects (the session's parameters, quietly, by default).
    explicit SessionWatch(QObject *parent = nullptr, Opener open = nullptr);
    ~SessionWatch() override;

    // Starts watching alias with the session code, every intervalMs.
    void start(const QString &alias, const QString &sessionCode, int intervalMs = 6000);
    void stop();
    bool isActive() const;
    QTimer *timer() const { return timer_; }

    // One check, waited for with the events running (messages and the end of the program
    // included), as a timer tick runs it.
    Result tick();

signals:
    // The watch's connection answers again after a failure: windows may read anew.
    void reconnected();
    // A check's result, after it was acted on.
    void checked(app::SessionWatch::Result result);

private:
    void request();
    void handle(Result result);

    QThread *thread_;
    QObject *worker_; // lives on thread_
    QString connectionName_;
    Opener open_;
    QTimer *timer_;
    QString alias_;
    QString code_;
    bool inFlight_ = false;
    bool failing_ = false;
    bool failureShown_ = false;
};

} // namespace app
