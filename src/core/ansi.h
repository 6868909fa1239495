#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the ANSI code page of the canteen's workstations. Qt 6.4 has no encoder
// for it, so the 0x80-0x9F block is mapped by hand on top of Latin-1.
namespace core {

QString fromAnsi(const QByteArray &bytes);
// One byte per character (code point, not UTF-16 unit); a character outside the code page
// becomes one "?".
QByteArray toAnsi(const QString &text);
// Stored text made safe to send to a printer raw: control characters (below 0x20, and 0x7F)
// and characters beyond the basic plane become one "?" each, so a name cannot carry a
// printer command and every character counts one column.
QString printableText(const QString &text);

} // namespace core
