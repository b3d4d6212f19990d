// Exports that the operating system refuses part-way (the file-size limit of
// a child process, EFBIG, standing in for a full disk): the CSV of the play
// log, the same with every game's history, and the monthly PDF. The player
// is told in Japanese, no half file is left in the folder written to, and a
// file of the same name that was there keeps its bytes.
#include "core/game/catalogue.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct ChildRun {
    bool finished = false;
    QStringList lines; // what the child printed
};

ChildRun runChild(const QString &folder, qint64 limit, const QString &target, const QString &op)
{
    ChildRun run;
    QProcess p;
    p.start(QStringLiteral(KIOKU_EXPORT_CHILD), {folder, QString::number(limit), target, op});
    run.finished = p.waitForStarted(60000) && p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit
        && p.exitCode() == 0;
    run.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!run.finished)
        qWarning() << p.readAllStandardError();
    return run;
}

// A play log of `n` records in 2026/12, as the games write it.
QByteArray logOf(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(play(QStringLiteral("2026/12/%1").arg(1 + i % 7, 2, 10, QLatin1Char('0')),
                          QStringLiteral("14:05:%1").arg(i % 60, 2, 10, QLatin1Char('0')), kioku::itemNames().at(i % 7),
                          30.5f + float(i % 50), QStringLiteral("暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%"))
                         .gameLine());
    return sjisLines(lines);
}

// A history of number memory of `n` lines.
QByteArray historyOf(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(QStringLiteral("\"2026/12/07\",\"14:05:33\",\"8桁\",8,6,0.5,\"75.0%\""));
    return sjisLines(lines);
}

} // namespace

class tst_exportfailure : public QObject {
    Q_OBJECT
private slots:
    void refusedExport_data();
    void refusedExport();
};

// Each export with a limit it passes (the files are all there) and one it
// does not (nothing new is there), into an empty folder and over an old file.
void tst_exportfailure::refusedExport_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("logRecords");
    QTest::addColumn<int>("historyLines");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("oldFile");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("files");

    QTest::newRow("csv passes") << "csv" << 200 << 0 << qint64(1 << 20) << false << true << 1;
    QTest::newRow("csv refused") << "csv" << 2000 << 0 << qint64(16 * 1024) << false << false << 0;
    QTest::newRow("csv refused over an old file") << "csv" << 2000 << 0 << qint64(16 * 1024) << true << false << 0;
    QTest::newRow("histories pass") << "histories" << 20 << 20 << qint64(1 << 20) << false << true << 8;
    // The log's file fits under the limit, a history does not: the log's
    // file must not be left there alone either.
    QTest::newRow("histories refused at a history")
        << "histories" << 20 << 2000 << qint64(16 * 1024) << true << false << 0;
    QTest::newRow("pdf passes") << "pdf" << 100 << 0 << qint64(16 << 20) << false << true << 1;
    QTest::newRow("pdf refused") << "pdf" << 100 << 0 << qint64(4 * 1024) << true << false << 0;
}

void tst_exportfailure::refusedExport()
{
    QFETCH(QString, op);
    QFETCH(int, logRecords);
    QFETCH(int, historyLines);
    QFETCH(qint64, limit);
    QFETCH(bool, oldFile);
    QFETCH(bool, written);
    QFETCH(int, files);

    TempDataDir data;
    QVERIFY(data.write(QStringLiteral("データ.txt"), logOf(logRecords)));
    if (historyLines > 0)
        QVERIFY(data.write(QStringLiteral("数字記憶履歴.txt"), historyOf(historyLines)));
    QTemporaryDir out;
    const QString name = op == QLatin1String("pdf") ? QStringLiteral("記録.pdf") : QStringLiteral("記録.csv");
    const QString target = out.filePath(name);
    const QByteArray old("old bytes\r\n");
    if (oldFile) {
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(old);
    }

    const ChildRun run = runChild(QDir::currentPath(), limit, target, op);
    QVERIFY(run.finished);
    QVERIFY(!run.lines.isEmpty());
    const QStringList left = QDir(out.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    if (written) {
        QCOMPARE(run.lines.first(), QStringLiteral("ok"));
        QCOMPARE(left.size(), files);
        QFile f(target);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith(op == QLatin1String("pdf") ? QByteArray("%PDF") : QByteArray("\xEF\xBB\xBF")));
        return;
    }
    QCOMPARE(run.lines.first(), QStringLiteral("failed"));
    const QString message = run.lines.mid(1).join(QLatin1Char('\n'));
    QVERIFY2(message.contains(QStringLiteral("を書き出せませんでした")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("容量不足")), qPrintable(message));
    // Nothing but the old file, if there was one, with its old bytes.
    QCOMPARE(left, oldFile ? QStringList{name} : QStringList{});
    if (oldFile) {
        QFile f(target);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), old);
    }
}

QTEST_GUILESS_MAIN(tst_exportfailure)
#include "tst_exportfailure.moc"
