// Fills the shared list with 100,000 rows of 10 columns, as a year of orders would, and prints
// how long the fill and the first paint take.
#include "common/reportlist.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    constexpr int kRows = 100000;
    constexpr int kColumns = 10;

    common::ReportList list;
    QList<common::Column> columns{{"0", 0, common::Left}};
    for (int c = 1; c <= kColumns; ++c)
        columns.append(
            {QStringLiteral("Kolom %1").arg(c), 1200, c % 3 ? common::Left : common::Right});
    list.setColumns(columns);
    list.resize(1200, 700);
    list.show();
    QApplication::processEvents();

    QElapsedTimer build;
    build.start();
    QList<QStringList> rows;
    rows.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
        QStringList row;
        row.reserve(kColumns);
        for (int c = 1; c <= kColumns; ++c)
            row.append(QStringLiteral("ODR%1-%2").arg(r, 8, 10, QLatin1Char('0')).arg(c));
        rows.append(std::move(row));
    }
    const qint64 buildMs = build.elapsed();

    QElapsedTimer fill;
    fill.start();
    list.setRows(std::move(rows));
    QApplication::processEvents();
    list.repaint();
    const qint64 fillMs = fill.elapsed();

    QElapsedTimer sort;
    sort.start();
    list.sortByColumn(3, Qt::DescendingOrder);
    QApplication::processEvents();
    const qint64 sortMs = sort.elapsed();

    QTextStream(stdout) << "report list: " << list.rowCount() << " rows x " << kColumns
                        << " columns; rows built in " << buildMs << " ms, filled and painted in "
                        << fillMs << " ms, sorted by text in " << sortMs << " ms\n";
    return list.rowCount() == kRows && fillMs < 1000 ? 0 : 1;
}
