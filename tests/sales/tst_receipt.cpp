#include "common/amount.h"
#include "sales/receipt.h"

#include <QtTest>

using sales::ReceiptData;
using sales::ReceiptSettings;

namespace {

QString sp(int n) {
    return QString(n, QLatin1Char(' '));
}

// "key=value" rows in the order the table returns them.
ReceiptSettings settingsFrom(const QStringList &rows) {
    QList<std::pair<QString, QString>> pairs;
    for (const QString &row : rows) {
        const qsizetype eq = row.indexOf(QLatin1Char('='));
        pairs.append({row.left(eq), row.mid(eq + 1)});
    }
    return ReceiptSettings::fromRows(pairs);
}

// "name|qty|amount" per item.
ReceiptData dataWith(const QStringList &items) {
    ReceiptData d;
    d.buyerLine = QStringLiteral("Budi ## umum");
    d.campusLine = QStringLiteral("Putra");
    for (const QString &item : items) {
        const QStringList f = item.split(QLatin1Char('|'));
        d.items.append({f[0], f[1], f[2]});
    }
    d.totalQty = QStringLiteral("3");
    d.totalAmount = QStringLiteral("35.000");
    d.printedAt = QDateTime(QDate(2024, 3, 15), QTime(14, 30, 59));
    d.alias = QStringLiteral("kasir");
    return d;
}

const QStringList kTwoItems = {QStringLiteral("Nasi Goreng|2|30.000"),
                               QStringLiteral("Es Teh|1|5.000")};

} // namespace

class TestReceipt : public QObject {
    Q_OBJECT

private slots:
    // A whole receipt, every line checked, with the CR LF ends and the open last line.
    void wholeReceipt() {
        const ReceiptSettings s = settingsFrom(
            {QStringLiteral("StrukPanjangKertas=40"), QStringLiteral("StrukTabKiri=2"),
             QStringLiteral("StrukTabBawah=2"), QStringLiteral("StrukHeader1=KANTIN"),
             QStringLiteral("StrukHeader2=SINDARA"), QStringLiteral("StrukHeader3=Jl. Pondok 1"),
             QStringLiteral("StrukFooterText=Terima kasih"),
             QStringLiteral("StrukFooterText2= Datang lagi ")});
        const QString m = sp(2);
        const QString dash = QString(39, QLatin1Char('-'));
        const QStringList expected = {
            m + sp(17) + "KANTIN",
            m + sp(16) + "SINDARA",
            m + sp(14) + "Jl. Pondok 1",
            m + sp(20),
            m + dash,
            m + sp(7) + "15-03-2024 14:30:59 kasir",
            m + sp(20),
            m + "Budi ## umum",
            m + "Putra",
            m + dash,
            m + "Nasi Goreng" + sp(14) + "  2" + sp(5) + "30.000",
            m + "Es Teh" + sp(19) + "  1" + sp(6) + "5.000",
            m + dash,
            m + "GRAND TOTAL" + sp(22) + "35.000",
            m + "JUMLAH BARANG" + sp(25) + "3",
            m + "BAYAR" + sp(28) + "35.000",
            m,
            m + dash,
            m + sp(14) + "Terima kasih",
            m + sp(14) + " Datang lagi ",
            m + " ",
            m + " \r\n \r\n",
            m + " ",
        };
        const QString text = sales::composeReceipt(s, dataWith(kTwoItems));
        QCOMPARE(text, expected.join(QStringLiteral("\r\n")));
        QVERIFY(!text.endsWith(QStringLiteral("\r\n")));
    }

    // Lines compared from index `first` (negative: counted from the end).
    void layout_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("first");
        QTest::addColumn<QStringList>("expected");

        const QString w40 = QStringLiteral("StrukPanjangKertas=40");
        const QString m1 = QStringLiteral("StrukTabKiri=1");
        const QString name25 = QStringLiteral("Ayam Bakar Madu Pedas Man"); // 25
        const QString name26 = name25 + QLatin1Char('s');
        const QString name40 = QStringLiteral("Paket Nasi Ayam Bakar Madu Dan Es Teh Ma");

