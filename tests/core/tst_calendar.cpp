// The practice calendar from plain records: the month and week tables, the
// colour bands and their legend, the plays and seconds per weekday. The panel
// itself is tested through the main window.
#include "core/stats/calendar.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;

namespace {

using Counts = QList<qint64>;

PlayRecord rec(const QString &date, float secs = 1, const QString &item = QStringLiteral("数字記憶"))
{
    return play(date, QStringLiteral("10:00:00"), item, secs);
}

QList<PlayRecord> times(int n, const QString &date, float secs = 1)
{
    return QList<PlayRecord>(n, rec(date, secs));
}

CalendarSummary summarize(const QList<PlayRecord> &records)
{
    const LogSpan span = records.isEmpty() ? LogSpan{} : logSpan(records.first().date, records.last().date);
    return summarizeCalendar(records, span);
}

QStringList labels(const CalendarTable &t)
{
    QStringList l;
    for (const QStringList &r : t.rows)
        l.append(r.value(0));
    return l;
}

const QStringList kZeroLegend = {"0回：0日",   "1-2回：0日",  "3-4回：0日", "5-6回：0日",
                                 "7-8回：0日", "9-10回：0日", "10超：0日"};

} // namespace

class tst_calendar : public QObject {
    Q_OBJECT

private slots:
    void bands_data();
    void bands();
    void legend_data();
    void legend();
    void fixtureLog();
    void emptyLog();
    void weekStartsOnTheSundayOnOrBefore_data();
    void weekStartsOnTheSundayOnOrBefore();
    void weekdaySecondsRoundedAtEveryAddition();
    void countsBeyondSixteenBits();
    void strayRecordsAreCountedNowhere();
};

void tst_calendar::bands_data()
{
    QTest::addColumn<qint64>("plays");
    QTest::addColumn<int>("band");
    QTest::addColumn<quint32>("color");
    QTest::newRow("0: uncoloured") << qint64(0) << 0 << quint32(0);
    QTest::newRow("1 light red") << qint64(1) << 1 << quint32(0xFFC0C0);
    QTest::newRow("3 light orange") << qint64(3) << 2 << quint32(0xFFE0C0);
    QTest::newRow("5 light yellow") << qint64(5) << 3 << quint32(0xFFFFC0);
    QTest::newRow("8 light green") << qint64(8) << 4 << quint32(0xC0FFC0);
    QTest::newRow("9 light cyan") << qint64(9) << 5 << quint32(0xC0FFFF);
    QTest::newRow("10 light cyan") << qint64(10) << 5 << quint32(0xC0FFFF);
    QTest::newRow("11 light blue") << qint64(11) << 6 << quint32(0xC0C0FF);
    QTest::newRow("70000 light blue") << qint64(70000) << 6 << quint32(0xC0C0FF);
}

void tst_calendar::bands()
{
    QFETCH(qint64, plays);
    QFETCH(int, band);
    QFETCH(quint32, color);
    QCOMPARE(calendarBand(plays), band);
    QCOMPARE(bandColor(band), color);
}

// Whole logs: the legend's seven texts.
void tst_calendar::legend_data()
{
    QTest::addColumn<QList<PlayRecord>>("records");
    QTest::addColumn<QStringList>("legend");

    QTest::newRow("11 plays: 10超") << times(11, "2006/01/10")
                                    << QStringList{"0回：0日",   "1-2回：0日",  "3-4回：0日", "5-6回：0日",
                                                   "7-8回：0日", "9-10回：0日", "10超：1日"};
    QTest::newRow("10 plays: 9-10回") << times(10, "2006/01/10")
                                      << QStringList{"0回：0日",   "1-2回：0日",  "3-4回：0日", "5-6回：0日",
                                                     "7-8回：0日", "9-10回：1日", "10超：0日"};
    // 30 Jan to 2 Mar: 32 days, three of them played.
    QTest::newRow("three months, 28 days without play")
        << QList<PlayRecord>{rec("2006/01/30"), rec("2006/02/15")} + times(5, "2006/02/16") + times(3, "2006/03/02")
        << QStringList{"0回：28日", "1-2回：2日", "3-4回：1日", "5-6回：1日", "7-8回：0日", "9-10回：0日", "10超：0日"};
    QTest::newRow("every band") << times(1, "2006/05/01") + times(3, "2006/05/02") + times(6, "2006/05/03")
            + times(7, "2006/05/04") + times(9, "2006/05/05") + times(12, "2006/05/06") + times(2, "2006/05/08")
                                << QStringList{"0回：1日",   "1-2回：2日",  "3-4回：1日", "5-6回：1日",
                                               "7-8回：1日", "9-10回：1日", "10超：1日"};
}

void tst_calendar::legend()
{
    QFETCH(QList<PlayRecord>, records);
    QFETCH(QStringList, legend);
    QCOMPARE(summarize(records).legend, legend);
}

