#include "games/frame/historypanel.h"

#include "core/game/history.h"
#include "core/game/historyview.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/textscale.h"
#include "widgets/twips.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace kioku {

const QColor HistoryPanel::kSelectedView(192, 255, 255);
const QColor HistoryPanel::kAllShown(255, 255, 192);

bool onBackground(const QWidget *area, const QWidget *hit)
{
    for (const QWidget *w = hit; w && w != area; w = w->parentWidget()) {
        if (w->metaObject() != &QWidget::staticMetaObject)
            return false;
        if (qobject_cast<const QAbstractScrollArea *>(w->parentWidget()))
            return false;
    }
    return true;
}

HistoryPanel::HistoryPanel(GameDescription description, QWidget *parent)
    : QFrame(parent), m_desc(std::move(description))
{
    setObjectName(QStringLiteral("fraRireki"));
    setFrameShape(QFrame::StyledPanel);
    auto *rl = new QVBoxLayout(this);
    rl->setContentsMargins(6, 6, 6, 6);
    rl->setSpacing(4);

    auto *top = new QHBoxLayout;
    auto *title = new QLabel(QStringLiteral("履歴"), this);
    QFont tf = title->font();
    tf.setBold(true);
    title->setFont(tf);
    top->addWidget(title);
    top->addSpacing(8);
    for (const FilterBox &f : std::as_const(m_desc.filters)) {
        auto *lbl = new QLabel(f.label, this);
        auto *box = new QComboBox(this);
        box->setObjectName(f.objectName);
        box->addItems(f.items);
        box->setCurrentIndex(-1);
        box->setMinimumContentsLength(4);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        lbl->setBuddy(box);
        top->addWidget(lbl);
        top->addWidget(box);
        const QString name = f.objectName;
        connect(box, &QComboBox::activated, this, [this, name](int) { emit filterChosen(name); });
        m_filters.insert(name, box);
    }
    m_cmdAllDsp = new QPushButton(QStringLiteral("全部表示"), this);
    m_cmdAllDsp->setObjectName(QStringLiteral("cmdAllDsp"));
    connect(m_cmdAllDsp, &QPushButton::clicked, this, &HistoryPanel::allShownClicked);
    top->addWidget(m_cmdAllDsp);
    top->addStretch(1);

    // The graph buttons' caption stands above them; with larger text it
    // stands beside them, so the row is no taller than a button and the
    // window still fits a small screen.
    const QString viewCaption = QStringLiteral("グラフ指定");
    QBoxLayout *vl = nullptr;
    if (textScale() > 1.0) {
        m_fraView = new QWidget(this);
        vl = new QHBoxLayout(m_fraView);
        vl->setContentsMargins(0, 0, 0, 0);
        vl->addWidget(new QLabel(viewCaption, m_fraView));
    } else {
        m_fraView = new QGroupBox(viewCaption, this);
        vl = new QHBoxLayout(m_fraView);
        vl->setContentsMargins(6, 2, 6, 4);
    }
    m_fraView->setObjectName(QStringLiteral("fraView"));
    m_fraView->setAccessibleName(viewCaption);
    m_views = new GraphButtons(kSelectedView, m_fraView);
    vl->addWidget(m_views);
    for (const ViewButton &v : std::as_const(m_desc.views)) {
        std::function<void()> draw;
        if (!v.columns.isEmpty())
            draw = [this, v] { drawView(v); };
        QPushButton *b = m_views->add(v.objectName, v.caption, draw);
        b->setEnabled(v.enabled && draw);
    }
    connect(m_views, &GraphButtons::pressed, this, [this] { emit viewPressed(); });
    if (!m_desc.initialView.isEmpty())
        m_views->markSelected(m_desc.initialView);
    top->addWidget(m_fraView);
    rl->addLayout(top);

    auto *mid = new QHBoxLayout;
    m_grid = new FlexGrid(this);
    m_grid->setObjectName(QStringLiteral("msgRireki"));
    if (m_desc.gridFontSize > 0)
        m_grid->setFontSize(m_desc.gridFontSize);
    {
        // Wide enough for every column without a horizontal scroll bar.
        int width = 0;
        for (const GridColumn &c : std::as_const(m_desc.columns))
            width += twipsToPixels(this, c.twips);
        m_grid->setMinimumWidth(width + m_grid->verticalScrollBar()->sizeHint().width() + 2 * m_grid->frameWidth() + 2);
    }
    mid->addWidget(m_grid, 3);
    m_chart1 = new Chart(this);
    m_chart1->setObjectName(QStringLiteral("mcrRireki"));
    m_chart1->setStyle(Chart::Style::Lines);
    m_chart1->setSeriesCount(1);
    m_chart2 = new Chart(this);
    m_chart2->setObjectName(QStringLiteral("mcrRireki2"));
    m_chart2->setStyle(Chart::Style::Bars);
    m_chart2->setSeriesCount(2);
    for (Chart *c : {m_chart1, m_chart2}) {
        c->setMinimumWidth(300);
        mid->addWidget(c, 2);
    }
    m_chart1->hide();
    rl->addLayout(mid, 1);
    applyHeights();
}

