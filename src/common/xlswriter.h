#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A small writer of Excel 97-2003 workbooks: one worksheet of text cells as BIFF8 records,
// stored as the "Workbook" stream of a compound file. No maintained C/C++ writer of this
// format ships with the distribution, and text cells need little of it.
namespace xls {

// Largest sheet the format holds.
inline constexpr int kMaxRows = 65536;
inline constexpr int kMaxColumns = 256;

// The BIFF8 "Workbook" stream of one worksheet holding rows of text cells. Empty texts
// leave their cell empty. The caller checks the sheet name and the limits (sheetNameError).
QByteArray workbookStream(const QString &sheetName, const QList<QStringList> &rows);

// A compound file (version 3, 512-byte sectors) holding one stream under the given name.
QByteArray compoundFile(const QString &streamName, const QByteArray &stream);

// Why a sheet name cannot be used, or an empty text when it can.
QString sheetNameError(const QString &sheetName);

// Writes a new workbook file with one worksheet. An existing file is never opened for
// writing: it is refused. On failure returns false and sets *error.
bool writeNewWorkbook(const QString &path, const QString &sheetName, const QList<QStringList> &rows,
                      QString *error);

} // namespace xls
