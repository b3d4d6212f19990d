#include "widgets/chart.h"

#include "core/text/recordline.h"
#include "widgets/figurefont.h"
#include "widgets/textscale.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace kioku {

class ChartView : public QChartView {
public:
    explicit ChartView(QWidget *parent) : QChartView(new QChart, parent)
    {
        setRenderHint(QPainter::Antialiasing);
        setFrameShape(QFrame::NoFrame);
        QChart *c = chart();
        c->setBackgroundRoundness(0);
        c->setMargins(QMargins(2, 2, 2, 2));
        c->layout()->setContentsMargins(0, 0, 0, 0);
        c->setAnimationOptions(QChart::NoAnimation);
        c->legend()->setVisible(false);
    }
};

namespace {

const QColor kSeriesColours[2] = {QColor(0x4a, 0x86, 0xc8), QColor(0xe8, 0x7a, 0x4a)};

// More rows than this and the category labels would run into each other.
constexpr int kMaxLabelledRows = 31;
// More rows than this are drawn as one line over the row numbers instead of a
// bar each: a decade of plays is tens of thousands of rows, far more bars than
// the chart has pixels, and a bar per row would take seconds to lay out.
constexpr int kMaxBarRows = 400;
// A dense line keeps at most about this many points: of each run of rows that
// falls on one point, the lowest and the highest value (so no peak is lost).
constexpr int kMaxLinePoints = 2000;

// The points of a dense line: row i at x = i + 1.
QList<QPointF> densePoints(const QList<double> &values)
{
    const qsizetype n = values.size();
    QList<QPointF> pts;
    if (n <= kMaxLinePoints) {
        pts.reserve(n);
        for (qsizetype i = 0; i < n; ++i)
            pts.append(QPointF(double(i + 1), values.at(i)));
        return pts;
    }
    const qsizetype run = (2 * n + kMaxLinePoints - 1) / kMaxLinePoints;
    pts.reserve(2 * (n / run + 1));
    for (qsizetype start = 0; start < n; start += run) {
        const qsizetype end = qMin(n, start + run);
        qsizetype lo = start;
        qsizetype hi = start;
        for (qsizetype i = start + 1; i < end; ++i) {
            if (values.at(i) < values.at(lo))
                lo = i;
            if (values.at(i) > values.at(hi))
                hi = i;
        }
        const qsizetype first = qMin(lo, hi);
        const qsizetype second = qMax(lo, hi);
        pts.append(QPointF(double(first + 1), values.at(first)));
        if (second != first)
            pts.append(QPointF(double(second + 1), values.at(second)));
    }
    return pts;
}

// The points of a line series: a dense line as above, otherwise row i at x = i
// (on the axis of row labels).
QList<QPointF> linePoints(const QList<double> &values, bool dense)
{
    if (dense)
        return densePoints(values);
    QList<QPointF> pts;
    pts.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        pts.append(QPointF(double(i), values.at(i)));
    return pts;
}

// 1, 2 or 5 times a power of ten, at least `raw`.
double niceStep(double raw)
{
    if (!(raw > 0) || !std::isfinite(raw))
        return 1;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * p >= raw * (1 - 1e-9))
            return m * p;
    }
    return 10 * p;
}

} // namespace

Chart::Chart(QWidget *parent) : QWidget(parent), m_view(new ChartView(this))
{
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(m_view);
    redraw();
}

bool Chart::isDense() const
{
    return rowCount() > kMaxBarRows;
}

void Chart::setStyle(Style s)
{
    if (m_style == s)
        return;
    m_style = s;
    scheduleRedraw();
}

void Chart::setTitle(const QString &t)
{
    if (m_view->chart()->title() == t)
        return;
    m_view->chart()->setTitle(t);
    scheduleRedraw(); // the legend depends on the title
}

QString Chart::title() const
{
    return m_view->chart()->title();
}

void Chart::setSeriesNames(const QStringList &names)
{
    m_names = names;
    scheduleRedraw();
}

