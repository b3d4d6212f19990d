#include "games/visual/trackingmemorywindow.h"

#include "core/clock.h"
#include "core/rules/typing.h"
#include "core/text/formats.h"
#include "widgets/appcontext.h"
#include "widgets/backcolor.h"
#include "widgets/beep.h"
#include "widgets/boardkeys.h"
#include "widgets/flexgrid.h"
#include "widgets/playparts.h"
#include "widgets/shape.h"
#include "widgets/textscale.h"
#include "widgets/twips.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>
#include <functional>
#include <utility>

namespace kioku {
namespace tk = kioku::rules;

const QColor TrackingMemoryWindow::kDark(0, 0, 0);
const QColor TrackingMemoryWindow::kLit(0, 255, 0);
const QColor TrackingMemoryWindow::kWrong(255, 0, 0);
const QColor TrackingMemoryWindow::kHintIdle(192, 192, 0);
const QColor TrackingMemoryWindow::kHintShowing(192, 0, 0);
const QColor TrackingMemoryWindow::kHintAnswering(0, 128, 0);

namespace {

constexpr int kPanelSize = 68;
constexpr int kPanelSpacing = 8;
constexpr int kAnswerRowsShown = 8; // header included; past this the grid follows the newest click

const QString kHintIdleText = QStringLiteral("軌跡リスト");
const QString kHintShowingText = QStringLiteral("軌跡出題中");
const QString kHintAnsweringText = QStringLiteral("軌跡解答開始");

// A panel: a press lights it, a release over it is its click, a release away
// from it is no click.
class KeyPanel : public Shape {
public:
    KeyPanel(QWidget *parent, std::function<void()> down, std::function<void()> click, std::function<void()> cancel)
        : Shape(Shape::Kind::RoundedRectangle, parent),
          m_down(std::move(down)),
          m_click(std::move(click)),
          m_cancel(std::move(cancel))
    {
    }

protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() != Qt::LeftButton) {
            Shape::mousePressEvent(e);
            return;
        }
        m_pressed = true;
        e->accept();
        m_down();
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (e->button() != Qt::LeftButton || !std::exchange(m_pressed, false)) {
            Shape::mouseReleaseEvent(e);
            return;
        }
        e->accept();
        if (rect().contains(e->position().toPoint()))
            m_click();
        else
            m_cancel();
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        // The second press of a quick double click is a press of its own.
        mousePressEvent(e);
    }
    void changeEvent(QEvent *e) override
    {
        // A press the board stopped taking (the panels were disabled under it) has no release.
        if (e->type() == QEvent::EnabledChange && !isEnabled())
            m_pressed = false;
        Shape::changeEvent(e);
    }

private:
    std::function<void()> m_down;
    std::function<void()> m_click;
    std::function<void()> m_cancel;
    bool m_pressed = false;
};

} // namespace

TrackingMemoryWindow::TrackingMemoryWindow(AppContext &ctx, QWidget *parent)
    : GameFrame(ctx, trackingDescription(), parent)
{
    buildPlayArea();
}

