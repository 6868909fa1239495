#include "core/ansi.h"
#include "core/program.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestCore : public QObject {
    Q_OBJECT

private slots:
    void versionText() { QCOMPARE(core::versionText(), QStringLiteral("1.0.0")); }

    void tempFileCleanUp() {
        QTemporaryDir dir;
        QTemporaryDir outside;
        QVERIFY(dir.isValid() && outside.isValid());
        auto touch = [](const QString &path) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        };
        touch(dir.filePath("a.tmp"));
        touch(dir.filePath(".hidden.tmp"));
        touch(dir.filePath("keep.txt"));
        touch(dir.filePath("keep.tmp.bak"));
        QVERIFY(QDir(dir.path()).mkdir("sub.tmp"));
        touch(dir.filePath("sub.tmp/inner.tmp"));
        touch(outside.filePath("target.tmp"));
        QVERIFY(QFile::link(outside.filePath("target.tmp"), dir.filePath("link.tmp")));

        core::setProgramFolder(dir.path());
        core::deleteTempFiles();
        core::setProgramFolder(QString());

        QVERIFY(!QFile::exists(dir.filePath("a.tmp")));
        QVERIFY(!QFile::exists(dir.filePath(".hidden.tmp")));
        QVERIFY(QFile::exists(dir.filePath("keep.txt")));
        QVERIFY(QFile::exists(dir.filePath("keep.tmp.bak")));
        QVERIFY(QFile::exists(dir.filePath("sub.tmp/inner.tmp")));
        // A link is left alone, and so is what it points at.
        QVERIFY(QFileInfo(dir.filePath("link.tmp")).isSymLink());
        QVERIFY(QFile::exists(outside.filePath("target.tmp")));
    }

    void ansiRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("Nasi Goreng 2x") << QByteArray("Nasi Goreng 2x");
        QTest::newRow("latin-1") << QStringLiteral("caf\u00e9 \u00b1")
                                 << QByteArray("caf\xe9 \xb1");
        QTest::newRow("0x80 block")
            << QStringLiteral("\u20ac\u2026\u2013\u0178") << QByteArray("\x80\x85\x96\x9f");
    }

    void ansiRoundTrip() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(core::toAnsi(text), bytes);
        QCOMPARE(core::fromAnsi(bytes), text);
    }

    void ansiUnmappable() {
        QCOMPARE(core::toAnsi(QStringLiteral("a\u4e2db")), QByteArray("a?b"));
        // One character beyond the basic plane is one "?", not one per UTF-16 unit.
        QCOMPARE(core::toAnsi(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    }

    void clockSeam() {
        const QDateTime at(QDate(2026, 12, 8), QTime(14, 30, 59));
        {
            ClockPin pin(at);
            QCOMPARE(core::now(), at);
        }
        QVERIFY(qAbs(core::now().secsTo(QDateTime::currentDateTime())) < 5);
    }

    void endSeam() {
        EndRecorder end;
        core::endProgram();
        QCOMPARE(end.calls, 1);
    }
};

QTEST_MAIN(TestCore)
#include "tst_core.moc"
