// The totals view's three lists computed from the play log: every play, the
// totals per game and every calendar day from the first play to the last.
// The panel with its grids and charts is tested through the main window.
#include "core/stats/totals.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;

namespace {

// A log from rows of {date, time, item, seconds}.
QList<PlayRecord> logOf(const QList<QStringList> &rows)
{
    QList<PlayRecord> log;
    for (const QStringList &r : rows)
        log.append(play(r.at(0), r.at(1), r.at(2), r.at(3).toFloat()));
    return log;
}

using Table = QList<QStringList>;

} // namespace

class tst_totals : public QObject {
    Q_OBJECT

private slots:
    void theSharedFixture();
    void itemRows_data();
    void itemRows();
    void dayRows_data();
    void dayRows();
    void anEmptyLogGivesNoRows();
    void countersOutgrowSixteenBits();
    void aDayOfThousandsOfPlays();
};

void tst_totals::theSharedFixture()
{
    TempDataDir dir;
    QVERIFY(dir.write(kPlayLogFile, fixture("views.txt")));
    const PlayLog log = readPlayLog();
    QCOMPARE(log.records.size(), 7);
    const Totals t = summarizeTotals(log.records);

    const Table plays = texts(t.plays);
    QCOMPARE(plays.size(), 7);
    QCOMPARE(plays.at(0), (QStringList{"1", "2007/12/30", "23:59:59", "数字記憶", "42.5"}));
    QCOMPARE(plays.at(2), (QStringList{"3", "2007/12/31", "09:59:59", "数字記憶", "0.5"}));
    QCOMPARE(plays.at(4), (QStringList{"5", "2008/02/29", "12:00:00", "独自の練習", "30"}));
    QCOMPARE(plays.at(6), (QStringList{"7", "2008/03/02", "00:00:00", "バラバラ記憶", "7"}));

    // 数字記憶: 42.5 → 42, + 0.5 → 42, + 1.5 → 44; the game outside the seven has no row.
    QCOMPARE(t.itemRows(),
             (Table{{"1", "数字記憶", "3", "44", "0:00:44", "42", "14.7"},
                    {"2", "画像記憶", "1", "12", "0:00:12", "12", "12.0"},
                    {"3", "追跡記憶", "1", "100", "0:01:40", "100", "100.0"},
                    {"4", "バラバラ記憶", "1", "7", "0:00:07", "7", "7.0"}}));

    // 2007/12/30 … 2008/03/02: two days of December, January without play, the leap day.
    const Table days = t.dayRows();
    QCOMPARE(days.size(), 2 + 31 + 29 + 2);
    QCOMPARE(days.at(0), (QStringList{"1", "2007/12/30", "1", "42", "42", "42.0"}));
    QCOMPARE(days.at(1), (QStringList{"2", "2007/12/31", "3", "14", "12", "4.7"}));
    QCOMPARE(days.at(2), (QStringList{"3", "2008/01/01", "0", "0", "0", "0.0"}));
    QCOMPARE(days.at(61), (QStringList{"62", "2008/02/29", "2", "130", "100", "65.0"})); // 独自の練習 counts here
    QCOMPARE(days.at(62), (QStringList{"63", "2008/03/01", "0", "0", "0", "0.0"}));
    QCOMPARE(days.at(63), (QStringList{"64", "2008/03/02", "1", "7", "7", "7.0"}));
    QCOMPARE(t.unplaced, 0);
}

