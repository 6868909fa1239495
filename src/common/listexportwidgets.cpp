// The widget side of the list export: reading the list, the progress bar, the desktop opener
// and the save dialog.
#include "common/listexport.h"

#include "common/reportlist.h"
#include "common/xlswriter.h"
#include "core/busy.h"
#include "core/messages.h"
#include "core/program.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QProcess>
#include <QProgressBar>

namespace common {
namespace {

bool openWithDesktop(const QString &path) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
}

QString askXlsFileName() {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Excel Workbook (*.xls)"));
    dialog.setDefaultSuffix(QStringLiteral("xls"));
    // The writer refuses an existing file with its own reason; a replace prompt would promise
    // what it does not do.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::function<bool(const QString &)> &opener() {
    static std::function<bool(const QString &)> f = openWithDesktop;
    return f;
}

std::function<QString()> &saveDialog() {
    static std::function<QString()> f = askXlsFileName;
    return f;
}

const QString kNoData = QStringLiteral("Tidak ada data!");

} // namespace

void setSpreadsheetOpener(std::function<bool(const QString &path)> f) {
    opener() = f ? std::move(f) : openWithDesktop;
}

void setSaveFileDialog(std::function<QString()> f) {
    saveDialog() = f ? std::move(f) : askXlsFileName;
}

ListContent listContent(const ReportList *list) {
    ListContent content;
    if (!list)
        return content;
    for (int c = 0; c < list->columnCountWithSpacer(); ++c) {
        content.titles.append(list->columnTitle(c));
        content.alignments.append(list->columnAlignment(c));
    }
    content.rows = list->reportModel()->rows();
    return content;
}

void ExportListToWorkbook(const ReportList *list, QProgressBar *pb, const QString &title) {
    const ListContent content = listContent(list);
    const int n = static_cast<int>(content.rows.size());
    if (pb) {
        pb->show();
        pb->setValue(0);
        if (n > 0)
            pb->setMaximum(n);
    }
    core::BusyCursor busy;
    // Repainting costs more than writing a row: the bar moves at most every 50 ms. User input
    // waits until the export ends, so that no command runs on a half-exported window.
    QElapsedTimer sincePaint;
    sincePaint.start();
    const Progress progress = [&](int rows) {
        if (!pb || (rows < n && sincePaint.elapsed() < 50))
            return;
        pb->setValue(rows);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        sincePaint.restart();
    };
    const QString path = workbookPath(QDir::tempPath(), title, core::now());
    QString error;
    const bool written = writeListWorkbook(path, title, content, progress, &error);
    if (pb)
        pb->hide();
    if (!written) {
        msg::critical(QStringLiteral("Export gagal!\n") + error, core::appTitle());
        return;
    }
    // The file stays where it is: the spreadsheet program may still have it open.
    if (!opener()(path))
        msg::information(
            QStringLiteral("Program spreadsheet tidak ditemukan. File disimpan di:\n") +
            QDir::toNativeSeparators(path));
}

bool ExportListview(const ReportList *list, const QString &fileName, const QString &sheetName,
                    bool appendOnly) {
    if (!list) {
        msg::critical(QStringLiteral("Listview must be in Report mode."),
                      QStringLiteral("ExportListview"));
        return false;
    }
    if (fileName.isEmpty()) {
        msg::critical(QStringLiteral("No filename given."), QStringLiteral("ExportListview"));
        return false;
    }
    if (appendOnly)
        throw ExportError(QStringLiteral("Baris tidak dapat ditambahkan ke worksheet '%1' di "
                                         "workbook yang sudah ada.")
                              .arg(sheetName));
    core::BusyCursor busy;
    QString error;
    if (!xls::writeNewWorkbook(fileName, sheetName, xlsRows(listContent(list)), &error))
        throw ExportError(error);
    return true;
}

void exportButtonToWorkbook(const ReportList *list, QProgressBar *pb, const QString &title) {
    if (!list || list->rowCount() == 0) {
        msg::exclamation(kNoData);
        return;
    }
    if (pb)
        pb->show();
    ExportListToWorkbook(list, pb, title);
    if (pb)
        pb->hide();
}

void exportButtonToXls(const ReportList *list) {
    if (!list || list->rowCount() == 0)
        msg::exclamation(kNoData); // the header row alone is still worth a file
    const QString fileName = saveDialog()();
    if (fileName.isEmpty())
        return;
    try {
        if (ExportListview(list, fileName, QStringLiteral("Sheet1"), false))
            msg::information(QStringLiteral("Export sukses!"));
    } catch (const ExportError &e) {
        msg::critical(QStringLiteral("Export gagal!\n") + e.text(), core::appTitle());
    }
}

} // namespace common