void Chart::setSeriesCount(int n)
{
    n = qBound(1, n, 2);
    if (m_series == n)
        return;
    m_series = n;
    if (n == 2 && m_values[1].size() < rowCount())
        m_values[1].resize(rowCount());
    scheduleRedraw();
}

void Chart::setRowCount(int n)
{
    n = qMax(0, n);
    if (n == rowCount())
        return;
    m_labels.resize(n);
    m_values[0].resize(n);
    // A second series takes room only when the chart has one.
    m_values[1].resize(m_series == 2 ? n : 0);
    scheduleRedraw();
}

QString Chart::rowLabel(int row) const
{
    return row >= 0 && row < rowCount() ? m_labels.at(row) : QString();
}

void Chart::setRowLabel(int row, const QString &label)
{
    if (row < 0 || row >= rowCount())
        return;
    m_labels[row] = label;
    scheduleRedraw();
}

double Chart::value(int row, int series) const
{
    if (row < 0 || row >= rowCount() || series < 0 || series > 1)
        return 0;
    return m_values[series].value(row);
}

void Chart::setValue(int row, int series, double v)
{
    if (row < 0 || row >= rowCount() || series < 0 || series > 1)
        return;
    if (!std::isfinite(v))
        v = 0;
    if (m_values[series].size() < rowCount())
        m_values[series].resize(rowCount());
    m_values[series][row] = v;
    scheduleRedraw();
}

void Chart::setValueText(int row, int series, const QString &text)
{
    setValue(row, series, text::leadingNumber(text));
}

double Chart::axisMin() const
{
    if (m_fixedAxis)
        return m_min;
    return dataRange().first;
}

double Chart::axisMax() const
{
    if (m_fixedAxis)
        return m_max;
    return dataRange().second;
}

void Chart::setAxisRange(double min, double max)
{
    m_fixedAxis = true;
    m_min = min;
    m_max = max;
    scheduleRedraw();
}

void Chart::clearAxisRange()
{
    m_fixedAxis = false;
    scheduleRedraw();
}

QPair<double, double> Chart::dataRange() const
{
    double lo = 0;
    double hi = 0;
    for (int s = 0; s < m_series; ++s) {
        for (double v : m_values[s]) {
            lo = qMin(lo, v);
            hi = qMax(hi, v);
        }
    }
    if (hi - lo <= 0)
        return {lo, lo + 1};
    // A little room above the highest value, on a round number.
    const double step = niceStep((hi - lo) / 5);
    double top = std::ceil(hi / step - 1e-9) * step;
    if (top - hi < step * 0.05)
        top += step;
    const double bottom = lo < 0 ? std::floor(lo / step + 1e-9) * step : 0.0;
    return {bottom, top};
}

void Chart::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::PaletteChange)
        scheduleRedraw();
}

void Chart::scheduleRedraw()
{
    if (m_redrawPending)
        return;
    m_redrawPending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_redrawPending)
            redraw();
    });
}

// What a chart's drawing is built on besides its values: when only the values
// changed, the drawing keeps its axes and series and takes the new values.
QString Chart::shapeKey() const
{
    const QPalette pal = palette();
    return QStringList{
        QString::number(rowCount()),      QString::number(m_series),        QString::number(int(m_style)),
        m_labels.join(QChar(0x1F)),       m_names.join(QChar(0x1F)),        m_view->chart()->title(),
        pal.color(QPalette::Base).name(), pal.color(QPalette::Text).name(), QApplication::font().toString()}
        .join(QChar(0x1E));
}

