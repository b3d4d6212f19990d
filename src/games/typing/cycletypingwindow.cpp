#include "games/typing/cycletypingwindow.h"

#include "core/rules/cycle.h"
#include "widgets/answerbox.h"
#include "widgets/appcontext.h"
#include "widgets/flexgrid.h"
#include "widgets/playparts.h"
#include "widgets/textscale.h"
#include "widgets/twips.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace kioku {
namespace cy = kioku::rules;

namespace {

constexpr int kBarWidth = 360;
constexpr int kAnswerTwips = 1220;                // design width of 問題 and 解答
constexpr int kAnswerMaxTwips = 2 * kAnswerTwips; // a longer word is cut short rather than the window widened
constexpr double kAnswerFontSize = 11;
constexpr int kAnswerScrollMoreThan = 6; // rows shown before the grid scrolls to its newest row
constexpr int kAnswerRowsShown = 7;      // header included

} // namespace

CycleTypingWindow::CycleTypingWindow(AppContext &ctx, QWidget *parent)
    : CycleTypingWindow(ctx, cy::kCycleTurnLimit, parent)
{
}

CycleTypingWindow::CycleTypingWindow(AppContext &ctx, int turnLimit, QWidget *parent)
    : TypingFrame(
        ctx, cycleDescription(),
        {cy::CycleSetting::AnswerCount, cy::CycleSetting::PlaySeconds, cy::CycleSetting::PlayModeSetting, kBarWidth},
        parent),
      m_sequence(turnLimit),
      m_columnTwips(kAnswerTwips)
{
    buildPlayArea();
}

void CycleTypingWindow::buildPlayArea()
{
    const PlayAreaLayout l = standardPlayArea();
    QWidget *area = playArea();
    auto *turnRow = new QHBoxLayout;
    m_lblMonsu = valueLabel(QStringLiteral("lblMonsu"), l.board);
    m_lblMonsu->setMinimumWidth(scaledPx(72));
    addCaptionedValues(turnRow, {{QStringLiteral("ターン数"), m_lblMonsu}});
    turnRow->addStretch(1);
    l.boardLayout->addLayout(turnRow);
    m_lblMondai = makeWordLabel(l.board, kBarWidth);
    l.boardLayout->addWidget(m_lblMondai);
    l.boardLayout->addLayout(makeAnswerRow(l.board));
    l.boardLayout->addWidget(timeBar(), 0, Qt::AlignHCenter);

    // The words of the turn, beside the board: the newest one, and each one as
    // it is typed right.
    m_msgInp = new FlexGrid(area);
    m_msgInp->setObjectName(QStringLiteral("msgInp"));
    m_msgInp->setFocusPolicy(Qt::NoFocus); // the answer box keeps the keyboard
    m_msgInp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_msgInp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    l.row->insertWidget(l.row->indexOf(l.board) + 1, m_msgInp);

    l.row->addWidget(makeWordListBox(area, 130, 170));
    addSettingsAndResults(l.strip);
}

// ---------------------------------------------------------------- opening

void CycleTypingWindow::loadGame()
{
    TypingFrame::loadGame();
    fitAnswerColumns();
    m_lblMondai->clear();
    m_sequence.clear();
    resetAnswerGrid();
}

void CycleTypingWindow::fitAnswerColumns()
{
    QFont f = m_msgInp->font();
    f.setPointSizeF(scaledPt(kAnswerFontSize)); // as the grid draws it, at the player's text size
    const QFontMetrics fm(f);
    int widest = 0;
    for (const QString &w : dictionary().words())
        widest = qMax(widest, fm.horizontalAdvance(w));
    // A cell's text sits inside a margin on either side.
    const int needed = pixelsToTwips(m_msgInp, widest + 2 * fm.averageCharWidth());
    m_columnTwips = qBound(kAnswerTwips, needed, kAnswerMaxTwips);
}

