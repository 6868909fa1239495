#include "db/gateway.h"
#include "db/reader.h"
#include "db/sql.h"
#include "db/storedtext.h"
#include "support/testdb.h"

#include <QSqlQuery>
#include <QtTest>

class TestGateway : public QObject {
    Q_OBJECT

private slots:
    void decoder_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fill 0") << "TWFu"
                                << "Man";
        QTest::newRow("fill 1") << "TWE="
                                << "Ma";
        QTest::newRow("fill 2") << "TQ=="
                                << "M";
        QTest::newRow("line breaks") << "TW\r\nFu\nTWE="
                                     << "ManMa";
        QTest::newRow("stray characters") << "T*W F.u-"
                                          << "Man";
        QTest::newRow("partial group ignored") << "TWFuTW"
                                               << "Man";
        QTest::newRow("stray = inside counts as zero") << "TW=uTWE="
                                                       << "M`.Ma";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("only fill") << "=="
                                   << "";
        QTest::newRow("windows-1252 byte") << "gA==" << QStringLiteral("\u20ac");
    }

    void decoder() {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(db::Base64Decode(input), expected);
    }

    void decoderLengthHasNoTrailingZeros() {
        // 4 groups with fill 2: (16 / 4) * 3 - 2 = 10 characters.
        const QString out = db::Base64Decode(QStringLiteral("MDEyMzQ1Njc4OQ=="));
        QCOMPARE(out.size(), 10);
        QCOMPARE(out, QStringLiteral("0123456789"));
    }

    void layeredDecode() {
        QCOMPARE(db::DecodeStoredText(testdb::encode(QStringLiteral("ulu-cafe"))),
                 QStringLiteral("ulu-cafe"));
        QCOMPARE(db::DecodeStoredText(testdb::encode(QStringLiteral("Caf\u00e9 \u20ac"))),
                 QStringLiteral("Caf\u00e9 \u20ac"));
    }

    void compiledConstants() {
        const db::StoredTexts t = db::compiledStoredTexts();
        QCOMPARE(db::DecodeStoredText(t.host[0]), QStringLiteral("127.0.0.1"));
        QCOMPARE(db::DecodeStoredText(t.portP1), QStringLiteral("3307"));
        QCOMPARE(db::DecodeStoredText(t.portP2), QStringLiteral("3308"));
        QCOMPARE(db::DecodeStoredText(t.portP3), QStringLiteral("3309"));
        QCOMPARE(db::DecodeStoredText(t.user), QStringLiteral("ulu-cafe"));
        QCOMPARE(db::DecodeStoredText(t.lookup2), QStringLiteral("AND user_pwd = MD5("));
        QCOMPARE(db::DecodeStoredText(t.lookup3), QStringLiteral(") AND user_status = '1'"));
        QVERIFY(db::DecodeStoredText(t.lookup1).endsWith(QStringLiteral("WHERE user_alias =")));
    }

    void safeText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "admin" << true;
        QTest::newRow("single hyphens, lone slashes") << "a-b/c-d/" << true;
        QTest::newRow("semicolon") << "a;b" << false;
        QTest::newRow("apostrophe") << "o'neil" << false;
        QTest::newRow("two hyphens") << "x--" << false;
        QTest::newRow("comment start") << "a/*b" << false;
        QTest::newRow("star slash only") << "a*/b" << true;
    }

    void safeText() {
        QFETCH(QString, text);
        QFETCH(bool, safe);
        QCOMPARE(db::IsSafeText(text), safe);
    }

    void profileSelection() {
        db::setStoredTexts(db::compiledStoredTexts());
        db::setServer(QStringLiteral("10.9.9.9"), QStringLiteral("1"));
        QVERIFY(!db::useProfile(QStringLiteral("6")));
        QVERIFY(!db::useProfile(QString()));
        QCOMPARE(db::serverAddress(), QStringLiteral("10.9.9.9"));
        QVERIFY(db::useProfile(QStringLiteral("4")));
        QCOMPARE(db::serverAddress(), QStringLiteral("127.0.0.1"));
        QCOMPARE(db::serverPortText(), QStringLiteral("3309"));
        QVERIFY(db::useProfile(QStringLiteral("2")));
        QCOMPARE(db::serverPortText(), QStringLiteral("3308"));
    }

    void failedOpenShowsMessage_data() {
        QTest::addColumn<QString>("portText");
        QTest::newRow("not a number") << "33o7";
        QTest::newRow("empty") << "";
        QTest::newRow("nothing listens") << "1";
    }

    void failedOpenShowsMessage() {
        QFETCH(QString, portText);
        testdb::install();
        db::setServer(QStringLiteral("127.0.0.1"), portText);
        MessageRecorder messages;
        db::OpenLoginConnection();
        QCOMPARE(db::loginState(), db::StateNotConnected);
        QCOMPARE(messages.texts(), QStringList{db::kConnectionMessage});
        QCOMPARE(messages.entries.first().icon, msg::Icon::Exclamation);
        QCOMPARE(messages.entries.first().title, QStringLiteral("CAFE SINDARA"));
    }

    void openAndClose() {
        MessageRecorder messages;
        QVERIFY(testdb::openSession());
        QCOMPARE(db::databaseName(), testdb::cafeDb());
        QVERIFY(messages.entries.isEmpty());
        db::OpenLoginConnection();
        QCOMPARE(db::loginState(), db::StateOpen);
        db::closeLoginConnection();
        QCOMPARE(db::loginState(), db::StateNotConnected);
        QCOMPARE(db::sessionState(), db::StateOpen);
    }

    void awkwardValuesRoundTrip() {
        QVERIFY(testdb::openSession());
        testdb::rootExec("DROP TABLE IF EXISTS gw_probe");
        testdb::rootExec("CREATE TABLE gw_probe (id INT PRIMARY KEY, txt VARCHAR(100)) "
                         "ENGINE=InnoDB");
        testdb::rootExec(QStringLiteral("GRANT SELECT, INSERT ON `%1`.gw_probe TO '%1'@'%'")
                             .arg(testdb::cafeDb()));
        const QString value = QStringLiteral("O'Neil \\ ; -- DROP TABLE x; /* \u00e9\u00f1 'x' ");
        db::exec("INSERT INTO gw_probe SET id = ?, txt = ?", {1, value});
        QCOMPARE(db::scalar("SELECT txt FROM gw_probe WHERE id = ?", {1}).toString(), value);
        QCOMPARE(db::scalar("SELECT COUNT(*) FROM gw_probe WHERE txt = ?", {value}).toInt(), 1);
    }

    void transactionRollsBackHalfWrite() {
        QVERIFY(testdb::openSession());
        testdb::rootExec("DROP TABLE IF EXISTS gw_tx");
        testdb::rootExec("CREATE TABLE gw_tx (id INT PRIMARY KEY) ENGINE=InnoDB");
        testdb::rootExec(
            QStringLiteral("GRANT SELECT, INSERT ON `%1`.gw_tx TO '%1'@'%'").arg(testdb::cafeDb()));
        bool failed = false;
        try {
            db::Transaction tx;
            db::exec("INSERT INTO gw_tx SET id = ?", {1});
            db::exec("INSERT INTO gw_tx SET id = ?", {1}); // duplicate key
            tx.commit();
        } catch (const db::Error &e) {
            failed = true;
            QVERIFY2(e.text().contains("Duplicate"), qPrintable(e.text()));
        }
        QVERIFY(failed);
        QCOMPARE(db::scalar("SELECT COUNT(*) FROM gw_tx").toInt(), 0);

        {
            db::Transaction tx;
            db::exec("INSERT INTO gw_tx SET id = ?", {2});
            tx.commit();
        }
        QCOMPARE(db::scalar("SELECT COUNT(*) FROM gw_tx").toInt(), 1);
    }

    void readerGivesServerTextForms() {
        QVERIFY(testdb::openSession());
        const QString longText(3000, QLatin1Char('x'));
        db::Reader r("SELECT CAST('2026-12-08' AS DATE) AS d, "
                     "CAST('2026-12-08 07:05:09' AS DATETIME) AS dt, "
                     "CAST(15000.5 AS DECIMAL(15,2)) AS m, NULL AS n, ? AS bound, "
                     "? + 1 AS plusOne, ? AS day, REPEAT('x', 3000) AS wide",
                     {QStringLiteral("Bakso \u00d1 \U0001F35C"), 41, QDate(2026, 12, 8)});
        QVERIFY(!r.failure());
        QVERIFY(r.next());
        QCOMPARE(r.text(r.column("D")), QStringLiteral("2026-12-08"));
        QCOMPARE(r.text(r.column("dt")), QStringLiteral("2026-12-08 07:05:09"));
        QCOMPARE(r.text(r.column("m")), QStringLiteral("15000.50"));
        QCOMPARE(r.money(r.column("m")), 15001);
        QVERIFY(r.isNull(r.column("n")));
        QCOMPARE(r.text(r.column("n")), QString());
        QCOMPARE(r.text(r.column("bound")), QStringLiteral("Bakso \u00d1 \U0001F35C"));
        QCOMPARE(r.whole(r.column("plusOne")), 42);
        QCOMPARE(r.text(r.column("day")), QStringLiteral("2026-12-08"));
        QCOMPARE(r.text(r.column("wide")), longText); // past the cell's first buffer
        QCOMPARE(r.column("no_such_column"), -1);
        QVERIFY(!r.next());
        QVERIFY(!r.failure());
    }

    void moneyFromServerText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("money");
        QTest::newRow("decimal") << "15000.00" << qint64(15000);
        QTest::newRow("half up") << "15000.50" << qint64(15001);
        QTest::newRow("below half") << "15000.49" << qint64(15000);
        QTest::newRow("negative half") << "-2.50" << qint64(-3);
        QTest::newRow("whole") << "7" << qint64(7);
        QTest::newRow("big") << "9999999999999.00" << qint64(9999999999999);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("not a number") << "12.3x" << qint64(0);
    }

    void moneyFromServerText() {
        QFETCH(QString, text);
        QFETCH(qint64, money);
        QCOMPARE(db::moneyFromText(text), money);
    }

    void failedReadIsReportedNotThrown() {
        QVERIFY(testdb::openSession());
        db::Reader r("SELECT * FROM no_such_table");
        QVERIFY(!r.next());
        QVERIFY(r.failure());
        QVERIFY(r.failure()->number() != 0);
        QVERIFY(!r.failure()->isConnectionFailure());
        QVERIFY_THROWS_EXCEPTION(db::Error, r.throwIfFailed());
        QVERIFY_THROWS_EXCEPTION(db::Error, db::select("SELECT * FROM no_such_table"));

        db::closeSessionConnection();
        db::Reader closed("SELECT 1");
        QVERIFY(!closed.next());
        QVERIFY(closed.failure() && closed.failure()->isConnectionFailure());
    }

    // A guard inside another joins it: no second BEGIN (which would commit the outer work) and
    // an inner failure takes the whole transaction back.
    void nestedTransactions() {
        QVERIFY(testdb::openSession());
        testdb::rootExec("DROP TABLE IF EXISTS gw_nest");
        testdb::rootExec("CREATE TABLE gw_nest (id INT PRIMARY KEY, name VARCHAR(10), "
                         "UNIQUE KEY uq_name (name))");
        testdb::rootExec(QStringLiteral("GRANT SELECT, INSERT ON `%1`.gw_nest TO '%1'@'%'")
                             .arg(testdb::cafeDb()));
        auto count = [] { return db::scalar("SELECT COUNT(*) FROM gw_nest").toInt(); };

        {
            db::Transaction outer;
            db::exec("INSERT INTO gw_nest SET id = 1");
            {
                db::Transaction inner;
                QVERIFY(!inner.isOutermost());
                db::exec("INSERT INTO gw_nest SET id = 2");
                inner.commit();
            }
            // outer left without commit
        }
        QCOMPARE(count(), 0);

        bool refused = false;
        try {
            db::Transaction outer;
            db::exec("INSERT INTO gw_nest SET id = 1");
            try {
                db::Transaction inner;
                db::exec("INSERT INTO gw_nest SET id = 2");
                db::exec("INSERT INTO gw_nest SET id = 2");
                inner.commit();
            } catch (const db::Error &) {
                // a helper's caller that swallows the failure must not commit half the work
            }
            outer.commit();
        } catch (const db::Error &) {
            refused = true;
        }
        QVERIFY(refused);
        QCOMPARE(count(), 0);

        {
            db::Transaction outer;
            db::exec("INSERT INTO gw_nest SET id = 1");
            {
                db::Transaction inner;
                db::exec("INSERT INTO gw_nest SET id = 2");
                inner.commit();
            }
            outer.commit();
        }
        QCOMPARE(count(), 2);

        // A new guard after a doomed one starts clean.
        {
            db::Transaction tx;
            db::exec("INSERT INTO gw_nest SET id = 3");
            tx.commit();
        }
        QCOMPARE(count(), 3);
    }

    void duplicateKeyIsNamed() {
        QVERIFY(testdb::openSession());
        testdb::rootExec("DROP TABLE IF EXISTS gw_dup");
        testdb::rootExec("CREATE TABLE gw_dup (id INT PRIMARY KEY, name VARCHAR(10), "
                         "UNIQUE KEY uq_name (name))");
        testdb::rootExec(QStringLiteral("GRANT SELECT, INSERT ON `%1`.gw_dup TO '%1'@'%'")
                             .arg(testdb::cafeDb()));
        db::exec("INSERT INTO gw_dup SET id = 1, name = 'a'");
        const struct {
            const char *sql;
            const char *key;
        } cases[] = {{"INSERT INTO gw_dup SET id = 1, name = 'b'", "PRIMARY"},
                     {"INSERT INTO gw_dup SET id = 2, name = 'a'", "uq_name"}};
        for (const auto &c : cases) {
            try {
                db::exec(QString::fromLatin1(c.sql));
                QFAIL("duplicate accepted");
            } catch (const db::Error &e) {
                QCOMPARE(e.number(), db::Error::DuplicateKey);
                QVERIFY(e.isDuplicate());
                QCOMPARE(e.duplicateKey(), QString::fromLatin1(c.key));
            }
        }
    }
};

QTEST_MAIN(TestGateway)
#include "tst_gateway.moc"