// The shared fixture: 2007/12/30 (a Sunday) … 2008/03/02, no play in
// January, two plays on 29 February.
void tst_calendar::fixtureLog()
{
    TempDataDir dir;
    dir.write(kPlayLogFile, fixture(QStringLiteral("views.txt")));
    const CalendarSummary s = summarize(readPlayLog().records);

    QCOMPARE(labels(s.months), QStringList({"2007年12月", "2008年01月", "2008年02月", "2008年03月"}));
    QCOMPARE(s.months.rows.at(0).size(), 32);
    QCOMPARE(s.months.rows.at(0).at(30), QStringLiteral("1"));
    QCOMPARE(s.months.rows.at(0).at(31), QStringLiteral("3"));
    QCOMPARE(s.months.rows.at(1), QStringList({"2008年01月"}) + QStringList(31));
    QCOMPARE(s.months.rows.at(2).at(29), QStringLiteral("2"));
    QCOMPARE(s.months.rows.at(3).at(2), QStringLiteral("1"));
    QCOMPARE(s.months.plays.at(0).at(30), qint64(3));
    QCOMPARE(s.spanDays, qint64(64));
    QCOMPARE(
        s.legend,
        QStringList({"0回：60日", "1-2回：3日", "3-4回：1日", "5-6回：0日", "7-8回：0日", "9-10回：0日", "10超：0日"}));

    // The first play is on a Sunday: the weeks start on that very day.
    const QStringList weeks = labels(s.weeks);
    QCOMPARE(weeks.size(), 10);
    QCOMPARE(weeks.first(), QStringLiteral("07年12月30日"));
    QCOMPARE(weeks.at(1), QStringLiteral("08年01月06日"));
    QCOMPARE(weeks.last(), QStringLiteral("08年03月02日"));
    QCOMPARE(s.weeks.rows.at(0), QStringList({"07年12月30日", "1", "3", "", "", "", "", ""}));
    QCOMPARE(s.weeks.rows.at(8), QStringList({"08年02月24日", "", "", "", "", "", "2", ""}));
    QCOMPARE(s.weeks.rows.at(9), QStringList({"08年03月02日", "1", "", "", "", "", "", ""}));

    QCOMPARE(s.weekdayPlays, Counts({2, 3, 0, 0, 0, 2, 0}));
    // Sunday 42.5 → 42, + 7 → 49; Monday 12.5 → 12, + 0.5 → 12, + 1.5 → 14; Friday 30 + 100.
    QCOMPARE(s.weekdaySeconds, Counts({49, 14, 0, 0, 0, 130, 0}));
}

void tst_calendar::emptyLog()
{
    const CalendarSummary s = summarize({});
    QVERIFY(s.months.rows.isEmpty());
    QVERIFY(s.weeks.rows.isEmpty());
    QCOMPARE(s.legend, kZeroLegend);
    QCOMPARE(s.weekdayPlays, Counts(7, 0));
    QCOMPARE(s.weekdaySeconds, Counts(7, 0));
    QCOMPARE(weekdayLetters(), QStringList({"日", "月", "火", "水", "木", "金", "土"}));
}

void tst_calendar::weekStartsOnTheSundayOnOrBefore_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QStringList>("weeks");
    QTest::newRow("Saturday") << "2006/01/07"
                              << "2006/01/08" << QStringList{"06年01月01日", "06年01月08日"};
    QTest::newRow("Sunday") << "2006/01/08"
                            << "2006/01/14" << QStringList{"06年01月08日"};
    QTest::newRow("Monday across the year") << "2007/01/01"
                                            << "2007/01/07" << QStringList{"06年12月31日", "07年01月07日"};
}

void tst_calendar::weekStartsOnTheSundayOnOrBefore()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QStringList, weeks);
    const CalendarSummary s = summarize({rec(first), rec(last)});
    QCOMPARE(labels(s.weeks), weeks);
}

void tst_calendar::weekdaySecondsRoundedAtEveryAddition()
{
    // 2.5 → 2, + 2.5 → 4 (not 5); 0.5 → 0.
    const CalendarSummary s = summarize({rec("2006/01/02", 2.5f), rec("2006/01/03", 0.5f), rec("2006/01/09", 2.5f)});
    QCOMPARE(s.weekdaySeconds, Counts({0, 4, 0, 0, 0, 0, 0}));
    QCOMPARE(s.weekdayPlays, Counts({0, 2, 1, 0, 0, 0, 0}));
}

// A counter of 16 bits would wrap past 32767 plays of one weekday.
void tst_calendar::countsBeyondSixteenBits()
{
    const CalendarSummary s = summarize(times(40000, "2006/01/04", 100));
    QCOMPARE(s.weekdayPlays.at(3), qint64(40000));
    QCOMPARE(s.weekdaySeconds.at(3), qint64(4000000));
    QCOMPARE(s.months.rows.at(0).at(4), QStringLiteral("40000"));
    QCOMPARE(s.weeks.rows.at(0).at(4), QStringLiteral("40000"));
    QCOMPARE(s.legend.at(6), QStringLiteral("10超：1日"));
}

// A record put out of order by hand, or with a date that is no date, has no
// cell to go to: it is counted nowhere, not in the legend, not in the charts.
void tst_calendar::strayRecordsAreCountedNowhere()
{
    const CalendarSummary s = summarize(
        {rec("2006/03/01"), rec("2006/02/28"), rec("2006/03/05"), rec("2006/02/30"), rec(""), rec("2006/03/02")});
    QCOMPARE(labels(s.months), QStringList({"2006年03月"}));
    QCOMPARE(s.months.rows.at(0).at(1), QStringLiteral("1"));
    QCOMPARE(s.months.rows.at(0).at(5), QString());
    QCOMPARE(s.legend.at(0), QStringLiteral("0回：0日"));
    QCOMPARE(s.legend.at(1), QStringLiteral("1-2回：2日"));
    QCOMPARE(s.weekdayPlays, Counts({0, 0, 0, 1, 1, 0, 0}));

    // A last play dated before the first leaves no span at all.
    const CalendarSummary reversed = summarize({rec("2006/03/01"), rec("2006/02/01")});
    QVERIFY(reversed.months.rows.isEmpty());
    QVERIFY(reversed.weeks.rows.isEmpty());
    QCOMPARE(reversed.legend, kZeroLegend);
}

QTEST_GUILESS_MAIN(tst_calendar)
#include "tst_calendar.moc"
