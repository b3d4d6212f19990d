#include "games/frame/gameframe.h"

#include "core/backup.h"
#include "core/clock.h"
#include "core/game/saveplay.h"
#include "core/text/formats.h"
#include "games/frame/bestline.h"
#include "games/frame/framekeys.h"
#include "games/frame/historypanel.h"
#include "widgets/appcontext.h"
#include "widgets/graphbuttons.h"
#include "widgets/messages.h"
#include "widgets/playparts.h"
#include "widgets/textscale.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace kioku {

namespace {
// The caption of the save-mode box while saving is manual (empty while automatic).
const QString kManualSaveCaption = QStringLiteral("手動保存モード");
} // namespace

GameFrame::GameFrame(AppContext &ctx, GameDescription description, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_desc(std::move(description)), m_settings(m_desc.settings)
{
    setObjectName(m_desc.windowName());
    setWindowTitle(m_desc.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    // A name the frame looks up that names nothing is a mistake in the
    // description, not something to pass over quietly.
    const QStringList problems = m_desc.problems();
    if (!problems.isEmpty())
        qFatal("%s: %s", qPrintable(m_desc.windowName()), qPrintable(problems.join(QStringLiteral("; "))));
    buildFrame();
    new FrameKeys(this);
}

GameFrame::~GameFrame()
{
    // A phase that is still waiting inside a handler of this window ends now.
    m_closing = true;
    m_ctx.clock.wake();
}

void GameFrame::buildFrame()
{
    auto *root = new QVBoxLayout(this);
    // A little closer with larger text, for the window to fit a small screen.
    const int edge = textScale() > 1.0 ? 6 : 8;
    root->setContentsMargins(edge, edge, edge, edge);
    root->setSpacing(edge - 2);

    m_playArea = new QWidget(this);
    m_playArea->setObjectName(QStringLiteral("fraGame"));
    // Never taller than it needs: room the history panel leaves goes below it
    // (the stretch under the panel), and the board keeps its spacing.
    m_playArea->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    root->addWidget(m_playArea, 0);

    // Controls every game places in its play area.
    m_cmdStart = new QPushButton(QStringLiteral("スタート"), this);
    m_cmdStart->setAutoDefault(true); // the focus goes here after a play: Enter starts the next
    m_cmdStart->setObjectName(QStringLiteral("cmdStart"));
    m_cmdStart->setMinimumHeight(scaledPx(36));
    connect(m_cmdStart, &QPushButton::clicked, this, &GameFrame::cmdStart_Click);

    m_lblJikan = new ValueLabel(this); // the game gives it its look and its widest values
    m_lblJikan->setObjectName(QStringLiteral("lblJikan"));

    m_countdown = new CountdownPictures(this);
    m_waits = new PlayWaits(m_ctx.clock, this, [this] { return m_closing; });

    // The history panel: filters, grid, charts and view buttons.
    m_history = new HistoryPanel(m_desc, this);
    connect(m_history, &HistoryPanel::filterChosen, this, &GameFrame::filter_Click);
    connect(m_history, &HistoryPanel::allShownClicked, this, &GameFrame::cmdAllDsp_Click);
    // A view the player asks for grows the panel; the redraw that follows a
    // save or a filter does not, so the board just judged stays in sight.
    connect(m_history, &HistoryPanel::viewPressed, this, &GameFrame::viewPressed);
    connect(m_history, &HistoryPanel::backgroundClicked, this, &GameFrame::fraRireki_Click);
    root->addWidget(m_history, 1);
    root->addStretch(0); // takes the panel's room while the panel is hidden

    // Saving, clearing and the way back.
    auto *bottom = new QHBoxLayout;
    // The box keeps the room of its longer caption whichever it shows, so
    // 保存 and クリア beside it never move under the pointer.
    m_chkAs = new WideCheckBox(kManualSaveCaption, this);
    m_chkAs->setObjectName(QStringLiteral("chkAs"));
    m_chkAs->setToolTip(QStringLiteral("履歴の自動保存を制御します"));
    connect(m_chkAs, &QCheckBox::clicked, this, [this] { chkAs_Click(); });
    m_cmdHozon = new QPushButton(QStringLiteral("保存"), this);
    m_cmdHozon->setObjectName(QStringLiteral("cmdHozon"));
    connect(m_cmdHozon, &QPushButton::clicked, this, &GameFrame::cmdHozon_Click);
    m_cmdClear = new QPushButton(QStringLiteral("クリア"), this);
    m_cmdClear->setObjectName(QStringLiteral("cmdClear"));
    connect(m_cmdClear, &QPushButton::clicked, this, &GameFrame::cmdClear_Click);
    m_cmdEnd = new QPushButton(QStringLiteral("戻り"), this);
    m_cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    m_cmdEnd->setMinimumWidth(scaledPx(96));
    connect(m_cmdEnd, &QPushButton::clicked, this, &GameFrame::cmdEnd_Click);
    bottom->addWidget(m_chkAs);
    bottom->addWidget(m_cmdHozon);
    bottom->addWidget(m_cmdClear);
    m_bestLine = new BestLine(m_desc.game, this);
    bottom->addWidget(m_bestLine);
    bottom->addStretch(1);
    bottom->addWidget(m_cmdEnd);
    root->addLayout(bottom);

    // Timers: the countdown and tmrBp run all the time; tmrPlay only while a game runs its clock.
    m_tmrStart = new QTimer(this);
    m_tmrStart->setObjectName(QStringLiteral("tmrStart"));
    m_tmrStart->setInterval(1000);
    connect(m_tmrStart, &QTimer::timeout, this, &GameFrame::tmrStart_Timer);
    m_tmrPlay = new QTimer(this);
    m_tmrPlay->setObjectName(QStringLiteral("tmrPlay"));
    m_tmrPlay->setInterval(m_desc.playTimerMs);
    connect(m_tmrPlay, &QTimer::timeout, this, &GameFrame::tmrPlay_Timer);
    m_tmrBp = new QTimer(this);
    m_tmrBp->setObjectName(QStringLiteral("tmrBp"));
    m_tmrBp->setInterval(1000);
    connect(m_tmrBp, &QTimer::timeout, this, &GameFrame::tmrBp_Timer);
    m_tmrStart->start();
    m_tmrBp->start();

    applyPanelLayout();
}

GameFrame::PlayAreaLayout GameFrame::standardPlayArea()
{
    return buildStandardPlayArea(m_playArea, m_countdown, m_cmdStart);
}

// ---------------------------------------------------------------- opening

void GameFrame::Form_Load()
{
    if (std::optional<OpenRefusal> refusal = openRefusal()) {
        refuseOpening(*refusal);
        return;
    }
    cmdAllDsp_Click();
    // The settings file is only read here: a value that is not valid is
    // replaced by its default in the window, and the file keeps what it holds
    // until the player changes a setting. A missing file gets the defaults.
    const bool hadSettings = text::fileExists(m_desc.settings.fileName);
    text::ReadResult settingsRead;
    bool garbled = false;
    m_settings = GameSettings::read(m_desc.settings, nullptr, &settingsRead, &garbled);
    const QString settingsProblem = GameSettings::readProblem(m_desc.settings, settingsRead, garbled);
    if (!settingsProblem.isEmpty())
        reportProblem(settingsProblem);
    m_chkAs->setChecked(autoSave());
    showSaveMode();
    if (!hadSettings)
        writeSettings();
    loadGame();
    if (m_desc.panel.enabled)
        setPanelTall(false);
}

void GameFrame::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_helpShown) {
        m_helpShown = true;
        // After the window is on screen, not inside show().
        QTimer::singleShot(0, this, &GameFrame::afterShown);
    }
}

