#include "games/visual/imagememorywindow.h"

#include "core/rules/icons.h"
#include "core/rules/numbermemory.h"
#include "widgets/appcontext.h"
#include "widgets/backcolor.h"
#include "widgets/pictures.h"
#include "widgets/playparts.h"
#include "widgets/textscale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {
namespace im = kioku::rules;

const QColor ImageMemoryWindow::kAnswerBack(255, 255, 240);

namespace {

constexpr int kColumns = 8; // positions 1..8 on the first row, 9..15 on the second
constexpr int kPicture = 48;
constexpr int kCellWidth = 96;
constexpr int kCellSpacing = 6;
constexpr int kAnswerHeight = 30;
constexpr int kBarHeight = 12;

// The name under an icon: dark ink on a pale yellow tag.
const QColor kNameBack(255, 250, 205);

void keepPlaceWhenHidden(QWidget *w)
{
    QSizePolicy sp = w->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    w->setSizePolicy(sp);
}

// The picture of an icon file, drawn crisp: a file that holds a picture of
// the board's size or larger is shown at that size; a smaller one at its own
// size, or enlarged by a whole factor pixel for pixel, never smeared.
QPixmap boardPicture(const QString &fileName)
{
    const QIcon icon(fileName);
    int largest = 0;
    for (const QSize &s : icon.availableSizes())
        largest = qMax(largest, qMin(s.width(), s.height()));
    if (largest <= 0)
        return QPixmap();
    if (largest >= kPicture || largest * 2 > kPicture)
        return pictures::iconFilePicture(fileName, qMin(largest, kPicture));
    const QPixmap small = pictures::iconFilePicture(fileName, largest);
    if (small.isNull())
        return small;
    const int side = largest * (kPicture / largest);
    QPixmap big =
        small.scaled(QSize(side, side) * small.devicePixelRatio(), Qt::KeepAspectRatio, Qt::FastTransformation);
    big.setDevicePixelRatio(small.devicePixelRatio());
    return big;
}

} // namespace

ImageMemoryWindow::ImageMemoryWindow(AppContext &ctx, QWidget *parent)
    : GameFrame(ctx, imageMemoryDescription(), parent)
{
    buildPlayArea();
}

