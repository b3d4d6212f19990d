#include "games/typing/typingframe.h"

#include "core/clock.h"
#include "core/rules/dictionary.h"
#include "core/text/formats.h"
#include "core/text/recordline.h"
#include "widgets/answerbox.h"
#include "widgets/appcontext.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/playparts.h"
#include "widgets/textscale.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kioku {

namespace {
constexpr int kBarHeight = 12;
} // namespace

TypingFrame::TypingFrame(AppContext &ctx, GameDescription description, TypingSetup setup, QWidget *parent)
    : GameFrame(ctx, std::move(description), parent), m_setup(setup)
{
    // The play's boxes offer what the history's filters offer.
    m_answerCountItems = this->description().filter(QStringLiteral("cboKaisu2"))->items;
    m_playSecondsItems = this->description().filter(QStringLiteral("cboJikan2"))->items;
    buildTypingParts();
}

void TypingFrame::buildTypingParts()
{
    m_modeBox = new QGroupBox(QStringLiteral("設定"), this);
    m_modeBox->setObjectName(QStringLiteral("fraSettei"));
    auto *ml = new QHBoxLayout(m_modeBox);
    m_optTimed = new QRadioButton(rules::playModeItem(rules::PlayMode::Timed), m_modeBox);
    m_optTimed->setObjectName(QStringLiteral("optMode1"));
    m_optCounted = new QRadioButton(rules::playModeItem(rules::PlayMode::Counted), m_modeBox);
    m_optCounted->setObjectName(QStringLiteral("optMode0"));
    auto *group = new QButtonGroup(m_modeBox);
    group->addButton(m_optTimed, 1);
    group->addButton(m_optCounted, 0);
    connect(group, &QButtonGroup::idClicked, this, &TypingFrame::optMode_Click);
    m_cboJikan = new QComboBox(m_modeBox);
    m_cboJikan->setObjectName(QStringLiteral("cboJikan"));
    m_cboJikan->setMinimumContentsLength(4);
    connect(m_cboJikan, &QComboBox::activated, this, [this](int) { cboJikan_Click(); });
    m_cboKaisu = new QComboBox(m_modeBox);
    m_cboKaisu->setObjectName(QStringLiteral("cboKaisu"));
    m_cboKaisu->setMinimumContentsLength(4);
    connect(m_cboKaisu, &QComboBox::activated, this, [this](int) { cboKaisu_Click(); });
    ml->addWidget(m_optTimed);
    ml->addWidget(m_cboJikan);
    ml->addSpacing(8);
    ml->addWidget(m_optCounted);
    ml->addWidget(m_cboKaisu);

    m_resultBox = new QGroupBox(QStringLiteral("結果"), this);
    m_resultBox->setObjectName(QStringLiteral("fraKekka"));
    auto *rl = new QHBoxLayout(m_resultBox);
    // Each box as wide as its widest value: the seconds are those left of a
    // timed play or the tenths of a counted one.
    m_lblOk = valueLabel(QStringLiteral("lblOk"), m_resultBox, {widest::kCount});
    m_lblNg = valueLabel(QStringLiteral("lblNg"), m_resultBox, {widest::kCount});
    m_lblMoji_T = valueLabel(QStringLiteral("lblMoji_T"), m_resultBox, {widest::kCount});
    m_lblRitu = valueLabel(QStringLiteral("lblRitu"), m_resultBox, {widest::kRate});
    m_lblByou = valueLabel(QStringLiteral("lblByou"), m_resultBox, {widest::kPerSecond});
    QLabel *jikan = lblJikan();
    jikan->setParent(m_resultBox);
    styleValueLabel(jikan, QStringList(m_playSecondsItems) << widest::kTenths);
    addCaptionedValues(rl,
                       {{QStringLiteral("正解"), m_lblOk},
                        {QStringLiteral("不正解"), m_lblNg},
                        {QStringLiteral("解答数"), m_lblMoji_T},
                        {QStringLiteral("正解率"), m_lblRitu},
                        {QStringLiteral("タイプ数／秒"), m_lblByou},
                        {QStringLiteral("時間"), jikan}});

    m_txtKaitou = new AnswerBox(this);
    m_txtKaitou->setObjectName(QStringLiteral("txtKaitou"));
    connect(m_txtKaitou, &AnswerBox::enterPressed, this, [this] { txtKaitou_KeyPress(13); });
    connect(m_txtKaitou, &AnswerBox::escapePressed, this, [this] { txtKaitou_KeyPress(27); });

    m_timeBar = new TimeBar(boardPx(m_setup.barWidth), boardPx(kBarHeight), this);

    // A view or the whole history asked for during a play leaves the keys
    // where the play needs them.
    const auto keysBack = [this] {
        if (!noPlay())
            m_txtKaitou->setFocus();
    };
    connect(viewButtons(), &GraphButtons::pressed, this, keysBack);
    connect(cmdAllDsp(), &QPushButton::clicked, this, keysBack);
}

