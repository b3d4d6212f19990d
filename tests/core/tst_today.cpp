// The today panel's figures for one day of the play log.
#include "core/stats/today.h"
#include "testsupport.h"
#include "core/text/formats.h"

#include <QtTest>

using namespace kioku;

namespace {
PlayRecord rec(const QString &date, const QString &time, const QString &item, float secs)
{
    PlayRecord r;
    r.date = date;
    r.time = time;
    r.item = item;
    r.seconds = secs;
    return r;
}
const QDate kDay(2026, 12, 7);
const QString kDayText = QStringLiteral("2026/12/07");
} // namespace

class tst_today : public QObject {
    Q_OBJECT

private slots:
    void emptyLog();
    void threePlaysOfOneGame();
    void allSevenGames();
    void noPlayOnNonEmptyLog();
    void unknownItemListedButNotCounted();
    void roundedHalfEvenAtEveryAddition();
    void exactDateTextComparison();
    void longDayDoesNotOverflow();
    void lamps_data();
    void lamps();
    void captions_data();
    void captions();
};

void tst_today::emptyLog()
{
    const DaySummary s = summarizeDay({}, kDay);
    QVERIFY(s.logEmpty);
    QCOMPARE(s.firstDate, QString());
    QCOMPARE(s.lastDate, QString());
    QVERIFY(s.plays.isEmpty());
    QCOMPARE(s.kinds(), 0);
    QCOMPARE(s.dayTotal, qint64(0));
    QCOMPARE(s.maxSeconds, 0.0f);
}

void tst_today::threePlaysOfOneGame()
{
    const QList<PlayRecord> log = {rec("2026/12/01", "09:00:00", "画像記憶", 99),
                                   rec(kDayText, "10:00:00", "数字記憶", 3),
                                   rec(kDayText, "10:05:00", "数字記憶", 12.5f),
                                   rec(kDayText, "10:10:00", "数字記憶", 4),
                                   rec("2026/12/08", "08:00:00", "追跡記憶", 5)};
    const DaySummary s = summarizeDay(log, kDay);
    QVERIFY(!s.logEmpty);
    QCOMPARE(s.firstDate, QStringLiteral("2026/12/01"));
    QCOMPARE(s.lastDate, QStringLiteral("2026/12/08"));
    QCOMPARE(s.plays.size(), 3);
    QCOMPARE(s.plays.at(1).time, QStringLiteral("10:05:00"));
    QCOMPARE(s.plays.at(1).seconds, 12.5f);
    QCOMPARE(s.kinds(), 1);
    QCOMPARE(s.totals.at(0).name, QStringLiteral("数字記憶"));
    QCOMPARE(s.totals.at(0).count, 3);
    // 3 → 15.5 → 16 (even) → 20
    QCOMPARE(s.totals.at(0).seconds, qint64(20));
    QCOMPARE(s.dayTotal, qint64(20));
    QCOMPARE(s.maxSeconds, 12.5f);
    QCOMPARE(litLamps(s.kinds()), 1);
    QCOMPARE(ratingCaption(s.kinds()), QStringLiteral("1 種類の脳刺激"));
}

void tst_today::allSevenGames()
{
    QList<PlayRecord> log;
    // In reverse item order: the totals still follow the item-name order.
    for (int i = 6; i >= 0; --i)
        log.append(rec(kDayText, QStringLiteral("1%1:00:00").arg(i), itemNames().at(i), float(i + 1)));
    const DaySummary s = summarizeDay(log, kDay);
    QCOMPARE(s.kinds(), 7);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(s.totals.at(i).name, itemNames().at(i));
        QCOMPARE(s.totals.at(i).count, 1);
        QCOMPARE(s.totals.at(i).seconds, qint64(i + 1));
    }
    QCOMPARE(s.dayTotal, qint64(28));
    QCOMPARE(s.maxSeconds, 7.0f);
    QCOMPARE(s.plays.first().item, itemNames().at(6));
    QCOMPARE(litLamps(s.kinds()), 7);
    QCOMPARE(lampColor(litLamps(s.kinds())), quint32(0xFFC0FF));
    QCOMPARE(ratingCaption(s.kinds()), QStringLiteral("7 種類の脳刺激"));
}

void tst_today::noPlayOnNonEmptyLog()
{
    const QList<PlayRecord> log = {rec("2026/12/06", "23:59:59", "数字記憶", 3)};
    const DaySummary s = summarizeDay(log, kDay);
    QVERIFY(!s.logEmpty);
    QCOMPARE(s.firstDate, QStringLiteral("2026/12/06"));
    QCOMPARE(s.lastDate, QStringLiteral("2026/12/06"));
    QVERIFY(s.plays.isEmpty());
    QVERIFY(s.totals.isEmpty());
    QCOMPARE(s.dayTotal, qint64(0));
    QCOMPARE(s.maxSeconds, 0.0f);
    QCOMPARE(litLamps(s.kinds()), 0);
    QCOMPARE(ratingCaption(s.kinds()), QStringLiteral("今日の脳も健康元気"));
}

