#include "privatecups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QThread>

#include <cstdlib>

namespace {

bool writeFile(const QString &path, const QString &text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write(text.toUtf8());
    return true;
}

} // namespace

PrivateCups::PrivateCups()
    : dir_(QDir::tempPath() + QStringLiteral("/cafecups-XXXXXX")) {}

PrivateCups::~PrivateCups() {
    if (cupsd_.state() != QProcess::NotRunning) {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(5000))
            cupsd_.kill();
        cupsd_.waitForFinished(2000);
    }
}

QString PrivateCups::socketPath() const {
    return dir_.filePath(QStringLiteral("cups.sock"));
}

QString PrivateCups::errorLog() const {
    QFile f(dir_.filePath(QStringLiteral("log/error_log")));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll().right(4000)) : QString();
}

bool PrivateCups::run(const QString &program, const QStringList &args, QString *why) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(15000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *why = program + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(": ") +
               QString::fromLocal8Bit(p.readAllStandardError() + p.readAllStandardOutput());
        return false;
    }
    return true;
}

bool PrivateCups::start(QString *why) {
    if (!dir_.isValid()) {
        *why = QStringLiteral("no temporary folder");
        return false;
    }
    // The backends run as the scheduler's unprivileged user and read the spool from here.
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther);
    const QString root = dir_.path();
    for (const char *sub : {"conf", "spool", "cache", "state", "tmp", "log"})
        QDir(root).mkpath(QString::fromLatin1(sub));

    const QString conf =
        QStringLiteral("Listen %1\n"
                       "LogLevel info\n"
                       "WebInterface No\n"
                       "Browsing Off\n"
                       "DefaultAuthType None\n"
                       "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                       "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                       "    Allow all\n  </Limit>\n</Policy>\n")
            .arg(socketPath());
    const QString files = QStringLiteral("ServerRoot %1/conf\n"
                                         "RequestRoot %1/spool\n"
                                         "CacheDir %1/cache\n"
                                         "StateDir %1/state\n"
                                         "TempDir %1/tmp\n"
                                         "ErrorLog %1/log/error_log\n"
                                         "AccessLog %1/log/access_log\n"
                                         "PageLog %1/log/page_log\n"
                                         "Printcap %1/state/printcap\n"
                                         "Sandboxing Relaxed\n")
                              .arg(root);
    if (!writeFile(root + QStringLiteral("/conf/cupsd.conf"), conf) ||
        !writeFile(root + QStringLiteral("/conf/cups-files.conf"), files)) {
        *why = QStringLiteral("cannot write the scheduler configuration");
        return false;
    }

    // Before any libcups call of this process: the client then talks to this scheduler only.
    qputenv("CUPS_SERVER", socketPath().toLocal8Bit());
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");

    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.start(QStringLiteral("cupsd"),
                 {QStringLiteral("-f"), QStringLiteral("-c"),
                  root + QStringLiteral("/conf/cupsd.conf"), QStringLiteral("-s"),
                  root + QStringLiteral("/conf/cups-files.conf")});
    if (!cupsd_.waitForStarted(5000)) {
        *why = QStringLiteral("cupsd does not start: ") + cupsd_.errorString();
        return false;
    }
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (cupsd_.state() == QProcess::NotRunning) {
            *why = QStringLiteral("cupsd stopped: ") + QString::fromLocal8Bit(cupsd_.readAll()) +
                   errorLog();
            return false;
        }
        QProcess probe;
        probe.start(QStringLiteral("lpstat"),
                    {QStringLiteral("-h"), socketPath(), QStringLiteral("-r")});
        if (probe.waitForFinished(5000) && probe.exitCode() == 0 &&
            probe.readAllStandardOutput().contains("is running"))
            return true;
        QThread::msleep(100);
    }
    *why = QStringLiteral("cupsd does not answer: ") + errorLog();
    return false;
}

bool PrivateCups::addDefaultRawQueue(const QString &name, quint16 port, QString *why) {
    const QString uri = QStringLiteral("socket://127.0.0.1:%1").arg(port);
    return run(QStringLiteral("lpadmin"),
               {QStringLiteral("-h"), socketPath(), QStringLiteral("-p"), name,
                QStringLiteral("-v"), uri, QStringLiteral("-m"), QStringLiteral("raw"),
                QStringLiteral("-E")},
               why) &&
           run(QStringLiteral("lpadmin"),
               {QStringLiteral("-h"), socketPath(), QStringLiteral("-d"), name}, why);
}
