#include "games/visual/numbermemorywindow.h"

#include "core/clock.h"
#include "core/rules/numbermemory.h"
#include "core/rules/typing.h"
#include "core/text/formats.h"
#include "games/visual/recallparts.h"
#include "widgets/appcontext.h"
#include "widgets/backcolor.h"
#include "widgets/playparts.h"
#include "widgets/shape.h"
#include "widgets/textscale.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {
namespace nm = kioku::rules;

namespace {

const QColor kCover(58, 78, 122);

constexpr int kCellWidth = 44;
constexpr int kCellSpacing = 4;
constexpr int kDigitHeight = 58;
constexpr int kBarHeight = 12;

} // namespace

NumberMemoryWindow::NumberMemoryWindow(AppContext &ctx, QWidget *parent)
    : GameFrame(ctx, numberMemoryDescription(), parent)
{
    buildPlayArea();
}

void NumberMemoryWindow::buildPlayArea()
{
    const PlayAreaLayout layout = standardPlayArea();
    QWidget *area = playArea();
    QGroupBox *board = layout.board;
    QVBoxLayout *bl = layout.boardLayout;

    // The cells grow with the text size; the row, the answers and the bar are as wide as them.
    const int cellWidth = boardPx(kCellWidth);
    const int spacing = boardPx(kCellSpacing);
    const int rowWidth = nm::kDigitPositions * cellWidth + (nm::kDigitPositions - 1) * spacing;
    m_digitRow = new QWidget(board);
    m_digitRow->setObjectName(QStringLiteral("fraDigits"));
    auto *dl = new QHBoxLayout(m_digitRow);
    dl->setContentsMargins(0, 0, 0, 0);
    dl->setSpacing(spacing);
    QFont digitFont = font();
    digitFont.setPointSizeF(boardPt(26));
    digitFont.setBold(true);
    for (int i = 1; i <= nm::kDigitPositions; ++i) {
        auto *l = new QLabel(m_digitRow);
        l->setObjectName(QStringLiteral("lblMondai%1").arg(i));
        l->setFixedSize(boardSize(kCellWidth, kDigitHeight));
        l->setAlignment(Qt::AlignCenter);
        l->setFont(digitFont);
        l->setFrameShape(QFrame::Box);
        setBackColor(l, Qt::white, QColor(20, 30, 90)); // dark blue digits on white
        QSizePolicy sp = l->sizePolicy();
        sp.setRetainSizeWhenHidden(true);
        l->setSizePolicy(sp);
        dl->addWidget(l);
        m_lblMondai.append(l);
    }
    m_digitRow->setFixedSize(rowWidth, boardPx(kDigitHeight));
    m_shpWaku = new Shape(Shape::Kind::Rectangle, m_digitRow);
    m_shpWaku->setObjectName(QStringLiteral("shpWaku"));
    m_shpWaku->setFillColor(kCover);
    m_shpWaku->setBorderColor(kCover.darker(130));
    m_shpWaku->setGeometry(0, 0, rowWidth, boardPx(kDigitHeight));
    m_shpWaku->raise();
    m_digitRow->installEventFilter(this);
    bl->addWidget(m_digitRow, 0, Qt::AlignHCenter);

    auto *answerRow = new QWidget(board);
    auto *al = new QHBoxLayout(answerRow);
    al->setContentsMargins(0, 0, 0, 0);
    al->setSpacing(spacing);
    for (int i = 1; i <= nm::kDigitPositions; ++i) {
        QLineEdit *t = recallAnswerBox(i, QSize(kCellWidth, 40), 18, answerRow, true);
        t->setAlignment(Qt::AlignCenter);
        t->installEventFilter(this);
        connect(t, &QLineEdit::textChanged, this, [this, i] { txtKaitou_Change(i); });
        al->addWidget(t);
        m_txtKaitou.append(t);
    }
    answerRow->setFixedSize(rowWidth, boardPx(40));
    bl->addWidget(answerRow, 0, Qt::AlignHCenter);

    m_timeBar = new TimeBar(rowWidth, boardPx(kBarHeight), board);
    bl->addWidget(m_timeBar, 0, Qt::AlignHCenter);

    // Right, under スタート: 回答.
    m_cmdKekka = new QPushButton(QStringLiteral("回答"), area);
    m_cmdKekka->setObjectName(QStringLiteral("cmdKekka"));
    m_cmdKekka->setAutoDefault(true); // Enter on the focused button judges, as the last box sends the focus here
    connect(m_cmdKekka, &QPushButton::clicked, this, &NumberMemoryWindow::cmdKekka_Click);
    layout.addButton(m_cmdKekka);

    // Below: the settings and the result.
    QHBoxLayout *strip = layout.strip;

    // The settings and result boxes image memory has too.
    const RecallSettingsBox setting = recallSettingsBox(area, QStringLiteral("桁数"));
    m_cboKaisu = setting.cboKaisu;
    m_cboJikan = setting.cboJikan;
    m_cboKaisu->setMinimumContentsLength(3);
    connect(m_cboKaisu, &QComboBox::activated, this, [this](int) { cboKaisu_Click(); });
    connect(m_cboJikan, &QComboBox::activated, this, [this](int) { cboJikan_Click(); });
    strip->addWidget(setting.box);

    m_result = recallResultBox(area, QStringLiteral("桁数"), lblJikan(), nm::displayTimeItems());
    m_lblMoji_T = m_result.lblMoji_T;
    m_lblOk = m_result.lblOk;
    m_lblNg = m_result.lblNg;
    m_lblRitu = m_result.lblRitu;
    m_lblByou = m_result.lblByou;
    strip->addWidget(m_result.box, 1);
}

