#include "games/typing/scrambledtypingwindow.h"

#include "core/clock.h"
#include "core/rules/scrambled.h"
#include "widgets/answerbox.h"
#include "widgets/appcontext.h"
#include "widgets/backcolor.h"
#include "widgets/beep.h"
#include "widgets/playparts.h"
#include "widgets/textscale.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace kioku {
namespace sc = kioku::rules;

const QColor ScrambledTypingWindow::kTileBack(255, 255, 240);
const QColor ScrambledTypingWindow::kGiveUpRed(255, 0, 0);

namespace {

constexpr int kBarWidth = 470;
constexpr int kTileSize = 48;
constexpr int kTileSpacing = 4;
constexpr int kBigLetterSize = 150;

// Each letter stands for the display seconds, then the label is blank for a
// hundredth of a second before the next one. A hundredth is shorter than a
// screen frame, so before a letter that repeats the one just shown the blank
// lasts long enough to be seen: two equal letters in a row are seen as two.
constexpr double kLetterGapMs = 10;
constexpr double kRepeatGapMs = 120;
// From the start of the last blank of a pass to the next pass (with a beep).
constexpr double kPassPauseMs = 1000;
// How long the right word stays in lblKaitou after a judgement, and the
// scrambled letters stay red after a give-up.
constexpr double kRightShownMs = 500;
constexpr double kWrongShownMs = 1200;
constexpr double kGiveUpShownMs = 700;

} // namespace

ScrambledTypingWindow::ScrambledTypingWindow(AppContext &ctx, QWidget *parent)
    : TypingFrame(ctx, scrambledDescription(),
                  {sc::ScrambledSetting::AnswerCount, sc::ScrambledSetting::PlaySeconds,
                   sc::ScrambledSetting::PlayModeSetting, kBarWidth, sc::kScrambledMaxLength},
                  parent)
{
    buildPlayArea();
}

