#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the ANSI code page of the canteen's workstations. Qt 6.4 has no encoder
// for it, so the 0x80-0x9F block is mapped by hand on top of Latin-1.
namespace core {

QString fromAnsi(const QByteArray &bytes);
// One byte per character; a character outside the code page becomes "?".
QByteArray toAnsi(const QString &text);

} // namespace core
