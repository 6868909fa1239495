#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A CUPS scheduler of the test's own: configuration, spool and logs in a temporary folder,
// reached over a Unix socket there. start() points this process's libcups at it, so it must
// run before any other libcups call.
class PrivateCups {
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups &) = delete;
    PrivateCups &operator=(const PrivateCups &) = delete;

    // False, with the reason, when the scheduler cannot run here.
    bool start(QString *why);
    // A raw queue (no filter) on socket://127.0.0.1:port, made the default destination.
    bool addDefaultRawQueue(const QString &name, quint16 port, QString *why);
    QString socketPath() const;
    QString errorLog() const;

private:
    bool run(const QString &program, const QStringList &args, QString *why);

    QTemporaryDir dir_;
    QProcess cupsd_;
};