void ScrambledTypingWindow::buildPlayArea()
{
    QWidget *area = playArea();
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto *row = new QHBoxLayout;
    row->setSpacing(12);
    column->addLayout(row);

    row->addWidget(countdownPanel(), 0, Qt::AlignVCenter);

    auto *board = new QGroupBox(QStringLiteral("問題"), area);
    board->setObjectName(QStringLiteral("fraMondai"));
    auto *bl = new QHBoxLayout(board);
    bl->setSpacing(14);
    auto *left = new QVBoxLayout;
    left->setSpacing(8);
    bl->addLayout(left, 1);

    // The tiles: as many as the word has letters.
    m_fraGattai = new QGroupBox(QStringLiteral("単語構成文字 "), board);
    m_fraGattai->setObjectName(QStringLiteral("fraGattai"));
    m_fraGattai->setToolTip(QStringLiteral("クリックするとギブアップします"));
    m_fraGattai->installEventFilter(this);
    auto *tl = new QHBoxLayout(m_fraGattai);
    tl->setSpacing(boardPx(kTileSpacing));
    tl->setContentsMargins(8, 6, 8, 8);
    QFont tileFont = font();
    tileFont.setPointSizeF(boardPt(20));
    tileFont.setBold(true);
    for (int i = 1; i <= kTiles; ++i) {
        auto *t = new QLabel(m_fraGattai);
        t->setObjectName(QStringLiteral("lblKanjiP%1").arg(i));
        t->setFixedSize(boardSize(kTileSize, kTileSize));
        t->setAlignment(Qt::AlignCenter);
        t->setFont(tileFont);
        t->setFrameShape(QFrame::Box);
        setBackColor(t, kTileBack, kTileBack);
        QSizePolicy sp = t->sizePolicy();
        sp.setRetainSizeWhenHidden(true);
        t->setSizePolicy(sp);
        t->setCursor(Qt::PointingHandCursor);
        t->installEventFilter(this);
        t->hide();
        tl->addWidget(t);
        m_lblKanjiP.append(t);
    }
    tl->addStretch(1);
    left->addWidget(m_fraGattai);

    auto *wordRow = new QHBoxLayout;
    wordRow->addWidget(captionLabel(QStringLiteral("正解の単語"), board));
    m_lblKaitou = new QLabel(board);
    m_lblKaitou->setObjectName(QStringLiteral("lblKaitou"));
    m_lblKaitou->setMinimumSize(boardSize(220, 40));
    m_lblKaitou->setFrameShape(QFrame::StyledPanel);
    m_lblKaitou->setFrameShadow(QFrame::Sunken);
    m_lblKaitou->setAlignment(Qt::AlignCenter);
    showAsField(m_lblKaitou);
    {
        QFont f = m_lblKaitou->font();
        f.setPointSizeF(boardPt(18));
        f.setBold(true);
        m_lblKaitou->setFont(f);
    }
    wordRow->addWidget(m_lblKaitou, 1);
    wordRow->addSpacing(10);
    wordRow->addWidget(captionLabel(QStringLiteral("表示回数"), board));
    m_lblLoop = valueLabel(QStringLiteral("lblLoop"), board);
    m_lblLoop->setAlignment(Qt::AlignCenter);
    m_lblLoop->setMinimumWidth(scaledPx(56));
    wordRow->addWidget(m_lblLoop);
    left->addLayout(wordRow);

    left->addLayout(makeAnswerRow(board));
    left->addWidget(timeBar(), 0, Qt::AlignHCenter);

    m_lblChui = new QLabel(board);
    m_lblChui->setObjectName(QStringLiteral("lblChui"));
    m_lblChui->setWordWrap(true);
    m_lblChui->hide();
    left->addWidget(m_lblChui);

    // One letter at a time, large, black on white.
    m_lblKanjiK = new QLabel(board);
    m_lblKanjiK->setObjectName(QStringLiteral("lblKanjiK"));
    m_lblKanjiK->setFixedSize(boardSize(kBigLetterSize, kBigLetterSize));
    m_lblKanjiK->setAlignment(Qt::AlignCenter);
    m_lblKanjiK->setFrameShape(QFrame::Box);
    setBackColor(m_lblKanjiK, Qt::white, Qt::black);
    bl->addWidget(m_lblKanjiK, 0, Qt::AlignVCenter);
    row->addWidget(board, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addStretch(1);
    cmdStart()->setParent(area);
    cmdStart()->setMinimumSize(scaledSize(104, 40));
    buttons->addWidget(cmdStart());
    buttons->addStretch(1);
    row->addLayout(buttons);

    // The display seconds go with the other settings.
    m_cboMode = addSettingBox(QStringLiteral("cboMode"), QStringLiteral("表示秒"));
    m_cboMode->setToolTip(QStringLiteral("１文字を表示する秒数"));
    connect(m_cboMode, &QComboBox::activated, this, [this](int) { cboMode_Click(); });

    auto *strip = new QHBoxLayout;
    strip->setSpacing(12);
    addSettingsAndResults(strip);
    column->addLayout(strip);
    // With the history put away the board keeps its height; the room left is below it.
    column->addStretch(1);
}

QLabel *ScrambledTypingWindow::lblKanjiP(int index) const
{
    return index >= 1 && index <= kTiles ? m_lblKanjiP.at(index - 1) : nullptr;
}

QColor ScrambledTypingWindow::tileLetterColor(int index) const
{
    const QLabel *t = lblKanjiP(index);
    return t ? textColor(t) : QColor();
}

// ---------------------------------------------------------------- opening

void ScrambledTypingWindow::loadGame()
{
    TypingFrame::loadGame();
    clearTiles();
    showSkippedWords();

    // The window opens with a scrambled word and its solution.
    m_word = pickWord();
    m_order = sc::scrambleLetters(context().random, sc::lettersOf(m_word));
    placeTiles(m_order);
    revealWord();
    m_lblLoop->setText(QStringLiteral("回"));

    showChoices(m_cboMode, sc::displaySecondsItems(),
                sc::displaySecondsItem(settings().toFloat(sc::ScrambledSetting::DisplaySeconds)));
}

void ScrambledTypingWindow::showSkippedWords()
{
    // Words too long for the nine tiles are never drawn; the window says so
    // where the player sees it every time, without a box to click away.
    const int skipped = dictionaryLoad().skippedLong;
    if (skipped > 0) {
        m_lblChui->setText(QStringLiteral("※")
                           + sc::skippedWordsMessage(sc::kScrambledDictionaryFile, skipped, sc::kScrambledMaxLength));
        m_lblChui->show();
    } else {
        m_lblChui->clear();
        m_lblChui->hide();
    }
}

void ScrambledTypingWindow::cboMode_Click()
{
    const float seconds = m_cboMode->currentText().toFloat();
    if (!(seconds > 0))
        return;
    // Taken from the next letter on, also in a running play.
    settings().setFloat(sc::ScrambledSetting::DisplaySeconds, seconds);
    writeSettings();
}

double ScrambledTypingWindow::displayMs() const
{
    return std::round(double(settings().toFloat(sc::ScrambledSetting::DisplaySeconds)) * 1000.0);
}

// ---------------------------------------------------------------- tiles and letters

void ScrambledTypingWindow::clearTiles()
{
    for (QLabel *t : std::as_const(m_lblKanjiP)) {
        t->hide();
        t->clear();
    }
}

void ScrambledTypingWindow::placeTiles(const QStringList &order)
{
    for (int i = 0; i < kTiles; ++i) {
        QLabel *t = m_lblKanjiP.at(i);
        if (i < order.size()) {
            t->setText(order.at(i));
            setBackColor(t, kTileBack, kTileBack); // there, but not readable
            t->show();
        } else {
            t->hide();
            t->clear();
        }
    }
}

void ScrambledTypingWindow::colourTiles(const QColor &letters)
{
    for (QLabel *t : std::as_const(m_lblKanjiP))
        setBackColor(t, kTileBack, letters);
}

void ScrambledTypingWindow::showLetter(const QString &letter)
{
    QFont f = font();
    f.setPointSizeF(boardPt(64));
    f.setBold(true);
    if (m_lblKanjiK->font() != f)
        m_lblKanjiK->setFont(f);
    m_lblKanjiK->setText(letter);
}

void ScrambledTypingWindow::showWholeWord(const QString &word)
{
    // As large as fits: one letter fills the label, nine share it.
    QFont f = font();
    f.setBold(true);
    const int room = boardPx(kBigLetterSize) - 16;
    for (double size = 64; size >= 8; size -= 2) {
        f.setPointSizeF(boardPt(size));
        const QFontMetrics m(f);
        if (m.horizontalAdvance(word) <= room && m.height() <= room)
            break;
    }
    m_lblKanjiK->setFont(f);
    m_lblKanjiK->setText(word);
}

void ScrambledTypingWindow::revealWord()
{
    m_lblKaitou->setText(m_word);
    colourTiles(Qt::black);
    showWholeWord(m_word);
}

// ---------------------------------------------------------------- a play

void ScrambledTypingWindow::prepareTyping()
{
    // Whatever an earlier play left running ends for good.
    ++m_playNumber;
    supersedeWaits();
    m_wordShown = m_answerFlag = m_giveUpFlag = false;
    clearTiles();
    txtKaitou()->clear();
    m_lblKanjiK->clear();
    m_lblKaitou->clear();
    m_lblLoop->setText(QStringLiteral("回"));
    // The history is not cleared under a running play.
    cmdClear()->setEnabled(false);
}

void ScrambledTypingWindow::beginPlay()
{
    const quint64 play = m_playNumber;
    txtKaitou()->setFocus();
    startTyping();
    runWords(play);
}

bool ScrambledTypingWindow::playRuns(quint64 play) const
{
    return !closing() && playState() == PlayState::Answering && m_playNumber == play;
}

void ScrambledTypingWindow::runWords(quint64 play)
{
    for (;;) {
        const WordEnd end = showScrambledWord(play);
        if (end == WordEnd::Over)
            return; // the window may be gone
        const bool goesOn = end == WordEnd::Answered ? judgeAnswer(play) : giveUpWord(play);
        if (!goesOn)
            return;
        if (answersDone()) {
            countedEnd();
            return;
        }
    }
}

ScrambledTypingWindow::WordEnd ScrambledTypingWindow::showScrambledWord(quint64 play)
{
    clearTiles();
    txtKaitou()->clear();
    m_word = pickWord();
    const QStringList letters = sc::lettersOf(m_word);
    m_pass = 1;
    m_submitted.clear();
    m_answerFlag = m_giveUpFlag = false;
    m_wordShown = true;
    const auto stop = [this, play] { return m_answerFlag || m_giveUpFlag || !playRuns(play); };
    Clock &clock = context().clock;

    for (;;) {
        m_lblLoop->setText(QString::number(m_pass));
        m_order = sc::scrambleLetters(context().random, letters);
        placeTiles(m_order);
        qint64 lastGapNs = clock.elapsedNs();
        for (int k = 0; k < m_order.size(); ++k) {
            showLetter(m_order.at(k));
            WaitEnd w = waitMs(displayMs(), stop);
            if (w == WaitEnd::Closed)
                return WordEnd::Over; // the window went: not even a member is read
            if (w != WaitEnd::Elapsed)
                return wordEnd(w, play);
            const bool repeated = k + 1 < m_order.size() && m_order.at(k + 1) == m_order.at(k);
            showLetter(QString());
            lastGapNs = clock.elapsedNs();
            w = waitMs(repeated ? kRepeatGapMs : kLetterGapMs, stop);
            if (w == WaitEnd::Closed)
                return WordEnd::Over;
            if (w != WaitEnd::Elapsed)
                return wordEnd(w, play);
        }
        const double leftMs = kPassPauseMs - double(clock.elapsedNs() - lastGapNs) / 1e6;
        const WaitEnd w = waitMs(qMax(0.0, leftMs), stop);
        if (w == WaitEnd::Closed)
            return WordEnd::Over;
        if (w != WaitEnd::Elapsed)
            return wordEnd(w, play);
        ++m_pass;
        beep();
    }
}

ScrambledTypingWindow::WordEnd ScrambledTypingWindow::wordEnd(WaitEnd wait, quint64 play) const
{
    if (wait == WaitEnd::Closed || !playRuns(play))
        return WordEnd::Over;
    if (m_answerFlag)
        return WordEnd::Answered;
    if (m_giveUpFlag)
        return WordEnd::GivenUp;
    return WordEnd::Over;
}

void ScrambledTypingWindow::answerGiven(const QString &answer)
{
    // Between two words (a judgement or a give-up on show) Enter does nothing.
    if (!m_wordShown)
        return;
    m_wordShown = false;
    m_submitted = answer;
    m_answerFlag = true;
    wakeWaits(); // judged now, not at the end of the letter on show
}

void ScrambledTypingWindow::giveUp()
{
    if (!m_wordShown)
        return;
    m_wordShown = false;
    m_giveUpFlag = true;
    // The display of this word ends where it is and never goes on.
    supersedeWaits();
}

void ScrambledTypingWindow::lblKanjiP_Click(int index)
{
    Q_UNUSED(index)
    escapeRequested(); // a tile click gives up as ESC does
}

bool ScrambledTypingWindow::eventFilter(QObject *watched, QEvent *event)
{
    const int tile = int(m_lblKanjiP.indexOf(qobject_cast<QLabel *>(watched)));
    if (watched != m_fraGattai && tile < 0)
        return TypingFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        lblKanjiP_Click(tile + 1); // 0: the frame around the tiles
        return true;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return true; // the press was the click
    default:
        return false;
    }
}

