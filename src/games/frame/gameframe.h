#pragma once
// The frame every game window is built on: the settings line, the history file
// with its grid, filter boxes and charts, automatic or manual saving, clearing,
// the three-step start countdown, the help text and the way back to the main
// window. A game window derives from it, fills playArea() with its own controls
// and implements the hooks of its play. The registry's factory builds the
// window and runs its opening (Form_Load); a game never calls it itself.
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/playlog/playlog.h"
#include "games/frame/gamedescription.h"
#include "widgets/backcolor.h"

#include <QColor>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSize>
#include <QWidget>

#include <functional>
#include <optional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QPushButton;
class QTimer;

namespace kioku {

struct AppContext;
class Chart;
class FlexGrid;
class GraphButtons;
class TimeBar;

class GameFrame : public QWidget {
    Q_OBJECT
public:
    // Colours of the frame's buttons.
    static const QColor kSelectedView; // RGB(192,255,255) light cyan
    static const QColor kAllShown;     // RGB(255,255,192) light yellow

    GameFrame(AppContext &ctx, GameDescription description, QWidget *parent = nullptr);
    ~GameFrame() override;

    const GameDescription &description() const { return m_desc; }
    AppContext &context() const { return m_ctx; }
    GameSettings &settings() { return m_settings; }
    const GameSettings &settings() const { return m_settings; }

    // The play, from スタート to its result. The frame owns it: the countdown
    // moves Idle to Countdown and, at its third tick, to Showing; the game
    // moves on to Answering and Finished (or back to Idle) with setPlayState.
    enum class PlayState {
        Idle,      // no play: スタート waits
        Countdown, // the three ticks after スタート
        Showing,   // the game presents what is to be remembered
        Answering, // the player answers or plays
        Finished,  // judged or ended: a result may be saved
    };
    PlayState playState() const { return m_state; }

    // How a wait ended.
    enum class WaitEnd {
        Elapsed,    // the whole time passed
        Stopped,    // its stop condition came to hold
        Superseded, // a newer display began (supersedeWaits)
        Closed,     // the window is closing or gone: the caller returns at once
    };

    // What a finished play saves: its history line, its play-log record and,
    // when the game shows it otherwise than its columns do, its grid row
    // (empty: made from the entry by the grid's columns).
    struct SavedPlay {
        HistoryEntry entry;
        PlayRecord record;
        QStringList gridRow = {}; // empty: made from the entry by the grid's columns
    };

    // What a game that cannot be played says instead of opening (openRefusal).
    struct OpenRefusal {
        QString text;           // the warning box's text
        QString title;          // its title
        bool endProgram = true; // then the program ends; false: back to the main window
    };

    // ---- handlers of the frame (public so tests can call them) ----
    // Opens the window: history, settings, the game's own opening, help text
    // (handed to the help tour once the window is shown). Run once, by the
    // factory that builds the window. A game that refuses to open (openRefusal)
    // has told the player why, sent the program on and is closing when this
    // returns: the window is never shown and touches no file, and closing() holds.
    void Form_Load();
    void cmdAllDsp_Click();
    // A filter box was chosen (by its objectName).
    void filter_Click(const QString &filterName);
    void cboKaisu2_Click() { filter_Click(QStringLiteral("cboKaisu2")); }
    void cboJikan2_Click() { filter_Click(QStringLiteral("cboJikan2")); }
    void cboMondai2_Click() { filter_Click(QStringLiteral("cboMondai2")); }
    void cboMode2_Click() { filter_Click(QStringLiteral("cboMode2")); }
    // A view button was pressed (by its objectName).
    void view_Click(const QString &buttonName);
    void cmdKaitou_Click() { view_Click(QStringLiteral("cmdKaitou")); }
    void cmdRitu_Click() { view_Click(QStringLiteral("cmdRitu")); }
    void cmdByou_Click() { view_Click(QStringLiteral("cmdByou")); }
    void cmdPByou_Click() { view_Click(QStringLiteral("cmdPByou")); }
    void cmdMoji_Click() { view_Click(QStringLiteral("cmdMoji")); }
    void cmdJisyo_Click() { view_Click(QStringLiteral("cmdJisyo")); }
    void chkAs_Click();
    void cmdHozon_Click();
    void cmdClear_Click();
    void cmdEnd_Click();
    void cmdStart_Click();
    void tmrStart_Timer();
    void tmrPlay_Timer();
    void tmrBp_Timer();
    // A click on the window background: the history panel grows tall (the games
    // whose description says so). Real clicks arrive through mousePressEvent.
    void Form_Click();
    // A click on the history panel itself (not on a control in it): the panel hides.
    void fraRireki_Click();

