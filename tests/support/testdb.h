#pragma once

#include "core/messages.h"
#include "db/storedtext.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The private test server of the CTest fixture, reached by the program's account through the
// gateway and by root over its socket for setting up data.
namespace testdb {

QString cafeDb();     // canteen schema name
int port();           // TCP port of the fixture's server
QString socketPath(); // its Unix socket

// Freezes the fixture's server (SIGSTOP) for the guard's life: it answers nothing, as a hung
// server does. The destructor always lets it go on (SIGCONT).
class ServerFreeze {
public:
    ServerFreeze();
    ~ServerFreeze();
    ServerFreeze(const ServerFreeze &) = delete;
    ServerFreeze &operator=(const ServerFreeze &) = delete;
    void thaw();

private:
    long long pid_ = 0;
};

// Layered base64 of a value, as the installation constants are stored.
QString encode(const QString &value);
// Stored texts with every profile pointing at the test server.
db::StoredTexts storedTexts();
// Installs those texts and chooses profile 1.
void install();
// install() and opens the session connection; true when it is open.
bool openSession();

// Root connection over the socket, default schema the canteen one.
QSqlDatabase root();
// Runs one statement as root; throws db::Error on failure.
void rootExec(const QString &sql);
// Runs several statements separated by ";\n" as root.
void rootScript(const QString &sql);
// Feeds an SQL file to the mariadb client as root (DELIMITER works there).
void loadFile(const QString &path, const QString &database);
// Empties the listed tables of the canteen schema (or "cashless-adm".table).
void truncate(const QStringList &tables);
// Reloads the demo data set.
void loadDemo();
QString sourceDir();

} // namespace testdb

// Records every message box and answers from a script (Yes/OK when the script is empty).
class MessageRecorder {
public:
    struct Entry {
        msg::Icon icon;
        QString title;
        QString text;
        msg::Buttons buttons;
    };

    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QList<Entry> entries;
    QList<msg::Answer> answers;

    QStringList texts() const;
    QString lastText() const { return entries.isEmpty() ? QString() : entries.last().text; }
    void clear() { entries.clear(); }
};

// Replaces the end of the program with a counter; restores the default when destroyed.
class EndRecorder {
public:
    EndRecorder();
    ~EndRecorder();
    EndRecorder(const EndRecorder &) = delete;
    EndRecorder &operator=(const EndRecorder &) = delete;
    int calls = 0;
};

// Pins the workstation clock; restores the real clock when destroyed.
class ClockPin {
public:
    explicit ClockPin(const QDateTime &at);
    ~ClockPin();
    ClockPin(const ClockPin &) = delete;
    ClockPin &operator=(const ClockPin &) = delete;
    void set(const QDateTime &at) { at_ = at; }

private:
    QDateTime at_;
};
