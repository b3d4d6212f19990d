// A disk that fills up in the middle of moving in or of putting a copy back:
// the system itself refuses the bytes (the file-size limit of a child process,
// kioku_write_child), and every file of the data folder stays as it was, no
// temporary file left beside them; the imported folder is never touched.
#include "core/backup.h"
#include "moveinfixture.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace kioku;
using namespace moveinfixture;

namespace {

QStringList runChild(qint64 limit, const QString &op, const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KIOKU_WRITE_CHILD), {QDir::currentPath(), QString::number(limit), op});
    if (!p.waitForStarted(60000) || !p.waitForFinished(120000))
        return {QStringLiteral("did not run")};
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A log of `n` records, a few kilobytes per hundred.
QByteArray logOf(int n, int year)
{
    QStringList l;
    for (int i = 0; i < n; ++i)
        l.append(QStringLiteral("\"%1/%2/%3\",\"10:%4:00\",\"数字記憶\",30,\"暗記数 : 8   正解 : 6   不正解 : 2\",")
                     .arg(year)
                     .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                     .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                     .arg(i % 60, 2, 10, QLatin1Char('0')));
    return sjisLines(l);
}

constexpr qint64 kLimit = 40 * 1024;

} // namespace

class tst_movefailure : public QObject {
    Q_OBJECT

private slots:
    void fullDisk_data();
    void fullDisk();
};

void tst_movefailure::fullDisk_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("currentRecords");
    QTest::addColumn<int>("otherRecords"); // the old folder's log, or the copy put back

    // The merged log outgrows the limit: its new file cannot be written.
    QTest::newRow("merge: the new log") << QStringLiteral("import") << QStringLiteral("merge") << 100 << 1000;
    // The current log is too large to be copied first: nothing may change.
    QTest::newRow("replace: the copy of the current log")
        << QStringLiteral("import") << QStringLiteral("replace") << 1000 << 100;
    QTest::newRow("restore: the copy put back") << QStringLiteral("restore") << QString() << 100 << 1000;
    QTest::newRow("restore: the copy of the current log") << QStringLiteral("restore") << QString() << 1000 << 100;
}

void tst_movefailure::fullDisk()
{
    QFETCH(QString, op);
    QFETCH(QString, mode);
    QFETCH(int, currentRecords);
    QFETCH(int, otherRecords);
    TempDataDir data;
    writeCurrentFolder();
    QVERIFY(data.write(QStringLiteral("データ.txt"), logOf(currentRecords, 2025)));
    QTemporaryDir old;
    writeOldFolder(old.path());
    QVERIFY(QFile::remove(old.filePath(QStringLiteral("データ.TXT"))));
    QFile oldLog(old.filePath(QStringLiteral("データ.TXT")));
    QVERIFY(oldLog.open(QIODevice::WriteOnly));
    oldLog.write(logOf(otherRecords, 2024));
    oldLog.close();
    const QString copyName = QStringLiteral("データ_20261201-090000.txt");
    QDir().mkpath(kBackupFolder);
    QVERIFY(data.write(kBackupFolder + QLatin1Char('/') + copyName, logOf(otherRecords, 2024)));

    const QMap<QString, QByteArray> before = checksums(QDir::currentPath());
    const QMap<QString, QByteArray> oldSums = checksums(old.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KIOKU_IMPORT_FOLDER"), old.path());
    env.insert(QStringLiteral("KIOKU_IMPORT_MODE"), mode);
    env.insert(QStringLiteral("KIOKU_RESTORE_COPY"), copyName);

    const QStringList out = runChild(kLimit, op, env);
    QCOMPARE(out.value(0), QStringLiteral("failed"));
    QVERIFY2(out.join(QLatin1Char('\n')).contains(QStringLiteral("データ")), qPrintable(out.join('\n')));
    QCOMPARE(checksums(QDir::currentPath()), before);
    QCOMPARE(checksums(old.path()), oldSums);

    // With room enough the same run goes through (the failure was the disk's).
    const QStringList again = runChild(1099511627776LL, op, env);
    QCOMPARE(again.value(0), QStringLiteral("ok"));
    QVERIFY(checksums(QDir::currentPath()) != before);
    QCOMPARE(checksums(old.path()), oldSums);
}

QTEST_GUILESS_MAIN(tst_movefailure)
#include "tst_movefailure.moc"
