#include "widgets/flexgrid.h"

#include "core/stats/playrows.h"
#include "widgets/backcolor.h"
#include "widgets/celldelegate.h"
#include "widgets/figurefont.h"
#include "widgets/flexgridmodel.h"
#include "widgets/textscale.h"
#include "widgets/twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStaticText>
#include <QStyle>

#include <algorithm>
#include <numeric>

namespace kioku {

FlexGrid::FlexGrid(QWidget *parent) : QTableView(parent), m_model(new FlexGridModel(this))
{
    setModel(m_model);
    setItemDelegate(new CellDelegate(this));
    m_model->setColumnCount(2);

    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setAlternatingRowColors(false);

    // The current cell is marked lightly, as the old grid did, and the text stays readable.
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::Highlight, QColor(0xcc, 0xe4, 0xf7));
    pal.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0xdd, 0xea, 0xf4));
    pal.setColor(QPalette::Active, QPalette::HighlightedText, Qt::black);
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
    setPalette(pal);

    QHeaderView *vh = verticalHeader();
    vh->hide();
    vh->setSectionResizeMode(QHeaderView::Fixed);
    vh->setMinimumSectionSize(1);

    QHeaderView *hh = horizontalHeader();
    hh->setSectionsClickable(false);
    hh->setHighlightSections(false);
    hh->setSectionsMovable(false);
    hh->setStretchLastSection(false);
    hh->setSectionResizeMode(QHeaderView::Interactive);
    connect(hh, &QHeaderView::sectionResized, this, [this](int c) {
        if (!m_settingWidth)
            m_userResized.insert(c);
    });
    hh->setDefaultAlignment(Qt::AlignCenter);
    hh->setMinimumSectionSize(1);
    hh->setDefaultSectionSize(qMax(1, twipsToPixels(this, 960)));

    // The application's font already holds the player's text size.
    setFontSize(font().pointSizeF() > 0 ? font().pointSizeF() / textScale() : 9);

    // A click is a press and a release on the same data cell (the header is not part of it).
    connect(this, &QAbstractItemView::clicked, this, &FlexGrid::cellClicked);

    // A grid scrolled to its end stays at its end while it is laid out anew
    // (shown after a fill, resized); the user's own scrolling or new rows end that.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!m_settingScroll)
            m_pinnedToEnd = false;
    });
    for (auto sig : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_model, sig, this, [this] { m_pinnedToEnd = false; });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { m_pinnedToEnd = false; });
}

int FlexGrid::rows() const
{
    return m_model->rowCount() + 1;
}

void FlexGrid::setRows(int n)
{
    m_model->setDataRowCount(qMax(1, n) - 1);
    if (m_row >= rows())
        m_row = rows() - 1;
    // A grid cut to its header starts again from its first row: the rows it
    // is refilled with are not shown from where the old ones were scrolled to.
    if (rows() == 1)
        verticalScrollBar()->setValue(0);
}

int FlexGrid::cols() const
{
    return m_model->columnCount();
}

void FlexGrid::setCols(int n)
{
    m_model->setColumnCount(qMax(1, n));
    if (m_col >= cols())
        m_col = cols() - 1;
}

void FlexGrid::setRow(int r)
{
    if (r >= 0 && r < rows()) {
        m_row = r;
        showCurrentCell();
    }
}

void FlexGrid::setCol(int c)
{
    if (c >= 0 && c < cols()) {
        m_col = c;
        showCurrentCell();
    }
}

// The highlight is where row() and col() are, so what the user sees is what a
// command acts on.
void FlexGrid::showCurrentCell()
{
    if (m_row < 1 || m_row >= rows())
        return;
    const QModelIndex i = m_model->index(m_row - 1, m_col);
    if (i != currentIndex())
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
}

void FlexGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    // The arrow keys, Page Up/Down, Home and End move the current cell as a click does.
    if (current.isValid()) {
        m_row = current.row() + 1;
        m_col = current.column();
    }
}

