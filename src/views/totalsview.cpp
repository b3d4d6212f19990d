#include "views/totalsview.h"

#include "core/stats/totals.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/gridgraph.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// &HC0E0FF light orange: the graphs of the lists; &HC0FFFF light yellow: the day series.
const QColor kSelectedLightOrange(255, 224, 192);
const QColor kSelectedLightYellow(255, 255, 192);

const QList<GridColumn> kPlayColumns = {gridColumn("", 600, kAlignRight), gridColumn("日付", 1260, kAlignCenter),
                                        gridColumn("時間", 960, kAlignCenter), gridColumn("項目", 1860, kAlignLeft),
                                        gridColumn("秒", 800, kAlignRight)};
const QList<GridColumn> kItemColumns = {gridColumn("", 400, kAlignRight),     gridColumn("項目", 1320, kAlignLeft),
                                        gridColumn("回数", 600, kAlignRight), gridColumn("秒", 650, kAlignRight),
                                        gridColumn("時間", 910, kAlignRight), gridColumn("最大", 600, kAlignRight),
                                        gridColumn("平均", 670, kAlignRight)};
const QList<GridColumn> kDayColumns = {gridColumn("", 700, kAlignRight),     gridColumn("日付", 1400, kAlignCenter),
                                       gridColumn("回数", 810, kAlignRight), gridColumn("秒", 860, kAlignRight),
                                       gridColumn("最大", 860, kAlignRight), gridColumn("平均", 860, kAlignRight)};

// After a fill, a list longer than this (header included) shows its last rows.
constexpr int kPlayScrollLimit = 9;
constexpr int kDayScrollLimit = 8;

// A series longer than this is drawn as a line: bars for years of plays or
// days would be thinner than a pixel.
constexpr int kMaxBars = 60;

// A chart's title, which says so when the list it is drawn from is empty.
QString chartTitle(const QString &title, const FlexGrid *source)
{
    return source->rows() > 1 ? title : title + QStringLiteral("　― 記録がありません");
}

const QString kPlaysCaption = QStringLiteral("すべての実施データ");
const QString kDaysCaption = QStringLiteral("日ごとの実施データ");

} // namespace

