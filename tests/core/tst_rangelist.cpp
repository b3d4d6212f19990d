// The conditional list's rows and per-item seconds, its conditions and its
// period buttons, from plain records. The panel itself is tested through the
// main window.
#include "core/stats/rangelist.h"
#include "core/text/formats.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;

namespace {

// The fixture log as the main window reads it.
QList<PlayRecord> fixtureLog()
{
    TempDataDir dir;
    dir.write(kPlayLogFile, fixture(QStringLiteral("views.txt")));
    return readPlayLog().records;
}

RangeFilter period(const QString &first, const QString &last)
{
    RangeFilter f;
    f.byPeriod = true;
    f.firstDate = first;
    f.lastDate = last;
    return f;
}

QStringList column(const RangeList &l, int c)
{
    QStringList out;
    for (const QStringList &row : texts(l.rows))
        out.append(row.at(c));
    return out;
}

} // namespace

class tst_rangelist : public QObject {
    Q_OBJECT

private slots:
    void everyPlayOfTheFixture();
    void conditionsOnTheFixture_data();
    void conditionsOnTheFixture();
    void summaryRoundsHalfEvenAtEveryAddition_data();
    void summaryRoundsHalfEvenAtEveryAddition();
    void weekdayOfADateText_data();
    void weekdayOfADateText();
    void aDateThatIsNoDatePassesOnlyWithoutAWeekday();
    void periodButtonsEndToday_data();
    void periodButtonsEndToday();
    void loggedDatesListEachDayOnce();
    void rowNumbersPastSixteenBits();
};

void tst_rangelist::everyPlayOfTheFixture()
{
    const RangeList l = listPlays(fixtureLog(), RangeFilter());
    QCOMPARE(texts(l.rows).size(), 7);
    QCOMPARE(texts(l.rows).at(0), (QStringList{"1", "2007/12/30", "23:59:59", "日", "数字記憶", "42.5"}));
    QCOMPARE(texts(l.rows).at(2), (QStringList{"3", "2007/12/31", "09:59:59", "月", "数字記憶", "0.5"}));
    QCOMPARE(texts(l.rows).at(4), (QStringList{"5", "2008/02/29", "12:00:00", "金", "独自の練習", "30"}));
    QCOMPARE(texts(l.rows).at(6), (QStringList{"7", "2008/03/02", "00:00:00", "日", "バラバラ記憶", "7"}));
    // Every item has its row, also at 0; the item that is not a game is counted nowhere.
    QCOMPARE(l.summary,
             (QList<QStringList>{{"数字記憶", "44", "0:00:44"},
                                 {"画像記憶", "12", "0:00:12"},
                                 {"アイコン衰弱", "0", "0:00:00"},
                                 {"追跡記憶", "100", "0:01:40"},
                                 {"時間差記憶", "0", "0:00:00"},
                                 {"輪廻記憶", "0", "0:00:00"},
                                 {"バラバラ記憶", "7", "0:00:07"}}));
}

