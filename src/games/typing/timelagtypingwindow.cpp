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
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {
namespace tl = kioku::rules;

namespace {

constexpr int kBarWidth = 420;
constexpr double kBlankMs = 100;       // the blank before each new word
constexpr double kSecondWordMs = 1000; // the pause before the second word of a "2回" play

TypingSetup timeLagSetup()
{
    TypingSetup s;
    s.answerCountSetting = tl::TimeLagSetting::AnswerCount;
    s.playSecondsSetting = tl::TimeLagSetting::PlaySeconds;
    s.playModeSetting = tl::TimeLagSetting::PlayModeSetting;
    for (int i = 1; i <= 100; ++i)
        s.answerCountItems << QString::number(i);
    for (int i = 10; i <= 180; i += 5)
        s.playSecondsItems << QString::number(i);
    s.barWidth = kBarWidth;
    return s;
}

} // namespace

TimeLagTypingWindow::TimeLagTypingWindow(AppContext &ctx, QWidget *parent)
    : TypingFrame(ctx, timeLagDescription(), timeLagSetup(), parent)
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

    const WordListBox words = makeWordListBox(area, 150, 150);
    m_fraJisyo = words.box;
    m_lstJisyo = words.list;
    l.row->addWidget(m_fraJisyo);

    // The lag goes with the other settings.
    m_cboMode = new QComboBox(modeBox());
    m_cboMode->setObjectName(QStringLiteral("cboMode"));
    connect(m_cboMode, &QComboBox::activated, this, [this](int) { cboMode_Click(); });
    auto *ml = static_cast<QHBoxLayout *>(modeBox()->layout());
    ml->addSpacing(8);
    ml->addWidget(captionLabel(QStringLiteral("時間差"), modeBox()));
    ml->addWidget(m_cboMode);

    l.strip->addWidget(modeBox());
    l.strip->addWidget(resultBox(), 1);
}

// ---------------------------------------------------------------- opening

std::optional<GameFrame::OpenRefusal> TimeLagTypingWindow::openRefusal()
{
    // Without words there is nothing to play: the player is told which list
    // to fill, and stays in the main window.
    m_load = tl::loadDictionary(tl::kTimeLagDictionaryFile);
    if (!m_load.ok())
        return OpenRefusal{m_load.message, QStringLiteral("時間差記憶"), false};
    return std::nullopt;
}

void TimeLagTypingWindow::loadGame()
{
    TypingFrame::loadGame();
    m_cboMode->clear();
    m_cboMode->addItems(tl::lagItems());
    m_cboMode->setCurrentIndex(m_cboMode->findText(settings().text(tl::TimeLagSetting::Lag)));
    LoadDictionary();
    m_lblMondai->clear();
    m_current = tl::pickWord(context().random, m_dictionary);
}

void TimeLagTypingWindow::LoadDictionary()
{
    m_dictionary = m_load.dictionary;
    m_lstJisyo->clear();
    m_lstJisyo->addItems(m_dictionary.words());
    m_fraJisyo->setTitle(tl::dictionaryCaption(Game::TimeLag, m_dictionary.size()));
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
    if (!ShowNextWord())
        return;
    if (tl::lagOf(m_playLag) == 2) {
        if (holdInputFor(kSecondWordMs) != WaitEnd::Elapsed)
            return;
        if (!ShowNextWord())
            return;
    }
    txtKaitou()->setFocus();
    startTyping();
}

bool TimeLagTypingWindow::ShowNextWord()
{
    m_shown.append(m_lblMondai->text());
    m_current = tl::pickWord(context().random, m_dictionary);
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
    if (!ShowNextWord() || !self)
        return;
    if (answersDone())
        FinishPlay(playSecondsValue());
}

void TimeLagTypingWindow::giveUp()
{
    m_lblMondai->setText(dueWord()); // the player sees what was to be typed
    countWrong();
    FinishPlay(playSecondsValue());
}

std::optional<GameFrame::SavedPlay> TimeLagTypingWindow::result(const QDateTime &now) const
{
    if (rightCount() + wrongCount() == 0)
        return std::nullopt;
    tl::TypingResult r;
    r.saved = now;
    r.right = rightCount();
    r.wrong = wrongCount();
    r.typed = typedCharacters();
    r.seconds = playSecondsValue();
    const QString lag = playLag();
    const QString setting = playSettingText();
    return SavedPlay{tl::timeLagEntry(r, lag),
                     tl::timeLagRecord(r, tl::playModeItem(timedPlay() ? tl::PlayMode::Timed : tl::PlayMode::Counted),
                                       setting, lag)};
}

} // namespace kioku
