#include "common/amount.h"
#include "common/listexport.h"
#include "common/reportlist.h"
#include "common/xlswriter.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QLocale kIndonesian(QLocale::Indonesian, QLocale::Indonesia);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

// Reads a file back with an independent reader and returns what it printed as JSON.
QJsonObject readBack(const char *script, const QString &path) {
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"), QString::fromUtf8(script), path});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        qWarning("reader failed: %s", p.readAllStandardError().constData());
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// Every cell and row style of the active sheet, by coordinate.
const char *kXlsxReader = R"(
import sys, json, datetime, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.active
cells = {}
for row in ws.iter_rows():
    for c in row:
        v = c.value
        if v is None:
            continue
        if isinstance(v, datetime.datetime):
            t, v = "date", v.date().isoformat()
        elif isinstance(v, (int, float)):
            t = "number"
        else:
            t = "text"
        cells[c.coordinate] = {"t": t, "v": v, "font": c.font.name, "size": c.font.sz,
                               "bold": bool(c.font.b)}
rows = {str(r): {"font": d.font.name, "size": d.font.sz, "bold": bool(d.font.b)}
        for r, d in ws.row_dimensions.items()}
print(json.dumps({"sheets": wb.sheetnames, "title": ws.title, "cells": cells, "rows": rows}))
)";

// Every sheet with its cells as [type, value] rows (type 1 text, 0 empty).
const char *kXlsReader = R"(
import sys, json, xlrd
b = xlrd.open_workbook(sys.argv[1])
out = {"sheets": b.sheet_names(), "rows": []}
s = b.sheet_by_index(0)
for r in range(s.nrows):
    out["rows"].append([[s.cell_type(r, c), s.cell_value(r, c)] for c in range(s.ncols)])
print(json.dumps(out))
)";