void tst_rangelist::conditionsOnTheFixture_data()
{
    QTest::addColumn<RangeFilter>("filter");
    QTest::addColumn<QStringList>("times"); // of the rows listed, in order

    QTest::newRow("no condition") << RangeFilter() << QStringList{"23:59:59", "00:00:00", "09:59:59", "10:00:00",
                                                                  "12:00:00", "23:59:59", "00:00:00"};
    QTest::newRow("period, both ends inclusive")
        << period("2007/12/31", "2008/02/29")
        << QStringList{"00:00:00", "09:59:59", "10:00:00", "12:00:00", "23:59:59"};
    QTest::newRow("period of January 2008: nothing") << period("2008/01/01", "2008/01/31") << QStringList{};
    QTest::newRow("first date after last: nothing") << period("2008/03/02", "2007/12/30") << QStringList{};
    QTest::newRow("a typed text compares as text")
        << period("2008", "2008/9") << QStringList{"12:00:00", "23:59:59", "00:00:00"};
    RangeFilter kioku;
    kioku.keyword = QStringLiteral("記憶");
    QTest::newRow("keyword 記憶: every game but アイコン衰弱, not 独自の練習")
        << kioku << QStringList{"23:59:59", "00:00:00", "09:59:59", "10:00:00", "23:59:59", "00:00:00"};
    RangeFilter whole;
    whole.keyword = QStringLiteral("数字記憶");
    QTest::newRow("an item picked from the list") << whole << QStringList{"23:59:59", "09:59:59", "10:00:00"};
    RangeFilter sunday;
    sunday.weekday = 0;
    QTest::newRow("Sundays") << sunday << QStringList{"23:59:59", "00:00:00"};
    RangeFilter all = period("2007/12/01", "2008/02/29");
    all.keyword = QStringLiteral("記憶");
    all.weekday = 0;
    QTest::newRow("period, keyword and weekday at once") << all << QStringList{"23:59:59"};
    all.weekday = kAnyWeekday;
    QTest::newRow("the same without the weekday")
        << all << QStringList{"23:59:59", "00:00:00", "09:59:59", "10:00:00", "23:59:59"};
    RangeFilter caseSensitive;
    caseSensitive.keyword = QStringLiteral("ﾊﾞﾗﾊﾞﾗ");
    QTest::newRow("half-width kana is another text") << caseSensitive << QStringList{};
}

void tst_rangelist::conditionsOnTheFixture()
{
    QFETCH(RangeFilter, filter);
    QFETCH(QStringList, times);
    const RangeList l = listPlays(fixtureLog(), filter);
    QCOMPARE(column(l, 2), times);
    // The rows are numbered afresh from 1.
    for (qsizetype i = 0; i < texts(l.rows).size(); ++i)
        QCOMPARE(texts(l.rows).at(i).at(0), QString::number(i + 1));
    QCOMPARE(l.summary.size(), 7);
}

void tst_rangelist::summaryRoundsHalfEvenAtEveryAddition_data()
{
    QTest::addColumn<QList<float>>("seconds"); // of one item's plays, in order
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("hms");
    QTest::newRow("0.5 + 1.5: 0, then 2") << QList<float>{0.5f, 1.5f} << "2"
                                          << "0:00:02";
    QTest::newRow("2.5 + 2.5: 2, then 4") << QList<float>{2.5f, 2.5f} << "4"
                                          << "0:00:04";
    QTest::newRow("0.5 four times stays 0") << QList<float>{0.5f, 0.5f, 0.5f, 0.5f} << "0"
                                            << "0:00:00";
    QTest::newRow("3725 seconds") << QList<float>{3725} << "3725"
                                  << "1:02:05";
    QTest::newRow("twelve hours and a half minute") << QList<float>{43230} << "43230"
                                                    << "12:00:30";
    // Years of play: past what 32 bits hold.
    QTest::newRow("past 32 bits") << QList<float>{2e9f, 2e9f, 2e9f} << "6000000000"
                                  << "1666666:40:00";
}

void tst_rangelist::summaryRoundsHalfEvenAtEveryAddition()
{
    QFETCH(QList<float>, seconds);
    QFETCH(QString, total);
    QFETCH(QString, hms);
    QList<PlayRecord> log;
    for (float s : seconds)
        log.append(play("2008/01/01", "10:00:00", "画像記憶", s));
    const RangeList l = listPlays(log, RangeFilter());
    QCOMPARE(l.summary.at(1), (QStringList{"画像記憶", total, hms}));
    QCOMPARE(l.summary.at(0), (QStringList{"数字記憶", "0", "0:00:00"}));
}

void tst_rangelist::weekdayOfADateText_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("weekday");
    QTest::newRow("leap day 2008/02/29, a Friday") << "2008/02/29" << 5;
    QTest::newRow("2007/12/30, a Sunday") << "2007/12/30" << 0;
    QTest::newRow("2008/03/01, a Saturday") << "2008/03/01" << 6;
    QTest::newRow("without leading zeros") << "2008/3/2" << 0;
    QTest::newRow("no leap day in 2007") << "2007/02/29" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("not a date") << "abc" << -1;
}

void tst_rangelist::weekdayOfADateText()
{
    QFETCH(QString, date);
    QFETCH(int, weekday);
    QCOMPARE(weekdayOf(date), weekday);
}