QPushButton *HistoryPanel::viewButton(const QString &name) const
{
    return m_views->button(name);
}

void HistoryPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && onBackground(this, childAt(event->position().toPoint()))) {
        event->accept();
        emit backgroundClicked();
        return;
    }
    QFrame::mousePressEvent(event);
}

// ---------------------------------------------------------------- rows

void HistoryPanel::resetGrid()
{
    m_grid->setColumns(m_desc.columns);
    m_grid->setRow(0);
    m_grid->setCol(0);
}

void HistoryPanel::fill(const HistoryFile &history, const QString &filterName, const QString &chosen)
{
    const FilterBox *filter = filterName.isEmpty() ? nullptr : m_desc.filter(filterName);

    // The grid is drawn once, after it is filled.
    m_grid->setUpdatesEnabled(false);
    resetGrid();
    for (const FilterBox &f : std::as_const(m_desc.filters)) {
        const bool empty = filter ? filter->empties.contains(f.objectName) : f.emptiedByAllDsp;
        if (empty)
            if (QComboBox *box = m_filters.value(f.objectName))
                box->setCurrentIndex(-1);
    }

    QList<QStringList> rows;
    rows.reserve(history.entries.size());
    for (const HistoryEntry &e : history.entries) {
        if (filter && !matchesFilter(e, filter->rule, chosen))
            continue;
        rows.append(historyRow(e, m_desc.columns, int(rows.size()) + 1));
    }
    m_grid->setDataRows(rows);
    m_grid->scrollToLastIfMoreThan(m_desc.fillScrollMoreThan);
    if (m_desc.panel.enabled)
        scrollForState();
    m_grid->setUpdatesEnabled(true);

    const bool yellow = !filter || m_desc.allDspYellowWhenFiltered;
    setBackColor(m_cmdAllDsp, yellow ? kAllShown : QColor()); // else the desktop's button face
}

void HistoryPanel::appendSaved(const HistoryEntry &entry, const QStringList &shownRow)
{
    const int number = m_grid->rows();
    m_grid->addRow(shownRow.isEmpty() ? historyRow(entry, m_desc.columns, number) : shownRow);
    m_grid->scrollToLastIfMoreThan(m_desc.saveScrollMoreThan);
    refreshSelectedView();
}

void HistoryPanel::clear()
{
    m_chart1->clearData();
    m_chart2->clearData();
    m_grid->setRows(1);
}

// ---------------------------------------------------------------- charts

void HistoryPanel::refreshSelectedView()
{
    m_views->refreshSelected(m_desc.refreshOrder);
}

void HistoryPanel::drawView(const ViewButton &v)
{
    Chart *shown = v.chart == 2 ? m_chart2 : m_chart1;
    Chart *hidden = v.chart == 2 ? m_chart1 : m_chart2;
    hidden->hide();
    shown->show();

    const int series = int(qBound(qsizetype(1), v.columns.size(), qsizetype(2)));
    shown->setSeriesCount(series);
    shown->setTitle(v.caption);
    QStringList names = v.seriesNames;
    for (int s = int(names.size()); s < series; ++s) {
        const int c = v.columns.at(s);
        names.append(c >= 0 && c < m_desc.columns.size() ? m_desc.columns.at(c).header : QString());
    }
    shown->setSeriesNames(names.mid(0, series));

    const int n = m_grid->rows() - 1;
    if (n <= 0) {
        shown->clearData();
        return;
    }
    shown->setRowCount(n);
    for (int r = 1; r <= n; ++r) {
        shown->setRowLabel(r - 1, m_grid->textMatrix(r, 0));
        for (int s = 0; s < series; ++s)
            shown->setValue(r - 1, s, chartValue(m_grid->textMatrix(r, v.columns.at(s)), v.rule));
    }
}

// ---------------------------------------------------------------- states

void HistoryPanel::setTall(bool tall)
{
    m_tall = tall;
    applyHeights();
}

void HistoryPanel::applyHeights()
{
    const PanelStates &p = m_desc.panel;
    const int twips = p.enabled ? (m_tall ? p.tallGridTwips : p.compactGridTwips) : m_desc.gridTwips;
    // The panel keeps its height at every text size (the window has to fit
    // the screen), and shows as many whole rows as fit in it: fewer, larger rows.
    const int room = int(std::lround(twips * qMax(1, logicalDpiX()) / 1440.0));
    const int frame = 2 * m_grid->frameWidth();
    const int header = m_grid->horizontalHeader()->height();
    const int row = qMax(1, m_grid->verticalHeader()->defaultSectionSize());
    const int rows = qMax(2, (room - frame - header) / row);
    const int h = textScale() > 1.0 ? frame + header + rows * row : twipsToPixels(this, twips);
    m_grid->setMinimumHeight(h);
    // The charts keep the whole height (their axes need it; they have no rows to keep whole).
    m_chart1->setMinimumHeight(qMax(h, room));
    m_chart2->setMinimumHeight(qMax(h, room));
}

void HistoryPanel::scrollForState()
{
    const PanelStates &p = m_desc.panel;
    m_grid->scrollToLastIfMoreThan(m_tall ? p.tallScrollMoreThan : p.compactScrollMoreThan);
}

} // namespace kioku