QLabel *TypingFrame::makeWordLabel(QWidget *board, int minWidth)
{
    auto *l = new QLabel(board);
    l->setObjectName(QStringLiteral("lblMondai"));
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumSize(boardSize(minWidth, 64));
    QFont f = l->font();
    f.setPointSizeF(boardPt(26));
    f.setBold(true);
    l->setFont(f);
    l->setFrameShape(QFrame::Box);
    return l;
}

QGroupBox *TypingFrame::makeWordListBox(QWidget *parent, int minWidth, int maxHeight)
{
    m_fraJisyo = new QGroupBox(parent);
    m_fraJisyo->setObjectName(QStringLiteral("fraJisyo"));
    auto *layout = new QVBoxLayout(m_fraJisyo);
    m_lstJisyo = new QListWidget(m_fraJisyo);
    m_lstJisyo->setObjectName(QStringLiteral("lstJisyo"));
    m_lstJisyo->setMinimumWidth(scaledPx(minWidth));
    m_lstJisyo->setMaximumHeight(scaledPx(maxHeight));
    layout->addWidget(m_lstJisyo);
    return m_fraJisyo;
}

QComboBox *TypingFrame::addSettingBox(const QString &objectName, const QString &caption)
{
    auto *box = new QComboBox(m_modeBox);
    box->setObjectName(objectName);
    auto *ml = static_cast<QHBoxLayout *>(m_modeBox->layout());
    ml->addSpacing(8);
    ml->addWidget(captionLabel(caption, m_modeBox));
    ml->addWidget(box);
    return box;
}

void TypingFrame::addSettingsAndResults(QHBoxLayout *strip)
{
    strip->addWidget(m_modeBox);
    strip->addWidget(m_resultBox, 1);
}

void TypingFrame::showChoices(QComboBox *box, const QStringList &items, const QString &current)
{
    box->clear();
    box->addItems(items);
    if (box->findText(current) < 0)
        box->addItem(current); // a value written into the file by hand still shows
    box->setCurrentIndex(box->findText(current));
}

QHBoxLayout *TypingFrame::makeAnswerRow(QWidget *board)
{
    auto *row = new QHBoxLayout;
    row->addWidget(captionLabel(QStringLiteral("解答"), board));
    m_txtKaitou->setParent(board);
    QFont f = m_txtKaitou->font();
    f.setPointSizeF(boardPt(18));
    m_txtKaitou->setFont(f);
    row->addWidget(m_txtKaitou, 1);
    return row;
}

// ---------------------------------------------------------------- opening and settings

std::optional<GameFrame::OpenRefusal> TypingFrame::openRefusal()
{
    // Without words there is nothing to play: the player is told which list
    // to fill, and stays in the main window.
    m_load = rules::loadDictionary(rules::dictionaryFile(description().game), m_setup.maxWordLength);
    if (!m_load.ok())
        return OpenRefusal{m_load.message, description().caption, false};
    return std::nullopt;
}

