// The monthly and daily cross tables of the aggregates panel, from plain
// records. The panel itself is tested through the main window.
#include "core/stats/aggregates.h"
#include "core/stats/calendar.h"
#include "core/stats/logsummary.h"
#include "core/stats/totals.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;

namespace {

using Rows = QList<QStringList>;

PlayRecord rec(const QString &date, const QString &item, float secs)
{
    return play(date, QStringLiteral("10:00:00"), item, secs);
}

// A row of the seven item cells after the number, the period and the subtotal.
QStringList row(const QString &n, const QString &period, const QString &subtotal, const QStringList &items)
{
    QStringList cells{n, period, subtotal};
    cells += items;
    while (cells.size() < 10)
        cells.append(QString());
    return cells;
}

const QStringList kNone;

LogSpan spanOf(const QList<PlayRecord> &records)
{
    return records.isEmpty() ? LogSpan{} : logSpan(records.first().date, records.last().date);
}

QList<PlayRecord> fixtureRecords(TempDataDir &dir)
{
    dir.write(kPlayLogFile, fixture(QStringLiteral("views.txt")));
    return readPlayLog().records;
}

} // namespace

class tst_aggregates : public QObject {
    Q_OBJECT

private slots:
    void tables_data();
    void tables();
    void fixtureMonths_data();
    void fixtureMonths();
    void spanBeyondSixteenBits();
    void everyViewCountsEveryDatedPlay_data();
    void everyViewCountsEveryDatedPlay();
};

// Small logs: every row of the table, for one measure.
void tst_aggregates::tables_data()
{
    QTest::addColumn<QList<PlayRecord>>("records");
    QTest::addColumn<bool>("monthly");
    QTest::addColumn<int>("measure");
    QTest::addColumn<Rows>("rows");

    const int time = int(AggregateMeasure::Time), counts = int(AggregateMeasure::Counts),
              both = int(AggregateMeasure::TimeAndCounts);

    QTest::newRow("empty log: no rows, no total row") << QList<PlayRecord>{} << true << time << Rows{};
    QTest::newRow("empty log, daily") << QList<PlayRecord>{} << false << counts << Rows{};

    const QList<PlayRecord> gap = {rec("2005/12/27", "数字記憶", 10), rec("2005/12/30", "画像記憶", 20)};
    QTest::newRow("days without play show a zero subtotal, counts")
        << gap << false << counts
        << Rows{row("1", "05/12/27", "1", {"1"}), row("2", "05/12/28", "0", kNone), row("3", "05/12/29", "0", kNone),
                row("4", "05/12/30", "1", {"", "1"})};
    QTest::newRow("days without play show a zero subtotal, time")
        << gap << false << time
        << Rows{row("1", "05/12/27", "0:00:10", {"10"}), row("2", "05/12/28", "0:00:00", kNone),
                row("3", "05/12/29", "0:00:00", kNone), row("4", "05/12/30", "0:00:20", {"", "20"})};

    const QList<PlayRecord> yearEnd = {rec("2005/12/31", "数字記憶", 1), rec("2006/01/01", "数字記憶", 2)};
    QTest::newRow("a new year is a new month") << yearEnd << true << counts
                                               << Rows{row("1", "05/12", "1", {"1"}), row("2", "06/01", "1", {"1"}),
                                                       row("", "合計", "2", {"2", "0", "0", "0", "0", "0", "0"})};

    QTest::newRow("a new year, daily") << yearEnd << false << counts
                                       << Rows{row("1", "05/12/31", "1", {"1"}), row("2", "06/01/01", "1", {"1"})};

    const QList<PlayRecord> month = {rec("2006/01/05", "数字記憶", 3000), rec("2006/01/20", "追跡記憶", 100),
                                     rec("2006/01/31", "数字記憶", 625)};
    QTest::newRow("counts: cells 2 and 1, every total cell written")
        << month << true << counts
        << Rows{row("1", "06/01", "3", {"2", "", "", "1"}), row("", "合計", "3", {"2", "0", "0", "1", "0", "0", "0"})};
    QTest::newRow("time: 3725 seconds are 1:02:05")
        << month << true << time
        << Rows{row("1", "06/01", "1:02:05", {"3625", "", "", "100"}),
                row("", "合計", "1:02:05", {"3625", "0", "0", "100", "0", "0", "0"})};
    QTest::newRow("both: seconds and counts in one cell")
        << month << true << both
        << Rows{row("1", "06/01", "1:02:05 (3)", {"3625 (2)", "", "", "100 (1)"}),
                row("", "合計", "1:02:05 (3)", {"3625 (2)", "0 (0)", "0 (0)", "100 (1)", "0 (0)", "0 (0)", "0 (0)"})};

    // 2.5 then 2.5: 2, then 4 (not 5); 0.5 twice stays 0 and the cell stays empty.
    const QList<PlayRecord> halves = {rec("2006/02/01", "数字記憶", 2.5f), rec("2006/02/01", "数字記憶", 2.5f),
                                      rec("2006/02/01", "画像記憶", 0.5f), rec("2006/02/01", "画像記憶", 0.5f)};
    QTest::newRow("seconds rounded half-even at every addition")
        << halves << false << time << Rows{row("1", "06/02/01", "0:00:04", {"4"})};
    QTest::newRow("plays of 0 whole seconds leave the cell empty, both")
        << halves << false << both << Rows{row("1", "06/02/01", "0:00:04 (4)", {"4 (2)"})};

    QTest::newRow("an unknown item counts in the subtotal only")
        << QList<PlayRecord>{rec("2006/03/01", "独自の練習", 30), rec("2006/03/01", "数字記憶 ", 5)} << true << counts
        << Rows{row("1", "06/03", "2", kNone), row("", "合計", "2", {"0", "0", "0", "0", "0", "0", "0"})};

    // A record put out of order by hand, or with a date that is no date, has no
    // row to go to: it is counted nowhere, not in another period.
    const QList<PlayRecord> stray = {rec("2006/03/01", "数字記憶", 1), rec("2006/02/28", "数字記憶", 1),
                                     rec("2006/03/05", "数字記憶", 1), rec("2006/13/01", "数字記憶", 1),
                                     rec("", "数字記憶", 1),           rec("2006/03/02", "画像記憶", 1)};
    QTest::newRow("records outside the span or without a date are counted nowhere")
        << stray << false << counts << Rows{row("1", "06/03/01", "1", {"1"}), row("2", "06/03/02", "1", {"", "1"})};
    QTest::newRow("… nor in the total row")
        << stray << true << counts
        << Rows{row("1", "06/03", "2", {"1", "1"}), row("", "合計", "2", {"1", "1", "0", "0", "0", "0", "0"})};

    QTest::newRow("first date no date: no rows")
        << QList<PlayRecord>{rec("2006/02/30", "数字記憶", 1), rec("2006/03/01", "数字記憶", 1)} << true << counts
        << Rows{};
    QTest::newRow("last play before the first: no rows")
        << QList<PlayRecord>{rec("2006/03/01", "数字記憶", 1), rec("2006/02/01", "数字記憶", 1)} << false << counts
        << Rows{};
}