    // ---- routines ----
    void ResetHistoryGrid();
    void ResetViewButtons();
    void RefreshSelectedView();
    // The history panel's two sizes (windows that have them).
    void setPanelTall(bool tall);
    bool panelTall() const { return m_panelTall; }
    // Shows the history panel again after fraRireki_Click hid it (the end of a game).
    void showHistoryPanel();
    bool historyPanelShown() const { return m_panelShown; }

    // ---- state ----
    bool countdownRunning() const { return m_state == PlayState::Countdown; }
    int countdownTick() const { return m_tick; }
    // A play is under way (shown or answered): tmrBp works, saving waits.
    bool busy() const { return m_state == PlayState::Showing || m_state == PlayState::Answering; }
    bool closing() const { return m_closing; }
    QColor buttonFace() const { return kioku::buttonFace(); }

    // Controls of the frame, for the game and for tests. cmdStart(), lblJikan() and
    // countdownPanel() belong in the play area: the game puts them into its layout.
    FlexGrid *msgRireki() const { return m_grid; }
    Chart *mcrRireki() const { return m_chart1; }
    Chart *mcrRireki2() const { return m_chart2; }
    QPushButton *cmdStart() const { return m_cmdStart; }
    QPushButton *cmdHozon() const { return m_cmdHozon; }
    QPushButton *cmdClear() const { return m_cmdClear; }
    QPushButton *cmdEnd() const { return m_cmdEnd; }
    QPushButton *cmdAllDsp() const { return m_cmdAllDsp; }
    QCheckBox *chkAs() const { return m_chkAs; }
    QLabel *lblJikan() const { return m_lblJikan; }
    QLabel *imgStart(int i) const; // 1..3
    QComboBox *filterBox(const QString &name) const { return m_filters.value(name); }
    QPushButton *viewButton(const QString &name) const;
    GraphButtons *viewButtons() const { return m_views; }
    QTimer *tmrStart() const { return m_tmrStart; }
    QTimer *tmrPlay() const { return m_tmrPlay; }
    QTimer *tmrBp() const { return m_tmrBp; }
    QFrame *fraRireki() const { return m_fraRireki; }

protected:
    // ---- hooks of the game ----
    // Form_Load after the history and the settings: fill the game's own boxes and labels.
    virtual void loadGame() {}
    // cmdStart: make the board ready for a play (the countdown flag is already set).
    virtual void prepareBoard() {}
    // The third countdown tick: the play begins. Return at once when closing() holds
    // after a wait (see waitMs); the window may be gone when this returns.
    virtual void beginPlay() {}
    // Asked first when the window opens: a game that cannot be played at all (its
    // picture files are missing, say) returns what to tell the player; nothing of
    // the window is loaded then.
    virtual std::optional<OpenRefusal> openRefusal() { return std::nullopt; }
    // The result of the finished play, as saved at `now`; nothing when there
    // is none to save (asked only in the Finished state).
    virtual std::optional<SavedPlay> result(const QDateTime &now) const = 0;
    // 「クリア」, before anything is emptied: copy each file historyCleared()
    // will reset (backUp()). False refuses the whole clear; the history itself
    // is copied by the frame.
    virtual bool backUpBeforeClear() { return true; }
    // After 「クリア」 emptied the history (records files and the like).
    virtual void historyCleared() {}
    // The work of tmrBp while the busy flag is set; each step runs on its own,
    // a step that fails is skipped and the next one runs.
    virtual QList<std::function<void()>> bpSteps() { return {}; }

