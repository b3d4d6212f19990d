#pragma once
// The practice calendar (fraCale, カレンダー): the plays of every day in a
// month-by-day table (msgCale) coloured by their number, a legend counting the
// days of each colour (lblHan0 … lblHan6), the same by week and weekday
// (msgCale_w), and the plays and seconds per weekday in two charts.
#include "views/panel.h"

#include <QList>

class QLabel;

namespace kioku {

class CellMarks;
class Chart;
class FlexGrid;

class CalendarView : public Panel {
    Q_OBJECT
public:
    explicit CalendarView(AppContext &ctx, QWidget *parent = nullptr);

    QString helpText() const override;

    FlexGrid *msgCale;   // one row per month, one column per day of month
    FlexGrid *msgCale_w; // one row per week, one column per weekday
    // lblHan[k] is lblHan<k>: the days without play (0), then bands 1 … 6.
    QList<QLabel *> lblHan;
    Chart *mcrKensu;      // plays per weekday, Sunday first
    Chart *mcrKingaku;    // whole seconds per weekday
    CellMarks *cellMarks; // the run and the days a daily goal was met, on msgCale

protected:
    void fill(const LogSummary &log) override;

private:
    void setUpGrids();
    void fitGrids();
};

} // namespace kioku