QString FlexGrid::textMatrix(int r, int c) const
{
    if (r < 0 || r >= rows())
        return {};
    return m_model->cell(r - 1, c);
}

void FlexGrid::setTextMatrix(int r, int c, const QString &s)
{
    if (r < 0 || r >= rows() || c < 0 || c >= cols())
        return;
    m_model->setCell(r - 1, c, s);
}

void FlexGrid::addRow(const QStringList &cells)
{
    m_model->appendRow(cells);
    widenToFit(cells);
}

void FlexGrid::setDataRows(QList<QStringList> rows)
{
    // The first and the last row stand for the others: the columns of a grid
    // hold texts of one form (dates, times, counts), and measuring every row
    // of a long log would cost more than the fill itself.
    const QStringList first = rows.isEmpty() ? QStringList() : rows.first();
    const QStringList last = rows.isEmpty() ? QStringList() : rows.last();
    m_model->replaceRows(std::move(rows));
    widenToFit(first);
    widenToFit(last);
    // New rows have no highlight: the current row is the header again, so no
    // command acts on a row the user did not choose among them.
    m_row = 0;
}

void FlexGrid::setDataRows(std::shared_ptr<const GridRows> rows)
{
    const int n = rows ? rows->count() : 0;
    m_model->replaceRows(std::move(rows));
    if (n > 0) {
        widenToFit(rowTexts(1));
        widenToFit(rowTexts(n));
    }
    m_row = 0;
}

QStringList FlexGrid::rowTexts(int r) const
{
    QStringList cells;
    for (int c = 0; c < cols(); ++c)
        cells.append(textMatrix(r, c));
    return cells;
}

const PlayRecord *FlexGrid::recordAt(int r) const
{
    const auto *plays = dynamic_cast<const PlayRows *>(m_model->source());
    if (!plays || r < 1 || r > m_model->dataRowCount())
        return nullptr;
    return &plays->record(m_model->sourceIndex(r - 1));
}

