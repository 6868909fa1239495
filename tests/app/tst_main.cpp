// The main window, session tracking and settings against the
// fixture's server.
#include "appfixture.h"

#include "app/frmMain.h"
#include "app/modParameter.h"
#include "app/netidentity.h"
#include "app/sessiontrack.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"
#include "support/fakeidentity.h"
#include "support/testdb.h"
#include "support/testwidgets.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <thread>

namespace {

const QString kExpired = QStringLiteral("Maaf, sesi user telah habis/digunakan ditempat lain!");

void loginAs(const QString &alias, int group) {
    core::CurrentUser() = {};
    core::CurrentUser().alias = alias;
    core::CurrentUser().group = group;
}

QStringList demoSettings() {
    return {"AppName=APLIKASI CAFE SINDARA",
            "Url=http://127.0.0.1/cafe",
            "Version=1.0.0",
            "Channel=CAFE",
            "NoRekening=1100000001",
            "LembagaNama=PONDOK PESANTREN SINDARA",
            "LembagaAlamat=Karangsela",
            "PinEnable=0",
            "LembagaTransKet=Transfer",
            "LembagaTransID=SDR",
            "LembagaTransMax=5000000"};
}

QStringList settingsAsList(const core::Settings &s) {
    return {s.appName,        s.url,           s.version,   s.channel,         s.noRekening,
            s.lembagaNama,    s.lembagaAlamat, s.pinEnable, s.lembagaTransKet, s.lembagaTransId,
            s.lembagaTransMax};
}

// The menu bar as lines "Top > caption" ("-" for a separator), in order.
QStringList menuLines(QMenuBar *bar) {
    QStringList out;
    std::function<void(QMenu *, const QString &)> walk = [&](QMenu *menu, const QString &path) {
        for (QAction *a : menu->actions()) {
            const QString caption = a->isSeparator() ? QStringLiteral("-") : a->text();
            out << path + QStringLiteral(" > ") + caption;
            if (a->menu())
                walk(a->menu(), path + QStringLiteral(" > ") + caption);
        }
    };
    for (QAction *a : bar->actions()) {
        const QString caption = QString(a->text()).remove(QLatin1Char('&')); // Alt+letter marker
        out << caption;
        if (a->menu())
            walk(a->menu(), caption);
    }
    return out;
}

QVariant rootValue(const QString &sql) {
    return db::scalar(sql, {}, testdb::root());
}

} // namespace

class TestMain : public QObject {
    Q_OBJECT

    QPointer<frmMain> main;
    MessageRecorder *messages = nullptr;
    EndRecorder *ends = nullptr;

    frmMain *newMain() {
        main = new frmMain;
        return main;
    }

private slots:
    void initTestCase() {
        QVERIFY(testdb::openSession());
        appfixture::seedAccounts();
    }

    void init() {
        testdb::install();
        if (db::sessionState() != db::StateOpen)
            db::OpenSessionConnection();
        testsupport::installFakeIdentity();
        loginAs(QStringLiteral("admin"), 1);
        core::settings() = {};
        testdb::rootExec(QStringLiteral("UPDATE data_pengguna_alias SET user_session = NULL"));
        messages = new MessageRecorder;
        ends = new EndRecorder;
    }

    void cleanup() {
        delete main;
        delete ends;
        delete messages;
        app::setNetworkIdentity(nullptr);
    }

