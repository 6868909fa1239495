#include "common/amount.h"
#include "common/itemfield.h"
#include "common/nextkey.h"
#include "common/reportlist.h"
#include "common/selectors.h"
#include "common/uirules.h"
#include "db/sql.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QLocale kIndonesian(QLocale::Indonesian, QLocale::Indonesia);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

// Clicks a header section the way a user does.
void clickHeader(common::ReportList &list, int section) {
    QHeaderView *header = list.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class TestCommon : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { common::setAmountLocale(QLocale::c()); }

    void itemField_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("nAfter");
        QTest::newRow("code") << "3 : Backup-1"
                              << ":" << 1 << "3" << 1;
        QTest::newRow("text") << "3 : Backup-1"
                              << ":" << 2 << "Backup-1" << 2;
        QTest::newRow("beyond last") << "3 : Backup-1"
                                     << ":" << 3 << "" << 3;
        QTest::newRow("no separator, field 2 is the whole text") << " SISTEM "
                                                                 << "." << 2 << " SISTEM " << 2;
        QTest::newRow("no separator, field 1 trimmed") << " SISTEM "
                                                       << "." << 1 << "SISTEM" << 1;
        QTest::newRow("-1 is the last field") << "001 : Nasi : 12.000"
                                              << ":" << -1 << "12.000" << 3;
        QTest::newRow("-2 the one before") << "001 : Nasi : 12.000"
                                           << ":" << -2 << "Nasi" << 2;
        QTest::newRow("menu label") << "0101.GANTI PASSWORD"
                                    << "." << 2 << "GANTI PASSWORD" << 2;
        QTest::newRow("field 0") << "a:b"
                                 << ":" << 0 << "" << 0;
        QTest::newRow("empty text") << ""
                                    << ":" << 1 << "" << 1;
    }

    void itemField() {
        QFETCH(QString, text);
        QFETCH(QString, sep);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QFETCH(int, nAfter);
        QCOMPARE(common::GetItemField(text, sep, &n), expected);
        QCOMPARE(n, nAfter);
    }

    void keepCharactersAndProperCase() {
        QCOMPARE(common::KeepCharacters("Rp -1.500,00 x", "0123456789.,-"),
                 QStringLiteral("-1.500,00"));
        QCOMPARE(common::KeepCharacters("abc", "0123456789"), QString());
        QCOMPARE(common::properCase("0101.GANTI PASSWORD"), QStringLiteral("0101.Ganti Password"));
        QCOMPARE(common::properCase("sETUP menu CAFE"), QStringLiteral("Setup Menu Cafe"));
    }

    void selectByCode_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("index");
        QTest::newRow("exists") << "3" << 2;
        QTest::newRow("does not exist") << "7" << -1;
        QTest::newRow("cleared") << "" << -1;
    }

    void selectByCode() {
        QFETCH(QString, code);
        QFETCH(int, index);
        QComboBox combo;
        common::FillConnectionProfiles(&combo);
        combo.setCurrentIndex(0);
        common::SelectComboByCode(code, &combo);
        QCOMPARE(combo.currentIndex(), index);
    }

    void selectOnEmptyListChangesNothing() {
        QComboBox combo;
        common::SelectComboByCode("1", &combo);
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(combo.count(), 0);
    }

    void codeBoxPairing() {
        QComboBox combo;
        QLineEdit box;
        common::pairCodeBox(&box, &combo);
        common::FillConnectionProfiles(&combo);
        QCOMPARE(combo.count(), 5);
        // Filling chooses nothing, so the code box stays empty.
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(box.text(), QString());
        QCOMPARE(combo.itemText(4), QStringLiteral("5 : Backup-3"));

        combo.setCurrentIndex(2);
        QCOMPARE(box.text(), QStringLiteral("3"));
        box.setText("5");
        QCOMPARE(combo.currentText(), QStringLiteral("5 : Backup-3"));
        box.setText("9");
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(box.text(), QStringLiteral("9")); // the typed code stays
    }

    void amountFormatting_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");
        QTest::newRow("id: one and a half million") << kIndonesian << "1500000"
                                                    << "1.500.000" << 1.5e6;
        QTest::newRow("en: one and a half million") << kEnglish << "1500000"
                                                    << "1,500,000" << 1.5e6;
        QTest::newRow("id: one more digit typed") << kIndonesian << "1.500.0001"
                                                  << "15.000.001" << 15000001.0;
        QTest::newRow("id: negative") << kIndonesian << "-2000"
                                      << "-2.000" << -2000.0;
        QTest::newRow("id: small") << kIndonesian << "12"
                                   << "12" << 12.0;
    }

    void amountFormatting() {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, value);
        common::setAmountLocale(locale);
        QLineEdit box;
        common::bindAmountBox(&box);
        box.setText(typed);
        QCOMPARE(box.text(), shown);
        QCOMPARE(box.cursorPosition(), shown.size());
        QCOMPARE(common::amountValue(box.text()), value);
    }

    void amountBoxLeavesNonNumbersAndEmpty() {
        common::setAmountLocale(kIndonesian);
        QLineEdit box;
        common::bindAmountBox(&box);
        box.setText("1234");
        QCOMPARE(box.text(), QStringLiteral("1.234"));
        box.setText("");
        QCOMPARE(box.text(), QString());
        box.setText("12a");
        QCOMPARE(box.text(), QStringLiteral("12a"));
        QVERIFY(!common::parseAmount("12a"));
        QVERIFY(!common::parseAmount(""));
    }

    void defaultLocaleGroupsWithAPoint() {
        // The machines run with LANG=C.UTF-8, whose locale has no grouping.
        if (QLocale::system().language() != QLocale::C)
            QSKIP("only meaningful under the C locale");
        QCOMPARE(common::formatAmount(1500000), QStringLiteral("1.500.000"));
    }

    void wholeNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qlonglong>("value"); // -1: refused
        QTest::newRow("plain") << "25" << 25LL;
        QTest::newRow("grouped") << "1.000" << 1000LL;
        QTest::newRow("decimal") << "2,5" << -1LL;
        QTest::newRow("letters") << "lima" << -1LL;
        QTest::newRow("negative") << "-3" << -1LL;
        QTest::newRow("empty") << "" << -1LL;
    }

    void wholeNumbers() {
        QFETCH(QString, text);
        QFETCH(qlonglong, value);
        common::setAmountLocale(kIndonesian);
        const auto parsed = common::parseWholeNumber(text);
        QCOMPARE(parsed.has_value(), value >= 0);
        if (parsed)
            QCOMPARE(*parsed, value);
        QCOMPARE(common::leadingNumber("12abc"), 12LL);
        QCOMPARE(common::leadingNumber("-4"), -4LL);
        QCOMPARE(common::leadingNumber("abc"), 0LL);
    }

    void nextKey_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("expected"); // empty: refused
        QTest::newRow("empty table") << QStringList{} << "001";
        QTest::newRow("041 gives 042") << QStringList{"007", "041", "012"} << "042";
        QTest::newRow("998 gives 999") << QStringList{"998"} << "999";
        QTest::newRow("past 999 refused") << QStringList{"999"} << "";
    }

    void nextKey() {
        QFETCH(QStringList, stored);
        QFETCH(QString, expected);
        QVERIFY(testdb::openSession());
        testdb::rootExec("CREATE TABLE IF NOT EXISTS nk_probe (kode VARCHAR(10)) ENGINE=InnoDB");
        testdb::rootExec(
            QStringLiteral("GRANT SELECT ON `%1`.nk_probe TO '%1'@'%'").arg(testdb::cafeDb()));
        testdb::rootExec("DELETE FROM nk_probe");
        for (const QString &k : stored)
            db::exec("INSERT INTO nk_probe VALUES (?)", {k}, testdb::root());

        MessageRecorder messages;
        const auto key =
            common::IdReg({QString(), "SELECT MAX(right(kode, 3)) as Nomor FROM nk_probe", {}, 3});
        if (expected.isEmpty()) {
            QVERIFY(!key);
            QCOMPARE(messages.entries.size(), 1);
            QCOMPARE(messages.entries.first().icon, msg::Icon::Exclamation);
        } else {
            QCOMPARE(key.value_or(QString()), expected);
            QVERIFY(messages.entries.isEmpty());
        }
    }

    // Numbering with retry inside the caller's transaction: a key taken by another workstation
    // after the caller's snapshot is skipped, the caller's earlier work stays, and a duplicate of
    // another key is refused rather than renumbered.
    void insertWithNextKeyRetries() {
        QVERIFY(testdb::openSession());
        testdb::rootExec("DROP TABLE IF EXISTS nk_retry");
        testdb::rootExec("CREATE TABLE nk_retry (kode CHAR(3) PRIMARY KEY, nama VARCHAR(10), "
                         "UNIQUE KEY uq_nama (nama)) ENGINE=InnoDB");
        testdb::rootExec("DROP TABLE IF EXISTS nk_other");
        testdb::rootExec("CREATE TABLE nk_other (id INT PRIMARY KEY) ENGINE=InnoDB");
        for (const char *t : {"nk_retry", "nk_other"})
            testdb::rootExec(QStringLiteral("GRANT SELECT, INSERT ON `%1`.%2 TO '%1'@'%'")
                                 .arg(testdb::cafeDb(), QString::fromLatin1(t)));
        db::exec("INSERT INTO nk_retry VALUES ('001', 'a')", {}, testdb::root());
        const common::KeyRule rule{QString(), "SELECT MAX(kode) as Nomor FROM nk_retry", {}, 3};
        auto insertNamed = [](const QString &nama) {
            return [nama](const QString &key) {
                db::exec("INSERT INTO nk_retry SET kode = ?, nama = ?", {key, nama});
            };
        };

        MessageRecorder messages;
        {
            db::Transaction tx;
            db::exec("INSERT INTO nk_other SET id = 1");
            QCOMPARE(db::scalar("SELECT MAX(kode) FROM nk_retry").toString(), "001"); // snapshot
            // Another workstation stores 002 after this transaction's snapshot.
            db::exec("INSERT INTO nk_retry VALUES ('002', 'b')", {}, testdb::root());
            const auto key = common::insertWithNextKey(rule, "PRIMARY", insertNamed("c"));
            QCOMPARE(key.value_or(QString()), QStringLiteral("003"));
            tx.commit();
        }
        QCOMPARE(db::scalar("SELECT COUNT(*) FROM nk_other").toInt(), 1);
        QCOMPARE(db::scalar("SELECT kode FROM nk_retry WHERE nama = 'c'").toString(), "003");

        // A duplicate name is not a taken number: it is refused as it is.
        try {
            common::insertWithNextKey(rule, "PRIMARY", insertNamed("a"));
            QFAIL("duplicate name stored");
        } catch (const db::Error &e) {
            QCOMPARE(e.duplicateKey(), QStringLiteral("uq_nama"));
        }
        QCOMPARE(db::scalar("SELECT COUNT(*) FROM nk_retry").toInt(), 3);
        QVERIFY(messages.entries.isEmpty());
    }

    void prefixedKeyAndWideNumbers() {
        QCOMPARE(common::formatKey("SES261208", 1, 4), QStringLiteral("SES2612080001"));
        // The session code is never refused: a fifth digit is kept.
        QCOMPARE(common::formatKey("SES261208", 10000, 4), QStringLiteral("SES26120810000"));
    }

    void fillsFromTheDatabase() {
        common::setAmountLocale(kIndonesian);
        QVERIFY(testdb::openSession());
        testdb::truncate(
            {"kode_komponen", "set_kampus", "set_waktu", "data_barang", "data_pengguna_group"});
        QComboBox combo;
        common::FillCampuses(&combo);
        QCOMPARE(combo.count(), 1); // only the blank item
        QCOMPARE(combo.itemText(0), QString());
        common::FillMenuItems(&combo);
        QCOMPARE(combo.count(), 0);

        testdb::rootScript(
            "INSERT INTO kode_komponen (combo_komponen, combo_kode, combo_text) VALUES "
            "('02', '2', 'Non Aktif'), ('02', '1', 'Aktif'), ('01', '1', 'Admin');\n"
            "INSERT INTO set_kampus (kampus_nama) VALUES ('Putra'), ('Putri');\n"
            "INSERT INTO set_waktu (waktu_nama) VALUES ('Pagi');\n"
            "INSERT INTO data_pengguna_group (group_kode, group_nama) VALUES (10, 'B'), (9, 'A');\n"
            "INSERT INTO data_barang (barang_kode, barang_nama, barang_harga_jual) VALUES "
            "('001', 'Nasi Goreng', 15000.00)");
        common::FillComponentList(&combo, "02");
        QCOMPARE(combo.count(), 2);
        QCOMPARE(combo.itemText(0), QStringLiteral("1 : Aktif"));
        QCOMPARE(combo.itemText(1), QStringLiteral("2 : Non Aktif"));
        common::FillCampuses(&combo);
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.itemText(0), QString());
        QCOMPARE(combo.itemText(2), QStringLiteral("Putri"));
        common::FillTimeSlots(&combo);
        QCOMPARE(combo.count(), 1);
        QVERIFY(combo.itemText(0).endsWith(QStringLiteral(" : Pagi")));
        common::FillGroups(&combo);
        QCOMPARE(combo.itemText(0), QStringLiteral("9 : A")); // numeric order
        common::FillMenuItems(&combo);
        QCOMPARE(combo.itemText(0), QStringLiteral("001 : Nasi Goreng : 15.000"));
        common::setAmountLocale(kEnglish);
        common::FillMenuItems(&combo);
        QCOMPARE(combo.itemText(0), QStringLiteral("001 : Nasi Goreng : 15,000"));
    }

    void savedMessage() {
        MessageRecorder messages;
        common::ShowSavedMessage();
        QCOMPARE(messages.entries.size(), 1);
        QCOMPARE(messages.entries.first().icon, msg::Icon::Information);
        QCOMPARE(messages.entries.first().text, QStringLiteral("Data telah disimpan"));
        QCOMPARE(messages.entries.first().title, QStringLiteral("CAFE SINDARA"));
    }

    void listSubItems() {
        common::ReportList list;
        list.setColumns({{"0", 0, common::Left},
                         {"Kode", 800, common::Centre},
                         {"Harga", 1200, common::Right}});
        QCOMPARE(list.columnCountWithSpacer(), 3);
        QVERIFY(list.isColumnHidden(0));
        QCOMPARE(list.columnWidth(1), 800 * list.logicalDpiX() / 1440);
        list.setRows({{"001", "15.000"}, {"002"}});
        QCOMPARE(list.rowCount(), 2);
        QCOMPARE(list.subItem(0, 2), QStringLiteral("15.000"));
        QCOMPARE(list.subItem(1, 2), QString()); // missing sub-item reads empty
        QCOMPARE(list.model()->data(list.model()->index(0, 0)).toString(), QString());
        list.selectRow(-1);
        QCOMPARE(list.selectedRow(), -1);
        QCOMPARE(list.selectedSubItem(1), QString());
        list.selectRow(1);
        QCOMPARE(list.selectedSubItem(1), QStringLiteral("002"));
        list.setSubItem(1, 2, "9.000");
        QCOMPARE(list.subItem(1, 2), QStringLiteral("9.000"));
        QVERIFY(list.model()
                    ->data(list.model()->index(0, 2), Qt::TextAlignmentRole)
                    .value<Qt::Alignment>() &
                Qt::AlignRight);
        list.clearRows();
        QCOMPARE(list.rowCount(), 0);
    }

    void listHeaderSorting() {
        common::ReportList list;
        list.setColumns(
            {{"0", 1, common::Left}, {"Nama", 2000, common::Left}, {"Harga", 1000, common::Right}});
        list.setRows({{"budi", "9"}, {"Andi", "10"}, {"citra", "100"}});
        list.resize(600, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        clickHeader(list, 1); // not enabled yet: nothing moves
        QCOMPARE(list.subItem(0, 1), QStringLiteral("budi"));

        list.setHeaderSorting(true);
        clickHeader(list, 1);
        QCOMPARE(list.subItem(0, 1), QStringLiteral("Andi"));
        QCOMPARE(list.subItem(2, 1), QStringLiteral("citra"));
        clickHeader(list, 1); // same column again: descending
        QCOMPARE(list.subItem(0, 1), QStringLiteral("citra"));
        clickHeader(list, 2); // another column: ascending, by text
        QCOMPARE(list.subItem(0, 2), QStringLiteral("10"));
        QCOMPARE(list.subItem(1, 2), QStringLiteral("100"));
        QCOMPARE(list.subItem(2, 2), QStringLiteral("9"));
        // A refill keeps the chosen sort.
        list.setRows({{"x", "2"}, {"y", "1"}});
        QCOMPARE(list.subItem(0, 2), QStringLiteral("1"));
    }

    void listDoubleClickWithoutRows() {
        common::ReportList list;
        list.setColumns({{"0", 0, common::Left}, {"Kode", 800, common::Centre}});
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy spy(&list, &common::ReportList::listDoubleClicked);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(spy.count(), 1);
    }

    // A fill with rows leaves the first current and selected, an empty one nothing; Tab leaves
    // the list at once while arrows move inside it.
    void listFillSelectionAndTab() {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *list = new common::ReportList;
        auto *after = new QPushButton(QStringLiteral("BAYAR"));
        layout->addWidget(list);
        layout->addWidget(after);
        list->setColumns({{"0", 0, common::Left},
                          {"Kode", 800, common::Centre},
                          {"Nama", 2000, common::Left},
                          {"Qty", 600, common::Centre}});
        window.resize(500, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        list->setRows({{"001", "Teh", "1"}, {"002", "Kopi", "2"}, {"003", "Roti", "3"}});
        QCOMPARE(list->selectedRow(), 0);
        QCOMPARE(list->currentIndex().row(), 0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->selectedSubItem(1), QStringLiteral("002"));
        QTest::keyClick(list, Qt::Key_Right); // not a stop per cell either
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after);

        list->setRows({});
        QCOMPARE(list->selectedRow(), -1);
        QVERIFY(!list->currentIndex().isValid());
        list->setRows({{"009", "Susu", "1"}});
        QCOMPARE(list->selectedRow(), 0);
        list->clearRows();
        QCOMPARE(list->selectedRow(), -1);
    }

    // Visible columns grow to show their header and the rows on screen whole; columns designed
    // 0 or 1 twip wide stay hidden; rows far below the screen are not measured.
    void listColumnsShowWholeValues() {
        common::ReportList list;
        list.setColumns({{"0", 1, common::Left},
                         {"TransID", 300, common::Centre},
                         {"Jumlah Pembayaran Total", 200, common::Right},
                         {"Kode", 1, common::Left},
                         {"Nama", 3000, common::Left}});
        list.resize(700, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(list.isColumnHidden(0));
        QVERIFY(list.isColumnHidden(3));
        const int designNama = list.columnWidth(4);

        QList<QStringList> rows;
        for (int i = 0; i < 2000; ++i)
            rows.append({"ODR2612111417200001", "1.500.000", "x", "Teh"});
        rows.last() = {"ODR2612111417200001" + QString(200, QLatin1Char('W')), "1", "x", "Teh"};
        list.setRows(rows);

        const QFontMetrics fm(list.font());
        QVERIFY(list.columnWidth(1) >= fm.horizontalAdvance("ODR2612111417200001"));
        QVERIFY(list.columnWidth(2) >= fm.horizontalAdvance("Jumlah Pembayaran Total"));
        QVERIFY(list.columnWidth(1) < fm.horizontalAdvance(rows.last().first()));
        QCOMPARE(list.columnWidth(4), designNama); // never narrower than designed
        QVERIFY(list.isColumnHidden(3));

        // Once scrolled on screen, the long row is shown whole too.
        list.scrollToBottom();
        QVERIFY(list.columnWidth(1) >= fm.horizontalAdvance(rows.last().first()));
    }

    // Enter presses a focused button, as Space does; Enter in a text box presses none.
    void enterPressesFocusedButton() {
        common::installUiRules();
        QDialog dialog;
        auto *layout = new QVBoxLayout(&dialog);
        auto *box = new QLineEdit;
        auto *button = new QPushButton(QStringLiteral("SIMPAN"));
        button->setAutoDefault(false);
        layout->addWidget(box);
        layout->addWidget(button);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy clicks(button, &QPushButton::clicked);

        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(clicks.count(), 0);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(clicks.count(), 2);
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(clicks.count(), 3);
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