void tst_today::unknownItemListedButNotCounted()
{
    const QList<PlayRecord> log = {rec(kDayText, "10:00:00", "謎のゲーム", 50),
                                   rec(kDayText, "10:01:00", "数字記憶 ", 5), // trailing blank: not the same
                                   rec(kDayText, "10:02:00", "輪廻記憶", 2)};
    const DaySummary s = summarizeDay(log, kDay);
    QCOMPARE(s.plays.size(), 3);
    QCOMPARE(s.kinds(), 1);
    QCOMPARE(s.totals.at(0).name, QStringLiteral("輪廻記憶"));
    QCOMPARE(s.dayTotal, qint64(2));
    QCOMPARE(s.maxSeconds, 50.0f); // still the largest play of the day
}

void tst_today::roundedHalfEvenAtEveryAddition()
{
    QList<PlayRecord> log = {rec(kDayText, "10:00:00", "数字記憶", 2.5f)};
    QCOMPARE(summarizeDay(log, kDay).totals.at(0).seconds, qint64(2));
    log.append(rec(kDayText, "10:00:01", "数字記憶", 2.5f));
    QCOMPARE(summarizeDay(log, kDay).totals.at(0).seconds, qint64(4)); // 2 + 2.5 = 4.5 → 4
    log.append(rec(kDayText, "10:00:02", "数字記憶", 0.5f));
    QCOMPARE(summarizeDay(log, kDay).totals.at(0).seconds, qint64(4)); // 4.5 → 4
    log.append(rec(kDayText, "10:00:03", "数字記憶", 0.5f));
    QCOMPARE(summarizeDay(log, kDay).totals.at(0).seconds, qint64(4)); // never creeps up
    log.append(rec(kDayText, "10:00:04", "数字記憶", 1.5f));
    QCOMPARE(summarizeDay(log, kDay).totals.at(0).seconds, qint64(6)); // 5.5 → 6
}

void tst_today::exactDateTextComparison()
{
    const QList<PlayRecord> log = {rec("2026/12/7", "10:00:00", "数字記憶", 1),
                                   rec(" 2026/12/07", "10:00:00", "数字記憶", 1),
                                   rec("26/12/07", "10:00:00", "数字記憶", 1),
                                   rec(kDayText, "10:00:00", "数字記憶", 1)};
    const DaySummary s = summarizeDay(log, kDay);
    QCOMPARE(s.plays.size(), 1);
    QCOMPARE(s.firstDate, QStringLiteral("2026/12/7"));
    QCOMPARE(s.lastDate, kDayText);
}

void tst_today::longDayDoesNotOverflow()
{
    // Ten hours of one game and three of another: past a 16-bit total.
    QList<PlayRecord> log;
    for (int i = 0; i < 10; ++i)
        log.append(rec(kDayText, "10:00:00", "追跡記憶", 3600));
    log.append(rec(kDayText, "23:00:00", "時間差記憶", 10800));
    const DaySummary s = summarizeDay(log, kDay);
    QCOMPARE(s.totals.at(0).seconds, qint64(36000));
    QCOMPARE(s.dayTotal, qint64(46800));
    QCOMPARE(text::formatHms(s.dayTotal), QStringLiteral("13:00:00"));
}

void tst_today::lamps_data()
{
    QTest::addColumn<int>("lamp");
    QTest::addColumn<quint32>("color");
    QTest::newRow("1 light red") << 1 << quint32(0xFFC0C0);
    QTest::newRow("2 light orange") << 2 << quint32(0xFFE0C0);
    QTest::newRow("3 light yellow") << 3 << quint32(0xFFFFC0);
    QTest::newRow("4 light green") << 4 << quint32(0xC0FFC0);
    QTest::newRow("5 light cyan") << 5 << quint32(0xC0FFFF);
    QTest::newRow("6 light blue") << 6 << quint32(0xC0C0FF);
    QTest::newRow("7 light magenta") << 7 << quint32(0xFFC0FF);
    QTest::newRow("0 unlit") << 0 << quint32(0xFFFFFF);
    QTest::newRow("8 unlit") << 8 << quint32(0xFFFFFF);
}

void tst_today::lamps()
{
    QFETCH(int, lamp);
    QFETCH(quint32, color);
    QCOMPARE(lampColor(lamp), color);
}

void tst_today::captions_data()
{
    QTest::addColumn<int>("kinds");
    QTest::addColumn<int>("lit");
    QTest::addColumn<QString>("caption");
    QTest::newRow("0") << 0 << 0 << QStringLiteral("今日の脳も健康元気");
    QTest::newRow("1") << 1 << 1 << QStringLiteral("1 種類の脳刺激");
    QTest::newRow("2") << 2 << 2 << QStringLiteral("2 種類の脳刺激");
    QTest::newRow("3") << 3 << 3 << QStringLiteral("3 種類の脳刺激");
    QTest::newRow("7") << 7 << 7 << QStringLiteral("7 種類の脳刺激");
}

void tst_today::captions()
{
    QFETCH(int, kinds);
    QFETCH(int, lit);
    QFETCH(QString, caption);
    QCOMPARE(litLamps(kinds), lit);
    QCOMPARE(ratingCaption(kinds), caption);
}

QTEST_GUILESS_MAIN(tst_today)
#include "tst_today.moc"
