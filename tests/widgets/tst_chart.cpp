#include "widgets/chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <QtTest>

using kioku::Chart;

namespace {

QChart *innerChart(Chart &c)
{
    auto *view = c.findChild<QChartView *>();
    return view ? view->chart() : nullptr;
}

QValueAxis *valueAxis(QChart *chart)
{
    const auto axes = chart->axes(Qt::Vertical);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis *>(axes.first());
}

QBarCategoryAxis *categoryAxis(QChart *chart)
{
    const auto axes = chart->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis *>(axes.first());
}

} // namespace

class TestChart : public QObject {
    Q_OBJECT

private slots:
    void rowsKeepTheirValues();
    void axisFollowsTheData_data();
    void axisFollowsTheData();
    void fixedAxisRange();
    void twoSeriesAsBarsAndLines();
    void emptyChartHasNoSeries();
    void categoriesStayApart();
    void manyRowsDrawAsOneLineKeepingThePeaks();
    void followsADarkPalette();
    void newValuesKeepTheDrawing();
};

void TestChart::rowsKeepTheirValues()
{
    Chart c;
    c.setRowCount(3);
    c.setValue(0, 0, 5);
    c.setValue(2, 0, 7.5);
    c.setRowLabel(1, QStringLiteral("12:00"));
    c.setRowCount(5);
    QCOMPARE(c.value(0), 5.0);
    QCOMPARE(c.value(2), 7.5);
    QCOMPARE(c.rowLabel(1), QStringLiteral("12:00"));
    c.setRowCount(2);
    c.setRowCount(3);
    QCOMPARE(c.value(2), 0.0); // a row cut and added again starts at 0

    // Values outside the chart, and values that are no number, are ignored.
    c.setValue(3, 0, 9);
    c.setValue(-1, 0, 9);
    c.setValue(0, 2, 9);
    c.setValue(1, 0, qQNaN());
    QCOMPARE(c.value(0, 2), 0.0);
    QCOMPARE(c.value(1), 0.0);
    // A cell text gives its leading number.
    c.setValueText(0, 0, QStringLiteral("12秒"));
    QCOMPARE(c.value(0), 12.0);

    c.setSeriesCount(5); // one or two series
    QCOMPARE(c.seriesCount(), 2);
    c.clearData();
    QCOMPARE(c.rowCount(), 0);
}

void TestChart::axisFollowsTheData_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("lowestMax");  // the axis reaches at least this
    QTest::addColumn<double>("highestMax"); // and not far beyond
    QTest::newRow("counts") << QList<double>{3, 8, 5} << 8.0 << 12.0;
    QTest::newRow("fractions") << QList<double>{0.2, 0.5} << 0.5 << 0.7;
    QTest::newRow("all zero") << QList<double>{0, 0} << 0.1 << 1.0;
}

void TestChart::axisFollowsTheData()
{
    QFETCH(QList<double>, values);
    QFETCH(double, lowestMax);
    QFETCH(double, highestMax);
    Chart c;
    c.setRowCount(int(values.size()));
    for (int i = 0; i < values.size(); ++i)
        c.setValue(i, 0, values.at(i));
    QVERIFY(!c.hasFixedAxis());
    QVERIFY(c.axisMin() <= 0 && c.axisMin() > -1);
    QVERIFY2(c.axisMax() >= lowestMax && c.axisMax() <= highestMax, qPrintable(QString::number(c.axisMax())));

    // What is drawn is the same range.
    QTRY_VERIFY(valueAxis(innerChart(c)));
    QTRY_COMPARE(valueAxis(innerChart(c))->max(), c.axisMax());
    QCOMPARE(valueAxis(innerChart(c))->min(), c.axisMin());
}

void TestChart::fixedAxisRange()
{
    Chart c;
    c.setRowCount(2);
    c.setValue(0, 0, 50);
    c.setAxisRange(0, 37.5);
    QVERIFY(c.hasFixedAxis());
    QCOMPARE(c.axisMin(), 0.0);
    QCOMPARE(c.axisMax(), 37.5);
    QTRY_COMPARE(valueAxis(innerChart(c))->max(), 37.5);

    // A range of zero height is kept as set but drawn with some height.
    c.setAxisRange(0, 0);
    QCOMPARE(c.axisMax(), 0.0);
    QTRY_VERIFY(valueAxis(innerChart(c))->max() > 0);

    c.clearAxisRange();
    QVERIFY(!c.hasFixedAxis());
    QVERIFY(c.axisMax() >= 50);
}

void TestChart::twoSeriesAsBarsAndLines()
{
    Chart c;
    c.setSeriesCount(2);
    c.setSeriesNames({QStringLiteral("正解"), QStringLiteral("不正解")});
    c.setRowCount(3);
    for (int i = 0; i < 3; ++i) {
        c.setValue(i, 0, i + 1);
        c.setValue(i, 1, 10 - i);
    }
    QChart *chart = innerChart(c);
    QTRY_COMPARE(chart->series().size(), 1);
    auto *bars = qobject_cast<QBarSeries *>(chart->series().first());
    QVERIFY(bars);
    QCOMPARE(bars->barSets().size(), 2);
    QCOMPARE(bars->barSets().at(1)->label(), QStringLiteral("不正解"));
    QCOMPARE(bars->barSets().at(1)->at(2), 8.0);
    QVERIFY(chart->legend()->isVisible());

    c.setStyle(Chart::Style::Lines);
    QTRY_COMPARE(chart->series().size(), 2);
    auto *line = qobject_cast<QLineSeries *>(chart->series().at(0));
    QVERIFY(line);
    QCOMPARE(line->count(), 3);
    QCOMPARE(line->at(2), QPointF(2, 3));
}