void FlexGrid::widenToFit(const QStringList &cells)
{
    // A width in twips was chosen for the fonts of its day; a text that does
    // not fit in it with the font of this screen widens its column instead of
    // being cut short with "…". Never narrower than set.
    const QFontMetrics fm(font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 6;
    for (int c = 0; c < cells.size() && c < cols(); ++c) {
        if (cells.at(c).isEmpty())
            continue;
        const int needed = fm.horizontalAdvance(cells.at(c)) + padding;
        if (needed > columnWidth(c)) {
            m_settingWidth = true;
            setColumnWidth(c, needed);
            m_settingWidth = false;
        }
    }
}

void FlexGrid::removeItem(int r)
{
    if (r < 1 || r >= rows())
        return;
    m_model->removeDataRow(r - 1);
    if (m_row >= rows())
        m_row = rows() - 1;
}

void FlexGrid::clear()
{
    m_model->clearTexts();
}

void FlexGrid::setColumns(const QList<GridColumn> &columns, double fontSize)
{
    if (fontSize > 0)
        setFontSize(fontSize);
    setCols(int(columns.size()));
    setRows(1);
    for (int c = 0; c < columns.size(); ++c) {
        const GridColumn &gc = columns.at(c);
        setTextMatrix(0, c, gc.header);
        setColWidth(c, gc.twips);
        setColAlignment(c, gc.alignment);
        setFixedAlignment(c, Qt::AlignCenter);
    }
}

void FlexGrid::setColWidth(int c, int twips)
{
    m_userResized.remove(c);
    const QScopedValueRollback<bool> setting(m_settingWidth, true);
    if (c < 0 || c >= cols())
        return;
    twips = qMax(0, twips);
    m_model->setTwips(c, twips);
    setColumnWidth(c, twipsToPixels(this, twips));
}

int FlexGrid::colWidth(int c) const
{
    if (c < 0 || c >= cols())
        return 0;
    const int px = columnWidth(c);
    const int set = m_model->twips(c);
    // The width as set, unless the column has been made narrower since (a
    // column widened so that its texts fit keeps the width it was given).
    if (set >= 0 && twipsToPixels(this, set) <= px && !m_userResized.contains(c))
        return set;
    return pixelsToTwips(this, px);
}

void FlexGrid::setColAlignment(int c, Qt::Alignment a)
{
    if (c >= 0 && c < cols())
        m_model->setAlignment(c, a);
}

Qt::Alignment FlexGrid::colAlignment(int c) const
{
    return m_model->alignment(c);
}

void FlexGrid::setFixedAlignment(int c, Qt::Alignment a)
{
    if (c >= 0 && c < cols())
        m_model->setHeaderAlignment(c, a);
}

void FlexGrid::setFontSize(double points)
{
    if (points <= 0)
        return;
    QFont f = font();
    f.setPointSizeF(scaledPt(points)); // at the player's text size
    setFont(f);
    horizontalHeader()->setFont(f);
    const QFontMetrics fm(f);
    const int h = fm.height() + 6;
    verticalHeader()->setDefaultSectionSize(h);
    horizontalHeader()->setFixedHeight(h + 2);
}

double FlexGrid::fontSize() const
{
    return font().pointSizeF() / textScale();
}

QFont FlexGrid::figureFont() const
{
    // (A QFont made without arguments is the application's font, so the first
    // call cannot be told from an unchanged font by comparing them.)
    if (!m_figureMade || m_figureBase != font()) {
        m_figureBase = font();
        m_figureFont = kioku::figureFont(m_figureBase);
        m_figureMade = true;
    }
    return m_figureFont;
}

int FlexGrid::topRow() const
{
    if (m_model->rowCount() == 0)
        return 1;
    return qBound(0, verticalScrollBar()->value(), m_model->rowCount() - 1) + 1;
}

void FlexGrid::setTopRow(int r)
{
    const int n = m_model->rowCount();
    if (n == 0)
        return;
    r = qBound(1, r, n);
    // Bring the scroll range up to date with the rows just added. A grid never
    // scrolls past its last full page: a row beyond it shows the last page,
    // with the last row at the bottom of the view.
    executeDelayedItemsLayout();
    QScrollBar *sb = verticalScrollBar();
    m_settingScroll = true;
    sb->setValue(qMin(r - 1, sb->maximum()));
    m_settingScroll = false;
    m_pinnedToEnd = r - 1 >= sb->maximum();
}

void FlexGrid::scrollToLastIfMoreThan(int limit)
{
    if (rows() > limit)
        setTopRow(rows() - 1);
}

void FlexGrid::sort(Sort how)
{
    const int n = m_model->rowCount();
    if (n < 2)
        return;
    const int c = m_col;
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    // Equal keys keep their order, descending as well as ascending.
    const bool descending = how == Sort::NumericDescending || how == Sort::TextDescending;
    auto sortBy = [&](const auto &keys) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return descending ? keys[size_t(b)] < keys[size_t(a)] : keys[size_t(a)] < keys[size_t(b)];
        });
    };
    if (how == Sort::NumericAscending || how == Sort::NumericDescending) {
        std::vector<double> keys(static_cast<size_t>(n));
        for (int r = 0; r < n; ++r)
            keys[size_t(r)] = m_model->sortNumber(r, c);
        sortBy(keys);
    } else {
        std::vector<QString> keys(static_cast<size_t>(n));
        for (int r = 0; r < n; ++r)
            keys[size_t(r)] = m_model->cell(r, c);
        sortBy(keys);
    }
    m_model->permute(order);
}

void FlexGrid::setCellBackColor(int r, int c, const QColor &color)
{
    if (r >= 0 && r < rows() && c >= 0 && c < cols())
        m_model->setColour(true, r - 1, c, color);
}

