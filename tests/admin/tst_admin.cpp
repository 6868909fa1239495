#include "admin/accounts.h"
#include "admin/frmData.h"
#include "admin/frmGantiPassword.h"
#include "admin/frmSetupGroup.h"
#include "admin/frmSetupPengguna.h"
#include "admin/groups.h"
#include "admin/lists.h"
#include "app/databrowser.h"
#include "app/frmMain.h"
#include "app/menutree.h"
#include "common/reportlist.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"
#include "support/testdb.h"
#include "support/testwidgets.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Code lists, a small catalogue with three levels, no groups, users or logs.
void seed() {
    testdb::truncate({"data_pengguna_group", "kode_menu", "data_menu_master", "data_pengguna_alias",
                      "log_password", "log_login", "kode_komponen"});
    testdb::rootScript(
        "INSERT INTO kode_komponen (combo_komponen, combo_kode, combo_text) VALUES "
        "('01', '1', 'ADMINISTRATOR'), ('01', '2', 'KASIR'), ('02', '1', 'Aktif'), "
        "('02', '2', 'Non Aktif'), ('03', '1', 'FULL AKSES'), ('03', '2', 'TERBATAS');\n"
        "INSERT INTO data_menu_master (menu_kode, menu_label, menu_status) VALUES "
        "('mn01', '01.SISTEM', 1), ('mn0101', '0101.GANTI PASSWORD', 1), "
        "('mn0119', '0119.KELUAR', 1), ('mn02', '02.CAFE', 1), ('mn0201', '0201.DATA GROUP', 1), "
        "('mn020101', '020101.RINCI', 1), ('mn0299', '0299.TIDAK AKTIF', 0)");
}

QString scalarText(const QString &sql, const QVariantList &values = {}) {
    return db::serverText(db::scalar(sql, values, testdb::root()));
}

int count(const QString &sql, const QVariantList &values = {}) {
    return scalarText(sql, values).toInt();
}

QStringList column(const QString &sql, const QVariantList &values = {}) {
    QSqlQuery q = db::select(sql, values, testdb::root());
    QStringList out;
    while (q.next())
        out << db::serverText(q.value(0));
    return out;
}

void addGroup(int kode, const QString &nama = QStringLiteral("KASIR")) {
    db::exec("INSERT INTO data_pengguna_group VALUES (?, ?, '2', '', 'ket', NOW(), '', 'seed', "
             "NULL, NULL, NULL)",
             {kode, nama}, testdb::root());
}

void addUser(const QString &id, const QString &alias, const QString &password = "rahasia") {
    db::exec("INSERT INTO data_pengguna_alias (user_id, user_alias, user_nama, user_group, "
             "user_jenis, user_status, user_keterangan, user_pwd, user_exp_date) "
             "VALUES (?, ?, 'Nama', 1, '1', '1', 'ket', MD5(?), '2030-01-31')",
             {id, alias, password}, testdb::root());
}

struct UserEntry {
    QString user, nama, level, jenis, status, password, password2;
};

void enter(frmSetupPengguna &w, const UserEntry &e) {
    w.txtUser->setText(e.user);
    w.txtNama->setText(e.nama);
    w.txtKdLevel->setText(e.level);
    w.txtKdUser->setText(e.jenis);
    w.txtKdStatus->setText(e.status);
    w.txtPassword->setText(e.password);
    w.txtPassword2->setText(e.password2);
}

const UserEntry kUser{"budi", "Budi Santoso", "1", "2", "1", "Rah4sia", "Rah4sia"};

// Opens the browser on a view and selects the row whose sub-item 1 is key.
void selectKey(frmData &data, const QString &key) {
    for (int r = 0; r < data.ListView1->rowCount(); ++r)
        if (data.ListView1->subItem(r, 1) == key)
            data.ListView1->selectRow(r);
}

QStringList treeTexts(QTreeWidget *tree, bool checkedOnly) {
    QStringList out;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (!checkedOnly || (*it)->checkState(0) == Qt::Checked)
            out << (*it)->text(0);
    return out;
}

void check(QTreeWidget *tree, const QStringList &labels) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (labels.contains((*it)->text(0)))
            (*it)->setCheckState(0, Qt::Checked);
}

} // namespace

Q_DECLARE_METATYPE(UserEntry)

