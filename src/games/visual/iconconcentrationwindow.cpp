#include "games/visual/iconconcentrationwindow.h"

#include "core/text/formats.h"
#include "widgets/appcontext.h"
#include "widgets/beep.h"
#include "widgets/pictures.h"
#include "widgets/playparts.h"
#include "widgets/textscale.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace kioku {
namespace ic = kioku::rules;
using Setting = ic::IconConcentrationSetting;

namespace {

constexpr int kPictureSize = 48; // the size flag icons are drawn at: crisp, not scaled
const QString kNoRecord = QStringLiteral("-----");

// A name as large as fits under its piece (9 points down to 7).
void fitName(QLabel *l, const QString &name)
{
    QFont f = l->font();
    for (double size = 9; size >= 7; size -= 0.5) {
        f.setPointSizeF(scaledPt(size));
        if (QFontMetrics(f).horizontalAdvance(name) <= boardPx(IconConcentrationWindow::kCellWidth) - 4)
            break;
    }
    l->setFont(f);
    l->setText(name);
    l->setToolTip(name);
}

// The picture of an icon whose file cannot be read: its name on a grey tile,
// so the pieces still tell apart.
QPixmap namedTile(const QString &name)
{
    QPixmap pm(kPictureSize, kPictureSize);
    pm.fill(QColor(230, 230, 230));
    QPainter p(&pm);
    p.setPen(QColor(90, 90, 90));
    p.drawRect(0, 0, kPictureSize - 1, kPictureSize - 1);
    QFont f;
    f.setPointSizeF(8);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(2, 2, kPictureSize - 4, kPictureSize - 4), Qt::AlignCenter | Qt::TextWrapAnywhere, name);
    return pm;
}

} // namespace

IconConcentrationWindow::IconConcentrationWindow(AppContext &ctx, QWidget *parent)
    : GameFrame(ctx, iconConcentrationDescription(), parent)
{
    // The seconds go on in tenths, during the delays too: a steady tick keeps
    // each tenth on screen for a tenth, where a coarse one now and then shows
    // one for half as long and the next for half as long again.
    tmrPlay()->setTimerType(Qt::PreciseTimer);
    buildPlayArea();
}

// ---------------------------------------------------------------- opening

std::optional<GameFrame::OpenRefusal> IconConcentrationWindow::openRefusal()
{
    // The game is made for exactly twenty pictures: the player is told how
    // many are missing or too many, and the program ends.
    m_icons = ic::listIcons();
    const int count = int(m_icons.size());
    if (count < ic::kConcentrationIcons)
        return OpenRefusal{QStringLiteral("アイコンが %1個 足りません\r\nアイコンを補充してからプレイしてください。")
                               .arg(ic::kConcentrationIcons - count),
                           QStringLiteral("アイコン不足"), true};
    if (count > ic::kConcentrationIcons)
        return OpenRefusal{
            QStringLiteral("アイコンが %1個 余分です\r\n不要なアイコンを削除してからプレイしてください。")
                .arg(count - ic::kConcentrationIcons),
            QStringLiteral("アイコン余分"), true};
    return std::nullopt;
}

void IconConcentrationWindow::loadGame()
{
    enableBacks(false);

    m_records = ic::readIconRecords();
    const QString problem = m_records.problem();
    if (!problem.isEmpty())
        reportProblem(problem);

    m_chkNamae->setChecked(settings().toInt(Setting::NameDisplay) == 1);
    m_cboMondai->clear();
    m_cboMondai->addItems(ic::iconLevels());
    const QString level = settings().text(Setting::Level);
    m_cboMondai->setCurrentIndex(m_cboMondai->findText(level));
    fillDelayBox(m_cboHide, Setting::TurnBackDelay);
    fillDelayBox(m_cboDel, Setting::RemovalDelay);

    m_lblTrun->setText(QStringLiteral("0"));
    m_lblZan->setText(QString::number(kPieces));
    m_lblNg->clear();
    lblJikan()->clear();

    m_names.clear();
    for (const ic::IconFile &icon : std::as_const(m_icons))
        m_names.append(icon.name);
    loadPictures();
    for (QLabel *l : std::as_const(m_lblKoma))
        l->hide();
    // The records of the level the window opens with, as if it had been chosen.
    showRecords(level);
}