void CycleTypingWindow::fitAnswerGridSize()
{
    const int frame = 2 * m_msgInp->frameWidth();
    const int width =
        m_msgInp->columnWidth(0) + m_msgInp->columnWidth(1) + frame + m_msgInp->verticalScrollBar()->sizeHint().width();
    m_msgInp->setFixedWidth(width);
    const int height = m_msgInp->horizontalHeader()->height()
        + (kAnswerRowsShown - 1) * m_msgInp->verticalHeader()->defaultSectionSize() + frame;
    m_msgInp->setMinimumHeight(height);
}

void CycleTypingWindow::resetAnswerGrid()
{
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    m_msgInp->setColumns({GridColumn{QStringLiteral("問題"), m_columnTwips, left},
                          GridColumn{QStringLiteral("解答"), m_columnTwips, left}},
                         kAnswerFontSize);
    m_msgInp->setRows(m_sequence.turn() + 1);
    fitAnswerGridSize();
    m_lblMonsu->setText(QString::number(m_msgInp->rows()));
    m_msgInp->scrollToLastIfMoreThan(kAnswerScrollMoreThan);
}

// ---------------------------------------------------------------- a play

void CycleTypingWindow::prepareTyping()
{
    m_sequence.clear();
    resetAnswerGrid();
    m_lblMondai->clear();
}

void CycleTypingWindow::beginPlay()
{
    QPointer<CycleTypingWindow> self(this);
    // A problem with the list is told before the play's time runs.
    if (refillDictionary())
        fitAnswerColumns();
    if (!self || closing())
        return;
    resetAnswerGrid(); // in the widths the words read now need; lblMonsu shows 1
    startNextTurn();
    startTyping();
}

void CycleTypingWindow::startNextTurn()
{
    const QString word = pickWord();
    if (!m_sequence.addTurn(word))
        return;
    m_lblMondai->setText(word);
    const int turn = m_sequence.turn();
    m_msgInp->setRows(turn + 1);
    m_msgInp->setTextMatrix(turn, 0, word);
    m_msgInp->scrollToLastIfMoreThan(kAnswerScrollMoreThan); // the newest word in view
    txtKaitou()->clear();
    txtKaitou()->setFocus();
}

void CycleTypingWindow::answerGiven(const QString &answer)
{
    const int at = m_sequence.position();
    switch (m_sequence.answer(answer)) {
    case cy::CycleSequence::Judgement::Wrong:
        countWrong();
        txtKaitou()->clear(); // the same word is due again
        break;
    case cy::CycleSequence::Judgement::Right:
        countRight(answer);
        m_msgInp->setTextMatrix(at, 1, answer);
        m_msgInp->scrollTo(m_msgInp->model()->index(at - 1, 1)); // the grid follows the typing
        txtKaitou()->clear();
        break;
    case cy::CycleSequence::Judgement::TurnDone:
        countRight(answer);
        m_msgInp->setTextMatrix(at, 1, answer);
        if (m_sequence.full()) {
            // The sequence holds no more words: the play ends with the last
            // turn typed whole.
            txtKaitou()->clear();
            endPlay(playSecondsValue());
            return;
        }
        resetAnswerGrid();
        startNextTurn();
        break;
    }
    if (answersDone())
        endPlay(playSecondsValue());
}

void CycleTypingWindow::giveUp()
{
    // The player sees the word that was due and the whole sequence of the turn.
    m_lblMondai->setText(m_sequence.dueWord());
    for (int i = 1; i < m_msgInp->rows(); ++i)
        m_msgInp->setTextMatrix(i, 0, m_sequence.word(i));
    countWrong();
    endPlay(playSecondsValue());
}

std::optional<GameFrame::SavedPlay> CycleTypingWindow::result(const QDateTime &now) const
{
    const std::optional<cy::TypingResult> r = typingResult(now);
    if (!r)
        return std::nullopt;
    // The turn as lblMonsu shows it: after the last word of a turn, the next
    // turn has already begun.
    const int turn = m_sequence.turn();
    return SavedPlay{cy::cycleEntry(*r, turn), cy::cycleRecord(*r, m_sequence.position(), turn)};
}

} // namespace kioku
