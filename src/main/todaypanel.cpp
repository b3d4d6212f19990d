#include "main/todaypanel.h"

#include "core/stats/today.h"
#include "core/text/formats.h"
#include "main/habitbox.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/gridgraph.h"
#include "widgets/monthcalendar.h"
#include "widgets/pictures.h"
#include "widgets/shape.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {

namespace {

const QColor kWhite(255, 255, 255);

const QList<GridColumn> kDayListColumns = {gridColumn("", 500, kAlignRight), gridColumn("時間", 1040, kAlignCenter),
                                           gridColumn("項目", 2400, kAlignLeft), gridColumn("秒", 810, kAlignRight)};
const QList<GridColumn> kDayTotalColumns = {gridColumn("", 350, kAlignRight), gridColumn("項目", 1840, kAlignLeft),
                                            gridColumn("回", 500, kAlignRight), gridColumn("秒合計", 750, kAlignRight)};

} // namespace

TodayPanel::TodayPanel(AppContext &ctx, QWidget *parent) : Panel(ctx, QStringLiteral("fraMain"), parent)
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(6);
    auto *top = new QHBoxLayout;
    top->setSpacing(10);
    v->addLayout(top, 11);

    // ---- left column: the rating of the day, the calendar, the day total ----
    auto *left = new QVBoxLayout;
    left->setSpacing(8);
    top->addLayout(left);

    auto *rating = new QFrame(this);
    rating->setObjectName(QStringLiteral("ratingBox"));
    rating->setFrameShape(QFrame::StyledPanel);
    auto *rh = new QHBoxLayout(rating);
    rh->setContentsMargins(8, 6, 8, 6);
    rh->setSpacing(10);

    // The four faces lie at one place; exactly one is shown.
    auto *faces = new QGridLayout;
    faces->setContentsMargins(0, 0, 0, 0);
    const int faceSize = 64;
    auto makeFace = [&](const char *name, pictures::Face f) {
        auto *l = new QLabel(rating);
        l->setObjectName(QString::fromLatin1(name));
        l->setPixmap(pictures::face(f, faceSize));
        l->setFixedSize(faceSize, faceSize);
        l->setAlignment(Qt::AlignCenter);
        faces->addWidget(l, 0, 0);
        return l;
    };
    imgNashi = makeFace("imgNashi", pictures::Face::Nashi);
    imgkana = makeFace("imgkana", pictures::Face::Kana);
    imgniko = makeFace("imgniko", pictures::Face::Niko);
    imgwara = makeFace("imgwara", pictures::Face::Wara);
    imgkana->hide();
    imgniko->hide();
    imgwara->hide();
    rh->addLayout(faces);

    auto *lampsAndCaption = new QVBoxLayout;
    lampsAndCaption->setSpacing(6);
    auto *lamps = new QHBoxLayout;
    lamps->setSpacing(6);
    lamps->addStretch(1);
    for (int i = 1; i <= 7; ++i) {
        auto *s = new kioku::Shape(kioku::Shape::Kind::Circle, rating);
        s->setObjectName(QStringLiteral("shpLed%1").arg(i));
        s->setFixedSize(22, 22);
        s->setFillColor(kWhite);
        s->setBorderColor(QColor(120, 120, 120));
        shpLed.append(s);
        lamps->addWidget(s);
    }
    lamps->addStretch(1);
    lampsAndCaption->addLayout(lamps);
    lblMHyouka = new QLabel(QStringLiteral("今日の脳も健康元気"), rating);
    lblMHyouka->setObjectName(QStringLiteral("lblMHyouka"));
    lblMHyouka->setAlignment(Qt::AlignCenter);
    lblMHyouka->setFrameShape(QFrame::Box);
    lblMHyouka->setMinimumHeight(30);
    {
        QFont f = lblMHyouka->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.1);
        lblMHyouka->setFont(f);
    }
    setBackColor(lblMHyouka, kWhite);
    lampsAndCaption->addWidget(lblMHyouka);
    rh->addLayout(lampsAndCaption, 1);
    left->addWidget(rating);
    habitBox = new HabitBox(this);
    left->addWidget(habitBox);

    mtvmain = new MonthCalendar(this);
    mtvmain->setObjectName(QStringLiteral("mtvmain"));
    // Never smaller than its six weeks need in the font it has (the text size grows them).
    mtvmain->setMinimumSize(mtvmain->minimumSizeHint().expandedTo(QSize(300, 200)));
    connect(mtvmain, &MonthCalendar::dateClick, this, &TodayPanel::dateClicked);
    left->addWidget(mtvmain, 1);

    auto *totalBox = new QFrame(this);
    totalBox->setObjectName(QStringLiteral("dayTotalBox"));
    totalBox->setFrameShape(QFrame::StyledPanel);
    auto *th = new QHBoxLayout(totalBox);
    th->setContentsMargins(10, 4, 10, 4);
    th->addWidget(new QLabel(QStringLiteral("この日のプレイ時間"), totalBox));
    th->addStretch(1);
    lblDayTotal = new QLabel(QStringLiteral("0:00:00"), totalBox);
    lblDayTotal->setObjectName(QStringLiteral("lblDayTotal"));
    lblDayTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    {
        QFont f = lblDayTotal->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.6);
        lblDayTotal->setFont(f);
    }
    th->addWidget(lblDayTotal);
    left->addWidget(totalBox);

    // ---- the day's plays and the totals per game ----
    auto *playsCol = new QVBoxLayout;
    playsCol->setSpacing(3);
    lblDayCaption = boldCaption(QStringLiteral("この日のプレイ"), this);
    lblDayCaption->setObjectName(QStringLiteral("lblDayCaption"));
    playsCol->addWidget(lblDayCaption);
    msgDayList = new FlexGrid(this);
    msgDayList->setObjectName(QStringLiteral("msgDayList"));
    playsCol->addWidget(msgDayList, 1);
    top->addLayout(playsCol, 3);

    auto *totalsCol = new QVBoxLayout;
    totalsCol->setSpacing(3);
    totalsCol->addWidget(boldCaption(QStringLiteral("ゲーム別の合計"), this));
    msgDayTotal = new FlexGrid(this);
    msgDayTotal->setObjectName(QStringLiteral("msgDayTotal"));
    totalsCol->addWidget(msgDayTotal, 1);
    top->addLayout(totalsCol, 2);

    // ---- the day chart under them, across the panel ----
    auto *chartBar = new QHBoxLayout;
    chartBar->setSpacing(4);
    chartBar->addWidget(boldCaption(QStringLiteral("グラフ"), this));
    chartBar->addSpacing(8);
    graphButtons = new GraphButtons(kSelectedLightRed, this);
    graphButtons->setObjectName(QStringLiteral("dayGraphButtons"));
    cmdDay = graphButtons->add(QStringLiteral("cmdDay"), QStringLiteral("時系列"), [this] { drawTimeline(); });
    cmdTotal = graphButtons->add(QStringLiteral("cmdTotal"), QStringLiteral("項目別"), [this] { drawItemTotals(); });
    cmdJikan = graphButtons->add(QStringLiteral("cmdJikan"), QStringLiteral("時間別"), [this] { drawHours(); });
    for (QPushButton *b : {cmdDay, cmdTotal, cmdJikan})
        b->setMinimumWidth(84);
    chartBar->addWidget(graphButtons);
    chartBar->addStretch(1);
    v->addLayout(chartBar);

    mcrMain = new Chart(this);
    mcrMain->setObjectName(QStringLiteral("mcrMain"));
    mcrMain->setMinimumHeight(180);
    v->addWidget(mcrMain, 8);

    setupTodayGrids();
    fitGridWidth(msgDayList);
    fitGridWidth(msgDayTotal);
    // The last column takes the room left over, so the header runs across the grid.
    msgDayList->horizontalHeader()->setStretchLastSection(true);
    msgDayTotal->horizontalHeader()->setStretchLastSection(true);
}

