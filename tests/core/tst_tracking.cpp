// Tracking memory rules: the draws that make a trace and the judging of the
// clicks; the saved lines are checked through the window (tst_trackingmemorywindow).
#include "core/rules/tracking.h"
#include "testing/seededrandom.h"

#include <QtTest>

using namespace kioku;
using namespace kioku::rules;

using Clicks = QList<Trace::Click>;
Q_DECLARE_METATYPE(Trace::Click)

class tst_Tracking : public QObject {
    Q_OBJECT
private slots:
    void panelsAreTheIntegerPartOfTheDraw_data();
    void panelsAreTheIntegerPartOfTheDraw();
    void clicksAreJudgedAgainstTheTrace_data();
    void clicksAreJudgedAgainstTheTrace();
};

void tst_Tracking::panelsAreTheIntegerPartOfTheDraw_data()
{
    QTest::addColumn<QList<double>>("draws"); // the first for the first panel, the others for later ones
    QTest::addColumn<QList<int>>("panels");
    QTest::newRow("lowest draws") << QList<double>{0.0, 0.0} << QList<int>{1, 1};
    QTest::newRow("highest draws") << QList<double>{0.999999, 0.999999} << QList<int>{6, 9};
    QTest::newRow("edges of a sixth and a ninth")
        << QList<double>{1.0 / 6, 1.0 / 9, 2.0 / 9 - 1e-9, 8.0 / 9} << QList<int>{2, 2, 2, 9};
}

void tst_Tracking::panelsAreTheIntegerPartOfTheDraw()
{
    QFETCH(QList<double>, draws);
    QFETCH(QList<int>, panels);
    SeededRandom r(draws);
    QList<int> drawn{drawFirstPanel(r)};
    while (drawn.size() < panels.size())
        drawn << drawNextPanel(r);
    QCOMPARE(drawn, panels);
}

void tst_Tracking::clicksAreJudgedAgainstTheTrace_data()
{
    QTest::addColumn<QList<int>>("trace");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<Clicks>("judged");
    QTest::addColumn<int>("rightTotal");
    QTest::addColumn<int>("rightInTurn");
    using C = Trace::Click;
    QTest::newRow("one panel") << QList<int>{3} << QList<int>{3} << Clicks{C::TurnDone} << 1 << 1;
    QTest::newRow("the same panel twice")
        << QList<int>{5, 5} << QList<int>{5, 5} << Clicks{C::Right, C::TurnDone} << 2 << 2;
    QTest::newRow("a wrong first click") << QList<int>{3} << QList<int>{4} << Clicks{C::Wrong} << 0 << 0;
    QTest::newRow("wrong at the second") << QList<int>{2, 8, 8} << QList<int>{2, 1} << Clicks{C::Right, C::Wrong} << 1
                                         << 1;
    QTest::newRow("nothing after a wrong click")
        << QList<int>{2, 8} << QList<int>{1, 2, 8} << Clicks{C::Wrong, C::Ignored, C::Ignored} << 0 << 0;
    QTest::newRow("nothing past the end of the trace")
        << QList<int>{6} << QList<int>{6, 6} << Clicks{C::TurnDone, C::Ignored} << 1 << 1;
}

void tst_Tracking::clicksAreJudgedAgainstTheTrace()
{
    QFETCH(QList<int>, trace);
    QFETCH(QList<int>, clicks);
    QFETCH(Clicks, judged);
    QFETCH(int, rightTotal);
    QFETCH(int, rightInTurn);
    // Turns before this one, all right: the trace grew to its length.
    Trace t;
    t.begin(trace.first());
    int before = 0;
    for (int len = 1; len < trace.size(); ++len) {
        for (int i = 0; i < len; ++i)
            t.click(trace.at(i));
        before += len;
        t.grow(trace.at(len));
    }
    QCOMPARE(t.clicks().size(), 0);
    Clicks got;
    for (int c : clicks)
        got << t.click(c);
    QCOMPARE(got, judged);
    QCOMPARE(t.rightTotal(), before + rightTotal);
    QCOMPARE(t.rightInTurn(), rightInTurn);
}

QTEST_MAIN(tst_Tracking)
#include "tst_tracking.moc"
