#include "views/aggregatesview.h"

#include "widgets/backcolor.h"
#include "widgets/flexgrid.h"
#include "widgets/optionbutton.h"
#include "widgets/twips.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kioku {

namespace {

// Widths in twips of the columns: number, period, subtotal, each item.
constexpr int kNumberWidth = 620;
constexpr int kPeriodWidth = 950;
constexpr int kSubtotalWidth = 1250;
constexpr int kItemWidth = 1180;

// A grid showing more rows than this (header included) is scrolled to its last row.
constexpr int kMonthlyRowsShown = 7;
constexpr int kDailyRowsShown = 19;

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

const char *const kOptionCaptions[] = {"時間集計　表示", "回数集計　表示", "時間 ＆ 回数　集計　表示"};

GridColumn column(const QString &header, int twips, Qt::Alignment align)
{
    GridColumn c;
    c.header = header;
    c.twips = twips;
    c.alignment = align;
    return c;
}

} // namespace

AggregatesView::AggregatesView(AppContext &ctx, QWidget *parent) : Panel(ctx, QStringLiteral("fraSyuukei"), parent)
{
    // The item columns before the first build.
    m_log.items = itemNames();

    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(4);

    auto *options = new QHBoxLayout;
    options->setSpacing(24);
    for (int i = 0; i < 3; ++i) {
        auto *o = new OptionButton(QString::fromUtf8(kOptionCaptions[i]), this);
        o->setObjectName(QStringLiteral("optList2_%1").arg(i));
        connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optList2_Click(i);
        });
        optList2.append(o);
        options->addWidget(o);
    }
    options->addStretch(1);
    v->addLayout(options);
    v->addSpacing(4);

    v->addWidget(boldCaption(QStringLiteral("月別の集計"), this));
    msgKakei1 = new FlexGrid(this);
    msgKakei1->setObjectName(QStringLiteral("msgKakei1"));
    v->addWidget(msgKakei1, 3);
    v->addSpacing(4);

    v->addWidget(boldCaption(QStringLiteral("日別の集計"), this));
    msgKakei2 = new FlexGrid(this);
    msgKakei2->setObjectName(QStringLiteral("msgKakei2"));
    v->addWidget(msgKakei2, 7);

    setUpGrid(msgKakei1, true);
    setUpGrid(msgKakei2, false);
    // The monthly table holds its rows shown, the daily table takes the rest.
    const int rowHeight = msgKakei1->verticalHeader()->defaultSectionSize();
    msgKakei1->setMinimumHeight(msgKakei1->horizontalHeader()->height() + 4 * rowHeight + 24);
    msgKakei2->setMinimumHeight(msgKakei2->horizontalHeader()->height() + 6 * rowHeight + 24);
}

QString AggregatesView::helpText() const
{
    return QStringLiteral("プレイしたデータを月別、日別の集計結果で見ることができます。\r\n\r\n");
}

void AggregatesView::fill(const LogSummary &log)
{
    m_log = log;
    // Option 0 is set on again, quietly, and its tables built, also when it
    // was on already.
    {
        const QSignalBlocker quiet(optList2.at(0));
        optList2.at(0)->setChecked(true);
    }
    optList2_Click(0);
}

void AggregatesView::optList2_Click(int index)
{
    if (index < 0 || index > 2)
        return;
    const auto measure = AggregateMeasure(index);
    // Painted once when both tables are full. The option buttons stay where
    // they are, with the keyboard focus on the one just chosen.
    setUpdatesEnabled(false);
    buildDailyTable(measure);
    buildMonthlyTable(measure);
    setUpdatesEnabled(true);
}

void AggregatesView::setUpGrid(FlexGrid *grid, bool monthly)
{
    QList<GridColumn> columns = {
        column(QStringLiteral("回"), kNumberWidth, kAlignRight),
        column(monthly ? QStringLiteral("年月") : QStringLiteral("年月日"), kPeriodWidth, kAlignCenter),
        column(QStringLiteral("小計"), kSubtotalWidth, kAlignRight),
    };
    for (const QString &item : std::as_const(m_log.items))
        columns.append(column(item, kItemWidth, kAlignRight));
    grid->setColumns(columns);
    // A game's name is read in full: a column too narrow for it in this
    // screen's font is widened to its header.
    const QHeaderView *header = grid->horizontalHeader();
    for (int c = 0; c < grid->cols(); ++c) {
        const int needed = header->sectionSizeHint(c);
        if (needed > grid->columnWidth(c))
            grid->setColWidth(c, pixelsToTwips(grid, needed));
    }
}

void AggregatesView::showTable(FlexGrid *grid, const CrossTable &table)
{
    grid->setDataRows(table.rows);
    // No wider than its columns, so no blank strip runs beside the last item;
    // narrower when the window is, with a scroll bar.
    fitGridWidth(grid);
    grid->setMaximumWidth(grid->minimumWidth());
    grid->setMinimumWidth(0);
    for (int i = 0; i < table.rows.size(); ++i) {
        const int r = i + 1;
        for (int c = 0; c < grid->cols(); ++c)
            if (CrossTable::isWhiteColumn(c))
                grid->setCellBackColor(r, c, kWhite);
    }
    m_totalRow.remove(grid);
    if (table.totalRow >= 0 && table.totalRow < table.rows.size()) {
        m_totalRow.insert(grid, table.totalRow + 1);
        colourTotalRow(grid);
    }
}

// The total row's text is red: pure red where it reads on its cell, else the
// nearest shade that does (a little darker on white, lighter on a dark grid).
void AggregatesView::colourTotalRow(FlexGrid *grid)
{
    const int r = m_totalRow.value(grid, -1);
    if (r < 1 || r >= grid->rows())
        return;
    // The panel's own palette: a grid hears of a new palette after its panel.
    const QColor base = palette().color(QPalette::Base);
    for (int c = 1; c < grid->cols(); ++c) {
        const QColor back = grid->cellBackColor(r, c);
        grid->setCellForeColor(r, c, readableTextOn(back.isValid() ? back : base, kRed));
    }
}

void AggregatesView::changeEvent(QEvent *e)
{
    Panel::changeEvent(e);
    if (e->type() == QEvent::PaletteChange)
        for (FlexGrid *grid : {msgKakei1, msgKakei2})
            colourTotalRow(grid);
}

void AggregatesView::buildDailyTable(AggregateMeasure measure)
{
    setUpGrid(msgKakei2, false);
    const LogSpan span = logSpan(m_log.firstPlayDate, m_log.lastPlayDate);
    showTable(msgKakei2, dailyTable(m_log.records(), span, m_log.items, measure));
    msgKakei2->scrollToLastIfMoreThan(kDailyRowsShown);
}

void AggregatesView::buildMonthlyTable(AggregateMeasure measure)
{
    setUpGrid(msgKakei1, true);
    const LogSpan span = logSpan(m_log.firstPlayDate, m_log.lastPlayDate);
    showTable(msgKakei1, monthlyTable(m_log.records(), span, m_log.items, measure));
    msgKakei1->scrollToLastIfMoreThan(kMonthlyRowsShown);
}

} // namespace kioku
