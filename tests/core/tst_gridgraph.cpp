#include "core/stats/gridgraph.h"

#include <QtTest>

using kioku::graphLabel;
using kioku::HourTotals;

class TestGridGraph : public QObject {
    Q_OBJECT

private slots:
    void labelsShortenPastSixteenRows_data();
    void labelsShortenPastSixteenRows();
    void hoursSumAsTheyAreAdded_data();
    void hoursSumAsTheyAreAdded();
};

void TestGridGraph::labelsShortenPastSixteenRows_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("gridRows"); // header included
    QTest::addColumn<QString>("label");
    QTest::newRow("16 data rows") << QStringLiteral("数字記憶") << 17 << QStringLiteral("数字");
    QTest::newRow("17 data rows") << QStringLiteral("数字記憶") << 18 << QStringLiteral("数");
    QTest::newRow("empty grid") << QStringLiteral("アイコン衰弱") << 1 << QStringLiteral("アイ");
    QTest::newRow("one-letter name") << QStringLiteral("A") << 3 << QStringLiteral("A");
    QTest::newRow("empty name") << QString() << 30 << QString();
}

void TestGridGraph::labelsShortenPastSixteenRows()
{
    QFETCH(QString, item);
    QFETCH(int, gridRows);
    QFETCH(QString, label);
    QCOMPARE(graphLabel(item, gridRows), label);
}

void TestGridGraph::hoursSumAsTheyAreAdded_data()
{
    QTest::addColumn<QStringList>("times");
    QTest::addColumn<QStringList>("seconds");
    QTest::addColumn<QList<qint64>>("expected"); // hours 0, 9, 10, 23

    QTest::newRow("either side of ten o'clock")
        << QStringList{"09:59:59", "10:00:00"} << QStringList{"5", "7"} << QList<qint64>{0, 5, 7, 0};
    QTest::newRow("midnight and the last second")
        << QStringList{"00:00:00", "23:59:59"} << QStringList{"3", "4"} << QList<qint64>{3, 0, 0, 4};
    // Rounded at every addition, halves to even: 0.5 → 0, then 1.5 → 2.
    QTest::newRow("halves to even at every addition")
        << QStringList{"09:00:00", "09:10:00"} << QStringList{"0.5", "1.5"} << QList<qint64>{0, 2, 0, 0};
    // A one-digit hour (a log edited by hand) still reads as its hour.
    QTest::newRow("one-digit hour") << QStringList{"9:05:00"} << QStringList{"6"} << QList<qint64>{0, 6, 0, 0};
    // Hours the day does not have, and times that are no time, count nowhere.
    QTest::newRow("no such hour") << QStringList{"24:00:00", "99:00:00", "", "ab:cd", "-1:00"}
                                  << QStringList{"1", "1", "1", "1", "1"} << QList<qint64>{0, 0, 0, 0};
    // Far past the 16-bit totals of old: years of play in one hour (each 99.5
    // lands on an even hundred-and-half and rounds up to the next hundred).
    QStringList many;
    QStringList secs;
    for (int i = 0; i < 1000; ++i) {
        many.append(QStringLiteral("23:00:00"));
        secs.append(QStringLiteral("99.5"));
    }
    QTest::newRow("beyond 32767 seconds") << many << secs << QList<qint64>{0, 0, 0, 100000};
}

void TestGridGraph::hoursSumAsTheyAreAdded()
{
    QFETCH(QStringList, times);
    QFETCH(QStringList, seconds);
    QFETCH(QList<qint64>, expected);
    HourTotals h;
    for (int i = 0; i < times.size(); ++i)
        h.add(times.at(i), seconds.at(i));
    QCOMPARE((QList<qint64>{h.at(0), h.at(9), h.at(10), h.at(23)}), expected);
    QCOMPARE(HourTotals::label(9), QStringLiteral(" 9"));
    QCOMPARE(HourTotals::label(0), QStringLiteral(" 0"));
    QCOMPARE(h.at(24), 0);
}

QTEST_APPLESS_MAIN(TestGridGraph)
#include "tst_gridgraph.moc"