void tst_totals::itemRows_data()
{
    QTest::addColumn<Table>("log");
    QTest::addColumn<Table>("items");

    QTest::newRow("42.5 s rounds to the even 42") << Table{{"2007/12/30", "23:59:59", "数字記憶", "42.5"}}
                                                  << Table{{"1", "数字記憶", "1", "42", "0:00:42", "42", "42.0"}};
    QTest::newRow("43.5 s rounds to the even 44") << Table{{"2007/12/30", "10:00:00", "画像記憶", "43.5"}}
                                                  << Table{{"1", "画像記憶", "1", "44", "0:00:44", "44", "44.0"}};
    QTest::newRow("100 s over 3 plays averages 33.3") << Table{{"2008/01/01", "10:00:00", "追跡記憶", "33"},
                                                               {"2008/01/01", "11:00:00", "追跡記憶", "33"},
                                                               {"2008/01/02", "10:00:00", "追跡記憶", "34"}}
                                                      << Table{{"1", "追跡記憶", "3", "100", "0:01:40", "34", "33.3"}};
    QTest::newRow("rounded at every addition") << Table{{"2008/01/01", "10:00:00", "輪廻記憶", "2.5"},
                                                        {"2008/01/01", "10:01:00", "輪廻記憶", "2.5"},
                                                        {"2008/01/01", "10:02:00", "輪廻記憶", "2.5"}}
                                               << Table{{"1", "輪廻記憶", "3", "6", "0:00:06", "2", "2.0"}};
    QTest::newRow("games never played are absent, numbers consecutive")
        << Table{{"2008/01/01", "10:00:00", "バラバラ記憶", "5"},
                 {"2008/01/01", "10:01:00", "数字記憶", "3600"},
                 {"2008/01/01", "10:02:00", "時間差記憶", "61"},
                 {"2008/01/01", "10:03:00", "数字記憶", "1"}}
        << Table{{"1", "数字記憶", "2", "3601", "1:00:01", "3600", "1800.5"},
                 {"2", "時間差記憶", "1", "61", "0:01:01", "61", "61.0"},
                 {"3", "バラバラ記憶", "1", "5", "0:00:05", "5", "5.0"}};
    QTest::newRow("names match exactly") << Table{{"2008/01/01", "10:00:00", "数字記憶 ", "5"},
                                                  {"2008/01/01", "10:00:00", "すうじ記憶", "5"},
                                                  {"2008/01/01", "10:00:00", "独自の練習", "5"}}
                                         << Table{};
}

void tst_totals::itemRows()
{
    QFETCH(Table, log);
    QFETCH(Table, items);
    QCOMPARE(summarizeTotals(logOf(log)).itemRows(), items);
}

void tst_totals::dayRows_data()
{
    QTest::addColumn<Table>("log");
    QTest::addColumn<Table>("days");
    QTest::addColumn<qint64>("unplaced");

    QTest::newRow("one play, one day") << Table{{"2007/12/30", "23:59:59", "数字記憶", "42.5"}}
                                       << Table{{"1", "2007/12/30", "1", "42", "42", "42.0"}} << qint64(0);
    QTest::newRow("days without play in between")
        << Table{{"2005/12/27", "10:00:00", "数字記憶", "10"}, {"2005/12/30", "10:00:00", "画像記憶", "20"}}
        << Table{{"1", "2005/12/27", "1", "10", "10", "10.0"},
                 {"2", "2005/12/28", "0", "0", "0", "0.0"},
                 {"3", "2005/12/29", "0", "0", "0", "0.0"},
                 {"4", "2005/12/30", "1", "20", "20", "20.0"}}
        << qint64(0);
    QTest::newRow("day average 33.3, longest rounded half-even")
        << Table{{"2008/01/01", "10:00:00", "追跡記憶", "32.5"},
                 {"2008/01/01", "11:00:00", "数字記憶", "33.5"},
                 {"2008/01/01", "12:00:00", "独自の練習", "34"}}
        << Table{{"1", "2008/01/01", "3", "100", "34", "33.3"}} << qint64(0);
    QTest::newRow("across a year end and a leap day")
        << Table{{"2007/12/31", "23:59:59", "数字記憶", "1"}, {"2008/01/01", "00:00:00", "数字記憶", "2"}}
        << Table{{"1", "2007/12/31", "1", "1", "1", "1.0"}, {"2", "2008/01/01", "1", "2", "2", "2.0"}} << qint64(0);
    // A log out of order (a clock set back, a line moved by hand): the days
    // run from the earliest date to the latest and every dated play lands on
    // its own day; only a line without a date is placed nowhere.
    QTest::newRow("out of order")
        << Table{{"2008/01/05", "10:00:00", "数字記憶", "1"}, {"2008/01/07", "10:00:00", "数字記憶", "2"},
                 {"2008/01/06", "10:00:00", "数字記憶", "4"}, {"2008/01/03", "10:00:00", "数字記憶", "8"},
                 {"2008/1/7", "10:00:00", "数字記憶", "16"},  {"昨日", "10:00:00", "数字記憶", "32"},
                 {"2008/01/08", "10:00:00", "数字記憶", "64"}}
        << Table{{"1", "2008/01/03", "1", "8", "8", "8.0"},   {"2", "2008/01/04", "0", "0", "0", "0.0"},
                 {"3", "2008/01/05", "1", "1", "1", "1.0"},   {"4", "2008/01/06", "1", "4", "4", "4.0"},
                 {"5", "2008/01/07", "2", "18", "16", "9.0"}, {"6", "2008/01/08", "1", "64", "64", "64.0"}}
        << qint64(1);
    QTest::newRow("last record dated before the first")
        << Table{{"2008/01/05", "10:00:00", "数字記憶", "1"}, {"2008/01/04", "10:00:00", "数字記憶", "2"}}
        << Table{{"1", "2008/01/04", "1", "2", "2", "2.0"}, {"2", "2008/01/05", "1", "1", "1", "1.0"}} << qint64(0);
    QTest::newRow("first record not dated")
        << Table{{"", "10:00:00", "数字記憶", "1"}, {"2008/01/04", "10:00:00", "数字記憶", "2"}}
        << Table{{"1", "2008/01/04", "1", "2", "2", "2.0"}} << qint64(1);
    QTest::newRow("no record dated") << Table{{"", "10:00:00", "数字記憶", "1"}, {"昨日", "10:00:00", "数字記憶", "2"}}
                                     << Table{} << qint64(2);
}