void ImageMemoryWindow::buildPlayArea()
{
    const PlayAreaLayout layout = standardPlayArea();
    QWidget *area = playArea();
    QGroupBox *board = layout.board;
    QVBoxLayout *bl = layout.boardLayout;

    auto *places = new QWidget(board);
    places->setObjectName(QStringLiteral("fraKoma"));
    auto *grid = new QGridLayout(places);
    grid->setContentsMargins(0, 0, 0, 0);
    // The cells grow with the text size; the places and the bar are as wide as them.
    const int rowWidth = kColumns * boardPx(kCellWidth) + (kColumns - 1) * boardPx(kCellSpacing);
    grid->setHorizontalSpacing(boardPx(kCellSpacing));
    grid->setVerticalSpacing(textScale() > 1.0 ? 6 : 10); // closer with larger text, to fit a small screen
    QFont nameFont = font();
    nameFont.setPointSizeF(boardPt(10));
    nameFont.setBold(true);
    // Two lines for a long name; at a larger text size the cells are wider and
    // a name keeps to one line, so the window still fits a small screen.
    const int nameLines = textScale() > 1.0 ? 1 : 2;
    const int nameHeight = nameLines * QFontMetrics(nameFont).lineSpacing() + 6;
    QFont missingFont = font();
    missingFont.setPointSizeF(boardPt(24));
    for (int i = 1; i <= im::kImagePositions; ++i) {
        auto *cell = new QWidget(places);
        auto *cl = new QVBoxLayout(cell);
        cl->setContentsMargins(0, 0, 0, 0);
        cl->setSpacing(3);

        auto *img = new QLabel(cell);
        img->setObjectName(QStringLiteral("imgKoma%1").arg(i));
        img->setFixedSize(boardPx(kCellWidth), kPicture + 4); // the pictures keep their size
        img->setAlignment(Qt::AlignCenter);
        img->setFont(missingFont);
        img->setCursor(Qt::PointingHandCursor);
        img->setToolTip(QStringLiteral("クリックすると名前を表示します"));
        img->installEventFilter(this);
        keepPlaceWhenHidden(img);
        cl->addWidget(img);
        m_imgKoma.append(img);

        auto *name = new QLabel(cell);
        name->setObjectName(QStringLiteral("lblKoma%1").arg(i));
        name->setFixedSize(boardPx(kCellWidth), nameHeight);
        name->setAlignment(Qt::AlignCenter);
        name->setWordWrap(true); // a long name breaks between its characters
        name->setFont(nameFont);
        name->setFrameShape(QFrame::NoFrame);
        setBackColor(name, kNameBack);
        keepPlaceWhenHidden(name);
        cl->addWidget(name);
        m_lblKoma.append(name);

        QLineEdit *box = recallAnswerBox(i, QSize(kCellWidth, kAnswerHeight), 11, cell);
        box->installEventFilter(this);
        cl->addWidget(box);
        m_txtKaitou.append(box);

        grid->addWidget(cell, (i - 1) / kColumns, (i - 1) % kColumns);
    }
    places->setFixedWidth(rowWidth);
    bl->addWidget(places, 0, Qt::AlignHCenter);

    m_timeBar = new TimeBar(rowWidth, boardPx(kBarHeight), board);
    bl->addWidget(m_timeBar, 0, Qt::AlignHCenter);

    // Right, under スタート: 回答.
    m_cmdKekka = new QPushButton(QStringLiteral("回答"), area);
    m_cmdKekka->setObjectName(QStringLiteral("cmdKekka"));
    m_cmdKekka->setAutoDefault(true); // Enter on the focused button judges, as the last box sends the focus here
    connect(m_cmdKekka, &QPushButton::clicked, this, &ImageMemoryWindow::cmdKekka_Click);
    layout.addButton(m_cmdKekka);

    // Below: the settings and the result.
    QHBoxLayout *strip = layout.strip;

    m_settingsBox = recallSettingsBox(area, QStringLiteral("個数"));
    connect(m_settingsBox.cboKaisu, &QComboBox::activated, this, [this](int) { cboKaisu_Click(); });
    connect(m_settingsBox.cboJikan, &QComboBox::activated, this, [this](int) { cboJikan_Click(); });
    m_chkHint = new QCheckBox(QStringLiteral("文字表示"), m_settingsBox.box);
    m_chkHint->setObjectName(QStringLiteral("chkHint"));
    m_chkHint->setToolTip(QStringLiteral("アイコンと一緒に名前も表示します"));
    connect(m_chkHint, &QCheckBox::clicked, this, [this] { chkHint_Click(); });
    m_settingsBox.layout->addSpacing(8);
    m_settingsBox.layout->addWidget(m_chkHint);
    strip->addWidget(m_settingsBox.box);

    m_resultBox = recallResultBox(area, QStringLiteral("個数"), lblJikan(), im::imageDisplayTimeItems());
    strip->addWidget(m_resultBox.box, 1);
}

// ---------------------------------------------------------------- opening

std::optional<GameFrame::OpenRefusal> ImageMemoryWindow::openRefusal()
{
    // Fewer icons than places: there is nothing fair to play. The player is
    // told what is missing and stays in the main window.
    const QList<im::IconFile> pool = im::iconPool(im::listIcons());
    const QString shortage = im::iconShortageText(int(pool.size()));
    if (!shortage.isEmpty())
        return OpenRefusal{shortage, QStringLiteral("アイコン不足"), false};
    m_pool.clear();
    m_files.clear();
    for (const im::IconFile &icon : pool) {
        m_pool.append(icon.name);
        m_files.insert(icon.name, icon.fileName);
    }
    return std::nullopt;
}

void ImageMemoryWindow::loadPictures()
{
    // Read once: a play shows its pictures without touching the disk.
    m_picture.clear();
    QStringList unreadable;
    for (const QString &name : std::as_const(m_pool)) {
        const QPixmap pm = boardPicture(m_files.value(name));
        if (pm.isNull())
            unreadable.append(m_files.value(name));
        m_picture.insert(name, pm);
    }
    if (!unreadable.isEmpty())
        reportProblem(QStringLiteral("次のアイコンを画像として読み込めませんでした：\r\n%1\r\n"
                                     "その場所には「？」を表示します。")
                          .arg(unreadable.join(QStringLiteral("、"))));
}