void TypingFrame::loadGame()
{
    m_dictionary = m_load.dictionary;
    if (m_fraJisyo)
        m_fraJisyo->setTitle(rules::dictionaryCaption(description().game, m_dictionary.size()));
    showWordList();

    showChoices(m_cboJikan, m_playSecondsItems, settings().text(m_setup.playSecondsSetting));
    showChoices(m_cboKaisu, m_answerCountItems, settings().text(m_setup.answerCountSetting));
    // The stored mode is shown and becomes the program's play mode; the file
    // is not rewritten for it.
    applyPlayMode(int(rules::playModeOf(settings().text(m_setup.playModeSetting))));

    m_txtKaitou->clear();
    for (QLabel *l : {m_lblOk, m_lblNg, m_lblMoji_T, m_lblByou, m_lblRitu, lblJikan()})
        l->clear();
}

void TypingFrame::showWordList()
{
    if (!m_lstJisyo || m_listed == m_dictionary.words())
        return;
    m_listed = m_dictionary.words();
    m_lstJisyo->clear();
    m_lstJisyo->addItems(m_listed);
}

QString TypingFrame::pickWord() const
{
    return rules::pickWord(context().random, m_dictionary);
}

bool TypingFrame::refillDictionary()
{
    // The table keeps the size it had at opening: words the list has gained
    // since are left out, and a list that cannot be read leaves it as it was.
    const rules::DictionaryLoad r = rules::refillDictionary(m_dictionary, rules::dictionaryFile(description().game));
    if (!r.ok()) {
        const QString reason = r.message.section(QStringLiteral("\r\n"), 0, 0);
        reportProblem(reason + QStringLiteral("\r\nこのプレイは、画面を開いたときに読み込んだ単語で出題します。"));
        return false;
    }
    showWordList();
    return true;
}

void TypingFrame::applyPlayMode(int index)
{
    const bool timed = index == 1;
    optMode(index)->setChecked(true);
    m_cboJikan->setEnabled(timed);
    m_cboKaisu->setEnabled(!timed);
    context().session.playMode = qint16(timed ? rules::PlayMode::Timed : rules::PlayMode::Counted);
}

void TypingFrame::optMode_Click(int index)
{
    applyPlayMode(index);
    settings().setText(m_setup.playModeSetting, optMode(index)->text());
    writeSettings();
}

void TypingFrame::cboKaisu_Click()
{
    const int n = m_cboKaisu->currentText().toInt();
    if (n <= 0)
        return;
    settings().setInt(m_setup.answerCountSetting, n);
    writeSettings();
}

void TypingFrame::cboJikan_Click()
{
    const float secs = m_cboJikan->currentText().toFloat();
    if (!(secs > 0))
        return;
    if (description().settings.fields.at(m_setup.playSecondsSetting).type == ValueType::Float)
        settings().setFloat(m_setup.playSecondsSetting, secs);
    else
        settings().setInt(m_setup.playSecondsSetting, int(secs));
    writeSettings();
}

// ---------------------------------------------------------------- a play

void TypingFrame::prepareBoard()
{
    for (QLabel *l : {m_lblOk, m_lblNg, m_lblMoji_T, m_lblByou, m_lblRitu})
        l->clear();
    m_right = m_wrong = m_typed = 0;
    showCounts();
    m_playStarted = false; // the settings of the play are taken now
    m_play.timed = timedPlay();
    m_play.seconds = settings().toFloat(m_setup.playSecondsSetting);
    m_play.answerCount = settings().toInt(m_setup.answerCountSetting);
    m_play.settingText = m_play.timed ? m_cboJikan->currentText() : m_cboKaisu->currentText();
    m_playStarted = true;
    m_endSeconds = 0;
    lblJikan()->setText(m_play.timed ? m_play.settingText : text::format0_0(0.0));
    m_timeBar->setBarWidth(m_timeBar->fullWidth());
    // The answer box has the keys from スタート on: what is typed during the
    // countdown lands there, none of it anywhere else.
    m_txtKaitou->clear();
    m_txtKaitou->setFocus();
    prepareTyping();
}

void TypingFrame::startTyping()
{
    m_startNs = context().clock.elapsedNs();
    m_startMs = context().clock.timeOfDay().msec();
    m_remaining = int(m_play.seconds);
    setPlayState(PlayState::Answering);
    if (!timedPlay())
        startPlayClock();
}

