#include "common/listexport.h"

#include "common/amount.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include <xlsxwriter.h>

#include <cmath>
#include <memory>

namespace common {
namespace {

bool hasOnlyShortYear(const QString &format) {
    return format.contains(QLatin1String("yy")) && !format.contains(QLatin1String("yyyy"));
}

// Day and month of one or two digits, as people type them.
QString looseDayMonth(QString format) {
    if (!format.contains(QLatin1String("MMM")))
        format.replace(QLatin1String("MM"), QLatin1String("M"));
    if (!format.contains(QLatin1String("ddd")))
        format.replace(QLatin1String("dd"), QLatin1String("d"));
    return format;
}

QDate localeDate(const QString &text) {
    const QLocale locale = amountLocale();
    const QString format = looseDayMonth(locale.dateFormat(QLocale::ShortFormat));
    if (hasOnlyShortYear(format)) {
        QString longYear = format;
        longYear.replace(QLatin1String("yy"), QLatin1String("yyyy"));
        if (const QDate d = locale.toDate(text, longYear); d.isValid())
            return d;
        QDate d = locale.toDate(text, format);
        // Two-digit years read as 19xx; a canteen's dates are recent, birthdays may be older.
        if (d.isValid() && d.year() + 100 <= QDate::currentDate().year() + 20)
            d = d.addYears(100);
        return d;
    }
    return locale.toDate(text, format);
}

} // namespace

double TextToNumber(const QString &text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= '0' && u <= '9') || u == '.' || u == ',' || u == '-')
            kept.append(c);
    }
    if (kept.isEmpty())
        return 0;
    bool ok = false;
    const double value = amountLocale().toDouble(kept, &ok);
    return ok && std::isfinite(value) ? value : 0;
}

QDate textToDate(const QString &text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    static const QRegularExpression iso(
        QStringLiteral(R"(^(\d{4})-(\d{2})-(\d{2})(?:[ T]\d{1,2}:\d{2}(?::\d{2}(?:\.\d+)?)?)?$)"));
    if (const auto m = iso.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    // The locale's short date, a time may follow.
    static const QRegularExpression time(QStringLiteral(R"(^\d{1,2}[:.]\d{2}(?:[:.]\d{2})?$)"));
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    if (blank >= 0 && !time.match(t.mid(blank + 1).trimmed()).hasMatch())
        return localeDate(t);
    return localeDate(blank >= 0 ? t.left(blank) : t);
}

QString TextToDateText(const QString &text) {
    const QDate d = textToDate(text);
    return d.isValid() ? amountLocale().toString(d, QLocale::ShortFormat) : QString();
}

CellKind cellKind(const QString &title, Qt::Alignment alignment) {
    if (alignment & Qt::AlignRight)
        return CellKind::Number;
    const QString lower = title.toLower();
    if (lower.contains(QLatin1String("tanggal")) || lower.contains(QLatin1String("tgl")))
        return CellKind::Date;
    return CellKind::Text;
}

bool writeListWorkbook(const QString &path, const QString &title, const ListContent &content,
                       const Progress &progress, QString *error) {
    const QByteArray file = QFile::encodeName(path);
    std::unique_ptr<lxw_workbook, void (*)(lxw_workbook *)> wb(workbook_new(file.constData()),
                                                               [](lxw_workbook *w) {
                                                                   if (w)
                                                                       workbook_close(w);
                                                               });
    if (!wb) {
        if (error)
            *error = QStringLiteral("Workbook tidak dapat dibuat.");
        return false;
    }
    lxw_worksheet *ws = workbook_add_worksheet(wb.get(), "Sheet1");
    auto font = [&wb](bool bold) {
        lxw_format *f = workbook_add_format(wb.get());
        format_set_font_name(f, "Arial");
        format_set_font_size(f, 8);
        if (bold)
            format_set_bold(f);
        return f;
    };
    lxw_format *bold = font(true);
    lxw_format *plain = font(false);
    lxw_format *date = font(false);
    format_set_num_format_index(date, 14); // the reader's short date

    const int n = static_cast<int>(content.rows.size());
    worksheet_set_row(ws, 0, LXW_DEF_ROW_HEIGHT, bold);
    worksheet_set_row(ws, 1, LXW_DEF_ROW_HEIGHT, bold);
    worksheet_write_string(ws, 0, 0, title.toUtf8().constData(), bold);

    const int columns = static_cast<int>(content.titles.size());
    QList<CellKind> kinds;
    for (int c = 1; c < columns; ++c) {
        worksheet_write_string(ws, 1, static_cast<lxw_col_t>(c - 1),
                               content.titles[c].toUtf8().constData(), bold);
        kinds.append(cellKind(content.titles[c], content.alignments.value(c, Qt::AlignLeft)));
    }

    for (int r = 0; r < n; ++r) {
        const QStringList &row = content.rows[r];
        const auto sheetRow = static_cast<lxw_row_t>(r + 2);
        worksheet_set_row(ws, sheetRow, LXW_DEF_ROW_HEIGHT, plain);
        for (int c = 1; c < columns; ++c) {
            const QString text = row.value(c - 1);
            const auto col = static_cast<lxw_col_t>(c - 1);
            switch (kinds[c - 1]) {
            case CellKind::Number:
                worksheet_write_number(ws, sheetRow, col, TextToNumber(text), plain);
                break;
            case CellKind::Date:
                // Spreadsheets count days from 1900; an older date has no cell value.
                if (const QDate d = textToDate(text); d.isValid() && d.year() >= 1900) {
                    lxw_datetime dt{d.year(), d.month(), d.day(), 0, 0, 0};
                    worksheet_write_datetime(ws, sheetRow, col, &dt, date);
                }
                break;
            case CellKind::Text:
                if (!text.isEmpty())
                    worksheet_write_string(ws, sheetRow, col, text.toUtf8().constData(), plain);
                break;
            }
        }
        if (progress)
            progress(r + 1);
    }

    const lxw_error result = workbook_close(wb.release());
    if (result != LXW_NO_ERROR) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, QString::fromUtf8(lxw_strerror(result)));
        return false;
    }
    return true;
}

QList<QStringList> xlsRows(const ListContent &content) {
    QList<QStringList> rows;
    rows.reserve(content.rows.size() + 1);
    rows.append(content.titles);
    const qsizetype columns = content.titles.size();
    for (const QStringList &subItems : content.rows) {
        QStringList row;
        row.reserve(columns);
        if (columns > 0)
            row.append(QString()); // the item text, empty on the shared list
        for (qsizetype c = 1; c < columns; ++c)
            row.append(subItems.value(c - 1));
        rows.append(std::move(row));
    }
    return rows;
}

QString workbookPath(const QString &folder, const QString &title, const QDateTime &at) {
    QString name = title.trimmed();
    static const QRegularExpression unsafe(QStringLiteral(R"([/\\:*?"<>|\x00-\x1f])"));
    name.replace(unsafe, QStringLiteral("-"));
    if (name.isEmpty())
        name = QStringLiteral("Export");
    const QString base = folder + QLatin1Char('/') + name + QLatin1Char(' ') +
                         at.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    // A second export within the same second must not overwrite a workbook that may be open.
    QString path = base + QStringLiteral(".xlsx");
    for (int i = 2; QFile::exists(path); ++i)
        path = QStringLiteral("%1 (%2).xlsx").arg(base).arg(i);
    return path;
}

} // namespace common