void TodayPanel::setupTodayGrids()
{
    msgDayList->setColumns(kDayListColumns, 11);
    msgDayTotal->setColumns(kDayTotalColumns, 10);
}

void TodayPanel::fill(const LogSummary &log)
{
    const QDate day0 = log.selectedDay;
    lblDayCaption->setText(QStringLiteral("%1年%2月%3日（%4）のプレイ")
                               .arg(day0.year())
                               .arg(day0.month())
                               .arg(day0.day())
                               .arg(text::weekdayLetter(day0)));
    setupTodayGrids();
    mcrMain->setSeriesCount(1);
    mcrMain->setRowCount(0);
    mcrMain->setRowCount(1);
    mcrMain->setRowLabel(0, QString());
    mcrMain->setValue(0, 0, 0);
    mcrMain->clearAxisRange();
    m_maxSeconds = 0;

    if (log.logEmpty) {
        for (kioku::Shape *s : std::as_const(shpLed))
            s->setFillColor(kWhite);
        imgkana->hide();
        imgniko->hide();
        imgwara->hide();
        imgNashi->show();
        setBackColor(lblMHyouka, kWhite);
        lblMHyouka->setText(QStringLiteral("今日の脳も健康元気"));
        // No play is left: the day's time is nothing, not what was there before.
        m_dayTotal = 0;
        lblDayTotal->setText(text::formatHms(0));
        habitBox->rebuild(m_ctx, log, 0, 0, mtvmain);
        return;
    }

    const DaySummary day = summarizeDay(log.records(), log.selectedDay, log.items);
    QList<QStringList> rows;
    rows.reserve(day.plays.size());
    int n = 1;
    for (const DayPlay &p : day.plays)
        rows.append({QString::number(n++), p.time, p.item, text::shortestFloat(p.seconds)});
    msgDayList->setDataRows(std::move(rows));
    m_maxSeconds = day.maxSeconds;
    msgDayList->scrollToLastIfMoreThan(10);
    mcrMain->setAxisRange(0, m_maxSeconds);

    QList<QStringList> totals;
    n = 1;
    for (const ItemTotal &t : day.totals)
        totals.append({QString::number(n++), t.name, QString::number(t.count), QString::number(t.seconds)});
    msgDayTotal->setDataRows(std::move(totals));
    m_dayTotal = day.dayTotal; // wide, so a long day of play never wraps
    lblDayTotal->setText(text::formatHms(m_dayTotal));

    // The day chart follows the new day in whichever view is selected.
    graphButtons->refreshSelected({QStringLiteral("cmdDay"), QStringLiteral("cmdTotal"), QStringLiteral("cmdJikan")});

    for (kioku::Shape *s : std::as_const(shpLed))
        s->setFillColor(kWhite);
    for (QLabel *f : {imgNashi, imgkana, imgniko, imgwara})
        f->hide();
    const int k = day.kinds();
    const int lit = litLamps(k);
    if (k == 0)
        imgNashi->show();
    else if (k == 1)
        imgkana->show();
    else if (k == 2)
        imgniko->show();
    else
        imgwara->show();
    for (int i = 1; i <= lit; ++i)
        shpLed.at(i - 1)->setFillColor(QColor::fromRgb(QRgb(lampColor(i))));
    setBackColor(lblMHyouka, lit > 0 ? QColor::fromRgb(QRgb(lampColor(lit))) : kWhite);
    lblMHyouka->setText(ratingCaption(k));
    habitBox->rebuild(m_ctx, log, m_dayTotal, k, mtvmain);
}

void TodayPanel::cmdDay_Click()
{
    graphButtons->click(QStringLiteral("cmdDay"));
}

void TodayPanel::cmdTotal_Click()
{
    graphButtons->click(QStringLiteral("cmdTotal"));
}

void TodayPanel::cmdJikan_Click()
{
    graphButtons->click(QStringLiteral("cmdJikan"));
}

// The day's plays in order, on an axis up to the day's longest play.
void TodayPanel::drawTimeline()
{
    mcrMain->setAxisRange(0, m_maxSeconds);
    drawRowGraph(mcrMain, msgDayList, 3, 2);
}

// The totals per game and per hour add plays up, so they outgrow the longest
// single play: their axis follows the data, or the bars would run off the top.
void TodayPanel::drawItemTotals()
{
    mcrMain->clearAxisRange();
    drawRowGraph(mcrMain, msgDayTotal, 3, 1);
}

void TodayPanel::drawHours()
{
    mcrMain->clearAxisRange();
    drawHourGraph(mcrMain, msgDayList, 1, 3);
}

} // namespace kioku
