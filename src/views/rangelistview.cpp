#include "views/rangelistview.h"

#include "core/clock.h"
#include "core/text/formats.h"
#include "widgets/appcontext.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/gridgraph.h"
#include "widgets/twips.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kioku {

namespace {

// &HC0FFFF, light yellow: the selected condition of each group.
const QColor kConditionSelected(255, 255, 192);
// &HFFFFC0, light cyan: the selected graph.
const QColor kGraphSelected(192, 255, 255);

const QList<GridColumn> kListColumns = {gridColumn("", 600, kAlignRight),      gridColumn("日付", 1240, kAlignCenter),
                                        gridColumn("時間", 940, kAlignCenter), gridColumn("曜", 365, kAlignCenter),
                                        gridColumn("項目", 1210, kAlignLeft),  gridColumn("秒", 740, kAlignRight)};
const QList<GridColumn> kSummaryColumns = {gridColumn("項目", 1390, kAlignLeft), gridColumn("秒", 600, kAlignRight),
                                           gridColumn("時間", 910, kAlignRight)};

// The list is scrolled to its last row once it holds more rows than this (header included).
constexpr int kScrollRows = 11;

const QString kCrLf = QStringLiteral("\r\n");

const QStringList kGraphOrder = {QStringLiteral("cmdDay3"), QStringLiteral("cmdTotal3"), QStringLiteral("cmdJikan3")};

QPushButton *conditionButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumHeight(26);
    b->setMinimumWidth(b->fontMetrics().horizontalAdvance(caption) + 18);
    setBackColor(b, buttonFace());
    return b;
}

// A framed group of conditions under its heading ("項目指定" …).
QFrame *conditionGroup(const QString &heading, const QString &name, QWidget *parent, QVBoxLayout **body)
{
    auto *box = new QFrame(parent);
    box->setObjectName(name);
    box->setFrameShape(QFrame::StyledPanel);
    auto *v = new QVBoxLayout(box);
    v->setContentsMargins(8, 6, 8, 8);
    v->setSpacing(5);
    v->addWidget(boldCaption(heading, box));
    *body = v;
    return box;
}

} // namespace

