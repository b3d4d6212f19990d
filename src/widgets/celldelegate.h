#pragma once
// How a grid cell is drawn: from a cache of laid-out texts. A grid repeats the
// same few texts over and over (day numbers, counts, dates, item names), and
// laying each one out anew at every paint is most of what painting a grid
// costs. Selected and focused cells, and texts too wide for their cell (cut
// with "…"), are drawn by the standard delegate. A text with figures is drawn
// in the grid's figure face (FlexGrid::figureFont); where it does not fit its
// cell, in the same face drawn narrower (about as narrow as the Japanese
// face's figures), so a column's figures keep one face and one height.
#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace kioku {

class FlexGrid;

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(FlexGrid *grid);

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    // Texts laid out in one font, kept until the font changes.
    struct Cache {
        QHash<QString, QStaticText> texts;
        QFont font;
    };

    // Where the text of a cell goes: the cell less the style's margins.
    static QRect textRect(const QStyleOptionViewItem &option);
    // The figure face drawn narrower, for a figure too wide for its cell.
    static QFont narrowFigures(const QFont &figures);
    static const QStaticText *laidOut(Cache &cache, const QString &text, const QFont &font);

    FlexGrid *m_grid;
    mutable Cache m_texts;   // in the grid's font
    mutable Cache m_figures; // in its figure face
    mutable Cache m_narrow;  // in its figure face, narrower
};

} // namespace kioku