void GameFrame::afterShown()
{
    if (m_closing)
        return;
    QPointer<GameFrame> self(this);
    const QStringList problems = std::exchange(m_pendingProblems, {});
    for (const QString &p : problems) {
        m_ctx.messages.warn(this, p, m_desc.caption);
        if (!self || m_closing)
            return;
    }
    m_ctx.showHelpTour(this, m_desc.helpText);
}

// ---------------------------------------------------------------- history grid

void GameFrame::resetHistoryGrid()
{
    m_history->resetGrid();
}

void GameFrame::fillHistory(const QString &filterName, const QString &chosen)
{
    const HistoryFile h = readHistory(m_desc.history);
    m_history->fill(h, filterName, chosen);
    m_bestLine->setHistory(h.entries);

    // A damaged history file is told once per window, not at every filter.
    if ((h.readError || !h.clean) && !std::exchange(m_historyProblemTold, true))
        reportProblem(historyProblem(h, m_desc.history.fileName));

    refreshSelectedView();
}

void GameFrame::cmdAllDsp_Click()
{
    fillHistory(QString(), QString());
}

void GameFrame::filter_Click(const QString &filterName)
{
    QComboBox *box = m_history->filterBox(filterName);
    if (!box)
        qFatal("%s has no filter box %s", qPrintable(m_desc.windowName()), qPrintable(filterName));
    if (box->currentIndex() < 0)
        return;
    fillHistory(filterName, box->currentText());
}

// ---------------------------------------------------------------- charts

void GameFrame::resetViewButtons()
{
    m_history->viewButtons()->resetColors();
}

void GameFrame::refreshSelectedView()
{
    m_history->refreshSelectedView();
}