RangeListView::RangeListView(AppContext &ctx, QWidget *parent) : Panel(ctx, QStringLiteral("fraTaijyu"), parent)
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(8);
    auto *upper = new QHBoxLayout;
    upper->setSpacing(10);
    v->addLayout(upper, 1);
    auto *lower = new QHBoxLayout;
    lower->setSpacing(10);
    v->addLayout(lower, 1);

    // ---- upper left: the plays that pass the conditions ----
    auto *listColumn = new QVBoxLayout;
    listColumn->setSpacing(3);
    listColumn->addWidget(boldCaption(QStringLiteral("条件に合うプレイ"), this));
    msgBunseki = new FlexGrid(this);
    msgBunseki->setObjectName(QStringLiteral("msgBunseki"));
    listColumn->addWidget(msgBunseki, 1);
    upper->addLayout(listColumn);

    // ---- upper right: the three conditions ----
    auto *conditions = new QHBoxLayout;
    conditions->setSpacing(8);
    upper->addLayout(conditions, 1);

    QVBoxLayout *body = nullptr;
    QFrame *itemBox = conditionGroup(QStringLiteral("項目指定"), QStringLiteral("itemConditions"), this, &body);
    lstAct2 = new QListWidget(itemBox);
    lstAct2->setObjectName(QStringLiteral("lstAct2"));
    lstAct2->addItems(itemNames());
    lstAct2->setSpacing(1);
    // All seven names at once, without a scroll bar.
    lstAct2->setFixedHeight((lstAct2->sizeHintForRow(0) + 2) * int(itemNames().size()) + 2 * lstAct2->frameWidth() + 2);
    lstAct2->setFixedWidth(qMax(160, lstAct2->sizeHintForColumn(0) + 2 * lstAct2->frameWidth() + 16));
    lstAct2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    body->addWidget(lstAct2);
    txtKey = new QLineEdit(itemBox);
    txtKey->setObjectName(QStringLiteral("txtKey"));
    txtKey->setPlaceholderText(QStringLiteral("語句を入力して Enter"));
    txtKey->installEventFilter(this);
    body->addWidget(txtKey);
    auto *itemButtons = new QHBoxLayout;
    itemButtons->setSpacing(4);
    cmdAllact = conditionButton(QStringLiteral("cmdAllact"), QStringLiteral("全部"), itemBox);
    cmdKensaku = conditionButton(QStringLiteral("cmdKensaku"), QStringLiteral("検索"), itemBox);
    itemButtons->addWidget(cmdAllact);
    itemButtons->addWidget(cmdKensaku);
    body->addLayout(itemButtons);
    body->addStretch(1);
    itemBox->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    conditions->addWidget(itemBox, 0, Qt::AlignTop);

    auto *dayAndPeriod = new QVBoxLayout;
    dayAndPeriod->setSpacing(8);
    conditions->addLayout(dayAndPeriod, 1);

    QFrame *weekBox = conditionGroup(QStringLiteral("曜日指定"), QStringLiteral("weekdayConditions"), this, &body);
    auto *weekRow = new QHBoxLayout;
    weekRow->setSpacing(3);
    const QString letters = QStringLiteral("日月火水木金土");
    for (int i = 0; i < 7; ++i) {
        QPushButton *b = conditionButton(QStringLiteral("cmdWeek%1").arg(i), letters.mid(i, 1), weekBox);
        b->setMinimumWidth(34);
        weekRow->addWidget(b, 1);
        cmdWeek.append(b);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdWeek_Click(i); });
    }
    weekRow->addSpacing(6);
    cmdAllWeek = conditionButton(QStringLiteral("cmdAllWeek"), QStringLiteral("全部"), weekBox);
    weekRow->addWidget(cmdAllWeek, 1);
    body->addLayout(weekRow);
    dayAndPeriod->addWidget(weekBox);

    QFrame *periodBox = conditionGroup(QStringLiteral("期間指定"), QStringLiteral("periodConditions"), this, &body);
    auto *periodGrid = new QGridLayout;
    periodGrid->setHorizontalSpacing(3);
    periodGrid->setVerticalSpacing(3);
    cmdKikan = QList<QPushButton *>(8, nullptr);
    int slot = 0;
    for (const PeriodButton &p : periodButtons()) {
        QPushButton *b = conditionButton(QString::fromLatin1(p.name), QString::fromUtf8(p.caption), periodBox);
        const int number = QStringView(QString::fromLatin1(p.name)).mid(8).toInt();
        cmdKikan[number - 1] = b;
        connect(b, &QPushButton::clicked, this, [this, number] { cmdKikan_Click(number); });
        periodGrid->addWidget(b, slot / 5, slot % 5);
        ++slot;
    }
    cmdAllDay = conditionButton(QStringLiteral("cmdAllDay"), QStringLiteral("全部"), periodBox);
    periodGrid->addWidget(cmdAllDay, slot / 5, slot % 5);
    ++slot;
    cmdKikanF = conditionButton(QStringLiteral("cmdKikanF"), QStringLiteral("任意"), periodBox);
    periodGrid->addWidget(cmdKikanF, slot / 5, slot % 5);
    body->addLayout(periodGrid);
    auto *dates = new QHBoxLayout;
    dates->setSpacing(4);
    auto makeDateBox = [&](const char *name) {
        auto *c = new QComboBox(periodBox);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setMaxVisibleItems(16);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(10);
        return c;
    };
    cboStdate = makeDateBox("cboStdate");
    cboEddate = makeDateBox("cboEddate");
    dates->addWidget(cboStdate, 1);
    auto *tilde = new QLabel(QStringLiteral("～"), periodBox);
    tilde->setAlignment(Qt::AlignCenter);
    dates->addWidget(tilde);
    dates->addWidget(cboEddate, 1);
    body->addLayout(dates);
    dayAndPeriod->addWidget(periodBox);
    dayAndPeriod->addStretch(1);

    // ---- lower left: the seconds per item of those plays ----
    auto *summaryColumn = new QVBoxLayout;
    summaryColumn->setSpacing(3);
    summaryColumn->addWidget(boldCaption(QStringLiteral("項目別の合計"), this));
    msgBunseki2 = new FlexGrid(this);
    msgBunseki2->setObjectName(QStringLiteral("msgBunseki2"));
    summaryColumn->addWidget(msgBunseki2);
    summaryColumn->addStretch(1);
    lower->addLayout(summaryColumn);

    // ---- lower right: the graphs of the two lists, across the rest of the panel ----
    auto *graphColumn = new QVBoxLayout;
    graphColumn->setSpacing(3);
    lower->addLayout(graphColumn, 1);
    auto *chartBar = new QHBoxLayout;
    chartBar->setSpacing(4);
    chartBar->addWidget(boldCaption(QStringLiteral("グラフ"), this));
    chartBar->addSpacing(8);
    graphButtons = new GraphButtons(kGraphSelected, this);
    graphButtons->setObjectName(QStringLiteral("rangeGraphButtons"));
    cmdDay3 = graphButtons->add(QStringLiteral("cmdDay3"), QStringLiteral("時系列"), [this] { drawTimeline(); });
    cmdTotal3 = graphButtons->add(QStringLiteral("cmdTotal3"), QStringLiteral("項目別"), [this] { drawItemTotals(); });
    cmdJikan3 = graphButtons->add(QStringLiteral("cmdJikan3"), QStringLiteral("時間別"), [this] { drawHours(); });
    for (QPushButton *b : {cmdDay3, cmdTotal3, cmdJikan3}) {
        b->setMinimumWidth(84);
        b->setAutoDefault(false);
    }
    chartBar->addWidget(graphButtons);
    chartBar->addStretch(1);
    graphColumn->addLayout(chartBar);

    // The two charts lie at one place; a graph shows its own and hides the other.
    auto *chartPlace = new QGridLayout;
    chartPlace->setContentsMargins(0, 0, 0, 0);
    mcrBunseki = new Chart(this);
    mcrBunseki->setObjectName(QStringLiteral("mcrBunseki"));
    // A series of plays reads as a line over time.
    mcrBunseki->setStyle(Chart::Style::Lines);
    mcrBunseki2 = new Chart(this);
    mcrBunseki2->setObjectName(QStringLiteral("mcrBunseki2"));
    for (Chart *c : {mcrBunseki, mcrBunseki2}) {
        c->setMinimumHeight(190);
        chartPlace->addWidget(c, 0, 0);
    }
    mcrBunseki2->hide();
    graphColumn->addLayout(chartPlace, 1);

    connect(cmdAllact, &QPushButton::clicked, this, &RangeListView::cmdAllact_Click);
    connect(cmdKensaku, &QPushButton::clicked, this, &RangeListView::cmdKensaku_Click);
    connect(cmdAllWeek, &QPushButton::clicked, this, &RangeListView::cmdAllWeek_Click);
    connect(cmdAllDay, &QPushButton::clicked, this, &RangeListView::cmdAllDay_Click);
    connect(cmdKikanF, &QPushButton::clicked, this, &RangeListView::cmdKikanF_Click);
    connect(txtKey, &QLineEdit::returnPressed, this, [this] { txtKey_KeyPress(13); });
    // A new item picked by mouse or keyboard (moving into the list alone picks
    // nothing); a click on the item already picked applies it again when the
    // box has been changed since.
    connect(lstAct2, &QListWidget::itemSelectionChanged, this, [this] {
        if (!lstAct2->selectedItems().isEmpty())
            lstAct2_Click();
    });
    connect(lstAct2, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (item && item->isSelected() && txtKey->text() != item->text())
            lstAct2_Click();
    });

    setupListGrids();
    fitGridWidth(msgBunseki);
    fitGridWidth(msgBunseki2);
    msgBunseki->horizontalHeader()->setStretchLastSection(true);
    msgBunseki2->horizontalHeader()->setStretchLastSection(true);
    // The summary always holds one row per item: it is as tall as those rows.
    msgBunseki2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    msgBunseki2->setFixedHeight(msgBunseki2->horizontalHeader()->sizeHint().height()
                                + msgBunseki2->verticalHeader()->defaultSectionSize() * int(itemNames().size())
                                + 2 * msgBunseki2->frameWidth() + 2);
    resetCharts();
}