bool ScrambledTypingWindow::judgeAnswer(quint64 play)
{
    showLetter(QString());
    const QString answer = m_submitted;
    const bool right = answer == m_word;
    // Every answer's characters count, right or wrong, as soon as it is
    // judged: a time-out during the pause below keeps them.
    if (right)
        countRight(answer, false);
    else
        countWrong();
    addTypedCharacters(sc::characterCount(answer));
    m_lblKaitou->setText(m_word);
    const WaitEnd w = waitMs(right ? kRightShownMs : kWrongShownMs, [this, play] { return !playRuns(play); });
    if (w == WaitEnd::Closed || !playRuns(play))
        return false;
    m_lblKaitou->clear();
    m_answerFlag = false;
    return true;
}

bool ScrambledTypingWindow::giveUpWord(quint64 play)
{
    colourTiles(kGiveUpRed);
    countWrong();
    if (!letEventsRun() || !playRuns(play))
        return false;
    const WaitEnd w = waitMs(kGiveUpShownMs, [this, play] { return !playRuns(play); });
    if (w == WaitEnd::Closed || !playRuns(play))
        return false;
    m_lblKanjiK->clear();
    m_giveUpFlag = false;
    txtKaitou()->clear();
    txtKaitou()->setFocus();
    return true;
}