// The new values into the drawing already built (same rows, labels, series).
bool Chart::updateValues()
{
    QChart *chart = m_view->chart();
    const auto vertical = chart->axes(Qt::Vertical);
    auto *yAxis = vertical.isEmpty() ? nullptr : qobject_cast<QValueAxis *>(vertical.first());
    const QList<QAbstractSeries *> all = chart->series();
    if (!yAxis || all.isEmpty())
        return false;
    double lo = axisMin();
    double hi = axisMax();
    if (!(hi > lo))
        hi = lo + 1;
    const double step = niceStep((hi - lo) / 5);
    // The axis lays out its ticks at every change: a wide range under a fine
    // interval, even for a moment, would be tens of thousands of ticks. So a
    // coarser interval goes in before the wider range, a finer one after the
    // narrower range.
    yAxis->setTickAnchor(std::floor(lo / step) * step);
    if (step >= yAxis->tickInterval()) {
        yAxis->setTickInterval(step);
        yAxis->setRange(lo, hi);
    } else {
        yAxis->setRange(lo, hi);
        yAxis->setTickInterval(step);
    }
    const int n = rowCount();
    if (auto *bars = qobject_cast<QBarSeries *>(all.first())) {
        const QList<QBarSet *> sets = bars->barSets();
        if (sets.size() != m_series)
            return false;
        for (int s = 0; s < m_series; ++s) {
            QBarSet *set = sets.at(s);
            if (set->count() != n)
                return false;
            for (int i = 0; i < n; ++i)
                if (set->at(i) != m_values[s].at(i))
                    set->replace(i, m_values[s].at(i));
        }
        return true;
    }
    if (all.size() != m_series)
        return false;
    const bool dense = n > kMaxBarRows;
    for (int s = 0; s < m_series; ++s) {
        auto *line = qobject_cast<QLineSeries *>(all.at(s));
        if (!line)
            return false;
        line->replace(linePoints(m_values[s], dense));
    }
    return true;
}