    // ---- services for the game ----
    // The usual play area, laid out in playArea(): the countdown pictures on
    // the left, the board (a group box 「問題」, fraMondai) in the middle and a
    // column with スタート on the right, all in one row; under it a strip for
    // the settings and the result. The game fills the board and the strip,
    // adds its buttons under スタート and may add more to the row.
    struct PlayAreaLayout {
        QHBoxLayout *row = nullptr;
        QGroupBox *board = nullptr;
        QVBoxLayout *boardLayout = nullptr;
        QVBoxLayout *buttons = nullptr;
        QHBoxLayout *strip = nullptr;
        // A button under スタート (and under the ones added before it).
        void addButton(QWidget *button) const;
    };
    PlayAreaLayout standardPlayArea();
    // The play is judged or ended: saved at once when auto-save is on. False
    // when the window went meanwhile (a message box of the save let events
    // run): the caller returns and touches nothing more.
    [[nodiscard]] bool saveIfAutomatic();
    // Moves the play on (see PlayState).
    void setPlayState(PlayState state);
    // The area above the history panel where the game puts its controls.
    QWidget *playArea() const { return m_playArea; }
    // A panel with the three countdown pictures, for the game's layout.
    QWidget *countdownPanel() const { return m_countdownPanel; }
    void hideCountdownPictures();
    // Rewrites the settings file; a failure is reported to the player.
    void writeSettings();
    bool autoSave() const;
    // Lets events run for `ms` of clock time. Ends early when `stop` holds
    // (looked at every few milliseconds and whenever wakeWaits() is called),
    // when a newer display supersedes it, or when the window goes (Closed: the
    // caller returns at once and touches nothing of the window).
    [[nodiscard]] WaitEnd waitMs(double ms, const std::function<bool()> &stop = {});
    // As waitMs, while the player's keys and input-method text to this window
    // are held back and delivered, in order, once the wait is over: a short
    // blank between two words never loses a fast typist's first keys.
    [[nodiscard]] WaitEnd holdInputFor(double ms, const std::function<bool()> &stop = {});
    // Waits `ms` of clock time while clicks and keys to `area` (the play area
    // when null) are dropped, not handled later: a delay that holds the board
    // still. The rest of the window (戻り, the close button, the history) and
    // the timers go on.
    [[nodiscard]] WaitEnd blockFor(double ms, QWidget *area = nullptr);
    // The display of something to remember for `seconds`: lblJikan counts the
    // remaining whole seconds down (halves to even) and the time bar shrinks
    // in as many steps; it ends when the clock passes the end of the time.
    // With 0.2 or 0.5 seconds the count is 0 from the start and the bar stays full.
    [[nodiscard]] WaitEnd runDisplayCountdown(float seconds, TimeBar *bar);
    // Ends, as Superseded, every wait running now: a new display begins.
    void supersedeWaits();
    // Makes running waits look at their stop condition now.
    void wakeWaits();
    // Lets pending events run once; false when the window is closing or gone.
    [[nodiscard]] bool letEventsRun();
    // The elapsed-seconds clock shown in lblJikan by tmrPlay.
    void startPlayClock();
    void stopPlayClock();
    double playSeconds() const;
    // Tells the player about a file that could not be read or written.
    void reportProblem(const QString &message);
    // Copies a data file into the backup folder at the clock's time before it
    // loses records (a missing or empty file needs no copy). A copy that cannot
    // be made is told to the player; false: leave the file as it is.
    bool backUp(const QString &fileName);

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void buildFrame();
    // 保存 and the caption of chkAs as the auto-save box says.
    void showSaveMode();
    void fillHistory(const QString &filterName, const QString &chosen);
    void drawView(const ViewButton &v);
    void applyPanelLayout();
    void fitWindowToPanel();
    void scrollAfterLayout();
    void leaveWindow();
    void refuseOpening(const OpenRefusal &refusal);
    void afterShown();
    void viewPressed();
    WaitEnd waitGuarded(double ms, const std::function<bool()> &stop);

    AppContext &m_ctx;
    GameDescription m_desc;
    GameSettings m_settings;

    QWidget *m_playArea = nullptr;
    QWidget *m_countdownPanel = nullptr;
    QLabel *m_imgStart[3] = {nullptr, nullptr, nullptr};
    QFrame *m_fraRireki = nullptr;
    QGroupBox *m_fraView = nullptr;
    FlexGrid *m_grid = nullptr;
    Chart *m_chart1 = nullptr;
    Chart *m_chart2 = nullptr;
    QHash<QString, QComboBox *> m_filters;
    GraphButtons *m_views = nullptr;
    QPushButton *m_cmdAllDsp = nullptr;
    QPushButton *m_cmdStart = nullptr;
    QPushButton *m_cmdHozon = nullptr;
    QPushButton *m_cmdClear = nullptr;
    QPushButton *m_cmdEnd = nullptr;
    QCheckBox *m_chkAs = nullptr;
    QLabel *m_lblJikan = nullptr;
    QTimer *m_tmrStart = nullptr;
    QTimer *m_tmrPlay = nullptr;
    QTimer *m_tmrBp = nullptr;

    PlayState m_state = PlayState::Idle;
    int m_tick = 0;
    quint64 m_waitGeneration = 0; // raised by supersedeWaits()
    bool m_closing = false;
    bool m_helpShown = false;
    bool m_panelTall = false;
    bool m_panelShown = true;
    bool m_panelGrown = false; // tall and shown: the window may have grown for it
    QSize m_sizeBeforeTall;    // the window's size before it did
    qint64 m_playStartNs = 0;
    QStringList m_pendingProblems;
    bool m_historyProblemTold = false;
};

} // namespace kioku
