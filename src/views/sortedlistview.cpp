#include "views/sortedlistview.h"

#include "core/stats/playrows.h"
#include "widgets/appcontext.h"
#include "widgets/flexgrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

const QList<GridColumn> kColumns = {
    gridColumn("回", 680, kAlignRight),     gridColumn("日付", 1400, kAlignCenter),
    gridColumn("時間", 1100, kAlignCenter), gridColumn("項目", 2150, kAlignLeft),
    gridColumn("秒数", 850, kAlignRight),   gridColumn("一言日記", 4880, kAlignLeft),
};
constexpr double kFontSize = 11;

// The four sort keys, in the order of their buttons.
struct SortKey {
    const char *button;
    const char *caption;
    int column;
    bool numeric; // numbers compare by value (9.5 before 10); texts by character code, case-sensitive
};
const SortKey kSortKeys[] = {
    {"cmdSort1", "回 （日付）", 0, true},
    {"cmdSort2", "項目", 3, false},
    {"cmdSort3", "秒数", 4, true},
    {"cmdSort4", "一言日記", 5, false},
};
static_assert(std::size(kSortKeys) == std::tuple_size_v<decltype(Session::sortToggles)>);

} // namespace

SortedListView::SortedListView(AppContext &ctx, QWidget *parent) : Panel(ctx, QStringLiteral("fraBunseki"), parent)
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(6);

    auto *top = new QHBoxLayout;
    top->setSpacing(6);
    v->addLayout(top);
    top->addWidget(boldCaption(QStringLiteral("プレイ一覧"), this));
    top->addStretch(1);
    top->addWidget(new QLabel(QStringLiteral("並び替え（押すたびに昇順・降順）"), this));

    QPushButton **buttons[] = {&cmdSort1, &cmdSort2, &cmdSort3, &cmdSort4};
    void (SortedListView::*handlers[])() = {&SortedListView::cmdSort1_Click, &SortedListView::cmdSort2_Click,
                                            &SortedListView::cmdSort3_Click, &SortedListView::cmdSort4_Click};
    for (int k = 0; k < int(std::size(kSortKeys)); ++k) {
        auto *b = new QPushButton(QString::fromUtf8(kSortKeys[k].caption), this);
        b->setObjectName(QString::fromLatin1(kSortKeys[k].button));
        b->setMinimumHeight(32);
        b->setMinimumWidth(qMax(96, b->fontMetrics().horizontalAdvance(b->text()) + 24));
        connect(b, &QPushButton::clicked, this, handlers[k]);
        top->addWidget(b);
        *buttons[k] = b;
    }

    msgIchiran = new FlexGrid(this);
    msgIchiran->setObjectName(QStringLiteral("msgIchiran"));
    v->addWidget(msgIchiran, 1);

    setupSortedListGrid();
    fitGridWidth(msgIchiran);
    // The comment column takes the room left over, so long comments stay readable.
    msgIchiran->horizontalHeader()->setStretchLastSection(true);
}

QString SortedListView::helpText() const
{
    return QStringLiteral("プレイしたデータを一覧表示しています。") + kCrLf + kCrLf
        + QStringLiteral("各種データ毎、ボタンを押すたびに「昇順」「降順」で並び替えができます。") + kCrLf
        + QStringLiteral("項目毎に並び替えたり、秒数が長い順に並び替えたり…など表示をかえることができます。") + kCrLf
        + kCrLf;
}

void SortedListView::fill(const LogSummary &log)
{
    setupSortedListGrid();
    fillSortedList(log.records());
}

void SortedListView::setupSortedListGrid()
{
    msgIchiran->setColumns(kColumns, kFontSize);
}

void SortedListView::fillSortedList(const QList<PlayRecord> &records)
{
    msgIchiran->setDataRows(std::make_shared<PlayRows>(records, logFields()));
    msgIchiran->setTopRow(1);
}

void SortedListView::sortByKey(int key)
{
    const SortKey &k = kSortKeys[key];
    bool &lastAscending = m_ctx.session.sortToggles[size_t(key)];
    msgIchiran->setCol(k.column);
    if (lastAscending)
        msgIchiran->sort(k.numeric ? FlexGrid::Sort::NumericDescending : FlexGrid::Sort::TextDescending);
    else
        msgIchiran->sort(k.numeric ? FlexGrid::Sort::NumericAscending : FlexGrid::Sort::TextAscending);
    lastAscending = !lastAscending;
}

void SortedListView::cmdSort1_Click()
{
    sortByKey(0);
}

void SortedListView::cmdSort2_Click()
{
    sortByKey(1);
}

void SortedListView::cmdSort3_Click()
{
    sortByKey(2);
}

void SortedListView::cmdSort4_Click()
{
    sortByKey(3);
}

} // namespace kioku