TotalsView::TotalsView(AppContext &ctx, QWidget *parent) : Panel(ctx, QStringLiteral("fraRenTai"), parent)
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(8);
    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    v->addLayout(top);

    // ---- the plays or the days ----
    auto *listCol = new QVBoxLayout;
    listCol->setSpacing(3);
    top->addLayout(listCol);
    lblList2Caption = boldCaption(kPlaysCaption, this);
    lblList2Caption->setObjectName(QStringLiteral("lblList2Caption"));
    listCol->addWidget(lblList2Caption);
    // The two lists lie at one place; exactly one is shown.
    auto *lists = new QGridLayout;
    lists->setContentsMargins(0, 0, 0, 0);
    msgDayList2 = new FlexGrid(this);
    msgDayList2->setObjectName(QStringLiteral("msgDayList2"));
    msgDayList3 = new FlexGrid(this);
    msgDayList3->setObjectName(QStringLiteral("msgDayList3"));
    lists->addWidget(msgDayList2, 0, 0, Qt::AlignTop);
    lists->addWidget(msgDayList3, 0, 0, Qt::AlignTop);
    msgDayList3->hide();
    listCol->addLayout(lists);
    listCol->addStretch(1);

    // ---- the totals per game ----
    auto *totalCol = new QVBoxLayout;
    totalCol->setSpacing(3);
    top->addLayout(totalCol);
    totalCol->addWidget(boldCaption(QStringLiteral("項目別の合計"), this));
    msgDayTotal2 = new FlexGrid(this);
    msgDayTotal2->setObjectName(QStringLiteral("msgDayTotal2"));
    totalCol->addWidget(msgDayTotal2);
    totalCol->addStretch(1);

    // ---- the six graph buttons, in two groups ----
    auto *buttonCol = new QVBoxLayout;
    buttonCol->setSpacing(3);
    top->addLayout(buttonCol, 1);
    buttonCol->addWidget(boldCaption(QStringLiteral("全データのグラフ"), this));
    listGraphButtons = new GraphButtons(kSelectedLightOrange, this);
    listGraphButtons->setObjectName(QStringLiteral("listGraphButtons"));
    listGraphButtons->row()->setDirection(QBoxLayout::TopToBottom);
    cmdDay2 = listGraphButtons->add(QStringLiteral("cmdDay2"), QStringLiteral("時系列データ"), [this] { drawPlays(); });
    cmdTotal2 = listGraphButtons->add(QStringLiteral("cmdTotal2"), QStringLiteral("項目別トータル時間"),
                                      [this] { drawItemTotals(); });
    cmdJikan2 = listGraphButtons->add(QStringLiteral("cmdJikan2"), QStringLiteral("時間別トータル時間"),
                                      [this] { drawHours(); });
    buttonCol->addWidget(listGraphButtons);
    buttonCol->addSpacing(6);
    buttonCol->addWidget(boldCaption(QStringLiteral("日別推移のグラフ"), this));
    dayGraphButtons = new GraphButtons(kSelectedLightYellow, this);
    dayGraphButtons->setObjectName(QStringLiteral("dayGraphButtons"));
    dayGraphButtons->row()->setDirection(QBoxLayout::TopToBottom);
    cmdHigoto = dayGraphButtons->add(QStringLiteral("cmdHigoto"), QStringLiteral("日別推移 （回数）"),
                                     [this] { drawDays(2, QStringLiteral("回数")); });
    cmdHigoto2 = dayGraphButtons->add(QStringLiteral("cmdHigoto2"), QStringLiteral("日別推移 （秒数）"),
                                      [this] { drawDays(3, QStringLiteral("秒数")); });
    cmdHigoto3 = dayGraphButtons->add(QStringLiteral("cmdHigoto3"), QStringLiteral("日別推移 （平均秒数）"),
                                      [this] { drawDays(5, QStringLiteral("平均秒数")); });
    buttonCol->addWidget(dayGraphButtons);
    buttonCol->addStretch(1);

    // Whichever graph was drawn last is the one selected in the whole panel.
    connect(listGraphButtons, &GraphButtons::drawn, dayGraphButtons, &GraphButtons::resetColors);
    connect(dayGraphButtons, &GraphButtons::drawn, listGraphButtons, &GraphButtons::resetColors);

    // ---- the chart across the panel: the two charts lie at one place, one is shown ----
    auto *charts = new QGridLayout;
    charts->setContentsMargins(0, 0, 0, 0);
    mcrMain2 = new Chart(this);
    mcrMain2->setObjectName(QStringLiteral("mcrMain2"));
    mcrMain3 = new Chart(this);
    mcrMain3->setObjectName(QStringLiteral("mcrMain3"));
    for (Chart *c : {mcrMain2, mcrMain3}) {
        c->setMinimumHeight(220);
        charts->addWidget(c, 0, 0);
    }
    v->addLayout(charts, 1);

    setupTotalsGrids();
    for (FlexGrid *g : {msgDayList2, msgDayList3, msgDayTotal2}) {
        fitGridWidth(g);
        g->horizontalHeader()->setStretchLastSection(true);
    }
    // The lists are short, so that the chart under them gets the room: eight
    // plays or seven days show at a time (past that a fill shows the last
    // ones), and all seven games in the totals.
    auto heightFor = [](FlexGrid *g, int rows) {
        return g->horizontalHeader()->height() + rows * g->verticalHeader()->defaultSectionSize() + 2 * g->frameWidth();
    };
    msgDayList2->setFixedHeight(heightFor(msgDayList2, kPlayScrollLimit - 1));
    msgDayList3->setFixedHeight(heightFor(msgDayList3, kDayScrollLimit - 1));
    msgDayTotal2->setFixedHeight(qMax(msgDayList2->height(), heightFor(msgDayTotal2, 7)));

    // Until a graph is picked the panel opens on the time per game.
    mcrMain3->hide();
    mcrMain2->setTitle(QStringLiteral("項目別トータル時間（秒）"));
    listGraphButtons->markSelected(QStringLiteral("cmdTotal2"));
}

QString TotalsView::helpText() const
{
    return QStringLiteral("ソラミルプロジェクトを開始した日から現在までの実施推移を表示します。") + kCrLf + kCrLf
        + QStringLiteral("実施の全データと各項目のトータル回数、時間、最大秒数、平均秒数をリスト表示します。") + kCrLf
        + kCrLf + QStringLiteral("ボタンを押して６種類のグラフに表示切替できます。") + kCrLf + kCrLf;
}

void TotalsView::setupTotalsGrids()
{
    msgDayList2->setColumns(kPlayColumns, 10);
    msgDayTotal2->setColumns(kItemColumns, 10);
    msgDayList3->setColumns(kDayColumns, 11);
}