void TrackingMemoryWindow::buildPlayArea()
{
    QWidget *area = playArea();
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto *row = new QHBoxLayout;
    row->setSpacing(12);
    column->addLayout(row);

    row->addWidget(countdownPanel(), 0, Qt::AlignVCenter);

    // The nine panels, three by three, numbered row by row.
    m_fraKey = new QGroupBox(QStringLiteral("パネル"), area);
    m_fraKey->setObjectName(QStringLiteral("fraKey"));
    auto *kl = new QGridLayout(m_fraKey);
    kl->setSpacing(boardPx(kPanelSpacing));
    kl->setContentsMargins(12, 10, 12, 12);
    for (int i = 1; i <= tk::kPanels; ++i) {
        auto *p = new KeyPanel(
            m_fraKey, [this, i] { cmdKey_MouseDown(i); }, [this, i] { cmdKey_Click(i); },
            [this, i] { cmdKey_Cancel(i); });
        p->setObjectName(QStringLiteral("cmdKey%1").arg(i));
        p->setFixedSize(boardSize(kPanelSize, kPanelSize));
        p->setFillColor(kDark);
        p->setBorderColor(QColor(96, 96, 96));
        p->setBorderWidth(2);
        p->setToolTip(tk::panelName(i));
        p->setCursor(Qt::PointingHandCursor);
        kl->addWidget(p, (i - 1) / 3, (i - 1) % 3);
        m_cmdKey.append(p);
    }
    row->addWidget(m_fraKey, 0, Qt::AlignVCenter);
    // The arrow keys move over the panels, Space or Enter clicks one.
    QList<QWidget *> panels(m_cmdKey.begin(), m_cmdKey.end());
    new BoardKeys(panels, 3, m_fraKey, [this](int i) {
        cmdKey_MouseDown(i + 1);
        cmdKey_Click(i + 1);
    });

    // The clicks of the turn: their number and the panel's position.
    m_msgInp = new FlexGrid(area);
    m_msgInp->setObjectName(QStringLiteral("msgInp"));
    m_msgInp->setFocusPolicy(Qt::NoFocus);
    m_msgInp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_msgInp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    row->addWidget(m_msgInp, 0, Qt::AlignVCenter);

    // The state of the game and its figures.
    auto *status = new QVBoxLayout;
    status->setSpacing(8);
    m_lblHint = new QLabel(area);
    m_lblHint->setObjectName(QStringLiteral("lblHint"));
    m_lblHint->setAlignment(Qt::AlignCenter);
    m_lblHint->setMinimumSize(scaledSize(180, 40));
    m_lblHint->setFrameShape(QFrame::StyledPanel);
    {
        QFont f = m_lblHint->font();
        f.setPointSizeF(boardPt(15));
        f.setBold(true);
        m_lblHint->setFont(f);
    }
    status->addWidget(m_lblHint);

    auto *figures = new QGridLayout;
    figures->setHorizontalSpacing(6);
    figures->setVerticalSpacing(6);
    // A long trace, the clicks of a whole game, the clicks of a turn against
    // its length, and the seconds in tenths.
    m_lblMoji_T = valueLabel(QStringLiteral("lblMoji_T"), area, {widest::kCount});
    m_lblOk = valueLabel(QStringLiteral("lblOk"), area, {widest::kCount});
    m_lblbun = valueLabel(QStringLiteral("lblbun"), area, {tk::progressText(99, 99)});
    m_lblbun->setAlignment(Qt::AlignCenter);
    QLabel *jikan = lblJikan();
    jikan->setParent(area);
    styleValueLabel(jikan, {widest::kTenths});
    const QList<QPair<QString, QLabel *>> values = {{QStringLiteral("ターン数"), m_lblMoji_T},
                                                    {QStringLiteral("軌跡数"), m_lblOk},
                                                    {QStringLiteral("入力"), m_lblbun},
                                                    {QStringLiteral("秒"), jikan}};
    for (int i = 0; i < values.size(); ++i) {
        figures->addWidget(captionLabel(values.at(i).first, area), i / 2, (i % 2) * 2);
        figures->addWidget(values.at(i).second, i / 2, (i % 2) * 2 + 1);
    }
    status->addLayout(figures);
    status->addStretch(1);

    // Under the figures: the lighting time, and スタート at the right (one row
    // with them, so the window stays low enough for a small screen at a large
    // text size).
    auto *setting = new QGroupBox(QStringLiteral("設定"), area);
    setting->setObjectName(QStringLiteral("fraSettei"));
    auto *sl = new QHBoxLayout(setting);
    m_cboJikan = new QComboBox(setting);
    m_cboJikan->setObjectName(QStringLiteral("cboJikan"));
    m_cboJikan->setMinimumContentsLength(4);
    m_cboJikan->setToolTip(QStringLiteral("パネルが点灯している秒数"));
    connect(m_cboJikan, &QComboBox::activated, this, [this](int) { cboJikan_Click(); });
    sl->addWidget(captionLabel(QStringLiteral("点灯秒"), setting));
    sl->addWidget(m_cboJikan);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(setting);
    bottom->addStretch(1);
    cmdStart()->setParent(area);
    cmdStart()->setMinimumSize(scaledSize(104, 40));
    bottom->addWidget(cmdStart(), 0, Qt::AlignBottom);
    status->addLayout(bottom);
    row->addLayout(status, 1);
}

Shape *TrackingMemoryWindow::cmdKey(int index) const
{
    return index >= 1 && index <= tk::kPanels ? m_cmdKey.at(index - 1) : nullptr;
}

QColor TrackingMemoryWindow::panelColor(int index) const
{
    const Shape *p = cmdKey(index);
    return p ? p->fillColor() : QColor();
}

// ---------------------------------------------------------------- opening