void ImageMemoryWindow::loadGame()
{
    m_n = qBound(1, settings().toInt(im::ImageMemorySetting::IconCount), im::kImagePositions);
    m_chkHint->setChecked(settings().toInt(im::ImageMemorySetting::NameDisplay) == 1);

    QComboBox *jikan = m_settingsBox.cboJikan;
    jikan->clear();
    jikan->addItems(im::imageDisplayTimeItems());
    jikan->setCurrentIndex(jikan->findText(QString::number(settings().toInt(im::ImageMemorySetting::DisplayTime))));
    QComboBox *kaisu = m_settingsBox.cboKaisu;
    kaisu->clear();
    kaisu->addItems(im::iconCountItems());
    kaisu->setCurrentIndex(kaisu->findText(QString::number(m_n)));

    m_resultBox.lblMoji_T->clear();
    m_resultBox.lblOk->clear();
    m_resultBox.lblNg->clear();
    m_resultBox.lblRitu->clear();
    lblJikan()->clear();
    m_resultBox.lblByou->setText(QStringLiteral("-----"));

    for (QLineEdit *t : std::as_const(m_txtKaitou)) {
        t->hide();
        t->clear();
    }
    m_cmdKekka->setEnabled(false);

    // A first look at the icons, with their names.
    loadPictures();
    dealIcons();
    showIcons(m_n, true);
}

// ---------------------------------------------------------------- the icons

void ImageMemoryWindow::dealIcons()
{
    for (QLabel *l : std::as_const(m_lblKoma))
        l->hide();
    m_dealt = im::dealIcons(context().random, m_pool);
    for (int i = 0; i < im::kImagePositions; ++i) {
        const QString name = m_dealt.value(i);
        m_lblKoma.at(i)->setText(name);
        const QPixmap pm = m_picture.value(name);
        if (pm.isNull())
            m_imgKoma.at(i)->setText(QStringLiteral("？"));
        else
            m_imgKoma.at(i)->setPixmap(pm);
    }
}

void ImageMemoryWindow::showIcons(int count, bool withNames)
{
    for (int i = 0; i < im::kImagePositions; ++i) {
        m_imgKoma.at(i)->setVisible(i < count);
        m_lblKoma.at(i)->setVisible(withNames && i < count);
    }
}

void ImageMemoryWindow::hideIcons()
{
    showIcons(0, false);
}

void ImageMemoryWindow::imgKoma_Click(int index)
{
    QLabel *img = imgKoma(index);
    if (!img || img->isHidden())
        return;
    lblKoma(index)->show();
}

// ---------------------------------------------------------------- settings

void ImageMemoryWindow::cboKaisu_Click()
{
    const int n = m_settingsBox.cboKaisu->currentText().toInt();
    if (n < 1 || n > im::kImagePositions)
        return;
    settings().setInt(im::ImageMemorySetting::IconCount, n);
    writeSettings();
    // A play under way keeps its icons, its count and its boxes; the new count
    // applies from the next start.
    if (playState() != PlayState::Idle && playState() != PlayState::Finished)
        return;
    m_n = n;
    for (QLineEdit *t : std::as_const(m_txtKaitou)) {
        t->clear();
        t->hide();
    }
    hideIcons();
    dealIcons();
}

void ImageMemoryWindow::cboJikan_Click()
{
    const int t = m_settingsBox.cboJikan->currentText().toInt();
    if (t < 1)
        return;
    settings().setInt(im::ImageMemorySetting::DisplayTime, t);
    writeSettings();
    lblJikan()->setText(QString::number(t));
}

void ImageMemoryWindow::chkHint_Click()
{
    settings().setInt(im::ImageMemorySetting::NameDisplay, m_chkHint->isChecked() ? 1 : 0);
    writeSettings();
}

// ---------------------------------------------------------------- answer boxes

bool ImageMemoryWindow::txtKaitou_KeyPress(int index, int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    QLineEdit *box = txtKaitou(index);
    // Enter in an empty box, or outside the answering, does nothing.
    if (!box || box->text().isEmpty() || playState() != PlayState::Answering)
        return true;
    if (index >= m_n)
        m_cmdKekka->setFocus();
    else if (QLineEdit *next = txtKaitou(index + 1))
        next->setFocus();
    return true;
}