class TestAdmin : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(testdb::openSession());
        core::CurrentUser().alias = QStringLiteral("tester");
        core::CurrentUser().ipAddress = QStringLiteral("10.0.0.9");
    }

    void init() { seed(); }

    // ---- data browser ----

    void browserModes_data() {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("editable");
        QTest::newRow("groups") << "Group"
                                << "DATA GROUP"
                                << "JUMLAH : 2" << true;
        QTest::newRow("users") << "Pengguna"
                               << "DATA PENGGUNA SISTEM"
                               << "JUMLAH RECORD : 1" << true;
        QTest::newRow("logins") << "LogLogin"
                                << "LOG LOGIN"
                                << "JUMLAH RECORD : 1" << false;
        QTest::newRow("passwords") << "LogPassword"
                                   << "LOG GANTI PASSWORD"
                                   << "JUMLAH RECORD : 2" << false;
    }

    void browserModes() {
        QFETCH(QString, view);
        QFETCH(QString, title);
        QFETCH(QString, count);
        QFETCH(bool, editable);
        addGroup(1, "ADMIN");
        addGroup(2);
        addUser("001", "admin");
        // Yesterday's login by the server's date is not listed.
        testdb::rootScript("INSERT INTO log_login (log_alias, log_tanggal) VALUES "
                           "('admin', NOW()), ('kasir', CURDATE() - INTERVAL 1 SECOND);\n"
                           "INSERT INTO log_password (log_date, log_time, log_user, log_version) "
                           "VALUES ('2026-01-02', '08:05:09', 'admin', '1.0.0'), "
                           "('2026-03-04', '17:00:00', 'kasir', '1.0.1')");
        MessageRecorder messages;
        std::unique_ptr<QWidget> widget(app::createDataBrowser(view));
        auto *w = qobject_cast<frmData *>(widget.get());
        QVERIFY(w);
        w->show();
        QCOMPARE(w->lblJudul->text(), title);
        QCOMPARE(w->lblJumlah->text(), count);
        QVERIFY(w->txtCari->isHidden() && w->cmdCari->isHidden());
        QCOMPARE(!w->cmdCetak->isHidden(), editable);
        QCOMPARE(!w->cmdFilter->isHidden(), editable);
        QCOMPARE(w->ListView1->columnTitle(0), QStringLiteral("0"));
        if (view == "Group") {
            QCOMPARE(w->cmdFilter->text(), QStringLiteral("KOREKSI"));
            QCOMPARE(w->ListView1->columnCountWithSpacer(), 7);
        }
        if (view == "Pengguna") {
            QCOMPARE(w->cmdCetak->text(), QStringLiteral(" TAMBAH"));
            QCOMPARE(w->ListView1->subItem(0, 3), QStringLiteral("admin"));
            QCOMPARE(w->ListView1->subItem(0, 12), QStringLiteral("1"));
        }
        if (view == "LogPassword") {
            // Newest first, dates and times as shown texts.
            QCOMPARE(w->ListView1->subItem(0, 1), QStringLiteral("04-03-2026"));
            QCOMPARE(w->ListView1->subItem(1, 2), QStringLiteral("08:05:09"));
        }
        if (view == "LogLogin")
            QCOMPARE(w->ListView1->subItem(0, 3), QStringLiteral("admin"));
        QVERIFY(messages.entries.isEmpty());
    }

    void emptyBrowserAnswersNoData() {
        MessageRecorder messages;
        frmData w;
        w.view = QStringLiteral("Pengguna");
        w.show();
        QCOMPARE(w.lblJumlah->text(), QStringLiteral("JUMLAH RECORD : 0"));
        click(w, "cmdFilter");
        QTest::mouseDClick(w.ListView1->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(messages.texts(), QStringList({"Tidak ada data", "Tidak ada data"}));
        QCOMPARE(messages.entries.first().icon, msg::Icon::Information);

        // A window smaller than its margins lays out without negative sizes.
        w.setMinimumSize(0, 0);
        w.resize(30, 20);
        QVERIFY(w.ListView1->width() >= 0 && w.ListView1->height() >= 0);
    }

    // One browser at a time, owned by the main window and closed before any entry runs.
    void mainMenuOwnsOneBrowser() {
        MessageRecorder messages;
        EndRecorder end;
        frmMain m;
        m.dispatchMenu(QStringLiteral("mn0201"));
        QPointer<frmData> first = qobject_cast<frmData *>(m.dataBrowser());
        QVERIFY(first);
        QCOMPARE(first->view, QStringLiteral("Group"));
        QVERIFY(!first->isModal());
        m.dispatchMenu(QStringLiteral("mn0204"));
        QTRY_VERIFY(first.isNull());
        auto *second = qobject_cast<frmData *>(m.dataBrowser());
        QVERIFY(second);
        QCOMPARE(second->view, QStringLiteral("LogPassword"));

        bool closedFirst = false;
        QTimer::singleShot(50, [&] {
            closedFirst = m.dataBrowser() == nullptr;
            if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                d->reject();
        });
        m.dispatchMenu(QStringLiteral("mn0101"));
        QVERIFY(closedFirst);
    }

    void failedFillShowsTheConnectionMessageOnce() {
        addGroup(1);
        testdb::rootExec("DROP FUNCTION GetGroupJumlah");
        const auto restore = qScopeGuard([] {
            testdb::loadFile(testdb::sourceDir() + "/database/cafe-routines.sql", testdb::cafeDb());
        });
        MessageRecorder messages;
        frmData w;
        w.view = QStringLiteral("Group");
        w.show();
        QCOMPARE(messages.texts(), QStringList{db::kConnectionMessage});
        QCOMPARE(w.lblJumlah->text(), QStringLiteral("JUMLAH : 0"));
    }

    // Enter on the list opens the selected row as the double-click does.
    void enterOnTheListOpensTheEditor() {
        addGroup(7, "GUDANG");
        frmData w;
        w.view = QStringLiteral("Group");
        w.show();
        QString opened;
        QTimer::singleShot(50, [&] {
            if (auto *g = qobject_cast<frmSetupGroup *>(QApplication::activeModalWidget())) {
                opened = g->txtKode->text() + " " + g->txtNama->text();
                g->reject();
            }
        });
        w.ListView1->setFocus();
        QTest::keyClick(w.ListView1, Qt::Key_Return);
        QCOMPARE(opened, QStringLiteral("7 GUDANG"));
    }

    void searchNeedsFourCharacters() {
        MessageRecorder messages;
        frmData w;
        w.view = QStringLiteral("Group");
        w.show();
        w.txtCari->setText("abc");
        w.cmdCari->click();
        w.txtCari->setText("abcd");
        w.cmdCari->click();
        QCOMPARE(messages.texts(), QStringList{"Minimal 4 huruf!"});
    }

    // ---- groups ----

    void newGroupsNumberAndWriteEveryNode() {
        MessageRecorder messages;
        frmData data;
        data.view = QStringLiteral("Group");
        data.show();
        for (const QString expected : {"1", "2"}) {
            frmSetupGroup w;
            w.view = QStringLiteral("tambah");
            w.data = &data;
            w.show();
            // The tree: inactive entries left out, top level bold, three levels nested.
            QCOMPARE(w.treeview1->topLevelItemCount(), 2);
            QVERIFY(w.treeview1->topLevelItem(0)->font(0).bold());
            QVERIFY(!w.treeview1->topLevelItem(0)->child(0)->font(0).bold());
            QCOMPARE(w.treeview1->topLevelItem(1)->child(0)->child(0)->text(0),
                     QStringLiteral("020101.RINCI"));
            QVERIFY(!w.cmdExport->isHidden());
            w.txtNama->setText("KASIR " + expected);
            w.txtKdJenis->setText("2");
            w.txtKet->setText("Penjualan");
            click(w, "cmdSimpan");
            QCOMPARE(w.txtKode->text(), expected);
        }
        QCOMPARE(messages.texts(), QStringList({"Data telah disimpan", "Data telah disimpan"}));
        QCOMPARE(column("SELECT group_akses FROM data_pengguna_group ORDER BY group_kode"),
                 QStringList({"2", "2"}));
        QVERIFY(column("SELECT group_upd_date FROM data_pengguna_group").first().isEmpty());
        // Nothing checked: one row per node, all "0", in tree order with the derived codes.
        QCOMPARE(column("SELECT CONCAT(menu_kode, '/', menu_induk, '/', menu_set) FROM kode_menu "
                        "WHERE menu_group = 1 ORDER BY menu_id"),
                 QStringList({"mn01/mn01/0", "mn0101/mn01/0", "mn0119/mn01/0", "mn02/mn02/0",
                              "mn0201/mn02/0", "mn020101/mn02/0"}));
        QCOMPARE(column("SELECT DISTINCT CONCAT(menu_reg_alias, ' ', menu_reg_ip) FROM kode_menu"),
                 QStringList{"tester 10.0.0.9"});
        QCOMPARE(data.lblJumlah->text(), QStringLiteral("JUMLAH : 2"));
    }

    void groupChecksInOrder() {
        MessageRecorder messages;
        frmSetupGroup w;
        w.view = QStringLiteral("tambah");
        w.show();
        click(w, "cmdSimpan");
        w.txtNama->setText("X");
        click(w, "cmdSimpan");
        w.txtKdJenis->setText("1");
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(),
                 QStringList({"Nama group belum diisi!", "Jenis Akses belum diisi!",
                              "Keterangan belum diisi!"}));
        QCOMPARE(w.focusWidget(), w.txtKet);
        QCOMPARE(count("SELECT COUNT(*) FROM data_pengguna_group"), 0);
    }

    // Granting in the editor decides the member's menu at the next login; an edit re-creates
    // the rights rows and drops entries no longer in the catalogue.
    void grantedEntriesBecomeTheMenu() {
        MessageRecorder messages;
        {
            frmSetupGroup w;
            w.view = QStringLiteral("tambah");
            w.show();
            w.txtNama->setText("KASIR");
            w.txtKdJenis->setText("2");
            w.txtKet->setText("Kasir");
            check(w.treeview1, {"01.SISTEM", "0101.GANTI PASSWORD", "02.CAFE"});
            click(w, "cmdSimpan");
        }
        QList<app::MenuEntry> menu = app::buildMenuTree(app::grantedMenuRows(1));
        QStringList keys;
        for (const auto &e : menu)
            keys << e.key;
        QCOMPARE(keys, QStringList({"mn01", "mn0101", "mn02"}));
        const QStringList firstIds = column("SELECT menu_id FROM kode_menu ORDER BY menu_id");

        testdb::rootExec("DELETE FROM data_menu_master WHERE menu_kode = 'mn0119'");
        testdb::rootExec("INSERT INTO data_menu_master VALUES ('mn0120', '0120.BARU', 1)");
        frmData data;
        data.view = QStringLiteral("Group");
        data.show();
        QCOMPARE(data.ListView1->subItem(0, 5), QStringLiteral("3"));
        frmSetupGroup w;
        w.view = QStringLiteral("edit");
        w.data = &data;
        w.show();
        QCOMPARE(w.txtNama->text(), QStringLiteral("KASIR"));
        QCOMPARE(w.cboJenis->currentText().left(1), QStringLiteral("2"));
        QCOMPARE(w.txtJumlah->text(), QStringLiteral("3"));
        QVERIFY(w.ListView1->reportModel()
                    ->data(w.ListView1->model()->index(0, 2), Qt::FontRole)
                    .value<QFont>()
                    .bold());
        QCOMPARE(treeTexts(w.treeview1, true),
                 QStringList({"01.SISTEM", "0101.GANTI PASSWORD", "02.CAFE"}));
        check(w.treeview1, {"0120.BARU"});
        w.txtKet->setText("Kasir baru");
        click(w, "cmdSimpan");
        QCOMPARE(messages.lastText(), QStringLiteral("Data telah disimpan"));
        QCOMPARE(column("SELECT menu_kode FROM kode_menu WHERE menu_set = '1' ORDER BY menu_id"),
                 QStringList({"mn01", "mn0101", "mn0120", "mn02"}));
        QCOMPARE(count("SELECT COUNT(*) FROM kode_menu WHERE menu_kode = 'mn0119'"), 0);
        const QStringList newIds = column("SELECT menu_id FROM kode_menu ORDER BY menu_id");
        QVERIFY(newIds.first().toInt() > firstIds.last().toInt());
        QCOMPARE(scalarText("SELECT group_upd_alias FROM data_pengguna_group"),
                 QStringLiteral("tester"));
        QCOMPARE(data.ListView1->subItem(0, 5), QStringLiteral("4"));
    }

    void groupEditChangedElsewhereIsRefused() {
        addGroup(1);
        MessageRecorder messages;
        frmData data;
        data.view = QStringLiteral("Group");
        data.show();
        frmSetupGroup w;
        w.view = QStringLiteral("edit");
        w.data = &data;
        w.show();
        testdb::rootExec("UPDATE data_pengguna_group SET group_nama = 'LAIN'");
        w.txtKet->setText("mine");
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(),
                 QStringList{"Data telah diubah oleh pengguna lain, silakan muat ulang!"});
        QCOMPARE(w.txtNama->text(), QStringLiteral("LAIN"));
        QCOMPARE(scalarText("SELECT group_keterangan FROM data_pengguna_group"),
                 QStringLiteral("ket"));
        QCOMPARE(count("SELECT COUNT(*) FROM kode_menu"), 0);
    }

    // A failing rights row leaves no group behind.
    void groupAndRightsAreOneWrite() {
        testdb::rootExec("CREATE TRIGGER tst_fail_right BEFORE INSERT ON kode_menu FOR EACH ROW "
                         "IF NEW.menu_kode = 'mn0201' THEN SIGNAL SQLSTATE '45000' "
                         "SET MESSAGE_TEXT = 'ditolak'; END IF");
        const auto drop =
            qScopeGuard([] { testdb::rootExec("DROP TRIGGER IF EXISTS tst_fail_right"); });
        MessageRecorder messages;
        frmSetupGroup w;
        w.view = QStringLiteral("tambah");
        w.show();
        w.txtNama->setText("G");
        w.txtKdJenis->setText("1");
        w.txtKet->setText("K");
        click(w, "cmdSimpan");
        QVERIFY(messages.lastText().startsWith("Data gagal disimpan!"));
        QCOMPARE(count("SELECT COUNT(*) FROM data_pengguna_group"), 0);
        QCOMPARE(count("SELECT COUNT(*) FROM kode_menu"), 0);
    }

    void catalogueOf500BuildsAndSavesFast() {
        testdb::truncate({"data_menu_master"});
        QStringList rows;
        // Codes above mn19 would not shorten to a node; ten menus of fifty entries.
        for (int top = 1; top <= 10; ++top) {
            const QString t = QStringLiteral("%1").arg(top, 2, 10, QLatin1Char('0'));
            rows << QStringLiteral("('mn%1', '%1.MENU %1', 1)").arg(t);
            for (int sub = 1; sub <= 49; ++sub) {
                const QString s = t + QStringLiteral("%1").arg(sub, 2, 10, QLatin1Char('0'));
                rows << QStringLiteral("('mn%1', '%1.ENTRI %1', 1)").arg(s);
            }
        }
        testdb::rootExec("INSERT INTO data_menu_master VALUES " + rows.join(','));
        QCOMPARE(rows.size(), 500);
        MessageRecorder messages;
        QElapsedTimer timer;
        timer.start();
        frmSetupGroup w;
        w.view = QStringLiteral("tambah");
        w.show();
        const qint64 built = timer.elapsed();
        w.txtNama->setText("G");
        w.txtKdJenis->setText("1");
        w.txtKet->setText("K");
        click(w, "cmdCekAll");
        timer.restart();
        click(w, "cmdSimpan");
        const qint64 saved = timer.elapsed();
        qInfo("500 catalogue entries: tree built in %lld ms, saved in %lld ms", built, saved);
        QCOMPARE(count("SELECT COUNT(*) FROM kode_menu WHERE menu_set = '1'"), 500);
        QVERIFY(built + saved < 1000);
    }

    // ---- users ----

    void userNumbering_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("expected"); // empty: refused
        QTest::newRow("first user") << QStringList{} << "001";
        QTest::newRow("after 009") << QStringList{"009"} << "010";
        QTest::newRow("full at 999") << QStringList{"999"} << "";
    }

    void userNumbering() {
        QFETCH(QStringList, stored);
        QFETCH(QString, expected);
        for (const QString &id : stored)
            addUser(id, "u" + id);
        addGroup(1);
        MessageRecorder messages;
        frmSetupPengguna w;
        w.view = QStringLiteral("tambah");
        w.show();
        enter(w, kUser);
        click(w, "cmdSimpan");
        QCOMPARE(messages.entries.size(), 1);
        if (expected.isEmpty()) {
            QVERIFY(messages.lastText().contains("999"));
            QCOMPARE(count("SELECT COUNT(*) FROM data_pengguna_alias"), 1);
            return;
        }
        QCOMPARE(messages.lastText(), QStringLiteral("Data telah disimpan"));
        QCOMPARE(w.lblKode->text(), expected);
        // Expiry three months after the server's date; the password stored as its digest.
        QCOMPARE(count("SELECT COUNT(*) FROM data_pengguna_alias WHERE user_id = ? AND "
                       "user_alias = 'budi' AND user_pwd = MD5('Rah4sia') AND user_group = 1 AND "
                       "user_jenis = '2' AND user_exp_date = CURDATE() + INTERVAL 3 MONTH AND "
                       "user_reg_alias = 'tester' AND user_reg_ip = '10.0.0.9'",
                       {expected}),
                 1);
    }

    void userChecksInOrder_data() {
        QTest::addColumn<UserEntry>("entry");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        auto with = [](auto change) {
            UserEntry e = kUser;
            change(e);
            return e;
        };
        QTest::newRow("login") << with([](UserEntry &e) {
            e.user.clear();
            e.nama.clear();
        }) << "User Login belum diisi!"
                               << "txtUser";
        QTest::newRow("name") << with([](UserEntry &e) {
            e.nama.clear();
            e.level.clear();
        }) << "Nama lengkap belum diisi!"
                              << "txtNama";
        QTest::newRow("level") << with([](UserEntry &e) {
            e.level.clear();
            e.jenis.clear();
        }) << "Level menu belum diisi!"
                               << "cboLevel";
        QTest::newRow("kind") << with([](UserEntry &e) {
            e.jenis.clear();
            e.status.clear();
        }) << "Level user belum diisi!"
                              << "cboUser";
        QTest::newRow("status") << with([](UserEntry &e) {
            e.status.clear();
            e.password.clear();
        }) << "Status belum diisi!"
                                << "cboStatus";
        QTest::newRow("password") << with([](UserEntry &e) { e.password.clear(); })
                                  << "Password Login belum diisi!"
                                  << "txtPassword";
        QTest::newRow("confirmation case") << with([](UserEntry &e) { e.password2 = "rah4sia"; })
                                           << "Password konfirmasi tidak sesuai!"
                                           << "txtPassword2";
    }

    void userChecksInOrder() {
        QFETCH(UserEntry, entry);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        addGroup(1);
        MessageRecorder messages;
        frmSetupPengguna w;
        w.view = QStringLiteral("tambah");
        w.show();
        enter(w, entry);
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{message});
        QCOMPARE(messages.entries.first().icon, msg::Icon::Exclamation);
        QCOMPARE(w.focusWidget()->objectName(), focus);
        QCOMPARE(count("SELECT COUNT(*) FROM data_pengguna_alias"), 0);
    }

    void duplicateLoginNameIsRefused() {
        addGroup(1);
        addUser("001", "budi");
        MessageRecorder messages;
        frmSetupPengguna w;
        w.view = QStringLiteral("tambah");
        w.show();
        enter(w, kUser);
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{"User sudah terdaftar!"});
        QCOMPARE(messages.entries.first().icon, msg::Icon::Exclamation);
        QCOMPARE(w.focusWidget(), w.txtUser);
        QCOMPARE(w.lblKode->text(), QString());
        QCOMPARE(column("SELECT user_id FROM data_pengguna_alias"), QStringList{"001"});
    }

    // A broken link fails the save without storing anything; the lookup that settles the
    // outcome reconnects, so the next save records the user once.
    void brokenLinkIsSettledBeforeReporting() {
        addGroup(1);
        const QString id = db::serverText(db::scalar("SELECT CONNECTION_ID()"));
        MessageRecorder messages;
        frmSetupPengguna w;
        w.view = QStringLiteral("tambah");
        w.show();
        enter(w, kUser);
        testdb::rootExec("KILL " + id);
        click(w, "cmdSimpan");
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.lastText().startsWith("Data gagal disimpan!"));
        QCOMPARE(w.lblKode->text(), QString());
        QCOMPARE(count("SELECT COUNT(*) FROM data_pengguna_alias"), 0);
        click(w, "cmdSimpan");
        QCOMPARE(messages.lastText(), QStringLiteral("Data telah disimpan"));
        QCOMPARE(column("SELECT user_id FROM data_pengguna_alias"), QStringList{"001"});
    }

    // An edit changes what the window lets it change and leaves login, password and expiry.
    void editKeepsLoginPasswordAndExpiry() {
        addGroup(1);
        addGroup(2);
        addUser("001", "admin");
        addUser("002", "budi", "lama");
        MessageRecorder messages;
        frmData data;
        data.view = QStringLiteral("Pengguna");
        data.show();
        selectKey(data, "002");
        frmSetupPengguna w;
        w.view = QStringLiteral("edit");
        w.data = &data;
        w.show();
        QVERIFY(w.txtUser->isReadOnly());
        QVERIFY(!w.txtPassword->isEnabled() && !w.txtPassword2->isEnabled());
        QCOMPARE(w.txtUser->text(), QStringLiteral("budi"));
        QCOMPARE(w.txtKdUser->text(), QStringLiteral("1"));
        QVERIFY(!w.txtExpired->text().isEmpty());
        QVERIFY(w.txtUpdDate->text().isEmpty());
        w.txtNama->setText("Budi Baru");
        w.txtKdLevel->setText("2");
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{"Data telah disimpan"});
        QCOMPARE(count("SELECT COUNT(*) FROM data_pengguna_alias WHERE user_id = '002' AND "
                       "user_nama = 'Budi Baru' AND user_group = 2 AND user_alias = 'budi' AND "
                       "user_pwd = MD5('lama') AND user_exp_date = '2030-01-31' AND "
                       "user_upd_alias = 'tester'"),
                 1);
        QCOMPARE(data.ListView1->subItem(1, 2), QStringLiteral("Budi Baru"));
    }

    void userEditChangedElsewhereIsRefused() {
        addGroup(1);
        addUser("001", "budi");
        MessageRecorder messages;
        frmData data;
        data.view = QStringLiteral("Pengguna");
        data.show();
        frmSetupPengguna w;
        w.view = QStringLiteral("edit");
        w.data = &data;
        w.show();
        testdb::rootExec("UPDATE data_pengguna_alias SET user_status = '2'");
        w.txtNama->setText("Mine");
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(),
                 QStringList{"Data telah diubah oleh pengguna lain, silakan muat ulang!"});
        QCOMPARE(w.txtKdStatus->text(), QStringLiteral("2"));
        QCOMPARE(scalarText("SELECT user_nama FROM data_pengguna_alias"), QStringLiteral("Nama"));
    }

    void resetNeedsASavedUserAndFindsTheLoginName() {
        addUser("001", "budi", "lama");
        addUser("002", "sari", "lama");
        MessageRecorder messages;
        {
            frmSetupPengguna w;
            w.view = QStringLiteral("tambah");
            w.show();
            w.txtUser->setText("budi");
            click(w, "cmdReset");
        }
        QCOMPARE(messages.texts(), QStringList{"Simpan Data terlebih dahulu!"});
        QCOMPARE(count("SELECT COUNT(*) FROM data_pengguna_alias WHERE user_pwd = MD5('lama')"), 2);
        messages.clear();
        frmSetupPengguna w;
        w.view = QStringLiteral("tambah");
        w.show();
        w.lblKode->setText("002"); // the number does not decide: the login name does
        w.txtUser->setText("budi");
        click(w, "cmdReset");
        QCOMPARE(messages.texts(), QStringList{"User telah di reset, password default 739164"});
        QCOMPARE(messages.entries.first().icon, msg::Icon::Information);
        QCOMPARE(
            column("SELECT user_alias FROM data_pengguna_alias WHERE user_pwd = MD5('739164')"),
            QStringList{"budi"});
        QCOMPARE(scalarText("SELECT user_exp_date FROM data_pengguna_alias WHERE user_id = '001'"),
                 QStringLiteral("2030-01-31"));
        QCOMPARE(count("SELECT COUNT(*) FROM log_password"), 0);
    }

    // ---- password change ----

    void passwordChecksInOrder_data() {
        QTest::addColumn<QStringList>("boxes"); // old, new, confirmation
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("old") << QStringList{"", "", ""} << "Password lama belum diisi!"
                             << "txtPasswordLama";
        QTest::newRow("new") << QStringList{"a", "", ""} << "Password baru belum diisi!"
                             << "txtPasswordBaru";
        QTest::newRow("confirmation")
            << QStringList{"a", "b", ""} << "Password konfirmasi belum diisi!"
            << "txtKonfirmasi";
        QTest::newRow("case differs") << QStringList{"a", "Baru", "baru"}
                                      << "Password konfirmasi tidak sama dengan password baru!"
                                      << "txtKonfirmasi";
        QTest::newRow("wrong old")
            << QStringList{"salah", "baru", "baru"} << "Password lama tidak sesuai!"
            << "";
    }

    void passwordChecksInOrder() {
        QFETCH(QStringList, boxes);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        addUser("001", "budi", "lama");
        core::CurrentUser().alias = QStringLiteral("budi");
        const auto restore = qScopeGuard([] { core::CurrentUser().alias = "tester"; });
        MessageRecorder messages;
        EndRecorder end;
        frmGantiPassword w;
        w.show();
        w.txtPasswordLama->setText(boxes[0]);
        w.txtPasswordBaru->setText(boxes[1]);
        w.txtKonfirmasi->setText(boxes[2]);
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(), QStringList{message});
        QCOMPARE(messages.entries.first().icon, msg::Icon::Exclamation);
        if (!focus.isEmpty())
            QCOMPARE(w.focusWidget()->objectName(), focus);
        QCOMPARE(w.txtPasswordLama->text(), boxes[0]);
        QCOMPARE(end.calls, 0);
        QCOMPARE(count("SELECT COUNT(*) FROM log_password"), 0);
    }

    void passwordChangeIsLoggedAndEndsTheProgram_data() {
        QTest::addColumn<QString>("newPassword");
        QTest::newRow("new") << "Baru'1";
        QTest::newRow("same as old") << "lama";
    }

    void passwordChangeIsLoggedAndEndsTheProgram() {
        QFETCH(QString, newPassword);
        addUser("001", "budi", "lama");
        addUser("002", "sari", "lama");
        core::CurrentUser().alias = QStringLiteral("budi");
        const auto restore = qScopeGuard([] { core::CurrentUser().alias = "tester"; });
        MessageRecorder messages;
        EndRecorder end;
        frmGantiPassword w;
        w.show();
        w.txtPasswordLama->setText("lama");
        w.txtPasswordBaru->setText(newPassword);
        w.txtKonfirmasi->setText(newPassword);
        click(w, "cmdSimpan");
        QCOMPARE(messages.texts(),
                 QStringList{"Password berhasil diganti, silahkan login kembali!"});
        QCOMPARE(messages.entries.first().icon, msg::Icon::Information);
        QCOMPARE(end.calls, 1);
        QCOMPARE(column("SELECT user_alias FROM data_pengguna_alias WHERE user_pwd = MD5(?)",
                        {newPassword}),
                 newPassword == "lama" ? QStringList({"budi", "sari"}) : QStringList{"budi"});
        QCOMPARE(column("SELECT CONCAT(log_user, ' ', log_version, ' ', log_date = CURDATE()) "
                        "FROM log_password"),
                 QStringList{"budi " + core::versionText() + " 1"});
        QCOMPARE(scalarText("SELECT user_exp_date FROM data_pengguna_alias WHERE user_id = '001'"),
                 QStringLiteral("2030-01-31"));
    }

    void failedLogInsertKeepsTheOldPassword() {
        addUser("001", "budi", "lama");
        testdb::rootExec("CREATE TRIGGER tst_fail_log BEFORE INSERT ON log_password FOR EACH ROW "
                         "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'log ditolak'");
        const auto drop =
            qScopeGuard([] { testdb::rootExec("DROP TRIGGER IF EXISTS tst_fail_log"); });
        core::CurrentUser().alias = QStringLiteral("budi");
        const auto restore = qScopeGuard([] { core::CurrentUser().alias = "tester"; });
        MessageRecorder messages;
        EndRecorder end;
        frmGantiPassword w;
        w.show();
        w.txtPasswordLama->setText("lama");
        w.txtPasswordBaru->setText("baru");
        w.txtKonfirmasi->setText("baru");
        click(w, "cmdSimpan");
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.lastText().startsWith("Data gagal disimpan!"));
        QCOMPARE(end.calls, 0);
        QCOMPARE(count("SELECT COUNT(*) FROM data_pengguna_alias WHERE user_pwd = MD5('lama')"), 1);
    }
};

QTEST_MAIN(TestAdmin)
#include "tst_admin.moc"