void tst_rangelist::aDateThatIsNoDatePassesOnlyWithoutAWeekday()
{
    const QList<PlayRecord> log = {play("2008/02/30", "10:00:00", "数字記憶", 5),
                                   play("2008/02/29", "10:00:00", "数字記憶", 6)};
    const RangeList all = listPlays(log, period("2008/02/01", "2008/02/31"));
    QCOMPARE(texts(all.rows).size(), 2);
    QCOMPARE(texts(all.rows).at(0), (QStringList{"1", "2008/02/30", "10:00:00", "", "数字記憶", "5"}));
    QCOMPARE(all.summary.at(0).at(1), QStringLiteral("11"));
    for (int day = 0; day < 7; ++day) {
        RangeFilter f;
        f.weekday = day;
        QCOMPARE(texts(listPlays(log, f).rows).size(), day == 5 ? 1 : 0);
    }
}

void tst_rangelist::periodButtonsEndToday_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("first");
    const QDate newYear(2006, 1, 1);
    QTest::newRow("前日 on new year's day") << "cmdKikan1"
                                            << "前日" << newYear << "2005/12/31";
    QTest::newRow("３日") << "cmdKikan8"
                          << "３日" << newYear << "2005/12/30";
    QTest::newRow("１週間: eight days") << "cmdKikan2"
                                        << "１週間" << newYear << "2005/12/25";
    QTest::newRow("２週間") << "cmdKikan3"
                            << "２週間" << newYear << "2005/12/18";
    QTest::newRow("１ヶ月 is 30 days") << "cmdKikan4"
                                       << "１ヶ月" << QDate(2008, 3, 1) << "2008/01/31";
    QTest::newRow("３ヶ月") << "cmdKikan5"
                            << "３ヶ月" << QDate(2008, 3, 1) << "2007/12/02";
    QTest::newRow("半年") << "cmdKikan6"
                          << "半年" << QDate(2008, 3, 1) << "2007/09/03";
    QTest::newRow("１年 over a leap day") << "cmdKikan7"
                                          << "１年" << QDate(2008, 3, 1) << "2007/03/02";
}

void tst_rangelist::periodButtonsEndToday()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QDate, today);
    QFETCH(QString, first);
    const PeriodButton *found = nullptr;
    for (const PeriodButton &p : periodButtons())
        if (button == QLatin1String(p.name))
            found = &p;
    QVERIFY(found);
    QCOMPARE(QString::fromUtf8(found->caption), caption);
    QCOMPARE(periodStart(today, found->daysBack), first);
    // 前日 on 2006/01/01 lists the last day of 2005 and the first of 2006.
    if (button == QLatin1String("cmdKikan1")) {
        const QList<PlayRecord> log = {
            play("2005/12/30", "10:00:00", "数字記憶", 1), play("2005/12/31", "10:00:00", "数字記憶", 1),
            play("2006/01/01", "10:00:00", "数字記憶", 1), play("2006/01/02", "10:00:00", "数字記憶", 1)};
        const RangeList l = listPlays(log, period(first, text::dateSlash(today)));
        QCOMPARE(column(l, 1), (QStringList{"2005/12/31", "2006/01/01"}));
    }
}

void tst_rangelist::loggedDatesListEachDayOnce()
{
    QCOMPARE(loggedDates(fixtureLog()), (QStringList{"2007/12/30", "2007/12/31", "2008/02/29", "2008/03/02"}));
    QCOMPARE(loggedDates({}), QStringList());
}

void tst_rangelist::rowNumbersPastSixteenBits()
{
    QList<PlayRecord> log(40000, play("2008/01/01", "10:00:00", "数字記憶", 1));
    const RangeList l = listPlays(log, RangeFilter());
    QCOMPARE(texts(l.rows).size(), 40000);
    QCOMPARE(texts(l.rows).last().at(0), QStringLiteral("40000"));
    QCOMPARE(l.summary.at(0), (QStringList{"数字記憶", "40000", "11:06:40"}));
}

QTEST_GUILESS_MAIN(tst_rangelist)
#include "tst_rangelist.moc"
