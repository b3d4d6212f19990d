// The today panel's figures for one day of the play log. The panel itself, with
// its grids, lamps and faces, is tested through the main window.
#include "core/stats/today.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;

namespace {
PlayRecord rec(const QString &date, const QString &item, float secs)
{
    PlayRecord r;
    r.date = date;
    r.time = QStringLiteral("10:00:00");
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
    void roundedHalfEvenAtEveryAddition();
    void dayIsMatchedByExactDateText();
    void lampColours_data();
    void lampColours();
};

void tst_today::roundedHalfEvenAtEveryAddition()
{
    QList<PlayRecord> log;
    // Each row: the seconds of one more play, and the item total after it.
    const QList<QPair<float, qint64>> steps = {{2.5f, 2}, {2.5f, 4}, {0.5f, 4}, {0.5f, 4}, {1.5f, 6}};
    for (const auto &step : steps) {
        log.append(rec(kDayText, "数字記憶", step.first));
        const DaySummary s = summarizeDay(log, kDay);
        QCOMPARE(s.totals.at(0).seconds, step.second);
        QCOMPARE(s.dayTotal, step.second);
    }
}

void tst_today::dayIsMatchedByExactDateText()
{
    const QList<PlayRecord> log = {rec("2026/12/7", "数字記憶", 1), rec(" 2026/12/07", "数字記憶", 1),
                                   rec("26/12/07", "数字記憶", 1), rec(kDayText, "数字記憶", 1)};
    const DaySummary s = summarizeDay(log, kDay);
    QCOMPARE(s.plays.size(), 1);
    QCOMPARE(s.firstDate, QStringLiteral("2026/12/7"));
    QCOMPARE(s.lastDate, kDayText);
}

void tst_today::lampColours_data()
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

void tst_today::lampColours()
{
    QFETCH(int, lamp);
    QFETCH(quint32, color);
    QCOMPARE(lampColor(lamp), color);
}

QTEST_GUILESS_MAIN(tst_today)
#include "tst_today.moc"
