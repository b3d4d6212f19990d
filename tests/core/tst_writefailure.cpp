// Writes that the operating system refuses part-way (the file-size limit of a
// child process, EFBIG, standing in for a full disk): the program must say so,
// and the file must stay exactly as it was, never emptied or cut short.
#include "core/datafolder.h"
#include "core/playlog/playlog.h"
#include "testsupport.h"

#include <QProcess>
#include <QtTest>

namespace {

struct ChildRun {
    bool started = false;
    int exitCode = -1;
    QStringList lines; // what the child printed
    QString stderrText;
};

ChildRun runChild(const QString &folder, qint64 limit, const QString &op)
{
    ChildRun run;
    QProcess p;
    p.start(QStringLiteral(KIOKU_WRITE_CHILD), {folder, QString::number(limit), op});
    run.started = p.waitForStarted(60000) && p.waitForFinished(120000);
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    run.stderrText = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// A play log of `n` records as the games write it.
QByteArray logOf(int n, bool finalLineEnd = true)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(play(QStringLiteral("2026/11/%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                          QStringLiteral("14:05:%1").arg(i % 60, 2, 10, QLatin1Char('0')), kioku::itemNames().at(i % 7),
                          30.5f + float(i % 50), QStringLiteral("暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%"))
                         .gameLine());
    QByteArray bytes = sjisLines(lines);
    if (!finalLineEnd)
        bytes.chop(2);
    return bytes;
}

} // namespace

class TstWriteFailure : public QObject {
    Q_OBJECT
private slots:
    void refusedWrite_data();
    void refusedWrite();
    void firstStart_data();
    void firstStart();
};

void TstWriteFailure::refusedWrite_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<qint64>("limit");

    const QString log = kioku::kPlayLogFile;
    const QByteArray small = logOf(20);
    const QByteArray large = logOf(1500);
    QVERIFY(small.size() < 16 * 1024 && large.size() > 64 * 1024);

    // Smaller than the file buffer: the bytes would only meet the disk on commit.
    QTest::newRow("rewrite, small log") << "rewrite" << log << small << qint64(512);
    QTest::newRow("rewrite, small log, nothing fits") << "rewrite" << log << small << qint64(0);
    QTest::newRow("rewrite, large log") << "rewrite" << log << large << qint64(32 * 1024);
    // The play log's rewrite copies the file first, and that copy meets the
    // limit before the rewrite does: the atomic rewrite is tried on its own too.
    QTest::newRow("atomic rewrite, small log") << "writelines" << log << small << qint64(512);
    QTest::newRow("atomic rewrite, nothing fits") << "writelines" << log << small << qint64(0);
    QTest::newRow("atomic rewrite, large log") << "writelines" << log << large << qint64(32 * 1024);
    // The limit falls inside the new line: part of it reaches the file.
    QTest::newRow("append, half a line fits") << "append" << log << small << qint64(small.size() + 20);
    QTest::newRow("append, only the missing line end fits")
        << "append" << log << logOf(20, false) << qint64(logOf(20, false).size() + 2);
    QTest::newRow("append to an empty log") << "append" << log << QByteArray() << qint64(10);
    QTest::newRow("game settings") << "settings" << QStringLiteral("数字記憶設定.txt") << QByteArray("8,0.5,1\r\n")
                                   << qint64(4);
    QTest::newRow("help tour") << "helptour" << QStringLiteral("設定.txt")
                               << sjisLines({QStringLiteral("\"ヘルプツアー\",1")}) << qint64(4);
}

void TstWriteFailure::refusedWrite()
{
    QFETCH(QString, op);
    QFETCH(QString, file);
    QFETCH(QByteArray, old);
    QFETCH(qint64, limit);

    TempDataDir dir;
    QVERIFY(dir.write(file, old));
    const ChildRun run = runChild(QDir::currentPath(), limit, op);
    QVERIFY2(run.started && run.exitCode == 0, qPrintable(run.stderrText));
    QVERIFY2(!run.lines.isEmpty() && run.lines.first() == QLatin1String("failed"),
             qPrintable(run.lines.join(QLatin1Char('|'))));
    // The message the user sees names the file.
    QVERIFY(run.lines.size() >= 2 && run.lines.at(1).contains(file));
    QCOMPARE(dir.bytes(file), old);
    // No temporary file is left behind either.
    QCOMPARE(dir.files(), QStringList{file});
}

void TstWriteFailure::firstStart_data()
{
    QTest::addColumn<qint64>("limit");
    // 0: only the empty play log can be written; 10: the memo and the game
    // settings fit, the name record and the settings do not; 4096: all but the help.
    QTest::newRow("nothing fits") << qint64(0);
    QTest::newRow("10 bytes") << qint64(10);
    QTest::newRow("4 KiB") << qint64(4096);
}

void TstWriteFailure::firstStart()
{
    QFETCH(qint64, limit);
    TempDataDir dir;
    const ChildRun run = runChild(QDir::currentPath(), limit, QStringLiteral("firststart"));
    QVERIFY2(run.started && run.exitCode == 0, qPrintable(run.stderrText));
    QVERIFY(!run.lines.isEmpty());
    QCOMPARE(run.lines.first(), QStringLiteral("failed"));

    QStringList written, failed, expectWritten, expectFailed;
    for (const QString &line : run.lines.mid(1)) {
        if (line.startsWith(QLatin1String("written ")))
            written.append(line.mid(8));
        else if (line.startsWith(QLatin1String("failed ")))
            failed.append(line.mid(7));
    }
    const QStringList shipped = QDir(QStringLiteral(":/data")).entryList(QDir::Files, QDir::Name);
    QVERIFY(!shipped.isEmpty());
    for (const QString &name : shipped)
        (kioku::shippedFile(name).size() > limit ? expectFailed : expectWritten).append(name);
    QStringList present = dir.files();
    for (QStringList *l : {&written, &failed, &expectWritten, &expectFailed, &present})
        l->sort();
    QCOMPARE(failed, expectFailed);
    QCOMPARE(written, expectWritten);
    // What is in the folder is whole; what failed is not there at all.
    QCOMPARE(present, expectWritten);
    for (const QString &name : expectWritten)
        QCOMPARE(dir.bytes(name), kioku::shippedFile(name));
}

QTEST_GUILESS_MAIN(TstWriteFailure)
#include "tst_writefailure.moc"