    void startupTick() {
        appfixture::seedSettings(demoSettings());
        testdb::truncate({QStringLiteral("log_login")});
        frmMain *m = newMain();
        QCOMPARE(m->windowTitle(),
                 QStringLiteral("APLIKASI CAFE REALTIME ONLINE Version ") + core::versionText());
        m->setPanelText(2, QStringLiteral("admin"));
        m->show();
        QVERIFY(m->startupTimer()->isActive());
        QCOMPARE(m->startupTimer()->interval(), 150);
        QTRY_VERIFY(!m->startupTimer()->isActive() && m->sessionWatch()->isActive());
        QVERIFY(messages->entries.isEmpty());
        QCOMPARE(ends->calls, 0);

        // Settings, panels.
        QCOMPARE(core::settings().channel, QStringLiteral("CAFE"));
        QCOMPARE(m->panelText(1), QStringLiteral("   ") + testdb::cafeDb() + QStringLiteral("   "));
        QCOMPARE(m->panelText(7), QStringLiteral("   PONDOK PESANTREN SINDARA   "));
        QCOMPARE(m->panelText(8), QStringLiteral("  SINDARA Karangsela Tanah Loka  "));
        QCOMPARE(m->panelText(9), QStringLiteral("   CAFE   "));
        QCOMPARE(m->panelText(10),
                 QStringLiteral("   Version ") + core::versionText() + QStringLiteral("   "));

        // The login log row and the account's stamp.
        const QString code = core::CurrentUser().sessionCode;
        QCOMPARE(code, QStringLiteral("SES") +
                           QDate::currentDate().toString(QStringLiteral("yyMMdd")) +
                           QStringLiteral("0001"));
        QSqlQuery q = db::select(QStringLiteral("SELECT log_alias, log_ipaddress, log_hostname, "
                                                "log_macaddress, log_version, log_session, "
                                                "log_tanggal FROM log_login"),
                                 {}, testdb::root());
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("admin"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("10.1.2.3"));
        QCOMPARE(q.value(2).toString(), QStringLiteral("kasir-pc"));
        QCOMPARE(q.value(3).toString(), QStringLiteral("00-1B-A-00-5E-1"));
        QCOMPARE(q.value(4).toString(), core::versionText());
        QCOMPARE(q.value(5).toString(), code);
        QVERIFY(!q.value(6).isNull());
        QVERIFY(!q.next());
        QCOMPARE(
            rootValue("SELECT user_session FROM data_pengguna_alias WHERE user_alias = 'admin'")
                .toString(),
            code);
        QVERIFY(
            !rootValue("SELECT user_last_login FROM data_pengguna_alias WHERE user_alias = 'admin'")
                 .isNull());
        QCOMPARE(core::CurrentUser().ipAddress, QStringLiteral("10.1.2.3"));
        QCOMPARE(core::CurrentUser().hostName, QStringLiteral("kasir-pc"));
        QCOMPARE(core::CurrentUser().macAddress, QStringLiteral("00-1B-A-00-5E-1"));

        // The watch, every six seconds.
        QCOMPARE(m->sessionWatch()->timer()->objectName(), QStringLiteral("timerSession"));
        QCOMPARE(m->sessionWatch()->timer()->interval(), 6000);
        QVERIFY(!m->menuBar()->actions().isEmpty());
    }

    void panels() {
        frmMain *m = newMain();
        m->show();
        QTRY_VERIFY(m->sessionWatch()->isActive());
        const int dpi = m->logicalDpiX();
        const int design[] = {6068, 2540, 3528, 2540, 2, 2, 5292, 4304, 2540, 2540};
        for (int i = 1; i <= frmMain::PanelCount; ++i) {
            QLabel *p = m->panel(i);
            QCOMPARE(p->objectName(), QStringLiteral("Panel%1").arg(i));
            const bool coloured = i == 1 || i >= 7;
            if (coloured) {
                // Exactly the text plus 75 twips, whatever the design width (panel 7 here
                // shows only blanks: the settings table is empty).
                const int expected =
                    p->fontMetrics().horizontalAdvance(p->text()) + 75 * dpi / 1440;
                QCOMPARE(p->width(), expected);
                QCOMPARE(p->minimumWidth(), expected);
                QCOMPARE(p->palette().color(QPalette::Window), QColor(Qt::black));
                QCOMPARE(p->palette().color(QPalette::WindowText), QColor(Qt::yellow));
                QVERIFY(p->autoFillBackground());
                QVERIFY(p->alignment() & Qt::AlignLeft);
            } else {
                QCOMPARE(p->minimumWidth(), design[i - 1] * dpi / 1440);
            }
        }
        // Another text resizes the panel to it.
        QVERIFY(m->ShowPanelText(9, QStringLiteral("   A MUCH LONGER CHANNEL TEXT   ")));
        QCOMPARE(m->panel(9)->minimumWidth(),
                 m->panel(9)->fontMetrics().horizontalAdvance(m->panelText(9)) + 75 * dpi / 1440);
        QVERIFY(!m->ShowPanelText(11, QStringLiteral("x")));
    }