void TestChart::emptyChartHasNoSeries()
{
    Chart c;
    c.setRowCount(4);
    c.setValue(1, 0, 3);
    QChart *chart = innerChart(c);
    QTRY_COMPARE(chart->series().size(), 1);
    c.clearData();
    QTRY_COMPARE(chart->series().size(), 0);
    QVERIFY(valueAxis(chart));
    QVERIFY(valueAxis(chart)->max() > valueAxis(chart)->min());
}

void TestChart::categoriesStayApart()
{
    // Categories must be distinct; empty or repeated labels still give one bar per row.
    Chart c;
    c.setRowCount(4);
    c.setRowLabel(2, QStringLiteral("a"));
    c.setRowLabel(3, QStringLiteral("a"));
    QChart *chart = innerChart(c);
    QTRY_VERIFY(categoryAxis(chart) && categoryAxis(chart)->count() == 4);
    QTRY_COMPARE(chart->series().size(), 1);
    QCOMPARE(qobject_cast<QBarSeries *>(chart->series().first())->barSets().first()->count(), 4);
}

void TestChart::manyRowsDrawAsOneLineKeepingThePeaks()
{
    // A decade of plays: far more rows than bars fit; the line keeps every peak
    // and every trough while the values themselves stay exact.
    Chart c;
    const int n = 30000;
    c.setRowCount(n);
    for (int i = 0; i < n; ++i)
        c.setValue(i, 0, 10 + (i % 7));
    c.setValue(12345, 0, 500);
    c.setValue(23456, 0, -3);
    QChart *chart = innerChart(c);
    QTRY_COMPARE(chart->series().size(), 1);
    auto *line = qobject_cast<QLineSeries *>(chart->series().first());
    QVERIFY(line);
    QVERIFY(line->count() <= 2100);
    double hi = 0;
    double lo = 1e9;
    for (const QPointF &p : line->points()) {
        hi = qMax(hi, p.y());
        lo = qMin(lo, p.y());
    }
    QCOMPARE(hi, 500.0);
    QCOMPARE(lo, -3.0);
    QCOMPARE(line->points().first().x(), 1.0);
    QCOMPARE(c.value(12345), 500.0);
    QCOMPARE(c.rowCount(), n);
}

void TestChart::followsADarkPalette()
{
    Chart c;
    c.setRowCount(2);
    c.setValue(0, 0, 3);
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    c.setPalette(dark);
    QChart *chart = innerChart(c);
    QTRY_COMPARE(chart->backgroundBrush().color(), QColor(30, 30, 30));
    QVERIFY(valueAxis(chart));
    QCOMPARE(valueAxis(chart)->labelsColor(), QColor(230, 230, 230));
    QCOMPARE(categoryAxis(chart)->labelsColor(), QColor(230, 230, 230));
    QCOMPARE(chart->titleBrush().color(), QColor(230, 230, 230));
}

void TestChart::newValuesKeepTheDrawing()
{
    // New values on the same rows go into the drawing already built; new
    // labels or another row count build it anew. Either way it shows the values.
    Chart c;
    c.setRowCount(3);
    c.setRowLabel(0, QStringLiteral("日"));
    c.setValue(1, 0, 5);
    QChart *chart = innerChart(c);
    QTRY_COMPARE(chart->series().size(), 1);
    QAbstractSeries *first = chart->series().first();

    c.setValue(1, 0, 50);
    QTRY_COMPARE(qobject_cast<QBarSeries *>(chart->series().first())->barSets().first()->at(1), 50.0);
    QCOMPARE(chart->series().first(), first);
    QVERIFY(valueAxis(chart)->max() >= 50);

    // From a few seconds to years of them and back: the axis follows with a
    // handful of ticks each way.
    for (double v : {0.5, 250000.0, 0.25, 3.0}) {
        c.setValue(1, 0, v);
        QTRY_COMPARE(qobject_cast<QBarSeries *>(chart->series().first())->barSets().first()->at(1), v);
        QVERIFY(valueAxis(chart)->max() >= v);
        QVERIFY((valueAxis(chart)->max() - valueAxis(chart)->min()) / valueAxis(chart)->tickInterval() <= 10);
    }
    c.setValue(1, 0, 50);

    c.setRowLabel(2, QStringLiteral("土"));
    QTRY_VERIFY(categoryAxis(chart) && categoryAxis(chart)->categories().contains(QStringLiteral("土")));
    QCOMPARE(qobject_cast<QBarSeries *>(chart->series().first())->barSets().first()->at(1), 50.0);

    c.setRowCount(2000); // a line now
    c.setValue(1999, 0, 7);
    QTRY_VERIFY(qobject_cast<QLineSeries *>(chart->series().first()));
    c.setValue(1999, 0, 70);
    QTRY_COMPARE(qobject_cast<QLineSeries *>(chart->series().first())->points().last().y(), 70.0);
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