void tst_aggregates::tables()
{
    QFETCH(QList<PlayRecord>, records);
    QFETCH(bool, monthly);
    QFETCH(int, measure);
    QFETCH(Rows, rows);
    const AggregateMeasure m = AggregateMeasure(measure);
    const CrossTable t = monthly ? monthlyTable(records, spanOf(records), itemNames(), m)
                                 : dailyTable(records, spanOf(records), itemNames(), m);
    QCOMPARE(t.rows, rows);
    QCOMPARE(t.totalRow, monthly && !rows.isEmpty() ? int(rows.size()) - 1 : -1);
}

// The shared fixture: 2007/12/30 (a Sunday) … 2008/03/02, no play in January,
// two plays on 29 February, one of them of an item that is not a game.
void tst_aggregates::fixtureMonths_data()
{
    QTest::addColumn<int>("measure");
    QTest::addColumn<Rows>("rows");

    QTest::newRow("time") << int(AggregateMeasure::Time)
                          << Rows{row("1", "07/12", "0:00:56", {"44", "12"}), row("2", "08/01", "0:00:00", kNone),
                                  row("3", "08/02", "0:02:10", {"", "", "", "100"}),
                                  row("4", "08/03", "0:00:07", {"", "", "", "", "", "", "7"}),
                                  row("", "合計", "0:03:13", {"44", "12", "0", "100", "0", "0", "7"})};
    QTest::newRow("counts") << int(AggregateMeasure::Counts)
                            << Rows{row("1", "07/12", "4", {"3", "1"}), row("2", "08/01", "0", kNone),
                                    row("3", "08/02", "2", {"", "", "", "1"}),
                                    row("4", "08/03", "1", {"", "", "", "", "", "", "1"}),
                                    row("", "合計", "7", {"3", "1", "0", "1", "0", "0", "1"})};
    QTest::newRow("both") << int(AggregateMeasure::TimeAndCounts)
                          << Rows{row("1", "07/12", "0:00:56 (4)", {"44 (3)", "12 (1)"}),
                                  row("2", "08/01", "0:00:00 (0)", kNone),
                                  row("3", "08/02", "0:02:10 (2)", {"", "", "", "100 (1)"}),
                                  row("4", "08/03", "0:00:07 (1)", {"", "", "", "", "", "", "7 (1)"}),
                                  row("", "合計", "0:03:13 (7)",
                                      {"44 (3)", "12 (1)", "0 (0)", "100 (1)", "0 (0)", "0 (0)", "7 (1)"})};
}