void IconConcentrationWindow::loadPictures()
{
    QStringList unreadable;
    for (const ic::IconFile &icon : std::as_const(m_icons)) {
        QPixmap pm = pictures::iconFilePicture(icon.fileName, kPictureSize);
        if (pm.isNull()) {
            unreadable.append(icon.fileName);
            pm = namedTile(icon.name);
        }
        if (!m_pictures.contains(icon.name))
            m_pictures.insert(icon.name, pm);
    }
    if (!unreadable.isEmpty())
        reportProblem(QStringLiteral("次のアイコンは画像として読み込めないため、コマに名前を書いて表示します。\r\n")
                      + unreadable.join(QStringLiteral("\r\n")));
}

QPixmap IconConcentrationWindow::pictureOf(const QString &name) const
{
    return m_pictures.value(name);
}

void IconConcentrationWindow::fillDelayBox(QComboBox *box, int setting)
{
    box->clear();
    box->addItems(ic::delayItems());
    const QString shown = text::shortestFloat(settings().toFloat(setting));
    if (box->findText(shown) < 0)
        box->addItem(shown); // a value written into the file by hand still shows
    box->setCurrentIndex(box->findText(shown));
}

// ---------------------------------------------------------------- settings

void IconConcentrationWindow::cboMondai_Click()
{
    const QString level = m_cboMondai->currentText();
    if (ic::levelIndex(level) < 0)
        return;
    if (playState() == PlayState::Countdown || busy()) {
        // The level of a dealt board stays until its game is over.
        m_cboMondai->setCurrentIndex(m_cboMondai->findText(m_playLevel));
        return;
    }
    settings().setText(Setting::Level, level);
    showRecords(level);
    writeSettings();
}

void IconConcentrationWindow::chkNamae_Click()
{
    const bool on = m_chkNamae->isChecked();
    if (!on) {
        for (QLabel *l : std::as_const(m_lblKoma))
            l->hide();
    } else if (busy()) {
        m_namesUsed = true; // names shown from now on help this game
    }
    settings().setInt(Setting::NameDisplay, on ? 1 : 0);
    writeSettings();
}

void IconConcentrationWindow::takeDelay(QComboBox *box, int setting)
{
    const float seconds = box->currentText().toFloat();
    if (!(seconds > 0))
        return;
    // Taken from the next turn on, also in a running game.
    settings().setFloat(setting, seconds);
    writeSettings();
}

void IconConcentrationWindow::cboHide_Click()
{
    takeDelay(m_cboHide, Setting::TurnBackDelay);
}

void IconConcentrationWindow::cboDel_Click()
{
    takeDelay(m_cboDel, Setting::RemovalDelay);
}

void IconConcentrationWindow::showRecords(const QString &level)
{
    const ic::LevelRecord r = m_records.level(level);
    m_lblKiroku->setText(r.hasTurns() ? QString::number(r.turns) : kNoRecord);
    m_lblKirokuByou->setText(r.hasSeconds() ? r.seconds : kNoRecord);
    m_lblSaitan->setText(ic::recordTitle(level));
}

// ---------------------------------------------------------------- a game

void IconConcentrationWindow::enableBacks(bool on)
{
    for (QAbstractButton *b : std::as_const(m_cmdKoma))
        b->setEnabled(on);
}

void IconConcentrationWindow::prepareBoard()
{
    m_cboMondai->setEnabled(false);
    m_playLevel = settings().text(Setting::Level);
    const ic::Deal deal = ic::dealBoard(context().random, m_names, ic::kindsOfLevel(m_playLevel));
    m_board = deal.board;

    m_face.fill(Face::Down, kPieces);
    for (int i = 0; i < kPieces; ++i) {
        const QString name = m_board.value(i);
        m_cmdKoma.at(i)->setEnabled(false);
        m_cmdKoma.at(i)->show();
        m_imgKoma.at(i)->setPixmap(pictureOf(name));
        m_imgKoma.at(i)->show();
        fitName(m_lblKoma.at(i), name);
        m_lblKoma.at(i)->hide();
    }

    m_turns = m_misses = m_pairs = m_open = 0;
    m_left = kPieces;
    m_delaying = false;
    m_namesUsed = false;
    m_broken = {};
    m_clearSeconds.clear();
    m_lblTrun->setText(QStringLiteral("0"));
    m_lblZan->setText(QString::number(kPieces));
    m_lblNg->setText(QStringLiteral("0"));
    lblJikan()->setText(text::format0_0(0));
}

void IconConcentrationWindow::beginPlay()
{
    hideCountdownPictures();
    enableBacks(true);
    m_namesUsed = m_chkNamae->isChecked();
    setPlayState(PlayState::Answering);
    startPlayClock();
}