QString RangeListView::helpText() const
{
    const QStringList lines = {
        QStringLiteral("これまでプレイしてきたデータを「項目」「曜日」「期間」指定で表示できます。"),
        QString(),
        QStringLiteral("「項目」をリストから選択すると、その「項目」のみのデータになります。"),
        QStringLiteral("　※状況欄に直接任意の語句を入力することができます。（入力後Enter）"),
        QString(),
        QStringLiteral("各種曜日ボタンで選択すると指定した曜日でのデータになります。"),
        QString(),
        QStringLiteral("「期間」をボタンで選択すると指定した期間でのデータになります。"),
        QStringLiteral("　※期間のコンボリストで任意に指定することも可能です。"),
        QString(),
        QStringLiteral("時系列、項目別、時間別でグラフ表示することもできます。"),
    };
    return lines.join(kCrLf) + kCrLf;
}

// ---------------------------------------------------------------------------
// Fills
// ---------------------------------------------------------------------------

void RangeListView::fill(const LogSummary &log)
{
    m_log = log;
    // The list now shows every play: each condition shows its 全部. A keyword
    // or weekday left from before would otherwise come back into force at the
    // next button while 全部 is marked.
    txtKey->clear();
    lstAct2->clearSelection();
    listAllPlays();
    resetPeriodButtons();
    for (QPushButton *b : std::as_const(cmdWeek))
        setBackColor(b, buttonFace());
    markSelected(cmdAllDay);
    markSelected(cmdAllact);
    markSelected(cmdAllWeek);
    m_weekdayFilter = kAnyWeekday;
}