void ScrambledTypingWindow::countedEnd()
{
    m_wordShown = false;
    revealWord();
    m_lblLoop->setText(QStringLiteral("回"));
    // A counted play counts one character per answer.
    setTypedCharacters(rightCount() + wrongCount());
    cmdClear()->setEnabled(true);
    endPlay(playSecondsValue());
}

void ScrambledTypingWindow::timeUp()
{
    // The word on show is not judged; an answer typed but not sent is dropped.
    m_wordShown = false;
    supersedeWaits();
    revealWord();
    m_lblLoop->setText(QStringLiteral("回"));
    cmdClear()->setEnabled(true);
    TypingFrame::timeUp(); // over the seconds the play was started with
}

void ScrambledTypingWindow::cboJikan_Click()
{
    TypingFrame::cboJikan_Click();
    // Shown only before the first play: during a timed play lblJikan counts
    // down, and a finished play keeps its own time on screen beside its rate.
    if (playState() == PlayState::Idle)
        lblJikan()->setText(cboJikan()->currentText());
}

void ScrambledTypingWindow::remainingTaken(int remaining)
{
    // This window counts the seconds of a timed play down in lblJikan.
    lblJikan()->setText(QString::number(qMax(0, remaining)));
}

std::optional<GameFrame::SavedPlay> ScrambledTypingWindow::result(const QDateTime &now) const
{
    const std::optional<sc::TypingResult> r = typingResult(now);
    if (!r)
        return std::nullopt;
    const QString seconds =
        sc::scrambledSecondsText(timedPlay() ? sc::PlayMode::Timed : sc::PlayMode::Counted, r->seconds);
    return SavedPlay{sc::scrambledEntry(*r, seconds), sc::scrambledRecord(*r, seconds)};
}

} // namespace kioku