void Chart::redraw()
{
    m_redrawPending = false;
    const QString shape = shapeKey();
    if (shape == m_drawnShape && rowCount() > 0 && updateValues())
        return;
    m_drawnShape = shape;
    QChart *chart = m_view->chart();
    chart->removeAllSeries();
    const auto axes = chart->axes();
    for (QAbstractAxis *a : axes) {
        chart->removeAxis(a);
        delete a;
    }

    // The charts keep their size at every text size (the windows have to fit
    // a small screen), and so do their texts: larger ones would leave the
    // axes no room for their labels.
    QFont appFont = QApplication::font();
    if (appFont.pointSizeF() > 0)
        appFont.setPointSizeF(appFont.pointSizeF() / textScale());
    // Small labels in the figure face, whose decimal point is not a comma;
    // Japanese text falls back to the application's font.
    QFont small = figureFont(appFont);
    if (small.pointSizeF() > 0)
        small.setPointSizeF(qMax(6.0, small.pointSizeF() - 1));
    chart->setTitleFont(appFont);
    chart->legend()->setFont(small);
    // The chart follows the desktop palette: dark under a dark theme, with its
    // texts and lines in the palette's own colours so they read on it.
    const QPalette pal = palette();
    const QColor text = pal.color(QPalette::Text);
    const QColor lines = pal.color(QPalette::Mid);
    chart->setBackgroundBrush(pal.color(QPalette::Base));
    chart->setBackgroundPen(Qt::NoPen);
    chart->setTitleBrush(text);
    chart->legend()->setLabelColor(text);
    m_view->setBackgroundBrush(pal.color(QPalette::Base));

    const int n = rowCount();

    const bool dense = n > kMaxBarRows;
    QAbstractAxis *xAxis = nullptr;
    if (dense) {
        // The rows by their numbers, on a plain number axis.
        auto *rowsAxis = new QValueAxis;
        rowsAxis->setRange(0.5, n + 0.5);
        rowsAxis->setLabelFormat(QStringLiteral("%d"));
        rowsAxis->setTickType(QValueAxis::TicksDynamic);
        const double step = niceStep(n / 6.0);
        rowsAxis->setTickAnchor(0);
        rowsAxis->setTickInterval(step);
        rowsAxis->setLabelsFont(small);
        rowsAxis->setGridLineVisible(false);
        xAxis = rowsAxis;
    } else {
        // Categories must be distinct; when they are not (or when there are too
        // many to be read) the rows are named by their numbers and the labels hidden.
        QStringList categories;
        const bool showLabels = n <= kMaxLabelledRows;
        if (showLabels) {
            QHash<QString, int> seen;
            for (const QString &l : m_labels) {
                const int k = seen.value(l, 0);
                seen.insert(l, k + 1);
                // Zero-width spaces keep equal labels apart without changing what
                // is shown (an empty category would be dropped).
                if (l.isEmpty())
                    categories.append(QString(k + 1, QChar(0x200B)));
                else
                    categories.append(k == 0 ? l : l + QString(k, QChar(0x200B)));
            }
        } else {
            categories.reserve(n);
            for (int i = 1; i <= n; ++i)
                categories.append(QString::number(i));
        }
        auto *categoryAxis = new QBarCategoryAxis;
        categoryAxis->append(categories);
        categoryAxis->setLabelsFont(small);
        categoryAxis->setLabelsVisible(showLabels);
        categoryAxis->setGridLineVisible(false);
        categoryAxis->setTruncateLabels(true);
        xAxis = categoryAxis;
    }
    xAxis->setLabelsColor(text);
    xAxis->setLinePenColor(lines);
    chart->addAxis(xAxis, Qt::AlignBottom);

    auto *yAxis = new QValueAxis;
    double lo = axisMin();
    double hi = axisMax();
    if (!(hi > lo))
        hi = lo + 1;
    yAxis->setRange(lo, hi);
    yAxis->setLabelsFont(small);
    yAxis->setLabelFormat(QStringLiteral("%g"));
    yAxis->setTickType(QValueAxis::TicksDynamic);
    const double step = niceStep((hi - lo) / 5);
    yAxis->setTickAnchor(std::floor(lo / step) * step);
    yAxis->setTickInterval(step);
    yAxis->setLabelsColor(text);
    yAxis->setLinePenColor(lines);
    yAxis->setGridLineColor(pal.color(QPalette::Midlight));
    chart->addAxis(yAxis, Qt::AlignLeft);

    if (n > 0) {
        if (dense) {
            for (int s = 0; s < m_series; ++s) {
                auto *series = new QLineSeries;
                series->setName(s < m_names.size() ? m_names.at(s) : QString());
                QPen pen(kSeriesColours[s]);
                pen.setWidthF(1.2);
                series->setPen(pen);
                series->replace(linePoints(m_values[s], true));
                chart->addSeries(series);
                series->attachAxis(xAxis);
                series->attachAxis(yAxis);
            }
        } else if (m_style == Style::Bars) {
            auto *series = new QBarSeries;
            for (int s = 0; s < m_series; ++s) {
                auto *set = new QBarSet(s < m_names.size() ? m_names.at(s) : QString());
                set->setColor(kSeriesColours[s]);
                set->setBorderColor(kSeriesColours[s].darker(120));
                QList<qreal> vals;
                vals.reserve(n);
                for (double v : m_values[s])
                    vals.append(v);
                set->append(vals);
                series->append(set);
            }
            series->setBarWidth(m_series == 1 ? 0.7 : 0.8);
            chart->addSeries(series);
            series->attachAxis(xAxis);
            series->attachAxis(yAxis);
        } else {
            for (int s = 0; s < m_series; ++s) {
                auto *series = new QLineSeries;
                series->setName(s < m_names.size() ? m_names.at(s) : QString());
                QPen pen(kSeriesColours[s]);
                pen.setWidthF(2);
                series->setPen(pen);
                series->setPointsVisible(n <= 60);
                series->replace(linePoints(m_values[s], false));
                chart->addSeries(series);
                series->attachAxis(xAxis);
                series->attachAxis(yAxis);
            }
        }
    }
    // A single series under a title is named by the title already; its legend
    // would only take room from a small plot.
    const bool named = !m_names.isEmpty() && !m_names.join(QString()).isEmpty();
    chart->legend()->setVisible(n > 0 && named && (m_series > 1 || chart->title().isEmpty()));
    chart->legend()->setAlignment(Qt::AlignTop);
}

} // namespace kioku
