#pragma once
// The main window: the menu row, the eight panels stacked in one place (the
// today panel, the edit screen, the diary and the views), the help tour, the
// game launcher strip and the user name in the title. A new main window is
// created every time it is shown, and its start-up (Form_Load) re-reads every file.
//
// The panels are classes behind one interface (main/panel.h); the window reads
// the play log, summarizes it once (core/stats/logsummary.h) and hands the
// summary to the panel it shows. The table of menu buttons in mainwindow.cpp
// names each panel's button, caption and class.
#include "core/playlog/logstamp.h"
#include "core/stats/logsummary.h"
#include "widgets/appcontext.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QSessionManager;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kioku {
class AggregatesView;
class CalendarView;
class Chart;
class EditPanel;
class FlexGrid;
class MemoPanel;
class MonthCalendar;
class Panel;
class RangeListView;
class Shape;
class SortedListView;
class TodayPanel;
class TotalsView;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(kioku::AppContext &ctx, QWidget *parent = nullptr);
    ~MainWindow() override;

    // ---- window state ----
    QString HelpFileName;     // the help document in the working folder
    bool IsLoading = false;   // set while the start-up runs; chkHelp_Click then does nothing
    QString SubtotalColWidth; // "1250": twip width of their subtotal column

    // The play log as the panels were last rebuilt from it.
    const kioku::LogSummary &logSummary() const { return m_summary; }
    QString firstPlayDate() const { return m_summary.firstPlayDate; }
    QString lastPlayDate() const { return m_summary.lastPlayDate; }
    bool logIsEmpty() const { return m_summary.logEmpty; }
    QDate selectedDay() const;

    // The explanatory text handed to the help tour at the first start-up.
    static QString welcomeText();

    // ---- start-up, settings, panels ----
    void Form_Load();
    void readSettings();
    void chkHelp_Click();
    void hideAllPanels();
    void loadMemo();
    void showUserName();
    // A last line of the play log that a crash cut off while it was appended
    // is moved out of the log into "データ.txt.断片" before the log is read;
    // the user is told what was done.
    void recoverLogTail();
    // What every menu button of a panel does: unless the panel is shown
    // already, hides the others, rebuilds it from the log, shows it, lets
    // pending events run and hands its help text to the help tour.
    void showPanel(kioku::Panel *panel);

    // ---- menu row ----
    void cmdGame_Click();
    void cmdHelp_Click();
    void cmdOwari_Click();

    // ---- game launcher ----
    // A game button (cmdG1 … cmdG7, named in the game catalogue): opens the
    // game's window and closes this one.
    void launchGame(kioku::Game game);
    QToolButton *launcherButton(kioku::Game game) const;
    void cmdModori_Click();

    // ---- today panel ----
    // Reads the play log and rebuilds the today panel for the selected day.
    void refreshToday();
    // Reads every data file again after files were replaced under the window.
    void reloadData();
    void mtvmain_DateClick(const QDate &dateClicked = QDate());

    // ---- controls ----
    // Menu row.
    QPushButton *cmdGame, *cmdMain, *cmdRentai, *cmdTaijyu, *cmdSyuukei, *cmdBunseki, *cmdCale, *cmdMemo, *cmdSettei,
        *cmdHelp, *cmdOwari;
    QToolButton *chkHelp;
    // The eight panels.
    kioku::TodayPanel *fraMain = nullptr;
    kioku::EditPanel *fraSettei = nullptr;
    kioku::MemoPanel *fraMemo = nullptr;
    kioku::CalendarView *fraCale = nullptr;
    kioku::RangeListView *fraTaijyu = nullptr;
    kioku::AggregatesView *fraSyuukei = nullptr;
    kioku::TotalsView *fraRenTai = nullptr;
    kioku::SortedListView *fraBunseki = nullptr;
    // The game strip over the top of the window.
    QFrame *fraGame = nullptr;
    QToolButton *cmdG1, *cmdModori; // the first game button takes the focus

protected:
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildUi();
    QWidget *buildMenuRow();
    QWidget *buildPanels();
    void buildGameStrip();
    void connectPanels();
    void placeGameStrip();
    void quitProgram();

    // Before the window goes (終了, a game, its frame button): memo edits are
    // saved, or given up when they cannot be and the player says so. False:
    // the window stays. A request that comes while the player is being asked
    // (the desktop closing the window again) is refused, not asked twice.
    bool memoLetsGo(bool mayAsk = true);
    // A desktop logout: the memo is saved; edits that cannot be stored are
    // asked about when the session allows it (going back to them cancels the
    // logout), else given up, so the logout never waits on the window.
    void commitData(QSessionManager &manager);

    // Lets pending window events run; false when they closed this window,
    // which must then not be touched again (not even as a message box parent).
    bool letEventsRun();
    // Reads the whole play log (a file that cannot be read is reported) and
    // summarizes it for the selected day.
    kioku::LogSummary readSummary();

    kioku::AppContext &m_ctx;
    QList<kioku::Panel *> m_panels; // in menu order
    QHash<QToolButton *, kioku::Game> m_launcher;
    kioku::LogSummary m_summary;
    LogStamp m_logStamp;       // the file as it was when m_summary was read
    bool m_closed = false;     // set once the window is closing
    bool m_askingMemo = false; // a question about the memo is open
};

} // namespace kioku