void TrackingMemoryWindow::loadGame()
{
    resetAnswerGrid();
    m_lblOk->clear();
    m_lblMoji_T->clear();
    lblJikan()->clear();
    m_lblbun->setText(tk::progressText(0, 0));
    showHint(kHintIdleText, kHintIdle);

    m_cboJikan->clear();
    m_cboJikan->addItems(tk::lightingTimeItems());
    m_lighting = settings().toFloat(tk::TrackingSetting::LightingTime);
    const QString shown = tk::lightingTimeText(m_lighting);
    if (m_cboJikan->findText(shown) < 0)
        m_cboJikan->addItem(shown); // a value written into the file by hand still shows
    m_cboJikan->setCurrentIndex(m_cboJikan->findText(shown));
}

void TrackingMemoryWindow::cboJikan_Click()
{
    const float t = m_cboJikan->currentText().toFloat();
    if (!(t > 0))
        return;
    // A game under way keeps the time it began with; the new one applies from the next start.
    settings().setFloat(tk::TrackingSetting::LightingTime, t);
    writeSettings();
}

// ---------------------------------------------------------------- panels and labels

void TrackingMemoryWindow::showHint(const QString &text, const QColor &back)
{
    m_lblHint->setText(text);
    setBackColor(m_lblHint, back); // its text black or white, whichever reads on the colour
}

void TrackingMemoryWindow::setPanel(int index, const QColor &c)
{
    if (Shape *p = cmdKey(index))
        p->setFillColor(c);
}

void TrackingMemoryWindow::darkenPanels()
{
    for (Shape *p : std::as_const(m_cmdKey))
        p->setFillColor(kDark);
}

void TrackingMemoryWindow::setPanelsEnabled(bool on)
{
    for (Shape *p : std::as_const(m_cmdKey))
        p->setEnabled(on);
}

void TrackingMemoryWindow::resetAnswerGrid()
{
    m_msgInp->setColumns({GridColumn{QStringLiteral("回"), 500, Qt::AlignRight | Qt::AlignVCenter},
                          GridColumn{QStringLiteral("位置"), 1640, Qt::AlignLeft | Qt::AlignVCenter}});
    const int frame = 2 * m_msgInp->frameWidth();
    m_msgInp->setFixedWidth(m_msgInp->columnWidth(0) + m_msgInp->columnWidth(1) + frame
                            + m_msgInp->verticalScrollBar()->sizeHint().width());
    m_msgInp->setFixedHeight(m_msgInp->horizontalHeader()->height()
                             + (kAnswerRowsShown - 1) * m_msgInp->verticalHeader()->defaultSectionSize() + frame);
}

void TrackingMemoryWindow::addAnswerRow(int panel)
{
    const int n = m_msgInp->rows(); // the clicks so far, this one included
    m_msgInp->addRow({QString::number(n), tk::panelName(panel)});
    // The newest click is always in view (the grid shows fewer rows than the
    // old window's taller list did).
    m_msgInp->scrollToLastIfMoreThan(kAnswerRowsShown);
}

double TrackingMemoryWindow::lightingMs() const
{
    return std::round(double(m_lighting) * 1000.0);
}

GameFrame::WaitEnd TrackingMemoryWindow::pause(double ms)
{
    // The board takes no clicks while the trace is shown: they are dropped, not kept for later.
    return blockFor(ms, m_fraKey);
}

// ---------------------------------------------------------------- a game

void TrackingMemoryWindow::prepareBoard()
{
    context().session.playMode = qint16(rules::PlayMode::Counted); // a game counts turns, never runs out of time
    m_hasResult = false;
    m_answering = false;
    m_trace = tk::Trace();
    m_lblMoji_T->setText(QStringLiteral("0"));
    m_lblOk->setText(QStringLiteral("0"));
    m_lblbun->setText(tk::progressText(0, 0));
    lblJikan()->setText(text::format0_0(0.0));
    showHint(kHintIdleText, kHintIdle);
    resetAnswerGrid();
    darkenPanels();
    setPanelsEnabled(false);
}

void TrackingMemoryWindow::beginPlay()
{
    // The lighting time is read now, so a time chosen during the countdown applies to this game.
    m_lighting = settings().toFloat(tk::TrackingSetting::LightingTime);
    m_lightingText = tk::lightingTimeText(m_lighting);
    hideCountdownPictures();
    setPanelsEnabled(false);
    showHint(kHintShowingText, kHintShowing);

    if (pause(lightingMs()) != WaitEnd::Elapsed)
        return; // the window is going: touch nothing
    const int first = tk::drawFirstPanel(context().random);
    m_trace.begin(first);
    setPanel(first, kLit);
    if (pause(lightingMs()) != WaitEnd::Elapsed)
        return;
    setPanel(first, kDark);

    openTurn();
    startPlayClock();
}

