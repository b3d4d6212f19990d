#pragma once
// A chart in the manner of the old chart control, on Qt Charts: one or two
// series, a row count, per-row label and value, value-axis minimum and maximum.
// Values are kept here (tests read them back); the drawing is refreshed once
// per change batch.
#include <QStringList>
#include <QWidget>

namespace kioku {

class ChartView;

class Chart : public QWidget {
    Q_OBJECT
public:
    enum class Style { Bars, Lines };
    explicit Chart(QWidget *parent = nullptr);

    void setStyle(Style s);
    void setTitle(const QString &t);
    QString title() const;
    void setSeriesNames(const QStringList &names);
    QStringList seriesNames() const { return m_names; }

    int seriesCount() const { return m_series; }
    void setSeriesCount(int n); // 1 or 2
    int rowCount() const { return int(m_labels.size()); }
    void setRowCount(int n); // rows keep their values; new rows are 0 with an empty label

    QString rowLabel(int row) const; // row from 0
    void setRowLabel(int row, const QString &label);
    double value(int row, int series = 0) const;
    void setValue(int row, int series, double v);
    // Value from a decimal text, as the old control took it ("0.5", "75"); no number gives 0.
    void setValueText(int row, int series, const QString &text);

    // The value axis: the fixed range when set, else the range that follows the
    // data (from 0, or the lowest value when below 0, to a round number above the
    // highest value; never of zero height).
    double axisMin() const;
    double axisMax() const;
    // Fixed value axis; when not set (or after clearAxisRange) the axis follows the data.
    void setAxisRange(double min, double max);
    void clearAxisRange();
    bool hasFixedAxis() const { return m_fixedAxis; }

    // Whether the rows are too many for a bar each: they are drawn as one line.
    bool isDense() const;

    // Empties the chart (no rows).
    void clearData() { setRowCount(0); }

protected:
    // A new desktop palette (a dark theme switched on) redraws the chart in its colours.
    void changeEvent(QEvent *e) override;

private:
    void scheduleRedraw();
    void redraw();
    QString shapeKey() const;
    bool updateValues();
    QPair<double, double> dataRange() const;

    ChartView *m_view;
    Style m_style = Style::Bars;
    int m_series = 1;
    QStringList m_labels;
    QList<double> m_values[2];
    QStringList m_names;
    double m_min = 0;
    double m_max = 0;
    bool m_fixedAxis = false;
    bool m_redrawPending = false;
    QString m_drawnShape; // shapeKey() of the drawing as last built
};

} // namespace kioku