void GameFrame::view_Click(const QString &buttonName)
{
    m_history->viewButtons()->click(buttonName);
    if (m_desc.view(buttonName)->columns.size() > 0)
        viewPressed();
}

void GameFrame::viewPressed()
{
    if (!m_desc.panel.enabled || !m_desc.panel.viewMakesTall)
        return;
    // From スタート to the end of the play the board is the player's: a view
    // asked for meanwhile is drawn in the panel as it is.
    if (m_desc.panel.tallCoversPlayArea && m_state != PlayState::Idle && m_state != PlayState::Finished)
        return;
    setPanelTall(true);
}

// ---------------------------------------------------------------- settings and saving

bool GameFrame::autoSave() const
{
    return m_desc.autoSaveSetting >= 0 && m_settings.toInt(m_desc.autoSaveSetting) == 1;
}

void GameFrame::writeSettings()
{
    const text::WriteResult r = m_settings.write();
    if (!r)
        reportProblem(r.message);
}

void GameFrame::reportProblem(const QString &message)
{
    if (m_closing)
        return;
    if (!m_helpShown) {
        // While the window opens, problems are told once it is on screen, and
        // once per run: the same file read again at the next opening of the
        // window is not told again.
        if (!m_pendingProblems.contains(message) && m_ctx.session.tellOnce(QStringLiteral("open:") + message))
            m_pendingProblems.append(message);
        return;
    }
    m_ctx.messages.warn(this, message, m_desc.caption);
}

bool GameFrame::backUp(const QString &fileName)
{
    const BackupResult r = backUpFile(fileName, m_ctx.clock.now());
    // Asked for by the player's own command: told at once, never held back
    // as the problems of the opening are.
    if (!r && !m_closing)
        m_ctx.messages.warn(this, r.message, m_desc.caption);
    return r.ok;
}

void GameFrame::chkAs_Click()
{
    const bool on = m_chkAs->isChecked();
    if (m_desc.autoSaveSetting >= 0)
        m_settings.setInt(m_desc.autoSaveSetting, on ? 1 : 0);
    writeSettings();
    showSaveMode();
}

void GameFrame::showSaveMode()
{
    const bool on = m_chkAs->isChecked();
    // A play is saved once: its 保存 stays grey until the next play.
    m_cmdHozon->setEnabled(!on && !m_playSaved);
    m_chkAs->setText(on ? QString() : kManualSaveCaption);
}

void GameFrame::cmdHozon_Click()
{
    // Once saved, a play is in the history and the log: a second press (or
    // manual saving chosen after an automatic save) would count it twice.
    if (m_closing || m_state != PlayState::Finished || m_playSaved)
        return;
    const QDateTime now = m_ctx.clock.now();
    const std::optional<SavedPlay> saved = result(now);
    if (!saved)
        return;
    const HistoryEntry &entry = saved->entry;
    // Nothing is half saved: the history and the play log get the play together or not at all.
    bool retryable = true;
    const text::WriteResult w = savePlay(m_desc.history, entry, saved->record, &retryable);
    if (!w) {
        // Half written and not to be tried again (the message says so): the
        // history holds the line, so the grid shows it, and a second press
        // would write it twice.
        if (!retryable) {
            markSaved();
            m_history->appendSaved(entry, saved->gridRow);
            m_bestLine->played(entry, playedMode());
        }
        reportProblem(unsavedPlayMessage(w.message, retryable, m_chkAs->isChecked()));
        return;
    }
    markSaved();
    m_history->appendSaved(entry, saved->gridRow);
    m_bestLine->played(entry, playedMode());
    if (m_desc.panel.enabled && m_desc.panel.saveMakesCompact) {
        showHistoryPanel(); // a panel put away comes back to show the new row
        setPanelTall(false);
    }
}

void GameFrame::markSaved()
{
    m_playSaved = true;
    // The focus leaves the button as it turns grey for スタート, as after an
    // automatic save: left to Qt it would go on to クリア, where the next
    // Space of a player pressing 保存 again would ask to clear the history.
    if (m_cmdHozon->hasFocus() && m_cmdStart->isEnabled())
        m_cmdStart->setFocus(Qt::OtherFocusReason);
    showSaveMode();
}

bool GameFrame::saveIfAutomatic()
{
    QPointer<GameFrame> self(this);
    if (autoSave())
        cmdHozon_Click();
    return self && !self->m_closing;
}

void GameFrame::cmdClear_Click()
{
    if (!m_ctx.messages.ask(this, QStringLiteral("履歴データをクリアします。よろしいですか？"),
                            QStringLiteral("クリア確認")))
        return;
    // The history and whatever the game resets with it are copied first; one
    // copy missing and nothing is cleared.
    if (!backUp(m_desc.history.fileName) || !backUpBeforeClear())
        return;
    const text::WriteResult r = clearHistory(m_desc.history);
    if (!r) {
        reportProblem(r.message);
        return;
    }
    m_history->clear();
    m_bestLine->cleared();
    historyCleared();
    m_ctx.messages.info(this, QStringLiteral("履歴データをクリアしました"), QStringLiteral("クリア終了"));
}