// ---------------------------------------------------------------- opening

void NumberMemoryWindow::loadGame()
{
    m_n = settings().toInt(nm::NumberMemorySetting::DigitCount);

    for (QLabel *l : std::as_const(m_lblMondai))
        l->clear();

    m_cboJikan->clear();
    m_cboJikan->addItems(nm::displayTimeItems());
    const QString time = text::shortestFloat(settings().toFloat(nm::NumberMemorySetting::DisplayTime));
    if (m_cboJikan->findText(time) < 0)
        m_cboJikan->addItem(time); // a value typed into the file by hand still shows
    m_cboJikan->setCurrentIndex(m_cboJikan->findText(time));

    m_cboKaisu->clear();
    m_cboKaisu->addItems(nm::digitCountItems());
    m_cboKaisu->setCurrentIndex(m_cboKaisu->findText(QString::number(m_n)));

    m_lblMoji_T->clear();
    m_lblOk->clear();
    m_lblNg->clear();
    m_lblRitu->clear();
    lblJikan()->clear();
    m_lblByou->setText(QStringLiteral("-----"));

    for (QLineEdit *t : std::as_const(m_txtKaitou)) {
        t->hide();
        t->clear();
    }
    m_cmdKekka->setEnabled(false);
}

// ---------------------------------------------------------------- settings

void NumberMemoryWindow::cboKaisu_Click()
{
    const int n = m_cboKaisu->currentText().toInt();
    if (n < 1 || n > nm::kDigitPositions)
        return;
    settings().setInt(nm::NumberMemorySetting::DigitCount, n);
    writeSettings();
    // A play under way keeps the count it was started with (its digits, judging
    // and saved result belong together); the new count applies from the next start.
    if (playState() == PlayState::Idle)
        m_n = n;
}

void NumberMemoryWindow::cboJikan_Click()
{
    const float t = m_cboJikan->currentText().toFloat();
    if (!(t > 0))
        return;
    settings().setFloat(nm::NumberMemorySetting::DisplayTime, t);
    writeSettings();
    lblJikan()->setText(text::shortestFloat(t));
}

// ---------------------------------------------------------------- answer boxes

void NumberMemoryWindow::txtKaitou_Change(int index)
{
    QLineEdit *box = txtKaitou(index);
    if (!box || box->text().isEmpty())
        return;
    if (index >= m_n) {
        if (m_cmdKekka->isEnabled())
            m_cmdKekka->setFocus();
    } else if (QLineEdit *next = txtKaitou(index + 1)) {
        next->setFocus();
    }
}

void NumberMemoryWindow::txtKaitou_Click(int index)
{
    if (QLineEdit *box = txtKaitou(index))
        box->clear();
}

bool NumberMemoryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_digitRow && event->type() == QEvent::Resize) {
        m_shpWaku->setGeometry(m_digitRow->rect());
    } else if (event->type() == QEvent::MouseButtonPress) {
        const int i = int(m_txtKaitou.indexOf(qobject_cast<QLineEdit *>(watched)));
        if (i >= 0)
            txtKaitou_Click(i + 1);
    } else if (event->type() == QEvent::InputMethod || event->type() == QEvent::KeyPress) {
        const int i = int(m_txtKaitou.indexOf(qobject_cast<QLineEdit *>(watched)));
        if (i >= 0 && typedIntoBoxes(i + 1, event))
            return true;
    }
    return GameFrame::eventFilter(watched, event);
}

bool NumberMemoryWindow::typedIntoBoxes(int index, QEvent *event)
{
    QString typed;
    if (event->type() == QEvent::InputMethod)
        typed = static_cast<QInputMethodEvent *>(event)->commitString();
    else
        typed = static_cast<QKeyEvent *>(event)->text();
    const QString digits = nm::plainDigits(typed);
    // A key of one plain character, or the last box (it keeps all that is
    // left, as a pasted text): as it came.
    const bool last = index >= m_n || !txtKaitou(index + 1);
    if (digits == typed && (digits.size() <= 1 || last || event->type() == QEvent::KeyPress))
        return false;

    const QString here = last ? digits : digits.left(1);
    if (event->type() == QEvent::InputMethod) {
        const auto *e = static_cast<QInputMethodEvent *>(event);
        QInputMethodEvent plain(e->preeditString(), e->attributes());
        plain.setCommitString(here, e->replacementStart(), e->replacementLength());
        QCoreApplication::sendEvent(txtKaitou(index), &plain);
    } else {
        const auto *e = static_cast<QKeyEvent *>(event);
        QKeyEvent plain(QEvent::KeyPress, e->key(), e->modifiers(), here, e->isAutoRepeat(), ushort(here.size()));
        QCoreApplication::sendEvent(txtKaitou(index), &plain);
    }
    // The box moved the focus on when it took its digit; the next one takes the rest.
    const QString rest = digits.mid(here.size());
    if (!rest.isEmpty()) {
        QInputMethodEvent more;
        more.setCommitString(rest);
        QCoreApplication::sendEvent(txtKaitou(index + 1), &more);
    }
    return true;
}

