// Days of play (the streak, the longest run, the month's practice days), the
// daily goal's progress and met days, and the goal file "目標.txt".
#include "core/backup.h"
#include "core/goal.h"
#include "core/stats/habit.h"
#include "core/stats/logsummary.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;

class tst_habit : public QObject {
    Q_OBJECT

private slots:
    void days_data();
    void days();
    void goal_data();
    void goal();
    void goalFile_data();
    void goalFile();
    void goalWrittenAfterCopy();
};

void tst_habit::days_data()
{
    QTest::addColumn<QString>("log");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("streak");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<int>("longest");
    QTest::addColumn<int>("monthDays");
    QTest::addColumn<int>("monthSoFar");

    const QDate none;
    QTest::newRow("empty log") << "" << QDate(2026, 12, 7) << 0 << none << 0 << 0 << 7;
    QTest::newRow("today alone, several plays") << "2026/12/07; 2026/12/07 画像記憶; 2026/12/07" << QDate(2026, 12, 7)
                                                << 1 << QDate(2026, 12, 7) << 1 << 1 << 7;
    QTest::newRow("across a month end") << "2026/11/29; 2026/11/30; 2026/12/01" << QDate(2026, 12, 1) << 3
                                        << QDate(2026, 11, 29) << 3 << 1 << 1;
    QTest::newRow("across a year end, ending yesterday")
        << "2025/12/30; 2025/12/31; 2026/01/01" << QDate(2026, 1, 2) << 3 << QDate(2025, 12, 30) << 3 << 1 << 2;
    QTest::newRow("2/29 of a leap year") << "2028/02/28; 2028/02/29; 2028/03/01" << QDate(2028, 3, 1) << 3
                                         << QDate(2028, 2, 28) << 3 << 1 << 1;
    QTest::newRow("2/29 of a common year is no day") << "2027/02/27; 2027/02/28; 2027/02/29; 2027/03/01"
                                                     << QDate(2027, 3, 1) << 3 << QDate(2027, 2, 27) << 3 << 1 << 1;
    QTest::newRow("a day with only an unknown item") << "2026/12/05; 2026/12/06 謎のゲーム; 2026/12/07"
                                                     << QDate(2026, 12, 7) << 3 << QDate(2026, 12, 5) << 3 << 3 << 7;
    QTest::newRow("out of order") << "2026/12/07; 2026/12/05; 2026/12/06; 2026/12/05" << QDate(2026, 12, 7) << 3
                                  << QDate(2026, 12, 5) << 3 << 3 << 7;
    QTest::newRow("a gap: the run since it") << "2026/11/20; 2026/11/21; 2026/11/22; 2026/11/23; 2026/12/05; 2026/12/06"
                                             << QDate(2026, 12, 7) << 2 << QDate(2026, 12, 5) << 4 << 2 << 7;
    QTest::newRow("neither today nor yesterday")
        << "2026/12/04; 2026/12/05" << QDate(2026, 12, 7) << 0 << none << 2 << 2 << 7;
    QTest::newRow("a day after today does not count") << "2026/12/06; 2026/12/07; 2026/12/08; 2026/12/09"
                                                      << QDate(2026, 12, 7) << 2 << QDate(2026, 12, 6) << 4 << 2 << 7;
    QTest::newRow("dates that are no dates") << "2026/12/7; 26/12/06; ; 2026/13/01; 2026/12/07" << QDate(2026, 12, 7)
                                             << 1 << QDate(2026, 12, 7) << 1 << 1 << 7;
}

void tst_habit::days()
{
    QFETCH(QString, log);
    QFETCH(QDate, today);
    // From the records themselves, and from the summary the main window holds.
    PlayLog read;
    read.records = logOf(log);
    const LogSummary summary = summarizeLog(read, today);
    for (const HabitSummary &h : {summarizeHabit(playDays(read.records), today),
                                  summarizeHabit(playDays(summary, today.addDays(-7), today), today)}) {
        QTEST(h.streak, "streak");
        QTEST(h.streakFirst, "first");
        QTEST(h.longest, "longest");
        QTEST(h.monthDays, "monthDays");
        QTEST(h.monthSoFar, "monthSoFar");
        if (h.streak > 0)
            QCOMPARE(h.streakLast, h.streakFirst.addDays(h.streak - 1));
    }
}

