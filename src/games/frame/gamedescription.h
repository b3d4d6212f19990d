#pragma once
// What one game window's frame is made of: its settings line, its history file
// and grid, its filter boxes and chart views, its timers and its help text.
// GameFrame builds and runs all of that from this plain data; a game adds only
// its play area and its play logic.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/game/historyview.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {

// A filter box over the history grid (cboKaisu2, cboJikan2, cboMondai2, cboMode2).
struct FilterBox {
    QString objectName;
    QString label; // caption shown before the box
    QStringList items;
    FilterRule rule;
    QStringList empties;         // the other filter boxes emptied when this one is chosen
    bool emptiedByAllDsp = true; // 「全部表示」 empties this box
};

// A view button: which chart it shows and how the values are read from the grid.
struct ViewButton {
    QString objectName; // cmdKaitou, cmdRitu, cmdByou, cmdPByou, cmdMoji, cmdJisyo
    QString caption;
    int chart = 1;      // 1: mcrRireki, 2: mcrRireki2
    QList<int> columns; // grid columns, one per series; empty: the button draws nothing
    ValueRule rule = ValueRule::LeadingNumber;
    bool enabled = true;     // a spare button is shown disabled
    QStringList seriesNames; // legend texts; the column headers when empty
};

// The two sizes of a history panel that can grow over the play area.
struct PanelStates {
    bool enabled = false;
    int compactGridTwips = 2235;
    int tallGridTwips = 3590;
    bool tallCoversPlayArea = true; // the tall panel takes the place of the play area
    int compactScrollMoreThan = 8;  // scroll to the last row at 9 rows or more
    int tallScrollMoreThan = 13;    // … at 14 rows or more
    bool viewMakesTall = false;     // drawing a view makes the panel tall
    bool saveMakesCompact = false;
    bool startMakesCompact = true;
    bool formClickMakesTall = false; // a click on the window background (Form_Click) makes it tall
    bool panelClickHides = false;    // a click on the panel itself (fraRireki_Click) hides it
    bool startShowsPanel = false;    // スタート shows a panel the player hid again
};

struct GameDescription {
    Game game = Game::NumberMemory; // names, files and window in the game catalogue
    QString caption;                // window title

    SettingsFormat settings;
    int autoSaveSetting = -1; // the auto-save flag in the settings line (the game's settings enum)

    HistoryFormat history;
    QList<GridColumn> columns;
    double gridFontSize = 0;    // 0: the grid's default
    int gridTwips = 2235;       // height of the grid when the panel has one size
    int fillScrollMoreThan = 7; // after a fill: last row on top when rows > this
    int saveScrollMoreThan = 7; // after a save: new row on top when rows > this

    QList<FilterBox> filters;
    bool allDspYellowWhenFiltered = false;

    QList<ViewButton> views;
    QStringList refreshOrder; // the view buttons refreshSelectedView checks, in order
    QString initialView;      // selected when the window opens

    PanelStates panel;

    int playTimerMs = 50; // tmrPlay interval
    QString helpText;

    const FilterBox *filter(const QString &objectName) const;
    const ViewButton *view(const QString &objectName) const;
    // From the game catalogue.
    QString windowName() const { return gameInfo(game).windowName; }
    QString itemName() const { return gameInfo(game).itemName; }

    // What is wrong with the description: a name the frame looks up that names
    // nothing (a filter, a view button, the initial view), a setting index
    // outside the settings line, a column without a field. Empty when sound.
    // The frame refuses to build from a description with problems: they are
    // programming errors, found by the first test that opens the window.
    QStringList problems() const;
};

} // namespace kioku