void tst_aggregates::fixtureMonths()
{
    QFETCH(int, measure);
    QFETCH(Rows, rows);
    TempDataDir dir;
    const QList<PlayRecord> records = fixtureRecords(dir);
    QCOMPARE(records.size(), 7);
    const CrossTable t = monthlyTable(records, spanOf(records), itemNames(), AggregateMeasure(measure));
    QCOMPARE(t.rows, rows);
    QCOMPARE(t.totalRow, 4);
}

// A log kept for a hundred years has more days than 16 bits count.
void tst_aggregates::spanBeyondSixteenBits()
{
    const LogSpan s = logSpan("1950/01/01", "2049/12/31");
    QCOMPARE(s.days(), qint64(36525));
    QCOMPARE(s.months(), qint64(1200));
    QCOMPARE(dailyTable({}, s, itemNames(), AggregateMeasure::Counts).rows.last().at(0), QStringLiteral("36525"));
}

QTEST_GUILESS_MAIN(tst_aggregates)
// A play saved while the computer's clock was wrong lies out of date order in
// the log. The calendar, both cross tables and the day series take their
// period from the summary every panel is built from, and each counts every
// dated play once, as the totals per game do.
void tst_aggregates::everyViewCountsEveryDatedPlay_data()
{
    QTest::addColumn<QList<PlayRecord>>("before"); // lines written before the fixture's
    QTest::addColumn<QList<PlayRecord>>("after");  // lines appended after them
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    const PlayRecord early = rec(QStringLiteral("2007/11/15"), QStringLiteral("数字記憶"), 3);
    const PlayRecord late = rec(QStringLiteral("2008/04/01"), QStringLiteral("輪廻記憶"), 5);
    QTest::newRow("in order") << QList<PlayRecord>{} << QList<PlayRecord>{} << "2007/12/30"
                              << "2008/03/02";
    QTest::newRow("clock set back: an earlier day appended last")
        << QList<PlayRecord>{} << QList<PlayRecord>{early} << "2007/11/15"
        << "2008/03/02";
    QTest::newRow("clock ahead: a later day written first")
        << QList<PlayRecord>{late} << QList<PlayRecord>{} << "2007/12/30"
        << "2008/04/01";
    QTest::newRow("both ways") << QList<PlayRecord>{late} << QList<PlayRecord>{early} << "2007/11/15"
                               << "2008/04/01";
}

void tst_aggregates::everyViewCountsEveryDatedPlay()
{
    QFETCH(QList<PlayRecord>, before);
    QFETCH(QList<PlayRecord>, after);
    QFETCH(QString, first);
    QFETCH(QString, last);

    TempDataDir dir;
    PlayLog log;
    log.records = before + fixtureRecords(dir) + after;
    const qint64 plays = log.records.size();
    const LogSummary s = summarizeLog(log, QDate(2008, 3, 2));
    QCOMPARE(s.firstPlayDate, first);
    QCOMPARE(s.lastPlayDate, last);
    const LogSpan span = logSpan(s.firstPlayDate, s.lastPlayDate);

    const CrossTable monthly = monthlyTable(s.records(), span, s.items, AggregateMeasure::Counts);
    QVERIFY(monthly.totalRow >= 0);
    QCOMPARE(monthly.rows.at(monthly.totalRow).at(2).toLongLong(), plays);

    qint64 daily = 0;
    for (const QStringList &r : dailyTable(s.records(), span, s.items, AggregateMeasure::Counts).rows)
        daily += r.at(2).toLongLong();
    QCOMPARE(daily, plays);

    qint64 calendar = 0;
    for (const QList<qint64> &month : summarizeCalendar(s.records(), span).months.plays)
        for (qint64 n : month)
            calendar += n;
    QCOMPARE(calendar, plays);

    const Totals totals = summarizeTotals(s.records(), s.items);
    qint64 days = 0;
    for (const TotalsDay &d : totals.days)
        days += d.count;
    QCOMPARE(days, plays);
    QCOMPARE(totals.unplaced, 0);
    QCOMPARE(totals.days.first().date, span.first);
    QCOMPARE(totals.days.last().date, span.last);
}

#include "tst_aggregates.moc"
