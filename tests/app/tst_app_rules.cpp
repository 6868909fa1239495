// Rules of the app folder that need no database: the menu tree, the version comparison, the
// hardware address text, the panel width arithmetic and the settings keys.
#include "app/formats.h"
#include "app/macaddress.h"
#include "app/menutree.h"
#include "app/modParameter.h"
#include "app/netidentity.h"
#include "app/versioncheck.h"
#include "common/twips.h"
#include "common/uirules.h"
#include "common/uiseams.h"
#include "core/messages.h"

#include "support/fakeidentity.h"

#include <QApplication>
#include <QDateEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using app::MenuEntry;
using Kind = app::MenuEntry::Kind;

Q_DECLARE_METATYPE(QList<app::MenuRow>)
Q_DECLARE_METATYPE(QList<app::MenuEntry>)

class TestAppRules : public QObject {
    Q_OBJECT

private slots:
    // Run under LANG=C.UTF-8: where the system names no language, texts read Indonesian.
    void indonesianWhereTheSystemNamesNone() {
        QCOMPARE(QLocale::system().language(), QLocale::C);
        common::installUiSeams();
        QCOMPARE(app::longDateText(QDate(2026, 12, 11)), QStringLiteral("Jumat, 11 Desember 2026"));
        QCOMPARE(app::loginDateText(QDateTime(QDate(2026, 12, 11), QTime(8, 0))),
                 QStringLiteral("11 Desember 2026"));
        QDateEdit picker;
        QCOMPARE(picker.locale().language(), QLocale::Indonesian);

        // The real message box, read while it is open.
        QStringList captions;
        auto readAndClose = [&captions] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QAbstractButton *b : box->buttons())
                captions << b->text();
            box->button(box->buttons().contains(box->button(QMessageBox::No)) ? QMessageBox::No
                                                                              : QMessageBox::Cancel)
                ->click();
        };
        QTimer::singleShot(0, readAndClose);
        QVERIFY(!msg::askYesNo(QStringLiteral("Lanjut?"), QStringLiteral("CAFE SINDARA")));
        QTimer::singleShot(0, readAndClose);
        msg::show(msg::Icon::Question, QStringLiteral("CAFE SINDARA"), QStringLiteral("Lanjut?"),
                  msg::Buttons::OkCancel);
        captions.sort();
        QCOMPARE(captions, (QStringList{"Batal", "OK", "Tidak", "Ya"}));

        // The reprint question keeps its "?" on the line of its text.
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->button(QMessageBox::No)->click();
            }
        });
        msg::askYesNo(QStringLiteral("Apakah yakin cetak struk transaksi ini >> "
                                     "ODR261211175708763381 ?"),
                      QString());
        QCOMPARE(shown, QStringLiteral("Apakah yakin cetak struk transaksi ini >> "
                                       "ODR261211175708763381\u00A0?"));

        // An empty caption shows the application's title, never the executable's name.
        QWidget untitled;
        untitled.show();
        QCOMPARE(untitled.windowTitle(), QStringLiteral("CAFE SINDARA"));
        QWidget titled;
        titled.setWindowTitle(QStringLiteral("Setup Waktu"));
        titled.show();
        QCOMPARE(titled.windowTitle(), QStringLiteral("Setup Waktu"));
    }

    void menuTree_data() {
        QTest::addColumn<QList<app::MenuRow>>("rows");
        QTest::addColumn<QList<app::MenuEntry>>("expected");

        QTest::newRow("top level takes field 2, proper case")
            << QList<app::MenuRow>{{"mn01", "01.SISTEM"}}
            << QList<MenuEntry>{{"", "mn01", Kind::Item, "Sistem"}};
        QTest::newRow("second level keeps the whole label")
            << QList<app::MenuRow>{{"mn01", "01.SISTEM"}, {"mn0101", "0101.GANTI PASSWORD"}}
            << QList<MenuEntry>{{"", "mn01", Kind::Item, "Sistem"},
                                {"mn01", "mn0101", Kind::Item, "0101.Ganti Password"}};
        QTest::newRow("label without a dot")
            << QList<app::MenuRow>{{"mn01", "SISTEM"}, {"mn0101", "GANTI PASSWORD"}}
            << QList<MenuEntry>{{"", "mn01", Kind::Item, "Sistem"},
                                {"mn01", "mn0101", Kind::Item, "Ganti Password"}};
        QTest::newRow("separators: field 2 or a bare hyphen")
            << QList<app::MenuRow>{{"mn01", "01.SISTEM"}, {"mn0102", "0102.-"}, {"mn0103", "-"}}
            << QList<MenuEntry>{{"", "mn01", Kind::Item, "Sistem"},
                                {"mn01", "mn0102", Kind::Separator, ""},
                                {"mn01", "mn0103", Kind::Separator, ""}};
        QTest::newRow("a separator still parents third-level rows")
            << QList<app::MenuRow>{{"mn02", "02.CAFE"},
                                   {"mn0210", "0210.-"},
                                   {"mn021001", "021001.SUB SATU"}}
            << QList<MenuEntry>{{"", "mn02", Kind::Item, "Cafe"},
                                {"mn02", "mn0210", Kind::Separator, ""},
                                {"mn0210", "mn021001", Kind::Item, "021001.Sub Satu"}};
        QTest::newRow("attached to the most recent row of the level above")
            << QList<app::MenuRow>{{"mn01", "01.SATU"},       {"mn0101", "0101.A"},
                                   {"mn010101", "010101.A1"}, {"mn010102", "010102.A2"},
                                   {"mn02", "02.DUA"},        {"mn0201", "0201.B"},
                                   {"mn020101", "020101.B1"}}
            << QList<MenuEntry>{{"", "mn01", Kind::Item, "Satu"},
                                {"mn01", "mn0101", Kind::Item, "0101.A"},
                                {"mn0101", "mn010101", Kind::Item, "010101.A1"},
                                {"mn0101", "mn010102", Kind::Item, "010102.A2"},
                                {"", "mn02", Kind::Item, "Dua"},
                                {"mn02", "mn0201", Kind::Item, "0201.B"},
                                {"mn0201", "mn020101", Kind::Item, "020101.B1"}};
        QTest::newRow("a row whose top level is not granted joins the previous one")
            << QList<app::MenuRow>{{"mn01", "01.SISTEM"}, {"mn0232", "0232.TRANSAKSI UMUM"}}
            << QList<MenuEntry>{{"", "mn01", Kind::Item, "Sistem"},
                                {"mn01", "mn0232", Kind::Item, "0232.Transaksi Umum"}};
        QTest::newRow("a row before any top level has no parent")
            << QList<app::MenuRow>{{"mn0101", "0101.GANTI"}}
            << QList<MenuEntry>{{"", "mn0101", Kind::Item, "0101.Ganti"}};
        QTest::newRow("other lengths are skipped")
            << QList<app::MenuRow>{{"mn0", "X"},
                                   {"mn01", "01.A"},
                                   {"mn01011", "Y"},
                                   {"mn010101011", "Z"},
                                   {"", ""}}
            << QList<MenuEntry>{{"", "mn01", Kind::Item, "A"}};
        QTest::newRow("no rows, no menu") << QList<app::MenuRow>{} << QList<MenuEntry>{};
    }

    void menuTree() {
        QFETCH(QList<app::MenuRow>, rows);
        QFETCH(QList<app::MenuEntry>, expected);
        const QList<MenuEntry> got = app::buildMenuTree(rows);
        QCOMPARE(got.size(), expected.size());
        for (qsizetype i = 0; i < got.size(); ++i) {
            QCOMPARE(got.at(i).parentKey, expected.at(i).parentKey);
            QCOMPARE(got.at(i).key, expected.at(i).key);
            QCOMPARE(got.at(i).kind, expected.at(i).kind);
            QCOMPARE(got.at(i).caption, expected.at(i).caption);
        }
    }

    void versionComparison_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("behind");
        QTest::newRow("newer setting ends") << "1.2.0"
                                            << "1.1.6" << true;
        QTest::newRow("textual: 1.10.0 sorts before 1.9.0") << "1.10.0"
                                                            << "1.9.0" << false;
        QTest::newRow("equal") << "1.0.0"
                               << "1.0.0" << false;
        QTest::newRow("empty setting") << ""
                                       << "1.0.0" << false;
        QTest::newRow("older setting") << "0.9.9"
                                       << "1.0.0" << false;
        QTest::newRow("longer with the same start") << "1.0.0.1"
                                                    << "1.0.0" << true;
    }

    void versionComparison() {
        QFETCH(QString, setting);
        QFETCH(QString, version);
        QFETCH(bool, behind);
        QCOMPARE(app::versionIsBehind(setting, version), behind);
    }

    void macText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("documented") << QByteArray::fromHex("001B0A005E01") << "00-1B-A-00-5E-1";
        QTest::newRow("all high") << QByteArray::fromHex("FFEEDDCCBBAA") << "FF-EE-DD-CC-BB-AA";
        QTest::newRow("small values") << QByteArray::fromHex("010203040F10") << "1-2-3-4-F-10";
    }

    void macText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(app::macText(bytes), text);
    }

    void getMacAddress_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("logText");
        QTest::newRow("found") << QByteArray::fromHex("001B0A005E01") << true << "00-1B-A-00-5E-1";
        QTest::newRow("nothing found") << QByteArray() << false << "(SendARP call failed)";
        QTest::newRow("first four bytes zero")
            << QByteArray::fromHex("00000000AB01") << false << "(SendARP call failed)";
    }

    void getMacAddress() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        QFETCH(QString, logText);
        testsupport::installFakeIdentity(QStringLiteral("10.1.2.3"), bytes);
        QString mac = QStringLiteral("untouched");
        QCOMPARE(app::GetMacAddress(QStringLiteral("10.1.2.3"), &mac), ok);
        if (!ok)
            QCOMPARE(mac, QStringLiteral("untouched"));
        QCOMPARE(app::macTextForLog(QStringLiteral("10.1.2.3")), logText);
        // No address, no lookup: the text stays empty.
        QCOMPARE(app::macTextForLog(QString()), QString());
        app::setNetworkIdentity(nullptr);
    }

    void linuxIdentity() {
        // The platform's own: a dotted IPv4 text, a host name, and the loopback's all-zero
        // hardware address, which the rule refuses.
        app::setNetworkIdentity(nullptr);
        const app::NetworkIdentity &net = app::networkIdentity();
        const QString ip = net.localIPv4();
        static const QRegularExpression dotted(QStringLiteral("^\\d{1,3}(\\.\\d{1,3}){3}$"));
        QVERIFY2(ip.isEmpty() || dotted.match(ip).hasMatch(), qPrintable(ip));
        QVERIFY(!net.hostName().isEmpty());
        QVERIFY(net.hardwareAddress(QStringLiteral("not an address")).isEmpty());
        QVERIFY(net.hardwareAddress(QStringLiteral("0.0.0.0")).isEmpty());
        QCOMPARE(app::macTextForLog(QStringLiteral("127.0.0.1")),
                 QStringLiteral("(SendARP call failed)"));
    }

    void panelWidth_data() {
        QTest::addColumn<int>("textWidth");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("width");
        QTest::newRow("96 dpi: 75 twips are 5 pixels") << 100 << 96 << 105;
        QTest::newRow("144 dpi: 7 pixels (7.5 truncated)") << 100 << 144 << 107;
        QTest::newRow("192 dpi: 10 pixels") << 0 << 192 << 10;
    }

    void panelWidth() {
        QFETCH(int, textWidth);
        QFETCH(int, dpi);
        QFETCH(int, width);
        QCOMPARE(app::colouredPanelWidth(textWidth, dpi), width);
        QCOMPARE(common::twipsToPixels(1440, dpi), dpi);
    }

    void settingKeys() {
        core::Settings s;
        QVERIFY(app::applySetting(s, QStringLiteral("LembagaTransID"), QStringLiteral("SDR")));
        QCOMPARE(s.lembagaTransId, QStringLiteral("SDR"));
        QVERIFY(!app::applySetting(s, QStringLiteral("lembagatransid"), QStringLiteral("x")));
        QVERIFY(!app::applySetting(s, QStringLiteral("Version "), QStringLiteral("x")));
        QCOMPARE(s.lembagaTransId, QStringLiteral("SDR"));
        QVERIFY(s.version.isEmpty());
    }
};

QTEST_MAIN(TestAppRules)
#include "tst_app_rules.moc"
