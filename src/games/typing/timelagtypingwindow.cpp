#include "games/typing/timelagtypingwindow.h"

#include "core/clock.h"
#include "core/rules/timelag.h"
#include "widgets/answerbox.h"
#include "widgets/appcontext.h"
#include "widgets/playparts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {
namespace tl = kioku::rules;

namespace {

constexpr int kBarWidth = 420;
constexpr double kBlankMs = 100;       // the blank before each new word
constexpr double kSecondWordMs = 1000; // the pause before the second word of a "2回" play

} // namespace

TimeLagTypingWindow::TimeLagTypingWindow(AppContext &ctx, QWidget *parent)
    : TypingFrame(ctx, timeLagDescription(),
                  {tl::TimeLagSetting::AnswerCount, tl::TimeLagSetting::PlaySeconds,
                   tl::TimeLagSetting::PlayModeSetting, kBarWidth},
                  parent)
{
    buildPlayArea();
}

void TimeLagTypingWindow::buildPlayArea()
{
    const PlayAreaLayout l = standardPlayArea();
    QWidget *area = playArea();
    m_lblMondai = makeWordLabel(l.board, kBarWidth);
    l.boardLayout->addWidget(m_lblMondai);
    l.boardLayout->addLayout(makeAnswerRow(l.board));
    l.boardLayout->addWidget(timeBar(), 0, Qt::AlignHCenter);

    l.row->addWidget(makeWordListBox(area, 150, 150));

    // The lag goes with the other settings.
    m_cboMode = addSettingBox(QStringLiteral("cboMode"), QStringLiteral("時間差"));
    connect(m_cboMode, &QComboBox::activated, this, [this](int) { cboMode_Click(); });
    addSettingsAndResults(l.strip);
}

// ---------------------------------------------------------------- opening

void TimeLagTypingWindow::loadGame()
{
    TypingFrame::loadGame();
    m_cboMode->clear();
    m_cboMode->addItems(tl::lagItems());
    m_cboMode->setCurrentIndex(m_cboMode->findText(settings().text(tl::TimeLagSetting::Lag)));
    m_lblMondai->clear();
    m_current = pickWord();
}

void TimeLagTypingWindow::cboMode_Click()
{
    if (m_cboMode->currentIndex() < 0)
        return;
    settings().setText(tl::TimeLagSetting::Lag, m_cboMode->currentText());
    writeSettings();
}

// ---------------------------------------------------------------- a play

void TimeLagTypingWindow::prepareTyping()
{
    // The play is judged and saved by the lag chosen now, whatever is chosen
    // while it runs.
    m_playLag = m_cboMode->currentText();
    // The word drawn at opening, or the one on display when the last play
    // ended, stays visible through the countdown.
    m_lblMondai->setText(m_current);
}

QString TimeLagTypingWindow::playLag() const
{
    return m_playLag.isEmpty() ? m_cboMode->currentText() : m_playLag;
}

void TimeLagTypingWindow::beginPlay()
{
    // The first word due is on screen already: the keys go to the answer box
    // from now on, and those typed during the waits below reach it after them.
    txtKaitou()->setFocus();
    m_shown.clear();
    if (!showNextWord())
        return;
    if (tl::lagOf(m_playLag) == 2) {
        if (holdInputFor(kSecondWordMs) != WaitEnd::Elapsed)
            return;
        if (!showNextWord())
            return;
    }
    txtKaitou()->setFocus();
    startTyping();
}

bool TimeLagTypingWindow::showNextWord()
{
    m_shown.append(m_lblMondai->text());
    m_current = pickWord();
    m_lblMondai->clear();
    const WaitEnd w = holdInputFor(kBlankMs);
    if (w == WaitEnd::Closed)
        return false;
    // The new word is shown even when the play ended (time out) during the
    // blank: the next play starts with the word the player saw last.
    m_lblMondai->setText(m_current);
    return w == WaitEnd::Elapsed;
}

QString TimeLagTypingWindow::dueWord() const
{
    return tl::dueWord(m_shown, tl::lagOf(playLag()));
}

void TimeLagTypingWindow::answerGiven(const QString &answer)
{
    if (answer == dueWord())
        countRight(answer);
    else
        countWrong();
    // The box is emptied before the blank, so keys typed during it are kept.
    txtKaitou()->clear();
    txtKaitou()->setFocus();
    QPointer<TimeLagTypingWindow> self(this);
    if (!showNextWord() || !self)
        return;
    if (answersDone())
        endPlay(playSecondsValue());
}

void TimeLagTypingWindow::giveUp()
{
    m_lblMondai->setText(dueWord()); // the player sees what was to be typed
    countWrong();
    endPlay(playSecondsValue());
}

std::optional<GameFrame::SavedPlay> TimeLagTypingWindow::result(const QDateTime &now) const
{
    const std::optional<tl::TypingResult> r = typingResult(now);
    if (!r)
        return std::nullopt;
    const QString lag = playLag();
    const QString mode = tl::playModeItem(timedPlay() ? tl::PlayMode::Timed : tl::PlayMode::Counted);
    return SavedPlay{tl::timeLagEntry(*r, lag), tl::timeLagRecord(*r, mode, playSettingText(), lag)};
}

} // namespace kioku