void TotalsView::buildTotalsView(const LogSummary &log)
{
    setupTotalsGrids();
    if (!log.logEmpty) {
        mcrMain2->setSeriesCount(1);
        mcrMain2->setRowCount(0);
        mcrMain2->setRowCount(1);
        mcrMain2->setRowLabel(0, QString());
        mcrMain2->setValue(0, 0, 0);

        Totals t = summarizeTotals(log.records(), log.items);
        msgDayList2->setDataRows(std::move(t.plays));
        msgDayList2->scrollToLastIfMoreThan(kPlayScrollLimit);
        msgDayTotal2->setDataRows(t.itemRows());
        msgDayList3->setDataRows(t.dayRows());
        msgDayList3->scrollToLastIfMoreThan(kDayScrollLimit);
    }
    // The selected graph follows the new lists. The day series are redrawn
    // too: left as they were, they would no longer match the list of days
    // beside them. An empty log leaves the graph empty, not as it was.
    listGraphButtons->refreshSelected(
        {QStringLiteral("cmdDay2"), QStringLiteral("cmdTotal2"), QStringLiteral("cmdJikan2")});
    dayGraphButtons->refreshSelected(
        {QStringLiteral("cmdHigoto"), QStringLiteral("cmdHigoto2"), QStringLiteral("cmdHigoto3")});
}

void TotalsView::cmdDay2_Click()
{
    listGraphButtons->click(QStringLiteral("cmdDay2"));
}

void TotalsView::cmdTotal2_Click()
{
    listGraphButtons->click(QStringLiteral("cmdTotal2"));
}

void TotalsView::cmdJikan2_Click()
{
    listGraphButtons->click(QStringLiteral("cmdJikan2"));
}

void TotalsView::cmdHigoto_Click()
{
    dayGraphButtons->click(QStringLiteral("cmdHigoto"));
}

void TotalsView::cmdHigoto2_Click()
{
    dayGraphButtons->click(QStringLiteral("cmdHigoto2"));
}

void TotalsView::cmdHigoto3_Click()
{
    dayGraphButtons->click(QStringLiteral("cmdHigoto3"));
}

void TotalsView::showPlays()
{
    msgDayList3->hide();
    msgDayList2->show();
    lblList2Caption->setText(kPlaysCaption);
}

void TotalsView::showDays()
{
    msgDayList2->hide();
    msgDayList3->show();
    lblList2Caption->setText(kDaysCaption);
}

// The seconds of every play in log order, labelled by the game.
void TotalsView::drawPlays()
{
    mcrMain2->hide();
    mcrMain3->show();
    showPlays();
    const int n = msgDayList2->rows() - 1;
    mcrMain3->setStyle(n > kMaxBars ? Chart::Style::Lines : Chart::Style::Bars);
    mcrMain3->clearAxisRange();
    mcrMain3->setTitle(chartTitle(QStringLiteral("時系列データ（1回ごとの秒数）"), msgDayList2));
    drawRowGraph(mcrMain3, msgDayList2, 4, 3);
}

void TotalsView::drawItemTotals()
{
    mcrMain3->hide();
    mcrMain2->show();
    mcrMain2->setStyle(Chart::Style::Bars);
    mcrMain2->clearAxisRange();
    mcrMain2->setTitle(chartTitle(QStringLiteral("項目別トータル時間（秒）"), msgDayTotal2));
    drawRowGraph(mcrMain2, msgDayTotal2, 3, 1);
}

void TotalsView::drawHours()
{
    mcrMain3->hide();
    mcrMain2->show();
    mcrMain2->setStyle(Chart::Style::Bars);
    mcrMain2->clearAxisRange();
    mcrMain2->setTitle(chartTitle(QStringLiteral("時間別トータル時間（時刻ごとの秒数）"), msgDayList2));
    drawHourGraph(mcrMain2, msgDayList2, 2, 4);
}

// One point per calendar day, from the first play to the last; the rows are
// not labelled (the title names the span).
void TotalsView::drawDays(int valueCol, const QString &what)
{
    mcrMain2->hide();
    mcrMain3->show();
    showDays();
    const int rows = msgDayList3->rows();
    QString title = QStringLiteral("日別推移（%1）").arg(what);
    if (rows > 1)
        title += QStringLiteral("　%1 ～ %2").arg(msgDayList3->textMatrix(1, 1), msgDayList3->textMatrix(rows - 1, 1));
    mcrMain3->setStyle(rows - 1 > kMaxBars ? Chart::Style::Lines : Chart::Style::Bars);
    mcrMain3->clearAxisRange();
    mcrMain3->setTitle(chartTitle(title, msgDayList3));
    drawRowGraph(mcrMain3, msgDayList3, valueCol);
}

} // namespace kioku