void fill(common::ReportList &list, const QList<common::Column> &columns,
          const QList<QStringList> &rows) {
    list.setColumns(columns);
    list.setRows(rows);
}

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_export : public QObject {
    Q_OBJECT

private slots:
    void init() {
        common::setAmountLocale(kIndonesian);
        QVERIFY(dir.isValid());
    }

    void cleanup() {
        common::setAmountLocale(QLocale::c());
        common::setSpreadsheetOpener({});
        common::setSaveFileDialog({});
    }

    void textToNumber_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("id grouping") << kIndonesian << "1.500" << 1500.0;
        QTest::newRow("id negative") << kIndonesian << "-2.000" << -2000.0;
        QTest::newRow("id currency") << kIndonesian << "Rp 1.500" << 1500.0;
        QTest::newRow("id millions") << kIndonesian << "1.250.000" << 1250000.0;
        QTest::newRow("id decimals") << kIndonesian << "2,5" << 2.5;
        QTest::newRow("id letters") << kIndonesian << "abc" << 0.0;
        QTest::newRow("id empty") << kIndonesian << "" << 0.0;
        QTest::newRow("id date text") << kIndonesian << "2026-12-11" << 0.0;
        QTest::newRow("en grouping") << kEnglish << "1,500" << 1500.0;
        QTest::newRow("en decimals") << kEnglish << "1.5" << 1.5;
        QTest::newRow("en currency") << kEnglish << "Rp -2,000" << -2000.0;
    }

    void textToNumber() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        common::setAmountLocale(locale);
        QCOMPARE(common::TextToNumber(text), value);
    }

    void textToDate_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        const QDate dec11(2026, 12, 11);
        QTest::newRow("server date") << kIndonesian << "2026-12-11" << dec11;
        QTest::newRow("server datetime") << kIndonesian << "2026-12-11 14:05:33" << dec11;
        QTest::newRow("id short") << kIndonesian << "11/12/26" << dec11;
        QTest::newRow("id long year") << kIndonesian << "11/12/2026" << dec11;
        QTest::newRow("id one digit") << kIndonesian << "1/2/2026" << QDate(2026, 2, 1);
        QTest::newRow("id with time") << kIndonesian << "11/12/2026 14.05" << dec11;
        QTest::newRow("en short") << kEnglish << "12/11/26" << dec11;
        QTest::newRow("no such day") << kIndonesian << "2026-02-30" << QDate();
        QTest::newRow("zero date") << kIndonesian << "0000-00-00" << QDate();
        QTest::newRow("words") << kIndonesian << "bukan tanggal" << QDate();
        QTest::newRow("date and words") << kIndonesian << "11/12/2026 pagi" << QDate();
        QTest::newRow("empty") << kIndonesian << "" << QDate();
    }

    void textToDate() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QDate, date);
        common::setAmountLocale(locale);
        QCOMPARE(common::textToDate(text), date);
        const QString shown = common::TextToDateText(text);
        QCOMPARE(shown, date.isValid() ? locale.toString(date, QLocale::ShortFormat) : QString());
        if (date.isValid()) // the short text reads back to the same day
            QCOMPARE(common::textToDate(shown), date);
    }

    // The whole catalogue/register path: a real list, the file in the temporary folder, the
    // progress bar, the typed cells read back by openpyxl, and no program to open it.
    void workbookFromList() {
        common::ReportList list;
        fill(list,
             {{"0", 0, common::Left},
              {"Harga", 1000, common::Right},
              {"Tgl Daftar", 1000, common::Left},
              {"TANGGAL", 1000, common::Centre},
              {"Tanggal", 1000, common::Centre},
              {"RegDate", 2000, common::Left},
              {"Qty", 500, common::Centre},
              {"Nama", 2000, common::Left}},
             {{"1.500", "2026-12-11", "11/12/2026", "2026-12-11 14:05:33", "2026-12-11 14:05:33",
               "5", "Nasi Goreng"},
              {"-2.000", "bukan tanggal", "", "2027-01-02", "2026-12-11", "12", "Kopi ☕"},
              {"Rp 1.500", "", "", "", "", "", ""},
              {"abc"}});
        QProgressBar pb;
        pb.hide();
        MessageRecorder messages;
        ClockPin clock(QDateTime(QDate(2026, 12, 11), QTime(14, 5, 33)));
        QStringList opened;
        bool barHiddenWhenOpened = false;
        common::setSpreadsheetOpener([&](const QString &path) {
            opened << path;
            barHiddenWhenOpened = pb.isHidden();
            return false;
        });

        common::exportButtonToWorkbook(&list, &pb, QStringLiteral("DAFTAR PESANAN (ORDER LIST)"));

        const QString path =
            QDir::tempPath() +
            QStringLiteral("/DAFTAR PESANAN (ORDER LIST) 2026-12-11 14.05.33.xlsx");
        QCOMPARE(opened, QStringList{path});
        QVERIFY(barHiddenWhenOpened);
        QVERIFY(QFile::exists(path)); // kept: the program may still have it open
        QCOMPARE(pb.maximum(), 4);
        QCOMPARE(pb.value(), 4);
        QVERIFY(pb.isHidden());
        QCOMPARE(messages.entries.size(), 1);
        QCOMPARE(messages.entries[0].icon, msg::Icon::Information);
        QCOMPARE(messages.lastText(),
                 "Program spreadsheet tidak ditemukan. File disimpan di:\n" + path);

        const QJsonObject book = readBack(kXlsxReader, path);
        QFile::remove(path);
        QCOMPARE(book["sheets"].toArray(), QJsonArray{"Sheet1"});
        const QJsonObject cells = book["cells"].toObject();
        struct Expect {
            const char *cell, *type;
            QJsonValue value;
            bool bold;
        };
        const QList<Expect> expected{
            {"A1", "text", "DAFTAR PESANAN (ORDER LIST)", true},
            {"A2", "text", "Harga", true},
            {"B2", "text", "Tgl Daftar", true},
            {"G2", "text", "Nama", true},
            {"A3", "number", 1500, false},
            {"A4", "number", -2000, false},
            {"A5", "number", 1500, false},
            {"A6", "number", 0, false},
            {"B3", "date", "2026-12-11", false},
            {"C3", "date", "2026-12-11", false},
            {"D3", "date", "2026-12-11", false},
            {"D4", "date", "2027-01-02", false},
            {"E3", "text", "2026-12-11 14:05:33", false},
            {"F3", "text", "5", false},
            {"F4", "text", "12", false},
            {"G4", "text", "Kopi ☕", false},
        };
        for (const Expect &e : expected) {
            const QJsonObject c = cells[e.cell].toObject();
            QVERIFY2(!c.isEmpty(), e.cell);
            QCOMPARE(c["t"].toString(), QString::fromLatin1(e.type));
            QCOMPARE(c["v"], e.value);
            QCOMPARE(c["font"].toString(), QStringLiteral("Arial"));
            QCOMPARE(c["size"].toDouble(), 8.0);
            QCOMPARE(c["bold"].toBool(), e.bold);
        }
        // A non-date in a date column and empty texts leave their cells empty; nothing lands
        // past the last column, so the spacer was not written.
        for (const char *empty : {"B4", "B5", "C4", "H2", "H3"})
            QVERIFY2(!cells.contains(empty), empty);
        const QJsonObject rows = book["rows"].toObject();
        for (int r = 1; r <= 6; ++r) {
            const QJsonObject row = rows[QString::number(r)].toObject();
            QCOMPARE(row["font"].toString(), QStringLiteral("Arial"));
            QCOMPARE(row["size"].toDouble(), 8.0);
            QCOMPARE(row["bold"].toBool(), r <= 2);
        }
    }

    void onlySpacerColumn() {
        const QString path = dir.filePath("spacer.xlsx");
        common::ListContent content{{"0"}, {common::Left}, {{}, {}, {}}};
        QString error;
        QVERIFY2(common::writeListWorkbook(path, "SETUP MENU CAFE", content, {}, &error),
                 qPrintable(error));
        const QJsonObject book = readBack(kXlsxReader, path);
        QCOMPARE(book["cells"].toObject().keys(), QStringList{"A1"});
        const QJsonObject rows = book["rows"].toObject();
        for (int r = 3; r <= 5; ++r) {
            const QJsonObject row = rows[QString::number(r)].toObject();
            QCOMPARE(row["font"].toString(), QStringLiteral("Arial"));
            QCOMPARE(row["size"].toDouble(), 8.0);
        }
    }

    void emptyListWorkbookButton() {
        common::ReportList list;
        list.setColumns({{"0", 0, common::Left}, {"ID", 700, common::Centre}});
        QProgressBar pb;
        pb.hide();
        MessageRecorder messages;
        int opened = 0;
        common::setSpreadsheetOpener([&](const QString &) { return ++opened, true; });
        common::exportButtonToWorkbook(&list, &pb, "SETUP MENU CAFE");
        QCOMPARE(opened, 0);
        QCOMPARE(messages.texts(), QStringList{"Tidak ada data!"});
        QCOMPARE(messages.entries[0].icon, msg::Icon::Exclamation);
        QVERIFY(pb.isHidden());
    }

    void workbookWriteFailure() {
        const QString path = dir.filePath("missing-folder/x.xlsx");
        QString error;
        QVERIFY(!common::writeListWorkbook(path, "T", {{"0"}, {common::Left}, {}}, {}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    // Text cells of every kind of length and script, read back by xlrd; the large case
    // needs more than 109 allocation sectors, the long texts span continuation records.
    void xlsRoundTrip_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("texts") << QStringList{"0", "Kode", "Nama Menu", "Akses"}
                               << QList<QStringList>{{"G01", "Kasir Ü", "✓"},
                                                     {"G02", "", "ya"},
                                                     {"G01", "Kasir Ü"}};
        QList<QStringList> longRows;
        for (int r = 0; r < 6; ++r)
            longRows.append({QString(3000 + r * 1000, QChar(u'a' + r)),
                             QString(5000, QChar(0x0100 + r)), QStringLiteral("x%1").arg(r)});
        QTest::newRow("long texts") << QStringList{"0", "A", "B", "C"} << longRows;
        QList<QStringList> many;
        for (int r = 0; r < 25000; ++r) {
            QStringList row;
            for (int c = 1; c < 10; ++c)
                row.append(QStringLiteral("baris %1 kolom %2 teks panjang sekali").arg(r).arg(c));
            many.append(row);
        }
        QStringList titles{"0"};
        for (int c = 1; c < 10; ++c)
            titles.append(QStringLiteral("Kolom %1").arg(c));
        QTest::newRow("large") << titles << many;
    }

    void xlsRoundTrip() {
        QFETCH(QStringList, titles);
        QFETCH(QList<QStringList>, rows);
        common::ReportList list;
        QList<common::Column> columns;
        for (const QString &t : titles)
            columns.append({t, 1000, common::Left});
        fill(list, columns, rows);
        const QString path = dir.filePath(QStringLiteral("%1.xls").arg(QTest::currentDataTag()));
        MessageRecorder messages;
        QVERIFY(common::ExportListview(&list, path, "Sheet1", false));
        QVERIFY(messages.entries.isEmpty());

        const QJsonObject book = readBack(kXlsReader, path);
        QCOMPARE(book["sheets"].toArray(), QJsonArray{"Sheet1"});
        const QJsonArray sheet = book["rows"].toArray();
        QCOMPARE(sheet.size(), rows.size() + 1);
        for (int r = 0; r <= rows.size(); ++r) {
            const QJsonArray got = sheet[r].toArray();
            QCOMPARE(got.size(), titles.size());
            for (int c = 0; c < titles.size(); ++c) {
                const QString want = r == 0   ? titles[c]
                                     : c == 0 ? QString()
                                              : rows[r - 1].value(c - 1);
                const QJsonArray cell = got[c].toArray();
                QCOMPARE(cell[0].toInt(), want.isEmpty() ? 0 : 1);
                if (cell[1].toString() != want)
                    QFAIL(qPrintable(QStringLiteral("row %1 column %2").arg(r).arg(c)));
            }
        }
    }

    // The group editor: an empty list still asks for a file and writes the header row; a
    // second export into the same file fails and leaves it as it was.
    void groupEditorButton() {
        common::ReportList list;
        list.setColumns(
            {{"0", 0, common::Left}, {"Kode", 800, common::Centre}, {"Menu", 2000, common::Left}});
        const QString path = dir.filePath("group.xls");
        int asked = 0;
        common::setSaveFileDialog([&] { return ++asked, path; });
        MessageRecorder messages;

        common::exportButtonToXls(&list);
        QCOMPARE(asked, 1);
        QCOMPARE(messages.texts(), (QStringList{"Tidak ada data!", "Export sukses!"}));
        QCOMPARE(messages.entries[1].icon, msg::Icon::Information);
        const QJsonObject book = readBack(kXlsReader, path);
        QCOMPARE(book["rows"].toArray(),
                 (QJsonArray{QJsonArray{QJsonArray{1, "0"}, QJsonArray{1, "Kode"},
                                        QJsonArray{1, "Menu"}}}));

        const QByteArray before = contents(path);
        list.setRows({{"mn0101", "Ganti Password"}});
        messages.clear();
        common::exportButtonToXls(&list);
        QCOMPARE(messages.entries.size(), 1);
        QCOMPARE(messages.entries[0].icon, msg::Icon::Critical);
        QVERIFY2(messages.lastText().startsWith("Export gagal!\nWorksheet 'Sheet1' sudah ada"),
                 qPrintable(messages.lastText()));
        QCOMPARE(contents(path), before);

        // Cancelling the dialog stops quietly.
        common::setSaveFileDialog([] { return QString(); });
        messages.clear();
        common::exportButtonToXls(&list);
        QVERIFY(messages.entries.isEmpty());
    }

    void listviewRefusals() {
        common::ReportList list;
        list.setColumns({{"0", 0, common::Left}, {"Kode", 800, common::Centre}});
        MessageRecorder messages;
        QVERIFY(!common::ExportListview(&list, QString(), "Sheet1", false));
        QVERIFY(!common::ExportListview(nullptr, dir.filePath("n.xls"), "Sheet1", false));
        QCOMPARE(messages.texts(),
                 (QStringList{"No filename given.", "Listview must be in Report mode."}));
        for (const auto &e : messages.entries) {
            QCOMPARE(e.icon, msg::Icon::Critical);
            QCOMPARE(e.title, QStringLiteral("ExportListview"));
        }
        QVERIFY_THROWS_EXCEPTION(
            common::ExportError,
            common::ExportListview(&list, dir.filePath("a.xls"), "Sheet1", true));
        QVERIFY_THROWS_EXCEPTION(
            common::ExportError,
            common::ExportListview(&list, dir.filePath("b.xls"), "Sheet[1]", false));
        QVERIFY(!QFile::exists(dir.filePath("a.xls")));
        QVERIFY(!QFile::exists(dir.filePath("b.xls")));
    }

private:
    QTemporaryDir dir;
};

QTEST_MAIN(tst_export)
#include "tst_export.moc"
