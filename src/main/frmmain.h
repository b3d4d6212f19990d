#pragma once
// The main window: the menu row, the eight panels stacked in one place (the
// today panel, the edit screen and the views), the help tour, the game
// launcher strip and the user name in the title. A new main window is created
// every time it is shown, and its start-up (Form_Load) re-reads every file.
#include "widgets/appcontext.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace kioku {
class Chart;
class FlexGrid;
class MonthCalendar;
class Shape;
struct PlayLog;
struct PlayRecord;
} // namespace kioku

class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(kioku::AppContext &ctx, QWidget *parent = nullptr);
    ~frmMain() override;

    // ---- window state ----
    QString HelpFileName;      // the help document in the working folder
    bool IsLoading = false;    // set while the start-up runs; chkHelp_Click then does nothing
    QString ItemColWidth;      // "1180": twip width of an item column of the aggregate tables
    QString SubtotalColWidth;  // "1250": twip width of their subtotal column
    int SelectedLogRow = 0;    // the log-grid row last clicked

    // Kept by RefreshToday for the views.
    QString FirstPlayDate() const { return m_firstPlayDate; }
    QString LastPlayDate() const { return m_lastPlayDate; }
    bool LogIsEmpty() const { return m_logIsEmpty; }
    QDate SelectedDay() const;
    float MaxSeconds() const { return m_maxSeconds; }
    qint64 DayTotal() const { return m_dayTotal; }

    // The explanatory texts handed to the help tour.
    static QString welcomeText();
    static QString setteiHelpText();

    // ---- start-up, settings, panels ----
    void Form_Load();
    void READ_SETTEI();
    void chkHelp_Click();
    void HideAllPanels();
    void LoadItemNames();
    void LoadMemo();
    void ShowUserName();

    // ---- menu row ----
    void cmdGame_Click();
    void cmdMain_Click();
    void cmdRentai_Click();
    void cmdTaijyu_Click();
    void cmdSyuukei_Click();
    void cmdBunseki_Click();
    void cmdCale_Click();
    void cmdMemo_Click();
    void cmdSettei_Click();
    void cmdHelp_Click();
    void cmdOwari_Click();

    // ---- game launcher ----
    // A game button (cmdG1 … cmdG7, named in the game catalogue): opens the
    // game's window and closes this one.
    void launchGame(kioku::Game game);
    QToolButton *launcherButton(kioku::Game game) const;
    void cmdModori_Click();

    // ---- today panel ----
    void SetupTodayGrids();
    void RefreshToday();
    void mtvmain_DateClick(const QDate &dateClicked = QDate());
    // The day chart's view buttons; the graphs are drawn by the chart views.
    void cmdDay_Click();
    void cmdTotal_Click();
    void cmdJikan_Click();

    // ---- play log grids and the edit screen ----
    void SetupLogGrid(kioku::FlexGrid *grid);
    void FillLogGrid(kioku::FlexGrid *grid);
    // Rewrites the play log from the record rows of a log grid. On failure the
    // reason is shown and the file is left as it was; returns whether it was written.
    bool RewriteLogFromGrid(kioku::FlexGrid *grid);
    void msgHenList_Click();
    void cmdRowDel_Click();
    void cmdNew1_Click();
    void cmdPHozon1_Click();

    // ---- controls ----
    // Menu row.
    QPushButton *cmdGame, *cmdMain, *cmdRentai, *cmdTaijyu, *cmdSyuukei, *cmdBunseki, *cmdCale,
        *cmdMemo, *cmdSettei, *cmdHelp, *cmdOwari;
    QToolButton *chkHelp;
    // The eight panels.
    QFrame *fraMain, *fraSettei, *fraMemo, *fraCale, *fraTaijyu, *fraSyuukei, *fraRenTai,
        *fraBunseki;
    // The game strip over the top of the window.
    QFrame *fraGame;
    QToolButton *cmdG1, *cmdModori; // the first game button takes the focus
    // Today panel.
    kioku::MonthCalendar *mtvmain;
    kioku::FlexGrid *msgDayList, *msgDayTotal;
    QLabel *lblDayTotal, *lblMHyouka;
    QLabel *lblDayCaption; // the date the panel shows
    QList<kioku::Shape *> shpLed; // shpLed[0] is shpLed1
    kioku::Shape *shpLedAt(int index) const { return shpLed.value(index - 1); } // 1..7
    QLabel *imgNashi, *imgkana, *imgniko, *imgwara;
    kioku::Chart *mcrMain;
    QPushButton *cmdDay, *cmdTotal, *cmdJikan;
    // Edit screen.
    kioku::FlexGrid *msgHenList;
    QPushButton *cmdRowDel, *cmdNew1, *cmdPHozon1;
    QLineEdit *txtPriData;
    // The item list of the range view.
    QListWidget *lstAct2;

protected:
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildUi();
    QWidget *buildMenuRow();
    void buildGameStrip();
    void buildTodayPanel();
    void buildEditPanel();
    QFrame *buildPlaceholderPanel(const QString &name, const QString &caption);
    void placeGameStrip();

    // Shows `panel` in place of the others unless it is shown already: hides
    // them all, runs `fill`, shows the panel and lets pending events run.
    // Returns true when the caller goes on (help text, tour); false when the
    // panel was shown already (nothing done) or the window closed meanwhile.
    bool switchToPanel(QFrame *panel, const std::function<void()> &fill = {});
    // Lets pending window events run; false when they closed this window,
    // which must then not be touched again (not even as a message box parent).
    bool letEventsRun();
    bool writeFailed(bool ok, const QString &message);
    // The whole play log; a file that cannot be read is reported.
    kioku::PlayLog readLog();
    QList<kioku::PlayRecord> recordsFromGrid(const kioku::FlexGrid *grid) const;
    bool writeLog(const QList<kioku::PlayRecord> &records);
    QStringList itemList() const;
    QList<QFrame *> allPanels() const;

    kioku::AppContext &m_ctx;
    QHash<QToolButton *, kioku::Game> m_launcher;
    QString m_firstPlayDate;
    QString m_lastPlayDate;
    bool m_logIsEmpty = true;
    float m_maxSeconds = 0;
    qint64 m_dayTotal = 0;
    bool m_closed = false; // set once the window is closing
};