void FlexGrid::setCellForeColor(int r, int c, const QColor &color)
{
    if (r >= 0 && r < rows() && c >= 0 && c < cols())
        m_model->setColour(false, r - 1, c, color);
}

QColor FlexGrid::cellBackColor(int r, int c) const
{
    return m_model->colour(true, r - 1, c);
}

QColor FlexGrid::cellForeColor(int r, int c) const
{
    return m_model->colour(false, r - 1, c);
}

void FlexGrid::clickCell(int r, int c)
{
    // The header row cannot be clicked.
    if (r < 1 || r >= rows() || c < 0 || c >= cols())
        return;
    const QModelIndex i = m_model->index(r - 1, c);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    cellClicked(i);
}

void FlexGrid::cellClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_row = index.row() + 1;
    m_col = index.column();
    emit clicked();
}

void FlexGrid::keyPressEvent(QKeyEvent *e)
{
    // Space or Return on the current cell is a click for the keyboard user.
    if ((e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && currentIndex().isValid()) {
        cellClicked(currentIndex());
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void FlexGrid::updateGeometries()
{
    m_settingScroll = true;
    QTableView::updateGeometries();
    // A grid shown after it was filled and scrolled to its end (its page size
    // known only now) still ends with its last row at the bottom.
    if (m_pinnedToEnd)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    m_settingScroll = false;
    alignTopRow();
}

void FlexGrid::paintEvent(QPaintEvent *e)
{
    QTableView::paintEvent(e);
    if (!showGrid())
        return;
    // The lines between the cells are drawn again, over the style's, in its
    // colour where that stands out from the grid's back and in a shade of it
    // that does where not: under a dark desktop the style's lines all but
    // vanish into the cells.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor styled =
        QColor::fromRgba(static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    const QColor line = visibleLineOn(palette().color(QPalette::Base), styled);
    if (line == styled)
        return;
    QWidget *vp = viewport();
    const QHeaderView *rowsHeader = verticalHeader();
    const QHeaderView *colsHeader = horizontalHeader();
    // The lines end where the cells end, as the style's do.
    const int right = qMin(vp->width(), colsHeader->length() - colsHeader->offset()) - 1;
    const int bottom = qMin(vp->height(), rowsHeader->length() - rowsHeader->offset()) - 1;
    if (right < 0 || bottom < 0)
        return;
    QPainter p(vp);
    p.setPen(QPen(line, 1, gridStyle()));
    const int firstRow = qMax(0, rowAt(0)), lastRow = rowAt(bottom) < 0 ? model()->rowCount() - 1 : rowAt(bottom);
    for (int r = firstRow; r <= lastRow; ++r) {
        if (isRowHidden(r))
            continue;
        const int y = rowViewportPosition(r) + rowHeight(r) - 1;
        p.drawLine(0, y, right, y);
    }
    const int firstCol = qMax(0, columnAt(0)),
              lastCol = columnAt(right) < 0 ? model()->columnCount() - 1 : columnAt(right);
    for (int c = firstCol; c <= lastCol; ++c) {
        if (isColumnHidden(c))
            continue;
        const int x = columnViewportPosition(c) + columnWidth(c) - 1;
        p.drawLine(x, 0, x, bottom);
    }
}

void FlexGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    alignTopRow();
}

// Scrolled to its end, the view would put the last row flush with the bottom
// and cut the top row in half; the grid shows whole rows from the top instead
// (every row of the last page fits, the space left over stays below it).
void FlexGrid::alignTopRow()
{
    const QScrollBar *sb = verticalScrollBar();
    if (sb->maximum() <= 0 || sb->value() != sb->maximum())
        return;
    QHeaderView *rowsHeader = verticalHeader();
    const int top = rowsHeader->logicalIndex(sb->value());
    if (top < 0)
        return;
    const int position = rowsHeader->sectionPosition(top);
    if (rowsHeader->offset() != position) {
        rowsHeader->setOffset(position);
        viewport()->update();
    }
}

} // namespace kioku