    void clock() {
        frmMain *m = newMain();
        QSignalSpy ticks(m->clockTimer(), &QTimer::timeout);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 1, 1500);
        QVERIFY(QTime::fromString(m->panelText(4), QStringLiteral("HH:mm:ss")).isValid());
        const QString first = m->panelText(4);
        QTest::qWait(2100);
        // The time to the second, waking about once a second (not every millisecond).
        QVERIFY(m->panelText(4) != first);
        QVERIFY2(ticks.size() <= 5, qPrintable(QString::number(ticks.size())));
    }

    void menuFromRights_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<QStringList>("lines");
        const QStringList sistem = {"Sistem", "Sistem > 0101.Ganti Password", "Sistem > -",
                                    "Sistem > 0119.Keluar"};
        QTest::newRow("administrator: every entry")
            << 1
            << (sistem + QStringList{"Cafe", "Cafe > 0201.Data Group", "Cafe > 0202.Data Pengguna",
                                     "Cafe > 0203.Log Login", "Cafe > 0204.Log Ganti Password",
                                     "Cafe > -", "Cafe > 0211.Setup Waktu",
                                     "Cafe > 0212.Setup Menu Cafe", "Cafe > -",
                                     "Cafe > 0221.Transaksi Sayyidat", "Cafe > -",
                                     "Cafe > 0231.Daftar Pesanan", "Cafe > 0232.Transaksi Umum",
                                     "Cafe > 0233.Laporan Transaksi"});
        QTest::newRow("cashier: password, exit and the sale entry")
            << 2 << (sistem + QStringList{"Cafe", "Cafe > 0232.Transaksi Umum"});
        QTest::newRow("a group without rows: an empty menu bar") << 9 << QStringList{};
    }

    void menuFromRights() {
        QFETCH(int, group);
        QFETCH(QStringList, lines);
        loginAs(QStringLiteral("admin"), group);
        frmMain *m = newMain();
        m->addMenuXP();
        QCOMPARE(menuLines(m->menuBar()), lines);
        if (!lines.isEmpty()) {
            auto *exit = m->menuBar()->findChild<QAction *>(QStringLiteral("mn0119"));
            QVERIFY(exit);
            QCOMPARE(exit->property("menuKey").toString(), QStringLiteral("mn0119"));
        }
    }

    void versionCheck_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("expectEnd");
        const int major = core::versionMajor();
        const QString rest =
            QStringLiteral(".%1.%2").arg(core::versionMinor()).arg(core::versionRevision());
        QTest::newRow("equal") << core::versionText() << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("older") << QStringLiteral("0.9.9") << false;
        QTest::newRow("newer") << QStringLiteral("%1.%2.%3")
                                      .arg(major)
                                      .arg(core::versionMinor())
                                      .arg(core::versionRevision() + 1)
                               << true;
        // Compared as text: a leading zero sorts before any version starting with 1 to 9.
        QTest::newRow("textual: leading zero sorts first")
            << QStringLiteral("0%1").arg(major + 8) + rest << false;
    }

    void versionCheck() {
        QFETCH(QString, setting);
        QFETCH(bool, expectEnd);
        core::settings().version = setting;
        frmMain *m = newMain();
        m->CekVersi();
        QCOMPARE(ends->calls, expectEnd ? 1 : 0);
        if (expectEnd) {
            QCOMPARE(messages->texts(), QStringList{QStringLiteral("Versi tidak sesuai!")});
            QCOMPARE(messages->entries.first().icon, msg::Icon::Exclamation);
            QCOMPARE(messages->entries.first().title, core::appTitle());
        } else {
            QVERIFY(messages->entries.isEmpty());
        }
    }

    void settings_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("every key") << demoSettings()
                                   << QStringList{"APLIKASI CAFE SINDARA",
                                                  "http://127.0.0.1/cafe",
                                                  "1.0.0",
                                                  "CAFE",
                                                  "1100000001",
                                                  "PONDOK PESANTREN SINDARA",
                                                  "Karangsela",
                                                  "0",
                                                  "Transfer",
                                                  "SDR",
                                                  "5000000"};
        const QStringList empty(11);
        QStringList channelB = empty;
        channelB[3] = "B";
        QTest::newRow("the last of two rows wins")
            << QStringList{"Channel=A", "Channel=B"} << channelB;
        QTest::newRow("keys are case-sensitive")
            << QStringList{"version=9.9.9", "CHANNEL=X", "Channel =Y", "lembaganama=Z"} << empty;
        QTest::newRow("unknown keys ignored") << QStringList{"Printer=EPSON"} << empty;
        QTest::newRow("empty table") << QStringList{} << empty;
    }

    void settings() {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, expected);
        appfixture::seedSettings(rows);
        core::settings().channel = QStringLiteral("left over");
        app::LoadSettings();
        QCOMPARE(settingsAsList(core::settings()), expected);
    }

    void emptySettingsKeepTheProgramUsable() {
        appfixture::seedSettings({});
        frmMain *m = newMain();
        m->setPanelText(2, QStringLiteral("admin"));
        m->show();
        QTRY_VERIFY(m->sessionWatch()->isActive());
        QCOMPARE(m->panelText(7), QStringLiteral("      "));
        QCOMPARE(m->panelText(9), QStringLiteral("      "));
        QCOMPARE(ends->calls, 0);
        QVERIFY(messages->entries.isEmpty());
        QVERIFY(!m->menuBar()->actions().isEmpty());
    }

    void menuDispatch_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("window");
        QTest::newRow("mn0211 time slots") << "mn0211"
                                           << "frmSetupWaktu";
        QTest::newRow("mn0212 menu catalogue") << "mn0212"
                                               << "frmSetupBarang";
        QTest::newRow("mn0231 order register") << "mn0231"
                                               << "frmCafeOrder";
        QTest::newRow("mn0232 sale entry") << "mn0232"
                                           << "frmCafeTransUmum";
        QTest::newRow("mn0233 sales report") << "mn0233"
                                             << "frmCafeTransLaporan";
        QTest::newRow("mn0221 transfers") << "mn0221"
                                          << "frmMadamatTrans";
        QTest::newRow("mn0101 password change") << "mn0101"
                                                << "frmGantiPassword";
        for (const char *key :
             {"mn0201", "mn0202", "mn0203", "mn0204", "mn0213", "mn0214", "mn01", "mn9999", ""})
            QTest::newRow(key) << key << "";
    }

    void menuDispatch() {
        QFETCH(QString, key);
        QFETCH(QString, window);
        frmMain *m = newMain();
        m->show();
        QCOMPARE(modalOpenedBy([&] { m->dispatchMenu(key); }), window);
        QCOMPARE(ends->calls, 0);
    }

    void menuClickDispatches() {
        frmMain *m = newMain();
        m->addMenuXP();
        m->show();
        auto *sale = m->menuBar()->findChild<QAction *>(QStringLiteral("mn0232"));
        QVERIFY(sale);
        QCOMPARE(modalOpenedBy([&] { sale->trigger(); }), QStringLiteral("frmCafeTransUmum"));
    }

    // The menu bar by keyboard: F10 or Alt alone opens the first menu, Alt+letter its own menu,
    // arrows and Enter pick an entry.
    void menuByKeyboard() {
        loginAs(QStringLiteral("kasir"), 2);
        frmMain *m = newMain();
        m->addMenuXP();
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m));
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
        QMenuBar *bar = m->menuBar();
        QCOMPARE(bar->actions().value(0)->text(), QStringLiteral("&Sistem"));
        QCOMPARE(bar->actions().value(1)->text(), QStringLiteral("&Cafe"));
        auto openMenu = [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            return menu ? menu->objectName() : QString();
        };
        auto closeAll = [&] {
            while (QApplication::activePopupWidget())
                QApplication::activePopupWidget()->close();
        };

        QTest::keyClick(m, Qt::Key_F10);
        QTRY_COMPARE(openMenu(), QStringLiteral("mn01"));
        closeAll();
        QTest::keyPress(m, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(m, Qt::Key_Alt, Qt::NoModifier);
        QTRY_COMPARE(openMenu(), QStringLiteral("mn01"));
        closeAll();
        QTest::keyClick(m, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(openMenu(), QStringLiteral("mn02"));

        // Cafe > Transaksi Umum by arrows: it is the only entry a cashier has there.
        QCOMPARE(modalOpenedBy([&] {
                     QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
                     QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
                 }),
                 QStringLiteral("frmCafeTransUmum"));
    }

    void exitEntry_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No stays") << false;
        QTest::newRow("Yes ends at once") << true;
    }

    void exitEntry() {
        QFETCH(bool, yes);
        QTemporaryDir dir;
        QFile tmp(dir.filePath(QStringLiteral("x.tmp")));
        QVERIFY(tmp.open(QIODevice::WriteOnly));
        tmp.close();
        core::setProgramFolder(dir.path());
        frmMain *m = newMain();
        m->show();
        messages->answers = {yes ? msg::Answer::Yes : msg::Answer::No};
        m->dispatchMenu(QStringLiteral("mn0119"));
        core::setProgramFolder(QString());
        QCOMPARE(messages->texts(), QStringList{QStringLiteral("Apakah yakin akan keluar?")});
        QCOMPARE(messages->entries.first().icon, msg::Icon::Question);
        QCOMPARE(messages->entries.first().buttons, msg::Buttons::YesNo);
        QCOMPARE(messages->entries.first().title, m->windowTitle());
        QCOMPARE(ends->calls, yes ? 1 : 0);
        // Neither answer cleans up: the connection stays open, the file stays.
        QCOMPARE(db::sessionState(), db::StateOpen);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("x.tmp"))));
    }

    void closeFrame() {
        QTemporaryDir dir;
        for (const char *name : {"a.tmp", "b.txt"}) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        core::setProgramFolder(dir.path());
        frmMain *m = newMain();
        m->show();

        // Cancel keeps everything.
        messages->answers = {msg::Answer::Cancel};
        QVERIFY(!m->close());
        QVERIFY(m->isVisible());
        QCOMPARE(ends->calls, 0);
        QCOMPARE(db::sessionState(), db::StateOpen);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("a.tmp"))));

        // OK closes both connections, deletes the temporary files and ends.
        db::OpenLoginConnection();
        QCOMPARE(db::loginState(), db::StateOpen);
        messages->answers = {msg::Answer::Ok};
        m->close();
        core::setProgramFolder(QString());
        QCOMPARE(ends->calls, 1);
        QCOMPARE(db::sessionState(), db::StateNotConnected);
        QCOMPARE(db::loginState(), db::StateNotConnected);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("a.tmp"))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("b.txt"))));
        QCOMPARE(messages->texts(), (QStringList{QStringLiteral("Anda yakin akan keluar?"),
                                                 QStringLiteral("Anda yakin akan keluar?")}));
        QCOMPARE(messages->entries.first().buttons, msg::Buttons::OkCancel);
        QCOMPARE(messages->entries.first().icon, msg::Icon::Question);
        QCOMPARE(messages->entries.first().title, core::appTitle());
        db::OpenSessionConnection();
    }

    void sessionNumbering_data() {
        QTest::addColumn<QStringList>("stamps");
        QTest::addColumn<QString>("code");
        QTest::newRow("first of the day") << QStringList{} << "SES2612080001";
        QTest::newRow("yesterday's stamps do not count")
            << QStringList{"SES2612070099"} << "SES2612080001";
        QTest::newRow("highest of the day plus one")
            << QStringList{"SES2612080007", "SES2612080041", "SES2612070099"} << "SES2612080042";
        QTest::newRow("past 9999 keeps going") << QStringList{"SES2612089999"} << "SES26120810000";
    }

    void sessionNumbering() {
        QFETCH(QStringList, stamps);
        QFETCH(QString, code);
        const QStringList ids = {"001", "002", "003"};
        for (qsizetype i = 0; i < stamps.size(); ++i)
            testdb::rootExec(QStringLiteral("UPDATE data_pengguna_alias SET user_session = '%1' "
                                            "WHERE user_id = '%2'")
                                 .arg(stamps.at(i), ids.at(i)));
        ClockPin pin(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
        QCOMPARE(app::IdReg(), code);
    }

    void logLoginRow_data() {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("mac");
        QTest::newRow("hardware address")
            << "10.1.2.3" << QByteArray::fromHex("001B0A005E01") << "00-1B-A-00-5E-1";
        QTest::newRow("lookup fails") << "10.1.2.3" << QByteArray() << "(SendARP call failed)";
        QTest::newRow("no address") << "" << QByteArray::fromHex("001B0A005E01") << "";
    }

    void logLoginRow() {
        QFETCH(QString, ip);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, mac);
        testsupport::installFakeIdentity(ip, bytes);
        testdb::truncate({QStringLiteral("log_login")});
        app::LogLogin(QStringLiteral("admin"));
        QSqlQuery q = db::select(
            QStringLiteral("SELECT log_alias, log_ipaddress, log_macaddress FROM log_login"), {},
            testdb::root());
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("admin"));
        QCOMPARE(q.value(1).toString(), ip);
        QCOMPARE(q.value(2).toString(), mac);
        QCOMPARE(core::CurrentUser().macAddress, mac);
    }

    void logLoginAllOrNothing() {
        // The stamp cannot be written: the log row must not stay behind either.
        testdb::truncate({QStringLiteral("log_login")});
        testdb::rootExec(QStringLiteral(
            "CREATE TRIGGER tst_no_stamp BEFORE UPDATE ON data_pengguna_alias FOR EACH ROW "
            "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'stamp refused'"));
        bool thrown = false;
        try {
            app::LogLogin(QStringLiteral("admin"));
        } catch (const db::Error &e) {
            thrown = e.text().contains(QStringLiteral("stamp refused"));
        }
        testdb::rootExec(QStringLiteral("DROP TRIGGER tst_no_stamp"));
        QVERIFY(thrown);
        QCOMPARE(rootValue(QStringLiteral("SELECT COUNT(*) FROM log_login")).toInt(), 0);
        QVERIFY(rootValue(QStringLiteral("SELECT user_session FROM data_pengguna_alias "
                                         "WHERE user_alias = 'admin'"))
                    .isNull());
    }

    void overlappingLoginsGetTheirOwnCodes() {
        // Two workstations log one account in at the same moment. The log insert is slowed
        // down so that the second login reads the session number while the first one is
        // still writing.
        testdb::truncate({QStringLiteral("log_login")});
        testdb::rootExec(QStringLiteral("CREATE TRIGGER tst_slow_login BEFORE INSERT ON "
                                        "log_login FOR EACH ROW SET @slow = SLEEP(1)"));
        const QDate day = QDate::currentDate();
        QString codes[2];
        QString failures[2];
        auto login = [&](int i) {
            const QString name = QStringLiteral("workstation%1").arg(i);
            {
                if (db::openNamedConnection(name) != db::StateOpen) {
                    failures[i] = QStringLiteral("no connection");
                } else {
                    try {
                        codes[i] = app::recordLogin(
                            {QStringLiteral("admin"), QStringLiteral("admin"),
                             QStringLiteral("10.1.2.%1").arg(i), QStringLiteral("pc%1").arg(i),
                             QString(), core::versionText()},
                            day, QSqlDatabase::database(name, false));
                    } catch (const db::Error &e) {
                        failures[i] = e.text();
                    }
                }
                QSqlDatabase::database(name, false).close();
            }
            QSqlDatabase::removeDatabase(name);
        };
        std::thread first(login, 0);
        std::thread second(login, 1);
        first.join();
        second.join();
        testdb::rootExec(QStringLiteral("DROP TRIGGER tst_slow_login"));
        QCOMPARE(failures[0], QString());
        QCOMPARE(failures[1], QString());
        const QString prefix = app::sessionPrefix(day);
        QCOMPARE(QSet<QString>({codes[0], codes[1]}),
                 QSet<QString>({prefix + QStringLiteral("0001"), prefix + QStringLiteral("0002")}));
        // The later code is the stamp, so the copy holding the other one ends.
        QCOMPARE(
            rootValue("SELECT user_session FROM data_pengguna_alias WHERE user_alias = 'admin'")
                .toString(),
            prefix + QStringLiteral("0002"));
        QCOMPARE(rootValue("SELECT COUNT(DISTINCT log_session) FROM log_login").toInt(), 2);
    }

    void olderSessionEnds() {
        // Two real sessions of one account: the older on a connection of its own, the newer
        // on the session connection. The newer login ends the older copy within six seconds.
        app::LogLogin(QStringLiteral("admin"));
        const QString olderCode = core::CurrentUser().sessionCode;
        app::SessionWatch older;
        older.start(QStringLiteral("admin"), olderCode);
        QCOMPARE(older.tick(), app::SessionWatch::Result::Valid);

        app::LogLogin(QStringLiteral("admin"));
        QElapsedTimer clock;
        clock.start();
        qint64 endedAfter = -1;
        core::setEndProgram([&] {
            endedAfter = clock.elapsed();
            ++ends->calls;
        });
        const QString newerCode = core::CurrentUser().sessionCode;
        QVERIFY(newerCode > olderCode);
        QTRY_COMPARE_WITH_TIMEOUT(ends->calls, 1, 7000);
        // Six seconds after the newer stamp, give or take the watch query's own milliseconds
        // and a loaded machine's scheduling.
        QVERIFY2(endedAfter <= 6300, qPrintable(QString::number(endedAfter)));
        QCOMPARE(messages->texts(), QStringList{kExpired});
        QCOMPARE(messages->entries.first().icon, msg::Icon::Exclamation);
        QCOMPARE(messages->entries.first().title, core::appTitle());
        QVERIFY(!older.isActive());

        app::SessionWatch newer;
        newer.start(QStringLiteral("admin"), newerCode);
        QCOMPARE(newer.tick(), app::SessionWatch::Result::Valid);
        QCOMPARE(ends->calls, 1);
    }

    void watchOnHungServer() {
        // The server hangs, then refuses new connections, then is back. The watch's query never
        // blocks the window for more than half a second, says so once, and reconnects.
        using R = app::SessionWatch::Result;
        std::atomic<bool> refuse{false};
        app::LogLogin(QStringLiteral("admin"));
        app::SessionWatch watch(nullptr, [&refuse](const QString &name) {
            return !refuse && db::openNamedConnection(name) == db::StateOpen;
        });
        QSignalSpy checked(&watch, &app::SessionWatch::checked);
        QSignalSpy reconnected(&watch, &app::SessionWatch::reconnected);
        watch.start(QStringLiteral("admin"), core::CurrentUser().sessionCode, 200);
        QCOMPARE(watch.tick(), R::Valid);

        // The window's thread: the longest gap between 20 ms ticks.
        QElapsedTimer beat;
        qint64 longestGap = 0;
        QTimer pulse;
        connect(&pulse, &QTimer::timeout,
                [&] { longestGap = std::max(longestGap, beat.restart()); });
        beat.start();
        pulse.start(20);

        const auto failures = [&] {
            return std::count_if(checked.cbegin(), checked.cend(), [](const QList<QVariant> &a) {
                return a.at(0).value<R>() == R::Failed;
            });
        };
        refuse = true;
        {
            testdb::ServerFreeze freeze;
            QTRY_VERIFY_WITH_TIMEOUT(failures() >= 1, 15000);
        }
        // Refused while the server is reachable again: one message, however many checks.
        QTRY_VERIFY_WITH_TIMEOUT(failures() >= 4, 5000);
        QCOMPARE(messages->texts(), QStringList{db::kConnectionMessage});
        QCOMPARE(ends->calls, 0);
        QVERIFY(watch.isActive());
        QCOMPARE(reconnected.size(), 0);

        refuse = false;
        QTRY_COMPARE_WITH_TIMEOUT(reconnected.size(), 1, 5000);
        QCOMPARE(checked.last().at(0).value<R>(), R::Valid);
        QCOMPARE(messages->entries.size(), 1);
        qInfo("longest block of the window thread: %lld ms", longestGap);
        QVERIFY2(longestGap <= 500, qPrintable(QString::number(longestGap)));

        // Meanwhile the stamp was changed elsewhere: the program ends.
        testdb::rootExec(QStringLiteral("UPDATE data_pengguna_alias SET user_session = NULL "
                                        "WHERE user_alias = 'admin'"));
        QTRY_COMPARE_WITH_TIMEOUT(ends->calls, 1, 5000);
        QCOMPARE(messages->texts(), (QStringList{db::kConnectionMessage, kExpired}));
        QVERIFY(!watch.isActive());
    }

    void hungServerOneMessage() {
        // A user action on the window's thread against a hung server gives up within 15 s with
        // the connection message; the watch, hung on the same server, does not add its own.
        using R = app::SessionWatch::Result;
        app::LogLogin(QStringLiteral("admin"));
        app::SessionWatch watch;
        QSignalSpy checked(&watch, &app::SessionWatch::checked);
        watch.start(QStringLiteral("admin"), core::CurrentUser().sessionCode, 200);
        QCOMPARE(watch.tick(), R::Valid);
        {
            testdb::ServerFreeze freeze;
            QTest::qWait(300); // the watch's next check is waiting on the server now
            QElapsedTimer clock;
            clock.start();
            bool lost = false;
            try {
                db::select(app::sessionWatchSql(),
                           {QStringLiteral("admin"), core::CurrentUser().sessionCode});
            } catch (const db::Error &e) {
                lost = e.isConnectionFailure();
            }
            const qint64 took = clock.elapsed();
            qInfo("a statement on the hung server gave up after %lld ms", took);
            QVERIFY(lost);
            QVERIFY2(took < 15000, qPrintable(QString::number(took)));
            msg::exclamation(db::kConnectionMessage); // as the window reports it
            QTRY_VERIFY_WITH_TIMEOUT(
                !checked.isEmpty() && checked.last().at(0).value<R>() == R::Failed, 15000);
        }
        QCOMPARE(messages->texts(), QStringList{db::kConnectionMessage});
        QCOMPARE(ends->calls, 0);
        db::OpenSessionConnection();
    }

    void failedLoginLogEndsOnce() {
        // The stamp cannot be written: the real reason once, the end of the program, and no
        // watch to claim later that the session was used elsewhere.
        testdb::rootExec(QStringLiteral(
            "CREATE TRIGGER tst_no_stamp BEFORE UPDATE ON data_pengguna_alias FOR EACH ROW "
            "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'stamp refused'"));
        frmMain *m = newMain();
        m->show();
        QTRY_VERIFY(!m->startupTimer()->isActive());
        testdb::rootExec(QStringLiteral("DROP TRIGGER tst_no_stamp"));
        QCOMPARE(ends->calls, 1);
        QCOMPARE(messages->texts(), QStringList{QStringLiteral(
                                        "Login tidak dapat dicatat di server.\nstamp refused")});
        QVERIFY(!m->sessionWatch()->isActive());
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
