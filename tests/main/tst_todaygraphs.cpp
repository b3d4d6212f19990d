// The today panel's three graphs, drawn from what its two lists show.
#include "mainfixture.h"

#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/monthcalendar.h"

#include <QPushButton>
#include <QtTest>

using namespace kioku;

namespace {

QStringList labels(const Chart *c)
{
    QStringList l;
    for (int i = 0; i < c->rowCount(); ++i)
        l.append(c->rowLabel(i));
    return l;
}

QList<double> values(const Chart *c)
{
    QList<double> v;
    for (int i = 0; i < c->rowCount(); ++i)
        v.append(c->value(i));
    return v;
}

} // namespace

class tst_TodayGraphs : public QObject {
    Q_OBJECT

private slots:
    void eachButtonDrawsItsList();
    void labelsShortenPastSixteenPlays_data();
    void labelsShortenPastSixteenPlays();
};

void tst_TodayGraphs::eachButtonDrawsItsList()
{
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture(QStringLiteral("views.txt")));
    auto w = f.load();
    w->fraMain->mtvmain->clickDate(QDate(2007, 12, 31));
    QCOMPARE(w->fraMain->msgDayList->rows(), 4);

    QTest::mouseClick(w->fraMain->cmdDay, Qt::LeftButton);
    QCOMPARE(labels(w->fraMain->mcrMain), (QStringList{"画像", "数字", "数字"}));
    QCOMPARE(values(w->fraMain->mcrMain), (QList<double>{12.5, 0.5, 1.5}));
    QCOMPARE(w->fraMain->mcrMain->axisMax(), 12.5); // up to the day's longest play

    QTest::mouseClick(w->fraMain->cmdTotal, Qt::LeftButton);
    QCOMPARE(labels(w->fraMain->mcrMain), (QStringList{"数字", "画像"}));
    // 0.5 rounds to 0, then 0 + 1.5 to 2; 12.5 to 12: halves to even.
    QCOMPARE(values(w->fraMain->mcrMain), (QList<double>{2, 12}));
    QVERIFY(w->fraMain->mcrMain->axisMax() >= 12);

    QTest::mouseClick(w->fraMain->cmdJikan, Qt::LeftButton);
    QCOMPARE(w->fraMain->mcrMain->rowCount(), 24);
    QCOMPARE(w->fraMain->mcrMain->rowLabel(9), QStringLiteral(" 9"));
    QCOMPARE(w->fraMain->mcrMain->value(0), 12.0); // 00:00:00
    QCOMPARE(w->fraMain->mcrMain->value(9), 0.0);  // 09:59:59, 0.5 s: rounds to 0
    QCOMPARE(w->fraMain->mcrMain->value(10), 2.0); // 10:00:00, 1.5 s
    // The two plays of the leap day, the unknown item among them: an hour graph
    // counts every play the list shows.
    w->fraMain->mtvmain->clickDate(QDate(2008, 2, 29));
    QCOMPARE(w->fraMain->mcrMain->value(12), 30.0);
    QCOMPARE(w->fraMain->mcrMain->value(23), 100.0);

    // A day without plays: the hours stay, all 0; the time series is empty.
    w->fraMain->mtvmain->clickDate(QDate(2008, 1, 15));
    QCOMPARE(w->fraMain->mcrMain->rowCount(), 24);
    QCOMPARE(values(w->fraMain->mcrMain), QList<double>(24, 0.0));
    QTest::mouseClick(w->fraMain->cmdDay, Qt::LeftButton);
    QCOMPARE(w->fraMain->mcrMain->rowCount(), 0);
}

void tst_TodayGraphs::labelsShortenPastSixteenPlays_data()
{
    QTest::addColumn<int>("plays");
    QTest::addColumn<QString>("label");
    QTest::newRow("16 plays") << 16 << QStringLiteral("追跡");
    QTest::newRow("17 plays") << 17 << QStringLiteral("追");
}

void tst_TodayGraphs::labelsShortenPastSixteenPlays()
{
    QFETCH(int, plays);
    QFETCH(QString, label);
    MainFixture f;
    QList<PlayRecord> log;
    for (int i = 0; i < plays; ++i)
        log.append(play("2026/12/07", QStringLiteral("08:%1:00").arg(i, 2, 10, QLatin1Char('0')), "追跡記憶", i));
    f.setLog(log);
    auto w = f.load();
    QTest::mouseClick(w->fraMain->cmdDay, Qt::LeftButton);
    QCOMPARE(w->fraMain->mcrMain->rowCount(), plays);
    QCOMPARE(w->fraMain->mcrMain->rowLabel(plays - 1), label);
    QCOMPARE(w->fraMain->mcrMain->value(plays - 1), double(plays - 1));
}

QTEST_MAIN(tst_TodayGraphs)
#include "tst_todaygraphs.moc"