void RangeListView::listAllPlays()
{
    const QStringList dates = loggedDates(m_log.records());
    for (QComboBox *c : {cboStdate, cboEddate}) {
        c->clear();
        c->addItems(dates);
    }
    if (dates.isEmpty()) {
        cboStdate->setEditText(QString());
        cboEddate->setEditText(QString());
    } else {
        cboStdate->setCurrentIndex(0);
        cboEddate->setCurrentIndex(int(dates.size()) - 1);
    }
    listUnder(RangeFilter());
}

void RangeListView::listFilteredPlays()
{
    listUnder(currentFilter());
}

// The panel is the one shown while its buttons are pressed: a new fill of its
// lists is all there is to do.
void RangeListView::refreshFilteredList()
{
    listFilteredPlays();
}

void RangeListView::setupListGrids()
{
    msgBunseki->setColumns(kListColumns, 10);
    msgBunseki2->setColumns(kSummaryColumns, 10);
    // The item columns were sized for the fonts of their day: with the font of
    // this screen they widen until every game's name fits, never cut short.
    const QFontMetrics fm(msgBunseki->font());
    const int padding = 2 * msgBunseki->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, msgBunseki) + 6;
    int widest = 0;
    for (int i = 0; i < lstAct2->count(); ++i)
        widest = qMax(widest, fm.horizontalAdvance(lstAct2->item(i)->text()) + padding);
    for (auto [grid, col] : {std::pair{msgBunseki, 4}, std::pair{msgBunseki2, 0}}) {
        const int twips = pixelsToTwips(grid, widest);
        if (twips > grid->colWidth(col))
            grid->setColWidth(col, twips);
    }
}

void RangeListView::resetPeriodButtons()
{
    for (QPushButton *b : std::as_const(cmdKikan))
        setBackColor(b, buttonFace());
    setBackColor(cmdAllDay, buttonFace());
    setBackColor(cmdKikanF, buttonFace());
}

RangeFilter RangeListView::currentFilter() const
{
    RangeFilter f;
    f.byPeriod = true;
    f.firstDate = cboStdate->currentText();
    f.lastDate = cboEddate->currentText();
    f.keyword = txtKey->text();
    f.weekday = m_weekdayFilter;
    return f;
}

void RangeListView::listUnder(const RangeFilter &filter)
{
    setupListGrids();
    resetCharts();
    QStringList items;
    items.reserve(lstAct2->count());
    for (int i = 0; i < lstAct2->count(); ++i)
        items.append(lstAct2->item(i)->text());
    RangeList list = listPlays(m_log.records(), filter, items);
    msgBunseki->setDataRows(std::move(list.rows));
    msgBunseki->scrollToLastIfMoreThan(kScrollRows);
    msgBunseki2->setDataRows(std::move(list.summary));
    graphButtons->refreshSelected(kGraphOrder);
}

// ---------------------------------------------------------------------------
// Condition buttons
// ---------------------------------------------------------------------------

void RangeListView::markSelected(QPushButton *button)
{
    setBackColor(button, kConditionSelected);
}

void RangeListView::cmdKikan_Click(int number)
{
    QPushButton *pressed = cmdKikan.value(number - 1);
    if (!pressed)
        return;
    int daysBack = 0;
    for (const PeriodButton &p : periodButtons())
        if (pressed->objectName() == QLatin1String(p.name))
            daysBack = p.daysBack;
    const QDate today = m_ctx.clock.today();
    resetPeriodButtons();
    cboStdate->setEditText(periodStart(today, daysBack));
    cboEddate->setEditText(text::dateSlash(today));
    refreshFilteredList();
    markSelected(pressed);
}

