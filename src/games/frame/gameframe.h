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
#include "core/rules/typing.h"
#include "games/frame/gamedescription.h"
#include "games/frame/historypanel.h"
#include "games/frame/playarea.h"
#include "games/frame/playwaits.h"
#include "widgets/backcolor.h"

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QSize>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace kioku {

struct AppContext;
class BestLine;
class Chart;
class FlexGrid;
class GraphButtons;
class HistoryPanel;
class TimeBar;

class GameFrame : public QWidget {
    Q_OBJECT
public:
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

    // How a wait ended (see PlayWaits).
    using WaitEnd = PlayWaits::End;

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
    void resetHistoryGrid();
    void resetViewButtons();
    void refreshSelectedView();
    // The history panel's two sizes (windows that have them).
    void setPanelTall(bool tall);
    bool panelTall() const { return m_history->isTall(); }
    // Shows the history panel again after fraRireki_Click hid it (the end of a game).
    void showHistoryPanel();
    bool historyPanelShown() const { return !m_history->isPutAway(); }

    // ---- state ----
    bool countdownRunning() const { return m_state == PlayState::Countdown; }
    int countdownTick() const { return m_tick; }
    // A play is under way (shown or answered): tmrBp works, saving waits.
    bool busy() const { return m_state == PlayState::Showing || m_state == PlayState::Answering; }
    bool closing() const { return m_closing; }
    QColor buttonFace() const { return kioku::buttonFace(); }

    // Controls of the frame, for the game and for tests. cmdStart(), lblJikan() and
    // countdownPanel() belong in the play area: the game puts them into its layout.
    FlexGrid *msgRireki() const { return m_history->grid(); }
    Chart *mcrRireki() const { return m_history->lineChart(); }
    Chart *mcrRireki2() const { return m_history->barChart(); }
    QPushButton *cmdStart() const { return m_cmdStart; }
    QPushButton *cmdHozon() const { return m_cmdHozon; }
    QPushButton *cmdClear() const { return m_cmdClear; }
    QPushButton *cmdEnd() const { return m_cmdEnd; }
    QPushButton *cmdAllDsp() const { return m_history->allShownButton(); }
    QCheckBox *chkAs() const { return m_chkAs; }
    QLabel *lblJikan() const { return m_lblJikan; }
    QLabel *imgStart(int i) const { return m_countdown->picture(i); } // 1..3
    QComboBox *filterBox(const QString &name) const { return m_history->filterBox(name); }
    QPushButton *viewButton(const QString &name) const { return m_history->viewButton(name); }
    GraphButtons *viewButtons() const { return m_history->viewButtons(); }
    QTimer *tmrStart() const { return m_tmrStart; }
    QTimer *tmrPlay() const { return m_tmrPlay; }
    QTimer *tmrBp() const { return m_tmrBp; }
    QFrame *fraRireki() const { return m_history; }
    BestLine *bestLine() const { return m_bestLine; }
    HistoryPanel *historyPanel() const { return m_history; }

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

    // The play mode a saved play was played in: its best is taken among the
    // plays of that mode (the typing games; the others have one).
    virtual rules::PlayMode playedMode() const { return rules::PlayMode::Counted; }

    // ---- services for the game ----
    // The usual play area (see PlayAreaLayout), laid out in playArea().
    using PlayAreaLayout = kioku::PlayAreaLayout;
    PlayAreaLayout standardPlayArea();
    // The play is judged or ended: saved at once when auto-save is on. False
    // when the window went meanwhile (a message box of the save let events
    // run): the caller returns and touches nothing more.
    [[nodiscard]] bool saveIfAutomatic();
    // The judged play of a game that judges with a button (数字記憶, 画像記憶):
    // Finished, saved when auto-save is on, スタート enabled with the focus.
    // False when the window went meanwhile: the caller touches nothing more.
    [[nodiscard]] bool finishPlay();
    // Moves the play on (see PlayState).
    void setPlayState(PlayState state);
    // The area above the history panel where the game puts its controls.
    QWidget *playArea() const { return m_playArea; }
    // A panel with the three countdown pictures, for the game's layout.
    QWidget *countdownPanel() const { return m_countdown; }
    void hideCountdownPictures();
    // Rewrites the settings file; a failure is reported to the player.
    void writeSettings();
    bool autoSave() const;
    // The waits of a play (see PlayWaits); blockFor holds the play area still
    // when no area is given, the display countdown counts down in lblJikan.
    [[nodiscard]] WaitEnd waitMs(double ms, const std::function<bool()> &stop = {})
    {
        return m_waits->waitMs(ms, stop);
    }
    [[nodiscard]] WaitEnd holdInputFor(double ms, const std::function<bool()> &stop = {})
    {
        return m_waits->holdInputFor(ms, stop);
    }
    [[nodiscard]] WaitEnd blockFor(double ms, QWidget *area = nullptr)
    {
        return m_waits->blockFor(ms, area ? area : m_playArea);
    }
    [[nodiscard]] WaitEnd runDisplayCountdown(float seconds, TimeBar *bar)
    {
        return m_waits->runDisplayCountdown(seconds, m_lblJikan, bar);
    }
    void supersedeWaits() { m_waits->supersede(); }
    void wakeWaits() { m_waits->wake(); }
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
    void applyPanelLayout();
    void fitWindowToPanel();
    void markSaved();
    void scrollAfterLayout();
    void leaveWindow();
    void refuseOpening(const OpenRefusal &refusal);
    void afterShown();
    void viewPressed();

    AppContext &m_ctx;
    GameDescription m_desc;
    GameSettings m_settings;

    QWidget *m_playArea = nullptr;
    CountdownPictures *m_countdown = nullptr;
    HistoryPanel *m_history = nullptr;
    BestLine *m_bestLine = nullptr;
    PlayWaits *m_waits = nullptr;
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
    bool m_closing = false;
    bool m_helpShown = false;
    bool m_playSaved = false; // the play finished last is in the history and the log
    bool m_panelGrown = false; // tall and shown: the window may have grown for it
    QSize m_sizeBeforeTall;    // the window's size before it did
    qint64 m_playStartNs = 0;
    QStringList m_pendingProblems;
    bool m_historyProblemTold = false;
};

} // namespace kioku
