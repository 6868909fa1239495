#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// Process-wide facts and seams: title, version, clock, end of program, program folder.
namespace core {

// Caption of most message boxes.
QString appTitle();

int versionMajor();
int versionMinor();
int versionRevision();
// Major, minor and revision joined by full stops.
QString versionText();

// The workstation clock. Tests pin it with setClock.
QDateTime now();
void setClock(std::function<QDateTime()> clock);

// Ends the process at once: no close handlers, no clean-up. Tests replace it.
[[noreturn]] void defaultEndProgram();
void endProgram();
void setEndProgram(std::function<void()> end);

// The folder whose "*.tmp" files the exits delete; the program's own folder by default.
QString programFolder();
void setProgramFolder(const QString &folder);
// Deletes the regular files matching "*.tmp" in the program folder (not recursive, never
// following links); every failure is ignored.
void deleteTempFiles();

} // namespace core