// ---------------------------------------------------------------- way back

void GameFrame::leaveWindow()
{
    if (m_closing)
        return;
    m_closing = true;
    m_state = PlayState::Idle;
    m_tmrStart->stop();
    m_tmrPlay->stop();
    m_tmrBp->stop();
    // Any display or delay still waiting inside a handler ends now.
    m_ctx.clock.wake();
    m_ctx.navigator.showMain();
}

void GameFrame::refuseOpening(const OpenRefusal &refusal)
{
    // Nothing of the window has been loaded and nothing will be: no timer runs,
    // no file is touched and the help text is never handed on.
    m_closing = true;
    m_tmrStart->stop();
    m_tmrPlay->stop();
    m_tmrBp->stop();
    m_ctx.messages.warn(nullptr, refusal.text, refusal.title);
    if (refusal.endProgram)
        m_ctx.navigator.quit();
    else
        m_ctx.navigator.showMain();
    // Still inside its opening: the window goes once control is back in the
    // event loop. The factory that built it sees closing() and does not show it.
    deleteLater();
}

void GameFrame::cmdEnd_Click()
{
    QPointer<GameFrame> self(this);
    leaveWindow();
    if (self)
        close(); // deleted later; a handler still waiting in a nested loop sees it gone (waitMs)
}

void GameFrame::closeEvent(QCloseEvent *event)
{
    leaveWindow();
    event->accept();
}

// ---------------------------------------------------------------- countdown and timers

void GameFrame::cmdStart_Click()
{
    // A play starts from no play or a finished one, never over a running one.
    if (m_closing || (m_state != PlayState::Idle && m_state != PlayState::Finished))
        return;
    m_state = PlayState::Countdown;
    m_tick = 0;
    m_playSaved = false;
    showSaveMode();
    if (m_desc.panel.enabled && m_desc.panel.startMakesCompact) {
        // A panel the player hid comes back with a new play, compact.
        if (m_desc.panel.startShowsPanel)
            showHistoryPanel();
        setPanelTall(false);
    }
    m_bestLine->hideStanding();
    prepareBoard();
    // Pressed from the keyboard: the focus waits in the play area for the
    // board or the answers, instead of running on to the next control.
    if (m_cmdStart->hasFocus())
        m_playArea->setFocus(Qt::OtherFocusReason);
    m_cmdStart->setEnabled(false);
}

void GameFrame::hideCountdownPictures()
{
    m_countdown->hideAll();
}

void GameFrame::tmrStart_Timer()
{
    if (m_closing)
        return;
    if (m_state != PlayState::Countdown) {
        m_tick = 0;
        return;
    }
    ++m_tick;
    m_countdown->showTick(m_tick);
    if (m_tick >= 3) {
        m_state = PlayState::Showing;
        beginPlay(); // the window may be gone when this returns
    }
}

void GameFrame::startPlayClock()
{
    m_playStartNs = m_ctx.clock.elapsedNs();
    m_lblJikan->setText(text::format0_0(0.0));
    m_tmrPlay->start();
}

void GameFrame::stopPlayClock()
{
    m_tmrPlay->stop();
}

double GameFrame::playSeconds() const
{
    return double(m_ctx.clock.elapsedNs() - m_playStartNs) / 1e9;
}

void GameFrame::tmrPlay_Timer()
{
    if (m_closing)
        return;
    m_lblJikan->setText(text::format0_0(playSeconds()));
}

void GameFrame::tmrBp_Timer()
{
    if (m_closing || !busy())
        return;
    QPointer<GameFrame> self(this);
    const QList<std::function<void()>> steps = bpSteps();
    for (const std::function<void()> &step : steps) {
        if (!self || self->m_closing || !self->busy())
            return;
        try {
            step();
        } catch (...) {
            // A failing step is skipped; the next one still runs.
        }
    }
}

// ---------------------------------------------------------------- play state and waiting

void GameFrame::setPlayState(PlayState state)
{
    m_state = state;
}

bool GameFrame::finishPlay()
{
    setPlayState(PlayState::Finished);
    if (!saveIfAutomatic())
        return false;
    m_cmdStart->setEnabled(true);
    m_cmdStart->setFocus();
    return true;
}

bool GameFrame::letEventsRun()
{
    if (m_closing)
        return false;
    QPointer<GameFrame> self(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return self && !self->m_closing;
}

} // namespace kioku
