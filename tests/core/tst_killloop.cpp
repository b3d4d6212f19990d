// The play log when the program is killed in the middle of writing it (a
// crash, a power cut as far as the file system's cache goes): a child process
// writes the log as the program does and is sent SIGKILL at random instants
// (seeded). A whole-file rewrite leaves exactly the old or the new bytes; an
// append leaves whole records only, once a cut-off last line has been moved
// out as the start-up does.
#include "core/playlog/playlog.h"
#include "killchild.h"
#include "testing/seededrandom.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QtTest>

using namespace kioku;

namespace {

constexpr int kKills = 100;
constexpr int kMostTries = 300; // runs that end before their kill do not count

struct Child {
    QProcess process;
    bool started = false;

    Child(const QString &op)
    {
        process.start(QStringLiteral(KIOKU_KILL_CHILD), {QDir::currentPath(), op});
        started = process.waitForStarted(30000);
        // "go": the child has read the log and is about to write.
        while (started && !process.canReadLine()) {
            if (!process.waitForReadyRead(30000)) {
                started = false;
                break;
            }
        }
    }
    // Kills the child after `micros`; true when it was still running then.
    bool killAfter(qint64 micros)
    {
        QThread::usleep(quint64(micros));
        const bool running = process.state() == QProcess::Running && !process.waitForFinished(0);
        process.kill();
        process.waitForFinished(30000);
        return running && process.exitStatus() == QProcess::CrashExit;
    }
};

QByteArray gameLines(int from, int to)
{
    QStringList lines;
    for (int n = from; n < to; ++n)
        lines.append(appendRecord(n).gameLine());
    return sjisLines(lines);
}

QByteArray rewriteLines(int from, int to)
{
    QStringList lines;
    for (int n = from; n < to; ++n)
        lines.append(appendRecord(n).rewriteLine());
    return sjisLines(lines);
}

// Files a killed atomic write leaves behind: its temporary file beside the log.
int removeLeftovers()
{
    int n = 0;
    const QStringList names = QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (name != kPlayLogFile && name != kPlayLogFile + kFragmentSuffix) {
            QFile::remove(name);
            ++n;
        }
    }
    return n;
}

} // namespace

class tst_killloop : public QObject {
    Q_OBJECT

private slots:
    void rewriteKilled();
    void appendKilled();
};

void tst_killloop::rewriteKilled()
{
    TempDataDir dir;
    constexpr int kRecords = 30000;
    const QByteArray oldBytes = gameLines(0, kRecords);
    const QByteArray newBytes = rewriteLines(1, kRecords); // the first record deleted
    QVERIFY(dir.write(kPlayLogFile, oldBytes));

    // One whole run, timed from its "go": the kills fall anywhere in it.
    QElapsedTimer timer;
    {
        Child whole(QStringLiteral("rewrite"));
        QVERIFY(whole.started);
        timer.start();
        QVERIFY(whole.process.waitForFinished(60000));
        QCOMPARE(whole.process.exitCode(), 0);
    }
    const qint64 span = std::max<qint64>(1000, timer.nsecsElapsed() / 1000);
    QCOMPARE(dir.bytes(kPlayLogFile), newBytes);

    SeededRandom random(20261207);
    int kills = 0, tries = 0, oldLeft = 0, newLeft = 0, torn = 0, leftovers = 0;
    while (kills < kKills && tries < kMostTries) {
        ++tries;
        QVERIFY(dir.write(kPlayLogFile, oldBytes));
        Child child(QStringLiteral("rewrite"));
        QVERIFY(child.started);
        if (child.killAfter(qint64(random.next() * double(span))))
            ++kills;
        const QByteArray now = dir.bytes(kPlayLogFile);
        if (now == oldBytes)
            ++oldLeft;
        else if (now == newBytes)
            ++newLeft;
        else
            ++torn;
        leftovers += removeLeftovers();
    }
    qInfo("rewrite of %d records: %d kills in %d runs, old bytes %d, new bytes %d, torn %d, temporary files left %d",
          kRecords, kills, tries, oldLeft, newLeft, torn, leftovers);
    QCOMPARE(kills, kKills);
    QCOMPARE(torn, 0);
}

void tst_killloop::appendKilled()
{
    TempDataDir dir;
    constexpr int kStart = 100;
    QByteArray expected = gameLines(0, kStart);
    int expectedRecords = kStart;
    QVERIFY(dir.write(kPlayLogFile, expected));

    SeededRandom random(7122026);
    int kills = 0, tries = 0, cut = 0;
    constexpr qint64 kSpan = 20000; // µs of appending, some hundreds of records
    while (kills < kKills && tries < kMostTries) {
        ++tries;
        Child child(QStringLiteral("append"));
        QVERIFY(child.started);
        if (child.killAfter(qint64(random.next() * double(kSpan))))
            ++kills;

        const QByteArray killed = dir.bytes(kPlayLogFile);
        const TailRecovery recovery = recoverPlayLogTail();
        const QByteArray now = dir.bytes(kPlayLogFile);
        // Whole records, each the one of its position, and nothing after them.
        while (expected.size() < now.size()) {
            expected += gameLines(expectedRecords, expectedRecords + 1);
            ++expectedRecords;
        }
        QVERIFY2(now == expected,
                 qPrintable(
                     QStringLiteral("run %1: %2 bytes, %3 expected").arg(tries).arg(now.size()).arg(expected.size())));
        if (recovery.outcome == TailRecovery::Outcome::Moved) {
            // A record cut off: moved out byte for byte, a beginning of the next one.
            ++cut;
            QCOMPARE(killed, now + recovery.tail);
            QVERIFY(gameLines(expectedRecords, expectedRecords + 1).startsWith(recovery.tail));
            QFile::remove(kPlayLogFile + kFragmentSuffix);
        } else {
            QCOMPARE(int(recovery.outcome), int(TailRecovery::Outcome::Nothing));
            QCOMPARE(killed, now);
        }
    }
    const PlayLog log = readPlayLog();
    QVERIFY(log.clean && !log.cutTail);
    QCOMPARE(log.records.size(), expectedRecords);
    qInfo("appends: %d kills in %d runs, %d records in the end, cut-off records moved out %d", kills, tries,
          expectedRecords, cut);
    QCOMPARE(kills, kKills);
}

QTEST_GUILESS_MAIN(tst_killloop)
#include "tst_killloop.moc"
