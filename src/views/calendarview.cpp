#include "views/calendarview.h"

#include "core/stats/calendar.h"
#include "views/habitmarks.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kioku {

namespace {

// A grid showing more rows than this (header included) is scrolled to its last row.
constexpr int kMonthRowsShown = 13;
constexpr int kWeekRowsShown = 16;

QList<GridColumn> monthColumns()
{
    QList<GridColumn> c = {gridColumn("年月", 1290, kAlignCenter)};
    for (int d = 1; d <= 31; ++d) {
        GridColumn day;
        day.header = QString::number(d);
        day.twips = 310;
        day.alignment = kAlignCenter;
        c.append(day);
    }
    return c;
}

QList<GridColumn> weekColumns()
{
    QList<GridColumn> c = {gridColumn("年月日", 1310, kAlignCenter)};
    for (const QString &letter : weekdayLetters()) {
        GridColumn day;
        day.header = letter;
        day.twips = 320;
        day.alignment = kAlignCenter;
        c.append(day);
    }
    return c;
}

// Colours every cell of `table` that holds a play by its band.
void showTable(FlexGrid *grid, const CalendarTable &table)
{
    grid->setDataRows(table.rows);
    for (int r = 0; r < table.plays.size(); ++r) {
        const QList<qint64> &row = table.plays.at(r);
        for (int c = 0; c < row.size(); ++c) {
            const int band = calendarBand(row.at(c));
            if (band != 0)
                grid->setCellBackColor(r + 1, c + 1, QColor::fromRgb(QRgb(bandColor(band))));
        }
    }
}

void resetChart(Chart *chart)
{
    const QStringList letters = weekdayLetters();
    chart->setRowCount(int(letters.size()));
    for (int i = 0; i < letters.size(); ++i) {
        chart->setRowLabel(i, letters.at(i));
        chart->setValue(i, 0, 0);
    }
}

QVBoxLayout *captioned(const QString &caption, QWidget *w, QWidget *parent)
{
    auto *v = new QVBoxLayout;
    v->setSpacing(3);
    v->addWidget(boldCaption(caption, parent));
    v->addWidget(w, 1);
    return v;
}

} // namespace

CalendarView::CalendarView(AppContext &ctx, QWidget *parent) : Panel(ctx, QStringLiteral("fraCale"), parent)
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(8);

    // ---- the months, and the legend beside them ----
    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    msgCale = new FlexGrid(this);
    msgCale->setObjectName(QStringLiteral("msgCale"));
    // The marks of the run and the goal are explained on the caption's line.
    auto *caption = new QHBoxLayout;
    caption->addWidget(boldCaption(QStringLiteral("月別の実施状況"), this));
    caption->addStretch(1);
    caption->addWidget(habitLegend(this));
    auto *months = new QVBoxLayout;
    months->setSpacing(3);
    months->addLayout(caption);
    months->addWidget(msgCale, 1);
    top->addLayout(months);

    auto *legend = new QVBoxLayout;
    legend->setSpacing(4);
    legend->addWidget(boldCaption(QStringLiteral("色の目安"), this));
    for (int k = 0; k < kCalendarBands; ++k) {
        auto *l = new QLabel(legendText(k, 0), this);
        l->setObjectName(QStringLiteral("lblHan%1").arg(k));
        l->setFrameShape(QFrame::Box);
        l->setMargin(4);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("9-10回：9999日")) + 16);
        lblHan.append(l);
        legend->addWidget(l);
    }
    legend->addStretch(1);
    top->addLayout(legend);
    top->addStretch(1);
    v->addLayout(top, 5);

    // ---- the weeks and the weekday charts ----
    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(12);
    msgCale_w = new FlexGrid(this);
    msgCale_w->setObjectName(QStringLiteral("msgCale_w"));
    bottom->addLayout(captioned(QStringLiteral("週別の実施状況"), msgCale_w, this));

    mcrKensu = new Chart(this);
    mcrKensu->setObjectName(QStringLiteral("mcrKensu"));
    mcrKensu->setTitle(QStringLiteral("曜日別のプレイ数"));
    bottom->addLayout(captioned(QStringLiteral("週別セット数"), mcrKensu, this), 1);
    mcrKingaku = new Chart(this);
    mcrKingaku->setObjectName(QStringLiteral("mcrKingaku"));
    mcrKingaku->setTitle(QStringLiteral("曜日別のプレイ秒数"));
    bottom->addLayout(captioned(QStringLiteral("週別回数"), mcrKingaku, this), 1);
    v->addLayout(bottom, 4);

    cellMarks = new CellMarks(msgCale);
    setUpGrids();
    fitGrids();
    resetChart(mcrKensu);
    resetChart(mcrKingaku);

    // The legend shows the colour of its band; the days without play the
    // colour of an uncoloured cell.
    setBackColor(lblHan.at(0), msgCale->palette().color(QPalette::Base));
    for (int k = 1; k < kCalendarBands; ++k)
        setBackColor(lblHan.at(k), QColor::fromRgb(QRgb(bandColor(k))));
}

QString CalendarView::helpText() const
{
    const QString crlf2 = QStringLiteral("\r\n\r\n");
    return QStringLiteral("実施状況を色と数字で把握できるカレンダーです。") + crlf2
        + QStringLiteral("月毎のデータリストと週毎のデータリストを持ちます。") + crlf2
        + QStringLiteral("色が実施状況（セット数）、数字が合計回数を表します。") + crlf2
        + QStringLiteral("週毎で件数と台数をグラフ表示できます。") + crlf2;
}

void CalendarView::setUpGrids()
{
    msgCale->setColumns(monthColumns());
    msgCale_w->setColumns(weekColumns(), 9);
}

void CalendarView::fill(const LogSummary &log)
{
    setUpGrids();
    resetChart(mcrKensu);
    resetChart(mcrKingaku);

    // An empty log gives empty tables, the zero legend and seven zero points.
    const CalendarSummary s = summarizeCalendar(log.records(), logSpan(log.firstPlayDate, log.lastPlayDate));

    showTable(msgCale, s.months);
    msgCale->scrollToLastIfMoreThan(kMonthRowsShown);
    markMonthTable(cellMarks, m_ctx, log);
    for (int k = 0; k < kCalendarBands; ++k)
        lblHan.at(k)->setText(s.legend.at(k));

    showTable(msgCale_w, s.weeks);
    for (int i = 0; i < 7; ++i) {
        mcrKensu->setValue(i, 0, double(s.weekdayPlays.at(i)));
        mcrKingaku->setValue(i, 0, double(s.weekdaySeconds.at(i)));
    }
    msgCale_w->scrollToLastIfMoreThan(kWeekRowsShown);
    fitGrids();
}

// Each grid is as wide as its columns: no blank strip beside the last day, and
// a column widened to fit its numbers widens the grid with it.
void CalendarView::fitGrids()
{
    for (FlexGrid *g : {msgCale, msgCale_w}) {
        fitGridWidth(g);
        g->setMaximumWidth(g->minimumWidth());
    }
}

} // namespace kioku