        QTest::newRow("W 40, six-character header: 17 blanks")
            << QStringList{w40, m1, "StrukHeader1=Kantin"} << kTwoItems << 0
            << QStringList{" " + sp(17) + "Kantin"};
        QTest::newRow("W 40, seven-character header: the half blank dropped")
            << QStringList{w40, m1, "StrukHeader1=Kantin!"} << kTwoItems << 0
            << QStringList{" " + sp(16) + "Kantin!"};
        QTest::newRow("W 40: separator of 39, empty centred line of 20")
            << QStringList{w40, m1} << kTwoItems << 4
            << QStringList{" " + QString(39, '-'), " " + sp(7) + "15-03-2024 14:30:59 kasir",
                           " " + sp(20)};
        QTest::newRow("W 40: GRAND TOTAL with a six-character total spans 39")
            << QStringList{w40} << kTwoItems << 13
            << QStringList{"GRAND TOTAL" + sp(22) + "35.000"};
        QTest::newRow("name of 25: no padding, amount ends in column 39")
            << QStringList{w40} << QStringList{name25 + "|2|30.000"} << 10
            << QStringList{name25 + "  2" + sp(5) + "30.000"};
        QTest::newRow("name of 26: followed directly by two blanks and the quantity")
            << QStringList{w40} << QStringList{name26 + "|2|30.000"} << 10
            << QStringList{name26 + "  2" + sp(4) + "30.000"};
        QTest::newRow("item text wider than W: no blanks before the amount")
            << QStringList{w40} << QStringList{name40 + "|12|30.000"} << 10
            << QStringList{name40 + "  12" + "30.000"};
        QTest::newRow("StrukTabBawah 3: three feed lines and an empty one")
            << QStringList{w40, m1, "StrukTabBawah=3"} << kTwoItems << -6
            << QStringList{"  ", "  ", " ", " ", "", "  "};
        QTest::newRow("StrukTabBawah 0: the margin alone before the last line")
            << QStringList{w40, m1, "StrukTabBawah=0"} << kTwoItems << -3
            << QStringList{"  ", " ", "  "};
        QTest::newRow("last row of a key wins")
            << QStringList{w40, "StrukHeader1=Lama", "StrukPanjangKertas=20", "StrukHeader1=Baru"}
            << kTwoItems << 0 << QStringList{sp(8) + "Baru"};
        QTest::newRow("width taken from the leading number")
            << QStringList{"StrukPanjangKertas=10 cm"} << kTwoItems << 4
            << QStringList{QString(9, '-')};
        QTest::newRow("width 1: no separator")
            << QStringList{"StrukPanjangKertas=1"} << kTwoItems << 4 << QStringList{""};
        QTest::newRow("total wider than the line: no blanks")
            << QStringList{"StrukPanjangKertas=12"} << kTwoItems << 13
            << QStringList{"GRAND TOTAL35.000", "JUMLAH BARANG3", "BAYAR35.000"};
        QTest::newRow("footer centred on its trimmed length, printed as stored")
            << QStringList{w40, "StrukFooterText=   Terima kasih   "} << kTwoItems << -5
            << QStringList{sp(14) + "   Terima kasih   "};
        QTest::newRow("missing settings: empty headers, no separators, no centring")
            << QStringList{} << QStringList{"Nasi Goreng|2|30.000"} << 0
            << QStringList{"",
                           "",
                           "",
                           "",
                           "",
                           "15-03-2024 14:30:59 kasir",
                           "",
                           "Budi ## umum",
                           "Putra",
                           "",
                           "Nasi Goreng" + sp(14) + "  2" + "30.000",
                           "",
                           "GRAND TOTAL35.000",
                           "JUMLAH BARANG3",
                           "BAYAR35.000",
                           "",
                           "",
                           "",
                           "",
                           " ",
                           "",
                           " "};
    }

    void layout() {
        QFETCH(QStringList, settings);
        QFETCH(QStringList, items);
        QFETCH(int, first);
        QFETCH(QStringList, expected);
        const QStringList lines = sales::composeReceipt(settingsFrom(settings), dataWith(items))
                                      .split(QStringLiteral("\r\n"));
        const qsizetype from = first < 0 ? lines.size() + first : first;
        QCOMPARE(lines.mid(from, expected.size()), expected);
        if (settings.isEmpty())
            QCOMPARE(lines.size(), expected.size());
    }

    void settingsNumbers_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("margin");
        QTest::addColumn<int>("feed");
        QTest::newRow("plain") << QStringList{"StrukPanjangKertas=42", "StrukTabKiri=3",
                                              "StrukTabBawah=5"}
                               << 42 << 3 << 5;
        QTest::newRow("not numbers read as 0")
            << QStringList{"StrukPanjangKertas=lebar", "StrukTabKiri=", "StrukTabBawah=x"} << 0 << 0
            << 0;
        QTest::newRow("key compared exactly")
            << QStringList{"strukpanjangkertas=42", "StrukTabKiri =3"} << 0 << 0 << 0;
    }

    void settingsNumbers() {
        QFETCH(QStringList, rows);
        const ReceiptSettings s = settingsFrom(rows);
        QTEST(s.width, "width");
        QTEST(s.margin, "margin");
        QTEST(s.feed, "feed");
    }

    void jobBytes() {
        const QByteArray job =
            sales::receiptJobBytes(QStringLiteral("Caf\u00e9 \u20ac5 \u2713\r\n "));
        QCOMPARE(job, QByteArray("\r\nCaf\xe9 \x80"
                                 "5 ?\r\n \r\n\x1d\x56\x30"));
    }

    // Stored names and settings never reach the printer raw: a control character prints as
    // one "?", a character the code page cannot hold as one "?", whatever its UTF-16 length.
    void storedTextsSafe_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QByteArray>("printed");
        QTest::newRow("paper cut") << QStringLiteral("Teh\x1d\x56\x30") << QByteArray("Teh?V0");
        QTest::newRow("drawer kick")
            << QStringLiteral("Kopi\x1bp\x00\x19\xfa") << QByteArray("Kopi?p??\xfa");
        QTest::newRow("line ends") << QStringLiteral("A\r\nB\tC") << QByteArray("A??B?C");
        QTest::newRow("delete") << QStringLiteral("X\x7fY") << QByteArray("X?Y");
        QTest::newRow("emoji") << QStringLiteral("Es \U0001F964 Jumbo") << QByteArray("Es ? Jumbo");
        QTest::newRow("code page kept")
            << QStringLiteral("Caf\u00e9 \u20ac") << QByteArray("Caf\xe9 \x80");
    }

    void storedTextsSafe() {
        QFETCH(QString, stored);
        QFETCH(QByteArray, printed);
        ReceiptSettings s = settingsFrom({QStringLiteral("StrukPanjangKertas=40")});
        s.headers[0] = stored;
        s.footer1 = stored;
        ReceiptData d = dataWith({stored + QStringLiteral("|1|5.000")});
        d.buyerLine = stored;
        d.alias = stored;
        const QByteArray job = sales::receiptJobBytes(sales::composeReceipt(s, d));
        // Every stored text arrives as its safe form; the job keeps only its own commands.
        QVERIFY(job.count(printed) >= 5);
        QCOMPARE(job.count("\x1d\x56\x30"), 1);
        QVERIFY(job.endsWith("\r\n\x1d\x56\x30"));
        QVERIFY(!job.contains('\x1b'));
        QVERIFY(!job.contains('\x7f'));
        QVERIFY(!job.contains('\t'));
        QVERIFY(!job.contains('\0'));
        // The composer's own lines are still the only line ends: as many as without the texts.
        const QByteArray plain = sales::receiptJobBytes(
            sales::composeReceipt(settingsFrom({QStringLiteral("StrukPanjangKertas=40")}),
                                  dataWith({QStringLiteral("x|1|5.000")})));
        QCOMPARE(job.count("\r\n"), plain.count("\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestReceipt)
#include "tst_receipt.moc"
