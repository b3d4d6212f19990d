// Icon concentration's window as it is built: the board of forty pieces,
// and beside it スタート, the game's figures, the records and the settings.
#include "games/visual/iconconcentrationwindow.h"

#include "core/text/formats.h"
#include "widgets/backcolor.h"
#include "widgets/boardkeys.h"
#include "widgets/playparts.h"
#include "widgets/textscale.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {
namespace ic = kioku::rules;

namespace {

constexpr int kColumns = 8;
constexpr int kBackSize = 54;
constexpr int kNameHeight = 18;

const QColor kBackColour(38, 74, 140);   // a face-down piece
const QColor kBackIdle(128, 140, 164);   // face down, before the game begins
const QColor kNameBack(255, 255, 225);   // the name under a turned piece
const QColor kRecordBack(255, 236, 200); // the title of the records

// The back of a piece: a blue tile with a light diamond, greyed while it
// cannot be turned.
class KomaBack : public QAbstractButton {
public:
    explicit KomaBack(QWidget *parent) : QAbstractButton(parent)
    {
        setFixedSize(kBackSize, kBackSize); // the pieces keep their size; their names grow
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor base = isEnabled() ? kBackColour : kBackIdle;
        const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0, isDown() ? base.darker(120) : base.lighter(125));
        g.setColorAt(1, base.darker(isDown() ? 140 : 115));
        p.setPen(QPen(base.darker(160), 1));
        p.setBrush(g);
        p.drawRoundedRect(r, 5, 5);
        p.setPen(QPen(QColor(255, 255, 255, isEnabled() ? 150 : 90), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(4, 4, -4, -4), 3, 3);
        const QPointF c = r.center();
        const qreal d = r.width() / 4.5;
        QPainterPath diamond;
        diamond.moveTo(c.x(), c.y() - d);
        diamond.lineTo(c.x() + d, c.y());
        diamond.lineTo(c.x(), c.y() + d);
        diamond.lineTo(c.x() - d, c.y());
        diamond.closeSubpath();
        p.setBrush(QColor(255, 255, 255, isEnabled() ? 70 : 40));
        p.drawPath(diamond);
    }
};

} // namespace

