#include "core/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace core {
namespace {

std::function<QDateTime()> &clockFn() {
    static std::function<QDateTime()> fn;
    return fn;
}

std::function<void()> &endFn() {
    static std::function<void()> fn;
    return fn;
}

QString &folderOverride() {
    static QString folder;
    return folder;
}

} // namespace

QString appTitle() {
    return QStringLiteral("CAFE SINDARA");
}

int versionMajor() {
    return CAFE_VERSION_MAJOR;
}
int versionMinor() {
    return CAFE_VERSION_MINOR;
}
int versionRevision() {
    return CAFE_VERSION_PATCH;
}

QString versionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(versionMajor())
        .arg(versionMinor())
        .arg(versionRevision());
}

QDateTime now() {
    return clockFn() ? clockFn()() : QDateTime::currentDateTime();
}

void setClock(std::function<QDateTime()> clock) {
    clockFn() = std::move(clock);
}

void defaultEndProgram() {
    // "At once": no destructors, no event loop, no unload handlers.
    ::_exit(0);
}

void endProgram() {
    if (endFn())
        endFn()();
    else
        defaultEndProgram();
}

void setEndProgram(std::function<void()> end) {
    endFn() = std::move(end);
}

QString programFolder() {
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString &folder) {
    folderOverride() = folder;
}

void deleteTempFiles() {
    const QDir dir(programFolder());
    const auto entries =
        dir.entryInfoList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &info : entries) {
        if (info.isSymLink() || !info.isFile())
            continue;
        QFile::remove(info.absoluteFilePath());
    }
}

} // namespace core
