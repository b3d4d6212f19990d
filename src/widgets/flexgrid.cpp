#include "widgets/flexgrid.h"

#include "core/text/recordline.h"
#include "widgets/backcolor.h"
#include "widgets/celldelegate.h"
#include "widgets/figurefont.h"
#include "widgets/twips.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStaticText>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <numeric>

namespace kioku {

// The grid's contents: the header texts, the data rows and the per-column
// settings. Data row i of the model is grid row i + 1.
class FlexGridModel : public QAbstractTableModel {
public:
    explicit FlexGridModel(QObject *parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : dataRowCount();
    }
    int dataRowCount() const { return m_source ? int(m_order.size()) : int(m_rows.size()); }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override { return parent.isValid() ? 0 : m_cols; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const int r = index.row();
        const int c = index.column();
        switch (role) {
        case Qt::DisplayRole:
            return cell(r, c);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignment(c) | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            return colourData(true, r, c);
        case Qt::ForegroundRole: {
            // A cell given a back colour and no text colour gets one that reads on it.
            const QVariant fore = colourData(false, r, c);
            if (fore.isValid())
                return fore;
            const QColor back = colour(true, r, c);
            return back.isValid() ? QVariant(readableTextOn(back)) : QVariant();
        }
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || section < 0 || section >= m_cols)
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return section < m_header.size() ? m_header.at(section) : QString();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(headerAlignment(section) | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            return colourData(true, -1, section);
        case Qt::ForegroundRole:
            return colourData(false, -1, section);
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    // --- cells (model row r, or -1 for the header) ---
    QString cell(int r, int c) const
    {
        if (c < 0 || c >= m_cols)
            return {};
        if (r >= 0 && m_source) {
            const int at = m_order[size_t(r)];
            if (!m_edits.isEmpty()) {
                const auto it = m_edits.constFind(key(at, c));
                if (it != m_edits.cend())
                    return *it;
            }
            return m_source->cell(at, c);
        }
        const QStringList &cells = r < 0 ? m_header : m_rows.at(r);
        return c < cells.size() ? cells.at(c) : QString();
    }
    // The key of a numeric sort of data row r by column c.
    double sortNumber(int r, int c) const
    {
        if (m_source && (m_edits.isEmpty() || !m_edits.contains(key(m_order[size_t(r)], c))))
            return m_source->sortNumber(m_order[size_t(r)], c);
        return text::leadingNumber(cell(r, c));
    }
    void setCell(int r, int c, const QString &s)
    {
        if (c < 0 || c >= m_cols)
            return;
        if (r < 0) {
            while (m_header.size() <= c)
                m_header.append(QString());
            m_header[c] = s;
            emit headerDataChanged(Qt::Horizontal, c, c);
            return;
        }
        if (m_source) {
            // Kept by the row's place in the source, so it stays with its row
            // through sorts and removals.
            m_edits.insert(key(m_order[size_t(r)], c), s);
            const QModelIndex i = index(r, c);
            emit dataChanged(i, i, {Qt::DisplayRole});
            return;
        }
        QStringList &cells = m_rows[r];
        while (cells.size() <= c)
            cells.append(QString());
        cells[c] = s;
        const QModelIndex i = index(r, c);
        emit dataChanged(i, i, {Qt::DisplayRole});
    }

    void setDataRowCount(int n)
    {
        n = qMax(0, n);
        const int old = dataRowCount();
        if (m_source && n > old)
            holdTexts(); // the new rows are rows of texts
        if (m_source && n < old) {
            beginRemoveRows(QModelIndex(), n, old - 1);
            if (n == 0)
                dropSource();
            else
                m_order.resize(size_t(n));
            dropColoursFromRow(n);
            endRemoveRows();
            return;
        }
        if (n > old) {
            beginInsertRows(QModelIndex(), old, n - 1);
            m_rows.resize(n);
            endInsertRows();
        } else if (n < old) {
            beginRemoveRows(QModelIndex(), n, old - 1);
            m_rows.resize(n);
            if (n == 0)
                m_rows.squeeze(); // a grid cut to its header holds no memory for rows
            dropColoursFromRow(n);
            endRemoveRows();
        }
    }

    void setColumnCount(int n)
    {
        n = qMax(0, n);
        if (n > m_cols) {
            beginInsertColumns(QModelIndex(), m_cols, n - 1);
            m_cols = n;
            endInsertColumns();
        } else if (n < m_cols) {
            holdTexts();
            beginRemoveColumns(QModelIndex(), n, m_cols - 1);
            m_cols = n;
            // Cut the texts so a column added later starts empty.
            if (m_header.size() > n)
                m_header.resize(n);
            for (QStringList &cells : m_rows)
                if (cells.size() > n)
                    cells.resize(n);
            dropColoursFromColumn(n);
            if (m_align.size() > n)
                m_align.resize(n);
            if (m_headerAlign.size() > n)
                m_headerAlign.resize(n);
            if (m_twips.size() > n)
                m_twips.resize(n);
            endRemoveColumns();
        }
    }

    void appendRow(const QStringList &cells)
    {
        holdTexts();
        const int r = int(m_rows.size());
        beginInsertRows(QModelIndex(), r, r);
        m_rows.append(cells);
        endInsertRows();
    }

    void replaceRows(QList<QStringList> rows)
    {
        beginResetModel();
        dropSource();
        m_rows = std::move(rows);
        m_back.removeIf([](auto it) { return it.key().first >= 0; });
        m_fore.removeIf([](auto it) { return it.key().first >= 0; });
        endResetModel();
    }

    void replaceRows(std::shared_ptr<const GridRows> source)
    {
        beginResetModel();
        m_rows.clear();
        m_rows.squeeze();
        m_edits.clear();
        m_order.resize(size_t(source ? source->count() : 0));
        std::iota(m_order.begin(), m_order.end(), 0);
        m_source = std::move(source);
        m_back.removeIf([](auto it) { return it.key().first >= 0; });
        m_fore.removeIf([](auto it) { return it.key().first >= 0; });
        endResetModel();
    }

    void removeDataRow(int r)
    {
        beginRemoveRows(QModelIndex(), r, r);
        if (m_source)
            m_order.erase(m_order.begin() + r);
        else
            m_rows.removeAt(r);
        shiftColoursUp(r);
        endRemoveRows();
    }

    void clearTexts()
    {
        for (QString &s : m_header)
            s.clear();
        if (m_source) {
            const int n = dataRowCount();
            dropSource();
            m_rows = QList<QStringList>(n);
        }
        for (QStringList &cells : m_rows)
            for (QString &s : cells)
                s.clear();
        if (m_cols > 0) {
            emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
            if (dataRowCount() > 0)
                emit dataChanged(index(0, 0), index(dataRowCount() - 1, m_cols - 1), {Qt::DisplayRole});
        }
    }

    // Reorders the data rows: new row i is old row order[i]. Cell colours move with their rows.
    void permute(const std::vector<int> &order)
    {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        std::vector<int> newIndexOf(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            newIndexOf[size_t(order[i])] = int(i);
        if (m_source) {
            std::vector<int> moved(order.size());
            for (size_t i = 0; i < order.size(); ++i)
                moved[i] = m_order[size_t(order[i])];
            m_order = std::move(moved);
        } else {
            QList<QStringList> rows;
            rows.reserve(m_rows.size());
            for (size_t i = 0; i < order.size(); ++i)
                rows.append(std::move(m_rows[order[i]]));
            m_rows = std::move(rows);
        }
        remapColours(m_back, newIndexOf);
        remapColours(m_fore, newIndexOf);
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex &i : from)
            to.append(index(newIndexOf[size_t(i.row())], i.column()));
        changePersistentIndexList(from, to);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

    // --- colours ---
    void setColour(bool back, int r, int c, const QColor &colour)
    {
        QHash<QPair<int, int>, QColor> &map = back ? m_back : m_fore;
        if (colour.isValid())
            map.insert(key(r, c), colour);
        else
            map.remove(key(r, c));
        if (r < 0) {
            emit headerDataChanged(Qt::Horizontal, c, c);
        } else {
            const QModelIndex i = index(r, c);
            emit dataChanged(i, i, {back ? Qt::BackgroundRole : Qt::ForegroundRole});
        }
    }
    QColor colour(bool back, int r, int c) const { return (back ? m_back : m_fore).value(key(r, c)); }
    // The colour for a view: none when the cell has not been given one.
    QVariant colourData(bool back, int r, int c) const
    {
        const QColor col = colour(back, r, c);
        return col.isValid() ? QVariant(col) : QVariant();
    }

    // --- column settings ---
    Qt::Alignment alignment(int c) const { return c < m_align.size() ? m_align.at(c) : Qt::Alignment(Qt::AlignLeft); }
    void setAlignment(int c, Qt::Alignment a)
    {
        while (m_align.size() <= c)
            m_align.append(Qt::AlignLeft);
        m_align[c] = a & Qt::AlignHorizontal_Mask;
        if (dataRowCount() > 0)
            emit dataChanged(index(0, c), index(dataRowCount() - 1, c), {Qt::TextAlignmentRole});
    }
    Qt::Alignment headerAlignment(int c) const
    {
        return c < m_headerAlign.size() ? m_headerAlign.at(c) : Qt::Alignment(Qt::AlignHCenter);
    }
    void setHeaderAlignment(int c, Qt::Alignment a)
    {
        while (m_headerAlign.size() <= c)
            m_headerAlign.append(Qt::AlignHCenter);
        m_headerAlign[c] = a & Qt::AlignHorizontal_Mask;
        emit headerDataChanged(Qt::Horizontal, c, c);
    }
    // The width last set in twips (-1: never set).
    int twips(int c) const { return c < m_twips.size() ? m_twips.at(c) : -1; }
    void setTwips(int c, int t)
    {
        while (m_twips.size() <= c)
            m_twips.append(-1);
        m_twips[c] = t;
    }

private:
    static QPair<int, int> key(int r, int c) { return {r, c}; }

    void dropSource()
    {
        m_source.reset();
        m_order = {};
        m_edits.clear();
    }
    // Turns rows computed from a source into rows of texts, for a change only
    // texts can take (a row added, columns cut).
    void holdTexts()
    {
        if (!m_source)
            return;
        // Every cell of the source, also beyond the columns shown, as a grid
        // given these texts would keep them for a column shown again.
        const int width = qMax(m_cols, m_source->columns());
        QList<QStringList> rows;
        rows.reserve(qsizetype(m_order.size()));
        for (const int at : m_order) {
            QStringList cells;
            cells.reserve(width);
            for (int c = 0; c < width; ++c)
                cells.append(m_edits.value(key(at, c), m_source->cell(at, c)));
            rows.append(std::move(cells));
        }
        dropSource();
        m_rows = std::move(rows);
    }

    void dropColoursFromRow(int first)
    {
        m_back.removeIf([first](auto it) { return it.key().first >= first; });
        m_fore.removeIf([first](auto it) { return it.key().first >= first; });
    }
    void dropColoursFromColumn(int first)
    {
        m_back.removeIf([first](auto it) { return it.key().second >= first; });
        m_fore.removeIf([first](auto it) { return it.key().second >= first; });
    }
    void shiftColoursUp(int removed)
    {
        for (QHash<QPair<int, int>, QColor> *map : {&m_back, &m_fore}) {
            if (map->isEmpty())
                continue;
            QHash<QPair<int, int>, QColor> moved;
            for (auto it = map->cbegin(); it != map->cend(); ++it) {
                const int r = it.key().first;
                if (r == removed)
                    continue;
                moved.insert({r > removed ? r - 1 : r, it.key().second}, it.value());
            }
            *map = std::move(moved);
        }
    }
    static void remapColours(QHash<QPair<int, int>, QColor> &map, const std::vector<int> &newIndexOf)
    {
        if (map.isEmpty())
            return;
        QHash<QPair<int, int>, QColor> moved;
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const int r = it.key().first;
            moved.insert({r < 0 ? r : newIndexOf[size_t(r)], it.key().second}, it.value());
        }
        map = std::move(moved);
    }

    QStringList m_header;
    QList<QStringList> m_rows; // the data rows as texts, when there is no source
    // Or: rows computed by a source, in the order m_order (indices into the
    // source), with the cells set since kept by source index and column.
    std::shared_ptr<const GridRows> m_source;
    std::vector<int> m_order;
    QHash<QPair<int, int>, QString> m_edits;
    int m_cols = 0;
    QList<Qt::Alignment> m_align;
    QList<Qt::Alignment> m_headerAlign;
    QList<int> m_twips;
    QHash<QPair<int, int>, QColor> m_back;
    QHash<QPair<int, int>, QColor> m_fore;
};

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

    setFontSize(font().pointSizeF() > 0 ? font().pointSizeF() : 9);

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
    f.setPointSizeF(points);
    setFont(f);
    horizontalHeader()->setFont(f);
    const QFontMetrics fm(f);
    const int h = fm.height() + 6;
    verticalHeader()->setDefaultSectionSize(h);
    horizontalHeader()->setFixedHeight(h + 2);
}

double FlexGrid::fontSize() const
{
    return font().pointSizeF();
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