void IconConcentrationWindow::buildPlayArea()
{
    QWidget *area = playArea();
    auto *row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);

    // The board: forty pieces in five rows of eight.
    m_fraBan = new QGroupBox(QStringLiteral("コマ"), area);
    m_fraBan->setObjectName(QStringLiteral("fraBan"));
    auto *grid = new QGridLayout(m_fraBan);
    // Larger text makes the names under the pieces taller: the rows close up
    // a little, for the window to fit a small screen.
    const bool closer = textScale() > 1.0;
    grid->setContentsMargins(10, 8, 10, closer ? 6 : 10);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(closer ? 2 : 4);
    for (int i = 1; i <= kPieces; ++i) {
        auto *cell = new QWidget(m_fraBan);
        // The cell widens with the text size, for the name under the piece.
        const int backSize = kBackSize;
        QFont nameFont = font();
        nameFont.setPointSizeF(scaledPt(9));
        const int nameHeight = qMax(kNameHeight, QFontMetrics(nameFont).height() + 2);
        cell->setFixedSize(boardPx(kCellWidth), backSize + 2 + nameHeight);
        const int left = (boardPx(kCellWidth) - backSize) / 2;

        auto *img = new QLabel(cell);
        img->setObjectName(QStringLiteral("imgKoma%1").arg(i));
        img->setGeometry(left, 0, backSize, backSize);
        img->setAlignment(Qt::AlignCenter);
        m_imgKoma.append(img);

        auto *back = new KomaBack(cell);
        back->setObjectName(QStringLiteral("cmdKoma%1").arg(i));
        back->move(left, 0);
        back->setEnabled(false);
        connect(back, &QAbstractButton::clicked, this, [this, i] { cmdKoma_Click(i); });
        m_cmdKoma.append(back);

        auto *name = new QLabel(cell);
        name->setObjectName(QStringLiteral("lblKoma%1").arg(i));
        name->setGeometry(0, backSize + 2, boardPx(kCellWidth), nameHeight);
        name->setAlignment(Qt::AlignCenter);
        setBackColor(name, kNameBack, Qt::black);
        name->hide();
        m_lblKoma.append(name);

        grid->addWidget(cell, (i - 1) / kColumns, (i - 1) % kColumns);
    }
    row->addWidget(m_fraBan, 0, Qt::AlignTop);
    // The arrow keys move over the pieces, Space or Enter turns one.
    QList<QWidget *> backs(m_cmdKoma.begin(), m_cmdKoma.end());
    new BoardKeys(backs, kColumns, m_fraBan, [this](int i) { m_cmdKoma.at(i)->click(); });

    // Beside it: start, the game's figures, the records and the settings.
    auto *side = new QVBoxLayout;
    side->setSpacing(8);
    row->addLayout(side, 1);

    auto *startRow = new QHBoxLayout;
    startRow->addWidget(countdownPanel());
    cmdStart()->setParent(area);
    cmdStart()->setMinimumSize(scaledSize(104, 40));
    startRow->addWidget(cmdStart(), 1, Qt::AlignVCenter);
    side->addLayout(startRow);

    const auto figureBox = [area](const QString &title, const QString &name) {
        auto *box = new QGroupBox(title, area);
        box->setObjectName(name);
        auto *g = new QGridLayout(box);
        g->setHorizontalSpacing(6);
        g->setVerticalSpacing(4);
        return box;
    };
    const auto addFigure = [](QGroupBox *box, const QString &caption, QLabel *value) {
        auto *g = static_cast<QGridLayout *>(box->layout());
        const int r = g->rowCount();
        g->addWidget(captionLabel(caption, box), r, 0);
        g->addWidget(value, r, 1);
    };

    QGroupBox *play = figureBox(QStringLiteral("ゲーム"), QStringLiteral("fraKekka"));
    // Turns and misses up to the records' 9999, the pieces left, the seconds
    // in tenths (or a level's best, "-----" when it has none).
    m_lblTrun = valueLabel(QStringLiteral("lblTrun"), play, {widest::kCount});
    m_lblZan = valueLabel(QStringLiteral("lblZan"), play, {QString::number(ic::kBoardPieces)});
    m_lblNg = valueLabel(QStringLiteral("lblNg"), play, {widest::kCount});
    lblJikan()->setParent(play);
    styleValueLabel(lblJikan(), {widest::kTenths, widest::kNone});
    addFigure(play, QStringLiteral("ターン"), m_lblTrun);
    addFigure(play, QStringLiteral("残りコマ"), m_lblZan);
    addFigure(play, QStringLiteral("ミス"), m_lblNg);
    addFigure(play, QStringLiteral("秒"), lblJikan());
    // The game's figures and the records side by side: the column stays no
    // taller than the board, so the window fits a screen at twice the scale.
    auto *figures = new QHBoxLayout;
    figures->setSpacing(8);
    figures->addWidget(play, 1, Qt::AlignTop);
    side->addLayout(figures);

    QGroupBox *best = figureBox(QStringLiteral("記録"), QStringLiteral("fraKiroku"));
    m_lblSaitan = new QLabel(best);
    m_lblSaitan->setObjectName(QStringLiteral("lblSaitan"));
    m_lblSaitan->setAlignment(Qt::AlignCenter);
    m_lblSaitan->setMinimumHeight(scaledPx(22));
    {
        QFont f = m_lblSaitan->font();
        f.setBold(true);
        m_lblSaitan->setFont(f);
    }
    setBackColor(m_lblSaitan, kRecordBack, Qt::black);
    static_cast<QGridLayout *>(best->layout())->addWidget(m_lblSaitan, 0, 0, 1, 2);
    m_lblKiroku = valueLabel(QStringLiteral("lblKiroku"), best, {widest::kCount, widest::kNone});
    m_lblKirokuByou = valueLabel(QStringLiteral("lblKirokuByou"), best, {widest::kTenths, widest::kNone});
    addFigure(best, QStringLiteral("ターン"), m_lblKiroku);
    addFigure(best, QStringLiteral("秒"), m_lblKirokuByou);
    figures->addWidget(best, 1, Qt::AlignTop);

    auto *setting = new QGroupBox(QStringLiteral("設定"), area);
    setting->setObjectName(QStringLiteral("fraSettei"));
    auto *sl = new QGridLayout(setting);
    sl->setHorizontalSpacing(6);
    m_cboMondai = new QComboBox(setting);
    m_cboMondai->setObjectName(QStringLiteral("cboMondai"));
    m_cboMondai->setToolTip(QStringLiteral("使うコマの種類：イージー 2、ノーマル 4、ハード 10、パニック 20"));
    connect(m_cboMondai, &QComboBox::activated, this, [this](int) { cboMondai_Click(); });
    m_cboHide = new QComboBox(setting);
    m_cboHide->setObjectName(QStringLiteral("cboHide"));
    m_cboHide->setToolTip(QStringLiteral("そろわなかったコマを裏に戻すまでの秒数"));
    connect(m_cboHide, &QComboBox::activated, this, [this](int) { cboHide_Click(); });
    m_cboDel = new QComboBox(setting);
    m_cboDel->setObjectName(QStringLiteral("cboDel"));
    m_cboDel->setToolTip(QStringLiteral("そろったコマを消すまでの秒数"));
    connect(m_cboDel, &QComboBox::activated, this, [this](int) { cboDel_Click(); });
    m_chkNamae = new QCheckBox(QStringLiteral("名前表示"), setting);
    m_chkNamae->setObjectName(QStringLiteral("chkNamae"));
    m_chkNamae->setToolTip(QStringLiteral("めくったコマの下にアイコンの名前を出します"));
    connect(m_chkNamae, &QCheckBox::clicked, this, [this] { chkNamae_Click(); });
    // One setting a row; with larger text two a row (in the order Tab takes
    // them), so the column stays no taller than the board.
    const bool twoARow = textScale() > 1.0;
    const auto place = [&](int i, QWidget *caption, QWidget *box) {
        const int row = twoARow ? i / 2 : i;
        const int column = twoARow ? 2 * (i % 2) : 0;
        if (caption) {
            sl->addWidget(caption, row, column);
            sl->addWidget(box, row, column + 1);
        } else {
            sl->addWidget(box, row, column, 1, 2);
        }
    };
    place(0, captionLabel(QStringLiteral("レベル"), setting), m_cboMondai);
    place(1, captionLabel(QStringLiteral("戻す秒"), setting), m_cboHide);
    place(2, captionLabel(QStringLiteral("消す秒"), setting), m_cboDel);
    place(3, nullptr, m_chkNamae);
    side->addWidget(setting);
    side->addStretch(1);
}

} // namespace kioku
