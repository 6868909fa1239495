#include "db/gateway.h"

#include "core/busy.h"
#include "core/messages.h"
#include "db/sql.h"
#include "db/storedtext.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QStringList>
#include <QThread>

#include <optional>

namespace db {
namespace {

const QString kLogin = QStringLiteral("login");
const QString kSession = QStringLiteral("session");

struct Parameters {
    QString address;
    QString portText;
    QString databaseName;
};

Parameters &params() {
    static Parameters p;
    return p;
}

void dropConnection(const QString &name) {
    if (!QSqlDatabase::contains(name))
        return;
    {
        QSqlDatabase old = QSqlDatabase::database(name, false);
        old.close();
    }
    QSqlDatabase::removeDatabase(name);
    resetTransactionState(name);
}

bool openConnection(const QString &name) {
    // The cursor belongs to the window thread; the session watch opens its own off it.
    std::optional<core::BusyCursor> busy;
    if (QCoreApplication::instance() &&
        QThread::currentThread() == QCoreApplication::instance()->thread())
        busy.emplace();
    const StoredTexts &texts = storedTexts();
    const QString user = DecodeStoredText(texts.user);
    const QString password = DecodeStoredText(texts.password);
    params().databaseName = user;

    dropConnection(name);
    QSqlDatabase conn = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    bool ok = false;
    const int port = params().portText.trimmed().toInt(&ok);
    if (!ok) {
        qWarning("connection %s: port \"%s\" is not a number", qPrintable(name),
                 qPrintable(params().portText));
        return false;
    }
    conn.setHostName(params().address);
    conn.setPort(port);
    conn.setUserName(user);
    conn.setPassword(password);
    conn.setDatabaseName(user);
    // A dead profile or a hung server must not freeze the window for long: a user action gives
    // up within 15 s. The longest report reads in about a second.
    conn.setConnectOptions(
        QStringLiteral(
            "MYSQL_OPT_CONNECT_TIMEOUT=%1;MYSQL_OPT_READ_TIMEOUT=%2;MYSQL_OPT_WRITE_TIMEOUT=%2")
            .arg(kConnectTimeoutSeconds)
            .arg(kReadTimeoutSeconds));
    if (!conn.open()) {
        // The user sees the short message; the log keeps the driver's reason.
        qWarning("connection %s to %s:%d failed: %s", qPrintable(name),
                 qPrintable(params().address), port, qPrintable(conn.lastError().text()));
        return false;
    }
    return true;
}

void open(const QString &name) {
    if (!openConnection(name))
        msg::exclamation(kConnectionMessage);
}

int state(const QString &name) {
    if (!QSqlDatabase::contains(name))
        return StateNotConnected;
    return QSqlDatabase::database(name, false).isOpen() ? StateOpen : StateNotConnected;
}

} // namespace

void setServer(const QString &address, const QString &portText) {
    params().address = address;
    params().portText = portText;
}

QString serverAddress() {
    return params().address;
}
QString serverPortText() {
    return params().portText;
}

bool useProfile(const QString &code) {
    const StoredTexts &t = storedTexts();
    static const QStringList codes = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                      QStringLiteral("4"), QStringLiteral("5")};
    const auto index = codes.indexOf(code);
    if (index < 0)
        return false;
    // Profiles 3, 4 and 5 share one stored port text.
    const QString &port = index == 0 ? t.portP1 : index == 1 ? t.portP2 : t.portP3;
    setServer(DecodeStoredText(t.host[index]), DecodeStoredText(port));
    return true;
}

void OpenLoginConnection() {
    open(kLogin);
}
void OpenSessionConnection() {
    open(kSession);
}

int loginState() {
    return state(kLogin);
}
int sessionState() {
    return state(kSession);
}

QSqlDatabase loginConnection() {
    return QSqlDatabase::database(kLogin, false);
}
QSqlDatabase sessionConnection() {
    return QSqlDatabase::database(kSession, false);
}

void closeLoginConnection() {
    if (QSqlDatabase::contains(kLogin))
        QSqlDatabase::database(kLogin, false).close();
}

void closeSessionConnection() {
    if (QSqlDatabase::contains(kSession))
        QSqlDatabase::database(kSession, false).close();
}

QString databaseName() {
    return params().databaseName;
}

int openNamedConnection(const QString &name) {
    return openConnection(name) ? StateOpen : StateNotConnected;
}

} // namespace db