void IconConcentrationWindow::cmdKoma_Click(int index)
{
    // Only a face-down piece of a running game, and never while a delay holds the board.
    if (closing() || playState() != PlayState::Answering || m_delaying || index < 1 || index > kPieces
        || m_face.value(index - 1) != Face::Down)
        return;
    const int i = index - 1;
    m_face[i] = Face::Up;
    if (m_chkNamae->isChecked())
        m_lblKoma.at(i)->show();
    m_cmdKoma.at(i)->hide();
    if (m_open == 0) {
        m_open = index;
        return;
    }

    const int j = m_open - 1;
    m_open = 0;
    const bool pair = m_board.value(i) == m_board.value(j);
    if (pair) {
        beep();
        if (m_left == 2) {
            // The board is cleared with this turn: its time is taken now,
            // the removal delay is not part of it.
            stopPlayClock();
            m_clearSeconds = text::format0_0(playSeconds());
            lblJikan()->setText(m_clearSeconds);
        }
    }
    // The two pieces stay on show for the delay; the board takes no click
    // meanwhile, while the clock, 戻り and the rest of the window go on.
    const float seconds = settings().toFloat(pair ? Setting::RemovalDelay : Setting::TurnBackDelay);
    m_delaying = true;
    if (blockFor(std::round(double(seconds) * 1000.0), m_fraBan) == WaitEnd::Closed)
        return; // the window is going: touch nothing
    m_delaying = false;

    for (int k : {j, i}) {
        m_lblKoma.at(k)->hide();
        if (pair) {
            m_imgKoma.at(k)->hide();
            m_face[k] = Face::Removed;
        } else {
            m_cmdKoma.at(k)->show();
            m_face[k] = Face::Down;
        }
    }
    ++m_turns;
    m_lblTrun->setText(QString::number(m_turns));
    if (pair) {
        m_left -= 2;
        ++m_pairs;
        m_lblZan->setText(QString::number(m_left));
    } else {
        ++m_misses;
        m_lblNg->setText(QString::number(m_misses));
    }
    if (m_left == 0)
        endGame();
}

void IconConcentrationWindow::endGame()
{
    setPlayState(PlayState::Finished);
    stopPlayClock();
    lblJikan()->setText(m_clearSeconds);
    enableBacks(false);
    showHistoryPanel();

    // Records: fewer turns, or fewer seconds as shown; an equal result is none.
    m_broken = ic::takeResult(m_records, m_playLevel, m_turns, m_clearSeconds);
    if (m_broken.any()) {
        showRecords(m_playLevel);
        // A records file holding lines it could not read would lose them in
        // the rewrite: it is copied first, and kept as it is if it cannot be.
        const bool damaged = !m_records.problem().isEmpty();
        if (!damaged || backUp(gameInfo(Game::IconConcentration).recordsFile)) {
            const text::WriteResult w = ic::writeIconRecords(m_records);
            if (!w)
                reportProblem(w.message);
        }
    }

    if (!saveIfAutomatic())
        return;
    m_cboMondai->setEnabled(true);
    cmdStart()->setEnabled(true);
    cmdStart()->setFocus();
}

// ---------------------------------------------------------------- saving and clearing

// The finished game as it was played: its level, turns, time and names,
// whatever the boxes have been set to since.
std::optional<GameFrame::SavedPlay> IconConcentrationWindow::result(const QDateTime &now) const
{
    if (m_pairs == 0 && m_misses == 0)
        return std::nullopt;
    ic::IconConcentrationResult r;
    r.saved = now;
    r.level = m_playLevel;
    r.namesShown = m_namesUsed;
    r.turns = m_turns;
    r.seconds = m_clearSeconds;
    r.turnRecord = m_broken.turns;
    r.secondsRecord = m_broken.seconds;
    return SavedPlay{ic::historyEntry(r), ic::playRecord(r), {}};
}

bool IconConcentrationWindow::backUpBeforeClear()
{
    // The records are reset with the history: they are kept as they were too.
    return backUp(ic::kIconRecordsFile);
}

void IconConcentrationWindow::historyCleared()
{
    // クリア starts the records afresh as well.
    ic::IconRecords fresh;
    const text::WriteResult w = ic::writeIconRecords(fresh);
    if (!w) {
        reportProblem(w.message);
        return;
    }
    m_records = fresh;
    showRecords(m_cboMondai->currentText());
}

} // namespace kioku