void TrackingMemoryWindow::openTurn()
{
    m_lblMoji_T->setText(QString::number(m_trace.length()));
    m_lblbun->setText(tk::progressText(0, m_trace.length()));
    m_answering = true;
    setPanelsEnabled(true);
    showHint(kHintAnsweringText, kHintAnswering);
    setPlayState(PlayState::Answering);
}

void TrackingMemoryWindow::cmdKey_MouseDown(int index)
{
    if (closing() || !cmdKey(index))
        return;
    if (cmdStart()->isEnabled()) {
        cmdStart()->setFocus();
        return;
    }
    // The light of the press, while the player answers.
    if (m_answering && playState() == PlayState::Answering)
        setPanel(index, kLit);
}

void TrackingMemoryWindow::cmdKey_Cancel(int index)
{
    if (closing() || !m_answering || playState() != PlayState::Answering)
        return;
    setPanel(index, kDark);
}

void TrackingMemoryWindow::cmdKey_Click(int index)
{
    if (closing() || !cmdKey(index))
        return;
    // Clicks count only while a turn is answered: not while a trace is shown,
    // not between two turns, not after the game.
    if (!m_answering || playState() != PlayState::Answering) {
        if (cmdStart()->isEnabled())
            cmdStart()->setFocus();
        return;
    }
    const tk::Trace::Click judged = m_trace.click(index);
    if (judged == tk::Trace::Click::Ignored)
        return;
    setPanel(index, kDark);
    addAnswerRow(index);
    m_lblbun->setText(tk::progressText(int(m_trace.clicks().size()), m_trace.length()));

    if (judged == tk::Trace::Click::Wrong) {
        endGame(index);
        return;
    }
    m_lblOk->setText(QString::number(m_trace.rightTotal()));
    if (judged == tk::Trace::Click::TurnDone)
        nextTurn();
}

void TrackingMemoryWindow::nextTurn()
{
    // From the last right click on, the board takes no clicks until the longer trace has been shown.
    setPlayState(PlayState::Showing);
    setPanelsEnabled(false);
    if (pause(kTurnPauseMs) != WaitEnd::Elapsed)
        return; // the window is going: touch nothing
    showHint(kHintShowingText, kHintShowing);

    m_trace.grow(tk::drawNextPanel(context().random));
    resetAnswerGrid();
    if (pause(kTurnPauseMs) != WaitEnd::Elapsed)
        return;

    // Each panel lit for one lighting time, then dark for one; every phase is
    // timed from its own start on the clock.
    const double ms = lightingMs();
    const QList<int> panels = m_trace.panels();
    for (const int panel : panels) {
        setPanel(panel, kLit);
        if (pause(ms) != WaitEnd::Elapsed)
            return;
        setPanel(panel, kDark);
        if (pause(ms) != WaitEnd::Elapsed)
            return;
    }
    openTurn();
}

void TrackingMemoryWindow::endGame(int clicked)
{
    m_answering = false;
    const int expected = m_trace.expectedAt(int(m_trace.clicks().size()));
    const int last = m_msgInp->rows() - 1;
    m_msgInp->setCellBackColor(last, 1, kAnswerWrong);
    setPanel(expected, kLit);
    setPanel(clicked, kWrong);
    beep();

    showHint(kHintIdleText, kHintIdle);
    stopPlayClock();
    // The time shown is the time of the wrong click, and it is the time saved.
    const QString seconds = text::format0_0(playSeconds());
    lblJikan()->setText(seconds);

    m_result = tk::TrackingResult();
    m_result.turns = m_trace.length();
    m_result.progress = m_trace.rightInTurn();
    m_result.traceCount = m_trace.rightTotal();
    m_result.lightingText = m_lightingText;
    m_result.seconds = seconds.toFloat();
    m_result.progressShown = m_lblbun->text();
    m_hasResult = true;
    setPlayState(PlayState::Finished);
    cmdStart()->setEnabled(true);

    if (!saveIfAutomatic())
        return;
    msgRireki()->setFocus();
}

// ---------------------------------------------------------------- saving

std::optional<GameFrame::SavedPlay> TrackingMemoryWindow::result(const QDateTime &now) const
{
    if (!m_hasResult)
        return std::nullopt;
    tk::TrackingResult r = m_result;
    r.saved = now;
    return SavedPlay{tk::trackingEntry(r), tk::trackingRecord(r), {}};
}

} // namespace kioku