bool TypingFrame::timedPlay() const
{
    if (m_playStarted)
        return m_play.timed;
    return context().session.playMode == qint16(rules::PlayMode::Timed);
}

bool TypingFrame::noPlay() const
{
    // The start button is enabled exactly while no play is under way.
    return cmdStart()->isEnabled();
}

void TypingFrame::txtKaitou_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        txtKaitou_Enter();
    else if (keyAscii == 27)
        escapeRequested();
}

void TypingFrame::txtKaitou_Enter()
{
    if (m_txtKaitou->text().isEmpty())
        return;
    if (noPlay()) {
        m_txtKaitou->clear();
        cmdStart()->setFocus();
        return;
    }
    if (playState() != PlayState::Answering)
        return; // the countdown: no word is due yet
    // The countdown's last picture has stood beside the board until the
    // player's first move.
    hideCountdownPictures();
    answerGiven(m_txtKaitou->text());
}

void TypingFrame::escapeRequested()
{
    if (noPlay()) {
        m_txtKaitou->clear();
        cmdStart()->setFocus();
        return;
    }
    if (playState() != PlayState::Answering)
        return;
    hideCountdownPictures();
    giveUp();
}

void TypingFrame::countRight(const QString &answer, bool countLength)
{
    ++m_right;
    if (countLength)
        m_typed += rules::characterCount(answer); // characters, not bytes or UTF-16 units
    showCounts();
}

void TypingFrame::addTypedCharacters(int n)
{
    m_typed += n;
}

void TypingFrame::setTypedCharacters(int n)
{
    m_typed = n;
}

void TypingFrame::countWrong()
{
    ++m_wrong;
    showCounts();
}

void TypingFrame::showCounts()
{
    m_lblOk->setText(QString::number(m_right));
    m_lblNg->setText(QString::number(m_wrong));
    m_lblMoji_T->setText(QString::number(m_right + m_wrong));
}

bool TypingFrame::answersDone() const
{
    return !timedPlay() && m_right + m_wrong >= m_play.answerCount;
}

float TypingFrame::playSecondsValue() const
{
    if (playState() == PlayState::Finished)
        return m_endSeconds;
    if (timedPlay())
        return m_playStarted ? m_play.seconds : settings().toFloat(m_setup.playSecondsSetting);
    return float(text::leadingNumber(lblJikan()->text()));
}

void TypingFrame::endPlay(double seconds)
{
    if (playState() != PlayState::Answering)
        return;
    stopPlayClock();
    m_endSeconds = float(seconds);
    setPlayState(PlayState::Finished);
    hideCountdownPictures();
    // A blank or a display still waiting inside a handler belongs to the play
    // that ended: it ends too, and shows nothing more.
    supersedeWaits();
    cmdStart()->setEnabled(true);
    m_lblByou->setText(rules::perSecondText(m_typed, float(seconds)));
    m_lblRitu->setText(rules::typingRate(m_right, m_wrong));
    if (saveIfAutomatic())
        msgRireki()->setFocus();
}

void TypingFrame::timeUp()
{
    endPlay(m_play.seconds);
}

std::optional<rules::TypingResult> TypingFrame::typingResult(const QDateTime &now) const
{
    if (m_right + m_wrong == 0)
        return std::nullopt;
    rules::TypingResult r;
    r.saved = now;
    r.right = m_right;
    r.wrong = m_wrong;
    r.typed = m_typed;
    r.seconds = playSecondsValue();
    return r;
}

QList<std::function<void()>> TypingFrame::bpSteps()
{
    if (!timedPlay() || playState() != PlayState::Answering)
        return {};
    return {[this] {
                const qint64 elapsedMs = (context().clock.elapsedNs() - m_startNs) / 1000000;
                m_remaining = rules::remainingSeconds(int(m_play.seconds), m_startMs, elapsedMs);
                const int total = qMax(1, int(m_play.seconds));
                m_timeBar->setBarWidth(qMax(0, m_timeBar->fullWidth() * m_remaining / total));
                remainingTaken(m_remaining);
            },
            [this] {
                if (m_remaining <= 0)
                    timeUp();
            }};
}

} // namespace kioku
