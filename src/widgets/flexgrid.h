#pragma once
// A grid in the manner of the old flexible grid: row 0 is the fixed, centred
// header; rows 1.. hold the data. A QTableView over a light model (rows of
// strings with optional cell colours), not a widget item per cell.
#include "core/gridcolumn.h"
#include "core/gridrows.h"

#include <QColor>
#include <QSet>
#include <QStringList>
#include <QTableView>

#include <memory>

namespace kioku {

class FlexGridModel;
struct PlayRecord;

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget *parent = nullptr);

    // Rows and columns count the header row/column 0 as the old grid did.
    int rows() const;
    void setRows(int n); // n >= 1; grows with empty rows or cuts
    int cols() const;
    void setCols(int n);

    // Current cell: follows the mouse and the keyboard (arrows, Page Up/Down,
    // Home, End); setting it moves the highlight there.
    int row() const { return m_row; }
    void setRow(int r);
    int col() const { return m_col; }
    void setCol(int c);

    QString textMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const QString &s);
    QString text() const { return textMatrix(m_row, m_col); }
    void setText(const QString &s) { setTextMatrix(m_row, m_col, s); }

    // Appends one data row (faster than setRows + setTextMatrix per cell).
    void addRow(const QStringList &cells);
    // Replaces all data rows at once (header kept).
    void setDataRows(QList<QStringList> rows);
    // Replaces all data rows with rows computed from `rows` as they are shown
    // (a list of every play holds no text per cell). Sorting, removing rows
    // and setting cells work as on rows of texts.
    void setDataRows(std::shared_ptr<const GridRows> rows);
    // The texts of row r, every column.
    QStringList rowTexts(int r) const;
    // The play listed in data row r (>= 1) of a list of plays (rows set from
    // PlayRows), wherever sorts and removals have put it; null for a row of
    // texts (a grid of texts, a row added, a list cut, grown or cleared).
    const PlayRecord *recordAt(int r) const;
    // Removes row r (r >= 1).
    void removeItem(int r);
    // Empties the text of every cell, header included (size kept).
    void clear();

    // Sets the grid to its header row with these columns (headers centred),
    // and the font size when it is > 0.
    void setColumns(const QList<GridColumn> &columns, double fontSize = 0);
    // Column width in twips (1440 to the inch), converted with the screen's logical DPI.
    void setColWidth(int c, int twips);
    int colWidth(int c) const;
    void setColAlignment(int c, Qt::Alignment a);
    Qt::Alignment colAlignment(int c) const;
    // Alignment of the header cell of column c (centred unless told).
    void setFixedAlignment(int c, Qt::Alignment a);
    void setFontSize(double points);
    double fontSize() const;
    // The font of cells that hold a figure (seconds, counts, dates, times, a
    // result in a comment): the grid's font with a face whose decimal point is
    // a clear dot. A figure too wide for its column in that face keeps the
    // grid's font; the columns keep the widths the grid's font needs.
    QFont figureFont() const;

    // First data row shown at the top (>= 1). A row past the last full page
    // shows the last page (the last row at the bottom), never empty space.
    int topRow() const;
    void setTopRow(int r);
    // Scrolls to the last row when rows() > limit: the last page is shown.
    void scrollToLastIfMoreThan(int limit);

    enum class Sort { NumericAscending, NumericDescending, TextAscending, TextDescending };
    // Sorts the data rows by the current column.
    void sort(Sort how);

    // Colours of the current cell, and of any cell.
    void setCellBackColor(const QColor &c) { setCellBackColor(m_row, m_col, c); }
    void setCellForeColor(const QColor &c) { setCellForeColor(m_row, m_col, c); }
    void setCellBackColor(int r, int c, const QColor &color);
    void setCellForeColor(int r, int c, const QColor &color);
    QColor cellBackColor(int r, int c) const; // invalid when not set
    QColor cellForeColor(int r, int c) const;

    // Click a data cell as the user would (tests): sets row/col, emits clicked().
    // The header row cannot be clicked. Space or Return on the current cell is a
    // click for the keyboard user.
    void clickCell(int r, int c);

signals:
    // A cell was clicked; row() and col() are that cell.
    void clicked();

protected:
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void cellClicked(const QModelIndex &index);
    void showCurrentCell();
    void alignTopRow();
    void widenToFit(const QStringList &cells);

    FlexGridModel *m_model;
    int m_row = 0;
    int m_col = 0;
    bool m_pinnedToEnd = false;   // scrolled to the end; stays there through a new layout
    bool m_settingScroll = false; // the grid itself moves the scroll bar
    QSet<int> m_userResized;      // columns the user has resized since their width was set
    bool m_settingWidth = false;  // the grid itself sets a column width
    mutable bool m_figureMade = false;
    mutable QFont m_figureBase; // the grid font figureFont() was made from
    mutable QFont m_figureFont;
};

} // namespace kioku