void tst_habit::goal_data()
{
    QTest::addColumn<QString>("log");
    QTest::addColumn<int>("kind"); // DailyGoal::Kind
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("todayText"); // the progress of 2026/12/07
    QTest::addColumn<bool>("todayMet");
    QTest::addColumn<QList<QDate>>("metDays");

    const int minutes = int(DailyGoal::Kind::Minutes), kinds = int(DailyGoal::Kind::Kinds);
    QTest::newRow("no goal") << "2026/12/07 数字記憶 900" << int(DailyGoal::Kind::None) << 0 << "" << false
                             << QList<QDate>{};
    QTest::newRow("minutes: 8 of 10") << "2026/12/07 数字記憶 300; 2026/12/07 画像記憶 199.5" << minutes << 10
                                      << "8 / 10 分" << false << QList<QDate>{};
    QTest::newRow("minutes: met to the second") << "2026/12/06 数字記憶 600; 2026/12/07 数字記憶 599.4" << minutes << 10
                                                << "9 / 10 分" << false << QList<QDate>{QDate(2026, 12, 6)};
    // Halves round to the even second at every addition, as the day's total does.
    QTest::newRow("minutes: halves to even") << "2026/12/07 数字記憶 2.5; 2026/12/07 数字記憶 57.5" << minutes << 1
                                             << "1 / 1 分" << true << QList<QDate>{QDate(2026, 12, 7)};
    QTest::newRow("an unknown item counts no minute")
        << "2026/12/07 謎のゲーム 900" << minutes << 5 << "0 / 5 分" << false << QList<QDate>{};
    QTest::newRow("kinds: lamps of the day")
        << "2026/12/05 数字記憶; 2026/12/05 画像記憶; 2026/12/05 数字記憶; 2026/12/07 追跡記憶; 2026/12/07 謎のゲーム"
        << kinds << 2 << "1 / 2 種類" << false << QList<QDate>{QDate(2026, 12, 5)};
    // Days before the shown weeks are read but not added up; a line whose date
    // is no date stands anywhere.
    QTest::newRow("minutes: plays before the shown weeks")
        << "2026/11/01 数字記憶 900; 2026/11/28 数字記憶 900; 2026/11/29 数字記憶 600; 2026/12/07 数字記憶 300; "
           "2026/12/7 数字記憶 900; 2026/12/07 画像記憶 300"
        << minutes << 10 << "10 / 10 分" << true << QList<QDate>{QDate(2026, 11, 29), QDate(2026, 12, 7)};
    QTest::newRow("minutes: a shown day's play written before older ones")
        << "2026/12/06 数字記憶 300; 2026/11/01 数字記憶 900; 2026/12/06 画像記憶 300; 2026/12/07 数字記憶 60"
        << minutes << 10 << "1 / 10 分" << false << QList<QDate>{QDate(2026, 12, 6)};
    QTest::newRow("kinds: out of order days") << "2026/12/07 数字記憶; 2026/12/01 画像記憶; 2026/12/07 輪廻記憶"
                                              << kinds << 2 << "2 / 2 種類" << true << QList<QDate>{QDate(2026, 12, 7)};
}

void tst_habit::goal()
{
    QFETCH(QString, log);
    QFETCH(int, kind);
    QFETCH(int, value);
    const DailyGoal g{DailyGoal::Kind(kind), value};
    PlayLog read;
    read.records = logOf(log);
    const QDate from(2026, 11, 29), to(2027, 1, 9);
    // From the records themselves, and from the summary the main window holds
    // (which adds up only the records of the shown weeks).
    const QList<PlayDay> whole = playDays(read.records, from, to);
    const QList<PlayDay> held = playDays(summarizeLog(read, QDate(2026, 12, 7)), from, to);
    for (const QList<PlayDay> &days : {whole, held}) {
        const HabitSummary h = summarizeHabit(days, QDate(2026, 12, 7), g);
        QTEST(h.goalDays, "metDays");
        const qint64 today = QDate(2026, 12, 7).toJulianDay();
        PlayDay d;
        for (const PlayDay &p : days)
            if (p.julianDay == today)
                d = p;
        const GoalProgress p = goalProgress(g, d.seconds, d.kinds);
        QTEST(p.text, "todayText");
        QTEST(p.met, "todayMet");
    }
    QCOMPARE(held.size(), whole.size());
}

