#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

#include <functional>
#include <stdexcept>

class QProgressBar;

// Export of what a list shows (header texts, alignments, cell texts) to a spreadsheet: a new
// .xlsx handed to the desktop's spreadsheet program, or an Excel 97-2003 file the user names.
// The writers take plain data; the entry points at the end take the list widget.
namespace common {

class ReportList;

// A list's content: columns 0..C-1 (the spacer first) and rows of sub-items 1..C-1.
struct ListContent {
    QStringList titles;
    QList<Qt::Alignment> alignments;
    QList<QStringList> rows;
};

// A shown number back to its value: digits, full stops, commas and minus signs kept, read by
// the amount locale; what cannot be read gives 0.
double TextToNumber(const QString &text);
// A shown date: the server's yyyy-MM-dd (a time may follow) or the locale's short date.
// Invalid for text that is not a date.
QDate textToDate(const QString &text);
// The same date as the locale's short date text; empty for text that is not a date.
QString TextToDateText(const QString &text);

enum class CellKind { Number, Date, Text };
// How a column's cells are typed: right-aligned ones are numbers, those whose header names a
// date ("tanggal", "tgl") dates, everything else text.
CellKind cellKind(const QString &title, Qt::Alignment alignment);

// Called with the number of rows written so far.
using Progress = std::function<void(int rows)>;

// Writes the workbook: sheet "Sheet1", the title in A1, the headers of columns 1..C-1 in row 2,
// rows 1 and 2 bold, rows 1..n+2 Arial 8, typed cells below. The spacer column is not written.
// On failure returns false and sets *error.
bool writeListWorkbook(const QString &path, const QString &title, const ListContent &content,
                       const Progress &progress, QString *error);

// The rows of the Excel 97-2003 sheet: every column title, then per row its item text (empty
// on the shared list) and the sub-items.
QList<QStringList> xlsRows(const ListContent &content);

// A file name in the temporary folder, after the title and the time, not yet taken.
QString workbookPath(const QString &folder, const QString &title, const QDateTime &at);

// A failure of ExportListview, raised to its caller.
class ExportError : public std::runtime_error {
public:
    explicit ExportError(const QString &text)
        : std::runtime_error(text.toStdString())
        , text_(text) {}
    QString text() const { return text_; }

private:
    QString text_;
};

ListContent listContent(const ReportList *list);

// A new workbook of the list in the temporary folder, opened in the spreadsheet program.
void ExportListToWorkbook(const ReportList *list, QProgressBar *pb, const QString &title);
// Writes the list into a new Excel 97-2003 workbook. False (after a message) when the list is
// not a report list or the file name is empty; a write failure raises ExportError.
bool ExportListview(const ReportList *list, const QString &fileName, const QString &sheetName,
                    bool appendOnly);

// The export button of the catalogue, the order register and the sales report.
void exportButtonToWorkbook(const ReportList *list, QProgressBar *pb, const QString &title);
// The export button of the group editor.
void exportButtonToXls(const ReportList *list);

// Hands a written workbook to the desktop; false when no program could be started.
void setSpreadsheetOpener(std::function<bool(const QString &path)> opener);
// Asks for the .xls file name; empty when cancelled.
void setSaveFileDialog(std::function<QString()> dialog);

} // namespace common
