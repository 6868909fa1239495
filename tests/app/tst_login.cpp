// The login window against the fixture's server: profiles, date check, the button's
// checks in order, the lookup, the rejection counter and the keys.
#include "appfixture.h"

#include "app/frmLogin.h"
#include "app/frmMain.h"
#include "common/uirules.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"
#include "support/testdb.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kConn = db::kConnectionMessage;
const QString kWrong = QStringLiteral("User atau Password salah!");

// Profiles 1, 3, 4 and 5 reach the fixture's server; profile 2 points at a closed port.
void installProfiles() {
    db::StoredTexts t = testdb::storedTexts();
    t.portP2 = testdb::encode(QStringLiteral("1"));
    db::setStoredTexts(t);
    db::setServer(QString(), QString());
}

QDateTime serverNow() {
    return db::scalar(QStringLiteral("SELECT now()"), {}, testdb::root()).toDateTime();
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT

    QPointer<frmLogin> login;
    MessageRecorder *messages = nullptr;
    EndRecorder *ends = nullptr;

    template <typename T> T *w(const char *name) {
        T *found = login->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit *box(const char *name) { return w<QLineEdit>(name); }
    void choose(const QString &code) { box("txtKdKoneksi")->setText(code); }
    QWidget *focused() const { return QApplication::focusWidget(); }

    QList<frmMain *> mainWindows() const {
        QList<frmMain *> out;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *m = qobject_cast<frmMain *>(top))
                out << m;
        }
        return out;
    }