// ---------------------------------------------------------------- a play

void NumberMemoryWindow::prepareBoard()
{
    context().session.playMode = qint16(rules::PlayMode::Counted); // number memory counts, never times
    m_n = qBound(1, settings().toInt(nm::NumberMemorySetting::DigitCount), nm::kDigitPositions);

    m_timeBar->setBarWidth(m_timeBar->fullWidth());
    for (int i = 0; i < nm::kDigitPositions; ++i) {
        m_lblMondai.at(i)->hide();
        QLineEdit *t = m_txtKaitou.at(i);
        t->hide();
        setAnswerColor(t, Qt::white);
        t->clear();
    }
    m_shpWaku->show();
    m_shpWaku->raise();
    for (int i = 0; i < m_n; ++i)
        m_lblMondai.at(i)->show();

    m_lblOk->clear();
    m_lblNg->clear();
    m_lblRitu->clear();
    m_right = 0;
    m_wrong = 0;
    m_marks.clear();
    m_lblMoji_T->setText(QString::number(m_n));
    m_lblOk->setText(QStringLiteral("0"));
    m_lblNg->setText(QStringLiteral("0"));
    m_lblRitu->setText(nm::correctRate(0, m_n));
    lblJikan()->setText(m_cboJikan->currentText());

    m_cmdKekka->setEnabled(false);
}

void NumberMemoryWindow::beginPlay()
{
    // The display time is read now, so a time chosen during the countdown applies to this play.
    m_playTime = settings().toFloat(nm::NumberMemorySetting::DisplayTime);
    hideCountdownPictures();
    m_shpWaku->hide();

    const QStringList digits = nm::drawDigits(context().random, m_n);
    for (int i = 0; i < m_n; ++i)
        m_lblMondai.at(i)->setText(digits.value(i));
    if (!letEventsRun())
        return; // the window is going: touch nothing

    // The digits stay on screen until the clock passes the end of the display time.
    if (runDisplayCountdown(m_playTime, m_timeBar) != WaitEnd::Elapsed)
        return; // the window is going

    m_shpWaku->show();
    m_shpWaku->raise();
    for (int i = 0; i < m_n; ++i)
        m_txtKaitou.at(i)->show();
    m_txtKaitou.at(0)->setFocus();
    m_cmdKekka->setEnabled(true);
    setPlayState(PlayState::Answering);
}

int NumberMemoryWindow::fullBarWidth() const
{
    return m_timeBar->fullWidth();
}

QStringList NumberMemoryWindow::digitTexts() const
{
    QStringList s;
    for (QLabel *l : m_lblMondai)
        s.append(l->text());
    return s;
}

QStringList NumberMemoryWindow::answerTexts() const
{
    QStringList s;
    for (QLineEdit *t : m_txtKaitou)
        s.append(t->text());
    return s;
}

void NumberMemoryWindow::cmdKekka_Click()
{
    if (playState() != PlayState::Answering)
        return;
    const QStringList digits = digitTexts();
    const QStringList answers = answerTexts();
    const nm::DigitJudgement j = nm::judgeDigits(digits, answers, m_n);
    m_right = j.rightCount;
    m_wrong = j.wrongCount;
    for (int i = 0; i < m_n; ++i)
        setAnswerColor(m_txtKaitou.at(i), j.right.value(i) ? kAnswerRight : kAnswerWrong);
    // The marks are taken now: a box clicked or edited after judging does not change the result.
    m_marks = nm::resultMarks(digits, answers, m_n);

    m_shpWaku->hide();
    showRecallResult(m_result, m_right, m_wrong, m_n);
    if (finishPlay())
        m_cmdKekka->setEnabled(false);
}

// ---------------------------------------------------------------- saving

// The judged play as it is saved: marks and display time as they were at judging.
std::optional<GameFrame::SavedPlay> NumberMemoryWindow::result(const QDateTime &now) const
{
    if (m_right == 0 && m_wrong == 0)
        return std::nullopt;
    nm::NumberMemoryResult r;
    r.saved = now;
    r.marks = m_marks;
    r.right = m_right;
    r.wrong = m_wrong;
    r.rate = nm::correctRate(m_right, m_n);
    r.displayTime = m_playTime;
    return SavedPlay{nm::historyEntry(r), nm::playRecord(r)};
}

} // namespace kioku
