#include "support/testdb.h"

#include "core/ansi.h"
#include "core/program.h"
#include "db/gateway.h"
#include "db/sql.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>

#include <csignal>
#include <sys/types.h>

namespace testdb {
namespace {

QString readFixtureFile(const QString &name) {
    QFile f(QStringLiteral(CAFE_TESTDB_DIR "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("test database fixture file %s missing: is the testdb fixture running?",
               qPrintable(f.fileName()));
    return QString::fromUtf8(f.readAll()).trimmed();
}

} // namespace

QString cafeDb() {
    return QStringLiteral(CAFE_TEST_DB_USER);
}
int port() {
    return readFixtureFile(QStringLiteral("port")).toInt();
}
QString socketPath() {
    return readFixtureFile(QStringLiteral("socket"));
}
ServerFreeze::ServerFreeze()
    : pid_(readFixtureFile(QStringLiteral("mariadbd.pid")).toLongLong()) {
    if (pid_ <= 0 || ::kill(static_cast<pid_t>(pid_), SIGSTOP) != 0)
        qFatal("cannot freeze the test server (pid %lld)", pid_);
}

ServerFreeze::~ServerFreeze() {
    thaw();
}

void ServerFreeze::thaw() {
    if (pid_ > 0)
        ::kill(static_cast<pid_t>(pid_), SIGCONT);
}

QString sourceDir() {
    return QStringLiteral(CAFE_SOURCE_DIR);
}

QString encode(const QString &value) {
    QByteArray bytes = core::toAnsi(value);
    for (int i = 0; i < 3; ++i)
        bytes = bytes.toBase64();
    return QString::fromLatin1(bytes);
}

db::StoredTexts storedTexts() {
    db::StoredTexts t = db::compiledStoredTexts();
    for (auto &host : t.host)
        host = encode(QStringLiteral("127.0.0.1"));
    const QString p = encode(QString::number(port()));
    t.portP1 = p;
    t.portP2 = p;
    t.portP3 = p;
    return t;
}

void install() {
    db::setStoredTexts(storedTexts());
    db::useProfile(QStringLiteral("1"));
}

bool openSession() {
    install();
    db::OpenSessionConnection();
    return db::sessionState() == db::StateOpen;
}

QSqlDatabase root() {
    const QString name = QStringLiteral("testroot");
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase existing = QSqlDatabase::database(name);
        if (existing.isOpen())
            return existing;
    }
    QSqlDatabase conn = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    conn.setUserName(QStringLiteral("root"));
    conn.setDatabaseName(cafeDb());
    conn.setConnectOptions(QStringLiteral("UNIX_SOCKET=") + socketPath());
    if (!conn.open())
        qFatal("cannot open the root connection: %s", qPrintable(conn.lastError().text()));
    return conn;
}

void rootExec(const QString &sql) {
    db::exec(sql, {}, root());
}

void rootScript(const QString &sql) {
    const QStringList statements = sql.split(QStringLiteral(";\n"), Qt::SkipEmptyParts);
    for (const QString &s : statements) {
        if (!s.trimmed().isEmpty())
            rootExec(s);
    }
}

void loadFile(const QString &path, const QString &database) {
    QProcess p;
    p.setStandardInputFile(path);
    p.start(QStringLiteral("mariadb"),
            {QStringLiteral("--no-defaults"), QStringLiteral("--protocol=socket"),
             QStringLiteral("--socket=") + socketPath(), QStringLiteral("-uroot"),
             QStringLiteral("--default-character-set=utf8mb4"), database});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        throw db::Error(QStringLiteral("loading %1 failed: %2")
                            .arg(path, QString::fromUtf8(p.readAllStandardError())));
}

void truncate(const QStringList &tables) {
    rootExec(QStringLiteral("SET FOREIGN_KEY_CHECKS=0"));
    for (const QString &t : tables) {
        const QString qualified =
            t.contains(QLatin1Char('.')) ? t : QStringLiteral("`%1`.%2").arg(cafeDb(), t);
        rootExec(QStringLiteral("TRUNCATE TABLE ") + qualified);
    }
    rootExec(QStringLiteral("SET FOREIGN_KEY_CHECKS=1"));
}

void loadDemo() {
    loadFile(sourceDir() + QStringLiteral("/database/demo.sql"), cafeDb());
}

} // namespace testdb

MessageRecorder::MessageRecorder() {
    msg::setHandler(
        [this](msg::Icon icon, const QString &title, const QString &text, msg::Buttons buttons) {
            entries.append({icon, title, text, buttons});
            if (!answers.isEmpty())
                return answers.takeFirst();
            return buttons == msg::Buttons::YesNo ? msg::Answer::Yes : msg::Answer::Ok;
        });
}

MessageRecorder::~MessageRecorder() {
    msg::setHandler({});
}

QStringList MessageRecorder::texts() const {
    QStringList out;
    for (const Entry &e : entries)
        out << e.text;
    return out;
}

EndRecorder::EndRecorder() {
    core::setEndProgram([this] { ++calls; });
}

EndRecorder::~EndRecorder() {
    core::setEndProgram({});
}

ClockPin::ClockPin(const QDateTime &at)
    : at_(at) {
    core::setClock([this] { return at_; });
}

ClockPin::~ClockPin() {
    core::setClock({});
}