private slots:
    void initTestCase() {
        installProfiles();
        appfixture::seedAccounts();
    }

    void init() {
        installProfiles();
        core::CurrentUser() = {};
        messages = new MessageRecorder;
        ends = new EndRecorder;
        login = new frmLogin;
        login->show();
        QApplication::setActiveWindow(login);
        QVERIFY(QTest::qWaitForWindowActive(login));
    }

    void cleanup() {
        delete login;
        qDeleteAll(mainWindows());
        delete ends;
        delete messages;
        db::closeLoginConnection();
        db::closeSessionConnection();
    }

    void windowLoad() {
        QCOMPARE(login->windowTitle(), QString());
        QCOMPARE(w<QLabel>("lblJudul")->text(), QStringLiteral("LOGIN SISTEM"));
        QCOMPARE(w<QLabel>("lblSubJudul")->text(), QStringLiteral("Aplikasi CAFE SINDARA"));
        QCOMPARE(w<QLabel>("lblVersion")->text(), QStringLiteral("Version ") + core::versionText());
        QCOMPARE(w<QPushButton>("cmdLogin")->text(), QStringLiteral(" LOGIN"));
        QCOMPARE(w<QPushButton>("cmdKeluar")->text(), QStringLiteral(" KELUAR"));
        QCOMPARE(login->attemptsLeft(), 3);
        auto *combo = w<QComboBox>("cboKoneksi");
        QCOMPARE(combo->count(), 5);
        QCOMPARE(combo->itemText(2), QStringLiteral("3 : Backup-1"));
        QVERIFY(!w<QPushButton>("cmdLogin")->isEnabled());
        for (const char *name : {"txtUser", "txtPassword"}) {
            QVERIFY(box(name)->isReadOnly());
            QVERIFY(box(name)->styleSheet().contains(QStringLiteral("#C0C0C0")));
        }
        QCOMPARE(box("txtPassword")->echoMode(), QLineEdit::Password);
        QVERIFY(
            box("txtPassword")->styleSheet().contains(QStringLiteral("password-character: 42")));
        QVERIFY(messages->entries.isEmpty());
    }

    void chooseProfile() {
        // Picking an item writes its code; the code box runs the date check.
        auto *combo = w<QComboBox>("cboKoneksi");
        combo->setCurrentIndex(0);
        QCOMPARE(box("txtKdKoneksi")->text(), QStringLiteral("1"));
        QCOMPARE(login->windowTitle(), QStringLiteral("APLIKASI CAFE SINDARA"));
        const QString today =
            common::uiLocale().toString(serverNow(), QStringLiteral("dd MMMM yyyy"));
        QCOMPARE(box("txtTglServer")->text(), today);
        QCOMPARE(box("txtTglKomputer")->text(),
                 common::uiLocale().toString(QDateTime::currentDateTime(),
                                             QStringLiteral("dd MMMM yyyy")));
        QVERIFY(w<QPushButton>("cmdLogin")->isEnabled());
        QVERIFY(!box("txtUser")->isReadOnly());
        QVERIFY(!box("txtPassword")->styleSheet().contains(QStringLiteral("#C0C0C0")));
        QCOMPARE(db::loginState(), db::StateOpen);
        // Typing a code selects its item.
        choose(QStringLiteral("4"));
        QCOMPARE(combo->currentText(), QStringLiteral("4 : Backup-2"));
        QVERIFY(messages->entries.isEmpty());
    }

    void profileCodes() {
        choose(QStringLiteral("1"));
        const QString port = db::serverPortText();
        QVERIFY(w<QPushButton>("cmdLogin")->isEnabled());

        // A code outside 1 to 5 keeps the previous server, still checks the date, unlocks.
        choose(QStringLiteral("7"));
        QCOMPARE(db::serverPortText(), port);
        QCOMPARE(w<QComboBox>("cboKoneksi")->currentIndex(), -1);
        QVERIFY(!box("txtTglServer")->text().isEmpty());
        QVERIFY(w<QPushButton>("cmdLogin")->isEnabled());
        QVERIFY(!box("txtUser")->isReadOnly());
        QVERIFY(messages->entries.isEmpty());

        // An unreachable profile: the connection message, no dates, no login button.
        choose(QStringLiteral("2"));
        QCOMPARE(messages->texts(), QStringList{kConn});
        QCOMPARE(messages->entries.last().icon, msg::Icon::Exclamation);
        QCOMPARE(messages->entries.last().title, core::appTitle());
        QVERIFY(box("txtTglServer")->text().isEmpty());
        QVERIFY(box("txtTglKomputer")->text().isEmpty());
        QVERIFY(!w<QPushButton>("cmdLogin")->isEnabled());

        // "9" runs the date check again on the same (dead) server.
        choose(QStringLiteral("9"));
        QCOMPARE(messages->texts(), (QStringList{kConn, kConn}));
        QCOMPARE(db::serverPortText(), QStringLiteral("1"));

        // Clearing the code: the previous server again, and the boxes locked.
        choose(QString());
        QCOMPARE(messages->texts().size(), 3);
        QVERIFY(box("txtUser")->isReadOnly());
        QVERIFY(box("txtPassword")->styleSheet().contains(QStringLiteral("#C0C0C0")));

        // Clearing after a good profile finds the dates again, from the previous server.
        choose(QStringLiteral("3"));
        choose(QString());
        QVERIFY(!box("txtTglServer")->text().isEmpty());
        QVERIFY(w<QPushButton>("cmdLogin")->isEnabled());
        QVERIFY(box("txtUser")->isReadOnly());
        QCOMPARE(messages->texts().size(), 3);
    }

    void buttonChecks_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("clearCode");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("1 no dates") << "" << false << "admin"
                                    << "admin"
                                    << "Pilih Koneksi!"
                                    << "cboKoneksi";
        QTest::newRow("2 code empty") << "1" << true << "admin"
                                      << "admin"
                                      << "Pilih Koneksi!"
                                      << "cboKoneksi";
        QTest::newRow("3 user empty") << "1" << false << ""
                                      << "admin"
                                      << "User belum diisi!"
                                      << "txtUser";
        QTest::newRow("3 user blanks") << "1" << false << "   "
                                       << "admin"
                                       << "User belum diisi!"
                                       << "txtUser";
        QTest::newRow("4 password empty") << "1" << false << "admin"
                                          << ""
                                          << "Password belum diisi!"
                                          << "txtPassword";
        QTest::newRow("4 password blanks") << "1" << false << "admin"
                                           << "  "
                                           << "Password belum diisi!"
                                           << "txtPassword";
        QTest::newRow("user checked before password") << "1" << false << ""
                                                      << ""
                                                      << "User belum diisi!"
                                                      << "txtUser";
    }

    void buttonChecks() {
        QFETCH(QString, code);
        QFETCH(bool, clearCode);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        if (!code.isEmpty())
            choose(code);
        if (clearCode)
            choose(QString());
        box("txtUser")->setText(user);
        box("txtPassword")->setText(password);
        auto *button = w<QPushButton>("cmdLogin");
        // Check 1 guards a button that only a known date enables: reach it by enabling it.
        button->setEnabled(true);
        button->setFocus();
        messages->clear();
        button->click();
        QCOMPARE(messages->texts(), QStringList{message});
        QCOMPARE(messages->entries.first().icon, msg::Icon::Exclamation);
        QCOMPARE(messages->entries.first().title, core::appTitle());
        QCOMPARE(focused()->objectName(), focus);
        QCOMPARE(login->attemptsLeft(), 3);
        QVERIFY(mainWindows().isEmpty());
    }

    void lookup_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("admin") << "admin"
                               << "admin" << true;
        QTest::newRow("kasir") << "kasir"
                               << "kasir" << true;
        QTest::newRow("' = / stripped from both") << "a'd=m/in"
                                                  << "ad/m'i=n" << true;
        QTest::newRow("wrong password") << "admin"
                                        << "kasir" << false;
        QTest::newRow("unknown user") << "tamu"
                                      << "tamu" << false;
        QTest::newRow("disabled account") << "mati"
                                          << "mati" << false;
        QTest::newRow("injection stays a value") << "x' OR 'a'='a' -- "
                                                 << "x" << false;
        QTest::newRow("semicolon is a value") << "admin;"
                                              << "admin" << false;
    }

    void lookup() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        choose(QStringLiteral("1"));
        QSignalSpy spy(login.data(), &frmLogin::loggedIn);
        box("txtUser")->setText(user);
        box("txtPassword")->setText(password);
        w<QPushButton>("cmdLogin")->click();
        QCOMPARE(spy.size(), accepted ? 1 : 0);
        if (accepted) {
            QVERIFY(messages->entries.isEmpty());
            QVERIFY(!box("txtUser")->text().contains(QLatin1Char('\'')));
            QVERIFY(!box("txtPassword")->text().contains(QLatin1Char('/')));
        } else {
            QCOMPARE(messages->texts(), QStringList{kWrong});
            QCOMPARE(messages->entries.first().icon, msg::Icon::Exclamation);
            QCOMPARE(login->attemptsLeft(), 2);
            QVERIFY(box("txtUser")->text().isEmpty());
            QVERIFY(box("txtPassword")->text().isEmpty());
            QCOMPARE(focused(), box("txtUser"));
            QVERIFY(mainWindows().isEmpty());
        }
    }

    void acceptedLogin() {
        choose(QStringLiteral("1"));
        box("txtUser")->setText(QStringLiteral("kasir"));
        box("txtPassword")->setText(QStringLiteral("kasir"));
        w<QPushButton>("cmdLogin")->click();
        QVERIFY(messages->entries.isEmpty());

        const core::CurrentUserRecord &u = core::CurrentUser();
        QCOMPARE(u.id, QStringLiteral("002"));
        QCOMPARE(u.name.toString(), QStringLiteral("KASIR CAFE"));
        QCOMPARE(u.aliasText(), QStringLiteral("kasir"));
        QCOMPARE(u.group.toInt(), 2);
        QCOMPARE(u.kindText, QStringLiteral("2"));
        QCOMPARE(u.cluster.toString(), QStringLiteral("01"));
        QCOMPARE(u.office.toString(), QStringLiteral("02"));
        QCOMPARE(u.accessKind, QStringLiteral("2"));

        QVERIFY(!login->isVisible());
        const QList<frmMain *> mains = mainWindows();
        QCOMPARE(mains.size(), 1);
        frmMain *m = mains.first();
        QVERIFY(m->isVisible());
        QCOMPARE(m->panelText(2), QStringLiteral("kasir"));
        QCOMPARE(m->panelText(3),
                 common::uiLocale().toString(QDate::currentDate(), QLocale::LongFormat));
        QVERIFY(!m->panelText(4).isEmpty());
        QCOMPARE(m->panelText(7), QStringLiteral("2"));
        QCOMPARE(db::loginState(), db::StateNotConnected);
        QCOMPARE(db::sessionState(), db::StateOpen);
    }

    void threeRejectionsEnd() {
        // The counter survives profile changes; the third rejection ends the program.
        choose(QStringLiteral("1"));
        auto attempt = [this] {
            box("txtUser")->setText(QStringLiteral("admin"));
            box("txtPassword")->setText(QStringLiteral("salah"));
            w<QPushButton>("cmdLogin")->click();
        };
        attempt();
        choose(QStringLiteral("2"));
        choose(QStringLiteral("5"));
        attempt();
        QCOMPARE(login->attemptsLeft(), 1);
        QCOMPARE(ends->calls, 0);
        attempt();
        QCOMPARE(login->attemptsLeft(), 0);
        QCOMPARE(
            messages->texts(),
            (QStringList{kWrong, kConn, kWrong, kWrong,
                         QStringLiteral("Anda telah 3x salah login, aplikasi akan ditutup!")}));
        QCOMPARE(messages->entries.last().icon, msg::Icon::Information);
        QCOMPARE(ends->calls, 1);
        QVERIFY(mainWindows().isEmpty());
    }

    void dateMismatch() {
        const QDateTime server = serverNow();
        {
            // Another calendar day on the workstation: refused, not counted.
            ClockPin pin(server.addDays(1));
            choose(QStringLiteral("1"));
            QVERIFY(box("txtTglKomputer")->text() != box("txtTglServer")->text());
            box("txtUser")->setText(QStringLiteral("admin"));
            box("txtPassword")->setText(QStringLiteral("admin"));
            w<QPushButton>("cmdLogin")->click();
            QCOMPARE(messages->texts(), QStringList{QStringLiteral(
                                            "Tanggal komputer tidak sama dengan tanggal server!")});
            QCOMPARE(messages->entries.first().icon, msg::Icon::Information);
            QCOMPARE(login->attemptsLeft(), 3);
            QVERIFY(mainWindows().isEmpty());
            // The Enter path compares the same way.
            QTest::keyClick(box("txtPassword"), Qt::Key_Return);
            QCOMPARE(messages->texts().size(), 2);
            QCOMPARE(login->attemptsLeft(), 3);
        }
        {
            // Only the day counts, not the time of day.
            ClockPin pin(QDateTime(server.date(), QTime(0, 0, 1)));
            choose(QStringLiteral("3"));
            QCOMPARE(box("txtTglKomputer")->text(), box("txtTglServer")->text());
            w<QPushButton>("cmdLogin")->click();
            QCOMPARE(messages->texts().size(), 2);
            QCOMPARE(mainWindows().size(), 1);
        }
    }

    void keys() {
        choose(QStringLiteral("1"));
        // Apostrophes cannot be typed into either box.
        QTest::keyClicks(box("txtUser"), QStringLiteral("ad'min"));
        QCOMPARE(box("txtUser")->text(), QStringLiteral("admin"));
        QTest::keyClicks(box("txtPassword"), QStringLiteral("'x'"));
        QCOMPARE(box("txtPassword")->text(), QStringLiteral("x"));

        // Enter in the user box moves on to the password box.
        box("txtUser")->setFocus();
        QTest::keyClick(box("txtUser"), Qt::Key_Return);
        QCOMPARE(focused(), box("txtPassword"));

        // Enter in the password box looks up at once, even with no user name.
        box("txtUser")->clear();
        QTest::keyClick(box("txtPassword"), Qt::Key_Enter);
        QCOMPARE(messages->texts(), QStringList{kWrong});
        QCOMPARE(login->attemptsLeft(), 2);

        // ... and with no open login connection: the connection message, nothing counted.
        choose(QStringLiteral("2"));
        messages->clear();
        box("txtUser")->setText(QStringLiteral("admin"));
        box("txtPassword")->setText(QStringLiteral("admin"));
        QTest::keyClick(box("txtPassword"), Qt::Key_Return);
        QCOMPARE(messages->texts(), QStringList{kConn});
        QCOMPARE(login->attemptsLeft(), 2);
        QCOMPARE(box("txtUser")->text(), QStringLiteral("admin"));

        // The accepted Enter path.
        choose(QStringLiteral("1"));
        QTest::keyClick(box("txtPassword"), Qt::Key_Return);
        QCOMPARE(mainWindows().size(), 1);
        QCOMPARE(core::CurrentUser().aliasText(), QStringLiteral("admin"));
    }

    void exitPaths_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("KELUAR") << false;
        QTest::newRow("Esc in the user box") << true;
    }

    void exitPaths() {
        QFETCH(bool, escape);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const char *name : {"a.tmp", "b.TMP.keep", "c.txt"}) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        core::setProgramFolder(dir.path());
        choose(QStringLiteral("1"));
        if (escape)
            QTest::keyClick(box("txtUser"), Qt::Key_Escape);
        else
            w<QPushButton>("cmdKeluar")->click();
        core::setProgramFolder(QString());
        QCOMPARE(ends->calls, 1);
        QVERIFY(!QFile::exists(dir.filePath("a.tmp")));
        QVERIFY(QFile::exists(dir.filePath("b.TMP.keep")));
        QVERIFY(QFile::exists(dir.filePath("c.txt")));
        QVERIFY(messages->entries.isEmpty());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
