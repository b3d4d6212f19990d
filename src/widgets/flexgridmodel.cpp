#include "widgets/flexgridmodel.h"

#include "core/text/recordline.h"
#include "widgets/backcolor.h"

#include <algorithm>
#include <numeric>

namespace kioku {

int FlexGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : dataRowCount();
}

QVariant FlexGridModel::data(const QModelIndex &index, int role) const
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

QVariant FlexGridModel::headerData(int section, Qt::Orientation o, int role) const
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

Qt::ItemFlags FlexGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString FlexGridModel::cell(int r, int c) const
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

double FlexGridModel::sortNumber(int r, int c) const
{
    if (m_source && (m_edits.isEmpty() || !m_edits.contains(key(m_order[size_t(r)], c))))
        return m_source->sortNumber(m_order[size_t(r)], c);
    return text::leadingNumber(cell(r, c));
}

void FlexGridModel::setCell(int r, int c, const QString &s)
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

void FlexGridModel::setDataRowCount(int n)
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

void FlexGridModel::setColumnCount(int n)
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

void FlexGridModel::appendRow(const QStringList &cells)
{
    holdTexts();
    const int r = int(m_rows.size());
    beginInsertRows(QModelIndex(), r, r);
    m_rows.append(cells);
    endInsertRows();
}

void FlexGridModel::replaceRows(QList<QStringList> rows)
{
    beginResetModel();
    dropSource();
    m_rows = std::move(rows);
    m_back.removeIf([](auto it) { return it.key().first >= 0; });
    m_fore.removeIf([](auto it) { return it.key().first >= 0; });
    endResetModel();
}

void FlexGridModel::replaceRows(std::shared_ptr<const GridRows> source)
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

void FlexGridModel::removeDataRow(int r)
{
    beginRemoveRows(QModelIndex(), r, r);
    if (m_source)
        m_order.erase(m_order.begin() + r);
    else
        m_rows.removeAt(r);
    shiftColoursUp(r);
    endRemoveRows();
}

void FlexGridModel::clearTexts()
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

void FlexGridModel::permute(const std::vector<int> &order)
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

void FlexGridModel::setColour(bool back, int r, int c, const QColor &colour)
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

QVariant FlexGridModel::colourData(bool back, int r, int c) const
{
    const QColor col = colour(back, r, c);
    return col.isValid() ? QVariant(col) : QVariant();
}

void FlexGridModel::setAlignment(int c, Qt::Alignment a)
{
    while (m_align.size() <= c)
        m_align.append(Qt::AlignLeft);
    m_align[c] = a & Qt::AlignHorizontal_Mask;
    if (dataRowCount() > 0)
        emit dataChanged(index(0, c), index(dataRowCount() - 1, c), {Qt::TextAlignmentRole});
}

Qt::Alignment FlexGridModel::headerAlignment(int c) const
{
    return c < m_headerAlign.size() ? m_headerAlign.at(c) : Qt::Alignment(Qt::AlignHCenter);
}

void FlexGridModel::setHeaderAlignment(int c, Qt::Alignment a)
{
    while (m_headerAlign.size() <= c)
        m_headerAlign.append(Qt::AlignHCenter);
    m_headerAlign[c] = a & Qt::AlignHorizontal_Mask;
    emit headerDataChanged(Qt::Horizontal, c, c);
}

void FlexGridModel::setTwips(int c, int t)
{
    while (m_twips.size() <= c)
        m_twips.append(-1);
    m_twips[c] = t;
}

void FlexGridModel::dropSource()
{
    m_source.reset();
    m_order = {};
    m_edits.clear();
}

void FlexGridModel::holdTexts()
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

void FlexGridModel::dropColoursFromRow(int first)
{
    m_back.removeIf([first](auto it) { return it.key().first >= first; });
    m_fore.removeIf([first](auto it) { return it.key().first >= first; });
}

void FlexGridModel::dropColoursFromColumn(int first)
{
    m_back.removeIf([first](auto it) { return it.key().second >= first; });
    m_fore.removeIf([first](auto it) { return it.key().second >= first; });
}

void FlexGridModel::shiftColoursUp(int removed)
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

void FlexGridModel::remapColours(QHash<QPair<int, int>, QColor> &map, const std::vector<int> &newIndexOf)
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

} // namespace kioku