void RangeListView::cmdAllDay_Click()
{
    resetPeriodButtons();
    cboStdate->setEditText(m_log.firstPlayDate);
    cboEddate->setEditText(text::dateSlash(m_ctx.clock.today()));
    refreshFilteredList();
    markSelected(cmdAllDay);
}

void RangeListView::cmdKikanF_Click()
{
    resetPeriodButtons();
    refreshFilteredList();
    markSelected(cmdKikanF);
}

void RangeListView::cmdWeek_Click(int index)
{
    if (index < 0 || index >= cmdWeek.size())
        return;
    setBackColor(cmdAllWeek, buttonFace());
    for (QPushButton *b : std::as_const(cmdWeek))
        setBackColor(b, buttonFace());
    m_weekdayFilter = index;
    refreshFilteredList();
    markSelected(cmdWeek.at(index));
}

void RangeListView::cmdAllWeek_Click()
{
    for (QPushButton *b : std::as_const(cmdWeek))
        setBackColor(b, buttonFace());
    m_weekdayFilter = kAnyWeekday;
    refreshFilteredList();
    markSelected(cmdAllWeek);
}

void RangeListView::lstAct2_Click()
{
    const QList<QListWidgetItem *> picked = lstAct2->selectedItems();
    if (picked.isEmpty())
        return;
    txtKey->setText(picked.first()->text());
    setBackColor(cmdAllact, buttonFace());
    refreshFilteredList();
}

void RangeListView::txtKey_GotFocus()
{
    txtKey->clear();
}

void RangeListView::txtKey_KeyPress(int keyAscii)
{
    if (keyAscii != 13)
        return;
    refreshFilteredList();
    // An emptied box lists every item: that is 全部.
    if (txtKey->text().isEmpty())
        markSelected(cmdAllact);
    else
        setBackColor(cmdAllact, buttonFace());
}

void RangeListView::cmdAllact_Click()
{
    txtKey->clear();
    lstAct2->clearSelection();
    refreshFilteredList();
    markSelected(cmdAllact);
}

// The period and the keyword without the weekday, whatever weekday is
// selected; the buttons keep their colours.
void RangeListView::cmdKensaku_Click()
{
    RangeFilter f = currentFilter();
    f.weekday = kAnyWeekday;
    listUnder(f);
}

bool RangeListView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtKey && event->type() == QEvent::FocusIn) {
        // The box is emptied when the user moves into it, not when the window
        // comes back to the front or a popup closes.
        const Qt::FocusReason why = static_cast<QFocusEvent *>(event)->reason();
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
            txtKey_GotFocus();
    }
    return Panel::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Graphs
// ---------------------------------------------------------------------------

void RangeListView::cmdDay3_Click()
{
    graphButtons->click(QStringLiteral("cmdDay3"));
}

void RangeListView::cmdTotal3_Click()
{
    graphButtons->click(QStringLiteral("cmdTotal3"));
}

void RangeListView::cmdJikan3_Click()
{
    graphButtons->click(QStringLiteral("cmdJikan3"));
}

// Before the selected graph is drawn again: empty charts, and while no graph
// is selected, a word on how to get one.
void RangeListView::resetCharts()
{
    mcrBunseki->clearData();
    mcrBunseki2->clearData();
    if (graphButtons->selected().isEmpty()) {
        mcrBunseki2->hide();
        mcrBunseki->show();
        mcrBunseki->setTitle(QStringLiteral("グラフは「時系列」「項目別」「時間別」のボタンで表示します"));
    }
}

// One point per listed play, in list order: its seconds.
void RangeListView::drawTimeline()
{
    mcrBunseki2->hide();
    mcrBunseki->show();
    mcrBunseki->setTitle(QStringLiteral("時系列（プレイごとの秒数）"));
    drawRowGraph(mcrBunseki, msgBunseki, 5);
}

void RangeListView::drawItemTotals()
{
    mcrBunseki->hide();
    mcrBunseki2->show();
    mcrBunseki2->setTitle(QStringLiteral("項目別（秒の合計）"));
    drawRowGraph(mcrBunseki2, msgBunseki2, 1, 0);
}

void RangeListView::drawHours()
{
    mcrBunseki->hide();
    mcrBunseki2->show();
    mcrBunseki2->setTitle(QStringLiteral("時間別（時刻ごとの秒の合計）"));
    drawHourGraph(mcrBunseki2, msgBunseki, 2, 5);
}

} // namespace kioku
