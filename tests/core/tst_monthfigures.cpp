// The figures of the monthly report: each day's plays with the calendar's
// colour bands, the days without a play counted only up to today, the totals
// per game (an item no game has gathered as その他) and of the month.
#include "core/transfer/monthfigures.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;

namespace {

// `n` plays of `item` of `seconds` each on `date`.
QList<PlayRecord> plays(const QString &date, int n, const QString &item = QStringLiteral("数字記憶"),
                        float seconds = 10)
{
    QList<PlayRecord> out;
    for (int i = 0; i < n; ++i)
        out.append(play(date, QStringLiteral("10:00:00"), item, seconds));
    return out;
}

using Items = QList<QStringList>; // name, count, seconds, longest

} // namespace

class tst_monthfigures : public QObject {
    Q_OBJECT
private slots:
    void figures_data();
    void figures();
    void months_data();
    void months();
};

void tst_monthfigures::figures_data()
{
    QTest::addColumn<QList<PlayRecord>>("log");
    QTest::addColumn<QDate>("which"); // a day of the month reported
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("legend");
    QTest::addColumn<Items>("items");
    QTest::addColumn<QList<qint64>>("month"); // plays, seconds, days played

    // December 2026 seen on the 7th: 1, 3, 5, 12 plays on four days, none on
    // three, and the 24 days still to come are no days missed. Seconds are
    // added as the totals view adds them, rounded half to even each time
    // (2.5 + 2.5 gives 4), so the report agrees with the screen.
    QTest::newRow("this month, on the 7th")
        << plays("2026/12/01", 1) + plays("2026/12/02", 3) + plays("2026/12/05", 5, "追跡記憶", 2.5f)
            + plays("2026/12/07", 12, "画像記憶", 1)
        << QDate(2026, 12, 15) << QDate(2026, 12, 7)
        << QStringList{"0回：3日", "1-2回：1日", "3-4回：1日", "5-6回：1日", "7-8回：0日", "9-10回：0日", "10超：1日"}
        << Items{{"数字記憶", "4", "40", "10"}, {"画像記憶", "12", "12", "1"}, {"追跡記憶", "5", "10", "2"}}
        << QList<qint64>{21, 62, 4};
    // A past month: every day without a play counts; plays of other months,
    // of an item no game has and a line without a date are kept apart.
    QTest::newRow("a past month") << plays("2026/10/31", 2) + plays("2026/11/15", 2, "将棋", 60)
            + plays("2026/11/16", 1) + plays("昨日", 3) + plays("2026/12/01", 4)
                                  << QDate(2026, 11, 3) << QDate(2026, 12, 7)
                                  << QStringList{"0回：28日",  "1-2回：2日",  "3-4回：0日", "5-6回：0日",
                                                 "7-8回：0日", "9-10回：0日", "10超：0日"}
                                  << Items{{"数字記憶", "1", "10", "10"}, {"その他", "2", "120", "60"}}
                                  << QList<qint64>{3, 130, 2};
    QTest::newRow("a month without plays")
        << plays("2026/12/01", 4) << QDate(2026, 11, 3) << QDate(2026, 12, 7)
        << QStringList{"0回：30日", "1-2回：0日", "3-4回：0日", "5-6回：0日", "7-8回：0日", "9-10回：0日", "10超：0日"}
        << Items{} << QList<qint64>{0, 0, 0};
}

void tst_monthfigures::figures()
{
    QFETCH(QList<PlayRecord>, log);
    QFETCH(QDate, which);
    QFETCH(QDate, today);
    QFETCH(QStringList, legend);
    QFETCH(Items, items);
    QFETCH(QList<qint64>, month);

    const MonthFigures f = monthFigures(log, which, today);
    QCOMPARE(f.days.size(), which.daysInMonth());
    QCOMPARE(f.legend, legend);
    Items got;
    for (const TotalsItem &i : f.items)
        got.append({i.name, QString::number(i.count), QString::number(i.seconds), QString::number(i.max)});
    QCOMPARE(got, items);
    QCOMPARE((QList<qint64>{f.plays, f.seconds, f.daysPlayed}), month);
}

void tst_monthfigures::months_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QStringList>("months");

    QTest::newRow("empty log") << ""
                               << "" << QStringList{"2026/12"};
    QTest::newRow("across a year") << "2025/11/30"
                                   << "2026/01/02" << QStringList{"2026/12", "2026/11", "2026/10", "2026/09", "2026/08",
                                                                  "2026/07", "2026/06", "2026/05", "2026/04", "2026/03",
                                                                  "2026/02", "2026/01", "2025/12", "2025/11"};
    // A play dated after today (a clock set wrong) still has its month.
    QTest::newRow("a play after today") << "2026/12/01"
                                        << "2027/01/03" << QStringList{"2027/01", "2026/12"};
}

void tst_monthfigures::months()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QStringList, months);
    QStringList got;
    for (const QDate &m : reportMonths(logSpan(first, last), QDate(2026, 12, 7)))
        got.append(m.toString(QStringLiteral("yyyy/MM")));
    QCOMPARE(got, months);
}

QTEST_GUILESS_MAIN(tst_monthfigures)
#include "tst_monthfigures.moc"