void tst_totals::dayRows()
{
    QFETCH(Table, log);
    QFETCH(Table, days);
    QFETCH(qint64, unplaced);
    const Totals t = summarizeTotals(logOf(log));
    QCOMPARE(t.dayRows(), days);
    QCOMPARE(t.unplaced, unplaced);
    QCOMPARE(t.plays->count(), log.size()); // every record is listed, placed or not
}

void tst_totals::anEmptyLogGivesNoRows()
{
    const Totals t = summarizeTotals({});
    QCOMPARE(t.plays->count(), 0);
    QVERIFY(t.itemRows().isEmpty());
    QVERIFY(t.dayRows().isEmpty());
}

// A log kept for years: more seconds in a day, a longer play and more plays of
// one game than a 16-bit counter holds.
void tst_totals::countersOutgrowSixteenBits()
{
    QList<PlayRecord> log;
    for (int h = 0; h < 10; ++h)
        log.append(play("2008/01/01", QStringLiteral("%1:00:00").arg(h, 2, 10, QLatin1Char('0')), "数字記憶", 3600));
    log.append(play("2008/01/02", "10:00:00", "追跡記憶", 40000.5f));
    const Totals t = summarizeTotals(log);
    QCOMPARE(t.itemRows(),
             (Table{{"1", "数字記憶", "10", "36000", "10:00:00", "3600", "3600.0"},
                    {"2", "追跡記憶", "1", "40000", "11:06:40", "40000", "40000.0"}}));
    QCOMPARE(t.dayRows(),
             (Table{{"1", "2008/01/01", "10", "36000", "3600", "3600.0"},
                    {"2", "2008/01/02", "1", "40000", "40000", "40000.0"}}));
}

void tst_totals::aDayOfThousandsOfPlays()
{
    const int n = 40000;
    QList<PlayRecord> log(n, play("2008/01/01", "10:00:00", "画像記憶", 1));
    const Totals t = summarizeTotals(log);
    QCOMPARE(t.plays->cell(n - 1, 0), QString::number(n));
    QCOMPARE(t.itemRows(), (Table{{"1", "画像記憶", "40000", "40000", "11:06:40", "1", "1.0"}}));
    QCOMPARE(t.dayRows(), (Table{{"1", "2008/01/01", "40000", "40000", "1", "1.0"}}));
}

QTEST_GUILESS_MAIN(tst_totals)
#include "tst_totals.moc"
