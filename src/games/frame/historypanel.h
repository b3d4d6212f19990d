#pragma once
// The history panel of a game window (fraRireki), built from the game's
// description: the filter boxes and 全部表示, the view buttons, the grid of
// the history and its two charts. It shows a history it is handed (the
// window reads the file), gains the row of each saved play and empties on
// クリア. In the games that have them it knows its states — compact under the
// board, tall over it, or put away — and how tall its grid is in each; the
// window lays itself out around it.
#include "games/frame/gamedescription.h"

#include <QColor>
#include <QFrame>
#include <QHash>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace kioku {

class Chart;
class FlexGrid;
class GraphButtons;
struct HistoryEntry;
struct HistoryFile;

// Whether a press on `hit` (the deepest widget under the pointer, null for the
// area itself) lands on the bare background of `area`: only plain layout
// containers lie between. A control, a label, a picture, a frame or a grid's
// viewport has a click of its own.
bool onBackground(const QWidget *area, const QWidget *hit);

class HistoryPanel : public QFrame {
    Q_OBJECT
public:
    // Colours of the panel's buttons.
    static const QColor kSelectedView; // RGB(192,255,255) light cyan
    static const QColor kAllShown;     // RGB(255,255,192) light yellow

    HistoryPanel(GameDescription description, QWidget *parent);

    FlexGrid *grid() const { return m_grid; }
    Chart *lineChart() const { return m_chart1; }
    Chart *barChart() const { return m_chart2; }
    QPushButton *allShownButton() const { return m_cmdAllDsp; }
    QComboBox *filterBox(const QString &name) const { return m_filters.value(name); }
    GraphButtons *viewButtons() const { return m_views; }
    QPushButton *viewButton(const QString &name) const;

    // The grid empty, with the game's columns and the cursor on its corner.
    void resetGrid();
    // Shows `history`: the entries `filterName`'s rule lets through for the
    // value `chosen` (every entry when filterName is empty), numbered from 1;
    // the other filter boxes that choice empties are emptied, and 全部表示
    // says whether the whole history is shown. The view is not redrawn.
    void fill(const HistoryFile &history, const QString &filterName, const QString &chosen);
    // The row of a play just saved, at the end (its cells from the entry by
    // the columns unless `shownRow` gives them); the selected view follows.
    void appendSaved(const HistoryEntry &entry, const QStringList &shownRow = {});
    // The history was cleared: no rows, no chart data.
    void clear();
    // Draws the selected view again from the rows shown.
    void refreshSelectedView();

    // ---- the panel's states (games whose description has them) ----
    bool isTall() const { return m_tall; }
    // Tall or compact; the grid and charts take the height of that state.
    void setTall(bool tall);
    bool isPutAway() const { return m_putAway; }
    // Put away by a click on the panel (the window hides and shows it).
    void setPutAway(bool putAway) { m_putAway = putAway; }
    // The last row brought into sight when the rows outgrow the state's height.
    void scrollForState();

signals:
    // The player chose a value in the filter box `name`.
    void filterChosen(const QString &name);
    void allShownClicked();
    // The player pressed a view button and its view was drawn.
    void viewPressed();
    // A press on the panel's bare background.
    void backgroundClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void applyHeights();
    void drawView(const ViewButton &v);

    GameDescription m_desc;
    QWidget *m_fraView = nullptr; // a QGroupBox at the standard text size
    FlexGrid *m_grid = nullptr;
    Chart *m_chart1 = nullptr;
    Chart *m_chart2 = nullptr;
    QHash<QString, QComboBox *> m_filters;
    GraphButtons *m_views = nullptr;
    QPushButton *m_cmdAllDsp = nullptr;
    bool m_tall = false;
    bool m_putAway = false;
};

} // namespace kioku