void tst_habit::goalFile_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: no file
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("garbled");

    const int none = int(DailyGoal::Kind::None), minutes = int(DailyGoal::Kind::Minutes),
              kinds = int(DailyGoal::Kind::Kinds);
    QTest::newRow("no file: no goal") << QByteArray() << none << 0 << false;
    QTest::newRow("minutes") << sjisLines({"\"1日の目標\",\"分\",10"}) << minutes << 10 << false;
    QTest::newRow("kinds, LF only") << sjis("\"1日の目標\",\"種類\",3\n") << kinds << 3 << false;
    QTest::newRow("none") << sjisLines({"\"1日の目標\",\"なし\",0"}) << none << 0 << false;
    QTest::newRow("a bare number of minutes") << sjisLines({"30"}) << minutes << 30 << false;
    QTest::newRow("a bare number too large") << sjisLines({"601"}) << none << 0 << true;
    QTest::newRow("empty file") << QByteArray("") << none << 0 << true;
    QTest::newRow("UTF-8 text") << QByteArray("\"1日の目標\",\"分\",10\r\n") << none << 0 << true;
    QTest::newRow("not a number") << sjisLines({"\"1日の目標\",\"分\",\"十\""}) << none << 0 << true;
    QTest::newRow("eight kinds") << sjisLines({"\"1日の目標\",\"種類\",8"}) << none << 0 << true;
    QTest::newRow("zero minutes") << sjisLines({"\"1日の目標\",\"分\",0"}) << none << 0 << true;
    QTest::newRow("another file's line") << sjisLines({"\"ヘルプツアー\",1"}) << none << 0 << true;
}

void tst_habit::goalFile()
{
    QFETCH(QByteArray, bytes);
    TempDataDir dir;
    if (!bytes.isNull())
        QVERIFY(dir.write(kGoalFile, bytes));
    const GoalRead r = readDailyGoal();
    QTEST(int(r.goal.kind), "kind");
    QTEST(r.goal.value, "value");
    QTEST(r.garbled, "garbled");
    // Reading never changes the file.
    QCOMPARE(dir.bytes(kGoalFile), bytes.isNull() ? QByteArray() : bytes);
}

void tst_habit::goalWrittenAfterCopy()
{
    TempDataDir dir;
    const QDateTime at(QDate(2026, 12, 7), QTime(14, 5, 33));
    QVERIFY(writeDailyGoal({DailyGoal::Kind::Minutes, 15}, at));
    QCOMPARE(dir.bytes(kGoalFile), sjisLines({"\"1日の目標\",\"分\",15"}));
    QVERIFY(backupsOf(kGoalFile).isEmpty()); // nothing was there to copy

    QVERIFY(writeDailyGoal({DailyGoal::Kind::Kinds, 4}, at.addSecs(1)));
    QCOMPARE(dir.bytes(kGoalFile), sjisLines({"\"1日の目標\",\"種類\",4"}));
    QCOMPARE(backupsOf(kGoalFile).size(), 1);

    // A copy that cannot be made leaves the goal as it was.
    {
        FileSizeLimit limit(4); // the disk takes no more than a few bytes
        QVERIFY(!writeDailyGoal({}, at.addSecs(2)));
    }
    QCOMPARE(dir.bytes(kGoalFile), sjisLines({"\"1日の目標\",\"種類\",4"}));
    QCOMPARE(readDailyGoal().goal, (DailyGoal{DailyGoal::Kind::Kinds, 4}));
}

QTEST_GUILESS_MAIN(tst_habit)
#include "tst_habit.moc"
