#pragma once
// The contents of a FlexGrid: the header texts, the data rows (texts, or rows
// a GridRows source computes when they are shown, with the cells set since)
// and each column's width and alignments, with the cells' colours.
#include "core/gridrows.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QStringList>

#include <memory>
#include <vector>

namespace kioku {

// The grid's contents: the header texts, the data rows and the per-column
// settings. Data row i of the model is grid row i + 1.
class FlexGridModel : public QAbstractTableModel {
public:
    explicit FlexGridModel(QObject *parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int dataRowCount() const { return m_source ? int(m_order.size()) : int(m_rows.size()); }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override { return parent.isValid() ? 0 : m_cols; }

    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // --- cells (model row r, or -1 for the header) ---
    QString cell(int r, int c) const;
    // The key of a numeric sort of data row r by column c.
    double sortNumber(int r, int c) const;
    void setCell(int r, int c, const QString &s);
    void setDataRowCount(int n);
    void setColumnCount(int n);
    void appendRow(const QStringList &cells);
    void replaceRows(QList<QStringList> rows);
    void replaceRows(std::shared_ptr<const GridRows> source);
    void removeDataRow(int r);
    void clearTexts();

    // Reorders the data rows: new row i is old row order[i]. Cell colours move with their rows.
    void permute(const std::vector<int> &order);

    // --- colours ---
    void setColour(bool back, int r, int c, const QColor &colour);
    QColor colour(bool back, int r, int c) const { return (back ? m_back : m_fore).value(key(r, c)); }
    // The colour for a view: none when the cell has not been given one.
    QVariant colourData(bool back, int r, int c) const;

    // --- column settings ---
    Qt::Alignment alignment(int c) const { return c < m_align.size() ? m_align.at(c) : Qt::Alignment(Qt::AlignLeft); }
    void setAlignment(int c, Qt::Alignment a);
    Qt::Alignment headerAlignment(int c) const;
    void setHeaderAlignment(int c, Qt::Alignment a);
    // The width last set in twips (-1: never set).
    int twips(int c) const { return c < m_twips.size() ? m_twips.at(c) : -1; }
    void setTwips(int c, int t);

private:
    static QPair<int, int> key(int r, int c) { return {r, c}; }

    void dropSource();
    // Turns rows computed from a source into rows of texts, for a change only
    // texts can take (a row added, columns cut).
    void holdTexts();
    void dropColoursFromRow(int first);
    void dropColoursFromColumn(int first);
    void shiftColoursUp(int removed);
    static void remapColours(QHash<QPair<int, int>, QColor> &map, const std::vector<int> &newIndexOf);

public:
    // The source of the rows (null while the rows are texts) and the source's
    // index of data row r.
    const GridRows *source() const { return m_source.get(); }
    int sourceIndex(int r) const { return m_order[size_t(r)]; }

private:
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

} // namespace kioku