bool ImageMemoryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int i = int(m_txtKaitou.indexOf(qobject_cast<QLineEdit *>(watched)));
        if (i >= 0 && txtKaitou_KeyPress(i + 1, static_cast<QKeyEvent *>(event)->key()))
            return true;
    } else if (event->type() == QEvent::MouseButtonPress) {
        const int i = int(m_imgKoma.indexOf(qobject_cast<QLabel *>(watched)));
        if (i >= 0 && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            imgKoma_Click(i + 1);
    }
    return GameFrame::eventFilter(watched, event);
}

// ---------------------------------------------------------------- a play

void ImageMemoryWindow::prepareBoard()
{
    m_n = qBound(1, settings().toInt(im::ImageMemorySetting::IconCount), im::kImagePositions);
    m_right = 0;
    m_wrong = 0;
    m_marks.clear();
    m_rate.clear();
    m_resultBox.lblMoji_T->setText(QString::number(m_n));
    m_resultBox.lblOk->setText(QStringLiteral("0"));
    m_resultBox.lblNg->setText(QStringLiteral("0"));
    m_resultBox.lblRitu->clear();
    m_resultBox.lblByou->clear();
    m_timeBar->setBarWidth(m_timeBar->fullWidth());
    lblJikan()->setText(QString::number(settings().toInt(im::ImageMemorySetting::DisplayTime)));
    m_cmdKekka->setEnabled(false);

    for (QLineEdit *t : std::as_const(m_txtKaitou)) {
        t->clear();
        t->setReadOnly(false);
        setAnswerColor(t, kAnswerBack);
        t->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        t->hide();
    }
    hideIcons();
}

void ImageMemoryWindow::beginPlay()
{
    // The display time is read now, so a time chosen during the countdown applies to this play.
    m_playTime = qBound(1, settings().toInt(im::ImageMemorySetting::DisplayTime), 60);
    hideCountdownPictures();
    dealIcons();
    showIcons(m_n, settings().toInt(im::ImageMemorySetting::NameDisplay) == 1);
    if (!letEventsRun())
        return; // the window is going: touch nothing

    // The icons stay on screen for the whole display time, measured from now.
    if (runDisplayCountdown(float(m_playTime), m_timeBar) != WaitEnd::Elapsed)
        return; // the window is going

    hideIcons();
    for (int i = 0; i < m_n; ++i)
        m_txtKaitou.at(i)->show();
    m_cmdKekka->setEnabled(true);
    m_txtKaitou.at(0)->setFocus();
    setPlayState(PlayState::Answering);
}

int ImageMemoryWindow::fullBarWidth() const
{
    return m_timeBar->fullWidth();
}

QStringList ImageMemoryWindow::answerTexts() const
{
    QStringList s;
    for (QLineEdit *t : m_txtKaitou)
        s.append(t->text());
    return s;
}

void ImageMemoryWindow::cmdKekka_Click()
{
    if (playState() != PlayState::Answering)
        return;
    const QStringList answers = answerTexts();
    // Position by position, exactly as number memory judges its digits: the
    // typed name must be the icon's name character for character.
    const im::DigitJudgement j = im::judgeDigits(m_dealt, answers, m_n);
    m_right = j.rightCount;
    m_wrong = j.wrongCount;
    m_marks = im::resultMarks(m_dealt, answers, m_n);
    m_rate = im::correctRate(m_right, m_n);
    for (int i = 0; i < m_n; ++i) {
        QLineEdit *box = m_txtKaitou.at(i);
        box->setAlignment(Qt::AlignCenter);
        // The judged answers stay as they were judged.
        box->setReadOnly(true);
        setAnswerColor(box, j.right.value(i) ? kAnswerRight : kAnswerWrong);
    }
    showIcons(m_n, true);
    showRecallResult(m_resultBox, m_right, m_wrong, m_n);
    if (finishPlay())
        m_cmdKekka->setEnabled(false);
}

// ---------------------------------------------------------------- saving

// The judged play as it is saved: marks, rate and display time as they were at judging.
std::optional<GameFrame::SavedPlay> ImageMemoryWindow::result(const QDateTime &now) const
{
    if (m_right == 0 && m_wrong == 0)
        return std::nullopt;
    im::ImageMemoryResult r;
    r.saved = now;
    r.marks = m_marks;
    r.right = m_right;
    r.wrong = m_wrong;
    r.rate = m_rate;
    r.displayTime = m_playTime;
    return SavedPlay{im::historyEntry(r), im::playRecord(r), {}};
}

} // namespace kioku
